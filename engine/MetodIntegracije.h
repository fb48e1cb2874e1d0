#pragma once
// The integration methods a run may use: the classical Runge-Kutta method
// with a fixed step (the default, the engine's own stepper), and two
// variable-step methods of the SUNDIALS library: the explicit Dormand-Prince
// 5(4) pair (ARKODE) and BDF for stiff models (CVODE). Under the latter two
// the step field is the largest step allowed and the tolerances steer the
// step size.

#include <cmath>
#include <string_view>

namespace skem {

enum class TMetodIntegracije : unsigned char {
    RK4 = 0,  // fixed step, bit for bit the engine's own
    DP45 = 1, // Dormand-Prince 5(4), variable step
    BDF = 2,  // backward differentiation formulas, variable step and order
};

inline constexpr double PodrazumevanaRelativnaTolerancija = 1e-6;
inline constexpr double PodrazumevanaApsolutnaTolerancija = 1e-9;

// A tolerance a solver can work with: positive and finite.
inline bool IspravnaTolerancija(double t) {
    return t > 0 && std::isfinite(t);
}

// The method stored with a document (its element MetodIntegracije), written
// only for a method other than RK4, so a document without one reads and
// writes as before.
struct TMetodDokumenta {
    TMetodIntegracije Metod = TMetodIntegracije::RK4;
    double RelativnaTolerancija = PodrazumevanaRelativnaTolerancija;
    double ApsolutnaTolerancija = PodrazumevanaApsolutnaTolerancija;

    bool operator==(const TMetodDokumenta&) const = default;
};

// "rk4", "dp45", "bdf": the names of the command line and the document.
inline const char* NazivMetoda(TMetodIntegracije m) {
    switch (m) {
    case TMetodIntegracije::DP45:
        return "dp45";
    case TMetodIntegracije::BDF:
        return "bdf";
    default:
        return "rk4";
    }
}

inline bool ProcitajMetod(std::string_view tekst, TMetodIntegracije& m) {
    for (TMetodIntegracije k :
         {TMetodIntegracije::RK4, TMetodIntegracije::DP45, TMetodIntegracije::BDF})
        if (tekst == NazivMetoda(k)) {
            m = k;
            return true;
        }
    return false;
}

} // namespace skem
