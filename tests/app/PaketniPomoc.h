#pragma once
// Running the batch mode from a test and reading back its CSV.

#include "Paketni.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <vector>

struct TPaketniRezultat {
    int Kod = -1;
    QString Izlaz;  // stdout
    QString Greske; // stderr
};

inline TPaketniRezultat Pokreni(const QStringList& argumenti) {
    TPaketniRezultat r;
    QTextStream izlaz(&r.Izlaz);
    QTextStream greske(&r.Greske);
    r.Kod = IzvrsiPaketno(QStringList{QStringLiteral("--run")} + argumenti, izlaz, greske);
    izlaz.flush();
    greske.flush();
    return r;
}

// The CSV as a header and rows of numbers (fields quoted by RFC 4180 allowed).
struct TTabela {
    QStringList Zaglavlje;
    std::vector<std::vector<double>> Redovi;

    // The column whose caption starts with "<broj>. ", or -1.
    int Kolona(int broj) const {
        const QString pocetak = QString::number(broj) + QStringLiteral(". ");
        for (int i = 0; i < Zaglavlje.size(); ++i)
            if (Zaglavlje[i].startsWith(pocetak)) return i;
        return -1;
    }
};

inline QStringList PoljaCsv(const QString& red) {
    QStringList polja;
    QString polje;
    bool uNavodnicima = false;
    for (qsizetype i = 0; i < red.size(); ++i) {
        const QChar c = red[i];
        if (uNavodnicima) {
            if (c == '"' && i + 1 < red.size() && red[i + 1] == '"') {
                polje += '"';
                ++i;
            } else if (c == '"') {
                uNavodnicima = false;
            } else {
                polje += c;
            }
        } else if (c == '"') {
            uNavodnicima = true;
        } else if (c == ',') {
            polja << polje;
            polje.clear();
        } else {
            polje += c;
        }
    }
    polja << polje;
    return polja;
}

// False when a field is no number or a row has the wrong length.
inline bool ProcitajCsv(const QString& csv, TTabela& t) {
    QStringList redovi = csv.split('\n');
    if (redovi.isEmpty() || !redovi.last().isEmpty()) return false; // ends with a line break
    redovi.removeLast();
    if (redovi.isEmpty()) return false;
    t.Zaglavlje = PoljaCsv(redovi.takeFirst());
    for (const QString& red : redovi) {
        const QStringList polja = PoljaCsv(red);
        if (polja.size() != t.Zaglavlje.size()) return false;
        std::vector<double> brojevi;
        for (const QString& p : polja) {
            bool ok = false;
            brojevi.push_back(p.toDouble(&ok));
            if (!ok) return false;
        }
        t.Redovi.push_back(brojevi);
    }
    return true;
}
