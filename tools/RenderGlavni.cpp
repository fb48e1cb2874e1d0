// Renders the main window with an example document to
// /tmp/skem-glavni/glavni.png (the model page, a block selected) and
// glavni-tabela.png (the results table of a run), glavni-grafik-2d.png and
// glavni-grafik-3d.png (its chart, every row ticked), and the first two again at the
// smallest window size (glavni-uzak.png, glavni-tabela-uska.png), for a
// visual check.
// Usage: glavni_render [document.skem]
#include "Glavni.h"

#include "Dijalozi.h"
#include "Obavestenja.h"
#include "OpcijeSim.h"
#include "Rezultati.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

bool Snimi(QWidget& w, const QString& put) {
    // Let layouts settle and the chart's animations finish.
    QTest::qWait(700);
    const bool ok = w.grab().save(put);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(put));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SKEM 2004"));
    const QString izvor = QStringLiteral(SKEM_IZVOR);
    const QString dokument = argc > 1
                                 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath()
                                 : izvor + QStringLiteral("/examples/oscilator.skem");
    QDir::setCurrent(izvor + QStringLiteral("/resources"));
    const QString folder = QStringLiteral("/tmp/skem-glavni");
    QDir().mkpath(folder);

    int greske = 0;
    {
        TMainForm g({dokument});
        g.NapraviDijaloge();
        g.setEnabled(true);
        g.resize(1280, 800);
        g.show();
        (void)QTest::qWaitForWindowExposed(&g);
        auto* rp = g.findChild<TSKEMRadnaPovrsina*>(QStringLiteral("RadnaPovrsina"));
        auto* strane = g.findChild<QStackedWidget*>(QStringLiteral("Strane"));
        TPrikazRezultata* r = g.findChild<TPrikazRezultata*>(QStringLiteral("PrikazRezultata"));
        const auto dugme = [&g](const char* ime) {
            return g.findChild<QPushButton*>(QLatin1String(ime));
        };
        rp->PostaviSelektovaniBlok(nullptr);
        if (!rp->Blokovi().isEmpty()) rp->Blokovi().constLast()->SetAktivno(true);
        g.statusBar()->showMessage(QStringLiteral("Izvrsava simulaciju nad napravljenim modelom"));
        if (!Snimi(g, folder + QStringLiteral("/glavni.png"))) ++greske;

        // Fixed run options: the dialog is filled in and accepted as soon as it shows.
        TOpcije* opcije = g.Opcije();
        opcije->PoljeTrajanja->setText(QStringLiteral("10"));
        opcije->PoljeIntervala->setText(QStringLiteral("0.01"));
        opcije->PoljeIntervalaStampanja->setText(QStringLiteral("0.5"));
        QTimer::singleShot(0, opcije->DugmePrihvati, &QPushButton::click);
        g.findChild<QAction*>(QStringLiteral("IzvSimulaciju"))->trigger();
        if (strane->currentWidget() != r->TabelaTab()) {
            std::printf("the run did not reach the table\n");
            ++greske;
        } else {
            if (!Snimi(g, folder + QStringLiteral("/glavni-tabela.png"))) ++greske;
            // Every row ticked, then the chart in 2D and in the depth view.
            for (QCheckBox* o :
                 g.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^Oznaka\\d+$"))))
                o->setChecked(true);
            dugme("GoToChart")->click();
            if (strane->currentWidget() != r->GrafikTab()) {
                std::printf("the chart was not built\n");
                ++greske;
            } else {
                if (!Snimi(g, folder + QStringLiteral("/glavni-grafik-2d.png"))) ++greske;
                dugme("ChartView")->click();
                if (!Snimi(g, folder + QStringLiteral("/glavni-grafik-3d.png"))) ++greske;
                dugme("ChartView")->click();
                dugme("BackOnTable")->click();
            }
            // The narrowest the window may be made.
            g.resize(g.minimumSize());
            if (!Snimi(g, folder + QStringLiteral("/glavni-tabela-uska.png"))) ++greske;
            dugme("BackOnModel")->click();
            if (!Snimi(g, folder + QStringLiteral("/glavni-uzak.png"))) ++greske;
        }
    }
    IsprazniOdlozeno();
    return greske == 0 ? 0 : 1;
}
