// The result pages: the table's shape and texts, the check boxes, building
// the chart from ticked rows, the 3D switch, and the exports.
#include "Rezultati.h"
#include "Brojevi.h"
#include "CsvRezultata.h"
#include "DeoPoImenu.h"
#include "Grafik3D.h"
#include "IzgledGrafika.h"
#include "Merenja.h"
#include "SkriptovaniDijalozi.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <gmock/gmock.h>
#include <random>
#include <stdexcept>

using skem::TBlokRezultata;
using Matrica = std::vector<std::vector<double>>;
using ::testing::ElementsAre;

namespace {

constexpr int Konstanta = 12;
constexpr int IzvorVremena = 25;
constexpr int Integrator = 1;

// A matrix of Round(D/P) + 3 rows and the given columns, filled by f(k, i).
template <typename F> Matrica NapraviMatricu(int n, int kolona, F f) {
    Matrica m(static_cast<size_t>(n) + 3, std::vector<double>(static_cast<size_t>(kolona)));
    for (int k = 0; k < n + 3; ++k)
        for (int i = 0; i < kolona; ++i)
            m[k][i] = f(k, i);
    return m;
}

// The main window's page control as the pages see it: a model page and the two result pages.
class RezultatiTest : public ::testing::Test {
protected:
    RezultatiTest() {
        Strane.addWidget(ModelTab);
        Strane.addWidget(R.TabelaTab());
        Strane.addWidget(R.GrafikTab());
        Grafik2D()->chart()->setAnimationOptions(QChart::NoAnimation);
        Strane.resize(900, 500);
        Strane.show();
    }

    QList<QLineSeries*> Serije() const {
        QList<QLineSeries*> r;
        for (QAbstractSeries* s : Grafik2D()->chart()->series())
            r << qobject_cast<QLineSeries*>(s);
        return r;
    }
    // Keys go to the focused control of the active window only.
    void Aktiviraj() {
        QApplication::setActiveWindow(&Strane);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Strane));
    }
    void Otkucaj(int red) {
        QCheckBox* c = Oznake().at(static_cast<size_t>(red - 1));
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
    }

    // The view's controls, by their object names.
    template <class T> T* Deo(const char* ime) const { return ::Deo<T>(Strane, ime); }
    QTableView* Tabela() const { return Deo<QTableView>("Tabela"); }
    QChartView* Grafik2D() const { return Deo<QChartView>("Grafik2D"); }
    TGrafik3D* Grafik3D() const { return dynamic_cast<TGrafik3D*>(Deo<QWidget>("Grafik3D")); }
    QComboBox* IzborOseX() const { return Deo<QComboBox>("IzborOseX"); }
    QPushButton* Dugme(const char* ime) const { return Deo<QPushButton>(ime); }
    // The rows' check boxes, "Oznaka1", "Oznaka2", ... in the table's order.
    std::vector<QCheckBox*> Oznake() const {
        std::vector<QCheckBox*> oznake;
        while (auto* c =
                   Strane.findChild<QCheckBox*>(QStringLiteral("Oznaka%1").arg(oznake.size() + 1)))
            oznake.push_back(c);
        return oznake;
    }

    TSkriptovaniDijalozi Dijalozi;
    QStackedWidget Strane;
    QWidget* ModelTab = new QWidget;
    TPrikazRezultata R;
};

// Three blocks with rows: values k, k*k and -k at time point k.
const std::vector<TBlokRezultata> TriBloka = {
    {1, "Integrator", Integrator}, {2, "Pojacanje", 3}, {3, "Sinus", 7}};
const Matrica TriKolone = NapraviMatricu(10, 3, [](int k, int i) {
    return i == 0 ? k : i == 1 ? k * k : -k;
});

} // namespace

