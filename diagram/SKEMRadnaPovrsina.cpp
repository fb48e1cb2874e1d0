#include "SKEMRadnaPovrsina.h"

#include "AlatiPovrsine.h"
#include "Dijalozi.h"
#include "ListaSlika.h"
#include "Obavestenja.h"
#include "Podsistemi.h"
#include "SKEMBlok.h"
#include "unDrzac.h"
#include "unVeza.h"

#include <QGraphicsSceneDragDropEvent>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

TSKEMRadnaPovrsina::TSKEMRadnaPovrsina(QObject* roditelj)
    : QGraphicsScene(0, 0, Sirina, Visina, roditelj) {
    mreza = QPixmap(8, 8);
    mreza.fill(Qt::white);
    QPainter p(&mreza);
    p.setPen(QColor(192, 192, 192));
    p.drawPoint(0, 0);
    alati[rpsSelektuj] = std::make_unique<TAlatPovrsine>(*this);
    alati[rpsDodajDrzac] = std::make_unique<TAlatDrzaca>(*this);
    alati[rpsDodajVezuEx] = std::make_unique<TAlatVeze>(*this);
    alati[rpsKreirajJunctionEx] = std::make_unique<TAlatJunctiona>(*this);
    // No input reaches the surface while it is cleared.
    alati[rpsBrisem] = std::make_unique<TAlatPovrsine>(*this);
}

TSKEMRadnaPovrsina::~TSKEMRadnaPovrsina() {
    // The owner is going away too: it hears nothing more.
    OnSelectBlok = OnSelectBlokZaInsp = OnStanjeChange = OnChange = OnDropBlok = OnPoveziVezu =
        OnBrisiBlok = nullptr;
    // Blocks and connections hold copies of the OnChange handler: silence them too.
    for (TSKEMBlok* b : blokovi)
        b->OnChange = nullptr;
    for (TVeza* c : Veze)
        c->OnDrzacPomeren = nullptr;
    if (VezaUIzradi) VezaUIzradi->OnDrzacPomeren = nullptr;
    try {
        Ocisti();
    } catch (...) {
        Dijalozi().Greska(QStringLiteral("Neocekivana greska pri ciscenju povrsine"));
    }
    IsprazniOdlozeno();
}

template <class T> std::function<void(T*)> TSKEMRadnaPovrsina::KopijaOnChange() {
    // The handler assigned to OnChange at this moment, reporting the workspace.
    if (!OnChange) return nullptr;
    auto obradjivac = OnChange;
    return [obradjivac, this](T*) { Javi(obradjivac, this); };
}
// The input tools give it to the connections they draw.
template std::function<void(TVeza*)> TSKEMRadnaPovrsina::KopijaOnChange<TVeza>();

// ---- state and selection ----

TAlatPovrsine& TSKEMRadnaPovrsina::Alat() const {
    return *alati[stanje];
}

void TSKEMRadnaPovrsina::SetStanje(TRPStanje s) {
    stanje = s;
    // The junction command ends with its drawing kept: the holder made for it
    // is a bend of its own from now on, whatever ends the drawing later.
    if (s != rpsKreirajJunctionEx) drzacJunctionaNov = false;
    Alat().Pocni();
    Javi(OnStanjeChange, this);
}

void TSKEMRadnaPovrsina::PostaviSelektovaniBlok(TSKEMBlok* b) {
    if (b == SelektovaniBlok) return;
    SelektovaniBlok = b;
    Javi(OnSelectBlok, this);
    Javi(OnSelectBlokZaInsp, this);
}

void TSKEMRadnaPovrsina::BlokoviNeaktivni(TSKEMBlok* osim) {
    const QList<TSKEMBlok*> kopija = blokovi;
    for (TSKEMBlok* b : kopija)
        if (b != osim) b->SetAktivno(false);
}

void TSKEMRadnaPovrsina::DeselektujSve(TVeza* osim) {
    // By index, so a connection a notification took away is never touched.
    for (qsizetype i = 0; i < Veze.size(); ++i)
        if (Veze[i] != osim) Veze[i]->Deselektuj();
}

void TSKEMRadnaPovrsina::PostaniAktivna() {
    if (!vidljiva) return;
    if (QGraphicsView* v = Pogled()) v->setFocus(Qt::OtherFocusReason);
}

