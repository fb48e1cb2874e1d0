// The block: outline geometry, rotation, setters and their events, dragging
// and the three click modes.
#include "PomocTesta.h"

#include "Podsistemi.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A block on a plain scene with three real connections to put in its slots.
struct TBlokNaSceni {
    QGraphicsScene scena{0, 0, 1500, 1500};
    TSKEMBlok* b = new TSKEMBlok;
    TVeza v0{&scena, {0, 0}, {0, 0}};
    TVeza v1{&scena, {0, 0}, {0, 0}};
    TVeza v2{&scena, {0, 0}, {0, 0}};
    TBlokNaSceni() {
        scena.addItem(b);
        b->PostaviPoziciju(100, 200);
    }
    ~TBlokNaSceni() { IsprazniOdlozeno(); }
};

} // namespace

TEST(Blok, TackaIzlazaPoSmeru) {
    TBlokNaSceni t;
    const QPoint ocekivano[] = {{0, 0}, {100, 226}, {133, 252}, {166, 226}, {133, 200}, {0, 0}};
    for (int smer = 0; smer <= 5; ++smer) {
        t.b->PostaviSmer(smer);
        EXPECT_EQ(t.b->TackaIzlaza(), ocekivano[smer]) << "smer " << smer;
    }
}

TEST(Blok, TackeUlazaPoBrojuUlaza) {
    TBlokNaSceni t;
    TVeza* veze[] = {&t.v0, &t.v1, &t.v2};
    t.b->Ulazi = {&t.v0, &t.v1, &t.v2};
    // Offsets along a side: 52 div (M + 1) and 66 div (M + 1), times the slot number.
    const int naVisini[4][3] = {{}, {26}, {17, 34}, {13, 26, 39}};
    const int naSirini[4][3] = {{}, {33}, {22, 44}, {16, 32, 48}};
    for (int m = 1; m <= 3; ++m) {
        t.b->MaxUlaznihVeza = m;
        for (int k = 0; k < m; ++k) {
            t.b->PostaviSmer(3);
            EXPECT_EQ(t.b->TackaUlaza(veze[k]), QPoint(100, 200 + naVisini[m][k]));
            t.b->PostaviSmer(1);
            EXPECT_EQ(t.b->TackaUlaza(veze[k]), QPoint(166, 200 + naVisini[m][k]));
            t.b->PostaviSmer(2);
            EXPECT_EQ(t.b->TackaUlaza(veze[k]), QPoint(100 + naSirini[m][k], 200));
            t.b->PostaviSmer(4);
            EXPECT_EQ(t.b->TackaUlaza(veze[k]), QPoint(100 + naSirini[m][k], 252));
        }
    }
    // A connection in no slot ends where the input side begins; M = 0 too.
    t.b->Ulazi = {nullptr, nullptr, nullptr};
    t.b->MaxUlaznihVeza = 0;
    const QPoint ugao[] = {{0, 0}, {166, 200}, {100, 200}, {100, 200}, {100, 252}};
    for (int smer = 1; smer <= 4; ++smer) {
        t.b->PostaviSmer(smer);
        EXPECT_EQ(t.b->TackaUlaza(&t.v0), ugao[smer]);
    }
    // A damaged limit must not divide by zero.
    t.b->MaxUlaznihVeza = -1;
    t.b->Ulazi[0] = &t.v0;
    EXPECT_EQ(t.b->TackaUlaza(&t.v0), QPoint(166, 252)); // divided by 1, not by 0
    // Nor overflow on the largest limit a file can hold: the spacing is then 0.
    t.b->MaxUlaznihVeza = 2147483647;
    EXPECT_EQ(t.b->TackaUlaza(&t.v0), QPoint(100, 252));
}