TEST_F(RezultatiTest, TableHasCaptionColumnAndOneColumnPerPrintedTime) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);

    EXPECT_EQ(Strane.currentWidget(), R.TabelaTab());
    EXPECT_EQ(R.BrojKolona(), 12);
    EXPECT_EQ(R.BrojRedova(), 4);
    EXPECT_EQ(R.Celija(0, 0), "");
    for (int k = 0; k <= 10; ++k)
        EXPECT_EQ(R.Celija(k + 1, 0), QString::number(k));
    EXPECT_EQ(R.Celija(1, 2), "0");
    EXPECT_EQ(R.Celija(11, 2), "100");
    EXPECT_EQ(R.Celija(11, 3), "-10");
    EXPECT_EQ(R.Celija(0, 1), "1. Integrator");
    EXPECT_EQ(R.Celija(12, 1), "") << "outside the grid";

    // The grid as laid out: 120-pixel columns, 24-pixel rows, nothing editable.
    EXPECT_EQ(Tabela()->horizontalHeader()->sectionSize(0), 120);
    EXPECT_EQ(Tabela()->verticalHeader()->sectionSize(0), 24);
    EXPECT_EQ(Tabela()->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_FALSE(Tabela()->model()->flags(Tabela()->model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(Tabela()->font().bold());
}

TEST_F(RezultatiTest, ConstantsAndTimeSourcesGetNoRowAndRowsKeepTheListOrder) {
    const std::vector<TBlokRezultata> blokovi = {{1, "K1", Konstanta},   {2, "A", Integrator},
                                                 {3, "T", IzvorVremena}, {4, "B", 5},
                                                 {5, "K2", Konstanta},   {6, "C", 9}};
    // Column i holds 10 * i + k, so each row shows which column it came from.
    const Matrica m = NapraviMatricu(4, 6, [](int k, int i) { return 10.0 * i + k; });
    R.PopuniTabelu(blokovi, m, 2, 0.5);

    ASSERT_EQ(R.BrojRedova(), 4);
    ASSERT_EQ(Oznake().size(), 3u);
    EXPECT_EQ(R.Celija(0, 1), "2. A");
    EXPECT_EQ(R.Celija(0, 2), "4. B");
    EXPECT_EQ(R.Celija(0, 3), "6. C");
    EXPECT_EQ(R.Celija(1, 1), "10");
    EXPECT_EQ(R.Celija(5, 2), "34");
    EXPECT_EQ(R.Celija(3, 3), "52");
    EXPECT_EQ(R.Celija(3, 0), "1");
    for (QCheckBox* c : Oznake()) {
        EXPECT_FALSE(c->isChecked());
        EXPECT_EQ(c->toolTip(), c->text());
    }
}

TEST_F(RezultatiTest, TimesAndValuesAreWrittenWithFifteenSignificantDigits) {
    const Matrica m = NapraviMatricu(3, 1, [](int k, int) {
        return k == 0 ? 0.1 : k == 1 ? 1.0 / 3 : 2.5e20;
    });
    R.PopuniTabelu({{1, "X", Integrator}}, m, 0.3, 0.1);

    EXPECT_EQ(R.BrojKolona(), 5);
    // 3 * 0.1 is 0.30000000000000004 in binary: 15 digits make it "0.3".
    EXPECT_THAT((QStringList{R.Celija(1, 0), R.Celija(2, 0), R.Celija(3, 0), R.Celija(4, 0)}),
                ElementsAre("0", "0.1", "0.2", "0.3"));
    EXPECT_EQ(R.Celija(1, 1), "0.1");
    EXPECT_EQ(R.Celija(2, 1), "0.333333333333333");
    EXPECT_EQ(R.Celija(3, 1), "2.5E20");
}

// No cell hides part of its text: a cut exponent reads as a value 100000
// times too large. The widths the grid itself asks for its texts are the
// measure; short texts keep the default 120 pixels.
TEST_F(RezultatiTest, ValueColumnsTakeTheWidestTextAndEveryCellItsTextAsATip) {
    struct Slucaj {
        const char* opis;
        double intervalStampe;
        std::vector<double> vrednosti; // the one row's values at the printed times
        bool sirokaKolona;
    };
    const std::vector<Slucaj> slucajevi = {
        {"short texts", 1, {0, 1, -10, 100}, false},
        {"y' = -y at t = 10", 1, {1, 0.367879441171442, std::exp(-10.0), 0}, true},
        {"200-lag chain", 1, {0, 8.32411492878e-5, 0.5, 1}, true},
        {"long negative exponent", 1, {-1.23456789012345e-300, 0, 0, 0}, true},
        {"long times", 1.0 / 3, {0, 1, 2, 3}, true},
    };
    for (const Slucaj& c : slucajevi) {
        SCOPED_TRACE(c.opis);
        const int n = static_cast<int>(c.vrednosti.size()) - 1;
        R.PopuniTabelu(
            {{1, "X", Integrator}},
            NapraviMatricu(
                n, 1, [&](int k, int) { return k <= n ? c.vrednosti[static_cast<size_t>(k)] : 0; }),
            n * c.intervalStampe, c.intervalStampe);
        QApplication::processEvents();
        const QHeaderView* vremena = Tabela()->horizontalHeader();
        auto* pogled = static_cast<QAbstractItemView*>(Tabela());
        int potrebno = 0;
        for (int k = 0; k <= n; ++k) {
            potrebno =
                std::max({potrebno, pogled->sizeHintForColumn(k), vremena->sectionSizeHint(k)});
            EXPECT_EQ(Tabela()->columnWidth(k), Tabela()->columnWidth(0)) << "one width for all";
            const QModelIndex i = Tabela()->model()->index(0, k);
            EXPECT_EQ(i.data(Qt::ToolTipRole).toString(), R.Celija(k + 1, 1));
            EXPECT_EQ(Tabela()->model()->headerData(k, Qt::Horizontal, Qt::ToolTipRole).toString(),
                      R.Celija(k + 1, 0));
        }
        EXPECT_GE(Tabela()->columnWidth(0), potrebno);
        if (c.sirokaKolona)
            EXPECT_GT(Tabela()->columnWidth(0), 120);
        else
            EXPECT_EQ(Tabela()->columnWidth(0), 120);
        // Every column stays the user's to resize.
        EXPECT_EQ(vremena->sectionResizeMode(n), QHeaderView::Interactive);
    }
}

TEST_F(RezultatiTest, TickedRowsBecomeSeries) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(2);
    Otkucaj(3);
    ASSERT_TRUE(Oznake()[1]->isChecked()) << "a click on the box ticks it";
    EXPECT_FALSE(Oznake()[0]->isChecked());
    QTest::mouseClick(Dugme("GoToChart"), Qt::LeftButton);

    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab());
    const QList<QLineSeries*> s = Serije();
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[0]->name(), "2. Pojacanje");
    EXPECT_EQ(s[1]->name(), "3. Sinus");
    ASSERT_EQ(s[0]->count(), 11);
    for (int k = 0; k <= 10; ++k) {
        EXPECT_EQ(s[0]->at(k), QPointF(k, k * k));
        EXPECT_EQ(s[1]->at(k), QPointF(k, -k));
    }
    // The axes take in every point.
    auto* x = qobject_cast<QValueAxis*>(Grafik2D()->chart()->axes(Qt::Horizontal).first());
    auto* y = qobject_cast<QValueAxis*>(Grafik2D()->chart()->axes(Qt::Vertical).first());
    EXPECT_LE(x->min(), 0);
    EXPECT_GE(x->max(), 10);
    EXPECT_LE(y->min(), -10);
    EXPECT_GE(y->max(), 100);
    EXPECT_TRUE(Dijalozi.Zapis.isEmpty());
}

