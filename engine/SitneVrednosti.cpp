#include "SitneVrednosti.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define SKEM_REZIM_SSE 1
#include <pmmintrin.h>
#include <xmmintrin.h>
#elif defined(__aarch64__) && (defined(__GNUC__) || defined(__clang__))
#define SKEM_REZIM_AARCH64 1
#endif

namespace skem {

namespace {

#if defined(SKEM_REZIM_SSE)
constexpr unsigned long long BitoviRezima = _MM_FLUSH_ZERO_ON | _MM_DENORMALS_ZERO_ON;
unsigned long long CitajRezim() {
    return _mm_getcsr();
}
void PisiRezim(unsigned long long r) {
    _mm_setcsr(static_cast<unsigned>(r));
}
#elif defined(SKEM_REZIM_AARCH64)
constexpr unsigned long long BitoviRezima = 1ull << 24; // FPCR.FZ
unsigned long long CitajRezim() {
    unsigned long long r;
    __asm__ __volatile__("mrs %0, fpcr" : "=r"(r));
    return r;
}
void PisiRezim(unsigned long long r) {
    __asm__ __volatile__("msr fpcr, %0" : : "r"(r));
}
#else
constexpr unsigned long long BitoviRezima = 0;
unsigned long long CitajRezim() {
    return 0;
}
void PisiRezim(unsigned long long) {}
#endif

} // namespace

TRezimBezSitnih::TRezimBezSitnih() : prethodni(CitajRezim() & BitoviRezima) {
    if (BitoviRezima != 0) PisiRezim(CitajRezim() | BitoviRezima);
}

TRezimBezSitnih::~TRezimBezSitnih() {
    if (BitoviRezima != 0) PisiRezim((CitajRezim() & ~BitoviRezima) | prethodni);
}

} // namespace skem
