#include "uUnosOpisa.h"

#include "Dijalozi.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

TUnosOpisa::TUnosOpisa(QWidget* roditelj)
    : TOkvirDijalog(QStringLiteral("Opisite problem koji resavate"), QSize(378, 351), 18,
                    roditelj) {
    setObjectName(QStringLiteral("UnosOpisa"));

    QFrame* panel = NapraviPanel(this, false);
    panel->setFrameStyle(QFrame::NoFrame);
    panel->setGeometry(7, 25, 363, 318);

    PoljeOpisa = new QPlainTextEdit(panel);
    PoljeOpisa->setObjectName(QStringLiteral("PoljeOpisa"));
    PoljeOpisa->setGeometry(0, 0, 363, 318 - 29);
    PoljeOpisa->setFrameStyle(QFrame::NoFrame);
    PoljeOpisa->setFont(izgled::Verdana(11));
    PoljeOpisa->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PoljeOpisa->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PoljeOpisa->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    PoljeOpisa->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: white; color: black; }"));

    QFrame* traka = NapraviPanel(panel, true);
    traka->setGeometry(0, 318 - 29, 363, 29);
    NapraviDugmad(traka, QStringLiteral("prihvati"), TIkonica::Prihvati, {34, 4, 95, 22},
                  {214, 4, 95, 22});

    connect(DugmePrihvati, &QPushButton::clicked, this, &TUnosOpisa::DugmePrihvatiClick);
}

void TUnosOpisa::showEvent(QShowEvent* e) {
    PoljeOpisa->setFocus(Qt::OtherFocusReason);
    TOkvirDijalog::showEvent(e);
}

void TUnosOpisa::DugmePrihvatiClick() {
    Rezultat = PoljeOpisa->toPlainText(); // with its line breaks
    Prihvati();
}
