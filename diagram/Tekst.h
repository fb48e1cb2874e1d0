#pragma once
// The program's number helpers (Brojevi.h) for Qt strings.

#include "Brojevi.h"

#include <QString>

inline QString RealanUTekst(double v) {
    return QString::fromStdString(skem::RealanUTekst(v));
}
// NijeBroj (2147483647) for a text that is no number.
inline double TekstURealan(const QString& t) {
    return skem::TekstURealan(t.toStdString());
}
