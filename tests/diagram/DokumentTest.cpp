// Documents: the written tree, what survives a save and a reload, the
// reading rules for hand-made files, and broken files that must end in their
// error with the workspace still usable.
#include "Dokument.h"

#include "PomocTesta.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString Korpus(const char* ime) {
    return QString::fromLocal8Bit(qgetenv("SKEM_SOURCE_DIR")) +
           QStringLiteral("/tests/diagram/korpus/") + QString::fromLatin1(ime);
}

TSKEMBlok* Spusti(TSKEMRadnaPovrsina& rp, int sifra, const char* naziv, int ulaza, QPoint tacka) {
    TStavkaKataloga s;
    s.Naziv = QString::fromUtf8(naziv);
    s.ImageIndex = sifra;
    s.MaxUlaznihVeza = ulaza;
    s.BrojParam = 2;
    s.Natpisi = {QStringLiteral("Pojacanje"), QStringLiteral("Pocetni uslov"),
                 QStringLiteral("x"),         QStringLiteral("Ulaz 1"),
                 QStringLiteral(""),          QStringLiteral("x")};
    return rp.SpustiStavku(s, tacka);
}

// Draws a connection from a to slot k of b through the bends, as the user does
// (the input dialog's choice is PoveziUlaz).
TVeza* Povezi(TSKEMRadnaPovrsina& rp, TSKEMBlok* a, TSKEMBlok* b, int k,
              const QList<QPoint>& krivine = {}) {
    rp.SetStanje(rpsDodajVezuEx);
    PritisniBlok(a);
    TVeza* c = rp.VezaUIzradi;
    for (QPoint p : krivine) {
        c->PostaviKraj(p);
        c->DodajDrzacNa(p);
    }
    PritisniBlok(b);
    b->PoveziUlaz(c, k);
    b->OsveziVeze();
    return c;
}

// Draws a junction connection from holder h to slot k of b.
TVeza* Junction(TSKEMRadnaPovrsina& rp, TDrzac* h, TSKEMBlok* b, int k,
                const QList<QPoint>& krivine = {}) {
    rp.SetStanje(rpsKreirajJunctionEx);
    h->OnDrzacClick(h);
    TVeza* j = rp.VezaUIzradi;
    for (QPoint p : krivine) {
        j->PostaviKraj(p);
        j->DodajDrzacNa(p);
    }
    PritisniBlok(b);
    b->PoveziUlaz(j, k);
    b->OsveziVeze();
    return j;
}

QString Tacka(QPoint p) {
    return QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y());
}

void OpisiVezu(const TVeza* c, int nivo, QString& s) {
    const QString uvlaka(2 * nivo, QLatin1Char(' '));
    s += uvlaka + QStringLiteral("veza %1->%2[%3] junction=%4\n")
                      .arg(c->PocBlok->LokalniBroj())
                      .arg(c->KrajBlok->LokalniBroj())
                      .arg(c->KrajBlok->IndeksUlaza(c))
                      .arg(c->JeJunction);
    for (const TLinija* l : c->Linije)
        s += uvlaka + QStringLiteral(" segment ") + Tacka(l->TackaA()) + Tacka(l->TackaB()) + '\n';
    for (const TDrzac* h : c->Drzaci) {
        s += uvlaka + QStringLiteral(" drzac ") + Tacka(QPoint(h->Left(), h->Top())) + '\n';
        for (const TVeza* j : h->Junctions)
            OpisiVezu(j, nivo + 1, s);
    }
}

// Everything a document keeps, in one comparable text.
QString Opis(const TSKEMRadnaPovrsina& rp) {
    QString s = QStringLiteral("opis: ") + rp.OpisProblema + '\n';
    for (const TSKEMBlok* b : rp.Blokovi()) {
        s += QStringLiteral("blok %1 %2 sifra=%3 '%4' brparam=%5 max=%6 smer=%7 p=%8,%9,%10")
                 .arg(b->LokalniBroj())
                 .arg(Tacka(QPoint(b->Left(), b->Top())))
                 .arg(b->Sifra)
                 .arg(b->Naziv)
                 .arg(b->brparam)
                 .arg(b->MaxUlaznihVeza)
                 .arg(b->Smer)
                 .arg(b->Parametar1, 0, 'g', 17)
                 .arg(b->Parametar2, 0, 'g', 17)
                 .arg(b->Parametar3, 0, 'g', 17);
        for (const QString& n : b->Natpisi)
            s += QStringLiteral(" [") + n + ']';
        if (b->Ordinate)
            for (double o : *b->Ordinate)
                s += QStringLiteral(" o=") + QString::number(o, 'g', 17);
        s += QStringLiteral(" izlaza=%1\n").arg(b->Izlazi.size());
    }
    for (const TVeza* c : rp.Veze)
        if (!c->JeJunction) OpisiVezu(c, 0, s);
    s += QStringLiteral("veza ukupno %1\n").arg(rp.Veze.size());
    return s;
}

QStringList ImenaDece(const QDomElement& e) {
    QStringList r;
    for (QDomElement d = e.firstChildElement(); !d.isNull(); d = d.nextSiblingElement())
        r << d.tagName();
    return r;
}

QByteArray Sadrzaj(const QString& ime) {
    QFile f(ime);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << ime.toStdString();
    return f.readAll();
}

// A block element with all its integer and real fields, for hand-made documents.
QString BlokXml(int broj, int left = 40, int top = 40, const QString& dodatak = {}) {
    return QStringLiteral("<Blok><Top>%1</Top><Left>%2</Left><Sifra>10</Sifra><Naziv>I</Naziv>"
                          "<LokalniBroj>%3</LokalniBroj><brparam>1</brparam><maxuveza>3</maxuveza>"
                          "<Parametar1>0</Parametar1><Parametar2>0</Parametar2>"
                          "<Parametar3>0</Parametar3><Smer>3</Smer>%4</Blok>")
        .arg(top)
        .arg(left)
        .arg(broj)
        .arg(dodatak);
}

