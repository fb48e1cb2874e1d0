#pragma once
// TLinija: one straight segment of a connection. It is given its two end
// points in workspace coordinates and sizes and orients itself so its
// diagonal runs from the first to the second, with the arrowhead at the second.

#include "unLineEx.h"

class TLinija : public TLineEx {
public:
    enum { Type = vsLinija };
    explicit TLinija(QGraphicsItem* roditelj = nullptr);
    int type() const override { return Type; }

    void PostaviTacke(QPoint a, QPoint b);
    void PostaviBoju(const QColor& c);
    void SetSelektovana(bool v);

    QColor Boja() const { return boja; }
    QPoint TackaA() const { return tackaA; }
    QPoint TackaB() const { return tackaB; }
    bool Selektovana() const { return selektovana; }

private:
    QColor boja = Qt::black;
    QPoint tackaA, tackaB;
    bool selektovana = false;
};