void TSKEMRadnaPovrsina::SelektujBlok(TSKEMBlok* b) {
    // Selecting several at once, the operation reports once at its end.
    if (prosirujemIzbor) return;
    BlokoviNeaktivni(b);
    PostaviSelektovaniBlok(b);
    if (b) {
        DeselektujSve(nullptr);
        SelektovanaVeza = nullptr;
        SelektovaniDrzac = nullptr;
    }
    PostaniAktivna();
}

void TSKEMRadnaPovrsina::OpisiKorak(const QString& opis) {
    opisKoraka = opis;
}

QString TSKEMRadnaPovrsina::OpisKoraka() const {
    return opisKoraka.isEmpty() ? QStringLiteral("izmena") : opisKoraka;
}

QList<TSKEMBlok*> TSKEMRadnaPovrsina::IzabraniBlokovi() const {
    QList<TSKEMBlok*> izabrani;
    for (TSKEMBlok* b : blokovi)
        if (b->Aktivno()) izabrani.append(b);
    return izabrani;
}

template <class Izbor> void TSKEMRadnaPovrsina::ProsiriIzbor(Izbor izaberi) {
    TSKEMBlok* poslednji = nullptr;
    prosirujemIzbor = true;
    for (TSKEMBlok* b : std::as_const(blokovi))
        if (!b->Aktivno() && izaberi(b)) {
            b->SetAktivno(true);
            poslednji = b;
        }
    prosirujemIzbor = false;
    if (!poslednji) return;
    // Blocks only: connections and holders lose their selection.
    DeselektujSve(nullptr);
    SelektovanaVeza = nullptr;
    SelektovaniDrzac = nullptr;
    PostaviSelektovaniBlok(poslednji);
    PostaniAktivna();
}

void TSKEMRadnaPovrsina::IzaberiSve() {
    ProsiriIzbor([](TSKEMBlok*) { return true; });
}

void TSKEMRadnaPovrsina::IzaberiBlokove(const QList<TSKEMBlok*>& izabrani) {
    BlokoviNeaktivni(nullptr);
    PostaviSelektovaniBlok(nullptr);
    const QSet<TSKEMBlok*> skup(izabrani.begin(), izabrani.end());
    ProsiriIzbor([&skup](TSKEMBlok* b) { return skup.contains(b); });
}

void TSKEMRadnaPovrsina::IzaberiUPravougaoniku(const QRectF& r, bool dodaj) {
    if (!dodaj) {
        BlokoviNeaktivni(nullptr);
        PostaviSelektovaniBlok(nullptr);
    }
    ProsiriIzbor([&r](TSKEMBlok* b) { return b->sceneBoundingRect().intersects(r); });
}

void TSKEMRadnaPovrsina::PromeniIzbor(TSKEMBlok* b) {
    if (!b->Aktivno()) {
        ProsiriIzbor([b](TSKEMBlok* x) { return x == b; });
        return;
    }
    b->SetAktivno(false);
    if (b != SelektovaniBlok) return;
    // The inspector goes to another selected block, if one is left.
    const QList<TSKEMBlok*> ostali = IzabraniBlokovi();
    PostaviSelektovaniBlok(ostali.isEmpty() ? nullptr : ostali.last());
}

bool TSKEMRadnaPovrsina::RotirajIzabrane(bool udesno) {
    QList<TSKEMBlok*> izabrani = IzabraniBlokovi();
    if (izabrani.isEmpty() && SelektovaniBlok) izabrani.append(SelektovaniBlok);
    if (!izabrani.isEmpty())
        OpisiKorak(izabrani.size() > 1
                       ? QStringLiteral("rotiranje blokova")
                       : QStringLiteral("rotiranje bloka %1").arg(izabrani[0]->LokalniBroj()));
    for (TSKEMBlok* b : izabrani)
        udesno ? b->RotirajD() : b->RotirajL();
    return !izabrani.isEmpty();
}

void TSKEMRadnaPovrsina::PostaviVidljivost(bool v) {
    vidljiva = v;
    for (QGraphicsView* w : views())
        w->viewport()->setUpdatesEnabled(v);
    if (v) update();
}

QGraphicsView* TSKEMRadnaPovrsina::Pogled() const {
    const auto v = views();
    return v.isEmpty() ? nullptr : v.first();
}

