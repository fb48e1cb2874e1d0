#pragma once
// The pieces the result pages' files share (Rezultati.cpp, RezultatiGrafik.cpp,
// RezultatiFazni.cpp, RezultatiOcitavanje.cpp): the look of their panels and
// buttons, the writing of an export, and the chart's reading of the table.

#include "Slike.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>

class QHBoxLayout;
class QIODevice;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace DeloviRezultata {

// A value as the table shows it: the chart draws the texts, not the matrix.
double KaoUTabeli(double v);

// A hint shown as the tool tip and, like every hint of the window, in its status bar.
void Savet(QWidget* w, const QString& tekst);
QPushButton* Dugme(const QString& tekst, TIkonica ikonica, QWidget* roditelj);
// A new result page: its contents in a column, under a 28-pixel top panel.
struct TNovaStrana {
    QWidget* Strana;
    QVBoxLayout* Raspored;
    QHBoxLayout* Panel; // the top panel's row
};
TNovaStrana NovaStrana(const QString& ime, const QString& naslov);

QString ImeSaNastavkom(QString ime, const QString& nastavak);
// Writes through a temporary file beside the target, renamed over it only
// when everything was written; reports a failure in the error box.
bool SacuvajCeo(const QString& putanja, const std::function<bool(QIODevice&)>& pisi);

// From values to the flat chart's pixels, as its axes lay them out: the
// plot area and, per unit of each axis, its pixels.
struct TPikselGrafika {
    QRectF Oblast;
    double XMin = 0, YMin = 0;
    double Sx = 1, Sy = 1;
    QPointF operator()(QPointF v) const {
        return QPointF(Oblast.left() + (v.x() - XMin) * Sx, Oblast.bottom() - (v.y() - YMin) * Sy);
    }
};

} // namespace DeloviRezultata
