#include "SKEMDugme.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {
constexpr int VisinaDugmeta = 20;
const QColor BojaVrucegTeksta(128, 128, 128);
} // namespace

TSKEMDugme::TSKEMDugme(QWidget* roditelj)
    : QWidget(roditelj), labela(new QLabel(QStringLiteral("SKEMDugme"), this)) {
    boja = QApplication::palette().color(QPalette::Button);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent); // painted whole, from a pixmap: no flicker
    resize(149, VisinaDugmeta);

    labela->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    labela->setAttribute(Qt::WA_TranslucentBackground);
    // Presses on the caption are presses on the button.
    labela->setAttribute(Qt::WA_TransparentForMouseEvents);
    PostaviLabelu(QRect(20, 2, 100, 12));
    PostaviStanje(TStanje::Normalno);
}

QString TSKEMDugme::Tekst() const {
    return labela->text();
}

void TSKEMDugme::PostaviTekst(const QString& tekst) {
    labela->setText(tekst);
    PostaviLabelu(QRect(x(), labela->y(), width(), height()));
}

void TSKEMDugme::PostaviBoju(const QColor& nova) {
    boja = nova;
    update();
}

void TSKEMDugme::PostaviBojuOkvira(const QColor& nova) {
    bojaOkvira = nova;
    update();
}

void TSKEMDugme::PostaviLabelu(const QRect& r) {
    labela->setGeometry(r);
    desnaMargina = width() - r.right() - 1;
    donjaMargina = height() - r.bottom() - 1;
}

void TSKEMDugme::resizeEvent(QResizeEvent*) {
    // The caption is anchored on all four sides.
    const QRect r = labela->geometry();
    labela->setGeometry(r.x(), r.y(), std::max(0, width() - desnaMargina - r.x()),
                        std::max(0, height() - donjaMargina - r.y()));
}

void TSKEMDugme::PostaviStanje(TStanje novo) {
    stanje = novo;
    QPalette p = labela->palette();
    p.setColor(QPalette::WindowText,
               stanje == TStanje::Normalno ? QColor(Qt::black) : BojaVrucegTeksta);
    labela->setPalette(p);
    // The caption moves down one pixel while pressed, keeping its height.
    const int vrh = stanje == TStanje::Pritisnuto ? 3 : 2;
    const QRect r = labela->geometry();
    labela->setGeometry(r.x(), vrh, r.width(), r.height());
    update();
}

void TSKEMDugme::paintEvent(QPaintEvent*) {
    QPixmap slika(size() * devicePixelRatioF());
    slika.setDevicePixelRatio(devicePixelRatioF());
    {
        QPainter p(&slika);
        p.fillRect(rect(), boja);
        p.setPen(bojaOkvira);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    QPainter(this).drawPixmap(0, 0, slika);
}

void TSKEMDugme::enterEvent(QEnterEvent*) {
    if (stanje == TStanje::Normalno) PostaviStanje(TStanje::Vruce);
}

void TSKEMDugme::leaveEvent(QEvent*) {
    PostaviStanje(TStanje::Normalno);
}

void TSKEMDugme::mousePressEvent(QMouseEvent*) {
    PostaviStanje(TStanje::Pritisnuto);
}

void TSKEMDugme::mouseReleaseEvent(QMouseEvent* e) {
    if (rect().contains(e->position().toPoint())) {
        PostaviStanje(TStanje::Vruce);
        if (OnClick) OnClick(this);
    } else {
        PostaviStanje(TStanje::Normalno);
    }
}