void TSKEMRadnaPovrsina::Obuhvati(const QRectF& r) {
    QRectF s = sceneRect();
    // Room beyond the item on every side, except on the sides that are still
    // at the origin: blocks stop 8 pixels short of them.
    const qreal levo = s.left() < 0 ? Rub : 0;
    const qreal gore = s.top() < 0 ? Rub : 0;
    const bool dosta = r.left() - levo >= s.left() && r.top() - gore >= s.top() &&
                       r.right() + Rub <= s.right() && r.bottom() + Rub <= s.bottom();
    if (dosta) return;
    // Two margins at once, so a drag grows the surface every few hundred
    // pixels rather than on every move.
    if (r.left() - levo < s.left()) s.setLeft(std::floor(r.left()) - 2 * Rub);
    if (r.top() - gore < s.top()) s.setTop(std::floor(r.top()) - 2 * Rub);
    if (r.right() + Rub > s.right()) s.setRight(std::ceil(r.right()) + 2 * Rub);
    if (r.bottom() + Rub > s.bottom()) s.setBottom(std::ceil(r.bottom()) + 2 * Rub);
    setSceneRect(s);
}

void TSKEMRadnaPovrsina::ObuhvatiStavku(const QGraphicsItem* stavka) {
    if (auto* povrsina = qobject_cast<TSKEMRadnaPovrsina*>(stavka->scene()))
        povrsina->Obuhvati(stavka->sceneBoundingRect());
}

void TSKEMRadnaPovrsina::PostaviSkrol(QPoint p) {
    PozicijaSkrola = p;
    if (QGraphicsView* v = Pogled()) {
        v->horizontalScrollBar()->setValue(p.x());
        v->verticalScrollBar()->setValue(p.y());
    }
}

// ---- blocks ----

TSKEMBlok* TSKEMRadnaPovrsina::NapraviBlok() {
    auto* b = new TSKEMBlok;
    b->setVisible(false); // shown once it is set up
    addItem(b);
    DonesiNapred(b);
    blokovi.append(b);
    b->OnAktiviran = [this](TSKEMBlok* x) { SelektujBlok(x); };
    b->SlikeLevo = SlikeLevo;
    b->SlikeDesno = SlikeDesno;
    b->SlikeGore = SlikeGore;
    b->SlikeDole = SlikeDole;
    b->OnPritisnut = [this](TSKEMBlok* x, QGraphicsSceneMouseEvent* e) {
        Alat().BlokPritisnut(x, e);
    };
    b->OnDvostrukiKlik = [this](TSKEMBlok* x, QGraphicsSceneMouseEvent* e) {
        Alat().BlokDvaputKliknut(x, e);
    };
    b->OnVucenje = [this](TSKEMBlok* x, QPoint cilj) { Alat().BlokVucen(x, cilj); };
    b->OnBlokMouseMove = [this](TSKEMBlok* x) { Alat().BlokPredjen(x); };
    b->OnChange = KopijaOnChange<TSKEMBlok>();
    return b;
}

TSKEMBlok* TSKEMRadnaPovrsina::SpustiStavku(const TStavkaKataloga& stavka, QPoint tacka) {
    if (QGraphicsView* v = Pogled()) {
        PozicijaSkrola = QPoint(v->horizontalScrollBar()->value(), v->verticalScrollBar()->value());
        v->setFocus(Qt::OtherFocusReason);
        PostaviSkrol(PozicijaSkrola);
    }
    TSKEMBlok* b = NapraviBlok();
    b->PostaviSmer(smDesno); // a dropped block faces right
    b->PostaviPoziciju(tacka.x(), tacka.y());
    b->Naziv = stavka.Naziv;
    b->setToolTip(stavka.Naziv);
    b->SetImageIndex(stavka.ImageIndex);
    b->MaxUlaznihVeza = stavka.MaxUlaznihVeza;
    b->brparam = quint8(stavka.BrojParam);
    // Complete before it is selected: the selection handlers (the inspector)
    // show its number and captions at once. As the last block its number is
    // the count of blocks, which the renumbering below confirms.
    b->Sifra = quint8(b->ImageIndex());
    b->Natpisi = stavka.Natpisi;
    b->SetLokalniBroj(int(blokovi.size()));
    OpisiKorak(QStringLiteral("dodavanje bloka %1").arg(b->LokalniBroj()));
    b->setVisible(true);
    b->SetAktivno(true);
    Prenumerisi();
    SetStanje(rpsSelektuj);
    Javi(OnChange, this);
    Javi(OnDropBlok, this);
    return b;
}

void TSKEMRadnaPovrsina::Prenumerisi() {
    int broj = 0;
    for (TSKEMBlok* b : blokovi)
        b->SetLokalniBroj(++broj);
}

