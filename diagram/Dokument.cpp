#include "Dokument.h"

#include "Obavestenja.h"
#include "Podsistemi.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"
#include "unDrzac.h"
#include "unVeza.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <cmath>

namespace {

using skem::TBlokModela;
using skem::TDrzacModela;
using skem::TModelDokumenta;
using skem::TVezaModela;

// ---- the workspace as a model ----

class TPisacPovrsine {
public:
    explicit TPisacPovrsine(const TSKEMRadnaPovrsina& p) : povrsina(p) {}

    TModelPovrsine Pisi() {
        TModelDokumenta& m = r.Model;
        m.OpisProblema = povrsina.OpisProblema;
        m.MetodIntegracije = povrsina.MetodIntegracije;
        m.Laboratorija = povrsina.Laboratorija;
        const QList<TSKEMBlok*> blokovi = povrsina.Blokovi();
        m.Blokovi.reserve(size_t(blokovi.size()));
        r.Blokovi.reserve(size_t(blokovi.size()));
        indeksBloka.reserve(blokovi.size());
        for (TSKEMBlok* b : blokovi) {
            indeksBloka.insert(b, int(m.Blokovi.size()));
            r.Blokovi.push_back(b);
            TBlokModela& mb = m.Blokovi.emplace_back();
            mb.Naziv = b->Naziv;
            mb.Natpisi = b->Natpisi;
            mb.Parametar1 = b->Parametar1;
            mb.Parametar2 = b->Parametar2;
            mb.Parametar3 = b->Parametar3;
            if (b->Ordinate)
                mb.Ordinate = std::make_shared<const std::array<double, 11>>(*b->Ordinate);
            mb.Left = b->Left();
            mb.Top = b->Top();
            mb.LokalniBroj = b->LokalniBroj();
            mb.MaxUlaznihVeza = b->MaxUlaznihVeza;
            mb.Sifra = b->Sifra;
            mb.brparam = b->brparam;
            mb.Smer = b->Smer;
            mb.Podsistem = b->Podsistem;
        }
        m.Veze.reserve(size_t(povrsina.Veze.size()));
        for (const TVeza* c : povrsina.Veze)
            if (!c->JeJunction && c != povrsina.VezaUIzradi) Vezi(c, -1, -1, 0);
        // Each input slot names the connection in it, when that one is written.
        for (size_t i = 0; i < size_t(blokovi.size()); ++i) {
            const TSKEMBlok* b = blokovi[qsizetype(i)];
            for (int k = 0; k < b->BrojSlotova(); ++k)
                if (const TVeza* u = k < 3 ? b->Ulazi[size_t(k)] : b->DaljiUlazi[k - 3])
                    m.Blokovi[i].PostaviUlaz(k, indeksVeze.value(u, -1));
        }
        return std::move(r);
    }

private:
    int Blok(const TSKEMBlok* b) const { return b ? indeksBloka.value(b, -1) : -1; }

    void Vezi(const TVeza* c, int roditelj, int drzac, int dubina) {
        const int v = int(r.Model.Veze.size());
        indeksVeze.insert(c, v);
        r.Veze.push_back(const_cast<TVeza*>(c));
        TVezaModela& mv = r.Model.Veze.emplace_back();
        mv.PocBlok = Blok(c->PocBlok);
        mv.KrajBlok = Blok(c->KrajBlok);
        mv.GdeKrajBlok = c->KrajBlok ? c->KrajBlok->IndeksUlaza(c) : -1;
        mv.IzlazPocBloka = c->IzlazPocBloka;
        mv.Roditelj = roditelj;
        mv.DrzacRoditelja = drzac;
        mv.Drzaci.reserve(size_t(c->Drzaci.size()));
        for (const TDrzac* h : c->Drzaci)
            r.Model.Veze[size_t(v)].Drzaci.push_back({h->Left(), h->Top(), {}});
        // One level past the limit is kept: writing refuses it there.
        if (dubina > MaksDubinaJunctiona) return;
        for (qsizetype i = 0; i < c->Drzaci.size(); ++i)
            for (const TVeza* j : c->Drzaci[i]->Junctions) {
                if (j == povrsina.VezaUIzradi) continue;
                const int jv = int(r.Model.Veze.size());
                Vezi(j, v, int(i), dubina + 1);
                r.Model.Veze[size_t(v)].Drzaci[size_t(i)].Junctions.push_back(jv);
            }
    }

