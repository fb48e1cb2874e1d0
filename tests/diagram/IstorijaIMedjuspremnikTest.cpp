// Undo and redo bring back exactly the document each step left; copies
// travel with the connections among them and paste with new numbers.
#include "Dokument.h"
#include "IstorijaIzmena.h"
#include "Medjuspremnik.h"
#include "Podsistemi.h"
#include "PomocTesta.h"
#include "SKEMBlok.h"
#include "VrsteElemenata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
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

TEST(Istorija, PonistavanjeVelikogDijagramaGradiSamoRazliku) {
    // A chain of 2000 blocks, each bent once; undo and redo of each step
    // give the document's text back and rebuild only the blocks and
    // connections that step touched.
    QString blokovi, veze;
    constexpr int n = 2000;
    for (int i = 1; i <= n; ++i) {
        blokovi +=
            QStringLiteral("<Blok><Top>%1</Top><Left>%2</Left><Sifra>8</Sifra><Naziv>P</Naziv>"
                           "<LokalniBroj>%3</LokalniBroj><brparam>1</brparam><maxuveza>1</maxuveza>"
                           "<Parametar1>1</Parametar1><Parametar2>0</Parametar2>"
                           "<Parametar3>0</Parametar3><Smer>3</Smer></Blok>")
                .arg(20 + (i / 40) * 80)
                .arg(20 + (i % 40) * 100)
                .arg(i);
        if (i > 1)
            veze += QStringLiteral("<Veza><PocBlok>%1</PocBlok><KrajBlok>%2</KrajBlok>"
                                   "<GdeKrajBlok>0</GdeKrajBlok><Drzaci><Drzac><Top>%3</Top>"
                                   "<Left>%4</Left><Junctions/></Drzac></Drzaci></Veza>")
                        .arg(i - 1)
                        .arg(i)
                        .arg(30 + (i / 40) * 80)
                        .arg(10 + (i % 40) * 100);
    }
    const QByteArray xml =
        ("<SKEMDokument><Blokovi>" + blokovi + "</Blokovi><Veze>" + veze + "</Veze></SKEMDokument>")
            .toUtf8();
    const struct {
        const char* naziv;
        std::function<void(TSKEMRadnaPovrsina&)> izmena;
        int blokova, veza; // rebuilt by the undo, at most
    } koraci[] = {
        {"pomeranje tri bloka",
         [](TSKEMRadnaPovrsina& rp) {
             for (int i : {5, 900, 1999})
                 rp.Blokovi()[i]->PostaviPoziciju(rp.Blokovi()[i]->Left() + 30, 7);
             rp.Veze[3]->Drzaci[0]->PostaviPoziciju(300, 300);
         },
         0, 0},
        {"brisanje bloka u sredini",
         [](TSKEMRadnaPovrsina& rp) { rp.ObrisiBlok(rp.Blokovi()[1000]); }, 1, 2},
        {"nalepljivanje",
         [](TSKEMRadnaPovrsina& rp) {
             rp.IzaberiBlokove(rp.Blokovi().mid(10, 3));
             NalepiTekst(rp, IzborUTekst(rp));
         },
         0, 0},
        {"parametar", [](TSKEMRadnaPovrsina& rp) { rp.Blokovi()[7]->Parametar2 = 1.0 / 3; }, 0, 0},
    };
    for (const auto& k : koraci) {
        SCOPED_TRACE(k.naziv);
        TOkruzenje o;
        UcitajDokumentIzTeksta(o.rp, xml);
        TIstorijaIzmena istorija(o.rp);
        const QByteArray pre = DokumentUTekst(o.rp);
        k.izmena(o.rp);
        ASSERT_EQ(istorija.ZavrsiKorak(QStringLiteral("korak")), TIstorijaIzmena::TKraj::Zapamcen);
        const QByteArray posle = DokumentUTekst(o.rp);
        const QList<TSKEMBlok*> blokoviPosle = o.rp.Blokovi();
        const QList<TVeza*> vezePosle = o.rp.Veze;
        istorija.Ponisti();
        EXPECT_EQ(DokumentUTekst(o.rp), pre);
        int novihBlokova = 0, novihVeza = 0;
        for (TSKEMBlok* b : o.rp.Blokovi())
            novihBlokova += !blokoviPosle.contains(b);
        for (TVeza* c : o.rp.Veze)
            novihVeza += !vezePosle.contains(c);
        EXPECT_LE(novihBlokova, k.blokova);
        EXPECT_LE(novihVeza, k.veza);
        EXPECT_EQ(o.rp.SelektovaniBlok, o.rp.Blokovi().last());
        istorija.Ponovi();
        EXPECT_EQ(DokumentUTekst(o.rp), posle);
        // The workspace is whole: a connection's segments reach its holder.
        const TVeza* c = o.rp.Veze[3];
        EXPECT_EQ(c->Linije[0]->TackaB(), c->Drzaci[0]->TackaDrzaca());
    }
}

