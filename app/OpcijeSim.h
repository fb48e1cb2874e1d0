#pragma once
// TOpcije: the simulation options dialog. Asks for the duration D, the
// integration interval h and the print interval P of a run, checks them
// ("simulacija") and hands them to the engine through TIzvorOpcija. Created
// once and reused, so the fields keep what the user last typed.

#include "OkvirDijalog.h"
#include "SimulacijaPogled.h"

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

    // Shows the dialog modally; true with the values when the user accepted.
    bool PitajOpcije(skem::TOpcijeSimulacije& opcije) override;

    void DugmePrihvatiClick(); // "simulacija"

protected:
    void showEvent(QShowEvent* e) override;
};