// Every printed time the run got to is drawn, the last one too, in both
// kinds of chart. After a Quit the chart ends at the last time simulated,
// and the table keeps the zeros after it (as the CSV does) but greys them.
TEST_F(RezultatiTest, ChartDrawsEveryPrintedTimeTheRunGotTo) {
    struct Slucaj {
        const char* opis;
        double d, p;
        TKrajRada kraj;
        int tacaka;        // the printed times simulated: k = 0..tacaka - 1
        const char* vreme; // the time the status bar gives a Quit
    };
    const std::vector<Slucaj> slucajevi = {
        {"a full run", 10, 1, {}, 11, nullptr},
        {"D = 5, P = 0.5", 5, 0.5, {}, 11, nullptr},
        // The Quit's step is not sampled: raised in the third, samples 0..2.
        {"a Quit in the third step, P = h", 10, 1, {true, 3, 1}, 3, "3"},
        {"a Quit between print times, P = 2h", 10, 1, {true, 4, 0.5}, 4, "4"},
        {"a Quit in the initial pass ends the first step", 10, 1, {true, 0.1, 0.1}, 1, "0.1"},
        {"a Quit in the step past D", 10, 1, {true, 11, 1}, 11, "11"},
        {"the time a sum of half steps", 1, 0.1, {true, 0.1 * 3 + 1e-16, 0.1}, 3, "0.3"},
        // Thinned: a few points per pixel, the last one among them.
        {"a long run", 1000, 0.01, {}, 100001, nullptr},
        {"a long run a Quit ended", 1000, 0.01, {true, 600.005, 0.005}, 60001, "600.005"},
        // A variable step stops at a located instant: every print time up to it.
        {"a variable-step Quit", 10, 1, {true, 4.51523640985731, 0}, 5, "4.51523640985731"},
        {"a variable-step Quit on a print time", 10, 1, {true, 4, 0}, 5, "4"},
        {"a solver that gave up", 10, 1, {true, 2.5, 0, "Resavac ... t = 2.5"}, 3, nullptr},
    };
    QChart* g = Grafik2D()->chart();
    for (const Slucaj& c : slucajevi) {
        SCOPED_TRACE(c.opis);
        const int n = static_cast<int>(std::lround(c.d / c.p));
        // Two rows, 10 + k and 20 + k while simulated, then the run's zeros.
        R.PopuniTabelu(
            {{1, "A", Integrator}, {2, "B", Integrator}},
            NapraviMatricu(n, 2,
                           [&](int k, int i) { return k < c.tacaka ? 10.0 * (i + 1) + k : 0; }),
            c.d, c.p, c.kraj);
        EXPECT_EQ(R.OpisKraja()->text(),
                  c.vreme
                      ? QStringLiteral("Kraj simulacije od strane Quit elementa. t = ") + c.vreme
                      : c.kraj.Opis);
        EXPECT_EQ(R.BrojKolona(), n + 2) << "every printed time stays in the table";
        for (int k = 0; k <= n; k += 1 + k / 1000) {
            const QModelIndex i = Tabela()->model()->index(0, k);
            EXPECT_EQ(i.data(Qt::ForegroundRole).isValid(), k >= c.tacaka) << "greyed at " << k;
            EXPECT_EQ(R.Celija(k + 1, 1), k < c.tacaka ? QString::number(10 + k) : "0");
        }

        Otkucaj(1);
        R.PrikaziGrafik();
        QApplication::processEvents();
        ASSERT_EQ(Serije().size(), 1);
        QLineSeries* s = Serije()[0];
        const bool proredjeno = c.tacaka > 1000; // a few points per pixel
        if (!proredjeno) ASSERT_EQ(s->count(), c.tacaka);
        EXPECT_LE(s->count(), 4 * g->plotArea().width() + 6);
        for (const QPointF& t : s->points()) {
            const int k = static_cast<int>(std::lround(t.x() / c.p));
            ASSERT_EQ(t, QPointF(k * c.p, 10 + k));
        }
        EXPECT_EQ(s->points().last(), QPointF((c.tacaka - 1) * c.p, 10 + c.tacaka - 1));
        auto* x = qobject_cast<QValueAxis*>(g->axes(Qt::Horizontal).first());
        auto* y = qobject_cast<QValueAxis*>(g->axes(Qt::Vertical).first());
        if (c.tacaka > 1) EXPECT_DOUBLE_EQ(x->max(), (c.tacaka - 1) * c.p) << "the last time drawn";
        if (!proredjeno) {
            EXPECT_GT(y->min(), 0) << "the axis needs no room for the zeros";
            // The pointer at the right end reads the last time simulated.
            const QPointF kraj =
                g->mapToScene(g->mapToPosition(QPointF(x->max(), 10 + c.tacaka - 1)));
            QTest::mouseMove(Grafik2D()->viewport(), QPoint(1, 1)); // a move, whatever came before
            QTest::mouseMove(Grafik2D()->viewport(),
                             Grafik2D()->mapFromScene(kraj - QPointF(1, 0)));
            EXPECT_EQ(R.OpisTacke(), QStringLiteral("1. A\nt = %1\nvrednost = %2")
                                         .arg(R.Celija(c.tacaka, 0))
                                         .arg(10 + c.tacaka - 1));
        }

        // A phase plot of B against A runs to the last point simulated, never to the zeros.
        QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
        Otkucaj(2);
        R.PrikaziGrafik();
        IzborOseX()->setCurrentIndex(1);
        emit IzborOseX()->activated(1);
        QApplication::processEvents();
        ASSERT_EQ(Serije().size(), 1);
        const QList<QPointF> fazne = Serije()[0]->points();
        ASSERT_FALSE(fazne.isEmpty());
        double najdalje = 0;
        for (const QPointF& t : fazne) {
            EXPECT_EQ(t.y(), t.x() + 10);
            najdalje = std::max(najdalje, t.x());
        }
        EXPECT_EQ(najdalje, 10 + c.tacaka - 1);
        QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
        Otkucaj(1);
        Otkucaj(2);
    }
    R.OcistiTabelu();
    EXPECT_EQ(R.OpisKraja()->text(), "");
}

TEST_F(RezultatiTest, ChartShowsTheTableTextsNotTheMatrix) {
    const Matrica m = NapraviMatricu(2, 1, [](int, int) { return 2.0 / 3; });
    R.PopuniTabelu({{1, "X", Integrator}}, m, 2, 1);
    Otkucaj(1);
    R.PrikaziGrafik();
    ASSERT_EQ(Serije().size(), 1);
    EXPECT_EQ(Serije()[0]->at(0).y(), 0.666666666666667);
    EXPECT_NE(Serije()[0]->at(0).y(), 2.0 / 3);
}

TEST_F(RezultatiTest, EnterAndDoubleClickInTheGridBuildTheChart) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);

    Aktiviraj();
    Tabela()->setFocus();
    QTest::keyClick(Tabela(), Qt::Key_Return);
    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab());
    EXPECT_EQ(Serije().size(), 1);

    QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
    ASSERT_EQ(Strane.currentWidget(), R.TabelaTab());
    Otkucaj(3);
    QTest::mouseDClick(Tabela()->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab());
    EXPECT_EQ(Serije().size(), 2);

    QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
    QTest::keyClick(Tabela(), Qt::Key_Enter); // the keypad's Enter as well
    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab());
}

// Only an Enter pressed in the focused grid builds the chart. The release of
// an Enter that was pressed in a dialog (the options accepted, a message
// dismissed) arrives at the grid alone and must do nothing: acting on it
// showed "Niste oznacili zeljene izlaze!" again at every dismissal.
TEST_F(RezultatiTest, OnlyAnEnterPressedInTheFocusedGridBuildsTheChart) {
    enum Dogadjaj { Pritisak, Pustanje, Ponavljanje };
    struct Slucaj {
        const char* opis;
        bool otkucan; // the first row ticked
        bool uFokusu; // the grid has the focus
        std::vector<Dogadjaj> tasteri;
        int grafika; // charts built
        int poruka;  // messages shown
    };
    const std::vector<Slucaj> slucajevi = {
        {"press and release", true, true, {Pritisak, Pustanje}, 1, 0},
        {"press and release, nothing ticked", false, true, {Pritisak, Pustanje}, 0, 1},
        {"a dialog's release alone", true, true, {Pustanje}, 0, 0},
        {"a message's release alone, nothing ticked", false, true, {Pustanje, Pustanje}, 0, 0},
        {"held down: only the first press",
         false,
         true,
         {Pritisak, Ponavljanje, Ponavljanje},
         0,
         1},
        {"a press the grid got without the focus", true, false, {Pritisak, Pustanje}, 0, 0},
    };
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Aktiviraj();
    int grafika = 0;
    R.OnPrikaziStranu = [&](QWidget* s) { grafika += s == R.GrafikTab(); };
    for (const Slucaj& c : slucajevi) {
        SCOPED_TRACE(c.opis);
        Oznake()[0]->setChecked(c.otkucan);
        (c.uFokusu ? static_cast<QWidget*>(Tabela()) : Dugme("GoToChart"))->setFocus();
        ASSERT_EQ(Tabela()->hasFocus(), c.uFokusu);
        grafika = 0;
        Dijalozi.Zapis.clear();
        for (Dogadjaj d : c.tasteri) {
            QKeyEvent e(d == Pustanje ? QEvent::KeyRelease : QEvent::KeyPress, Qt::Key_Return,
                        Qt::NoModifier, QStringLiteral("\r"), d == Ponavljanje);
            QApplication::sendEvent(Tabela(), &e);
        }
        EXPECT_EQ(grafika, c.grafika);
        EXPECT_EQ(Dijalozi.Zapis.size(), c.poruka);
    }
}

