// The engine's compiled evaluation plan (records in order, kinds folded into
// special codes, stages that also place the states) against a plain
// transcription of the pass and the Runge-Kutta loop: one switch over the
// translated records in the order of Redosled, memory kept in each record's p2.
// Both must give the same bits in every cell, the same element message or the
// same arithmetic fault. Both take values below the smallest normal double as
// zero: the reference under the same processor modes, with its own flush of
// the states. Run as plain IEEE arithmetic, the reference must give the same
// bits wherever no value fell below that bound.

#include "Brojevi.h"
#include "ModelZaTest.h"
#include "SitneVrednosti.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>

using namespace skem;
using namespace skem::test;

namespace {

struct TIshod {
    bool Uspeh = false;
    std::string Poruka; // an element's message, or the arithmetic fault's text
    MatrixReal Rezultati;
    bool IspodGranice = false; // a plain run met a subnormal value or an underflow
};

// The straightforward run over the tables Prevedi and Sortiraj left in `s`;
// bezSitnih false: plain IEEE arithmetic, noting whether a value fell below
// the smallest normal double.
TIshod ReferentnoPokretanje(const TSimulacija& s, double d, double h, double p,
                            bool bezSitnih = true) {
    std::optional<TRezimBezSitnih> rezim;
    if (bezSitnih) rezim.emplace();
    // A state that comes out subnormal is a zero of its sign.
    auto stanje = [bezSitnih](long double x) {
        const double y = static_cast<double>(x);
        return bezSitnih && std::fabs(y) < std::numeric_limits<double>::min() ? y * 0 : y;
    };
    bool sitnih = false;
    ArrayBlok b = s.Blokovi();
    const auto& red = s.Redosled();
    const std::int32_t n = s.BrojBlokova() - 1, m = s.BrojIntegratora(), duz = s.DuzinaRedosleda();
    std::vector<double> v(static_cast<std::size_t>(n) + 2, 0.0);
    std::vector<double> y(m + 1), y0(m + 1), f(m + 1, 0.0);
    std::vector<long double> k1(m + 1), k2(m + 1), k3(m + 1);
    const std::int64_t redova = Round(d / p) + 3;
    TIshod ishod;
    ishod.Rezultati.Promeni(static_cast<std::size_t>(redova), n);

    for (std::int32_t i = 2; i <= duz; ++i)
        v[red[i]] = b[red[i]].Parametar1;
    for (std::int32_t i = 1; i <= m; ++i)
        y[i] = b[s.Integratori()[i]].Parametar1;
    double t = 0;
    v[n + 1] = 0;
    const double tau = (h / 2) / (p * 2);
    int vrsta = 0;
    std::string poruka;
    std::int64_t sledeci = Trunc(t / p + 1), uzorak = 0;
    bool pocetni = true;

    auto zapamti = [&] {
        if (uzorak < redova)
            for (std::int32_t j = 1; j <= n; ++j)
                ishod.Rezultati[uzorak][j - 1] = v[j];
        ++uzorak;
    };
    auto greska = [&](const char* tekst) {
        vrsta = 3;
        poruka = tekst;
    };
    auto prolaz = [&] {
        for (std::int32_t i = 1; i <= m; ++i)
            v[s.Integratori()[i]] = y[i];
        std::int32_t poz = s.BrojKonstanti() + 2;
        if (poz > duz) {
            greska(TSimulacija::PorukaGreskaObrade);
            return;
        }
        int relaksacija = 0;
        while (poz <= duz) {
            TBlokZapis& z = b[red[poz]];
            double& izlaz = v[z.Broj];
            auto u = [&](std::int32_t ulaz) { return v[ulaz]; };
            switch (SifraVrste(z.Sifra)) {
            case 0:
                if (pocetni) z.Parametar2 = z.Parametar1;
                if (u(z.Ulaz2) < 0)
                    izlaz = 0;
                else if (u(z.Ulaz2) == 0)
                    izlaz = z.Parametar2;
                else {
                    z.Parametar2 = u(z.Ulaz1);
                    izlaz = u(z.Ulaz1);
                }
                break;
            case 1: {
                const double a = z.Parametar2 * u(z.Ulaz1) + z.Parametar3;
                if (a < 0)
                    greska(TSimulacija::PorukaArcTan);
                else
                    izlaz = z.Parametar1 * std::atan(a);
                break;
            }
            case 2:
                izlaz = u(z.Ulaz1) > 0 ? 1 : (u(z.Ulaz1) < 0 ? -1 : 0);
                break;
            case 3:
                izlaz = z.Parametar1 * std::cos(z.Parametar2 * u(z.Ulaz1) + z.Parametar3);
                break;
            case 4:
                izlaz = (z.Parametar1 < u(z.Ulaz1) && u(z.Ulaz1) < z.Parametar2) ? 0 : u(z.Ulaz1);
                break;
            case 5:
                if (u(z.Ulaz2) == 0)
                    greska(TSimulacija::PorukaDelitelj);
                else
                    izlaz = u(z.Ulaz1) / u(z.Ulaz2);
                break;
            case 6:
                izlaz = z.Parametar1 * std::exp(z.Parametar2 * u(z.Ulaz1) + z.Parametar3);
                break;
            case 7: {
                const double raz = z.Parametar1 - z.Parametar2;
                if (raz <= 0) {
                    greska(TSimulacija::PorukaGenerator);
                    break;
                }
                const auto& tab = s.Tabele()[z.Indeks];
                const double x = (u(z.Ulaz1) - z.Parametar2) * 10 / raz;
                if (x <= 0)
                    izlaz = tab[0];
                else if (!(x < 10))
                    izlaz = tab[10]; // Trunc(x) >= 10; also no Trunc of a NaN
                else {
                    const std::int64_t i = Trunc(x);
                    izlaz = tab[i] + (x - i) * (tab[i + 1] - tab[i]);
                }
                break;
            }
            case 8:
                izlaz = z.Parametar1 * u(z.Ulaz1);
                break;
            case 9:
                if (u(z.Ulaz1) < 0)
                    greska(TSimulacija::PorukaKoren);
                else
                    izlaz = std::sqrt(u(z.Ulaz1));
                break;
            case 10:
                f[z.Indeks] = u(z.Ulaz1) + z.Parametar2 * u(z.Ulaz2) + z.Parametar3 * u(z.Ulaz3);
                break;
            case 13:
                izlaz = u(z.Ulaz1) < z.Parametar1   ? z.Parametar1
                        : u(z.Ulaz1) > z.Parametar2 ? z.Parametar2
                                                    : u(z.Ulaz1);
                break;
            case 14:
                izlaz = std::fabs(u(z.Ulaz1));
                break;
            case 15:
                izlaz = -u(z.Ulaz1);
                break;
            case 16:
                izlaz = u(z.Ulaz1) >= 0 ? u(z.Ulaz1) : 0;
                break;
            case 17:
                izlaz = u(z.Ulaz1) + z.Parametar1;
                break;
            case 18:
                izlaz = u(z.Ulaz1) <= 0 ? u(z.Ulaz1) : 0;
                break;
            case 19:
                if (u(z.Ulaz1) > u(z.Ulaz2) && vrsta != 3) {
                    vrsta = 4;
                    poruka = TSimulacija::PorukaQuit;
                }
                break;
            case 20:
                izlaz = u(z.Ulaz1) >= 0 ? u(z.Ulaz2) : u(z.Ulaz3);
                break;
            case 21:
                izlaz = z.Parametar1 * std::sin(z.Parametar2 * u(z.Ulaz1) + z.Parametar3);
                break;
            case 22:
                izlaz = u(z.Ulaz1) >= 0 ? 1 : 0;
                break;
            case 23:
                izlaz = pocetni ? z.Parametar1 : z.Parametar2;
                z.Parametar2 = u(z.Ulaz1);
                break;
            case 24:
                if (pocetni) z.Indeks = poz;
                break;
            case 26:
                izlaz = z.Parametar1 * u(z.Ulaz1) + z.Parametar2 * u(z.Ulaz2) +
                        z.Parametar3 * u(z.Ulaz3);
                break;
            case 27:
                izlaz = u(z.Ulaz1) * u(z.Ulaz2);
                break;
            case 28: {
                const double u1 = u(z.Ulaz1), u2 = u(z.Ulaz2);
                if (u1 == 0) {
                    greska(TSimulacija::PorukaWyeNula);
                    break;
                }
                if (z.Ulaz1 > n || SifraVrste(b[z.Ulaz1].Sifra) != 24 || !b[z.Ulaz1].Sortiran) {
                    greska(TSimulacija::PorukaWyeIzvor);
                    break;
                }
                if (z.Parametar1 > std::fabs(1 - u2 / u1)) {
                    izlaz = u1;
                    break;
                }
                if (relaksacija >= TSimulacija::MaksRelaksacija) {
                    greska(TSimulacija::PorukaWyeKonvergencija);
                    break;
                }
                ++relaksacija;
                v[z.Ulaz1] = u1 * (1 - z.Parametar2) + u2 * z.Parametar2;
                poz = b[z.Ulaz1].Indeks;
                continue;
            }
            default:
                break;
            }
            ++poz;
        }
    };

    auto izracunaj = [&] {
        prolaz();
        for (const std::vector<double>* niz : {&v, &f})
            for (double x : *niz)
                sitnih = sitnih || std::fpclassify(x) == FP_SUBNORMAL;
    };

    std::feclearexcept(FE_ALL_EXCEPT);
    izracunaj();
    pocetni = false;
    zapamti();
    const long double hl = h;
    for (;;) {
        if (vrsta < 3) vrsta = 1;
        for (std::int32_t i = 1; i <= m; ++i) {
            y0[i] = y[i];
            k1[i] = hl * f[i];
            y[i] = stanje(k1[i] * 0.5L + y0[i]);
        }
        t += h / 2;
        v[n + 1] = t;
        izracunaj();
        if (vrsta < 3) vrsta = 2;
        for (std::int32_t i = 1; i <= m; ++i) {
            k2[i] = hl * f[i];
            y[i] = stanje(k2[i] * 0.5L + y0[i]);
        }
        izracunaj();
        for (std::int32_t i = 1; i <= m; ++i) {
            k3[i] = hl * f[i];
            y[i] = stanje(k3[i] + y0[i]);
        }
        t += h / 2;
        v[n + 1] = t;
        izracunaj();
        for (std::int32_t i = 1; i <= m; ++i)
            y[i] = stanje((k2[i] * 2 + k1[i] + k3[i] * 2 + hl * f[i]) * 0.16666666666666666667L +
                          y0[i]);
        izracunaj();
        ishod.IspodGranice = sitnih || std::fetestexcept(FE_UNDERFLOW);
        const int fe = std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID);
        if (fe) {
            ishod.Poruka = (fe & FE_OVERFLOW)    ? "Floating point overflow"
                           : (fe & FE_DIVBYZERO) ? "Floating point division by zero"
                                                 : "Invalid floating point operation";
            ishod.Rezultati.clear();
            return ishod;
        }
        if (vrsta == 3) {
            ishod.Poruka = poruka;
            ishod.Rezultati.clear();
            return ishod;
        }
        if (vrsta == 4) break;
        const std::int64_t mm = Trunc(t / p + tau);
        if (mm >= sledeci) {
            zapamti();
            sledeci = mm + 1;
        }
        if (!(d + h / 2 > t)) break;
    }
    ishod.Uspeh = true;
    return ishod;
}

