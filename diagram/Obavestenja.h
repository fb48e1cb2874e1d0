#pragma once
// Small helpers shared by the items of the drawing surface: raising a notify
// callback, the item type numbers, putting an item on top of its siblings and
// deleting items safely while their own event handlers may still be running.

#include <QGraphicsItem>
#include <functional>
#include <vector>

// Raises a notification; an unassigned one is skipped. The callback is copied
// first because a handler may destroy the object that holds it.
template <class... A> void Javi(const std::function<void(A...)>& dogadjaj, A... argumenti) {
    if (!dogadjaj) return;
    auto kopija = dogadjaj;
    kopija(argumenti...);
}

// Type numbers of the surface items, for qgraphicsitem_cast.
enum TVrstaStavke {
    vsLine = QGraphicsItem::UserType + 1,
    vsLineEx = QGraphicsItem::UserType + 2,
    vsLinija = QGraphicsItem::UserType + 3,
    vsDrzac = QGraphicsItem::UserType + 4,
    vsBlok = QGraphicsItem::UserType + 5,
};

// Z-values: segments lie at 0 (below everything, in creation order); blocks
// and holders stand above them, the most recently raised on top.
void DonesiNapred(QGraphicsItem* stavka);

// Takes the item off its scene at once (so it is neither drawn nor hit any
// more) and deletes it when control returns to the event loop, so an item may
// be removed from inside its own mouse handler. Whatever is still pending is
// deleted by IsprazniOdlozeno (also called when the application ends).
void ObrisiOdlozeno(QGraphicsItem* stavka);
void IsprazniOdlozeno();

// Deleting everything on a scene. While one lives, the items of its scene
// handed to ObrisiOdlozeno stay on the scene; Zavrsi then deletes them all
// at once by clearing the scene, in time proportional to their number (taken
// off one by one, each would cost time that grows with the items still on
// the scene). When anything else is left on the scene, or Zavrsi is never
// reached (an error broke the work off), they go as ObrisiOdlozeno takes them.
class TBrisanjeSvega {
public:
    explicit TBrisanjeSvega(QGraphicsScene* scena);
    ~TBrisanjeSvega();
    TBrisanjeSvega(const TBrisanjeSvega&) = delete;
    TBrisanjeSvega& operator=(const TBrisanjeSvega&) = delete;

    void Zavrsi();

private:
    friend void ObrisiOdlozeno(QGraphicsItem* stavka);
    void Pusti();

    QGraphicsScene* scena;
    TBrisanjeSvega* spoljno; // the one that was on when this one started
    std::vector<QGraphicsItem*> stavke;
    bool traje = true;
};
