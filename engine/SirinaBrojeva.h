#pragma once
// How wide the program's number texts (RealanUTekst) are, read off the
// numbers without writing them: a table of millions of values finds its
// widest text from a few make-ups instead of writing every one.

#include <cstdint>
#include <string_view>
#include <vector>

namespace skem {

// What a number's text in the program's format (RealanUTekst) is made of,
// which is what decides its width: read off the number without writing it.
struct TOblikBroja {
    int Cifre = 0;
    int Minusi = 0;
    int Tacke = 0;
    int Eksponenti = 0; // the "E"
    int Slova = 0;      // of "NAN" and "INF"
    bool operator==(const TOblikBroja&) const = default;
};
// The make-up of RealanUTekst(v). Where the rounding of the last digit is
// too close to call without writing the text, each count is the larger of
// the two possible texts': never less than the text has.
TOblikBroja OblikBroja(double v);
// The widest make-up of each decade the numbers with v's sign and binary
// exponent (its binade) fall in: each number's text has no more of anything
// than one of them, so one look at v's bits tells whether it can be wider
// than a text already found. None for NAN and INF.
std::vector<TOblikBroja> ObliciBinade(double v);
TOblikBroja OblikTeksta(std::string_view tekst);

// The make-up of the printed times' texts, RealanUTekst(k * P), read off
// k's and P's digits while k x P has at most 14 of them (P its own text):
// quicker than OblikBroja, and the same.
class TObliciVremena {
public:
    explicit TObliciVremena(double p);
    TOblikBroja operator()(std::int64_t k) const;
    // The first k (at most n + 1) past that reading.
    std::int64_t Kraj(std::int64_t n) const;
    // For the times 1..Kraj(n) - 1: the make-ups of some of their texts,
    // among them one at least as wide, in every count, as each text.
    std::vector<TOblikBroja> Najsiri(std::int64_t n) const;

private:
    double p = 0;
    std::uint64_t mantisa = 0; // P = mantisa x 10^izlozilac, when P is its own text
    int izlozilac = 0;
    int cifreP = 0;
};

} // namespace skem
