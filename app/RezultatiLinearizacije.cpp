#include "RezultatiLinearizacije.h"

#include "Dijalozi.h"
#include "IzgledGrafika.h"
#include "RezultatiDelovi.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace DeloviRezultata;

namespace {

QString Broj(double v) {
    if (std::fabs(v) < 1e-12) v = 0; // the rounding of the differences, not a value
    return QString::number(v, 'g', 6);
}

QString Kompleksan(std::complex<double> p) {
    if (p.imag() == 0) return Broj(p.real());
    return Broj(p.real()) + (p.imag() < 0 ? QStringLiteral(" - j") : QStringLiteral(" + j")) +
           Broj(std::fabs(p.imag()));
}

// A chart in the look of the results' chart, with its two axes.
QChartView* NoviGrafik(const char* ime, QAbstractAxis* osaX, QWidget* roditelj) {
    auto* grafik = new QChart;
    IzgledGrafika::UrediGrafik(grafik, QMargins(8, 8, 22, 4));
    auto* osaY = new QValueAxis;
    for (QAbstractAxis* osa : {osaX, static_cast<QAbstractAxis*>(osaY)}) {
        IzgledGrafika::UrediOsu(osa);
    }
    grafik->addAxis(osaX, Qt::AlignBottom);
    grafik->addAxis(osaY, Qt::AlignLeft);
    auto* pogled = new QChartView(grafik, roditelj);
    pogled->setObjectName(QLatin1String(ime));
    pogled->setRenderHint(QPainter::Antialiasing);
    pogled->setFrameShape(QFrame::NoFrame);
    return pogled;
}

QValueAxis* OsaY(QChart* g) {
    return static_cast<QValueAxis*>(g->axes(Qt::Vertical).front());
}

// The chart's curves anew; each series a colour of the results' chart.
void Nacrtaj(QChart* g, const std::vector<std::pair<QString, QList<QPointF>>>& krive,
             bool isprekidanaDruga = false) {
    for (QAbstractSeries* s : g->series()) {
        g->removeSeries(s);
        delete s;
    }
    double min = 0, max = 0;
    bool ima = false;
    for (std::size_t i = 0; i < krive.size(); ++i) {
        auto* s = new QLineSeries;
        s->setName(krive[i].first);
        s->replace(krive[i].second);
        g->addSeries(s);
        QPen olovka(IzgledGrafika::BojaSerije(static_cast<int>(i)));
        olovka.setWidthF(2);
        if (isprekidanaDruga && i == 1) olovka.setStyle(Qt::DashLine);
        s->setPen(olovka);
        for (QAbstractAxis* osa : g->axes())
            s->attachAxis(osa);
        for (const QPointF& t : krive[i].second) {
            min = ima ? std::min(min, t.y()) : t.y();
            max = ima ? std::max(max, t.y()) : t.y();
            ima = true;
        }
    }
    // Room around the curves; a flat curve gets a band around its value.
    const double rub = max > min ? (max - min) * 0.05 : std::max(1.0, std::fabs(max) * 0.1);
    QValueAxis* y = OsaY(g);
    y->setRange(min - rub, max + rub);
    y->applyNiceNumbers();
}

} // namespace