TEST_F(RezultatiTest, DoubleClickOnTheRowOfTimesBuildsTheChartToo) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);
    // The fixed row of times is part of the grid: a double click on it counts.
    QWidget* vremena = Tabela()->horizontalHeader()->viewport();
    QTest::mouseDClick(vremena, Qt::LeftButton, {}, QPoint(Tabela()->columnWidth(0) / 2, 5));
    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab());
    EXPECT_EQ(Serije().size(), 1);
    // A single click there builds nothing.
    QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
    QTest::mouseClick(vremena, Qt::LeftButton, {}, QPoint(Tabela()->columnWidth(0) / 2, 5));
    EXPECT_EQ(Strane.currentWidget(), R.TabelaTab());
}

TEST_F(RezultatiTest, WithNothingTickedTheChartIsRefused) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    QTest::mouseClick(Dugme("GoToChart"), Qt::LeftButton);

    EXPECT_THAT(Dijalozi.Zapis, ElementsAre("Poruka: Niste oznacili zeljene izlaze!"));
    EXPECT_EQ(Strane.currentWidget(), R.TabelaTab());
    EXPECT_TRUE(Serije().isEmpty());
}

TEST_F(RezultatiTest, RebuildingReplacesAndFreesTheOldSeries) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);
    Otkucaj(2);
    R.PrikaziGrafik();
    ASSERT_EQ(Serije().size(), 2);
    const QPointer<QLineSeries> stara = Serije()[0];

    Otkucaj(2); // untick
    R.PrikaziGrafik();
    EXPECT_EQ(Serije().size(), 1);
    EXPECT_TRUE(stara.isNull());

    // Ticking nothing empties the chart (and says so).
    Otkucaj(1);
    R.PrikaziGrafik();
    EXPECT_TRUE(Serije().isEmpty());
}

TEST_F(RezultatiTest, SeriesGetDistinctColours) {
    std::vector<TBlokRezultata> blokovi;
    for (int i = 1; i <= 14; ++i)
        blokovi.push_back({i, std::string("B").append(std::to_string(i)), Integrator});
    R.PopuniTabelu(blokovi, NapraviMatricu(4, 14, [](int k, int i) { return k * i; }), 4, 1);
    for (QCheckBox* c : Oznake())
        c->setChecked(true);
    R.PrikaziGrafik();

    QSet<QRgb> boje;
    for (QLineSeries* s : Serije())
        boje.insert(s->color().rgb());
    EXPECT_EQ(boje.size(), 14);

    QSet<QRgb> zaLegendu; // a legend holds up to 100 rows
    for (int i = 0; i < 100; ++i)
        zaLegendu.insert(IzgledGrafika::BojaSerije(i).rgb());
    EXPECT_EQ(zaLegendu.size(), 100);
}

TEST_F(RezultatiTest, DepthViewTogglesAndSurvivesARebuild) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);
    R.PrikaziGrafik();
    EXPECT_EQ(Dugme("ChartView")->text(), "3D View");
    EXPECT_TRUE(Grafik2D()->isVisible());

    QTest::mouseClick(Dugme("ChartView"), Qt::LeftButton);
    EXPECT_EQ(Dugme("ChartView")->text(), "2D View");
    EXPECT_TRUE(R.Pogled3D());
    EXPECT_TRUE(Grafik3D()->isVisible());
    EXPECT_FALSE(Grafik2D()->isVisible());

    QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
    Otkucaj(2);
    R.PrikaziGrafik();
    EXPECT_TRUE(Grafik3D()->isVisible()) << "the setting survives the rebuild";
    ASSERT_EQ(Grafik3D()->Serije().size(), 2);
    EXPECT_EQ(Grafik3D()->Serije()[1].Naslov, "2. Pojacanje");
    EXPECT_EQ(Grafik3D()->Serije()[1].Tacke.size(), 11);

    QTest::mouseClick(Dugme("ChartView"), Qt::LeftButton);
    EXPECT_EQ(Dugme("ChartView")->text(), "3D View");
    EXPECT_FALSE(R.Pogled3D());
    EXPECT_TRUE(Grafik2D()->isVisible());
}

TEST_F(RezultatiTest, ZoomIsUndoneByRightClickAndByANewChart) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);
    R.PrikaziGrafik();
    QChart* c = Grafik2D()->chart();
    auto* x = qobject_cast<QValueAxis*>(c->axes(Qt::Horizontal).first());
    const double min = x->min(), max = x->max();

    c->zoomIn(QRectF(c->plotArea().center(), QSizeF(40, 40)));
    ASSERT_LT(x->max() - x->min(), max - min);
    QTest::mouseClick(Grafik2D()->viewport(), Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_DOUBLE_EQ(x->min(), min);
    EXPECT_DOUBLE_EQ(x->max(), max);

    c->zoomIn(QRectF(c->plotArea().center(), QSizeF(40, 40)));
    R.PrikaziGrafik();
    EXPECT_DOUBLE_EQ(x->min(), min);
    EXPECT_DOUBLE_EQ(x->max(), max);
    EXPECT_FALSE(c->isZoomed());
}

