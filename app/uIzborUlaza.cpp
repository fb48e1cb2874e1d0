#include "uIzborUlaza.h"

#include "Dijalozi.h"

#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

TIzborUlaza::TIzborUlaza(QWidget* roditelj)
    : TOkvirDijalog(QStringLiteral("Odredite ulaz"), QSize(207, 180), 18, roditelj) {
    setObjectName(QStringLiteral("IzborUlaza"));

    QFrame* panel = NapraviPanel(this, false);
    panel->setGeometry(8, 26, 191, 92);
    QRadioButton* dugmad[3];
    for (int i = 0; i < 3; ++i) {
        dugmad[i] = new QRadioButton(QStringLiteral("Ulaz %1").arg(i + 1), panel);
        dugmad[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        dugmad[i]->setFont(izgled::Verdana(11, true));
        dugmad[i]->setGeometry(52, 9 + i * 26, 110, 22);
        dugmad[i]->setCursor(Qt::PointingHandCursor);
    }
    RadioButton1 = dugmad[0];
    RadioButton2 = dugmad[1];
    RadioButton3 = dugmad[2];

    Napomena = NapraviLink(QStringLiteral("Napomena"), this);
    Napomena->setObjectName(QStringLiteral("Napomena"));
    Napomena->setGeometry(118, 120, 76, 17);

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 138, 191, 36);
    SpeedButton1 = NapraviDugme(QStringLiteral("prihvati"), TIkonica::Prihvati, traka);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(5, 5, 88, 26);
    SpeedButton2 = NapraviDugme(QStringLiteral("odustani"), TIkonica::Odustani, traka);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(98, 5, 88, 26);
    SpeedButton1->setDefault(true);

    connect(SpeedButton1, &QPushButton::clicked, this, &TIzborUlaza::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TIzborUlaza::SpeedButton2Click);
    connect(Napomena, &QPushButton::clicked, this, &TIzborUlaza::NapomenaClick);
}

int TIzborUlaza::IzabraniUlaz() const {
    if (RadioButton1->isChecked()) return 0;
    if (RadioButton2->isChecked()) return 1;
    return 2;
}

void TIzborUlaza::showEvent(QShowEvent* e) {
    QRadioButton* izbor = RadioButton1->isEnabled()   ? RadioButton1
                          : RadioButton2->isEnabled() ? RadioButton2
                                                      : RadioButton3;
    izbor->setChecked(true);
    izbor->setFocus(Qt::OtherFocusReason);
    TOkvirDijalog::showEvent(e);
}

void TIzborUlaza::SpeedButton1Click() {
    Prihvati();
}

void TIzborUlaza::SpeedButton2Click() {
    Odustani();
}

void TIzborUlaza::NapomenaClick() {
    Dijalozi().Informacija(QStringLiteral("Kod nekih blokova redosled ulaza je bitan!"));
}
