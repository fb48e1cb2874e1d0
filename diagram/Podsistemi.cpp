#include "Podsistemi.h"

#include "Dokument.h"
#include "Obavestenja.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"
#include "VrsteElemenata.h"

#include <QHash>
#include <algorithm>
#include <climits>
#include <functional>
#include <map>

namespace {

using skem::TBlokModela;
using skem::TModelDokumenta;
using skem::TPodsistemModela;
using skem::TVezaModela;
using skem::TVrstaElementa;

// Where a signal comes from: a block and, for a subsystem, its output.
struct TIzvor {
    int Blok = -1;
    int Izlaz = 0;
    bool operator<(const TIzvor& d) const {
        return std::pair(Blok, Izlaz) < std::pair(d.Blok, d.Izlaz);
    }
};

bool UlaznaVeza(const TModelDokumenta& m, int v) {
    const TVezaModela& c = m.Veze[size_t(v)];
    return c.KrajBlok >= 0 && c.GdeKrajBlok >= 0 && m.IndeksUlaza(v) == c.GdeKrajBlok;
}

// Copies connection trees of `iz` into `u`, each with a source of its own.
// A connection goes along when its end does (kraj: block of iz -> block of
// u, -1 when it stays behind), with its holders moved by `pomak`; a junction
// whose connection stays behind starts from the source as a connection of
// its own, keeping its holders and its junctions.
class TPrenosVeza {
public:
    TPrenosVeza(const TModelDokumenta& iz, TModelDokumenta& u, const std::vector<int>& kraj,
                QPoint pomak = {})
        : iz(iz), u(u), kraj(kraj), pomak(pomak) {}

    void Stablo(int v, TIzvor izvor) {
        std::vector<int> red{v};
        for (size_t i = 0; i < red.size(); ++i) {
            const int c = red[i];
            if (Ide(c)) {
                Prenesi(c, izvor, -1, -1, red);
            } else {
                for (const skem::TDrzacModela& h : iz.Veze[size_t(c)].Drzaci)
                    red.insert(red.end(), h.Junctions.begin(), h.Junctions.end());
            }
        }
    }

private:
    bool Ide(int v) const {
        const TVezaModela& c = iz.Veze[size_t(v)];
        return UlaznaVeza(iz, v) && kraj[size_t(c.KrajBlok)] >= 0;
    }

    int Prenesi(int v, TIzvor izvor, int roditelj, int drzac, std::vector<int>& sirocad) {
        const TVezaModela& c = iz.Veze[size_t(v)];
        const int nova = int(u.Veze.size());
        TVezaModela& k = u.Veze.emplace_back();
        k.PocBlok = izvor.Blok;
        k.IzlazPocBloka = izvor.Izlaz;
        k.KrajBlok = kraj[size_t(c.KrajBlok)];
        k.GdeKrajBlok = c.GdeKrajBlok;
        k.Roditelj = roditelj;
        k.DrzacRoditelja = drzac;
        u.Blokovi[size_t(k.KrajBlok)].PostaviUlaz(c.GdeKrajBlok, nova);
        for (size_t h = 0; h < c.Drzaci.size(); ++h) {
            u.Veze[size_t(nova)].Drzaci.push_back(
                {c.Drzaci[h].Left + pomak.x(), c.Drzaci[h].Top + pomak.y(), {}});
            for (int j : c.Drzaci[h].Junctions) {
                if (!Ide(j)) {
                    sirocad.push_back(j);
                    continue;
                }
                const int nj = Prenesi(j, izvor, nova, int(h), sirocad);
                u.Veze[size_t(nova)].Drzaci[h].Junctions.push_back(nj);
            }
        }
        return nova;
    }

