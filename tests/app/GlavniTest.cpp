// The main window: start-up, placement and wiring, the mode buttons, the
// editing commands, help, full screen, "Simulacija" and the document
// commands, driven through the scripted dialogs.
#include "GlavniPomoc.h"
#include "Laboratorija.h"
#include "Podsistemi.h"
#include "unDrzac.h"

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGraphicsView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>
#include <cstring>
#include <optional>

using namespace glavni_test;

// ---- start-up ----

using Pokretanje = TGlavniTest;

TEST_F(Pokretanje, BezDokumenta) {
    auto g = Napravi();
    auto* paleta = Deo<TSKEMGroupBar>(*g, "Paleta");
    EXPECT_EQ(g->windowTitle(), "SKEM - Dok1");
    EXPECT_TRUE(g->ImeDokumenta().isEmpty());
    EXPECT_FALSE(g->Izmenjen());
    EXPECT_TRUE(dijalozi.Zapis.isEmpty()) << dijalozi.Zapis.join('\n').toStdString();
    EXPECT_EQ(Deo<QComboBox>(*g, "IzborPrikazaPalete")->currentText(), "SVE");
    EXPECT_EQ(Strane(*g)->currentWidget(), Deo<QWidget>(*g, "ModelTab"));
    EXPECT_EQ(Povrsina(*g)->Stanje(), rpsSelektuj);
    EXPECT_EQ(Povrsina(*g)->sceneRect(), QRectF(0, 0, 1500, 1500));
    ASSERT_GE(paleta->Grupe().size(), 2);
    EXPECT_FALSE(paleta->Grupe()[0]->isHidden());
    EXPECT_TRUE(paleta->Grupe()[1]->isHidden());
    EXPECT_EQ(g->minimumWidth(), 670);
    EXPECT_GE(g->minimumHeight(), 450);
}

TEST_F(Pokretanje, DokumentSaKomandneLinijeSaRazmacima) {
    const QString put = Primer("oscilator.skem");
    auto g = Napravi({"  " + put + "  ", "drugi-argument"});
    EXPECT_TRUE(dijalozi.Zapis.isEmpty()) << dijalozi.Zapis.join('\n').toStdString();
    EXPECT_EQ(g->windowTitle(), "SKEM - oscilator");
    EXPECT_EQ(g->PutanjaDokumenta(), QFileInfo(put).absoluteFilePath());
    EXPECT_EQ(Povrsina(*g)->Blokovi().size(), 3);
    EXPECT_EQ(Inspektor(*g)->Lista()->topLevelItemCount(), 3);
    EXPECT_FALSE(g->Izmenjen());
}

TEST_F(Pokretanje, NepostojeciIPogresanDokument) {
    // A missing file is ignored without a word.
    auto g = Napravi({"/nema/takvog/fajla.skem"});
    EXPECT_TRUE(dijalozi.Zapis.isEmpty());
    EXPECT_EQ(g->windowTitle(), "SKEM - Dok1");
    EXPECT_TRUE(Povrsina(*g)->Blokovi().isEmpty());
    g.reset();

    // A file that is no document: its error, then an unnamed, unmodified start.
    const QString los = temp.filePath("los.skem");
    PisiFajl(los, "<?xml version=\"1.0\"?><nesto>");
    auto h = Napravi({los});
    ASSERT_EQ(dijalozi.Zapis.size(), 1);
    EXPECT_TRUE(dijalozi.Zapis[0].startsWith("Greska: "));
    EXPECT_EQ(h->windowTitle(), "SKEM - Dok1");
    EXPECT_FALSE(h->Izmenjen());
}

TEST_F(Pokretanje, PogresanKatalogSePrijavljujeIProzorIpakNastaje) {
    QDir::setCurrent(temp.path());
    PisiFajl(temp.filePath("Manifest.xml"), "<katalog><grupe><grupa>");
    auto g = Napravi();
    ASSERT_EQ(dijalozi.Zapis.size(), 1);
    EXPECT_TRUE(dijalozi.Zapis[0].startsWith("Greska: "));
    EXPECT_EQ(g->windowTitle(), "SKEM - Dok1");
}

