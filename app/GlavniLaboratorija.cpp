// The main window's lab: the blocks watched during a run, the live chart and
// the sliders page, the pace ("Brzina") and "Pauza"/"Nastavi" beside
// "Prekini", and the menu entries that choose what to watch and steer.
#include "Glavni.h"

#include "Brojevi.h"
#include "Dijalozi.h"
#include "Laboratorija.h"
#include "ModelDokumenta.h"
#include "Podsistemi.h"
#include "Rezultati.h"
#include "SKEMBlok.h"
#include "SKEMInspektor.h"
#include "SKEMRadnaPovrsina.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>

namespace {

// The paces offered: simulated seconds per wall second; 0 = as fast as possible.
const struct {
    const char* Naziv;
    double Faktor;
} Brzine[] = {{"najbrze", 0},         {"0.01×", 0.01}, {"0.1×", 0.1}, {"0.5×", 0.5},
              {"1× realno vreme", 1}, {"2×", 2},       {"10×", 10},   {"100×", 100}};

// The block's context menu on the workspace's view.
class TMeniBloka : public QObject {
public:
    TMeniBloka(QGraphicsView* pogled, std::function<void(TSKEMBlok*, QPoint)> prikazi)
        : QObject(pogled), pogled(pogled), prikazi(std::move(prikazi)) {
        pogled->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::ContextMenu || o != pogled->viewport()) return false;
        const auto* m = static_cast<QContextMenuEvent*>(e);
        for (QGraphicsItem* s : pogled->items(m->pos()))
            for (QGraphicsItem* i = s; i; i = i->parentItem())
                if (auto* b = dynamic_cast<TSKEMBlok*>(i)) {
                    prikazi(b, m->globalPos());
                    return true;
                }
        return false;
    }

private:
    QGraphicsView* pogled;
    std::function<void(TSKEMBlok*, QPoint)> prikazi;
};

// Block `lokalniBroj` of the level the surface shows, by its path from the top.
std::vector<int> PutanjaBloka(const TSKEMRadnaPovrsina& povrsina, int lokalniBroj) {
    std::vector<int> putanja = PutanjaNivoa(povrsina);
    putanja.push_back(lokalniBroj);
    return putanja;
}

} // namespace

