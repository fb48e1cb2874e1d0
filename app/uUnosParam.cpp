#include "uUnosParam.h"

#include "Dijalozi.h"
#include "Tekst.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TUnosPar::TUnosPar(QWidget* roditelj)
    : TOkvirDijalog(QStringLiteral("Unesite vrednosti parametara"), QSize(269, 200), 18, roditelj) {
    setObjectName(QStringLiteral("UnosPar"));

    QFrame* panel = NapraviPanel(this, false);
    panel->setGeometry(8, 26, 253, 106);
    QLabel* natpisi[3];
    QLineEdit* polja[3];
    for (int i = 0; i < 3; ++i) {
        natpisi[i] = new QLabel(QStringLiteral("Parametar %1:").arg(i + 1), panel);
        natpisi[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        natpisi[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        natpisi[i]->setGeometry(4, 10 + i * 31, 118, 22);
        polja[i] = NapraviPolje(QStringLiteral("Edit%1").arg(i + 1), panel);
        polja[i]->setGeometry(128, 10 + i * 31, 115, 22);
        natpisi[i]->setBuddy(polja[i]);
    }
    Label1 = natpisi[0];
    Label2 = natpisi[1];
    Label3 = natpisi[2];
    Edit1 = polja[0];
    Edit2 = polja[1];
    Edit3 = polja[2];
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);

    Napomena = NapraviLink(QStringLiteral("Napomena"), this);
    Napomena->setObjectName(QStringLiteral("Napomena"));
    Napomena->setGeometry(180, 135, 76, 17);

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 156, 253, 36);
    SpeedButton1 = NapraviDugme(QStringLiteral("prihvati"), TIkonica::Prihvati, traka);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(18, 5, 100, 26);
    SpeedButton2 = NapraviDugme(QStringLiteral("odustani"), TIkonica::Odustani, traka);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(135, 5, 100, 26);
    SpeedButton1->setDefault(true);

    connect(SpeedButton1, &QPushButton::clicked, this, &TUnosPar::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TUnosPar::SpeedButton2Click);
    connect(Napomena, &QPushButton::clicked, this, &TUnosPar::NapomenaClick);
}

void TUnosPar::PripremiRedove(int brparam, const QString& natpis1, const QString& natpis2,
                              const QString& natpis3) {
    Label1->setText(natpis1 + QLatin1Char(':'));
    Label1->setEnabled(true);
    Edit1->setEnabled(true);
    const bool drugi = brparam == 2 || brparam == 3;
    const bool treci = brparam == 3;
    if (drugi) Label2->setText(natpis2 + QLatin1Char(':'));
    if (treci) Label3->setText(natpis3 + QLatin1Char(':'));
    Label2->setEnabled(drugi);
    Edit2->setEnabled(drugi);
    Label3->setEnabled(treci);
    Edit3->setEnabled(treci);
}

double TUnosPar::Vrednost(int k) const {
    return k >= 1 && k <= 3 ? vrednosti_[k - 1] : 0.0;
}

void TUnosPar::showEvent(QShowEvent* e) {
    for (QLineEdit* polje : {Edit1, Edit2, Edit3})
        polje->setText(QStringLiteral("0"));
    Edit1->setFocus(Qt::OtherFocusReason);
    Edit1->selectAll();
    TOkvirDijalog::showEvent(e);
}

void TUnosPar::SpeedButton1Click() {
    QLineEdit* polja[3] = {Edit1, Edit2, Edit3};
    double v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = TekstURealan(polja[i]->text());
        if (v[i] == skem::NijeBroj) {
            Dijalozi().Greska(QStringLiteral("Molim vas da unesete broj!"));
            polja[i]->setFocus(Qt::OtherFocusReason);
            polja[i]->selectAll();
            return;
        }
    }
    std::copy(v, v + 3, vrednosti_);
    Prihvati();
}

void TUnosPar::SpeedButton2Click() {
    Odustani();
}

void TUnosPar::NapomenaClick() {
    Dijalozi().Informacija(
        QStringLiteral("Kod nekih blokova redosled i vrednosti parametara su bitni !!!"));
}
