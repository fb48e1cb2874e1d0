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
        dugmad[i]->setObjectName(QStringLiteral("DugmeUlaza%1").arg(i + 1));
        dugmad[i]->setFont(izgled::Verdana(11, true));
        dugmad[i]->setGeometry(52, 9 + i * 26, 110, 22);
        dugmad[i]->setCursor(Qt::PointingHandCursor);
    }
    DugmeUlaza1 = dugmad[0];
    DugmeUlaza2 = dugmad[1];
    DugmeUlaza3 = dugmad[2];

    Napomena = NapraviLink(QStringLiteral("Napomena"), this);
    Napomena->setObjectName(QStringLiteral("Napomena"));
    Napomena->setGeometry(118, 120, 76, 17);

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 138, 191, 36);
    NapraviDugmad(traka, QStringLiteral("prihvati"), TIkonica::Prihvati, {5, 5, 88, 26},
                  {98, 5, 88, 26});
    DugmePrihvati->setDefault(true);

    connect(DugmePrihvati, &QPushButton::clicked, this, &TIzborUlaza::DugmePrihvatiClick);
    connect(Napomena, &QPushButton::clicked, this, &TIzborUlaza::NapomenaClick);
}

int TIzborUlaza::IzabraniUlaz() const {
    if (DugmeUlaza1->isChecked()) return 0;
    if (DugmeUlaza2->isChecked()) return 1;
    return 2;
}

void TIzborUlaza::showEvent(QShowEvent* e) {
    QRadioButton* izbor = DugmeUlaza1->isEnabled()   ? DugmeUlaza1
                          : DugmeUlaza2->isEnabled() ? DugmeUlaza2
                                                     : DugmeUlaza3;
    izbor->setChecked(true);
    izbor->setFocus(Qt::OtherFocusReason);
    TOkvirDijalog::showEvent(e);
}

void TIzborUlaza::DugmePrihvatiClick() {
    Prihvati();
}

void TIzborUlaza::NapomenaClick() {
    Dijalozi().Informacija(QStringLiteral("Kod nekih blokova redosled ulaza je bitan!"));
}
