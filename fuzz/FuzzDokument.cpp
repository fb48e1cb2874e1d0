// The document reader: any text either reads or ends in a TGreskaDokumenta.
// What reads is saved and read again, and the second reading must save to
// the same text as the first. The document model reads every text to the
// same end: the same error, and what was read before it saved to the same
// text (or refused with the same message).

#include "Aplikacija.h"
#include "Dokument.h"
#include "ModelDokumenta.h"
#include "SKEMRadnaPovrsina.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    NapraviAplikaciju(argc, argv);
    return 0;
}

namespace {

// How reading a text ended: the reading's error, then the saved text or the
// saving's error.
struct TIshod {
    QString Greska;
    QByteArray Tekst;
    QString GreskaPisanja;
    bool operator==(const TIshod&) const = default;
};

TIshod ProcitajISnimi(const QByteArray& xml) {
    TIshod r;
    TSKEMRadnaPovrsina povrsina;
    try {
        UcitajDokumentIzTeksta(povrsina, xml);
    } catch (const TGreskaDokumenta& g) {
        r.Greska = g.Poruka();
    }
    try {
        r.Tekst = DokumentUTekst(povrsina);
    } catch (const TGreskaDokumenta& g) {
        r.GreskaPisanja = g.Poruka();
    }
    return r;
}

TIshod ProcitajISnimiModel(const QByteArray& xml) {
    TIshod r;
    const skem::TProcitanModel m = skem::ProcitajModel(xml);
    r.Greska = m.Greska.value_or(QString());
    // The surface's message ends at a NUL the XML service quotes.
    r.Greska = r.Greska.left(r.Greska.indexOf(QChar(0)));
    try {
        r.Tekst = skem::ModelUTekst(m.Model);
    } catch (const skem::TGreskaDokumenta& g) {
        r.GreskaPisanja = g.Poruka();
    }
    return r;
}

void Razlika(const char* sta, const TIshod& a, const TIshod& b) {
    std::fprintf(stderr, "%s:\n%s | %s\n%s\n---\n%s | %s\n%s\n", sta, a.Greska.toUtf8().constData(),
                 a.GreskaPisanja.toUtf8().constData(), a.Tekst.constData(),
                 b.Greska.toUtf8().constData(), b.GreskaPisanja.toUtf8().constData(),
                 b.Tekst.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* podaci, std::size_t velicina) {
    const QByteArray xml(reinterpret_cast<const char*>(podaci), qsizetype(velicina));
    const TIshod prvi = ProcitajISnimi(xml);
    if (const TIshod model = ProcitajISnimiModel(xml); !(model == prvi))
        Razlika("Model se razlikuje od povrsine", prvi, model);
    if (!prvi.Greska.isEmpty() || !prvi.GreskaPisanja.isEmpty()) return 0;
    const TIshod drugi = ProcitajISnimi(prvi.Tekst);
    if (!(drugi == TIshod{{}, prvi.Tekst, {}}))
        Razlika("Ponovo procitan dokument se razlikuje", prvi, drugi);
    return 0;
}
