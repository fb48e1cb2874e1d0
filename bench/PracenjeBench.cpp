// The window's run observer (TPracenjeRada): what watching a run costs the
// engine, and how closely a paced run keeps to the wall clock.
//
//   skem_bench_pracenje [ROUNDS]   cost: a chain of 40 oscillators run as
//                                  fast as possible, plain and watched (three
//                                  blocks, every printed row), interleaved;
//                                  the best thread processor time of each
//   skem_bench_pracenje --tempo    pace: 5 simulated seconds at 1x the wall
//                                  clock (h = 0.01); wall seconds taken
//   ... --metod dp45|bdf           either under a variable-step method (h the
//                                  largest step)
// Exit code 1 when watching costs more than 5 % or the paced run misses 5 s
// by more than 0.2 s.

#include "MetodIntegracije.h"
#include "ModelZaBench.h"
#include "PracenjeRada.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

using namespace skem;
using namespace skem::bench;

namespace {

// x'' = -w² x - 0.1 x', w from 1 to 2, each pair a summer and two integrators.
TModel Oscilatori(int n) {
    TModel m;
    for (int i = 0; i < n; ++i) {
        const double w = 1 + double(i) / n;
        TBlok* zbir = m.Dodaj(26, -w * w, -0.1);
        TBlok* v = m.Dodaj(10);
        TBlok* x = m.Dodaj(10, 1);
        zbir->Izvori[0] = x;
        zbir->Izvori[1] = v;
        v->Izvori[0] = zbir;
        x->Izvori[0] = v;
    }
    return m;
}

} // namespace

int main(int argc, char** argv) {
    // "--metod NAME" may come anywhere; the other arguments keep their places.
    TMetodIntegracije metod = TMetodIntegracije::RK4;
    std::vector<char*> argumenti{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--metod") == 0 && i + 1 < argc) {
            if (!ProcitajMetod(argv[++i], metod)) {
                std::fprintf(stderr, "nepoznat metod: %s\n", argv[i]);
                return 2;
            }
        } else {
            argumenti.push_back(argv[i]);
        }
    }
    argc = int(argumenti.size());
    argv = argumenti.data();
    const TModel model = Oscilatori(40);
    const std::vector<const TBlokPogled*> lista = model.Lista();
    TOpcije opcije;
    TSimulacija s(&opcije);
    s.PostaviPrevodjenje(TPrevodjenje::Ne);
    MatrixReal m;
    TPracenjeRada pracenje;
    std::atomic<bool> zaustavi{false};

    if (argc > 1 && std::strcmp(argv[1], "--tempo") == 0) {
        opcije.O = {5, 0.01, 0.05, metod};
        pracenje.Pripremi({2, 5, 8}, 101, &zaustavi);
        pracenje.PostaviBrzinu(1);
        s.PostaviPosmatraca(&pracenje);
        const auto pocetak = std::chrono::steady_clock::now();
        s.Simuliraj(lista, m);
        const double zid =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - pocetak).count();
        const bool dobro = s.Uspeh() && std::abs(zid - 5) <= 0.2;
        std::printf("1x realno vreme, 5 s simulacije: %.3f s (dozvoljeno 5 +- 0.2) %s\n", zid,
                    dobro ? "DA" : "NE");
        return dobro ? 0 : 1;
    }

    const int krugova = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    opcije.O = {200, 0.001, 0.01, metod};
    double obican = 1e300, pracen = 1e300;
    for (int k = 0; k < krugova; ++k) {
        for (const bool sa : {false, true}) {
            if (sa) pracenje.Pripremi({2, 5, 8}, 20001, &zaustavi);
            s.PostaviPosmatraca(sa ? &pracenje : nullptr);
            const double t0 = SekundiNiti();
            s.Simuliraj(lista, m);
            const double t = SekundiNiti() - t0;
            (sa ? pracen : obican) = std::min(sa ? pracen : obican, t);
        }
    }
    const double odnos = pracen / obican;
    std::printf("bez pracenja %.3f s, sa pracenjem %.3f s, odnos %.3f (najvise 1.05) %s\n", obican,
                pracen, odnos, odnos <= 1.05 ? "DA" : "NE");
    return odnos <= 1.05 ? 0 : 1;
}