QByteArray DokumentXml(const QString& blokovi, const QString& veze) {
    return (QStringLiteral("<?xml version=\"1.0\"?><SKEMDokument><OpisProblema/><Blokovi>") +
            blokovi + QStringLiteral("</Blokovi><Veze>") + veze +
            QStringLiteral("</Veze></SKEMDokument>"))
        .toUtf8();
}

QString VezaXml(int od, int ka, int slot, const QString& drzaci = {},
                const QString& ime = QStringLiteral("Veza")) {
    return QStringLiteral("<%5><PocBlok>%1</PocBlok><KrajBlok>%2</KrajBlok>"
                          "<GdeKrajBlok>%3</GdeKrajBlok><Drzaci>%4</Drzaci></%5>")
        .arg(od)
        .arg(ka)
        .arg(slot)
        .arg(drzaci, ime);
}

QString DrzacXml(int left, int top, const QString& junctions = {}, int index = 0) {
    return QStringLiteral("<Drzac><Top>%1</Top><Left>%2</Left><Index>%3</Index>"
                          "<Junctions>%4</Junctions></Drzac>")
        .arg(top)
        .arg(left)
        .arg(index)
        .arg(junctions);
}

class Dokument : public ::testing::Test {
protected:
    TSkriptovaniDijalozi dijalozi;
    TSKEMRadnaPovrsina rp;
    QTemporaryDir dir;
    int promena = 0;
    int stanja = 0;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        rp.OnChange = [this](TSKEMRadnaPovrsina*) { ++promena; };
        rp.OnStanjeChange = [this](TSKEMRadnaPovrsina*) { ++stanja; };
    }
    QString Fajl(const char* ime) const { return dir.filePath(QString::fromLatin1(ime)); }

    // Reads and expects the error text; then the workspace must still be whole.
    void OcekujGresku(const QByteArray& xml, const QString& poruka) {
        try {
            UcitajDokumentIzTeksta(rp, xml);
            ADD_FAILURE() << "no error, expected: " << poruka.toStdString();
        } catch (const TGreskaDokumenta& g) {
            EXPECT_EQ(g.Poruka(), poruka);
        }
        ProveriUpotrebljivost();
    }

    void ProveriUpotrebljivost() {
        EXPECT_TRUE(rp.Vidljiva());
        int broj = 0;
        for (TSKEMBlok* b : rp.Blokovi())
            EXPECT_EQ(b->LokalniBroj(), ++broj);
        for (TVeza* c : rp.Veze) {
            EXPECT_TRUE(rp.Blokovi().contains(c->PocBlok));
            EXPECT_TRUE(rp.Blokovi().contains(c->KrajBlok));
        }
    }
};

// The three-block example: a connection 1 -> 2 (slot 0) through one holder,
// and a junction from that holder to slot 1 of block 3.
TEST_F(Dokument, WritesTheTreeInTheDocumentedOrder) {
    TSKEMBlok* a = Spusti(rp, 12, "Konstanta", 0, QPoint(20, 40));
    TSKEMBlok* b = Spusti(rp, 10, "Integrator", 3, QPoint(300, 40));
    TSKEMBlok* c = Spusti(rp, 26, "Sumator", 3, QPoint(300, 200));
    a->Parametar1 = 0.0001;
    a->Parametar2 = 1e-5;
    a->Parametar3 = 1.5e20;
    TVeza* v = Povezi(rp, a, b, 0, {QPoint(156, 72)});
    Junction(rp, v->Drzaci[0], c, 1);

    const QByteArray xml = DokumentUTekst(rp);
    // Declaration with the version only, and no whitespace between elements.
    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\"?>")) << xml.left(60).toStdString();
    EXPECT_FALSE(xml.contains("encoding"));
    EXPECT_FALSE(xml.contains("standalone"));
    EXPECT_FALSE(xml.contains("> <"));
    EXPECT_FALSE(xml.mid(xml.indexOf("<SKEMDokument")).contains('\n'));

    QDomDocument dok;
    ASSERT_TRUE(dok.setContent(xml));
    const QDomElement koren = dok.documentElement();
    EXPECT_EQ(koren.tagName(), "SKEMDokument");
    EXPECT_EQ(ImenaDece(koren), QStringList({"OpisProblema", "Blokovi", "Veze"}));
    const QDomElement blok = koren.firstChildElement("Blokovi").firstChildElement();
    EXPECT_EQ(ImenaDece(blok),
              QStringList({"Top", "Left", "Sifra", "Naziv", "LokalniBroj", "brparam", "maxuveza",
                           "str1", "str2", "str3", "str4", "str5", "str6", "Parametar1",
                           "Parametar2", "Parametar3", "Smer"}));
    EXPECT_EQ(blok.firstChildElement("Parametar1").text(), "0.0001");
    EXPECT_EQ(blok.firstChildElement("Parametar2").text(), "1E-5");
    EXPECT_EQ(blok.firstChildElement("Parametar3").text(), "1.5E20");
    EXPECT_EQ(blok.firstChildElement("Top").text(), "40");
    EXPECT_EQ(blok.firstChildElement("Left").text(), "20");
    EXPECT_EQ(blok.firstChildElement("Smer").text(), "3");

    const QDomElement veza = koren.firstChildElement("Veze").firstChildElement();
    EXPECT_EQ(veza.tagName(), "Veza");
    EXPECT_EQ(ImenaDece(veza), QStringList({"PocBlok", "KrajBlok", "GdeKrajBlok", "Drzaci"}));
    EXPECT_EQ(veza.firstChildElement("PocBlok").text(), "1");
    EXPECT_EQ(veza.firstChildElement("KrajBlok").text(), "2");
    EXPECT_EQ(veza.firstChildElement("GdeKrajBlok").text(), "0");
    // Only the ordinary connection stands in Veze; the junction is under its holder.
    EXPECT_EQ(ImenaDece(koren.firstChildElement("Veze")), QStringList({"Veza"}));
    const QDomElement drzac = veza.firstChildElement("Drzaci").firstChildElement();
    EXPECT_EQ(ImenaDece(drzac), QStringList({"Top", "Left", "Index", "Junctions"}));
    EXPECT_EQ(drzac.firstChildElement("Left").text(), "150"); // the point less 6
    EXPECT_EQ(drzac.firstChildElement("Top").text(), "66");
    EXPECT_EQ(drzac.firstChildElement("Index").text(), "0");
    const QDomElement j = drzac.firstChildElement("Junctions").firstChildElement();
    EXPECT_EQ(j.tagName(), "Junction");
    EXPECT_EQ(j.firstChildElement("PocBlok").text(), "1");
    EXPECT_EQ(j.firstChildElement("KrajBlok").text(), "3");
    EXPECT_EQ(j.firstChildElement("GdeKrajBlok").text(), "1");
    EXPECT_FALSE(j.firstChildElement("Drzaci").isNull());
    EXPECT_FALSE(j.firstChildElement("Drzaci").hasChildNodes());
}

