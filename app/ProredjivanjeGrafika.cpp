#include "ProredjivanjeGrafika.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

// A curve's ends only, for a view with no usable range.
std::vector<std::size_t> Krajevi(std::size_t n) {
    return n > 1 ? std::vector<std::size_t>{0, n - 1} : std::vector<std::size_t>{0};
}

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
        for (auto& indeksi : r)
            indeksi = Krajevi(n);
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

namespace {

// The pixel grid of a phase plot's view, with one strip of cells around it
// for everything beyond each side (and one cell per corner).
class TMrezaPiksela {
public:
    explicit TMrezaPiksela(const TPogledKrive& pogled)
        : kolonaOd(pogled.XMin, pogled.XMax, pogled.Sirina),
          redOd(pogled.YMin, pogled.YMax, pogled.Visina), kolona(pogled.Sirina + 2),
          redova(pogled.Visina + 2) {}

    // A point's cell: its column and row, each from -1 (before the view).
    struct TPiksel {
        std::int64_t Kolona, Red;
        bool operator==(const TPiksel&) const = default;
    };
    std::int64_t Kolona(double x) const { return kolonaOd(x); }
    TPiksel Piksel(std::int64_t kolona, double y) const { return {kolona, redOd(y)}; }
    std::size_t Celija(TPiksel p) const {
        return static_cast<std::size_t>((p.Kolona + 1) * redova + p.Red + 1);
    }
    std::size_t Velicina() const { return static_cast<std::size_t>(kolona * redova); }
    // The eight directions to a neighbour; s and 7 - s are opposite.
    static constexpr int Pomak[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                        {0, 1},   {1, -1}, {1, 0},  {1, 1}};
    // The direction from a to b, -1 when b is no neighbour of a.
    static int Smer(TPiksel a, TPiksel b) {
        static constexpr int Smerovi[9] = {0, 1, 2, 3, -1, 4, 5, 6, 7};
        const std::int64_t dx = b.Kolona - a.Kolona, dy = b.Red - a.Red;
        if (dx < -1 || dx > 1 || dy < -1 || dy > 1) return -1;
        return Smerovi[(dx + 1) * 3 + dy + 1];
    }
    std::size_t Sused(std::size_t c, int s) const {
        return static_cast<std::size_t>(static_cast<std::int64_t>(c) + Pomak[s][0] * redova +
                                        Pomak[s][1]);
    }

private:
    TPikseliOse kolonaOd, redOd;
    std::int64_t kolona, redova;
};

constexpr std::size_t Nijedna = static_cast<std::size_t>(-1);
constexpr std::uint32_t NijednaTacka = std::numeric_limits<std::uint32_t>::max();

// One curve's steps from pixel to pixel, each kept once: to a neighbouring
// pixel as a bit of the cell it leaves (and the opposite bit of the other),
// longer ones (jumps) by the points at their ends. A pixel is drawn at the
// first point that fell in it. Fed the points in order, then walked.
class TKoraciKrive {
public:
    TKoraciKrive(const TMrezaPiksela& mreza, std::size_t tacaka)
        : mreza(mreza), najviseSkokova(tacaka / 4 + 1024), celije(mreza.Velicina()) {}

    // False once the curve has jumped over pixels at too many steps to gain
    // anything; it is then drawn point by point.
    bool Dodaj(std::size_t k, TMrezaPiksela::TPiksel novi) {
        const std::size_t c = mreza.Celija(novi);
        if (k == 0) {
            celije[c].Prva = 0;
        } else if (novi != piksel) {
            if (celije[c].Prva == NijednaTacka) celije[c].Prva = static_cast<std::uint32_t>(k);
            if (const int s = TMrezaPiksela::Smer(piksel, novi); s >= 0) {
                if (!(celije[pre].Susedi & (1u << s))) {
                    celije[pre].Susedi |= static_cast<std::uint8_t>(1u << s);
                    celije[c].Susedi |= static_cast<std::uint8_t>(1u << (7 - s));
                    ++koraka;
                }
            } else {
                const std::uint64_t par =
                    (std::uint64_t{std::min(pre, c)} << 32) | std::max(pre, c);
                if (poznatiSkokovi.insert(par).second) {
                    skokovi.push_back({k - 1, k, pre, c});
                    ++koraka;
                }
                if (skokovi.size() > najviseSkokova) return false;
            }
        }
        pre = c;
        piksel = novi;
        return true;
    }

