// The main window's subsystems: making one of the selected blocks, opening
// it in the surface with the path bar above it, going back up, breaking one
// up, its dialog, and the library of stored subsystems in the palette.
#include "Glavni.h"

#include "Dijalozi.h"
#include "Dokument.h"
#include "IstorijaIzmena.h"
#include "Katalog.h"
#include "Medjuspremnik.h"
#include "Podsistemi.h"
#include "SKEMBlok.h"
#include "SKEMGrupe.h"
#include "SKEMRadnaPovrsina.h"
#include "Slike.h"
#include "VrsteElemenata.h"
#include "uUnosPodsistema.h"

#include <QAction>
#include <QBoxLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolButton>

namespace {

bool JePodsistem(const TSKEMBlok* b) {
    return b && skem::VrstaIzSifre(b->Sifra) == skem::TVrstaElementa::Podsistem;
}

const QString NazivBiblioteke = QStringLiteral("Biblioteka");

// A name that can be a file's: letters, digits, blanks, '-', '_' kept.
QString ImeFajla(const QString& naziv) {
    QString r;
    for (QChar c : naziv.trimmed())
        r += c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') ||
                     c == QLatin1Char('_')
                 ? c
                 : QLatin1Char('_');
    return r.isEmpty() ? QStringLiteral("Podsistem") : r;
}

} // namespace

QString FasciklaBiblioteke() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/biblioteka");
}

QString FasciklaIsporuceneBiblioteke() {
    return QFileInfo(NadjiManifest()).absolutePath() + QStringLiteral("/biblioteka");
}

void TMainForm::NapraviAkcijePodsistema() {
    using K = QKeySequence;
    napraviPodsistem =
        NovaAkcija(this, "NapraviPodsistem", QStringLiteral("Napravi &podsistem"),
                   QStringLiteral("Napravi podsistem|Premesta izabrane blokove u novi podsistem"),
                   Ikonica(TIkonica::Podsistem), {K(Qt::CTRL | Qt::Key_G)});
    napraviPodsistem->setIconText(QStringLiteral("Podsistem"));
    otvoriPodsistem = NovaAkcija(this, "OtvoriPodsistem", QStringLiteral("O&tvori podsistem"),
                                 QStringLiteral("Otvori podsistem|Prikazuje sadrzaj podsistema"));
    nazadIzPodsistema =
        NovaAkcija(this, "NazadIzPodsistema", QStringLiteral("Na&zad"),
                   QStringLiteral("Nazad|Vraca se na nivo iznad podsistema (Backspace)"),
                   Ikonica(TIkonica::Nazad));
    razbijPodsistem = NovaAkcija(this, "RazbijPodsistem", QStringLiteral("&Razbij podsistem"),
                                 QStringLiteral("Razbij podsistem|Vraca sadrzaj podsistema na "
                                                "nivo iznad njega"));
    parametriPodsistema = NovaAkcija(
        this, "ParametriPodsistema", QStringLiteral("Parametri podsist&ema..."),
        QStringLiteral("Parametri podsistema|Naziv podsistema i parametri koje prikazuje"));
    sacuvajUBiblioteku =
        NovaAkcija(this, "SacuvajUBiblioteku", QStringLiteral("Sacuvaj u &biblioteku"),
                   QStringLiteral("Sacuvaj u biblioteku|Cuva izabrani podsistem u biblioteci"));
    NaKomandu(napraviPodsistem, [this] { NapraviPodsistemExecute(); });
    NaKomandu(otvoriPodsistem, [this] { OtvoriPodsistemExecute(); });
    NaKomandu(nazadIzPodsistema, [this] { IdiNaNivo(DubinaNivoa(*radnaPovrsina) - 1); });
    NaKomandu(razbijPodsistem, [this] { RazbijPodsistemExecute(); });
    NaKomandu(parametriPodsistema, [this] { ParametriPodsistemaExecute(); });
    NaKomandu(sacuvajUBiblioteku, [this] { SacuvajUBibliotekuExecute(); });
    addActions({napraviPodsistem, otvoriPodsistem, razbijPodsistem, parametriPodsistema,
                sacuvajUBiblioteku});
}

void TMainForm::NapraviMeniPodsistema(QMenu* uredi) {
    QAction* posle = opisProblema;
    uredi->insertActions(posle, {napraviPodsistem, otvoriPodsistem, nazadIzPodsistema,
                                 razbijPodsistem, parametriPodsistema, sacuvajUBiblioteku});
    uredi->insertSeparator(posle);
}

