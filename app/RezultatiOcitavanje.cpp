// The flat chart's read-out of a point: the nearest drawn point to the
// pointer, named beside it with a mark on the point.
#include "Rezultati.h"

#include "ModelTabele.h"
#include "ProredjivanjeGrafika.h"
#include "RezultatiDelovi.h"
#include "Tekst.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGraphicsEllipseItem>
#include <QLineSeries>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

using namespace DeloviRezultata;

void TPrikazRezultata::PokaziTacku(QPoint pozicija) {
    const QPointF uGrafiku = grafik->mapFromScene(grafik2D->mapToScene(pozicija));
    const QRectF oblast = grafik->plotArea();
    if (krive.empty() || simuliranihTacaka < 1 || !oblast.contains(uGrafiku) || jePogled3D)
        return SakrijTacku();
    // Values to the chart's pixels, as the axes lay them out.
    const TPikselGrafika piksel{oblast, osaX->min(), osaY->min(),
                                oblast.width() / (osaX->max() - osaX->min()),
                                oblast.height() / (osaY->max() - osaY->min())};
    const TKriva* najbliza = nullptr;
    std::size_t tacka = 0;
    if (JeFazni()) {
        // The drawn point nearest to the pointer.
        std::tie(najbliza, tacka) = NajblizaNacrtana(uGrafiku, piksel);
    } else {
        // The printed time under the pointer, and the curve nearest there.
        const double t = osaX->min() + (uGrafiku.x() - oblast.left()) / piksel.Sx;
        const auto k = static_cast<std::size_t>(
            std::clamp(std::llround(t / intervalStampe), 0LL, simuliranihTacaka - 1LL));
        double najmanje = std::numeric_limits<double>::infinity();
        for (const TKriva& kr : krive) {
            const double d =
                std::abs(piksel({0, KaoUTabeli(Niz(kr.Kolona)[k])}).y() - uGrafiku.y());
            if (d < najmanje) {
                najmanje = d;
                najbliza = &kr;
                tacka = k;
            }
        }
    }
    if (!najbliza) return SakrijTacku();
    const double vrednost = KaoUTabeli(Niz(najbliza->Kolona)[tacka]);
    const double x = JeFazni() ? KaoUTabeli(Niz(model->KolonaReda(redOseX))[tacka])
                               : static_cast<double>(tacka) * intervalStampe;
    QStringList redovi{najbliza->Serija->name(),
                       QStringLiteral("t = ") + model->Vreme(static_cast<int>(tacka))};
    if (JeFazni())
        redovi << oznake[static_cast<size_t>(redOseX)]->text() + QStringLiteral(" = ") +
                      RealanUTekst(x);
    redovi << QStringLiteral("vrednost = ") + RealanUTekst(vrednost);
    opisTacke = redovi.join(QLatin1Char('\n'));
    oznakaTacke->setPos(piksel({x, vrednost}));
    oznakaTacke->show();
    QToolTip::showText(grafik2D->viewport()->mapToGlobal(pozicija) + QPoint(14, 14), opisTacke,
                       grafik2D);
}

void TPrikazRezultata::SakrijTacku() {
    if (opisTacke.isEmpty()) return;
    opisTacke.clear();
    oznakaTacke->hide();
    QToolTip::hideText();
}
