#include "IzmeneParametara.h"

#include "Brojevi.h"
#include "Serija.h"

#include <cmath>

namespace skem {

namespace {

constexpr std::string_view ZaglavljeIzmena = "t,parametar,vrednost";

std::string_view BezRazmaka(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r'))
        t.remove_suffix(1);
    return t;
}

// A finite number whose 15-digit text reads back as a number.
bool Broj(std::string_view tekst, double& v) {
    return ProcitajRealan(tekst, v) && std::isfinite(v) && ProcitajRealan(RealanUTekst(v), v);
}

// "3/2.p1" or "3.Masa", "3/2.Masa": a block by path or a subsystem's
// parameter by caption, rather than "N.pK" or "N.oJ".
bool PoPutanji(std::string_view cilj) {
    const auto tacka = cilj.find('.');
    if (tacka == std::string_view::npos || tacka == 0 || tacka + 1 >= cilj.size()) return false;
    const std::string_view putanja = cilj.substr(0, tacka), ostatak = cilj.substr(tacka + 1);
    if (putanja.find_first_not_of("0123456789/") != std::string_view::npos ||
        putanja.front() == '/' || putanja.back() == '/' ||
        putanja.find("//") != std::string_view::npos)
        return false;
    const bool parametar = (ostatak[0] == 'p' || ostatak[0] == 'o') && ostatak.size() > 1 &&
                           ostatak.find_first_not_of("0123456789", 1) == std::string_view::npos;
    return putanja.find('/') != std::string_view::npos || !parametar;
}

} // namespace

double VrednostIzmene(double vrednost) {
    double v = vrednost;
    return ProcitajRealan(RealanUTekst(v), v) ? v : vrednost;
}

std::string IzmeneUCsv(const TListaIzmena& izmene) {
    std::string csv(ZaglavljeIzmena);
    csv += '\n';
    for (const TIzmenaParametra& i : izmene) {
        csv += RealanUTekst(i.Vreme);
        csv += ',';
        csv += i.Ime.empty() ? TCiljIzmene{i.Blok, false, i.Parametar, {}}.Naziv() : i.Ime;
        csv += ',';
        csv += RealanUTekst(i.Vrednost);
        csv += '\n';
    }
    return csv;
}

std::string ProcitajIzmene(std::string_view tekst, TListaIzmena& izmene,
                           std::vector<std::size_t>* redovi) {
    izmene.clear();
    if (redovi) redovi->clear();
    std::size_t broj = 0;
    while (!tekst.empty()) {
        const std::size_t kraj = tekst.find('\n');
        const std::string_view red = BezRazmaka(tekst.substr(0, kraj));
        tekst.remove_prefix(kraj == std::string_view::npos ? tekst.size() : kraj + 1);
        ++broj;
        if (red.empty() || (broj == 1 && red == ZaglavljeIzmena)) continue;
        const std::string pocetak = "Red " + std::to_string(broj) + ": ";
        const std::size_t z1 = red.find(',');
        const std::size_t z2 = z1 == red.npos ? red.npos : red.find(',', z1 + 1);
        if (z2 == red.npos || red.find(',', z2 + 1) != red.npos)
            return pocetak + "ocekuju se tri polja: t,parametar,vrednost.";
        const std::string_view t = BezRazmaka(red.substr(0, z1));
        const std::string_view cilj = BezRazmaka(red.substr(z1 + 1, z2 - z1 - 1));
        const std::string_view vrednost = BezRazmaka(red.substr(z2 + 1));
        TIzmenaParametra izmena;
        if (!Broj(t, izmena.Vreme) || izmena.Vreme < 0)
            return pocetak + "vreme '" + std::string(t) + "' nije nenegativan broj.";
        TCiljIzmene c;
        if (PoPutanji(cilj))
            izmena.Ime = std::string(cilj);
        else if (!ProcitajCilj(cilj, c) || c.Ordinata)
            return pocetak + "'" + std::string(cilj) +
                   "' nije parametar; ocekuje se N.pK (parametar K = 1..3 bloka N), putanja "
                   "kao 3/2.p1 ili natpis parametra podsistema kao 3.Masa.";
        if (!Broj(vrednost, izmena.Vrednost))
            return pocetak + "vrednost '" + std::string(vrednost) + "' nije konacan broj.";
        if (!izmene.empty() && izmena.Vreme < izmene.back().Vreme)
            return pocetak + "vreme je manje od vremena prethodne izmene.";
        if (izmena.Ime.empty()) {
            izmena.Blok = c.Blok;
            izmena.Parametar = c.Indeks;
        }
        izmene.push_back(izmena);
        if (redovi) redovi->push_back(broj);
    }
    return {};
}

} // namespace skem
