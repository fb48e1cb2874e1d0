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
            if (c.sveTacke) EXPECT_EQ(d.size(), uRasponu + spolja.size());
        }
    }
}

TEST(ProredjivanjeGrafika, FaznaKrivaIzmedjuZadrzanihTacakaOstajeUJednomPikselu) {
    // A limit cycle traced many times over and a spiral running off the view.
    const std::size_t n = 200'000;
    const std::vector<double> x = Niz(n, [](std::size_t k) { return std::cos(k * 1e-4); });
    const std::vector<double> y =
        Niz(n, [](std::size_t k) { return std::sin(k * 1e-4) * (1 + k * 2e-6); });
    const TNizVrednosti nx{x.data(), 1, n}, ny{y.data(), 1, n};
    for (const TPogledKrive pogled : {TPogledKrive{-1.1, 1.1, -1.5, 1.5, 500, 400},
                                      TPogledKrive{0.2, 0.4, 0.5, 0.9, 300, 200}}) {
        const std::vector<std::size_t> r = ProrediFaznuKrivu(nx, ny, pogled);
        const TPikseliOse kolona(pogled.XMin, pogled.XMax, pogled.Sirina);
        const TPikseliOse red(pogled.YMin, pogled.YMax, pogled.Visina);
        const auto piksel = [&](std::size_t k) { return std::pair(kolona(x[k]), red(y[k])); };
        ASSERT_GE(r.size(), 2u);
        EXPECT_EQ(r.front(), 0u);
        EXPECT_EQ(r.back(), n - 1);
        EXPECT_LT(r.size(), n / 10) << "most points share a pixel with their neighbours";
        for (std::size_t i = 0; i + 1 < r.size(); ++i) {
            ASSERT_LT(r[i], r[i + 1]);
            // Every point left out lies in the pixel (or strip) of the kept ones around it.
            for (std::size_t k = r[i] + 1; k < r[i + 1]; ++k)
                ASSERT_EQ(piksel(k), piksel(r[i])) << k;
            if (r[i + 1] > r[i] + 1) EXPECT_EQ(piksel(r[i + 1]), piksel(r[i]));
        }
        // And none is kept without need: each marks a change of pixel.
        for (std::size_t i = 1; i + 1 < r.size(); ++i) {
            const std::size_t k = r[i];
            EXPECT_TRUE(piksel(k) != piksel(k - 1) || piksel(k) != piksel(k + 1)) << k;
        }
    }
}