QWidget* TMainForm::NapraviTrakuPutanje(QWidget* roditelj) {
    trakaPutanje = new QWidget(roditelj);
    trakaPutanje->setObjectName(QStringLiteral("TrakaPutanje"));
    trakaPutanje->setAttribute(Qt::WA_StyledBackground);
    trakaPutanje->setStyleSheet(QStringLiteral(
        "#TrakaPutanje { background: #f4f6f9; border-bottom: 1px solid #c5ccd6; }"
        "#TrakaPutanje QToolButton { border: none; padding: 1px 3px; color: #24497a; }"
        "#TrakaPutanje QToolButton:hover { text-decoration: underline; }"));
    auto* red = new QHBoxLayout(trakaPutanje);
    red->setContentsMargins(4, 1, 4, 1);
    red->setSpacing(2);
    // Backspace goes up while the surface has the focus (text boxes keep theirs).
    nazadIzPodsistema->setShortcut(Qt::Key_Backspace);
    nazadIzPodsistema->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    pogledPovrsine->addAction(nazadIzPodsistema);
    OsveziPutanju();
    return trakaPutanje;
}

void TMainForm::OsveziPutanju() {
    if (!trakaPutanje) return;
    auto* red = static_cast<QHBoxLayout*>(trakaPutanje->layout());
    while (QLayoutItem* s = red->takeAt(0)) {
        delete s->widget();
        delete s;
    }
    const QStringList nazivi = NaziviNivoa(*radnaPovrsina);
    for (int i = 0; i < nazivi.size(); ++i) {
        if (i > 0) red->addWidget(new QLabel(QStringLiteral("\u203a"), trakaPutanje));
        auto* d = new QToolButton(trakaPutanje);
        d->setObjectName(QStringLiteral("Nivo%1").arg(i));
        d->setText(nazivi[i]);
        d->setAutoRaise(true);
        const bool poslednji = i + 1 == nazivi.size();
        QFont f = d->font();
        f.setBold(poslednji);
        d->setFont(f);
        d->setEnabled(!poslednji);
        connect(d, &QToolButton::clicked, this,
                [this, i] { IzvrsiIPrijavi([this, i] { IdiNaNivo(i); }); });
        red->addWidget(d);
    }
    red->addStretch(1);
    nazadIzPodsistema->setEnabled(nazivi.size() > 1);
}

void TMainForm::IdiNaNivo(int dubina) {
    if (!NaModelu() || dubina < 0 || dubina >= DubinaNivoa(*radnaPovrsina)) return;
    ZavrsiKorak();
    ::IdiNaNivo(*radnaPovrsina, dubina);
    PosleCitanja();
    OsveziPutanju();
    pogledPovrsine->PostaviSkrol(radnaPovrsina->PozicijaSkrola);
    pogledPovrsine->setFocus(Qt::OtherFocusReason);
}

void TMainForm::OtvoriPodsistemExecute() {
    TSKEMBlok* b = radnaPovrsina->SelektovaniBlok;
    if (!NaModelu() || !JePodsistem(b)) return;
    ZavrsiKorak();
    radnaPovrsina->PozicijaSkrola = pogledPovrsine->Skrol();
    OtvoriPodsistem(*radnaPovrsina, b);
    PosleCitanja();
    OsveziPutanju();
    pogledPovrsine->PostaviSkrol({0, 0});
    pogledPovrsine->setFocus(Qt::OtherFocusReason);
}

void TMainForm::PokaziPutanju(const std::vector<int>& putanja) {
    if (putanja.empty()) return;
    if (DubinaNivoa(*radnaPovrsina) > 0) ::IdiNaNivo(*radnaPovrsina, 0);
    for (size_t i = 0; i + 1 < putanja.size(); ++i) {
        TSKEMBlok* b = NadjiBlok(*radnaPovrsina, putanja[i]);
        if (!JePodsistem(b)) break;
        OtvoriPodsistem(*radnaPovrsina, b);
    }
    PosleCitanja();
    OsveziPutanju();
    if (TSKEMBlok* b = NadjiBlok(*radnaPovrsina, putanja.back())) {
        b->SetAktivno(true);
        pogledPovrsine->ensureVisible(b->sceneBoundingRect(), 20, 20);
    }
}

void TMainForm::NapraviPodsistemExecute() {
    if (!NaModelu()) return;
    ZavrsiKorak();
    if (!NapraviPodsistem(*radnaPovrsina)) {
        Dijalozi().Poruka(QStringLiteral("Izaberite blokove koji ce cinititi podsistem."));
        return;
    }
    ZavrsiKorak();
    ObnoviListuBlokova();
    PrikaziUInspektoruAkoJeVidljiv();
}

void TMainForm::RazbijPodsistemExecute() {
    TSKEMBlok* b = radnaPovrsina->SelektovaniBlok;
    if (!NaModelu() || !JePodsistem(b)) return;
    ZavrsiKorak();
    RazbijPodsistem(*radnaPovrsina, b);
    ZavrsiKorak();
    ObnoviListuBlokova();
    PrikaziUInspektoruAkoJeVidljiv();
}

