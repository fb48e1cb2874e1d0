// A connection on its own: holders added and removed, tips, the spacing
// rule, selection toggling, holder clicks and moves, destruction.
#include "PomocTesta.h"

#include <QGraphicsScene>
#include <gtest/gtest.h>

namespace {

struct TVezaNaSceni {
    QGraphicsScene scena{0, 0, 1500, 1500};
    std::unique_ptr<TVeza> c = std::make_unique<TVeza>(&scena, QPoint(100, 100), QPoint(500, 100));
    ~TVezaNaSceni() {
        c.reset();
        IsprazniOdlozeno();
    }
    QList<int> Tipovi() const {
        QList<int> t;
        for (TLinija* s : c->Linije)
            t << s->Tip();
        return t;
    }
    // Every segment starts where the previous one ended, from Pocetak to Kraj.
    bool PutanjaNeprekinuta() const {
        QPoint tacka = c->Pocetak();
        for (int i = 0; i < c->Linije.size(); ++i) {
            if (c->Linije[i]->TackaA() != tacka) return false;
            tacka = c->Linije[i]->TackaB();
            if (i < c->Drzaci.size() &&
                (c->Drzaci[i]->TackaDrzaca() != tacka || c->Drzaci[i]->LinijaPre != c->Linije[i] ||
                 c->Drzaci[i]->LinijaPosle != c->Linije[i + 1]))
                return false;
        }
        return tacka == c->Kraj() && c->Linije.size() == c->Drzaci.size() + 1;
    }
};

} // namespace

