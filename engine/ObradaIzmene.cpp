// Parameter changes during a run: the replayed list and the observer's live
// changes, applied between steps.

#include "Obrada.h"

#include <algorithm>

namespace skem {

void TSimulacija::PripremiIzmene(const std::vector<const TBlokPogled*>& pogledi) {
    brojeviBlokova.clear();
    brojeviBlokova.reserve(pogledi.size());
    for (std::size_t i = 0; i < pogledi.size(); ++i)
        brojeviBlokova.emplace_back(pogledi[i]->LokalniBrojBloka(),
                                    static_cast<std::int32_t>(i) + 1);
    // The first block of a number, as the batch's --set finds it.
    std::stable_sort(brojeviBlokova.begin(), brojeviBlokova.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

// The changes due by the start of the next step: a quarter step's tolerance,
// so a time read back from its 15-digit text finds the step it was made at.
// The step's first stage takes the derivatives of the pass that ended the
// step before, so a pass over the changed model follows: the whole next step
// sees the new values.
void TSimulacija::PrimeniIzmene() {
    if (!PrimeniIzmeneDo(vreme + polaIntervala / 2)) return;
    if (!prekid.Prekinut()) prekid.Vrsta = TStanjeRada::KasnijiProlaz;
    vrednosti[static_cast<std::size_t>(brojBlokova)] = vreme;
    relaksacija = 0;
    IzracunajOd(brojKonstanti + 2);
}

bool TSimulacija::PrimeniIzmeneDo(double do_) {
    bool primenjena = false;
    while (sledecaIzmena < izmeneRada.size() && izmeneRada[sledecaIzmena].Vreme <= do_) {
        TIzmenaParametra izmena = izmeneRada[sledecaIzmena++];
        const auto i = std::lower_bound(
            brojeviBlokova.begin(), brojeviBlokova.end(), izmena.Blok,
            [](const std::pair<int, std::int32_t>& a, int broj) { return a.first < broj; });
        if (i == brojeviBlokova.end() || i->first != izmena.Blok) continue;
        izmena.Blok = i->second;
        PrimeniIzmenu(izmena);
        primenjena = true;
    }
    return primenjena;
}

bool TSimulacija::PosmatrajKorak() {
    if (stanjeNapretka.Rad != 1) return true;
    const bool dalje = posmatracRada->PosleKoraka(vreme, noveIzmene);
    if (!noveIzmene.empty()) {
        // Stamped with the time of the step they wait for, and in time order
        // among changes still to come from a replayed list.
        for (TIzmenaParametra& izmena : noveIzmene) {
            izmena.Vreme = vreme;
            izmena.Vrednost = VrednostIzmene(izmena.Vrednost);
            const auto mesto = std::upper_bound(
                izmeneRada.begin() + static_cast<std::ptrdiff_t>(sledecaIzmena), izmeneRada.end(),
                izmena, [](const auto& a, const auto& b) { return a.Vreme < b.Vreme; });
            izmeneRada.insert(mesto, izmena);
        }
        noveIzmene.clear();
    }
    if (dalje) return true;
    zaustavljena = true;
    uspeh = false;
    return false;
}

} // namespace skem
