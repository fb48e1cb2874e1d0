#include "CsvRezultata.h"

#include "Brojevi.h"
#include "ParalelniRad.h"
#include "VrsteElemenata.h"

#include <algorithm>

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
    return (blok.Putanja.empty() ? std::to_string(blok.LokalniBroj) : blok.Putanja) + ". " +
           blok.Naziv;
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
                   const std::function<bool(std::string_view)>& pisi, int niti) {
    const std::int64_t n = ProveriMatricu(blokovi, rezultati, trajanje, intervalStampe);
    std::vector<std::size_t> kolone;
    for (std::size_t i = 0; i < blokovi.size(); ++i)
        if (ImaRedURezultatima(blokovi[i].Sifra)) kolone.push_back(i);

    // The rows in pieces of at most about 64 KB of text, formatted straight
    // into a buffer (on several threads when asked) and handed on in order as
    // each is done, so the text never exists whole.
    const std::size_t najduziRed = prefiks.size() + (kolone.size() + 1) * (NajduziRealan + 1);
    const auto redovaUDelu =
        static_cast<std::int64_t>(std::max<std::size_t>(1, 65536 / najduziRed));
    const std::int64_t delova = n / redovaUDelu + 1;
    auto formatiraj = [&](std::int64_t deo, int& /*no state of its own*/) {
        const std::int64_t od = deo * redovaUDelu, doReda = std::min(n, od + redovaUDelu - 1);
        std::vector<char> tekst(static_cast<std::size_t>(doReda - od + 1) * najduziRed);
        char* p = tekst.data();
        for (std::int64_t k = od; k <= doReda; ++k) {
            // An empty prefix may have no storage at all: memcpy wants a real one.
            if (!prefiks.empty()) std::memcpy(p, prefiks.data(), prefiks.size());
            p += prefiks.size();
            p += PisiRealan(static_cast<double>(k) * intervalStampe, p);
            const double* red = rezultati.Red(static_cast<std::size_t>(k));
            for (std::size_t i : kolone) {
                *p++ = ',';
                p += PisiRealan(red[i], p);
            }
            *p++ = '\n';
        }
        tekst.resize(static_cast<std::size_t>(p - tekst.data()));
        return tekst;
    };
    bool upisano = true;
    IzvrsiRedom<int>(0, delova - 1, niti, formatiraj, [&](std::int64_t, std::vector<char>&& tekst) {
        upisano = pisi(std::string_view(tekst.data(), tekst.size()));
        return upisano;
    });
    return upisano;
}

TRedoviCsv::TRedoviCsv(const std::vector<TBlokRezultata>& blokovi, double trajanje,
                       double intervalStampe, std::function<bool(std::string_view)> pisi)
    : poslednji(BrojIntervalaStampe(trajanje, intervalStampe)), intervalStampe(intervalStampe),
      pisi(std::move(pisi)) {
    for (std::size_t i = 0; i < blokovi.size(); ++i)
        if (ImaRedURezultatima(blokovi[i].Sifra)) kolone.push_back(i);
    najduziRed = (kolone.size() + 1) * (NajduziRealan + 1);
    tekst.resize(std::max<std::size_t>(65536, najduziRed));
}

void TRedoviCsv::Pisi(std::int64_t k, const double* vrednosti) {
    if (tekst.size() - duzina < najduziRed) Predaj();
    char* p = tekst.data() + duzina;
    p += PisiRealan(static_cast<double>(k) * intervalStampe, p);
    for (std::size_t i : kolone) {
        *p++ = ',';
        p += PisiRealan(vrednosti ? vrednosti[i] : 0.0, p);
    }
    *p++ = '\n';
    duzina = static_cast<std::size_t>(p - tekst.data());
}

void TRedoviCsv::Predaj() {
    if (upisano && duzina > 0) upisano = pisi(std::string_view(tekst.data(), duzina));
    duzina = 0;
}

void TRedoviCsv::Red(std::int64_t k, const double* vrednosti) {
    if (k != sledeci || k > poslednji || !upisano) return;
    Pisi(k, vrednosti);
    ++sledeci;
}

bool TRedoviCsv::Zavrsi() {
    for (; sledeci <= poslednji && upisano; ++sledeci)
        Pisi(sledeci, nullptr);
    Predaj();
    return upisano;
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