    const TSKEMRadnaPovrsina& povrsina;
    TModelPovrsine r;
    QHash<const TSKEMBlok*, int> indeksBloka;
    QHash<const TVeza*, int> indeksVeze;
};

// ---- the model on the workspace ----

// Makes blocks and connections of a model on the workspace, as drawn ones
// are made; Blokovi[i] and Veze[v] are what stands for the model's entries.
class TGraditelj {
public:
    TGraditelj(TSKEMRadnaPovrsina& p, const TModelDokumenta& m)
        : povrsina(p), model(m), Blokovi(m.Blokovi.size(), nullptr), Veze(m.Veze.size(), nullptr) {}

    static void Postavi(TSKEMBlok& b, const TBlokModela& mb) {
        b.PostaviPoziciju(mb.Left, mb.Top);
        b.Sifra = mb.Sifra;
        b.Naziv = mb.Naziv;
        b.SetLokalniBroj(mb.LokalniBroj);
        b.brparam = mb.brparam;
        b.Natpisi = mb.Natpisi;
        b.Parametar1 = mb.Parametar1;
        b.Parametar2 = mb.Parametar2;
        b.Parametar3 = mb.Parametar3;
        b.Podsistem = mb.Podsistem;
        if (mb.Ordinate)
            b.Ordinate = *mb.Ordinate;
        else
            b.Ordinate.reset();
        if (b.toolTip() != b.Naziv) b.setToolTip(b.Naziv);
        // The input points follow the number of inputs and the direction.
        const bool ulazi = b.MaxUlaznihVeza != mb.MaxUlaznihVeza;
        b.MaxUlaznihVeza = mb.MaxUlaznihVeza;
        if (b.Smer != mb.Smer)
            b.PostaviSmer(mb.Smer);
        else if (ulazi)
            b.OsveziVeze();
        b.SetImageIndex(b.Sifra);
    }

    TSKEMBlok* NapraviBlok(int i) {
        TSKEMBlok* b = povrsina.NapraviBlok();
        const TBlokModela& mb = model.Blokovi[size_t(i)];
        // Its pictures come with its direction, whatever it is.
        b->PostaviSmer(mb.Smer);
        Postavi(*b, mb);
        b->setVisible(true);
        Blokovi[size_t(i)] = b;
        return b;
    }

    // The connection v (no junction) with its holders and the junctions
    // hanging from them; its blocks stand.
    void NapraviVezu(int v) { Napravi(v, nullptr, nullptr); }

private:
    // The handler assigned to the workspace's OnChange now, for a moved holder.
    std::function<void(TVeza*)> PromenaDokumenta() const {
        auto obradjivac = povrsina.OnChange;
        if (!obradjivac) return nullptr;
        TSKEMRadnaPovrsina* p = &povrsina;
        return [obradjivac, p](TVeza*) { Javi(obradjivac, p); };
    }

