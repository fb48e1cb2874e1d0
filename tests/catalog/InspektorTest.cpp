// The inspector: the rows it shows for a block's inputs, parameters,
// ordinates and outputs; key-by-key parameter editing with its refusals;
// picking blocks from the list; collapsed sections; deleted blocks.

#include "ModelDokumenta.h"
#include "Podsistemi.h"
#include "PritisakBloka.h"
#include "SKEMBlok.h"
#include "SKEMDugme.h"
#include "SKEMInspektor.h"
#include "SKEMRadnaPovrsina.h"
#include "SKEMSplit.h"
#include "SkriptovaniDijalozi.h"
#include "Tekst.h"
#include "unLinija.h"
#include "unVeza.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <gmock/gmock.h>
#include <memory>

namespace {

const QString NijeBroj = QStringLiteral("Parametar mora biti realan broj!");

TStavkaKataloga Konstanta() {
    return {QStringLiteral("Konstanta"), 12, 0, 1, {"Vrednost", "x", "x", "x", "x", "x"}};
}
TStavkaKataloga DvaUlaza() {
    return {
        QStringLiteral("Proizvod"), 18, 2, 1, {"Koeficijent", "x", "x", "Ulaz 1", "Ulaz 2", "x"}};
}
TStavkaKataloga Integrator() {
    return {QStringLiteral("Integrator"),
            10,
            3,
            3,
            {"Pocetni uslov", "Koef. ulaza 2", "Koef. ulaza 3", "Ulaz 1", "Ulaz 2", "Ulaz 3"}};
}
TStavkaKataloga Generator() {
    return {QStringLiteral("Generator funkcija"),
            7,
            1,
            2,
            {"Gornja granica", "Donja granica", "x", "Ulaz 1", "x", "x"}};
}

// Draws a connection from a's output to slot k of b, as the user would.
TVeza* Povezi(TSKEMRadnaPovrsina& rp, TSKEMBlok* a, TSKEMBlok* b, int k,
              const QList<QPoint>& krivine = {}) {
    rp.SetStanje(rpsDodajVezuEx);
    PritisniBlok(a);
    TVeza* c = rp.VezaUIzradi;
    if (!c) return nullptr;
    for (QPoint p : krivine) {
        c->PostaviKraj(p);
        c->DodajDrzacNa(p + QPoint(1, 1));
    }
    PritisniBlok(b);
    b->PoveziUlaz(c, k);
    return c;
}

// A workspace in its view, an inspector wired to it as the main window wires
// them, and recorded messages.
class InspektorTest : public ::testing::Test {
protected:
    void SetUp() override {
        pogled = std::make_unique<TSKEMPogled>(&rp);
        pogled->resize(600, 400);
        ins.AktivnaPovrsina = &rp;
        ins.resize(239, 640);
        rp.OnSelectBlokZaInsp = [this](TSKEMRadnaPovrsina* p) {
            ++prikazivanja;
            ins.PrikaziBlok(p->SelektovaniBlok);
        };
        rp.OnDropBlok = [this](TSKEMRadnaPovrsina* p) {
            ins.PrikaziBlok(p->SelektovaniBlok);
            ins.ObnoviListu(p);
        };
        ins.OnIzmena = [this](TSKEMInspektor*) { ++izmene; };
    }

    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    TSKEMBlok* Spusti(const TStavkaKataloga& s, QPoint p) { return rp.SpustiStavku(s, p); }

    // Selects b on the workspace and shows it, as the main window does after
    // the parameter dialog (b may already be the selected block).
    void Izaberi(TSKEMBlok* b) {
        b->SetAktivno(true);
        ins.PrikaziBlok(rp.SelektovaniBlok);
    }

    // Grid 1 (or 2) as rows of "label|value".
    static QStringList Redovi(TSKEMGrid* g) {
        QStringList r;
        for (int i = 0; i < g->rowCount(); ++i)
            r << g->Tekst(i, 0) + "|" + g->Tekst(i, 1);
        return r;
    }