    const TModelDokumenta& iz;
    TModelDokumenta& u;
    const std::vector<int>& kraj;
    QPoint pomak;
};

// Which sides of a border the ends of tree v reach.
void KrajeviStabla(const TModelDokumenta& m, int v, const std::vector<bool>& unutra, bool& uUnutra,
                   bool& uSpolja) {
    std::vector<int> red{v};
    for (size_t i = 0; i < red.size(); ++i) {
        const TVezaModela& c = m.Veze[size_t(red[i])];
        if (UlaznaVeza(m, red[i])) (unutra[size_t(c.KrajBlok)] ? uUnutra : uSpolja) = true;
        for (const skem::TDrzacModela& h : c.Drzaci)
            red.insert(red.end(), h.Junctions.begin(), h.Junctions.end());
    }
}

TBlokModela BezVeza(TBlokModela b) {
    b.Ulazi = {-1, -1, -1};
    b.DaljiUlazi.clear();
    return b;
}

void Prenumerisi(TModelDokumenta& m) {
    for (size_t i = 0; i < m.Blokovi.size(); ++i)
        m.Blokovi[i].LokalniBroj = int(i) + 1;
}

// A block's new path, listed only when it differs from its old number.
void Zapisi(skem::TPrenumeracija& r, int stari, std::vector<int> novi) {
    if (novi != std::vector<int>{stari}) r.Nove[{stari}] = std::move(novi);
}

// What belongs to the whole document stays with it when one level changes.
void Dokumentu(TModelDokumenta& r, const TModelDokumenta& m) {
    r.OpisProblema = m.OpisProblema;
    r.MetodIntegracije = m.MetodIntegracije;
    r.Merenja = m.Merenja;
    r.Laboratorija = m.Laboratorija;
}

// Room between a port and the blocks it serves.
constexpr int RazmakPorta = 44;
constexpr int KorakPortova = 70;

} // namespace

TBlokModela PortPodsistema(bool ulaz, int broj, const QString& ime) {
    TBlokModela p;
    p.Naziv = ulaz ? QStringLiteral("Ulaz podsistema") : QStringLiteral("Izlaz podsistema");
    p.Sifra =
        skem::SifraVrste(ulaz ? TVrstaElementa::UlazPodsistema : TVrstaElementa::IzlazPodsistema);
    p.brparam = 1;
    p.MaxUlaznihVeza = ulaz ? 0 : 1;
    const QString x = QStringLiteral("x");
    p.Natpisi = {QStringLiteral("Redni broj"), ime, x, ulaz ? x : QStringLiteral("Ulaz 1"), x, x};
    p.Parametar1 = broj;
    p.Smer = 3;
    return p;
}

void OsveziUlazePodsistema(TBlokModela& b) {
    if (!b.JePodsistem()) return;
    const std::vector<int> ulazi = skem::UlaziPodsistema(b);
    b.MaxUlaznihVeza = int(ulazi.size());
    for (int k = 0; k < 3; ++k)
        b.Natpisi[size_t(3 + k)] = QStringLiteral("x");
    for (int u : ulazi) {
        const TBlokModela& port = b.Podsistem->Sadrzaj.Blokovi[size_t(u)];
        const int broj = skem::BrojPorta(port);
        if (broj >= 1 && broj <= 3) b.Natpisi[size_t(2 + broj)] = skem::ImePorta(port);
    }
}