TEST_F(Dokument, EmptyWorkspaceWritesEmptyContainersAndReadsBackEmpty) {
    const QByteArray xml = DokumentUTekst(rp);
    QDomDocument dok;
    ASSERT_TRUE(dok.setContent(xml));
    const QDomElement koren = dok.documentElement();
    EXPECT_EQ(ImenaDece(koren), QStringList({"OpisProblema", "Blokovi", "Veze"}));
    for (const char* ime : {"OpisProblema", "Blokovi", "Veze"})
        EXPECT_FALSE(koren.firstChildElement(ime).hasChildNodes()) << ime;

    Spusti(rp, 10, "Integrator", 3, QPoint(40, 40));
    UcitajDokumentIzTeksta(rp, xml);
    EXPECT_TRUE(rp.Blokovi().isEmpty());
    EXPECT_TRUE(rp.Veze.isEmpty());
    EXPECT_TRUE(rp.OpisProblema.isEmpty());
}

TEST_F(Dokument, OrdinatesAreWrittenAfterSmerOnlyWhenTheBlockHasThem) {
    TSKEMBlok* g = Spusti(rp, 7, "Generator funkcija", 1, QPoint(40, 40));
    Spusti(rp, 7, "Generator funkcija", 1, QPoint(200, 40));
    g->Ordinate = std::array<double, 11>{0, 1, 4, 9, 16, 25, 36, 49, 64, 81, 100};
    QDomDocument dok;
    ASSERT_TRUE(dok.setContent(DokumentUTekst(rp)));
    const QDomElement prvi = dok.documentElement().firstChildElement("Blokovi").firstChildElement();
    const QStringList imena = ImenaDece(prvi);
    ASSERT_EQ(imena.size(), 18);
    EXPECT_EQ(imena[16], "Smer");
    EXPECT_EQ(imena[17], "Ordinate");
    EXPECT_EQ(prvi.firstChildElement("Ordinate").text(), "0 1 4 9 16 25 36 49 64 81 100");
    EXPECT_TRUE(prvi.nextSiblingElement().firstChildElement("Ordinate").isNull());
}

TEST_F(Dokument, SaveAndReloadKeepEverything) {
    TSKEMBlok* k = Spusti(rp, 12, "Konstanta", 0, QPoint(24, 40));
    TSKEMBlok* s = Spusti(rp, 26, "Sumator \"<&>\" čšž", 3, QPoint(260, 160));
    TSKEMBlok* i = Spusti(rp, 10, "Integrator", 1, QPoint(460, 40));
    TSKEMBlok* g = Spusti(rp, 7, "Generator funkcija", 1, QPoint(120, 300));
    TSKEMBlok* q = Spusti(rp, 19, "Quit", 2, QPoint(500, 320));
    k->Parametar1 = 0.1;
    k->Parametar2 = -2.5;
    k->Parametar3 = 123456.789012345;
    s->Parametar1 = 1e-5;
    s->Parametar2 = 1.5e20;
    s->Parametar3 = -0.000123;
    g->Parametar1 = 10;
    g->Ordinate = std::array<double, 11>{0, 0.1, -0.25, 3, 1e-7, 5, 6, 7, 8, 9.5, 1e21};
    g->RotirajD();
    q->RotirajL();
    q->RotirajL();
    s->brparam = 3;
    rp.OpisProblema = QStringLiteral("Dva reda:\nx' = -x & y < 0 \"navodnici\" đ\tkraj");

    TVeza* v1 = Povezi(rp, k, s, 0, {QPoint(156, 72), QPoint(156, 200)});
    TVeza* v2 = Povezi(rp, s, i, 0, {QPoint(380, 180)});
    TVeza* v3 = Povezi(rp, i, s, 2, {QPoint(560, 73), QPoint(560, 260), QPoint(290, 260)});
    // Junctions: two at one holder, and one two levels deep with holders of its own.
    TVeza* j1 = Junction(rp, v1->Drzaci[1], g, 0, {QPoint(156, 320)});
    Junction(rp, v1->Drzaci[1], q, 1, {QPoint(200, 260), QPoint(480, 250)});
    Junction(rp, j1->Drzaci[0], q, 0, {QPoint(156, 420), QPoint(480, 420)});
    Junction(rp, v3->Drzaci[1], q, 2);
    ASSERT_EQ(v2->Drzaci.size(), 1);
    rp.SetStanje(rpsSelektuj);

    const QString pre = Opis(rp);
    ASSERT_TRUE(pre.contains(QStringLiteral("\n    veza 1->5[0] junction=1"))) << pre.toStdString();
    SnimiDokument(rp, Fajl("sve.skem"));

    TSKEMRadnaPovrsina druga;
    UcitajDokument(druga, Fajl("sve.skem"));
    EXPECT_EQ(Opis(druga), pre);
    // A junction starts at its holder's point.
    ASSERT_EQ(druga.Blokovi()[0]->Izlazi.size(), 4);
    const TVeza* j = druga.Blokovi()[0]->Izlazi[1];
    ASSERT_TRUE(j->JeJunction);
    EXPECT_EQ(j->Pocetak(), j->PocetniDrzac()->TackaDrzaca());
    // Written again, the document is the same text.
    EXPECT_EQ(DokumentUTekst(druga), Sadrzaj(Fajl("sve.skem")));
}

