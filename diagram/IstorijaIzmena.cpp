#include "IstorijaIzmena.h"

#include "Brojevi.h"
#include "Dokument.h"
#include "Podsistemi.h"
#include "SKEMRadnaPovrsina.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {
constexpr size_t NemaSacuvanog = std::numeric_limits<size_t>::max();

// A number as it reads back from the text it is written as.
double KaoUTekstu(double v) {
    char tekst[skem::NajduziRealan];
    double r = v;
    skem::ProcitajRealan(std::string_view(tekst, skem::PisiRealan(v, tekst)), r);
    return r;
}

// The document's text and the model that text reads to; none while it cannot
// be written (a value that is no finite number). The model is left out when
// it could differ from a reading of the text beyond its numbers (blocks not
// numbered 1..n in order: a reading renumbers them).
struct TSnimak {
    QByteArray tekst;
    std::shared_ptr<const skem::TModelDokumenta> model;
};
// With `isti` given, a text equal to it comes without its model.
std::optional<TSnimak> Snimak(const TSKEMRadnaPovrsina& povrsina,
                              const QByteArray* isti = nullptr) {
    skem::TModelDokumenta m = ModelDokumenta(povrsina);
    TSnimak s;
    try {
        s.tekst = skem::ModelUTekst(m);
    } catch (const TGreskaDokumenta&) {
        return std::nullopt;
    }
    if (isti && s.tekst == *isti) return s;
    auto& blokovi = m.Blokovi;
    // A subsystem's content is read anew from the text: its numbers are not
    // brought to their written form here.
    for (size_t i = 0; i < blokovi.size(); ++i)
        if (blokovi[i].LokalniBroj != int(i) + 1 || blokovi[i].Podsistem) return s;
    for (skem::TBlokModela& b : blokovi) {
        b.Parametar1 = KaoUTekstu(b.Parametar1);
        b.Parametar2 = KaoUTekstu(b.Parametar2);
        b.Parametar3 = KaoUTekstu(b.Parametar3);
        if (b.Ordinate) {
            auto o = *b.Ordinate;
            for (double& y : o)
                y = KaoUTekstu(y);
            b.Ordinate = std::make_shared<const std::array<double, 11>>(o);
        }
    }
    s.model = std::make_shared<const skem::TModelDokumenta>(std::move(m));
    return s;
}
// The kept texts compress many times over even at the fastest level, which
// takes a fraction of the default level's time on a large document.
QByteArray Sazmi(const QByteArray& tekst) {
    return qCompress(tekst, 1);
}
} // namespace

TIstorijaIzmena::TIstorijaIzmena(TSKEMRadnaPovrsina& p, int najviseKoraka)
    : povrsina(p), najvise(size_t(std::max(najviseKoraka, 1)) + 1) {
    Pocni();
}

void TIstorijaIzmena::Pocni() {
    stanja.clear();
    std::optional<TSnimak> s = Snimak(povrsina);
    stanja.push_back({s ? s->tekst : QByteArray(), {}, {}, s ? s->model : nullptr});
    tekuce = sacuvano = 0;
}

TIstorijaIzmena::TKraj TIstorijaIzmena::ZavrsiKorak(const QString& opis) {
    // The drawing belongs to the step: a junction's new holder and the
    // junction are undone together.
    if (NedovrsenaVezaUDokumentu(povrsina)) return TKraj::NijeGotov;
    std::optional<TSnimak> novi = Snimak(povrsina, &stanja[tekuce].tekst);
    if (!novi) return TKraj::NijeGotov;
    if (novi->tekst == stanja[tekuce].tekst) return TKraj::BezIzmene;
    stanja[tekuce].tekst = Sazmi(stanja[tekuce].tekst);
    stanja.resize(tekuce + 1);                       // redo is forgotten
    if (sacuvano > tekuce) sacuvano = NemaSacuvanog; // it was in the forgotten redo
    stanja.push_back(
        {std::move(novi->tekst), opis, PozicijeNivoa(povrsina), std::move(novi->model)});
    ++tekuce;
    if (stanja.size() > najvise) {
        stanja.erase(stanja.begin());
        --tekuce;
        sacuvano = sacuvano == 0 || sacuvano == NemaSacuvanog ? NemaSacuvanog : sacuvano - 1;
    }
    ZaboraviDaleke();
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
    std::shared_ptr<const skem::TModelDokumenta> model = stanja[indeks].model;
    if (!model) model = std::make_shared<const skem::TModelDokumenta>(skem::UcitajModel(tekst));
    PrimeniDokument(povrsina, *model, &stanja[std::max(indeks, tekuce)].nivo);
    stanja[tekuce].tekst = Sazmi(stanja[tekuce].tekst);
    stanja[indeks].tekst = tekst;
    stanja[indeks].model = std::move(model);
    tekuce = indeks;
    ZaboraviDaleke();
}

void TIstorijaIzmena::ZaboraviDaleke() {
    for (size_t i = 0; i < stanja.size(); ++i)
        if (i + 1 < tekuce || i > tekuce + 1) stanja[i].model.reset();
}

void TIstorijaIzmena::OznaciSacuvano() {
    // Saved in the middle of a drawing (a junction's new holder already
    // placed), the file may hold no kept state: then no undo leads back to it.
    // Otherwise the step has just ended, and the file holds the state kept last.
    bool drugo = false;
    if (NedovrsenaVezaUDokumentu(povrsina)) {
        const std::optional<TSnimak> s = Snimak(povrsina, &stanja[tekuce].tekst);
        drugo = !s || s->tekst != stanja[tekuce].tekst;
    }
    sacuvano = drugo ? NemaSacuvanog : tekuce;
}
