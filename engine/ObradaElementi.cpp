// The evaluation pass and the element kinds: what each block computes from
// its inputs and parameters when the pass reaches it. Elements never throw;
// they raise an interruption that the integration loop checks at the end of
// the step. Every error is detected before the operation that would fault,
// so the floating-point flags only ever report genuine arithmetic faults.

#include "Obrada.h"
#include "SitneVrednosti.h"

#include <chrono>
#include <cmath>
#include <iterator>

namespace skem {

void TSimulacija::PrijaviGresku(const char* poruka, std::int32_t blok) {
    prekid.Vrsta = TStanjeRada::Greska;
    prekid.Poruka = poruka;
    prekid.Blok = blok;
}

// A Quit never hides an element error raised in the same step.
void TSimulacija::PrijaviKraj() {
    if (prekid.Vrsta == TStanjeRada::Greska) return;
    prekid.Vrsta = TStanjeRada::Quit;
    prekid.Poruka = PorukaQuit;
}

double TSimulacija::SlucajnaVrednost() {
    std::uint32_t s = zadatoSeme ? seme
                                 : static_cast<std::uint32_t>(
                                       std::chrono::steady_clock::now().time_since_epoch().count());
    s = s * 134775813u + 1u;
    seme = s;
    return s / 4294967296.0;
}

void TSimulacija::PrevedenaGreska(void* s, std::int32_t poruka, std::int32_t blok) {
    static constexpr const char* poruke[] = {PorukaArcTan,          PorukaDelitelj, PorukaGenerator,
                                             PorukaKoren,           PorukaWyeNula,  PorukaWyeIzvor,
                                             PorukaWyeKonvergencija};
    static_assert(std::size(poruke) == std::size_t(TGreskaPrevedenog::WyeKonvergencija) + 1);
    static_cast<TSimulacija*>(s)->PrijaviGresku(poruke[poruka], blok);
}

void TSimulacija::PrevedenKraj(void* s) {
    static_cast<TSimulacija*>(s)->PrijaviKraj();
}

double TSimulacija::PrevedenaSlucajna(void* s) {
    return static_cast<TSimulacija*>(s)->SlucajnaVrednost();
}

TPlanZaPrevodjenje TSimulacija::PlanZaPrevodjenje() const {
    TPlanZaPrevodjenje p;
    p.Plan = planProlaza.data();
    p.Duzina = duzinaRedosleda;
    p.Pocetak = brojKonstanti + 2;
    p.BrojBlokova = brojBlokova;
    p.BrojIntegratora = brojIntegratora;
    p.Integratori = integratori.data();
    p.PozicijaUPlanu = pozicijaUPlanu.data();
    return p;
}

namespace {

// A pass record's code: the kind's own code for the kinds a pass computes,
// or one of the codes beyond the kinds.
constexpr std::uint8_t Kod(TVrstaElementa v) {
    return SifraVrste(v);
}
// The first code after the kinds: constants, the time source and unknown kinds.
constexpr std::uint8_t KodBezRacuna = BrojVrstaElemenata;
constexpr std::uint8_t KodKraja = KodBezRacuna + 1; // the record after the last ordered block
// The most frequent kinds with their unconnected inputs left out. Such an input
// reads the value table's slot 0, always +0, so its term is the parameter times
// +0: a zero whose sign the parameter gives (if the parameter is finite, else
// the kind stays general). Adding such zeros one after the other equals adding
// their sum, so one precomputed zero in Parametar3 gives the very same result.
constexpr std::uint8_t KodZbirDvaUlaza = KodBezRacuna + 2;    // weighted summer without input 3
constexpr std::uint8_t KodIntegratorJedan = KodBezRacuna + 3; // integrator with input 1 only

bool Konacan(double x) {
    return std::isfinite(x);
}

} // namespace

void TSimulacija::PripremiPlan() {
    planProlaza.assign(static_cast<std::size_t>(duzinaRedosleda) + 2, TKorakProlaza{});
    pozicijaUPlanu.assign(static_cast<std::size_t>(brojBlokova) + 1, 0);
    for (std::int32_t p = 2; p <= duzinaRedosleda; ++p) {
        const std::int32_t b = redosled[static_cast<std::size_t>(p)];
        const TBlokZapis& z = blokovi[static_cast<std::size_t>(b)];
        TKorakProlaza& k = planProlaza[static_cast<std::size_t>(p)];
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
        pozicijaUPlanu[static_cast<std::size_t>(b)] = p;
    }
    planProlaza[0].Kod = KodBezRacuna;
    planProlaza[1].Kod = KodBezRacuna; // the time source
    planProlaza[static_cast<std::size_t>(duzinaRedosleda) + 1].Kod = KodKraja;
}

// A change reaches the plan as PripremiPlan would have put its value there,
// derived values included, so a run changed at its start equals one that
// began with the value. A memory kept in Parametar2 is no parameter; the
// kinds that read a parameter only in the initial pass take no later change,
// but a constant's output is its parameter.
void TSimulacija::PrimeniIzmenu(const TIzmenaParametra& izmena) {
    const auto par = izmena.Parametar;
    const auto b = static_cast<std::size_t>(izmena.Blok);
    if (b < 1 || b >= blokovi.size() || par < 1 || par > 3) return;
    if (parametriRada.empty()) {
        parametriRada.resize(blokovi.size());
        for (std::size_t i = 1; i < blokovi.size(); ++i)
            parametriRada[i] = {blokovi[i].Parametar1, blokovi[i].Parametar2,
                                blokovi[i].Parametar3};
    }
    const TVrstaElementa vrsta = blokovi[b].Sifra;
    if (par == 2 &&
        (vrsta == TVrstaElementa::OdabiranjeIDrzanje || vrsta == TVrstaElementa::Memorija))
        return;
    std::array<double, 3>& p = parametriRada[b];
    p[static_cast<std::size_t>(par) - 1] = BezSitnih(izmena.Vrednost);
    if (vrsta == TVrstaElementa::Konstanta && par == 1) vrednosti[b] = p[0];
    const std::int32_t pozicija = pozicijaUPlanu[b];
    if (pozicija < 2) return;
    TKorakProlaza& k = planProlaza[static_cast<std::size_t>(pozicija)];
    k.Parametar1 = p[0];
    if (vrsta != TVrstaElementa::OdabiranjeIDrzanje && vrsta != TVrstaElementa::Memorija)
        k.Parametar2 = p[1];
    k.Parametar3 = p[2];
    if (k.Kod == KodZbirDvaUlaza) k.Parametar3 = p[2] * 0.0;
    if (k.Kod == KodIntegratorJedan) k.Parametar3 = p[1] * 0.0 + p[2] * 0.0;
    if (vrsta == TVrstaElementa::GeneratorFunkcija && par <= 2) PromeniTabelu(izmena);
}

// A generator whose table follows its range gets the table a run begun with
// the new range would have, made as Prevedi makes it.
void TSimulacija::PromeniTabelu(const TIzmenaParametra& izmena) {
    const auto indeks =
        static_cast<std::size_t>(blokovi[static_cast<std::size_t>(izmena.Blok)].Indeks);
    if (indeks < 1 || indeks >= rasponiTabela.size() || !rasponiTabela[indeks].IzParametara) return;
    if (rasponiRada.empty()) rasponiRada = rasponiTabela;
    TRasponTabele& r = rasponiRada[indeks];
    (izmena.Parametar == 1 ? r.Gornja : r.Donja) = izmena.Vrednost;
    tabele[indeks] = PodrazumevaneOrdinate(r.Gornja, r.Donja);
    for (double& y : tabele[indeks])
        y = BezSitnih(y);
}

void TSimulacija::Izracunaj() {
    double* v = vrednosti.data();
    for (std::int32_t i = 1; i <= brojIntegratora; ++i)
        v[integratori[static_cast<std::size_t>(i)]] = stanja[static_cast<std::size_t>(i)];
    relaksacija = 0;
    IzracunajOd(brojKonstanti + 2);
}

// Each record ends by going straight to the code of the next one (a jump per
// kind, where the compiler supports computed jumps, so every kind's jump is
// predicted on its own), or else through one switch. SKEM_BEZ_RACUNATIH_SKOKOVA
// selects the switch with any compiler.
#if defined(__GNUC__) && !defined(SKEM_BEZ_RACUNATIH_SKOKOVA)
#define SKEM_RACUNATI_SKOKOVI 1
#endif
#if defined(SKEM_RACUNATI_SKOKOVI)
#define SKEM_VRSTA(ime) vrsta##ime
#define SKEM_KOD(ime) vrsta##ime
#define SKEM_OVDE goto * z->Oznaka
#define SKEM_DALJE goto*(++z)->Oznaka
#else
#define SKEM_VRSTA(ime) case Kod(TVrstaElementa::ime)
#define SKEM_KOD(ime) case ime
#define SKEM_OVDE continue
#define SKEM_DALJE                                                                                 \
    {                                                                                              \
        ++z;                                                                                       \
        continue;                                                                                  \
    }
#endif

void TSimulacija::IzracunajOd(std::int32_t pozicija) {
    if (pozicija > duzinaRedosleda) {
        PrijaviGresku(PorukaGreskaObrade);
        return;
    }
    TKorakProlaza* const plan = planProlaza.data();
    double* const v = vrednosti.data();
    double* const f = izvodi.data();
    const bool pocetni = pocetniProlaz;
    // A Wye may move the walk back to its loop start.
    TKorakProlaza* z = plan + pozicija;
#if defined(SKEM_RACUNATI_SKOKOVI)
    // By code: one entry per kind of the kind table (constants and the time
    // source reach a plan as KodBezRacuna), then the pass codes from KodBezRacuna.
    static const void* const oznake[] = {
        &&vrstaOdabiranjeIDrzanje,        // 0
        &&vrstaArkusTangens,              // 1
        &&vrstaZnak,                      // 2
        &&vrstaKosinus,                   // 3
        &&vrstaMrtvaZona,                 // 4
        &&vrstaDelitelj,                  // 5
        &&vrstaEksponencijalnaFunkcija,   // 6
        &&vrstaGeneratorFunkcija,         // 7
        &&vrstaPojacanje,                 // 8
        &&vrstaKvadratniKoren,            // 9
        &&vrstaIntegrator,                // 10
        &&vrstaGeneratorSlucajnihBrojeva, // 11
        &&vrstaKodBezRacuna,              // 12
        &&vrstaOgranicavac,               // 13
        &&vrstaApsolutnaVrednost,         // 14
        &&vrstaInvertor,                  // 15
        &&vrstaPozitivniDeo,              // 16
        &&vrstaPomeraj,                   // 17
        &&vrstaNegativniDeo,              // 18
        &&vrstaQuit,                      // 19
        &&vrstaPrekidacUlaza,             // 20
        &&vrstaSinus,                     // 21
        &&vrstaOdskocnaFunkcija,          // 22
        &&vrstaMemorija,                  // 23
        &&vrstaPocetakPetlje,             // 24
        &&vrstaKodBezRacuna,              // 25
        &&vrstaSumator,                   // 26
        &&vrstaMnozac,                    // 27
        &&vrstaWye,                       // 28
        &&vrstaKodBezRacuna,              // 29 (the hierarchy's kinds never reach a plan)
        &&vrstaKodBezRacuna,              // 30
        &&vrstaKodBezRacuna,              // 31
        &&vrstaKodBezRacuna,              // 32
        &&vrstaKodKraja,                  // 33
        &&vrstaKodZbirDvaUlaza,           // 34
        &&vrstaKodIntegratorJedan         // 35
    };
    // A kind added to the table needs its entry here and its evaluation below.
    static_assert(std::size(oznake) == KodIntegratorJedan + 1);
    // Position 0 is never evaluated; its entry marks a plan whose records know their code.
    if (!plan[0].Oznaka) {
        for (std::int32_t p = 1; p <= duzinaRedosleda + 1; ++p)
            plan[p].Oznaka = oznake[plan[p].Kod];
        plan[0].Oznaka = oznake[KodKraja];
    }
    SKEM_OVDE;
#else
    for (;;) {
        switch (z->Kod) {
#endif
    SKEM_VRSTA(OdabiranjeIDrzanje) : { // track-and-hold, memory in p2
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
        SKEM_DALJE;
    }
    SKEM_VRSTA(ArkusTangens) : { // arctangent
        const double y = z->Parametar2 * v[z->Ulaz1] + z->Parametar3;
        if (y < 0)
            PrijaviGresku(PorukaArcTan, z->Izlaz);
        else
            v[z->Izlaz] = z->Parametar1 * std::atan(y);
        SKEM_DALJE;
    }
    SKEM_VRSTA(Znak) : { // sign
        const double u = v[z->Ulaz1];
        v[z->Izlaz] = u > 0 ? 1.0 : (u < 0 ? -1.0 : 0.0);
        SKEM_DALJE;
    }
    SKEM_VRSTA(Kosinus) : { // cosine
        v[z->Izlaz] = z->Parametar1 * std::cos(z->Parametar2 * v[z->Ulaz1] + z->Parametar3);
        SKEM_DALJE;
    }
    SKEM_VRSTA(MrtvaZona) : { // dead zone
        const double u = v[z->Ulaz1];
        v[z->Izlaz] = (z->Parametar1 < u && u < z->Parametar2) ? 0.0 : u;
        SKEM_DALJE;
    }
    SKEM_VRSTA(Delitelj) : { // divider
        const double u2 = v[z->Ulaz2];
        if (u2 == 0)
            PrijaviGresku(PorukaDelitelj, z->Izlaz);
        else
            v[z->Izlaz] = v[z->Ulaz1] / u2;
        SKEM_DALJE;
    }
    SKEM_VRSTA(EksponencijalnaFunkcija) : { // exponential
        v[z->Izlaz] = z->Parametar1 * std::exp(z->Parametar2 * v[z->Ulaz1] + z->Parametar3);
        SKEM_DALJE;
    }
    SKEM_VRSTA(GeneratorFunkcija) : { // function generator over [p2, p1]
        const double d = z->Parametar1 - z->Parametar2;
        if (d <= 0) {
            PrijaviGresku(PorukaGenerator, z->Izlaz);
        } else {
            const auto& t = tabele[static_cast<std::size_t>(z->Indeks)];
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
        SKEM_DALJE;
    }
    SKEM_VRSTA(Pojacanje) : { // gain
        v[z->Izlaz] = z->Parametar1 * v[z->Ulaz1];
        SKEM_DALJE;
    }
    SKEM_VRSTA(KvadratniKoren) : { // square root
        const double u = v[z->Ulaz1];
        if (u < 0)
            PrijaviGresku(PorukaKoren, z->Izlaz);
        else
            v[z->Izlaz] = std::sqrt(u);
        SKEM_DALJE;
    }
    SKEM_VRSTA(Integrator) : { // integrator: its derivative
        f[z->Izlaz] = v[z->Ulaz1] + z->Parametar2 * v[z->Ulaz2] + z->Parametar3 * v[z->Ulaz3];
        SKEM_DALJE;
    }
    SKEM_VRSTA(GeneratorSlucajnihBrojeva)
        : { // random: reseeded from the clock at every
            // evaluation, unless the run has a seed
        if (!zamrznutiSlucajni) v[z->Izlaz] = SlucajnaVrednost();
        SKEM_DALJE;
    }
    SKEM_VRSTA(Ogranicavac) : { // limiter, lower bound first
        const double u = v[z->Ulaz1];
        v[z->Izlaz] = u < z->Parametar1 ? z->Parametar1 : (u > z->Parametar2 ? z->Parametar2 : u);
        SKEM_DALJE;
    }
    SKEM_VRSTA(ApsolutnaVrednost) : {
        v[z->Izlaz] = std::fabs(v[z->Ulaz1]);
        SKEM_DALJE;
    }
    SKEM_VRSTA(Invertor) : {
        v[z->Izlaz] = -v[z->Ulaz1];
        SKEM_DALJE;
    }
    SKEM_VRSTA(PozitivniDeo) : {
        const double u = v[z->Ulaz1];
        v[z->Izlaz] = u >= 0 ? u : 0.0;
        SKEM_DALJE;
    }
    SKEM_VRSTA(Pomeraj) : {
        v[z->Izlaz] = v[z->Ulaz1] + z->Parametar1;
        SKEM_DALJE;
    }
    SKEM_VRSTA(NegativniDeo) : {
        const double u = v[z->Ulaz1];
        v[z->Izlaz] = u <= 0 ? u : 0.0;
        SKEM_DALJE;
    }
    SKEM_VRSTA(Quit) : { // Quit
        if (v[z->Ulaz1] > v[z->Ulaz2]) PrijaviKraj();
        SKEM_DALJE;
    }
    SKEM_VRSTA(PrekidacUlaza) : { // input switch
        v[z->Izlaz] = v[z->Ulaz1] >= 0 ? v[z->Ulaz2] : v[z->Ulaz3];
        SKEM_DALJE;
    }
    SKEM_VRSTA(Sinus) : { // sine
        v[z->Izlaz] = z->Parametar1 * std::sin(z->Parametar2 * v[z->Ulaz1] + z->Parametar3);
        SKEM_DALJE;
    }
    SKEM_VRSTA(OdskocnaFunkcija) : { // step
        v[z->Izlaz] = v[z->Ulaz1] >= 0 ? 1.0 : 0.0;
        SKEM_DALJE;
    }
    SKEM_VRSTA(Memorija) : { // memory: lags its input by one pass; memory in p2
        v[z->Izlaz] = pocetni ? z->Parametar1 : z->Parametar2;
        z->Parametar2 = v[z->Ulaz1];
        SKEM_DALJE;
    }
    SKEM_VRSTA(PocetakPetlje) : { // loop start
        if (pocetni) z->Indeks = static_cast<std::int32_t>(z - plan);
        SKEM_DALJE;
    }
    SKEM_VRSTA(Sumator) : { // weighted summer
        v[z->Izlaz] =
            z->Parametar1 * v[z->Ulaz1] + z->Parametar2 * v[z->Ulaz2] + z->Parametar3 * v[z->Ulaz3];
        SKEM_DALJE;
    }
    SKEM_VRSTA(Mnozac) : {
        v[z->Izlaz] = v[z->Ulaz1] * v[z->Ulaz2];
        SKEM_DALJE;
    }
    SKEM_VRSTA(Wye) : { // Wye
        // A zero or missing first input is reported first, whatever feeds it.
        const double u1 = v[z->Ulaz1];
        if (u1 == 0) {
            PrijaviGresku(PorukaWyeNula, z->Izlaz);
            SKEM_DALJE;
        }
        // Only a loop start gives the walk a position to restart from.
        const std::int32_t petlja =
            z->Ulaz1 < brojBlokova ? pozicijaUPlanu[static_cast<std::size_t>(z->Ulaz1)] : 0;
        if (petlja < 2 || plan[petlja].Kod != Kod(TVrstaElementa::PocetakPetlje) ||
            plan[petlja].Indeks < 2) {
            PrijaviGresku(PorukaWyeIzvor, z->Izlaz);
            SKEM_DALJE;
        }
        const double u2 = v[z->Ulaz2];
        if (z->Parametar1 > std::fabs(1 - u2 / u1)) {
            v[z->Izlaz] = u1;
            SKEM_DALJE;
        }
        if (relaksacija >= MaksRelaksacija) {
            PrijaviGresku(PorukaWyeKonvergencija, z->Izlaz);
            SKEM_DALJE;
        }
        ++relaksacija;
        v[z->Ulaz1] = u1 * (1 - z->Parametar2) + u2 * z->Parametar2;
        // The walk resumes at the loop start itself.
        z = plan + plan[petlja].Indeks;
        SKEM_OVDE;
    }
    SKEM_KOD(KodZbirDvaUlaza) : { // weighted summer, input 3 not connected
        v[z->Izlaz] = z->Parametar1 * v[z->Ulaz1] + z->Parametar2 * v[z->Ulaz2] + z->Parametar3;
        SKEM_DALJE;
    }
    SKEM_KOD(KodIntegratorJedan) : { // integrator, inputs 2 and 3 not connected
        f[z->Izlaz] = v[z->Ulaz1] + z->Parametar3;
        SKEM_DALJE;
    }
    // Constants, the time source and unknown kinds.
    SKEM_KOD(KodBezRacuna) : {
        SKEM_DALJE;
    }
    SKEM_KOD(KodKraja) : {
        return;
    }
    // clang-format off
#if !defined(SKEM_RACUNATI_SKOKOVI)
        default: // never: every code a plan holds is listed above
            return;
        }
    }
#endif
// clang-format on
}

#undef SKEM_VRSTA
#undef SKEM_KOD
#undef SKEM_OVDE
#undef SKEM_DALJE
#undef SKEM_RACUNATI_SKOKOVI

} // namespace skem
