#include "Splash.h"

#include "Slike.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

TSplashForm::TSplashForm(QWidget* glavniProzor)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      glavni(glavniProzor), slika(SlikaSplash()) {
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("SKEM 2004"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(425, 268);
    Tajmer = new QTimer(this);
    Tajmer->setObjectName(QStringLiteral("Tajmer"));
    Tajmer->setInterval(1000);
    connect(Tajmer, &QTimer::timeout, this, &TSplashForm::Otkucaj);
}

void TSplashForm::Pokreni() {
    if (glavni) glavni->setEnabled(false);
    if (QScreen* ekran = QGuiApplication::primaryScreen())
        move(ekran->availableGeometry().center() - rect().center());
    show();
    raise();
    Tajmer->start();
}

void TSplashForm::Otkucaj() {
    ++otkucaji;
    if (otkucaji == 1) {
        if (glavni) glavni->showMaximized();
        // The splash stays above the main window that has just come up.
        raise();
        return;
    }
    hide();
    Tajmer->stop();
    if (glavni) glavni->setEnabled(true);
}

void TSplashForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), slika);
}
