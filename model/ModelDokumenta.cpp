#include "ModelDokumenta.h"

namespace skem {

int TModelDokumenta::NadjiBlok(int lokalniBroj) const {
    for (size_t i = 0; i < Blokovi.size(); ++i)
        if (Blokovi[i].LokalniBroj == lokalniBroj) return int(i);
    return -1;
}

int TModelDokumenta::IndeksUlaza(int v) const {
    const TBlokModela& kraj = Blokovi[size_t(Veze[size_t(v)].KrajBlok)];
    for (int k = 0; k < 3; ++k)
        if (kraj.Ulazi[size_t(k)] == v) return k;
    return -1;
}

int TModelDokumenta::IzvorUlaza(int b, int k) const {
    if (k < 0 || k > 2) return -1;
    const int v = Blokovi[size_t(b)].Ulazi[size_t(k)];
    return v < 0 ? -1 : Veze[size_t(v)].PocBlok;
}

namespace {

// A block of the model as the engine reads it.
class TPogledBloka : public TBlokPogled {
public:
    TPogledBloka(const TModelDokumenta& model, const std::vector<TPogledBloka>& svi, int indeks)
        : model(&model), svi(&svi), b(&model.Blokovi[size_t(indeks)]), indeks(indeks) {}

    std::uint8_t SifraBloka() const override { return b->Sifra; }
    int LokalniBrojBloka() const override { return b->LokalniBroj; }
    double ParametarBloka(int k) const override { return k >= 1 && k <= 3 ? b->Parametar(k) : 0.0; }
    std::array<double, 11> OrdinateBloka() const override {
        return b->Ordinate ? *b->Ordinate : PodrazumevaneOrdinate(b->Parametar1, b->Parametar2);
    }
    const TBlokPogled* IzvorUlazaBloka(int k) const override {
        const int izvor = model->IzvorUlaza(indeks, k);
        return izvor < 0 ? nullptr : &(*svi)[size_t(izvor)];
    }

private:
    const TModelDokumenta* model;
    const std::vector<TPogledBloka>* svi;
    const TBlokModela* b;
    int indeks;
};

} // namespace

TKopijaModela KopijaIzModela(const TModelDokumenta& model) {
    std::vector<TPogledBloka> pogledi;
    pogledi.reserve(model.Blokovi.size());
    for (size_t i = 0; i < model.Blokovi.size(); ++i)
        pogledi.emplace_back(model, pogledi, int(i));
    std::vector<const TBlokPogled*> lista;
    std::vector<TOsobineKopije> osobine;
    lista.reserve(pogledi.size());
    osobine.reserve(pogledi.size());
    for (size_t i = 0; i < pogledi.size(); ++i) {
        lista.push_back(&pogledi[i]);
        osobine.push_back({model.Blokovi[i].brparam, model.Blokovi[i].Ordinate != nullptr});
    }
    return TKopijaModela(lista, osobine);
}

} // namespace skem
