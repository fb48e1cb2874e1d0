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
    : QWidget(roditelj), m_labela(new QLabel(QStringLiteral("SKEMDugme"), this)) {
    m_boja = QApplication::palette().color(QPalette::Button);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent); // painted whole, from a pixmap: no flicker
    resize(149, VisinaDugmeta);

    m_labela->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_labela->setAttribute(Qt::WA_TranslucentBackground);
    // Presses on the caption are presses on the button.
    m_labela->setAttribute(Qt::WA_TransparentForMouseEvents);
    PostaviLabelu(QRect(20, 2, 100, 12));
    PostaviStanje(TStanje::Normalno);
}

QString TSKEMDugme::Tekst() const {
    return m_labela->text();
}

void TSKEMDugme::PostaviTekst(const QString& tekst) {
    m_labela->setText(tekst);
    PostaviLabelu(QRect(x(), m_labela->y(), width(), height()));
}

void TSKEMDugme::PostaviBoju(const QColor& boja) {
    m_boja = boja;
    update();
}

void TSKEMDugme::PostaviBojuOkvira(const QColor& boja) {
    m_bojaOkvira = boja;
    update();
}

void TSKEMDugme::PostaviLabelu(const QRect& r) {
    m_labela->setGeometry(r);
    m_desnaMargina = width() - r.right() - 1;
    m_donjaMargina = height() - r.bottom() - 1;
}

void TSKEMDugme::resizeEvent(QResizeEvent*) {
    // The caption is anchored on all four sides.
    const QRect r = m_labela->geometry();
    m_labela->setGeometry(r.x(), r.y(), std::max(0, width() - m_desnaMargina - r.x()),
                          std::max(0, height() - m_donjaMargina - r.y()));
}

void TSKEMDugme::PostaviStanje(TStanje stanje) {
    m_stanje = stanje;
    QPalette p = m_labela->palette();
    p.setColor(QPalette::WindowText,
               stanje == TStanje::Normalno ? QColor(Qt::black) : BojaVrucegTeksta);
    m_labela->setPalette(p);
    // The caption moves down one pixel while pressed, keeping its height.
    const int vrh = stanje == TStanje::Pritisnuto ? 3 : 2;
    const QRect r = m_labela->geometry();
    m_labela->setGeometry(r.x(), vrh, r.width(), r.height());
    update();
}

void TSKEMDugme::paintEvent(QPaintEvent*) {
    QPixmap slika(size() * devicePixelRatioF());
    slika.setDevicePixelRatio(devicePixelRatioF());
    {
        QPainter p(&slika);
        p.fillRect(rect(), m_boja);
        p.setPen(m_bojaOkvira);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    QPainter(this).drawPixmap(0, 0, slika);
}

void TSKEMDugme::enterEvent(QEnterEvent*) {
    if (m_stanje == TStanje::Normalno) PostaviStanje(TStanje::Vruce);
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