    void Napravi(int v, TDrzac* drzac, TVeza* roditelj) {
        const TVezaModela& mv = model.Veze[size_t(v)];
        TSKEMBlok* izvor = Blokovi[size_t(mv.PocBlok)];
        TSKEMBlok* odrediste = Blokovi[size_t(mv.KrajBlok)];
        const int k = mv.GdeKrajBlok;

        const QPoint pocetak = drzac ? drzac->TackaDrzaca() : izvor->TackaIzlaza(mv.IzlazPocBloka);
        auto* c = new TVeza(&povrsina, pocetak, odrediste->TackaUlaza(nullptr));
        Veze[size_t(v)] = c;
        c->IzlazPocBloka = mv.IzlazPocBloka;
        c->OnDrzacPomeren = PromenaDokumenta();
        if (!drzac) c->OnOdvojiPocetak = [izvor](TVeza* x) { izvor->UkloniIzlaz(x); };
        c->OnOdvojiKraj = [odrediste](TVeza* x) { odrediste->OdvojiUlaz(x); };
        c->PocBlok = izvor;
        c->KrajBlok = odrediste;
        if (drzac) {
            c->JeJunction = true;
            c->Roditelj = roditelj;
            drzac->Junctions.append(c);
            drzac->OnDeleteJunction = [](TDrzac* d) { d->update(); };
            drzac->update();
        }
        izvor->DodajIzlaz(c);
        odrediste->PoveziUlaz(c, k);
        // The end goes to slot k; nothing else at the end block moved.
        c->PostaviKraj(odrediste->TackaUlaza(c));
        if (!drzac) {
            TSKEMRadnaPovrsina* p = &povrsina;
            c->OnDesniKlik = [p](TVeza* x) { p->OtkaziVezu(x); };
        }
        // The workspace hears from the connection once its holders stand: each
        // holder added would otherwise make it walk every block and connection.
        for (const TDrzacModela& h : mv.Drzaci) {
            // Without the spacing rule: holders dragged close together are
            // rebuilt where they were stored.
            TDrzac* d = c->ObnoviDrzac(QPoint(h.Left + 6, h.Top + 6));
            for (int j : h.Junctions)
                Napravi(j, d, c);
        }
        povrsina.PoveziNotifikacije(c);
        // After the junctions under it, as a reading has always listed them.
        povrsina.Veze.append(c);
    }

    TSKEMRadnaPovrsina& povrsina;
    const TModelDokumenta& model;

public:
    std::vector<TSKEMBlok*> Blokovi;
    std::vector<TVeza*> Veze;
};

// Builds the model on an emptied, hidden surface: the blocks, the last one
// selected, then the connections in the model's order.
void Izgradi(TSKEMRadnaPovrsina& povrsina, const TModelDokumenta& model) {
    povrsina.OpisProblema = model.OpisProblema;
    povrsina.MetodIntegracije = model.MetodIntegracije;
    povrsina.Laboratorija = model.Laboratorija;
    TGraditelj g(povrsina, model);
    for (size_t i = 0; i < model.Blokovi.size(); ++i)
        g.NapraviBlok(int(i));
    // Selecting each block in turn would deselect all the others every time;
    // the last one read ends selected, as it would.
    if (!g.Blokovi.empty()) g.Blokovi.back()->SetAktivno(true);
    for (size_t v = 0; v < model.Veze.size(); ++v)
        if (!model.Veze[v].JeJunction()) g.NapraviVezu(int(v));
}

void Ucitaj(TSKEMRadnaPovrsina& povrsina, skem::TProcitanModel procitan) {
    povrsina.Ocisti();
    povrsina.PostaviVidljivost(false);
    try {
        Izgradi(povrsina, procitan.Model);
    } catch (...) {
        povrsina.Prenumerisi();
        povrsina.PostaviVidljivost(true);
        throw;
    }
    povrsina.Prenumerisi();
    if (procitan.Greska) {
        // What was read stays, numbered so that a run can use it.
        povrsina.PostaviVidljivost(true);
        throw TGreskaDokumenta(*procitan.Greska);
    }
    // The last block read ends selected.
    const QList<TSKEMBlok*> blokovi = povrsina.Blokovi();
    if (!blokovi.isEmpty() && povrsina.SelektovaniBlok != blokovi.last())
        blokovi.last()->SetAktivno(true);
    Javi(povrsina.OnStanjeChange, &povrsina);
    povrsina.PostaviVidljivost(true);
}

} // namespace

TModelPovrsine ModelPovrsine(const TSKEMRadnaPovrsina& povrsina) {
    return TPisacPovrsine(povrsina).Pisi();
}

