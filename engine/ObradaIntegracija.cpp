// One integration run: classical fourth-order Runge-Kutta with a fixed step,
// increments and their sums in extended precision, states stored as doubles,
// and the chosen output sampled at every multiple of the print interval.

#include "Obrada.h"

#include "Brojevi.h"

#include <algorithm>
#include <cfenv>

namespace skem {

namespace {

// The four stages of a step over integrators 1..m: the increment of each
// stage from the derivatives, then the state the next pass evaluates at,
// stored as a double and placed at its integrator's slot of the value table.

void PrvaFaza(std::size_t m, long double h, double* __restrict y, double* __restrict y0,
              const double* __restrict f, long double* __restrict k1, double* __restrict v,
              const std::int32_t* __restrict izlazi) {
    for (std::size_t i = 1; i <= m; ++i) {
        y0[i] = y[i];
        k1[i] = h * f[i];
        y[i] = static_cast<double>(k1[i] * 0.5L + y0[i]);
        v[izlazi[i]] = y[i];
    }
}

void PolaKoraka(std::size_t m, long double h, double* __restrict y, const double* __restrict y0,
                const double* __restrict f, long double* __restrict k2, double* __restrict v,
                const std::int32_t* __restrict izlazi) {
    for (std::size_t i = 1; i <= m; ++i) {
        k2[i] = h * f[i];
        y[i] = static_cast<double>(k2[i] * 0.5L + y0[i]);
        v[izlazi[i]] = y[i];
    }
}

void CeoKorak(std::size_t m, long double h, double* __restrict y, const double* __restrict y0,
              const double* __restrict f, long double* __restrict k3, double* __restrict v,
              const std::int32_t* __restrict izlazi) {
    for (std::size_t i = 1; i <= m; ++i) {
        k3[i] = h * f[i];
        y[i] = static_cast<double>(k3[i] + y0[i]);
        v[izlazi[i]] = y[i];
    }
}

// Out of line, with the sixth passed in: inlined, the constant was reloaded from
// memory as an 80-bit value on every iteration (a slow load); as an argument it
// stays in a register for the whole loop. Same value, same arithmetic.
[[gnu::noinline]] void PoslednjaFaza(std::size_t m, long double h, long double sestina,
                                     double* __restrict y, const double* __restrict y0,
                                     const double* __restrict f, const long double* __restrict k1,
                                     const long double* __restrict k2,
                                     const long double* __restrict k3, double* __restrict v,
                                     const std::int32_t* __restrict izlazi) {
    for (std::size_t i = 1; i <= m; ++i) {
        y[i] = static_cast<double>((k2[i] * 2 + k1[i] + k3[i] * 2 + h * f[i]) * sestina + y0[i]);
        v[izlazi[i]] = y[i];
    }
}

} // namespace

void TSimulacija::Integrisi(std::int32_t j) {
    BlokZaUzorak = j;
    SveKolone = nullptr;
    BrojRedova = static_cast<std::int64_t>(Uzorci.size());
    IntegrisiJedanPut();
}

void TSimulacija::IntegrisiSveKolone(MatrixReal& rezultati) {
    BlokZaUzorak = 0;
    SveKolone = &rezultati;
    BrojRedova = static_cast<std::int64_t>(rezultati.size());
    IntegrisiJedanPut();
    SveKolone = nullptr;
}

void TSimulacija::ZapamtiUzorak() {
    if (BrojUzorka < BrojRedova) {
        const auto k = static_cast<std::size_t>(BrojUzorka);
        if (SveKolone) {
            const double* v = Vrednosti.data();
            std::copy(v + 1, v + BrojBlokova, (*SveKolone)[k].begin());
        } else {
            Uzorci[k] = Vrednosti[static_cast<std::size_t>(BlokZaUzorak)];
        }
    }
    ++BrojUzorka;
}

// Arithmetic faults leave the run as exceptions; the flags are sticky, so one
// test per step catches a fault anywhere in its four passes.
void TSimulacija::ProveriAritmetiku() const {
    const int greske = std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID);
    if (greske == 0) return;
    std::feclearexcept(FE_ALL_EXCEPT);
    if (greske & FE_OVERFLOW) throw TGreskaSimulacije("Floating point overflow");
    if (greske & FE_DIVBYZERO) throw TGreskaSimulacije("Floating point division by zero");
    throw TGreskaSimulacije("Invalid floating point operation");
}

