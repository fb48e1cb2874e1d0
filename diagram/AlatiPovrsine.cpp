#include "AlatiPovrsine.h"

#include "Dijalozi.h"
#include "SKEMBlok.h"
#include "unDrzac.h"

#include <QGraphicsRectItem>
#include <QGraphicsSceneMouseEvent>
#include <QHash>
#include <QKeyEvent>
#include <QPen>
#include <algorithm>

namespace {

// Whether connection c has both ends among the moved blocks: its end block
// is one of them, and so is its start block or, for a junction, the holder
// it starts at goes along with its parent connection. `znano` keeps the
// answers found so far.
bool ObaKrajaSePomeraju(const TVeza* c, const QSet<const TSKEMBlok*>& pomereni,
                        QHash<const TVeza*, bool>& znano) {
    // Up the chain of parents until the answer is known; it holds for every
    // connection on the way, each depending on the next.
    QList<const TVeza*> put;
    bool pomera = false;
    for (const TVeza* v = c; v; v = v->Roditelj) {
        if (const auto z = znano.constFind(v); z != znano.cend()) {
            pomera = *z;
            break;
        }
        put.append(v);
        if (!pomereni.contains(v->KrajBlok)) break;
        if (!v->JeJunction) {
            pomera = pomereni.contains(v->PocBlok);
            break;
        }
    }
    for (const TVeza* v : std::as_const(put))
        znano.insert(v, pomera);
    return pomera;
}

} // namespace

// ---- selecting ----

TAlatPovrsine::TAlatPovrsine(TSKEMRadnaPovrsina& povrsina) : rp(povrsina) {}

TAlatPovrsine::~TAlatPovrsine() = default;

void TAlatPovrsine::Pocni() {
    okvir.reset();
    samoOvajAkoNePomeri = nullptr;
}

void TAlatPovrsine::BlokPritisnut(TSKEMBlok* b, QGraphicsSceneMouseEvent* e) {
    const bool levo = e->button() == Qt::LeftButton;
    if (levo && (e->modifiers() & Qt::ControlModifier)) {
        rp.PromeniIzbor(b);
        if (b->Aktivno()) b->ZapocniVucenje(e->pos());
        return;
    }
    if (levo) b->ZapocniVucenje(e->pos());
    if (!b->Aktivno()) {
        b->SetAktivno(true);
        rp.SetStanje(rpsSelektuj); // a holder command not yet used ends here
    } else if (levo && rp.IzabraniBlokovi().size() > 1) {
        samoOvajAkoNePomeri = b;
    }
}

void TAlatPovrsine::BlokDvaputKliknut(TSKEMBlok* b, QGraphicsSceneMouseEvent* e) {
    BlokPritisnut(b, e);
    if (e->button() == Qt::LeftButton && !(e->modifiers() & Qt::ControlModifier) &&
        b == rp.SelektovaniBlok)
        Javi(rp.OnParametriBloka, &rp);
}

void TAlatPovrsine::BlokVucen(TSKEMBlok* b, QPoint cilj) {
    samoOvajAkoNePomeri = nullptr;
    QList<TSKEMBlok*> grupa;
    if (b->Aktivno()) grupa = rp.IzabraniBlokovi();
    if (grupa.isEmpty()) grupa.append(b);
    int dx = cilj.x() - b->Left();
    int dy = cilj.y() - b->Top();
    for (const TSKEMBlok* g : std::as_const(grupa)) {
        dx = std::max(dx, 8 - g->Left());
        dy = std::max(dy, 8 - g->Top());
    }
    if (dx == 0 && dy == 0) return;
    rp.OpisiKorak(grupa.size() > 1 ? QStringLiteral("pomeranje blokova")
                                   : QStringLiteral("pomeranje bloka %1").arg(b->LokalniBroj()));
    for (TSKEMBlok* g : std::as_const(grupa))
        g->PostaviPoziciju(g->Left() + dx, g->Top() + dy);
    // The bends of the connections among the moved blocks go along, so the
    // wires keep their shape; one that reaches another block keeps its bends.
    // Every connection is an output of the block at its start (a junction, of
    // the block at the root of its chain).
    const QSet<const TSKEMBlok*> pomereni(grupa.cbegin(), grupa.cend());
    QHash<const TVeza*, bool> znano;
    for (const TSKEMBlok* g : std::as_const(grupa)) {
        const QList<TVeza*> izlazi = g->Izlazi;
        for (const TVeza* c : izlazi) {
            if (!ObaKrajaSePomeraju(c, pomereni, znano)) continue;
            const QList<TDrzac*> drzaci = c->Drzaci;
            for (TDrzac* h : drzaci)
                h->PostaviPoziciju(h->Left() + dx, h->Top() + dy);
        }
    }
}

