#pragma once
// Parameter changes during a run: a slider moved while the run goes on, or a
// list of them replayed. Under RK4 a change at time t acts from the first
// step that starts at t or later (to a quarter of a step, so a time written
// with 15 digits finds the same step again); under a variable-step method the
// solver stops at t and restarts there. The live run stamps each change with
// the time it acted at, so replaying its list gives the same bits.
// The list is kept as CSV: "t,parametar,vrednost", the parameter named as
// the batch's --set names it ("5,1.p1,-9").

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skem {

struct TIzmenaParametra {
    double Vreme = 0;
    int Blok = 0;      // the block's local number in the run
    int Parametar = 1; // 1..3
    double Vrednost = 0;
    // How the list names the target when not as "Blok.pK": "3/2.p1" for a
    // block inside a subsystem, "3.Masa" for a subsystem's parameter. Read
    // from a list, such a target has Blok 0 until the document is known.
    std::string Ime = {};
    bool operator==(const TIzmenaParametra&) const = default;
};
using TListaIzmena = std::vector<TIzmenaParametra>;

// Watches and steers a run from its integrating thread (TSimulacija::
// PostaviPosmatraca). Both calls come from that thread; keep them cheap
// unless they mean to wait.
class TPosmatracRada {
public:
    virtual ~TPosmatracRada() = default;
    // Every printed row at time t: block j's output at vrednosti[j - 1].
    virtual void Uzorak(double t, const double* vrednosti) = 0;
    // After every step, the run at time t: may wait (pacing, a pause) and may
    // append changes to `nove`, which act from the next step on (their time
    // is set to t). False stops the run now, as the stop flag does.
    virtual bool PosleKoraka(double t, TListaIzmena& nove) = 0;
};

// The list as CSV text, header first; numbers in the 15-digit text form.
std::string IzmeneUCsv(const TListaIzmena& izmene);
// Reads such a text (a header line is optional; "\r\n" line ends, blank lines
// and an empty last line are taken). A target named by path or caption is
// kept in Ime, for the caller to find in its document. Returns an empty text when read, else
// what is wrong, naming the line: "Red 3: ...". Times must not decrease.
// `redovi` (when given) gets each change's line number, from 1.
std::string ProcitajIzmene(std::string_view tekst, TListaIzmena& izmene,
                           std::vector<std::size_t>* redovi = nullptr);

// A value as the list keeps it: its 15-digit text read back, so a value set
// live is the very value a replay reads.
double VrednostIzmene(double vrednost);

} // namespace skem
