#pragma once
// Running the batch mode from a test and reading back its CSV.

#include "Paketni.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <vector>

struct TPaketniRezultat {
    int Kod = -1;
    QString Izlaz;  // stdout
    QString Greske; // stderr
};

// Standard output is `uredjaj` when given (Izlaz then stays empty).
inline TPaketniRezultat Pokreni(const QStringList& argumenti,
                                const std::atomic<bool>* zaustavi = nullptr,
                                QIODevice* uredjaj = nullptr) {
    TPaketniRezultat r;
    QTextStream izlaz(&r.Izlaz);
    if (uredjaj) izlaz.setDevice(uredjaj);
    QTextStream greske(&r.Greske);
    r.Kod = IzvrsiPaketno(QStringList{QStringLiteral("--run")} + argumenti, izlaz, greske, false,
                          zaustavi);
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

// One block of a hand-made document: kind, name, inputs, parameters.
inline QString Blok(int broj, int sifra, const QString& naziv, int ulaza, double p1 = 0,
                    double p2 = 0, double p3 = 0) {
    return QStringLiteral("<Blok><Top>40</Top><Left>%1</Left><Sifra>%2</Sifra>"
                          "<Naziv>%3</Naziv><LokalniBroj>%4</LokalniBroj><brparam>3</brparam>"
                          "<maxuveza>%5</maxuveza><Parametar1>%6</Parametar1>"
                          "<Parametar2>%7</Parametar2><Parametar3>%8</Parametar3>"
                          "<Smer>3</Smer></Blok>")
        .arg(100 * broj)
        .arg(sifra)
        .arg(naziv)
        .arg(broj)
        .arg(ulaza)
        .arg(p1)
        .arg(p2)
        .arg(p3);
}

inline QString Veza(int od, int ka, int slot) {
    return QStringLiteral("<Veza><PocBlok>%1</PocBlok><KrajBlok>%2</KrajBlok>"
                          "<GdeKrajBlok>%3</GdeKrajBlok><Drzaci/></Veza>")
        .arg(od)
        .arg(ka)
        .arg(slot);
}

class Paketno : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString Dokument(const char* ime, const QString& blokovi, const QString& veze = {}) {
        const QString putanja = dir.filePath(QString::fromLatin1(ime));
        QFile f(putanja);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((QStringLiteral("<?xml version=\"1.0\"?><SKEMDokument><OpisProblema/><Blokovi>") +
                 blokovi + QStringLiteral("</Blokovi><Veze>") + veze +
                 QStringLiteral("</Veze></SKEMDokument>"))
                    .toUtf8());
        return putanja;
    }

    // y' = 2, y(0) = 1: exactly 1 + 2t, and every value below is a binary fraction.
    QString Prava(const QString& ime = QStringLiteral("Integrator")) {
        return Dokument("prava.skem",
                        Blok(1, 12, QStringLiteral("Konstanta"), 0, 2) + Blok(2, 10, ime, 3, 1),
                        Veza(1, 2, 0));
    }
};
