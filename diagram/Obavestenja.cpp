#include "Obavestenja.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QTimer>
#include <vector>

namespace {

std::vector<QGraphicsItem*>& Odlozene() {
    static std::vector<QGraphicsItem*> lista;
    return lista;
}

void IsprazniNaKraju() {
    IsprazniOdlozeno();
}

// The innermost deletion of everything under way.
TBrisanjeSvega* brisanjeSvega = nullptr;

} // namespace

void DonesiNapred(QGraphicsItem* stavka) {
    // The scene keeps the highest z-value handed out so far, so raising an item
    // costs the same however many items the scene holds.
    static const char* const najvisiZ = "skemNajvisiZ";
    QGraphicsScene* s = stavka->scene();
    const qreal z = (s ? s->property(najvisiZ).toReal() : qreal(0)) + 1;
    if (s) s->setProperty(najvisiZ, z);
    stavka->setZValue(z);
}

void ObrisiOdlozeno(QGraphicsItem* stavka) {
    if (!stavka) return;
    QGraphicsScene* s = stavka->scene();
    for (TBrisanjeSvega* b = brisanjeSvega; s && b; b = b->spoljno)
        if (b->scena == s) {
            b->stavke.push_back(stavka);
            return;
        }
    if (s) s->removeItem(stavka);
    static bool prijavljeno = false;
    if (!prijavljeno && QCoreApplication::instance()) {
        qAddPostRoutine(IsprazniNaKraju);
        prijavljeno = true;
    }
    const bool prva = Odlozene().empty();
    Odlozene().push_back(stavka);
    if (prva && QCoreApplication::instance()) QTimer::singleShot(0, [] { IsprazniOdlozeno(); });
}

void IsprazniOdlozeno() {
    std::vector<QGraphicsItem*> lista;
    lista.swap(Odlozene());
    for (QGraphicsItem* s : lista)
        delete s;
}

TBrisanjeSvega::TBrisanjeSvega(QGraphicsScene* scena_) : scena(scena_), spoljno(brisanjeSvega) {
    brisanjeSvega = this;
}

TBrisanjeSvega::~TBrisanjeSvega() {
    Pusti();
    std::vector<QGraphicsItem*> lista;
    lista.swap(stavke);
    for (QGraphicsItem* s : lista)
        ObrisiOdlozeno(s);
}

void TBrisanjeSvega::Pusti() {
    if (!traje) return;
    traje = false;
    // Started last, it ends first; one that was not is only unlinked.
    TBrisanjeSvega** veza = &brisanjeSvega;
    while (*veza && *veza != this)
        veza = &(*veza)->spoljno;
    if (*veza) *veza = spoljno;
}

void TBrisanjeSvega::Zavrsi() {
    Pusti();
    // Items added since the event loop last ran still wait to be polished, and
    // each would be looked up in that waiting list as it goes: the wait ends first.
    QCoreApplication::sendPostedEvents(scena, QEvent::MetaCall);
    if (scena->items().size() != qsizetype(stavke.size())) return; // the destructor takes them
    stavke.clear();
    scena->clear();
}
