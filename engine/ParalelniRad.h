#pragma once
// Independent jobs numbered od..do on several threads, their results handed
// back in number order on the calling thread. Each thread makes its own
// worker state (an engine object, say) once and reuses it for its jobs.
// Threads take the next number as they finish, so a slow job does not hold
// the others up, and never run more than a few jobs ahead of the delivery,
// so waiting results stay few.

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace skem {

// posao(broj, radnik) -> result runs on any thread; primi(broj, result&&) on
// the calling thread, in order, returning false to stop (jobs under way end,
// no more start). An exception from a job stops the rest and is rethrown here.
template <class TRadnik, class TPosao, class TPrijem>
void IzvrsiRedom(std::int64_t od, std::int64_t doBroja, int niti, TPosao posao, TPrijem primi) {
    if (doBroja < od) return;
    const std::int64_t ukupno = doBroja - od + 1;
    niti = static_cast<int>(std::clamp<std::int64_t>(niti, 1, ukupno));
    if (niti == 1) {
        TRadnik radnik;
        for (std::int64_t b = od; b <= doBroja; ++b)
            if (!primi(b, posao(b, radnik))) return;
        return;
    }

    using TRezultat = std::invoke_result_t<TPosao&, std::int64_t, TRadnik&>;
    const std::int64_t prozor = 4 * static_cast<std::int64_t>(niti);
    std::mutex zakljucano;
    std::condition_variable promena;
    std::map<std::int64_t, TRezultat> gotovi;
    std::int64_t sledeci = od; // the next number a thread takes
    std::int64_t naRedu = od;  // the next number delivered
    bool kraj = false;
    std::exception_ptr greska;

    auto radi = [&] {
        TRadnik radnik;
        for (;;) {
            std::int64_t b;
            {
                std::unique_lock<std::mutex> z(zakljucano);
                promena.wait(z, [&] { return kraj || sledeci - naRedu < prozor; });
                if (kraj || sledeci > doBroja) return;
                b = sledeci++;
            }
            try {
                TRezultat r = posao(b, radnik);
                std::lock_guard<std::mutex> z(zakljucano);
                gotovi.emplace(b, std::move(r));
            } catch (...) {
                std::lock_guard<std::mutex> z(zakljucano);
                if (!greska) greska = std::current_exception();
                kraj = true;
            }
            promena.notify_all();
        }
    };

    std::vector<std::thread> radnici;
    radnici.reserve(static_cast<std::size_t>(niti));
    for (int i = 0; i < niti; ++i)
        radnici.emplace_back(radi);

    for (std::int64_t b = od; b <= doBroja; ++b) {
        std::unique_lock<std::mutex> z(zakljucano);
        promena.wait(z, [&] { return greska || gotovi.count(b) > 0; });
        if (greska) break;
        TRezultat r = std::move(gotovi.at(b));
        gotovi.erase(b);
        naRedu = b + 1;
        z.unlock();
        promena.notify_all();
        if (!primi(b, std::move(r))) break;
    }
    {
        std::lock_guard<std::mutex> z(zakljucano);
        kraj = true;
    }
    promena.notify_all();
    for (std::thread& t : radnici)
        t.join();
    if (greska) std::rethrow_exception(greska);
}

} // namespace skem
