#include "uUnosParam.h"

#include "Brojevi.h"
#include "Dijalozi.h"
#include "Tekst.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

TUnosPar::TUnosPar(QWidget* roditelj)
    : TOkvirDijalog(QStringLiteral("Unesite vrednosti parametara"), QSize(269, 200), 18, roditelj) {
    setObjectName(QStringLiteral("UnosPar"));

    QFrame* panel = NapraviPanel(this, false);
    panel->setGeometry(8, 26, 253, 106);
    QLabel* natpisi[3];
    QLineEdit* polja[3];
    for (int i = 0; i < 3; ++i) {
        natpisi[i] = new QLabel(QStringLiteral("Parametar %1:").arg(i + 1), panel);
        natpisi[i]->setObjectName(QStringLiteral("NatpisParametra%1").arg(i + 1));
        natpisi[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        natpisi[i]->setGeometry(4, 10 + i * 31, 118, 22);
        polja[i] = NapraviPolje(QStringLiteral("PoljeParametra%1").arg(i + 1), panel);
        polja[i]->setGeometry(128, 10 + i * 31, 115, 22);
        natpisi[i]->setBuddy(polja[i]);
    }
    NatpisParametra1 = natpisi[0];
    NatpisParametra2 = natpisi[1];
    NatpisParametra3 = natpisi[2];
    PoljeParametra1 = polja[0];
    PoljeParametra2 = polja[1];
    PoljeParametra3 = polja[2];
    setTabOrder(PoljeParametra1, PoljeParametra2);
    setTabOrder(PoljeParametra2, PoljeParametra3);

    Napomena = NapraviLink(QStringLiteral("Napomena"), this);
    Napomena->setObjectName(QStringLiteral("Napomena"));
    Napomena->setGeometry(180, 135, 76, 17);

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 156, 253, 36);
    NapraviDugmad(traka, QStringLiteral("prihvati"), TIkonica::Prihvati, {18, 5, 100, 26},
                  {135, 5, 100, 26});
    DugmePrihvati->setDefault(true);

    connect(DugmePrihvati, &QPushButton::clicked, this, &TUnosPar::DugmePrihvatiClick);
    connect(Napomena, &QPushButton::clicked, this, &TUnosPar::NapomenaClick);
}

void TUnosPar::PripremiRedove(int brparam, const QString& natpis1, const QString& natpis2,
                              const QString& natpis3) {
    NatpisParametra1->setText(natpis1 + QLatin1Char(':'));
    NatpisParametra1->setEnabled(true);
    PoljeParametra1->setEnabled(true);
    const bool drugi = brparam == 2 || brparam == 3;
    const bool treci = brparam == 3;
    if (drugi) NatpisParametra2->setText(natpis2 + QLatin1Char(':'));
    if (treci) NatpisParametra3->setText(natpis3 + QLatin1Char(':'));
    NatpisParametra2->setEnabled(drugi);
    PoljeParametra2->setEnabled(drugi);
    NatpisParametra3->setEnabled(treci);
    PoljeParametra3->setEnabled(treci);
    imaIme = false;
}

void TUnosPar::PripremiIme(const QString& ime) {
    imaIme = true;
    NatpisParametra2->setText(QStringLiteral("Naziv:"));
    NatpisParametra2->setEnabled(true);
    PoljeParametra2->setEnabled(true);
    pocetniTekstovi[1] = ime.isEmpty() ? QStringLiteral(" ") : ime;
}

double TUnosPar::Vrednost(int k) const {
    return k >= 1 && k <= 3 ? vrednosti[k - 1] : 0.0;
}

void TUnosPar::PostaviVrednosti(double p1, double p2, double p3) {
    const double v[3] = {p1, p2, p3};
    for (int i = 0; i < 3; ++i)
        pocetniTekstovi[i] = QString::fromStdString(skem::RealanUTekst(v[i]));
}

void TUnosPar::showEvent(QShowEvent* e) {
    QLineEdit* polja[3] = {PoljeParametra1, PoljeParametra2, PoljeParametra3};
    for (int i = 0; i < 3; ++i) {
        QString tekst = pocetniTekstovi[i].isEmpty() ? QStringLiteral("0") : pocetniTekstovi[i];
        if (imaIme && i == 1) tekst = tekst.trimmed(); // an empty name was kept as " "
        polja[i]->setText(tekst);
        pocetniTekstovi[i].clear();
    }
    PoljeParametra1->setFocus(Qt::OtherFocusReason);
    PoljeParametra1->selectAll();
    TOkvirDijalog::showEvent(e);
}

void TUnosPar::DugmePrihvatiClick() {
    QLineEdit* polja[3] = {PoljeParametra1, PoljeParametra2, PoljeParametra3};
    double v[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (imaIme && i == 1) continue;
        v[i] = TekstURealan(polja[i]->text());
        if (v[i] == skem::NijeBroj) {
            Dijalozi().Greska(QStringLiteral("Molim vas da unesete broj!"));
            polja[i]->setFocus(Qt::OtherFocusReason);
            polja[i]->selectAll();
            return;
        }
    }
    if (imaIme) {
        const QString tekst = PoljeParametra2->text().trimmed();
        // The name is written into the document's XML, which holds no control characters.
        if (std::any_of(tekst.begin(), tekst.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; })) {
            Dijalozi().Greska(QStringLiteral("Naziv ne sme da sadrzi kontrolne znakove!"));
            PoljeParametra2->setFocus(Qt::OtherFocusReason);
            PoljeParametra2->selectAll();
            return;
        }
        ime = tekst;
    }
    std::copy(v, v + 3, vrednosti);
    Prihvati();
}

void TUnosPar::NapomenaClick() {
    Dijalozi().Informacija(
        QStringLiteral("Kod nekih blokova redosled i vrednosti parametara su bitni !!!"));
}
