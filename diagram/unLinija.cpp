#include "unLinija.h"

#include <utility>

TLinija::TLinija(QGraphicsItem* roditelj) : TLineEx(roditelj) {
    SetTip(vlKrugIStrelica);
    PostaviBoju(Qt::black);
}

void TLinija::PostaviTacke(QPoint a, QPoint b) {
    tackaA = a;
    tackaB = b;
    int x1 = a.x(), y1 = a.y(), x2 = b.x(), y2 = b.y();
    TLineSlope nagib = lsDown;
    TShowArrows strelice = saEnd;
    if (x2 < x1 && y2 >= y1) { // down and to the left
        nagib = lsUp;
        strelice = saStart;
        std::swap(x1, x2);
    } else if (x2 < x1 && y2 < y1) { // up and to the left
        nagib = lsDown;
        strelice = saStart;
        std::swap(x1, x2);
        std::swap(y1, y2);
    } else if (x2 >= x1 && y2 < y1) { // up and to the right
        nagib = lsUp;
        strelice = saEnd;
        std::swap(y1, y2);
    }
    SetLineSlope(nagib);
    SetShowArrows(strelice);
    PostaviStranuStrelice(strelice);
    const int left = x1 - 10, top = y1 - 10;
    PostaviGranice(left, top, x2 - left + 10, y2 - top + 10);
}

void TLinija::PostaviBoju(const QColor& c) {
    boja = c;
    SetKrugColor(c);
    SetLineColor(c);
}

void TLinija::SetSelektovana(bool v) {
    if (v == selektovana) return;
    selektovana = v;
    SetLineStyle(v ? Qt::DotLine : Qt::SolidLine);
}
