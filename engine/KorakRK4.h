#pragma once
// The classical fourth-order Runge-Kutta step over the integrators of a run.
// The stepper owns the increments k1, k2, k3 (extended precision, sized once
// per run); the model it drives is any callable `sistem(t, prviProlaz)` that
// evaluates the derivatives of the states just placed, at time t. States are
// stored as doubles; increments and their sums are long double, each operation
// in a fixed order, so a run gives the same bits every time. A state that
// would be a subnormal double is zero (SitneVrednosti.h).

#include "SitneVrednosti.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skem {

// The arrays a run integrates, by integrator number 1..M (entry 0 unused):
// states, states at the start of the step and derivatives; and the value
// table with each integrator's slot in it, where every new state is placed at
// once, so the next pass reads it without another loop.
struct TStanjaIntegratora {
    std::size_t M = 0;
    double* Y = nullptr;
    double* Y0 = nullptr;
    const double* F = nullptr;
    double* V = nullptr;
    const std::int32_t* Izlazi = nullptr;
};

namespace detalji {

// The four stages of a step: the increment of each integrator from its
// derivative, then the state the next pass evaluates at.

inline void PrvaFaza(std::size_t m, long double h, double* __restrict y, double* __restrict y0,
                     const double* __restrict f, long double* __restrict k1, double* __restrict v,
                     const std::int32_t* __restrict izlazi) {
    for (std::size_t i = 1; i <= m; ++i) {
        y0[i] = y[i];
        k1[i] = h * f[i];
        y[i] = UDvostrukuBezSitnih(k1[i] * 0.5L + y0[i]);
        v[izlazi[i]] = y[i];
    }
}

// The second stage (to the half step) and the third (to the whole step).
template <bool DoPolaKoraka>
inline void SrednjaFaza(std::size_t m, long double h, double* __restrict y,
                        const double* __restrict y0, const double* __restrict f,
                        long double* __restrict k, double* __restrict v,
                        const std::int32_t* __restrict izlazi) {
    for (std::size_t i = 1; i <= m; ++i) {
        k[i] = h * f[i];
        y[i] = UDvostrukuBezSitnih((DoPolaKoraka ? k[i] * 0.5L : k[i]) + y0[i]);
        v[izlazi[i]] = y[i];
    }
}

// Out of line, with the sixth passed in: inlined, the constant was reloaded from
// memory as an 80-bit value on every iteration (a slow load); as an argument it
// stays in a register for the whole loop. Same value, same arithmetic.
[[gnu::noinline]] inline void PoslednjaFaza(std::size_t m, long double h, long double sestina,
                                            double* __restrict y, const double* __restrict y0,
                                            const double* __restrict f,
                                            const long double* __restrict k1,
                                            const long double* __restrict k2,
                                            const long double* __restrict k3, double* __restrict v,
                                            const std::int32_t* __restrict izlazi) {
    for (std::size_t i = 1; i <= m; ++i) {
        y[i] = UDvostrukuBezSitnih((k2[i] * 2 + k1[i] + k3[i] * 2 + h * f[i]) * sestina + y0[i]);
        v[izlazi[i]] = y[i];
    }
}

} // namespace detalji

class TKorakRK4 {
public:
    // For m integrators and a step `korak`; `polaKoraka` is its half, the time's advance
    // before the first and the third pass.
    void Pripremi(std::size_t m, double korak, double polaKoraka) {
        k1.assign(m + 1, 0.0L);
        k2.assign(m + 1, 0.0L);
        k3.assign(m + 1, 0.0L);
        h = korak;
        polaH = polaKoraka;
    }

    // One step from the derivatives of the current states: four passes of the
    // model, at t + h/2 twice and at t + h twice; t ends advanced by h. The
    // derivatives of the last pass are the first increment of the next step.
    template <class TSistem> void Korak(const TStanjaIntegratora& s, double& t, TSistem&& sistem) {
        detalji::PrvaFaza(s.M, h, s.Y, s.Y0, s.F, k1.data(), s.V, s.Izlazi);
        t += polaH;
        sistem(t, true);

        detalji::SrednjaFaza<true>(s.M, h, s.Y, s.Y0, s.F, k2.data(), s.V, s.Izlazi);
        sistem(t, false);

        detalji::SrednjaFaza<false>(s.M, h, s.Y, s.Y0, s.F, k3.data(), s.V, s.Izlazi);
        t += polaH;
        sistem(t, false);

        detalji::PoslednjaFaza(s.M, h, Sestina, s.Y, s.Y0, s.F, k1.data(), k2.data(), k3.data(),
                               s.V, s.Izlazi);
        sistem(t, false);
    }

    // What a compiled step (Prevodjenje.h) needs to do the same stages.
    static constexpr long double Sestina = 0.16666666666666666667L;
    long double* K1() { return k1.data(); }
    long double* K2() { return k2.data(); }
    long double* K3() { return k3.data(); }
    long double H() const { return h; }
    double PolaH() const { return polaH; }

private:
    std::vector<long double> k1, k2, k3;
    long double h = 0;
    double polaH = 0;
};

} // namespace skem
