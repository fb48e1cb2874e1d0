// The main window's editing comforts: undo and redo, the clipboard, zoom,
// a block's parameters on a double click, and the recent documents.
#include "Glavni.h"

#include "Dijalozi.h"
#include "Dokument.h"
#include "IstorijaIzmena.h"
#include "Medjuspremnik.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"
#include "Slike.h"
#include "VrsteElemenata.h"
#include "uUnosParam.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// The recent documents live in the program's own settings file.
QSettings Podesavanja() {
    return QSettings(FajlPodesavanja(), QSettings::IniFormat);
}

const QString KljucSkorasnjih = QStringLiteral("SkorasnjiDokumenti");
constexpr int BrojSkorasnjih = 8;

} // namespace

void TMainForm::NapraviAkcijeUredjivanja() {
    using K = QKeySequence;
    ponisti = NovaAkcija(this, "Ponisti", QStringLiteral("&Ponisti"), QStringLiteral("Ponisti"),
                         Ikonica(TIkonica::Ponisti), {K(Qt::CTRL | Qt::Key_Z)});
    ponovi = NovaAkcija(this, "Ponovi", QStringLiteral("Po&novi"), QStringLiteral("Ponovi"),
                        Ikonica(TIkonica::Ponovi),
                        {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    iseci = NovaAkcija(this, "Iseci", QStringLiteral("Ise&ci"),
                       QStringLiteral("Premesta izabrane blokove u clipboard"), {},
                       {K(Qt::SHIFT | Qt::Key_Delete)});
    kopiraj = NovaAkcija(this, "Kopiraj", QStringLiteral("&Kopiraj"),
                         QStringLiteral("Kopira izabrane blokove u clipboard"), {},
                         {K(Qt::CTRL | Qt::Key_C)});
    nalepi =
        NovaAkcija(this, "Nalepi", QStringLiteral("&Nalepi"),
                   QStringLiteral("Dodaje blokove iz clipboard-a"), {}, {K(Qt::CTRL | Qt::Key_V)});
    dupliraj = NovaAkcija(this, "Dupliraj", QStringLiteral("&Dupliraj"),
                          QStringLiteral("Dodaje kopiju izabranih blokova"), {},
                          {K(Qt::CTRL | Qt::Key_D)});
    uvecaj = NovaAkcija(this, "Uvecaj", QStringLiteral("&Uvecaj"), QStringLiteral("Uvecava prikaz"),
                        {}, {K(Qt::CTRL | Qt::Key_Plus), K(Qt::CTRL | Qt::Key_Equal)});
    umanji = NovaAkcija(this, "Umanji", QStringLiteral("U&manji"),
                        QStringLiteral("Umanjuje prikaz"), {}, {K(Qt::CTRL | Qt::Key_Minus)});
    stvarnaVelicina = NovaAkcija(this, "StvarnaVelicina", QStringLiteral("&Stvarna velicina"),
                                 QStringLiteral("Prikaz u stvarnoj velicini (100 %)"), {},
                                 {K(Qt::CTRL | Qt::Key_0)});
    prikaziSve = NovaAkcija(this, "PrikaziSve", QStringLiteral("&Prikazi sve"),
                            QStringLiteral("Prikazuje ceo dijagram"));

    NaKomandu(ponisti, [this] { PonistiExecute(); });
    NaKomandu(ponovi, [this] { PonoviExecute(); });
    NaKomandu(iseci, [this] { IseciExecute(); });
    NaKomandu(kopiraj, [this] { KopirajExecute(); });
    NaKomandu(nalepi, [this] { NalepiExecute(); });
    NaKomandu(dupliraj, [this] { DuplirajExecute(); });
    NaKomandu(uvecaj, [this] { pogledPovrsine->Uvecaj(); });
    NaKomandu(umanji, [this] { pogledPovrsine->Umanji(); });
    NaKomandu(stvarnaVelicina, [this] { pogledPovrsine->PostaviUvecanje(1); });
    NaKomandu(prikaziSve, [this] { pogledPovrsine->PrikaziSve(); });
    addActions({ponisti, ponovi, iseci, kopiraj, nalepi, dupliraj, uvecaj, umanji, stvarnaVelicina,
                prikaziSve});
}

void TMainForm::NapraviMeniUredjivanja(QMenu* datoteka, QMenu* uredi) {
    skorasnji = new QMenu(QStringLiteral("S&korasnji"), datoteka);
    skorasnji->setObjectName(QStringLiteral("MeniSkorasnji"));
    QAction* izlaz = datoteka->actions().constLast();
    datoteka->insertMenu(izlaz, skorasnji);
    datoteka->insertSeparator(izlaz);
    connect(skorasnji, &QMenu::aboutToShow, this, [this] { OsveziSkorasnje(); });
    OsveziSkorasnje();

    QAction* prva = uredi->actions().constFirst();
    uredi->insertActions(prva, {ponisti, ponovi});
    uredi->insertSeparator(prva);
    uredi->insertActions(prva, {iseci, kopiraj, nalepi, dupliraj});
    uredi->insertSeparator(prva);
}

// ---- the history ----

void TMainForm::PostaviIzmenjen(bool izmenjenSada) {
    // Unmodified means: as saved, which the history then knows too.
    if (!izmenjenSada && istorija) {
        ZavrsiKorak();
        istorija->OznaciSacuvano();
    }
    izmenjen = izmenjenSada;
    OsveziNaslov();
}

void TMainForm::OsveziNaslov() {
    setWindowTitle(QStringLiteral("SKEM - ") +
                   (imeDokumenta.isEmpty() ? QStringLiteral("Dok1") : imeDokumenta) +
                   (izmenjen ? QStringLiteral("*") : QString()));
}

void TMainForm::ZakaziKorak() {
    if (korakZakazan || !istorija) return;
    korakZakazan = true;
    // A drag or a dialog still under way: the step ends later.
    const bool kasnije = pogledPovrsine->MisPritisnut() || QApplication::activeModalWidget();
    QTimer::singleShot(kasnije ? 50 : 0, this, [this] {
        korakZakazan = false;
        if (pogledPovrsine->MisPritisnut() || QApplication::activeModalWidget())
            ZakaziKorak();
        else
            IzvrsiIPrijavi([this] { ZavrsiKorak(); });
    });
}

void TMainForm::ZavrsiKorak() {
    if (!istorija) return;
    const TIstorijaIzmena::TKraj kraj = istorija->ZavrsiKorak(radnaPovrsina->OpisKoraka());
    // A step not yet complete keeps its name for when it is.
    if (kraj != TIstorijaIzmena::TKraj::NijeGotov) radnaPovrsina->ZaboraviOpisKoraka();
    // A kept change marks the document; a step that changed nothing leaves the
    // mark as the action set it (it stays until a save).
    if (kraj == TIstorijaIzmena::TKraj::Zapamcen) izmenjen = true;
    OsveziIstoriju();
}

void TMainForm::PocniIstoriju() {
    if (!istorija) return;
    radnaPovrsina->ZaboraviOpisKoraka();
    istorija->Pocni();
    izmenjen = false;
    OsveziIstoriju();
    OsveziPutanju();
}

void TMainForm::OznaciSacuvano() {
    PostaviIzmenjen(false);
}

void TMainForm::OsveziIstoriju() {
    const auto postavi = [](QAction* a, const QString& natpis, bool moze, const QString& opis) {
        a->setEnabled(moze);
        const QString savet = moze ? natpis + QStringLiteral(": ") + opis : natpis;
        a->setToolTip(savet);
        a->setStatusTip(savet);
    };
    postavi(ponisti, QStringLiteral("Ponisti"), istorija->MozePonistiti(),
            istorija->OpisPonistavanja());
    postavi(ponovi, QStringLiteral("Ponovi"), istorija->MozePonoviti(),
            istorija->OpisPonavljanja());
    OsveziNaslov();
}

void TMainForm::PonistiExecute() {
    if (!NaModelu()) return;
    ZavrsiKorak();
    VratiStanje([this] { istorija->Ponisti(); });
}

void TMainForm::PonoviExecute() {
    if (!NaModelu()) return;
    ZavrsiKorak();
    VratiStanje([this] { istorija->Ponovi(); });
}

void TMainForm::VratiStanje(const std::function<void()>& vrati) {
    const QPoint skrol = pogledPovrsine->Skrol();
    try {
        vrati();
    } catch (const std::exception& g) {
        Dijalozi().Greska(QString::fromUtf8(g.what()));
    }
    PosleCitanja();
    pogledPovrsine->PostaviSkrol(skrol);
}

void TMainForm::PosleCitanja() {
    // What reading raised belongs to no step of its own.
    radnaPovrsina->ZaboraviOpisKoraka();
    ObnoviListuBlokova();
    PrikaziUInspektoruAkoJeVidljiv();
    // Undo and redo clear the mark only where they reach the saved state.
    izmenjen = istorija->Izmenjen();
    OsveziIstoriju();
    OsveziPutanju();
}

// ---- the clipboard ----

void TMainForm::KopirajExecute() {
    if (!NaModelu()) return;
    const QByteArray xml = IzborUTekst(*radnaPovrsina);
    if (xml.isEmpty()) return;
    auto* podaci = new QMimeData;
    podaci->setData(QLatin1String(MimeDokumenta), xml);
    podaci->setText(QString::fromUtf8(xml));
    QApplication::clipboard()->setMimeData(podaci);
}

void TMainForm::IseciExecute() {
    if (!NaModelu() || radnaPovrsina->IzabraniBlokovi().isEmpty()) return;
    KopirajExecute();
    radnaPovrsina->ObrisiSelektovano();
    radnaPovrsina->OpisiKorak(QStringLiteral("isecanje"));
    ZakaziKorak();
}

void TMainForm::NalepiExecute() {
    if (!NaModelu()) return;
    const QMimeData* podaci = QApplication::clipboard()->mimeData();
    if (!podaci) return;
    const QByteArray xml = podaci->hasFormat(QLatin1String(MimeDokumenta))
                               ? podaci->data(QLatin1String(MimeDokumenta))
                               : podaci->text().toUtf8();
    if (xml.isEmpty()) return;
    // Pasted with the pointer over the surface, the blocks land there.
    std::optional<QPoint> tacka;
    const QPoint misem = pogledPovrsine->viewport()->mapFromGlobal(QCursor::pos());
    if (pogledPovrsine->viewport()->rect().contains(misem) && pogledPovrsine->underMouse())
        tacka = pogledPovrsine->mapToScene(misem).toPoint();
    Nalepi(xml, tacka, QStringLiteral("nalepljivanje"));
}

void TMainForm::DuplirajExecute() {
    if (!NaModelu()) return;
    const QByteArray xml = IzborUTekst(*radnaPovrsina);
    if (!xml.isEmpty()) Nalepi(xml, {}, QStringLiteral("dupliranje"));
}

void TMainForm::Nalepi(const QByteArray& xml, std::optional<QPoint> tacka, const QString& opis) {
    ZavrsiKorak();
    const QPoint skrol = pogledPovrsine->Skrol();
    // Away from the pointer, they land in the part of the surface in view.
    const QRect vidljivo = pogledPovrsine->VidljivaOblast().toRect();
    try {
        if (NalepiTekst(*radnaPovrsina, xml, tacka, vidljivo) == 0) return;
    } catch (const TGreskaDokumenta& g) {
        Dijalozi().Greska(g.Poruka());
        return;
    }
    pogledPovrsine->PostaviSkrol(skrol);
    // The pasted blocks are seen whole, the view scrolled to them when needed.
    QRectF nalepljeni;
    for (const TSKEMBlok* b : radnaPovrsina->IzabraniBlokovi())
        nalepljeni |= b->sceneBoundingRect();
    pogledPovrsine->PrikaziOblast(nalepljeni);
    radnaPovrsina->OpisiKorak(opis);
    ZavrsiKorak();
    ObnoviListuBlokova();
    PrikaziUInspektoruAkoJeVidljiv();
}

// ---- a block's parameters ----

void TMainForm::ParametriBloka() {
    TSKEMBlok* b = radnaPovrsina->SelektovaniBlok;
    // A subsystem opens: its parameters have a dialog of their own.
    if (b && b->Sifra == skem::SifraVrste(skem::TVrstaElementa::Podsistem)) {
        OtvoriPodsistemExecute();
        return;
    }
    if (!b || b->brparam == 0) return;
    TUnosPar* d = UnosPar();
    PripremiUnosParametara(*d, *b, false);
    Dijalozi().PrikaziModalno(*d);
    if (!d->Prihvaceno || !radnaPovrsina->Blokovi().contains(b)) return;
    PrimeniUnosParametara(*d, *b);
    radnaPovrsina->OpisiKorak(QStringLiteral("izmena parametara bloka %1").arg(b->LokalniBroj()));
    PostaviIzmenjen(true);
    ZavrsiKorak();
    PrikaziUInspektoru();
}

void TMainForm::PripremiUnosParametara(TUnosPar& d, const TSKEMBlok& b, bool nov) {
    d.PripremiRedove(b.brparam, b.Natpisi[0], b.Natpisi[1], b.Natpisi[2]);
    if (!skem::JePortPodsistema(skem::VrstaIzSifre(b.Sifra))) {
        if (!nov) d.PostaviVrednosti(b.Parametar1, b.Parametar2, b.Parametar3);
        return;
    }
    // A new port takes the next number of its kind on this level.
    double broj = b.Parametar1;
    if (nov) {
        broj = 0;
        for (const TSKEMBlok* drugi : radnaPovrsina->Blokovi())
            if (drugi != &b && drugi->Sifra == b.Sifra) broj = std::max(broj, drugi->Parametar1);
        broj = std::floor(broj) + 1;
    }
    d.PostaviVrednosti(broj, 0, 0);
    d.PripremiIme(b.Natpisi[size_t(skem::NatpisImenaPorta)]);
}

void TMainForm::PrimeniUnosParametara(const TUnosPar& d, TSKEMBlok& b) {
    b.Parametar1 = d.Vrednost(1);
    b.Parametar2 = d.Vrednost(2);
    b.Parametar3 = d.Vrednost(3);
    if (d.ImaIme()) b.Natpisi[size_t(skem::NatpisImenaPorta)] = d.Ime();
    b.update(); // a port shows its number and name
}

// ---- recent documents ----

void TMainForm::DodajSkorasnji(const QString& putanja) {
    QSettings podesavanja = Podesavanja();
    QStringList lista = podesavanja.value(KljucSkorasnjih).toStringList();
    lista.removeAll(putanja);
    lista.prepend(putanja);
    podesavanja.setValue(KljucSkorasnjih, lista.mid(0, BrojSkorasnjih));
    OsveziSkorasnje();
}

void TMainForm::OsveziSkorasnje() {
    skorasnji->clear();
    const QStringList lista = Podesavanja().value(KljucSkorasnjih).toStringList();
    for (int i = 0; i < lista.size(); ++i) {
        QAction* a = skorasnji->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(lista[i]).fileName()));
        a->setStatusTip(lista[i]);
        a->setToolTip(lista[i]);
        NaKomandu(a, [this, p = lista[i]] { OtvoriSkorasnji(p); });
    }
    skorasnji->setEnabled(!lista.isEmpty());
}

void TMainForm::OtvoriSkorasnji(const QString& putanja) {
    if (QFileInfo(putanja).isFile()) {
        OtvoriDokument(putanja);
        return;
    }
    Dijalozi().Poruka(QStringLiteral("Fajl \"") + putanja +
                      QStringLiteral("\" vise ne postoji; uklonjen je iz liste skorasnjih."));
    QSettings podesavanja = Podesavanja();
    QStringList lista = podesavanja.value(KljucSkorasnjih).toStringList();
    lista.removeAll(putanja);
    podesavanja.setValue(KljucSkorasnjih, lista);
    OsveziSkorasnje();
}
