#pragma once
// The results of a run as CSV text, shared by the results table's export and
// the batch runner: a header "t" then one "<number>. <name>" per table row,
// one line per printed time k*P (k = 0..Round(D/P)), numbers in the program's
// 15-digit form, fields quoted per RFC 4180 when needed, "\n" line ends.

#include "MatricaRezultata.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace skem {

// One block of a run, in the run's list order: what the results views need of it.
struct TBlokRezultata {
    int LokalniBroj = 0;
    std::string Naziv; // UTF-8
    int Sifra = 0;
    std::string Putanja; // "3/2" for a block inside a subsystem; empty: the number names it
};

// Constants and time sources get no row in the results (by the block's 8-bit code).
bool ImaRedURezultatima(int sifra);

// "7. Sinus", "3/2. Integrator": the row's caption in the table, the chart and the CSV header.
std::string OznakaBloka(const TBlokRezultata& blok);

// n = Round(D / P): the table shows the times 0, P, ..., n*P. Throws
// std::invalid_argument when D or P is not a usable positive number.
std::int64_t BrojIntervalaStampe(double trajanje, double intervalStampe);

// The field as written to CSV: quoted (with doubled quotes) when it holds a
// comma, a quote, CR or LF; unchanged otherwise.
std::string PoljeCsv(std::string_view polje);

// The header line: "t" and the caption of every block with a row, then "\n".
std::string ZaglavljeCsv(const std::vector<TBlokRezultata>& blokovi);

// The lines after the header, row k = time k*P for k = 0..Round(D/P), each
// begun with `prefiks`, handed to `pisi` in order, in pieces of whole lines
// (up to about 64 KB each) as they are formatted, on `niti` threads; `pisi`
// is called on the calling thread. Stops soon, giving false, when `pisi`
// returns false. rezultati: row k = time k*P, column i = blocks[i]. Throws
// std::invalid_argument, before writing anything, when the matrix is smaller
// than the run needs.
bool PisiRedoveCsv(const std::vector<TBlokRezultata>& blokovi, const TMatricaRezultata& rezultati,
                   double trajanje, double intervalStampe, std::string_view prefiks,
                   const std::function<bool(std::string_view)>& pisi, int niti = 1);

// The lines of PisiRedoveCsv made one row at a time as a run hands them on
// (the same text, byte for byte), so no matrix need hold them: handed to
// `pisi` in pieces of whole lines (about 64 KB each). Rows beyond Round(D/P)
// are left out; once `pisi` returns false nothing more is handed on.
class TRedoviCsv {
public:
    // Throws std::invalid_argument when D or P is not usable.
    TRedoviCsv(const std::vector<TBlokRezultata>& blokovi, double trajanje, double intervalStampe,
               std::function<bool(std::string_view)> pisi);

    // Row k (the time k*P), k = 0, 1, ... in order; block i's value at vrednosti[i].
    void Red(std::int64_t k, const double* vrednosti);
    // The rows no sample reached, as zeros (what an unfilled matrix holds),
    // then the rest of the text handed on. False when `pisi` did.
    bool Zavrsi();

private:
    void Pisi(std::int64_t k, const double* vrednosti);
    void Predaj();

    std::vector<std::size_t> kolone;
    std::int64_t poslednji;   // Round(D / P)
    std::int64_t sledeci = 0; // the next row to write
    double intervalStampe;
    std::function<bool(std::string_view)> pisi;
    std::vector<char> tekst; // the lines not yet handed on
    std::size_t duzina = 0;  // of the text in it
    std::size_t najduziRed;
    bool upisano = true;
};

// The whole CSV text: the header, then the lines of PisiRedoveCsv.
std::string NapraviCsv(const std::vector<TBlokRezultata>& blokovi,
                       const TMatricaRezultata& rezultati, double trajanje, double intervalStampe);

} // namespace skem
