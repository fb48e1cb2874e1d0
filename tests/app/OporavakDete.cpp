// The child of the recovery test: the real main window, headless, with
// autosave every 100 ms into the folder named first. It draws a small
// diagram, saves it as the document named second, changes it further, writes
// the surface's document text to the file named third, prints "snimljeno"
// once its recovery file holds that text, and waits to be killed.
#include "GlavniPomoc.h"
#include "Oporavak.h"

#include <QTimer>
#include <cstdio>

using namespace glavni_test;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4) return 2;
    const QString fascikla = QString::fromLocal8Bit(argv[1]);
    const QString dokument = QString::fromLocal8Bit(argv[2]);
    const QString povrsina = QString::fromLocal8Bit(argv[3]);
    QDir::setCurrent(Izvor() + QStringLiteral("/resources"));
    TSkriptovaniDijalozi dijalozi;
    TMainForm g;
    g.NapraviDijaloge();
    g.setEnabled(true);
    g.UkljuciOporavak(fascikla);
    g.Oporavak()->PostaviInterval(100);

    TSKEMBlok* vreme = SpustiBezDijaloga(g, 25, "Vreme", 0, {20, 20});
    TSKEMBlok* pojacanje = SpustiBezDijaloga(g, 8, "Pojacanje", 1, {200, 20});
    dijalozi.Skripte.push_back(IzaberiUlaz(1));
    Povezi(g, vreme, pojacanje);
    dijalozi.ImenaFajlova.push_back(dokument);
    Akcija(g, "FileSaveAs")->trigger();
    // After the save: one block more, wired and turned, a parameter and the description.
    TSKEMBlok* integrator = SpustiBezDijaloga(g, 10, "Integrator", 3, {200, 200});
    dijalozi.Skripte.push_back(IzaberiUlaz(2));
    Povezi(g, pojacanje, integrator);
    integrator->RotirajD();
    pojacanje->Parametar1 = 2.5;
    Povrsina(g)->OpisProblema = QStringLiteral("posle cuvanja");
    if (!g.Izmenjen() || !dijalozi.Poruke().isEmpty()) return 3;

    const QByteArray tekst = DokumentUTekst(*Povrsina(g));
    PisiFajl(povrsina, tekst);
    const QByteArray telo = tekst.mid(tekst.indexOf("?>") + 2);
    QTimer provera;
    QObject::connect(&provera, &QTimer::timeout, [&] {
        const QString fajl = g.Oporavak()->Fajl();
        if (fajl.isEmpty() || !CitajFajl(fajl).endsWith(telo)) return;
        provera.stop();
        std::puts("snimljeno");
        std::fflush(stdout);
    });
    provera.start(20);
    return app.exec();
}