void TMainForm::NapraviLaboratoriju() {
    laboratorija = new TLaboratorija(strane);
    strane->addWidget(laboratorija);
    laboratorija->OnNazad = [this] { NazadNaModel(); };
    laboratorija->OnIzmenaKlizaca = [this](const std::vector<skem::TKlizacModela>& k) {
        radnaPovrsina->Laboratorija.Klizaci = k;
        IzmenaLaboratorije(QStringLiteral("izmena klizaca"));
    };

    auto* oznaka = new QLabel(QStringLiteral("Brzina"), statusnaTraka);
    izborBrzine = new QComboBox(statusnaTraka);
    izborBrzine->setObjectName(QStringLiteral("Brzina"));
    izborBrzine->setToolTip(QStringLiteral("Brzina simulacije: najbrze, ili vreme simulacije u "
                                           "odnosu na stvarno vreme"));
    izborBrzine->setFocusPolicy(Qt::NoFocus);
    for (const auto& b : Brzine)
        izborBrzine->addItem(QString::fromUtf8(b.Naziv), b.Faktor);
    connect(izborBrzine, &QComboBox::currentIndexChanged, this, [this] {
        laboratorija->Pracenje().PostaviBrzinu(izborBrzine->currentData().toDouble());
    });
    dugmePauza = new QPushButton(QStringLiteral("Pauza"), statusnaTraka);
    dugmePauza->setObjectName(QStringLiteral("DugmePauza"));
    dugmePauza->setFocusPolicy(Qt::NoFocus);
    dugmePauza->hide();
    connect(dugmePauza, &QPushButton::clicked, this, [this] {
        skem::TPracenjeRada& p = laboratorija->Pracenje();
        p.PostaviPauzu(!p.Pauzirano());
        dugmePauza->setText(p.Pauzirano() ? QStringLiteral("Nastavi") : QStringLiteral("Pauza"));
    });
    // After the zoom: the pace, the progress bar, then "Pauza" beside "Prekini"
    // (the indexes count the status bar's one ordinary widget too).
    statusnaTraka->insertPermanentWidget(2, oznaka);
    statusnaTraka->insertPermanentWidget(3, izborBrzine);
    statusnaTraka->insertPermanentWidget(5, dugmePauza);

    prikaziLaboratoriju = NovaAkcija(this, "Laboratorija", QStringLiteral("&Laboratorija"),
                                     QStringLiteral("Pracenje simulacije i klizaci"));
    NaKomandu(prikaziLaboratoriju, [this] {
        OsveziKlizace();
        strane->setCurrentWidget(laboratorija);
    });
    addAction(prikaziLaboratoriju);
    if (auto* prikaz = findChild<QMenu*>(QStringLiteral("MeniPrikaz"))) {
        prikaz->addSeparator();
        prikaz->addAction(prikaziLaboratoriju);
    }

    new TMeniBloka(pogledPovrsine, [this](TSKEMBlok* b, QPoint gde) {
        if (radUToku) return;
        QMenu meni(this);
        QAction* prati = meni.addAction(QStringLiteral("Prati tokom simulacije"));
        prati->setObjectName(QStringLiteral("PratiTokomSimulacije"));
        prati->setCheckable(true);
        const auto& p = radnaPovrsina->Laboratorija.Praceni;
        const int broj = b->LokalniBroj();
        prati->setChecked(std::find(p.begin(), p.end(), PutanjaBloka(*radnaPovrsina, broj)) !=
                          p.end());
        connect(prati, &QAction::triggered, this,
                [this, broj] { IzvrsiIPrijavi([&] { PratiBlok(broj); }); });
        meni.exec(gde);
    });
    inspektor->OnMeniParametra = [this](QMenu& meni, TSKEMBlok* b, int parametar) {
        if (radUToku) return;
        QAction* a = meni.addAction(QStringLiteral("Dodaj klizac"));
        a->setObjectName(QStringLiteral("DodajKlizac"));
        const int broj = b->LokalniBroj();
        connect(a, &QAction::triggered, this,
                [this, broj, parametar] { IzvrsiIPrijavi([&] { DodajKlizac(broj, parametar); }); });
    };
    // A subsystem's shown parameter: the slider moves the inner block's.
    inspektor->OnMeniParametraPodsistema = [this](QMenu& meni, TSKEMBlok* b,
                                                  const skem::TParametarPodsistema& par) {
        if (radUToku || !b->Podsistem) return;
        const skem::TBlokModela* u = skem::BlokNaPutanji(b->Podsistem->Sadrzaj, par.Blok);
        if (!u) return;
        QAction* a = meni.addAction(QStringLiteral("Dodaj klizac"));
        a->setObjectName(QStringLiteral("DodajKlizac"));
        std::vector<int> putanja = PutanjaBloka(*radnaPovrsina, b->LokalniBroj());
        putanja.insert(putanja.end(), par.Blok.begin(), par.Blok.end());
        const double vrednost = u->Parametar(par.Parametar);
        connect(a, &QAction::triggered, this, [this, putanja, k = par.Parametar, vrednost] {
            IzvrsiIPrijavi([&] { DodajKlizac(putanja, k, vrednost); });
        });
    };
}

void TMainForm::IzmenaLaboratorije(const QString& opis) {
    radnaPovrsina->OpisiKorak(opis);
    PostaviIzmenjen(true);
    ZakaziKorak();
}

void TMainForm::PratiBlok(int lokalniBroj) {
    std::vector<std::vector<int>>& p = radnaPovrsina->Laboratorija.Praceni;
    const std::vector<int> putanja = PutanjaBloka(*radnaPovrsina, lokalniBroj);
    const auto i = std::find(p.begin(), p.end(), putanja);
    if (i != p.end())
        p.erase(i);
    else
        p.push_back(putanja);
    IzmenaLaboratorije(QStringLiteral("pracenje bloka %1").arg(skem::PutanjaUTekst(putanja)));
}