TEST_F(Dokument, ReadingRebuildsTheWorkspaceState) {
    TSKEMBlok* a = Spusti(rp, 12, "Konstanta", 0, QPoint(20, 40));
    TSKEMBlok* b = Spusti(rp, 10, "Integrator", 1, QPoint(300, 40));
    Povezi(rp, a, b, 0, {QPoint(150, 72)});
    const QByteArray xml = DokumentUTekst(rp);

    TSKEMRadnaPovrsina druga;
    int promene = 0, stanjaDruge = 0;
    bool skrivenaPriIzboru = false;
    druga.OnChange = [&](TSKEMRadnaPovrsina*) { ++promene; };
    druga.OnStanjeChange = [&](TSKEMRadnaPovrsina*) { ++stanjaDruge; };
    druga.OnSelectBlok = [&](TSKEMRadnaPovrsina* p) {
        if (p->SelektovaniBlok && !p->Vidljiva()) skrivenaPriIzboru = true;
    };
    UcitajDokumentIzTeksta(druga, xml);
    EXPECT_TRUE(skrivenaPriIzboru); // blocks are selected while the surface is hidden
    EXPECT_TRUE(druga.Vidljiva());
    EXPECT_EQ(druga.Stanje(), rpsSelektuj);
    EXPECT_GT(stanjaDruge, 0);
    ASSERT_EQ(druga.Blokovi().size(), 2);
    EXPECT_EQ(druga.SelektovaniBlok, druga.Blokovi().last());
    EXPECT_TRUE(druga.Blokovi().last()->Aktivno());
    EXPECT_FALSE(druga.Blokovi().first()->Aktivno());
    EXPECT_EQ(druga.Blokovi()[0]->toolTip(), "Konstanta");
    EXPECT_EQ(druga.Blokovi()[1]->ImageIndex(), 10);

    // Blocks and holders read from a file report their changes like drawn ones.
    promene = 0;
    druga.Blokovi()[0]->RotirajD();
    EXPECT_GT(promene, 0);
    promene = 0;
    TDrzac* h = druga.Veze[0]->Drzaci[0];
    h->PostaviPoziciju(h->Left() + 10, h->Top());
    EXPECT_GT(promene, 0);
    EXPECT_EQ(druga.Veze[0]->Linije[0]->TackaB(), h->TackaDrzaca());

    // A right click on a connection read from a file ends a drawing in progress.
    druga.SetStanje(rpsDodajVezuEx);
    PritisniBlok(druga.Blokovi()[1]);
    ASSERT_NE(druga.VezaUIzradi, nullptr);
    druga.Veze[0]->OnDesniKlik(druga.Veze[0]);
    EXPECT_EQ(druga.VezaUIzradi, nullptr);
    EXPECT_EQ(druga.Veze.size(), 1);
}

TEST_F(Dokument, DeletingABlockReadFromAFileTakesItsConnectionsAndJunctions) {
    TSKEMBlok* a = Spusti(rp, 12, "Konstanta", 0, QPoint(20, 40));
    TSKEMBlok* b = Spusti(rp, 10, "Integrator", 1, QPoint(300, 40));
    TSKEMBlok* c = Spusti(rp, 10, "Integrator", 1, QPoint(300, 200));
    TVeza* v = Povezi(rp, a, b, 0, {QPoint(150, 72)});
    Junction(rp, v->Drzaci[0], c, 0, {QPoint(150, 232)});
    UcitajDokumentIzTeksta(rp, DokumentUTekst(rp));
    ASSERT_EQ(rp.Veze.size(), 2);
    rp.ObrisiBlok(rp.Blokovi()[0]);
    EXPECT_TRUE(rp.Veze.isEmpty());
    EXPECT_EQ(rp.Blokovi()[0]->IndeksUlaza(nullptr), 0);
    EXPECT_EQ(rp.Blokovi()[1]->IndeksUlaza(nullptr), 0);
}

TEST_F(Dokument, ParametersKeepFifteenSignificantDigits) {
    TSKEMBlok* b = Spusti(rp, 8, "Pojacanje", 1, QPoint(40, 40));
    b->Parametar1 = 0.1;
    b->Parametar2 = 0.12345678901234567; // 17 significant digits
    b->Parametar3 = 1.0 / 3.0;
    UcitajDokumentIzTeksta(rp, DokumentUTekst(rp));
    ASSERT_EQ(rp.Blokovi().size(), 1);
    const TSKEMBlok* r = rp.Blokovi()[0];
    EXPECT_EQ(r->Parametar1, 0.1);
    EXPECT_EQ(r->Parametar2, 0.123456789012346);
    EXPECT_NE(r->Parametar2, 0.12345678901234567);
    EXPECT_EQ(r->Parametar3, 0.333333333333333);
}

TEST_F(Dokument, LocalNumbersOfTheFileOnlyJoinConnections) {
    // Blocks 5, 9, 7 in document order; 5 -> 7 slot 1, 9 -> 5 slot 0 via a holder.
    const QByteArray xml = DokumentXml(BlokXml(5, 40) + BlokXml(9, 240) + BlokXml(7, 440),
                                       VezaXml(5, 7, 1) + VezaXml(9, 5, 0, DrzacXml(300, 200)));
    UcitajDokumentIzTeksta(rp, xml);
    const QList<TSKEMBlok*> b = rp.Blokovi();
    ASSERT_EQ(b.size(), 3);
    EXPECT_EQ(b[0]->LokalniBroj(), 1);
    EXPECT_EQ(b[1]->LokalniBroj(), 2);
    EXPECT_EQ(b[2]->LokalniBroj(), 3);
    EXPECT_EQ(b[0]->Left(), 40);
    EXPECT_EQ(b[2]->Left(), 440);
    EXPECT_EQ(b[2]->IzvorUlaza(1), b[0]);
    EXPECT_EQ(b[0]->IzvorUlaza(0), b[1]);
    EXPECT_EQ(b[1]->Izlazi.size(), 1);
    // Saved again, the connections carry the new numbers.
    QDomDocument dok;
    ASSERT_TRUE(dok.setContent(DokumentUTekst(rp)));
    const QDomElement druga = dok.documentElement().firstChildElement("Veze").lastChildElement();
    EXPECT_EQ(druga.firstChildElement("PocBlok").text(), "2");
    EXPECT_EQ(druga.firstChildElement("KrajBlok").text(), "1");
}