TEST(Veza, DrzaciDeleLinijeIVracajuOznake) {
    TVezaNaSceni t;
    EXPECT_EQ(t.Tipovi(), QList<int>{4});
    TDrzac* h1 = t.c->DodajDrzacNa({300, 100});
    ASSERT_NE(h1, nullptr);
    EXPECT_EQ(QPoint(h1->Left(), h1->Top()), QPoint(294, 94));
    EXPECT_EQ(h1->TackaDrzaca(), QPoint(299, 99));
    EXPECT_EQ(t.Tipovi(), (QList<int>{1, 3}));
    TDrzac* h2 = t.c->DodajDrzacNa({400, 100});
    ASSERT_NE(h2, nullptr);
    EXPECT_EQ(t.Tipovi(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(t.c->Drzaci, (QList<TDrzac*>{h1, h2}));
    EXPECT_TRUE(t.PutanjaNeprekinuta());
    EXPECT_FALSE(t.c->Aktivno()); // the click toggled it on and the addition off again

    // A click on the first segment puts its holder before the others.
    TLinija* prva = t.c->Linije.first();
    prva->OnMouseUp(prva, Qt::LeftButton, Qt::NoModifier, 200 - prva->Left(), 100 - prva->Top());
    EXPECT_EQ(t.c->Drzaci.size(), 2); // outside a workspace a click only selects
    t.c->KlikNaLiniju(prva, 200 - prva->Left(), 100 - prva->Top(), TKlikNaLiniji::DodajDrzac);
    ASSERT_EQ(t.c->Drzaci.size(), 3);
    TDrzac* h0 = t.c->Drzaci.first();
    EXPECT_EQ(h0->TackaDrzaca(), QPoint(199, 99));
    EXPECT_EQ(t.Tipovi(), (QList<int>{1, 2, 2, 3}));
    EXPECT_TRUE(t.PutanjaNeprekinuta());

    // Moving a holder bends the path there.
    h1->PostaviPoziciju(294, 194);
    EXPECT_EQ(t.c->Linije[1]->TackaB(), QPoint(299, 199));
    EXPECT_TRUE(t.PutanjaNeprekinuta());

    t.c->UkloniDrzac(h1); // a middle one
    EXPECT_EQ(t.Tipovi(), (QList<int>{1, 2, 3}));
    EXPECT_TRUE(t.PutanjaNeprekinuta());
    t.c->UkloniDrzac(h2); // the last one
    EXPECT_EQ(t.Tipovi(), (QList<int>{1, 3}));
    EXPECT_TRUE(t.PutanjaNeprekinuta());
    t.c->UkloniDrzac(h0);
    EXPECT_EQ(t.Tipovi(), QList<int>{4});
    EXPECT_TRUE(t.PutanjaNeprekinuta());
    t.c->UkloniDrzac(nullptr);
    EXPECT_EQ(t.c->Linije.size(), 1);
    int drzaca = 0;
    for (QGraphicsItem* i : t.scena.items())
        drzaca += i->type() == TDrzac::Type;
    EXPECT_EQ(drzaca, 0);
}

TEST(Veza, PostavljanjeNovogDrzacaJeNjegovPrviPomeraj) {
    TVezaNaSceni t;
    QStringList zapis;
    t.c->OnDrzacPomeren = [&](TVeza*) { zapis << "Pomeren"; };
    t.c->OnDrzacDodat = [&](TVeza*) { zapis << "Dodat"; };
    // The holder is subscribed before it is put at the clicked point, so that
    // move is reported before the addition is.
    ASSERT_NE(t.c->DodajDrzacNa({300, 100}), nullptr);
    EXPECT_EQ(zapis, (QStringList{"Pomeren", "Dodat"}));
    EXPECT_TRUE(t.PutanjaNeprekinuta());
    zapis.clear();
    ASSERT_NE(t.c->DodajDrzacNa({400, 100}), nullptr);
    EXPECT_EQ(zapis, (QStringList{"Pomeren", "Dodat"}));
    EXPECT_TRUE(t.PutanjaNeprekinuta());
    // A refused holder is never placed.
    zapis.clear();
    EXPECT_EQ(t.c->DodajDrzacNa({405, 105}), nullptr);
    EXPECT_TRUE(zapis.isEmpty());
}

TEST(Veza, RazmakIzmedjuDrzacaOd18Piksela) {
    TVezaNaSceni t;
    t.c->PostaviKraj({500, 400});
    ASSERT_NE(t.c->DodajDrzacNa({300, 250}), nullptr);
    // Refused when both Left and Top differ by less than 18.
    EXPECT_EQ(t.c->DodajDrzacNa({317, 267}), nullptr);
    EXPECT_EQ(t.c->DodajDrzacNa({283, 233}), nullptr);
    EXPECT_NE(t.c->DodajDrzacNa({318, 260}), nullptr);
    EXPECT_EQ(t.c->Drzaci.size(), 2);
    // A reader may rebuild holders that were dragged closer together.
    EXPECT_NE(t.c->ObnoviDrzac({320, 262}), nullptr);
    EXPECT_EQ(t.c->Drzaci.size(), 3);
    EXPECT_TRUE(t.PutanjaNeprekinuta());
}

TEST(Veza, KlikMenjaSelekcijuDesniSamoJavlja) {
    TVezaNaSceni t;
    QStringList zapis;
    t.c->OnAktivirana = [&](TVeza*) { zapis << "Aktivirana"; };
    t.c->OnDeaktivirana = [&](TVeza*) { zapis << "Deaktivirana"; };
    t.c->OnDesniKlik = [&](TVeza*) { zapis << "DesniKlik"; };
    TLinija* s = t.c->Linije.first();
    s->OnMouseUp(s, Qt::LeftButton, Qt::NoModifier, 50, 10);
    EXPECT_TRUE(t.c->Aktivno());
    EXPECT_EQ(s->LineStyle(), Qt::DotLine);
    s->OnMouseUp(s, Qt::LeftButton, Qt::NoModifier, 50, 10);
    EXPECT_FALSE(t.c->Aktivno());
    EXPECT_EQ(s->LineStyle(), Qt::SolidLine);
    EXPECT_EQ(zapis, (QStringList{"Aktivirana", "Deaktivirana", "Deaktivirana"}));
    zapis.clear();
    s->OnMouseUp(s, Qt::RightButton, Qt::NoModifier, 50, 10);
    EXPECT_EQ(zapis, QStringList{"DesniKlik"});
    EXPECT_FALSE(t.c->Aktivno());
    EXPECT_TRUE(t.c->Drzaci.isEmpty());
}

TEST(Veza, KlikNaDrzacIJunctionKojiGaPrati) {
    TOkruzenje o; // for real presses on the holder
    auto* c = new TVeza(&o.rp, QPoint(100, 100), QPoint(500, 100));
    TDrzac* h = c->DodajDrzacNa({300, 100});
    TDrzac* drugi = c->DodajDrzacNa({400, 100});
    int izabran = 0, pomeren = 0;
    c->OnDrzacIzabran = [&](TVeza*) { ++izabran; };
    c->OnDrzacPomeren = [&](TVeza*) { ++pomeren; };
    Klikni(o.v(), h->TackaDrzaca());
    EXPECT_EQ(izabran, 1);
    EXPECT_TRUE(h->Aktivno());
    EXPECT_EQ(h->ImageIndex(), 1);
    EXPECT_EQ(c->AktivniDrzac, h);
    EXPECT_EQ(c->PoslednjiDrzac, h);
    // A second click draws it inactive, yet it stays the active holder.
    Klikni(o.v(), h->TackaDrzaca());
    EXPECT_FALSE(h->Aktivno());
    EXPECT_EQ(c->AktivniDrzac, h);
    Klikni(o.v(), drugi->TackaDrzaca());
    EXPECT_EQ(c->AktivniDrzac, drugi);
    EXPECT_FALSE(h->Aktivno());

    // A junction starts at the holder and follows it when it is dragged.
    c->PoslednjiDrzac = h;
    TVeza* j = c->NapraviJunction({300, 300});
    ASSERT_NE(j, nullptr);
    EXPECT_TRUE(j->JeJunction);
    EXPECT_EQ(j->Roditelj, c);
    EXPECT_EQ(j->Pocetak(), h->TackaDrzaca());
    EXPECT_EQ(j->PocetniDrzac(), h);
    Prevuci(o.v(), h->TackaDrzaca(), h->TackaDrzaca() + QPoint(-30, 40));
    EXPECT_EQ(h->TackaDrzaca(), QPoint(269, 139));
    EXPECT_EQ(j->Pocetak(), QPoint(269, 139));
    EXPECT_GE(pomeren, 1);
    EXPECT_EQ(c->Linije[0]->TackaB(), QPoint(269, 139));
    h->UkloniJunction(j);
    delete j;
    delete c;
}

TEST(Veza, UnistenjeOdvajaBlokoveIOslobadjaDrzace) {
    TVezaNaSceni t;
    TSKEMBlok izvor, odrediste;
    odrediste.MaxUlaznihVeza = 2;
    t.c->PocBlok = &izvor;
    t.c->KrajBlok = &odrediste;
    t.c->OnOdvojiPocetak = [&](TVeza* v) { izvor.UkloniIzlaz(v); };
    t.c->OnOdvojiKraj = [&](TVeza* v) { odrediste.OdvojiUlaz(v); };
    izvor.DodajIzlaz(t.c.get());
    odrediste.PoveziUlaz(t.c.get(), 1);
    t.c->DodajDrzacNa({200, 100});
    t.c->DodajDrzacNa({300, 100});
    QList<TDrzac*> oslobodjeni;
    t.c->OnDrzacOslobodjen = [&](TDrzac* h) { oslobodjeni << h; };
    const QList<TDrzac*> drzaci = t.c->Drzaci;
    t.c.reset();
    EXPECT_EQ(oslobodjeni, drzaci);
    EXPECT_TRUE(izvor.Izlazi.isEmpty());
    EXPECT_EQ(odrediste.Ulazi[1], nullptr);
    EXPECT_TRUE(t.scena.items().isEmpty());
}
