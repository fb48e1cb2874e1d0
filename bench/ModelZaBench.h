#pragma once
// What the engine benchmarks share: models built in code (blocks numbered in
// the order they are added), options handed to every run, and the clocks.

#include "Obrada.h"

#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

namespace skem::bench {

class TBlok : public TBlokPogled {
public:
    std::uint8_t Sifra = 0;
    int Broj = 0;
    double P[3] = {0, 0, 0};
    const TBlok* Izvori[3] = {nullptr, nullptr, nullptr};
    std::uint8_t SifraBloka() const override { return Sifra; }
    int LokalniBrojBloka() const override { return Broj; }
    double ParametarBloka(int k) const override { return P[k - 1]; }
    std::array<double, 11> OrdinateBloka() const override { return {}; }
    const TBlokPogled* IzvorUlazaBloka(int k) const override { return Izvori[k]; }
};

class TModel {
public:
    TBlok* Dodaj(std::uint8_t sifra, double p1 = 0, double p2 = 0, double p3 = 0) {
        blokovi.push_back(std::make_unique<TBlok>());
        TBlok* b = blokovi.back().get();
        b->Sifra = sifra;
        b->Broj = static_cast<int>(blokovi.size());
        b->P[0] = p1;
        b->P[1] = p2;
        b->P[2] = p3;
        return b;
    }
    std::vector<const TBlokPogled*> Lista() const {
        std::vector<const TBlokPogled*> l;
        for (const auto& b : blokovi)
            l.push_back(b.get());
        return l;
    }

private:
    std::vector<std::unique_ptr<TBlok>> blokovi;
};

class TOpcije : public TIzvorOpcija {
public:
    TOpcijeSimulacije O;
    bool PitajOpcije(TOpcijeSimulacije& o) override {
        o = O;
        return true;
    }
};

using Sat = std::chrono::steady_clock;

inline double Sekundi(Sat::time_point od) {
    return std::chrono::duration<double>(Sat::now() - od).count();
}

// The processor time of this thread: a busy machine's other work, which
// moves wall times by tens of per cent, is left out.
inline double SekundiNiti() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

} // namespace skem::bench
