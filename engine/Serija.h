#pragma once
// A batch of runs of one model: fixed overrides ("3.p1=2"), sweeps that form
// a grid of values ("3.p1=0:1:11", "5.o2=1,2,4") and repetitions with seeded
// random sources. Runs are numbered from 1 over the grid, the first sweep
// varying slowest and the repetitions fastest; run r is then the same on every
// machine, whatever slice or thread computes it.

#include "CsvRezultata.h"
#include "KopijaModela.h"
#include "Obrada.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skem {

struct TPostavka {
    TCiljIzmene Cilj;
    double Vrednost = 0;
};

struct TPromenljiva {
    TCiljIzmene Cilj;
    std::vector<double> Vrednosti;
};

// "N.pK" (K = 1..3) or "N.oJ" (J = 0..10); false for any other text.
bool ProcitajCilj(std::string_view tekst, TCiljIzmene& cilj);
// "N.pK=V". Returns an empty text when read, else what is wrong (a sentence).
std::string ProcitajPostavku(std::string_view tekst, TPostavka& postavka);
// "N.pK=A:B:C" (C values from A to B, both included) or "N.pK=v1,v2,...".
std::string ProcitajPromenljivu(std::string_view tekst, TPromenljiva& promenljiva);

// The seed of run r's random sources for the batch seed s: the low 32 bits of
// the r-th output of SplitMix64 started at s (for r = 1, the first output).
std::uint32_t SemeSimulacije(std::uint64_t s, std::int64_t r);

// Runs [od, do] (from 1) of slice i of m nearly equal consecutive slices.
std::pair<std::int64_t, std::int64_t> DeoSerije(std::int64_t ukupno, std::int64_t i,
                                                std::int64_t m);

// Most runs one batch may have.
inline constexpr std::int64_t MaksSimulacija = 2147483647;

class TPlanSerije {
public:
    std::vector<TPostavka> Postavke;
    std::vector<TPromenljiva> Promenljive;
    std::int64_t Ponavljanja = 1;
    std::optional<std::uint64_t> Seme; // none: the clock seeds the random sources

    // Empty when the plan is usable: every target named once, the grid not
    // beyond MaksSimulacija; else what is wrong.
    std::string Proveri() const;
    std::int64_t BrojSimulacija() const;
    // The value each sweep takes in run r, in sweep order.
    std::vector<double> Tacka(std::int64_t r) const;
    // The fixed overrides, then run r's sweep values.
    void Primeni(std::int64_t r, TKopijaModela& model) const;
};

// One finished run: its CSV (filled by the caller, as a single run prints
// it or as rows of the long form) or its message.
struct TIshodSimulacije {
    bool Uspeh = false;
    bool Zaustavljena = false; // stopped on request; Poruka is TSimulacija::PorukaPrekinuta
    bool Quit = false;         // a success that a Quit element ended
    double Vreme = 0;          // the simulated time reached (TSimulacija::VremeZaustavljanja)
    double Korak = 0;          // h of the run, to show Vreme at its precision (0: a variable step)
    // A success that a variable-step solver cut short (TSimulacija::PorukaResavaca).
    std::string PorukaResavaca;
    std::string Csv;
    std::string Poruka;
};

// Runs run r of the plan on `simulacija` (the caller's, one per thread, with
// its stop flag) over a copy of `osnova`, into `rezultati`. Element errors,
// arithmetic faults, refused models and a stop end in Poruka; exhausted
// memory and other faults leave as exceptions.
TIshodSimulacije IzvediSimulaciju(const TPlanSerije& plan, const TKopijaModela& osnova,
                                  std::int64_t r, const TOpcijeSimulacije& opcije,
                                  TSimulacija& simulacija, MatrixReal& rezultati);
// The same, the rows handed to `prijem` as the run makes them (TSimulacija::
// Izvedi); the receiver drops them unless the outcome is a success.
TIshodSimulacije IzvediSimulaciju(const TPlanSerije& plan, const TKopijaModela& osnova,
                                  std::int64_t r, const TOpcijeSimulacije& opcije,
                                  TSimulacija& simulacija, TPrijemRedova& prijem);

} // namespace skem