void TMainForm::DodajKlizac(int lokalniBroj, int parametar) {
    TSKEMBlok* b = nullptr;
    for (TSKEMBlok* x : radnaPovrsina->Blokovi())
        if (x->LokalniBroj() == lokalniBroj) b = x;
    if (b)
        DodajKlizac(PutanjaBloka(*radnaPovrsina, lokalniBroj), parametar,
                    b->ParametarBloka(parametar));
}

void TMainForm::DodajKlizac(const std::vector<int>& putanja, int parametar, double v) {
    std::vector<skem::TKlizacModela>& k = radnaPovrsina->Laboratorija.Klizaci;
    const bool ima = std::any_of(k.begin(), k.end(), [&](const skem::TKlizacModela& x) {
        return x.Blok == putanja && x.Parametar == parametar;
    });
    if (!ima) {
        // Around the value now: from 0 to twice it, or -1..1 about zero.
        const double a = std::abs(v);
        skem::TKlizacModela novi{putanja, parametar, v - (a > 0 ? a : 1), v + (a > 0 ? a : 1), v};
        if (!(novi.Min < novi.Max) || !std::isfinite(novi.Min) || !std::isfinite(novi.Max))
            novi = {putanja, parametar, -1, 1, 0};
        k.push_back(novi);
        IzmenaLaboratorije(
            QStringLiteral("klizac %1.p%2").arg(skem::PutanjaUTekst(putanja)).arg(parametar));
    }
    OsveziKlizace();
    strane->setCurrentWidget(laboratorija);
    mainToolBar->hide();
}

void TMainForm::OsveziKlizace() {
    const std::vector<skem::TKlizacModela>& sve = radnaPovrsina->Laboratorija.Klizaci;
    // At the top, sliders over top blocks find them on the surface; any other
    // in the whole document.
    const bool naPovrsini =
        DubinaNivoa(*radnaPovrsina) == 0 &&
        std::all_of(sve.begin(), sve.end(), [](const auto& k) { return k.Blok.size() == 1; });
    const skem::TModelDokumenta model =
        naPovrsini ? skem::TModelDokumenta() : ModelDokumenta(*radnaPovrsina);
    const QList<TSKEMBlok*> blokovi = radnaPovrsina->Blokovi();
    std::vector<skem::TKlizacModela> klizaci;
    std::vector<QString> nazivi;
    std::vector<double> vrednosti;
    for (const skem::TKlizacModela& k : sve) {
        if (naPovrsini) {
            if (k.Blok[0] < 1 || k.Blok[0] > blokovi.size()) continue;
            const TSKEMBlok* b = blokovi[k.Blok[0] - 1];
            nazivi.push_back(b->Naziv);
            vrednosti.push_back(b->ParametarBloka(k.Parametar));
        } else {
            const skem::TBlokModela* b = skem::BlokNaPutanji(model, k.Blok);
            if (!b) continue;
            nazivi.push_back(b->Naziv);
            vrednosti.push_back(b->Parametar(k.Parametar));
        }
        klizaci.push_back(k);
    }
    laboratorija->PostaviKlizace(klizaci, nazivi, vrednosti);
}

