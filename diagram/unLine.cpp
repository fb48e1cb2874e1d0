#include "unLine.h"

#include "Brojevi.h"

#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
int Zaokruzi(double v) {
    return static_cast<int>(skem::Round(v));
}
} // namespace

TLine::TLine(QGraphicsItem* roditelj) : QGraphicsItem(roditelj) {
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::AllButtons);
    IzracunajTacke();
    IzracunajOblik();
}

void TLine::PostaviGranice(int left, int top, int width, int height) {
    prepareGeometryChange();
    setPos(left, top);
    Sirina = width;
    Visina = height;
    NajmanjaVelicina();
    IzracunajTacke();
    IzracunajOblik();
    update();
}

void TLine::NajmanjaVelicina() {
    Sirina = std::max(Sirina, 2 * margina);
    Visina = std::max(Visina, 2 * margina);
}

void TLine::IzracunajTacke() {
    const int m = margina;
    if (Nagib == lsDown) {
        p1 = QPoint(m, m);
        p2 = QPoint(Sirina - m, Visina - m);
    } else {
        p1 = QPoint(m, Visina - m);
        p2 = QPoint(Sirina - m, m);
    }
}

void TLine::SetArrowLength(int v) {
    if (v == DuzinaStrelice) return;
    prepareGeometryChange();
    DuzinaStrelice = v;
    margina = v / 2;
    NajmanjaVelicina();
    IzracunajTacke();
    IzracunajOblik();
    update();
}

void TLine::SetLineColor(const QColor& v) {
    if (v == BojaLinije) return;
    BojaLinije = v;
    update();
}

void TLine::SetLineSlope(TLineSlope v) {
    if (v == Nagib) return;
    prepareGeometryChange();
    Nagib = v;
    IzracunajTacke();
    IzracunajOblik();
    update();
}

void TLine::SetLineStyle(Qt::PenStyle v) {
    if (v == StilLinije) return;
    StilLinije = v;
    update();
}

void TLine::SetLineWidth(int v) {
    if (v == DebljinaLinije) return;
    // Arrowed lines keep odd widths, so the line stays centred in the arrowhead.
    if (Strelice != saNone && v % 2 == 0) v += v > DebljinaLinije ? 1 : -1;
    prepareGeometryChange();
    DebljinaLinije = v;
    IzracunajOblik();
    update();
}

void TLine::SetShowArrows(TShowArrows v) {
    if (v == Strelice) return;
    Strelice = v;
    update();
}

bool TLine::OpsegKolone(int x, int& od, int& doY) const {
    const int t = std::max(4, DebljinaLinije / 2);
    const int uvuceno = margina - t;
    // Half-open like a window rectangle: right and bottom edges excluded.
    if (x < uvuceno || x >= Sirina - uvuceno) return false;
    const int x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y();
    if (x1 == x2) {
        if (std::abs(x - x1) > t) return false;
        od = uvuceno;
        doY = Visina - uvuceno - 1;
    } else {
        const double nagib = double(y2 - y1) / double(x2 - x1);
        auto f = [&](int xx) { return Zaokruzi(nagib * (xx - x1) + y1); };
        if (Nagib == lsDown) {
            od = f(x + t) - t;
            doY = f(x - t) + t;
        } else {
            od = f(x - t) - t;
            doY = f(x + t) + t;
        }
        if (od > doY) std::swap(od, doY);
        od = std::max(od, uvuceno);
        doY = std::min(doY, Visina - uvuceno - 1);
    }
    return od <= doY;
}

bool TLine::Pogodak(int x, int y) const {
    int od = 0, doY = -1;
    return OpsegKolone(x, od, doY) && od <= y && y <= doY;
}

void TLine::IzracunajOblik() {
    // The band the hit test claims, as one polygon whatever the length: the
    // line (through the pixel centres) widened by what each column claims
    // around it, cut to the shrunken rectangle.
    const int t = std::max(4, DebljinaLinije / 2);
    const int u = margina - t;
    const QRectF okvir(u, u, Sirina - 2 * u, Visina - 2 * u);
    oblik = QPainterPath();
    if (okvir.isEmpty()) return;
    if (p1.x() == p2.x()) {
        oblik.addRect(QRectF(p1.x() - t, okvir.top(), 2 * t + 1, okvir.height()) & okvir);
        return;
    }
    const double nagib = double(p2.y() - p1.y()) / double(p2.x() - p1.x());
    const double h = t * std::abs(1 - std::abs(nagib)) + 1;
    auto y = [&](double x) { return p1.y() + 0.5 + nagib * (x - p1.x() - 0.5); };
    const double levo = okvir.left() - 1, desno = okvir.right() + 1;
    QPainterPath pojas;
    pojas.addPolygon(QPolygonF({QPointF(levo, y(levo) - h), QPointF(desno, y(desno) - h),
                                QPointF(desno, y(desno) + h), QPointF(levo, y(levo) + h)}));
    pojas.closeSubpath();
    QPainterPath pravougaonik;
    pravougaonik.addRect(okvir);
    oblik = pojas.intersected(pravougaonik);
}

