// The chart's thinning against a direct reading of its rule: per pixel
// column exactly the first, lowest, highest and last point; a phase plot
// keeps every point where the curve enters or leaves a pixel.
#include "ProredjivanjeGrafika.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace {

std::vector<double> Niz(std::size_t n, const std::function<double(std::size_t)>& f) {
    std::vector<double> v(n);
    for (std::size_t k = 0; k < n; ++k)
        v[k] = f(k);
    return v;
}

} // namespace

TEST(ProredjivanjeGrafika, VremenskaSerijaCuvaPrvuNajnizuNajvisuIPoslednjuTackuKolone) {
    std::mt19937 slucajni(7);
    std::normal_distribution<double> sum;
    const struct {
        const char* opis;
        std::vector<double> y;
        double p;
        TPogledKrive pogled;
        bool sveTacke; // fewer points than pixels: every one of the range is drawn
    } slucajevi[] = {
        {"noise, whole range",
         Niz(100'000, [&](std::size_t) { return sum(slucajni); }),
         0.001,
         {0, 99.999, 0, 1, 640, 400},
         false},
        {"sine, a zoomed part",
         Niz(100'000, [](std::size_t k) { return std::sin(k * 1e-3); }),
         0.001,
         {12.3456, 14.5, 0, 1, 300, 400},
         false},
        {"steps with equal values",
         Niz(5'000, [](std::size_t k) { return double(k / 700); }),
         0.1,
         {-3, 600, 0, 1, 97, 400},
         false},
        {"a NaN among them",
         Niz(2'000, [](std::size_t k) { return k == 33 ? NAN : k % 7 * 1.0; }),
         1,
         {0, 1999, 0, 1, 50, 400},
         false},
        {"zoomed closer than the points",
         Niz(1'000, [](std::size_t k) { return k * 0.5; }),
         0.5,
         {100.2, 130.1, 0, 1, 900, 400},
         true},
        {"between two points",
         Niz(10, [](std::size_t k) { return double(k); }),
         1,
         {3.2, 3.7, 0, 1, 900, 400},
         true},
    };
    for (const auto& c : slucajevi) {
        SCOPED_TRACE(c.opis);
        // Each series read with its mirror image, whose extremes are swapped.
        std::vector<double> obrnuto = c.y;
        for (double& v : obrnuto)
            v = -v;
        const auto dobijeno = ProrediVremenskeSerije(
            {{c.y.data(), 1, c.y.size()}, {obrnuto.data(), 1, c.y.size()}}, c.p, c.pogled);
        ASSERT_EQ(dobijeno.size(), 2u);

        // The rule read directly: the points of each column, in order.
        const TPikseliOse kolona(c.pogled.XMin, c.pogled.XMax, c.pogled.Sirina);
        std::map<std::int64_t, std::vector<std::size_t>> kolone;
        std::set<std::size_t> spolja; // the nearest point beyond each side
        std::size_t uRasponu = 0;
        for (std::size_t k = 0; k < c.y.size(); ++k) {
            const double x = k * c.p;
            if (x < c.pogled.XMin) {
                spolja.erase(k - 1);
                spolja.insert(k);
            } else if (x > c.pogled.XMax) {
                if (k == 0 || (k - 1) * c.p <= c.pogled.XMax) spolja.insert(k);
            } else {
                kolone[kolona(x)].push_back(k);
                ++uRasponu;
            }
        }
        const std::vector<double>& ogledalo = obrnuto;
        for (const std::vector<double>* y : {&c.y, &ogledalo}) {
            std::set<std::size_t> ocekivano = spolja;
            const auto manje = [&](std::size_t a, std::size_t b) {
                return (*y)[a] < (*y)[b] || (std::isnan((*y)[a]) && !std::isnan((*y)[b]));
            };
            for (const auto& [broj, k] : kolone) {
                ASSERT_GE(broj, 0);
                ASSERT_LT(broj, c.pogled.Sirina);
                ocekivano.insert({k.front(), k.back()});
                std::vector<std::size_t> brojevi;
                for (std::size_t i : k)
                    if (!std::isnan((*y)[i])) brojevi.push_back(i);
                if (brojevi.empty()) continue;
                ocekivano.insert(*std::min_element(brojevi.begin(), brojevi.end(), manje));
                ocekivano.insert(*std::max_element(brojevi.begin(), brojevi.end(), manje));
            }
            const std::vector<std::size_t>& d = dobijeno[y == &c.y ? 0 : 1];
            EXPECT_EQ(d, std::vector<std::size_t>(ocekivano.begin(), ocekivano.end()));
            EXPECT_LE(d.size(), 4u * c.pogled.Sirina + 2);
            if (c.sveTacke) {
                EXPECT_EQ(d.size(), uRasponu + spolja.size());
            }
        }
    }
}

TEST(ProredjivanjeGrafika, FaznaKrivaCrtaSvakiKorakIzmedjuPikselaINistaVise) {
    // A limit cycle traced thirty times, a spiral running off the view, and
    // a coarse orbit whose every step jumps over pixels.
    const auto krug = [](double korak, double rast, std::size_t n) {
        return std::pair(
            Niz(n, [=](std::size_t k) { return std::cos(k * korak); }),
            Niz(n, [=](std::size_t k) { return std::sin(k * korak) * (1 + k * rast); }));
    };
    const struct {
        const char* opis;
        std::pair<std::vector<double>, std::vector<double>> xy;
        TPogledKrive pogled;
        std::size_t najvise; // points of the walk at most
    } slucajevi[] = {
        {"limit cycle", krug(1e-3, 0, 200'000), {-1.1, 1.1, -1.5, 1.5, 500, 400}, 8'000},
        {"spiral, zoomed", krug(1e-4, 2e-6, 200'000), {0.2, 0.4, 0.5, 0.9, 300, 200}, 20'000},
        {"a jump every half turn",
         std::pair(Niz(200'000, [](std::size_t k) { return std::cos(k * 1e-3); }),
                   Niz(200'000, [](std::size_t k) { return std::sin(k * 1e-3) > 0 ? 1.0 : -1.0; })),
         {-1.1, 1.1, -1.5, 1.5, 500, 400},
         8'000},
        {"jumps at every step", krug(0.7, 0, 20'000), {-1.1, 1.1, -1.1, 1.1, 500, 400}, 20'000},
        // The last points fall in a pixel reached long before.
        {"a diagonal ending in its pixel",
         std::pair(Niz(100'001, [](std::size_t k) { return 10.0 + k; }),
                   Niz(100'001, [](std::size_t k) { return 20.0 + k; })),
         {0, 110'000, 0, 110'000, 800, 500},
         4'000},
        {"never leaving a pixel",
         std::pair(Niz(1'000, [](std::size_t k) { return k * 1e-6; }),
                   Niz(1'000, [](std::size_t) { return 0.5; })),
         {0, 1, 0, 1, 500, 400},
         4},
    };
    for (const auto& c : slucajevi) {
        SCOPED_TRACE(c.opis);
        const auto& [x, y] = c.xy;
        const std::size_t n = x.size();
        // Read beside another curve (x against itself), as curves are drawn together.
        const auto obe =
            ProrediFazneKrive({x.data(), 1, n}, {{x.data(), 1, n}, {y.data(), 1, n}}, c.pogled);
        ASSERT_EQ(obe.size(), 2u);
        const std::vector<std::size_t>& r = obe[1];
        const TPikseliOse kolona(c.pogled.XMin, c.pogled.XMax, c.pogled.Sirina);
        const TPikseliOse red(c.pogled.YMin, c.pogled.YMax, c.pogled.Visina);
        const auto piksel = [&](std::size_t k) { return std::pair(kolona(x[k]), red(y[k])); };
        // The steps between two pixels, either way round.
        using TKorak =
            std::pair<std::pair<std::int64_t, std::int64_t>, std::pair<std::int64_t, std::int64_t>>;
        const auto koraci = [&](const std::vector<std::size_t>& tacke) {
            std::set<TKorak> k;
            for (std::size_t i = 0; i + 1 < tacke.size(); ++i) {
                const auto a = piksel(tacke[i]), b = piksel(tacke[i + 1]);
                if (a != b) k.insert({std::min(a, b), std::max(a, b)});
            }
            return k;
        };
        std::vector<std::size_t> sve(n);
        for (std::size_t k = 0; k < n; ++k)
            sve[k] = k;
        ASSERT_FALSE(r.empty());
        EXPECT_EQ(r.front(), 0u);
        EXPECT_NE(std::find(r.begin(), r.end(), n - 1), r.end()) << "the last point is drawn";
        EXPECT_LE(r.size(), c.najvise);
        for (std::size_t k : r)
            ASSERT_LT(k, n);
        EXPECT_EQ(koraci(r), koraci(sve)) << "every step of the curve, and none it did not make";
        // Each pixel is drawn at the first point that fell in it, a jump at
        // its own ends, and the last point's pixel at that point too.
        std::map<std::pair<std::int64_t, std::int64_t>, std::size_t> prva;
        for (std::size_t k = n; k-- > 0;)
            prva[piksel(k)] = k;
        for (std::size_t i = 0; i < r.size(); ++i) {
            const std::size_t k = r[i];
            const bool krajSkoka = (i + 1 < r.size() && (r[i + 1] == k + 1 || r[i + 1] + 1 == k)) ||
                                   (i > 0 && (r[i - 1] == k + 1 || r[i - 1] + 1 == k));
            ASSERT_TRUE(prva[piksel(k)] == k || krajSkoka || k == n - 1) << k;
        }
    }
}
