#pragma once
// The 29 element kinds and what the program asks of each: how many inputs it
// reads, whether its output is known before any pass (and so never evaluated),
// whether it has a row in the results and what memory it keeps. A block's kind
// is an 8-bit code in documents and in the block view; codes beyond the table
// are kept as they are and compute nothing.

#include <array>
#include <cstdint>

namespace skem {

enum class TVrstaElementa : std::uint8_t {
    OdabiranjeIDrzanje = 0,
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
    Pomeraj = 17,
    NegativniDeo = 18,
    Quit = 19,
    PrekidacUlaza = 20,
    Sinus = 21,
    OdskocnaFunkcija = 22,
    Memorija = 23,
    PocetakPetlje = 24,
    Vreme = 25,
    Sumator = 26,
    Mnozac = 27,
    Wye = 28,
};

inline constexpr int BrojVrstaElemenata = 29;

// The kind's 8-bit code, as documents and the block view carry it.
constexpr std::uint8_t SifraVrste(TVrstaElementa v) {
    return static_cast<std::uint8_t>(v);
}

// Any 8-bit code converts; one beyond the table stays an unknown kind.
constexpr TVrstaElementa VrstaIzSifre(std::uint8_t sifra) {
    return static_cast<TVrstaElementa>(sifra);
}

constexpr bool JePoznataVrsta(TVrstaElementa v) {
    return SifraVrste(v) < BrojVrstaElemenata;
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
    std::uint8_t Ulaza = 0;       // reads inputs 1..Ulaza
    bool PoznatPrePolaza = false; // constant (p1), time source (t): never evaluated
    bool URezultatima = true;     // has a row in the results table and the CSV
    TMemorijaVrste Memorija = TMemorijaVrste::Nema;
};

namespace detalji {

constexpr TOsobineVrste Racuna(std::uint8_t ulaza, TMemorijaVrste memorija = TMemorijaVrste::Nema) {
    return {ulaza, false, true, memorija};
}
constexpr TOsobineVrste Poznat() {
    return {0, true, false, TMemorijaVrste::Nema};
}

} // namespace detalji

// By code; entry i belongs to the kind with code i.
inline constexpr std::array<TOsobineVrste, BrojVrstaElemenata> OsobineVrsta = {
    detalji::Racuna(2, TMemorijaVrste::Pomocna), // track-and-hold
    detalji::Racuna(1),                          // arctangent
    detalji::Racuna(1),                          // sign
    detalji::Racuna(1),                          // cosine
    detalji::Racuna(1),                          // dead zone
    detalji::Racuna(2),                          // divider
    detalji::Racuna(1),                          // exponential
    detalji::Racuna(1),                          // function generator
    detalji::Racuna(1),                          // gain
    detalji::Racuna(1),                          // square root
    detalji::Racuna(3, TMemorijaVrste::Izlazna), // integrator
    detalji::Racuna(0),                          // random source
    detalji::Poznat(),                           // constant
    detalji::Racuna(1),                          // limiter
    detalji::Racuna(1),                          // absolute value
    detalji::Racuna(1),                          // inverter
    detalji::Racuna(1),                          // positive part
    detalji::Racuna(1),                          // bias
    detalji::Racuna(1),                          // negative part
    detalji::Racuna(2),                          // Quit
    detalji::Racuna(3),                          // input switch
    detalji::Racuna(1),                          // sine
    detalji::Racuna(1),                          // step
    detalji::Racuna(1, TMemorijaVrste::Izlazna), // memory
    detalji::Racuna(0, TMemorijaVrste::Pomocna), // loop start
    detalji::Poznat(),                           // time source
    detalji::Racuna(3),                          // weighted summer
    detalji::Racuna(2),                          // multiplier
    detalji::Racuna(2),                          // Wye
};

// An unknown kind reads nothing, computes nothing and keeps its row.
constexpr TOsobineVrste Osobine(TVrstaElementa v) {
    return JePoznataVrsta(v) ? OsobineVrsta[SifraVrste(v)] : TOsobineVrste{};
}

constexpr int BrojUlaza(TVrstaElementa v) {
    return Osobine(v).Ulaza;
}

constexpr bool PoznatPrePolaza(TVrstaElementa v) {
    return Osobine(v).PoznatPrePolaza;
}

// Whether a pass has anything to compute for the kind.
constexpr bool RacunaSe(TVrstaElementa v) {
    return JePoznataVrsta(v) && !PoznatPrePolaza(v);
}

constexpr bool URezultatima(TVrstaElementa v) {
    return Osobine(v).URezultatima;
}

// An input fed by such a kind is available to the ordering before its source is placed.
constexpr bool IzlazIzMemorije(TVrstaElementa v) {
    return Osobine(v).Memorija == TMemorijaVrste::Izlazna;
}

} // namespace skem
