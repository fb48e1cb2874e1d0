// The result pages: the table's shape and texts, the check boxes, building
// the chart from ticked rows, the 3D switch, and the exports.
#include "Rezultati.h"
#include "CsvRezultata.h"
#include "Grafik3D.h"
#include "IzgledGrafika.h"
#include "SkriptovaniDijalozi.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
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
        Strane.addWidget(R.TabelaTab);
        Strane.addWidget(R.GrafikTab);
        R.Chart1->chart()->setAnimationOptions(QChart::NoAnimation);
        Strane.resize(900, 500);
        Strane.show();
    }

    QList<QLineSeries*> Serije() const {
        QList<QLineSeries*> r;
        for (QAbstractSeries* s : R.Chart1->chart()->series())
            r << qobject_cast<QLineSeries*>(s);
        return r;
    }
    void Otkucaj(int red) {
        QCheckBox* c = R.Oznake.at(static_cast<size_t>(red - 1));
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
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

    EXPECT_EQ(Strane.currentWidget(), R.TabelaTab);
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
    EXPECT_EQ(R.Tabela->horizontalHeader()->sectionSize(0), 120);
    EXPECT_EQ(R.Tabela->verticalHeader()->sectionSize(0), 24);
    EXPECT_EQ(R.Tabela->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_FALSE(R.Tabela->model()->flags(R.Tabela->model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(R.Tabela->font().bold());
}

TEST_F(RezultatiTest, ConstantsAndTimeSourcesGetNoRowAndRowsKeepTheListOrder) {
    const std::vector<TBlokRezultata> blokovi = {{1, "K1", Konstanta},   {2, "A", Integrator},
                                                 {3, "T", IzvorVremena}, {4, "B", 5},
                                                 {5, "K2", Konstanta},   {6, "C", 9}};
    // Column i holds 10 * i + k, so each row shows which column it came from.
    const Matrica m = NapraviMatricu(4, 6, [](int k, int i) { return 10.0 * i + k; });
    R.PopuniTabelu(blokovi, m, 2, 0.5);

    ASSERT_EQ(R.BrojRedova(), 4);
    ASSERT_EQ(R.Oznake.size(), 3u);
    EXPECT_EQ(R.Celija(0, 1), "2. A");
    EXPECT_EQ(R.Celija(0, 2), "4. B");
    EXPECT_EQ(R.Celija(0, 3), "6. C");
    EXPECT_EQ(R.Celija(1, 1), "10");
    EXPECT_EQ(R.Celija(5, 2), "34");
    EXPECT_EQ(R.Celija(3, 3), "52");
    EXPECT_EQ(R.Celija(3, 0), "1");
    for (QCheckBox* c : R.Oznake) {
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

TEST_F(RezultatiTest, TickedRowsBecomeSeriesWithoutTheLastTime) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(2);
    Otkucaj(3);
    ASSERT_TRUE(R.Oznake[1]->isChecked()) << "a click on the box ticks it";
    EXPECT_FALSE(R.Oznake[0]->isChecked());
    QTest::mouseClick(R.GoToChart, Qt::LeftButton);

    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab);
    const QList<QLineSeries*> s = Serije();
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[0]->name(), "2. Pojacanje");
    EXPECT_EQ(s[1]->name(), "3. Sinus");
    ASSERT_EQ(s[0]->count(), 10);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(s[0]->at(k), QPointF(k, k * k));
        EXPECT_EQ(s[1]->at(k), QPointF(k, -k));
    }
    // The axes take in every point.
    auto* x = qobject_cast<QValueAxis*>(R.Chart1->chart()->axes(Qt::Horizontal).first());
    auto* y = qobject_cast<QValueAxis*>(R.Chart1->chart()->axes(Qt::Vertical).first());
    EXPECT_LE(x->min(), 0);
    EXPECT_GE(x->max(), 9);
    EXPECT_LE(y->min(), -9);
    EXPECT_GE(y->max(), 81);
    EXPECT_TRUE(Dijalozi.Zapis.isEmpty());
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

    R.Tabela->setFocus();
    QTest::keyClick(R.Tabela, Qt::Key_Return);
    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab);
    EXPECT_EQ(Serije().size(), 1);

    QTest::mouseClick(R.BackOnTable, Qt::LeftButton);
    ASSERT_EQ(Strane.currentWidget(), R.TabelaTab);
    Otkucaj(3);
    QTest::mouseDClick(R.Tabela->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab);
    EXPECT_EQ(Serije().size(), 2);

    QTest::mouseClick(R.BackOnTable, Qt::LeftButton);
    QTest::keyClick(R.Tabela, Qt::Key_Enter); // the keypad's Enter as well
    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab);
}