void TAlatPovrsine::LinijaKliknuta(TVeza* c, TLine* s, int x, int y) {
    // The drawing in progress takes a bend wherever it is clicked, in every mode.
    c->KlikNaLiniju(s, x, y, c == rp.VezaUIzradi ? TKlikNaLiniji::DodajDrzac : KlikNaVezi(c));
}

void TAlatPovrsine::DrzacDodat(TVeza*) {
    rp.SetStanje(rpsSelektuj); // one holder per use of the command
}

void TAlatPovrsine::PovrsinaPritisnuta(QGraphicsSceneMouseEvent* e) {
    const bool crtaOkvir = BiraOkvirom() && e->button() == Qt::LeftButton && !rp.VezaUIzradi;
    const bool dodaje = crtaOkvir && (e->modifiers() & Qt::ControlModifier);
    // Nothing stays selected, unless a frame adds to the selected blocks.
    if (!dodaje) rp.BlokoviNeaktivni(nullptr);
    rp.DeselektujSve(nullptr);
    rp.SetStanje(rpsSelektuj);
    rp.SelektovanaVeza = nullptr;
    if (!dodaje) rp.PostaviSelektovaniBlok(nullptr);
    rp.SelektovaniDrzac = nullptr;
    // A drawing in progress is kept; its end goes to the pressed point.
    if (rp.VezaUIzradi) rp.VezaUIzradi->PostaviKraj(e->scenePos().toPoint());
    rp.PostaniAktivna();
    e->accept();
    if (!crtaOkvir) return;
    // The tool of the new mode draws the frame.
    TAlatPovrsine& alat = rp.Alat();
    alat.pocetakOkvira = e->scenePos();
    alat.okvirDodaje = dodaje;
    alat.okvir = std::make_unique<QGraphicsRectItem>(QRectF(e->scenePos(), QSizeF(0, 0)));
    alat.okvir->setPen(QPen(Qt::blue, 0, Qt::DashLine));
    alat.okvir->setAcceptedMouseButtons(Qt::NoButton);
    alat.okvir->setZValue(1e9);
    rp.addItem(alat.okvir.get());
}

void TAlatPovrsine::PovrsinaPredjena(QGraphicsSceneMouseEvent* e) {
    if (okvir) {
        okvir->setRect(QRectF(pocetakOkvira, e->scenePos()).normalized());
        return;
    }
    if (!rp.VezaUIzradi) return;
    // Over a block, BlokPredjen places the end at the block's input side instead.
    QGraphicsItem* gore = rp.itemAt(e->scenePos(), QTransform());
    if (gore && gore->type() == TSKEMBlok::Type) return;
    rp.VezaUIzradi->PostaviKraj(e->scenePos().toPoint());
}

void TAlatPovrsine::Pusteno(QGraphicsSceneMouseEvent*) {
    if (okvir) ZavrsiOkvir();
    if (TSKEMBlok* b = std::exchange(samoOvajAkoNePomeri, nullptr)) {
        b->SetAktivno(true); // selected again, it deselects the others
    }
}

void TAlatPovrsine::ZavrsiOkvir() {
    const QRectF r = okvir->rect();
    okvir.reset();
    // A plain click on the free surface draws no frame.
    if (r.width() < 2 && r.height() < 2) return;
    rp.IzaberiUPravougaoniku(r, okvirDodaje);
}

void TAlatPovrsine::TasterPritisnut(QKeyEvent* e) {
    if (e->key() == Qt::Key_Delete) {
        rp.ObrisiSelektovano();
        e->accept();
    } else if (e->matches(QKeySequence::SelectAll)) {
        rp.IzaberiSve();
        e->accept();
    }
}

// ---- drawing connections and junctions ----

void TAlatCrtanjaVeze::BlokPredjen(TSKEMBlok* b) {
    if (TVeza* c = rp.VezaUIzradi) c->PostaviKraj(b->TackaUlaza(c));
}

