// The document's hierarchy flattened for a run. Every block that computes
// keeps its place in list order, a subsystem's content standing where the
// subsystem stands; subsystems and ports drop out, and an input is fed by
// the block found by following the connections through the ports: into a
// subsystem to the output port with the connection's number and on to what
// feeds it, out of a subsystem from an input port to what feeds the
// subsystem's slot with that number. The engine then sees a flat model,
// computed exactly as one drawn flat.

#include "ModelDokumenta.h"

#include "Brojevi.h"
#include "Serija.h"
#include "VrsteElemenata.h"

namespace skem {

namespace {

constexpr quint8 SifraPodsistema = SifraVrste(TVrstaElementa::Podsistem);
constexpr quint8 SifraUlaza = SifraVrste(TVrstaElementa::UlazPodsistema);
constexpr quint8 SifraIzlaza = SifraVrste(TVrstaElementa::IzlazPodsistema);

// One document of the hierarchy as it is flattened: the root's or a
// subsystem's content, once for every place it stands.
struct TNivoRavni {
    const TModelDokumenta* Model = nullptr;
    int Spoljni = -1;            // the level holding the subsystem; -1 for the root
    int BlokUSpoljnom = -1;      // that subsystem's position there
    std::vector<int> Putanja;    // the subsystem's path; empty for the root
    std::vector<int> Ravni;      // per block: its listed position, or -1
    std::vector<int> Deca;       // per block: its content's level, or -1
    std::vector<int> IzlazPorta; // output port k + 1 at IzlazPorta[k]
};

// A block of the flat list as the engine reads it.
class TRavanBlok : public TBlokPogled {
public:
    const TBlokModela* Blok = nullptr;
    const TBlokPogled* Izvori[3] = {nullptr, nullptr, nullptr};

    std::uint8_t SifraBloka() const override { return Blok->Sifra; }
    int LokalniBrojBloka() const override { return lokalniBroj; }
    double ParametarBloka(int k) const override {
        return k >= 1 && k <= 3 ? Blok->Parametar(k) : 0.0;
    }
    std::array<double, 11> OrdinateBloka() const override {
        return Blok->Ordinate ? *Blok->Ordinate
                              : PodrazumevaneOrdinate(Blok->Parametar1, Blok->Parametar2);
    }
    const TBlokPogled* IzvorUlazaBloka(int k) const override {
        return k >= 0 && k < 3 ? Izvori[k] : nullptr;
    }
    int lokalniBroj = 0;
};

class TRavnanje {
public:
    explicit TRavnanje(const TModelDokumenta& model) { Dodaj(model, -1, -1); }