    // Opens grid 1's editor on the value of row red, as a double click does.
    QLineEdit* Uredi(int red) {
        TSKEMGrid* g = ins.GridUlaza();
        const QRect r = g->visualRect(g->model()->index(red, 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
        return g->Editor();
    }

    // Closes the editor with Enter; the delegate commits on the next event-loop pass.
    static void Potvrdi(QLineEdit* e) {
        QTest::keyClick(e, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    // Empties the open editor with real keys: select all, then one backspace.
    static void Isprazni(QLineEdit* e) {
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Backspace);
    }

    TSkriptovaniDijalozi dijalozi;
    TSKEMRadnaPovrsina rp;
    std::unique_ptr<TSKEMPogled> pogled;
    TSKEMInspektor ins;
    int prikazivanja = 0;
    int izmene = 0;
};

TEST_F(InspektorTest, NaPocetkuNePrikazujeBlokIListaJePrazna) {
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "SKEMInspector");
    EXPECT_FALSE(ins.GridUlaza()->isEnabled());
    EXPECT_FALSE(ins.GridIzlaza()->isEnabled());
    EXPECT_EQ(ins.Lista()->topLevelItemCount(), 0);
    EXPECT_EQ(ins.PrikazaniBlok(), nullptr);
    EXPECT_EQ(ins.DugmeBlokovi()->Tekst(), "Blokovi");
    EXPECT_EQ(ins.DugmeUlazi()->Tekst(), "Ulazi/Parametri");
    EXPECT_EQ(ins.DugmeIzlazi()->Tekst(), "Izlazi");
    EXPECT_TRUE(ins.font().bold());
    EXPECT_EQ(ins.font().pointSize(), 8);
}

TEST_F(InspektorTest, UlazOdBloka3PrazanUlazIParametar) {
    Spusti(Konstanta(), {20, 20});
    Spusti(Konstanta(), {20, 120});
    TSKEMBlok* treci = Spusti(Konstanta(), {20, 220});
    TSKEMBlok* b = Spusti(DvaUlaza(), {300, 120});
    b->Parametar1 = 2.5;
    ASSERT_NE(Povezi(rp, treci, b, 0), nullptr);

    Izaberi(b);
    ASSERT_EQ(ins.PrikazaniBlok(), b);
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "4. Proizvod");
    EXPECT_TRUE(ins.GridUlaza()->isEnabled());
    EXPECT_THAT(
        Redovi(ins.GridUlaza()),
        ::testing::ElementsAre("Ulaz 1|3. Konstanta", "Ulaz 2|<nema ulaza>", "Koeficijent|2.5"));
    // The block feeding it has one outgoing connection.
    Izaberi(treci);
    EXPECT_THAT(Redovi(ins.GridIzlaza()), ::testing::ElementsAre("Izlaz 1|4. Proizvod"));
    EXPECT_THAT(Redovi(ins.GridUlaza()), ::testing::ElementsAre("Vrednost|0"));
}

TEST_F(InspektorTest, IzlaziBezVezeIDveVeze) {
    TSKEMBlok* izvor = Spusti(Konstanta(), {24, 40});
    TSKEMBlok* b = Spusti(Integrator(), {250, 160});
    TSKEMBlok* c = Spusti(Integrator(), {120, 250});

    Izaberi(izvor);
    EXPECT_THAT(Redovi(ins.GridIzlaza()), ::testing::ElementsAre("Izlaz|<nema izlaza>"));

    // A connection to b and, branching from its first bend, a junction to c.
    TVeza* glavna = Povezi(rp, izvor, b, 0, {QPoint(150, 60), QPoint(150, 180)});
    ASSERT_NE(glavna, nullptr);
    rp.SetStanje(rpsKreirajJunctionEx);
    TLinija* s = glavna->Linije.first();
    s->OnMouseUp(s, Qt::LeftButton, Qt::NoModifier, 100 - s->Left(), 68 - s->Top());
    TVeza* j = rp.VezaUIzradi;
    ASSERT_NE(j, nullptr);
    PritisniBlok(c);
    c->PoveziUlaz(j, 1);
    ASSERT_EQ(izvor->Izlazi.size(), 2);

    Izaberi(izvor);
    EXPECT_THAT(Redovi(ins.GridIzlaza()),
                ::testing::ElementsAre("Izlaz 1|2. Integrator", "Izlaz 2|3. Integrator"));
    // The junction's end block sees the root block at its second input.
    Izaberi(c);
    EXPECT_THAT(Redovi(ins.GridUlaza()),
                ::testing::ElementsAre("Ulaz 1|<nema ulaza>", "Ulaz 2|1. Konstanta",
                                       "Ulaz 3|<nema ulaza>", "Pocetni uslov|0", "Koef. ulaza 2|0",
                                       "Koef. ulaza 3|0"));
}

TEST_F(InspektorTest, BezBlokaIliBezRedova) {
    TSKEMBlok* vreme =
        Spusti({QStringLiteral("Vreme"), 25, 0, 0, {"x", "x", "x", "x", "x", "x"}}, {20, 20});
    Izaberi(vreme);
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "1. Vreme");
    // No rows at all: no spare empty cell that could be typed into.
    EXPECT_EQ(ins.GridUlaza()->rowCount(), 0);