TEST_F(Pokretanje, RedosledProzoraISplash) {
    auto a = PokreniAplikaciju({});
    TMainForm* g = a->Glavni.get();
    EXPECT_EQ(QApplication::applicationName(), "SKEM 2004");
    // The four dialogs exist, in start-up order, and belong to the main window.
    const QList<QDialog*> dijalozi_ = g->findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    QStringList imena;
    for (QDialog* d : dijalozi_)
        if (!d->objectName().isEmpty()) imena << d->objectName();
    EXPECT_EQ(imena.mid(0, 2), (QStringList{"IzborUlaza", "UnosPar"}));
    EXPECT_EQ(dijalozi_.size(), 4);

    EXPECT_FALSE(g->isVisible());
    EXPECT_FALSE(g->isEnabled());
    EXPECT_TRUE(a->Splash->isVisible());
    a->Splash->Otkucaj();
    EXPECT_TRUE(g->isVisible());
    EXPECT_TRUE(g->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(g->isEnabled());
    a->Splash->Otkucaj();
    EXPECT_TRUE(g->isEnabled());
    EXPECT_FALSE(a->Splash->isVisible());
    // Only the main window keeps the program alive.
    EXPECT_TRUE(g->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_FALSE(a->Pomoc->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_FALSE(a->Splash->testAttribute(Qt::WA_QuitOnClose));
}

// ---- the document name and title ----

using Naslov = TGlavniTest;

TEST_F(Naslov, PraviloImena) {
    auto g = Napravi();
    struct TSlucaj {
        QString ulaz, ime, naslov;
    } slucajevi[] = {
        {"/a/b/moj.skem", "moj", "SKEM - moj"},
        {".skem", "", "SKEM - Dok1"},
        {"/a/b/Veliko.SKEM", "Veliko", "SKEM - Veliko"},
        {"/a/b/bez", "bez", "SKEM - bez"},       // the extension is added, not taken
        {"/a/b/x.skm", "x.skm", "SKEM - x.skm"}, // five characters are not lost
        {"/a/b/", "", "SKEM - Dok1"},
    };
    for (const TSlucaj& s : slucajevi) {
        SCOPED_TRACE(s.ulaz.toStdString());
        g->PostaviImeDokumenta(s.ulaz);
        EXPECT_EQ(g->ImeDokumenta(), s.ime);
        EXPECT_EQ(g->windowTitle(), s.naslov);
    }
    g->PostaviImeDokumenta("/a/b/bez");
    EXPECT_EQ(g->PutanjaDokumenta(), "/a/b/bez.skem");
    g->PostaviImeDokumenta("/a/b/moj.skem");
    EXPECT_EQ(g->PutanjaDokumenta(), "/a/b/moj.skem");
    // A bare name lives in the folder that was current when it was given.
    g->PostaviImeDokumenta("samo.skem");
    EXPECT_EQ(g->PutanjaDokumenta(), QDir::current().absoluteFilePath("samo.skem"));
    g->PostaviImeDokumenta(".skem");
    EXPECT_TRUE(g->PutanjaDokumenta().isEmpty());
}

// ---- placement ----

using Postavljanje = TGlavniTest;

TEST_F(Postavljanje, PrihvaceniParametri) {
    auto g = Napravi();
    QStringList natpisi;
    QList<bool> ukljuceni;
    dijalozi.Skripte.push_back([&](QDialog& d) {
        auto& u = dynamic_cast<TUnosPar&>(d);
        natpisi = {u.NatpisParametra1->text(), u.NatpisParametra2->text(),
                   u.NatpisParametra3->text()};
        ukljuceni = {u.PoljeParametra1->isEnabled(), u.PoljeParametra2->isEnabled(),
                     u.PoljeParametra3->isEnabled()};
        EXPECT_EQ(u.PoljeParametra1->text(), "0"); // every box starts at 0
        u.PoljeParametra1->setText("1.5");
        u.PoljeParametra2->setText("-2E-3");
        u.PoljeParametra3->setText("3");
        u.DugmePrihvati->click();
    });
    TSKEMBlok* b = SpustiIzKataloga(*g, 26, {60, 60}); // weighted summer: three parameters
    ASSERT_TRUE(Povrsina(*g)->Blokovi().contains(b));
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Dijalog: UnosPar"});
    EXPECT_EQ(natpisi, (QStringList{"Koef. ulaza 1:", "Koef. ulaza 2:", "Koef. ulaza 3:"}));
    EXPECT_EQ(ukljuceni, (QList<bool>{true, true, true}));
    EXPECT_DOUBLE_EQ(b->Parametar1, 1.5);
    EXPECT_DOUBLE_EQ(b->Parametar2, -0.002);
    EXPECT_DOUBLE_EQ(b->Parametar3, 3);
    EXPECT_EQ(Inspektor(*g)->PrikazaniBlok(), b);
    EXPECT_EQ(Inspektor(*g)->Lista()->topLevelItemCount(), 1);
    EXPECT_TRUE(g->Izmenjen());
}

TEST_F(Postavljanje, JedanParametarOstaliNula) {
    auto g = Napravi();
    QList<bool> ukljuceni;
    dijalozi.Skripte.push_back([&](QDialog& d) {
        auto& u = dynamic_cast<TUnosPar&>(d);
        ukljuceni = {u.PoljeParametra1->isEnabled(), u.PoljeParametra2->isEnabled(),
                     u.PoljeParametra3->isEnabled()};
        u.PoljeParametra1->setText("7");
        u.DugmePrihvati->click();
    });
    TSKEMBlok* b = SpustiIzKataloga(*g, 8, {60, 60}); // gain
    EXPECT_EQ(ukljuceni, (QList<bool>{true, false, false}));
    EXPECT_DOUBLE_EQ(b->Parametar1, 7);
    EXPECT_DOUBLE_EQ(b->Parametar2, 0);
    EXPECT_DOUBLE_EQ(b->Parametar3, 0);
}

TEST_F(Postavljanje, NeBrojSeOdbijaPaPrihvata) {
    auto g = Napravi();
    bool otvorenPosleGreske = false;
    dijalozi.Skripte.push_back([&](QDialog& d) {
        auto& u = dynamic_cast<TUnosPar&>(d);
        for (const char* los : {"1,5", "2147483647", "abc"}) {
            u.PoljeParametra1->setText(los);
            u.DugmePrihvati->click();
        }
        otvorenPosleGreske = u.isVisible() && !u.Prihvaceno;
        u.PoljeParametra1->setText("2.5");
        u.DugmePrihvati->click();
    });
    TSKEMBlok* b = SpustiIzKataloga(*g, 8, {60, 60});
    EXPECT_TRUE(otvorenPosleGreske);
    EXPECT_EQ(dijalozi.Poruke(), QStringList(3, "Molim vas da unesete broj!"));
    EXPECT_DOUBLE_EQ(b->Parametar1, 2.5);
}

TEST_F(Postavljanje, PortDobijaSledeciBrojINaziv) {
    auto g = Napravi();
    // Each showing: what it offers (number, name) and what the user types.
    struct TKorak {
        QString broj, ime, upisanoIme;
    };
    QList<TKorak> videno;
    const auto unos = [&](const QStringList& imena) {
        dijalozi.Skripte.push_back([&, imena](QDialog& d) {
            auto& u = dynamic_cast<TUnosPar&>(d);
            EXPECT_EQ(u.NatpisParametra2->text(), "Naziv:");
            videno.append({u.PoljeParametra1->text(), u.PoljeParametra2->text(), imena.last()});
            for (const QString& ime : imena) {
                u.PoljeParametra2->setText(ime);
                u.DugmePrihvati->click();
            }
        });
    };
    unos({"Sila"});
    TSKEMBlok* prvi = SpustiIzKataloga(*g, 30, {20, 20});
    unos({QStringLiteral("a\u0001b"), "  Brzina "});
    TSKEMBlok* drugi = SpustiIzKataloga(*g, 30, {20, 120});
    EXPECT_EQ(dijalozi.Poruke(), QStringList{"Naziv ne sme da sadrzi kontrolne znakove!"});
    // Its dialog again: the number and name it has.
    Povrsina(*g)->IzaberiBlokove({prvi});
    unos({"F"});
    Povrsina(*g)->OnParametriBloka(Povrsina(*g));
    ASSERT_EQ(videno.size(), 3);
    EXPECT_EQ(videno[0].broj, "1");
    EXPECT_EQ(videno[0].ime, "Ulaz");
    EXPECT_EQ(videno[1].broj, "2");
    EXPECT_EQ(videno[2].broj, "1");
    EXPECT_EQ(videno[2].ime, "Sila");
    EXPECT_EQ(prvi->Natpisi[1], "F");
    EXPECT_EQ(drugi->Natpisi[1], "Brzina");
    EXPECT_EQ(drugi->Parametar1, 2);
    // Any other block's dialog has its second parameter back.
    QString natpis;
    dijalozi.Skripte.push_back([&](QDialog& d) {
        natpis = dynamic_cast<TUnosPar&>(d).NatpisParametra2->text();
        dynamic_cast<TUnosPar&>(d).DugmePrihvati->click();
    });
    SpustiIzKataloga(*g, 26, {160, 60});
    EXPECT_EQ(natpis, "Koef. ulaza 2:");
}

TEST_F(Postavljanje, OdustajanjeUklanjaBlok) {
    auto g = Napravi();
    TSKEMBlok* prvi = SpustiBezDijaloga(*g, 10, "Integrator", 3, {20, 20});
    dijalozi.Skripte.push_back(
        [](QDialog& d) { dynamic_cast<TUnosPar&>(d).DugmeOdustani->click(); });
    SpustiIzKataloga(*g, 8, {160, 60});
    EXPECT_EQ(Povrsina(*g)->Blokovi(), QList<TSKEMBlok*>{prvi});
    EXPECT_EQ(Povrsina(*g)->SelektovaniBlok, nullptr);
    EXPECT_EQ(Inspektor(*g)->Lista()->topLevelItemCount(), 1);
    EXPECT_EQ(prvi->LokalniBroj(), 1);
}

TEST_F(Postavljanje, BezParametaraBezDijaloga) {
    auto g = Napravi();
    TSKEMBlok* b = SpustiIzKataloga(*g, 25, {60, 60}); // time source: no parameters
    EXPECT_TRUE(dijalozi.Zapis.isEmpty());
    EXPECT_TRUE(Povrsina(*g)->Blokovi().contains(b));
    EXPECT_EQ(Inspektor(*g)->PrikazaniBlok(), b);
    EXPECT_EQ(Inspektor(*g)->Lista()->topLevelItemCount(), 1);
}

// ---- wiring ----

using Povezivanje = TGlavniTest;

TEST_F(Povezivanje, BlokBezUlazaOdbija) {
    auto g = Napravi();
    TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 20});
    TSKEMBlok* k = SpustiBezDijaloga(*g, 12, "Konstanta", 0, {200, 20});
    Povrsina(*g)->PostaviSelektovaniBlok(a);
    g->PostaviIzmenjen(false);
    Povezi(*g, a, k);
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Poruka: Blok: <Konstanta> ne moze da ima ulaznu vezu!"});
    EXPECT_TRUE(Povrsina(*g)->Veze.isEmpty());
    EXPECT_TRUE(a->Izlazi.isEmpty());
    EXPECT_EQ(Povrsina(*g)->SelektovaniBlok, a); // the selection stays
    EXPECT_EQ(Povrsina(*g)->Stanje(), rpsSelektuj);
    EXPECT_FALSE(Deo<QToolButton>(*g, "DugmeKreirajVezu")->isChecked());
}

TEST_F(Povezivanje, PuniUlaziDajuNajveciBroj) {
    auto g = Napravi();
    TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 20});
    TSKEMBlok* c = SpustiBezDijaloga(*g, 12, "Konstanta", 0, {20, 200});
    TSKEMBlok* p = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {200, 20});
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, a, p);
    ASSERT_NE(p->Ulazi[0], nullptr);
    dijalozi.Zapis.clear();
    Povezi(*g, c, p);
    EXPECT_EQ(dijalozi.Zapis,
              QStringList{"Poruka: Maksinalni broj ulaznih veza za blok <Pojacanje> je 1!"});
    EXPECT_EQ(Povrsina(*g)->Veze.size(), 1);
    EXPECT_TRUE(c->Izlazi.isEmpty());
}

