#include "OpcijeSim.h"

#include "Dijalozi.h"
#include "OpcijeProvera.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TOpcije::TOpcije(QWidget* roditelj)
    : TOkvirDijalog(QStringLiteral("Opcije za simulaciju"), QSize(381, 227), 16, roditelj) {
    setObjectName(QStringLiteral("Opcije"));

    QFrame* panel = NapraviPanel(this, false);
    panel->setGeometry(8, 24, 365, 146);

    auto* grupa = new QGroupBox(QStringLiteral("Trajanje simulacije"), panel);
    grupa->setObjectName(QStringLiteral("GroupBox1"));
    grupa->setGeometry(8, 4, 349, 136);
    grupa->setFont(izgled::Verdana(11, true));
    grupa->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #808080; border-radius: 3px; margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 9px; padding: 0 3px;"
        " color: #800000; }"));

    const QString natpisi[3] = {QStringLiteral("Duzina simulacije:"),
                                QStringLiteral("Interval integracije:"),
                                QStringLiteral("Interval stampanja rezultata:")};
    QLineEdit* polja[3];
    for (int i = 0; i < 3; ++i) {
        auto* natpis = new QLabel(natpisi[i], grupa);
        natpis->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        natpis->setFont(izgled::Verdana(11));
        natpis->setGeometry(14, 26 + i * 36, 186, 22);
        polja[i] = NapraviPolje(QStringLiteral("Edit%1").arg(i + 1), grupa);
        polja[i]->setGeometry(204, 26 + i * 36, 128, 22);
        natpis->setBuddy(polja[i]);
    }
    Edit1 = polja[0];
    Edit2 = polja[1];
    Edit3 = polja[2];
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 178, 365, 40);
    SpeedButton1 = NapraviDugme(QStringLiteral("simulacija"), TIkonica::Simulacija, traka);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(44, 7, 110, 26);
    SpeedButton2 = NapraviDugme(QStringLiteral("odustani"), TIkonica::Odustani, traka);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(211, 7, 110, 26);
    // Enter in a field runs the checks, as the "simulacija" button does.
    SpeedButton1->setDefault(true);

    connect(SpeedButton1, &QPushButton::clicked, this, &TOpcije::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TOpcije::SpeedButton2Click);
}

void TOpcije::SpeedButton1Click() {
    skem::TOpcijeSimulacije v{Trajanje, Interval, IntervalStampanja};
    const skem::TRezultatProvere r = skem::ProveriOpcije(
        Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString(), v);
    Trajanje = v.Trajanje;
    Interval = v.Interval;
    IntervalStampanja = v.IntervalStampanja;
    if (r.Provera == 0) {
        Prihvati();
        return;
    }
    Dijalozi().Greska(QString::fromStdString(r.Poruka));
    QLineEdit* polja[3] = {Edit1, Edit2, Edit3};
    if (r.Polje < 1 || r.Polje > 3) return;
    QLineEdit* polje = polja[r.Polje - 1];
    polje->setFocus(Qt::OtherFocusReason);
    if (r.SelektujTekst)
        polje->selectAll();
    else
        polje->deselect();
}

void TOpcije::showEvent(QShowEvent* e) {
    // Each run starts in the duration with its text selected, wherever the
    // last run's checks left the focus.
    Edit1->setFocus(Qt::OtherFocusReason);
    Edit1->selectAll();
    TOkvirDijalog::showEvent(e);
}

void TOpcije::SpeedButton2Click() {
    Odustani();
}

bool TOpcije::PitajOpcije(skem::TOpcijeSimulacije& opcije) {
    Dijalozi().PrikaziModalno(*this);
    if (!Prihvaceno) return false;
    opcije = {Trajanje, Interval, IntervalStampanja};
    return true;
}