void TSKEMRadnaPovrsina::UnistiBlok(TSKEMBlok* b) {
    b->Izlazi.clear();
    b->Ulazi = {nullptr, nullptr, nullptr};
    b->DaljiUlazi.clear();
    b->OnAktiviran = b->OnBlokMouseMove = b->OnChange = b->OnPromenaSmera = nullptr;
    b->OnPritisnut = b->OnDvostrukiKlik = nullptr;
    b->OnVucenje = nullptr;
    blokovi.removeOne(b);
    if (SelektovaniBlok == b) SelektovaniBlok = nullptr;
    ObrisiOdlozeno(b);
}

void TSKEMRadnaPovrsina::ObrisiBlok(TSKEMBlok* b) {
    if (!b) return;
    if (b == SelektovaniBlok) PostaviSelektovaniBlok(nullptr);
    if (blokovi.contains(b)) {
        // A drawing that starts at this block cannot be finished any more.
        if (VezaUIzradi &&
            (b == PocetniBlok || (VezaUIzradi->JeJunction && VezaUIzradi->KorenskiBlok() == b)))
            OdbaciVezuUIzradi();
        ObrisiVeze(b->Ulazi);
        // A completed connection the wiring handler left out of every slot
        // still ends here: it must not outlive its destination block.
        QList<TVeza*> bezSlota;
        for (TVeza* c : std::as_const(Veze))
            if (c->KrajBlok == b) bezSlota.append(c);
        ObrisiVezeIzListe(bezSlota);
        if (stanje != rpsBrisem) ObrisiVeze(b->Izlazi);
        UnistiBlok(b);
    }
    if (stanje != rpsBrisem) {
        Prenumerisi();
        Javi(OnChange, this);
    }
    Javi(OnBrisiBlok, this);
}

void TSKEMRadnaPovrsina::ObrisiBlokove(const QList<TSKEMBlok*>& lista) {
    QSet<TSKEMBlok*> brisu;
    {
        const QSet<TSKEMBlok*> svi(blokovi.cbegin(), blokovi.cend());
        for (TSKEMBlok* b : lista)
            if (svi.contains(b)) brisu.insert(b);
    }
    if (SelektovaniBlok && brisu.contains(SelektovaniBlok)) PostaviSelektovaniBlok(nullptr);
    if (!brisu.isEmpty()) {
        // A drawing that starts at one of them cannot be finished any more.
        if (VezaUIzradi &&
            (brisu.contains(PocetniBlok) ||
             (VezaUIzradi->JeJunction && brisu.contains(VezaUIzradi->KorenskiBlok()))))
            OdbaciVezuUIzradi();
        // Every connection that ends at one of them (in a slot or not) or
        // starts there; a junction starts at the block at the root of its chain.
        QList<TVeza*> veze;
        for (TVeza* c : std::as_const(Veze))
            if (brisu.contains(c->KrajBlok) || brisu.contains(c->PocBlok)) veze.append(c);
        ObrisiVezeIzListe(veze);
        const QList<TSKEMBlok*> kopija = blokovi;
        for (TSKEMBlok* b : kopija)
            if (brisu.contains(b)) UnistiBlok(b);
    }
    if (stanje != rpsBrisem) {
        Prenumerisi();
        Javi(OnChange, this);
    }
    Javi(OnBrisiBlok, this);
}

// ---- connections ----

void TSKEMRadnaPovrsina::PoveziNotifikacije(TVeza* c) {
    c->OnDrzacDodat = [this](TVeza* v) { DrzacDodat(v); };
    c->OnAktivirana = [this](TVeza* v) { VezaAktivirana(v); };
    c->OnDeaktivirana = [this](TVeza* v) { VezaDeaktivirana(v); };
    c->OnDrzacIzabran = [this](TVeza* v) { DrzacIzabran(v); };
    c->OnJunctionAktivirana = [this](TVeza* v) { VezaAktivirana(v); };
    c->OnJunctionDeaktivirana = [this](TVeza* v) { JunctionDeaktivirana(v); };
    c->OnDrzacOslobodjen = [this](TDrzac* h) { DrzacOslobodjen(h); };
    c->OnLinijaKliknuta = KlikNaLinijuZaAlat();
}

std::function<void(TVeza*, TLine*, int, int)> TSKEMRadnaPovrsina::KlikNaLinijuZaAlat() {
    return [this](TVeza* c, TLine* s, int x, int y) { Alat().LinijaKliknuta(c, s, x, y); };
}

TIshodVeze TSKEMRadnaPovrsina::PrihvatiVezuUIzradi(const TIzborUlazaVeze& izbor) {
    return Alat().PrihvatiVezu(izbor);
}