TIshodVeze TAlatCrtanjaVeze::PrihvatiVezu(const TIzborUlazaVeze& izbor) {
    TVeza* c = rp.VezaUIzradi;
    if (!c || !c->KrajBlok) return TIshodVeze::NemaVeze;
    TSKEMBlok* b = c->KrajBlok;
    if (b->MaxUlaznihVeza <= 0) {
        Odbij(QStringLiteral("Blok: <") + b->Naziv +
              QStringLiteral("> ne moze da ima ulaznu vezu!"));
        return TIshodVeze::Odbijena;
    }
    // A subsystem has a slot for each of its inputs, any other block three.
    const int slotova = b->Podsistem ? b->MaxUlaznihVeza : 3;
    const auto slobodan = [b, slotova](int k) {
        if (k < 0 || k >= slotova || (k > 0 && k >= b->MaxUlaznihVeza)) return false;
        return !(k < 3 ? b->Ulazi[size_t(k)] : b->DaljiUlazi.value(k - 3));
    };
    const std::array<bool, 3> slobodni{slobodan(0), slobodan(1), slobodan(2)};
    int prvi = 0;
    while (prvi < slotova && !slobodan(prvi))
        ++prvi;
    if (prvi >= slotova) {
        Odbij(QStringLiteral("Maksinalni broj ulaznih veza za blok <") + b->Naziv +
              QStringLiteral("> je ") + QString::number(b->MaxUlaznihVeza) + QStringLiteral("!"));
        return TIshodVeze::Odbijena;
    }

    const int k = izbor ? izbor(*b, slobodni) : prvi;
    const bool povezana = slobodan(k);
    if (povezana) {
        b->PoveziUlaz(c, k);
        b->OsveziVeze();
    } else {
        rp.VezaUIzradi = nullptr;
        rp.ObrisiVezu(c);
    }
    rp.PostaviSelektovaniBlok(b);
    if (rp.SelektovaniBlok) rp.SelektovaniBlok->SetAktivno(true);
    return povezana ? TIshodVeze::Povezana : TIshodVeze::Otkazana;
}

void TAlatCrtanjaVeze::Odbij(const QString& poruka) {
    TVeza* c = rp.VezaUIzradi;
    TVeza* roditelj = crtaJunction ? c->Roditelj : nullptr;
    // Only a holder made for this junction goes; one the user placed before stays.
    TDrzac* drzac = roditelj ? rp.NoviDrzacJunctiona() : nullptr;
    Dijalozi().Poruka(poruka);
    // The connection goes first, so the holder it started at no longer lists it.
    rp.VezaUIzradi = nullptr;
    rp.ObrisiVezu(c);
    if (drzac && rp.Veze.contains(roditelj) && roditelj->Drzaci.contains(drzac) &&
        drzac->Junctions.isEmpty())
        roditelj->UkloniDrzac(drzac);
}

void TAlatVeze::BlokPritisnut(TSKEMBlok* b, QGraphicsSceneMouseEvent* e) {
    if (!rp.PocetniBlok) {
        // A subsystem's connection starts at the output nearest the press.
        Zapocni(b, e ? b->NajbliziIzlaz(e->scenePos()) : 0);
    } else if (b == rp.PocetniBlok) {
        rp.OdbaciVezuUIzradi();
        rp.SetStanje(rpsSelektuj);
    } else {
        Zavrsi(b);
    }
}

void TAlatVeze::Zapocni(TSKEMBlok* s, int izlaz) {
    if (s->BrojIzlaza() == 0) {
        Dijalozi().Greska(QStringLiteral("Podsistem nema nijedan izlaz!"));
        return;
    }
    // One connection from each output; the rest branch off it as junctions.
    const bool zauzet = std::any_of(s->Izlazi.cbegin(), s->Izlazi.cend(),
                                    [izlaz](const TVeza* c) { return c->IzlazPocBloka == izlaz; });
    if (zauzet) {
        Dijalozi().Greska(SaPrelomima(
            QStringLiteral("Iz ovog bloka vec postoji izlaz!\r    Koristite junction vezu!")));
        return;
    }
    rp.OdbaciVezuUIzradi();
    rp.PocetniBlok = s;
    auto* c = new TVeza(&rp, s->TackaIzlaza(izlaz), s->TackaIzlaza(izlaz));
    c->IzlazPocBloka = izlaz;
    rp.VezaUIzradi = c;
    c->OnDrzacPomeren = rp.KopijaOnChange<TVeza>();
    c->OnDesniKlik = [p = &rp](TVeza* v) { p->OtkaziVezu(v); };
    c->OnLinijaKliknuta = rp.KlikNaLinijuZaAlat();
}