TEST(Blok, RotacijaPomeraKrajeveVeza) {
    TBlokNaSceni t;
    const int n = skem::BrojVrstaElemenata;
    TListaSlika l = ObicneSlike(n, Qt::red), d = ObicneSlike(n, Qt::green),
                g = ObicneSlike(n, Qt::blue), o = ObicneSlike(n, Qt::yellow);
    t.b->SlikeLevo = &l;
    t.b->SlikeDesno = &d;
    t.b->SlikeGore = &g;
    t.b->SlikeDole = &o;
    t.b->MaxUlaznihVeza = 1;
    t.b->PostaviSmer(3);
    t.b->DodajIzlaz(&t.v0);
    t.b->PoveziUlaz(&t.v1, 0);
    int promena = 0;
    t.b->OnChange = [&](TSKEMBlok*) { ++promena; };
    t.b->OsveziVeze();

    // Right, then clockwise: down, left, up and right again.
    const struct {
        int smer;
        const TListaSlika* slike;
        QPoint izlaz, ulaz;
    } koraci[] = {{2, &o, {133, 252}, {133, 200}},
                  {1, &l, {100, 226}, {166, 226}},
                  {4, &g, {133, 200}, {133, 252}},
                  {3, &d, {166, 226}, {100, 226}}};
    for (const auto& k : koraci) {
        t.b->RotirajD();
        EXPECT_EQ(t.b->Smer, k.smer);
        EXPECT_EQ(t.b->AktivneSlike, k.slike);
        EXPECT_EQ(t.v0.Pocetak(), k.izlaz);
        EXPECT_EQ(t.v1.Kraj(), k.ulaz);
        EXPECT_EQ(t.v1.Linije.last()->TackaB(), k.ulaz);
    }
    EXPECT_EQ(promena, 4);
    t.b->RotirajL();
    EXPECT_EQ(t.b->Smer, 4);
    t.b->RotirajL();
    EXPECT_EQ(t.b->Smer, 1);
    EXPECT_EQ(promena, 6);
    t.b->Izlazi.clear();
    t.b->Ulazi = {nullptr, nullptr, nullptr};
}

TEST(Blok, SeteriIDogadjaji) {
    TBlokNaSceni t;
    int aktiviran = 0, promena = 0;
    t.b->OnAktiviran = [&](TSKEMBlok*) { ++aktiviran; };
    t.b->OnChange = [&](TSKEMBlok*) { ++promena; };
    t.b->SetAktivno(true);
    t.b->SetAktivno(true);
    EXPECT_EQ(aktiviran, 2);
    t.b->SetAktivno(false);
    EXPECT_EQ(aktiviran, 2);

    // Without pictures any index is kept; with them only one below the count.
    t.b->SetImageIndex(40);
    EXPECT_EQ(t.b->ImageIndex(), 40);
    TListaSlika tri = ObicneSlike(3, Qt::gray);
    t.b->SlikeLevo = &tri;
    t.b->PostaviSmer(1);
    t.b->SetImageIndex(2);
    EXPECT_EQ(t.b->ImageIndex(), 2);
    t.b->SetImageIndex(3);
    EXPECT_EQ(t.b->ImageIndex(), 2);

    // A connection the block does not hold: nothing changes, OnChange still comes.
    t.b->PoveziUlaz(&t.v0, 1);
    t.b->DodajIzlaz(&t.v1);
    promena = 0;
    t.b->OdvojiUlaz(&t.v2);
    t.b->UkloniIzlaz(&t.v2);
    EXPECT_EQ(promena, 2);
    EXPECT_EQ(t.b->Ulazi[1], &t.v0);
    EXPECT_EQ(t.b->IndeksUlaza(&t.v0), 1);
    EXPECT_EQ(t.b->IndeksUlaza(&t.v2), -1);
    EXPECT_EQ(t.b->Izlazi, QList<TVeza*>{&t.v1});
    t.b->OdvojiUlaz(&t.v0);
    t.b->UkloniIzlaz(&t.v1);
    EXPECT_EQ(t.b->Ulazi[1], nullptr);
    EXPECT_TRUE(t.b->Izlazi.isEmpty());
}

TEST(Blok, PogledZaSimulaciju) {
    TBlokNaSceni t;
    TSKEMBlok izvor;
    t.b->Sifra = 7;
    t.b->SetLokalniBroj(3);
    t.b->Parametar1 = 10;
    t.b->Parametar2 = 0;
    t.b->Parametar3 = -2.5;
    const skem::TBlokPogled& p = *t.b;
    EXPECT_EQ(p.SifraBloka(), 7);
    EXPECT_EQ(p.LokalniBrojBloka(), 3);
    EXPECT_EQ(p.ParametarBloka(1), 10);
    EXPECT_EQ(p.ParametarBloka(3), -2.5);
    EXPECT_DOUBLE_EQ(p.OrdinateBloka()[5], 5.0); // from 0 to 10 in ten steps
    std::array<double, 11> svoje{};
    svoje[4] = 42;
    t.b->Ordinate = svoje;
    EXPECT_EQ(p.OrdinateBloka()[4], 42);

    // Slot 1 fed through a junction of a junction: the source is the root block.
    TVeza& koren = t.v0;
    koren.PocBlok = &izvor;
    t.v1.JeJunction = true;
    t.v1.Roditelj = &koren;
    t.v2.JeJunction = true;
    t.v2.Roditelj = &t.v1;
    t.v2.PocBlok = t.v2.KorenskiBlok();
    t.b->Ulazi[1] = &t.v2;
    EXPECT_EQ(p.IzvorUlazaBloka(0), nullptr);
    EXPECT_EQ(p.IzvorUlazaBloka(1), &izvor);
    EXPECT_EQ(p.IzvorUlazaBloka(5), nullptr);
    t.b->Ulazi[1] = nullptr;
}