void TSKEMRadnaPovrsina::ZaboraviVezu(TVeza* c) {
    if (c == SelektovanaVeza) SelektovanaVeza = nullptr;
    for (const auto& alat : alati)
        alat->VezaUklonjena(c);
    Veze.removeOne(c);
    delete c; // its holders go with it, and with them their junctions
}

void TSKEMRadnaPovrsina::UkloniIzJunctiona(TVeza* c) {
    if (TDrzac* h = c->PocetniDrzac()) h->UkloniJunction(c);
    const QList<TVeza*> kopija = Veze;
    for (TVeza* v : kopija)
        for (TDrzac* h : v->Drzaci)
            h->UkloniJunction(c);
}

void TSKEMRadnaPovrsina::ObrisiVezeIzListe(const QList<TVeza*>& lista) {
    for (int i = lista.size() - 1; i >= 0; --i) {
        TVeza* c = lista[i];
        // Skips empty slots and connections an earlier deletion already took.
        if (!c || !Veze.contains(c)) continue;
        if (c->JeJunction) {
            if (c->PocBlok) c->PocBlok->UkloniIzlaz(c);
            UkloniIzJunctiona(c);
        }
        ZaboraviVezu(c);
    }
}

void TSKEMRadnaPovrsina::ObrisiVezu(TVeza* c) {
    if (!c) return;
    if (c == SelektovanaVeza) SelektovanaVeza = nullptr;
    if (!Veze.contains(c)) return; // a connection still being drawn is not deleted here
    // Only its source block lists it as an output, and only its end block in a slot.
    for (TSKEMBlok* b : {c->PocBlok, c->KrajBlok}) {
        if (!b) continue;
        if (b->Izlazi.contains(c)) b->UkloniIzlaz(c);
        if (b->IndeksUlaza(c) >= 0) b->OdvojiUlaz(c);
    }
    if (c->JeJunction) UkloniIzJunctiona(c);
    ZaboraviVezu(c);
    Javi(OnChange, this);
}

void TSKEMRadnaPovrsina::ObrisiSelektovano() {
    SetStanje(rpsSelektuj);
    const QList<TSKEMBlok*> izabrani = IzabraniBlokovi();
    if (izabrani.size() > 1)
        OpisiKorak(QStringLiteral("brisanje blokova"));
    else if (SelektovaniBlok)
        OpisiKorak(QStringLiteral("brisanje bloka %1").arg(SelektovaniBlok->LokalniBroj()));
    else if (SelektovanaVeza)
        OpisiKorak(QStringLiteral("brisanje veze"));
    else if (SelektovaniDrzac)
        OpisiKorak(QStringLiteral("brisanje drzaca"));
    if (izabrani.size() > 1 || SelektovaniBlok) {
        // The document's references to this level's blocks follow their new numbers.
        std::vector<std::pair<TSKEMBlok*, int>> stari;
        stari.reserve(size_t(blokovi.size()));
        for (TSKEMBlok* b : std::as_const(blokovi))
            stari.emplace_back(b, b->LokalniBroj());
        if (izabrani.size() > 1)
            ObrisiBlokove(izabrani);
        else
            ObrisiBlok(SelektovaniBlok);
        Prenumerisi();
        const QSet<TSKEMBlok*> ostali(blokovi.cbegin(), blokovi.cend());
        skem::TPrenumeracija r;
        for (const auto& [b, broj] : stari) {
            if (!ostali.contains(b))
                r.Nove[{broj}] = {};
            else if (b->LokalniBroj() != broj)
                r.Nove[{broj}] = {b->LokalniBroj()};
        }
        PrenumerisiReference(*this, r);
    }
    if (SelektovanaVeza) ObrisiVezu(SelektovanaVeza);
    if (SelektovaniDrzac) {
        const QList<TVeza*> kopija = Veze;
        for (TVeza* c : kopija)
            if (c->AktivniDrzac) {
                c->UkloniAktivniDrzac();
                break;
            }
        SelektovaniDrzac = nullptr;
        Javi(OnChange, this);
    }
    Javi(OnChange, this);
    SetStanje(rpsSelektuj);
}

