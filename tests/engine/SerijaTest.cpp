// Batch series: reading overrides and sweeps, numbering the grid, slicing it,
// seeding the random sources, and a copied model running like the original.

#include "Serija.h"
#include "ModelZaTest.h"
#include "ParalelniRad.h"

#include <gtest/gtest.h>

namespace skem::test {
namespace {

TEST(Serija, ReadsTargetsValuesAndRanges) {
    const struct {
        const char* tekst;
        bool postavka;      // --set, else --sweep
        std::string greska; // empty: read
        TCiljIzmene cilj;
        std::vector<double> vrednosti;
    } slucajevi[] = {
        {"3.p1=2.5", true, "", {3, false, 1}, {2.5}},
        {"12.o10=-1E-3", true, "", {12, true, 10}, {-1e-3}},
        {"3.p2=abc", true, "'abc' nije broj.", {}, {}},
        {"3.p2=", true, "'' nije broj.", {}, {}},
        {"3.p4=1", true, "ocekuje se", {}, {}},
        {"3.o11=1", true, "ocekuje se", {}, {}},
        {"x.p1=1", true, "ocekuje se", {}, {}},
        {"3.p1", true, "ocekuje se", {}, {}},
        {"-3.p1=1", true, "ocekuje se", {}, {}},
        {"2.p1=0:1:5", false, "", {2, false, 1}, {0, 0.25, 0.5, 0.75, 1}},
        // Computed values are kept as typed ones would be: 0.1 + 0.2 / 2 is 0.2.
        {"2.p1=0.1:0.3:3", false, "", {2, false, 1}, {0.1, 0.2, 0.3}},
        {"2.p1=1:0:2", false, "", {2, false, 1}, {1, 0}},
        {"2.o0=4,1.5,-2", false, "", {2, true, 0}, {4, 1.5, -2}},
        {"2.p1=0:1:1", false, "broj vrednosti opsega", {}, {}},
        {"2.p1=0:1", false, "opseg se zadaje", {}, {}},
        {"2.p1=0:1:2.5", false, "broj vrednosti opsega", {}, {}},
        {"2.p1=0:1:10001", false, "broj vrednosti opsega je prevelik (najvise 10000).", {}, {}},
        {"1.p1=0:1:100000", false, "broj vrednosti opsega je prevelik", {}, {}},
        {"1.p1=0:1:1000000000", false, "broj vrednosti opsega je prevelik", {}, {}},
        {"2.p1=1,,2", false, "'' nije broj.", {}, {}},
        {"1.p1=0:1:10000000000", false, "broj vrednosti opsega je prevelik", {}, {}},
        {"1.p1=0:1:-10000000000", false, "broj vrednosti opsega mora biti", {}, {}},
        // B - A, or (B - A)·i, beyond the largest double: still the points between.
        {"3.p1=-1e308:1e308:3", false, "", {3, false, 1}, {-1e308, 0, 1e308}},
        {"3.p1=0:1e308:4",
         false,
         "",
         {3, false, 1},
         {0, 3.33333333333333e307, 6.66666666666667e307, 1e308}},
    };
    for (const auto& s : slucajevi) {
        std::string greska;
        TCiljIzmene cilj;
        std::vector<double> vrednosti;
        if (s.postavka) {
            TPostavka p;
            greska = ProcitajPostavku(s.tekst, p);
            cilj = p.Cilj;
            vrednosti = {p.Vrednost};
        } else {
            TPromenljiva p;
            greska = ProcitajPromenljivu(s.tekst, p);
            cilj = p.Cilj;
            vrednosti = p.Vrednosti;
        }
        if (!s.greska.empty()) {
            EXPECT_EQ(greska.rfind(s.greska, 0), 0u) << s.tekst << ": " << greska;
            continue;
        }
        EXPECT_EQ(greska, "") << s.tekst;
        EXPECT_EQ(cilj, s.cilj) << s.tekst;
        EXPECT_EQ(vrednosti, s.vrednosti) << s.tekst;
    }
}

TEST(Serija, NumbersTheGridFirstSweepSlowestRepetitionsFastest) {
    TPlanSerije plan;
    plan.Promenljive = {{{1, false, 1}, {10, 20}}, {{2, false, 1}, {1, 2, 3}}};
    plan.Ponavljanja = 2;
    ASSERT_EQ(plan.BrojSimulacija(), 12);
    std::vector<std::vector<double>> tacke;
    for (std::int64_t r = 1; r <= 12; ++r)
        tacke.push_back(plan.Tacka(r));
    const std::vector<std::vector<double>> ocekivano = {{10, 1}, {10, 1}, {10, 2}, {10, 2},
                                                        {10, 3}, {10, 3}, {20, 1}, {20, 1},
                                                        {20, 2}, {20, 2}, {20, 3}, {20, 3}};
    EXPECT_EQ(tacke, ocekivano);

    plan.Postavke = {{{2, false, 1}, 5}};
    EXPECT_EQ(plan.Proveri(), "2.p1 je zadat vise puta.");
    plan.Postavke.clear();
    plan.Promenljive.push_back({{3, false, 1}, std::vector<double>(100000)});
    plan.Promenljive.push_back({{4, false, 1}, std::vector<double>(100000)});
    EXPECT_EQ(plan.Proveri().rfind("Previse simulacija", 0), 0u);
}

TEST(Serija, SlicesCoverEveryRunOnceInNearlyEqualParts) {
    for (const auto [ukupno, delova] :
         {std::pair<std::int64_t, std::int64_t>{6, 4}, {64, 2}, {7, 7}, {3, 5}, {1, 1}}) {
        std::int64_t sledeci = 1;
        for (std::int64_t i = 1; i <= delova; ++i) {
            const auto [od, doBroja] = DeoSerije(ukupno, i, delova);
            EXPECT_EQ(od, sledeci) << ukupno << "/" << delova << " part " << i;
            const std::int64_t velicina = doBroja - od + 1;
            EXPECT_TRUE(velicina == ukupno / delova || velicina == ukupno / delova + 1);
            sledeci = doBroja + 1;
        }
        EXPECT_EQ(sledeci, ukupno + 1);
    }
}

TEST(Serija, SeedsAreSplitMix64Outputs) {
    // The generator's published outputs for the seeds 0 and 1234567.
    EXPECT_EQ(SemeSimulacije(0, 1), 0x7b1dcdafu);
    EXPECT_EQ(SemeSimulacije(0, 2), 0xa1b965f4u);
    EXPECT_EQ(SemeSimulacije(0, 3), 0x8009454fu);
    EXPECT_EQ(SemeSimulacije(1234567, 1), 0xfb08fc85u);
    EXPECT_EQ(SemeSimulacije(1234567, 3), 0xa3f27c77u);
}

TEST(Serija, ASeededRandomSourceStepsItsOwnGeneratorAndRepeats) {
    // random -> integrator: the integrator sums the values the source drew.
    TTestModel m;
    const int slucajni = m.Dodaj(11);
    const int integrator = m.Dodaj(10);
    m.Povezi(slucajni, integrator, 1);
    const std::uint32_t seme = 123456789u;

    TPokretac prvi, drugi;
    prvi.Simulacija.PostaviSeme(seme);
    drugi.Simulacija.PostaviSeme(seme);
    ASSERT_TRUE(prvi.Pokreni(m, 1, 0.5, 0.5));
    ASSERT_TRUE(prvi.Pokreni(m, 1, 0.5, 0.5)); // restarts from the seed
    ASSERT_TRUE(drugi.Pokreni(m, 1, 0.5, 0.5));
    EXPECT_EQ(prvi.Rezultati, drugi.Rezultati);
    // The first value drawn is the first step of seed * 134775813 + 1.
    EXPECT_EQ(prvi.Vrednost(0, slucajni),
              static_cast<std::uint32_t>(seme * 134775813u + 1u) / 4294967296.0);

    TPokretac drugoSeme;
    drugoSeme.Simulacija.PostaviSeme(seme + 1);
    ASSERT_TRUE(drugoSeme.Pokreni(m, 1, 0.5, 0.5));
    EXPECT_NE(drugoSeme.Rezultati, prvi.Rezultati);
}

TEST(Serija, ACopiedModelWithOverridesRunsLikeTheEditedOriginal) {
    // y' = g * (y - f(t)) with a generator f: overriding g, y(0) and an
    // ordinate in a copy gives what editing the original gives.
    TTestModel m;
    const int f = m.Dodaj(7, 1, 0);
    const int zbir = m.Dodaj(26, 1, -1);
    const int g = m.Dodaj(8, -2);
    const int y = m.Dodaj(10, 1);
    const int t = m.Dodaj(25);
    m.Povezi(t, f, 1);
    m.Povezi(y, zbir, 1);
    m.Povezi(f, zbir, 2);
    m.Povezi(zbir, g, 1);
    m.Povezi(g, y, 1);
    TKopijaModela kopija(m.Lista(), {{1, false}, {3, true}, {1, true}, {3, true}, {0, true}});
    EXPECT_EQ(kopija.ProveriCilj({f, true, 10}), "");
    EXPECT_EQ(kopija.ProveriCilj({g, false, 2}), "blok 3 nema parametar 2.");
    EXPECT_EQ(kopija.ProveriCilj({g, true, 0}), "blok 3 nije generator funkcija, nema ordinate.");
    EXPECT_EQ(kopija.ProveriCilj({9, false, 1}), "ne postoji blok sa lokalnim brojem 9.");
    kopija.Postavi({g, false, 1}, -3);
    kopija.Postavi({y, false, 1}, 2);
    kopija.Postavi({f, true, 5}, 7);
    // A copy of the copy is independent of it.
    const TKopijaModela daljaKopija(kopija);
    kopija.Postavi({g, false, 1}, 100);

    m.Blok(g).Parametri[0] = -3;
    m.Blok(y).Parametri[0] = 2;
    m.Blok(f).Ordinate[5] = 7;
    TPokretac original, izKopije;
    ASSERT_TRUE(original.Pokreni(m, 2, 0.01, 0.5));
    TFiksneOpcije opcije;
    opcije.Opcije = {2, 0.01, 0.5};
    izKopije.Simulacija.PostaviIzvorOpcija(&opcije);
    izKopije.Simulacija.Simuliraj(daljaKopija.Lista(), izKopije.Rezultati);
    ASSERT_TRUE(izKopije.Simulacija.Uspeh());
    EXPECT_EQ(izKopije.Rezultati, original.Rezultati);
}

TEST(Serija, ParallelJobsDeliverInOrderWhateverTheirCount) {
    struct TRadnik {
        int poslova = 0;
    };
    for (int niti : {1, 2, 5}) {
        std::vector<std::int64_t> primljeni;
        IzvrsiRedom<TRadnik>(
            3, 40, niti,
            [](std::int64_t b, TRadnik& r) {
                ++r.poslova;
                return b * b;
            },
            [&](std::int64_t b, std::int64_t kvadrat) {
                EXPECT_EQ(kvadrat, b * b);
                primljeni.push_back(b);
                return b < 30; // stops after 30
            });
        std::vector<std::int64_t> ocekivano;
        for (std::int64_t b = 3; b <= 30; ++b)
            ocekivano.push_back(b);
        EXPECT_EQ(primljeni, ocekivano) << niti << " threads";
    }
    EXPECT_THROW(IzvrsiRedom<TRadnik>(
                     1, 20, 3,
                     [](std::int64_t b, TRadnik&) -> int {
                         if (b == 7) throw std::runtime_error("posao 7");
                         return 0;
                     },
                     [](std::int64_t, int) { return true; }),
                 std::runtime_error);
}

} // namespace
} // namespace skem::test
