#pragma once
// Shared pieces of the diagram tests: plain picture lists, a workspace shown
// in a view, and mouse and key input sent the way a user produces it.

#include "ListaSlika.h"
#include "PritisakBloka.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"
#include "SkriptovaniDijalozi.h"
#include "VrsteElemenata.h"
#include "unDrzac.h"
#include "unLinija.h"
#include "unVeza.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <memory>

// A picture list of n plain 42 x 42 pictures.
inline TListaSlika ObicneSlike(int n, QColor boja) {
    TListaSlika l;
    for (int i = 0; i < n; ++i) {
        QPixmap p(42, 42);
        p.fill(boja);
        l.Slike.append(p);
    }
    return l;
}

inline void Mis(QGraphicsView& v, QEvent::Type vrsta, QPoint scena, Qt::MouseButton dugme,
                Qt::MouseButtons dugmad, Qt::KeyboardModifiers tasteri = Qt::NoModifier) {
    const QPoint tacka = v.mapFromScene(scena);
    QMouseEvent e(vrsta, QPointF(tacka), QPointF(v.viewport()->mapToGlobal(tacka)), dugme, dugmad,
                  tasteri);
    QApplication::sendEvent(v.viewport(), &e);
}
inline void Pritisni(QGraphicsView& v, QPoint p, Qt::MouseButton d = Qt::LeftButton,
                     Qt::KeyboardModifiers tasteri = Qt::NoModifier) {
    Mis(v, QEvent::MouseButtonPress, p, d, d, tasteri);
}
inline void Pusti(QGraphicsView& v, QPoint p, Qt::MouseButton d = Qt::LeftButton,
                  Qt::KeyboardModifiers tasteri = Qt::NoModifier) {
    Mis(v, QEvent::MouseButtonRelease, p, d, Qt::NoButton, tasteri);
}
inline void Klikni(QGraphicsView& v, QPoint p, Qt::MouseButton d = Qt::LeftButton,
                   Qt::KeyboardModifiers tasteri = Qt::NoModifier) {
    Pritisni(v, p, d, tasteri);
    Pusti(v, p, d, tasteri);
}
// A move with the given buttons held (none: the pointer just passes over).
inline void Pomeri(QGraphicsView& v, QPoint p, Qt::MouseButtons dugmad = Qt::NoButton) {
    Mis(v, QEvent::MouseMove, p, Qt::NoButton, dugmad);
}
inline void Prevuci(QGraphicsView& v, QPoint od, QPoint doTacke,
                    Qt::MouseButton d = Qt::LeftButton) {
    Pritisni(v, od, d);
    Pomeri(v, doTacke, d);
    Pusti(v, doTacke, d);
}
inline void PritisniTaster(QGraphicsView& v, int taster,
                           Qt::KeyboardModifiers tasteri = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, taster, tasteri);
    QApplication::sendEvent(&v, &e);
}

// A workspace in a shown view, with scripted dialogs, picture sets with a
// picture per kind, a counter for each event and a wiring handler that gives a
// completed connection the first free input, as the workspace's rules allow.
struct TOkruzenje {
    TSkriptovaniDijalozi dijalozi;
    TListaSlika levo = ObicneSlike(skem::BrojVrstaElemenata, Qt::red),
                desno = ObicneSlike(skem::BrojVrstaElemenata, Qt::green),
                gore = ObicneSlike(skem::BrojVrstaElemenata, Qt::blue),
                dole = ObicneSlike(skem::BrojVrstaElemenata, Qt::yellow);
    TSKEMRadnaPovrsina rp;
    std::unique_ptr<TSKEMPogled> pogled;
    QStringList dogadjaji;
    bool poveziUSlot = true;
    // What OnPoveziVezu saw.
    TRPStanje stanjeKodPovezivanja = rpsBrisem;
    TVeza* vezaKodPovezivanja = nullptr;

    TOkruzenje() {
        rp.SlikeLevo = &levo;
        rp.SlikeDesno = &desno;
        rp.SlikeGore = &gore;
        rp.SlikeDole = &dole;
        rp.OnChange = [this](TSKEMRadnaPovrsina*) { dogadjaji << "Change"; };
        rp.OnDropBlok = [this](TSKEMRadnaPovrsina*) { dogadjaji << "DropBlok"; };
        rp.OnStanjeChange = [this](TSKEMRadnaPovrsina*) { dogadjaji << "StanjeChange"; };
        rp.OnSelectBlok = [this](TSKEMRadnaPovrsina*) { dogadjaji << "SelectBlok"; };
        rp.OnSelectBlokZaInsp = [this](TSKEMRadnaPovrsina*) { dogadjaji << "SelectBlokZaInsp"; };
        rp.OnBrisiBlok = [this](TSKEMRadnaPovrsina*) { dogadjaji << "BrisiBlok"; };
        rp.OnPoveziVezu = [this](TSKEMRadnaPovrsina*) {
            dogadjaji << "PoveziVezu";
            stanjeKodPovezivanja = rp.Stanje();
            vezaKodPovezivanja = rp.VezaUIzradi;
            if (poveziUSlot) rp.PrihvatiVezuUIzradi(nullptr);
        };
        pogled = std::make_unique<TSKEMPogled>(&rp);
        pogled->resize(900, 700);
        pogled->show();
        (void)QTest::qWaitForWindowExposed(pogled.get());
    }
    ~TOkruzenje() {
        pogled.reset();
        IsprazniOdlozeno();
    }
    QGraphicsView& v() { return *pogled; }

    TSKEMBlok* Spusti(QPoint p, int ulaza = 1, int sifra = 8, const char* naziv = "Blok") {
        TStavkaKataloga s;
        s.Naziv = QString::fromLatin1(naziv);
        s.ImageIndex = sifra;
        s.MaxUlaznihVeza = ulaza;
        s.BrojParam = 1;
        return rp.SpustiStavku(s, p);
    }
    // Draws a connection from a to b with the mouse, bending at the given points.
    TVeza* NacrtajVezu(TSKEMBlok* a, TSKEMBlok* b, const QList<QPoint>& krivine = {}) {
        rp.SetStanje(rpsDodajVezuEx);
        Klikni(v(), Sredina(a));
        for (QPoint p : krivine) {
            Pomeri(v(), p);
            Klikni(v(), p);
        }
        Pomeri(v(), Sredina(b));
        const int pre = rp.Veze.size();
        Klikni(v(), Sredina(b));
        return rp.Veze.size() > pre ? rp.Veze.last() : nullptr;
    }
    static QPoint Sredina(const TSKEMBlok* b) { return QPoint(b->Left() + 40, b->Top() + 40); }
    int BrojStavki(int tip) const {
        int n = 0;
        for (QGraphicsItem* i : rp.items())
            if (i->type() == tip) ++n;
        return n;
    }
};