// A long run draws a few points per pixel, all of them the table's own; a
// zoom asks for the points of its range again, down to every one.
TEST_F(RezultatiTest, LongSeriesAreThinnedAndAZoomShowsEveryPoint) {
    const int n = 200'000;
    R.PopuniTabelu(
        {{1, "X", Integrator}},
        NapraviMatricu(n, 1, [](int k, int) { return std::sin(k * 0.01) + k % 3 * 0.1; }),
        n * 0.001, 0.001);
    QApplication::processEvents();
    Otkucaj(1);
    R.PrikaziGrafik();
    QTest::qWait(150); // the layout settles, and the curve follows the plot's size
    QChart* g = Grafik2D()->chart();
    auto* x = qobject_cast<QValueAxis*>(g->axes(Qt::Horizontal).first());
    // Each drawn point is a printed time and the table's value there.
    auto proveriTacke = [&](QLineSeries* s) {
        for (const QPointF& t : s->points()) {
            const int k = static_cast<int>(std::lround(t.x() / 0.001));
            ASSERT_EQ(t.x(), k * 0.001);
            ASSERT_EQ(t.y(), skem::TekstURealan(R.Celija(k + 1, 1).toStdString())) << k;
        }
    };
    QLineSeries* s = Serije().at(0);
    EXPECT_LE(s->count(), 4 * g->plotArea().width() + 6);
    EXPECT_GT(s->count(), g->plotArea().width());
    proveriTacke(s);
    const auto [dole, gore] =
        std::minmax_element(s->points().cbegin(), s->points().cend(),
                            [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    double najniza = INFINITY, najvisa = -INFINITY; // of the table
    for (int k = 0; k < n; ++k) {
        najniza = std::min(najniza, R.Celija(k + 1, 1).toDouble());
        najvisa = std::max(najvisa, R.Celija(k + 1, 1).toDouble());
    }
    EXPECT_EQ(dole->y(), najniza);
    EXPECT_EQ(gore->y(), najvisa);

    x->setRange(100.0005, 100.2); // 200 printed times
    EXPECT_EQ(s->count(), 200 + 2) << "every point of the range, and one beyond each side";
    proveriTacke(s);
    QTest::mouseClick(Grafik2D()->viewport(), Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_LE(s->count(), 4 * g->plotArea().width() + 6);
}

// With two rows ticked or more, one of them can be the horizontal axis; the
// pointer reads the nearest point of either kind of chart.
TEST_F(RezultatiTest, PhasePlotAndTheReadOutOfThePointer) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);
    R.PrikaziGrafik();
    EXPECT_EQ(IzborOseX()->count(), 1) << "one row: only the time";
    QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
    Otkucaj(2);
    R.PrikaziGrafik();
    QApplication::processEvents();
    ASSERT_EQ(IzborOseX()->count(), 3);
    EXPECT_EQ(IzborOseX()->itemText(1), "1. Integrator");
    QChart* g = Grafik2D()->chart();
    const auto naslov = [&](Qt::Orientation o) { return g->axes(o).first()->titleText(); };
    EXPECT_EQ(naslov(Qt::Horizontal), "t");
    EXPECT_EQ(naslov(Qt::Vertical), "1. Integrator, 2. Pojacanje");

    // Over a point of the chart, in the view's coordinates.
    const auto iznad = [&](QPointF vrednost, QPointF pomak = {}) {
        const QPointF p = g->mapToScene(g->mapToPosition(vrednost)) + pomak;
        QTest::mouseMove(Grafik2D()->viewport(), Grafik2D()->mapFromScene(p));
        return R.OpisTacke();
    };
    EXPECT_EQ(iznad({4.2, 16}, {0, 3}), "2. Pojacanje\nt = 4\nvrednost = 16");
    EXPECT_EQ(iznad({6, 5}), "1. Integrator\nt = 6\nvrednost = 6");
    EXPECT_EQ(iznad({6, 5}, {0, 2000}), "") << "off the plot";

    IzborOseX()->setCurrentIndex(1);
    emit IzborOseX()->activated(1);
    ASSERT_EQ(Serije().size(), 1);
    EXPECT_EQ(Serije()[0]->name(), "2. Pojacanje");
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(Serije()[0]->at(k), QPointF(k, k * k));
    EXPECT_EQ(naslov(Qt::Horizontal), "1. Integrator");
    EXPECT_EQ(naslov(Qt::Vertical), "2. Pojacanje");
    QApplication::processEvents();
    EXPECT_EQ(iznad({7, 50}, {2, 0}), "2. Pojacanje\nt = 7\n1. Integrator = 7\nvrednost = 49");
    // The exports take the phase plot as it is shown.
    QTemporaryDir dir;
    ASSERT_TRUE(R.SacuvajGrafik(dir.filePath("f.png")));
    EXPECT_EQ(QImage(dir.filePath("f.png")).size(), Grafik2D()->size());

    // The choice stays for a rebuild while its row is ticked.
    QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
    Otkucaj(3);
    R.PrikaziGrafik();
    EXPECT_EQ(IzborOseX()->currentText(), "1. Integrator");
    EXPECT_EQ(Serije().size(), 2);
    QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
    Otkucaj(1);
    R.PrikaziGrafik();
    EXPECT_EQ(IzborOseX()->currentText(), "t");
}

// The value axis at round numbers with the decimals its step needs, whole
// (never cut to "..."), with room around the curves; zoomed in, the same.
TEST_F(RezultatiTest, AxesTickAtRoundNumbersAroundTheCurves) {
    struct Slucaj {
        const char* opis;
        std::function<double(int)> vrednost;
        double dole, gore; // the values drawn
    };
    const std::vector<Slucaj> slucajevi = {
        {"between -0.6 and 0.6", [](int k) { return 0.6 * std::cos(k * 0.2); }, -0.6, 0.6},
        {"a square wave", [](int k) { return k % 20 < 10 ? 1.0 : 0.0; }, 0, 1},
        {"a constant", [](int) { return 5.0; }, 5, 5},
        {"zero", [](int) { return 0.0; }, 0, 0},
    };
    // Labels at equal round steps, each written with the step's decimals.
    auto proveriOznake = [](QValueAxis* osa) {
        auto* podeoci = qobject_cast<QCategoryAxis*>(osa);
        ASSERT_NE(podeoci, nullptr) << "the ticks are the program's own";
        const QStringList oznake = podeoci->categoriesLabels();
        ASSERT_GE(oznake.size(), 2);
        const double korak = oznake[1].toDouble() - oznake[0].toDouble();
        const double stepen = std::pow(10.0, std::floor(std::log10(korak) + 1e-9));
        const double cinilac = korak / stepen;
        EXPECT_TRUE(std::abs(cinilac - 1) < 1e-9 || std::abs(cinilac - 2) < 1e-9 ||
                    std::abs(cinilac - 5) < 1e-9)
            << korak;
        const int decimale = std::max(0, -static_cast<int>(std::floor(std::log10(korak) + 1e-9)));
        for (int i = 0; i < oznake.size(); ++i) {
            const double v = oznake[0].toDouble() + i * korak;
            EXPECT_EQ(oznake[i], QString::number(std::abs(v) < korak / 2 ? 0.0 : v, 'f', decimale));
            EXPECT_GE(podeoci->endValue(oznake[i]), osa->min() - korak * 1e-9);
            EXPECT_LE(podeoci->endValue(oznake[i]), osa->max() + korak * 1e-9);
        }
    };
    for (const Slucaj& c : slucajevi) {
        SCOPED_TRACE(c.opis);
        R.PopuniTabelu({{1, "X", Integrator}},
                       NapraviMatricu(200, 1, [&](int k, int) { return c.vrednost(k); }), 20, 0.1);
        // The chart page laid out before the chart is built, as after a first run.
        QApplication::processEvents();
        Otkucaj(1);
        R.PrikaziGrafik();
        QApplication::processEvents();
        QChart* g = Grafik2D()->chart();
        auto* x = qobject_cast<QValueAxis*>(g->axes(Qt::Horizontal).first());
        auto* y = qobject_cast<QValueAxis*>(g->axes(Qt::Vertical).first());
        EXPECT_FALSE(x->labelsTruncated());
        EXPECT_FALSE(y->labelsTruncated());
        EXPECT_LT(y->min(), c.dole);
        EXPECT_GT(y->max(), c.gore);
        EXPECT_EQ(x->min(), 0);
        EXPECT_GE(x->max(), 19.9);
        proveriOznake(x);
        proveriOznake(y);

        g->zoomIn(QRectF(g->plotArea().center() - QPointF(37, 29), QSizeF(71, 53)));
        QApplication::processEvents();
        ASSERT_TRUE(g->isZoomed());
        proveriOznake(x);
        proveriOznake(y);
        EXPECT_FALSE(y->labelsTruncated());
        QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
    }
}

TEST_F(RezultatiTest, CheckBoxesFollowTheGridAsItScrolls) {
    std::vector<TBlokRezultata> blokovi;
    for (int i = 1; i <= 40; ++i)
        blokovi.push_back({i, "Blok", Integrator});
    R.PopuniTabelu(blokovi, NapraviMatricu(2, 40, [](int, int) { return 0; }), 2, 1);
    QApplication::processEvents();

    QHeaderView* h = Tabela()->verticalHeader();
    auto uRedu = [&](int r) {
        return Oznake()[static_cast<size_t>(r)]->geometry() ==
               QRect(1, h->sectionViewportPosition(r) + 1, h->width() - 1, 23);
    };
    EXPECT_TRUE(uRedu(0));
    EXPECT_TRUE(uRedu(39));
    Tabela()->verticalScrollBar()->setValue(Tabela()->verticalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_LT(Oznake()[0]->y(), 0) << "scrolled out of sight";
    EXPECT_TRUE(uRedu(0));
    EXPECT_TRUE(uRedu(39));
    EXPECT_LT(Oznake()[39]->geometry().bottom(), h->viewport()->height());
    // The caption column is wide enough for the captions.
    EXPECT_GE(h->width(), Oznake()[0]->sizeHint().width());
}

TEST_F(RezultatiTest, CaptionColumnIsResizedByDraggingItsEdge) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    QApplication::processEvents();
    QHeaderView* h = Tabela()->verticalHeader();
    auto* rucica = Tabela()->findChild<QWidget*>("RucicaNaziva");
    ASSERT_NE(rucica, nullptr);
    // The strip lies on the column's right edge, from the row of times down.
    const QPoint ivica = h->mapTo(Tabela(), QPoint(h->width(), 0));
    EXPECT_LE(rucica->geometry().left(), ivica.x());
    EXPECT_GE(rucica->geometry().right(), ivica.x());
    EXPECT_GE(rucica->geometry().bottom(), h->geometry().bottom());
    EXPECT_EQ(rucica->cursor().shape(), Qt::SplitHCursor);

    for (int pomak : {60, -100}) {
        const int pre = h->width();
        const QPoint p(3, rucica->height() / 2);
        QTest::mousePress(rucica, Qt::LeftButton, {}, p);
        QTest::mouseMove(rucica, p + QPoint(pomak, 0));
        QTest::mouseRelease(rucica, Qt::LeftButton, {}, p + QPoint(pomak, 0));
        QApplication::processEvents();
        EXPECT_EQ(h->width(), pre + pomak);
        // The cells move over with it, and the check boxes keep covering the column.
        EXPECT_EQ(Tabela()->viewport()->mapTo(Tabela(), QPoint(0, 0)).x(),
                  h->mapTo(Tabela(), QPoint(h->width(), 0)).x());
        for (size_t r = 0; r < Oznake().size(); ++r)
            EXPECT_EQ(
                Oznake()[r]->geometry(),
                QRect(1, h->sectionViewportPosition(static_cast<int>(r)) + 1, h->width() - 1, 23));
        EXPECT_LE(rucica->geometry().left(), h->mapTo(Tabela(), QPoint(h->width(), 0)).x());
    }
}

TEST_F(RezultatiTest, NavigationButtons) {
    int nazad = 0;
    R.OnNazadNaModel = [&] { ++nazad; };
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    EXPECT_EQ(Dugme("GoToChart")->toolTip(), "Prikazuje grafik za selektovane redove");
    QTest::mouseClick(Dugme("BackOnModel"), Qt::LeftButton);
    EXPECT_EQ(nazad, 1);

    // With OnPrikaziStranu assigned, the page control is the main window's business.
    QList<QWidget*> trazene;
    R.OnPrikaziStranu = [&](QWidget* s) { trazene << s; };
    Otkucaj(1);
    R.PrikaziGrafik();
    QTest::mouseClick(Dugme("BackOnTable"), Qt::LeftButton);
    EXPECT_THAT(trazene, ElementsAre(R.GrafikTab(), R.TabelaTab()));
}

TEST_F(RezultatiTest, AMatrixThatDoesNotFitIsRefusedAndTheTableKept) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);

    // 10 / 1 needs 11 rows; a block without its column; unusable D and P.
    EXPECT_THROW(R.PopuniTabelu(TriBloka, NapraviMatricu(7, 3, [](int, int) { return 0; }), 10, 1),
                 std::invalid_argument);
    EXPECT_THROW(R.PopuniTabelu(TriBloka, NapraviMatricu(10, 2, [](int, int) { return 0; }), 10, 1),
                 std::invalid_argument);
    EXPECT_THROW(R.PopuniTabelu(TriBloka, TriKolone, 10, 0), std::invalid_argument);
    EXPECT_THROW(R.PopuniTabelu(TriBloka, TriKolone, std::nan(""), 1), std::invalid_argument);

    EXPECT_EQ(R.BrojKolona(), 12);
    EXPECT_EQ(R.Celija(11, 2), "100");
    EXPECT_TRUE(Oznake()[0]->isChecked());

    R.OcistiTabelu();
    EXPECT_EQ(R.BrojRedova(), 1);
    EXPECT_TRUE(Oznake().empty());
}

