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
    const QList<TSerija3D>& Serije() const { return Podaci; }

    // Depth of all ribbons together, in per cent of the plot's width.
    static constexpr int DubinaProcenat = 20;

protected:
    void paintEvent(QPaintEvent* dogadjaj) override;

private:
    QList<TSerija3D> Podaci;
    TOsa3D OsaX;
    TOsa3D OsaY;
};

// Tick label of an axis value, with as many decimals as the tick step needs.
QString OznakaPodeoka(double vrednost, double korak);