TModelDokumenta NapraviPodsistemUModelu(const TModelDokumenta& m, const std::vector<int>& izabrani,
                                        int* blok, skem::TPrenumeracija* prenumeracija) {
    const size_t n = m.Blokovi.size();
    std::vector<bool> unutra(n, false);
    QRect okvir;
    for (int i : izabrani) {
        unutra[size_t(i)] = true;
        const TBlokModela& b = m.Blokovi[size_t(i)];
        okvir |= QRect(b.Left, b.Top, TSKEMBlok::Sirina, TSKEMBlok::Visina);
    }
    auto sadrzaj = std::make_shared<TPodsistemModela>();
    TModelDokumenta& c = sadrzaj->Sadrzaj;
    TModelDokumenta r;
    Dokumentu(r, m);
    std::vector<int> uC(n, -1), uR(n, -1);
    int p = -1;
    for (size_t i = 0; i < n; ++i) {
        if (unutra[i]) {
            uC[i] = int(c.Blokovi.size());
            c.Blokovi.push_back(BezVeza(m.Blokovi[i]));
            if (p < 0) {
                p = int(r.Blokovi.size());
                r.Blokovi.emplace_back();
            }
        } else {
            uR[i] = int(r.Blokovi.size());
            r.Blokovi.push_back(BezVeza(m.Blokovi[i]));
        }
    }
    if (blok) *blok = p;
    if (p < 0) return m;

    // The signals that cross, numbered as they are met.
    std::map<TIzvor, int> ulaz, izlaz;
    std::vector<TIzvor> ulazi, izlazi;
    std::vector<int> koreni;
    for (size_t v = 0; v < m.Veze.size(); ++v) {
        const TVezaModela& veza = m.Veze[v];
        if (veza.JeJunction() || veza.PocBlok < 0) continue;
        koreni.push_back(int(v));
        bool uUnutra = false, uSpolja = false;
        KrajeviStabla(m, int(v), unutra, uUnutra, uSpolja);
        const TIzvor s{veza.PocBlok, veza.IzlazPocBloka};
        if (!unutra[size_t(s.Blok)] && uUnutra && !ulaz.count(s)) {
            ulaz[s] = int(ulazi.size());
            ulazi.push_back(s);
        }
        if (unutra[size_t(s.Blok)] && uSpolja && !izlaz.count(s)) {
            izlaz[s] = int(izlazi.size());
            izlazi.push_back(s);
        }
    }
    // The ports beside the content, which moves right when they would not fit.
    const int levo = okvir.left() - RazmakPorta - TSKEMBlok::Sirina;
    const QPoint pomak(ulazi.empty() ? 0 : std::max(0, 8 - levo), 0);
    for (TBlokModela& b : c.Blokovi) {
        b.Left += pomak.x();
        b.Top += pomak.y();
    }
    const int portovi = int(c.Blokovi.size());
    for (size_t j = 0; j < ulazi.size(); ++j) {
        TBlokModela port = PortPodsistema(true, int(j) + 1, QStringLiteral("u%1").arg(j + 1));
        port.Left = levo + pomak.x();
        port.Top = okvir.top() + int(j) * KorakPortova;
        c.Blokovi.push_back(port);
    }
    for (size_t k = 0; k < izlazi.size(); ++k) {
        TBlokModela port = PortPodsistema(false, int(k) + 1, QStringLiteral("y%1").arg(k + 1));
        port.Left = okvir.right() + 1 + RazmakPorta + pomak.x();
        port.Top = okvir.top() + int(k) * KorakPortova;
        c.Blokovi.push_back(port);
    }
    const int prviIzlaz = portovi + int(ulazi.size());

    TPrenosVeza unutrasnje(m, c, uC, pomak), spoljne(m, r, uR);
    for (int v : koreni) {
        const TIzvor s{m.Veze[size_t(v)].PocBlok, m.Veze[size_t(v)].IzlazPocBloka};
        if (unutra[size_t(s.Blok)]) {
            unutrasnje.Stablo(v, {uC[size_t(s.Blok)], s.Izlaz});
            if (izlaz.count(s)) spoljne.Stablo(v, {p, izlaz[s]});
        } else {
            spoljne.Stablo(v, {uR[size_t(s.Blok)], s.Izlaz});
            if (ulaz.count(s)) unutrasnje.Stablo(v, {portovi + ulaz[s], 0});
        }
    }
    // The port's own connections: into the subsystem and out of its content.
    for (size_t j = 0; j < ulazi.size(); ++j) {
        const int nova = int(r.Veze.size());
        r.Veze.push_back({uR[size_t(ulazi[j].Blok)], p, int(j), ulazi[j].Izlaz, -1, -1, {}});
        r.Blokovi[size_t(p)].PostaviUlaz(int(j), nova);
    }
    for (size_t k = 0; k < izlazi.size(); ++k) {
        const int nova = int(c.Veze.size());
        const int port = prviIzlaz + int(k);
        c.Veze.push_back({uC[size_t(izlazi[k].Blok)], port, 0, izlazi[k].Izlaz, -1, -1, {}});
        c.Blokovi[size_t(port)].PostaviUlaz(0, nova);
    }
    Prenumerisi(c);

    TBlokModela& pb = r.Blokovi[size_t(p)];
    pb.Naziv = QStringLiteral("Podsistem");
    pb.Sifra = skem::SifraVrste(TVrstaElementa::Podsistem);
    pb.Natpisi.fill(QStringLiteral("x"));
    pb.Left = okvir.left();
    pb.Top = okvir.top();
    pb.Smer = 3;
    pb.Podsistem = std::move(sadrzaj);
    OsveziUlazePodsistema(pb);
    Prenumerisi(r);
    if (prenumeracija) {
        prenumeracija->Nove.clear();
        for (size_t i = 0; i < n; ++i)
            Zapisi(*prenumeracija, m.Blokovi[i].LokalniBroj,
                   unutra[i]
                       ? std::vector<int>{pb.LokalniBroj, c.Blokovi[size_t(uC[i])].LokalniBroj}
                       : std::vector<int>{r.Blokovi[size_t(uR[i])].LokalniBroj});
    }
    return r;
}

