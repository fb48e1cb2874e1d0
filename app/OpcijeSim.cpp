#include "OpcijeSim.h"

#include "Brojevi.h"
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
    : TOkvirDijalog(QStringLiteral("Opcije za simulaciju"), QSize(381, 393), 16, roditelj) {
    setObjectName(QStringLiteral("Opcije"));

    QFrame* panel = NapraviPanel(this, false);
    panel->setGeometry(8, 24, 365, 312);

    auto* grupa = new QGroupBox(QStringLiteral("Trajanje simulacije"), panel);
    grupa->setObjectName(QStringLiteral("GrupaTrajanja"));
    grupa->setGeometry(8, 4, 349, 302);
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
    natpisIntervala = grupa->findChild<QLabel*>(QStringLiteral("Natpis2"));
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
    // The method on a row of its own: its names are longer than a field.
    auto* natpisMetoda = new QLabel(QStringLiteral("Metod integracije:"), grupa);
    natpisMetoda->setObjectName(QStringLiteral("Natpis5"));
    natpisMetoda->setFont(izgled::Verdana(11));
    natpisMetoda->setGeometry(14, 26 + 4 * 36, 186, 22);
    IzborMetoda = new QComboBox(grupa);
    IzborMetoda->setObjectName(QStringLiteral("IzborMetoda"));
    IzborMetoda->addItems(NaziviMetoda());
    IzborMetoda->setToolTip(
        QStringLiteral("Uz promenljivi korak interval integracije je najveci dozvoljeni korak"));
    IzborMetoda->setGeometry(14, 26 + 4 * 36 + 24, 318, 22);
    natpisMetoda->setBuddy(IzborMetoda);
    const QString natpisiTolerancija[2] = {QStringLiteral("Relativna tolerancija:"),
                                           QStringLiteral("Apsolutna tolerancija:")};
    const char* const imenaTolerancija[2] = {"PoljeRelativneTolerancije",
                                             "PoljeApsolutneTolerancije"};
    QLineEdit* tolerancije[2];
    for (int i = 0; i < 2; ++i) {
        auto* natpis = new QLabel(natpisiTolerancija[i], grupa);
        natpis->setObjectName(QStringLiteral("Natpis%1").arg(i + 6));
        natpis->setFont(izgled::Verdana(11));
        natpis->setGeometry(14, 26 + 4 * 36 + 60 + i * 36, 186, 22);
        tolerancije[i] = NapraviPolje(QLatin1String(imenaTolerancija[i]), grupa);
        tolerancije[i]->setGeometry(204, 26 + 4 * 36 + 60 + i * 36, 128, 22);
        natpis->setBuddy(tolerancije[i]);
    }
    PoljeRelativneTolerancije = tolerancije[0];
    PoljeApsolutneTolerancije = tolerancije[1];
    PoljeRelativneTolerancije->setText(
        QString::fromStdString(skem::RealanUTekst(skem::PodrazumevanaRelativnaTolerancija)));
    PoljeApsolutneTolerancije->setText(
        QString::fromStdString(skem::RealanUTekst(skem::PodrazumevanaApsolutnaTolerancija)));
    setTabOrder(PoljeTrajanja, PoljeIntervala);
    setTabOrder(PoljeIntervala, PoljeIntervalaStampanja);
    setTabOrder(PoljeIntervalaStampanja, IzborPrevodjenja);
    setTabOrder(IzborPrevodjenja, IzborMetoda);
    setTabOrder(IzborMetoda, PoljeRelativneTolerancije);
    setTabOrder(PoljeRelativneTolerancije, PoljeApsolutneTolerancije);
    connect(IzborMetoda, &QComboBox::currentIndexChanged, this, [this] { MetodPromenjen(); });
    MetodPromenjen();

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 344, 365, 40);
    NapraviDugmad(traka, QStringLiteral("simulacija"), TIkonica::Simulacija, {44, 7, 110, 26},
                  {211, 7, 110, 26});
    // Enter in a field runs the checks, as the "simulacija" button does.
    DugmePrihvati->setDefault(true);

    connect(DugmePrihvati, &QPushButton::clicked, this, &TOpcije::DugmePrihvatiClick);
}

