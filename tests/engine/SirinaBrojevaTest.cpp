// The make-ups of the number texts, read off the numbers: each the text's,
// or never narrower than it, as the widest of its binade or decade.
#include "SirinaBrojeva.h"

#include "Brojevi.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

using namespace skem;

TEST(OblikBroja, MatchesTheFormattersText) {
    const double vrednosti[] = {0,
                                -0.0,
                                1,
                                -1,
                                0.5,
                                0.1,
                                0.30000000000000004,
                                1.0 / 3,
                                -2.0 / 3,
                                std::exp(-10.0),
                                8.32411492878e-5,
                                1e-4,
                                -1e-4,
                                9.99999999999999e-5,
                                9.999999999999999e-5, // rounds up to 0.0001
                                1e-5,
                                1.5e20,
                                123456789012345,
                                999999999999999,
                                999999999999999.9, // rounds up to 1E15
                                1e15,
                                -1.23456789012345e-300,
                                1e-290,
                                1e290,
                                4.9e-324,
                                1.7976931348623157e308,
                                std::nan(""),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
    // Counts no less than the text's: o may stand for it where widths are compared.
    const auto pokriva = [](const TOblikBroja& o, const TOblikBroja& t) {
        return o.Cifre >= t.Cifre && o.Minusi >= t.Minusi && o.Tacke >= t.Tacke &&
               o.Eksponenti >= t.Eksponenti && o.Slova >= t.Slova;
    };
    const auto pokrivaBinada = [&](double v, const TOblikBroja& t) {
        const std::vector<TOblikBroja> oblici = ObliciBinade(v);
        return std::any_of(oblici.begin(), oblici.end(),
                           [&](const TOblikBroja& o) { return pokriva(o, t); });
    };
    for (double v : vrednosti) {
        const TOblikBroja t = OblikTeksta(skem::RealanUTekst(v));
        EXPECT_EQ(OblikBroja(v), t) << skem::RealanUTekst(v);
        EXPECT_EQ(ObliciBinade(v).empty(), !std::isfinite(v));
        EXPECT_TRUE(!std::isfinite(v) || pokrivaBinada(v, t)) << skem::RealanUTekst(v);
    }

    // Random digits at every size, and sums that carry rounding noise.
    std::mt19937_64 slucajan(2004);
    std::uniform_real_distribution<double> mantisa(-10, 10);
    std::uniform_int_distribution<int> izlozilac(-320, 308);
    double zbir = 0;
    for (int i = 0; i < 20000; ++i) {
        zbir += 0.1;
        for (double v : {mantisa(slucajan) * std::pow(10.0, izlozilac(slucajan)), zbir, zbir / 7}) {
            const TOblikBroja o = OblikBroja(v);
            const TOblikBroja t = OblikTeksta(skem::RealanUTekst(v));
            ASSERT_TRUE(pokriva(o, t)) << skem::RealanUTekst(v);
            // And so does one make-up of its binade.
            ASSERT_TRUE(!std::isfinite(v) || pokrivaBinada(v, t)) << skem::RealanUTekst(v);
        }
    }
}

// The printed times' make-ups read off the digits of k and P: each as the
// text has it, and the widest of each decade among those offered.
TEST(OblikBroja, PrintedTimesFromTheirDigits) {
    const struct {
        double p;
        std::int64_t n;
    } slucajevi[] = {
        {0.001, 20000}, {0.1, 20000},   {0.25, 5000},  {0.5, 5000},     {1, 5000},
        {2, 5000},      {5, 5000},      {0.002, 5000}, {0.005, 5000},   {0.003, 20000},
        {7e-7, 5000},   {2.5e-4, 5000}, {0.125, 5000}, {123.456, 5000}, {1.23456789, 200000},
        {1.0 / 3, 100}};
    const auto pokriva = [](const TOblikBroja& o, const TOblikBroja& t) {
        return o.Cifre >= t.Cifre && o.Minusi >= t.Minusi && o.Tacke >= t.Tacke &&
               o.Eksponenti >= t.Eksponenti && o.Slova >= t.Slova;
    };
    for (const auto& c : slucajevi) {
        SCOPED_TRACE(c.p);
        const TObliciVremena vremena(c.p);
        const std::int64_t kraj = vremena.Kraj(c.n);
        EXPECT_EQ(kraj == 1, c.p == 1.0 / 3) << "only a P that is not its own text reads nothing";
        const std::vector<TOblikBroja> najsiri = vremena.Najsiri(c.n);
        std::vector<TOblikBroja> tekstovi;
        for (std::int64_t k = 1; k < kraj; ++k) {
            const TOblikBroja t = OblikTeksta(skem::RealanUTekst(static_cast<double>(k) * c.p));
            ASSERT_EQ(vremena(k), t) << k;
            ASSERT_TRUE(std::any_of(najsiri.begin(), najsiri.end(), [&](const TOblikBroja& o) {
                return pokriva(o, t);
            })) << k;
            tekstovi.push_back(t);
        }
        for (const TOblikBroja& o : najsiri)
            EXPECT_NE(std::find(tekstovi.begin(), tekstovi.end(), o), tekstovi.end())
                << "each offered make-up is a time's";
    }
}