    // A walk over the steps that goes along each at least once and back
    // along a step already drawn when it has to turn back: going twice along
    // a line changes nothing in the picture, and the walk needs at most
    // twice the steps, however many times the curve went round. The curve's
    // last point (`poslednja`, in cell `celijaPoslednje`) is drawn too: the
    // first time the walk is in its pixel, there and back within the pixel.
    std::vector<std::size_t> Setnja(std::size_t pocetak, std::size_t poslednja,
                                    std::size_t celijaPoslednje) {
        std::unordered_multimap<std::size_t, std::size_t> skokoviCelije;
        for (std::size_t j = 0; j < skokovi.size(); ++j) {
            skokoviCelije.emplace(skokovi[j].CelijaA, j);
            skokoviCelije.emplace(skokovi[j].CelijaB, j);
        }
        std::vector<bool> predjen(skokovi.size(), false);
        struct TDolazak {
            std::size_t Celija;
            std::size_t Skok; // Nijedna: came from the neighbour Celija
            bool Napred;      // along the jump from its first point to its second
        };
        std::vector<std::size_t> r;
        const auto dodaj = [&r](std::size_t k) {
            if (r.empty() || r.back() != k) r.push_back(k);
        };
        bool poslednjaDodata = false;
        const auto udji = [&](std::size_t c) {
            dodaj(celije[c].Prva);
            if (c != celijaPoslednje || poslednjaDodata) return;
            poslednjaDodata = true;
            dodaj(poslednja);
            dodaj(celije[c].Prva);
        };
        std::vector<TDolazak> put;
        std::size_t tekuca = pocetak;
        udji(tekuca);
        while (koraka > 0) {
            if (celije[tekuca].Susedi) {
                const int s = std::countr_zero(static_cast<unsigned>(celije[tekuca].Susedi));
                const std::size_t c = mreza.Sused(tekuca, s);
                celije[tekuca].Susedi &= static_cast<std::uint8_t>(~(1u << s));
                celije[c].Susedi &= static_cast<std::uint8_t>(~(1u << (7 - s)));
                --koraka;
                put.push_back({tekuca, Nijedna, false});
                tekuca = c;
                udji(c);
                continue;
            }
            std::size_t skok = Nijedna;
            for (auto [i, kraj] = skokoviCelije.equal_range(tekuca); i != kraj; ++i)
                if (!predjen[i->second]) {
                    skok = i->second;
                    break;
                }
            if (skok != Nijedna) {
                predjen[skok] = true;
                --koraka;
                const TSkok& j = skokovi[skok];
                const bool napred = j.CelijaA == tekuca;
                put.push_back({tekuca, skok, napred});
                dodaj(napred ? j.A : j.B);
                dodaj(napred ? j.B : j.A);
                tekuca = napred ? j.CelijaB : j.CelijaA;
                udji(tekuca);
                continue;
            }
            // Nothing new from here: back the way the walk came.
            const TDolazak d = put.back();
            put.pop_back();
            if (d.Skok != Nijedna) {
                const TSkok& j = skokovi[d.Skok];
                dodaj(d.Napred ? j.B : j.A);
                dodaj(d.Napred ? j.A : j.B);
            }
            tekuca = d.Celija;
            dodaj(celije[tekuca].Prva);
        }
        // The grid's memory goes as soon as the walk is made.
        celije = {};
        return r;
    }

private:
    struct TSkok {
        std::size_t A, B; // the points
        std::size_t CelijaA, CelijaB;
    };
    const TMrezaPiksela& mreza;
    std::size_t najviseSkokova;
    // A cell's first point and its steps to neighbours, side by side: a
    // step touches one place in memory for each end.
    struct TCelija {
        std::uint32_t Prva = NijednaTacka;
        std::uint8_t Susedi = 0;
    };
    std::vector<TCelija> celije;
    std::vector<TSkok> skokovi;
    std::unordered_set<std::uint64_t> poznatiSkokovi;
    std::size_t koraka = 0;
    TMrezaPiksela::TPiksel piksel{0, 0};
    std::size_t pre = 0;
};

// The first and the last point of every run of consecutive points in one
// pixel, in order: the whole path at pixel resolution, retraced parts too.
std::vector<std::size_t> PutanjaPoPikselima(const TMrezaPiksela& mreza, const TNizVrednosti& x,
                                            const TNizVrednosti& y, std::size_t n) {
    const auto piksel = [&](std::size_t k) { return mreza.Piksel(mreza.Kolona(x[k]), y[k]); };
    std::vector<std::size_t> r{0};
    TMrezaPiksela::TPiksel tekuci = piksel(0);
    for (std::size_t k = 1; k < n; ++k) {
        const TMrezaPiksela::TPiksel p = piksel(k);
        if (p == tekuci) continue;
        DodajRedom(r, {k - 1, k});
        tekuci = p;
    }
    DodajRedom(r, {n - 1});
    return r;
}

} // namespace

