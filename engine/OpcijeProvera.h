#pragma once
// The checks of the simulation options (duration D, integration interval h,
// print interval P), shared by the options dialog and the batch runner.

#include "SimulacijaPogled.h"

#include <string>

namespace skem {

struct TRezultatProvere {
    int Provera = 0;            // 0 = all passed, else the number (1..7) of the failed check
    std::string Poruka;         // the check's message ("\n" for a line break)
    int Polje = 0;              // field 1..3 that receives the focus; 0 = focus stays
    bool SelektujTekst = false; // the field's text is selected
};

// Runs the seven checks in order on the three field texts. Each value is stored
// into `vrednosti` as soon as it has been parsed, before it is checked.
TRezultatProvere ProveriOpcije(const std::string& trajanje, const std::string& interval,
                               const std::string& intervalStampanja, TOpcijeSimulacije& vrednosti);

// The tolerances of a variable-step method, checked after the seven as
// checks 8 (relative, field 4) and 9 (absolute, field 5); an empty field is
// check 1's. Each value is stored into `vrednosti` as soon as it is parsed.
TRezultatProvere ProveriTolerancije(const std::string& relativna, const std::string& apsolutna,
                                    TOpcijeSimulacije& vrednosti);

inline constexpr const char* PorukaRelativnaTolerancija =
    "Relativna tolerancija mora biti pozitivan realan broj!";
inline constexpr const char* PorukaApsolutnaTolerancija =
    "Apsolutna tolerancija mora biti pozitivan realan broj!";

} // namespace skem