void TOpcije::DugmePrihvatiClick() {
    skem::TOpcijeSimulacije v{Trajanje, Interval, IntervalStampanja};
    const skem::TRezultatProvere prvih = skem::ProveriOpcije(
        PoljeTrajanja->text().toStdString(), PoljeIntervala->text().toStdString(),
        PoljeIntervalaStampanja->text().toStdString(), v);
    Trajanje = v.Trajanje;
    Interval = v.Interval;
    IntervalStampanja = v.IntervalStampanja;
    skem::TRezultatProvere r = prvih;
    if (r.Provera == 0 && Metod().Metod != skem::TMetodIntegracije::RK4) {
        r = skem::ProveriTolerancije(PoljeRelativneTolerancije->text().toStdString(),
                                     PoljeApsolutneTolerancije->text().toStdString(), v);
        RelativnaTolerancija = v.RelativnaTolerancija;
        ApsolutnaTolerancija = v.ApsolutnaTolerancija;
    }
    if (r.Provera == 0) {
        QSettings podesavanja(FajlPodesavanja(), QSettings::IniFormat);
        podesavanja.setValue(KljucPrevodjenja, IzborPrevodjenja->currentIndex());
        Prihvati();
        return;
    }
    Dijalozi().Greska(QString::fromStdString(r.Poruka));
    QLineEdit* polja[5] = {PoljeTrajanja, PoljeIntervala, PoljeIntervalaStampanja,
                           PoljeRelativneTolerancije, PoljeApsolutneTolerancije};
    if (r.Polje < 1 || r.Polje > 5) return;
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
    const skem::TMetodDokumenta m = Metod();
    opcije = {Trajanje,
              Interval,
              IntervalStampanja,
              m.Metod,
              m.RelativnaTolerancija,
              m.ApsolutnaTolerancija};
    return true;
}

const QStringList& TOpcije::NaziviMetoda() {
    static const QStringList nazivi = {QStringLiteral("Runge-Kutta 4 (fiksni korak)"),
                                       QStringLiteral("Dormand-Prince 5(4) (promenljivi korak)"),
                                       QStringLiteral("BDF (kruti sistemi)")};
    return nazivi;
}

void TOpcije::PostaviMetod(const std::optional<skem::TMetodDokumenta>& metod) {
    const skem::TMetodDokumenta m = metod.value_or(skem::TMetodDokumenta{});
    IzborMetoda->setCurrentIndex(static_cast<int>(m.Metod));
    if (!metod) return;
    RelativnaTolerancija = m.RelativnaTolerancija;
    ApsolutnaTolerancija = m.ApsolutnaTolerancija;
    PoljeRelativneTolerancije->setText(
        QString::fromStdString(skem::RealanUTekst(RelativnaTolerancija)));
    PoljeApsolutneTolerancije->setText(
        QString::fromStdString(skem::RealanUTekst(ApsolutnaTolerancija)));
}

skem::TMetodDokumenta TOpcije::Metod() const {
    const int i = IzborMetoda->currentIndex();
    return {i >= 0 && i < 3 ? static_cast<skem::TMetodIntegracije>(i)
                            : skem::TMetodIntegracije::RK4,
            RelativnaTolerancija, ApsolutnaTolerancija};
}

void TOpcije::MetodPromenjen() {
    const bool promenljiv = IzborMetoda->currentIndex() > 0;
    PoljeRelativneTolerancije->setEnabled(promenljiv);
    PoljeApsolutneTolerancije->setEnabled(promenljiv);
    natpisIntervala->setText(promenljiv ? QStringLiteral("Najveci korak integracije:")
                                        : QStringLiteral("Interval integracije:"));
}

skem::TPrevodjenje TOpcije::Prevodjenje() const {
    const int i = IzborPrevodjenja->currentIndex();
    return i >= 0 && i < 3 ? NaciniPrevodjenja[i] : skem::TPrevodjenje::Auto;
}
