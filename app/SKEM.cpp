// The program: "skem [FILE.skem]" starts the editor, "skem --run ..." runs a
// document without any window (batch mode), "skem --version" and "skem --help"
// print and end.
#include "Glavni.h"
#include "Oporavak.h"
#include "Paketni.h"

#include <QApplication>
#include <cstring>

int main(int argc, char** argv) {
    // The batch mode and the program's own options come before any
    // QApplication: they need no display and no platform plugin.
    if (argc > 1 && std::strcmp(argv[1], "--run") == 0) return PokreniPaketno(argc, argv);
    if (const int kod = PokreniOpcijePrograma(argc, argv); kod != PokreniEditor) return kod;
    QApplication app(argc, argv);
    const auto aplikacija = PokreniAplikaciju(QApplication::arguments().mid(1));
    PokreniOporavak(*aplikacija);
    return app.exec();
}