TEST(Blok, PrevlacenjeMisemIZnacenjePritiskaPoRezimu) {
    TOkruzenje o;
    TSKEMBlok* b = o.Spusti({200, 200});
    TSKEMBlok* drugi = o.Spusti({400, 400});
    // Dragging towards the corner stops 8 pixels from the edges.
    Prevuci(o.v(), {210, 210}, {5, 3});
    EXPECT_EQ(b->pos(), QPointF(8, 8));
    Prevuci(o.v(), {20, 20}, {50, 35});
    EXPECT_EQ(b->pos(), QPointF(38, 23));

    // What a press on an unselected block means is the mode's: selecting and
    // dragging, or drawing from it.
    const struct {
        TRPStanje stanje;
        QStringList dogadjaji;
        bool vuce, crta;
    } tabela[] = {
        {rpsSelektuj, {"SelectBlok", "SelectBlokZaInsp", "StanjeChange", "Change"}, true, false},
        {rpsDodajDrzac, {"SelectBlok", "SelectBlokZaInsp", "StanjeChange", "Change"}, true, false},
        {rpsDodajVezuEx, {}, false, true},
        {rpsKreirajJunctionEx, {"StanjeChange"}, false, false},
    };
    for (const auto& red : tabela) {
        o.rp.OtkaziVezu();
        Klikni(o.v(), TOkruzenje::Sredina(drugi));
        o.rp.SetStanje(red.stanje);
        o.dogadjaji.clear();
        const QPointF pre = b->pos();
        const QPoint u = TOkruzenje::Sredina(b);
        Prevuci(o.v(), u, u + QPoint(40, 40));
        EXPECT_EQ(o.dogadjaji, red.dogadjaji) << red.stanje;
        EXPECT_EQ(b->pos() != pre, red.vuce) << red.stanje;
        EXPECT_EQ(b->Aktivno(), red.vuce) << red.stanje;
        EXPECT_EQ(o.rp.PocetniBlok == b, red.crta) << red.stanje;
        EXPECT_EQ(o.rp.Stanje(), red.crta ? rpsDodajVezuEx : rpsSelektuj) << red.stanje;
    }
}

// A subsystem shows its ports' names by its inputs and outputs whichever way
// it faces: named ports draw more than unnamed ones, on the inputs' side and
// on the outputs' side.
TEST(Blok, ImenaPortovaUSvimSmerovima) {
    const auto slika = [](int smer, const QString& ulaz, const QString& izlaz) {
        auto p = std::make_shared<skem::TPodsistemModela>();
        p->Sadrzaj.Blokovi = {PortPodsistema(true, 1, ulaz), PortPodsistema(true, 2, ulaz),
                              PortPodsistema(false, 1, izlaz)};
        TSKEMBlok b;
        b.Podsistem = p;
        b.PostaviSmer(smer);
        QImage s(TSKEMBlok::Sirina, TSKEMBlok::Visina, QImage::Format_RGB32);
        s.fill(Qt::white);
        QPainter slikar(&s);
        b.paint(&slikar, nullptr, nullptr);
        return s;
    };
    // The half of the block on the side given (left, top, right, bottom).
    const auto polovina = [](const QImage& s, int strana) {
        const int w = s.width(), h = s.height();
        const QRect r[] = {
            {0, 0, w / 2, h}, {0, 0, w, h / 2}, {w / 2, 0, w - w / 2, h}, {0, h / 2, w, h - h / 2}};
        return s.copy(r[strana]);
    };
    // Inputs' side, outputs' side for each direction (the output faces it).
    const struct {
        int smer, ulazi, izlazi;
    } slucajevi[] = {{smLevo, 2, 0}, {smDole, 1, 3}, {smDesno, 0, 2}, {smGore, 3, 1}};
    for (const auto& c : slucajevi) {
        const QImage bez = slika(c.smer, "", "");
        const QImage saUlazima = slika(c.smer, "Masa", "");
        const QImage saIzlazima = slika(c.smer, "", "Brzina");
        EXPECT_NE(polovina(saUlazima, c.ulazi), polovina(bez, c.ulazi)) << "smer " << c.smer;
        EXPECT_EQ(polovina(saUlazima, c.izlazi), polovina(bez, c.izlazi)) << "smer " << c.smer;
        EXPECT_NE(polovina(saIzlazima, c.izlazi), polovina(bez, c.izlazi)) << "smer " << c.smer;
    }
}