TEST_F(Dokument, DuplicateNumbersJoinTheFirstBlock) {
    UcitajDokumentIzTeksta(rp, DokumentXml(BlokXml(4, 40) + BlokXml(4, 240) + BlokXml(1, 440),
                                           VezaXml(1, 4, 0) + VezaXml(4, 1, 2)));
    const QList<TSKEMBlok*> b = rp.Blokovi();
    ASSERT_EQ(b.size(), 3);
    EXPECT_EQ(b[0]->IzvorUlaza(0), b[2]);
    EXPECT_EQ(b[1]->IzvorUlaza(0), nullptr);
    EXPECT_EQ(b[2]->IzvorUlaza(2), b[0]);
    EXPECT_TRUE(b[1]->Izlazi.isEmpty());
}

TEST_F(Dokument, LenientReadingRules) {
    // Index ignored (holders in document order), fields in another order, extra
    // elements, other names for the children of the containers.
    const QString blok = QStringLiteral(
        "<Stavka><Smer>2</Smer><Naziv>Sinus</Naziv><Nepoznato>7</Nepoznato>"
        "<Parametar3>3</Parametar3><Parametar2>2</Parametar2><Parametar1>1</Parametar1>"
        "<maxuveza>1</maxuveza><brparam>3</brparam><LokalniBroj>2</LokalniBroj>"
        "<Sifra>21</Sifra><Left>300</Left><Top>200</Top><str4>Ulaz</str4></Stavka>");
    const QString drzaci = DrzacXml(150, 100, {}, 7) + DrzacXml(150, 180, {}, 0);
    UcitajDokumentIzTeksta(
        rp, DokumentXml(BlokXml(1) + blok, VezaXml(1, 2, 0, drzaci, QStringLiteral("Nesto"))));
    ASSERT_EQ(rp.Blokovi().size(), 2);
    const TSKEMBlok* s = rp.Blokovi()[1];
    EXPECT_EQ(s->Naziv, "Sinus");
    EXPECT_EQ(s->Sifra, 21);
    EXPECT_EQ(s->Smer, 2);
    EXPECT_EQ(s->brparam, 3);
    EXPECT_EQ(s->Parametar1, 1);
    EXPECT_EQ(s->Parametar3, 3);
    EXPECT_EQ(s->Natpisi[3], "Ulaz");
    EXPECT_EQ(s->Natpisi[0], "");
    EXPECT_EQ(QPoint(s->Left(), s->Top()), QPoint(300, 200));
    ASSERT_EQ(rp.Veze.size(), 1);
    ASSERT_EQ(rp.Veze[0]->Drzaci.size(), 2);
    EXPECT_EQ(rp.Veze[0]->Drzaci[0]->Top(), 100);
    EXPECT_EQ(rp.Veze[0]->Drzaci[1]->Top(), 180);
}

TEST_F(Dokument, HoldersCloserThanTheSpacingRuleAreRebuiltWhereStored) {
    // Two holders 5 pixels apart, the junction under the second one.
    const QString junction = VezaXml(1, 3, 0, {}, QStringLiteral("Junction"));
    UcitajDokumentIzTeksta(
        rp, DokumentXml(BlokXml(1) + BlokXml(2, 300) + BlokXml(3, 300, 200),
                        VezaXml(1, 2, 0, DrzacXml(150, 60) + DrzacXml(155, 65, junction))));
    ASSERT_EQ(rp.Veze.size(), 2);
    const TVeza* v = rp.Veze.last();
    ASSERT_FALSE(v->JeJunction);
    ASSERT_EQ(v->Drzaci.size(), 2);
    EXPECT_EQ(QPoint(v->Drzaci[1]->Left(), v->Drzaci[1]->Top()), QPoint(155, 65));
    ASSERT_EQ(v->Drzaci[1]->Junctions.size(), 1);
    EXPECT_TRUE(v->Drzaci[0]->Junctions.isEmpty());
    EXPECT_EQ(v->Drzaci[1]->Junctions[0]->Pocetak(), QPoint(160, 70));
}

TEST_F(Dokument, SifraKeepsTheLowEightBitsAndAnyDirectionReads) {
    UcitajDokument(rp, Korpus("sifra_smer.skem"));
    ASSERT_EQ(rp.Blokovi().size(), 1);
    const TSKEMBlok* b = rp.Blokovi()[0];
    EXPECT_EQ(b->Sifra, 44); // 300 - 256
    EXPECT_EQ(b->Smer, 5);
    EXPECT_EQ(b->TackaIzlaza(), QPoint(0, 0));
    EXPECT_EQ(b->AktivneSlike, nullptr);

    UcitajDokument(rp, Korpus("negativni_brojevi.skem"));
    ASSERT_EQ(rp.Blokovi().size(), 1);
    EXPECT_EQ(rp.Blokovi()[0]->Sifra, 255);
    EXPECT_EQ(rp.Blokovi()[0]->MaxUlaznihVeza, -1);
    EXPECT_EQ(QPoint(rp.Blokovi()[0]->Left(), rp.Blokovi()[0]->Top()), QPoint(-7, -40));
    EXPECT_EQ(rp.Blokovi()[0]->LokalniBroj(), 1);
}

TEST_F(Dokument, SlotIsNotCheckedAgainstTheInputLimit) {
    UcitajDokumentIzTeksta(
        rp, DokumentXml(BlokXml(1) + BlokXml(2, 300).replace("<maxuveza>3", "<maxuveza>1"),
                        VezaXml(1, 2, 2)));
    EXPECT_EQ(rp.Blokovi()[1]->IzvorUlaza(2), rp.Blokovi()[0]);
}