bool ImaPodsistema(const TSKEMRadnaPovrsina& povrsina) {
    const QList<TSKEMBlok*> blokovi = povrsina.Blokovi();
    return std::any_of(blokovi.cbegin(), blokovi.cend(),
                       [](const TSKEMBlok* b) { return b->Podsistem != nullptr; });
}

bool NedovrsenaVezaUDokumentu(const TSKEMRadnaPovrsina& povrsina) {
    const TVeza* c = povrsina.VezaUIzradi;
    // A junction hangs from its holder from the start; a connection joins
    // the list once it reaches its end block.
    return c && (c->JeJunction || povrsina.Veze.contains(c));
}

TSKEMBlok* NadjiBlok(const TSKEMRadnaPovrsina& povrsina, int broj) {
    for (TSKEMBlok* b : povrsina.Blokovi())
        if (b->LokalniBroj() == broj) return b;
    return nullptr;
}

QByteArray DokumentUTekst(const TSKEMRadnaPovrsina& povrsina) {
    return skem::ModelUTekst(ModelDokumenta(povrsina));
}

void SnimiDokument(const TSKEMRadnaPovrsina& povrsina, const QString& imeFajla) {
    skem::SnimiModel(ModelDokumenta(povrsina), imeFajla);
}

void PostaviModel(TSKEMRadnaPovrsina& povrsina, const TModelDokumenta& model) {
    Ucitaj(povrsina, {model, std::nullopt});
}

std::vector<TSKEMBlok*> DodajModel(TSKEMRadnaPovrsina& povrsina, const TModelDokumenta& model) {
    TGraditelj g(povrsina, model);
    for (size_t i = 0; i < model.Blokovi.size(); ++i)
        g.NapraviBlok(int(i));
    for (size_t v = 0; v < model.Veze.size(); ++v)
        if (!model.Veze[v].JeJunction()) g.NapraviVezu(int(v));
    return std::move(g.Blokovi);
}

void UcitajDokumentIzTeksta(TSKEMRadnaPovrsina& povrsina, const QByteArray& xml) {
    Ucitaj(povrsina, skem::ProcitajModel(xml));
}

void UcitajDokument(TSKEMRadnaPovrsina& povrsina, const QString& imeFajla,
                    const std::atomic<bool>* zaustavi) {
    QFile f(imeFajla);
    if (!f.open(QIODevice::ReadOnly)) {
        povrsina.Ocisti();
        throw TGreskaDokumenta(
            QStringLiteral("Fajl '%1' ne moze da se otvori: %2").arg(imeFajla, f.errorString()));
    }
    UcitajDokument(povrsina, f, imeFajla, zaustavi);
}

void UcitajDokument(TSKEMRadnaPovrsina& povrsina, QFileDevice& fajl, const QString& imeFajla,
                    const std::atomic<bool>* zaustavi) {
    Ucitaj(povrsina, skem::ProcitajModelIzFajla(fajl, imeFajla, zaustavi));
}

// ---- bringing the workspace to a model ----

