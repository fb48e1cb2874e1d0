#include "OkvirDijalog.h"

#include "Dijalozi.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

QFont izgled::Verdana(int pikseli, bool podebljan) {
    QFont f(QStringLiteral("Verdana"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pikseli);
    f.setBold(podebljan);
    return f;
}

TOkvirDijalog::TOkvirDijalog(const QString& tekstNaslova, QSize klijent, int visinaNaslova,
                             QWidget* roditelj)
    : QDialog(roditelj, Qt::Dialog | Qt::FramelessWindowHint), naslov(tekstNaslova),
      visinaTrake(visinaNaslova) {
    setWindowTitle(naslov);
    setFixedSize(klijent);
    setFont(izgled::Verdana(11));
    // The pictures cover the whole window, so the background is never erased.
    setAttribute(Qt::WA_OpaquePaintEvent);
    slikaTrake = TrakaNaslova(QSize(klijent.width(), visinaTrake));
    slikaPozadine = PozadinaDijaloga(QSize(klijent.width(), klijent.height() - visinaTrake));
}

void TOkvirDijalog::NapraviDugmad(QWidget* traka, const QString& tekstPrihvati,
                                  TIkonica ikonicaPrihvati, QRect mestoPrihvati,
                                  QRect mestoOdustani) {
    DugmePrihvati = NapraviDugme(tekstPrihvati, ikonicaPrihvati, traka);
    DugmePrihvati->setObjectName(QStringLiteral("DugmePrihvati"));
    DugmePrihvati->setGeometry(mestoPrihvati);
    DugmeOdustani = NapraviDugme(QStringLiteral("odustani"), TIkonica::Odustani, traka);
    DugmeOdustani->setObjectName(QStringLiteral("DugmeOdustani"));
    DugmeOdustani->setGeometry(mestoOdustani);
    connect(DugmeOdustani, &QPushButton::clicked, this, &TOkvirDijalog::Odustani);
}

QPushButton* TOkvirDijalog::NapraviDugme(const QString& tekst, TIkonica ikonica,
                                         QWidget* roditelj) {
    auto* b = new QPushButton(Ikonica(ikonica), tekst, roditelj);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setFont(izgled::Verdana(11, true));
    b->setStyleSheet(QStringLiteral(
        "QPushButton { border: 1px solid transparent; border-radius: 3px; padding: 1px 6px;"
        " color: black; background: transparent; }"
        "QPushButton:hover { border-color: #8c8c8c; background: #e8e8e8; }"
        "QPushButton:pressed { background: #d0d0d0; }"
        "QPushButton:disabled { color: gray; }"));
    return b;
}

QPushButton* TOkvirDijalog::NapraviLink(const QString& tekst, QWidget* roditelj) {
    auto* b = new QPushButton(tekst, roditelj);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    QFont f = izgled::Verdana(11, true);
    f.setUnderline(true);
    b->setFont(f);
    b->setStyleSheet(QStringLiteral(
        "QPushButton { border: none; padding: 0; color: blue; background: transparent; }"));
    return b;
}

QLineEdit* TOkvirDijalog::NapraviPolje(const QString& ime, QWidget* roditelj) {
    auto* e = new QLineEdit(roditelj);
    e->setObjectName(ime);
    e->setFrame(false);
    e->setFont(izgled::Verdana(11, true));
    e->setStyleSheet(QStringLiteral("QLineEdit { background: white; color: #800000;"
                                    " border: 1px solid #a0a0a0; padding: 1px 3px; }"
                                    "QLineEdit:focus { border-color: #800000; }"
                                    "QLineEdit:disabled { background: #ececec; color: #a06060; }"));
    return e;
}

QFrame* TOkvirDijalog::NapraviPanel(QWidget* roditelj, bool spusten) {
    auto* p = new QFrame(roditelj);
    p->setFrameStyle(QFrame::Panel | (spusten ? QFrame::Sunken : QFrame::Raised));
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, QColor(izgled::Srebrna));
    // The default disabled grey would vanish on silver.
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 110, 110));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(110, 110, 110));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(110, 110, 110));
    p->setPalette(pal);
    // Under the main window its style sheet reaches the dialogs, and the style
    // sheet style draws disabled captions in its own near-silver grey.
    p->setStyleSheet(QStringLiteral("QLabel:disabled, QRadioButton:disabled, QCheckBox:disabled"
                                    " { color: rgb(110, 110, 110); }"));
    return p;
}

void TOkvirDijalog::Prihvati() {
    Prihvaceno = true;
    accept();
}

void TOkvirDijalog::Odustani() {
    reject();
}

void TOkvirDijalog::reject() {
    Prihvaceno = false;
    QDialog::reject();
}

void TOkvirDijalog::showEvent(QShowEvent* e) {
    // Whatever closes the dialog this time, only its accept button may report acceptance.
    Prihvaceno = false;
    QDialog::showEvent(e);
    if (!e->spontaneous()) CentrirajNaVlasnika(*this);
}

void TOkvirDijalog::closeEvent(QCloseEvent* e) {
    Prihvaceno = false;
    QDialog::closeEvent(e);
}

void TOkvirDijalog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, visinaTrake, slikaPozadine);
    p.drawPixmap(0, 0, slikaTrake);
    p.setPen(Qt::white);
    p.setFont(izgled::Verdana(11, true));
    p.drawText(QRect(0, 0, width(), visinaTrake), Qt::AlignCenter, naslov);
}

void TOkvirDijalog::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && e->position().y() < VisinaHvataljke) {
        vucem = true;
        pomakVucenja = e->globalPosition().toPoint() - frameGeometry().topLeft();
        e->accept();
        return;
    }
    QDialog::mousePressEvent(e);
}

void TOkvirDijalog::mouseMoveEvent(QMouseEvent* e) {
    if (vucem && (e->buttons() & Qt::LeftButton)) {
        move(e->globalPosition().toPoint() - pomakVucenja);
        e->accept();
        return;
    }
    QDialog::mouseMoveEvent(e);
}

void TOkvirDijalog::mouseReleaseEvent(QMouseEvent* e) {
    if (vucem && e->button() == Qt::LeftButton) {
        vucem = false;
        e->accept();
        return;
    }
    QDialog::mouseReleaseEvent(e);
}
