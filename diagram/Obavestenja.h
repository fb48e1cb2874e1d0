#pragma once
// Small helpers shared by the items of the drawing surface: raising a notify
// callback, the item type numbers, putting an item on top of its siblings and
// deleting items safely while their own event handlers may still be running.

#include <QGraphicsItem>
#include <functional>

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