    ins.PrikaziBlok(nullptr);
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "SKEMInspector");
    EXPECT_FALSE(ins.GridUlaza()->isEnabled());
    // Cleared grids keep one empty row.
    EXPECT_EQ(ins.GridUlaza()->rowCount(), 1);
    EXPECT_EQ(ins.GridUlaza()->Tekst(0, 0), "");
    EXPECT_THAT(Redovi(ins.GridIzlaza()), ::testing::ElementsAre("|"));
}

TEST_F(InspektorTest, BezVidljivePovrsineNistaSeNeDesava) {
    TSKEMBlok* b = Spusti(Konstanta(), {20, 20});
    ins.ObnoviListu(&rp);
    EXPECT_EQ(ins.Lista()->topLevelItemCount(), 1);

    ins.PrikaziBlok(nullptr);
    rp.PostaviVidljivost(false);
    ins.PrikaziBlok(b);
    EXPECT_EQ(ins.PrikazaniBlok(), nullptr);
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "SKEMInspector");
    ins.ObnoviListu(&rp);
    EXPECT_EQ(ins.Lista()->topLevelItemCount(), 0);

    rp.PostaviVidljivost(true);
    ins.ObnoviListu(nullptr);
    EXPECT_EQ(ins.Lista()->topLevelItemCount(), 0);
    TSKEMInspektor bezPovrsine;
    bezPovrsine.PrikaziBlok(b);
    EXPECT_EQ(bezPovrsine.PrikazaniBlok(), nullptr);
    EXPECT_EQ(bezPovrsine.DugmeNaziv()->Tekst(), "SKEMInspector");
    // Without a workspace of its own, a rebuild only empties the list.
    bezPovrsine.ObnoviListu(&rp);
    EXPECT_EQ(bezPovrsine.Lista()->topLevelItemCount(), 0);
}

TEST_F(InspektorTest, MinusPaDvaUIspraznjenuCeliju) {
    ins.show();
    TSKEMBlok* b = Spusti(Konstanta(), {20, 20});
    b->Parametar1 = 7;
    Izaberi(b);
    QLineEdit* e = Uredi(0);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text(), "7");
    Isprazni(e);
    QTest::keyClicks(e, "-");
    EXPECT_EQ(b->Parametar1, 7); // a sign alone changes nothing yet
    QTest::keyClicks(e, "2");
    EXPECT_TRUE(dijalozi.Zapis.isEmpty());
    EXPECT_EQ(b->Parametar1, -2);
    EXPECT_EQ(izmene, 1);
    Potvrdi(e);
    EXPECT_EQ(ins.GridUlaza()->Tekst(0, 1), "-2");
}

TEST_F(InspektorTest, SlovoDajePorukuJednomINulu) {
    ins.show();
    TSKEMBlok* b = Spusti(Konstanta(), {20, 20});
    b->Parametar1 = 4;
    Izaberi(b);
    QLineEdit* e = Uredi(0);
    ASSERT_NE(e, nullptr);
    Isprazni(e);
    QTest::keyClicks(e, "a");
    EXPECT_THAT(dijalozi.Zapis, ::testing::ElementsAre("Greska: " + NijeBroj));
    // The cell and the open editor go back to the value the block keeps.
    EXPECT_EQ(ins.GridUlaza()->Tekst(0, 1), "4");
    EXPECT_EQ(b->Parametar1, 4);
    EXPECT_EQ(izmene, 0);
    EXPECT_EQ(e->text(), "4");
    QTest::keyClicks(e, "5a");
    EXPECT_EQ(b->Parametar1, 45);
    EXPECT_EQ(ins.GridUlaza()->Tekst(0, 1), "45");
    Potvrdi(e);
    EXPECT_EQ(ins.GridUlaza()->Tekst(0, 1), "45");
    EXPECT_EQ(dijalozi.Zapis.size(), 2);
}

