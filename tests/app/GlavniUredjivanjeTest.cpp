// The main window's editing comforts: undo and redo with named steps and the
// modified mark, the clipboard, a block's parameters on a double click, and
// the recent documents.
#include "GlavniPomoc.h"

#include "IstorijaIzmena.h"
#include "SKEMInspektor.h"
#include "Skroler.h"
#include "uUnosPodsistema.h"

#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGraphicsView>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace glavni_test;

namespace {

// The levels the path bar above the surface names, "Model" first.
QStringList NivoiNaTraci(const QObject& g) {
    QStringList r;
    for (const QToolButton* d : Deo<QWidget>(g, "TrakaPutanje")->findChildren<QToolButton*>())
        r << d->text();
    return r;
}

class Uredjivanje : public TGlavniTest {
protected:
    // Lets the step the last change began end, as the event loop would.
    static void Sacekaj() { QCoreApplication::processEvents(); }
};

} // namespace

TEST_F(Uredjivanje, PonistiPonoviIOznakaIzmene) {
    auto g = Napravi();
    QAction* ponisti = Akcija(*g, "Ponisti");
    QAction* ponovi = Akcija(*g, "Ponovi");
    EXPECT_FALSE(ponisti->isEnabled());
    EXPECT_EQ(ponisti->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(ponovi->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 20});
    Sacekaj();
    const QString snimak = temp.filePath("a.skem");
    dijalozi.ImenaFajlova.push_back(snimak);
    Akcija(*g, "FileSaveAs")->trigger();
    EXPECT_EQ(g->windowTitle(), "SKEM - a");
    TSKEMBlok* p = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {200, 20});
    Sacekaj();
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, a, p);
    Sacekaj();
    EXPECT_EQ(g->windowTitle(), "SKEM - a*");
    EXPECT_EQ(ponisti->toolTip(), "Ponisti: veza od bloka 1 do bloka 2");

    ponisti->trigger();
    EXPECT_TRUE(Povrsina(*g)->Veze.isEmpty());
    EXPECT_EQ(ponisti->toolTip(), "Ponisti: dodavanje bloka 2");
    EXPECT_EQ(ponovi->toolTip(), "Ponovi: veza od bloka 1 do bloka 2");
    ponisti->trigger();
    // Back at the saved state: not modified, and the file's text again.
    EXPECT_FALSE(g->Izmenjen());
    EXPECT_EQ(g->windowTitle(), "SKEM - a");
    QFile f(snimak);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(DokumentUTekst(*Povrsina(*g)), f.readAll());
    ponovi->trigger();
    ponovi->trigger();
    EXPECT_EQ(Povrsina(*g)->Veze.size(), 1);
    EXPECT_TRUE(g->Izmenjen());
    EXPECT_FALSE(ponovi->isEnabled());
    // New clears the history.
    dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Ne);
    Akcija(*g, "NovDoc")->trigger();
    EXPECT_FALSE(ponisti->isEnabled());
    EXPECT_FALSE(g->Izmenjen());
}

TEST_F(Uredjivanje, KopirajNalepiDuplirajIseci) {
    auto g = Napravi();
    TSKEMRadnaPovrsina* rp = Povrsina(*g);
    TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 20});
    TSKEMBlok* p = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {200, 20});
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, a, p);
    Sacekaj();
    rp->IzaberiSve();
    Akcija(*g, "Kopiraj")->trigger();
    const QMimeData* podaci = QApplication::clipboard()->mimeData();
    ASSERT_NE(podaci, nullptr);
    EXPECT_TRUE(podaci->hasFormat("application/x-skem-dokument"));
    EXPECT_TRUE(podaci->text().startsWith("<SKEMDokument>"));
    Akcija(*g, "Nalepi")->trigger();
    ASSERT_EQ(rp->Blokovi().size(), 4);
    EXPECT_EQ(rp->Veze.size(), 2);
    EXPECT_EQ(rp->Blokovi()[3]->IzvorUlaza(0), rp->Blokovi()[2]);
    EXPECT_EQ(Akcija(*g, "Ponisti")->toolTip(), "Ponisti: nalepljivanje");
    Akcija(*g, "Dupliraj")->trigger();
    EXPECT_EQ(rp->Blokovi().size(), 6);
    // Cut: the selection goes and comes back with one undo.
    Akcija(*g, "Iseci")->trigger();
    Sacekaj();
    EXPECT_EQ(rp->Blokovi().size(), 4);
    Akcija(*g, "Ponisti")->trigger();
    EXPECT_EQ(rp->Blokovi().size(), 6);
    EXPECT_EQ(rp->Veze.size(), 3);
}

