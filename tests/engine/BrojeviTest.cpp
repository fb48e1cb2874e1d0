#include "Brojevi.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>

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
