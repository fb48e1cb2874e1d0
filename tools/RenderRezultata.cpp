// Renders the result pages for a damped oscillator (computed here from the
// analytic solution) to /tmp/skem-rezultati/*.png, for a visual check; then
// the same run as if a Quit element had ended it (tabela-quit.png, grafik-quit.png).
#include "Grafik3D.h"
#include "Rezultati.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir = QStringLiteral("/tmp/skem-rezultati");
    QDir().mkpath(dir);

    // x'' + 2*z*w*x' + w^2*x = 0, x(0) = 1, x'(0) = 0.
    const double w = 2, z = 0.15, wd = w * std::sqrt(1 - z * z);
    const double D = 10, P = 0.1;
    const int n = 100;
    std::vector<skem::TBlokRezultata> blokovi = {{1, "Konstanta", 12},
                                                 {2, "Sabirac", 4},
                                                 {3, "Integrator", 1},
                                                 {4, "Integrator", 1},
                                                 {5, "Vreme", 25}};
    std::vector<std::vector<double>> m(n + 3, std::vector<double>(5, 0.0));
    for (int k = 0; k <= n; ++k) {
        const double t = k * P, e = std::exp(-z * w * t);
        const double x = e * (std::cos(wd * t) + z * w / wd * std::sin(wd * t));
        const double v = -w * w / wd * e * std::sin(wd * t);
        m[k] = {1.0, -2 * z * w * v - w * w * x, v, x, t};
    }

    QStackedWidget strane;
    auto* model = new QWidget;
    strane.addWidget(model);
    TPrikazRezultata r;
    strane.addWidget(r.TabelaTab());
    strane.addWidget(r.GrafikTab());
    // The view's controls, by their object names.
    auto* grafik2D = strane.findChild<QChartView*>(QStringLiteral("Grafik2D"));
    auto* chartView = strane.findChild<QPushButton*>(QStringLiteral("ChartView"));
    auto* izborOseX = strane.findChild<QComboBox*>(QStringLiteral("IzborOseX"));
    auto* tabela = strane.findChild<QTableView*>(QStringLiteral("Tabela"));
    const auto oznaci = [&strane] {
        for (QCheckBox* c :
             strane.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^Oznaka\\d+$"))))
            c->setChecked(true);
    };
    grafik2D->chart()->setAnimationOptions(QChart::NoAnimation);
    strane.resize(1100, 620);
    strane.show();
    r.PopuniTabelu(blokovi, m, D, P);
    oznaci();
    QApplication::processEvents();
    bool ok = r.TabelaTab()->grab().save(dir + "/tabela.png");

    r.PrikaziGrafik();
    QApplication::processEvents();
    ok = r.GrafikTab()->grab().save(dir + "/grafik-2d.png") && ok;
    chartView->click();
    QApplication::processEvents();
    ok = r.GrafikTab()->grab().save(dir + "/grafik-3d.png") && ok;
    chartView->click();

    // The phase plot of velocity against position, with the pointer's read-out.
    izborOseX->setCurrentIndex(izborOseX->findText(QStringLiteral("4. Integrator")));
    emit izborOseX->activated(izborOseX->currentIndex());
    QApplication::processEvents();
    QChart* g = grafik2D->chart();
    r.PokaziTacku(grafik2D->mapFromScene(g->mapToScene(g->mapToPosition(QPointF(1, 0)))));
    ok = r.GrafikTab()->grab().save(dir + "/grafik-fazni.png") && ok;
    // A run a Quit element ended at t = 6.05 (h = 0.01): zeros after it in
    // the matrix, greyed in the table, left out of the chart; the status
    // bar's label under the pages.
    const double h = 0.01, kraj = 6.05;
    for (int k = 0; k <= n; ++k)
        if (k * P > kraj - h) m[k].assign(5, 0.0);
    QWidget prozor;
    auto* raspored = new QVBoxLayout(&prozor);
    raspored->setContentsMargins(0, 0, 0, 0);
    raspored->addWidget(&strane, 1);
    raspored->addWidget(r.OpisKraja());
    prozor.resize(1100, 640);
    prozor.show();
    r.PopuniTabelu(blokovi, m, D, P, {true, kraj, h});
    oznaci();
    tabela->horizontalScrollBar()->setValue(55);
    QApplication::processEvents();
    ok = prozor.grab().save(dir + "/tabela-quit.png") && ok;
    r.PrikaziGrafik();
    QApplication::processEvents();
    ok = prozor.grab().save(dir + "/grafik-quit.png") && ok;
    strane.setParent(nullptr); // the stack's own, not the window's, to destroy
    std::printf("%s\n", ok ? "Slike su u /tmp/skem-rezultati" : "Slike nisu sacuvane");
    return ok ? 0 : 1;
}