// A real message box takes the focus and runs its own event loop while the
// editor is still inside its key handler; the editor must outlive that.
TEST_F(InspektorTest, SlovoUIzabranuCelijuSaPravimProzoromPoruke) {
    struct TPrazniDijalozi : TSkriptovaniDijalozi {
        QWidget* prozor = nullptr;
        QWidget* nazad = nullptr;
        void Greska(const QString& tekst) override {
            TSkriptovaniDijalozi::Greska(tekst);
            prozor->show();
            QApplication::setActiveWindow(prozor);
            prozor->setFocus(Qt::ActiveWindowFocusReason);
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            prozor->hide();
            QApplication::setActiveWindow(nazad);
        }
    } poruke;
    QLineEdit prozorPoruke;
    poruke.prozor = &prozorPoruke;
    poruke.nazad = &ins;

    ins.show();
    QApplication::setActiveWindow(&ins);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ins));
    TSKEMBlok* b = Spusti(Konstanta(), {20, 20});
    b->Parametar1 = 4;
    Izaberi(b);
    TSKEMGrid* g = ins.GridUlaza();
    const QRect r = g->visualRect(g->model()->index(0, 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_EQ(g->Editor(), nullptr);
    // A letter on the selected cell opens the editor with that letter.
    QTest::keyClick(g, Qt::Key_A);
    QCoreApplication::processEvents();
    EXPECT_THAT(poruke.Poruke(), ::testing::ElementsAre(NijeBroj));
    EXPECT_EQ(g->Tekst(0, 1), "4");
    EXPECT_EQ(b->Parametar1, 4);
}

TEST_F(InspektorTest, BrojSeKucaTasterPoTaster) {
    ins.show();
    TSKEMBlok* b = Spusti(Integrator(), {20, 20});
    Izaberi(b);
    // Three input rows, then "Koef. ulaza 2" at row 3 + 1.
    QLineEdit* e = Uredi(4);
    ASSERT_NE(e, nullptr);
    Isprazni(e);
    QTest::keyClicks(e, "1.5e-3");
    EXPECT_TRUE(dijalozi.Zapis.isEmpty()) << dijalozi.Zapis.join("; ").toStdString();
    EXPECT_DOUBLE_EQ(b->Parametar2, 1.5e-3);
    EXPECT_EQ(b->Parametar1, 0);
    EXPECT_EQ(b->Parametar3, 0);
    // An editor closed on an unfinished text shows the value the block has.
    Isprazni(e);
    QTest::keyClicks(e, "-");
    Potvrdi(e);
    EXPECT_EQ(ins.GridUlaza()->Tekst(4, 1), "0.0015");
    EXPECT_DOUBLE_EQ(b->Parametar2, 1.5e-3);
}

TEST_F(InspektorTest, TackaINaNemackomJeziku) {
    QLocale::setDefault(QLocale(QLocale::German));
    ins.show();
    TSKEMBlok* b = Spusti(Konstanta(), {20, 20});
    b->Parametar1 = 0.1;
    Izaberi(b);
    EXPECT_EQ(ins.GridUlaza()->Tekst(0, 1), "0.1");
    QLineEdit* e = Uredi(0);
    ASSERT_NE(e, nullptr);
    Isprazni(e);
    QTest::keyClicks(e, "0.25");
    EXPECT_EQ(b->Parametar1, 0.25);
    EXPECT_TRUE(dijalozi.Zapis.isEmpty());
    // A comma is no decimal separator here.
    Isprazni(e);
    QTest::keyClicks(e, ",");
    EXPECT_THAT(dijalozi.Poruke(), ::testing::ElementsAre(NijeBroj));
    EXPECT_EQ(b->Parametar1, 0.25);
}

TEST_F(InspektorTest, UlazniRedoviILabeleSeNeMoguIzabratiNiUrediti) {
    ins.show();
    TSKEMBlok* izvor = Spusti(Konstanta(), {20, 20});
    TSKEMBlok* b = Spusti(DvaUlaza(), {300, 20});
    ASSERT_NE(Povezi(rp, izvor, b, 0), nullptr);
    Izaberi(b);
    TSKEMGrid* g = ins.GridUlaza();
    // No row shows as selected after showing a block.
    EXPECT_FALSE(g->currentIndex().isValid());
    EXPECT_TRUE(g->selectedItems().isEmpty());
    EXPECT_FALSE(g->MozeDaSeIzabere(0, 1)); // "1. Konstanta"
    EXPECT_FALSE(g->MozeDaSeIzabere(1, 1)); // "<nema ulaza>"
    EXPECT_TRUE(g->MozeDaSeIzabere(2, 1));  // the parameter
    EXPECT_FALSE(g->MozeDaSeIzabere(2, 0)); // its label

    for (int red : {0, 1}) {
        EXPECT_EQ(Uredi(red), nullptr) << red;
        EXPECT_TRUE(g->selectedItems().isEmpty()) << red;
        g->edit(g->model()->index(red, 1));
        EXPECT_EQ(g->Editor(), nullptr) << red;
    }
    const QRect labela = g->visualRect(g->model()->index(2, 0));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, labela.center());
    EXPECT_EQ(g->Editor(), nullptr);
}

