#pragma once
// Inside a run a value whose magnitude is below the smallest normal double is
// taken as zero. Arithmetic on such subnormal values takes a slow path in
// common processors (10-100 times slower), and a stable model decaying for a
// long time would otherwise end up running at that pace. The integrating
// thread runs with the processor's flush-to-zero and denormals-are-zero modes
// (TRezimBezSitnih), which cover every double operation of a pass; what the
// modes do not reach is flushed here: the parameters a run copies unchanged
// and the long double sums that become the states.

#include <cmath>
#include <limits>

namespace skem {

inline constexpr double NajmanjiNormalan = std::numeric_limits<double>::min();

// A double below the bound becomes a zero of its sign, as the processor's
// flush-to-zero makes it.
inline double BezSitnih(double x) {
    return std::fabs(x) < NajmanjiNormalan ? x * 0.0 : x;
}

// Below this a long double rounds (to nearest) to a subnormal double or to
// zero: the midpoint between the largest subnormal and the smallest normal
// double, itself rounded up to the even one. Exact in the x87 format; where
// long double is double it is the smallest normal double itself.
inline constexpr long double GranicaSitnihDugih = 0x1p-1022L * (1.0L - 0x1p-53L);

// x as a double, zero (of x's sign) when that would be subnormal. The test is
// made before the conversion, since the x87 store of a subnormal result is a
// slow path of its own and flush-to-zero does not reach the x87 unit.
inline double UDvostrukuBezSitnih(long double x) {
    return static_cast<double>(std::fabs(x) < GranicaSitnihDugih ? x * 0.0L : x);
}

// While it lives, the current thread's double arithmetic takes subnormal
// inputs and results as zero (x86 SSE: flush-to-zero and denormals-are-zero;
// AArch64: flush-to-zero); its destructor restores those modes as they were,
// leaving the rounding and the exception flags alone. Elsewhere it does
// nothing, and only the explicit flushes above hold.
class TRezimBezSitnih {
public:
    TRezimBezSitnih();
    ~TRezimBezSitnih();
    TRezimBezSitnih(const TRezimBezSitnih&) = delete;
    TRezimBezSitnih& operator=(const TRezimBezSitnih&) = delete;

private:
    unsigned long long prethodni = 0;
};

} // namespace skem