namespace {

// What a document computes, whatever its drawing: the blocks with their
// values and places, and which output feeds which input.
QStringList Sustina(const skem::TModelDokumenta& m) {
    QStringList r;
    for (const skem::TBlokModela& b : m.Blokovi)
        r << QStringLiteral("%1 %2 %3,%4 %5")
                 .arg(b.LokalniBroj)
                 .arg(b.Sifra)
                 .arg(b.Left)
                 .arg(b.Top)
                 .arg(b.Parametar1);
    QStringList veze;
    for (size_t v = 0; v < m.Veze.size(); ++v) {
        const skem::TVezaModela& c = m.Veze[v];
        if (m.IndeksUlaza(int(v)) == c.GdeKrajBlok)
            veze << QStringLiteral("%1.%2 -> %3.%4")
                        .arg(c.PocBlok + 1)
                        .arg(c.IzlazPocBloka)
                        .arg(c.KrajBlok + 1)
                        .arg(c.GdeKrajBlok);
    }
    veze.sort();
    return r + veze;
}

QByteArray Primer(const char* ime) {
    QFile f(QString::fromLocal8Bit(qgetenv("SKEM_SOURCE_DIR")) + "/examples/" + ime);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Podsistemi, NapraviOtvoriRazbijIPonistiKaoTekstDokumenta) {
    const struct {
        const char* primer;
        QList<int> izabrani; // local numbers
        int ulaza, izlaza;
    } slucajevi[] = {
        {"oscilator.skem", {2}, 1, 1},       // the junction back to 1 goes out
        {"oscilator.skem", {2, 3}, 1, 2},    // two signals leave
        {"oscilator.skem", {1, 2, 3}, 0, 0}, // all of it
        {"grananje.skem", {2}, 1, 1},        // a source whose junctions all go out
        {"grananje.skem", {3, 4, 5}, 1, 0},  // the whole tree goes in
        {"grananje.skem", {4}, 1, 0},        // its junctions stay out without it
        {"algebarska_petlja.skem", {4, 5, 6}, 2, 1},
    };
    for (const auto& s : slucajevi) {
        SCOPED_TRACE(s.primer + (" " + QString::number(s.izabrani.first())).toStdString());
        TOkruzenje o;
        UcitajDokumentIzTeksta(o.rp, Primer(s.primer));
        TIstorijaIzmena istorija(o.rp);
        const QByteArray pre = DokumentUTekst(o.rp);
        const QStringList sustina = Sustina(skem::UcitajModel(pre));
        QList<TSKEMBlok*> izabrani;
        for (int b : s.izabrani)
            izabrani << o.rp.Blokovi()[b - 1];
        o.rp.IzaberiBlokove(izabrani);
        ASSERT_TRUE(NapraviPodsistem(o.rp));
        ASSERT_EQ(istorija.ZavrsiKorak(o.rp.OpisKoraka()), TIstorijaIzmena::TKraj::Zapamcen);
        const QByteArray posle = DokumentUTekst(o.rp);
        TSKEMBlok* p = o.rp.SelektovaniBlok;
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->LokalniBroj(), s.izabrani.first());
        EXPECT_EQ(p->MaxUlaznihVeza, s.ulaza);
        EXPECT_EQ(
            skem::UlaziPodsistema(ModelPovrsine(o.rp).Model.Blokovi[size_t(p->LokalniBroj() - 1)])
                .size(),
            size_t(s.ulaza));
        EXPECT_EQ(
            skem::IzlaziPodsistema(ModelPovrsine(o.rp).Model.Blokovi[size_t(p->LokalniBroj() - 1)])
                .size(),
            size_t(s.izlaza));
        // Broken up again, it computes what it did, from the same places.
        EXPECT_EQ(Sustina(RazbijPodsistemUModelu(skem::UcitajModel(posle), p->LokalniBroj() - 1)),
                  sustina);

        // One undo step, redone to the same text.
        istorija.Ponisti();
        EXPECT_EQ(DokumentUTekst(o.rp), pre);
        istorija.Ponovi();
        EXPECT_EQ(DokumentUTekst(o.rp), posle);

        // Copied into another document, it brings its content along.
        p = o.rp.Blokovi()[s.izabrani.first() - 1];
        o.rp.IzaberiBlokove({p});
        TOkruzenje drugi;
        ASSERT_EQ(NalepiTekst(drugi.rp, IzborUTekst(o.rp)), 1);
        EXPECT_EQ(skem::ModelUTekst(ModelDokumenta(drugi.rp).Blokovi[0].Podsistem->Sadrzaj),
                  skem::ModelUTekst(p->Podsistem->Sadrzaj));

        // Opened, edited inside and left: one document, one history.
        OtvoriPodsistem(o.rp, p);
        ASSERT_EQ(NaziviNivoa(o.rp),
                  (QStringList{"Model", QStringLiteral("Podsistem %1").arg(s.izabrani.first())}));
        EXPECT_EQ(DokumentUTekst(o.rp), posle);
        EXPECT_EQ(o.rp.Blokovi().size(), s.izabrani.size() + s.ulaza + s.izlaza);
        o.rp.Blokovi()[0]->PostaviPoziciju(900, 900);
        ASSERT_EQ(istorija.ZavrsiKorak(QStringLiteral("pomeranje")),
                  TIstorijaIzmena::TKraj::Zapamcen);
        const QByteArray unutra = DokumentUTekst(o.rp);
        EXPECT_NE(unutra, posle);
        IdiNaNivo(o.rp, 0);
        EXPECT_EQ(DokumentUTekst(o.rp), unutra);
        EXPECT_EQ(o.rp.SelektovaniBlok, o.rp.Blokovi()[s.izabrani.first() - 1]);
        // Undone from the top, the level of the change is shown again.
        istorija.Ponisti();
        EXPECT_EQ(DokumentUTekst(o.rp), posle);
        EXPECT_EQ(DubinaNivoa(o.rp), 1);
        // Undone inside, the level stays open; undone past its making, it goes.
        istorija.Ponovi();
        EXPECT_EQ(DubinaNivoa(o.rp), 1);
        istorija.Ponisti();
        EXPECT_EQ(DubinaNivoa(o.rp), 1);
        EXPECT_EQ(DokumentUTekst(o.rp), posle);
        istorija.Ponisti();
        EXPECT_EQ(DubinaNivoa(o.rp), 0);
        EXPECT_EQ(DokumentUTekst(o.rp), pre);

        // Broken up on the surface: the blocks are back, selected.
        istorija.Ponovi();
        ASSERT_TRUE(RazbijPodsistem(o.rp, o.rp.Blokovi()[s.izabrani.first() - 1]));
        EXPECT_EQ(Sustina(ModelDokumenta(o.rp)), sustina);
        EXPECT_EQ(o.rp.IzabraniBlokovi().size(), s.izabrani.size());
    }
}

