// The document reader: any text either reads or ends in a TGreskaDokumenta.
// What reads is saved and read again, and the second reading must save to
// the same text as the first.

#include "Aplikacija.h"
#include "Dokument.h"
#include "SKEMRadnaPovrsina.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    NapraviAplikaciju(argc, argv);
    return 0;
}

namespace {

// The saved text of the document read from xml; empty when it does not read
// or cannot be saved (both end in a message for the user).
QByteArray ProcitajISnimi(const QByteArray& xml) {
    TSKEMRadnaPovrsina povrsina;
    try {
        UcitajDokumentIzTeksta(povrsina, xml);
        return DokumentUTekst(povrsina);
    } catch (const TGreskaDokumenta&) {
        return {};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* podaci, std::size_t velicina) {
    const QByteArray prvi =
        ProcitajISnimi(QByteArray(reinterpret_cast<const char*>(podaci), qsizetype(velicina)));
    if (prvi.isEmpty()) return 0;
    const QByteArray drugi = ProcitajISnimi(prvi);
    if (drugi != prvi) {
        std::fprintf(stderr, "Ponovo procitan dokument se razlikuje:\n%s\n---\n%s\n",
                     prvi.constData(), drugi.constData());
        std::abort();
    }
    return 0;
}