TEST_F(Povezivanje, OmoguceniIOznaceniUlazi) {
    auto g = Napravi();
    struct TStanje {
        bool e1, e2, e3, c1, c2, c3;
        bool operator==(const TStanje&) const = default;
    };
    auto Procitaj = [](TStanje& s, int izbor) {
        return [&s, izbor](QDialog& d) {
            auto& u = dynamic_cast<TIzborUlaza&>(d);
            s = {u.DugmeUlaza1->isEnabled(), u.DugmeUlaza2->isEnabled(),
                 u.DugmeUlaza3->isEnabled(), u.DugmeUlaza1->isChecked(),
                 u.DugmeUlaza2->isChecked(), u.DugmeUlaza3->isChecked()};
            if (izbor == 2) u.DugmeUlaza2->setChecked(true);
            u.DugmePrihvati->click();
        };
    };

    // Two inputs, slot 0 taken: only "Ulaz 2", checked; "Ulaz 3" stays off though slot 2 is free.
    TSKEMBlok* m = SpustiBezDijaloga(*g, 27, "Mnozac", 2, {300, 20});
    TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 20});
    TSKEMBlok* b = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 200});
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, a, m);
    TStanje s{};
    dijalozi.Skripte.push_back(Procitaj(s, 0));
    g->PostaviIzmenjen(false);
    Povezi(*g, b, m);
    EXPECT_EQ(s, (TStanje{false, true, false, false, true, false}));
    ASSERT_NE(m->Ulazi[1], nullptr);
    EXPECT_EQ(m->IzvorUlaza(1), b);
    EXPECT_EQ(Povrsina(*g)->SelektovaniBlok, m);
    EXPECT_TRUE(m->Aktivno());
    EXPECT_TRUE(g->Izmenjen());
    EXPECT_EQ(Inspektor(*g)->PrikazaniBlok(), m);

    // Three inputs, slot 1 alone taken: "Ulaz 1" and "Ulaz 3", the first checked.
    TSKEMBlok* z = SpustiBezDijaloga(*g, 26, "Sumator", 3, {300, 300});
    TSKEMBlok* c = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 400});
    TSKEMBlok* d = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 600});
    dijalozi.Skripte.push_back(Procitaj(s, 2));
    Povezi(*g, c, z);
    EXPECT_EQ(s, (TStanje{true, true, true, true, false, false}));
    ASSERT_NE(z->Ulazi[1], nullptr);
    dijalozi.Skripte.push_back(Procitaj(s, 0));
    Povezi(*g, d, z);
    EXPECT_EQ(s, (TStanje{true, false, true, true, false, false}));
    EXPECT_EQ(z->IzvorUlaza(0), d);
}

// A subsystem offers each of its inputs, by its port's name (an unnamed one
// as "Ulaz k"), the taken ones off; the next ordinary block gets the dialog
// as it always was.
TEST_F(Povezivanje, PodsistemNudiSveSvojeUlaze) {
    auto g = Napravi();
    auto sadrzaj = std::make_shared<skem::TPodsistemModela>();
    const QStringList imena{"Sila", "", "Masa", "Trenje", "Opruga"};
    for (int k = 0; k < imena.size(); ++k)
        sadrzaj->Sadrzaj.Blokovi.push_back(PortPodsistema(true, k + 1, imena[k]));
    TSKEMBlok* p = SpustiBezDijaloga(*g, 29, "Podsistem", 5, {300, 20});
    p->Podsistem = sadrzaj;
    TSKEMBlok* m = SpustiBezDijaloga(*g, 27, "Mnozac", 2, {300, 300});
    const struct {
        TSKEMBlok* kraj;
        int izbor; // slot chosen (from 0)
        QStringList natpisi;
        QList<bool> slobodni;
    } slucajevi[] = {
        {p, 4, {"1: Sila", "Ulaz 2", "3: Masa", "4: Trenje", "5: Opruga"}, {1, 1, 1, 1, 1}},
        {p, 1, {"1: Sila", "Ulaz 2", "3: Masa", "4: Trenje", "5: Opruga"}, {1, 1, 1, 1, 0}},
        {m, 0, {"Ulaz 1", "Ulaz 2", "Ulaz 3"}, {1, 1, 0}},
    };
    int y = 20;
    for (const auto& c : slucajevi) {
        QStringList natpisi;
        QList<bool> slobodni;
        QSize velicina;
        dijalozi.Skripte.push_back([&](QDialog& d) {
            auto& u = dynamic_cast<TIzborUlaza&>(d);
            for (int k = 0; k < u.BrojUlaza(); ++k) {
                natpisi << u.DugmeUlaza(k)->text();
                slobodni << u.DugmeUlaza(k)->isEnabled();
            }
            velicina = u.size();
            u.DugmeUlaza(c.izbor)->setChecked(true);
            u.DugmePrihvati->click();
        });
        TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, y += 90});
        Povezi(*g, a, c.kraj);
        EXPECT_EQ(natpisi, c.natpisi);
        EXPECT_EQ(slobodni, c.slobodni);
        EXPECT_EQ(velicina, QSize(207, 180));
        EXPECT_EQ(c.kraj->IzvorUlaza(c.izbor), a) << c.izbor;
    }
}

TEST_F(Povezivanje, OdustajanjeBriseVezu) {
    auto g = Napravi();
    TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 20});
    TSKEMBlok* p = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {200, 20});
    dijalozi.Skripte.push_back(
        [](QDialog& d) { dynamic_cast<TIzborUlaza&>(d).DugmeOdustani->click(); });
    Povezi(*g, a, p);
    EXPECT_TRUE(Povrsina(*g)->Veze.isEmpty());
    EXPECT_EQ(p->Ulazi[0], nullptr);
    EXPECT_TRUE(a->Izlazi.isEmpty());
    EXPECT_EQ(Povrsina(*g)->SelektovaniBlok, p);
}

TEST_F(Povezivanje, OdbijeniJunctionUklanjaSvojDrzac) {
    auto g = Napravi();
    TSKEMRadnaPovrsina* rp = Povrsina(*g);
    TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 20});
    TSKEMBlok* p = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {400, 20});
    TSKEMBlok* k = SpustiBezDijaloga(*g, 12, "Konstanta", 0, {400, 300});
    TSKEMBlok* q = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {400, 500});
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, a, p);
    ASSERT_EQ(rp->Veze.size(), 1);
    TVeza* glavna = rp->Veze[0];
    const int y = glavna->Pocetak().y();

    // Refused at a block without inputs: the junction and the holder it started at go.
    ZapocniJunction(*g, glavna, {150, y});
    ASSERT_NE(rp->VezaUIzradi, nullptr);
    ASSERT_EQ(glavna->Drzaci.size(), 1);
    dijalozi.Zapis.clear();
    PritisniBlok(k);
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Poruka: Blok: <Konstanta> ne moze da ima ulaznu vezu!"});
    EXPECT_EQ(rp->Veze, QList<TVeza*>{glavna});
    EXPECT_TRUE(glavna->Drzaci.isEmpty());
    EXPECT_EQ(a->Izlazi, QList<TVeza*>{glavna});
    EXPECT_EQ(rp->Stanje(), rpsSelektuj);

    // Cancelled: the junction goes, its holder stays.
    ZapocniJunction(*g, glavna, {150, y});
    dijalozi.Skripte.push_back(
        [](QDialog& d) { dynamic_cast<TIzborUlaza&>(d).DugmeOdustani->click(); });
    PritisniBlok(q);
    EXPECT_EQ(rp->Veze, QList<TVeza*>{glavna});
    EXPECT_EQ(glavna->Drzaci.size(), 1);
    EXPECT_EQ(q->Ulazi[0], nullptr);

    // Accepted: a junction from a second holder feeds q from a.
    ZapocniJunction(*g, glavna, {300, y});
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    PritisniBlok(q);
    EXPECT_EQ(rp->Veze.size(), 2);
    EXPECT_EQ(q->IzvorUlaza(0), a);
    EXPECT_EQ(glavna->Drzaci.size(), 2);
}