TPrikazLinearizacije::TPrikazLinearizacije(QObject* roditelj) : QObject(roditelj) {
    const auto [s, raspored, panel] =
        NovaStrana(QStringLiteral("LinearizacijaTab"), QStringLiteral("Linearizacija"));
    strana = s;
    QPushButton* nazad = Dugme(QStringLiteral("Nazad"), TIkonica::Nazad, s);
    nazad->setObjectName(QStringLiteral("NazadSaLinearizacije"));
    Savet(nazad, QStringLiteral("Nazad na model"));
    QPushButton* izvoz = Dugme(QStringLiteral("Sacuvaj PNG"), TIkonica::Izvoz, s);
    izvoz->setObjectName(QStringLiteral("IzvozPngLinearizacije"));
    Savet(izvoz, QStringLiteral("Cuva prikazanu karticu kao PNG sliku"));
    panel->addWidget(nazad);
    panel->addStretch(1);
    panel->addWidget(izvoz);

    kartice = new QTabWidget(s);
    kartice->setObjectName(QStringLiteral("KarticeLinearizacije"));
    tekst = new QTextBrowser(kartice);
    tekst->setObjectName(QStringLiteral("TekstLinearizacije"));
    kartice->addTab(tekst, QStringLiteral("Model i polovi"));

    auto* bode = new QWidget(kartice);
    auto* kolona = new QVBoxLayout(bode);
    kolona->setContentsMargins(0, 0, 0, 0);
    kolona->setSpacing(0);
    for (auto [ime, naslov, cilj] :
         {std::tuple{"GrafikModula", QStringLiteral("|H(jw)| [dB]"), &modul},
          std::tuple{"GrafikFaze", QStringLiteral("arg H(jw) [stepeni]"), &faza}}) {
        auto* osaW = new QLogValueAxis;
        osaW->setBase(10);
        osaW->setLabelFormat(QStringLiteral("%g"));
        osaW->setMinorTickCount(8);
        osaW->setTitleText(QStringLiteral("w [rad/s]"));
        QChartView* v = NoviGrafik(ime, osaW, bode);
        *cilj = v->chart();
        OsaY(*cilj)->setTitleText(naslov);
        kolona->addWidget(v, 1);
    }
    kartice->addTab(bode, QStringLiteral("Bodeov dijagram"));

    auto* osaT = new QValueAxis;
    osaT->setTitleText(QStringLiteral("t"));
    QChartView* v = NoviGrafik("GrafikOdziva", osaT, kartice);
    odziv = v->chart();
    OsaY(odziv)->setTitleText(QStringLiteral("promena y po jedinici promene u"));
    kartice->addTab(v, QStringLiteral("Odziv na skok"));
    raspored->addWidget(kartice, 1);

    connect(nazad, &QPushButton::clicked, this, [this] {
        if (OnNazad) IzvrsiIPrijavi(OnNazad);
    });
    connect(izvoz, &QPushButton::clicked, this,
            [this] { IzvrsiIPrijavi([this] { IzvozClick(); }); });
}

TPrikazLinearizacije::~TPrikazLinearizacije() {
    if (strana && !strana->parent()) delete strana;
}