namespace {

// The same block but perhaps for its number (which follows its place).
bool IstiBlok(const TBlokModela& a, const TBlokModela& b) {
    const bool ordinate =
        a.Ordinate && b.Ordinate ? *a.Ordinate == *b.Ordinate : !a.Ordinate && !b.Ordinate;
    return ordinate && a.Left == b.Left && a.Top == b.Top && a.Sifra == b.Sifra &&
           a.Smer == b.Smer && a.brparam == b.brparam && a.MaxUlaznihVeza == b.MaxUlaznihVeza &&
           a.Parametar1 == b.Parametar1 && a.Parametar2 == b.Parametar2 &&
           a.Parametar3 == b.Parametar3 && a.Naziv == b.Naziv && a.Natpisi == b.Natpisi &&
           a.Podsistem == b.Podsistem;
}

// Which block of `sada` each block of `cilj` is (-1: a new one). Blocks are
// only ever added at the end or deleted, so the lists are matched by their
// common start and end, and what lies between as a subsequence; the same
// count is matched place by place (blocks moved or changed).
std::vector<int> UpariBlokove(const std::vector<TBlokModela>& sada,
                              const std::vector<TBlokModela>& cilj) {
    const size_t n = sada.size(), m = cilj.size();
    std::vector<int> par(m, -1);
    if (n == m) {
        for (size_t i = 0; i < m; ++i)
            par[i] = int(i);
        return par;
    }
    size_t pocetak = 0;
    while (pocetak < n && pocetak < m && IstiBlok(sada[pocetak], cilj[pocetak])) {
        par[pocetak] = int(pocetak);
        ++pocetak;
    }
    size_t kraj = 0;
    while (kraj < n - pocetak && kraj < m - pocetak &&
           IstiBlok(sada[n - 1 - kraj], cilj[m - 1 - kraj])) {
        par[m - 1 - kraj] = int(n - 1 - kraj);
        ++kraj;
    }
    // The shorter middle as a subsequence of the longer one; what is left over
    // is new (or goes).
    const size_t od = pocetak, doS = n - kraj, doC = m - kraj;
    std::vector<int> sredina(doC - od, -1);
    size_t i = od;
    bool ceo = true;
    if (doS - od >= doC - od) {
        for (size_t j = od; j < doC; ++j) {
            while (i < doS && !IstiBlok(sada[i], cilj[j]))
                ++i;
            if (i == doS) {
                ceo = false;
                break;
            }
            sredina[j - od] = int(i++);
        }
    } else {
        for (size_t j = od; j < doC && i < doS; ++j)
            if (IstiBlok(sada[i], cilj[j])) sredina[j - od] = int(i++);
        ceo = i == doS;
    }
    if (ceo)
        for (size_t j = od; j < doC; ++j)
            par[j] = sredina[j - od];
    return par;
}

class TPrimena {
public:
    TPrimena(TSKEMRadnaPovrsina& p, const TModelDokumenta& cilj, TModelPovrsine sada)
        : povrsina(p), cilj(cilj), sada(std::move(sada)), g(p, cilj) {}

    // The blocks matched; false when none is (the whole document is built anew).
    bool Upari() {
        const auto& sb = sada.Model.Blokovi;
        parBloka = UpariBlokove(sb, cilj.Blokovi);
        uCilju.assign(sb.size(), -1);
        bool ima = false;
        for (size_t j = 0; j < parBloka.size(); ++j)
            if (parBloka[j] >= 0) {
                uCilju[size_t(parBloka[j])] = int(j);
                ima = true;
            }
        return ima;
    }