    // imena: also the paths and the results' captions.
    TRavanModel Napravi(bool imena) {
        TRavanModel r;
        std::vector<TRavanBlok> pogledi(lista.size());
        // A flat document keeps its blocks' own numbers, whatever they are.
        const bool ravan = nivoi.size() == 1;
        for (size_t i = 0; i < lista.size(); ++i) {
            const TNivoRavni& n = nivoi[size_t(lista[i].first)];
            pogledi[i].Blok = &n.Model->Blokovi[size_t(lista[i].second)];
            pogledi[i].lokalniBroj = ravan ? pogledi[i].Blok->LokalniBroj : int(i) + 1;
        }
        for (size_t i = 0; i < lista.size(); ++i)
            for (int k = 0; k < 3; ++k) {
                const int izvor = IzvorSlota(lista[i].first, lista[i].second, k);
                pogledi[i].Izvori[k] = izvor < 0 ? nullptr : &pogledi[size_t(izvor)];
            }
        std::vector<const TBlokPogled*> spisak;
        std::vector<TOsobineKopije> osobine;
        spisak.reserve(lista.size());
        osobine.reserve(lista.size());
        for (const TRavanBlok& p : pogledi) {
            spisak.push_back(&p);
            osobine.push_back({p.Blok->brparam, p.Blok->Ordinate != nullptr});
        }
        r.Kopija = TKopijaModela(spisak, osobine);
        if (!imena) return r;
        r.Blokovi.reserve(lista.size());
        r.Putanje.reserve(lista.size());
        for (size_t i = 0; i < lista.size(); ++i) {
            const TNivoRavni& n = nivoi[size_t(lista[i].first)];
            const TBlokModela& b = *pogledi[i].Blok;
            std::vector<int> putanja = n.Putanja;
            putanja.push_back(b.LokalniBroj);
            std::string tekst;
            // A flat document keeps naming its blocks by number alone.
            if (nivoi.size() > 1) {
                tekst = PutanjaUTekst(putanja).toStdString();
                r.Kopija.PostaviPutanju(int(i), tekst);
            }
            r.Blokovi.push_back({b.LokalniBroj, b.Naziv.toStdString(), b.Sifra, tekst});
            r.Putanje.push_back(std::move(putanja));
        }
        return r;
    }

private:
    void Dodaj(const TModelDokumenta& model, int spoljni, int blok) {
        const int ja = int(nivoi.size());
        {
            TNivoRavni n;
            n.Model = &model;
            n.Spoljni = spoljni;
            if (spoljni >= 0) {
                const TNivoRavni& s = nivoi[size_t(spoljni)];
                n.BlokUSpoljnom = blok;
                n.Putanja = s.Putanja;
                n.Putanja.push_back(s.Model->Blokovi[size_t(blok)].LokalniBroj);
            }
            n.Ravni.assign(model.Blokovi.size(), -1);
            n.Deca.assign(model.Blokovi.size(), -1);
            nivoi.push_back(std::move(n));
        }
        ProveriPortove(ja);
        for (size_t i = 0; i < model.Blokovi.size(); ++i) {
            const TBlokModela& b = model.Blokovi[i];
            if (b.Sifra == SifraPodsistema) {
                if (!b.Podsistem) continue;
                nivoi[size_t(ja)].Deca[i] = int(nivoi.size());
                Dodaj(b.Podsistem->Sadrzaj, ja, int(i));
            } else if (b.Sifra != SifraUlaza && b.Sifra != SifraIzlaza) {
                nivoi[size_t(ja)].Ravni[i] = int(lista.size());
                lista.emplace_back(ja, int(i));
            }
        }
    }

    // A subsystem's ports numbered 1 .. n, each once; the output ports by number.
    void ProveriPortove(int nivo) {
        TNivoRavni& n = nivoi[size_t(nivo)];
        if (n.Spoljni < 0) return;
        for (const quint8 sifra : {SifraUlaza, SifraIzlaza}) {
            const std::vector<int> portovi = n.Model->Portovi(sifra);
            std::vector<int> mesto(portovi.size(), -1);
            for (int p : portovi) {
                const int broj = BrojPorta(n.Model->Blokovi[size_t(p)]);
                if (broj >= 1 && size_t(broj) <= mesto.size() && mesto[size_t(broj) - 1] < 0)
                    mesto[size_t(broj) - 1] = p;
            }
            for (size_t k = 0; k < mesto.size(); ++k)
                if (mesto[k] < 0)
                    throw TGreskaDokumenta(
                        QStringLiteral("%1 podsistema %2 nisu numerisani 1, 2, ... bez praznina: "
                                       "nedostaje %3 %4!")
                            .arg(sifra == SifraUlaza ? QStringLiteral("Ulazi")
                                                     : QStringLiteral("Izlazi"))
                            .arg(PutanjaUTekst(n.Putanja))
                            .arg(sifra == SifraUlaza ? QStringLiteral("ulaz")
                                                     : QStringLiteral("izlaz"))
                            .arg(k + 1));
            if (sifra == SifraIzlaza) n.IzlazPorta = std::move(mesto);
        }
    }

