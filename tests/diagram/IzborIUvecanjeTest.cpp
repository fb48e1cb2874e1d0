// Several blocks selected at once, zoom and pan, and the double click that
// asks for a block's parameters.
#include "Dokument.h"
#include "IstorijaIzmena.h"
#include "PomocTesta.h"

#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

void DvostrukiKlik(QGraphicsView& v, QPoint p) {
    Klikni(v, p);
    Mis(v, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    Pusti(v, p);
}

} // namespace

TEST(Izbor, VisestrukiIzborVucenjeIBrisanje) {
    TOkruzenje o;
    TSKEMBlok* a = o.Spusti({40, 40});
    TSKEMBlok* b = o.Spusti({200, 40});
    TSKEMBlok* c = o.Spusti({40, 300});
    TSKEMBlok* d = o.Spusti({400, 400});
    using L = QList<TSKEMBlok*>;
    const auto ctrlKlik = [&](TSKEMBlok* x) {
        Klikni(o.v(), TOkruzenje::Sredina(x), Qt::LeftButton, Qt::ControlModifier);
    };

    Klikni(o.v(), TOkruzenje::Sredina(a));
    ctrlKlik(b);
    EXPECT_EQ(o.rp.IzabraniBlokovi(), (L{a, b}));
    EXPECT_EQ(o.rp.SelektovaniBlok, b); // the inspector shows the last one clicked
    ctrlKlik(a);
    EXPECT_EQ(o.rp.IzabraniBlokovi(), L{b});
    ctrlKlik(a);

    // Dragging one drags all, in diagram units; the others stay.
    Prevuci(o.v(), TOkruzenje::Sredina(b), TOkruzenje::Sredina(b) + QPoint(30, 20));
    EXPECT_EQ(a->pos(), QPointF(70, 60));
    EXPECT_EQ(b->pos(), QPointF(230, 60));
    EXPECT_EQ(c->pos(), QPointF(40, 300));
    // Towards the corner the group stops as a whole, 8 pixels from the edges.
    Prevuci(o.v(), TOkruzenje::Sredina(b), TOkruzenje::Sredina(b) - QPoint(100, 100));
    EXPECT_EQ(a->pos(), QPointF(8, 8));
    EXPECT_EQ(b->pos(), QPointF(168, 8));
    // A plain click on one of them, without dragging, leaves it alone selected.
    Klikni(o.v(), TOkruzenje::Sredina(a));
    EXPECT_EQ(o.rp.IzabraniBlokovi(), L{a});

    // A frame on the free surface selects what it touches; with Ctrl it adds.
    Prevuci(o.v(), {20, 250}, {150, 380});
    EXPECT_EQ(o.rp.IzabraniBlokovi(), L{c});
    EXPECT_EQ(o.rp.SelektovaniBlok, c);
    Pritisni(o.v(), {380, 380}, Qt::LeftButton, Qt::ControlModifier);
    Pomeri(o.v(), {420, 420}, Qt::LeftButton);
    Pusti(o.v(), {420, 420}, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(o.rp.IzabraniBlokovi(), (L{c, d}));
    Klikni(o.v(), {700, 100});
    EXPECT_TRUE(o.rp.IzabraniBlokovi().isEmpty());

    // Ctrl+A, then Delete takes them all.
    PritisniTaster(o.v(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(o.rp.IzabraniBlokovi(), (L{a, b, c, d}));
    PritisniTaster(o.v(), Qt::Key_Delete);
    EXPECT_TRUE(o.rp.Blokovi().isEmpty());
    EXPECT_EQ(o.rp.SelektovaniBlok, nullptr);
}

TEST(Izbor, GrupaNosiKrivineVezaMedjuSvojimBlokovima) {
    // a -> b bent once, and a junction from that connection to c, bent once:
    // which bends go along depends on which blocks are dragged.
    struct TSlucaj {
        const char* opis;
        QRect okvir;         // drawn on the free surface
        bool saC;            // c added with Ctrl+click
        bool veza, junction; // whose bends go along
    } const slucajevi[] = {
        {"a i b", {20, 20, 360, 90}, false, true, false},
        {"a, b i c", {20, 20, 360, 90}, true, true, true},
        {"a i c: veza ide do b", {20, 20, 90, 90}, true, false, false},
        {"samo a", {20, 20, 90, 90}, false, false, false},
    };
    for (const TSlucaj& s : slucajevi) {
        SCOPED_TRACE(s.opis);
        TOkruzenje o;
        TSKEMBlok* a = o.Spusti({40, 40});
        TSKEMBlok* b = o.Spusti({300, 40});
        TSKEMBlok* c = o.Spusti({40, 300});
        TVeza* g = o.NacrtajVezu(a, b, {QPoint(170, 160)});
        ASSERT_NE(g, nullptr);
        o.rp.SetStanje(rpsKreirajJunctionEx);
        const QPoint pocetak = (g->Linije[1]->TackaA() + g->Linije[1]->TackaB()) / 2;
        Klikni(o.v(), pocetak);
        for (const QPoint p : {QPoint(230, 250), TOkruzenje::Sredina(c)}) {
            Pomeri(o.v(), p);
            Klikni(o.v(), p);
        }
        TVeza* j = c->Ulazi[0];
        ASSERT_NE(j, nullptr);
        ASSERT_EQ(g->Drzaci.size(), 2);
        ASSERT_EQ(j->Drzaci.size(), 1);
        TIstorijaIzmena istorija(o.rp);
        const QByteArray pre = DokumentUTekst(o.rp);
        const auto mesta = [](const TVeza* v) {
            QList<QPoint> m;
            for (const TDrzac* h : v->Drzaci)
                m << h->pos().toPoint();
            return m;
        };
        const QList<QPoint> vezaPre = mesta(g), junctionPre = mesta(j);

        Prevuci(o.v(), s.okvir.topLeft(), s.okvir.bottomRight());
        if (s.saC) Klikni(o.v(), TOkruzenje::Sredina(c), Qt::LeftButton, Qt::ControlModifier);
        const QPoint pomak(30, 20);
        o.dogadjaji.clear();
        Prevuci(o.v(), TOkruzenje::Sredina(a), TOkruzenje::Sredina(a) + pomak);
        ASSERT_EQ(a->pos(), QPointF(70, 60));
        const auto ocekivano = [&](const QList<QPoint>& m, bool ide) {
            QList<QPoint> r;
            for (const QPoint p : m)
                r << (ide ? p + pomak : p);
            return r;
        };
        EXPECT_EQ(mesta(g), ocekivano(vezaPre, s.veza));
        EXPECT_EQ(mesta(j), ocekivano(junctionPre, s.junction));
        // The paths stay whole: the junction starts at its holder, each
        // segment ends where the next begins.
        EXPECT_EQ(j->Pocetak(), g->Drzaci[1]->TackaDrzaca());
        for (const TVeza* v : {g, j})
            for (qsizetype i = 0; i < v->Drzaci.size(); ++i) {
                EXPECT_EQ(v->Linije[i]->TackaB(), v->Drzaci[i]->TackaDrzaca());
                EXPECT_EQ(v->Linije[i + 1]->TackaA(), v->Drzaci[i]->TackaDrzaca());
            }
        // One step changed the document, and one undo brings all of it back.
        EXPECT_TRUE(o.dogadjaji.contains("Change"));
        EXPECT_EQ(istorija.ZavrsiKorak(o.rp.OpisKoraka()), TIstorijaIzmena::TKraj::Zapamcen);
        EXPECT_EQ(istorija.OpisPonistavanja(), s.saC || s.veza
                                                   ? QStringLiteral("pomeranje blokova")
                                                   : QStringLiteral("pomeranje bloka 1"));
        istorija.Ponisti();
        EXPECT_EQ(DokumentUTekst(o.rp), pre);
    }
}

TEST(Izbor, UvecanjeIPomeranjePogleda) {
    TOkruzenje o;
    auto& pogled = static_cast<TSKEMPogled&>(o.v());
    TSKEMBlok* a = o.Spusti({100, 100});
    Klikni(o.v(), {700, 600});
    int promena = 0;
    pogled.OnPromenaUvecanja = [&](TSKEMPogled*) { ++promena; };

    // At 200 % a click still hits the block, and a drag moves it in diagram units.
    pogled.PostaviUvecanje(2);
    Klikni(o.v(), TOkruzenje::Sredina(a));
    EXPECT_TRUE(a->Aktivno());
    Prevuci(o.v(), TOkruzenje::Sredina(a), TOkruzenje::Sredina(a) + QPoint(40, 16));
    EXPECT_EQ(a->pos(), QPointF(140, 116));

    // Ctrl+wheel zooms about the pointer: the diagram point under it stays.
    const QPoint ispod(300, 200);
    const QPointF tacka = o.v().mapToScene(ispod);
    QWheelEvent tocak(QPointF(ispod), QPointF(o.v().viewport()->mapToGlobal(ispod)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(o.v().viewport(), &tocak);
    EXPECT_DOUBLE_EQ(pogled.Uvecanje(), 2.5);
    EXPECT_LE(QLineF(o.v().mapToScene(ispod), tacka).length(), 1.0);

    // The keys: 100 %, one step down, one up.
    const struct {
        int taster;
        double uvecanje;
    } tasteri[] = {{Qt::Key_0, 1}, {Qt::Key_Minus, 0.9}, {Qt::Key_Plus, 1}};
    for (const auto& t : tasteri) {
        PritisniTaster(o.v(), t.taster, Qt::ControlModifier);
        EXPECT_DOUBLE_EQ(pogled.Uvecanje(), t.uvecanje) << t.taster;
    }
    EXPECT_EQ(promena, 5);

    // The middle button pans and selects nothing.
    o.Spusti({2600, 2400});
    Klikni(o.v(), {700, 600});
    const int x = o.v().horizontalScrollBar()->value();
    const int y = o.v().verticalScrollBar()->value();
    Prevuci(o.v(), {400, 300}, {300, 250}, Qt::MiddleButton);
    EXPECT_EQ(o.v().horizontalScrollBar()->value(), x + 100);
    EXPECT_EQ(o.v().verticalScrollBar()->value(), y + 50);
    EXPECT_TRUE(o.rp.IzabraniBlokovi().isEmpty());

    // "Prikazi sve": every block in the window.
    pogled.PrikaziSve();
    const QRectF vidljivo = o.v().mapToScene(o.v().viewport()->rect()).boundingRect();
    EXPECT_TRUE(vidljivo.contains(o.rp.itemsBoundingRect()));
    EXPECT_LT(pogled.Uvecanje(), 1);
}

TEST(Izbor, DvostrukiKlikTraziParametreSamoPriIzboru) {
    TOkruzenje o;
    TSKEMBlok* a = o.Spusti({40, 40});
    TSKEMBlok* b = o.Spusti({300, 40});
    int parametri = 0;
    o.rp.OnParametriBloka = [&](TSKEMRadnaPovrsina* rp) {
        ++parametri;
        EXPECT_EQ(rp->SelektovaniBlok, a);
    };
    DvostrukiKlik(o.v(), TOkruzenje::Sredina(a));
    EXPECT_EQ(parametri, 1);
    // While drawing, the two clicks start a connection at b and give it up again.
    o.rp.SetStanje(rpsDodajVezuEx);
    DvostrukiKlik(o.v(), TOkruzenje::Sredina(b));
    EXPECT_EQ(parametri, 1);
    EXPECT_EQ(o.rp.VezaUIzradi, nullptr);
    EXPECT_EQ(o.rp.Stanje(), rpsSelektuj);
}