namespace {

// Every reference of a document to its blocks, each with the name of the
// block it reaches: the lab's watched blocks ("P 2/2/2 A4") and sliders
// ("K 3.p2 A6"), then each subsystem's shown parameters ("2: 2/1.p1 A3 Prvi").
QStringList Reference(const skem::TModelDokumenta& m) {
    const auto ime = [](const skem::TModelDokumenta& u, const std::vector<int>& putanja) {
        const skem::TBlokModela* b = skem::BlokNaPutanji(u, putanja);
        return b ? b->Naziv : QStringLiteral("?");
    };
    QStringList r;
    for (const std::vector<int>& p : m.Laboratorija.Praceni)
        r << QStringLiteral("P %1 %2").arg(skem::PutanjaUTekst(p), ime(m, p));
    for (const skem::TKlizacModela& k : m.Laboratorija.Klizaci)
        r << QStringLiteral("K %1.p%2 %3")
                 .arg(skem::PutanjaUTekst(k.Blok))
                 .arg(k.Parametar)
                 .arg(ime(m, k.Blok));
    const std::function<void(const skem::TModelDokumenta&, std::vector<int>)> podsistemi =
        [&](const skem::TModelDokumenta& u, std::vector<int> putanja) {
            for (const skem::TBlokModela& b : u.Blokovi) {
                if (!b.Podsistem) continue;
                putanja.push_back(b.LokalniBroj);
                for (const skem::TParametarPodsistema& par : b.Podsistem->Parametri)
                    r << QStringLiteral("%1: %2.p%3 %4 %5")
                             .arg(skem::PutanjaUTekst(putanja), skem::PutanjaUTekst(par.Blok))
                             .arg(par.Parametar)
                             .arg(ime(b.Podsistem->Sadrzaj, par.Blok), par.Natpis);
                podsistemi(b.Podsistem->Sadrzaj, putanja);
                putanja.pop_back();
            }
        };
    podsistemi(m, {});
    return r;
}

} // namespace

