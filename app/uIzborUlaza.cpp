#include "uIzborUlaza.h"

#include "Dijalozi.h"

#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

TIzborUlaza::TIzborUlaza(QWidget* roditelj)
    : TOkvirDijalog(QStringLiteral("Odredite ulaz"), QSize(207, 180), 18, roditelj) {
    setObjectName(QStringLiteral("IzborUlaza"));

    panel = NapraviPanel(this, false);
    panel->setGeometry(8, 26, 191, 92);
    QRadioButton* tri[3];
    for (int i = 0; i < 3; ++i) {
        tri[i] = new QRadioButton(QStringLiteral("Ulaz %1").arg(i + 1), panel);
        tri[i]->setObjectName(QStringLiteral("DugmeUlaza%1").arg(i + 1));
        tri[i]->setFont(izgled::Verdana(11, true));
        tri[i]->setGeometry(52, 9 + i * 26, 110, 22);
        tri[i]->setCursor(Qt::PointingHandCursor);
    }
    DugmeUlaza1 = tri[0];
    DugmeUlaza2 = tri[1];
    DugmeUlaza3 = tri[2];
    dugmad = {DugmeUlaza1, DugmeUlaza2, DugmeUlaza3};

    Napomena = NapraviLink(QStringLiteral("Napomena"), this);
    Napomena->setObjectName(QStringLiteral("Napomena"));
    Napomena->setGeometry(118, 120, 76, 17);

    QFrame* traka = NapraviPanel(this, true);
    traka->setGeometry(8, 138, 191, 36);
    NapraviDugmad(traka, QStringLiteral("prihvati"), TIkonica::Prihvati, {5, 5, 88, 26},
                  {98, 5, 88, 26});
    DugmePrihvati->setDefault(true);

    connect(DugmePrihvati, &QPushButton::clicked, this, &TIzborUlaza::DugmePrihvatiClick);
    connect(Napomena, &QPushButton::clicked, this, &TIzborUlaza::NapomenaClick);
}

void TIzborUlaza::PostaviUlaze(const QStringList& natpisi) {
    const QList<QRadioButton*> tri{DugmeUlaza1, DugmeUlaza2, DugmeUlaza3};
    const bool uListi = natpisi.size() > 3;
    for (int i = 0; i < 3; ++i) {
        tri[i]->setText(natpisi.isEmpty() ? QStringLiteral("Ulaz %1").arg(i + 1)
                                          : natpisi.value(i));
        tri[i]->setVisible(!uListi && (natpisi.isEmpty() || i < natpisi.size()));
    }
    if (!uListi) {
        if (lista) lista->hide();
        dugmad = natpisi.isEmpty() ? tri : tri.mid(0, natpisi.size());
        return;
    }
    if (!lista) {
        lista = new QScrollArea(panel);
        lista->setObjectName(QStringLiteral("ListaUlaza"));
        lista->setFrameShape(QFrame::NoFrame);
        lista->setGeometry(panel->contentsRect());
        lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lista->viewport()->setAutoFillBackground(false);
        auto* sadrzaj = new QWidget;
        sadrzaj->setAutoFillBackground(false);
        lista->setWidget(sadrzaj);
    }
    QWidget* sadrzaj = lista->widget();
    while (dugmadListe.size() < natpisi.size()) {
        auto* d = new QRadioButton(sadrzaj);
        d->setObjectName(QStringLiteral("DugmeUlaza%1").arg(dugmadListe.size() + 1));
        d->setFont(izgled::Verdana(11, true));
        d->setCursor(Qt::PointingHandCursor);
        dugmadListe.append(d);
    }
    const int sirina = lista->width() - lista->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < dugmadListe.size(); ++i) {
        dugmadListe[i]->setGeometry(12, 4 + i * 26, sirina - 16, 22);
        dugmadListe[i]->setText(natpisi.value(i));
        dugmadListe[i]->setVisible(i < natpisi.size());
    }
    sadrzaj->resize(sirina, 8 + int(natpisi.size()) * 26);
    lista->verticalScrollBar()->setValue(0);
    lista->show();
    dugmad = dugmadListe.mid(0, natpisi.size());
}

int TIzborUlaza::IzabraniUlaz() const {
    for (int k = 0; k < dugmad.size(); ++k)
        if (dugmad[k]->isChecked()) return k;
    return int(dugmad.size()) - 1;
}

void TIzborUlaza::showEvent(QShowEvent* e) {
    QRadioButton* izbor = dugmad.back();
    for (QRadioButton* d : dugmad)
        if (d->isEnabled()) {
            izbor = d;
            break;
        }
    izbor->setChecked(true);
    if (lista && !lista->isHidden()) lista->ensureWidgetVisible(izbor);
    izbor->setFocus(Qt::OtherFocusReason);
    TOkvirDijalog::showEvent(e);
}

void TIzborUlaza::DugmePrihvatiClick() {
    Prihvati();
}

void TIzborUlaza::NapomenaClick() {
    Dijalozi().Informacija(QStringLiteral("Kod nekih blokova redosled ulaza je bitan!"));
}