TModelDokumenta RazbijPodsistemUModelu(const TModelDokumenta& m, int blok, int* prvi, int* broj,
                                       skem::TPrenumeracija* prenumeracija) {
    const TBlokModela& pb = m.Blokovi[size_t(blok)];
    static const TModelDokumenta prazan;
    const TModelDokumenta& c = pb.Podsistem ? pb.Podsistem->Sadrzaj : prazan;
    const quint8 ulazna = skem::SifraVrste(TVrstaElementa::UlazPodsistema);
    const quint8 izlazna = skem::SifraVrste(TVrstaElementa::IzlazPodsistema);
    const auto port = [&](const TBlokModela& b) { return b.Sifra == ulazna || b.Sifra == izlazna; };

    QPoint gore(INT_MAX, INT_MAX);
    for (const TBlokModela& b : c.Blokovi)
        if (!port(b)) gore = QPoint(std::min(gore.x(), b.Left), std::min(gore.y(), b.Top));
    const QPoint pomak = gore.x() == INT_MAX ? QPoint() : QPoint(pb.Left, pb.Top) - gore;

    TModelDokumenta r;
    Dokumentu(r, m);
    std::vector<int> uR(m.Blokovi.size(), -1), uC(c.Blokovi.size(), -1);
    for (size_t i = 0; i < m.Blokovi.size(); ++i) {
        if (int(i) == blok) {
            if (prvi) *prvi = int(r.Blokovi.size());
            for (size_t j = 0; j < c.Blokovi.size(); ++j)
                if (!port(c.Blokovi[j])) {
                    uC[j] = int(r.Blokovi.size());
                    TBlokModela b = BezVeza(c.Blokovi[j]);
                    b.Left += pomak.x();
                    b.Top += pomak.y();
                    r.Blokovi.push_back(std::move(b));
                }
            if (broj) *broj = int(r.Blokovi.size()) - (prvi ? *prvi : 0);
        } else {
            uR[i] = int(r.Blokovi.size());
            r.Blokovi.push_back(BezVeza(m.Blokovi[i]));
        }
    }

    // What feeds the subsystem's input slot k, and what its output port k
    // is fed by, each followed through the ports (a port may feed a port;
    // a loop of ports alone feeds nothing).
    std::function<TIzvor(int, int)> spolja, iznutra;
    spolja = [&](int k, int dubina) -> TIzvor {
        if (dubina > 2 * int(c.Blokovi.size()) + 2 || k < 0 || k >= pb.BrojSlotova()) return {};
        const int v = pb.Ulaz(k);
        if (v < 0) return {};
        const TVezaModela& veza = m.Veze[size_t(v)];
        if (veza.PocBlok == blok) return iznutra(veza.IzlazPocBloka + 1, dubina + 1);
        return {uR[size_t(veza.PocBlok)], veza.IzlazPocBloka};
    };
    iznutra = [&](int broj, int dubina) -> TIzvor {
        for (size_t j = 0; j < c.Blokovi.size(); ++j) {
            const TBlokModela& b = c.Blokovi[j];
            if (b.Sifra != izlazna || skem::BrojPorta(b) != broj) continue;
            const int v = b.Ulaz(0);
            if (v < 0) return {};
            const TVezaModela& veza = c.Veze[size_t(v)];
            const TBlokModela& izvor = c.Blokovi[size_t(veza.PocBlok)];
            if (izvor.Sifra == ulazna) return spolja(skem::BrojPorta(izvor) - 1, dubina + 1);
            return {uC[size_t(veza.PocBlok)], veza.IzlazPocBloka};
        }
        return {};
    };

    TPrenosVeza spoljne(m, r, uR), unutrasnje(c, r, uC, pomak);
    for (size_t v = 0; v < m.Veze.size(); ++v) {
        const TVezaModela& veza = m.Veze[v];
        if (veza.JeJunction() || veza.PocBlok < 0) continue;
        const TIzvor s = veza.PocBlok == blok
                             ? iznutra(veza.IzlazPocBloka + 1, 0)
                             : TIzvor{uR[size_t(veza.PocBlok)], veza.IzlazPocBloka};
        if (s.Blok >= 0) spoljne.Stablo(int(v), s);
    }
    for (size_t v = 0; v < c.Veze.size(); ++v) {
        const TVezaModela& veza = c.Veze[v];
        if (veza.JeJunction() || veza.PocBlok < 0) continue;
        const TBlokModela& izvor = c.Blokovi[size_t(veza.PocBlok)];
        const TIzvor s = izvor.Sifra == ulazna
                             ? spolja(skem::BrojPorta(izvor) - 1, 0)
                             : TIzvor{uC[size_t(veza.PocBlok)], veza.IzlazPocBloka};
        if (s.Blok >= 0) unutrasnje.Stablo(int(v), s);
    }
    Prenumerisi(r);
    if (prenumeracija) {
        // The subsystem goes; what was in it comes up, its ports go too.
        prenumeracija->Nove.clear();
        prenumeracija->Nove[{pb.LokalniBroj}] = {};
        for (size_t i = 0; i < m.Blokovi.size(); ++i)
            if (uR[i] >= 0)
                Zapisi(*prenumeracija, m.Blokovi[i].LokalniBroj,
                       {r.Blokovi[size_t(uR[i])].LokalniBroj});
        for (size_t j = 0; j < c.Blokovi.size(); ++j)
            if (uC[j] >= 0)
                prenumeracija->Nove[{pb.LokalniBroj, c.Blokovi[j].LokalniBroj}] = {
                    r.Blokovi[size_t(uC[j])].LokalniBroj};
    }
    return r;
}

