#include "ProredjivanjeGrafika.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

TPikseliOse::TPikseliOse(double min, double max, int broj)
    : min(min), skala(broj / (max - min)), broj(broj) {}

std::int64_t TPikseliOse::operator()(double v) const {
    const double u = (v - min) * skala;
    if (!(u >= 0)) return -1; // NaN too: a point with no place is off the view
    if (u >= broj) return u > broj ? broj : broj - 1;
    return static_cast<std::int64_t>(u);
}

namespace {

// Appends the indices a, b, c, d (each at least the one before) without repeats.
void DodajRedom(std::vector<std::size_t>& r, std::initializer_list<std::size_t> indeksi) {
    for (std::size_t i : indeksi)
        if (r.empty() || r.back() < i) r.push_back(i);
}

} // namespace

std::vector<std::vector<std::size_t>>
ProrediVremenskeSerije(const std::vector<TNizVrednosti>& nizovi, double p,
                       const TPogledKrive& pogled) {
    std::vector<std::vector<std::size_t>> r(nizovi.size());
    std::size_t n = nizovi.empty() ? 0 : nizovi.front().Tacaka;
    for (const TNizVrednosti& y : nizovi)
        n = std::min(n, y.Tacaka);
    if (n == 0) return r;
    if (!(p > 0) || !(pogled.XMax > pogled.XMin) || pogled.Sirina < 1) {
        // No usable range: each curve's ends only.
        for (auto& indeksi : r)
            indeksi = n > 1 ? std::vector<std::size_t>{0, n - 1} : std::vector<std::size_t>{0};
        return r;
    }
    // The points inside [XMin, XMax]: from `od` up to (not including) `doo`,
    // found from the times k*p as they are computed, not from a division.
    const auto x = [p](std::size_t k) { return static_cast<double>(k) * p; };
    const double najvise = static_cast<double>(n);
    std::size_t od =
        static_cast<std::size_t>(std::clamp(std::floor(pogled.XMin / p), 0.0, najvise));
    while (od > 0 && x(od - 1) >= pogled.XMin)
        --od;
    while (od < n && x(od) < pogled.XMin)
        ++od;
    std::size_t doo =
        static_cast<std::size_t>(std::clamp(std::ceil(pogled.XMax / p), 0.0, najvise));
    doo = std::max(doo, od);
    while (doo < n && x(doo) <= pogled.XMax)
        ++doo;
    while (doo > od && x(doo - 1) > pogled.XMax)
        --doo;

    const TPikseliOse kolonaOd(pogled.XMin, pogled.XMax, pogled.Sirina);
    const double sirinaKolone = (pogled.XMax - pogled.XMin) / pogled.Sirina;
    for (auto& indeksi : r) {
        indeksi.reserve(4 * static_cast<std::size_t>(pogled.Sirina) + 2);
        if (od > 0) indeksi.push_back(od - 1);
    }
    for (std::size_t k = od; k < doo;) {
        // One pixel column's points are consecutive: from k up to `kraj`,
        // guessed from the column's edge, then settled by the column rule.
        const std::int64_t kolona = kolonaOd(x(k));
        const double ivica = pogled.XMin + static_cast<double>(kolona + 1) * sirinaKolone;
        auto kraj = static_cast<std::size_t>(
            std::clamp(std::ceil(ivica / p), static_cast<double>(k + 1), static_cast<double>(doo)));
        while (kraj > k + 1 && kolonaOd(x(kraj - 1)) != kolona)
            --kraj;
        while (kraj < doo && kolonaOd(x(kraj)) == kolona)
            ++kraj;
        // Every curve in turn over the same rows, which stay in the cache.
        for (std::size_t i = 0; i < nizovi.size(); ++i) {
            const TNizVrednosti& y = nizovi[i];
            std::size_t najnizi = k, najvisi = k;
            double nize = y[k], vise = nize;
            for (std::size_t j = k + 1; j < kraj; ++j) {
                const double v = y[j];
                // A NaN is never the lowest or highest while there is a number.
                if (v < nize || nize != nize) {
                    nize = v;
                    najnizi = j;
                }
                if (v > vise || vise != vise) {
                    vise = v;
                    najvisi = j;
                }
            }
            DodajRedom(r[i], {k, std::min(najnizi, najvisi), std::max(najnizi, najvisi), kraj - 1});
        }
        k = kraj;
    }
    if (doo < n)
        for (auto& indeksi : r)
            DodajRedom(indeksi, {doo});
    return r;
}

std::vector<std::size_t> ProrediFaznuKrivu(const TNizVrednosti& x, const TNizVrednosti& y,
                                           const TPogledKrive& pogled) {
    std::vector<std::size_t> r;
    const std::size_t n = std::min(x.Tacaka, y.Tacaka);
    if (n == 0) return r;
    const bool imaOblast = pogled.XMax > pogled.XMin && pogled.YMax > pogled.YMin &&
                           pogled.Sirina >= 1 && pogled.Visina >= 1;
    const TPikseliOse kolonaOd(pogled.XMin, pogled.XMax, pogled.Sirina);
    const TPikseliOse redOd(pogled.YMin, pogled.YMax, pogled.Visina);
    const auto piksel = [&](std::size_t k) {
        if (!imaOblast) return std::int64_t{0};
        const std::int64_t kx = kolonaOd(x[k]);
        const std::int64_t ky = redOd(y[k]);
        return kx * (std::int64_t{pogled.Visina} + 2) + ky;
    };
    std::int64_t tekuci = piksel(0);
    r.push_back(0);
    for (std::size_t k = 1; k < n; ++k) {
        const std::int64_t p = piksel(k);
        if (p == tekuci) continue;
        DodajRedom(r, {k - 1, k}); // the last of the run before, the first of this one
        tekuci = p;
    }
    DodajRedom(r, {n - 1});
    return r;
}
