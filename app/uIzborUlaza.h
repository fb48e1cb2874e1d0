#pragma once
// TIzborUlaza: asks which input slot of the destination block a new
// connection takes. The caller enables the free slots' radio buttons; on
// show the first enabled one is checked.

#include "OkvirDijalog.h"

class QPushButton;
class QRadioButton;

class TIzborUlaza : public TOkvirDijalog {
    Q_OBJECT
public:
    explicit TIzborUlaza(QWidget* roditelj = nullptr);

    QRadioButton* RadioButton1; // "Ulaz 1"
    QRadioButton* RadioButton2; // "Ulaz 2"
    QRadioButton* RadioButton3; // "Ulaz 3"
    QPushButton* SpeedButton1;  // "prihvati"
    QPushButton* SpeedButton2;  // "odustani"
    QPushButton* Napomena;      // link: a note on the inputs' order

    // The chosen slot: 0 for "Ulaz 1", 1 for "Ulaz 2", otherwise 2.
    int IzabraniUlaz() const;

    void SpeedButton1Click();
    void SpeedButton2Click();
    void NapomenaClick();

protected:
    void showEvent(QShowEvent* e) override;
};