    TPrimenaModela Primeni() {
        TPrimenaModela r;
        const auto& sv = sada.Model.Veze;
        // Connections that stay: the same ends, slot, holders and junctions.
        QHash<QPair<int, int>, int> poUlazu; // (end block, slot) -> connection of cilj
        for (size_t t = 0; t < cilj.Veze.size(); ++t) {
            const TVezaModela& v = cilj.Veze[t];
            if (!v.JeJunction() && cilj.IndeksUlaza(int(t)) == v.GdeKrajBlok)
                poUlazu.insert({v.KrajBlok, v.GdeKrajBlok}, int(t));
        }
        vezaCilja.assign(cilj.Veze.size(), nullptr);
        QList<TVeza*> brisu;
        for (size_t c = 0; c < sv.size(); ++c) {
            const TVezaModela& v = sv[c];
            if (v.JeJunction()) continue;
            const int kraj = v.KrajBlok >= 0 ? uCilju[size_t(v.KrajBlok)] : -1;
            const int t = kraj >= 0 ? poUlazu.value({kraj, v.GdeKrajBlok}, -1) : -1;
            if (t >= 0 && IstaVeza(int(c), t)) {
                Zadrzi(int(c), t);
            } else {
                brisu.append(sada.Veze[c]);
                ++r.ObrisanihVeza;
            }
        }
        for (TVeza* c : std::as_const(brisu))
            povrsina.ObrisiVezu(c);
        // Blocks: gone, changed, new.
        QList<TSKEMBlok*> bezPara;
        for (size_t i = 0; i < uCilju.size(); ++i)
            if (uCilju[i] < 0) bezPara.append(sada.Blokovi[i]);
        r.ObrisanihBlokova = int(bezPara.size());
        if (!bezPara.isEmpty()) povrsina.ObrisiBlokove(bezPara);
        bool redosled = false;
        for (size_t j = 0; j < cilj.Blokovi.size(); ++j) {
            if (parBloka[j] >= 0) {
                TSKEMBlok* b = sada.Blokovi[size_t(parBloka[j])];
                g.Blokovi[j] = b;
                if (!IstiBlok(sada.Model.Blokovi[size_t(parBloka[j])], cilj.Blokovi[j])) {
                    TGraditelj::Postavi(*b, cilj.Blokovi[j]);
                    ++r.IzmenjenihBlokova;
                }
            } else {
                g.NapraviBlok(int(j));
                redosled = redosled || j + 1 < cilj.Blokovi.size();
                ++r.NovihBlokova;
            }
        }
        if (redosled)
            povrsina.PostaviRedosledBlokova(QList<TSKEMBlok*>(g.Blokovi.begin(), g.Blokovi.end()));
        // The connections that differ, in the model's order.
        for (size_t t = 0; t < cilj.Veze.size(); ++t)
            if (!cilj.Veze[t].JeJunction() && !vezaCilja[t]) {
                g.NapraviVezu(int(t));
                ++r.NovihVeza;
            }
        for (size_t t = 0; t < cilj.Veze.size(); ++t)
            if (!vezaCilja[t]) vezaCilja[t] = g.Veze[t];
        // Holders of the connections that stayed, where the model has them.
        for (const auto& [c, t] : zadrzane) {
            const auto& drzaci = cilj.Veze[size_t(t)].Drzaci;
            TVeza* veza = sada.Veze[size_t(c)];
            for (size_t h = 0; h < drzaci.size(); ++h) {
                TDrzac* d = veza->Drzaci[qsizetype(h)];
                if (d->Left() != drzaci[h].Left || d->Top() != drzaci[h].Top)
                    d->PostaviPoziciju(drzaci[h].Left, drzaci[h].Top);
            }
        }
        // Each slot holds what the model says, and the list is in the order
        // a reading makes it.
        for (size_t j = 0; j < cilj.Blokovi.size(); ++j) {
            TSKEMBlok* b = g.Blokovi[j];
            bool promena = false;
            const int slotova = std::max(b->BrojSlotova(), cilj.Blokovi[j].BrojSlotova());
            for (int k = 0; k < slotova; ++k) {
                const int u = k < cilj.Blokovi[j].BrojSlotova() ? cilj.Blokovi[j].Ulaz(k) : -1;
                TVeza* c = u >= 0 ? vezaCilja[size_t(u)] : nullptr;
                if (b->IzvorUlaza(k) != (c ? c->PocBlok : nullptr) ||
                    (k < 3 ? b->Ulazi[size_t(k)] : b->DaljiUlazi.value(k - 3)) != c) {
                    if (k < 3)
                        b->Ulazi[size_t(k)] = c;
                    else
                        b->PoveziUlaz(c, k);
                    promena = true;
                }
            }
            if (promena) b->OsveziVeze();
        }
        QList<TVeza*> veze;
        veze.reserve(qsizetype(cilj.Veze.size()));
        for (size_t t = 0; t < cilj.Veze.size(); ++t)
            if (!cilj.Veze[t].JeJunction()) Poredjaj(int(t), veze);
        if (veze.size() == povrsina.Veze.size()) povrsina.Veze = veze;
        povrsina.OpisProblema = cilj.OpisProblema;
        povrsina.MetodIntegracije = cilj.MetodIntegracije;
        povrsina.Laboratorija = cilj.Laboratorija;
        return r;
    }

private:
    bool IstaVeza(int c, int t) const {
        const TVezaModela& a = sada.Model.Veze[size_t(c)];
        const TVezaModela& b = cilj.Veze[size_t(t)];
        if (a.PocBlok < 0 || a.KrajBlok < 0 || a.GdeKrajBlok < 0) return false;
        if (uCilju[size_t(a.PocBlok)] != b.PocBlok || uCilju[size_t(a.KrajBlok)] != b.KrajBlok ||
            a.GdeKrajBlok != b.GdeKrajBlok || cilj.IndeksUlaza(t) != b.GdeKrajBlok ||
            a.IzlazPocBloka != b.IzlazPocBloka || a.Drzaci.size() != b.Drzaci.size())
            return false;
        for (size_t h = 0; h < a.Drzaci.size(); ++h) {
            const auto& ja = a.Drzaci[h].Junctions;
            const auto& jb = b.Drzaci[h].Junctions;
            if (ja.size() != jb.size()) return false;
            for (size_t i = 0; i < ja.size(); ++i)
                if (!IstaVeza(ja[i], jb[i])) return false;
        }
        return true;
    }

