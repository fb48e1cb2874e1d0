// The evaluation pass and the element kinds: what each block computes from
// its inputs and parameters when the pass reaches it. Elements never throw;
// they raise an interruption that the integration loop checks at the end of
// the step. Every error is detected before the operation that would fault,
// so the floating-point flags only ever report genuine arithmetic faults.

#include "Obrada.h"

#include <chrono>
#include <cmath>

namespace skem {

void TSimulacija::PrijaviGresku(const char* poruka) {
    Prekid.Vrsta = 3;
    Prekid.Poruka = poruka;
}

// A Quit never hides an element error raised in the same step.
void TSimulacija::PrijaviKraj() {
    if (Prekid.Vrsta == 3) return;
    Prekid.Vrsta = 4;
    Prekid.Poruka = PorukaQuit;
}

void TSimulacija::Izracunaj() {
    double* v = Vrednosti.data();
    for (std::int32_t i = 1; i <= BrojIntegratora; ++i)
        v[Integratori[static_cast<std::size_t>(i)]] = Stanja[static_cast<std::size_t>(i)];
    Relaksacija = 0;
    IzracunajOd(BrojKonstanti + 2);
}

void TSimulacija::IzracunajOd(std::int32_t pozicija) {
    if (pozicija > DuzinaRedosleda) {
        PrijaviGresku(PorukaGreskaObrade);
        return;
    }
    TBlokZapis* plan = Plan.data();
    double* v = Vrednosti.data();
    double* izvodi = Izvodi.data();
    // One switch per block; a Wye may move the position back to its loop start.
    for (std::int32_t p = pozicija; p <= DuzinaRedosleda; ++p) {
        TBlokZapis& z = plan[p];
        double& izlaz = v[z.Broj];
        switch (z.Sifra) {
        case 0: { // track-and-hold, memory in p2
            if (PocetniProlaz) z.Parametar2 = z.Parametar1;
            const double u2 = v[z.Ulaz2];
            if (u2 < 0) {
                izlaz = 0;
            } else if (u2 == 0) {
                izlaz = z.Parametar2;
            } else {
                z.Parametar2 = v[z.Ulaz1];
                izlaz = z.Parametar2;
            }
            break;
        }
        case 1: { // arctangent
            const double y = z.Parametar2 * v[z.Ulaz1] + z.Parametar3;
            if (y < 0)
                PrijaviGresku(PorukaArcTan);
            else
                izlaz = z.Parametar1 * std::atan(y);
            break;
        }
        case 2: { // sign
            const double u = v[z.Ulaz1];
            izlaz = u > 0 ? 1.0 : (u < 0 ? -1.0 : 0.0);
            break;
        }
        case 3: // cosine
            izlaz = z.Parametar1 * std::cos(z.Parametar2 * v[z.Ulaz1] + z.Parametar3);
            break;
        case 4: { // dead zone
            const double u = v[z.Ulaz1];
            izlaz = (z.Parametar1 < u && u < z.Parametar2) ? 0.0 : u;
            break;
        }
        case 5: { // divider
            const double u2 = v[z.Ulaz2];
            if (u2 == 0)
                PrijaviGresku(PorukaDelitelj);
            else
                izlaz = v[z.Ulaz1] / u2;
            break;
        }
        case 6: // exponential
            izlaz = z.Parametar1 * std::exp(z.Parametar2 * v[z.Ulaz1] + z.Parametar3);
            break;
        case 7: { // function generator over [p2, p1]
            const double d = z.Parametar1 - z.Parametar2;
            if (d <= 0) {
                PrijaviGresku(PorukaGenerator);
                break;
            }
            const auto& t = Tabele[static_cast<std::size_t>(z.Indeks)];
            const double x = (v[z.Ulaz1] - z.Parametar2) * 10 / d;
            if (x <= 0) {
                izlaz = t[0];
            } else if (!(x < 10)) {
                // Also keeps a huge x away from the integer conversion below.
                izlaz = t[10];
            } else {
                const int i = static_cast<int>(x);
                izlaz = t[i] + (x - i) * (t[i + 1] - t[i]);
            }
            break;
        }
        case 8: // gain
            izlaz = z.Parametar1 * v[z.Ulaz1];
            break;
        case 9: { // square root
            const double u = v[z.Ulaz1];
            if (u < 0)
                PrijaviGresku(PorukaKoren);
            else
                izlaz = std::sqrt(u);
            break;
        }
        case seIntegrator:
            izvodi[z.Indeks] = v[z.Ulaz1] + z.Parametar2 * v[z.Ulaz2] + z.Parametar3 * v[z.Ulaz3];
            break;
        case seSlucajni: { // reseeded from the clock at every evaluation
            const auto ns = std::chrono::steady_clock::now().time_since_epoch().count();
            std::uint32_t seme = static_cast<std::uint32_t>(ns);
            seme = seme * 134775813u + 1u;
            izlaz = seme / 4294967296.0;
            break;
        }
        case 13: { // limiter, lower bound first
            const double u = v[z.Ulaz1];
            izlaz = u < z.Parametar1 ? z.Parametar1 : (u > z.Parametar2 ? z.Parametar2 : u);
            break;
        }
        case 14:
            izlaz = std::fabs(v[z.Ulaz1]);
            break;
        case 15:
            izlaz = -v[z.Ulaz1];
            break;
        case 16: {
            const double u = v[z.Ulaz1];
            izlaz = u >= 0 ? u : 0.0;
            break;
        }
        case 17:
            izlaz = v[z.Ulaz1] + z.Parametar1;
            break;
        case 18: {
            const double u = v[z.Ulaz1];
            izlaz = u <= 0 ? u : 0.0;
            break;
        }
        case 19: // Quit
            if (v[z.Ulaz1] > v[z.Ulaz2]) PrijaviKraj();
            break;
        case 20: // input switch
            izlaz = v[z.Ulaz1] >= 0 ? v[z.Ulaz2] : v[z.Ulaz3];
            break;
        case 21: // sine
            izlaz = z.Parametar1 * std::sin(z.Parametar2 * v[z.Ulaz1] + z.Parametar3);
            break;
        case 22: // step
            izlaz = v[z.Ulaz1] >= 0 ? 1.0 : 0.0;
            break;
        case seMemorija: // lags its input by one pass; memory in p2
            izlaz = PocetniProlaz ? z.Parametar1 : z.Parametar2;
            z.Parametar2 = v[z.Ulaz1];
            break;
        case sePocetakPetlje:
            if (PocetniProlaz) z.Indeks = p;
            break;
        case 26: // weighted summer
            izlaz =
                z.Parametar1 * v[z.Ulaz1] + z.Parametar2 * v[z.Ulaz2] + z.Parametar3 * v[z.Ulaz3];
            break;
        case 27:
            izlaz = v[z.Ulaz1] * v[z.Ulaz2];
            break;
        case seWye: {
            if (z.Ulaz1 == 0) {
                PrijaviGresku(PorukaWyeNula);
                break;
            }
            // Only a loop start gives the walk a position to restart from.
            const std::int32_t petlja =
                z.Ulaz1 < BrojBlokova ? PozicijaUPlanu[static_cast<std::size_t>(z.Ulaz1)] : 0;
            if (petlja < 2 || plan[petlja].Sifra != sePocetakPetlje || plan[petlja].Indeks < 2) {
                PrijaviGresku(PorukaWyeIzvor);
                break;
            }
            const double u1 = v[z.Ulaz1];
            if (u1 == 0) {
                PrijaviGresku(PorukaWyeNula);
                break;
            }
            const double u2 = v[z.Ulaz2];
            if (z.Parametar1 > std::fabs(1 - u2 / u1)) {
                izlaz = u1;
                break;
            }
            if (Relaksacija >= MaksRelaksacija) {
                PrijaviGresku(PorukaWyeKonvergencija);
                break;
            }
            ++Relaksacija;
            v[z.Ulaz1] = u1 * (1 - z.Parametar2) + u2 * z.Parametar2;
            // The loop increments, so the walk resumes at the loop start itself.
            p = plan[petlja].Indeks - 1;
            break;
        }
        default: // constants, the time source and unknown kinds compute nothing
            break;
        }
    }
}

} // namespace skem
