#include "Splash.h"

#include "Slike.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

TSplashForm::TSplashForm(QWidget* glavniProzor)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      glavni_(glavniProzor), slika_(SlikaSplash()) {
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("SKEM 2004"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(425, 268);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TSplashForm::Timer1Timer);
}

void TSplashForm::Pokreni() {
    if (glavni_) glavni_->setEnabled(false);
    if (QScreen* ekran = QGuiApplication::primaryScreen())
        move(ekran->availableGeometry().center() - rect().center());
    show();
    raise();
    Timer1->start();
}

void TSplashForm::Timer1Timer() {
    ++otkucaji_;
    if (otkucaji_ == 1) {
        if (glavni_) glavni_->showMaximized();
        // The splash stays above the main window that has just come up.
        raise();
        return;
    }
    hide();
    Timer1->stop();
    if (glavni_) glavni_->setEnabled(true);
}

void TSplashForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), slika_);
}
