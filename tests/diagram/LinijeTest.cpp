// Line primitives: orientation from two points, tips, widths and the hit
// test near the line only.
#include "PomocTesta.h"

#include <QGraphicsRectItem>
#include <gtest/gtest.h>

namespace {

// The two drawn ends in workspace coordinates: (first, second) as the arrow side says.
std::pair<QPoint, QPoint> Krajevi(const TLinija& s) {
    const QPoint p(s.Left(), s.Top());
    return s.ShowArrows() == saStart ? std::pair{s.P2() + p, s.P1() + p}
                                     : std::pair{s.P1() + p, s.P2() + p};
}

} // namespace

TEST(Linije, PostaviTackeUsmeravaDijagonaluOdAKaB) {
    const struct {
        QPoint a, b;
        TLineSlope nagib;
        TShowArrows strelice;
        QRect granice;
    } slucajevi[] = {
        {{100, 100}, {100, 100}, lsDown, saEnd, {90, 90, 20, 20}},     // a point
        {{100, 100}, {150, 130}, lsDown, saEnd, {90, 90, 70, 50}},     // right and down
        {{100, 200}, {100, 150}, lsUp, saEnd, {90, 140, 20, 70}},      // straight up
        {{200, 100}, {150, 130}, lsUp, saStart, {140, 90, 70, 50}},    // left and down
        {{200, 200}, {150, 150}, lsDown, saStart, {140, 140, 70, 70}}, // left and up
        {{100, 200}, {160, 150}, lsUp, saEnd, {90, 140, 80, 70}},      // right and up
    };
    for (const auto& s : slucajevi) {
        TLinija l;
        l.PostaviTacke(s.a, s.b);
        EXPECT_EQ(l.LineSlope(), s.nagib) << s.a.x() << "," << s.a.y();
        EXPECT_EQ(l.ShowArrows(), s.strelice);
        EXPECT_EQ(l.StranaStrelice(), s.strelice);
        EXPECT_EQ(QRect(l.Left(), l.Top(), l.Width(), l.Height()), s.granice);
        EXPECT_EQ(Krajevi(l), std::pair(s.a, s.b));
        EXPECT_EQ(l.TackaA(), s.a);
        EXPECT_EQ(l.TackaB(), s.b);
    }
}

TEST(Linije, TipBojaISelekcija) {
    TLineEx ex;
    EXPECT_EQ(ex.Tip(), 0);
    TLinija l;
    EXPECT_EQ(l.Tip(), 4);
    l.SetTip(0);
    l.SetTip(5);
    EXPECT_EQ(l.Tip(), 4);
    l.SetTip(2);
    EXPECT_EQ(l.Tip(), 2);
    l.PostaviBoju(Qt::red);
    EXPECT_EQ(l.LineColor(), QColor(Qt::red));
    EXPECT_EQ(l.KrugColor(), QColor(Qt::red));
    l.SetSelektovana(true);
    EXPECT_EQ(l.LineStyle(), Qt::DotLine);
    l.SetSelektovana(false);
    EXPECT_EQ(l.LineStyle(), Qt::SolidLine);
}

TEST(Linije, DebljinaIDuzinaStrelice) {
    TLinija l;
    l.PostaviTacke({0, 0}, {50, 50});
    // With arrows the width stays odd, moving further in the direction of the change.
    l.SetLineWidth(2);
    EXPECT_EQ(l.LineWidth(), 3);
    l.SetLineWidth(2);
    EXPECT_EQ(l.LineWidth(), 1);
    l.SetShowArrows(saNone);
    l.SetLineWidth(2);
    EXPECT_EQ(l.LineWidth(), 2);

    TLine linija;
    EXPECT_EQ(linija.Margina(), 10); // not ArrowLength div 2 until the length changes
    linija.SetArrowLength(30);
    EXPECT_EQ(linija.Margina(), 15);
    EXPECT_EQ(linija.Width(), 30); // at least twice the margin
    EXPECT_EQ(linija.P1(), QPoint(15, 15));
    EXPECT_EQ(linija.P2(), QPoint(15, 15));
}

