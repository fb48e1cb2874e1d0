#pragma once
// Dialogs for tests: every message is recorded as "<kind>: <text>", the
// answers to questions and file dialogs are taken from queues, and each
// modal dialog is handed to the next scripted function (which fills its
// fields and presses its buttons) instead of being shown modally.
// Install it for the lifetime of a test with TSkriptovaniDijalozi::Instaliraj.

#include "Dijalozi.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

class TSkriptovaniDijalozi : public TDijalozi {
public:
    TSkriptovaniDijalozi() { PostaviDijaloge(this); }
    ~TSkriptovaniDijalozi() override { PostaviDijaloge(nullptr); }

    // Recorded: "Greska: ...", "Poruka: ...", "Informacija: ...", "Pitanje: ...",
    // "Otvori", "SacuvajKao: <naslov>", "Dijalog: <objectName or class>", "Pomoc: <page>[
    // +sadrzaj]".
    QStringList Zapis;

    std::deque<TOdgovor> Odgovori;    // for Pitanje; empty queue answers Odustani
    std::deque<QString> ImenaFajlova; // for OtvoriFajl and SacuvajKao; empty queue = cancel
    QStringList Predlozi;             // the name each SacuvajKao was asked to propose
    std::deque<std::function<void(QDialog&)>>
        Skripte; // for PrikaziModalno; empty = close unchanged

    // Only the message texts (without the kind), in order.
    QStringList Poruke() const;

    void Greska(const QString& tekst) override;
    void Poruka(const QString& tekst) override;
    void Informacija(const QString& tekst) override;
    TOdgovor Pitanje(const QString& tekst) override;
    QString OtvoriFajl(QWidget* roditelj, const QString& filter) override;
    QString SacuvajKao(QWidget* roditelj, TVrstaFajla vrsta, const QString& naslov,
                       const QString& predlog, const QString& filter) override;
    void PrikaziModalno(QDialog& dijalog) override;
    void PrikaziPomoc(QWidget* roditelj, const QString& stranica, bool saSadrzajem) override;
};
