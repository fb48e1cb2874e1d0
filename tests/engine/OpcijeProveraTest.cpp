#include "OpcijeProvera.h"

#include <gtest/gtest.h>

using namespace skem;

namespace {
TRezultatProvere Proveri(const char* d, const char* h, const char* p) {
    TOpcijeSimulacije v;
    return ProveriOpcije(d, h, p, v);
}
} // namespace

TEST(OpcijeProvera, ChecksRunInOrderWithTheirFieldAndSelection) {
    // An empty field wins even when the others are invalid.
    EXPECT_EQ(Proveri("", "abc", "-1").Provera, 1);
    EXPECT_EQ(Proveri("", "abc", "-1").Polje, 0);

    auto r = Proveri("1,5", "0.1", "0.1"); // a decimal comma is no number
    EXPECT_EQ(r.Provera, 2);
    EXPECT_EQ(r.Poruka, "Duzina trajanja simulacije mora biti pozitivan realan broj!");
    EXPECT_EQ(r.Polje, 1);
    EXPECT_TRUE(r.SelektujTekst);
    EXPECT_EQ(Proveri("2147483647", "0.1", "0.1").Provera, 2);
    EXPECT_EQ(Proveri("0", "0.1", "0.1").Provera, 2);

    r = Proveri("10", "-0.1", "1");
    EXPECT_EQ(r.Provera, 3);
    EXPECT_EQ(r.Polje, 2);

    r = Proveri("1", "2", "1");
    EXPECT_EQ(r.Provera, 4);
    EXPECT_EQ(r.Poruka, "Duzina trajanja simulacije mora biti veca od intervala integracije!");
    EXPECT_EQ(r.Polje, 2);
    EXPECT_TRUE(r.SelektujTekst);

    r = Proveri("10", "0.1", "x");
    EXPECT_EQ(r.Provera, 5);
    EXPECT_EQ(r.Polje, 3);

    r = Proveri("1", "1", "1"); // D = h passes check 4, then no P can satisfy check 6
    EXPECT_EQ(r.Provera, 6);
    EXPECT_EQ(r.Poruka, "Interval stampanja rezultata mora biti\nveci ili jednak intervalu "
                        "integracije i\n  manji od duzine trajanja simulacije!");
    EXPECT_EQ(r.Polje, 3);
    EXPECT_FALSE(r.SelektujTekst);
    EXPECT_EQ(Proveri("10", "0.1", "10").Provera, 6); // P = D is refused
    EXPECT_EQ(Proveri("10", "0.1", "0.05").Provera, 6);

    // A half step that vanishes next to D + h/2 would stop the time: refused
    // last. 1 + 2^-53 rounds to 1, 1 + 2^-52 does not.
    for (const char* h : {"5e-324", "1e-300", "2.220446049250313e-16"}) {
        r = Proveri("1", h, "0.5");
        EXPECT_EQ(r.Provera, 7) << h;
        EXPECT_EQ(r.Poruka,
                  "Interval integracije je premali da bi vreme simulacije stiglo do kraja!");
        EXPECT_EQ(r.Polje, 2);
        EXPECT_TRUE(r.SelektujTekst);
    }
    EXPECT_EQ(Proveri("1", "4.440892098500626e-16", "0.5").Provera, 0);
    // A run takes a half step below the smallest normal double (2.2250738585072014E-308) as zero.
    EXPECT_EQ(Proveri("1e-300", "4.4e-308", "1e-307").Provera, 7);
    EXPECT_EQ(Proveri("1e-300", "4.46e-308", "1e-307").Provera, 0);
}

TEST(OpcijeProvera, AcceptedValuesAreParsed) {
    TOpcijeSimulacije v;
    EXPECT_EQ(ProveriOpcije("10", "1e-3", "0.001", v).Provera, 0); // P = h is accepted
    EXPECT_EQ(v.Trajanje, 10);
    EXPECT_EQ(v.Interval, 0.001);
    EXPECT_EQ(v.IntervalStampanja, 0.001);
}

TEST(OpcijeProvera, ValuesAreStoredBeforeTheyAreChecked) {
    TOpcijeSimulacije v;
    ProveriOpcije("5", "-2", "1", v);
    EXPECT_EQ(v.Trajanje, 5);
    EXPECT_EQ(v.Interval, -2);
    EXPECT_EQ(v.IntervalStampanja, 0); // never reached
}

TEST(OpcijeProvera, Tolerancije) {
    struct Slucaj {
        const char *relativna, *apsolutna;
        int provera, polje;
        double r, a; // the values parsed
    };
    const Slucaj slucajevi[] = {
        {"1e-6", "1E-9", 0, 0, 1e-6, 1e-9},
        {"", "x", 1, 0, 1e-6, 1e-9}, // an empty field first, nothing parsed
        {"0", "1e-9", 8, 4, 0, 1e-9},
        {"-1e-6", "1e-9", 8, 4, -1e-6, 1e-9},
        {"1,5", "1e-9", 8, 4, 2147483647, 1e-9},
        {"1e-6", "0", 9, 5, 1e-6, 0},
        {"1e-6", "nan", 9, 5, 1e-6, 2147483647},
    };
    for (const Slucaj& c : slucajevi) {
        SCOPED_TRACE(std::string(c.relativna) + " / " + c.apsolutna);
        TOpcijeSimulacije v;
        const TRezultatProvere r = ProveriTolerancije(c.relativna, c.apsolutna, v);
        EXPECT_EQ(r.Provera, c.provera);
        EXPECT_EQ(r.Polje, c.polje);
        EXPECT_EQ(r.SelektujTekst, c.polje != 0);
        EXPECT_EQ(r.Poruka, c.provera == 8   ? PorukaRelativnaTolerancija
                            : c.provera == 9 ? PorukaApsolutnaTolerancija
                            : c.provera == 1 ? "Niste uneli sve potrebne vrednosti!"
                                             : "");
        EXPECT_EQ(v.RelativnaTolerancija, c.r);
        EXPECT_EQ(v.ApsolutnaTolerancija, c.a);
    }
}
