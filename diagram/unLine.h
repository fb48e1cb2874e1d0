#pragma once
// TLine: a windowless item that draws the diagonal of its own rectangle, with
// optional arrowheads, and claims mouse clicks only near that line, so that
// overlapping segment rectangles let clicks fall through to what lies below.

#include "Obavestenja.h"

#include <QColor>
#include <QGraphicsItem>
#include <QPainterPath>
#include <QPoint>
#include <functional>

enum TLineSlope { lsDown = 0, lsUp = 1 };
enum TShowArrows { saNone = 0, saStart = 1, saEnd = 2, saBoth = 3 };

class TLine : public QGraphicsItem {
public:
    enum { Type = vsLine };
    explicit TLine(QGraphicsItem* roditelj = nullptr);

    int type() const override { return Type; }

    // Position and size in workspace coordinates (Left/Top is pos()).
    int Left() const { return qRound(pos().x()); }
    int Top() const { return qRound(pos().y()); }
    int Width() const { return Sirina; }
    int Height() const { return Visina; }
    void PostaviGranice(int left, int top, int width, int height);

    int ArrowLength() const { return DuzinaStrelice; }
    QColor LineColor() const { return BojaLinije; }
    TLineSlope LineSlope() const { return Nagib; }
    Qt::PenStyle LineStyle() const { return StilLinije; }
    int LineWidth() const { return DebljinaLinije; }
    TShowArrows ShowArrows() const { return Strelice; }
    virtual void SetArrowLength(int v);
    virtual void SetLineColor(const QColor& v);
    virtual void SetLineSlope(TLineSlope v);
    virtual void SetLineStyle(Qt::PenStyle v);
    virtual void SetLineWidth(int v);
    virtual void SetShowArrows(TShowArrows v);

    int Margina() const { return margina; }
    QPoint P1() const { return p1; }
    QPoint P2() const { return p2; }

    // The hit test, in item coordinates: true only near the line.
    bool Pogodak(int x, int y) const;

    std::function<void(TLine*)> OnMouseEnter;
    std::function<void(TLine*)> OnMouseLeave;
    // Mouse release: button, modifiers and the point in item coordinates.
    std::function<void(TLine*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)> OnMouseUp;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    bool collidesWithPath(const QPainterPath& put,
                          Qt::ItemSelectionMode nacin = Qt::IntersectsItemShape) const override;
    bool contains(const QPointF& tacka) const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcije, QWidget* vidzet) override;

protected:
    // The arrow sides actually drawn (TLineEx hides them for some tips).
    virtual TShowArrows CrtaneStrelice() const { return Strelice; }
    void NacrtajLiniju(QPainter& p) const;

    void hoverEnterEvent(QGraphicsSceneHoverEvent* e) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* e) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* e) override;

private:
    void NajmanjaVelicina();
    void IzracunajTacke();
    void IzracunajOblik();
    // The rows od..doY that the hit test claims in column x; false for none.
    bool OpsegKolone(int x, int& od, int& doY) const;

    int Sirina = 20;
    int Visina = 20;
    int DuzinaStrelice = 10;
    QColor BojaLinije = Qt::black;
    TLineSlope Nagib = lsDown;
    Qt::PenStyle StilLinije = Qt::SolidLine;
    int DebljinaLinije = 1;
    TShowArrows Strelice = saNone;
    int margina = 10;
    QPoint p1, p2;
    QPainterPath oblik; // the hit band as one polygon, rebuilt on every geometry change
};
