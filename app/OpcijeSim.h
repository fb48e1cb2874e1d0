#pragma once
// TOpcije: the simulation options dialog. Asks for the duration D, the
// integration interval h and the print interval P of a run, checks them
// ("simulacija") and hands them to the engine through TIzvorOpcija. Created
// once and reused, so the fields keep what the user last typed. Below the
// three fields: whether long runs are compiled to machine code (remembered
// from one start of the program to the next).

#include "OkvirDijalog.h"
#include "Prevodjenje.h"
#include "SimulacijaPogled.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TOpcije : public TOkvirDijalog, public skem::TIzvorOpcija {
    Q_OBJECT
public:
    explicit TOpcije(QWidget* roditelj = nullptr);

    // The values of the last "simulacija", each stored as soon as it was parsed.
    double Trajanje = 0;
    double Interval = 0;
    double IntervalStampanja = 0;

    QLineEdit* PoljeTrajanja;           // duration
    QLineEdit* PoljeIntervala;          // integration interval
    QLineEdit* PoljeIntervalaStampanja; // print interval
    QComboBox* IzborPrevodjenja;        // "automatski", "uvek", "nikad"

    // The compiled pass as chosen in the dialog.
    skem::TPrevodjenje Prevodjenje() const;

    // Shows the dialog modally; true with the values when the user accepted.
    bool PitajOpcije(skem::TOpcijeSimulacije& opcije) override;

    void DugmePrihvatiClick(); // "simulacija"

protected:
    void showEvent(QShowEvent* e) override;
};
