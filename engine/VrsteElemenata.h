#pragma once
// The element kinds and what the program asks of each: how many inputs it
// reads, whether its output is known before any pass (and so never evaluated),
// whether it has a row in the results and what memory it keeps. A block's kind
// is an 8-bit code in documents and in the block view; codes beyond the table
// are kept as they are and compute nothing. The table below is the one place
// that counts the kinds: everything sized by kind takes BrojVrstaElemenata, and
// the tests check the catalogue, the pictures and the help pages against it
// (README, "Adding an element kind").

#include <array>
#include <cstdint>

namespace skem {

enum class TVrstaElementa : std::uint8_t {
    OdabiranjeIDrzanje = 0, // track-and-hold
    ArkusTangens = 1,
    Znak = 2,
    Kosinus = 3,
    MrtvaZona = 4,
    Delitelj = 5,
    EksponencijalnaFunkcija = 6,
    GeneratorFunkcija = 7,
    Pojacanje = 8,
    KvadratniKoren = 9,
    Integrator = 10,
    GeneratorSlucajnihBrojeva = 11,
    Konstanta = 12,
    Ogranicavac = 13,
    ApsolutnaVrednost = 14,
    Invertor = 15,
    PozitivniDeo = 16,
    Pomeraj = 17, // adds p1
    NegativniDeo = 18,
    Quit = 19,
    PrekidacUlaza = 20,
    Sinus = 21,
    OdskocnaFunkcija = 22, // unit step
    Memorija = 23,         // lags its input by one pass
    PocetakPetlje = 24,
    Vreme = 25,   // the time source
    Sumator = 26, // weighted sum
    Mnozac = 27,
    Wye = 28, // closes an algebraic loop started by PocetakPetlje
    // A diagram folded into one block, and the ports inside it that stand for
    // its inputs and outputs. A run never sees them: the document's hierarchy
    // is flattened into direct connections first (ModelDokumenta.h).
    Podsistem = 29,
    UlazPodsistema = 30,
    IzlazPodsistema = 31,
};

// The kind's 8-bit code, as documents and the block view carry it.
constexpr std::uint8_t SifraVrste(TVrstaElementa v) {
    return static_cast<std::uint8_t>(v);
}

// Any 8-bit code converts; one beyond the table stays an unknown kind.
constexpr TVrstaElementa VrstaIzSifre(std::uint8_t sifra) {
    return static_cast<TVrstaElementa>(sifra);
}

// What a kind keeps from one pass to the next; all of it starts afresh with
// every run.
enum class TMemorijaVrste : std::uint8_t {
    Nema,
    // Kept beside an output that still follows the inputs (track-and-hold;
    // the loop start's own position in the order).
    Pomocna,
    // The output is the memory itself (integrator state, memory element), so
    // it is known before a pass and closes a loop for the ordering.
    Izlazna,
};

struct TOsobineVrste {
    TVrstaElementa Vrsta{};
    std::uint8_t Ulaza = 0;       // reads inputs 1..Ulaza
    bool PoznatPrePolaza = false; // constant (p1), time source (t): never evaluated
    bool URezultatima = true;     // has a row in the results table and the CSV
    TMemorijaVrste Memorija = TMemorijaVrste::Nema;
    bool DoRada = true; // reaches a run; the hierarchy's kinds are flattened away before
};

namespace detalji {

using V = TVrstaElementa;
using M = TMemorijaVrste;

constexpr TOsobineVrste Racuna(V vrsta, std::uint8_t ulaza, M memorija = M::Nema) {
    return {vrsta, ulaza, false, true, memorija};
}
constexpr TOsobineVrste Poznat(V vrsta) {
    return {vrsta, 0, true, false, M::Nema};
}
constexpr TOsobineVrste Hijerarhija(V vrsta, std::uint8_t ulaza) {
    return {vrsta, ulaza, false, false, M::Nema, false};
}

// By code; entry i belongs to the kind with code i.
inline constexpr auto OsobineVrsta = std::to_array<TOsobineVrste>({
    Racuna(V::OdabiranjeIDrzanje, 2, M::Pomocna),
    Racuna(V::ArkusTangens, 1),
    Racuna(V::Znak, 1),
    Racuna(V::Kosinus, 1),
    Racuna(V::MrtvaZona, 1),
    Racuna(V::Delitelj, 2),
    Racuna(V::EksponencijalnaFunkcija, 1),
    Racuna(V::GeneratorFunkcija, 1),
    Racuna(V::Pojacanje, 1),
    Racuna(V::KvadratniKoren, 1),
    Racuna(V::Integrator, 3, M::Izlazna),
    Racuna(V::GeneratorSlucajnihBrojeva, 0),
    Poznat(V::Konstanta),
    Racuna(V::Ogranicavac, 1),
    Racuna(V::ApsolutnaVrednost, 1),
    Racuna(V::Invertor, 1),
    Racuna(V::PozitivniDeo, 1),
    Racuna(V::Pomeraj, 1),
    Racuna(V::NegativniDeo, 1),
    Racuna(V::Quit, 2),
    Racuna(V::PrekidacUlaza, 3),
    Racuna(V::Sinus, 1),
    Racuna(V::OdskocnaFunkcija, 1),
    Racuna(V::Memorija, 1, M::Izlazna),
    Racuna(V::PocetakPetlje, 0, M::Pomocna),
    Poznat(V::Vreme),
    Racuna(V::Sumator, 3),
    Racuna(V::Mnozac, 2),
    Racuna(V::Wye, 2),
    // A subsystem's inputs are its input ports, as many as its content has.
    Hijerarhija(V::Podsistem, 0),
    Hijerarhija(V::UlazPodsistema, 0),
    Hijerarhija(V::IzlazPodsistema, 1),
});

} // namespace detalji

// How many kinds there are: codes 0 .. BrojVrstaElemenata - 1.
inline constexpr int BrojVrstaElemenata = static_cast<int>(detalji::OsobineVrsta.size());

constexpr bool JePoznataVrsta(TVrstaElementa v) {
    return SifraVrste(v) < BrojVrstaElemenata;
}

namespace detalji {

constexpr bool PoRedu() {
    for (int i = 0; i < BrojVrstaElemenata; ++i)
        if (OsobineVrsta[i].Vrsta != static_cast<V>(i)) return false;
    return true;
}
static_assert(PoRedu(), "the table of kinds is out of code order");

} // namespace detalji

// An unknown kind reads nothing, computes nothing and keeps its row.
constexpr TOsobineVrste Osobine(TVrstaElementa v) {
    return JePoznataVrsta(v) ? detalji::OsobineVrsta[SifraVrste(v)] : TOsobineVrste{v};
}

constexpr int BrojUlaza(TVrstaElementa v) {
    return Osobine(v).Ulaza;
}

constexpr bool PoznatPrePolaza(TVrstaElementa v) {
    return Osobine(v).PoznatPrePolaza;
}

// Whether a pass has anything to compute for the kind.
constexpr bool RacunaSe(TVrstaElementa v) {
    return JePoznataVrsta(v) && !PoznatPrePolaza(v) && Osobine(v).DoRada;
}

constexpr bool URezultatima(TVrstaElementa v) {
    return Osobine(v).URezultatima;
}

// A subsystem's input or output port (its number is parameter 1, its name caption str2).
constexpr bool JePortPodsistema(TVrstaElementa v) {
    return v == TVrstaElementa::UlazPodsistema || v == TVrstaElementa::IzlazPodsistema;
}

// An input fed by such a kind is available to the ordering before its source is placed.
constexpr bool IzlazIzMemorije(TVrstaElementa v) {
    return Osobine(v).Memorija == TMemorijaVrste::Izlazna;
}

} // namespace skem
