#include "PracenjeRada.h"

#include <algorithm>
#include <thread>

namespace skem {

void TPracenjeRada::Pripremi(std::vector<std::size_t> praceneKolone, std::int64_t redova,
                             const std::atomic<bool>* zahtev) {
    const std::lock_guard<std::mutex> z(zakljucano);
    kolone = std::move(praceneKolone);
    svakiKti = std::max<std::int64_t>(1, (redova + NajviseTacaka - 1) / NajviseTacaka);
    poslednjiRed = redova - 1;
    redUzorka = 0;
    zaustavi = zahtev;
    vremena.clear();
    vrednosti.clear();
    naCekanju.clear();
    predate.clear();
    imaNovih = false;
    pauzirano = false;
    vreme = 0;
    merim = false;
}

void TPracenjeRada::DodajIzmenu(int blok, int parametar, double vrednost) {
    const std::lock_guard<std::mutex> z(zakljucano);
    // Moves faster than the run's steps: only the last one reaches the run.
    for (TIzmenaParametra& i : naCekanju)
        if (i.Blok == blok && i.Parametar == parametar) {
            i.Vrednost = VrednostIzmene(vrednost);
            return;
        }
    naCekanju.push_back({0, blok, parametar, VrednostIzmene(vrednost)});
    imaNovih.store(true, std::memory_order_release);
}

std::size_t TPracenjeRada::Preuzmi(std::size_t od, std::vector<double>& t,
                                   std::vector<double>& v) const {
    const std::lock_guard<std::mutex> z(zakljucano);
    const std::size_t n = vremena.size();
    t.assign(vremena.begin() + static_cast<std::ptrdiff_t>(std::min(od, n)), vremena.end());
    v.assign(vrednosti.begin() + static_cast<std::ptrdiff_t>(std::min(od, n) * kolone.size()),
             vrednosti.end());
    return n;
}

TListaIzmena TPracenjeRada::Izmene() const {
    const std::lock_guard<std::mutex> z(zakljucano);
    return predate;
}

void TPracenjeRada::Uzorak(double t, const double* v) {
    const std::int64_t red = redUzorka++;
    if (kolone.empty() || (red % svakiKti != 0 && red != poslednjiRed)) return;
    const std::lock_guard<std::mutex> z(zakljucano);
    vremena.push_back(t);
    for (std::size_t k : kolone)
        vrednosti.push_back(v[k]);
}

bool TPracenjeRada::PosleKoraka(double t, TListaIzmena& nove) {
    vreme.store(t, std::memory_order_relaxed);
    if (imaNovih.load(std::memory_order_acquire)) {
        const std::lock_guard<std::mutex> z(zakljucano);
        for (TIzmenaParametra i : naCekanju) {
            i.Vreme = t;
            nove.push_back(i);
            predate.push_back(i);
        }
        naCekanju.clear();
        imaNovih.store(false, std::memory_order_relaxed);
    }
    if (pauzirano.load(std::memory_order_relaxed)) {
        while (pauzirano.load(std::memory_order_relaxed) && !Zaustavljen())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        merim = false;
    }
    const double f = brzina.load(std::memory_order_relaxed);
    if (!(f > 0)) {
        merim = false;
        return !Zaustavljen();
    }
    if (!merim || f != brzinaMerenja) {
        merim = true;
        t0 = t;
        brzinaMerenja = f;
        pocetak = Sat::now();
        return !Zaustavljen();
    }
    // Ahead of the wall clock: wait, a slice at a time, so a stop, a pause
    // or a new pace is seen within a moment.
    const auto cilj = pocetak + std::chrono::duration_cast<Sat::duration>(
                                    std::chrono::duration<double>((t - t0) / f));
    for (;;) {
        if (Zaustavljen()) return false;
        const auto sada = Sat::now();
        if (sada >= cilj || pauzirano.load(std::memory_order_relaxed) ||
            brzina.load(std::memory_order_relaxed) != f)
            return true;
        std::this_thread::sleep_for(
            std::min<Sat::duration>(cilj - sada, std::chrono::milliseconds(50)));
    }
}

} // namespace skem
