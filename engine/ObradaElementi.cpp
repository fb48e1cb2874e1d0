// The evaluation pass and the element kinds: what each block computes from
// its inputs and parameters when the pass reaches it. Elements never throw;
// they raise an interruption that the integration loop checks at the end of
// the step. Every error is detected before the operation that would fault,
// so the floating-point flags only ever report genuine arithmetic faults.

#include "Obrada.h"

#include <chrono>
#include <cmath>

namespace skem {

void TSimulacija::PrijaviGresku(const char* poruka, std::int32_t blok) {
    Prekid.Vrsta = TStanjeRada::Greska;
    Prekid.Poruka = poruka;
    Prekid.Blok = blok;
}

// A Quit never hides an element error raised in the same step.
void TSimulacija::PrijaviKraj() {
    if (Prekid.Vrsta == TStanjeRada::Greska) return;
    Prekid.Vrsta = TStanjeRada::Quit;
    Prekid.Poruka = PorukaQuit;
}

namespace {

// A pass record's code: the kind's own code for the kinds a pass computes,
// or one of the codes beyond the kinds.
constexpr std::uint8_t Kod(TVrstaElementa v) {
    return SifraVrste(v);
}
constexpr std::uint8_t KodBezRacuna = 29; // constants, the time source and unknown kinds
constexpr std::uint8_t KodKraja = 30;     // the record after the last ordered block
// The most frequent kinds with their unconnected inputs left out. Such an input
// reads the value table's slot 0, always +0, so its term is the parameter times
// +0: a zero whose sign the parameter gives (if the parameter is finite, else
// the kind stays general). Adding such zeros one after the other equals adding
// their sum, so one precomputed zero in Parametar3 gives the very same result.
constexpr std::uint8_t KodZbirDvaUlaza = 31;    // weighted summer without input 3
constexpr std::uint8_t KodIntegratorJedan = 32; // integrator with input 1 only

bool Konacan(double x) {
    return std::isfinite(x);
}

} // namespace

void TSimulacija::PripremiPlan() {
    Plan.assign(static_cast<std::size_t>(DuzinaRedosleda) + 2, TKorakProlaza{});
    PozicijaUPlanu.assign(static_cast<std::size_t>(BrojBlokova) + 1, 0);
    for (std::int32_t p = 2; p <= DuzinaRedosleda; ++p) {
        const std::int32_t b = Redosled[static_cast<std::size_t>(p)];
        const TBlokZapis& z = Blokovi[static_cast<std::size_t>(b)];
        TKorakProlaza& k = Plan[static_cast<std::size_t>(p)];
        k.Ulaz1 = z.Ulaz1;
        k.Ulaz2 = z.Ulaz2;
        k.Ulaz3 = z.Ulaz3;
        k.Parametar1 = z.Parametar1;
        k.Parametar2 = z.Parametar2;
        k.Parametar3 = z.Parametar3;
        if (z.Sifra == TVrstaElementa::Integrator) {
            k.Izlaz = z.Indeks;
        } else {
            k.Izlaz = z.Broj;
            k.Indeks = z.Indeks;
        }
        k.Kod = RacunaSe(z.Sifra) ? Kod(z.Sifra) : KodBezRacuna;
        if (z.Sifra == TVrstaElementa::Sumator && z.Ulaz3 == 0 && Konacan(z.Parametar3)) {
            k.Kod = KodZbirDvaUlaza;
            k.Parametar3 = z.Parametar3 * 0.0;
        } else if (z.Sifra == TVrstaElementa::Integrator && z.Ulaz2 == 0 && z.Ulaz3 == 0 &&
                   Konacan(z.Parametar2) && Konacan(z.Parametar3)) {
            k.Kod = KodIntegratorJedan;
            k.Parametar3 = z.Parametar2 * 0.0 + z.Parametar3 * 0.0;
        }
        PozicijaUPlanu[static_cast<std::size_t>(b)] = p;
    }
    Plan[0].Kod = KodBezRacuna;
    Plan[1].Kod = KodBezRacuna; // the time source
    Plan[static_cast<std::size_t>(DuzinaRedosleda) + 1].Kod = KodKraja;
}

void TSimulacija::Izracunaj() {
    double* v = Vrednosti.data();
    for (std::int32_t i = 1; i <= BrojIntegratora; ++i)
        v[Integratori[static_cast<std::size_t>(i)]] = Stanja[static_cast<std::size_t>(i)];
    Relaksacija = 0;
    IzracunajOd(BrojKonstanti + 2);
}

// One switch per record. A case ends with break, which moves the walk to the
// next record, or with continue, when a Wye has moved it back to its loop
// start; the end record after the last ordered block returns.
void TSimulacija::IzracunajOd(std::int32_t pozicija) {
    if (pozicija > DuzinaRedosleda) {
        PrijaviGresku(PorukaGreskaObrade);
        return;
    }
    TKorakProlaza* const plan = Plan.data();
    double* const v = Vrednosti.data();
    double* const izvodi = Izvodi.data();
    const bool pocetni = PocetniProlaz;
    // A Wye may move the walk back to its loop start.
    TKorakProlaza* z = plan + pozicija;
    for (;;) {
        switch (z->Kod) {
        case Kod(TVrstaElementa::OdabiranjeIDrzanje): { // track-and-hold, memory in p2
            if (pocetni) z->Parametar2 = z->Parametar1;
            const double u2 = v[z->Ulaz2];
            if (u2 < 0) {
                v[z->Izlaz] = 0;
            } else if (u2 == 0) {
                v[z->Izlaz] = z->Parametar2;
            } else {
                z->Parametar2 = v[z->Ulaz1];
                v[z->Izlaz] = z->Parametar2;
            }
            break;
        }
        case Kod(TVrstaElementa::ArkusTangens): { // arctangent
            const double y = z->Parametar2 * v[z->Ulaz1] + z->Parametar3;
            if (y < 0)
                PrijaviGresku(PorukaArcTan, z->Izlaz);
            else
                v[z->Izlaz] = z->Parametar1 * std::atan(y);
            break;
        }
        case Kod(TVrstaElementa::Znak): { // sign
            const double u = v[z->Ulaz1];
            v[z->Izlaz] = u > 0 ? 1.0 : (u < 0 ? -1.0 : 0.0);
            break;
        }
        case Kod(TVrstaElementa::Kosinus): { // cosine
            v[z->Izlaz] = z->Parametar1 * std::cos(z->Parametar2 * v[z->Ulaz1] + z->Parametar3);
            break;
        }
        case Kod(TVrstaElementa::MrtvaZona): { // dead zone
            const double u = v[z->Ulaz1];
            v[z->Izlaz] = (z->Parametar1 < u && u < z->Parametar2) ? 0.0 : u;
            break;
        }
        case Kod(TVrstaElementa::Delitelj): { // divider
            const double u2 = v[z->Ulaz2];
            if (u2 == 0)
                PrijaviGresku(PorukaDelitelj, z->Izlaz);
            else
                v[z->Izlaz] = v[z->Ulaz1] / u2;
            break;
        }
        case Kod(TVrstaElementa::EksponencijalnaFunkcija): { // exponential
            v[z->Izlaz] = z->Parametar1 * std::exp(z->Parametar2 * v[z->Ulaz1] + z->Parametar3);
            break;
        }
        case Kod(TVrstaElementa::GeneratorFunkcija): { // function generator over [p2, p1]
            const double d = z->Parametar1 - z->Parametar2;
            if (d <= 0) {
                PrijaviGresku(PorukaGenerator, z->Izlaz);
            } else {
                const auto& t = Tabele[static_cast<std::size_t>(z->Indeks)];
                const double x = (v[z->Ulaz1] - z->Parametar2) * 10 / d;
                if (x <= 0) {
                    v[z->Izlaz] = t[0];
                } else if (!(x < 10)) {
                    // Also keeps a huge x away from the integer conversion below.
                    v[z->Izlaz] = t[10];
                } else {
                    const int i = static_cast<int>(x);
                    v[z->Izlaz] = t[i] + (x - i) * (t[i + 1] - t[i]);
                }
            }
            break;
        }
        case Kod(TVrstaElementa::Pojacanje): { // gain
            v[z->Izlaz] = z->Parametar1 * v[z->Ulaz1];
            break;
        }
        case Kod(TVrstaElementa::KvadratniKoren): { // square root
            const double u = v[z->Ulaz1];
            if (u < 0)
                PrijaviGresku(PorukaKoren, z->Izlaz);
            else
                v[z->Izlaz] = std::sqrt(u);
            break;
        }
        case Kod(TVrstaElementa::Integrator): { // integrator: its derivative
            izvodi[z->Izlaz] =
                v[z->Ulaz1] + z->Parametar2 * v[z->Ulaz2] + z->Parametar3 * v[z->Ulaz3];
            break;
        }
        case Kod(TVrstaElementa::GeneratorSlucajnihBrojeva): { // random, reseeded from the clock at
                                                               // every evaluation
            const auto ns = std::chrono::steady_clock::now().time_since_epoch().count();
            std::uint32_t seme = static_cast<std::uint32_t>(ns);
            seme = seme * 134775813u + 1u;
            v[z->Izlaz] = seme / 4294967296.0;
            break;
        }
        case Kod(TVrstaElementa::Ogranicavac): { // limiter, lower bound first
            const double u = v[z->Ulaz1];
            v[z->Izlaz] =
                u < z->Parametar1 ? z->Parametar1 : (u > z->Parametar2 ? z->Parametar2 : u);
            break;
        }
        case Kod(TVrstaElementa::ApsolutnaVrednost): {
            v[z->Izlaz] = std::fabs(v[z->Ulaz1]);
            break;
        }
        case Kod(TVrstaElementa::Invertor): {
            v[z->Izlaz] = -v[z->Ulaz1];
            break;
        }
        case Kod(TVrstaElementa::PozitivniDeo): {
            const double u = v[z->Ulaz1];
            v[z->Izlaz] = u >= 0 ? u : 0.0;
            break;
        }
        case Kod(TVrstaElementa::Pomeraj): {
            v[z->Izlaz] = v[z->Ulaz1] + z->Parametar1;
            break;
        }
        case Kod(TVrstaElementa::NegativniDeo): {
            const double u = v[z->Ulaz1];
            v[z->Izlaz] = u <= 0 ? u : 0.0;
            break;
        }
        case Kod(TVrstaElementa::Quit): { // Quit
            if (v[z->Ulaz1] > v[z->Ulaz2]) PrijaviKraj();
            break;
        }
        case Kod(TVrstaElementa::PrekidacUlaza): { // input switch
            v[z->Izlaz] = v[z->Ulaz1] >= 0 ? v[z->Ulaz2] : v[z->Ulaz3];
            break;
        }
        case Kod(TVrstaElementa::Sinus): { // sine
            v[z->Izlaz] = z->Parametar1 * std::sin(z->Parametar2 * v[z->Ulaz1] + z->Parametar3);
            break;
        }
        case Kod(TVrstaElementa::OdskocnaFunkcija): { // step
            v[z->Izlaz] = v[z->Ulaz1] >= 0 ? 1.0 : 0.0;
            break;
        }
        case Kod(TVrstaElementa::Memorija): { // memory: lags its input by one pass; memory in p2
            v[z->Izlaz] = pocetni ? z->Parametar1 : z->Parametar2;
            z->Parametar2 = v[z->Ulaz1];
            break;
        }
        case Kod(TVrstaElementa::PocetakPetlje): { // loop start
            if (pocetni) z->Indeks = static_cast<std::int32_t>(z - plan);
            break;
        }
        case Kod(TVrstaElementa::Sumator): { // weighted summer
            v[z->Izlaz] = z->Parametar1 * v[z->Ulaz1] + z->Parametar2 * v[z->Ulaz2] +
                          z->Parametar3 * v[z->Ulaz3];
            break;
        }
        case Kod(TVrstaElementa::Mnozac): {
            v[z->Izlaz] = v[z->Ulaz1] * v[z->Ulaz2];
            break;
        }
        case Kod(TVrstaElementa::Wye): { // Wye
            // A zero or missing first input is reported first, whatever feeds it.
            const double u1 = v[z->Ulaz1];
            if (u1 == 0) {
                PrijaviGresku(PorukaWyeNula, z->Izlaz);
                break;
            }
            // Only a loop start gives the walk a position to restart from.
            const std::int32_t petlja =
                z->Ulaz1 < BrojBlokova ? PozicijaUPlanu[static_cast<std::size_t>(z->Ulaz1)] : 0;
            if (petlja < 2 || plan[petlja].Kod != Kod(TVrstaElementa::PocetakPetlje) ||
                plan[petlja].Indeks < 2) {
                PrijaviGresku(PorukaWyeIzvor, z->Izlaz);
                break;
            }
            const double u2 = v[z->Ulaz2];
            if (z->Parametar1 > std::fabs(1 - u2 / u1)) {
                v[z->Izlaz] = u1;
                break;
            }
            if (Relaksacija >= MaksRelaksacija) {
                PrijaviGresku(PorukaWyeKonvergencija, z->Izlaz);
                break;
            }
            ++Relaksacija;
            v[z->Ulaz1] = u1 * (1 - z->Parametar2) + u2 * z->Parametar2;
            // The walk resumes at the loop start itself.
            z = plan + plan[petlja].Indeks;
            continue;
        }
        case KodZbirDvaUlaza: { // weighted summer, input 3 not connected
            v[z->Izlaz] = z->Parametar1 * v[z->Ulaz1] + z->Parametar2 * v[z->Ulaz2] + z->Parametar3;
            break;
        }
        case KodIntegratorJedan: { // integrator, inputs 2 and 3 not connected
            izvodi[z->Izlaz] = v[z->Ulaz1] + z->Parametar3;
            break;
        }
        // Constants, the time source and unknown kinds.
        case KodBezRacuna:
            break;
        case KodKraja:
            return;
        default: // never: every code a plan holds is listed above
            return;
        }
        ++z;
    }
}

} // namespace skem
