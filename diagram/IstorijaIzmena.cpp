#include "IstorijaIzmena.h"

#include "Dokument.h"
#include "SKEMRadnaPovrsina.h"

#include <limits>
#include <optional>

namespace {
constexpr size_t NemaSacuvanog = std::numeric_limits<size_t>::max();

// The document's text; none while it cannot be written (a value that is no
// finite number).
std::optional<QByteArray> Tekst(const TSKEMRadnaPovrsina& povrsina) {
    try {
        return DokumentUTekst(povrsina);
    } catch (const TGreskaDokumenta&) {
        return std::nullopt;
    }
}
} // namespace

TIstorijaIzmena::TIstorijaIzmena(TSKEMRadnaPovrsina& p, int najviseKoraka)
    : povrsina(p), najvise(size_t(std::max(najviseKoraka, 1)) + 1) {
    Pocni();
}

void TIstorijaIzmena::Pocni() {
    stanja.clear();
    stanja.push_back({Tekst(povrsina).value_or(QByteArray()), {}});
    tekuce = sacuvano = 0;
}

TIstorijaIzmena::TKraj TIstorijaIzmena::ZavrsiKorak(const QString& opis) {
    // The drawing belongs to the step: a junction's new holder and the
    // junction are undone together.
    if (NedovrsenaVezaUDokumentu(povrsina)) return TKraj::NijeGotov;
    std::optional<QByteArray> novi = Tekst(povrsina);
    if (!novi) return TKraj::NijeGotov;
    if (*novi == stanja[tekuce].tekst) return TKraj::BezIzmene;
    QByteArray tekst = std::move(*novi);
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
    return TKraj::Zapamcen;
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
    if (tekst.isEmpty())
        throw TGreskaDokumenta(QStringLiteral("To stanje dokumenta nije sacuvano."));
    UcitajDokumentIzTeksta(povrsina, tekst);
    stanja[tekuce].tekst = qCompress(stanja[tekuce].tekst);
    stanja[indeks].tekst = tekst;
    tekuce = indeks;
}

void TIstorijaIzmena::OznaciSacuvano() {
    // Saved in the middle of a drawing (a junction's new holder already
    // placed), the file may hold no kept state: then no undo leads back to it.
    // Otherwise the step has just ended, and the file holds the state kept last.
    const bool drugo =
        NedovrsenaVezaUDokumentu(povrsina) && Tekst(povrsina) != stanja[tekuce].tekst;
    sacuvano = drugo ? NemaSacuvanog : tekuce;
}