    // The listed position of what feeds slot k of block b of a level, or -1.
    int IzvorSlota(int nivo, int b, int k) {
        const TModelDokumenta* m = nivoi[size_t(nivo)].Model;
        const TBlokModela& blok = m->Blokovi[size_t(b)];
        if (k >= blok.BrojSlotova()) return -1;
        int v = blok.Ulaz(k);
        // Each turn moves one connection back; more turns than connections
        // and blocks in all means ports feed each other round a loop.
        for (size_t korak = 0;; ++korak) {
            if (v < 0) return -1;
            if (korak > lista.size() + 2 * nivoi.size() + 2)
                throw TGreskaDokumenta(QStringLiteral(
                    "Ulazi i izlazi podsistema su povezani u petlju bez ijednog bloka!"));
            const TVezaModela& c = m->Veze[size_t(v)];
            const TNivoRavni& n = nivoi[size_t(nivo)];
            const TBlokModela& izvor = m->Blokovi[size_t(c.PocBlok)];
            if (izvor.Sifra == SifraPodsistema) {
                // Into the subsystem: what feeds its output port.
                const int dete = n.Deca[size_t(c.PocBlok)];
                if (dete < 0) return -1;
                const TNivoRavni& d = nivoi[size_t(dete)];
                if (size_t(c.IzlazPocBloka) >= d.IzlazPorta.size()) return -1;
                nivo = dete;
                m = d.Model;
                v = m->Blokovi[size_t(d.IzlazPorta[size_t(c.IzlazPocBloka)])].Ulazi[0];
            } else if (izvor.Sifra == SifraUlaza) {
                // Out of the subsystem: what feeds its slot with the port's number.
                const int spoljni = n.Spoljni;
                if (spoljni < 0) return -1;
                const TBlokModela& podsistem =
                    nivoi[size_t(spoljni)].Model->Blokovi[size_t(n.BlokUSpoljnom)];
                const int slot = BrojPorta(izvor) - 1;
                nivo = spoljni;
                m = nivoi[size_t(nivo)].Model;
                v = slot >= 0 && slot < podsistem.BrojSlotova() ? podsistem.Ulaz(slot) : -1;
            } else if (izvor.Sifra == SifraIzlaza) {
                v = izvor.Ulazi[0];
            } else {
                return n.Ravni[size_t(c.PocBlok)];
            }
        }
    }