TUnosPodsistema* TMainForm::UnosPodsistema() {
    if (!unosPodsistema) unosPodsistema = new TUnosPodsistema(this);
    return unosPodsistema;
}

void TMainForm::ParametriPodsistemaExecute() {
    TSKEMBlok* b = radnaPovrsina->SelektovaniBlok;
    if (!NaModelu() || !JePodsistem(b)) return;
    const TModelPovrsine mp = ModelPovrsine(*radnaPovrsina);
    const auto it = std::find(mp.Blokovi.begin(), mp.Blokovi.end(), b);
    if (it == mp.Blokovi.end()) return;
    TUnosPodsistema* d = UnosPodsistema();
    d->Pripremi(mp.Model.Blokovi[size_t(it - mp.Blokovi.begin())]);
    Dijalozi().PrikaziModalno(*d);
    if (!d->Prihvaceno || !radnaPovrsina->Blokovi().contains(b)) return;
    const skem::TBlokModela r = d->Rezultat();
    b->Naziv = r.Naziv;
    b->setToolTip(r.Naziv);
    b->Podsistem = r.Podsistem;
    b->update();
    radnaPovrsina->OpisiKorak(QStringLiteral("izmena podsistema %1").arg(b->LokalniBroj()));
    PostaviIzmenjen(true);
    ZavrsiKorak();
    ObnoviListuBlokova();
    PrikaziUInspektoruAkoJeVidljiv();
}

// ---- the library ----

void TMainForm::UcitajBiblioteku() {
    TGrupaKataloga grupa{NazivBiblioteke, {}};
    QStringList imena;
    for (const QString& fascikla : {FasciklaIsporuceneBiblioteke(), FasciklaBiblioteke()}) {
        const QFileInfoList fajlovi =
            QDir(fascikla).entryInfoList({QStringLiteral("*.skem")}, QDir::Files, QDir::Name);
        for (const QFileInfo& f : fajlovi) {
            QFile fajl(f.absoluteFilePath());
            if (f.size() > (qint64(64) << 20) || !fajl.open(QIODevice::ReadOnly)) continue;
            const QByteArray tekst = fajl.readAll();
            // Only what reads as a document with blocks is offered.
            const skem::TProcitanModel m = skem::ProcitajModel(tekst);
            if (m.Greska || m.Model.Blokovi.empty()) continue;
            TStavkaKataloga s;
            s.Naziv = f.completeBaseName();
            s.ImageIndex = m.Model.Blokovi.front().Sifra;
            s.Natpisi.fill(QStringLiteral("x"));
            s.Dokument = tekst;
            // The user's own stands in for a shipped one of the same name.
            const qsizetype i = imena.indexOf(s.Naziv);
            if (i >= 0) {
                grupa.Stavke[i] = s;
            } else {
                imena << s.Naziv;
                grupa.Stavke.append(s);
            }
        }
    }
    paleta->ZameniGrupu(grupa);
}

void TMainForm::SacuvajUBibliotekuExecute() {
    TSKEMBlok* b = radnaPovrsina->SelektovaniBlok;
    if (!NaModelu()) return;
    if (!JePodsistem(b)) {
        Dijalozi().Poruka(QStringLiteral("Izaberite podsistem koji zelite da sacuvate."));
        return;
    }
    const QString fascikla = FasciklaBiblioteke();
    if (!QDir().mkpath(fascikla))
        throw TGreskaDokumenta(
            QStringLiteral("Fascikla biblioteke '%1' ne moze da se napravi!").arg(fascikla));
    const QString ime = fascikla + QLatin1Char('/') + ImeFajla(b->Naziv) + QStringLiteral(".skem");
    if (QFileInfo::exists(ime) &&
        Dijalozi().Pitanje(QStringLiteral("U biblioteci vec postoji '%1'. Da li zelite da ga "
                                          "zamenite?")
                               .arg(QFileInfo(ime).completeBaseName())) != TDijalozi::TOdgovor::Da)
        return;
    // The subsystem alone, as a document of its own, at the top left.
    const QList<TSKEMBlok*> izabrani = radnaPovrsina->IzabraniBlokovi();
    radnaPovrsina->IzaberiBlokove({b});
    skem::TModelDokumenta m = IzborUModel(*radnaPovrsina);
    radnaPovrsina->IzaberiBlokove(izabrani);
    if (m.Blokovi.size() != 1) return;
    m.Blokovi[0].Left = m.Blokovi[0].Top = 16;
    m.Blokovi[0].LokalniBroj = 1;
    skem::SnimiModel(m, ime);
    UcitajBiblioteku();
    statusnaTraka->showMessage(
        QStringLiteral("Podsistem je sacuvan u biblioteci: %1").arg(QDir::toNativeSeparators(ime)),
        5000);
}
