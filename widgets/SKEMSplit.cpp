#include "SKEMSplit.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QPainter>

TSKEMSplit::TSKEMSplit(TPoravnanje pocetno, QWidget* roditelj)
    : QWidget(roditelj), poravnanje(pocetno) {
    setObjectName(QStringLiteral("SKEMSplit"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    PostaviPoravnanje(pocetno);
}

void TSKEMSplit::PostaviBojuTastera(QColor boja) {
    bojaTastera = boja;
    update();
}

void TSKEMSplit::PostaviPoravnanje(TPoravnanje novo) {
    poravnanje = novo;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (Uspravan()) {
        setFixedWidth(Debljina);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    } else {
        setFixedHeight(Debljina);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    setCursor(Uspravan() ? Qt::SplitHCursor : Qt::SplitVCursor);
    update();
}

bool TSKEMSplit::Uspravan() const {
    return poravnanje == TPoravnanje::alLevo || poravnanje == TPoravnanje::alDesno;
}

QRect TSKEMSplit::PravougaonikTastera() const {
    if (Uspravan()) {
        const int trecina = qRound(height() * 0.333);
        return QRect(1, trecina, width() - 2, trecina);
    }
    const int trecina = qRound(width() * 0.333);
    return QRect(trecina, 1, trecina, height() - 2);
}

void TSKEMSplit::PrebaciPanel() {
    if (!panel) return;
    panel->setHidden(!panel->isHidden());
    show();
}

void TSKEMSplit::PostaviIznadTastera(bool iznad) {
    if (iznad == iznadTastera) return;
    iznadTastera = iznad;
    if (iznad)
        setCursor(Qt::PointingHandCursor);
    else
        setCursor(Uspravan() ? Qt::SplitHCursor : Qt::SplitVCursor);
    update();
}

void TSKEMSplit::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    mestoPritiska = e->position().toPoint();
    pritisnutTaster = PravougaonikTastera().contains(mestoPritiska);
    // A hidden panel cannot be resized: the press may only toggle it.
    vucem = panel && !panel->isHidden();
    if (vucem) {
        pocetakVucenja = e->globalPosition().toPoint();
        pocetnaVelicina = Uspravan() ? panel->width() : panel->height();
        najvecaVelicina = NajvecaVelicinaPanela();
    }
    e->accept();
}

void TSKEMSplit::mouseMoveEvent(QMouseEvent* e) {
    const QPoint mesto = e->position().toPoint();
    if (mesto != mestoPritiska) pritisnutTaster = false;
    PostaviIznadTastera(PravougaonikTastera().contains(mesto));
    if (vucem && (e->buttons() & Qt::LeftButton)) PomeriNa(e->globalPosition().toPoint());
    e->accept();
}

void TSKEMSplit::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(e);
        return;
    }
    vucem = false;
    if (pritisnutTaster && panel) PrebaciPanel();
    pritisnutTaster = false;
    e->accept();
}

void TSKEMSplit::leaveEvent(QEvent* e) {
    PostaviIznadTastera(false);
    QWidget::leaveEvent(e);
}

void TSKEMSplit::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    update();
}

// How far the panel may grow: into the widget on the splitter's other side,
// down to that widget's own minimum (and never below MinVelicina).
int TSKEMSplit::NajvecaVelicinaPanela() const {
    const bool uspravan = Uspravan();
    auto velicina = [uspravan](QSize s) { return uspravan ? s.width() : s.height(); };
    QWidget* roditelj = parentWidget();
    if (!roditelj) return QWIDGETSIZE_MAX;
    auto* raspored = qobject_cast<QBoxLayout*>(roditelj->layout());
    if (raspored) {
        const int ja = raspored->indexOf(const_cast<TSKEMSplit*>(this));
        const bool prema_kraju =
            poravnanje == TPoravnanje::alLevo || poravnanje == TPoravnanje::alGore;
        const int sused_i = prema_kraju ? ja + 1 : ja - 1;
        QLayoutItem* stavka = ja >= 0 && sused_i >= 0 && sused_i < raspored->count()
                                  ? raspored->itemAt(sused_i)
                                  : nullptr;
        if (stavka && stavka->widget()) {
            QWidget* sused = stavka->widget();
            const int najmanje = std::max(
                {velicina(sused->minimumSizeHint()), velicina(sused->minimumSize()), MinVelicina});
            return pocetnaVelicina + std::max(0, velicina(sused->size()) - najmanje);
        }
    }
    return std::max(MinVelicina, velicina(roditelj->size()) - velicina(size()) - MinVelicina);
}