bool TMainForm::PripremiLaboratoriju(const QStringList& oznaceniRedovi) {
    const QList<TSKEMBlok*> blokovi = radnaPovrsina->Blokovi();
    // A block's position in the run's list, or -1: in a hierarchy the flat
    // view's, else the surface's own.
    const auto pozicija = [&](const std::vector<int>& putanja) -> int {
        if (ravanRada) return ravanRada->Pozicija(putanja);
        return putanja.size() == 1 && putanja[0] >= 1 && putanja[0] <= blokovi.size()
                   ? putanja[0] - 1
                   : -1;
    };
    std::vector<TPraceniBlok> praceni;
    praceniRada.clear();
    const auto prati = [&](int i) {
        if (ravanRada) {
            const skem::TBlokRezultata& r = ravanRada->Blokovi[size_t(i)];
            praceni.push_back({skem::PutanjaUTekst(ravanRada->Putanje[size_t(i)]),
                               QString::fromStdString(r.Naziv), std::size_t(i)});
            praceniRada << KljucReda(r);
        } else {
            praceni.push_back({QString::number(i + 1), blokovi[i]->Naziv, std::size_t(i)});
            praceniRada << QString::number(i + 1);
        }
    };
    const std::vector<std::vector<int>>& izDokumenta = radnaPovrsina->Laboratorija.Praceni;
    if (!izDokumenta.empty()) {
        for (const std::vector<int>& p : izDokumenta)
            if (const int i = pozicija(p); i >= 0) prati(i);
    } else {
        // The rows ticked last time, as the results table names them.
        for (const QString& kljuc : oznaceniRedovi)
            if (!ravanRada) {
                if (const int i = pozicija({kljuc.toInt()}); i >= 0) prati(i);
            } else {
                for (std::size_t i = 0; i < ravanRada->Blokovi.size(); ++i)
                    if (KljucReda(ravanRada->Blokovi[i]) == kljuc) prati(int(i));
            }
    }
    OsveziKlizace();
    // The sliders' blocks by their numbers in the run: a flat document's
    // own, the flat view's position + 1 in a hierarchy, where the change
    // list names them by path.
    std::vector<int> brojevi;
    for (const skem::TKlizacModela& k : laboratorija->Klizaci()) {
        const int i = pozicija(k.Blok);
        brojevi.push_back(i < 0 ? 0 : ravanRada ? i + 1 : k.Blok[0]);
    }
    std::vector<std::string> putanje;
    if (ravanRada)
        for (const std::vector<int>& p : ravanRada->Putanje)
            putanje.push_back(skem::PutanjaUTekst(p).toStdString());
    laboratorija->PostaviCiljeve(std::move(brojevi), std::move(putanje));
    posmatranRad = !praceni.empty() || !laboratorija->Klizaci().empty() ||
                   izborBrzine->currentData().toDouble() > 0;
    if (!posmatranRad) return false;
    const double d = simulacija.Trajanje(), p = simulacija.IntervalStampanja();
    const double tacaka = d / p;
    laboratorija->PocniRad(praceni, d, tacaka < 1e15 ? skem::Round(tacaka) + 1 : INT64_MAX,
                           &zaustaviRad);
    laboratorija->Pracenje().PostaviBrzinu(izborBrzine->currentData().toDouble());
    return true;
}

void TMainForm::ZavrsiLaboratoriju(bool uspeh) {
    if (!posmatranRad) return;
    posmatranRad = false;
    const skem::TListaIzmena izmene = simulacija.IzmeneRada();
    laboratorija->ZavrsiRad(izmene);
    if (uspeh) prikazRezultata->OznaciBlokove(praceniRada);
    if (izmene.empty() || !laboratorija->ZadrziVrednosti()) {
        OsveziKlizace();
        return;
    }
    // The last value of each parameter changed becomes the document's.
    if (ravanRada) {
        // Blocks anywhere in the hierarchy: the whole document changes.
        skem::TModelDokumenta m = ModelDokumenta(*radnaPovrsina);
        for (const skem::TIzmenaParametra& i : izmene) {
            if (i.Blok < 1 || std::size_t(i.Blok) > ravanRada->Putanje.size()) continue;
            skem::TBlokModela* b = skem::IzmenljivBlok(m, ravanRada->Putanje[size_t(i.Blok) - 1]);
            if (!b) continue;
            (i.Parametar == 1   ? b->Parametar1
             : i.Parametar == 2 ? b->Parametar2
                                : b->Parametar3) = i.Vrednost;
        }
        PrimeniDokument(*radnaPovrsina, m);
    } else {
        const QList<TSKEMBlok*> blokovi = radnaPovrsina->Blokovi();
        for (const skem::TIzmenaParametra& i : izmene) {
            if (i.Blok < 1 || i.Blok > blokovi.size()) continue;
            TSKEMBlok* b = blokovi[i.Blok - 1];
            (i.Parametar == 1   ? b->Parametar1
             : i.Parametar == 2 ? b->Parametar2
                                : b->Parametar3) = i.Vrednost;
        }
    }
    IzmenaLaboratorije(QStringLiteral("vrednosti klizaca"));
    PrikaziUInspektoruAkoJeVidljiv();
    OsveziKlizace();
}