void TSKEMRadnaPovrsina::Ocisti() {
    SetStanje(rpsBrisem);
    PostaviVidljivost(false);
    // The items leave the scene together at the end, not one by one.
    TBrisanjeSvega brisanje(this);
    try {
        OdbaciVezuUIzradi();
        // Connections first, so none of them notifies a block already gone.
        while (!Veze.isEmpty())
            ObrisiVezu(Veze.first());
        SelektovanaVeza = nullptr;
        SelektovaniDrzac = nullptr;
        PostaviSelektovaniBlok(nullptr);
        const QList<TSKEMBlok*> kopija = blokovi;
        for (TSKEMBlok* b : kopija)
            UnistiBlok(b);
        // A selection frame is the only other item the surface holds; it
        // would go when the selecting starts afresh below anyway.
        alati[rpsSelektuj]->Pocni();
        brisanje.Zavrsi();
    } catch (...) {
        PostaviVidljivost(true);
        SetStanje(rpsSelektuj);
        throw;
    }
    setSceneRect(0, 0, Sirina, Visina); // a new document starts at the least size
    Nivoi.clear();
    PostaviVidljivost(true);
    SetStanje(rpsSelektuj);
}

// ---- drawing connections and junctions ----

void TSKEMRadnaPovrsina::OdbaciVezuUIzradi(TDrzac* zadrzi) {
    TVeza* j = VezaUIzradi;
    TDrzac* drzac = drzacJunctiona;
    const bool nov = drzacJunctionaNov;
    VezaUIzradi = nullptr;
    PocetniBlok = nullptr;
    drzacJunctiona = nullptr;
    drzacJunctionaNov = false;
    if (!j) return;
    if (j->JeJunction && j->Roditelj) {
        TDrzac* h = j->PocetniDrzac();
        // A holder already taken off its connection (it is being destroyed)
        // must still forget the junction.
        if (!h && drzac && drzac->Junctions.contains(j)) h = drzac;
        if (h) {
            h->UkloniJunction(j);
            // A holder made only for this junction goes with it; one that was
            // there before, or was kept when the junction command ended, keeps
            // its place and its other junctions.
            if (h == drzac && nov && h != zadrzi && h->Junctions.isEmpty())
                j->Roditelj->UkloniDrzac(h);
        }
    }
    delete j;
}

void TSKEMRadnaPovrsina::OtkaziVezu(TVeza*) {
    OdbaciVezuUIzradi();
    SetStanje(rpsSelektuj);
}

// ---- connection notifications ----

void TSKEMRadnaPovrsina::DrzacDodat(TVeza* g) {
    OpisiKorak(QStringLiteral("dodavanje drzaca"));
    Alat().DrzacDodat(g);
    Javi(OnChange, this);
}

void TSKEMRadnaPovrsina::VezaAktivirana(TVeza* c) {
    DeselektujSve(c);
    SelektovanaVeza = c;
    SelektovaniDrzac = nullptr;
    BlokoviNeaktivni(nullptr);
    PostaviSelektovaniBlok(nullptr);
    PostaniAktivna();
}

void TSKEMRadnaPovrsina::VezaDeaktivirana(TVeza* c) {
    if (SelektovanaVeza == c) SelektovanaVeza = nullptr;
}

void TSKEMRadnaPovrsina::JunctionDeaktivirana(TVeza*) {
    SelektovanaVeza = nullptr;
}

void TSKEMRadnaPovrsina::DrzacIzabran(TVeza* g) {
    DeselektujSve(g);
    SelektovanaVeza = nullptr;
    SelektovaniDrzac = g->AktivniDrzac;
    Alat().DrzacIzabran(g);
    BlokoviNeaktivni(nullptr);
    PostaviSelektovaniBlok(nullptr);
    PostaniAktivna();
}

void TSKEMRadnaPovrsina::DrzacOslobodjen(TDrzac* h) {
    if (h == SelektovaniDrzac) SelektovaniDrzac = nullptr;
    // A junction being drawn from this holder has nowhere to start any more.
    if (VezaUIzradi && VezaUIzradi->JeJunction && h == drzacJunctiona) OdbaciVezuUIzradi();
    const QList<TVeza*> junctions = h->Junctions;
    for (TVeza* j : junctions)
        ObrisiVezu(j);
    Javi(OnChange, this);
}

// ---- input ----

void TSKEMRadnaPovrsina::drawBackground(QPainter* p, const QRectF& rect) {
    p->fillRect(rect, Qt::white);
    const QRectF s = sceneRect();
    // A silver dot every 8 pixels, inside a one-pixel border.
    p->save();
    p->setBrushOrigin(0, 0);
    p->fillRect(s.adjusted(1, 1, -1, -1).intersected(rect), QBrush(mreza));
    // The border edge by edge, each cut to the part being drawn: the surface
    // may reach far beyond it.
    const QRectF ivice[] = {{s.left(), s.top(), s.width(), 1},
                            {s.left(), s.bottom() - 1, s.width(), 1},
                            {s.left(), s.top(), 1, s.height()},
                            {s.right() - 1, s.top(), 1, s.height()}};
    for (const QRectF& ivica : ivice)
        p->fillRect(ivica.intersected(rect), QColor(160, 160, 160));
    p->restore();
}