TEST_F(Dokument, TwoConnectionsInOneSlotReadButCannotBeSaved) {
    const QString ime = Fajl("stari.skem");
    Spusti(rp, 10, "Integrator", 1, QPoint(40, 40));
    SnimiDokument(rp, ime);
    const QByteArray staro = Sadrzaj(ime);

    UcitajDokumentIzTeksta(rp, DokumentXml(BlokXml(1) + BlokXml(2, 200) + BlokXml(3, 400),
                                           VezaXml(1, 3, 1) + VezaXml(2, 3, 1)));
    ASSERT_EQ(rp.Veze.size(), 2);
    EXPECT_EQ(rp.Blokovi()[2]->IzvorUlaza(1), rp.Blokovi()[1]);
    try {
        SnimiDokument(rp, ime);
        ADD_FAILURE() << "saved";
    } catch (const TGreskaDokumenta& g) {
        EXPECT_EQ(g.Poruka(), "Neocekivana greska kod snimanja veze!!!");
    }
    EXPECT_EQ(Sadrzaj(ime), staro);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"stari.skem"});

    // The same for a junction that lost its slot.
    const QString junction = VezaXml(1, 3, 2, {}, QStringLiteral("Junction"));
    UcitajDokumentIzTeksta(
        rp, DokumentXml(BlokXml(1) + BlokXml(2, 200) + BlokXml(3, 400),
                        VezaXml(1, 2, 0, DrzacXml(150, 60, junction)) + VezaXml(2, 3, 2)));
    try {
        SnimiDokument(rp, ime);
        ADD_FAILURE() << "saved";
    } catch (const TGreskaDokumenta& g) {
        EXPECT_EQ(g.Poruka(), "Neocekivana greska kod snimanja junction veze!!!");
    }
    EXPECT_EQ(Sadrzaj(ime), staro);
}

TEST_F(Dokument, FailedSavesLeaveNothingBehind) {
    Spusti(rp, 10, "Integrator", 1, QPoint(40, 40));
    const QString nema = dir.filePath(QStringLiteral("nema/fajl.skem"));
    try {
        SnimiDokument(rp, nema);
        ADD_FAILURE() << "saved";
    } catch (const TGreskaDokumenta& g) {
        EXPECT_TRUE(g.Poruka().startsWith(QStringLiteral("Fajl '") + nema +
                                          QStringLiteral("' ne moze da se snimi: ")))
            << g.what();
    }
    // A directory in the way of the file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("fascikla.skem")));
    EXPECT_THROW(SnimiDokument(rp, Fajl("fascikla.skem")), TGreskaDokumenta);

    // A text XML cannot hold: refused before anything is written.
    const QString ime = Fajl("opis.skem");
    SnimiDokument(rp, ime);
    const QByteArray staro = Sadrzaj(ime);
    rp.OpisProblema = QStringLiteral("zvono ") + QChar(7);
    try {
        SnimiDokument(rp, ime);
        ADD_FAILURE() << "saved";
    } catch (const TGreskaDokumenta& g) {
        EXPECT_TRUE(g.Poruka().contains(QStringLiteral("OpisProblema"))) << g.what();
    }
    EXPECT_EQ(Sadrzaj(ime), staro);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"opis.skem"});
}

TEST_F(Dokument, LineBreaksInTheDescriptionSurvive) {
    rp.OpisProblema = QStringLiteral("prvi\r\ndrugi\rtreci\nkraj  ");
    UcitajDokumentIzTeksta(rp, DokumentUTekst(rp));
    EXPECT_EQ(rp.OpisProblema, QStringLiteral("prvi\r\ndrugi\rtreci\nkraj  "));
}

TEST_F(Dokument, TextsOfOnlyBlanksSurvive) {
    // Every text field, each made only of whitespace of some kind.
    TSKEMBlok* b = Spusti(rp, 10, "Integrator", 1, QPoint(40, 40));
    const QStringList prazno = {"    ", " ", "\t", "\n", " \r\n ", "\t \t", "  \n  "};
    b->Naziv = prazno[0];
    for (int i = 0; i < 6; ++i)
        b->Natpisi[size_t(i)] = prazno[i + 1];
    rp.OpisProblema = QStringLiteral(" \n ");
    const QString pre = Opis(rp);
    UcitajDokumentIzTeksta(rp, DokumentUTekst(rp));
    EXPECT_EQ(Opis(rp), pre);
    // Written by hand, with a CDATA section beside the blanks.
    UcitajDokumentIzTeksta(
        rp, DokumentXml(BlokXml(1).replace("<Naziv>I</Naziv>", "<Naziv>  <![CDATA[ ]]>\t</Naziv>"),
                        {}));
    EXPECT_EQ(rp.Blokovi()[0]->Naziv, "   \t");
}

TEST_F(Dokument, ReadingSelectsOnceWhateverTheSize) {
    // The workspace hears about the selection and the state as often for a
    // large document as for a small one: once a clear, once the end.
    auto Procitaj = [this](int blokova, int drzaca) {
        QString blokovi, drzaci;
        for (int b = 1; b <= blokova; ++b)
            blokovi += BlokXml(b, 40 + 80 * b);
        for (int h = 0; h < drzaca; ++h)
            drzaci +=
                DrzacXml(100 + 20 * h, 300 + 20 * (h % 2),
                         h == 0 ? VezaXml(1, 3, 0, {}, QStringLiteral("Junction")) : QString());
        TSKEMRadnaPovrsina druga;
        int izbora = 0, stanja = 0;
        druga.OnSelectBlok = [&](TSKEMRadnaPovrsina*) { ++izbora; };
        druga.OnStanjeChange = [&](TSKEMRadnaPovrsina*) { ++stanja; };
        UcitajDokumentIzTeksta(druga, DokumentXml(blokovi, VezaXml(1, 2, 0, drzaci)));
        EXPECT_EQ(druga.SelektovaniBlok, druga.Blokovi().last());
        EXPECT_EQ(druga.Veze.size(), 2);
        return std::pair(izbora, stanja);
    };
    EXPECT_EQ(Procitaj(40, 40), Procitaj(3, 1));
}

