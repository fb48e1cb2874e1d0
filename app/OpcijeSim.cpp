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
    grupa->setObjectName(QStringLiteral("GrupaTrajanja"));
    grupa->setGeometry(8, 4, 349, 136);
    grupa->setFont(izgled::Verdana(11, true));
    grupa->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #808080; border-radius: 3px; margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 9px; padding: 0 3px;"
        " color: #800000; }"));

    const QString natpisi[3] = {QStringLiteral("Duzina simulacije:"),
                                QStringLiteral("Interval integracije:"),
                                QStringLiteral("Interval stampanja rezultata:")};
    const char* const imena[3] = {"PoljeTrajanja", "PoljeIntervala", "PoljeIntervalaStampanja"};
    QLineEdit* polja[3];
    for (int i = 0; i < 3; ++i) {
        auto* natpis = new QLabel(natpisi[i], grupa);
        natpis->setObjectName(QStringLiteral("Natpis%1").arg(i + 1));
        natpis->setFont(izgled::Verdana(11));
        natpis->setGeometry(14, 26 + i * 36, 186, 22);
        polja[i] = NapraviPolje(QLatin1String(imena[i]), grupa);
        polja[i]->setGeometry(204, 26 + i * 36, 128, 22);
        natpis->setBuddy(polja[i]);
    }
    PoljeTrajanja = polja[0];
    PoljeIntervala = polja[1];
    PoljeIntervalaStampanja = polja[2];
    setTabOrder(PoljeTrajanja, PoljeIntervala);
    setTabOrder(PoljeIntervala, PoljeIntervalaStampanja);

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 178, 365, 40);
    NapraviDugmad(traka, QStringLiteral("simulacija"), TIkonica::Simulacija, {44, 7, 110, 26},
                  {211, 7, 110, 26});
    // Enter in a field runs the checks, as the "simulacija" button does.
    DugmePrihvati->setDefault(true);

    connect(DugmePrihvati, &QPushButton::clicked, this, &TOpcije::DugmePrihvatiClick);
}

void TOpcije::DugmePrihvatiClick() {
    skem::TOpcijeSimulacije v{Trajanje, Interval, IntervalStampanja};
    const skem::TRezultatProvere r = skem::ProveriOpcije(
        PoljeTrajanja->text().toStdString(), PoljeIntervala->text().toStdString(),
        PoljeIntervalaStampanja->text().toStdString(), v);
    Trajanje = v.Trajanje;
    Interval = v.Interval;
    IntervalStampanja = v.IntervalStampanja;
    if (r.Provera == 0) {
        Prihvati();
        return;
    }
    Dijalozi().Greska(QString::fromStdString(r.Poruka));
    QLineEdit* polja[3] = {PoljeTrajanja, PoljeIntervala, PoljeIntervalaStampanja};
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
    PoljeTrajanja->setFocus(Qt::OtherFocusReason);
    PoljeTrajanja->selectAll();
    TOkvirDijalog::showEvent(e);
}

bool TOpcije::PitajOpcije(skem::TOpcijeSimulacije& opcije) {
    Dijalozi().PrikaziModalno(*this);
    if (!Prihvaceno) return false;
    opcije = {Trajanje, Interval, IntervalStampanja};
    return true;
}
