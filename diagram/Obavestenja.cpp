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

} // namespace

void DonesiNapred(QGraphicsItem* stavka) {
    qreal najvisa = 0;
    if (QGraphicsScene* s = stavka->scene()) {
        const auto stavke = s->items();
        for (QGraphicsItem* i : stavke)
            if (i != stavka && i->zValue() > najvisa) najvisa = i->zValue();
    }
    stavka->setZValue(najvisa + 1);
}

void ObrisiOdlozeno(QGraphicsItem* stavka) {
    if (!stavka) return;
    if (QGraphicsScene* s = stavka->scene()) s->removeItem(stavka);
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
