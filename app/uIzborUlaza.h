#pragma once
// TIzborUlaza: asks which input slot of the destination block a new
// connection takes. The caller enables the free slots' radio buttons; on
// show the first enabled one is checked.

#include "OkvirDijalog.h"

#include <QList>
#include <QStringList>

class QFrame;
class QPushButton;
class QRadioButton;
class QScrollArea;

class TIzborUlaza : public TOkvirDijalog {
    Q_OBJECT
public:
    explicit TIzborUlaza(QWidget* roditelj = nullptr);

    QRadioButton* DugmeUlaza1; // "Ulaz 1"
    QRadioButton* DugmeUlaza2; // "Ulaz 2"
    QRadioButton* DugmeUlaza3; // "Ulaz 3"
    QPushButton* Napomena;     // link: a note on the inputs' order

    // The slots offered, one button each with its caption (a subsystem's
    // inputs, as many as it has); none given: the three "Ulaz 1".."Ulaz 3" of
    // every other block. More than three are listed in a scrolled list in the
    // same place, so the dialog keeps its size.
    void PostaviUlaze(const QStringList& natpisi = {});
    int BrojUlaza() const { return int(dugmad.size()); }
    // The button of slot k (from 0) of those offered.
    QRadioButton* DugmeUlaza(int k) const { return dugmad[k]; }

    // The chosen slot (from 0); with none checked, the last one.
    int IzabraniUlaz() const;

    void DugmePrihvatiClick(); // "prihvati"
    void NapomenaClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QFrame* panel;
    QList<QRadioButton*> dugmad;  // the buttons offered now
    QScrollArea* lista = nullptr; // the list of more than three, made when first needed
    QList<QRadioButton*> dugmadListe;
};