TEST(CsvRezultata, HeaderRowsAndQuoting) {
    const std::vector<TBlokRezultata> blokovi = {{1, "K", Konstanta},
                                                 {2, "Sabirac, tezinski", 4},
                                                 {3, "Vreme", IzvorVremena},
                                                 {4, "Blok \"A\"", Integrator}};
    const Matrica m = {{5, 0.1, 0, -1}, {5, 1.0 / 3, 0.5, 2.5e20}, {5, 0, 1, 0}, {9, 9, 9, 9}};
    EXPECT_EQ(skem::NapraviCsv(blokovi, m, 1, 0.5),
              "t,\"2. Sabirac, tezinski\",\"4. Blok \"\"A\"\"\"\n"
              "0,0.1,-1\n"
              "0.5,0.333333333333333,2.5E20\n"
              "1,0,0\n");
    EXPECT_THROW(skem::NapraviCsv(blokovi, {m[0], m[1]}, 1, 0.5), std::invalid_argument);
    EXPECT_THROW(skem::NapraviCsv(blokovi, m, 1, -0.5), std::invalid_argument);
}

TEST(CsvRezultata, FieldsAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(skem::PoljeCsv("7. Sinus"), "7. Sinus");
    EXPECT_EQ(skem::PoljeCsv(""), "");
    EXPECT_EQ(skem::PoljeCsv("a,b"), "\"a,b\"");
    EXPECT_EQ(skem::PoljeCsv("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(skem::PoljeCsv("red\nnovi"), "\"red\nnovi\"");
    EXPECT_EQ(skem::PoljeCsv("red\rnovi"), "\"red\rnovi\"");
}

TEST(CsvRezultata, PrintedTimesFollowRoundToEven) {
    EXPECT_EQ(skem::BrojIntervalaStampe(10, 1), 10);
    EXPECT_EQ(skem::BrojIntervalaStampe(2.5, 1), 2);
    EXPECT_EQ(skem::BrojIntervalaStampe(3.5, 1), 4);
    EXPECT_EQ(skem::BrojIntervalaStampe(0, 1), 0);
    EXPECT_THROW(skem::BrojIntervalaStampe(1, 0), std::invalid_argument);
    EXPECT_THROW(skem::BrojIntervalaStampe(1e300, 1e-300), std::invalid_argument);
}

TEST_F(RezultatiTest, CsvExportWritesTheTableThroughTheSaveDialog) {
    const std::vector<TBlokRezultata> blokovi = {{1, "K", Konstanta}, {2, "Izlaz, y", 4}};
    R.PopuniTabelu(blokovi, NapraviMatricu(2, 2, [](int k, int i) { return i + k * 0.25; }), 2, 1);
    QTemporaryDir dir;
    Dijalozi.ImenaFajlova.push_back(dir.filePath("rez")); // no suffix: ".csv" is added
    QTest::mouseClick(Dugme("IzvozCsv"), Qt::LeftButton);

    QFile f(dir.filePath("rez.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << Dijalozi.Zapis.join('\n').toStdString();
    EXPECT_EQ(f.readAll(), "t,\"2. Izlaz, y\"\n0,1\n1,1.25\n2,1.5\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"rez.csv"});
    EXPECT_THAT(Dijalozi.Zapis, ElementsAre("SacuvajKao: Izvoz rezultata"));
}

TEST_F(RezultatiTest, FailedExportsAreReportedAndLeaveNoFile) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    QTemporaryDir dir;
    const QString nema = dir.filePath("nema/rez.csv");
    EXPECT_FALSE(R.IzveziCsv(nema));
    ASSERT_EQ(Dijalozi.Zapis.size(), 1);
    EXPECT_TRUE(Dijalozi.Zapis[0].startsWith("Greska: Fajl \"" + QDir::toNativeSeparators(nema)));
    EXPECT_FALSE(QFile::exists(nema));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

    // A cancelled dialog writes nothing and says nothing.
    Dijalozi.Zapis.clear();
    QTest::mouseClick(Dugme("IzvozCsv"), Qt::LeftButton);
    EXPECT_THAT(Dijalozi.Zapis, ElementsAre("SacuvajKao: Izvoz rezultata"));
}

TEST_F(RezultatiTest, ChartIsSavedAsPngAndSvgInBothViews) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);
    R.PrikaziGrafik();
    QTemporaryDir dir;

    Dijalozi.ImenaFajlova = {dir.filePath("g.png"), dir.filePath("g.svg")};
    QTest::mouseClick(Dugme("IzvozPng"), Qt::LeftButton);
    QTest::mouseClick(Dugme("IzvozSvg"), Qt::LeftButton);
    QImage png(dir.filePath("g.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), Grafik2D()->size());
    // The background gradient starts at RGB (92, 157, 205) at the top.
    const QColor gore = png.pixelColor(png.width() / 2, 1);
    EXPECT_NEAR(gore.red(), 92, 3);
    EXPECT_NEAR(gore.green(), 157, 3);
    EXPECT_NEAR(gore.blue(), 205, 3);
    QFile svg(dir.filePath("g.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray tekst = svg.readAll();
    EXPECT_TRUE(tekst.contains("<svg"));
    EXPECT_TRUE(tekst.contains("</svg>"));

    QTest::mouseClick(Dugme("ChartView"), Qt::LeftButton);
    EXPECT_TRUE(R.SacuvajGrafik(dir.filePath("d.png")));
    EXPECT_EQ(QImage(dir.filePath("d.png")).size(), Grafik3D()->size());

    EXPECT_FALSE(R.SacuvajGrafik(dir.filePath("nema/d.svg")));
    EXPECT_FALSE(QFile::exists(dir.filePath("nema/d.svg")));
    EXPECT_TRUE(Dijalozi.Zapis.last().startsWith("Greska: "));
}

TEST(Grafik3D, TickLabelsUseTheDecimalsOfTheStep) {
    EXPECT_EQ(OznakaPodeoka(2, 2), "2");
    EXPECT_EQ(OznakaPodeoka(0.5, 0.5), "0.5");
    EXPECT_EQ(OznakaPodeoka(-0.25, 0.05), "-0.25");
    EXPECT_EQ(OznakaPodeoka(1e-17, 0.1), "0.0") << "no -0 or noise at the origin";
    EXPECT_EQ(OznakaPodeoka(1000, 250), "1000");
    EXPECT_EQ(OznakaPodeoka(0.75, 0.25), "0.75");
    EXPECT_EQ(OznakaPodeoka(0.3, 0.1), "0.3");
}

// The make-up of a number's text read off the number matches the text the
// formatter writes: exactly for these, and never less than it for any.
// A run's time is a sum of half steps; shown, it is the step's multiple.
TEST(VremeNaKoraku, TheSumOfHalfStepsShowsAsTheStepsMultiple) {
    const auto zbir = [](double h, long koraka) {
        double t = 0;
        for (long i = 0; i < koraka; ++i) {
            t += h / 2;
            t += h / 2;
        }
        return t;
    };
    const struct {
        double t, h;
        const char* tekst;
    } slucajevi[] = {
        {5881.85700096892, 0.001, "5881.857"},
        {zbir(0.001, 5'881'857), 0.001, "5881.857"},
        {zbir(0.1, 37), 0.1, "3.7"},
        {zbir(0.01, 69), 0.01, "0.69"},
        {zbir(1.0 / 3, 5887), 1.0 / 3, "1962.33333333333"},
        {zbir(1e-5, 123'457), 1e-5, "1.23457"},
        {zbir(0.5, 5), 0.5, "2.5"},
        {0, 0.01, "0"},
        // No step to go by, or more steps than a double counts: the time as it is.
        {0.30000000000000004, 0, "0.3"},
        {1e20, 0.001, "1E20"},
    };
    for (const auto& c : slucajevi)
        EXPECT_EQ(skem::VremeNaKoraku(c.t, c.h), c.tekst) << c.t << " " << c.h;
}

// Round axes from a range: (min, max, margin) -> (Min, Max, step, decimals).
TEST(Grafik3D, AxisRangesGoOutToRoundSteps) {
    struct Slucaj {
        double min, max, margina;
        TPodelaOse ocekivano;
    };
    const Slucaj slucajevi[] = {
        {0, 9.9, 0, {0, 10, 2, 0}},                       // times: no margin
        {-9, 81, 0.05, {-20, 100, 20, 0}},                // 90 wide, 4.5 more each side
        {-0.6, 0.6, 0.05, {-1, 1, 0.5, 1}},               // first display of +-0.6
        {0, 1, 0.05, {-0.2, 1.2, 0.2, 1}},                // a square wave: off the frame
        {0.6843, 0.7719626168, 0, {0.68, 0.78, 0.02, 2}}, // zoomed in
        {5, 5, 0.05, {4.4, 5.6, 0.2, 1}},                 // flat: 5 +- 0.5
        {0, 0, 0.05, {-1, 1, 0.5, 1}},                    // flat at zero: +-1
        {-3, -3, 0, {-3.3, -2.7, 0.1, 1}},                // flat below zero
        {1e-6, 3e-6, 0, {1e-6, 3e-6, 5e-7, 7}},
        {0, 12345, 0, {0, 15000, 5000, 0}},
        {1, 1 + 1e-14, 0, {0.9, 1.1, 0.05, 2}}, // below the printed digits: flat
    };
    for (const Slucaj& c : slucajevi) {
        const TPodelaOse p = PodelaOse(c.min, c.max, c.margina);
        const double d = 1e-9 * c.ocekivano.Korak;
        EXPECT_NEAR(p.Min, c.ocekivano.Min, d) << c.min << " " << c.max;
        EXPECT_NEAR(p.Max, c.ocekivano.Max, d) << c.min << " " << c.max;
        EXPECT_NEAR(p.Korak, c.ocekivano.Korak, d) << c.min << " " << c.max;
        EXPECT_EQ(p.Decimale, c.ocekivano.Decimale) << c.min << " " << c.max;
        EXPECT_EQ(p.BrojPodeoka(),
                  std::lround((c.ocekivano.Max - c.ocekivano.Min) / c.ocekivano.Korak) + 1);
    }
}

// Measured data files: what a good file gives, and every error naming its line.
TEST(Merenja, CitanjeIGreske) {
    struct Slucaj {
        const char* tekst;
        QString greska;          // empty: read
        QStringList nazivi;      // of the value columns
        std::vector<int> tacaka; // points of each column
    };
    const QString f = QStringLiteral("Greska u redu %1 fajla 'm.csv': %2");
    const std::vector<Slucaj> slucajevi = {
        {"t,x\n0,1\n0.5,2.5e-1\n", {}, {"x"}, {2}},
        {"0;1;2\n1;3;4\n", {}, {"m.csv, kolona 2", "m.csv, kolona 3"}, {2, 2}},
        {"\xEF\xBB\xBF\"t\",\"ugao\"\r\n\r\n0,1\r\n", {}, {"ugao"}, {1}},
        {"t,a,b\n0,1,\n1,,2\n2,3,4\n", {}, {"a", "b"}, {2, 2}}, // empty: not measured
        {"t,x\n0,1\n1,abc\n", f.arg(3).arg("'abc' nije broj")},
        {"t,x\n0,1\n\n1,2,3\n", f.arg(4).arg("red ima 3 polja, a prvi red 2")},
        {"0,1,5\n1,2\n", f.arg(2).arg("red ima 2 polja, a prvi red 3")},
        {"t\n0\n", f.arg(1).arg("potrebne su bar dve kolone (vreme i merenje)")},
        {"t,x\n,1\n", f.arg(2).arg("nedostaje vreme")},
        {"0;1,5\n", f.arg(1).arg("'1,5' nije broj")}, // "." decimals only
        {"0,inf\n", f.arg(1).arg("'inf' nije broj")},
        {"0,1e999\n", f.arg(1).arg("'1e999' nije broj")},
        {"t,x\n\n", QStringLiteral("Fajl 'm.csv' ne sadrzi merenja.")},
        {"", QStringLiteral("Fajl 'm.csv' ne sadrzi merenja.")},
    };
    for (const Slucaj& s : slucajevi) {
        SCOPED_TRACE(s.tekst);
        try {
            const TMerenja m = ProcitajMerenja(QByteArray(s.tekst), QStringLiteral("/tmp/m.csv"));
            EXPECT_TRUE(s.greska.isEmpty());
            EXPECT_EQ(m.Nazivi, s.nazivi);
            ASSERT_EQ(m.Tacke.size(), s.tacaka.size());
            for (std::size_t k = 0; k < s.tacaka.size(); ++k)
                EXPECT_EQ(m.Tacke[k].size(), s.tacaka[k]);
        } catch (const TGreskaMerenja& g) {
            EXPECT_EQ(g.Poruka(), s.greska);
        }
    }
    const TMerenja m = ProcitajMerenja("t,x\n0,1\n0.5,2.5e-1\n", "m.csv");
    EXPECT_EQ(m.Tacke[0], (QList<QPointF>{{0, 1}, {0.5, 0.25}}));
    EXPECT_THROW(UcitajMerenja(QStringLiteral("/nema/takvog/fajla.csv")), TGreskaMerenja);
    try { // a file without end is refused at the limit
        UcitajMerenja(QStringLiteral("/dev/zero"));
        ADD_FAILURE();
    } catch (const TGreskaMerenja& g) {
        EXPECT_TRUE(g.Poruka().contains("je prevelik")) << g.Poruka().toStdString();
    }
}
