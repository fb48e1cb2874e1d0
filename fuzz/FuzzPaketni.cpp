// The batch mode's command line: the input is the arguments after the
// document, one per line. The document does not exist, so everything is
// parsed and checked, and nothing runs or writes a file. No application
// object: the batch mode needs none.

#include "Paketni.h"

#include <QTextStream>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* podaci, std::size_t velicina) {
    const QString tekst =
        QString::fromUtf8(reinterpret_cast<const char*>(podaci), qsizetype(velicina));
    QStringList argumenti = tekst.split(QLatin1Char('\n'));
    QString izlaz, greske;
    QTextStream i(&izlaz), g(&greske);
    IzvrsiOpcijePrograma(argumenti, i, g);
    argumenti.prepend(QStringLiteral("/nepostojeci/fascikla/dokument.skem"));
    argumenti.prepend(QStringLiteral("--run"));
    const int kod = IzvrsiPaketno(argumenti, i, g);
    // Without a document nothing may succeed, and every refusal says why.
    if (kod == 0 || greske.isEmpty()) std::abort();
    return 0;
}