bool TLine::collidesWithPath(const QPainterPath& put, Qt::ItemSelectionMode nacin) const {
    // A query a few pixel columns wide is answered column by column, exactly
    // as the hit test claims the pixels; a wider one by the band of shape().
    constexpr int NajviseKolona = 256;
    const QRectF upit = put.controlPointRect();
    const int od = std::max(0, int(std::floor(upit.left())));
    const int doX = std::min(Sirina - 1, int(std::ceil(upit.right())));
    if (nacin != Qt::IntersectsItemShape || doX - od > NajviseKolona)
        return QGraphicsItem::collidesWithPath(put, nacin);
    for (int x = od; x <= doX; ++x) {
        int gore = 0, dole = -1;
        if (OpsegKolone(x, gore, dole) &&
            put.intersects(QRectF(x + 0.25, gore + 0.25, 0.5, dole - gore + 0.5)))
            return true;
    }
    return false;
}

QRectF TLine::boundingRect() const {
    return QRectF(0, 0, Sirina, Visina);
}

QPainterPath TLine::shape() const {
    return oblik;
}

bool TLine::contains(const QPointF& tacka) const {
    return Pogodak(int(std::floor(tacka.x())), int(std::floor(tacka.y())));
}

void TLine::NacrtajLiniju(QPainter& p) const {
    int x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y();
    const double a = x1 == x2 ? std::numbers::pi / 2 : std::atan(double(y2 - y1) / double(x2 - x1));
    const bool okrenuto = Nagib == lsUp && x1 == x2; // a vertical line drawn upwards
    const TShowArrows strelice = CrtaneStrelice();
    if (strelice != saNone) {
        int dx = Zaokruzi(std::cos(a) * (DuzinaStrelice / 2));
        int dy = Zaokruzi(std::sin(a) * (DuzinaStrelice / 2));
        if (okrenuto) {
            dx = -dx;
            dy = -dy;
        }
        // The line stops inside the arrowhead.
        if (strelice == saStart || strelice == saBoth) {
            x1 += dx;
            y1 += dy;
        }
        if (strelice == saEnd || strelice == saBoth) {
            x2 -= dx;
            y2 -= dy;
        }
    }
    p.setBrush(Qt::NoBrush);
    QPen olovka(BojaLinije, DebljinaLinije, StilLinije);
    olovka.setCapStyle(Qt::FlatCap);
    p.setPen(olovka);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawLine(x1, y1, x2, y2);
    if (strelice == saNone) return;

    const int L = DuzinaStrelice;
    const double a1 = a - std::numbers::pi / 8, a2 = a + std::numbers::pi / 8;
    QPoint u(Zaokruzi(std::cos(a1) * L), Zaokruzi(std::sin(a1) * L));
    QPoint v(Zaokruzi(std::cos(a2) * L), Zaokruzi(std::sin(a2) * L));
    if (okrenuto) {
        u = -u;
        v = -v;
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(BojaLinije);
    p.setPen(QPen(BojaLinije, 1));
    if (strelice == saStart || strelice == saBoth) p.drawPolygon(QPolygon({p1, p1 + v, p1 + u}));
    if (strelice == saEnd || strelice == saBoth) p.drawPolygon(QPolygon({p2, p2 - v, p2 - u}));
}

void TLine::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->save();
    NacrtajLiniju(*painter);
    painter->restore();
}

void TLine::hoverEnterEvent(QGraphicsSceneHoverEvent*) {
    Javi(OnMouseEnter, this);
}

void TLine::hoverLeaveEvent(QGraphicsSceneHoverEvent*) {
    Javi(OnMouseLeave, this);
}

void TLine::mousePressEvent(QGraphicsSceneMouseEvent* e) {
    // Accepting the press makes this item receive the release.
    e->accept();
}

void TLine::mouseReleaseEvent(QGraphicsSceneMouseEvent* e) {
    const int x = int(std::floor(e->pos().x()));
    const int y = int(std::floor(e->pos().y()));
    // The handler may remove this segment; nothing touches it afterwards.
    Javi<TLine*, Qt::MouseButton, Qt::KeyboardModifiers, int, int>(OnMouseUp, this, e->button(),
                                                                   e->modifiers(), x, y);
}
