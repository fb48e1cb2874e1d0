#pragma once
// How wide the results table's columns must be for their numbers, in the
// table's font: the widest of many numbers' texts found from their make-ups
// (SirinaBrojeva.h), without writing or measuring the texts one by one.

#include "SirinaBrojeva.h"

#include <QChar>
#include <QFontMetricsF>
#include <QString>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

// The widths of the characters numbers are written with, in one font. A
// number's text is no wider than its make-up counted with the widest digit.
class TZnakovi {
public:
    explicit TZnakovi(const QFont& font);
    double Sirina(const skem::TOblikBroja& o) const;
    // A text of that make-up at least as wide as any other.
    QString Uzorak(const skem::TOblikBroja& o) const;

private:
    QFontMetricsF metrika;
    QChar cifra = QLatin1Char('0');
    QChar slovo = QLatin1Char('N');
    double sirinaCifre, sirinaSlova, sirinaMinusa, sirinaTacke, sirinaE;
};

// The widest text among numbers handed in one by one, by make-up (as
// TZnakovi measures it). Most numbers cannot be wider than what was found
// already: the widest make-ups of their sign and binary exponent (their
// binade) say so without looking closer. Zero, where the search starts, is
// passed over (it shares its bits' exponent with the tiniest numbers).
class TNajsiriTekst {
public:
    explicit TNajsiriTekst(const TZnakovi& znakovi);
    void Uzmi(double v) {
        if (v != 0 && granice[Binada(v)] > sirina) Pogledaj(v);
    }
    void Uzmi(const skem::TOblikBroja& o);
    const skem::TOblikBroja& Oblik() const { return najsiri; }

private:
    static std::size_t Binada(double v) { return std::bit_cast<std::uint64_t>(v) >> 52; }
    // The closer look, rare.
    void Pogledaj(double v);

    const TZnakovi& znakovi;
    std::array<double, 4096> granice; // per binade: the widest its texts can be
    skem::TOblikBroja najsiri;
    double sirina;
};