void TSKEMRadnaPovrsina::mousePressEvent(QGraphicsSceneMouseEvent* e) {
    QGraphicsScene::mousePressEvent(e);
    // A block, segment or holder took it and reported it.
    if (!mouseGrabberItem()) Alat().PovrsinaPritisnuta(e);
}

void TSKEMRadnaPovrsina::mouseMoveEvent(QGraphicsSceneMouseEvent* e) {
    QGraphicsScene::mouseMoveEvent(e);
    if (!mouseGrabberItem()) Alat().PovrsinaPredjena(e);
}

void TSKEMRadnaPovrsina::mouseReleaseEvent(QGraphicsSceneMouseEvent* e) {
    QGraphicsScene::mouseReleaseEvent(e);
    Alat().Pusteno(e);
}

void TSKEMRadnaPovrsina::keyPressEvent(QKeyEvent* e) {
    QGraphicsScene::keyPressEvent(e);
    Alat().TasterPritisnut(e);
}

bool TSKEMRadnaPovrsina::PrihvataPrevlacenje(QGraphicsSceneDragDropEvent* e) const {
    // Only palette items are dropped here.
    return e->mimeData() && e->mimeData()->hasFormat(QLatin1String(MimeStavkeKataloga)) &&
           e->source() && e->source()->inherits("TSkrolStavka");
}

void TSKEMRadnaPovrsina::dragEnterEvent(QGraphicsSceneDragDropEvent* e) {
    if (PrihvataPrevlacenje(e)) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->ignore();
    }
}

void TSKEMRadnaPovrsina::dragMoveEvent(QGraphicsSceneDragDropEvent* e) {
    dragEnterEvent(e);
}

void TSKEMRadnaPovrsina::dragLeaveEvent(QGraphicsSceneDragDropEvent* e) {
    e->accept();
}

void TSKEMRadnaPovrsina::dropEvent(QGraphicsSceneDragDropEvent* e) {
    TStavkaKataloga stavka;
    if (!PrihvataPrevlacenje(e) ||
        !DekodirajStavku(e->mimeData()->data(QLatin1String(MimeStavkeKataloga)), stavka)) {
        e->ignore();
        return;
    }
    e->setDropAction(Qt::CopyAction);
    e->accept();
    if (!stavka.Dokument.isEmpty()) {
        if (OnSpustiDokument) OnSpustiDokument(stavka.Dokument, e->scenePos().toPoint());
        return;
    }
    SpustiStavku(stavka, e->scenePos().toPoint());
}

// ---- the view ----

TSKEMPogled::TSKEMPogled(TSKEMRadnaPovrsina* povrsina_, QWidget* roditelj)
    : QGraphicsView(povrsina_, roditelj), povrsina(povrsina_) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    setDragMode(QGraphicsView::NoDrag);
    connect(povrsina, &QGraphicsScene::sceneRectChanged, this, [this] { PratiPovrsinu(); });
    PratiPovrsinu();
}

void TSKEMPogled::PratiPovrsinu() {
    // The surface, and at least the viewport from the origin on: a surface
    // smaller than the view that grows left or up then scrolls instead of
    // being moved across the view under the pointer.
    const QSizeF prozor = QSizeF(maximumViewportSize()) / uvecanje;
    setSceneRect(povrsina->sceneRect().united(QRectF(QPointF(0, 0), prozor)));
}

void TSKEMPogled::PostaviUvecanje(double u, std::optional<QPoint> tacka) {
    u = std::clamp(u, NajmanjeUvecanje, NajveceUvecanje);
    if (u == uvecanje) return;
    const QPoint mesto = tacka.value_or(viewport()->rect().center());
    const QPointF naDijagramu = mapToScene(mesto);
    uvecanje = u;
    setTransform(QTransform::fromScale(u, u));
    PratiPovrsinu();
    // Scrolled so the same diagram point is under the same place again.
    const QPoint pomak = mapFromScene(naDijagramu) - mesto;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + pomak.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + pomak.y());
    Javi(OnPromenaUvecanja, this);
}

namespace {
// The zoom steps, as the status bar shows them.
constexpr double StepeniUvecanja[] = {0.1, 0.25, 0.33, 0.5, 0.67, 0.75, 0.9, 1, 1.1, 1.25,
                                      1.5, 1.75, 2,    2.5, 3,    4,    5,   6, 8};
} // namespace

