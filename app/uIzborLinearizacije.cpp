#include "uIzborLinearizacije.h"

#include "Brojevi.h"
#include "Dijalozi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {

// Fills a list, keeping the block chosen before while it is still offered.
void Popuni(QComboBox* lista, const std::vector<TIzborLinearizacije::TStavka>& stavke) {
    const QVariant pre = lista->currentData();
    lista->clear();
    for (const auto& s : stavke)
        lista->addItem(s.Natpis, s.LokalniBroj);
    const int i = pre.isValid() ? lista->findData(pre) : -1;
    lista->setCurrentIndex(i >= 0 ? i : 0);
}

QString Broj(double v) {
    return QString::fromStdString(skem::RealanUTekst(v));
}

} // namespace

TIzborLinearizacije::TIzborLinearizacije(QWidget* roditelj)
    : TOkvirDijalog(QStringLiteral("Linearizacija"), QSize(381, 247), 16, roditelj) {
    setObjectName(QStringLiteral("IzborLinearizacije"));

    QFrame* panel = NapraviPanel(this, false);
    panel->setGeometry(8, 24, 365, 166);
    auto natpis = [panel](const QString& tekst, int y) {
        auto* n = new QLabel(tekst, panel);
        n->setFont(izgled::Verdana(11));
        n->setGeometry(14, y, 150, 22);
        return n;
    };
    auto lista = [panel](const char* ime, int y) {
        auto* l = new QComboBox(panel);
        l->setObjectName(QLatin1String(ime));
        l->setGeometry(168, y, 184, 22);
        return l;
    };
    natpis(QStringLiteral("Ulaz u:"), 10)->setBuddy(IzborUlaza = lista("IzborUlaza", 10));
    IzborUlaza->setToolTip(QStringLiteral("Konstanta, odskocna funkcija ili generator; "
                                          "njen izlaz postaje ulaz linearnog modela"));
    natpis(QStringLiteral("Izlaz y:"), 42)->setBuddy(IzborIzlaza = lista("IzborIzlaza", 42));

    UTrenutku = new QCheckBox(QStringLiteral("U trenutku t ="), panel);
    UTrenutku->setObjectName(QStringLiteral("UTrenutku"));
    UTrenutku->setFont(izgled::Verdana(11));
    UTrenutku->setGeometry(14, 74, 150, 22);
    UTrenutku->setToolTip(
        QStringLiteral("Stanje iz poslednje simulacije u tom trenutku; inace pocetno stanje"));
    PoljeVremena = NapraviPolje(QStringLiteral("PoljeVremena"), panel);
    PoljeVremena->setGeometry(168, 74, 184, 22);
    PoljeVremena->setText(QStringLiteral("0"));
    opisVremena = new QLabel(panel);
    opisVremena->setObjectName(QStringLiteral("OpisVremena"));
    opisVremena->setFont(izgled::Verdana(10));
    opisVremena->setGeometry(14, 98, 338, 18);
    natpis(QStringLiteral("Skok ulaza:"), 128)
        ->setBuddy(PoljeSkoka = NapraviPolje(QStringLiteral("PoljeSkoka"), panel));
    PoljeSkoka->setGeometry(168, 128, 184, 22);
    PoljeSkoka->setText(QStringLiteral("1"));
    PoljeSkoka->setToolTip(
        QStringLiteral("Promena ulaza za simulirani odziv na skok, koji se poredi sa linearnim"));
    connect(UTrenutku, &QCheckBox::toggled, PoljeVremena, &QWidget::setEnabled);
    PoljeVremena->setEnabled(false);

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 198, 365, 40);
    NapraviDugmad(traka, QStringLiteral("linearizuj"), TIkonica::Grafik, {44, 7, 110, 26},
                  {211, 7, 110, 26});
    DugmePrihvati->setDefault(true);
    connect(DugmePrihvati, &QPushButton::clicked, this, &TIzborLinearizacije::DugmePrihvatiClick);
}

void TIzborLinearizacije::Postavi(const std::vector<TStavka>& ulazi,
                                  const std::vector<TStavka>& izlazi,
                                  std::optional<double> vremeDo) {
    Popuni(IzborUlaza, ulazi);
    Popuni(IzborIzlaza, izlazi);
    poslednjeVreme = vremeDo;
    UTrenutku->setEnabled(vremeDo.has_value());
    if (!vremeDo) UTrenutku->setChecked(false);
    PoljeVremena->setEnabled(UTrenutku->isChecked());
    opisVremena->setText(
        vremeDo ? QStringLiteral("Poslednja simulacija: od 0 do %1").arg(Broj(*vremeDo))
                : QStringLiteral("Nema simulacije ovog modela: t = 0"));
}

void TIzborLinearizacije::DugmePrihvatiClick() {
    auto procitaj = [](QLineEdit* polje, double& v) {
        if (skem::ProcitajRealan(polje->text().toStdString(), v) && std::isfinite(v)) return true;
        Dijalozi().Greska(QStringLiteral("Molim vas da unesete broj!"));
        polje->setFocus(Qt::OtherFocusReason);
        polje->selectAll();
        return false;
    };
    if (IzborUlaza->currentIndex() < 0 || IzborIzlaza->currentIndex() < 0) return;
    std::optional<double> vreme;
    if (UTrenutku->isChecked() && poslednjeVreme) {
        double t = 0;
        if (!procitaj(PoljeVremena, t)) return;
        if (t < 0 || t > *poslednjeVreme) {
            Dijalozi().Greska(
                QStringLiteral("Vreme mora biti izmedju 0 i %1!").arg(Broj(*poslednjeVreme)));
            PoljeVremena->setFocus(Qt::OtherFocusReason);
            return;
        }
        vreme = t;
    }
    double skok = 0;
    if (!procitaj(PoljeSkoka, skok)) return;
    if (skok == 0) {
        Dijalozi().Greska(QStringLiteral("Skok ulaza mora biti razlicit od nule!"));
        PoljeSkoka->setFocus(Qt::OtherFocusReason);
        return;
    }
    Ulaz = IzborUlaza->currentData().toInt();
    Izlaz = IzborIzlaza->currentData().toInt();
    Vreme = vreme;
    Skok = skok;
    Prihvati();
}