void TSKEMSplit::PomeriNa(QPoint globalno) {
    const QPoint d = globalno - pocetakVucenja;
    int nova = pocetnaVelicina;
    switch (poravnanje) {
    case TPoravnanje::alLevo:
        nova += d.x();
        break;
    case TPoravnanje::alDesno:
        nova -= d.x();
        break;
    case TPoravnanje::alGore:
        nova += d.y();
        break;
    case TPoravnanje::alDole:
        nova -= d.y();
        break;
    }
    nova = std::clamp(nova, MinVelicina, std::max(MinVelicina, najvecaVelicina));
    if (Uspravan())
        panel->setFixedWidth(nova);
    else
        panel->setFixedHeight(nova);
}

void TSKEMSplit::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Window));

    const QRect t = PravougaonikTastera();
    if (t.width() < 3 || t.height() < 3) return;
    p.fillRect(t, pal.color(QPalette::Window));
    p.setPen(pal.color(QPalette::Dark));
    p.drawRect(t.adjusted(0, 0, -1, -1));
    const QRect unutra = t.adjusted(1, 1, -1, -1);
    p.fillRect(unutra, iznadTastera ? QColor(192, 192, 192) : bojaTastera);
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(unutra.topLeft(), unutra.bottomLeft());
    p.drawLine(unutra.topLeft(), unutra.topRight());

    // Two white triangles near the ends point the way the panel collapses:
    // the tip on one inner edge, the base 3 pixels across from it.
    const bool uspravan = Uspravan();
    auto trougao = [&](int uzduz) {
        QPolygon poly;
        switch (poravnanje) {
        case TPoravnanje::alLevo:
            poly << QPoint(unutra.left(), uzduz) << QPoint(unutra.left() + 3, uzduz - 3)
                 << QPoint(unutra.left() + 3, uzduz + 3);
            break;
        case TPoravnanje::alDesno:
            poly << QPoint(unutra.right(), uzduz) << QPoint(unutra.right() - 3, uzduz - 3)
                 << QPoint(unutra.right() - 3, uzduz + 3);
            break;
        case TPoravnanje::alGore:
            poly << QPoint(uzduz, unutra.top()) << QPoint(uzduz - 3, unutra.top() + 3)
                 << QPoint(uzduz + 3, unutra.top() + 3);
            break;
        case TPoravnanje::alDole:
            poly << QPoint(uzduz, unutra.bottom()) << QPoint(uzduz - 3, unutra.bottom() - 3)
                 << QPoint(uzduz + 3, unutra.bottom() - 3);
            break;
        }
        p.setPen(Qt::white);
        p.setBrush(Qt::white);
        p.drawPolygon(poly);
    };
    const QPoint sredina = unutra.center();
    if (uspravan) {
        trougao(t.top() + 7);
        trougao(t.bottom() - 7);
    } else {
        trougao(t.left() + 7);
        trougao(t.right() - 7);
    }

    // The dotted grip along the middle, between the triangles.
    const int duzina = uspravan ? t.height() : t.width();
    const int parova = (duzina - 32) / 3 + 1;
    const QColor svetla = pal.color(QPalette::HighlightedText);
    const QColor tamna = pal.color(QPalette::Highlight);
    for (int i = 0; i < parova; ++i) {
        const int uzduz = 15 + 3 * i;
        const QPoint prva =
            uspravan ? QPoint(sredina.x(), t.top() + uzduz) : QPoint(t.left() + uzduz, sredina.y());
        p.setPen(svetla);
        p.drawPoint(prva);
        p.setPen(tamna);
        p.drawPoint(prva + QPoint(1, 1));
    }
}