void TSKEMPogled::Uvecaj(std::optional<QPoint> tacka) {
    for (double u : StepeniUvecanja)
        if (u > uvecanje + 1e-9) return PostaviUvecanje(u, tacka);
}

void TSKEMPogled::Umanji(std::optional<QPoint> tacka) {
    for (auto i = std::size(StepeniUvecanja); i-- > 0;)
        if (StepeniUvecanja[i] < uvecanje - 1e-9) return PostaviUvecanje(StepeniUvecanja[i], tacka);
}

void TSKEMPogled::PrikaziSve() {
    QRectF sve = povrsina->itemsBoundingRect();
    if (sve.isEmpty()) {
        PostaviUvecanje(1);
        return;
    }
    sve.adjust(-16, -16, 16, 16);
    const QSize prozor = viewport()->size();
    PostaviUvecanje(std::min({1.0, prozor.width() / sve.width(), prozor.height() / sve.height()}));
    centerOn(sve.center());
}

void TSKEMPogled::PrikaziOblast(const QRectF& oblast) {
    constexpr int margina = 16; // view pixels kept beyond it
    const QSizeF mesto = QSizeF(viewport()->size() - QSize(2 * margina, 2 * margina)) / uvecanje;
    ensureVisible(QRectF(oblast.topLeft(), oblast.size().boundedTo(mesto.expandedTo({1, 1}))),
                  margina, margina);
}

QRectF TSKEMPogled::VidljivaOblast() const {
    return mapToScene(viewport()->rect()).boundingRect();
}

void TSKEMPogled::wheelEvent(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(e);
        return;
    }
    const QPoint tacka = e->position().toPoint();
    if (e->angleDelta().y() > 0)
        Uvecaj(tacka);
    else if (e->angleDelta().y() < 0)
        Umanji(tacka);
    e->accept();
}

void TSKEMPogled::keyPressEvent(QKeyEvent* e) {
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (ctrl && (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Equal)) {
        Uvecaj();
    } else if (ctrl && e->key() == Qt::Key_Minus) {
        Umanji();
    } else if (ctrl && e->key() == Qt::Key_0) {
        PostaviUvecanje(1);
    } else {
        QGraphicsView::keyPressEvent(e);
        return;
    }
    e->accept();
}

void TSKEMPogled::mousePressEvent(QMouseEvent* e) {
    pritisnutaDugmad = int(e->buttons());
    if (e->button() != Qt::MiddleButton) {
        QGraphicsView::mousePressEvent(e);
        return;
    }
    pomeranje = e->position().toPoint();
    viewport()->setCursor(Qt::ClosedHandCursor);
    e->accept();
}

void TSKEMPogled::mouseMoveEvent(QMouseEvent* e) {
    if (!pomeranje) {
        QGraphicsView::mouseMoveEvent(e);
        return;
    }
    const QPoint sada = e->position().toPoint();
    const QPoint pomak = sada - *pomeranje;
    pomeranje = sada;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - pomak.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - pomak.y());
    e->accept();
}

void TSKEMPogled::mouseReleaseEvent(QMouseEvent* e) {
    pritisnutaDugmad = int(e->buttons());
    if (!pomeranje || e->button() != Qt::MiddleButton) {
        QGraphicsView::mouseReleaseEvent(e);
        return;
    }
    pomeranje.reset();
    viewport()->unsetCursor();
    e->accept();
}

void TSKEMPogled::resizeEvent(QResizeEvent* e) {
    QGraphicsView::resizeEvent(e);
    PratiPovrsinu();
}

QPoint TSKEMPogled::Skrol() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TSKEMPogled::PostaviSkrol(QPoint p) {
    horizontalScrollBar()->setValue(p.x());
    verticalScrollBar()->setValue(p.y());
}

void TSKEMPogled::focusInEvent(QFocusEvent* e) {
    QGraphicsView::focusInEvent(e);
    povrsina->PostaviSkrol(povrsina->PozicijaSkrola);
}

void TSKEMPogled::focusOutEvent(QFocusEvent* e) {
    povrsina->PozicijaSkrola = Skrol();
    QGraphicsView::focusOutEvent(e);
}

void TSKEMPogled::scrollContentsBy(int dx, int dy) {
    QGraphicsView::scrollContentsBy(dx, dy);
    // Scrolling while the surface has no focus must not be undone when it gets it back.
    povrsina->PozicijaSkrola = Skrol();
}
