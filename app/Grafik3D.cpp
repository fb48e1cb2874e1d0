#include "Grafik3D.h"

#include "IzgledGrafika.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

// The fewest decimals that write every multiple of the step exactly.
int DecimaleKoraka(double korak) {
    int decimala = 0;
    if (korak > 0 && std::isfinite(korak))
        for (double s = korak; decimala < 20; ++decimala, s *= 10)
            if (std::abs(s - std::round(s)) <= 1e-6 * s) break;
    return decimala;
}

} // namespace

QString OznakaPodeoka(double vrednost, double korak) {
    if (std::abs(vrednost) < korak * 1e-9) vrednost = 0; // no "-0" at the origin
    return QString::number(vrednost, 'f', DecimaleKoraka(korak));
}

int TPodelaOse::BrojPodeoka() const {
    return static_cast<int>(std::lround((Max - Min) / Korak)) + 1;
}

TPodelaOse PodelaOse(double min, double max, double margina) {
    if (!std::isfinite(min) || !std::isfinite(max)) return {};
    if (min > max) std::swap(min, max);
    const double velicina = std::max(std::abs(min), std::abs(max));
    if (max - min <= velicina * 1e-12) {
        // Differences below the last printed digits count as a flat curve.
        const double sredina = (min + max) / 2;
        const double polovina = velicina > 0 ? velicina / 10 : 1;
        min = sredina - polovina;
        max = sredina + polovina;
    } else {
        const double dodatak = (max - min) * margina;
        min -= dodatak;
        max += dodatak;
    }
    // The smallest of 1, 2, 5 times a power of ten that is at least a sixth
    // of the range: three to eight intervals.
    const double grubo = (max - min) / 6;
    const double stepen = std::pow(10.0, std::floor(std::log10(grubo)));
    double korak = 10 * stepen;
    for (double f : {1.0, 2.0, 5.0})
        if (f * stepen >= grubo * (1 - 1e-9)) {
            korak = f * stepen;
            break;
        }
    TPodelaOse p;
    p.Korak = korak;
    p.Min = std::floor(min / korak + 1e-9) * korak;
    p.Max = std::ceil(max / korak - 1e-9) * korak;
    p.Decimale = DecimaleKoraka(korak);
    return p;
}

