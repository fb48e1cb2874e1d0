#include "IzgledGrafika.h"

#include <QAbstractAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLinearGradient>
#include <QPen>

#include <array>
#include <cmath>

namespace IzgledGrafika {

QFont FontOsa() {
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(8);
    return f;
}

QFont FontLegende() {
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(8);
    return f;
}

void UrediGrafik(QChart* grafik, const QMargins& margine) {
    grafik->setBackgroundRoundness(0);
    QLinearGradient pozadina(0, 0, 0, 1);
    pozadina.setCoordinateMode(QGradient::ObjectBoundingMode);
    pozadina.setColorAt(0, PozadinaGore);
    pozadina.setColorAt(1, PozadinaDole);
    grafik->setBackgroundBrush(pozadina);
    grafik->setBackgroundPen(Qt::NoPen);
    grafik->layout()->setContentsMargins(0, 0, 0, 0);
    grafik->setMargins(margine);
    QLegend* legenda = grafik->legend();
    legenda->setAlignment(Qt::AlignBottom);
    legenda->setBackgroundVisible(true);
    legenda->setBrush(PozadinaLegende);
    legenda->setPen(QPen(OkvirLegende, 1, Qt::DotLine));
    legenda->setLabelColor(TekstLegende);
    legenda->setFont(FontLegende());
}

void UrediOsu(QAbstractAxis* osa) {
    osa->setLinePenColor(BojaOsa);
    osa->setGridLineColor(BojaOsa);
    osa->setLabelsFont(FontOsa());
    osa->setLabelsBrush(BojaOznakaOsa);
    osa->setTitleFont(FontOsa());
    osa->setTitleBrush(BojaOznakaOsa);
}

QColor BojaSerije(int i) {
    // Hand-picked first: strong colours that read well on blue.
    static const std::array<QColor, 10> osnovne = {
        QColor(204, 0, 0),   QColor(0, 128, 0),   QColor(255, 204, 0),   QColor(128, 0, 128),
        QColor(0, 0, 0),     QColor(255, 128, 0), QColor(255, 255, 255), QColor(0, 160, 160),
        QColor(139, 69, 19), QColor(255, 0, 255),
    };
    if (i >= 0 && i < static_cast<int>(osnovne.size())) return osnovne[static_cast<size_t>(i)];
    // Beyond them: hues a golden angle apart, cycling through three brightness
    // levels, so even a legend's full hundred rows get colours of their own.
    const int j = i - static_cast<int>(osnovne.size());
    const double nijansa = std::fmod(17.0 + j * 137.507764, 360.0);
    static const std::array<int, 3> svetlina = {255, 190, 130};
    return QColor::fromHsv(static_cast<int>(nijansa), 200, svetlina[static_cast<size_t>(j % 3)]);
}

} // namespace IzgledGrafika
