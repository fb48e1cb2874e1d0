#include "MemorijaRezultata.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <unistd.h>

namespace skem {

namespace {

constexpr std::uint64_t MB = std::uint64_t(1) << 20;
constexpr std::uint64_t Najvise = std::numeric_limits<std::uint64_t>::max();

// The exact byte count, whatever its size (64-bit mantissa).
long double Bajtova(std::int64_t redova, std::int64_t kolona) {
    if (redova <= 0 || kolona < 0) return 0;
    return static_cast<long double>(redova) * static_cast<long double>(kolona) * sizeof(double);
}

std::uint64_t Zasiceno(long double v) {
    return v >= static_cast<long double>(Najvise) ? Najvise : std::uint64_t(v);
}

} // namespace

std::uint64_t BajtovaRezultata(std::int64_t redova, std::int64_t kolona) {
    return Zasiceno(Bajtova(redova, kolona));
}

std::uint64_t DostupnaMemorija() {
    // "MemAvailable:   21504000 kB"; some lines carry no unit, so line by line.
    std::ifstream meminfo("/proc/meminfo");
    for (std::string red; std::getline(meminfo, red);) {
        unsigned long long kb = 0;
        if (std::sscanf(red.c_str(), "MemAvailable: %llu kB", &kb) == 1)
            return Zasiceno(static_cast<long double>(kb) * 1024);
    }
    const long strane = sysconf(_SC_AVPHYS_PAGES);
    const long velicina = sysconf(_SC_PAGESIZE);
    if (strane <= 0 || velicina <= 0) return Najvise; // unknown: nothing is refused
    return Zasiceno(static_cast<long double>(strane) * velicina);
}

std::string ProveriMemorijuRezultata(std::int64_t redova, std::int64_t kolona,
                                     std::uint64_t dostupno) {
    const long double potrebno = Bajtova(redova, kolona + 1);
    if (potrebno <= static_cast<long double>(dostupno)) return {};
    const std::uint64_t potrebnoMB = Zasiceno(std::ceil(potrebno / MB));
    return "Za rezultate simulacije potrebno je " + std::to_string(potrebnoMB) +
           " MB memorije, a slobodno je samo " + std::to_string(dostupno / MB) + " MB!";
}

} // namespace skem