    void Zadrzi(int c, int t) {
        vezaCilja[size_t(t)] = sada.Veze[size_t(c)];
        zadrzane.emplace_back(c, t);
        const auto& a = sada.Model.Veze[size_t(c)].Drzaci;
        const auto& b = cilj.Veze[size_t(t)].Drzaci;
        for (size_t h = 0; h < a.size(); ++h)
            for (size_t i = 0; i < a[h].Junctions.size(); ++i)
                Zadrzi(a[h].Junctions[i], b[h].Junctions[i]);
    }

    // Junctions before the connection they hang from.
    void Poredjaj(int t, QList<TVeza*>& veze) const {
        for (const TDrzacModela& h : cilj.Veze[size_t(t)].Drzaci)
            for (int j : h.Junctions)
                Poredjaj(j, veze);
        veze.append(vezaCilja[size_t(t)]);
    }

    TSKEMRadnaPovrsina& povrsina;
    const TModelDokumenta& cilj;
    TModelPovrsine sada;
    TGraditelj g;
    std::vector<int> parBloka; // block of cilj -> block of sada, or -1
    std::vector<int> uCilju;   // block of sada -> block of cilj, or -1
    std::vector<TVeza*> vezaCilja;
    std::vector<std::pair<int, int>> zadrzane; // connection of sada -> of cilj
};

} // namespace

TPrimenaModela PrimeniModel(TSKEMRadnaPovrsina& povrsina, const TModelDokumenta& model) {
    // A drawing in progress is no part of either document.
    povrsina.OtkaziVezu();
    TPrimena primena(povrsina, model, ModelPovrsine(povrsina));
    if (!primena.Upari()) {
        TPrimenaModela r;
        r.ObrisanihBlokova = int(povrsina.Blokovi().size());
        r.ObrisanihVeza = int(std::count_if(povrsina.Veze.cbegin(), povrsina.Veze.cend(),
                                            [](const TVeza* c) { return !c->JeJunction; }));
        r.NovihBlokova = int(model.Blokovi.size());
        r.NovihVeza = int(std::count_if(model.Veze.cbegin(), model.Veze.cend(),
                                        [](const TVezaModela& v) { return !v.JeJunction(); }));
        PostaviModel(povrsina, model);
        return r;
    }
    povrsina.PostaviVidljivost(false);
    TPrimenaModela r;
    try {
        r = primena.Primeni();
    } catch (...) {
        povrsina.Prenumerisi();
        povrsina.PostaviVidljivost(true);
        throw;
    }
    povrsina.Prenumerisi();
    // As after a reading: the last block selected, nothing else.
    const QList<TSKEMBlok*> blokovi = povrsina.Blokovi();
    povrsina.IzaberiBlokove(blokovi.isEmpty() ? QList<TSKEMBlok*>{} : QList{blokovi.last()});
    povrsina.SetStanje(rpsSelektuj);
    povrsina.PostaviVidljivost(true);
    return r;
}