TIshod PokretanjeMotora(const TTestModel& model, double d, double h, double p) {
    TPokretac pok;
    TIshod ishod;
    try {
        ishod.Uspeh = pok.Pokreni(model, d, h, p);
    } catch (const TGreskaSimulacije& g) {
        ishod.Poruka = g.what();
        return ishod;
    }
    if (ishod.Uspeh)
        ishod.Rezultati = pok.Rezultati;
    else if (!pok.Poruke.Poruke.empty())
        ishod.Poruka = pok.Poruke.Poruke.back();
    return ishod;
}

// Cell by cell, bit for bit (so +0 and -0 differ).
void UporediIshode(const TIshod& motor, const TIshod& referenca, const std::string& opis) {
    ASSERT_EQ(motor.Uspeh, referenca.Uspeh)
        << opis << " / " << motor.Poruka << " / " << referenca.Poruka;
    ASSERT_EQ(motor.Poruka, referenca.Poruka) << opis;
    if (!motor.Uspeh) return;
    ASSERT_EQ(motor.Rezultati.size(), referenca.Rezultati.size()) << opis;
    for (std::size_t r = 0; r < motor.Rezultati.size(); ++r)
        for (std::size_t c = 0; c < motor.Rezultati[r].size(); ++c)
            ASSERT_EQ(std::bit_cast<std::uint64_t>(motor.Rezultati[r][c]),
                      std::bit_cast<std::uint64_t>(referenca.Rezultati[r][c]))
                << opis << " row " << r << " block " << c + 1 << ": " << motor.Rezultati[r][c]
                << " vs " << referenca.Rezultati[r][c];
}