// ---- levels ----

namespace {

// m written into its parent level as the opened subsystem's content.
TModelDokumenta Upisi(TModelDokumenta m, const TNivoPovrsine& nivo) {
    TModelDokumenta gore = nivo.Model;
    TBlokModela& b = gore.Blokovi[size_t(nivo.Blok)];
    auto novi = std::make_shared<TPodsistemModela>();
    if (b.Podsistem) {
        novi->Parametri = b.Podsistem->Parametri;
        m.OpisProblema = b.Podsistem->Sadrzaj.OpisProblema;
    } else {
        m.OpisProblema.clear();
    }
    // The method, the measurements and the lab belong to the whole document only.
    m.MetodIntegracije.reset();
    m.Merenja.clear();
    m.Laboratorija = {};
    novi->Sadrzaj = std::move(m);
    b.Podsistem = std::move(novi);
    OsveziUlazePodsistema(b);
    return gore;
}

// The surface rebuilt as `model` at the levels `nivoi`, the document's
// description, integration method and lab settings kept (a level's model
// has none of them); nothing of it counts as a change.
void PostaviNivo(TSKEMRadnaPovrsina& p, std::vector<TNivoPovrsine> nivoi,
                 const TModelDokumenta& model, bool primeni) {
    const QString opis = p.OpisProblema;
    const auto metod = p.MetodIntegracije;
    const auto laboratorija = p.Laboratorija;
    const auto promena = std::exchange(p.OnChange, nullptr);
    const auto brisanje = std::exchange(p.OnBrisiBlok, nullptr);
    const auto vrati = [&] {
        p.OnChange = promena;
        p.OnBrisiBlok = brisanje;
        p.Nivoi = std::move(nivoi);
        p.OpisProblema = opis;
        p.MetodIntegracije = metod;
        p.Laboratorija = laboratorija;
    };
    try {
        if (primeni)
            PrimeniModel(p, model);
        else
            PostaviModel(p, model);
    } catch (...) {
        vrati();
        throw;
    }
    vrati();
    Javi(p.OnBrisiBlok, &p); // the block list is another one
}

} // namespace

TModelDokumenta ModelDokumenta(const TSKEMRadnaPovrsina& povrsina) {
    TModelDokumenta m = ModelPovrsine(povrsina).Model;
    for (size_t i = povrsina.Nivoi.size(); i-- > 0;)
        m = Upisi(std::move(m), povrsina.Nivoi[i]);
    m.OpisProblema = povrsina.OpisProblema;
    m.MetodIntegracije = povrsina.MetodIntegracije;
    m.Laboratorija = povrsina.Laboratorija;
    return m;
}

int DubinaNivoa(const TSKEMRadnaPovrsina& povrsina) {
    return int(povrsina.Nivoi.size());
}

