#include "unVeza.h"

#include "unDrzac.h"
#include "unLinija.h"

#include <QGraphicsScene>
#include <cstdlib>

TVeza::TVeza(QGraphicsScene* prozor_, QPoint pocetak_, QPoint kraj_)
    : pocetak(pocetak_), kraj(kraj_), prozor(prozor_) {
    Linije.append(NovaLinija(pocetak, kraj));
}

TVeza::~TVeza() {
    // The blocks forget this connection first.
    Javi(OnOdvojiKraj, this);
    Javi(OnOdvojiPocetak, this);
    // Holders go from the first on; each takes the segment before it along and
    // deletes, through the workspace, the junctions that start at it.
    while (!Drzaci.isEmpty()) {
        TDrzac* h = Drzaci.takeFirst();
        h->OnDrzacMove = nullptr;
        h->OnDrzacClick = nullptr;
        if (h->LinijaPre) {
            Linije.removeOne(h->LinijaPre);
            ObrisiOdlozeno(h->LinijaPre);
        }
        if (AktivniDrzac == h) AktivniDrzac = nullptr;
        if (PoslednjiDrzac == h) PoslednjiDrzac = nullptr;
        h->Unisti();
    }
    for (TLinija* s : Linije)
        ObrisiOdlozeno(s);
    Linije.clear();
}

TLinija* TVeza::NovaLinija(QPoint a, QPoint b) {
    auto* s = new TLinija;
    if (prozor) prozor->addItem(s);
    s->PostaviBoju(boja);
    s->OnMouseUp = [this](TLine* l, Qt::MouseButton dugme, Qt::KeyboardModifiers shift, int x,
                          int y) { LinijaPustena(l, dugme, shift, x, y); };
    s->PostaviTacke(a, b);
    return s;
}

void TVeza::SetBoja(const QColor& c) {
    if (c == boja) return;
    boja = c;
    Osvezi();
}

void TVeza::PostaviPocetak(QPoint p) {
    if (p == pocetak) return;
    pocetak = p;
    Osvezi();
}

void TVeza::PostaviKraj(QPoint p) {
    if (p == kraj) return;
    kraj = p;
    Osvezi();
}

void TVeza::OsveziLiniju(TLinija* s, QPoint a, QPoint b) {
    if (s->TackaA() == a && s->TackaB() == b) return;
    s->PostaviTacke(a, b);
    s->SetSelektovana(aktivno);
    s->PostaviBoju(boja);
    s->update();
}

void TVeza::Osvezi() {
    if (Drzaci.isEmpty()) {
        TLinija* s = Linije.first();
        s->PostaviTacke(pocetak, kraj);
        s->PostaviBoju(boja);
        s->update();
        return;
    }
    QPoint c = pocetak;
    for (TDrzac* h : Drzaci) {
        if (h->LinijaPre) OsveziLiniju(h->LinijaPre, c, h->TackaDrzaca());
        c = h->TackaDrzaca();
    }
    if (TLinija* s = Drzaci.last()->LinijaPosle) OsveziLiniju(s, c, kraj);
}

void TVeza::SetAktivno(bool v) {
    aktivno = v;
    if (v) {
        AktivniDrzac = nullptr;
        Javi(JeJunction ? OnJunctionAktivirana : OnAktivirana, this);
    } else {
        Javi(JeJunction ? OnJunctionDeaktivirana : OnDeaktivirana, this);
    }
}

void TVeza::SveLinijeSelektovane(bool v) {
    for (TLinija* s : Linije)
        s->SetSelektovana(v);
}

void TVeza::SviDrzaciNeaktivni(TDrzac* osim) {
    for (TDrzac* h : Drzaci)
        if (h != osim) h->SetAktivno(false);
}

void TVeza::Selektuj() {
    AktivniDrzac = nullptr;
    SetAktivno(true);
    SveLinijeSelektovane(true);
    SviDrzaciNeaktivni();
}