TEST_F(Uredjivanje, NalepljeniBlokoviSeVide) {
    // Where the pointer is (view pixels; none: off the view) and where the
    // view is scrolled when Ctrl+V is pressed.
    struct TSlucaj {
        const char* opis;
        std::optional<QPoint> mis; // from the viewport's bottom right
        QPoint skrol;
    } const slucajevi[] = {
        {"mis u uglu pogleda", QPoint(-10, -10), {0, 0}},
        {"mis van pogleda, originali van pogleda", {}, {2000, 2000}},
        {"mis van pogleda, originali u pogledu", {}, {0, 0}},
    };
    for (const TSlucaj& s : slucajevi) {
        SCOPED_TRACE(s.opis);
        auto g = Napravi();
        g->resize(1280, 800);
        Prikazi(*g);
        TSKEMRadnaPovrsina* rp = Povrsina(*g);
        auto* pogled = Deo<TSKEMPogled>(*g, "PogledPovrsine");
        TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {40, 40});
        TSKEMBlok* p = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {300, 160});
        SpustiBezDijaloga(*g, 25, "Vreme", 0, {3000, 3000}); // room to scroll
        rp->IzaberiBlokove({a, p});
        Akcija(*g, "Kopiraj")->trigger();
        pogled->PostaviSkrol(s.skrol);
        QWidget* ekran = pogled->viewport();
        const QPoint mis = s.mis ? ekran->rect().bottomRight() + *s.mis : QPoint();
        QWidget* paleta = Deo<QWidget>(*g, "PanelPalete");
        // Over the view first, so leaving it is seen.
        for (const QPoint tacka :
             {ekran->mapToGlobal(ekran->rect().center()),
              s.mis ? ekran->mapToGlobal(mis) : paleta->mapToGlobal(paleta->rect().center())}) {
            QCursor::setPos(tacka);
            Sacekaj();
        }
        ASSERT_EQ(pogled->underMouse(), s.mis.has_value());
        const QRectF vidljivo = pogled->VidljivaOblast();

        Akcija(*g, "Nalepi")->trigger();
        ASSERT_EQ(rp->Blokovi().size(), 5);
        const QList<TSKEMBlok*> nalepljeni = rp->IzabraniBlokovi();
        ASSERT_EQ(nalepljeni, rp->Blokovi().mid(3));
        if (s.mis) // at the pointer
            EXPECT_EQ(nalepljeni[0]->pos(), vidljivo.topLeft() + QPointF(mis));
        else if (vidljivo.contains(QPointF(56, 56))) // next to the originals
            EXPECT_EQ(nalepljeni[0]->pos(), QPointF(56, 56));
        for (const TSKEMBlok* b : nalepljeni)
            EXPECT_TRUE(pogled->VidljivaOblast().contains(b->sceneBoundingRect()))
                << b->Left() << ", " << b->Top();
    }
}

