// Undo and redo bring back exactly the document each step left; copies
// travel with the connections among them and paste with new numbers.
#include "Dokument.h"
#include "IstorijaIzmena.h"
#include "Medjuspremnik.h"
#include "PomocTesta.h"

#include <gtest/gtest.h>

namespace {

// a -> b with a bend, and a junction from a new holder on it to c.
struct TTriBloka : TOkruzenje {
    TSKEMBlok* a = Spusti({40, 40});
    TSKEMBlok* b = Spusti({400, 40});
    TSKEMBlok* c = Spusti({400, 300});
    TVeza* g = NacrtajVezu(a, b, {QPoint(250, 66)});
    TVeza* Junction() {
        rp.SetStanje(rpsKreirajJunctionEx);
        Klikni(v(), {170, 66});
        Pomeri(v(), Sredina(c));
        Klikni(v(), Sredina(c));
        return c->Ulazi[0];
    }
};

} // namespace

TEST(Istorija, PonistavanjeVracaTacnoSvakiKorak) {
    TOkruzenje o;
    TIstorijaIzmena istorija(o.rp);
    QList<QByteArray> posle{DokumentUTekst(o.rp)};
    QStringList opisi;
    const auto korak = [&] {
        ASSERT_EQ(istorija.ZavrsiKorak(o.rp.OpisKoraka()), TIstorijaIzmena::TKraj::Zapamcen);
        o.rp.ZaboraviOpisKoraka();
        posle << DokumentUTekst(o.rp);
        opisi << istorija.OpisPonistavanja();
    };
    TSKEMBlok* a = o.Spusti({40, 40});
    korak();
    TSKEMBlok* b = o.Spusti({400, 40});
    korak();
    ASSERT_NE(o.NacrtajVezu(a, b, {QPoint(250, 66)}), nullptr);
    korak();
    TSKEMBlok* c = o.Spusti({400, 300});
    korak();
    o.rp.SetStanje(rpsKreirajJunctionEx);
    Klikni(o.v(), {170, 66});
    Pomeri(o.v(), TOkruzenje::Sredina(c));
    Klikni(o.v(), TOkruzenje::Sredina(c));
    korak();
    Prevuci(o.v(), TOkruzenje::Sredina(a), TOkruzenje::Sredina(a) + QPoint(0, 40));
    korak();
    Klikni(o.v(), TOkruzenje::Sredina(b));
    ASSERT_TRUE(o.rp.RotirajIzabrane(true));
    korak();
    PritisniTaster(o.v(), Qt::Key_Delete);
    korak();
    // Nothing changed: no step.
    EXPECT_EQ(istorija.ZavrsiKorak(QStringLiteral("nista")), TIstorijaIzmena::TKraj::BezIzmene);
    EXPECT_EQ(opisi,
              (QStringList{"dodavanje bloka 1", "dodavanje bloka 2", "veza od bloka 1 do bloka 2",
                           "dodavanje bloka 3", "junction veza do bloka 3", "pomeranje bloka 1",
                           "rotiranje bloka 2", "brisanje bloka 2"}));

    for (qsizetype i = posle.size() - 1; i > 0; --i) {
        EXPECT_EQ(istorija.OpisPonistavanja(), opisi[i - 1]);
        istorija.Ponisti();
        EXPECT_EQ(DokumentUTekst(o.rp), posle[i - 1]) << "undo to " << i - 1;
    }
    EXPECT_FALSE(istorija.MozePonistiti());
    for (qsizetype i = 1; i < posle.size(); ++i) {
        EXPECT_EQ(istorija.OpisPonavljanja(), opisi[i - 1]);
        istorija.Ponovi();
        EXPECT_EQ(DokumentUTekst(o.rp), posle[i]) << "redo to " << i;
    }
    EXPECT_FALSE(istorija.MozePonoviti());

    // The modified mark follows the history; a new step forgets redo.
    istorija.Ponisti();
    istorija.Ponisti();
    istorija.OznaciSacuvano();
    EXPECT_FALSE(istorija.Izmenjen());
    istorija.Ponovi();
    EXPECT_TRUE(istorija.Izmenjen());
    istorija.Ponisti();
    EXPECT_FALSE(istorija.Izmenjen());
    o.Spusti({700, 500});
    korak();
    EXPECT_FALSE(istorija.MozePonoviti());
    EXPECT_TRUE(istorija.Izmenjen());
    istorija.Pocni();
    EXPECT_FALSE(istorija.MozePonistiti());
    EXPECT_FALSE(istorija.Izmenjen());
}

TEST(Medjuspremnik, KopijaNosiVezeMedjuKopiranimBlokovima) {
    TTriBloka o;
    ASSERT_NE(o.g, nullptr);
    TVeza* j = o.Junction();
    ASSERT_NE(j, nullptr);
    using L = QList<TSKEMBlok*>;

    // a and b: the connection and its holders come, the junction to c does
    // not. (A paste reads the whole document again: earlier pointers are gone.)
    o.rp.IzaberiBlokove(L{o.a, o.b});
    const QByteArray ab = IzborUTekst(o.rp);
    EXPECT_EQ(NalepiTekst(o.rp, ab), 2);
    ASSERT_EQ(o.rp.Blokovi().size(), 5);
    TSKEMBlok* a2 = o.rp.Blokovi()[3];
    TSKEMBlok* b2 = o.rp.Blokovi()[4];
    EXPECT_EQ(o.rp.IzabraniBlokovi(), (L{a2, b2}));
    EXPECT_EQ(a2->LokalniBroj(), 4);
    EXPECT_EQ(a2->pos(), o.rp.Blokovi()[0]->pos() + QPointF(16, 16));
    ASSERT_EQ(o.rp.Veze.size(), 3);
    TVeza* g2 = o.rp.Veze.last();
    EXPECT_EQ(g2->PocBlok, a2);
    EXPECT_EQ(g2->KrajBlok, b2);
    EXPECT_EQ(g2->Drzaci.size(), 2); // the bend and the junction's holder
    EXPECT_TRUE(g2->Drzaci[0]->Junctions.isEmpty());

    // All three at the pointer: the junction comes along, hanging where it did.
    o.rp.IzaberiBlokove(o.rp.Blokovi().mid(0, 3));
    EXPECT_EQ(NalepiTekst(o.rp, IzborUTekst(o.rp), QPoint(1000, 1200)), 3);
    ASSERT_EQ(o.rp.Blokovi().size(), 8);
    EXPECT_EQ(o.rp.Blokovi()[5]->pos(), QPointF(1000, 1200));
    TSKEMBlok* c3 = o.rp.Blokovi()[7];
    ASSERT_NE(c3->Ulazi[0], nullptr);
    EXPECT_TRUE(c3->Ulazi[0]->JeJunction);
    EXPECT_EQ(c3->IzvorUlaza(0), o.rp.Blokovi()[5]);

    // Text that is no document changes nothing.
    const QByteArray pre = DokumentUTekst(o.rp);
    for (const char* los : {"nije xml", "<Drugo/>",
                            "<SKEMDokument><Blokovi><Blok><Left>x</Left></Blok></Blokovi>"
                            "</SKEMDokument>"})
        EXPECT_THROW(NalepiTekst(o.rp, los), TGreskaDokumenta) << los;
    EXPECT_EQ(DokumentUTekst(o.rp), pre);
    o.rp.IzaberiBlokove({});
    EXPECT_TRUE(IzborUTekst(o.rp).isEmpty());
}