TEST_F(InspektorTest, IzborIzListeSelektujeBlok) {
    ins.show();
    TSKEMBlok* a = Spusti(Konstanta(), {20, 20});
    TSKEMBlok* b = Spusti(Integrator(), {200, 20});
    int aktivacije = 0;
    for (TSKEMBlok* x : {a, b}) {
        auto stari = x->OnAktiviran;
        x->OnAktiviran = [&aktivacije, stari](TSKEMBlok* y) {
            ++aktivacije;
            stari(y);
        };
    }
    ASSERT_EQ(ins.Lista()->topLevelItemCount(), 2);
    EXPECT_EQ(ins.Lista()->topLevelItem(0)->text(0), "1. Konstanta");
    EXPECT_EQ(ins.Lista()->topLevelItem(1)->text(0), "2. Integrator");
    // The rebuilt list marks the block just dropped.
    EXPECT_EQ(ins.Lista()->currentItem(), ins.Lista()->topLevelItem(1));

    // The user picks the first entry.
    QTreeWidget* l = ins.Lista();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                      l->visualItemRect(l->topLevelItem(0)).center());
    EXPECT_EQ(aktivacije, 1);
    EXPECT_EQ(rp.SelektovaniBlok, a);
    EXPECT_TRUE(a->Aktivno());
    EXPECT_FALSE(b->Aktivno());
    EXPECT_EQ(ins.PrikazaniBlok(), a);
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "1. Konstanta");

    // Selected on the workspace: the list follows, and that is not a pick.
    aktivacije = 0;
    b->SetAktivno(true);
    EXPECT_EQ(aktivacije, 1);
    EXPECT_EQ(l->currentItem(), l->topLevelItem(1));
    EXPECT_TRUE(l->topLevelItem(1)->isSelected());
    EXPECT_EQ(ins.focusWidget(), l);
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "2. Integrator");

    // Nothing selected on the workspace: the list loses its selection.
    rp.SelektujBlok(nullptr);
    EXPECT_TRUE(l->selectedItems().isEmpty());
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "SKEMInspector");
    EXPECT_EQ(aktivacije, 1);
}

