// The document model's reader and writer, without a drawing surface or an
// application object: any text reads or ends in an error; whatever was read
// (also before an error) is saved or refused with a message, and a saved text
// reads back without an error to the same text.

#include "ModelDokumenta.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* podaci, std::size_t velicina) {
    const skem::TProcitanModel r =
        skem::ProcitajModel(QByteArray(reinterpret_cast<const char*>(podaci), qsizetype(velicina)));
    (void)skem::KopijaIzModela(r.Model);
    QByteArray prvi;
    try {
        prvi = skem::ModelUTekst(r.Model);
    } catch (const skem::TGreskaDokumenta&) {
        return 0;
    }
    const skem::TProcitanModel ponovo = skem::ProcitajModel(prvi);
    const QByteArray drugi = ponovo.Greska ? QByteArray() : skem::ModelUTekst(ponovo.Model);
    if (drugi != prvi) {
        std::fprintf(stderr, "Ponovo procitan model se razlikuje (%s):\n%s\n---\n%s\n",
                     ponovo.Greska.value_or(QString()).toUtf8().constData(), prvi.constData(),
                     drugi.constData());
        std::abort();
    }
    return 0;
}
