#include "CsvRezultata.h"

#include "Brojevi.h"
#include "VrsteElemenata.h"

#include <cmath>
#include <stdexcept>

namespace skem {

bool ImaRedURezultatima(int sifra) {
    // A number that is no kind's code keeps its row, as an unknown kind does.
    return sifra < 0 || sifra >= BrojVrstaElemenata ||
           URezultatima(VrstaIzSifre(static_cast<std::uint8_t>(sifra)));
}

std::string OznakaBloka(const TBlokRezultata& blok) {
    return std::to_string(blok.LokalniBroj) + ". " + blok.Naziv;
}

std::int64_t BrojIntervalaStampe(double trajanje, double intervalStampe) {
    if (!std::isfinite(trajanje) || !std::isfinite(intervalStampe) || intervalStampe <= 0 ||
        trajanje < 0)
        throw std::invalid_argument("Trajanje i interval stampanja rezultata nisu ispravni.");
    const double kolicnik = trajanje / intervalStampe;
    // A column per time point: anything beyond a 32-bit count cannot be shown.
    if (!std::isfinite(kolicnik) || kolicnik > 2147483646.0)
        throw std::invalid_argument("Previse tacaka rezultata za prikaz.");
    return Round(kolicnik);
}

std::string PoljeCsv(std::string_view polje) {
    if (polje.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(polje);
    std::string r;
    r.reserve(polje.size() + 2);
    r += '"';
    for (char c : polje) {
        if (c == '"') r += '"';
        r += c;
    }
    r += '"';
    return r;
}

std::string ZaglavljeCsv(const std::vector<TBlokRezultata>& blokovi) {
    std::string zaglavlje = "t";
    for (const TBlokRezultata& b : blokovi)
        if (ImaRedURezultatima(b.Sifra)) {
            zaglavlje += ',';
            zaglavlje += PoljeCsv(OznakaBloka(b));
        }
    zaglavlje += '\n';
    return zaglavlje;
}

std::string NapraviCsv(const std::vector<TBlokRezultata>& blokovi,
                       const std::vector<std::vector<double>>& rezultati, double trajanje,
                       double intervalStampe) {
    const std::int64_t n = BrojIntervalaStampe(trajanje, intervalStampe);
    if (static_cast<std::int64_t>(rezultati.size()) < n + 1)
        throw std::invalid_argument("Matrica rezultata ima manje redova od broja tacaka.");
    for (std::int64_t k = 0; k <= n; ++k)
        if (rezultati[k].size() < blokovi.size())
            throw std::invalid_argument("Matrica rezultata ima manje kolona od broja blokova.");

    std::string csv = ZaglavljeCsv(blokovi);
    for (std::int64_t k = 0; k <= n; ++k) {
        csv += RealanUTekst(static_cast<double>(k) * intervalStampe);
        for (std::size_t i = 0; i < blokovi.size(); ++i)
            if (ImaRedURezultatima(blokovi[i].Sifra)) {
                csv += ',';
                csv += RealanUTekst(rezultati[k][i]);
            }
        csv += '\n';
    }
    return csv;
}

} // namespace skem
