#pragma once
// TGrafik3D: the chart page's depth view. Qt Charts draws only flat charts,
// so the "3D View" switch shows this widget instead: every series is a ribbon
// set back in depth (20 % of the plot width for all of them together), in
// front of a back wall and above a floor with the axes' grid, with the same
// background, axis ranges and legend as the flat chart.

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>

// One series as the depth view draws it.
struct TSerija3D {
    QString Naslov;
    QColor Boja;
    QList<QPointF> Tacke;
};

// An axis of the depth view: its range and number of ticks (both ends included).
struct TOsa3D {
    double Min = 0;
    double Max = 1;
    int BrojPodeoka = 5;
};

class TGrafik3D : public QWidget {
public:
    explicit TGrafik3D(QWidget* roditelj = nullptr);

    // Takes the series (front to back) and the axes to draw them with.
    void PostaviPodatke(QList<TSerija3D> serije, TOsa3D x, TOsa3D y);
    const QList<TSerija3D>& Serije() const { return podaci; }

    // Depth of all ribbons together, in per cent of the plot's width.
    static constexpr int DubinaProcenat = 20;

protected:
    void paintEvent(QPaintEvent* dogadjaj) override;

private:
    QList<TSerija3D> podaci;
    TOsa3D osaX;
    TOsa3D osaY;
};

// Tick label of an axis value, with as many decimals as the tick step needs.
QString OznakaPodeoka(double vrednost, double korak);

// An axis laid out at round numbers: ticks every Korak (1, 2 or 5 times a
// power of ten) from Min to Max, their labels with Decimale decimals.
struct TPodelaOse {
    double Min = 0;
    double Max = 1;
    double Korak = 0.2;
    int Decimale = 1;
    int BrojPodeoka() const; // Min and Max included
};

// The axis for values from min to max: the range widened on each side by
// `margina` (a fraction of it), then out to the multiples of a round step
// that makes three to eight intervals. A flat range (one value v) gets a
// range around v, so a constant is never drawn on the frame.
TPodelaOse PodelaOse(double min, double max, double margina = 0);