void TVeza::Deselektuj() {
    AktivniDrzac = nullptr;
    SetAktivno(false);
    SveLinijeSelektovane(false);
    SviDrzaciNeaktivni();
}

void TVeza::PretplatiSe(TDrzac* h) {
    h->OnDrzacMove = [this](TDrzac* d) { DrzacPomeren(d); };
    h->OnDrzacClick = [this](TDrzac* d) { DrzacKliknut(d); };
    h->OnDrzacFree = [this](TDrzac* d) { Javi(OnDrzacOslobodjen, d); };
}

void TVeza::LinijaPustena(TLine* linija, Qt::MouseButton dugme, Qt::KeyboardModifiers, int x,
                          int y) {
    // The handlers may destroy this connection: nothing may follow them.
    if (dugme == Qt::RightButton) {
        Javi(OnDesniKlik, this);
    } else if (OnLinijaKliknuta) {
        Javi<TVeza*, TLine*, int, int>(OnLinijaKliknuta, this, linija, x, y);
    } else {
        KlikNaLiniju(linija, x, y, TKlikNaLiniji::SamoIzbor);
    }
}

void TVeza::KlikNaLiniju(TLine* linija, int x, int y, TKlikNaLiniji sta) {
    auto* s = qgraphicsitem_cast<TLinija*>(linija);
    // A click toggles the selection, as the clicked segment shows it; a
    // selected one is deselected and the deselection reported twice.
    if (s ? s->Selektovana() : aktivno) {
        Deselektuj();
        SetAktivno(false);
    } else {
        Selektuj();
    }
    SveLinijeSelektovane(aktivno);

    if (!s || !Linije.contains(s) || sta == TKlikNaLiniji::SamoIzbor) return;
    const int left = x - 6 + s->Left();
    const int top = y - 6 + s->Top();
    for (TDrzac* e : Drzaci)
        if (std::abs(left - e->Left()) < 18 && std::abs(top - e->Top()) < 18) return;

    TDrzac* h = UmetniDrzac(s, left, top);
    Deselektuj();
    if (sta == TKlikNaLiniji::DodajPocetakJunctiona) PoslednjiDrzac = h;
    if (pravimDrzac) poslednjiDodat = h;
    Javi(OnDrzacDodat, this);
}

TDrzac* TVeza::UmetniDrzac(TLinija* s, int left, int top) {
    auto* h = new TDrzac;
    if (prozor) prozor->addItem(h);
    DonesiNapred(h);
    // Subscribed before it is placed: placing it is its first move, reported
    // like every later one.
    PretplatiSe(h);
    h->SetAktivno(false);
    h->PostaviPoziciju(left, top);
    h->LinijaPre = s;

    const QPoint staraB = s->TackaB();
    TLinija* s2 = NovaLinija(h->TackaDrzaca(), staraB);
    s2->SetSelektovana(aktivno);
    s->PostaviTacke(s->TackaA(), h->TackaDrzaca());
    switch (s->Tip()) {
    case vlKrug:
    case vlBez:
        s2->SetTip(vlBez);
        break;
    case vlStrelica:
        s->SetTip(vlBez);
        s2->SetTip(vlStrelica);
        break;
    default:
        s->SetTip(vlKrug);
        s2->SetTip(vlStrelica);
        break;
    }
    h->LinijaPosle = s2;

    // The last segment ends at no holder: a path built from its start towards
    // its end only appends.
    if (s == Linije.last()) {
        Linije.append(s2);
        Drzaci.append(h);
        return h;
    }
    Linije.insert(Linije.indexOf(s) + 1, s2);
    int mesto = -1;
    for (int i = 0; i < Drzaci.size(); ++i)
        if (Drzaci[i]->LinijaPre == s) mesto = i;
    if (mesto >= 0) {
        Drzaci[mesto]->LinijaPre = s2;
        Drzaci.insert(mesto, h);
    } else {
        Drzaci.append(h);
    }
    return h;
}

