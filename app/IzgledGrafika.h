#pragma once
// The look shared by the flat chart and its depth view: colours, fonts and
// the colours handed out to the series.

#include <QColor>
#include <QFont>
#include <QMargins>

class QAbstractAxis;
class QChart;

namespace IzgledGrafika {

inline const QColor PozadinaGore(92, 157, 205);
inline const QColor PozadinaDole(187, 210, 234);
inline const QColor BojaOsa(53, 96, 140);       // axis lines, ticks and grid
inline const QColor BojaMrezeLevo(46, 84, 122); // the left axis's grid
inline const QColor BojaOznakaOsa(Qt::black);
inline const QColor PozadinaLegende(0, 128, 192);
inline const QColor TekstLegende(Qt::white);
inline const QColor OkvirLegende(Qt::blue);

QFont FontOsa();     // 8-point Verdana
QFont FontLegende(); // Verdana

// The colour of the i-th series of a chart (i from 0): distinct for every i,
// and chosen to stand out against the blue background.
QColor BojaSerije(int i);

// A chart in the results' look: the blue gradient without a frame, the
// margins given, the legend below.
void UrediGrafik(QChart* grafik, const QMargins& margine);
// An axis in the results' look: its lines, grid, labels and title.
void UrediOsu(QAbstractAxis* osa);

} // namespace IzgledGrafika