std::vector<std::vector<std::size_t>> ProrediFazneKrive(const TNizVrednosti& x,
                                                        const std::vector<TNizVrednosti>& nizovi,
                                                        const TPogledKrive& pogled) {
    std::vector<std::vector<std::size_t>> r(nizovi.size());
    std::size_t n = x.Tacaka;
    for (const TNizVrednosti& y : nizovi)
        n = std::min(n, y.Tacaka);
    if (n == 0) return r;
    const TMrezaPiksela mreza(pogled);
    constexpr std::size_t NajviseCelija = 64u << 20;
    const bool imaOblast = pogled.XMax > pogled.XMin && pogled.YMax > pogled.YMin &&
                           pogled.Sirina >= 1 && pogled.Visina >= 1;
    if (!imaOblast || mreza.Velicina() > NajviseCelija || n >= NijednaTacka) {
        for (std::size_t i = 0; i < nizovi.size(); ++i)
            r[i] = imaOblast ? PutanjaPoPikselima(mreza, x, nizovi[i], n) : Krajevi(n);
        return r;
    }
    // All curves in one pass over the rows, each row read once.
    std::vector<TKoraciKrive> koraci;
    koraci.reserve(nizovi.size());
    for (std::size_t i = 0; i < nizovi.size(); ++i)
        koraci.emplace_back(mreza, n);
    std::vector<bool> tackaPoTacka(nizovi.size(), false);
    for (std::size_t k = 0; k < n; ++k) {
        const std::int64_t kolona = mreza.Kolona(x[k]);
        for (std::size_t i = 0; i < nizovi.size(); ++i)
            if (!tackaPoTacka[i] && !koraci[i].Dodaj(k, mreza.Piksel(kolona, nizovi[i][k])))
                tackaPoTacka[i] = true;
    }
    const auto celija = [&](std::size_t i, std::size_t k) {
        return mreza.Celija(mreza.Piksel(mreza.Kolona(x[k]), nizovi[i][k]));
    };
    for (std::size_t i = 0; i < nizovi.size(); ++i)
        r[i] = tackaPoTacka[i] ? PutanjaPoPikselima(mreza, x, nizovi[i], n)
                               : koraci[i].Setnja(celija(i, 0), n - 1, celija(i, n - 1));
    return r;
}