TIshod Referenca(const TTestModel& model, double d, double h, double p, bool bezSitnih = true) {
    TSimulacija s;
    s.Prevedi(model.Lista());
    s.Sortiraj();
    return ReferentnoPokretanje(s, d, h, p, bezSitnih);
}

// A random model: a time source, some constants and integrators, and blocks of
// the deterministic kinds wired at random; summers and integrators often leave
// their last inputs open, and some models close a loop through a loop start
// and a Wye.
TTestModel SlucajniModel(std::mt19937& gen, bool sNeobicnimParametrima) {
    static const std::uint8_t vrste[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 10, 12, 13,
                                         14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 26, 26, 26, 27};
    static const double obicni[] = {0.0, -0.0, 1.0, -1.0, 0.5, -0.25, 2.0, 0.1, -3.0, 1e-3};
    const double neobicni[] = {std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), 1e308, -1e-310};
    auto parametar = [&] {
        if (sNeobicnimParametrima && gen() % 6 == 0) return neobicni[gen() % std::size(neobicni)];
        return obicni[gen() % std::size(obicni)];
    };
    TTestModel m;
    const int n = 4 + static_cast<int>(gen() % 12);
    const int vreme = m.Dodaj(25);
    m.Dodaj(10, parametar(), parametar(), parametar());
    const bool petlja = gen() % 3 == 0;
    int pocetak = 0, wye = 0;
    if (petlja) {
        pocetak = m.Dodaj(24, 1.0 + gen() % 3);
        wye = m.Dodaj(28, 1e-9, 0.3 + 0.1 * (gen() % 5));
    }
    while (m.Broj() < n) {
        const std::uint8_t k = vrste[gen() % std::size(vrste)];
        double p1 = parametar(), p2 = parametar();
        if (k == 7 && p2 > p1) std::swap(p1, p2); // the check before a run would refuse it
        m.Dodaj(k, p1, p2, parametar());
    }
    for (int b = 1; b <= m.Broj(); ++b) {
        const std::uint8_t k = m.Blok(b).Sifra;
        if (k == 25 || k == 12 || k == 24) continue;
        // Inputs are left open from the last one down, as blocks are usually wired.
        const int spojenih = static_cast<int>(gen() % 4);
        for (int ulaz = 1; ulaz <= spojenih; ++ulaz) {
            const int izvor = gen() % 5 == 0 ? vreme : 1 + static_cast<int>(gen() % m.Broj());
            m.Povezi(izvor, b, ulaz);
        }
    }
    if (petlja) {
        m.Povezi(pocetak, wye, 1);
        int izvor = 1 + static_cast<int>(gen() % m.Broj());
        if (izvor == wye) izvor = pocetak;
        m.Povezi(izvor, wye, 2);
        m.Povezi(pocetak, 1 + static_cast<int>(gen() % m.Broj()), 1);
    }
    return m;
}

} // namespace

