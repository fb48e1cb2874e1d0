#pragma once
// TUnosPar: the parameter dialog shown when a block is dropped on the
// workspace. The caller prepares up to three rows (label = the kind's label
// text, enabled as the kind's parameter count says); on show every box holds
// "0"; "prihvati" accepts only when all three boxes hold numbers.

#include "OkvirDijalog.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TUnosPar : public TOkvirDijalog {
    Q_OBJECT
public:
    explicit TUnosPar(QWidget* roditelj = nullptr);

    QLabel* NatpisParametra1;
    QLabel* NatpisParametra2;
    QLabel* NatpisParametra3;
    QLineEdit* PoljeParametra1;
    QLineEdit* PoljeParametra2;
    QLineEdit* PoljeParametra3;
    QPushButton* Napomena; // link: a note on the parameters' order

    // Enables the rows for a block with brparam parameters and labels them
    // natpis + ":". Only 2 and 3 enable more than the first row; disabled rows
    // keep their texts.
    void PripremiRedove(int brparam, const QString& natpis1, const QString& natpis2,
                        const QString& natpis3);

    // The next showing starts with these values instead of "0" (editing a
    // block's parameters again); the showing after it starts at "0" again.
    void PostaviVrednosti(double p1, double p2, double p3);

    // For a subsystem's port, after PripremiRedove: the second row is its
    // name ("Naziv:", any text) for this showing.
    void PripremiIme(const QString& ime);
    bool ImaIme() const { return imaIme; }
    // The name as accepted (trimmed).
    QString Ime() const { return ime; }

    // The value of box k (1..3) as parsed by the last successful "prihvati".
    double Vrednost(int k) const;

    void DugmePrihvatiClick(); // "prihvati"
    void NapomenaClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    double vrednosti[3] = {0, 0, 0};
    bool imaIme = false;
    QString ime;
    QString pocetniTekstovi[3];
};
