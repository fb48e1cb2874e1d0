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

    Memo1 = new QPlainTextEdit(panel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(0, 0, 363, 318 - 29);
    Memo1->setFrameStyle(QFrame::NoFrame);
    Memo1->setFont(izgled::Verdana(11));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; color: black; }"));

    QFrame* traka = NapraviPanel(panel, true);
    traka->setGeometry(0, 318 - 29, 363, 29);
    SpeedButton1 = NapraviDugme(QStringLiteral("prihvati"), TIkonica::Prihvati, traka);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(34, 4, 95, 22);
    SpeedButton2 = NapraviDugme(QStringLiteral("odustani"), TIkonica::Odustani, traka);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(214, 4, 95, 22);

    connect(SpeedButton1, &QPushButton::clicked, this, &TUnosOpisa::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TUnosOpisa::SpeedButton2Click);
}

void TUnosOpisa::showEvent(QShowEvent* e) {
    Memo1->setFocus(Qt::OtherFocusReason);
    TOkvirDijalog::showEvent(e);
}

void TUnosOpisa::SpeedButton1Click() {
    Rezultat = Memo1->toPlainText(); // with its line breaks
    Prihvati();
}

void TUnosOpisa::SpeedButton2Click() {
    Odustani();
}