    std::vector<TNivoRavni> nivoi;
    std::vector<std::pair<int, int>> lista; // the listed blocks: level and position
};

} // namespace

int TRavanModel::Pozicija(const std::vector<int>& putanja) const {
    for (size_t i = 0; i < Putanje.size(); ++i)
        if (Putanje[i] == putanja) return int(i);
    return -1;
}

bool JeCiljPoPutanji(std::string_view cilj) {
    const auto tacka = cilj.find('.');
    if (tacka == std::string_view::npos || tacka + 1 >= cilj.size()) return false;
    const std::string_view putanja = cilj.substr(0, tacka), ostatak = cilj.substr(tacka + 1);
    if (putanja.find_first_not_of("0123456789/") != std::string_view::npos) return false;
    const bool parametar = (ostatak[0] == 'p' || ostatak[0] == 'o') && ostatak.size() > 1 &&
                           ostatak.find_first_not_of("0123456789", 1) == std::string_view::npos;
    return putanja.find('/') != std::string_view::npos || !parametar;
}

std::string NadjiCilj(const TModelDokumenta& model, const TRavanModel& ravan,
                      std::string_view tekst, TCiljIzmene& cilj, std::vector<int>* gde) {
    const auto tacka = tekst.find('.');
    const std::string_view deo = tacka == tekst.npos ? tekst : tekst.substr(0, tacka);
    const std::string_view ostatak =
        tacka == tekst.npos ? std::string_view() : tekst.substr(tacka + 1);
    std::vector<int> putanja;
    for (size_t od = 0; od <= deo.size();) {
        const size_t kraj = std::min(deo.find('/', od), deo.size());
        const std::string_view broj = deo.substr(od, kraj - od);
        std::int32_t b = 0;
        if (broj.empty() || broj.size() > 9 ||
            broj.find_first_not_of("0123456789") != std::string_view::npos || !ProcitajCeo(broj, b))
            return "ocekuje se N.pK (parametar K = 1..3 bloka N), N.oJ (ordinata J = 0..10 "
                   "generatora funkcija), putanja kao 3/2.p1 ili natpis parametra podsistema "
                   "kao 3.Masa.";
        putanja.push_back(b);
        od = kraj + 1;
    }
    if (ostatak.empty()) return "posle putanje bloka ocekuje se .pK, .oJ ili natpis.";
    const std::string ime = PutanjaUTekst(putanja).toStdString();
    const TBlokModela* blok = BlokNaPutanji(model, putanja);
    if (!blok)
        return putanja.size() == 1 ? "ne postoji blok sa lokalnim brojem " + ime + "."
                                   : "ne postoji blok " + ime + ".";
    TCiljIzmene kratki;
    if (ProcitajCilj("1." + std::string(ostatak), kratki)) {
        const int i = ravan.Pozicija(putanja);
        if (i < 0)
            return blok->JePodsistem()
                       ? "blok " + ime +
                             " je podsistem: parametar bloka u njemu zadaje se "
                             "putanjom (" +
                             ime + "/2.p1) ili natpisom (" + ime + ".Masa)."
                       : "blok " + ime + " je ulaz ili izlaz podsistema, nema parametre.";
        if (gde) *gde = putanja;
        cilj = TCiljIzmene{ravan.Kopija.Lista()[size_t(i)]->LokalniBrojBloka(), kratki.Ordinata,
                           kratki.Indeks,
                           ime + (kratki.Ordinata ? ".o" : ".p") + std::to_string(kratki.Indeks)};
        return {};
    }
    // A subsystem's parameter by its caption.
    if (!blok->JePodsistem())
        return "blok " + ime + " nije podsistem, nema parametar '" + std::string(ostatak) + "'.";
    const QString natpis = QString::fromUtf8(ostatak.data(), qsizetype(ostatak.size()));
    if (blok->Podsistem)
        for (const TParametarPodsistema& par : blok->Podsistem->Parametri) {
            if (par.Natpis != natpis) continue;
            std::vector<int> unutra = putanja;
            unutra.insert(unutra.end(), par.Blok.begin(), par.Blok.end());
            const int i = ravan.Pozicija(unutra);
            if (i < 0) break;
            if (gde) *gde = unutra;
            cilj = TCiljIzmene{ravan.Kopija.Lista()[size_t(i)]->LokalniBrojBloka(), false,
                               par.Parametar, std::string(tekst)};
            return {};
        }
    return "podsistem " + ime + " nema parametar '" + std::string(ostatak) + "'.";
}

TBlokModela* IzmenljivBlok(TModelDokumenta& model, const std::vector<int>& putanja) {
    TModelDokumenta* m = &model;
    TBlokModela* b = nullptr;
    for (size_t i = 0; i < putanja.size(); ++i) {
        if (b) {
            if (!b->JePodsistem() || !b->Podsistem) return nullptr;
            // Copies that share the content keep theirs.
            auto sopstveni = std::make_shared<TPodsistemModela>(*b->Podsistem);
            m = &sopstveni->Sadrzaj;
            b->Podsistem = std::move(sopstveni);
        }
        const int j = m->NadjiBlok(putanja[i]);
        if (j < 0) return nullptr;
        b = &m->Blokovi[size_t(j)];
    }
    return b;
}

TRavanModel RavanModel(const TModelDokumenta& model) {
    return TRavnanje(model).Napravi(true);
}

TKopijaModela KopijaIzModela(const TModelDokumenta& model) {
    return TRavnanje(model).Napravi(false).Kopija;
}

} // namespace skem
