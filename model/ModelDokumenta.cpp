#include "ModelDokumenta.h"

#include "VrsteElemenata.h"

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
