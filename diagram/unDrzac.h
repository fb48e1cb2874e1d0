#pragma once
// TDrzac: the small draggable handle (8 x 8) at which a connection bends and
// from which junction connections start. The connection that owns it
// subscribes to its events and removes it; the holder itself never deletes
// anything.

#include "Obavestenja.h"

#include <QGraphicsItem>
#include <QList>
#include <QPoint>
#include <functional>

class TLinija;
class TVeza;

class TDrzac : public QGraphicsItem {
public:
    enum { Type = vsDrzac };
    explicit TDrzac(QGraphicsItem* roditelj = nullptr);
    ~TDrzac() override;
    int type() const override { return Type; }

    int Left() const { return qRound(pos().x()); }
    int Top() const { return qRound(pos().y()); }
    void PostaviPoziciju(int left, int top) { setPos(left, top); }
    // Where its two segments meet and its junctions start.
    QPoint TackaDrzaca() const { return QPoint(Left() + 5, Top() + 5); }

    int ImageIndex() const { return indeksSlike; }
    bool Aktivno() const { return aktivno; }
    void SetAktivno(bool v);

    std::function<void(TDrzac*)> OnDrzacMove;
    std::function<void(TDrzac*)> OnDrzacClick;
    std::function<void(TDrzac*)> OnDrzacFree;
    std::function<void(TDrzac*)> OnDeleteJunction;

    // The junction connections that start here (not owned).
    QList<TVeza*> Junctions;
    // Takes junction j off the list and raises OnDeleteJunction when it was there.
    void UkloniJunction(TVeza* j);

    TLinija* LinijaPre = nullptr;
    TLinija* LinijaPosle = nullptr;

    // The holder's end: raises OnDrzacFree, forgets its junctions and its
    // handlers, and hands the item over for deferred deletion.
    void Unisti();

    QRectF boundingRect() const override { return QRectF(0, 0, 8, 8); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcije, QWidget* vidzet) override;

protected:
    QVariant itemChange(GraphicsItemChange promena, const QVariant& vrednost) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* e) override;

private:
    int indeksSlike = 1;
    bool aktivno = true;
    bool vucem = false;
    QPoint hvataliste;
};
