// Execution ordering: constants first, then always the lowest-numbered block
// whose inputs are all available. A min-heap of ready blocks, a count of the
// inputs each block still waits for and the reverse adjacency give that very
// order in O((N + E) log N), without rescanning the table after each placement.

#include "Obrada.h"

#include <functional>
#include <queue>

namespace skem {

void TSimulacija::Sortiraj() {
    const std::int32_t n = brojBlokova - 1;
    redosled.assign(static_cast<std::size_t>(n) + 2, 0);
    redosled[1] = n + 1;
    duzinaRedosleda = 1;

    auto dodaj = [this](std::int32_t b) {
        ++duzinaRedosleda;
        redosled[static_cast<std::size_t>(duzinaRedosleda)] = b;
        blokovi[static_cast<std::size_t>(b)].Sortiran = true;
    };

    // Inputs fed by another block in the table that is not a known source:
    // count them per block and list the waiting blocks per source (CSR form).
    std::vector<std::int32_t> ceka(static_cast<std::size_t>(n) + 1, 0);
    std::vector<std::int32_t> pocetak(static_cast<std::size_t>(n) + 2, 0);
    auto zavisnoOd = [&](std::int32_t ulaz) {
        return ulaz >= 1 && ulaz <= n &&
               !IzlazIzMemorije(blokovi[static_cast<std::size_t>(ulaz)].Sifra);
    };
    for (std::int32_t b = 1; b <= n; ++b) {
        TBlokZapis& z = blokovi[static_cast<std::size_t>(b)];
        z.Sortiran = false;
        for (std::int32_t ulaz : {z.Ulaz1, z.Ulaz2, z.Ulaz3})
            if (zavisnoOd(ulaz)) {
                ++ceka[static_cast<std::size_t>(b)];
                ++pocetak[static_cast<std::size_t>(ulaz) + 1];
            }
    }
    for (std::int32_t b = 1; b <= n; ++b)
        pocetak[static_cast<std::size_t>(b) + 1] += pocetak[static_cast<std::size_t>(b)];
    std::vector<std::int32_t> zavisni(
        static_cast<std::size_t>(pocetak[static_cast<std::size_t>(n) + 1]));
    {
        std::vector<std::int32_t> upis(pocetak.begin(), pocetak.end() - 1);
        for (std::int32_t b = 1; b <= n; ++b) {
            const TBlokZapis& z = blokovi[static_cast<std::size_t>(b)];
            for (std::int32_t ulaz : {z.Ulaz1, z.Ulaz2, z.Ulaz3})
                if (zavisnoOd(ulaz))
                    zavisni[static_cast<std::size_t>(upis[static_cast<std::size_t>(ulaz)]++)] = b;
        }
    }

    std::priority_queue<std::int32_t, std::vector<std::int32_t>, std::greater<>> spremni;
    auto postavljen = [&](std::int32_t b, bool guraj) {
        for (std::int32_t k = pocetak[static_cast<std::size_t>(b)];
             k < pocetak[static_cast<std::size_t>(b) + 1]; ++k) {
            const std::int32_t d = zavisni[static_cast<std::size_t>(k)];
            if (--ceka[static_cast<std::size_t>(d)] == 0 && guraj &&
                !blokovi[static_cast<std::size_t>(d)].Sortiran)
                spremni.push(d);
        }
    };

    for (std::int32_t b = 1; b <= n; ++b)
        if (blokovi[static_cast<std::size_t>(b)].Sifra == TVrstaElementa::Konstanta) dodaj(b);
    for (std::int32_t b = 1; b <= n; ++b)
        if (blokovi[static_cast<std::size_t>(b)].Sifra == TVrstaElementa::Konstanta)
            postavljen(b, false);
    // Blocks freed by the constants are pushed here, once, with the rest.
    for (std::int32_t b = 1; b <= n; ++b)
        if (ceka[static_cast<std::size_t>(b)] == 0 &&
            !blokovi[static_cast<std::size_t>(b)].Sortiran)
            spremni.push(b);

    while (!spremni.empty()) {
        const std::int32_t b = spremni.top();
        spremni.pop();
        dodaj(b);
        postavljen(b, true);
    }
}

} // namespace skem