TEST_F(RezultatiTest, DoubleClickOnTheRowOfTimesBuildsTheChartToo) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);
    // The fixed row of times is part of the grid: a double click on it counts.
    QWidget* vremena = R.Tabela->horizontalHeader()->viewport();
    QTest::mouseDClick(vremena, Qt::LeftButton, {}, QPoint(R.Tabela->columnWidth(0) / 2, 5));
    EXPECT_EQ(Strane.currentWidget(), R.GrafikTab);
    EXPECT_EQ(Serije().size(), 1);
    // A single click there builds nothing.
    QTest::mouseClick(R.BackOnTable, Qt::LeftButton);
    QTest::mouseClick(vremena, Qt::LeftButton, {}, QPoint(R.Tabela->columnWidth(0) / 2, 5));
    EXPECT_EQ(Strane.currentWidget(), R.TabelaTab);
}

TEST_F(RezultatiTest, WithNothingTickedTheChartIsRefused) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    QTest::mouseClick(R.GoToChart, Qt::LeftButton);

    EXPECT_THAT(Dijalozi.Zapis, ElementsAre("Poruka: Niste oznacili zeljene izlaze!"));
    EXPECT_EQ(Strane.currentWidget(), R.TabelaTab);
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
    for (QCheckBox* c : R.Oznake)
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
    EXPECT_EQ(R.ChartView->text(), "3D View");
    EXPECT_TRUE(R.Chart1->isVisible());

    QTest::mouseClick(R.ChartView, Qt::LeftButton);
    EXPECT_EQ(R.ChartView->text(), "2D View");
    EXPECT_TRUE(R.Pogled3D());
    EXPECT_TRUE(R.Grafik3D->isVisible());
    EXPECT_FALSE(R.Chart1->isVisible());

    QTest::mouseClick(R.BackOnTable, Qt::LeftButton);
    Otkucaj(2);
    R.PrikaziGrafik();
    EXPECT_TRUE(R.Grafik3D->isVisible()) << "the setting survives the rebuild";
    ASSERT_EQ(R.Grafik3D->Serije().size(), 2);
    EXPECT_EQ(R.Grafik3D->Serije()[1].Naslov, "2. Pojacanje");
    EXPECT_EQ(R.Grafik3D->Serije()[1].Tacke.size(), 10);

    QTest::mouseClick(R.ChartView, Qt::LeftButton);
    EXPECT_EQ(R.ChartView->text(), "3D View");
    EXPECT_FALSE(R.Pogled3D());
    EXPECT_TRUE(R.Chart1->isVisible());
}

TEST_F(RezultatiTest, ZoomIsUndoneByRightClickAndByANewChart) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);
    R.PrikaziGrafik();
    QChart* c = R.Chart1->chart();
    auto* x = qobject_cast<QValueAxis*>(c->axes(Qt::Horizontal).first());
    const double min = x->min(), max = x->max();

    c->zoomIn(QRectF(c->plotArea().center(), QSizeF(40, 40)));
    ASSERT_LT(x->max() - x->min(), max - min);
    QTest::mouseClick(R.Chart1->viewport(), Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_DOUBLE_EQ(x->min(), min);
    EXPECT_DOUBLE_EQ(x->max(), max);

    c->zoomIn(QRectF(c->plotArea().center(), QSizeF(40, 40)));
    R.PrikaziGrafik();
    EXPECT_DOUBLE_EQ(x->min(), min);
    EXPECT_DOUBLE_EQ(x->max(), max);
    EXPECT_FALSE(c->isZoomed());
}