TEST_F(Uredjivanje, DvostrukiKlikMenjaParametre) {
    auto g = Napravi();
    TSKEMRadnaPovrsina* rp = Povrsina(*g);
    dijalozi.Skripte.push_back([](QDialog& d) {
        auto& u = dynamic_cast<TUnosPar&>(d);
        u.PoljeParametra1->setText("2.5");
        u.DugmePrihvati->click();
    });
    TSKEMBlok* b = SpustiIzKataloga(*g, 8, {100, 100});
    Sacekaj();
    // The dialog opens with the block's values; cancelling changes nothing.
    QString prikazano;
    dijalozi.Skripte.push_back([&](QDialog& d) {
        auto& u = dynamic_cast<TUnosPar&>(d);
        prikazano = u.PoljeParametra1->text();
        u.PoljeParametra1->setText("7");
        u.DugmeOdustani->click();
    });
    Javi(rp->OnParametriBloka, rp);
    EXPECT_EQ(prikazano, "2.5");
    EXPECT_EQ(b->Parametar1, 2.5);
    dijalozi.Skripte.push_back([](QDialog& d) {
        auto& u = dynamic_cast<TUnosPar&>(d);
        u.PoljeParametra1->setText("-4");
        u.DugmePrihvati->click();
    });
    Javi(rp->OnParametriBloka, rp);
    EXPECT_EQ(b->Parametar1, -4);
    EXPECT_EQ(Akcija(*g, "Ponisti")->toolTip(), "Ponisti: izmena parametara bloka 1");
    Akcija(*g, "Ponisti")->trigger();
    EXPECT_EQ(rp->Blokovi()[0]->Parametar1, 2.5);
}

TEST_F(Uredjivanje, SkorasnjiDokumenti) {
    auto g = Napravi();
    auto* meni = Deo<QMenu>(*g, "MeniSkorasnji");
    QStringList putanje;
    for (int i = 0; i < 10; ++i) {
        putanje << temp.filePath(QStringLiteral("d%1.skem").arg(i));
        dijalozi.ImenaFajlova.push_back(putanje.last());
        Akcija(*g, "FileSaveAs")->trigger();
    }
    emit meni->aboutToShow();
    QStringList natpisi;
    for (QAction* a : meni->actions())
        natpisi << a->text();
    EXPECT_EQ(natpisi, (QStringList{"&1 d9.skem", "&2 d8.skem", "&3 d7.skem", "&4 d6.skem",
                                    "&5 d5.skem", "&6 d4.skem", "&7 d3.skem", "&8 d2.skem"}));
    // A file gone since: a message, and it leaves the list.
    QFile::remove(putanje[9]);
    dijalozi.Zapis.clear();
    meni->actions()[0]->trigger();
    EXPECT_EQ(dijalozi.Zapis.size(), 1);
    EXPECT_TRUE(dijalozi.Zapis.value(0).contains("d9.skem"));
    emit meni->aboutToShow();
    EXPECT_EQ(meni->actions().size(), 7);
    // One still there opens.
    meni->actions()[0]->trigger();
    EXPECT_EQ(g->ImeDokumenta(), "d8");

    // A document given on the command line (a file manager's double click) joins the list.
    auto sa = Napravi({Primer("oscilator.skem")});
    auto* njegov = Deo<QMenu>(*sa, "MeniSkorasnji");
    emit njegov->aboutToShow();
    ASSERT_FALSE(njegov->actions().isEmpty());
    EXPECT_EQ(njegov->actions()[0]->statusTip(),
              QFileInfo(Primer("oscilator.skem")).absoluteFilePath());
}

