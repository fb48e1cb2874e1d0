#include "KopijaModela.h"

#include "VrsteElemenata.h"

#include <unordered_map>

namespace skem {

double TKopijaBloka::ParametarBloka(int k) const {
    return k >= 1 && k <= 3 ? Parametri[static_cast<std::size_t>(k) - 1] : 0.0;
}

std::array<double, 11> TKopijaBloka::OrdinateBloka() const {
    return Ordinate ? *Ordinate : PodrazumevaneOrdinate(Parametri[0], Parametri[1]);
}

const TBlokPogled* TKopijaBloka::IzvorUlazaBloka(int k) const {
    if (k < 0 || k > 2 || !skup) return nullptr;
    const int i = Izvori[static_cast<std::size_t>(k)];
    return i < 0 ? nullptr : &(*skup)[static_cast<std::size_t>(i)];
}

std::string TCiljIzmene::Naziv() const {
    if (!Ime.empty()) return Ime;
    return std::to_string(Blok) + (Ordinata ? ".o" : ".p") + std::to_string(Indeks);
}

TKopijaModela::TKopijaModela(const std::vector<const TBlokPogled*>& pogledi,
                             const std::vector<TOsobineKopije>& osobine)
    : listanih(pogledi.size()) {
    std::unordered_map<const TBlokPogled*, int> pozicija;
    std::vector<const TBlokPogled*> izvori(pogledi);
    for (std::size_t i = 0; i < pogledi.size(); ++i)
        pozicija.emplace(pogledi[i], static_cast<int>(i));
    // A source outside the list still needs its kind and number.
    for (std::size_t i = 0; i < izvori.size(); ++i)
        for (int k = 0; k < 3; ++k)
            if (const TBlokPogled* izvor = izvori[i]->IzvorUlazaBloka(k);
                izvor && pozicija.emplace(izvor, static_cast<int>(izvori.size())).second)
                izvori.push_back(izvor);

    blokovi.resize(izvori.size());
    for (std::size_t i = 0; i < izvori.size(); ++i) {
        const TBlokPogled& p = *izvori[i];
        TKopijaBloka& b = blokovi[i];
        b.Sifra = p.SifraBloka();
        b.LokalniBroj = p.LokalniBrojBloka();
        const TOsobineKopije o = i < osobine.size() ? osobine[i] : TOsobineKopije{};
        b.BrojParametara = o.BrojParametara;
        for (int k = 1; k <= 3; ++k)
            b.Parametri[static_cast<std::size_t>(k) - 1] = p.ParametarBloka(k);
        if (VrstaIzSifre(b.Sifra) == TVrstaElementa::GeneratorFunkcija && o.VlastiteOrdinate)
            b.Ordinate = p.OrdinateBloka();
        for (int k = 0; k < 3; ++k) {
            const TBlokPogled* izvor = p.IzvorUlazaBloka(k);
            b.Izvori[static_cast<std::size_t>(k)] = izvor ? pozicija.at(izvor) : -1;
        }
    }
    PoveziSkup();
}

TKopijaModela::TKopijaModela(const TKopijaModela& druga)
    : blokovi(druga.blokovi), listanih(druga.listanih) {
    PoveziSkup();
}

TKopijaModela& TKopijaModela::operator=(const TKopijaModela& druga) {
    blokovi = druga.blokovi;
    listanih = druga.listanih;
    PoveziSkup();
    return *this;
}

void TKopijaModela::PoveziSkup() {
    for (TKopijaBloka& b : blokovi)
        b.skup = &blokovi;
}

std::vector<const TBlokPogled*> TKopijaModela::Lista() const {
    std::vector<const TBlokPogled*> lista;
    lista.reserve(listanih);
    for (std::size_t i = 0; i < listanih; ++i)
        lista.push_back(&blokovi[i]);
    return lista;
}

int TKopijaModela::Pozicija(int lokalniBroj) const {
    for (std::size_t i = 0; i < listanih; ++i)
        if (blokovi[i].LokalniBroj == lokalniBroj) return static_cast<int>(i);
    return -1;
}

std::string TKopijaModela::ProveriCilj(const TCiljIzmene& cilj) const {
    const int i = Pozicija(cilj.Blok);
    const std::string broj = std::to_string(cilj.Blok);
    if (i < 0) return "ne postoji blok sa lokalnim brojem " + broj + ".";
    const TKopijaBloka* b = &blokovi[static_cast<std::size_t>(i)];
    const std::string ime = b->OznakaBloka();
    if (cilj.Ordinata) {
        if (VrstaIzSifre(b->Sifra) != TVrstaElementa::GeneratorFunkcija)
            return "blok " + ime + " nije generator funkcija, nema ordinate.";
        if (cilj.Indeks < 0 || cilj.Indeks > 10) return "generator funkcija ima ordinate 0 do 10.";
        return {};
    }
    if (cilj.Indeks < 1 || cilj.Indeks > b->BrojParametara)
        return "blok " + ime + " nema parametar " + std::to_string(cilj.Indeks) + ".";
    return {};
}

void TKopijaModela::Postavi(const TCiljIzmene& cilj, double vrednost) {
    const int i = Pozicija(cilj.Blok);
    if (i < 0) return;
    TKopijaBloka* b = &blokovi[static_cast<std::size_t>(i)];
    if (cilj.Ordinata) {
        if (!b->Ordinate) b->Ordinate = b->OrdinateBloka();
        (*b->Ordinate)[static_cast<std::size_t>(cilj.Indeks)] = vrednost;
    } else {
        b->Parametri[static_cast<std::size_t>(cilj.Indeks) - 1] = vrednost;
    }
}

} // namespace skem
