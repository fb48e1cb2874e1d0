// The catalogue reader: any file either reads or ends in a TGreskaKataloga.
// The reader takes a file name, so each input is written to a file first.

#include "Aplikacija.h"
#include "Katalog.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {
QString ImeFajla;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    NapraviAplikaciju(argc, argv);
    static QTemporaryDir dir;
    ImeFajla = dir.filePath(QStringLiteral("Manifest.xml"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* podaci, std::size_t velicina) {
    {
        QFile f(ImeFajla);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char*>(podaci), qint64(velicina));
    }
    QVector<TGrupaKataloga> grupe;
    try {
        ProcitajKatalog(ImeFajla, grupe);
    } catch (const TGreskaKataloga&) {
    }
    return 0;
}
