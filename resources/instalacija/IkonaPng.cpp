// skem_ikona_png IZLAZ.png VELICINA: the program's icon rendered at
// VELICINA x VELICINA pixels, for the desktop's icon theme. The build runs it,
// so the PNG sizes always match the SVG the program itself shows.
#include "Slike.h"

#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Upotreba: skem_ikona_png IZLAZ.png VELICINA\n");
        return 2;
    }
    // The build may run without a display, and Qt's notes about the machine
    // (no XDG_RUNTIME_DIR, say) are no build messages.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType vrsta, const QMessageLogContext&, const QString& tekst) {
        if (vrsta == QtCriticalMsg || vrsta == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(tekst));
    });
    QGuiApplication aplikacija(argc, argv);
    bool broj = false;
    const int velicina = QString::fromLocal8Bit(argv[2]).toInt(&broj);
    const QImage slika = broj ? SlikaIkonePrograma(velicina) : QImage();
    if (slika.isNull() || !slika.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "Ikona %s ne moze da se napravi.\n", argv[1]);
        return 1;
    }
    return 0;
}
