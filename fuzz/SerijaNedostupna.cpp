// The harness's document never exists, so no run is ever reached: these
// stand in for the series runner (clang 14 does not compile it: a lambda
// there captures a structured binding) and fail loudly if reached.

#include "PaketniSerija.h"

#include <cstdlib>

int IzvrsiSeriju(const TSerijaPaketno&, QTextStream&, QTextStream&) {
    std::abort();
}
int IzvrsiJednu(const TSerijaPaketno&, QTextStream&, QTextStream&) {
    std::abort();
}
bool UpisiFajl(const QString&, const QByteArray&, QTextStream&) {
    std::abort();
}
QString PorukaStandardnogIzlaza(const QString&) {
    std::abort();
}
