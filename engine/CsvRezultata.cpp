#include "CsvRezultata.h"

#include "Brojevi.h"
#include "VrsteElemenata.h"

#include <cmath>
#include <cstring>
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

namespace {

// Throws std::invalid_argument when the matrix is smaller than the run needs;
// otherwise n = Round(D / P).
std::int64_t ProveriMatricu(const std::vector<TBlokRezultata>& blokovi,
                            const TMatricaRezultata& rezultati, double trajanje,
                            double intervalStampe) {
    const std::int64_t n = BrojIntervalaStampe(trajanje, intervalStampe);
    if (static_cast<std::int64_t>(rezultati.Redova()) < n + 1)
        throw std::invalid_argument("Matrica rezultata ima manje redova od broja tacaka.");
    if (rezultati.Kolona() < blokovi.size())
        throw std::invalid_argument("Matrica rezultata ima manje kolona od broja blokova.");
    return n;
}

} // namespace

bool PisiRedoveCsv(const std::vector<TBlokRezultata>& blokovi, const TMatricaRezultata& rezultati,
                   double trajanje, double intervalStampe, std::string_view prefiks,
                   const std::function<bool(std::string_view)>& pisi) {
    const std::int64_t n = ProveriMatricu(blokovi, rezultati, trajanje, intervalStampe);
    std::vector<std::size_t> kolone;
    for (std::size_t i = 0; i < blokovi.size(); ++i)
        if (ImaRedURezultatima(blokovi[i].Sifra)) kolone.push_back(i);

    // Rows are formatted straight into a buffer that goes out whenever it
    // passes a block's size, so the text never exists whole.
    constexpr std::size_t Blok = 1 << 16;
    const std::size_t najduziRed = prefiks.size() + (kolone.size() + 1) * (NajduziRealan + 1);
    std::vector<char> bafer(Blok + najduziRed);
    std::size_t popunjeno = 0;
    for (std::int64_t k = 0; k <= n; ++k) {
        char* p = bafer.data() + popunjeno;
        std::memcpy(p, prefiks.data(), prefiks.size());
        p += prefiks.size();
        p += PisiRealan(static_cast<double>(k) * intervalStampe, p);
        const double* red = rezultati.Red(static_cast<std::size_t>(k));
        for (std::size_t i : kolone) {
            *p++ = ',';
            p += PisiRealan(red[i], p);
        }
        *p++ = '\n';
        popunjeno = static_cast<std::size_t>(p - bafer.data());
        if (popunjeno >= Blok || k == n) {
            if (!pisi(std::string_view(bafer.data(), popunjeno))) return false;
            popunjeno = 0;
        }
    }
    return true;
}

std::string NapraviCsv(const std::vector<TBlokRezultata>& blokovi,
                       const TMatricaRezultata& rezultati, double trajanje, double intervalStampe) {
    ProveriMatricu(blokovi, rezultati, trajanje, intervalStampe);
    std::string csv = ZaglavljeCsv(blokovi);
    PisiRedoveCsv(blokovi, rezultati, trajanje, intervalStampe, {}, [&csv](std::string_view deo) {
        csv += deo;
        return true;
    });
    return csv;
}

} // namespace skem
