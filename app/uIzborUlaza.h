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

    QRadioButton* DugmeUlaza1; // "Ulaz 1"
    QRadioButton* DugmeUlaza2; // "Ulaz 2"
    QRadioButton* DugmeUlaza3; // "Ulaz 3"
    QPushButton* Napomena;     // link: a note on the inputs' order

    // The chosen slot: 0 for "Ulaz 1", 1 for "Ulaz 2", otherwise 2.
    int IzabraniUlaz() const;

    void DugmePrihvatiClick(); // "prihvati"
    void NapomenaClick();

protected:
    void showEvent(QShowEvent* e) override;
};