TEST(Linije, PogodakSamoBlizuLinije) {
    // Diagonal (0,0)-(100,50): slope 1/2, so the band at x = 50 is y = 23..27.
    TLinija d;
    d.PostaviTacke({0, 0}, {100, 50});
    auto pogodak = [](const TLinija& l, int x, int y) {
        return l.Pogodak(x - l.Left(), y - l.Top());
    };
    EXPECT_TRUE(pogodak(d, 50, 25));
    EXPECT_TRUE(pogodak(d, 50, 23));
    EXPECT_TRUE(pogodak(d, 50, 27));
    EXPECT_FALSE(pogodak(d, 50, 22));
    EXPECT_FALSE(pogodak(d, 50, 28));
    EXPECT_FALSE(pogodak(d, 95, 0));  // far corner of the rectangle
    EXPECT_FALSE(pogodak(d, 5, 50));  // the other far corner
    EXPECT_TRUE(pogodak(d, 103, 51)); // just past the end, inside the shrunken rectangle
    EXPECT_FALSE(pogodak(d, 104, 52));

    // Vertical (100,0)-(100,80): 4 pixels to the left, 3 to the right (the
    // shrunken rectangle excludes its right edge), to 4 pixels past the ends.
    TLinija v;
    v.PostaviTacke({100, 0}, {100, 80});
    EXPECT_TRUE(pogodak(v, 103, 40));
    EXPECT_FALSE(pogodak(v, 104, 40));
    EXPECT_TRUE(pogodak(v, 96, 40));
    EXPECT_FALSE(pogodak(v, 95, 40));
    EXPECT_TRUE(pogodak(v, 100, 83));
    EXPECT_FALSE(pogodak(v, 100, 84));
    EXPECT_TRUE(pogodak(v, 100, -4));
    EXPECT_FALSE(pogodak(v, 100, -5));

    // Drawn backwards, (200,150) to (100,100): the same line as forwards.
    TLinija r;
    r.PostaviTacke({200, 150}, {100, 100});
    EXPECT_TRUE(pogodak(r, 150, 125));
    EXPECT_FALSE(pogodak(r, 150, 129));
    EXPECT_FALSE(pogodak(r, 195, 100));
    // Rising, (100,150) to (200,100): at x = 150 the band is y = 123..127.
    TLinija u;
    u.PostaviTacke({100, 150}, {200, 100});
    EXPECT_TRUE(pogodak(u, 150, 123));
    EXPECT_TRUE(pogodak(u, 150, 127));
    EXPECT_FALSE(pogodak(u, 150, 122));
    EXPECT_FALSE(pogodak(u, 150, 128));
    EXPECT_FALSE(pogodak(u, 105, 105));
}

TEST(Linije, ScenaVidiSamoOblikLinije) {
    QGraphicsScene scena(0, 0, 500, 500);
    auto* ispod = scena.addRect(QRectF(60, 0, 60, 30)); // under the diagonal's far corner
    ispod->setBrush(Qt::gray);
    ispod->setZValue(-1);
    auto* d = new TLinija;
    scena.addItem(d);
    d->PostaviTacke({0, 0}, {100, 50});
    // Every pixel of the rectangle: the scene's answer agrees with the hit test.
    for (int y = -10; y < 60; ++y)
        for (int x = -10; x < 110; ++x) {
            const bool linija = scena.items(QPointF(x + 0.5, y + 0.5)).contains(d);
            const bool pravougaonik =
                scena.items(QRectF(x, y, 1, 1), Qt::IntersectsItemShape).contains(d);
            ASSERT_EQ(linija, d->Pogodak(x + 10, y + 10)) << x << "," << y;
            ASSERT_EQ(pravougaonik, linija) << x << "," << y;
        }
    EXPECT_EQ(scena.itemAt(QPointF(95, 5), QTransform()), ispod);
    EXPECT_EQ(scena.itemAt(QPointF(50, 25), QTransform()), d);
}

TEST(Linije, OblikNeRasteSaDuzinom) {
    // However long the segment, its hit shape is a few elements, and the line
    // is still found at its far end, by a point and by a pixel-sized rectangle.
    const QPoint krajevi[] = {{60, 10}, {100000, 10}, {10, 100000}, {100000, 50000}, {-90000, 10}};
    for (const QPoint b : krajevi) {
        QGraphicsScene scena;
        auto* l = new TLinija;
        scena.addItem(l);
        l->PostaviTacke({10, 10}, b);
        EXPECT_LE(l->shape().elementCount(), 16) << b.x() << "," << b.y();
        const QPointF kraj = QPointF(b) - QPointF(b.x() > 10 ? 2 : -2, 0);
        EXPECT_TRUE(scena.items(kraj + QPointF(0.5, 0.5)).contains(l)) << b.x() << "," << b.y();
        EXPECT_TRUE(scena.items(QRectF(kraj, QSizeF(1, 1)), Qt::IntersectsItemShape).contains(l));
        EXPECT_FALSE(
            scena.items(QRectF(kraj + QPointF(0, 30), QSizeF(1, 1)), Qt::IntersectsItemShape)
                .contains(l));
        // A query hundreds of pixels wide meets the shape's band.
        EXPECT_TRUE(
            scena.items(QRectF(kraj - QPointF(500, 0), QSizeF(501, 1)), Qt::IntersectsItemShape)
                .contains(l));
    }
}