void TAlatVeze::Zavrsi(TSKEMBlok* d) {
    TVeza* c = rp.VezaUIzradi;
    TSKEMBlok* s = rp.PocetniBlok;
    c->OnOdvojiPocetak = [s](TVeza* v) { s->UkloniIzlaz(v); };
    c->OnOdvojiKraj = [d](TVeza* v) { d->OdvojiUlaz(v); };
    c->PocBlok = s;
    c->KrajBlok = d;
    rp.OpisiKorak(
        QStringLiteral("veza od bloka %1 do bloka %2").arg(s->LokalniBroj()).arg(d->LokalniBroj()));
    s->DodajIzlaz(c);
    rp.PoveziNotifikacije(c);
    c->PostaviKraj(d->TackaUlaza(c));
    rp.Veze.append(c);
    Javi(rp.OnPoveziVezu, &rp);
    rp.PocetniBlok = nullptr;
    rp.VezaUIzradi = nullptr;
    rp.SetStanje(rpsSelektuj);
}

void TAlatJunctiona::BlokPritisnut(TSKEMBlok* b, QGraphicsSceneMouseEvent*) {
    if (rp.VezaUIzradi && rp.VezaUIzradi->JeJunction)
        Zavrsi(b);
    else
        rp.SetStanje(rpsSelektuj);
}

TKlikNaLiniji TAlatJunctiona::KlikNaVezi(const TVeza* c) const {
    return saIzabranimDrzacem.contains(c) ? TKlikNaLiniji::SamoIzbor
                                          : TKlikNaLiniji::DodajPocetakJunctiona;
}

void TAlatJunctiona::DrzacDodat(TVeza* g) {
    saIzabranimDrzacem.insert(g);
    Zapocni(g, true);
}

void TAlatJunctiona::DrzacIzabran(TVeza* g) {
    saIzabranimDrzacem.insert(g);
    Zapocni(g, false);
}

void TAlatJunctiona::Zapocni(TVeza* g, bool noviDrzac) {
    TDrzac* h = g->PoslednjiDrzac;
    if (!h) return;
    rp.OdbaciVezuUIzradi(h);
    TVeza* j = g->NapraviJunction(h->TackaDrzaca());
    if (!j) return;
    rp.VezaUIzradi = j;
    j->IzlazPocBloka = g->IzlazPocBloka; // a junction carries its root's output
    rp.PocetniBlok = nullptr;
    rp.drzacJunctiona = h;
    rp.drzacJunctionaNov = noviDrzac;
    j->SetBoja(Qt::black);
    j->SetAktivno(false);
    j->JeJunction = true;
    j->OnDesniKlik = [p = &rp](TVeza* c) { p->OtkaziVezu(c); };
    j->OnLinijaKliknuta = rp.KlikNaLinijuZaAlat();
    // Like a junction read from a document: a moved holder changes the document.
    j->OnDrzacPomeren = rp.KopijaOnChange<TVeza>();
}

void TAlatJunctiona::Zavrsi(TSKEMBlok* d) {
    TVeza* j = rp.VezaUIzradi;
    TSKEMBlok* koren = j->KorenskiBlok();
    if (!koren) {
        rp.SetStanje(rpsSelektuj);
        return;
    }
    j->PocBlok = koren;
    j->KrajBlok = d;
    rp.OpisiKorak(QStringLiteral("junction veza do bloka %1").arg(d->LokalniBroj()));
    j->OnOdvojiKraj = [d](TVeza* v) { d->OdvojiUlaz(v); };
    rp.PoveziNotifikacije(j);
    rp.Veze.append(j);
    koren->DodajIzlaz(j);
    Javi(rp.OnPoveziVezu, &rp);
    rp.PocetniBlok = nullptr;
    rp.VezaUIzradi = nullptr;
    rp.drzacJunctiona = nullptr;
    rp.SetStanje(rpsSelektuj);
}