TDrzac* TVeza::DodajDrzacNa(QPoint p) {
    pravimDrzac = true;
    poslednjiDodat = nullptr;
    TLinija* s = Linije.last();
    KlikNaLiniju(s, p.x() - s->Left(), p.y() - s->Top(), TKlikNaLiniji::DodajDrzac);
    pravimDrzac = false;
    return poslednjiDodat;
}

TDrzac* TVeza::ObnoviDrzac(QPoint p) {
    // A click would select the whole connection and deselect it again, touching
    // every segment and holder each time; this reaches the same state directly.
    if (aktivno || AktivniDrzac) Deselektuj();
    TDrzac* h = UmetniDrzac(Linije.last(), p.x() - 6, p.y() - 6);
    Javi(OnDrzacDodat, this);
    return h;
}

void TVeza::UkloniDrzac(TDrzac* h) {
    if (!h || Drzaci.isEmpty() || !Drzaci.contains(h)) return;
    TLinija* p = h->LinijaPre;
    TLinija* q = h->LinijaPosle;
    TDrzac* e = nullptr;
    for (TDrzac* d : Drzaci)
        if (d != h && d->LinijaPre == q) e = d;
    if (e) {
        e->LinijaPre = p;
        p->PostaviTacke(p->TackaA(), e->TackaDrzaca());
    } else {
        // h was the last holder: p now reaches the end.
        p->PostaviTacke(p->TackaA(), kraj);
        p->SetTip(p == Linije.first() ? vlKrugIStrelica : vlStrelica);
    }
    h->OnDrzacClick = nullptr;
    h->OnDrzacMove = nullptr;
    Drzaci.removeOne(h);
    Linije.removeOne(q);
    AktivniDrzac = nullptr;
    if (PoslednjiDrzac == h) PoslednjiDrzac = nullptr;
    ObrisiOdlozeno(q);
    h->Unisti();
}

TVeza* TVeza::NapraviJunction(QPoint p) {
    TDrzac* g = PoslednjiDrzac;
    if (!g) return nullptr;
    auto* j = new TVeza(prozor, g->TackaDrzaca(), p);
    j->SetAktivno(false);
    j->JeJunction = true;
    j->SetBoja(Qt::black);
    j->Roditelj = this;
    // Until the workspace rewires it, the junction reports through its parent.
    j->OnJunctionAktivirana = [this](TVeza* posiljalac) {
        if (posiljalac->JeJunction) Deselektuj();
        Javi(OnJunctionAktivirana, this);
    };
    j->OnJunctionDeaktivirana = [this](TVeza*) { Javi(OnJunctionDeaktivirana, this); };
    g->Junctions.append(j);
    g->OnDeleteJunction = [](TDrzac* d) { d->update(); };
    g->update();
    return j;
}

void TVeza::DrzacPomeren(TDrzac* h) {
    for (TVeza* j : h->Junctions)
        j->PostaviPocetak(h->TackaDrzaca());
    Javi(OnDrzacPomeren, this);
    // A holder being placed is on no segment yet: nothing of the path moved.
    if (h->LinijaPre) Osvezi();
}

void TVeza::DrzacKliknut(TDrzac* h) {
    PoslednjiDrzac = h;
    // A second click on the selected holder draws it inactive; it stays AktivniDrzac.
    if (AktivniDrzac) AktivniDrzac->SetAktivno(false);
    AktivniDrzac = h;
    SetAktivno(false);
    SveLinijeSelektovane(false);
    SviDrzaciNeaktivni(h);
    AktivniDrzac = h;
    PoslednjiDrzac = h;
    Javi(OnDrzacIzabran, this);
}

TDrzac* TVeza::PocetniDrzac() const {
    if (!Roditelj) return nullptr;
    for (TDrzac* h : Roditelj->Drzaci)
        if (h->Junctions.contains(const_cast<TVeza*>(this))) return h;
    return nullptr;
}

TSKEMBlok* TVeza::KorenskiBlok() const {
    const TVeza* v = this;
    while (v->JeJunction && v->Roditelj)
        v = v->Roditelj;
    return v->PocBlok;
}
