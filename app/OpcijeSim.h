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

    QLineEdit* Edit1;          // duration
    QLineEdit* Edit2;          // integration interval
    QLineEdit* Edit3;          // print interval
    QPushButton* SpeedButton1; // "simulacija"
    QPushButton* SpeedButton2; // "odustani"

    // Shows the dialog modally; true with the values when the user accepted.
    bool PitajOpcije(skem::TOpcijeSimulacije& opcije) override;

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent* e) override;
};
