// The collapsible splitter in a real layout: a click on its button toggles
// the panel, dragging resizes the panel only while it is visible, hover
// changes the cursor and the button's colour.
#include "SKEMSplit.h"

#include <QHBoxLayout>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A window: [panel | splitter | centre] for a left-aligned splitter,
// [centre | splitter | panel] for a right-aligned one.
struct TProzor {
    QWidget prozor;
    QWidget* panel;
    QWidget* centar;
    TSKEMSplit* split;

    explicit TProzor(TSKEMSplit::TPoravnanje poravnanje) {
        auto* r = new QHBoxLayout(&prozor);
        r->setContentsMargins(0, 0, 0, 0);
        r->setSpacing(0);
        panel = new QWidget;
        panel->setFixedWidth(100);
        centar = new QWidget;
        centar->setMinimumWidth(50);
        split = new TSKEMSplit(poravnanje);
        split->PostaviAktivniPanel(panel);
        if (poravnanje == TSKEMSplit::TPoravnanje::alLevo) {
            r->addWidget(panel);
            r->addWidget(split);
            r->addWidget(centar, 1);
        } else {
            r->addWidget(centar, 1);
            r->addWidget(split);
            r->addWidget(panel);
        }
        prozor.resize(400, 300);
        prozor.show();
        QApplication::processEvents();
    }

    QPoint Taster() const { return split->PravougaonikTastera().center(); }
    QPoint IzvanTastera() const { return QPoint(split->width() / 2, 10); }

    // Press, move with the left button held, release (all on the splitter).
    void Vuci(QPoint od, int dx) {
        QTest::mousePress(split, Qt::LeftButton, {}, od);
        for (int korak = 1; korak <= 4; ++korak) {
            const QPoint p = od + QPoint(dx * korak / 4, 0);
            QMouseEvent pomeraj(QEvent::MouseMove, p, split->mapToGlobal(p), Qt::NoButton,
                                Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(split, &pomeraj);
        }
        QTest::mouseRelease(split, Qt::LeftButton, {}, od + QPoint(dx, 0));
        QApplication::processEvents();
    }
};

} // namespace

TEST(SKEMSplit, TasterJeSrednjaTrecina) {
    TProzor w(TSKEMSplit::TPoravnanje::alLevo);
    EXPECT_EQ(w.split->width(), TSKEMSplit::Debljina);
    EXPECT_EQ(w.split->height(), 300);
    // 300 * 0.333 = 99.9, rounded to 100; 1 pixel in from each side.
    EXPECT_EQ(w.split->PravougaonikTastera(), QRect(1, 100, 6, 100));

    TSKEMSplit vodoravan(TSKEMSplit::TPoravnanje::alDole);
    vodoravan.resize(90, 8);
    EXPECT_EQ(vodoravan.height(), TSKEMSplit::Debljina);
    EXPECT_EQ(vodoravan.PravougaonikTastera(), QRect(30, 1, 30, 6));
}

TEST(SKEMSplit, KlikNaTasterPrebacujePanel) {
    for (auto poravnanje : {TSKEMSplit::TPoravnanje::alLevo, TSKEMSplit::TPoravnanje::alDesno}) {
        SCOPED_TRACE(int(poravnanje));
        TProzor w(poravnanje);
        QTest::mouseClick(w.split, Qt::LeftButton, {}, w.Taster());
        QApplication::processEvents();
        EXPECT_TRUE(w.panel->isHidden());
        EXPECT_TRUE(w.split->isVisible());
        EXPECT_EQ(w.centar->width(), 400 - TSKEMSplit::Debljina);

        QTest::mouseClick(w.split, Qt::LeftButton, {}, w.Taster());
        QApplication::processEvents();
        EXPECT_TRUE(w.panel->isVisible());
        EXPECT_EQ(w.panel->width(), 100);
        // The splitter keeps its place between the panel and the centre.
        if (poravnanje == TSKEMSplit::TPoravnanje::alLevo)
            EXPECT_EQ(w.split->x(), 100);
        else
            EXPECT_EQ(w.split->x() + w.split->width(), w.panel->x());

        // A click beside the button does not toggle.
        QTest::mouseClick(w.split, Qt::LeftButton, {}, w.IzvanTastera());
        EXPECT_TRUE(w.panel->isVisible());
    }
}

TEST(SKEMSplit, VucenjeMenjaPanelSamoKadJeVidljiv) {
    TProzor levi(TSKEMSplit::TPoravnanje::alLevo);
    levi.Vuci(levi.IzvanTastera(), 30);
    EXPECT_EQ(levi.panel->width(), 130);
    // Dragging that starts on the button resizes and does not toggle.
    levi.Vuci(levi.Taster(), -20);
    EXPECT_TRUE(levi.panel->isVisible());
    EXPECT_EQ(levi.panel->width(), 110);
    // Never below the minimum size, never past the centre's minimum.
    levi.Vuci(levi.IzvanTastera(), -500);
    EXPECT_EQ(levi.panel->width(), TSKEMSplit::MinVelicina);
    levi.Vuci(levi.IzvanTastera(), 1000);
    EXPECT_EQ(levi.panel->width(), 400 - TSKEMSplit::Debljina - 50);

    // A right-aligned splitter grows its panel when dragged to the left.
    TProzor desni(TSKEMSplit::TPoravnanje::alDesno);
    desni.Vuci(desni.IzvanTastera(), -40);
    EXPECT_EQ(desni.panel->width(), 140);

    // With the panel hidden, a drag does nothing to the panel or the layout.
    QTest::mouseClick(desni.split, Qt::LeftButton, {}, desni.Taster());
    QApplication::processEvents();
    ASSERT_TRUE(desni.panel->isHidden());
    const int centar = desni.centar->width();
    desni.Vuci(desni.IzvanTastera(), -60);
    QApplication::processEvents();
    EXPECT_TRUE(desni.panel->isHidden());
    EXPECT_EQ(desni.panel->width(), 140);
    EXPECT_EQ(desni.centar->width(), centar);
}

TEST(SKEMSplit, LebdenjeNadTasteromMenjaKursorIBoju) {
    TProzor w(TSKEMSplit::TPoravnanje::alLevo);
    w.split->PostaviBojuTastera(QColor(0, 0, 128));
    // A point of the button's inside away from the triangles and the grip.
    const QRect t = w.split->PravougaonikTastera();
    const QPoint uzorak(t.left() + 2, t.top() + 2 + 1);
    auto boja = [&] { return w.split->grab().toImage().pixelColor(uzorak); };

    EXPECT_EQ(w.split->cursor().shape(), Qt::SplitHCursor);
    EXPECT_EQ(boja(), QColor(0, 0, 128));

    QTest::mouseMove(w.split, w.Taster());
    EXPECT_TRUE(w.split->MisIznadTastera());
    EXPECT_EQ(w.split->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(boja(), QColor(192, 192, 192));

    QTest::mouseMove(w.split, w.IzvanTastera());
    EXPECT_FALSE(w.split->MisIznadTastera());
    EXPECT_EQ(w.split->cursor().shape(), Qt::SplitHCursor);

    QTest::mouseMove(w.split, w.Taster());
    QEvent napusti(QEvent::Leave);
    QApplication::sendEvent(w.split, &napusti);
    EXPECT_FALSE(w.split->MisIznadTastera());
    EXPECT_EQ(boja(), QColor(0, 0, 128));
}
