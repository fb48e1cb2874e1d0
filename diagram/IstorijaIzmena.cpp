#include "IstorijaIzmena.h"

#include "Dokument.h"
#include "SKEMRadnaPovrsina.h"

#include <limits>

namespace {
constexpr size_t NemaSacuvanog = std::numeric_limits<size_t>::max();
} // namespace

TIstorijaIzmena::TIstorijaIzmena(TSKEMRadnaPovrsina& p, int najviseKoraka)
    : povrsina(p), najvise(size_t(std::max(najviseKoraka, 1)) + 1) {
    Pocni();
}

void TIstorijaIzmena::Pocni() {
    stanja.clear();
    stanja.push_back({DokumentUTekst(povrsina), {}});
    tekuce = sacuvano = 0;
}

bool TIstorijaIzmena::ZavrsiKorak(const QString& opis) {
    QByteArray tekst = DokumentUTekst(povrsina);
    if (tekst == stanja[tekuce].tekst) return false;
    stanja[tekuce].tekst = qCompress(stanja[tekuce].tekst);
    stanja.resize(tekuce + 1);                       // redo is forgotten
    if (sacuvano > tekuce) sacuvano = NemaSacuvanog; // it was in the forgotten redo
    stanja.push_back({std::move(tekst), opis});
    ++tekuce;
    if (stanja.size() > najvise) {
        stanja.erase(stanja.begin());
        --tekuce;
        sacuvano = sacuvano == 0 || sacuvano == NemaSacuvanog ? NemaSacuvanog : sacuvano - 1;
    }
    return true;
}

QString TIstorijaIzmena::OpisPonistavanja() const {
    return MozePonistiti() ? stanja[tekuce].opis : QString();
}

QString TIstorijaIzmena::OpisPonavljanja() const {
    return MozePonoviti() ? stanja[tekuce + 1].opis : QString();
}

void TIstorijaIzmena::Ponisti() {
    if (MozePonistiti()) Procitaj(tekuce - 1);
}

void TIstorijaIzmena::Ponovi() {
    if (MozePonoviti()) Procitaj(tekuce + 1);
}

void TIstorijaIzmena::Procitaj(size_t indeks) {
    const QByteArray tekst = qUncompress(stanja[indeks].tekst);
    UcitajDokumentIzTeksta(povrsina, tekst);
    stanja[tekuce].tekst = qCompress(stanja[tekuce].tekst);
    stanja[indeks].tekst = tekst;
    tekuce = indeks;
}

void TIstorijaIzmena::OznaciSacuvano() {
    sacuvano = tekuce;
}