TEST_F(Povezivanje, OdbijeniJunctionSaPostojecegDrzacaGaOstavlja) {
    auto g = Napravi();
    TSKEMRadnaPovrsina* rp = Povrsina(*g);
    TSKEMBlok* a = SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 20});
    TSKEMBlok* p = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {400, 20});
    TSKEMBlok* k = SpustiBezDijaloga(*g, 12, "Konstanta", 0, {400, 300});
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, a, p);
    ASSERT_EQ(rp->Veze.size(), 1);
    TVeza* glavna = rp->Veze[0];
    // A bend the user placed earlier.
    TDrzac* h = glavna->DodajDrzacNa({150, glavna->Pocetak().y() + 6});
    ASSERT_NE(h, nullptr);

    // A junction started at that bend and refused keeps the bend.
    rp->SetStanje(rpsKreirajJunctionEx);
    h->OnDrzacClick(h);
    ASSERT_NE(rp->VezaUIzradi, nullptr);
    EXPECT_EQ(rp->NoviDrzacJunctiona(), nullptr);
    dijalozi.Zapis.clear();
    PritisniBlok(k);
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Poruka: Blok: <Konstanta> ne moze da ima ulaznu vezu!"});
    EXPECT_EQ(rp->Veze, QList<TVeza*>{glavna});
    EXPECT_EQ(glavna->Drzaci, QList<TDrzac*>{h});
    EXPECT_TRUE(h->Junctions.isEmpty());
    EXPECT_EQ(rp->VezaUIzradi, nullptr);
}

// ---- mode buttons and editing commands ----

using Komande = TGlavniTest;

TEST_F(Komande, DugmadRezimaPrateRadnuPovrsinu) {
    auto g = Napravi();
    auto* dugmeKreirajVezu = Deo<QToolButton>(*g, "DugmeKreirajVezu");
    auto* dugmeKreirajJunction = Deo<QToolButton>(*g, "DugmeKreirajJunction");
    auto* dugmeKreirajDrzac = Deo<QToolButton>(*g, "DugmeKreirajDrzac");
    TSKEMRadnaPovrsina* rp = Povrsina(*g);
    struct TSlucaj {
        TRPStanje s;
        bool veza, jun, drzac;
    } slucajevi[] = {{rpsDodajVezuEx, true, false, false},
                     {rpsKreirajJunctionEx, false, true, false},
                     {rpsDodajDrzac, false, false, true},
                     {rpsBrisem, false, false, false},
                     {rpsSelektuj, false, false, false}};
    for (const TSlucaj& s : slucajevi) {
        SCOPED_TRACE(int(s.s));
        rp->SetStanje(s.s);
        EXPECT_EQ(dugmeKreirajVezu->isChecked(), s.veza);
        EXPECT_EQ(dugmeKreirajJunction->isChecked(), s.jun);
        EXPECT_EQ(dugmeKreirajDrzac->isChecked(), s.drzac);
    }

    // "Kreiraj vezu": sets the mode and says so; pressed while down it only rises.
    dugmeKreirajVezu->click();
    EXPECT_EQ(rp->Stanje(), rpsDodajVezuEx);
    EXPECT_TRUE(dugmeKreirajVezu->isChecked());
    EXPECT_EQ(Deo<QStatusBar>(*g, "StatusnaTraka")->currentMessage(), "Dodavanje veze");
    dugmeKreirajVezu->click();
    EXPECT_FALSE(dugmeKreirajVezu->isChecked());
    EXPECT_EQ(rp->Stanje(), rpsDodajVezuEx);

    dugmeKreirajJunction->click();
    EXPECT_EQ(rp->Stanje(), rpsKreirajJunctionEx);
    EXPECT_TRUE(dugmeKreirajJunction->isChecked());
    EXPECT_FALSE(dugmeKreirajVezu->isChecked());
    dugmeKreirajJunction->click(); // pressed again: the mode is set again and the button stays down
    EXPECT_EQ(rp->Stanje(), rpsKreirajJunctionEx);
    EXPECT_TRUE(dugmeKreirajJunction->isChecked());
    dugmeKreirajDrzac->click();
    EXPECT_EQ(rp->Stanje(), rpsDodajDrzac);
    EXPECT_TRUE(dugmeKreirajDrzac->isChecked());
    EXPECT_FALSE(dugmeKreirajJunction->isChecked());
}