// Deleting, folding and breaking up blocks at any level renumbers them; every
// reference of the document follows its block or goes with it.
TEST(Podsistemi, ReferenceNaBlokovePratePrenumerisanje) {
    // A1 .. A6 at the top; A2 .. A5 into S (2), then A3 .. A5 into T (2/2).
    QByteArray pocetak;
    {
        TOkruzenje o;
        const char* imena[] = {"A1", "A2", "A3", "A4", "A5", "A6"};
        for (int i = 0; i < 6; ++i)
            o.Spusti({40 + 150 * i, 40}, 1, 8, imena[i]);
        const auto izaberi = [&o](QList<int> brojevi) {
            QList<TSKEMBlok*> b;
            for (int n : brojevi)
                b << o.rp.Blokovi()[n - 1];
            o.rp.IzaberiBlokove(b);
        };
        izaberi({2, 3, 4, 5});
        ASSERT_TRUE(NapraviPodsistem(o.rp));
        OtvoriPodsistem(o.rp, o.rp.Blokovi()[1]);
        izaberi({2, 3, 4});
        ASSERT_TRUE(NapraviPodsistem(o.rp));
        IdiNaNivo(o.rp, 0);
        skem::TModelDokumenta m = ModelDokumenta(o.rp);
        m.Laboratorija = {{{1}, {2, 2, 2}, {2, 2, 3}, {3}, {2, 1}},
                          {{{2, 2, 1}, 1, 0, 1, 0}, {{3}, 2, 0, 1, 0}}};
        const auto prikazi = [&m](const std::vector<int>& putanja,
                                  std::vector<skem::TParametarPodsistema> parametri) {
            skem::TBlokModela* b = skem::IzmenljivBlok(m, putanja);
            auto novi = std::make_shared<skem::TPodsistemModela>(*b->Podsistem);
            novi->Parametri = std::move(parametri);
            b->Podsistem = std::move(novi);
        };
        prikazi({2, 2}, {{{1}, 1, "A"}, {{3}, 1, "C"}});
        prikazi({2}, {{{2, 1}, 1, "Prvi"}, {{2, 3}, 1, "Treci"}, {{1}, 1, "Drugi"}});
        pocetak = skem::ModelUTekst(m);
    }
    const struct {
        const char* izmena;
        QList<int> otvori; // the subsystems opened on the way, by number
        std::function<void(TSKEMRadnaPovrsina&)> uradi;
        QStringList ocekivano;
    } slucajevi[] = {
        {"nista",
         {},
         [](TSKEMRadnaPovrsina&) {},
         {"P 1 A1", "P 2/2/2 A4", "P 2/2/3 A5", "P 3 A6", "P 2/1 A2", "K 2/2/1.p1 A3", "K 3.p2 A6",
          "2: 2/1.p1 A3 Prvi", "2: 2/3.p1 A5 Treci", "2: 1.p1 A2 Drugi", "2/2: 1.p1 A3 A",
          "2/2: 3.p1 A5 C"}},
        {"brisanje bloka 1",
         {},
         [](TSKEMRadnaPovrsina& rp) {
             rp.IzaberiBlokove({rp.Blokovi()[0]});
             rp.ObrisiSelektovano();
         },
         {"P 1/2/2 A4", "P 1/2/3 A5", "P 2 A6", "P 1/1 A2", "K 1/2/1.p1 A3", "K 2.p2 A6",
          "1: 2/1.p1 A3 Prvi", "1: 2/3.p1 A5 Treci", "1: 1.p1 A2 Drugi", "1/2: 1.p1 A3 A",
          "1/2: 3.p1 A5 C"}},
        {"brisanje blokova 1 i 3",
         {},
         [](TSKEMRadnaPovrsina& rp) {
             rp.IzaberiBlokove({rp.Blokovi()[0], rp.Blokovi()[2]});
             rp.ObrisiSelektovano();
         },
         {"P 1/2/2 A4", "P 1/2/3 A5", "P 1/1 A2", "K 1/2/1.p1 A3", "1: 2/1.p1 A3 Prvi",
          "1: 2/3.p1 A5 Treci", "1: 1.p1 A2 Drugi", "1/2: 1.p1 A3 A", "1/2: 3.p1 A5 C"}},
        {"brisanje bloka 1 u 2/2",
         {2, 2},
         [](TSKEMRadnaPovrsina& rp) {
             rp.IzaberiBlokove({rp.Blokovi()[0]});
             rp.ObrisiSelektovano();
         },
         {"P 1 A1", "P 2/2/1 A4", "P 2/2/2 A5", "P 3 A6", "P 2/1 A2", "K 3.p2 A6",
          "2: 2/2.p1 A5 Treci", "2: 1.p1 A2 Drugi", "2/2: 2.p1 A5 C"}},
        {"podsistem od 1 i 3",
         {},
         [](TSKEMRadnaPovrsina& rp) {
             rp.IzaberiBlokove({rp.Blokovi()[0], rp.Blokovi()[2]});
             ASSERT_TRUE(NapraviPodsistem(rp));
         },
         {"P 1/1 A1", "P 2/2/2 A4", "P 2/2/3 A5", "P 1/2 A6", "P 2/1 A2", "K 2/2/1.p1 A3",
          "K 1/2.p2 A6", "2: 2/1.p1 A3 Prvi", "2: 2/3.p1 A5 Treci", "2: 1.p1 A2 Drugi",
          "2/2: 1.p1 A3 A", "2/2: 3.p1 A5 C"}},
        {"podsistem od 2/2",
         {2},
         [](TSKEMRadnaPovrsina& rp) {
             rp.IzaberiBlokove({rp.Blokovi()[1]});
             ASSERT_TRUE(NapraviPodsistem(rp));
         },
         {"P 1 A1", "P 2/2/1/2 A4", "P 2/2/1/3 A5", "P 3 A6", "P 2/1 A2", "K 2/2/1/1.p1 A3",
          "K 3.p2 A6", "2: 2/1/1.p1 A3 Prvi", "2: 2/1/3.p1 A5 Treci", "2: 1.p1 A2 Drugi",
          "2/2/1: 1.p1 A3 A", "2/2/1: 3.p1 A5 C"}},
        {"razbijanje 2/2",
         {2},
         [](TSKEMRadnaPovrsina& rp) { ASSERT_TRUE(RazbijPodsistem(rp, rp.Blokovi()[1])); },
         {"P 1 A1", "P 2/3 A4", "P 2/4 A5", "P 3 A6", "P 2/1 A2", "K 2/2.p1 A3", "K 3.p2 A6",
          "2: 2.p1 A3 Prvi", "2: 4.p1 A5 Treci", "2: 1.p1 A2 Drugi"}},
        {"razbijanje 2",
         {},
         [](TSKEMRadnaPovrsina& rp) { ASSERT_TRUE(RazbijPodsistem(rp, rp.Blokovi()[1])); },
         {"P 1 A1", "P 3/2 A4", "P 3/3 A5", "P 4 A6", "P 2 A2", "K 3/1.p1 A3", "K 4.p2 A6",
          "3: 1.p1 A3 A", "3: 3.p1 A5 C"}},
    };
    for (const auto& s : slucajevi) {
        SCOPED_TRACE(s.izmena);
        TOkruzenje o;
        UcitajDokumentIzTeksta(o.rp, pocetak);
        for (int n : s.otvori)
            OtvoriPodsistem(o.rp, o.rp.Blokovi()[n - 1]);
        s.uradi(o.rp);
        EXPECT_EQ(Reference(ModelDokumenta(o.rp)), s.ocekivano);
        // The same once the levels above take the surface's content back.
        IdiNaNivo(o.rp, 0);
        EXPECT_EQ(Reference(skem::UcitajModel(DokumentUTekst(o.rp))), s.ocekivano);
    }
}

