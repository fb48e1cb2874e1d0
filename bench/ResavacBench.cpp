// The variable-step methods: Dormand-Prince 5(4) and BDF timed on Robertson's
// stiff kinetics and on a chain of 100 lags, against RK4 at the step each
// needs for the same accuracy; and how small an RK4 step Robertson needs at
// all (the largest of h = 0.1, 0.05, 0.025, ... whose values at t = 40 agree
// with BDF's to four digits), timed to t = 40 and scaled to t = 4E5.
//
//   skem_bench_resavac    best of 5 runs of each case

#include "ModelZaBench.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

using namespace skem;
using namespace skem::bench;

namespace {

constexpr std::uint8_t Integrator = 10, Konstanta = 12, Pojacanje = 8, Mnozac = 27;

// Robertson: y1, y2, y3 are blocks 1, 2, 3.
TModel Robertson() {
    TModel m;
    TBlok* y1 = m.Dodaj(Integrator, 1, -0.04, 1e4);
    TBlok* y2 = m.Dodaj(Integrator, 0, -1e4, -3e7);
    TBlok* y3 = m.Dodaj(Integrator, 0, 3e7);
    TBlok* y2y3 = m.Dodaj(Mnozac);
    TBlok* y2y2 = m.Dodaj(Mnozac);
    TBlok* dotok = m.Dodaj(Pojacanje, 0.04);
    y2y3->Izvori[0] = y2;
    y2y3->Izvori[1] = y3;
    y2y2->Izvori[0] = y2;
    y2y2->Izvori[1] = y2;
    dotok->Izvori[0] = y1;
    y1->Izvori[1] = y1;
    y1->Izvori[2] = y2y3;
    y2->Izvori[0] = dotok;
    y2->Izvori[1] = y2y3;
    y2->Izvori[2] = y2y2;
    y3->Izvori[1] = y2y2;
    return m;
}

// x_1' = 1 - x_1, x_i' = x_(i-1) - x_i: 100 integrators weighing their own
// output (p2 = -1) against the one before; x_100 is block 101.
TModel Lanac() {
    TModel m;
    TBlok* jedan = m.Dodaj(Konstanta, 1);
    const TBlok* pre = jedan;
    for (int i = 0; i < 100; ++i) {
        TBlok* x = m.Dodaj(Integrator, 0, -1);
        x->Izvori[0] = pre;
        x->Izvori[1] = x;
        pre = x;
    }
    return m;
}

struct TIshod {
    double Sekundi = 1e300;
    MatrixReal Rezultati;
    bool Uspeh = false;
};

TIshod Izvedi(const TModel& m, const TOpcijeSimulacije& o, int puta = 5) {
    TIshod r;
    for (int i = 0; i < puta; ++i) {
        TOpcije opcije;
        opcije.O = o;
        TSimulacija s(&opcije);
        s.PostaviPrevodjenje(TPrevodjenje::Ne);
        const Sat::time_point pocetak = Sat::now();
        s.Simuliraj(m.Lista(), r.Rezultati);
        r.Sekundi = std::min(r.Sekundi, bench::Sekundi(pocetak));
        r.Uspeh = s.Uspeh() && s.PorukaResavaca().empty();
    }
    return r;
}

} // namespace

int main() {
    const TModel robertson = Robertson();
    std::printf("Robertson, t = 0 .. 4E5, h = P = 40 (10,001 rows)\n");
    const TOpcijeSimulacije bdf{4e5, 40, 40, TMetodIntegracije::BDF, 1e-8, 1e-12};
    const TIshod b = Izvedi(robertson, bdf);
    std::printf("  bdf  rtol 1E-8, atol 1E-12: %.4f s, at t = 40: %.6f %.6e %.6f\n", b.Sekundi,
                b.Rezultati(1, 0), b.Rezultati(1, 1), b.Rezultati(1, 2));
    const TOpcijeSimulacije bdf6{4e5, 40, 40, TMetodIntegracije::BDF, 1e-6, 1e-9};
    std::printf("  bdf  rtol 1E-6, atol 1E-9:  %.4f s\n", Izvedi(robertson, bdf6).Sekundi);
    // Dormand-Prince is held to the stability limit of an explicit method: to t = 40 only.
    const TOpcijeSimulacije dp{40, 1, 1, TMetodIntegracije::DP45, 1e-6, 1e-9};
    const TIshod d = Izvedi(robertson, dp, 1);
    std::printf("  dp45 rtol 1E-6, t = 0 .. 40 only: %.4f s, at t = 40: %.6f\n", d.Sekundi,
                d.Rezultati(40, 0));

    // RK4: the largest h whose values at t = 40 agree with BDF's to four digits.
    for (double h = 0.1; h > 1e-6; h /= 2) {
        const TOpcijeSimulacije rk{40, h, 20, TMetodIntegracije::RK4, 0, 0};
        TOpcije opcije;
        opcije.O = rk;
        TSimulacija s(&opcije);
        MatrixReal r;
        bool dobro = false;
        try {
            s.Simuliraj(robertson.Lista(), r);
            dobro = s.Uspeh();
            for (int k = 0; dobro && k < 3; ++k) {
                const double tacno = b.Rezultati(1, std::size_t(k));
                dobro = std::fabs(r(2, std::size_t(k)) - tacno) <= 5e-5 * std::fabs(tacno) + 1e-12;
            }
        } catch (const TGreskaSimulacije& g) {
            std::printf("  rk4  h = %g: %s\n", h, g.what());
        }
        if (!dobro) continue;
        const TIshod t = Izvedi(robertson, rk, 3);
        std::printf("  rk4  h = %g (the largest of 0.1 / 2^k with four digits at t = 40): "
                    "%.4f s to t = 40, so about %.0f s to t = 4E5\n",
                    h, t.Sekundi, t.Sekundi * 1e4);
        break;
    }

    const TModel lanac = Lanac();
    std::printf("100-lag chain, t = 0 .. 100, P = 1 (exactly x_100(100) = 0.513298798279148)\n");
    for (const auto& [naziv, o] :
         {std::pair{"dp45 rtol 1E-6",
                    TOpcijeSimulacije{100, 1, 1, TMetodIntegracije::DP45, 1e-6, 1e-9}},
          std::pair{"bdf  rtol 1E-6",
                    TOpcijeSimulacije{100, 1, 1, TMetodIntegracije::BDF, 1e-6, 1e-9}},
          std::pair{"rk4  h = 0.1   ", TOpcijeSimulacije{100, 0.1, 1}},
          std::pair{"rk4  h = 0.01  ", TOpcijeSimulacije{100, 0.01, 1}}}) {
        const TIshod r = Izvedi(lanac, o);
        std::printf("  %s: %.4f s, x_100(100) = %.9f\n", naziv, r.Sekundi, r.Rezultati(100, 100));
    }
    return 0;
}