std::vector<int> PutanjaNivoa(const TSKEMRadnaPovrsina& povrsina) {
    std::vector<int> r;
    for (const TNivoPovrsine& n : povrsina.Nivoi)
        r.push_back(n.Model.Blokovi[size_t(n.Blok)].LokalniBroj);
    return r;
}

QStringList NaziviNivoa(const TSKEMRadnaPovrsina& povrsina) {
    QStringList r{QStringLiteral("Model")};
    for (const TNivoPovrsine& n : povrsina.Nivoi) {
        const TBlokModela& b = n.Model.Blokovi[size_t(n.Blok)];
        r << QStringLiteral("%1 %2").arg(b.Naziv).arg(b.LokalniBroj);
    }
    return r;
}

void OtvoriPodsistem(TSKEMRadnaPovrsina& povrsina, TSKEMBlok* b) {
    if (!b || !povrsina.Blokovi().contains(b) ||
        skem::VrstaIzSifre(b->Sifra) != TVrstaElementa::Podsistem)
        return;
    povrsina.OtkaziVezu();
    TModelPovrsine mp = ModelPovrsine(povrsina);
    const auto it = std::find(mp.Blokovi.begin(), mp.Blokovi.end(), b);
    std::vector<TNivoPovrsine> nivoi = std::move(povrsina.Nivoi);
    nivoi.push_back({std::move(mp.Model), int(it - mp.Blokovi.begin()), povrsina.PozicijaSkrola});
    static const TModelDokumenta prazan;
    // The content's model outlives the rebuild: the block goes with the level.
    const std::shared_ptr<const TPodsistemModela> sadrzaj = b->Podsistem;
    PostaviNivo(povrsina, std::move(nivoi), sadrzaj ? sadrzaj->Sadrzaj : prazan, false);
}

void IdiNaNivo(TSKEMRadnaPovrsina& povrsina, int dubina) {
    if (dubina < 0 || dubina >= DubinaNivoa(povrsina)) return;
    povrsina.OtkaziVezu();
    TModelDokumenta m = ModelPovrsine(povrsina).Model;
    std::vector<TNivoPovrsine> nivoi = std::move(povrsina.Nivoi);
    int blok = -1;
    QPoint skrol;
    while (int(nivoi.size()) > dubina) {
        m = Upisi(std::move(m), nivoi.back());
        blok = nivoi.back().Blok;
        skrol = nivoi.back().Skrol;
        nivoi.pop_back();
    }
    PostaviNivo(povrsina, std::move(nivoi), m, false);
    povrsina.PozicijaSkrola = skrol;
    const QList<TSKEMBlok*> blokovi = povrsina.Blokovi();
    if (blok >= 0 && blok < blokovi.size()) povrsina.IzaberiBlokove({blokovi[blok]});
}

std::vector<int> PozicijeNivoa(const TSKEMRadnaPovrsina& povrsina) {
    std::vector<int> r;
    r.reserve(povrsina.Nivoi.size());
    for (const TNivoPovrsine& n : povrsina.Nivoi)
        r.push_back(n.Blok);
    return r;
}

void PrimeniDokument(TSKEMRadnaPovrsina& povrsina, const TModelDokumenta& model,
                     const std::vector<int>* trazeni) {
    const std::vector<int> prikazan = PozicijeNivoa(povrsina);
    const std::vector<int>& put = trazeni ? *trazeni : prikazan;
    std::vector<TNivoPovrsine> nivoi = std::move(povrsina.Nivoi);
    // The levels on the way that the document still has; a level also
    // prikazan before keeps where its view was scrolled.
    const TModelDokumenta* m = &model;
    size_t d = 0;
    for (; d < put.size(); ++d) {
        const int b = put[d];
        if (b < 0 || b >= int(m->Blokovi.size()) || !m->Blokovi[size_t(b)].JePodsistem() ||
            !m->Blokovi[size_t(b)].Podsistem)
            break;
        const bool biloJe = d < nivoi.size() && nivoi[d].Blok == b;
        if (!biloJe) nivoi.resize(d);
        if (d == nivoi.size()) nivoi.push_back({{}, b, QPoint()});
        nivoi[d].Model = *m;
        m = &m->Blokovi[size_t(b)].Podsistem->Sadrzaj;
    }
    // Rebuilt in place only when the surface keeps its level.
    const bool isti =
        d == prikazan.size() && std::equal(prikazan.begin(), prikazan.end(), put.begin());
    nivoi.resize(d);
    TModelDokumenta nivo = *m;
    nivo.OpisProblema = model.OpisProblema;
    povrsina.OpisProblema = model.OpisProblema;
    povrsina.MetodIntegracije = model.MetodIntegracije;
    povrsina.Laboratorija = model.Laboratorija;
    PostaviNivo(povrsina, std::move(nivoi), nivo, isti);
}