TGrafik3D::TGrafik3D(QWidget* roditelj) : QWidget(roditelj) {
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGrafik3D::PostaviPodatke(QList<TSerija3D> serije, TOsa3D x, TOsa3D y) {
    podaci = std::move(serije);
    osaX = x;
    osaY = y;
    update();
}

namespace {

// Keeps at most about two points per pixel column: the lowest and the highest
// of each column in their order, so the ribbon keeps its outline. A curve
// that turns back on itself (a phase plot) has no columns: it stays whole.
QList<QPointF> Prorediti(const QList<QPointF>& tacke, double xMin, double xMax, int sirina) {
    if (tacke.size() <= 4 * std::max(sirina, 1) || xMax <= xMin) return tacke;
    for (qsizetype i = 1; i < tacke.size(); ++i)
        if (tacke[i].x() < tacke[i - 1].x()) return tacke;
    QList<QPointF> r;
    r.reserve(2 * sirina + 2);
    int kolona = -1;
    QPointF najniza, najvisa;
    auto zavrsi = [&] {
        if (kolona < 0) return;
        if (najniza.x() <= najvisa.x())
            r << najniza << najvisa;
        else
            r << najvisa << najniza;
    };
    for (const QPointF& t : tacke) {
        const int k = static_cast<int>((t.x() - xMin) / (xMax - xMin) * sirina);
        if (k != kolona) {
            zavrsi();
            kolona = k;
            najniza = najvisa = t;
        } else {
            if (t.y() < najniza.y()) najniza = t;
            if (t.y() > najvisa.y()) najvisa = t;
        }
    }
    zavrsi();
    return r;
}

} // namespace

void TGrafik3D::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ceo = rect();

    QLinearGradient pozadina(ceo.topLeft(), ceo.bottomLeft());
    pozadina.setColorAt(0, IzgledGrafika::PozadinaGore);
    pozadina.setColorAt(1, IzgledGrafika::PozadinaDole);
    p.fillRect(ceo, pozadina);

    const QFont fontOsa = IzgledGrafika::FontOsa();
    const QFontMetricsF mOsa(fontOsa);
    const double korakX = osaX.BrojPodeoka > 1 ? (osaX.Max - osaX.Min) / (osaX.BrojPodeoka - 1) : 0;
    const double korakY = osaY.BrojPodeoka > 1 ? (osaY.Max - osaY.Min) / (osaY.BrojPodeoka - 1) : 0;

    // Room for the tick labels on the left and below, and for the legend on the right.
    double sirinaOznakaY = 0;
    for (int i = 0; i < osaY.BrojPodeoka; ++i)
        sirinaOznakaY = std::max(
            sirinaOznakaY, mOsa.horizontalAdvance(OznakaPodeoka(osaY.Min + i * korakY, korakY)));
    const QFont fontLegende = IzgledGrafika::FontLegende();
    const QFontMetricsF mLeg(fontLegende);
    double sirinaLegende = 0;
    for (const TSerija3D& s : podaci)
        sirinaLegende = std::max(sirinaLegende, mLeg.horizontalAdvance(s.Naslov));
    const double marker = mLeg.height() * 0.7;
    const double visinaReda = mLeg.height() + 4;
    sirinaLegende = podaci.isEmpty() ? 0 : sirinaLegende + marker + 22;

    const double levo = 14 + sirinaOznakaY + 8;
    const double desno = ceo.width() - 14 - sirinaLegende - (sirinaLegende > 0 ? 14 : 0);
    const double gore = 14;
    const double dole = ceo.height() - 14 - mOsa.height() - 8;
    if (desno - levo < 40 || dole - gore < 40) return;

    // The front face gives up the room the depth needs, up and to the right.
    const double dubina = (desno - levo) * DubinaProcenat / 100.0;
    const QPointF pomak(dubina * 0.75, -dubina * 0.55);
    const QRectF prednja(levo, gore - pomak.y(), desno - levo - pomak.x(), dole - gore + pomak.y());
    const double rasponX = osaX.Max > osaX.Min ? osaX.Max - osaX.Min : 1;
    const double rasponY = osaY.Max > osaY.Min ? osaY.Max - osaY.Min : 1;
    auto tacka = [&](double x, double y, double z) {
        const double sx = prednja.left() + (x - osaX.Min) / rasponX * prednja.width();
        const double yy = std::clamp(y, osaY.Min, osaY.Max);
        const double sy = prednja.bottom() - (yy - osaY.Min) / rasponY * prednja.height();
        return QPointF(sx, sy) + pomak * z;
    };
    auto cetvorougao = [](QPointF a, QPointF b, QPointF c, QPointF d) {
        return QPolygonF({a, b, c, d});
    };

    // Walls: the back wall, the left wall and the floor, with the grid.
    const QColor zid(255, 255, 255, 45);
    const QPen linijaOse(IzgledGrafika::BojaOsa, 1);
    p.setPen(linijaOse);
    p.setBrush(zid);
    p.drawPolygon(cetvorougao(tacka(osaX.Min, osaY.Min, 1), tacka(osaX.Max, osaY.Min, 1),
                              tacka(osaX.Max, osaY.Max, 1), tacka(osaX.Min, osaY.Max, 1)));
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawPolygon(cetvorougao(tacka(osaX.Min, osaY.Min, 0), tacka(osaX.Min, osaY.Min, 1),
                              tacka(osaX.Min, osaY.Max, 1), tacka(osaX.Min, osaY.Max, 0)));
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawPolygon(cetvorougao(tacka(osaX.Min, osaY.Min, 0), tacka(osaX.Max, osaY.Min, 0),
                              tacka(osaX.Max, osaY.Min, 1), tacka(osaX.Min, osaY.Min, 1)));
    p.setPen(QPen(IzgledGrafika::BojaMrezeLevo, 1, Qt::DotLine));
    for (int i = 1; i + 1 < osaY.BrojPodeoka; ++i) {
        const double y = osaY.Min + i * korakY;
        p.drawLine(tacka(osaX.Min, y, 0), tacka(osaX.Min, y, 1));
        p.drawLine(tacka(osaX.Min, y, 1), tacka(osaX.Max, y, 1));
    }
    p.setPen(QPen(IzgledGrafika::BojaOsa, 1, Qt::DotLine));
    for (int i = 1; i + 1 < osaX.BrojPodeoka; ++i) {
        const double x = osaX.Min + i * korakX;
        p.drawLine(tacka(x, osaY.Min, 0), tacka(x, osaY.Min, 1));
        p.drawLine(tacka(x, osaY.Min, 1), tacka(x, osaY.Max, 1));
    }

    // Ribbons from the back to the front, so nearer ones cover farther ones.
    const int broj = static_cast<int>(podaci.size());
    for (int s = broj - 1; s >= 0; --s) {
        const TSerija3D& serija = podaci[s];
        const double z0 = (s + 0.15) / broj;
        const double z1 = (s + 0.85) / broj;
        const QList<QPointF> tacke =
            Prorediti(serija.Tacke, osaX.Min, osaX.Max, static_cast<int>(prednja.width()));
        for (qsizetype i = 0; i + 1 < tacke.size(); ++i) {
            const QPointF a = tacke[i], b = tacke[i + 1];
            // Steeper parts face the light less: a shade by the segment's slope on screen.
            const QPointF pa = tacka(a.x(), a.y(), z0), pb = tacka(b.x(), b.y(), z0);
            const double dx = pb.x() - pa.x(), dy = pb.y() - pa.y();
            const double nagib = std::hypot(dx, dy) > 0 ? std::abs(dy) / std::hypot(dx, dy) : 0;
            QColor boja = serija.Boja.lighter(static_cast<int>(135 - 45 * nagib));
            if (dy < 0) boja = boja.darker(112);
            // Outlined in its own colour: no seams between neighbouring pieces.
            p.setPen(QPen(boja, 0.8));
            p.setBrush(boja);
            p.drawPolygon(cetvorougao(pa, pb, tacka(b.x(), b.y(), z1), tacka(a.x(), a.y(), z1)));
        }
        QPolygonF ivica, zadnjaIvica;
        for (const QPointF& t : tacke) {
            ivica << tacka(t.x(), t.y(), z0);
            zadnjaIvica << tacka(t.x(), t.y(), z1);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(serija.Boja.darker(130), 1));
        p.drawPolyline(zadnjaIvica);
        p.setPen(QPen(serija.Boja.darker(160), 1.6));
        p.drawPolyline(ivica);
        if (tacke.size() == 1) p.drawEllipse(ivica.first(), 2, 2);
    }

    // Front axes with their ticks and labels.
    p.setPen(QPen(IzgledGrafika::BojaOsa, 1.5));
    p.drawLine(tacka(osaX.Min, osaY.Min, 0), tacka(osaX.Max, osaY.Min, 0));
    p.drawLine(tacka(osaX.Min, osaY.Min, 0), tacka(osaX.Min, osaY.Max, 0));
    p.setFont(fontOsa);
    for (int i = 0; i < osaY.BrojPodeoka; ++i) {
        const double y = osaY.Min + i * korakY;
        const QPointF t = tacka(osaX.Min, y, 0);
        p.setPen(QPen(IzgledGrafika::BojaOsa, 1));
        p.drawLine(t, t - QPointF(5, 0));
        p.setPen(IzgledGrafika::BojaOznakaOsa);
        const QRectF okvir(t.x() - 8 - sirinaOznakaY, t.y() - mOsa.height() / 2, sirinaOznakaY,
                           mOsa.height());
        p.drawText(okvir, Qt::AlignRight | Qt::AlignVCenter, OznakaPodeoka(y, korakY));
    }
    for (int i = 0; i < osaX.BrojPodeoka; ++i) {
        const double x = osaX.Min + i * korakX;
        const QPointF t = tacka(x, osaY.Min, 0);
        p.setPen(QPen(IzgledGrafika::BojaOsa, 1));
        p.drawLine(t, t + QPointF(0, 5));
        p.setPen(IzgledGrafika::BojaOznakaOsa);
        const QString tekst = OznakaPodeoka(x, korakX);
        const double w = mOsa.horizontalAdvance(tekst);
        p.drawText(QRectF(t.x() - w / 2, t.y() + 7, w + 1, mOsa.height()), Qt::AlignCenter, tekst);
    }

    // The legend, as on the flat chart.
    if (broj > 0) {
        const double visina = broj * visinaReda + 8;
        const QRectF okvir(ceo.width() - 14 - sirinaLegende, (ceo.height() - visina) / 2,
                           sirinaLegende, visina);
        p.setPen(QPen(IzgledGrafika::OkvirLegende, 1, Qt::DotLine));
        p.setBrush(IzgledGrafika::PozadinaLegende);
        p.drawRect(okvir);
        p.setFont(fontLegende);
        for (int s = 0; s < broj; ++s) {
            const double y = okvir.top() + 4 + s * visinaReda;
            p.setPen(QPen(podaci[s].Boja.darker(160), 1));
            p.setBrush(podaci[s].Boja);
            p.drawRect(QRectF(okvir.left() + 8, y + (visinaReda - marker) / 2, marker, marker));
            p.setPen(IzgledGrafika::TekstLegende);
            p.drawText(QRectF(okvir.left() + 8 + marker + 6, y, sirinaLegende, visinaReda),
                       Qt::AlignLeft | Qt::AlignVCenter, podaci[s].Naslov);
        }
    }
}
