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
