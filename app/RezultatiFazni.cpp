// The phase plot: the ticked rows drawn against one of them instead of
// the time. The chart page draws it as it draws a time chart; here are the
// choice of the row across and the search of its drawn points.
#include "Rezultati.h"

#include "RezultatiDelovi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineSeries>
#include <algorithm>
#include <limits>

void TPrikazRezultata::PonudiOseX(const std::vector<int>& redovi) {
    // The chosen horizontal row stays while it is ticked and has company.
    if (redovi.size() < 2 || std::find(redovi.begin(), redovi.end(), redOseX) == redovi.end())
        redOseX = -1;
    izborOseX->clear();
    izborOseX->addItem(QStringLiteral("t"), -1);
    if (redovi.size() >= 2)
        for (int r : redovi)
            izborOseX->addItem(oznake[static_cast<size_t>(r)]->text(), r);
    izborOseX->setCurrentIndex(izborOseX->findData(redOseX));
}

void TPrikazRezultata::IzborOseXClick(int indeks) {
    redOseX = izborOseX->itemData(indeks).toInt();
    NacrtajKrive(redoviGrafika);
}

std::pair<const TPrikazRezultata::TKriva*, std::size_t>
TPrikazRezultata::NajblizaNacrtana(QPointF uGrafiku,
                                   const DeloviRezultata::TPikselGrafika& piksel) const {
    // Within a pixel of the nearest of all, since each pixel keeps its runs' ends.
    const TKriva* najbliza = nullptr;
    std::size_t tacka = 0;
    double najmanje = std::numeric_limits<double>::infinity();
    for (const TKriva& kr : krive) {
        const QList<QPointF> tacke = kr.Serija->points();
        for (qsizetype i = 0; i < tacke.size(); ++i) {
            const QPointF d = piksel(tacke[i]) - uGrafiku;
            const double d2 = QPointF::dotProduct(d, d);
            if (d2 < najmanje) {
                najmanje = d2;
                najbliza = &kr;
                tacka = kr.Tacke[static_cast<size_t>(i)];
            }
        }
    }
    return {najbliza, tacka};
}
