#pragma once
// Reading the block catalogue (Manifest.xml): the groups of the palette and,
// in each, the block kinds it offers. The reader only turns the file into
// values; the group bar makes the palette controls from them.

#include "StavkaKataloga.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <stdexcept>

// One group of the catalogue: its caption and its items in file order.
struct TGrupaKataloga {
    QString Naziv;
    QVector<TStavkaKataloga> Stavke;
};

// A catalogue that cannot be read (missing file, bad XML, a missing or empty
// value, a number that is no integer). The message is meant for the user.
class TGreskaKataloga : public std::runtime_error {
public:
    explicit TGreskaKataloga(const QString& tekst)
        : std::runtime_error(tekst.toStdString()), poruka(tekst) {}
    const QString& Poruka() const { return poruka; }

private:
    QString poruka;
};

// Reads the catalogue into `grupe` (appending). Groups and items are appended
// as they are read, so when a TGreskaKataloga is thrown, `grupe` still holds
// everything read before the fault, including the earlier items of the group
// that was being read.
void ProcitajKatalog(const QString& imeFajla, QVector<TGrupaKataloga>& grupe);

// A catalogue nests six levels deep; a file nested deeper than this is refused.
inline constexpr int MaksDubinaKataloga = 256;

// The places where the catalogue is looked for, in order: the working
// directory, the program's own directory, the installed data directories.
QStringList MestaManifesta();
// The first of `mesta` that exists; the first one when none does (so that
// reading it reports the missing file).
QString NadjiManifest(const QStringList& mesta);
// NadjiManifest(MestaManifesta()).
QString NadjiManifest();