TEST(ReferentniProlaz, IstiBitoviKaoJednostavanProlaz) {
    std::mt19937 gen(20240613);
    int uspesnih = 0, neuspesnih = 0, ispodGranice = 0;
    for (int primer = 0; primer < 400; ++primer) {
        const TTestModel m = SlucajniModel(gen, false);
        const double h = (gen() % 2) ? 0.1 : 0.05;
        const TIshod motor = PokretanjeMotora(m, 2, h, 2 * h);
        const TIshod referenca = Referenca(m, 2, h, 2 * h);
        UporediIshode(motor, referenca, "model " + std::to_string(primer));
        const TIshod obicna = Referenca(m, 2, h, 2 * h, false);
        if (obicna.IspodGranice)
            ++ispodGranice;
        else
            UporediIshode(motor, obicna, "model " + std::to_string(primer) + ", plain IEEE");
        if (HasFatalFailure()) return;
        (motor.Uspeh ? uspesnih : neuspesnih)++;
    }
    // Both outcomes were really exercised, and values below the bound too.
    EXPECT_GT(uspesnih, 80);
    EXPECT_GT(neuspesnih, 20);
    EXPECT_GT(ispodGranice, 0);
    EXPECT_LT(ispodGranice, 100);
}

TEST(ReferentniProlaz, NeobicniParametriDajuIsteGreskeIVrednosti) {
    std::mt19937 gen(77);
    for (int primer = 0; primer < 300; ++primer) {
        const TTestModel m = SlucajniModel(gen, true);
        UporediIshode(PokretanjeMotora(m, 1, 0.1, 0.1), Referenca(m, 1, 0.1, 0.1),
                      "model " + std::to_string(primer));
        if (HasFatalFailure()) return;
    }
}

