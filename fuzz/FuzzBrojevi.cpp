// The number parser and writer: no text crashes them, a number that reads
// is finite, and its 15-digit text reads back to a number with the same text.

#include "Brojevi.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Nije(bool uslov, const char* sta, const std::string& tekst) {
    if (uslov) return;
    std::fprintf(stderr, "%s: '%s'\n", sta, tekst.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* podaci, std::size_t velicina) {
    const std::string tekst(reinterpret_cast<const char*>(podaci), velicina);
    std::int32_t ceo = 0;
    if (skem::ProcitajCeo(tekst, ceo)) {
        std::int32_t opet = 0;
        Nije(skem::ProcitajCeo(std::to_string(ceo), opet) && opet == ceo, "ceo broj", tekst);
    }
    double v = 0;
    const bool procitan = skem::ProcitajRealan(tekst, v);
    Nije(skem::TekstURealan(tekst) == (procitan ? v : skem::NijeBroj), "TekstURealan", tekst);
    if (!procitan) return 0;
    Nije(std::isfinite(v), "beskonacan broj", tekst);
    const std::string prvi = skem::RealanUTekst(v);
    double v2 = 0;
    Nije(skem::ProcitajRealan(prvi, v2), "tekst broja se ne cita", prvi);
    Nije(skem::RealanUTekst(v2) == prvi, "tekst broja se menja", prvi);
    return 0;
}