TEST_F(RezultatiTest, CheckBoxesFollowTheGridAsItScrolls) {
    std::vector<TBlokRezultata> blokovi;
    for (int i = 1; i <= 40; ++i)
        blokovi.push_back({i, "Blok", Integrator});
    R.PopuniTabelu(blokovi, NapraviMatricu(2, 40, [](int, int) { return 0; }), 2, 1);
    QApplication::processEvents();

    QHeaderView* h = R.Tabela->verticalHeader();
    auto uRedu = [&](int r) {
        return R.Oznake[static_cast<size_t>(r)]->geometry() ==
               QRect(1, h->sectionViewportPosition(r) + 1, h->width() - 1, 23);
    };
    EXPECT_TRUE(uRedu(0));
    EXPECT_TRUE(uRedu(39));
    R.Tabela->verticalScrollBar()->setValue(R.Tabela->verticalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_LT(R.Oznake[0]->y(), 0) << "scrolled out of sight";
    EXPECT_TRUE(uRedu(0));
    EXPECT_TRUE(uRedu(39));
    EXPECT_LT(R.Oznake[39]->geometry().bottom(), h->viewport()->height());
    // The caption column is wide enough for the captions.
    EXPECT_GE(h->width(), R.Oznake[0]->sizeHint().width());
}

TEST_F(RezultatiTest, NavigationButtons) {
    int nazad = 0;
    R.OnNazadNaModel = [&] { ++nazad; };
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    EXPECT_EQ(R.GoToChart->toolTip(), "Prikazuje grafik za selektovane redove");
    QTest::mouseClick(R.BackOnModel, Qt::LeftButton);
    EXPECT_EQ(nazad, 1);

    // With OnPrikaziStranu assigned, the page control is the main window's business.
    QList<QWidget*> trazene;
    R.OnPrikaziStranu = [&](QWidget* s) { trazene << s; };
    Otkucaj(1);
    R.PrikaziGrafik();
    QTest::mouseClick(R.BackOnTable, Qt::LeftButton);
    EXPECT_THAT(trazene, ElementsAre(R.GrafikTab, R.TabelaTab));
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
    EXPECT_TRUE(R.Oznake[0]->isChecked());

    R.OcistiTabelu();
    EXPECT_EQ(R.BrojRedova(), 1);
    EXPECT_TRUE(R.Oznake.empty());
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
    QTest::mouseClick(R.IzvozCsv, Qt::LeftButton);

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
    QTest::mouseClick(R.IzvozCsv, Qt::LeftButton);
    EXPECT_THAT(Dijalozi.Zapis, ElementsAre("SacuvajKao: Izvoz rezultata"));
}

TEST_F(RezultatiTest, ChartIsSavedAsPngAndSvgInBothViews) {
    R.PopuniTabelu(TriBloka, TriKolone, 10, 1);
    Otkucaj(1);
    R.PrikaziGrafik();
    QTemporaryDir dir;

    Dijalozi.ImenaFajlova = {dir.filePath("g.png"), dir.filePath("g.svg")};
    QTest::mouseClick(R.IzvozPng, Qt::LeftButton);
    QTest::mouseClick(R.IzvozSvg, Qt::LeftButton);
    QImage png(dir.filePath("g.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), R.Chart1->size());
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

    QTest::mouseClick(R.ChartView, Qt::LeftButton);
    EXPECT_TRUE(R.SacuvajGrafik(dir.filePath("d.png")));
    EXPECT_EQ(QImage(dir.filePath("d.png")).size(), R.Grafik3D->size());

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
