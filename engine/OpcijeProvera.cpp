#include "OpcijeProvera.h"

#include "Brojevi.h"
#include "SitneVrednosti.h"

namespace skem {

namespace {
TRezultatProvere Neuspeh(int provera, const char* poruka, int polje, bool selektuj) {
    return TRezultatProvere{provera, poruka, polje, selektuj};
}
bool NijePozitivan(double v) {
    return v == NijeBroj || !(v > 0);
}
} // namespace

TRezultatProvere ProveriOpcije(const std::string& trajanje, const std::string& interval,
                               const std::string& intervalStampanja, TOpcijeSimulacije& vrednosti) {
    if (trajanje.empty() || interval.empty() || intervalStampanja.empty())
        return Neuspeh(1, "Niste uneli sve potrebne vrednosti!", 0, false);

    vrednosti.Trajanje = TekstURealan(trajanje);
    if (NijePozitivan(vrednosti.Trajanje))
        return Neuspeh(2, "Duzina trajanja simulacije mora biti pozitivan realan broj!", 1, true);

    vrednosti.Interval = TekstURealan(interval);
    if (NijePozitivan(vrednosti.Interval))
        return Neuspeh(3, "Interval integracije mora biti pozitivan realan broj!", 2, true);

    if (vrednosti.Trajanje < vrednosti.Interval)
        return Neuspeh(4, "Duzina trajanja simulacije mora biti veca od intervala integracije!", 2,
                       true);

    vrednosti.IntervalStampanja = TekstURealan(intervalStampanja);
    if (NijePozitivan(vrednosti.IntervalStampanja))
        return Neuspeh(5, "Interval stampanja mora biti pozitivan realan broj!", 3, true);

    if (vrednosti.IntervalStampanja < vrednosti.Interval ||
        vrednosti.IntervalStampanja >= vrednosti.Trajanje)
        return Neuspeh(6,
                       "Interval stampanja rezultata mora biti\nveci ili jednak intervalu "
                       "integracije i\n  manji od duzine trajanja simulacije!",
                       3, false);

    // Time advances by half steps until it passes D + h/2: a half step lost
    // in rounding at that size, or one below the smallest normal double
    // (a run takes it as zero), would never let the run end.
    const double polaKoraka = vrednosti.Interval / 2;
    const double kraj = vrednosti.Trajanje + polaKoraka;
    if (!(polaKoraka >= NajmanjiNormalan) || !(kraj + polaKoraka > kraj))
        return Neuspeh(7,
                       "Interval integracije je premali da bi vreme simulacije stiglo do "
                       "kraja!",
                       2, true);

    return TRezultatProvere{};
}

TRezultatProvere ProveriTolerancije(const std::string& relativna, const std::string& apsolutna,
                                    TOpcijeSimulacije& vrednosti) {
    if (relativna.empty() || apsolutna.empty())
        return Neuspeh(1, "Niste uneli sve potrebne vrednosti!", 0, false);
    vrednosti.RelativnaTolerancija = TekstURealan(relativna);
    if (NijePozitivan(vrednosti.RelativnaTolerancija))
        return Neuspeh(8, PorukaRelativnaTolerancija, 4, true);
    vrednosti.ApsolutnaTolerancija = TekstURealan(apsolutna);
    if (NijePozitivan(vrednosti.ApsolutnaTolerancija))
        return Neuspeh(9, PorukaApsolutnaTolerancija, 5, true);
    return TRezultatProvere{};
}

} // namespace skem