struct TPokvaren {
    const char* fajl;
    const char* poruka; // exact, or the start when it ends in "*"
    int blokova;        // left on the surface
    int veza;
};

class KorpusDokumenata : public Dokument, public ::testing::WithParamInterface<TPokvaren> {};

TEST_P(KorpusDokumenata, EndsInItsErrorAndLeavesAUsableWorkspace) {
    const TPokvaren& p = GetParam();
    const QString ime = Korpus(p.fajl);
    QString poruka;
    try {
        UcitajDokument(rp, ime);
    } catch (const TGreskaDokumenta& g) {
        poruka = g.Poruka();
    }
    // "*" stands for any text (the file's path, the XML service's words).
    const QStringList delovi = QString::fromUtf8(p.poruka).split('*');
    qsizetype od = 0;
    for (int i = 0; i < delovi.size(); ++i) {
        const qsizetype gde = poruka.indexOf(delovi[i], od);
        EXPECT_TRUE(i == 0 ? gde == 0 : gde >= od) << poruka.toStdString();
        od = gde + delovi[i].size();
    }
    if (delovi.size() == 1) {
        EXPECT_EQ(poruka.size(), od);
    }
    EXPECT_EQ(rp.Blokovi().size(), p.blokova);
    EXPECT_EQ(rp.Veze.size(), p.veza);
    ProveriUpotrebljivost();
    if (poruka.isEmpty()) {
        // What reads is saved, and the saved text reads back to the same text.
        const QByteArray prvi = DokumentUTekst(rp);
        TSKEMRadnaPovrsina druga;
        try {
            UcitajDokumentIzTeksta(druga, prvi);
        } catch (const TGreskaDokumenta& g) {
            ADD_FAILURE() << g.Poruka().toStdString();
        }
        EXPECT_EQ(DokumentUTekst(druga).toStdString(), prvi.toStdString());
    }

    // The workspace goes on: cleared, and a good document read after.
    rp.Ocisti();
    EXPECT_TRUE(rp.Blokovi().isEmpty());
    UcitajDokumentIzTeksta(rp, DokumentXml(BlokXml(1) + BlokXml(2, 300), VezaXml(1, 2, 0)));
    EXPECT_EQ(rp.Blokovi()[1]->IzvorUlaza(0), rp.Blokovi()[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Pokvareni, KorpusDokumenata,
    ::testing::Values(
        TPokvaren{"skraceni.skem", "Fajl '*skraceni.skem' nije ispravan XML dokument: *", 0, 0},
        TPokvaren{"prazan.skem", "Fajl '*prazan.skem' nije ispravan XML dokument: *", 0, 0},
        TPokvaren{"nema_ga.skem", "Fajl '*nema_ga.skem' ne moze da se otvori: *", 0, 0},
        TPokvaren{"tekst_umesto_broja.skem", "'dvadeset' is not a valid integer value", 1, 0},
        TPokvaren{"realan_sa_zarezom.skem", "'1,5' is not a valid floating point value", 0, 0},
        TPokvaren{"nedostaje_parametar.skem", "'' is not a valid floating point value", 0, 0},
        TPokvaren{"ogroman_broj.skem", "'99999999999' is not a valid integer value", 1, 0},
        TPokvaren{"slot_van_opsega.skem", "List index out of bounds (3)", 3, 1},
        TPokvaren{"slot_negativan.skem", "List index out of bounds (-1)", 2, 0},
        TPokvaren{"nepostojeci_blok.skem",
                  "Veza se odnosi na blok broj 9 koji ne postoji u dokumentu!", 2, 1},
        TPokvaren{"list_sa_decom.skem", "Element does not contain a single text node", 0, 0},
        TPokvaren{"ordinate_lose.skem", "Ordinate generatora funkcija moraju biti 11*", 0, 0},
        TPokvaren{"ordinate_tekst.skem", "Ordinate generatora funkcija moraju biti 11*", 0, 0},
        TPokvaren{"drzac_tekst.skem", "'x' is not a valid integer value", 3, 2},
        TPokvaren{"polozaj_ogroman.skem", "Polozaj 2000000000 je van povrsine*", 0, 0},
        // These read: nothing wrong with them.
        TPokvaren{"prazni_elementi.skem", "", 0, 0}, TPokvaren{"samo_koren.skem", "", 0, 0},
        TPokvaren{"drugi_koren.skem", "", 2, 1}, TPokvaren{"sifra_smer.skem", "", 1, 0},
        TPokvaren{"negativni_brojevi.skem", "", 1, 0}, TPokvaren{"najveci_brojevi.skem", "", 1, 0}),
    [](const ::testing::TestParamInfo<TPokvaren>& i) {
        std::string ime = i.param.fajl;
        return ime.substr(0, ime.find('.'));
    });

TEST_F(Dokument, PartlyReadConnectionKeepsWhatWasBuilt) {
    try {
        UcitajDokument(rp, Korpus("drzac_tekst.skem"));
    } catch (const TGreskaDokumenta&) {
    }
    // The connection and its junction with the holder read before the bad one.
    ASSERT_EQ(rp.Veze.size(), 2);
    const TVeza* v = rp.Veze[1];
    const TVeza* j = rp.Veze[0];
    EXPECT_FALSE(v->JeJunction);
    EXPECT_TRUE(j->JeJunction);
    EXPECT_EQ(j->Roditelj, v);
    EXPECT_EQ(j->Drzaci.size(), 1);
    EXPECT_EQ(v->Drzaci[0]->Junctions, QList<TVeza*>{const_cast<TVeza*>(j)});
    EXPECT_EQ(rp.Blokovi()[2]->IzvorUlaza(1), rp.Blokovi()[0]);
    // Deleting the connection takes the junction along.
    rp.ObrisiVezu(rp.Veze[1]);
    EXPECT_TRUE(rp.Veze.isEmpty());
}

// A chain of junctions n levels deep: each starts at the one holder of the
// one before and ends in a block of its own.
QByteArray DubokDokument(int n) {
    QString blokovi;
    for (int b = 1; b <= n + 2; ++b)
        blokovi += BlokXml(b, 40 + (b % 20) * 70, 40 + (b / 20) * 60);
    QString unutra;
    for (int i = n; i >= 1; --i)
        unutra =
            VezaXml(1, i + 2, 0, DrzacXml(100 + 2 * i, 300, unutra), QStringLiteral("Junction"));
    return DokumentXml(blokovi, VezaXml(1, 2, 0, DrzacXml(100, 300, unutra)));
}

TEST_F(Dokument, DeepJunctionNesting) {
    UcitajDokumentIzTeksta(rp, DubokDokument(200));
    ASSERT_EQ(rp.Veze.size(), 201);
    const TVeza* najdublja = rp.Veze.first();
    int dubina = 0;
    for (const TVeza* v = najdublja; v->Roditelj; v = v->Roditelj)
        ++dubina;
    EXPECT_EQ(dubina, 200);
    EXPECT_EQ(najdublja->KrajBlok, rp.Blokovi()[201]);
    EXPECT_EQ(najdublja->PocBlok, rp.Blokovi()[0]);
    // Every level is written and read back the same way.
    const QString prvi = Opis(rp);
    UcitajDokumentIzTeksta(rp, DokumentUTekst(rp));
    EXPECT_EQ(Opis(rp), prvi);
    rp.ObrisiVezu(rp.Veze.last()); // the outermost takes all the others along
    EXPECT_TRUE(rp.Veze.isEmpty());

    try {
        UcitajDokumentIzTeksta(rp, DubokDokument(MaksDubinaJunctiona + 1));
        ADD_FAILURE() << "read";
    } catch (const TGreskaDokumenta& g) {
        EXPECT_EQ(g.Poruka(), QStringLiteral("Junction veze su ugnjezdene dublje od %1 nivoa!")
                                  .arg(MaksDubinaJunctiona));
    }
    EXPECT_EQ(rp.Veze.size(), MaksDubinaJunctiona + 1);
    ProveriUpotrebljivost();
    rp.Ocisti();
    EXPECT_TRUE(rp.Veze.isEmpty());
}

TEST_F(Dokument, NestingIsCheckedBeforeTheTreeIsBuilt) {
    // Unknown elements nested in the root: as deep as allowed reads, deeper is refused.
    auto Ugnjezdeno = [](int dubina) {
        QByteArray xml = "<?xml version=\"1.0\"?><SKEMDokument>";
        for (int i = 1; i < dubina; ++i)
            xml += "<a>";
        for (int i = 1; i < dubina; ++i)
            xml += "</a>";
        return xml + "<Blokovi>" + BlokXml(1).toUtf8() + "</Blokovi></SKEMDokument>";
    };
    UcitajDokumentIzTeksta(rp, Ugnjezdeno(MaksDubinaElemenata));
    EXPECT_EQ(rp.Blokovi().size(), 1);
    for (int dubina : {MaksDubinaElemenata + 1, 100000})
        OcekujGresku(Ugnjezdeno(dubina),
                     QStringLiteral("Elementi dokumenta su ugnjezdeni dublje od %1 nivoa!")
                         .arg(MaksDubinaElemenata));
    EXPECT_TRUE(rp.Blokovi().isEmpty());
}

TEST_F(Dokument, DocumentsTooBigToReadAreRefusedBeforeAnyBlockIsMade) {
    // More blocks than allowed, and a file (sparse: no disk is used) whose
    // reading would need more memory than allowed.
    QByteArray blokovi = "<SKEMDokument><Blokovi>";
    blokovi += QByteArray("<Blok/>").repeated(MaksBrojBlokova + 1);
    blokovi += "</Blokovi></SKEMDokument>";
    {
        QFile f(Fajl("ogroman.skem"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) &&
                    f.resize(MaksMemorijaCitanja / MemorijaPoBajtuDokumenta + 1));
    }
    const struct {
        QByteArray xml; // read from text when not empty, else from the file
        QString poruka;
    } slucajevi[] = {
        {blokovi, QStringLiteral("Dokument ima vise od %1 blokova i ne moze da se procita!")
                      .arg(MaksBrojBlokova)},
        {{},
         QStringLiteral("Fajl '%1' ima %2 MB i za njegovo citanje bilo bi potrebno vise od "
                        "4096 MB memorije!")
             .arg(Fajl("ogroman.skem"))
             .arg(4096 / skem::MemorijaPoBajtuDokumenta + 1)},
    };
    for (const auto& s : slucajevi) {
        UcitajDokumentIzTeksta(rp, DokumentXml(BlokXml(1), ""));
        try {
            if (s.xml.isEmpty())
                UcitajDokument(rp, Fajl("ogroman.skem"));
            else
                UcitajDokumentIzTeksta(rp, s.xml);
            ADD_FAILURE() << "no error, expected: " << s.poruka.toStdString();
        } catch (const TGreskaDokumenta& g) {
            EXPECT_EQ(g.Poruka().toStdString(), s.poruka.toStdString());
        }
        EXPECT_TRUE(rp.Blokovi().isEmpty());
        ProveriUpotrebljivost();
    }
}

TEST_F(Dokument, NadjiBlokFindsTheFirstWithTheNumber) {
    TSKEMBlok* a = Spusti(rp, 10, "A", 1, QPoint(40, 40));
    TSKEMBlok* b = Spusti(rp, 10, "B", 1, QPoint(240, 40));
    EXPECT_EQ(NadjiBlok(rp, 1), a);
    EXPECT_EQ(NadjiBlok(rp, 2), b);
    EXPECT_EQ(NadjiBlok(rp, 3), nullptr);
    b->SetLokalniBroj(1);
    EXPECT_EQ(NadjiBlok(rp, 1), a);
}

} // namespace
