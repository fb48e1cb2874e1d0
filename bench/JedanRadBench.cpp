// One batch run without its CSV: the document read into the model, copied
// for the engine and run, as skem --run does before it writes anything. The
// baseline of bench/PythonBench.py.
//
//   skem_bench_jedan_rad FILE.skem D H P [REPEATS]
// prints the best wall-clock time in seconds of REPEATS (default 3).

#include "ModelDokumenta.h"
#include "Obrada.h"
#include "OpcijeProvera.h"
#include "Serija.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "upotreba: %s FAJL.skem D H P [PONAVLJANJA]\n", argv[0]);
        return 2;
    }
    skem::TOpcijeSimulacije opcije;
    const skem::TRezultatProvere provera = skem::ProveriOpcije(argv[2], argv[3], argv[4], opcije);
    if (provera.Provera != 0) {
        std::fprintf(stderr, "%s\n", provera.Poruka.c_str());
        return 2;
    }
    const int ponavljanja = argc > 5 ? std::atoi(argv[5]) : 3;
    double najbolje = 1e300;
    for (int i = 0; i < ponavljanja; ++i) {
        const auto pocetak = std::chrono::steady_clock::now();
        const skem::TKopijaModela osnova =
            skem::KopijaIzModela(skem::UcitajModelIzFajla(QString::fromLocal8Bit(argv[1])));
        skem::TSimulacija simulacija;
        skem::MatrixReal rezultati;
        const skem::TIshodSimulacije ishod =
            skem::IzvediSimulaciju(skem::TPlanSerije{}, osnova, 1, opcije, simulacija, rezultati);
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - pocetak).count();
        if (!ishod.Uspeh) {
            std::fprintf(stderr, "%s\n", ishod.Poruka.c_str());
            return 1;
        }
        najbolje = std::min(najbolje, s);
    }
    std::printf("%.3f\n", najbolje);
    return 0;
}