// An open input reads +0, so a summer's or an integrator's open terms are
// products with +0: their signs follow IEEE rules, and an infinite weight on
// an open input is an invalid operation (inf x 0), not a silent zero.
TEST(ReferentniProlaz, OtvoreniUlaziINuleSaZnakom) {
    auto zbir = [](double p1, double p2, double p3, bool otvorenTreci) {
        TTestModel m;
        const int nula = m.Dodaj(12, 0.0);
        const int s = m.Dodaj(26, p1, p2, p3);
        m.Dodaj(10);
        m.Povezi(nula, s, 1);
        m.Povezi(nula, s, 2);
        if (!otvorenTreci) m.Povezi(nula, s, 3);
        TPokretac pok;
        EXPECT_TRUE(pok.Pokreni(m, 1, 0.1, 0.5));
        return pok.Vrednost(1, s);
    };
    // -1 x 0 three times: -0 + -0 + -0 = -0, with input 3 open or fed a zero.
    EXPECT_TRUE(std::signbit(zbir(-1, -1, -1, true)));
    EXPECT_TRUE(std::signbit(zbir(-1, -1, -1, false)));
    // One +0 term makes the sum +0.
    EXPECT_FALSE(std::signbit(zbir(-1, -1, 1, true)));
    EXPECT_FALSE(std::signbit(zbir(-1, 1, -1, true)));
    EXPECT_EQ(zbir(-1, -1, -1, true), 0.0);

    const double inf = std::numeric_limits<double>::infinity();
    {
        TTestModel m;
        const int jedan = m.Dodaj(12, 1);
        const int s = m.Dodaj(26, 1, 1, inf); // inf x (open input 3)
        m.Dodaj(10);
        m.Povezi(jedan, s, 1);
        m.Povezi(jedan, s, 2);
        TPokretac pok;
        try {
            pok.Pokreni(m, 1, 0.1, 0.1);
            ADD_FAILURE() << "no fault raised";
        } catch (const TGreskaSimulacije& g) {
            EXPECT_STREQ(g.what(), "Invalid floating point operation");
        }
    }
    {
        TTestModel m;
        const int jedan = m.Dodaj(12, 1);
        const int y = m.Dodaj(10, 0, -inf, 0); // -inf x (open input 2)
        m.Povezi(jedan, y, 1);
        TPokretac pok;
        try {
            pok.Pokreni(m, 1, 0.1, 0.1);
            ADD_FAILURE() << "no fault raised";
        } catch (const TGreskaSimulacije& g) {
            EXPECT_STREQ(g.what(), "Invalid floating point operation");
        }
    }
    {
        // The derivative of an integrator with only input 1: -0 + (open terms)
        // is -0 only when every open weight is negative; y stays 0 either way.
        TTestModel m;
        const int nula = m.Dodaj(12, -0.0);
        const int y = m.Dodaj(10, 0, -2, -3);
        m.Povezi(nula, y, 1);
        TPokretac pok;
        ASSERT_TRUE(pok.Pokreni(m, 1, 0.1, 0.1));
        EXPECT_TRUE(std::signbit(pok.Simulacija.Izvodi()[1]));
        m.Blok(y).Parametri[2] = 3;
        ASSERT_TRUE(pok.Pokreni(m, 1, 0.1, 0.1));
        EXPECT_FALSE(std::signbit(pok.Simulacija.Izvodi()[1]));
    }
}