TEST_F(Uredjivanje, DugaSimulacijaSePrekidaIZatvaranjePita) {
    auto g = Napravi({Primer("oscilator.skem")});
    auto* prekini = Deo<QPushButton>(*g, "DugmePrekini");
    EXPECT_EQ(prekini->shortcut(), QKeySequence(Qt::Key_Escape));
    // 10^9 steps: stopped once under way, with the window live meanwhile.
    bool tokomRada = false;
    QTimer::singleShot(300, g.get(), [&] {
        auto* traka = Deo<QProgressBar>(*g, "TrakaRada");
        tokomRada = traka->isVisibleTo(g.get()) && !Akcija(*g, "NovDoc")->isEnabled() &&
                    traka->text().startsWith("t = ") && traka->text().endsWith(" od 1000000");
        prekini->click();
    });
    dijalozi.Skripte.push_back(UnesiOpcije("1000000", "0.001", "1000"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_TRUE(tokomRada);
    EXPECT_EQ(dijalozi.Zapis.value(dijalozi.Zapis.size() - 1), "Poruka: Simulacija je prekinuta.");
    EXPECT_NE(Strane(*g)->currentWidget(), Prikaz(*g)->TabelaTab());
    EXPECT_FALSE(g->Izmenjen());
    EXPECT_TRUE(Akcija(*g, "NovDoc")->isEnabled());
    EXPECT_FALSE(prekini->isVisibleTo(g.get()));

    // Closing during a run asks first, then stops it and closes.
    g->show();
    QTimer::singleShot(300, g.get(), [&] { g->close(); });
    dijalozi.Zapis.clear();
    dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
    dijalozi.Skripte.push_back(UnesiOpcije("1000000", "0.001", "1000"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(dijalozi.Zapis,
              (QStringList{"Dijalog: Opcije", "Pitanje: Simulacija je u toku. Da li zelite da je "
                                              "prekinete?"}));
    EXPECT_FALSE(g->isVisible());
}

// Undo and redo show the level each step was made at, whichever is shown.
TEST_F(Uredjivanje, PonistavanjePokazujeNivoIzmene) {
    auto g = Napravi();
    Prikazi(*g);
    FileOpen(*g, Primer("oscilator.skem"));
    TSKEMRadnaPovrsina* rp = Povrsina(*g);
    const auto putanja = [&] { return NivoiNaTraci(*g); };
    // A subsystem made at the top, then a block moved inside it.
    rp->IzaberiBlokove(rp->Blokovi().mid(1, 2));
    Akcija(*g, "NapraviPodsistem")->trigger();
    Sacekaj();
    const QByteArray napravljen = DokumentUTekst(*rp);
    rp->IzaberiBlokove({rp->Blokovi()[1]});
    Akcija(*g, "OtvoriPodsistem")->trigger();
    rp->Blokovi()[0]->PostaviPoziciju(300, 300);
    rp->OnChange(rp);
    Sacekaj();
    const QByteArray pomeren = DokumentUTekst(*rp);
    ASSERT_NE(pomeren, napravljen);
    Akcija(*g, "NazadIzPodsistema")->trigger();

    const QStringList gore{"Model"}, unutra{"Model", "Podsistem 2"};
    const struct {
        const char* akcija;
        QStringList nivo;
        QByteArray dokument;
    } koraci[] = {
        {"Ponisti", unutra, napravljen}, // the move, made inside
        {"Ponisti", gore, {}},           // the subsystem, made at the top
        {"Ponovi", gore, napravljen},
        {"Ponovi", unutra, pomeren},
    };
    for (const auto& k : koraci) {
        Akcija(*g, k.akcija)->trigger();
        EXPECT_EQ(putanja(), k.nivo) << k.akcija;
        if (!k.dokument.isEmpty()) EXPECT_EQ(DokumentUTekst(*rp), k.dokument) << k.akcija;
    }
    EXPECT_EQ(rp->Blokovi()[0]->pos(), QPointF(300, 300));
}

TEST_F(Uredjivanje, PodsistemOtvorenNazadBibliotekaIUmetanje) {
    // The user's library in the scratch folder.
    const QByteArray stari = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", temp.filePath(QStringLiteral("podaci")).toLocal8Bit());
    auto g = Napravi();
    Prikazi(*g);
    FileOpen(*g, Primer("oscilator.skem"));
    TSKEMRadnaPovrsina* rp = Povrsina(*g);
    const auto putanja = [&] { return NivoiNaTraci(*g); };
    EXPECT_EQ(putanja(), QStringList{"Model"});
    rp->IzaberiBlokove(rp->Blokovi().mid(1, 2));
    Akcija(*g, "NapraviPodsistem")->trigger();
    Sacekaj();
    ASSERT_EQ(rp->Blokovi().size(), 2);
    EXPECT_EQ(Akcija(*g, "Ponisti")->toolTip(), "Ponisti: pravljenje podsistema 2");
    EXPECT_EQ(Akcija(*g, "NapraviPodsistem")->shortcut(), QKeySequence("Ctrl+G"));
    const QByteArray posle = DokumentUTekst(*rp);

    // Opened by a double click's handler; Backspace on the surface goes back.
    rp->OnParametriBloka(rp);
    EXPECT_EQ(putanja(), (QStringList{"Model", "Podsistem 2"}));
    EXPECT_EQ(rp->Blokovi().size(), 5); // two blocks, an input port, two output ports
    EXPECT_EQ(DokumentUTekst(*rp), posle);
    // Saved from inside: the whole document, with the method it keeps.
    rp->MetodIntegracije = skem::TMetodDokumenta{skem::TMetodIntegracije::DP45, 1e-7, 1e-9};
    const QString snimljen = temp.filePath(QStringLiteral("unutra.skem"));
    g->PostaviImeDokumenta(snimljen);
    Akcija(*g, "FileSave")->trigger();
    skem::TModelDokumenta ocekivan = skem::UcitajModel(posle);
    ocekivan.MetodIntegracije = rp->MetodIntegracije;
    EXPECT_EQ(skem::UcitajModelIzFajla(snimljen).Blokovi.size(), 2u);
    QFile f(snimljen);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray procitan = f.readAll();
    EXPECT_EQ(procitan.toStdString(), skem::ModelUTekst(ocekivan).toStdString());
    QTest::keyClick(Deo<QWidget>(*g, "PogledPovrsine"), Qt::Key_Backspace);
    EXPECT_EQ(rp->MetodIntegracije, ocekivan.MetodIntegracije);
    rp->MetodIntegracije.reset();
    EXPECT_EQ(putanja(), QStringList{"Model"});
    EXPECT_EQ(rp->SelektovaniBlok, rp->Blokovi()[1]);

    // It runs as the flat diagram did.
    dijalozi.Skripte.push_back(UnesiOpcije("10", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_EQ(Strane(*g)->currentWidget(), Prikaz(*g)->TabelaTab())
        << dijalozi.Poruke().join('\n').toStdString();
    Akcija(*g, "IzvSimulaciju")->setEnabled(true);
    Strane(*g)->setCurrentIndex(0);

    // Named and with a parameter shown, stored in the library, offered in the
    // palette beside the shipped ones, and inserted as a copy.
    rp->IzaberiBlokove({rp->Blokovi()[1]});
    dijalozi.Skripte.push_back([](QDialog& d) {
        auto& u = static_cast<TUnosPodsistema&>(d);
        u.PoljeNaziva->setText("Oscilator");
        u.DodajRed(1, "Pocetni x");
        u.DugmePrihvatiClick();
    });
    Akcija(*g, "ParametriPodsistema")->trigger();
    TSKEMBlok* p = rp->Blokovi()[1];
    EXPECT_EQ(p->Naziv, "Oscilator");
    ASSERT_EQ(p->Podsistem->Parametri.size(), 1u);
    // Edited in the inspector: the inner block, one undo step.
    const skem::TParametarPodsistema par = p->Podsistem->Parametri[0];
    const auto vrednost = [&] {
        const TSKEMBlok* b = rp->Blokovi()[1];
        return skem::BlokNaPutanji(b->Podsistem->Sadrzaj, par.Blok)->Parametar(par.Parametar);
    };
    const double pre = vrednost();
    Sacekaj();
    Inspektor(*g)->PrikaziBlok(p);
    TSKEMGrid* grid = Inspektor(*g)->GridUlaza();
    ASSERT_EQ(grid->Tekst(grid->rowCount() - 1, 0), "Pocetni x");
    grid->OnIzmenaTeksta(grid, grid->rowCount() - 1, "5.5");
    Sacekaj();
    EXPECT_EQ(vrednost(), 5.5);
    EXPECT_EQ(Akcija(*g, "Ponisti")->toolTip(), "Ponisti: izmena parametara bloka 2");
    Akcija(*g, "Ponisti")->trigger();
    EXPECT_EQ(vrednost(), pre);
    Akcija(*g, "Ponovi")->trigger();
    EXPECT_EQ(vrednost(), 5.5);
    p = rp->Blokovi()[1];
    Akcija(*g, "SacuvajUBiblioteku")->trigger();
    const QString fajl = FasciklaBiblioteke() + "/Oscilator.skem";
    ASSERT_TRUE(QFileInfo::exists(fajl)) << dijalozi.Poruke().join('\n').toStdString();
    const TSKEMGrupa* biblioteka = Deo<TSKEMGroupBar>(*g, "Paleta")->Grupe().last();
    EXPECT_EQ(biblioteka->Naziv(), "Biblioteka");
    QStringList stavke;
    for (const TSkrolStavka* s : biblioteka->Skroler()->Stavke())
        stavke << s->Naziv();
    EXPECT_EQ(stavke, (QStringList{"Aktuator sa zasicenjem", "Clan drugog reda", "PID regulator",
                                   "Oscilator"}));
    rp->OnSpustiDokument(biblioteka->Skroler()->Stavke().last()->Stavka().Dokument, {600, 400});
    ASSERT_EQ(rp->Blokovi().size(), 3);
    EXPECT_EQ(rp->Blokovi()[2]->pos(), QPointF(600, 400));
    EXPECT_EQ(skem::ModelUTekst(rp->Blokovi()[2]->Podsistem->Sadrzaj),
              skem::ModelUTekst(p->Podsistem->Sadrzaj));
    EXPECT_EQ(Akcija(*g, "Ponisti")->toolTip(), "Ponisti: dodavanje iz biblioteke");

    // The copy broken up: its two blocks in its place, selected.
    Akcija(*g, "RazbijPodsistem")->trigger();
    ASSERT_EQ(rp->Blokovi().size(), 4);
    EXPECT_EQ(rp->IzabraniBlokovi(), rp->Blokovi().mid(2));
    EXPECT_EQ(rp->Blokovi()[2]->pos(), QPointF(600, 400));
    if (stari.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", stari);
}

// Inside an opened subsystem a block is watched and steered by its path from
// the top; the run's live chart shows that block of the flat view.
TEST_F(Uredjivanje, LaboratorijaPratiBlokUPodsistemu) {
    auto g = Napravi();
    Prikazi(*g);
    FileOpen(*g, Primer("oscilator.skem"));
    TSKEMRadnaPovrsina* rp = Povrsina(*g);
    rp->IzaberiBlokove(rp->Blokovi().mid(1, 2));
    Akcija(*g, "NapraviPodsistem")->trigger();
    Sacekaj();
    rp->OnParametriBloka(rp);
    ASSERT_EQ(rp->Blokovi().size(), 5);
    TSKEMBlok* x = rp->Blokovi()[1];
    IzaberiUMeniju("PratiTokomSimulacije");
    auto* pogled = Deo<QGraphicsView>(*g, "PogledPovrsine");
    const QPoint naBloku = pogled->mapFromScene(x->sceneBoundingRect().center());
    QContextMenuEvent meniBloka(QContextMenuEvent::Mouse, naBloku,
                                pogled->viewport()->mapToGlobal(naBloku));
    QApplication::sendEvent(pogled->viewport(), &meniBloka);
    EXPECT_EQ(rp->Laboratorija.Praceni, (std::vector<std::vector<int>>{{2, 2}}));
    QMenu meni;
    Inspektor(*g)->OnMeniParametra(meni, x, 1);
    meni.findChild<QAction*>(QStringLiteral("DodajKlizac"))->trigger();
    ASSERT_EQ(rp->Laboratorija.Klizaci.size(), 1u);
    EXPECT_EQ(rp->Laboratorija.Klizaci[0].Blok, (std::vector<int>{2, 2}));
    Deo<QPushButton>(*g, "NazadSaLaboratorije")->click();

    dijalozi.Skripte.push_back(UnesiOpcije("1", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    ASSERT_EQ(Strane(*g)->currentWidget(), Prikaz(*g)->TabelaTab())
        << dijalozi.Poruke().join('\n').toStdString();
    const QChart* grafik = Deo<QChartView>(*g, "LiveGrafik")->chart();
    ASSERT_EQ(grafik->series().size(), 1);
    const auto* kriva = static_cast<const QLineSeries*>(grafik->series()[0]);
    EXPECT_EQ(kriva->name(), "2/2. Integrator");
    // The flat view lists 1, 2/1, 2/2: the curve is the third block's column.
    const skem::MatrixReal& rezultati = Prikaz(*g)->Rezultati();
    ASSERT_EQ(kriva->count(), 11);
    ASSERT_EQ(rezultati.Redova(), 11u);
    for (int r = 0; r < 11; ++r)
        EXPECT_EQ(kriva->at(r).y(), rezultati.Red(std::size_t(r))[2]) << r;
    // The watched row ends ticked, named by its path.
    EXPECT_EQ(Prikaz(*g)->OznaceniBlokovi(), QStringList{"2/2"});

    // Nothing chosen to watch: the rows ticked last time are, each at its own
    // level (1. Sumator, not 2/1. Integrator of the same number).
    rp->Laboratorija = {};
    Deo<QCheckBox>(*g, "Oznaka1")->setChecked(true);
    Deo<QCheckBox>(*g, "Oznaka3")->setChecked(false);
    EXPECT_EQ(Prikaz(*g)->OznaceniBlokovi(), QStringList{"1"});
    Deo<QPushButton>(*g, "BackOnModel")->click();
    dijalozi.Skripte.push_back(UnesiOpcije("1", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    ASSERT_EQ(grafik->series().size(), 1);
    EXPECT_EQ(grafik->series()[0]->name(), "1. Sumator");
}

// A slider over a subsystem's shown parameter moves the inner block's.
TEST_F(Uredjivanje, KlizacNaParametruPodsistema) {
    auto g = Napravi();
    Prikazi(*g);
    FileOpen(*g, Primer("regulacija.skem"));
    TSKEMRadnaPovrsina* rp = Povrsina(*g);
    TSKEMBlok* drugiRed = rp->Blokovi()[4];
    Inspektor(*g)->PrikaziBlok(drugiRed);
    TSKEMGrid* grid = Inspektor(*g)->GridUlaza();
    int red = -1;
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0) && grid->item(r, 0)->text() == "Krutost") red = r;
    ASSERT_GE(red, 0);
    IzaberiUMeniju("DodajKlizac");
    emit grid->customContextMenuRequested(QPoint(5, grid->rowViewportPosition(red) + 2));
    ASSERT_EQ(rp->Laboratorija.Klizaci.size(), 1u);
    const skem::TKlizacModela& k = rp->Laboratorija.Klizaci[0];
    const skem::TParametarPodsistema& krutost = drugiRed->Podsistem->Parametri[2];
    std::vector<int> putanja{5};
    putanja.insert(putanja.end(), krutost.Blok.begin(), krutost.Blok.end());
    EXPECT_EQ(k.Blok, putanja);
    EXPECT_EQ(k.Parametar, krutost.Parametar);
    const double v =
        skem::BlokNaPutanji(drugiRed->Podsistem->Sadrzaj, krutost.Blok)->Parametar(k.Parametar);
    EXPECT_EQ(k.Vrednost, v);
    EXPECT_LT(k.Min, v);
    EXPECT_GT(k.Max, v);
}