bool NapraviPodsistem(TSKEMRadnaPovrsina& povrsina) {
    povrsina.OtkaziVezu();
    const QList<TSKEMBlok*> izabrani = povrsina.IzabraniBlokovi();
    if (izabrani.isEmpty()) return false;
    const TModelPovrsine mp = ModelPovrsine(povrsina);
    std::vector<int> pozicije;
    for (size_t i = 0; i < mp.Blokovi.size(); ++i)
        if (izabrani.contains(mp.Blokovi[i])) pozicije.push_back(int(i));
    int blok = -1;
    skem::TPrenumeracija prenumeracija;
    const TModelDokumenta novi = NapraviPodsistemUModelu(mp.Model, pozicije, &blok, &prenumeracija);
    std::vector<TNivoPovrsine> nivoi = std::move(povrsina.Nivoi);
    PrimeniModel(povrsina, novi);
    povrsina.Nivoi = std::move(nivoi);
    PrenumerisiReference(povrsina, prenumeracija);
    povrsina.IzaberiBlokove({povrsina.Blokovi()[blok]});
    povrsina.OpisiKorak(QStringLiteral("pravljenje podsistema %1").arg(blok + 1));
    Javi(povrsina.OnChange, &povrsina);
    Javi(povrsina.OnBrisiBlok, &povrsina);
    return true;
}

bool RazbijPodsistem(TSKEMRadnaPovrsina& povrsina, TSKEMBlok* b) {
    if (!b || skem::VrstaIzSifre(b->Sifra) != TVrstaElementa::Podsistem) return false;
    povrsina.OtkaziVezu();
    const TModelPovrsine mp = ModelPovrsine(povrsina);
    const auto it = std::find(mp.Blokovi.begin(), mp.Blokovi.end(), b);
    if (it == mp.Blokovi.end()) return false;
    const int blok = int(it - mp.Blokovi.begin());
    int prvi = 0, broj = 0;
    skem::TPrenumeracija prenumeracija;
    const TModelDokumenta novi =
        RazbijPodsistemUModelu(mp.Model, blok, &prvi, &broj, &prenumeracija);
    std::vector<TNivoPovrsine> nivoi = std::move(povrsina.Nivoi);
    PrimeniModel(povrsina, novi);
    povrsina.Nivoi = std::move(nivoi);
    PrenumerisiReference(povrsina, prenumeracija);
    const QList<TSKEMBlok*> blokovi = povrsina.Blokovi();
    povrsina.IzaberiBlokove(blokovi.mid(prvi, broj));
    povrsina.OpisiKorak(QStringLiteral("razbijanje podsistema %1").arg(blok + 1));
    Javi(povrsina.OnChange, &povrsina);
    Javi(povrsina.OnBrisiBlok, &povrsina);
    return true;
}

void PrenumerisiReference(TSKEMRadnaPovrsina& povrsina, const skem::TPrenumeracija& r) {
    if (r.Prazna()) return;
    const std::vector<int> nivo = PutanjaNivoa(povrsina);
    skem::PrenumerisiLaboratoriju(povrsina.Laboratorija, nivo, r);
    // The levels above keep the shown parameters of the subsystems opened on the way.
    for (size_t d = 0; d < povrsina.Nivoi.size(); ++d) {
        TBlokModela& b = povrsina.Nivoi[d].Model.Blokovi[size_t(povrsina.Nivoi[d].Blok)];
        if (!b.Podsistem || b.Podsistem->Parametri.empty()) continue;
        std::vector<skem::TParametarPodsistema> parametri = b.Podsistem->Parametri;
        const std::vector<int> ispod(nivo.begin() + std::ptrdiff_t(d) + 1, nivo.end());
        if (!skem::PrenumerisiParametre(parametri, ispod, r)) continue;
        auto novi = std::make_shared<TPodsistemModela>(*b.Podsistem);
        novi->Parametri = std::move(parametri);
        b.Podsistem = std::move(novi);
    }
}
