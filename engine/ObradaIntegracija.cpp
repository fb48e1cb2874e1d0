// One integration run: classical fourth-order Runge-Kutta with a fixed step,
// increments and their sums in extended precision, states stored as doubles,
// and the chosen output sampled at every multiple of the print interval.

#include "Obrada.h"

#include "Brojevi.h"

#include <algorithm>
#include <cfenv>

namespace skem {

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
    Prirastaji.assign(m + 1, TNizK{});
    Vrednosti.assign(static_cast<std::size_t>(BrojBlokova) + 1, 0.0);

    std::feclearexcept(FE_ALL_EXCEPT);

    double* v = Vrednosti.data();
    Plan.assign(static_cast<std::size_t>(DuzinaRedosleda) + 1, TBlokZapis{});
    PozicijaUPlanu.assign(static_cast<std::size_t>(BrojBlokova) + 1, 0);
    for (std::int32_t p = 2; p <= DuzinaRedosleda; ++p) {
        const std::int32_t b = Redosled[static_cast<std::size_t>(p)];
        Plan[static_cast<std::size_t>(p)] = Blokovi[static_cast<std::size_t>(b)];
        PozicijaUPlanu[static_cast<std::size_t>(b)] = p;
        v[b] = Blokovi[static_cast<std::size_t>(b)].Parametar1;
    }
    for (std::size_t i = 1; i <= m; ++i)
        Stanja[i] = Blokovi[static_cast<std::size_t>(Integratori[i])].Parametar1;

    Vreme = 0;
    v[BrojBlokova] = 0;
    const double tolerancija = PolaIntervala / (IntervalStampanja * 2);
    Prekid.Vrsta = 0;
    Prekid.Poruka.clear();
    std::int64_t sledeci = Trunc(Vreme / IntervalStampanja + 1);
    BrojUzorka = 0;

    PocetniProlaz = true;
    Izracunaj();
    PocetniProlaz = false;
    ZapamtiUzorak();

    const long double h = Interval;
    const long double sestina = 0.16666666666666666667L;
    double* y = Stanja.data();
    double* y0 = PocetnaStanja.data();
    const double* f = Izvodi.data();
    TNizK* k = Prirastaji.data();
    auto postaviFazu = [this](std::uint8_t faza) {
        if (Prekid.Vrsta < 3) Prekid.Vrsta = faza;
    };

    for (;;) {
        postaviFazu(1);
        for (std::size_t i = 1; i <= m; ++i) {
            y0[i] = y[i];
            k[i].K1 = h * f[i];
            y[i] = static_cast<double>(k[i].K1 * 0.5L + y0[i]);
        }
        Vreme += PolaIntervala;
        v[BrojBlokova] = Vreme;
        Izracunaj();

        postaviFazu(2);
        for (std::size_t i = 1; i <= m; ++i) {
            k[i].K2 = h * f[i];
            y[i] = static_cast<double>(k[i].K2 * 0.5L + y0[i]);
        }
        Izracunaj();

        for (std::size_t i = 1; i <= m; ++i) {
            k[i].K3 = h * f[i];
            y[i] = static_cast<double>(k[i].K3 + y0[i]);
        }
        Vreme += PolaIntervala;
        v[BrojBlokova] = Vreme;
        Izracunaj();

        for (std::size_t i = 1; i <= m; ++i)
            y[i] = static_cast<double>((k[i].K2 * 2 + k[i].K1 + k[i].K3 * 2 + h * f[i]) * sestina +
                                       y0[i]);
        Izracunaj();

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
