#pragma once
// Numbers as the whole program writes and reads them: "." as the decimal
// separator whatever the locale, the general format with 15 significant
// digits, and 2147483647 as the mark of a text that is no number.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace skem {

// The value a failed conversion yields; the checks treat it as "not a number".
inline constexpr double NijeBroj = 2147483647.0;

// Nearest integer, ties to even (Round(2.5) = 2, Round(3.5) = 4).
std::int64_t Round(double x);

// A simulated time as the run's messages show it: the multiple of the step
// nearest to it, in the program's number format. The run's time is a sum of
// half steps, whose rounding would otherwise show ("5881.85700096892").
std::string VremeNaKoraku(double t, double korak);
// Drops the fraction (towards zero).
std::int64_t Trunc(double x);

// General format, 15 significant digits: 0.0001, 1E-5, 1.5E20, 2.5, -3.
std::string RealanUTekst(double v);
// The same text written at `izlaz` (room for NajduziRealan characters, no
// terminating zero); returns its length. For the writers of many numbers.
inline constexpr std::size_t NajduziRealan = 32;
std::size_t PisiRealan(double v, char* izlaz);

// Converts a decimal number written with "." (an exponent part is allowed,
// blanks around it are ignored). Returns false when the text is no number.
bool ProcitajRealan(std::string_view tekst, double& rezultat);
// As above, but yields NijeBroj for a text that is no number.
double TekstURealan(std::string_view tekst);

// The decimal digits of m (1 for 0).
int BrojCifara(std::uint64_t m);

// A decimal integer: optional sign, digits only. False for anything else,
// also for a value outside the 32-bit range.
bool ProcitajCeo(std::string_view tekst, std::int32_t& rezultat);

} // namespace skem
