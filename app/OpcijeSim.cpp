#include "OpcijeSim.h"

#include "Dijalozi.h"
#include "OpcijeProvera.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

namespace {

// The choices in the list's order, and the key under which the last one is kept.
constexpr skem::TPrevodjenje NaciniPrevodjenja[] = {skem::TPrevodjenje::Auto,
                                                    skem::TPrevodjenje::Da, skem::TPrevodjenje::Ne};
const char* const KljucPrevodjenja = "Simulacija/Prevodjenje";

} // namespace

TOpcije::TOpcije(QWidget* roditelj)
    : TOkvirDijalog(QStringLiteral("Opcije za simulaciju"), QSize(381, 263), 16, roditelj) {
    setObjectName(QStringLiteral("Opcije"));

    QFrame* panel = NapraviPanel(this, false);
    panel->setGeometry(8, 24, 365, 182);

    auto* grupa = new QGroupBox(QStringLiteral("Trajanje simulacije"), panel);
    grupa->setObjectName(QStringLiteral("GrupaTrajanja"));
    grupa->setGeometry(8, 4, 349, 172);
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
    // Compiling pays off on long runs only; "automatski" decides by the run's size.
    auto* natpisPrevodjenja = new QLabel(QStringLiteral("Prevodjenje modela:"), grupa);
    natpisPrevodjenja->setObjectName(QStringLiteral("Natpis4"));
    natpisPrevodjenja->setFont(izgled::Verdana(11));
    natpisPrevodjenja->setGeometry(14, 26 + 3 * 36, 186, 22);
    IzborPrevodjenja = new QComboBox(grupa);
    IzborPrevodjenja->setObjectName(QStringLiteral("IzborPrevodjenja"));
    IzborPrevodjenja->addItems(
        {QStringLiteral("automatski"), QStringLiteral("uvek"), QStringLiteral("nikad")});
    IzborPrevodjenja->setToolTip(
        QStringLiteral("Duge simulacije se prevode u masinski kod i traju krace; "
                       "rezultati su isti"));
    IzborPrevodjenja->setGeometry(204, 26 + 3 * 36, 128, 22);
    natpisPrevodjenja->setBuddy(IzborPrevodjenja);
    const int sacuvan =
        QSettings(FajlPodesavanja(), QSettings::IniFormat).value(KljucPrevodjenja, 0).toInt();
    IzborPrevodjenja->setCurrentIndex(sacuvan >= 0 && sacuvan < 3 ? sacuvan : 0);
    setTabOrder(PoljeTrajanja, PoljeIntervala);
    setTabOrder(PoljeIntervala, PoljeIntervalaStampanja);
    setTabOrder(PoljeIntervalaStampanja, IzborPrevodjenja);

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 214, 365, 40);
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
        QSettings podesavanja(FajlPodesavanja(), QSettings::IniFormat);
        podesavanja.setValue(KljucPrevodjenja, IzborPrevodjenja->currentIndex());
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

skem::TPrevodjenje TOpcije::Prevodjenje() const {
    const int i = IzborPrevodjenja->currentIndex();
    return i >= 0 && i < 3 ? NaciniPrevodjenja[i] : skem::TPrevodjenje::Auto;
}
