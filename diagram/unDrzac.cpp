#include "unDrzac.h"

#include "SKEMRadnaPovrsina.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <cmath>

TDrzac::TDrzac(QGraphicsItem* roditelj) : QGraphicsItem(roditelj) {
    setAcceptedMouseButtons(Qt::AllButtons);
    setFlag(ItemSendsGeometryChanges);
    setCursor(Qt::SizeAllCursor);
}

TDrzac::~TDrzac() = default;

void TDrzac::SetAktivno(bool v) {
    if (v == aktivno) return;
    aktivno = v;
    indeksSlike = v ? 1 : 0;
    update();
}

void TDrzac::UkloniJunction(TVeza* j) {
    if (!Junctions.removeOne(j)) return;
    update(); // without junctions it is drawn as a square again
    Javi(OnDeleteJunction, this);
}

void TDrzac::Unisti() {
    OnDrzacMove = nullptr;
    OnDrzacClick = nullptr;
    Javi(OnDrzacFree, this);
    OnDrzacFree = nullptr;
    OnDeleteJunction = nullptr;
    Junctions.clear();
    LinijaPre = LinijaPosle = nullptr;
    ObrisiOdlozeno(this);
}

void TDrzac::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) {
    p->save();
    if (Junctions.isEmpty()) {
        p->setRenderHint(QPainter::Antialiasing, false);
        p->setBrush(Qt::NoBrush);
        if (indeksSlike == 1) {
            p->setPen(QPen(Qt::black, 2));
            p->drawRect(QRectF(3.5, 4.5, 3, 3));
        } else {
            p->setPen(QPen(Qt::black, 1));
            p->drawRect(QRect(2, 3, 4, 4));
        }
    } else {
        p->setRenderHint(QPainter::Antialiasing, true);
        p->setPen(QPen(Qt::black, 1));
        p->setBrush(Qt::black);
        p->drawEllipse(QRectF(2, 3, 5, 5));
        if (indeksSlike == 1) {
            p->setBrush(QColor(242, 242, 242));
            p->drawEllipse(QRectF(3, 4, 3, 3));
        }
    }
    p->restore();
}

QVariant TDrzac::itemChange(GraphicsItemChange promena, const QVariant& vrednost) {
    if (promena == ItemPositionHasChanged) Javi(OnDrzacMove, this);
    if (promena == ItemPositionHasChanged || promena == ItemSceneHasChanged)
        TSKEMRadnaPovrsina::ObuhvatiStavku(this);
    return QGraphicsItem::itemChange(promena, vrednost);
}

void TDrzac::mousePressEvent(QGraphicsSceneMouseEvent* e) {
    e->accept();
    if (e->button() == Qt::LeftButton) {
        DonesiNapred(this);
        vucem = true;
        hvataliste = QPoint(int(std::floor(e->pos().x())), int(std::floor(e->pos().y())));
    }
    if (!aktivno) SetAktivno(true);
    Javi(OnDrzacClick, this);
}

void TDrzac::mouseMoveEvent(QGraphicsSceneMouseEvent* e) {
    if (!vucem) return;
    const int x = int(std::floor(e->pos().x()));
    const int y = int(std::floor(e->pos().y()));
    // Vertical first, then horizontal: two moves, as two position changes.
    const int dx = x - hvataliste.x();
    const int dy = y - hvataliste.y();
    if (dy != 0) setPos(pos().x(), pos().y() + dy);
    if (dx != 0) setPos(pos().x() + dx, pos().y());
}

void TDrzac::mouseReleaseEvent(QGraphicsSceneMouseEvent*) {
    vucem = false;
}
