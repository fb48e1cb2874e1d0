#pragma once
// TPracenjeRada: the window's observer of a run (TPosmatracRada). On the
// integrating thread it keeps the watched blocks' printed values in a buffer,
// paces the run against the wall clock, holds it while paused and hands over
// the slider changes; the GUI thread reads the buffer on a timer and sets the
// pace, the pause and the changes at any time. Nothing here blocks the run
// unless it is paced or paused.

#include "IzmeneParametara.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

namespace skem {

class TPracenjeRada : public TPosmatracRada {
public:
    // Before a run (no run under way): the blocks to watch as positions in
    // the run's list (from 0), the number of printed rows the run makes and
    // the flag that stops it. At most about NajviseTacaka rows are kept:
    // every k-th printed row, the last one too.
    void Pripremi(std::vector<std::size_t> kolone, std::int64_t redova,
                  const std::atomic<bool>* zaustavi);
    static constexpr std::int64_t NajviseTacaka = 4000;

    // Simulated seconds per wall second; 0 or less: as fast as possible.
    void PostaviBrzinu(double faktor) { brzina.store(faktor, std::memory_order_relaxed); }
    void PostaviPauzu(bool pauza) { pauzirano.store(pauza, std::memory_order_relaxed); }
    bool Pauzirano() const { return pauzirano.load(std::memory_order_relaxed); }
    // A change to act from the next step on (any thread).
    void DodajIzmenu(int blok, int parametar, double vrednost);
    // The simulated time the run has reached.
    double Vreme() const { return vreme.load(std::memory_order_relaxed); }

    // The rows kept so far from row `od` on: times and, for each, the watched
    // columns in order. Returns how many rows there are in all.
    std::size_t Preuzmi(std::size_t od, std::vector<double>& vremena,
                        std::vector<double>& vrednosti) const;
    // The changes handed to the run so far, with the times they act from.
    TListaIzmena Izmene() const;

    void Uzorak(double t, const double* vrednosti) override;
    bool PosleKoraka(double t, TListaIzmena& nove) override;

private:
    using Sat = std::chrono::steady_clock;
    bool Zaustavljen() const { return zaustavi && zaustavi->load(std::memory_order_relaxed); }

    std::vector<std::size_t> kolone;
    std::int64_t svakiKti = 1;
    std::int64_t redUzorka = 0;
    std::int64_t poslednjiRed = 0;
    const std::atomic<bool>* zaustavi = nullptr;

    std::atomic<double> brzina{0};
    std::atomic<bool> pauzirano{false};
    std::atomic<double> vreme{0};
    std::atomic<bool> imaNovih{false};
    // Pacing: the wall time at which the run was at simulated time t0 at the
    // pace it had then; taken again after a pause or a change of pace.
    bool merim = false;
    double t0 = 0;
    double brzinaMerenja = 0;
    Sat::time_point pocetak;

    mutable std::mutex zakljucano;
    std::vector<double> vremena;   // kept rows
    std::vector<double> vrednosti; // kept rows x watched columns
    TListaIzmena naCekanju;
    TListaIzmena predate;
};

} // namespace skem