void TSimulacija::IntegrisiJedanPut() {
    const auto m = static_cast<std::size_t>(BrojIntegratora);
    Izvodi.assign(m + 1, 0.0);
    Stanja.resize(m + 1);
    PocetnaStanja.resize(m + 1);
    PrirastajiK1.assign(m + 1, 0.0L);
    PrirastajiK2.assign(m + 1, 0.0L);
    PrirastajiK3.assign(m + 1, 0.0L);
    Vrednosti.assign(static_cast<std::size_t>(BrojBlokova) + 1, 0.0);

    std::feclearexcept(FE_ALL_EXCEPT);

    double* v = Vrednosti.data();
    PripremiPlan();
    for (std::int32_t p = 2; p <= DuzinaRedosleda; ++p) {
        const std::int32_t b = Redosled[static_cast<std::size_t>(p)];
        v[b] = Blokovi[static_cast<std::size_t>(b)].Parametar1;
    }
    for (std::size_t i = 1; i <= m; ++i)
        Stanja[i] = Blokovi[static_cast<std::size_t>(Integratori[i])].Parametar1;

    Vreme = 0;
    v[BrojBlokova] = 0;
    const double tolerancija = PolaIntervala / (IntervalStampanja * 2);
    Prekid = TVrstaPrekida{};
    std::int64_t sledeci = Trunc(Vreme / IntervalStampanja + 1);
    BrojUzorka = 0;

    PocetniProlaz = true;
    Izracunaj();
    PocetniProlaz = false;
    ZapamtiUzorak();

    const long double h = Interval;
    const std::int32_t pocetak = BrojKonstanti + 2;
    double* y = Stanja.data();
    double* y0 = PocetnaStanja.data();
    const double* f = Izvodi.data();
    long double* k1 = PrirastajiK1.data();
    long double* k2 = PrirastajiK2.data();
    long double* k3 = PrirastajiK3.data();
    const std::int32_t* izlazi = Integratori.data();
    auto postaviFazu = [this](std::uint8_t faza) {
        if (Prekid.Vrsta < 3) Prekid.Vrsta = faza;
    };
    // Each stage also places the new states into the value table, which is
    // what Izracunaj would do first; the pass then starts from the blocks.
    auto prolaz = [this, pocetak] {
        Relaksacija = 0;
        IzracunajOd(pocetak);
    };

    for (;;) {
        postaviFazu(1);
        PrvaFaza(m, h, y, y0, f, k1, v, izlazi);
        Vreme += PolaIntervala;
        v[BrojBlokova] = Vreme;
        prolaz();

        postaviFazu(2);
        PolaKoraka(m, h, y, y0, f, k2, v, izlazi);
        prolaz();

        CeoKorak(m, h, y, y0, f, k3, v, izlazi);
        Vreme += PolaIntervala;
        v[BrojBlokova] = Vreme;
        prolaz();

        PoslednjaFaza(m, h, 0.16666666666666666667L, y, y0, f, k1, k2, k3, v, izlazi);
        prolaz();

        ProveriAritmetiku();
        if (Prekid.Vrsta == 3) {
            Poruka(Prekid.Poruka);
            Uspeh = false;
            return;
        }
        if (Prekid.Vrsta == 4) return;

        const std::int64_t uzorak = Trunc(Vreme / IntervalStampanja + tolerancija);
        if (uzorak >= sledeci) {
            ZapamtiUzorak();
            sledeci = uzorak + 1;
        }
        if (!(Trajanje + PolaIntervala > Vreme)) break;
    }
}

} // namespace skem
