// Linearization against analytic answers: the Jacobians, the poles, the
// frequency and step responses, and the refusals.

#include "Linearizacija.h"
#include "ModelZaTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace skem::test {
namespace {

using V = TVrstaElementa;
constexpr std::uint8_t S(V v) {
    return SifraVrste(v);
}

struct TSlucaj {
    const char* Naziv;
    std::function<TZahtevLinearizacije(TTestModel&)> Napravi;
    // The analytic linear model (rows of A, then B, C, D), or the refusal.
    std::vector<std::vector<double>> A;
    std::vector<double> B, C;
    double D = 0;
    std::string Greska;
    // u and y at the point.
    double U0 = 0, Y0 = 0;
    bool Linearan = true; // the simulated step response equals the linear one
};

TZahtevLinearizacije Zahtev(int ulaz, int izlaz) {
    TZahtevLinearizacije z;
    z.Ulaz = ulaz;
    z.Izlaz = izlaz;
    return z;
}

// x' = u - x through a summer: 1/(s + 1).
TZahtevLinearizacije Kasnjenje(TTestModel& m) {
    const int u = m.Dodaj(S(V::Konstanta), 0);
    const int s = m.Dodaj(S(V::Sumator), 1, -1, 0);
    const int x = m.Dodaj(S(V::Integrator), 0);
    m.Povezi(u, s, 1);
    m.Povezi(x, s, 2);
    m.Povezi(s, x, 1);
    return Zahtev(u, x);
}

const double x1 = 0.7, x2 = -0.4, t0 = 2.5;

const std::vector<TSlucaj> slucajevi = {
    {"kasnjenje", Kasnjenje, {{-1}}, {1}, {1}, 0, "", 0, 0},
    // The oscillator of the examples (x'' + 0.4 x' + 4 x = F), the force F
    // on the summer's free third input; states v, x by block number.
    {"oscilator",
     [](TTestModel& m) {
         const int s = m.Dodaj(S(V::Sumator), -4, -0.4, 1);
         const int v = m.Dodaj(S(V::Integrator), 0);
         const int x = m.Dodaj(S(V::Integrator), 1);
         const int f = m.Dodaj(S(V::Konstanta), 0);
         m.Povezi(x, s, 1);
         m.Povezi(v, s, 2);
         m.Povezi(f, s, 3);
         m.Povezi(s, v, 1);
         m.Povezi(v, x, 1);
         return Zahtev(f, x);
     },
     {{-0.4, -4}, {1, 0}},
     {1, 0},
     {0, 1},
     0,
     "",
     0,
     1},
    // z = u - z/2 solved by a loop start and a Wye (loose tolerance), x' = z - x.
    {"algebarska petlja",
     [](TTestModel& m) {
         const int u = m.Dodaj(S(V::Konstanta), 3);
         const int p = m.Dodaj(S(V::PocetakPetlje), 1);
         const int g = m.Dodaj(S(V::Sumator), 1, -0.5, 0);
         const int w = m.Dodaj(S(V::Wye), 1e-6, 0.5);
         const int x = m.Dodaj(S(V::Integrator), 0, -1);
         m.Povezi(u, g, 1);
         m.Povezi(p, g, 2);
         m.Povezi(p, w, 1);
         m.Povezi(g, w, 2);
         m.Povezi(w, x, 1);
         m.Povezi(x, x, 2);
         return Zahtev(u, x);
     },
     {{-1}},
     {2.0 / 3},
     {1},
     0,
     "",
     3,
     0},
    // x1' = x2, x2' = -sin x1 - x1 x2 + u with u = sin t, at t0 and a state of
    // a run; y = x2' (so D = 1).
    {"nelinearan",
     [](TTestModel& m) {
         const int t = m.Dodaj(S(V::Vreme));
         const int u = m.Dodaj(S(V::Sinus), 1, 1, 0);
         const int i1 = m.Dodaj(S(V::Integrator), 5);
         const int i2 = m.Dodaj(S(V::Integrator), 5);
         const int sn = m.Dodaj(S(V::Sinus), 1, 1, 0);
         const int mn = m.Dodaj(S(V::Mnozac));
         const int s = m.Dodaj(S(V::Sumator), -1, -1, 1);
         m.Povezi(t, u, 1);
         m.Povezi(i2, i1, 1);
         m.Povezi(s, i2, 1);
         m.Povezi(i1, sn, 1);
         m.Povezi(i1, mn, 1);
         m.Povezi(i2, mn, 2);
         m.Povezi(sn, s, 1);
         m.Povezi(mn, s, 2);
         m.Povezi(u, s, 3);
         TZahtevLinearizacije z = Zahtev(u, s);
         z.Vreme = t0;
         z.Izlazi.assign(7, 0.0);
         z.Izlazi[2] = x1;
         z.Izlazi[3] = x2;
         return z;
     },
     {{0, 1}, {-std::cos(x1) - x2, -x1}},
     {0, 1},
     {-std::cos(x1) - x2, -x1},
     1,
     "",
     std::sin(t0),
     -std::sin(x1) - x1* x2 + std::sin(t0),
     false},
    {"ulaz bez putanje do izlaza",
     [](TTestModel& m) {
         TZahtevLinearizacije z = Kasnjenje(m);
         z.Ulaz = m.Dodaj(S(V::Konstanta), 1);
         return z;
     },
     {},
     {},
     {},
     0,
     PorukaNemaPutanje},
    {"putanja kroz nulto pojacanje",
     [](TTestModel& m) {
         TZahtevLinearizacije z = Kasnjenje(m);
         m.Blok(2).Parametri[0] = 0;
         return z;
     },
     {},
     {},
     {},
     0,
     PorukaNemaPutanje},
    {"bez integratora",
     [](TTestModel& m) {
         const int u = m.Dodaj(S(V::Konstanta), 1);
         const int g = m.Dodaj(S(V::Pojacanje), 2);
         m.Povezi(u, g, 1);
         return Zahtev(u, g);
     },
     {},
     {},
     {},
     0,
     TSimulacija::PorukaNemaIntegratora},
    {"ulaz nije izvor",
     [](TTestModel& m) {
         TZahtevLinearizacije z = Kasnjenje(m);
         z.Ulaz = 2;
         return z;
     },
     {},
     {},
     {},
     0,
     PorukaVrstaUlaza},
    {"greska elementa u tacki",
     [](TTestModel& m) {
         TZahtevLinearizacije z = Kasnjenje(m);
         const int k = m.Dodaj(S(V::KvadratniKoren));
         const int c = m.Dodaj(S(V::Konstanta), -1);
         m.Povezi(c, k, 1);
         return z;
     },
     {},
     {},
     {},
     0,
     TSimulacija::PorukaKoren},
};

TEST(Linearizacija, AnalitickiOdgovori) {
    for (const TSlucaj& s : slucajevi) {
        SCOPED_TRACE(s.Naziv);
        TTestModel model;
        const TZahtevLinearizacije zahtev = s.Napravi(model);
        if (!s.Greska.empty()) {
            try {
                Linearizuj(model.Lista(), zahtev);
                ADD_FAILURE() << "no refusal";
            } catch (const TGreskaLinearizacije& g) {
                EXPECT_NE(std::string(g.what()).find(s.Greska), std::string::npos) << g.what();
            }
            continue;
        }
        const TLinearniModel lm = Linearizuj(model.Lista(), zahtev);
        const auto m = static_cast<Eigen::Index>(s.B.size());
        ASSERT_EQ(lm.A.rows(), m);
        Eigen::MatrixXd a(m, m), b(m, 1), c(1, m), d(1, 1);
        for (Eigen::Index i = 0; i < m; ++i) {
            for (Eigen::Index j = 0; j < m; ++j)
                a(i, j) = s.A[std::size_t(i)][std::size_t(j)];
            b(i, 0) = s.B[std::size_t(i)];
            c(0, i) = s.C[std::size_t(i)];
        }
        d(0, 0) = s.D;
        EXPECT_LT((lm.A - a).cwiseAbs().maxCoeff(), 1e-8) << lm.A;
        EXPECT_LT((lm.B - b).cwiseAbs().maxCoeff(), 1e-8) << lm.B;
        EXPECT_LT((lm.C - c).cwiseAbs().maxCoeff(), 1e-8) << lm.C;
        EXPECT_NEAR(lm.D(0, 0), s.D, 1e-8);
        EXPECT_NEAR(lm.U0, s.U0, 1e-12);
        EXPECT_NEAR(lm.Y0, s.Y0, 1e-12);

        // The frequency response against a plain inverse of the expected model.
        ASSERT_GT(lm.Frekvencije.size(), 100u);
        for (const TTackaFrekvencije& f : lm.Frekvencije) {
            const Eigen::MatrixXcd jw =
                std::complex<double>(0, f.Omega) * Eigen::MatrixXcd::Identity(m, m) -
                a.cast<std::complex<double>>();
            const std::complex<double> h = (c.cast<std::complex<double>>() * jw.inverse() *
                                            b.cast<std::complex<double>>())(0, 0) +
                                           s.D;
            EXPECT_NEAR(f.ModulDb, 20 * std::log10(std::abs(h)), 1e-6) << f.Omega;
            EXPECT_NEAR(std::remainder(f.FazaStepeni - std::arg(h) * 180 / std::numbers::pi, 360),
                        0, 1e-6)
                << f.Omega;
        }
        ASSERT_EQ(lm.LinearniOdziv.size(), lm.VremenaOdziva.size());
        if (s.Linearan) {
            ASSERT_EQ(lm.SimuliraniOdziv.size(), lm.LinearniOdziv.size()) << lm.GreskaSimulacije;
            for (std::size_t k = 0; k < lm.LinearniOdziv.size(); ++k)
                EXPECT_NEAR(lm.SimuliraniOdziv[k], lm.LinearniOdziv[k], 1e-4)
                    << lm.VremenaOdziva[k];
        }
    }
}

// The lag's closed forms, the grid around its pole and the oscillator's poles.
TEST(Linearizacija, KasnjenjeIOscilator) {
    TTestModel lag;
    const TLinearniModel k = Linearizuj(lag.Lista(), Kasnjenje(lag));
    ASSERT_EQ(k.Polovi.size(), 1u);
    EXPECT_NEAR(k.Polovi[0].real(), -1, 1e-8);
    EXPECT_EQ(k.Polovi[0].imag(), 0);
    EXPECT_NEAR(k.Frekvencije.front().Omega, 0.1, 1e-12);
    EXPECT_NEAR(k.Frekvencije.back().Omega, 10, 1e-9);
    for (const TTackaFrekvencije& f : k.Frekvencije) {
        EXPECT_NEAR(f.ModulDb, 20 * std::log10(1 / std::sqrt(1 + f.Omega * f.Omega)), 1e-7);
        EXPECT_NEAR(f.FazaStepeni, -std::atan(f.Omega) * 180 / std::numbers::pi, 1e-6);
    }
    for (std::size_t i = 0; i < k.VremenaOdziva.size(); ++i)
        EXPECT_NEAR(k.LinearniOdziv[i], 1 - std::exp(-k.VremenaOdziva[i]), 1e-7);
    EXPECT_NEAR(k.VremenaOdziva.back(), 6, 1e-6); // six time constants

    TTestModel osc;
    const TLinearniModel o = Linearizuj(osc.Lista(), slucajevi[1].Napravi(osc));
    // s^2 + 0.4 s + 4 = 0: s = -0.2 +- j sqrt(4 - 0.04).
    ASSERT_EQ(o.Polovi.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(o.Polovi[std::size_t(i)].real(), -0.2, 1e-7);
        EXPECT_NEAR(o.Polovi[std::size_t(i)].imag(), (i ? 1 : -1) * std::sqrt(3.96), 1e-7);
    }
    EXPECT_EQ(o.BlokoviStanja, (std::vector<int>{2, 3}));
    // Past the resonance the phase goes on below -90 to near -180, unbroken.
    EXPECT_NEAR(o.Frekvencije.back().FazaStepeni, -180, 1);
}

} // namespace
} // namespace skem::test