TEST_F(InspektorTest, SkupljenaListaSeNeDira) {
    ins.show();
    TSKEMBlok* a = Spusti(Konstanta(), {20, 20});
    TSKEMBlok* b = Spusti(Konstanta(), {200, 20});
    a->SetAktivno(true);
    QTreeWidget* l = ins.Lista();
    ASSERT_EQ(l->currentItem(), l->topLevelItem(0));

    // The header button collapses the list panel.
    QTest::mouseClick(ins.DugmeBlokovi(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(ins.PanelBlokova()->isHidden());
    ins.GridUlaza()->setFocus();
    b->SetAktivno(true);
    EXPECT_EQ(ins.PrikazaniBlok(), b);
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "2. Konstanta");
    EXPECT_EQ(l->currentItem(), l->topLevelItem(0));
    EXPECT_TRUE(l->topLevelItem(0)->isSelected());
    EXPECT_EQ(ins.focusWidget(), ins.GridUlaza());

    // Shown again by a click on the splitter's button.
    TSKEMSplit* s = ins.SplitBlokova();
    const QPoint dugme = s->PravougaonikTastera().center();
    QTest::mousePress(s, Qt::LeftButton, {}, dugme);
    QTest::mouseRelease(s, Qt::LeftButton, {}, dugme);
    EXPECT_FALSE(ins.PanelBlokova()->isHidden());
}

TEST_F(InspektorTest, DugmadSkupljajuSekcije) {
    ins.show();
    QTest::mouseClick(ins.DugmeUlazi(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(ins.PanelUlaza()->isHidden());
    QTest::mouseClick(ins.DugmeUlazi(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(ins.PanelUlaza()->isHidden());
    EXPECT_EQ(ins.PanelUlaza()->height(), 126);
    EXPECT_EQ(ins.PanelBlokova()->height(), 166);
    EXPECT_EQ(ins.SplitBlokova()->AktivniPanel(), ins.PanelBlokova());
    EXPECT_EQ(ins.SplitUlaza()->AktivniPanel(), ins.PanelUlaza());
    // However far a splitter pulls them, the panels stop at 180 and 246.
    ins.PanelUlaza()->setFixedHeight(300);
    ins.PanelBlokova()->setFixedHeight(300);
    QCoreApplication::processEvents();
    EXPECT_EQ(ins.PanelUlaza()->height(), 180);
    EXPECT_EQ(ins.PanelBlokova()->height(), 246);
    EXPECT_TRUE(ins.GridIzlaza()->isVisible());
    QTest::mouseClick(ins.DugmeIzlazi(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(ins.GridIzlaza()->isVisible());
}

TEST_F(InspektorTest, OrdinateGeneratoraFunkcija) {
    ins.show();
    TSKEMBlok* g = Spusti(Generator(), {20, 20});
    g->Parametar1 = 10;
    g->Parametar2 = 0;
    Izaberi(g);
    TSKEMGrid* grid = ins.GridUlaza();
    // Input, two bounds, then T0..T10 at 0, 1, ..., 10.
    ASSERT_EQ(grid->rowCount(), 1 + 2 + 11);
    EXPECT_EQ(grid->Tekst(1, 0), "Gornja granica");
    EXPECT_EQ(grid->Tekst(2, 0), "Donja granica");
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(grid->Tekst(3 + i, 0), QStringLiteral("T%1").arg(i));
        EXPECT_EQ(grid->Tekst(3 + i, 1), QString::number(i));
    }

    // Default ordinates follow an edited bound.
    QLineEdit* e = Uredi(1);
    ASSERT_NE(e, nullptr);
    Isprazni(e);
    QTest::keyClicks(e, "20");
    Potvrdi(e);
    EXPECT_EQ(g->Parametar1, 20);
    EXPECT_FALSE(g->Ordinate.has_value());
    EXPECT_EQ(grid->Tekst(3 + 5, 1), "10");

    // An edited ordinate reaches the engine's view; the others stay.
    e = Uredi(3 + 3);
    ASSERT_NE(e, nullptr);
    Isprazni(e);
    QTest::keyClicks(e, "-1.5");
    Potvrdi(e);
    ASSERT_TRUE(g->Ordinate.has_value());
    EXPECT_EQ(g->OrdinateBloka()[3], -1.5);
    EXPECT_EQ(g->OrdinateBloka()[5], 10);
    EXPECT_EQ(g->OrdinateBloka()[10], 20);
    EXPECT_EQ(g->Parametar1, 20);
    EXPECT_EQ(g->Parametar2, 0);
    // Own ordinates stay when a bound changes.
    e = Uredi(2);
    ASSERT_NE(e, nullptr);
    Isprazni(e);
    QTest::keyClicks(e, "4");
    Potvrdi(e);
    EXPECT_EQ(g->Parametar2, 4);
    EXPECT_EQ(g->OrdinateBloka()[0], 0);
    EXPECT_EQ(izmene, 2 + 3 + 1); // "2", "20"; "-1", "-1.", "-1.5"; "4"

    // A refused ordinate leaves the table as it was.
    e = Uredi(3 + 7);
    ASSERT_NE(e, nullptr);
    Isprazni(e);
    QTest::keyClicks(e, "x");
    EXPECT_THAT(dijalozi.Poruke(), ::testing::ElementsAre(NijeBroj));
    EXPECT_EQ(g->OrdinateBloka()[7], 14);
    EXPECT_EQ(grid->Tekst(3 + 7, 1), "14");
    QTest::keyClick(e, Qt::Key_Escape);

    // Back to the defaults: from 4 to 20 in tenths.
    ASSERT_NE(ins.AkcijaPodrazumevaneOrdinate(), nullptr);
    EXPECT_EQ(ins.AkcijaPodrazumevaneOrdinate()->text(), "Podrazumevane ordinate");
    ins.AkcijaPodrazumevaneOrdinate()->trigger();
    EXPECT_FALSE(g->Ordinate.has_value());
    EXPECT_DOUBLE_EQ(g->OrdinateBloka()[3], 8.8);
    EXPECT_EQ(grid->Tekst(3 + 5, 1), "12");
    EXPECT_EQ(grid->Tekst(3 + 7, 1), "15.2");
    EXPECT_EQ(izmene, 7);
}

TEST_F(InspektorTest, OrdinateSeNePrikazujuDrugimBlokovima) {
    TSKEMBlok* b = Spusti(Integrator(), {20, 20});
    Izaberi(b);
    EXPECT_EQ(ins.GridUlaza()->rowCount(), 6);
    ins.AkcijaPodrazumevaneOrdinate()->trigger();
    EXPECT_EQ(izmene, 0);
}

// A block made against the catalogue's rules (its only parameter label on
// the second parameter) still gets the parameter its row is labelled with.
TEST_F(InspektorTest, RedPiseParametarSvogNatpisa) {
    ins.show();
    TSKEMBlok* b =
        Spusti({QStringLiteral("Cudan"), 9, 1, 1, {"x", "Drugi", "x", "x", "x", "x"}}, {20, 20});
    Izaberi(b);
    ASSERT_THAT(Redovi(ins.GridUlaza()), ::testing::ElementsAre("Drugi|0"));
    QLineEdit* e = Uredi(0);
    ASSERT_NE(e, nullptr);
    Isprazni(e);
    QTest::keyClicks(e, "3");
    EXPECT_EQ(b->Parametar2, 3);
    EXPECT_EQ(b->Parametar1, 0);
}

// A subsystem's shown parameters: a row each under its caption, with the
// inner block's value; an edit writes that block in a new content (the old
// one, shared with undo and copies, stays) and is refused as any other.
TEST_F(InspektorTest, ParametriPodsistemaUUnutrasnjimBlokovima) {
    ins.show();
    const auto blok = [](int broj, double p1, double p2) {
        skem::TBlokModela b;
        b.Naziv = QStringLiteral("Integrator");
        b.Sifra = 10;
        b.LokalniBroj = broj;
        b.Parametar1 = p1;
        b.Parametar2 = p2;
        return b;
    };
    auto dublje = std::make_shared<skem::TPodsistemModela>();
    dublje->Sadrzaj.Blokovi = {blok(1, 0.5, 7)};
    skem::TBlokModela unutrasnji = blok(2, 0, 0);
    unutrasnji.Sifra = 29;
    unutrasnji.Podsistem = dublje;
    auto sadrzaj = std::make_shared<skem::TPodsistemModela>();
    sadrzaj->Sadrzaj.Blokovi = {blok(1, 4, 0), unutrasnji};
    sadrzaj->Parametri = {{{1}, 1, "Masa"}, {{9}, 1, "Nema"}, {{2, 1}, 2, "Krutost"}};
    TSKEMBlok* b =
        Spusti({QStringLiteral("Podsistem"), 29, 0, 0, {"x", "x", "x", "x", "x", "x"}}, {20, 20});
    b->Podsistem = sadrzaj;
    Izaberi(b);
    ASSERT_THAT(Redovi(ins.GridUlaza()), ::testing::ElementsAre("Masa|4", "Krutost|7"));

    const struct {
        int red;
        const char* tekst;
        std::vector<int> putanja;
        int parametar;
        double vrednost; // what the inner block holds after
        bool menja;      // edits reported (one per key that makes a number)
    } slucajevi[] = {
        {0, "2.5", {1}, 1, 2.5, true},
        {1, "3", {2, 1}, 2, 3, true},
        {1, "a", {2, 1}, 2, 3, false}, // refused: the value stays, the cell shows it
    };
    for (const auto& c : slucajevi) {
        const std::shared_ptr<const skem::TPodsistemModela> pre = b->Podsistem;
        const QByteArray preTekst = skem::ModelUTekst(pre->Sadrzaj);
        const int izmenaPre = izmene;
        dijalozi.Zapis.clear();
        QLineEdit* e = Uredi(c.red);
        ASSERT_NE(e, nullptr) << c.tekst;
        Isprazni(e);
        QTest::keyClicks(e, c.tekst);
        Potvrdi(e);
        const skem::TBlokModela* u = skem::BlokNaPutanji(b->Podsistem->Sadrzaj, c.putanja);
        ASSERT_NE(u, nullptr);
        EXPECT_EQ(u->Parametar(c.parametar), c.vrednost) << c.tekst;
        EXPECT_EQ(izmene > izmenaPre, c.menja) << c.tekst;
        EXPECT_EQ(ins.GridUlaza()->Tekst(c.red, 1), RealanUTekst(c.vrednost)) << c.tekst;
        EXPECT_EQ(dijalozi.Zapis.isEmpty(), c.menja) << c.tekst;
        // What was shared before is as it was.
        EXPECT_EQ(skem::ModelUTekst(pre->Sadrzaj), preTekst) << c.tekst;
        EXPECT_EQ(b->Podsistem->Parametri, pre->Parametri);
    }
    EXPECT_EQ(dublje->Sadrzaj.Blokovi[0].Parametar2, 7);

    // Opened, its blocks are listed and shown by path, as the results name them.
    OtvoriPodsistem(rp, b);
    ins.ObnoviListu(&rp);
    QStringList lista;
    for (int i = 0; i < ins.Lista()->topLevelItemCount(); ++i)
        lista << ins.Lista()->topLevelItem(i)->text(0);
    EXPECT_EQ(lista, (QStringList{"1/1. Integrator", "1/2. Integrator"}));

    // A port's name (its caption str2) is no parameter row.
    Izaberi(Spusti({QStringLiteral("Izlaz podsistema"),
                    31,
                    1,
                    1,
                    {"Redni broj", "u", "x", "Ulaz 1", "x", "x"}},
                   {300, 20}));
    EXPECT_THAT(Redovi(ins.GridUlaza()),
                ::testing::ElementsAre("Ulaz 1|<nema ulaza>", "Redni broj|0"));
}

TEST_F(InspektorTest, ObrisanBlokNeRusiInspektor) {
    ins.show();
    TSKEMBlok* a = Spusti(Konstanta(), {20, 20});
    TSKEMBlok* b = Spusti(Konstanta(), {200, 20});
    Izaberi(b);
    QPointer<QLineEdit> e = Uredi(0);
    ASSERT_NE(e, nullptr);

    // Deleted while shown, and the main window not told.
    rp.OnSelectBlokZaInsp = nullptr;
    rp.OnDropBlok = nullptr;
    rp.ObrisiBlok(b);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(ins.PrikazaniBlok(), nullptr);
    if (!e) e = Uredi(0);
    ASSERT_NE(e, nullptr);
    Isprazni(e);
    QTest::keyClicks(e, "5");
    EXPECT_EQ(izmene, 0);
    EXPECT_EQ(a->Parametar1, 0);

    // The stale list entry picks nothing.
    QTreeWidget* l = ins.Lista();
    ASSERT_EQ(l->topLevelItemCount(), 2);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                      l->visualItemRect(l->topLevelItem(1)).center());
    EXPECT_EQ(rp.SelektovaniBlok, nullptr);

    // The rebuild after a deletion also drops the shown block.
    ins.ObnoviListu(&rp);
    EXPECT_EQ(l->topLevelItemCount(), 1);
    EXPECT_EQ(ins.DugmeNaziv()->Tekst(), "SKEMInspector");
    EXPECT_FALSE(ins.GridUlaza()->isEnabled());
    ins.PrikaziBlok(b); // a dangling pointer is recognised, not followed
    EXPECT_EQ(ins.PrikazaniBlok(), nullptr);
}

TEST(SKEMGridTest, SirinaKolonaPratiSirinuGrida) {
    TSKEMGrid g;
    g.show();
    // Even width: (w - 2) / 2; odd width: w / 2 - 1.
    for (auto [w, ocekivano] : {std::pair{200, 99}, {201, 99}, {150, 74}, {151, 74}, {239, 118}}) {
        g.resize(w, 100);
        QCoreApplication::processEvents();
        EXPECT_EQ(g.columnWidth(0), ocekivano) << w;
        EXPECT_EQ(g.columnWidth(1), ocekivano) << w;
    }
    g.DodajRed("a", "1");
    EXPECT_EQ(g.rowHeight(1), TSKEMGrid::VisinaReda);
    g.Ocisti();
    EXPECT_EQ(g.rowCount(), 1);
    EXPECT_EQ(g.Tekst(0, 0), "");
    EXPECT_EQ(g.Tekst(0, 1), "");
    EXPECT_TRUE(g.MozeDaSeIzabere(0, 1)); // an empty cell counts as selectable
}

// With a vertical scroll bar the two columns are wider than the viewport; making
// a value cell current must not shift the label column out of sight.
TEST(SKEMGridTest, VrednostNePomeraKolonuNatpisa) {
    TSKEMGrid g;
    g.resize(200, 60);
    g.show();
    for (int i = 0; i < 12; ++i)
        g.DodajRed(QString("T%1").arg(i), QString::number(i));
    QCoreApplication::processEvents();
    ASSERT_GT(g.columnWidth(0) + g.columnWidth(1), g.viewport()->width());
    g.setCurrentCell(10, 1);
    g.scrollTo(g.model()->index(10, 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(g.columnViewportPosition(0), 0);
    EXPECT_EQ(g.horizontalScrollBar()->value(), 0);
}

// Draws the inspector showing a connected integrator, for a person to look at.
TEST_F(InspektorTest, SlikaInspektora) {
    TSKEMBlok* k = Spusti(Konstanta(), {24, 40});
    TSKEMBlok* i = Spusti(Integrator(), {250, 40});
    TSKEMBlok* p = Spusti(DvaUlaza(), {450, 40});
    ASSERT_NE(Povezi(rp, k, i, 0), nullptr);
    ASSERT_NE(Povezi(rp, i, p, 1), nullptr);
    i->Parametar1 = 0.1;
    i->Parametar2 = -2;
    i->Parametar3 = 1.5e20;
    ins.show();
    Izaberi(i);
    QCoreApplication::processEvents();
    const QImage slika = ins.grab().toImage();
    ASSERT_FALSE(slika.isNull());
    EXPECT_TRUE(slika.save(QDir::temp().filePath("skem-inspektor.png")));
    EXPECT_THAT(Redovi(ins.GridUlaza()),
                ::testing::ElementsAre("Ulaz 1|1. Konstanta", "Ulaz 2|<nema ulaza>",
                                       "Ulaz 3|<nema ulaza>", "Pocetni uslov|0.1",
                                       "Koef. ulaza 2|-2", "Koef. ulaza 3|1.5E20"));
    EXPECT_THAT(Redovi(ins.GridIzlaza()), ::testing::ElementsAre("Izlaz 1|3. Proizvod"));
}

} // namespace