void TPrikazLinearizacije::Prikazi(const skem::TLinearniModel& lm, const TNazivi& nazivi,
                                   double vreme) {
    // The text: the point, the matrices with their states named, the poles.
    const auto m = lm.A.rows();
    auto matrica = [&](const QString& ime, const Eigen::MatrixXd& x, bool redoviStanja,
                       bool koloneStanja) {
        QString h =
            QStringLiteral("<p><b>%1</b></p><table border=1 cellspacing=0 cellpadding=3>").arg(ime);
        if (koloneStanja) {
            h += QStringLiteral("<tr><td></td>");
            for (Eigen::Index j = 0; j < x.cols(); ++j)
                h += QStringLiteral("<th>x%1</th>").arg(j + 1);
            h += QStringLiteral("</tr>");
        }
        for (Eigen::Index i = 0; i < x.rows(); ++i) {
            h += QStringLiteral("<tr>");
            if (redoviStanja)
                h += QStringLiteral("<th>x%1'</th>").arg(i + 1);
            else if (koloneStanja)
                h += QStringLiteral("<th>y</th>");
            for (Eigen::Index j = 0; j < x.cols(); ++j)
                h += QStringLiteral("<td align=right>%1</td>").arg(Broj(x(i, j)));
            h += QStringLiteral("</tr>");
        }
        return h + QStringLiteral("</table>");
    };
    QString h = QStringLiteral("<h3>Linearni model</h3>"
                               "<p>Ulaz u: %1<br>Izlaz y: %2<br>"
                               "Radna tacka: t = %3, u0 = %4, y0 = %5</p>"
                               "<p>x' = A x + B u,&nbsp; y = C x + D u &nbsp;(odstupanja od "
                               "radne tacke)</p><p>")
                    .arg(nazivi.Ulaz.toHtmlEscaped(), nazivi.Izlaz.toHtmlEscaped(), Broj(vreme),
                         Broj(lm.U0), Broj(lm.Y0));
    for (Eigen::Index i = 0; i < m; ++i)
        h += QStringLiteral("x%1 = %2<br>")
                 .arg(i + 1)
                 .arg(std::size_t(i) < nazivi.Stanja.size()
                          ? nazivi.Stanja[std::size_t(i)].toHtmlEscaped()
                          : QString());
    h += QStringLiteral("</p>") + matrica(QStringLiteral("A"), lm.A, true, true) +
         matrica(QStringLiteral("B"), lm.B, true, false) +
         matrica(QStringLiteral("C"), lm.C, false, true) +
         matrica(QStringLiteral("D"), lm.D, false, false);
    h += QStringLiteral("<p><b>Polovi</b> (sopstvene vrednosti matrice A)</p>"
                        "<table border=1 cellspacing=0 cellpadding=3>"
                        "<tr><th>pol</th><th>wn [rad/s]</th><th>zeta</th></tr>");
    for (const auto& p : lm.Polovi) {
        const double wn = std::abs(p);
        h += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td></tr>")
                 .arg(Kompleksan(p), Broj(wn), wn > 0 ? Broj(-p.real() / wn) : QStringLiteral("-"));
    }
    h += QStringLiteral("</table>");
    if (!lm.GreskaSimulacije.empty())
        h += QStringLiteral("<p>Simulirani odziv na skok nije izracunat: %1</p>")
                 .arg(QString::fromStdString(lm.GreskaSimulacije).toHtmlEscaped());
    tekst->setHtml(h);

    // The Bode plot over the grid's whole decades.
    QList<QPointF> db, stepeni;
    for (const skem::TTackaFrekvencije& f : lm.Frekvencije) {
        db.append({f.Omega, f.ModulDb});
        stepeni.append({f.Omega, f.FazaStepeni});
    }
    Nacrtaj(modul, {{QStringLiteral("modul"), db}});
    Nacrtaj(faza, {{QStringLiteral("faza"), stepeni}});
    for (QChart* g : {modul, faza}) {
        g->legend()->hide();
        if (!lm.Frekvencije.empty())
            g->axes(Qt::Horizontal)
                .front()
                ->setRange(lm.Frekvencije.front().Omega, lm.Frekvencije.back().Omega);
    }

    QList<QPointF> linearni, simulirani;
    for (std::size_t k = 0; k < lm.LinearniOdziv.size(); ++k)
        linearni.append({lm.VremenaOdziva[k], lm.LinearniOdziv[k]});
    for (std::size_t k = 0; k < lm.SimuliraniOdziv.size(); ++k)
        simulirani.append({lm.VremenaOdziva[k], lm.SimuliraniOdziv[k]});
    Nacrtaj(odziv,
            {{QStringLiteral("linearni model"), linearni},
             {QStringLiteral("simulacija (skok %1)").arg(Broj(lm.SkokUlaza)), simulirani}},
            true);
    if (!lm.VremenaOdziva.empty())
        odziv->axes(Qt::Horizontal).front()->setRange(0, lm.VremenaOdziva.back());
}

bool TPrikazLinearizacije::SacuvajSliku(const QString& putanja) {
    QWidget* w = kartice->currentWidget();
    if (w->width() < 100 || w->height() < 100) w->resize(900, 600);
    return SacuvajCeo(putanja, [&](QIODevice& d) { return w->grab().toImage().save(&d, "PNG"); });
}

void TPrikazLinearizacije::IzvozClick() {
    const QString ime = Dijalozi().SacuvajKao(
        strana, TVrstaFajla::Slika, QStringLiteral("Cuvanje linearizacije"),
        QStringLiteral("Linearizacija.png"), QStringLiteral("PNG slika (*.png)"));
    if (!ime.isEmpty()) SacuvajSliku(ImeSaNastavkom(ime, QStringLiteral("png")));
}
