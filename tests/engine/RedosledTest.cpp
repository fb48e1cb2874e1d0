// Execution ordering: the worked example, the rules of availability, and the
// fast ordering against a literal implementation of the rescanning order.

#include "ModelZaTest.h"

#include <gtest/gtest.h>

#include <random>

using namespace skem;
using namespace skem::test;

namespace {

ArrayInt Uredi(TSimulacija& s, const TTestModel& m) {
    s.Prevedi(m.Lista());
    s.Sortiraj();
    return ArrayInt(s.Redosled().begin() + 1, s.Redosled().begin() + s.DuzinaRedosleda() + 1);
}

// The order as the rescanning procedure defines it: constants first, then
// repeatedly the first unplaced block (from block 1) whose inputs are available.
ArrayInt UrediSkeniranjem(const ArrayBlok& blokovi) {
    const auto n = static_cast<std::int32_t>(blokovi.size()) - 1;
    std::vector<bool> postavljen(static_cast<std::size_t>(n) + 1, false);
    ArrayInt red{n + 1};
    for (std::int32_t b = 1; b <= n; ++b)
        if (blokovi[static_cast<std::size_t>(b)].Sifra == TVrstaElementa::Konstanta) {
            red.push_back(b);
            postavljen[static_cast<std::size_t>(b)] = true;
        }
    auto dostupan = [&](std::int32_t u) {
        if (u == 0 || u == n + 1) return true;
        const auto s = blokovi[static_cast<std::size_t>(u)].Sifra;
        return s == TVrstaElementa::Integrator || s == TVrstaElementa::Memorija ||
               postavljen[static_cast<std::size_t>(u)];
    };
    for (;;) {
        bool dodat = false;
        for (std::int32_t b = 1; b <= n && !dodat; ++b) {
            const TBlokZapis& z = blokovi[static_cast<std::size_t>(b)];
            if (!postavljen[static_cast<std::size_t>(b)] && dostupan(z.Ulaz1) &&
                dostupan(z.Ulaz2) && dostupan(z.Ulaz3)) {
                red.push_back(b);
                postavljen[static_cast<std::size_t>(b)] = true;
                dodat = true;
            }
        }
        if (!dodat) return red;
    }
}

} // namespace

TEST(Redosled, PrimerIzOpisa) {
    TSimulacija s;
    TTestModel m;
    m.Dodaj(10);
    m.Dodaj(12, 1);
    m.Dodaj(8, 2);
    m.Dodaj(26, 1, 1);
    m.Povezi(3, 1, 1);
    m.Povezi(1, 3, 1);
    m.Povezi(3, 4, 1);
    m.Povezi(2, 4, 2);
    EXPECT_EQ(Uredi(s, m), (ArrayInt{5, 2, 3, 1, 4}));
    EXPECT_EQ(s.DuzinaRedosleda(), 5);
    EXPECT_EQ(s.BrojKonstanti(), 1);
    for (int b = 1; b <= 4; ++b)
        EXPECT_TRUE(s.Blokovi()[b].Sortiran);
}

TEST(Redosled, PrevodjenjeUlaza) {
    TSimulacija s;
    TTestModel m;
    const int g = m.Dodaj(8);
    const int vreme = m.Dodaj(25);
    const int y = m.Dodaj(10);
    m.Povezi(vreme, g, 1);
    m.Povezi(y, g, 3);
    s.Prevedi(m.Lista());
    EXPECT_EQ(s.Blokovi()[g].Ulaz1, 4); // the time source reads as N + 1
    EXPECT_EQ(s.Blokovi()[g].Ulaz2, 0);
    EXPECT_EQ(s.Blokovi()[g].Ulaz3, y);
    EXPECT_EQ(s.BrojIntegratora(), 1);
    EXPECT_EQ(s.Integratori()[1], y);
    EXPECT_EQ(s.Blokovi()[y].Indeks, 1);
}

TEST(Redosled, DostupnostIzvora) {
    TSimulacija s;
    TTestModel m;
    // 1 gain fed by memory 4, 2 gain fed by gain 3 (a loop with 3), 3 fed by 2,
    // 4 memory fed by 1, 5 constant, 6 loop start, 7 time-fed gain.
    m.Dodaj(8);
    m.Dodaj(8);
    m.Dodaj(8);
    m.Dodaj(23);
    m.Dodaj(12);
    m.Dodaj(24);
    const int t = m.Dodaj(25);
    const int g = m.Dodaj(8);
    m.Povezi(4, 1, 1);
    m.Povezi(3, 2, 1);
    m.Povezi(2, 3, 1);
    m.Povezi(1, 4, 1);
    m.Povezi(t, g, 1);
    EXPECT_EQ(Uredi(s, m), (ArrayInt{9, 5, 1, 4, 6, 7, 8}));
    EXPECT_FALSE(s.Blokovi()[2].Sortiran);
    EXPECT_FALSE(s.Blokovi()[3].Sortiran);
}

TEST(Redosled, IstiKaoSkeniranjeNaSlucajnimGrafovima) {
    std::mt19937 gen(12345);
    const std::uint8_t vrste[] = {8, 8, 26, 27, 10, 10, 23, 12, 24, 25, 28, 0, 11};
    for (int pokusaj = 0; pokusaj < 400; ++pokusaj) {
        const int n = 1 + static_cast<int>(gen() % 60);
        TTestModel m;
        for (int i = 0; i < n; ++i)
            m.Dodaj(vrste[gen() % std::size(vrste)]);
        const int gustina = 1 + static_cast<int>(gen() % 4); // how many slots are wired
        for (int b = 1; b <= n; ++b)
            for (int u = 1; u <= 3; ++u)
                if (static_cast<int>(gen() % 4) < gustina)
                    m.Povezi(1 + static_cast<int>(gen() % n), b, u);
        TSimulacija s;
        const ArrayInt brzo = Uredi(s, m);
        ASSERT_EQ(brzo, UrediSkeniranjem(s.Blokovi())) << "graph " << pokusaj;
        for (std::size_t k = 1; k < brzo.size(); ++k)
            ASSERT_TRUE(s.Blokovi()[static_cast<std::size_t>(brzo[k])].Sortiran);
    }
}