TEST_F(Komande, AkcijeNatpisiSaveti) {
    auto g = Napravi();
    auto* mainMenu = Deo<QMenuBar>(*g, "MainMenu");
    auto* mainToolBar = Deo<QToolBar>(*g, "MainToolBar");
    EXPECT_EQ(Akcija(*g, "RotiranjeCW")->toolTip(), "Rotiraj udesno");
    EXPECT_EQ(Akcija(*g, "RotiranjeCW")->statusTip(), "Rotira blok u smeru kazaljke na satu");
    // The long part reaches the window's status bar.
    Akcija(*g, "NovDoc")->showStatusText(mainMenu);
    EXPECT_EQ(Deo<QStatusBar>(*g, "StatusnaTraka")->currentMessage(), "Kreira novu graficku semu");
    EXPECT_EQ(Akcija(*g, "NovDoc")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(Akcija(*g, "FileExit")->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(Akcija(*g, "EditObrisi")->shortcut(), QKeySequence(Qt::Key_Delete));
    // Tool bar captions, left to right (separators left out).
    QStringList natpisi;
    for (QToolBar* t : {mainToolBar, Deo<QToolBar>(*g, "TrakaSimulacije")})
        for (QAction* a : t->actions())
            if (!a->isSeparator()) natpisi << t->widgetForAction(a)->property("text").toString();
    EXPECT_EQ(natpisi, (QStringList{"Ponisti", "Ponovi", "Obrisi", "Rotiraj", "Rotiraj",
                                    "Kreiraj vezu", "Kreiraj junction", "Kreiraj drzac",
                                    "Podsistem", "Fullscreen", "Simulacija"}));
    EXPECT_EQ(mainToolBar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    // Menus in order, separators as "-".
    auto Meni = [](QMenuBar* traka) {
        QStringList r;
        for (QAction* m : traka->actions()) {
            r << m->text() + ":";
            for (QAction* a : m->menu()->actions())
                r << (a->isSeparator() ? "-" : a->text());
        }
        return r;
    };
    EXPECT_EQ(Meni(mainMenu), (QStringList{"&Datoteka:",
                                           "&Novi dokument",
                                           "-",
                                           "&Otvori...",
                                           "&Sacuvaj",
                                           "S&acuvaj kao...",
                                           "-",
                                           "S&korasnji",
                                           "-",
                                           "&Izlaz",
                                           "&Uredi:",
                                           "&Ponisti",
                                           "Po&novi",
                                           "-",
                                           "Ise&ci",
                                           "&Kopiraj",
                                           "&Nalepi",
                                           "&Dupliraj",
                                           "-",
                                           "&Obrisi",
                                           "-",
                                           "Rotiraj u&desno",
                                           "Rotiraj u&levo",
                                           "-",
                                           "Kreiraj &vezu",
                                           "Kreiraj &junction",
                                           "Kreiraj d&rzac",
                                           "-",
                                           "&Simulacija",
                                           "-",
                                           "Napravi &podsistem",
                                           "O&tvori podsistem",
                                           "Na&zad",
                                           "&Razbij podsistem",
                                           "Parametri podsist&ema...",
                                           "Sacuvaj u &biblioteku",
                                           "-",
                                           "O&pis problema",
                                           "Pri&kaz:",
                                           "&Uvecaj",
                                           "U&manji",
                                           "&Stvarna velicina",
                                           "-",
                                           "&Prikazi sve",
                                           "-",
                                           "&Laboratorija",
                                           "&Analiza:",
                                           "&Linearizacija..."}));
    EXPECT_EQ(Meni(Deo<QMenuBar>(*g, "HelpMenuBar")), (QStringList{"&Pomoc:", "&SKEM 2004"}));

    // A menu fades in over half a second.
    QMenu* datoteka = mainMenu->actions().value(0)->menu();
    ASSERT_NE(datoteka, nullptr);
    datoteka->popup(QPoint(10, 10));
    auto* prelaz = datoteka->findChild<QPropertyAnimation*>("Prelaz");
    ASSERT_NE(prelaz, nullptr);
    EXPECT_EQ(prelaz->duration(), 500);
    EXPECT_EQ(prelaz->propertyName(), "windowOpacity");
    EXPECT_EQ(prelaz->startValue().toDouble(), 0.0);
    EXPECT_EQ(prelaz->endValue().toDouble(), 1.0);
    datoteka->hide();
}

TEST_F(Komande, RotiranjeIBrisanjeSamoNaModelu) {
    auto g = Napravi();
    auto* pogledPovrsine = Deo<TSKEMPogled>(*g, "PogledPovrsine");
    Prikazi(*g);
    TSKEMBlok* b = SpustiBezDijaloga(*g, 25, "Vreme", 0, {40, 40});
    const int smer = b->Smer;
    pogledPovrsine->setFocus();
    ASSERT_TRUE(pogledPovrsine->hasFocus());

    Strane(*g)->setCurrentWidget(Prikaz(*g)->TabelaTab());
    g->PostaviIzmenjen(false);
    Akcija(*g, "RotiranjeCW")->trigger();
    Akcija(*g, "RotiranjeCCW")->trigger();
    Akcija(*g, "EditObrisi")->trigger();
    EXPECT_EQ(b->Smer, smer);
    EXPECT_FALSE(g->Izmenjen());
    EXPECT_EQ(Povrsina(*g)->Blokovi().size(), 1);

    Strane(*g)->setCurrentWidget(Deo<QWidget>(*g, "ModelTab"));
    Akcija(*g, "RotiranjeCW")->trigger();
    EXPECT_NE(b->Smer, smer);
    EXPECT_TRUE(g->Izmenjen());
    Akcija(*g, "RotiranjeCCW")->trigger();
    EXPECT_EQ(b->Smer, smer);

    // Delete acts only while the workspace has the focus.
    Deo<QComboBox>(*g, "IzborPrikazaPalete")->setFocus();
    Akcija(*g, "EditObrisi")->trigger();
    EXPECT_EQ(Povrsina(*g)->Blokovi().size(), 1);
    pogledPovrsine->setFocus();
    Akcija(*g, "EditObrisi")->trigger();
    EXPECT_TRUE(Povrsina(*g)->Blokovi().isEmpty());
    EXPECT_EQ(Inspektor(*g)->Lista()->topLevelItemCount(), 0);
}

TEST_F(Komande, PunEkranDvaPutaVracaVelicinu) {
    auto g = Napravi();
    Prikazi(*g);
    g->setGeometry(40, 50, 700, 480);
    QApplication::processEvents();
    const QRect pre = g->geometry();
    Akcija(*g, "GoFullscreen")->trigger();
    EXPECT_TRUE(g->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(g->windowState() & Qt::WindowMaximized);
    Akcija(*g, "GoFullscreen")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(g->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(g->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(g->isVisible());
    EXPECT_EQ(g->geometry(), pre);
}

// However narrow the window, "Simulacija" stays in sight on the model page
// (other commands go behind the tool bar's overflow), and leaves with the tool bar.
TEST_F(Komande, SimulacijaVidljivaUUskomProzoru) {
    auto g = Napravi({Primer("oscilator.skem")});
    Prikazi(*g);
    auto* simulacija = Deo<QToolButton>(*g, "DugmeSimulacija");
    for (const int sirina : {724, 600, 1400}) {
        g->resize(sirina, 564);
        QApplication::processEvents();
        EXPECT_TRUE(simulacija->isVisible()) << sirina;
        EXPECT_LE(simulacija->mapTo(g.get(), QPoint(simulacija->width(), 0)).x(), g->width())
            << sirina;
    }
    g->resize(724, 564);
    dijalozi.Skripte.push_back(UnesiOpcije("1", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_FALSE(simulacija->isVisible());
    Deo<QPushButton>(*g, "BackOnModel")->click();
    EXPECT_TRUE(simulacija->isVisible());
}

TEST_F(Komande, SirinaMenijaPratiProzor) {
    auto g = Napravi();
    auto* mainMenu = Deo<QMenuBar>(*g, "MainMenu");
    Prikazi(*g);
    const int traka = Deo<QToolBar>(*g, "MainToolBar")->sizeHint().width() +
                      Deo<QToolBar>(*g, "TrakaSimulacije")->sizeHint().width();
    g->resize(1400, 800);
    QApplication::processEvents();
    EXPECT_EQ(Deo<QWidget>(*g, "MenuPanel")->width(), (1400 - traka) / 2 - 15);
    // Half of what is left would be too little: at least 97, and never less
    // than the menu bar needs to show both its menus.
    g->resize(traka + 100, 600);
    QApplication::processEvents();
    EXPECT_EQ(Deo<QWidget>(*g, "MenuPanel")->width(),
              std::max(97, mainMenu->sizeHint().width() + 4));
    EXPECT_GE(mainMenu->width(), mainMenu->sizeHint().width());
}

TEST_F(Komande, PrikazPalete) {
    auto g = Napravi();
    auto* paleta = Deo<TSKEMGroupBar>(*g, "Paleta");
    const auto& grupe = paleta->Grupe();
    ASSERT_GE(grupe.size(), 3);
    Deo<QComboBox>(*g, "IzborPrikazaPalete")->setCurrentIndex(1);
    EXPECT_TRUE(grupe[0]->isHidden());
    for (int i = 1; i < grupe.size(); ++i)
        EXPECT_FALSE(grupe[i]->isHidden()) << i;
    EXPECT_EQ(paleta->AktivnaGrupa(), grupe[1]);
    Deo<QComboBox>(*g, "IzborPrikazaPalete")->setCurrentIndex(0);
    EXPECT_FALSE(grupe[0]->isHidden());
    // The library stays in view below "SVE".
    for (int i = 1; i < grupe.size(); ++i)
        EXPECT_EQ(grupe[i]->isHidden(), grupe[i]->Naziv() != "Biblioteka") << i;
    EXPECT_EQ(grupe.last()->Naziv(), "Biblioteka");
    // ... its header at the bottom, under the open group.
    EXPECT_EQ(grupe.last()->geometry().bottom(),
              grupe[0]->geometry().bottom() + TSKEMGrupa::VisinaZaglavlja);
    EXPECT_LE(grupe.last()->geometry().bottom(), paleta->height());
    EXPECT_EQ(paleta->AktivnaGrupa(), grupe[0]);
}

TEST_F(Komande, PomocF1IKomanda) {
    auto g = Napravi();
    Prikazi(*g);
    TBrojacTastera brojac;
    Deo<TSKEMPogled>(*g, "PogledPovrsine")->installEventFilter(&brojac);
    SpustiBezDijaloga(*g, 12, "Konstanta", 0, {40, 40});
    ASSERT_NE(Povrsina(*g)->SelektovaniBlok, nullptr);
    QTest::keyClick(Deo<TSKEMPogled>(*g, "PogledPovrsine"), Qt::Key_F1);
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Pomoc: 12.htm +sadrzaj"});
    EXPECT_EQ(brojac.F1, 1); // the key still reaches the control

    Povrsina(*g)->PostaviSelektovaniBlok(nullptr);
    dijalozi.Zapis.clear();
    QTest::keyClick(Deo<QComboBox>(*g, "IzborPrikazaPalete"), Qt::Key_F1);
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Pomoc: index.htm"});
    dijalozi.Zapis.clear();
    Akcija(*g, "DoHelp")->trigger();
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Pomoc: index.htm"});
}

// The help's main page names every menu and command by its caption and every
// shortcut as the menus show it.
TEST_F(Komande, PomocNavodiSveKomandeIPrecice) {
    auto g = Napravi();
    QFile f(Izvor() + QStringLiteral("/resources/help/index.htm"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString pomoc = QString::fromUtf8(f.readAll());
    QStringList trazeno;
    for (const char* traka : {"MainMenu", "HelpMenuBar"})
        for (QAction* m : Deo<QMenuBar>(*g, traka)->actions()) {
            trazeno << m->text();
            for (QAction* a : m->menu()->actions())
                if (!a->isSeparator()) trazeno << a->text();
        }
    for (QAction* a : g->actions())
        for (const QKeySequence& k : a->shortcuts())
            trazeno << k.toString(QKeySequence::NativeText);
    trazeno << Deo<QPushButton>(*g, "DugmePrekini")->shortcut().toString(QKeySequence::NativeText);
    ASSERT_GT(trazeno.size(), 40);
    for (QString t : trazeno)
        EXPECT_TRUE(pomoc.contains(t.remove(QLatin1Char('&')).toHtmlEscaped())) << t.toStdString();
}

TEST_F(Komande, PomocF1NovPritisakNaRoditelju) {
    auto g = Napravi();
    Prikazi(*g);
    // Two presses built at the same place, the second arriving at a parent of the
    // first one's receiver: still two presses, two help requests.
    std::optional<QKeyEvent> e;
    auto Pritisni = [&e](QWidget* w, quint64 vreme) {
        e.emplace(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        e->setTimestamp(vreme);
        QApplication::sendEvent(w, &*e);
        return static_cast<const QEvent*>(&*e);
    };
    const QEvent* prvi = Pritisni(Deo<QComboBox>(*g, "IzborPrikazaPalete"), 1000);
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Pomoc: index.htm"});
    const QEvent* drugi = Pritisni(Deo<QWidget>(*g, "ZaglavljePalete"), 2000);
    ASSERT_EQ(prvi, drugi);
    EXPECT_EQ(dijalozi.Zapis, QStringList(2, "Pomoc: index.htm"));
}

// The table page's hints reach the status bar like the window's other hints.
TEST_F(Komande, SavetiTabeleUStatusnojTraci) {
    auto g = Napravi({Primer("oscilator.skem")});
    Prikazi(*g);
    dijalozi.Skripte.push_back(UnesiOpcije("1", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    const TPrikazRezultata& r = *Prikaz(*g);
    ASSERT_EQ(Strane(*g)->currentWidget(), r.TabelaTab());
    const std::pair<QWidget*, QString> saveti[] = {
        {Deo<QPushButton>(*g, "GoToChart"), "Prikazuje grafik za selektovane redove"},
        {Deo<QCheckBox>(*g, "Oznaka1"), "1. Sumator"},
    };
    for (const auto& [w, savet] : saveti) {
        Deo<QStatusBar>(*g, "StatusnaTraka")->clearMessage();
        const QPointF tacka(2, 2);
        QEnterEvent ulaz(tacka, tacka, w->mapToGlobal(tacka));
        QApplication::sendEvent(w, &ulaz);
        EXPECT_EQ(Deo<QStatusBar>(*g, "StatusnaTraka")->currentMessage(), savet);
        EXPECT_EQ(w->toolTip(), savet);
    }
}

TEST_F(Komande, ZaglavljeITabelaNaUskomProzoru) {
    auto g = Napravi({Primer("oscilator.skem")});
    Prikazi(*g);
    EXPECT_EQ(Deo<QWidget>(*g, "HeaderPanel")->height(), 38);
    // The tool bar's 35 pixel buttons fit in the header.
    EXPECT_LE(Deo<QToolBar>(*g, "MainToolBar")->sizeHint().height(), 38);
    EXPECT_LE(Deo<QToolBar>(*g, "MainToolBar")->geometry().bottom(),
              Deo<QWidget>(*g, "HeaderPanel")->rect().bottom());

    dijalozi.Skripte.push_back(UnesiOpcije("1", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    ASSERT_EQ(Strane(*g)->currentWidget(), Prikaz(*g)->TabelaTab());
    g->resize(g->minimumSize());
    QApplication::processEvents();
    ASSERT_EQ(g->width(), 670);
    // The note above the table is shown whole, not cut at both ends.
    QLabel* l = Deo<QLabel>(*g, "Uputstvo");
    const QRect potrebno =
        l->fontMetrics().boundingRect(QRect(0, 0, l->width(), 1000), Qt::TextWordWrap, l->text());
    EXPECT_LE(potrebno.width(), l->width());
    // Two lines at most, each whole.
    EXPECT_LE(potrebno.height() / l->fontMetrics().lineSpacing(), 2);
    EXPECT_LE(potrebno.height(), l->height());
    EXPECT_GE(l->geometry().left(), 0);
    EXPECT_LE(l->geometry().right(), Prikaz(*g)->TabelaTab()->width());
}

// ---- "Simulacija" ----

using Simulacija = TGlavniTest;

TEST_F(Simulacija, PrimerPuniTabeluIMenjaStranu) {
    auto g = Napravi({Primer("oscilator.skem")});
    dijalozi.Skripte.push_back(UnesiOpcije("1", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    ASSERT_EQ(dijalozi.Zapis, QStringList{"Dijalog: Opcije"});
    EXPECT_EQ(Strane(*g)->currentWidget(), Prikaz(*g)->TabelaTab());
    EXPECT_TRUE(Deo<QToolBar>(*g, "MainToolBar")->isHidden());
    const TPrikazRezultata& r = *Prikaz(*g);
    ASSERT_EQ(r.BrojRedova(), 4);  // three blocks, none a constant or the time source
    ASSERT_EQ(r.BrojKolona(), 12); // captions, then t = 0, 0.1, ..., 1
    EXPECT_EQ(r.Celija(1, 0), "0");
    EXPECT_EQ(r.Celija(11, 0), "1");
    EXPECT_EQ(r.Celija(0, 3), "3. Integrator");
    // Block 3 is the position of a damped oscillator with omega = 2, zeta = 0.1, x(0) = 1.
    const double wd = 2 * std::sqrt(0.99);
    for (int k = 0; k <= 10; ++k) {
        const double t = 0.1 * k;
        const double x = std::exp(-0.2 * t) * (std::cos(wd * t) + 0.2 / wd * std::sin(wd * t));
        EXPECT_NEAR(TekstURealan(r.Celija(k + 1, 3)), x, 1e-7) << "t = " << t;
    }

    // Not on the model page: nothing happens.
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_EQ(dijalozi.Zapis.size(), 1);
    // "Nazad" brings the model page and the tool bar back.
    Deo<QPushButton>(*g, "BackOnModel")->click();
    EXPECT_EQ(Strane(*g)->currentWidget(), Deo<QWidget>(*g, "ModelTab"));
    EXPECT_FALSE(Deo<QToolBar>(*g, "MainToolBar")->isHidden());
}

// Subsystems on the surface: the run takes the flat view, rows named by path.
TEST_F(Simulacija, PodsistemiURedovimaPoPutanji) {
    auto g = Napravi({Primer("podsistem.skem")});
    dijalozi.Skripte.push_back(UnesiOpcije("1", "0.01", "0.5"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    const TPrikazRezultata& r = *Prikaz(*g);
    ASSERT_EQ(r.BrojRedova(), 8); // captions, three blocks in each subsystem, the summer
    const QStringList ocekivano = {"2/2. Sumator", "2/3. Integrator", "2/4. Integrator",
                                   "3/2. Sumator", "3/3. Integrator", "3/4. Integrator",
                                   "4. Sumator"};
    for (int i = 0; i < ocekivano.size(); ++i)
        EXPECT_EQ(r.Celija(0, i + 1), ocekivano[i]);
    // The free and the driven section add up to 1 (x(0) = 1, then 1 - x).
    for (int k = 1; k <= 3; ++k)
        EXPECT_NEAR(TekstURealan(r.Celija(k, 7)), 1, 1e-9);

    // "Nazad" after a run: only inside a subsystem is there a level to go up to.
    for (const bool unutra : {false, true}) {
        Deo<QPushButton>(*g, "BackOnModel")->click();
        TSKEMRadnaPovrsina* rp = Povrsina(*g);
        if (unutra) {
            rp->IzaberiBlokove({rp->Blokovi()[1]});
            Akcija(*g, "OtvoriPodsistem")->trigger();
        }
        dijalozi.Skripte.push_back(UnesiOpcije("1", "0.01", "0.5"));
        Akcija(*g, "IzvSimulaciju")->trigger();
        EXPECT_EQ(Strane(*g)->currentWidget(), r.TabelaTab());
        EXPECT_EQ(Akcija(*g, "NazadIzPodsistema")->isEnabled(), unutra);
    }
}

// The lab: a block watched from its menu and a slider added from the
// inspector's; a paced run shows the live chart growing, a slider moved during
// it is recorded and steers the run, and the document keeps its parameters.
TEST_F(Simulacija, LaboratorijaPratiIKlizacBelezi) {
    auto g = Napravi({Primer("oscilator.skem")});
    Prikazi(*g);
    TSKEMBlok* x = Povrsina(*g)->Blokovi()[2];
    QWidget* platno = Deo<QGraphicsView>(*g, "PogledPovrsine")->viewport();
    const QPoint naBloku =
        Deo<QGraphicsView>(*g, "PogledPovrsine")->mapFromScene(x->sceneBoundingRect().center());
    IzaberiUMeniju("PratiTokomSimulacije");
    QContextMenuEvent meniBloka(QContextMenuEvent::Mouse, naBloku, platno->mapToGlobal(naBloku));
    QApplication::sendEvent(platno, &meniBloka);
    EXPECT_EQ(Povrsina(*g)->Laboratorija.Praceni, std::vector<std::vector<int>>{{3}});
    EXPECT_TRUE(g->Izmenjen());

    TSKEMBlok* zbir = Povrsina(*g)->Blokovi()[0];
    Inspektor(*g)->PrikaziBlok(zbir);
    TSKEMGrid* grid = Inspektor(*g)->GridUlaza();
    int red = -1;
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0) && grid->item(r, 0)->text() == "Koef. ulaza 1") red = r;
    ASSERT_GE(red, 0);
    IzaberiUMeniju("DodajKlizac");
    emit grid->customContextMenuRequested(QPoint(5, grid->rowViewportPosition(red) + 2));
    ASSERT_EQ(Povrsina(*g)->Laboratorija.Klizaci.size(), 1u);
    const skem::TKlizacModela k = Povrsina(*g)->Laboratorija.Klizaci[0];
    EXPECT_EQ(k.Blok, std::vector<int>{1});
    EXPECT_EQ(k.Parametar, 1);
    EXPECT_LT(k.Min, -4);
    EXPECT_GT(k.Max, -4);
    Deo<QPushButton>(*g, "NazadSaLaboratorije")->click();

    // 20 simulated seconds at 2x the wall clock: paused under way, looked
    // at, steered, then finished as fast as possible.
    auto* brzina = Deo<QComboBox>(*g, "Brzina");
    brzina->setCurrentIndex(brzina->findText("2×"));
    auto* lab = Deo<TLaboratorija>(*g, "Laboratorija");
    bool video = false;
    int tacaka = 0;
    // The page comes up a moment into the run; wait for it (at most 5 s).
    QTimer cekanje;
    int pokusaja = 0;
    QObject::connect(&cekanje, &QTimer::timeout, g.get(), [&] {
        if (Strane(*g)->currentWidget() != lab && ++pokusaja < 100) return;
        cekanje.stop();
        auto* pauza = Deo<QPushButton>(*g, "DugmePauza");
        pauza->click();
        EXPECT_EQ(pauza->text(), "Nastavi");
        video = Strane(*g)->currentWidget() == lab;
        lab->Osvezi();
        auto* grafik = Deo<QChartView>(*g, "LiveGrafik")->chart();
        if (grafik->series().size() == 1)
            tacaka = int(static_cast<QLineSeries*>(grafik->series()[0])->count());
        Deo<QSlider>(*g, "Klizac1")->setValue(TLaboratorija::Podela);
        brzina->setCurrentIndex(0);
        pauza->click();
    });
    cekanje.start(50);
    dijalozi.Skripte.push_back(UnesiOpcije("20", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_TRUE(video);
    EXPECT_GT(tacaka, 1);
    EXPECT_LT(tacaka, 201); // still growing
    ASSERT_EQ(Strane(*g)->currentWidget(), Prikaz(*g)->TabelaTab());
    ASSERT_EQ(lab->Izmene().size(), 1u);
    const skem::TIzmenaParametra i = lab->Izmene()[0];
    EXPECT_EQ(i.Blok, 1);
    EXPECT_EQ(i.Parametar, 1);
    EXPECT_EQ(i.Vrednost, k.Max);
    EXPECT_GT(i.Vreme, 0);
    EXPECT_LT(i.Vreme, 20);
    EXPECT_TRUE(
        Deo<QPlainTextEdit>(*g, "ListaIzmena")->toPlainText().startsWith("t,parametar,vrednost\n"));
    // The watched row is ticked; the document keeps its parameter.
    EXPECT_EQ(Prikaz(*g)->OznaceniBlokovi(), QStringList{"3"});
    EXPECT_EQ(zbir->Parametar1, -4);
    // The run is the replay of its list: the same x at the end.
    skem::TSimulacija ponovo;
    struct : skem::TIzvorOpcija {
        bool PitajOpcije(skem::TOpcijeSimulacije& o) override {
            o = {20, 0.01, 0.1};
            return true;
        }
    } opcije;
    ponovo.PostaviIzvorOpcija(&opcije);
    ponovo.PostaviIzmene(lab->Izmene());
    skem::MatrixReal m;
    std::vector<const skem::TBlokPogled*> lista;
    for (TSKEMBlok* b : Povrsina(*g)->Blokovi())
        lista.push_back(b);
    ponovo.Simuliraj(lista, m);
    ASSERT_TRUE(ponovo.Uspeh());
    const skem::MatrixReal& prikazano = Prikaz(*g)->Rezultati();
    ASSERT_EQ(prikazano.Redova(), 201u);
    for (std::size_t r = 0; r < 201; ++r)
        EXPECT_EQ(std::memcmp(m.Red(r), prikazano.Red(r), 3 * sizeof(double)), 0) << r;
    EXPECT_TRUE(DokumentUTekst(*Povrsina(*g)).contains("<Laboratorija>"));
}

// Enter accepting the options dialog after the table had the focus: the
// dialog takes the press, the new table gets the release, which builds
// nothing (it used to show "Niste oznacili zeljene izlaze!").
TEST_F(Simulacija, EnterKojiPrihvataOpcijeNeStizeDoTabele) {
    auto g = Napravi({Primer("oscilator.skem")});
    Prikazi(*g);
    dijalozi.Skripte.push_back(UnesiOpcije("1", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    Prikazi(*g); // active again once the dialog is gone
    TPrikazRezultata& r = *Prikaz(*g);
    QTableView* tabela = Deo<QTableView>(*g, "Tabela");
    QTest::mouseClick(tabela->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    ASSERT_TRUE(tabela->hasFocus());
    Deo<QPushButton>(*g, "BackOnModel")->click();

    dijalozi.Zapis.clear();
    dijalozi.Skripte.push_back([](QDialog& d) {
        auto& o = dynamic_cast<TOpcije&>(d);
        o.PoljeTrajanja->setText("1");
        o.PoljeIntervala->setText("0.01");
        o.PoljeIntervalaStampanja->setText("0.1");
        QTest::keyPress(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_Return);
    });
    Akcija(*g, "IzvSimulaciju")->trigger();
    Prikazi(*g);
    ASSERT_EQ(Strane(*g)->currentWidget(), r.TabelaTab());
    ASSERT_EQ(QApplication::focusWidget(), tabela);
    QTest::keyRelease(tabela, Qt::Key_Return);
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Dijalog: Opcije"});
    EXPECT_EQ(Strane(*g)->currentWidget(), r.TabelaTab());
}

TEST_F(Simulacija, PrazanModelOdustajanjeIGreska) {
    auto g = Napravi();
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Greska: Model mora da sadrzi bar jedan blok!"});
    EXPECT_EQ(Strane(*g)->currentWidget(), Deo<QWidget>(*g, "ModelTab"));

    // Options cancelled: no message, still the model page.
    FileOpen(*g, Primer("oscilator.skem"));
    dijalozi.Zapis.clear();
    dijalozi.Skripte.push_back(
        [](QDialog& d) { dynamic_cast<TOpcije&>(d).DugmeOdustani->click(); });
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_EQ(dijalozi.Zapis, QStringList{"Dijalog: Opcije"});
    EXPECT_EQ(Strane(*g)->currentWidget(), Deo<QWidget>(*g, "ModelTab"));
    EXPECT_FALSE(Deo<QToolBar>(*g, "MainToolBar")->isHidden());
}

// A run a Quit element ended keeps the table's zeros, greyed, and the status
// bar says so, with the time reached at the step's precision.
TEST_F(Simulacija, QuitKazeDaJeZavrsioSimulaciju) {
    auto g = Napravi();
    TSKEMBlok* t = SpustiBezDijaloga(*g, 25, "Vreme", 0, {40, 40});
    TSKEMBlok* prag = SpustiBezDijaloga(*g, 12, "Konstanta", 0, {40, 240});
    TSKEMBlok* quit = SpustiBezDijaloga(*g, 19, "Quit", 2, {240, 140});
    TSKEMBlok* y = SpustiBezDijaloga(*g, 10, "Integrator", 3, {40, 400});
    y->Parametar1 = 1;
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, t, quit);
    dijalozi.Skripte.push_back(IzaberiUlaz(2));
    Povezi(*g, prag, quit);
    auto* opis = Deo<QLabel>(*g, "OpisKraja");
    ASSERT_EQ(opis->parentWidget(), g->statusBar());
    const struct {
        double prag;
        const char* opis;
        int simulirano; // printed times, P = 0.5
    } slucajevi[] = {
        // Raised in the step from 3.6 to 3.7 (h = 0.1), whose end the summed
        // half steps put at 3.69999999999999: sampled up to t = 3.5.
        {3.62, "Kraj simulacije od strane Quit elementa. t = 3.7", 8},
        {100, "", 21},
    };
    for (const auto& c : slucajevi) {
        SCOPED_TRACE(c.prag);
        prag->Parametar1 = c.prag;
        dijalozi.Skripte.push_back(UnesiOpcije("10", "0.1", "0.5"));
        Akcija(*g, "IzvSimulaciju")->trigger();
        const TPrikazRezultata& r = *Prikaz(*g);
        ASSERT_EQ(Strane(*g)->currentWidget(), r.TabelaTab());
        EXPECT_EQ(opis->text(), c.opis);
        ASSERT_EQ(r.BrojKolona(), 22) << "the table keeps every printed time";
        ASSERT_EQ(r.Celija(0, 2), "4. Integrator");
        for (int k = 0; k <= 20; ++k) {
            EXPECT_EQ(r.Celija(k + 1, 2), k < c.simulirano ? "1" : "0") << k;
            EXPECT_EQ(Deo<QTableView>(*g, "Tabela")
                          ->model()
                          ->index(1, k)
                          .data(Qt::ForegroundRole)
                          .isValid(),
                      k >= c.simulirano)
                << k;
        }
        Deo<QPushButton>(*g, "BackOnModel")->click();
    }
}

TEST_F(Simulacija, PreviseTacakaZaTabeluOdbijenoPrePokretanja) {
    auto g = Napravi({Primer("oscilator.skem")});
    // 10^8 printed intervals: more than the table takes. Said at once, before
    // a run of 10^8 steps fills gigabytes of results that could not be shown.
    dijalozi.Skripte.push_back(UnesiOpcije("100000", "0.001", "0.001"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    ASSERT_EQ(dijalozi.Zapis.size(), 2);
    EXPECT_EQ(dijalozi.Zapis[1], "Greska: Previse tacaka rezultata za prikaz u tabeli.")
        << "the table's limit, not a fault of the run";
    EXPECT_TRUE(g->Rezultati().empty());
    EXPECT_EQ(Strane(*g)->currentWidget(), Deo<QWidget>(*g, "ModelTab"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // One interval more than the table takes is refused the same way.
    dijalozi.Zapis.clear();
    dijalozi.Skripte.push_back(UnesiOpcije("10000001", "1", "1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    ASSERT_EQ(dijalozi.Zapis.size(), 2);
    EXPECT_EQ(dijalozi.Zapis[1], "Greska: Previse tacaka rezultata za prikaz u tabeli.");
    EXPECT_TRUE(g->Rezultati().empty());
}

// The pointer shows a run is busy from the options' acceptance to its end,
// and is the ordinary one again for the messages and afterwards.
TEST_F(Simulacija, KursorCekanjaSamoDokTraje) {
    struct TBeleziKursor : TSkriptovaniDijalozi {
        QList<bool> CekanjeUPoruci;
        void Greska(const QString& tekst) override {
            CekanjeUPoruci.append(QGuiApplication::overrideCursor() != nullptr);
            TSkriptovaniDijalozi::Greska(tekst);
        }
    } beleske;
    auto g = Napravi({Primer("oscilator.skem")});
    bool cekaoTokomRada = false;
    beleske.Skripte.push_back([&](QDialog& d) {
        UnesiOpcije("1", "0.01", "0.1")(d);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // not while asking
    });
    Prikaz(*g)->OnPrikaziStranu = [&](QWidget* strana) {
        const QCursor* k = QGuiApplication::overrideCursor();
        cekaoTokomRada = k && k->shape() == Qt::WaitCursor;
        Strane(*g)->setCurrentWidget(strana);
    };
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_TRUE(cekaoTokomRada);
    EXPECT_EQ(Strane(*g)->currentWidget(), Prikaz(*g)->TabelaTab());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A run that fails: its message is shown with the ordinary pointer.
    Deo<QPushButton>(*g, "BackOnModel")->click();
    Akcija(*g, "NovDoc")->trigger();
    TSKEMBlok* i = SpustiBezDijaloga(*g, 10, "Integrator", 3, {40, 40});
    TSKEMBlok* p = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {240, 40});
    i->Parametar1 = 1;
    p->Parametar1 = 1e300; // x' = 1E300 * x overflows in the first step
    beleske.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, i, p);
    beleske.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, p, i);
    beleske.Skripte.push_back(UnesiOpcije("10", "0.1", "1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_EQ(beleske.CekanjeUPoruci, QList<bool>{false});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Simulacija, AritmetickaGreskaVracaNaModel) {
    auto g = Napravi();
    // x' = 1E300 * x, x(0) = 1: the first step overflows.
    TSKEMBlok* i = SpustiBezDijaloga(*g, 10, "Integrator", 3, {40, 40});
    TSKEMBlok* p = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {240, 40});
    i->Parametar1 = 1;
    p->Parametar1 = 1e300;
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, i, p);
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(*g, p, i);
    ASSERT_EQ(Povrsina(*g)->Veze.size(), 2);
    // A table left from an earlier page must not stay in view.
    Strane(*g)->setCurrentWidget(Deo<QWidget>(*g, "ModelTab"));
    dijalozi.Zapis.clear();
    dijalozi.Skripte.push_back(UnesiOpcije("10", "0.1", "1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    ASSERT_EQ(dijalozi.Zapis.size(), 2);
    EXPECT_EQ(dijalozi.Zapis[1],
              "Greska: Doslo je do neocekivane greske tokom simulacije!\nGreska: Floating point "
              "overflow\nProbajte sa smanjenom duzine simulacije ili drugim parametrima za "
              "blokove.");
    EXPECT_EQ(Strane(*g)->currentWidget(), Deo<QWidget>(*g, "ModelTab"));
    EXPECT_FALSE(Deo<QToolBar>(*g, "MainToolBar")->isHidden());
}

TEST_F(Simulacija, GreskaElementaPokazujeBlokKojiJuJeDigao) {
    auto g = Napravi();
    g->resize(800, 600);
    Prikazi(*g);
    // A divider far from the view's corner, its second input left empty.
    TSKEMBlok* i = SpustiBezDijaloga(*g, 10, "Integrator", 3, {40, 40});
    TSKEMBlok* d = SpustiBezDijaloga(*g, 5, "Delitelj", 2, {1400, 1400});
    i->SetAktivno(true);
    dijalozi.Zapis.clear();
    dijalozi.Skripte.push_back(UnesiOpcije("1", "0.1", "0.5"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_EQ(dijalozi.Zapis,
              (QStringList{"Dijalog: Opcije", "Greska: Drugi ulaz u delitelj je 0!"}));
    EXPECT_EQ(Strane(*g)->currentWidget(), Deo<QWidget>(*g, "ModelTab"));
    EXPECT_EQ(Povrsina(*g)->SelektovaniBlok, d);
    const QRectF vidljivo =
        Deo<TSKEMPogled>(*g, "PogledPovrsine")
            ->mapToScene(Deo<TSKEMPogled>(*g, "PogledPovrsine")->viewport()->rect())
            .boundingRect();
    EXPECT_TRUE(vidljivo.contains(d->sceneBoundingRect()));

    // A run cancelled afterwards moves nothing.
    i->SetAktivno(true);
    dijalozi.Skripte.push_back(
        [](QDialog& o) { dynamic_cast<TOpcije&>(o).DugmeOdustani->click(); });
    Akcija(*g, "IzvSimulaciju")->trigger();
    EXPECT_EQ(Povrsina(*g)->SelektovaniBlok, i);
}
