#include "unLineEx.h"

#include <QPainter>

TLineEx::TLineEx(QGraphicsItem* roditelj) : TLine(roditelj) {}

void TLineEx::SetTip(int v) {
    if (v < vlKrug || v > vlKrugIStrelica) return;
    tip = quint8(v);
    update();
}

void TLineEx::SetKrugColor(const QColor& v) {
    if (v == BojaKruga) return;
    BojaKruga = v;
    update();
}

TShowArrows TLineEx::CrtaneStrelice() const {
    // A segment that does not end at the destination has no arrowhead.
    return tip == vlKrug || tip == vlBez ? saNone : ShowArrows();
}

void TLineEx::paint(QPainter* painter, const QStyleOptionGraphicsItem* opcije, QWidget* vidzet) {
    if (tip == vlKrug || tip == vlKrugIStrelica) {
        // The circle sits on the segment's first point, whichever corner that is.
        int x = 7, y = 7;
        if (strana == saEnd && LineSlope() == lsUp) {
            y = Height() - 13;
        } else if (strana == saStart && LineSlope() == lsUp) {
            x = Width() - 13;
        } else if (strana == saStart && LineSlope() == lsDown) {
            x = Width() - 13;
            y = Height() - 13;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(BojaKruga, 1));
        painter->drawEllipse(QRectF(x + 1, y + 1, 5, 5));
        painter->restore();
    }
    TLine::paint(painter, opcije, vidzet);
}
