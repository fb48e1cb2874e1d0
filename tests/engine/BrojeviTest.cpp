#include "Brojevi.h"

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace skem;

TEST(Brojevi, RoundTiesToEvenAndTrunc) {
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.4999), 2);
    EXPECT_EQ(Round(10.0 / 0.1), 100);
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
}

TEST(Brojevi, GeneralFormatWith15SignificantDigits) {
    EXPECT_EQ(RealanUTekst(0.0), "0");
    EXPECT_EQ(RealanUTekst(-0.0), "0");
    EXPECT_EQ(RealanUTekst(0.0001), "0.0001");
    EXPECT_EQ(RealanUTekst(0.00001), "1E-5");
    EXPECT_EQ(RealanUTekst(1.5e20), "1.5E20");
    EXPECT_EQ(RealanUTekst(2.5), "2.5");
    EXPECT_EQ(RealanUTekst(-3), "-3");
    EXPECT_EQ(RealanUTekst(0.1), "0.1");
    EXPECT_EQ(RealanUTekst(100), "100");
    EXPECT_EQ(RealanUTekst(123456789012345.0), "123456789012345");
    EXPECT_EQ(RealanUTekst(1e15), "1E15");
    EXPECT_EQ(RealanUTekst(0.1 + 0.2), "0.3"); // 17 digits round to 15
    EXPECT_EQ(RealanUTekst(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(RealanUTekst(0.9048375), "0.9048375");
    EXPECT_EQ(RealanUTekst(-1.25e-7), "-1.25E-7");
    EXPECT_EQ(RealanUTekst(9.9999999999999999e14), "1E15"); // rounding carries into the exponent
}

TEST(Brojevi, ParsingIgnoresLocaleAndRejectsNonNumbers) {
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // a comma locale must not change anything
    double v = 0;
    EXPECT_TRUE(ProcitajRealan("1.5", v));
    EXPECT_EQ(v, 1.5);
    EXPECT_TRUE(ProcitajRealan("1e-3", v));
    EXPECT_EQ(v, 0.001);
    EXPECT_TRUE(ProcitajRealan(" -2 ", v));
    EXPECT_EQ(v, -2);
    EXPECT_TRUE(ProcitajRealan("+.5", v));
    EXPECT_EQ(v, 0.5);
    for (const char* los : {"", "-", "+", "1,5", "abc", "1.5x", "inf", "nan", "0x10", "1e999"})
        EXPECT_EQ(TekstURealan(los), NijeBroj) << los;
    std::setlocale(LC_NUMERIC, "C");
}

TEST(Brojevi, TextRoundTripKeeps15Digits) {
    // The ends of the range too: a text that does not read back would make a
    // saved document unreadable.
    constexpr double najveci = std::numeric_limits<double>::max();
    constexpr double najmanji = std::numeric_limits<double>::denorm_min();
    for (double v : {0.1, 1e-300, 123.456, -9.87654321e50, 2.0 / 3.0, najveci, -najveci, najmanji,
                     -najmanji}) {
        const double nazad = TekstURealan(RealanUTekst(v));
        EXPECT_EQ(RealanUTekst(nazad), RealanUTekst(v));
    }
}

TEST(Brojevi, Integers) {
    std::int32_t v = 0;
    EXPECT_TRUE(ProcitajCeo("42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(ProcitajCeo("-7", v));
    EXPECT_EQ(v, -7);
    for (const char* los : {"", "1.0", "abc", "2147483648", "12a", "-"})
        EXPECT_FALSE(ProcitajCeo(los, v)) << los;
}

namespace {

// The program's number text as printf writes it: "%.14e" gives the 15
// rounded digits, which are then laid out in the general format.
std::string PrekoPrintf(double v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (v == 0.0) return "0";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string cifre;
    const char* p = buf;
    for (; *p != 'e'; ++p)
        if (*p != '.') cifre += *p;
    const int e = std::atoi(p + 1) + 1; // value = 0.dddd x 10^e
    // Except that the largest doubles' text must read back: 15 digits below.
    if (e == 309 && cifre == "179769313486232") cifre.back() = '1';
    while (cifre.size() > 1 && cifre.back() == '0')
        cifre.pop_back();
    std::string s = v < 0 ? "-" : "";
    if (e <= 0 && e >= -3) return s + "0." + std::string(-e, '0') + cifre;
    if (e > 0 && e <= 15) {
        if (cifre.size() <= static_cast<size_t>(e))
            return s + cifre + std::string(e - cifre.size(), '0');
        return s + cifre.substr(0, e) + "." + cifre.substr(e);
    }
    return s + cifre.substr(0, 1) + (cifre.size() > 1 ? "." + cifre.substr(1) : "") + "E" +
           std::to_string(e - 1);
}

} // namespace

TEST(Brojevi, FastFormatWritesWhatPrintfWrites) {
    std::vector<double> v = {-0.0,
                             0.0,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::lowest(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(),
                             std::nextafter(std::numeric_limits<double>::min(), 0.0),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             999999999999999.5, // a tie that carries into the next decade
                             999999999999998.5,
                             9.999999999999995e-5,
                             1e-40,
                             1e68};
    std::mt19937_64 g(20240611);
    std::uniform_int_distribution<std::int64_t> n15(100'000'000'000'000, 999'999'999'999'999);
    std::uniform_int_distribution<int> e10(-330, 310);
    while (v.size() < 1'000'000) {
        // Any bit pattern: every exponent, subnormals, NaNs.
        v.push_back(std::bit_cast<double>(g()));
        // Exact ties at the 16th digit: N + 0.5, and 10N + 5 below 2^53.
        const std::int64_t n = n15(g);
        v.push_back(static_cast<double>(n) + 0.5);
        if (n < 900'719'925'474'099) v.push_back(-static_cast<double>(n * 10 + 5));
        // (N + 0.5) / 10^j is a double when 5^j divides 2N + 1: c / 2^(j+1), c odd.
        const int j = static_cast<int>(n % 20) + 1;
        const auto petJ = static_cast<std::int64_t>(std::pow(5.0, j));
        const std::int64_t c = (2 * n + 1) / petJ | 1;
        v.push_back(std::ldexp(static_cast<double>(c), -(j + 1)));
        // The doubles around a rounding boundary of the 15 digits, at any scale.
        const std::string granicaTekst = std::to_string(n) + "5e" + std::to_string(e10(g));
        const double granica = std::strtod(granicaTekst.c_str(), nullptr);
        v.push_back(granica);
        v.push_back(std::nextafter(granica, 0.0));
        v.push_back(-std::nextafter(granica, HUGE_VAL));
        // Times of a run, k * P.
        v.push_back(static_cast<double>(v.size()) * 0.001);
    }
    for (double x : v) {
        char tekst[NajduziRealan];
        const std::string brzo(tekst, PisiRealan(x, tekst));
        ASSERT_EQ(brzo, PrekoPrintf(x)) << std::hexfloat << x;
        ASSERT_EQ(RealanUTekst(x), brzo);
    }
}
