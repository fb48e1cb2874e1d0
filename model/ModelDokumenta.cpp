#include "ModelDokumenta.h"

#include "VrsteElemenata.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace skem {

bool TBlokModela::JePodsistem() const {
    return VrstaIzSifre(Sifra) == TVrstaElementa::Podsistem;
}

void TBlokModela::PostaviUlaz(int k, int veza) {
    if (k < 3) {
        Ulazi[size_t(k)] = veza;
        return;
    }
    if (size_t(k) - 3 >= DaljiUlazi.size()) DaljiUlazi.resize(size_t(k) - 2, -1);
    DaljiUlazi[size_t(k) - 3] = veza;
}

int BrojPorta(const TBlokModela& port) {
    const double p = port.Parametar1;
    // Anything but a whole number from 1 on numbers no port.
    return p >= 1 && p <= 1e9 && p == std::floor(p) ? int(p) : 0;
}

const QString& ImePorta(const TBlokModela& port) {
    return port.Natpisi[NatpisImenaPorta];
}

std::vector<int> TModelDokumenta::Portovi(quint8 sifra) const {
    std::vector<int> r;
    for (size_t i = 0; i < Blokovi.size(); ++i)
        if (Blokovi[i].Sifra == sifra) r.push_back(int(i));
    return r;
}

std::vector<int> UlaziPodsistema(const TBlokModela& podsistem) {
    if (!podsistem.Podsistem) return {};
    return podsistem.Podsistem->Sadrzaj.Portovi(SifraVrste(TVrstaElementa::UlazPodsistema));
}

std::vector<int> IzlaziPodsistema(const TBlokModela& podsistem) {
    if (!podsistem.Podsistem) return {};
    return podsistem.Podsistem->Sadrzaj.Portovi(SifraVrste(TVrstaElementa::IzlazPodsistema));
}

const TBlokModela* BlokNaPutanji(const TModelDokumenta& model, const std::vector<int>& putanja) {
    const TModelDokumenta* m = &model;
    const TBlokModela* b = nullptr;
    for (size_t i = 0; i < putanja.size(); ++i) {
        if (b) {
            if (!b->JePodsistem() || !b->Podsistem) return nullptr;
            m = &b->Podsistem->Sadrzaj;
        }
        const int j = m->NadjiBlok(putanja[i]);
        if (j < 0) return nullptr;
        b = &m->Blokovi[size_t(j)];
    }
    return b;
}

QString PutanjaUTekst(const std::vector<int>& putanja) {
    QString t;
    for (int broj : putanja) {
        if (!t.isEmpty()) t += QLatin1Char('/');
        t += QString::number(broj);
    }
    return t;
}

std::optional<std::vector<int>> PutanjaIzTeksta(QStringView tekst) {
    std::vector<int> putanja;
    for (QStringView deo : tekst.split(QLatin1Char('/'))) {
        bool ok = false;
        const int broj = deo.toInt(&ok);
        if (!ok || broj < 1) return std::nullopt;
        putanja.push_back(broj);
    }
    return putanja;
}

bool PrenumerisiPutanju(std::vector<int>& putanja, const std::vector<int>& nivo,
                        const TPrenumeracija& r) {
    if (putanja.size() <= nivo.size() || !std::equal(nivo.begin(), nivo.end(), putanja.begin()))
        return true;
    const auto ispod = putanja.begin() + std::ptrdiff_t(nivo.size());
    for (auto kraj = putanja.end(); kraj != ispod; --kraj) {
        const auto i = r.Nove.find(std::vector<int>(ispod, kraj));
        if (i == r.Nove.end()) continue;
        if (i->second.empty()) return false;
        std::vector<int> nova(putanja.begin(), ispod);
        nova.insert(nova.end(), i->second.begin(), i->second.end());
        nova.insert(nova.end(), kraj, putanja.end());
        putanja = std::move(nova);
        return true;
    }
    return true;
}

namespace {

// The entries of v whose block path `putanja(e)` is renumbered, those whose
// block is gone left out; whether any changed.
template <class T, class F>
bool PrenumerisiSve(std::vector<T>& v, const std::vector<int>& nivo, const TPrenumeracija& r,
                    F putanja) {
    bool promena = false;
    std::vector<T> ostaju;
    ostaju.reserve(v.size());
    for (T& e : v) {
        std::vector<int>& p = putanja(e);
        const std::vector<int> stara = p;
        if (!PrenumerisiPutanju(p, nivo, r)) {
            promena = true;
            continue;
        }
        promena = promena || p != stara;
        ostaju.push_back(std::move(e));
    }
    v = std::move(ostaju);
    return promena;
}

} // namespace

void PrenumerisiLaboratoriju(TLaboratorijaModela& l, const std::vector<int>& nivo,
                             const TPrenumeracija& r) {
    PrenumerisiSve(l.Praceni, nivo, r, [](std::vector<int>& p) -> std::vector<int>& { return p; });
    PrenumerisiSve(l.Klizaci, nivo, r,
                   [](TKlizacModela& k) -> std::vector<int>& { return k.Blok; });
}

bool PrenumerisiParametre(std::vector<TParametarPodsistema>& parametri,
                          const std::vector<int>& nivo, const TPrenumeracija& r) {
    return PrenumerisiSve(parametri, nivo, r,
                          [](TParametarPodsistema& p) -> std::vector<int>& { return p.Blok; });
}

void PrenumerisiReference(TModelDokumenta& model, const std::vector<int>& nivo,
                          const TPrenumeracija& r) {
    if (r.Prazna()) return;
    PrenumerisiLaboratoriju(model.Laboratorija, nivo, r);
    // Each subsystem on the way to the level: its paths start inside it.
    for (size_t k = 1; k <= nivo.size(); ++k) {
        const std::vector<int> podsistem(nivo.begin(), nivo.begin() + std::ptrdiff_t(k));
        const TBlokModela* b = BlokNaPutanji(model, podsistem);
        if (!b || !b->Podsistem || b->Podsistem->Parametri.empty()) continue;
        std::vector<TParametarPodsistema> parametri = b->Podsistem->Parametri;
        const std::vector<int> ispod(nivo.begin() + std::ptrdiff_t(k), nivo.end());
        if (!PrenumerisiParametre(parametri, ispod, r)) continue;
        TBlokModela* izmenljiv = IzmenljivBlok(model, podsistem);
        auto novi = std::make_shared<TPodsistemModela>(*izmenljiv->Podsistem);
        novi->Parametri = std::move(parametri);
        izmenljiv->Podsistem = std::move(novi);
    }
}

int TModelDokumenta::NadjiBlok(int lokalniBroj) const {
    for (size_t i = 0; i < Blokovi.size(); ++i)
        if (Blokovi[i].LokalniBroj == lokalniBroj) return int(i);
    return -1;
}

int TModelDokumenta::IndeksUlaza(int v) const {
    const TBlokModela& kraj = Blokovi[size_t(Veze[size_t(v)].KrajBlok)];
    for (int k = 0; k < kraj.BrojSlotova(); ++k)
        if (kraj.Ulaz(k) == v) return k;
    return -1;
}

int TModelDokumenta::IzvorUlaza(int b, int k) const {
    if (k < 0 || k >= Blokovi[size_t(b)].BrojSlotova()) return -1;
    const int v = Blokovi[size_t(b)].Ulaz(k);
    return v < 0 ? -1 : Veze[size_t(v)].PocBlok;
}

} // namespace skem