namespace {

TIshod PokretanjeSaPrevodjenjem(const TTestModel& model, double d, double h, double p,
                                TPrevodjenje nacin, std::optional<std::uint32_t> seme,
                                bool* prevedena = nullptr) {
    TPokretac pok;
    pok.Simulacija.PostaviPrevodjenje(nacin);
    pok.Simulacija.PostaviSeme(seme);
    TIshod ishod;
    try {
        ishod.Uspeh = pok.Pokreni(model, d, h, p);
    } catch (const TGreskaSimulacije& g) {
        ishod.Poruka = g.what();
    }
    if (prevedena) *prevedena = pok.Simulacija.Prevedena();
    if (ishod.Uspeh)
        ishod.Rezultati = pok.Rezultati;
    else if (ishod.Poruka.empty() && !pok.Poruke.Poruke.empty())
        ishod.Poruka = pok.Poruke.Poruke.back();
    return ishod;
}

// Every kind once, fed by the time source and each other, with a seeded
// random source, a generator's table and a memory.
TTestModel SveVrste(double pomak) {
    TTestModel m;
    const int t = m.Dodaj(25);
    const int y = m.Dodaj(10, 1, -0.5, 0.25);
    const int sum = m.Dodaj(26, 1, -0.5, 0.25);
    m.Povezi(t, sum, 1);
    m.Povezi(y, sum, 2);
    const int c = m.Dodaj(12, 1.5 + pomak);
    int prethodni = sum;
    for (std::uint8_t k = 0; k < BrojVrstaElemenata; ++k) {
        if (k == 25 || k == 24 || k == 28 || k == 12) continue;
        const int b = m.Dodaj(k, 2 + pomak, 1 + pomak, 0.5);
        // Arctangent and root read t >= 0; Quit ends the run at t = 3.
        m.Povezi(k == 1 || k == 9 || k == 19 ? t : prethodni, b, 1);
        m.Povezi(k == 19 ? m.Dodaj(12, 3) : c, b, 2);
        m.Povezi(y, b, 3);
        prethodni = b;
    }
    m.Povezi(prethodni, y, 2);
    return m;
}

// A loop start, a long chain and a Wye that closes it past a piece's end.
TTestModel DugaPetlja(int duzina) {
    TTestModel m;
    const int t = m.Dodaj(25);
    const int y = m.Dodaj(10, 1);
    const int pocetak = m.Dodaj(24, 1);
    int prethodni = pocetak;
    for (int i = 0; i < duzina; ++i) {
        const int b = m.Dodaj(i % 2 ? 8 : 17, i % 2 ? 0.999 : 0.001);
        m.Povezi(prethodni, b, 1);
        prethodni = b;
    }
    const int sum = m.Dodaj(26, 0.5, 0.5, 1);
    m.Povezi(prethodni, sum, 1);
    m.Povezi(t, sum, 2);
    const int wye = m.Dodaj(28, 1e-12, 0.5);
    m.Povezi(pocetak, wye, 1);
    m.Povezi(sum, wye, 2);
    m.Povezi(wye, y, 1);
    return m;
}

} // namespace