// Opening a subsystem of a shipped document and leaving it changes nothing:
// the documents hold their subsystems as the editor keeps them.
TEST(Podsistemi, OtvaranjeIsporucenihPodsistemaNeMenjaDokument) {
    const QString koren = QString::fromLocal8Bit(qgetenv("SKEM_SOURCE_DIR"));
    QStringList fajlovi{koren + "/examples/podsistem.skem", koren + "/examples/regulacija.skem"};
    for (const QFileInfo& f : QDir(koren + "/resources/biblioteka").entryInfoList({"*.skem"}))
        fajlovi << f.absoluteFilePath();
    ASSERT_GE(fajlovi.size(), 5);
    for (const QString& ime : fajlovi) {
        SCOPED_TRACE(ime.toStdString());
        QFile f(ime);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        TOkruzenje o;
        UcitajDokumentIzTeksta(o.rp, f.readAll());
        const QByteArray pre = DokumentUTekst(o.rp);
        int podsistema = 0;
        for (int i = 0; i < o.rp.Blokovi().size(); ++i) {
            TSKEMBlok* b = o.rp.Blokovi()[i];
            if (skem::VrstaIzSifre(b->Sifra) != skem::TVrstaElementa::Podsistem) continue;
            ++podsistema;
            OtvoriPodsistem(o.rp, b);
            ASSERT_EQ(DubinaNivoa(o.rp), 1);
            EXPECT_EQ(DokumentUTekst(o.rp), pre);
            IdiNaNivo(o.rp, 0);
            EXPECT_EQ(DokumentUTekst(o.rp), pre);
        }
        EXPECT_GT(podsistema, 0);
    }
}