// The compiled pass against the interpreter: the same bits in every cell, the
// same element message or the same arithmetic fault, over random models,
// every kind, a seeded random source and a model compiled in pieces.
TEST(ReferentniProlaz, PrevedeniProlazDajeIsteBitove) {
    std::string razlog;
    if (!PrevodilacDostupan(&razlog)) GTEST_SKIP() << razlog;
    struct TSlucaj {
        std::string Opis;
        TTestModel Model;
        double D, H, P;
        std::optional<std::uint32_t> Seme;
    };
    std::vector<TSlucaj> slucajevi;
    std::mt19937 gen(31337);
    for (int primer = 0; primer < 60; ++primer) {
        const double h = (gen() % 2) ? 0.1 : 0.05;
        slucajevi.push_back({"random model " + std::to_string(primer),
                             SlucajniModel(gen, primer % 3 == 2), 2, h, 2 * h, std::nullopt});
    }
    for (double pomak : {0.0, 0.5, 3.0})
        slucajevi.push_back(
            {"every kind " + std::to_string(pomak), SveVrste(pomak), 4, 0.01, 0.05, 7u});
    {
        // A long run, so a single differing rounding would show: x'' = -0.4 x' - 4 x.
        TTestModel m;
        const int a = m.Dodaj(26, -4, -0.4), v = m.Dodaj(10, 0), x = m.Dodaj(10, 1);
        m.Povezi(x, a, 1);
        m.Povezi(v, a, 2);
        m.Povezi(a, v, 1);
        m.Povezi(v, x, 1);
        slucajevi.push_back({"oscillator", std::move(m), 50, 0.01, 0.5, std::nullopt});
    }
    slucajevi.push_back(
        {"loop across pieces", DugaPetlja(ZapisaUDelu + 300), 1, 0.1, 0.1, std::nullopt});
    int prevedenih = 0, uspesnih = 0, neuspesnih = 0;
    for (const TSlucaj& s : slucajevi) {
        bool prevedena = false;
        const TIshod tumac =
            PokretanjeSaPrevodjenjem(s.Model, s.D, s.H, s.P, TPrevodjenje::Ne, s.Seme);
        const TIshod prevod =
            PokretanjeSaPrevodjenjem(s.Model, s.D, s.H, s.P, TPrevodjenje::Da, s.Seme, &prevedena);
        UporediIshode(prevod, tumac, s.Opis);
        if (HasFatalFailure()) return;
        prevedenih += prevedena;
        (tumac.Uspeh ? uspesnih : neuspesnih)++;
    }
    // Every model with something to evaluate was compiled; both outcomes occurred.
    EXPECT_GT(prevedenih, static_cast<int>(slucajevi.size()) * 9 / 10);
    EXPECT_GT(uspesnih, 15);
    EXPECT_GT(neuspesnih, 5);
}

// Without the compiler library: "da" and "auto" run interpreted with the same
// results; only "da" says why, and no message reaches the user.
TEST(ReferentniProlaz, BezPrevodiocaRadiTumac) {
    PostaviBibliotekuPrevodioca("libskem-nepostojeci-prevodilac.so.0");
    std::string razlog;
    EXPECT_FALSE(PrevodilacDostupan(&razlog));
    EXPECT_FALSE(razlog.empty());
    const TTestModel m = SveVrste(0.5);
    for (TPrevodjenje nacin : {TPrevodjenje::Da, TPrevodjenje::Auto}) {
        TPokretac pok;
        pok.Simulacija.PostaviPrevodjenje(nacin);
        pok.Simulacija.PostaviRadovaSerije(1000000000);
        pok.Simulacija.PostaviSeme(5u);
        EXPECT_TRUE(pok.Pokreni(m, 4, 0.01, 0.05));
        EXPECT_FALSE(pok.Simulacija.Prevedena());
        EXPECT_EQ(pok.Simulacija.GreskaPrevodjenja().empty(), nacin == TPrevodjenje::Auto);
        EXPECT_TRUE(pok.Poruke.Poruke.empty());
        TIshod ishod;
        ishod.Uspeh = pok.Simulacija.Uspeh();
        ishod.Rezultati = pok.Rezultati;
        UporediIshode(ishod, PokretanjeSaPrevodjenjem(m, 4, 0.01, 0.05, TPrevodjenje::Ne, 5u),
                      NazivPrevodjenja(nacin));
    }
    PostaviBibliotekuPrevodioca("libgccjit.so.0");
}
