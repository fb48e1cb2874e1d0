// The workspace driven as a user drives it: drops, mouse clicks and moves in
// the view, the Delete key.
#include "Dokument.h"
#include "PomocTesta.h"

#include <QGraphicsRectItem>
#include <QGraphicsSceneDragDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

// Stands in for the palette item: the workspace knows it only by class name.
class TSkrolStavka : public QWidget {
    Q_OBJECT
};

// A point on the segment: the middle of its two ends.
QPoint Sredina(const TLinija* s) {
    return (s->TackaA() + s->TackaB()) / 2;
}

bool PosaljiPrevlacenje(TSKEMRadnaPovrsina& rp, QEvent::Type vrsta, QWidget* izvor,
                        const QMimeData* podaci, QPointF tacka) {
    QGraphicsSceneDragDropEvent e(vrsta);
    e.setSource(izvor);
    e.setMimeData(podaci);
    e.setScenePos(tacka);
    e.setPossibleActions(Qt::CopyAction);
    e.setProposedAction(Qt::CopyAction);
    e.ignore();
    QApplication::sendEvent(&rp, &e);
    return e.isAccepted();
}

// Whether scrolling the view brings the whole item into sight.
bool MozeDaSeVidi(QGraphicsView& v, const QGraphicsItem* s) {
    v.ensureVisible(s, 10, 10);
    return v.mapToScene(v.viewport()->rect()).boundingRect().contains(s->sceneBoundingRect());
}

// A press, moves in steps of about ten pixels and a release, at points fixed
// in the view as a hand moves the mouse, whatever the view does meanwhile;
// returns the number of moves.
int VuciPostepeno(QGraphicsView& v, QPoint od, QPoint doTacke) {
    v.ensureVisible(QRectF(od, QSizeF(1, 1)));
    const QPoint vOd = v.mapFromScene(od);
    const QPoint vDo = v.mapFromScene(doTacke);
    Pritisni(v, od);
    const int koraka = std::max(1, (doTacke - od).manhattanLength() / 10);
    for (int i = 1; i <= koraka; ++i) {
        Pomeri(v, v.mapToScene(vOd + (vDo - vOd) * i / koraka).toPoint(), Qt::LeftButton);
        // As between a user's moves: the scene brings its items up to date.
        QCoreApplication::processEvents();
    }
    Pusti(v, v.mapToScene(vDo).toPoint());
    return koraka;
}

} // namespace

TEST(RadnaPovrsina, PovrsinaRasteDaObuhvatiBlokoveIDrzace) {
    TOkruzenje o;
    const QRectF najmanja(0, 0, 1500, 1500);
    // Near the origin, even dragged into its corner, a block leaves the surface as it is.
    TSKEMBlok* a = o.Spusti({40, 40});
    Prevuci(o.v(), TOkruzenje::Sredina(a), {0, 0});
    ASSERT_EQ(a->pos(), QPointF(8, 8));
    EXPECT_EQ(o.rp.sceneRect(), najmanja);

    // A document with a block far right and below, one left of and above the
    // origin, and a holder high above: each can be scrolled to.
    const QString blok = QStringLiteral(
        "<Blok><Top>%1</Top><Left>%2</Left><Sifra>8</Sifra><Naziv>B</Naziv>"
        "<LokalniBroj>%3</LokalniBroj><brparam>1</brparam><maxuveza>1</maxuveza>"
        "<Parametar1>0</Parametar1><Parametar2>0</Parametar2><Parametar3>0</Parametar3>"
        "<Smer>3</Smer></Blok>");
    UcitajDokumentIzTeksta(
        o.rp, (QStringLiteral("<?xml version=\"1.0\"?><SKEMDokument><Blokovi>") +
               blok.arg(2000).arg(3000).arg(1) + blok.arg(-300).arg(-500).arg(2) +
               QStringLiteral("</Blokovi><Veze><Veza><PocBlok>2</PocBlok><KrajBlok>1</KrajBlok>"
                              "<GdeKrajBlok>0</GdeKrajBlok><Drzaci><Drzac><Top>-800</Top>"
                              "<Left>1000</Left><Index>0</Index><Junctions/></Drzac>"
                              "</Drzaci></Veza></Veze></SKEMDokument>"))
                  .toUtf8());
    ASSERT_EQ(o.rp.Blokovi().size(), 2);
    ASSERT_EQ(o.rp.Veze.size(), 1);
    ASSERT_EQ(o.rp.Veze[0]->Drzaci.size(), 1);
    TSKEMBlok* daleki = o.rp.Blokovi()[0];
    const QList<const QGraphicsItem*> stavke{daleki, o.rp.Blokovi()[1], o.rp.Veze[0]->Drzaci[0]};
    for (const QGraphicsItem* s : stavke) {
        EXPECT_TRUE(o.rp.sceneRect().contains(s->sceneBoundingRect())) << s->pos().x();
        EXPECT_TRUE(MozeDaSeVidi(o.v(), s)) << s->pos().x();
    }
    // Deleting the far block does not shrink the surface; a new document
    // starts at the least size again.
    const QRectF vec = o.rp.sceneRect();
    o.rp.ObrisiBlok(daleki);
    EXPECT_EQ(o.rp.sceneRect(), vec);
    o.rp.Ocisti();
    EXPECT_EQ(o.rp.sceneRect(), najmanja);

    // In a view larger than the surface, a block dragged past the right and
    // bottom edges and a holder past the left and top ones: the surface grows
    // along, a step at a time, not on every move, and stays put in the view.
    o.pogled->resize(1700, 1600);
    TSKEMBlok* b = o.Spusti({1000, 1000});
    TSKEMBlok* c = o.Spusti({1200, 1000});
    TVeza* veza = o.NacrtajVezu(b, c, {QPoint(1100, 900)});
    ASSERT_NE(veza, nullptr);
    ASSERT_EQ(o.rp.sceneRect(), najmanja);
    QSignalSpy promene(&o.rp, &QGraphicsScene::sceneRectChanged);
    TDrzac* h = veza->Drzaci[0];
    int pomeranja = VuciPostepeno(o.v(), h->TackaDrzaca(), QPoint(-300, -200));
    EXPECT_EQ(h->TackaDrzaca(), QPoint(-300, -200));
    pomeranja +=
        VuciPostepeno(o.v(), TOkruzenje::Sredina(b), TOkruzenje::Sredina(b) + QPoint(700, 600));
    EXPECT_EQ(b->pos(), QPointF(1700, 1600));
    for (const QGraphicsItem* s : QList<const QGraphicsItem*>{b, c, h}) {
        EXPECT_TRUE(o.rp.sceneRect().contains(s->sceneBoundingRect())) << s->pos().x();
        EXPECT_TRUE(MozeDaSeVidi(o.v(), s)) << s->pos().x();
    }
    EXPECT_GE(promene.count(), 2);
    EXPECT_LT(promene.count(), pomeranja / 10);
}

TEST(RadnaPovrsina, SpustenaStavkaJeNoviSelektovaniBlokOkrenutUdesno) {
    TOkruzenje o;
    TSKEMBlok* prvi = o.Spusti(QPoint(40, 40));
    o.dogadjaji.clear();
    TStavkaKataloga s;
    s.Naziv = "Integrator";
    s.ImageIndex = 8;
    s.MaxUlaznihVeza = 1;
    s.BrojParam = 1;
    s.Natpisi = {"p1", "x", "x", "u1", "x", "x"};
    // What the inspector is told when the new block becomes the selection.
    QString uSelekciji;
    o.rp.OnSelectBlokZaInsp = [&](TSKEMRadnaPovrsina* rp) {
        o.dogadjaji << "SelectBlokZaInsp";
        const TSKEMBlok* sel = rp->SelektovaniBlok;
        uSelekciji = QString::number(sel->LokalniBroj()) + ". " + sel->Naziv + " " +
                     sel->Natpisi[0] + " " + QString::number(sel->Sifra);
    };
    TSKEMBlok* b = o.rp.SpustiStavku(s, QPoint(200, 120));
    EXPECT_EQ(uSelekciji, "2. Integrator p1 8");

    EXPECT_EQ(b->Left(), 200);
    EXPECT_EQ(b->Top(), 120);
    EXPECT_EQ(b->Smer, 3);
    EXPECT_EQ(b->AktivneSlike, &o.desno);
    EXPECT_EQ(b->LokalniBroj(), 2);
    EXPECT_EQ(b->Sifra, 8);
    EXPECT_EQ(b->Naziv, "Integrator");
    EXPECT_EQ(b->toolTip(), "Integrator");
    EXPECT_EQ(b->Natpisi[3], "u1");
    EXPECT_TRUE(b->Aktivno());
    EXPECT_FALSE(prvi->Aktivno());
    EXPECT_EQ(o.rp.SelektovaniBlok, b);
    EXPECT_EQ(o.rp.Blokovi(), (QList<TSKEMBlok*>{prvi, b}));
    // The drop ends with OnChange and then OnDropBlok.
    ASSERT_GE(o.dogadjaji.size(), 2);
    EXPECT_EQ(o.dogadjaji.mid(o.dogadjaji.size() - 2), (QStringList{"Change", "DropBlok"}));
    // Moving a dropped block marks the document modified.
    o.dogadjaji.clear();
    Prevuci(o.v(), QPoint(210, 130), QPoint(240, 150));
    EXPECT_EQ(b->Left(), 230);
    EXPECT_EQ(b->Top(), 140);
    EXPECT_TRUE(o.dogadjaji.contains("Change"));
}

TEST(RadnaPovrsina, PrevlacenjeSePrihvataSamoIzPalete) {
    TOkruzenje o;
    TStavkaKataloga s;
    s.Naziv = "Sinus";
    s.ImageIndex = 14;
    QMimeData podaci;
    podaci.setData(MimeStavkeKataloga, KodirajStavku(s));
    QWidget drugi;
    TSkrolStavka paleta;

    EXPECT_FALSE(
        PosaljiPrevlacenje(o.rp, QEvent::GraphicsSceneDragEnter, &drugi, &podaci, {50, 50}));
    EXPECT_FALSE(
        PosaljiPrevlacenje(o.rp, QEvent::GraphicsSceneDragEnter, nullptr, &podaci, {50, 50}));
    QMimeData tekst;
    tekst.setText("Sinus");
    EXPECT_FALSE(
        PosaljiPrevlacenje(o.rp, QEvent::GraphicsSceneDragEnter, &paleta, &tekst, {50, 50}));
    PosaljiPrevlacenje(o.rp, QEvent::GraphicsSceneDrop, &drugi, &podaci, {50, 50});
    EXPECT_TRUE(o.rp.Blokovi().isEmpty());

    EXPECT_TRUE(
        PosaljiPrevlacenje(o.rp, QEvent::GraphicsSceneDragEnter, &paleta, &podaci, {50, 50}));
    EXPECT_TRUE(
        PosaljiPrevlacenje(o.rp, QEvent::GraphicsSceneDragMove, &paleta, &podaci, {60, 70}));
    EXPECT_TRUE(PosaljiPrevlacenje(o.rp, QEvent::GraphicsSceneDrop, &paleta, &podaci, {60, 70}));
    ASSERT_EQ(o.rp.Blokovi().size(), 1);
    EXPECT_EQ(o.rp.Blokovi()[0]->Naziv, "Sinus");
    EXPECT_EQ(o.rp.Blokovi()[0]->pos(), QPointF(60, 70));
}

TEST(RadnaPovrsina, StanjeUvekJavlja) {
    TOkruzenje o;
    o.rp.SetStanje(rpsSelektuj);
    o.rp.SetStanje(rpsSelektuj);
    EXPECT_EQ(o.dogadjaji, (QStringList{"StanjeChange", "StanjeChange"}));
}

TEST(RadnaPovrsina, CrtanjeVezeSaDveKrivineIZavrsetak) {
    TOkruzenje o;
    TSKEMBlok* a = o.Spusti({40, 40}, 0);
    TSKEMBlok* b = o.Spusti({400, 300}, 2);
    o.rp.SetStanje(rpsDodajVezuEx);
    Klikni(o.v(), TOkruzenje::Sredina(a));
    ASSERT_NE(o.rp.VezaUIzradi, nullptr);
    EXPECT_EQ(o.rp.PocetniBlok, a);
    TVeza* c = o.rp.VezaUIzradi;
    EXPECT_EQ(c->Pocetak(), QPoint(106, 66)); // the right side's middle
    // The end follows the pointer; a click there places a bend.
    Pomeri(o.v(), {200, 66});
    EXPECT_EQ(c->Kraj(), QPoint(200, 66));
    Klikni(o.v(), {200, 66});
    Pomeri(o.v(), {200, 326});
    Klikni(o.v(), {200, 326});
    ASSERT_EQ(c->Drzaci.size(), 2);
    EXPECT_EQ(c->Drzaci[0]->TackaDrzaca(), QPoint(199, 65));
    EXPECT_EQ(c->Drzaci[1]->TackaDrzaca(), QPoint(199, 325));
    EXPECT_EQ(c->Linije.size(), 3);
    // Over a block the end goes to the corner where its input side begins.
    Pomeri(o.v(), TOkruzenje::Sredina(b));
    EXPECT_EQ(c->Kraj(), QPoint(400, 300));
    o.dogadjaji.clear();
    Klikni(o.v(), TOkruzenje::Sredina(b));

    EXPECT_TRUE(o.dogadjaji.contains("PoveziVezu"));
    EXPECT_EQ(o.stanjeKodPovezivanja, rpsDodajVezuEx);
    EXPECT_EQ(o.vezaKodPovezivanja, c);
    EXPECT_EQ(o.rp.Stanje(), rpsSelektuj);
    EXPECT_EQ(o.rp.VezaUIzradi, nullptr);
    EXPECT_EQ(o.rp.PocetniBlok, nullptr);
    EXPECT_EQ(o.rp.Veze, QList<TVeza*>{c});
    EXPECT_EQ(c->PocBlok, a);
    EXPECT_EQ(c->KrajBlok, b);
    EXPECT_EQ(a->Izlazi, QList<TVeza*>{c});
    EXPECT_EQ(b->Ulazi[0], c);
    EXPECT_EQ(b->IzvorUlaza(0), a);
    EXPECT_EQ(c->Kraj(), QPoint(400, 317)); // slot 0 of two on a 52-pixel side: 52 div 3
    EXPECT_EQ(c->Linije.last()->TackaB(), QPoint(400, 317));
}

TEST(RadnaPovrsina, DrugiIzlazOdbijenIstiBlokOdbacujeDesniKlikOtkazuje) {
    TOkruzenje o;
    TSKEMBlok* a = o.Spusti({40, 40});
    TSKEMBlok* b = o.Spusti({300, 40});
    TSKEMBlok* c = o.Spusti({300, 240});
    ASSERT_NE(o.NacrtajVezu(a, b), nullptr);

    // A block may have only one connection of its own.
    o.rp.SetStanje(rpsDodajVezuEx);
    Klikni(o.v(), TOkruzenje::Sredina(a));
    EXPECT_THAT(
        o.dijalozi.Zapis,
        ElementsAre("Greska: Iz ovog bloka vec postoji izlaz!\n    Koristite junction vezu!"));
    EXPECT_EQ(o.rp.Stanje(), rpsDodajVezuEx);
    EXPECT_EQ(o.rp.VezaUIzradi, nullptr);

    // A second click on the start block discards the drawing.
    const int linija = o.BrojStavki(TLinija::Type);
    Klikni(o.v(), TOkruzenje::Sredina(b));
    ASSERT_NE(o.rp.VezaUIzradi, nullptr);
    Pomeri(o.v(), {200, 200});
    Klikni(o.v(), {200, 200});
    Klikni(o.v(), TOkruzenje::Sredina(b));
    EXPECT_EQ(o.rp.VezaUIzradi, nullptr);
    EXPECT_EQ(o.rp.Stanje(), rpsSelektuj);
    EXPECT_EQ(o.BrojStavki(TLinija::Type), linija);
    EXPECT_EQ(o.BrojStavki(TDrzac::Type), 0);

    // The right button released on the segment being drawn cancels it.
    o.rp.SetStanje(rpsDodajVezuEx);
    Klikni(o.v(), TOkruzenje::Sredina(b));
    Pomeri(o.v(), {500, 150});
    Klikni(o.v(), {500, 150});
    Pomeri(o.v(), {500, 300});
    Klikni(o.v(), {500, 300}, Qt::RightButton);
    EXPECT_EQ(o.rp.VezaUIzradi, nullptr);
    EXPECT_EQ(o.rp.PocetniBlok, nullptr);
    EXPECT_EQ(o.rp.Stanje(), rpsSelektuj);
    EXPECT_EQ(o.BrojStavki(TLinija::Type), linija);
    EXPECT_EQ(o.BrojStavki(TDrzac::Type), 0);
    EXPECT_TRUE(b->Izlazi.isEmpty());
    EXPECT_EQ(c->Ulazi[0], nullptr);
}

TEST(RadnaPovrsina, PritisakNaPovrsinuZadrzavaCrtanje) {
    TOkruzenje o;
    TSKEMBlok* a = o.Spusti({40, 40});
    TSKEMBlok* b = o.Spusti({300, 240});
    o.rp.SetStanje(rpsDodajVezuEx);
    Klikni(o.v(), TOkruzenje::Sredina(a));
    TVeza* c = o.rp.VezaUIzradi;
    // A press beside the end of the segment falls on the free surface.
    Pritisni(o.v(), {600, 600});
    Pusti(o.v(), {600, 600});
    EXPECT_EQ(o.rp.Stanje(), rpsSelektuj);
    EXPECT_EQ(o.rp.VezaUIzradi, c);
    EXPECT_EQ(c->Kraj(), QPoint(600, 600));
    EXPECT_EQ(o.rp.SelektovaniBlok, nullptr);
    EXPECT_FALSE(b->Aktivno());
    o.rp.SetStanje(rpsDodajVezuEx);
    Pomeri(o.v(), TOkruzenje::Sredina(b));
    Klikni(o.v(), TOkruzenje::Sredina(b));
    EXPECT_EQ(o.rp.Veze, QList<TVeza*>{c});
    EXPECT_EQ(c->PocBlok, a);
    EXPECT_EQ(b->Ulazi[0], c);
}

TEST(RadnaPovrsina, JunctionIzNovogIPostojecegDrzacaIJunctionJunctiona) {
    TOkruzenje o;
    TSKEMBlok* a = o.Spusti({40, 40});
    TSKEMBlok* b = o.Spusti({400, 40});
    TSKEMBlok* c = o.Spusti({400, 200});
    TSKEMBlok* d = o.Spusti({400, 360});
    TSKEMBlok* e = o.Spusti({40, 360});
    TVeza* g = o.NacrtajVezu(a, b, {QPoint(250, 66)});
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->Drzaci.size(), 1);

    // From a new holder: a click on the connection's first segment.
    o.rp.SetStanje(rpsKreirajJunctionEx);
    Klikni(o.v(), {170, 66});
    ASSERT_EQ(g->Drzaci.size(), 2);
    TDrzac* novi = g->Drzaci[0];
    TVeza* j1 = o.rp.VezaUIzradi;
    ASSERT_NE(j1, nullptr);
    EXPECT_TRUE(j1->JeJunction);
    EXPECT_EQ(j1->Roditelj, g);
    EXPECT_EQ(j1->Pocetak(), novi->TackaDrzaca());
    EXPECT_EQ(novi->Junctions, QList<TVeza*>{j1});
    // Once its holder is chosen, clicks on g only select it and deselect it.
    for (int i = 0; i < 2; ++i) {
        TLinija* zadnja = g->Linije.last();
        zadnja->OnMouseUp(zadnja, Qt::LeftButton, Qt::NoModifier, 50, 10);
    }
    EXPECT_EQ(g->Drzaci.size(), 2);
    EXPECT_EQ(o.rp.VezaUIzradi, j1);
    Pomeri(o.v(), {170, 226});
    Klikni(o.v(), {170, 226}); // a bend on the junction
    Pomeri(o.v(), TOkruzenje::Sredina(c));
    o.dogadjaji.clear();
    Klikni(o.v(), TOkruzenje::Sredina(c));
    EXPECT_EQ(o.stanjeKodPovezivanja, rpsKreirajJunctionEx);
    EXPECT_EQ(o.vezaKodPovezivanja, j1);
    EXPECT_EQ(o.rp.Stanje(), rpsSelektuj);
    EXPECT_EQ(j1->PocBlok, a);
    EXPECT_EQ(j1->KrajBlok, c);
    EXPECT_EQ(j1->Drzaci.size(), 1);
    EXPECT_EQ(c->Ulazi[0], j1);
    EXPECT_EQ(c->IzvorUlaza(0), a);
    EXPECT_EQ(a->Izlazi, (QList<TVeza*>{g, j1}));

    // From an existing holder: a press on the bend of g.
    o.rp.SetStanje(rpsKreirajJunctionEx);
    TDrzac* krivina = g->Drzaci[1];
    Klikni(o.v(), krivina->TackaDrzaca());
    TVeza* j2 = o.rp.VezaUIzradi;
    ASSERT_NE(j2, nullptr);
    EXPECT_EQ(krivina->Junctions, QList<TVeza*>{j2});
    EXPECT_EQ(g->Drzaci.size(), 2);
    Pomeri(o.v(), TOkruzenje::Sredina(d));
    Klikni(o.v(), TOkruzenje::Sredina(d));
    EXPECT_EQ(j2->PocBlok, a);
    EXPECT_EQ(d->Ulazi[0], j2);

    // A junction of the junction j1, from its bend: its source is still a.
    o.rp.SetStanje(rpsKreirajJunctionEx);
    Klikni(o.v(), j1->Drzaci[0]->TackaDrzaca());
    TVeza* j3 = o.rp.VezaUIzradi;
    ASSERT_NE(j3, nullptr);
    EXPECT_EQ(j3->Roditelj, j1);
    Pomeri(o.v(), TOkruzenje::Sredina(e));
    Klikni(o.v(), TOkruzenje::Sredina(e));
    EXPECT_EQ(j3->PocBlok, a);
    EXPECT_EQ(e->IzvorUlaza(0), a);
    EXPECT_EQ(a->Izlazi, (QList<TVeza*>{g, j1, j2, j3}));

    // Moving the holder of a junction moves its start and changes the document.
    o.dogadjaji.clear();
    TDrzac* h = j1->Drzaci[0];
    const QPoint staro = h->TackaDrzaca();
    Prevuci(o.v(), staro, staro + QPoint(20, 10));
    EXPECT_EQ(h->TackaDrzaca(), staro + QPoint(20, 10));
    EXPECT_EQ(j3->Pocetak(), h->TackaDrzaca());
    EXPECT_TRUE(o.dogadjaji.contains("Change"));

    // Deleting g takes every junction hanging from it, and frees their slots.
    o.rp.ObrisiVezu(g);
    EXPECT_TRUE(o.rp.Veze.isEmpty());
    EXPECT_TRUE(a->Izlazi.isEmpty());
    for (TSKEMBlok* x : {b, c, d, e})
        EXPECT_EQ(x->Ulazi[0], nullptr);
    EXPECT_EQ(o.BrojStavki(TLinija::Type), 0);
    EXPECT_EQ(o.BrojStavki(TDrzac::Type), 0);
}

TEST(RadnaPovrsina, OtkazanJunctionVracaDrzacKakavJeBio) {
    TOkruzenje o;
    TSKEMBlok* a = o.Spusti({40, 40});
    TSKEMBlok* b = o.Spusti({400, 40});
    TSKEMBlok* c = o.Spusti({400, 240});
    TVeza* g = o.NacrtajVezu(a, b, {QPoint(250, 66)});
    ASSERT_NE(g, nullptr);

    // Started from a new holder: cancelling takes the holder away again.
    o.rp.SetStanje(rpsKreirajJunctionEx);
    Klikni(o.v(), {170, 66});
    ASSERT_EQ(g->Drzaci.size(), 2);
    Pomeri(o.v(), {170, 200});
    Klikni(o.v(), {170, 200}, Qt::RightButton);
    EXPECT_EQ(o.rp.VezaUIzradi, nullptr);
    EXPECT_EQ(o.rp.Stanje(), rpsSelektuj);
    EXPECT_EQ(g->Drzaci.size(), 1);
    EXPECT_EQ(g->Linije.size(), 2);
    EXPECT_EQ(g->Linije[0]->Tip(), 1);
    EXPECT_EQ(g->Linije[1]->Tip(), 3);

    // Started from a holder that already carries a junction: both stay.
    o.rp.SetStanje(rpsKreirajJunctionEx);
    TDrzac* krivina = g->Drzaci[0];
    Klikni(o.v(), krivina->TackaDrzaca());
    Pomeri(o.v(), TOkruzenje::Sredina(c));
    Klikni(o.v(), TOkruzenje::Sredina(c));
    TVeza* j = c->Ulazi[0];
    ASSERT_NE(j, nullptr);
    o.rp.SetStanje(rpsKreirajJunctionEx);
    Klikni(o.v(), krivina->TackaDrzaca());
    ASSERT_NE(o.rp.VezaUIzradi, nullptr);
    Pomeri(o.v(), {300, 400});
    Klikni(o.v(), {300, 400}, Qt::RightButton);
    EXPECT_EQ(o.rp.VezaUIzradi, nullptr);
    EXPECT_EQ(g->Drzaci, QList<TDrzac*>{krivina});
    EXPECT_EQ(krivina->Junctions, QList<TVeza*>{j});
    EXPECT_EQ(o.rp.Veze, (QList<TVeza*>{g, j}));
}

TEST(RadnaPovrsina, DrzacZadrzanPosleKomandeJunctionaOstaje) {
    // How the junction command ends while the drawing is kept, and how the
    // kept drawing ends later: the holder made for it stays a bend each time.
    enum TKraj { desniKlik, novaVeza, noviJunction };
    const struct {
        bool alatVeze; // the connect tool chosen instead of a press on the free surface
        TKraj kraj;
    } slucajevi[] = {
        {false, desniKlik}, {false, novaVeza}, {false, noviJunction}, {true, novaVeza}};
    for (const auto& s : slucajevi) {
        SCOPED_TRACE(testing::Message() << "alat veze " << s.alatVeze << ", kraj " << s.kraj);
        TOkruzenje o;
        TSKEMBlok* a = o.Spusti({40, 40});
        TSKEMBlok* b = o.Spusti({400, 40});
        TSKEMBlok* c = o.Spusti({40, 300});
        TSKEMBlok* d = o.Spusti({400, 300});
        TVeza* g = o.NacrtajVezu(a, b);
        TVeza* f = o.NacrtajVezu(c, d, {QPoint(250, 326)});
        ASSERT_TRUE(g && f);
        o.rp.SetStanje(rpsKreirajJunctionEx);
        Klikni(o.v(), {250, 66}); // a new holder, and the junction starts there
        ASSERT_EQ(g->Drzaci.size(), 1);
        TDrzac* h = g->Drzaci[0];
        TVeza* j = o.rp.VezaUIzradi;
        ASSERT_NE(j, nullptr);
        Pomeri(o.v(), {250, 200});
        if (s.alatVeze) {
            o.rp.SetStanje(rpsDodajVezuEx);
        } else {
            Klikni(o.v(), {300, 200}); // the free surface
            ASSERT_EQ(o.rp.Stanje(), rpsSelektuj);
        }
        ASSERT_EQ(o.rp.VezaUIzradi, j);
        switch (s.kraj) {
        case desniKlik:
            Klikni(o.v(), j->Kraj(), Qt::RightButton);
            ASSERT_EQ(o.rp.VezaUIzradi, nullptr);
            break;
        case novaVeza:
            o.rp.SetStanje(rpsDodajVezuEx);
            Klikni(o.v(), TOkruzenje::Sredina(b));
            ASSERT_EQ(o.rp.PocetniBlok, b);
            break;
        case noviJunction:
            o.rp.SetStanje(rpsKreirajJunctionEx);
            Klikni(o.v(), f->Drzaci[0]->TackaDrzaca());
            ASSERT_NE(o.rp.VezaUIzradi, nullptr);
            ASSERT_EQ(o.rp.VezaUIzradi->Roditelj, f);
            break;
        }
        EXPECT_EQ(g->Drzaci, QList<TDrzac*>{h});
        EXPECT_TRUE(h->Junctions.isEmpty());
        EXPECT_EQ(g->Linije.size(), 2);
        EXPECT_EQ(o.rp.Veze, (QList<TVeza*>{g, f}));
    }
}

TEST(RadnaPovrsina, BrisanjeBlokaBriseIVezuVanSlota) {
    TOkruzenje o;
    o.poveziUSlot = false; // a wiring handler that leaves the connection out of every slot
    TSKEMBlok* a = o.Spusti({40, 40});
    TSKEMBlok* b = o.Spusti({400, 40});
    TVeza* c = o.NacrtajVezu(a, b, {QPoint(250, 66)});
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(b->IndeksUlaza(c), -1);
    o.rp.ObrisiBlok(b);
    // Nothing may keep naming the deleted block.
    EXPECT_TRUE(o.rp.Veze.isEmpty());
    EXPECT_TRUE(a->Izlazi.isEmpty());
    EXPECT_EQ(o.BrojStavki(TLinija::Type), 0);
    EXPECT_EQ(o.BrojStavki(TDrzac::Type), 0);
    EXPECT_EQ(o.rp.Blokovi(), QList<TSKEMBlok*>{a});
}

TEST(RadnaPovrsina, BrisanjeBlokaIPrenumeracija) {
    TOkruzenje o;
    TSKEMBlok* b1 = o.Spusti({40, 40});
    TSKEMBlok* b2 = o.Spusti({300, 40});
    TSKEMBlok* b3 = o.Spusti({40, 300});
    TSKEMBlok* b4 = o.Spusti({300, 300}, 2);
    TVeza* u = o.NacrtajVezu(b1, b2);
    TVeza* iz = o.NacrtajVezu(b2, b4, {QPoint(200, 200)});
    TVeza* ostaje = o.NacrtajVezu(b3, b4);
    ASSERT_TRUE(u && iz && ostaje);
    // A junction from b2's connection to b3.
    o.rp.SetStanje(rpsKreirajJunctionEx);
    Klikni(o.v(), iz->Drzaci[0]->TackaDrzaca());
    Pomeri(o.v(), TOkruzenje::Sredina(b3));
    Klikni(o.v(), TOkruzenje::Sredina(b3));
    ASSERT_EQ(b3->IzvorUlaza(0), b2);

    Klikni(o.v(), TOkruzenje::Sredina(b2));
    ASSERT_EQ(o.rp.SelektovaniBlok, b2);
    o.dogadjaji.clear();
    PritisniTaster(o.v(), Qt::Key_Delete);

    EXPECT_EQ(o.rp.Blokovi(), (QList<TSKEMBlok*>{b1, b3, b4}));
    EXPECT_EQ(b1->LokalniBroj(), 1);
    EXPECT_EQ(b3->LokalniBroj(), 2);
    EXPECT_EQ(b4->LokalniBroj(), 3);
    EXPECT_EQ(o.rp.SelektovaniBlok, nullptr);
    EXPECT_EQ(o.rp.Veze, QList<TVeza*>{ostaje});
    EXPECT_TRUE(b1->Izlazi.isEmpty());
    EXPECT_EQ(b3->Ulazi[0], nullptr);
    EXPECT_EQ(b4->Ulazi[0], nullptr);
    EXPECT_EQ(b4->Ulazi[1], ostaje);
    EXPECT_EQ(o.BrojStavki(TSKEMBlok::Type), 3);
    EXPECT_EQ(o.BrojStavki(TLinija::Type), 1);
    EXPECT_EQ(o.BrojStavki(TDrzac::Type), 0);
    EXPECT_TRUE(o.dogadjaji.contains("BrisiBlok"));
    EXPECT_TRUE(o.dogadjaji.contains("SelectBlok"));
}

TEST(RadnaPovrsina, SelekcijaIBrisanjeVezeIDrzaca) {
    TOkruzenje o;
    TSKEMBlok* a = o.Spusti({40, 40});
    TSKEMBlok* b = o.Spusti({400, 240});
    TVeza* c = o.NacrtajVezu(a, b, {QPoint(250, 66), QPoint(250, 300)});
    ASSERT_NE(c, nullptr);

    // A click on a segment selects the connection and deselects the block.
    Klikni(o.v(), TOkruzenje::Sredina(b));
    ASSERT_EQ(o.rp.SelektovaniBlok, b);
    Klikni(o.v(), {250, 150});
    EXPECT_EQ(o.rp.SelektovanaVeza, c);
    EXPECT_EQ(o.rp.SelektovaniBlok, nullptr);
    EXPECT_FALSE(b->Aktivno());
    for (TLinija* s : c->Linije)
        EXPECT_EQ(s->LineStyle(), Qt::DotLine);
    // A second click deselects it.
    Klikni(o.v(), {250, 150});
    EXPECT_EQ(o.rp.SelektovanaVeza, nullptr);
    EXPECT_FALSE(c->Aktivno());

    // A pressed holder is the selection; Delete removes it.
    TDrzac* h = c->Drzaci[0];
    Klikni(o.v(), h->TackaDrzaca());
    EXPECT_EQ(o.rp.SelektovaniDrzac, h);
    EXPECT_TRUE(h->Aktivno());
    PritisniTaster(o.v(), Qt::Key_Delete);
    EXPECT_EQ(c->Drzaci.size(), 1);
    EXPECT_EQ(o.rp.SelektovaniDrzac, nullptr);
    EXPECT_EQ(c->Linije[0]->TackaB(), c->Drzaci[0]->TackaDrzaca());

    // In rpsDodajDrzac one click adds one holder, and the state returns.
    ASSERT_EQ(c->Linije.size(), 2);
    o.rp.SetStanje(rpsDodajDrzac);
    Klikni(o.v(), Sredina(c->Linije[0]));
    EXPECT_EQ(c->Drzaci.size(), 2);
    EXPECT_EQ(o.rp.Stanje(), rpsSelektuj);
    Klikni(o.v(), Sredina(c->Linije[2]));
    EXPECT_EQ(c->Drzaci.size(), 2);

    // Delete on the selected connection removes it.
    if (o.rp.SelektovanaVeza != c) Klikni(o.v(), Sredina(c->Linije[1]));
    ASSERT_EQ(o.rp.SelektovanaVeza, c);
    PritisniTaster(o.v(), Qt::Key_Delete);
    EXPECT_TRUE(o.rp.Veze.isEmpty());
    EXPECT_TRUE(a->Izlazi.isEmpty());
    EXPECT_EQ(b->Ulazi[0], nullptr);
    EXPECT_EQ(o.BrojStavki(TLinija::Type), 0);
}

TEST(RadnaPovrsina, KlikNaLinijuIspodTudjegPravougaonika) {
    TOkruzenje o;
    TSKEMBlok* a = o.Spusti({40, 40});
    TSKEMBlok* b = o.Spusti({600, 400});
    TSKEMBlok* c = o.Spusti({40, 400});
    TSKEMBlok* d = o.Spusti({600, 40});
    TVeza* dijagonala = o.NacrtajVezu(a, b);                // (106,66) to (600,426)
    TVeza* druga = o.NacrtajVezu(c, d, {QPoint(300, 150)}); // crosses the diagonal's rectangle
    ASSERT_TRUE(dijagonala && druga);
    ASSERT_EQ(o.rp.SelektovanaVeza, nullptr);
    // The middle of druga's second segment lies inside the diagonal's
    // rectangle, far from the diagonal itself.
    const QPoint tacka = Sredina(druga->Linije[1]);
    ASSERT_TRUE(dijagonala->Linije[0]->sceneBoundingRect().contains(tacka));
    Klikni(o.v(), tacka);
    EXPECT_EQ(o.rp.SelektovanaVeza, druga);
    Klikni(o.v(), tacka);
    EXPECT_EQ(o.rp.SelektovanaVeza, nullptr);
    // A point of the diagonal's rectangle far from both lines is free surface.
    Klikni(o.v(), {590, 200});
    EXPECT_EQ(o.rp.SelektovanaVeza, nullptr);
    EXPECT_FALSE(dijagonala->Aktivno());
}

TEST(RadnaPovrsina, OcistiOstavljaPraznuVidljivuPovrsinu) {
    // What is under way while the surface is cleared.
    enum TUToku { CrtanjeVeze, OkvirIzbora, TudjaStavka };
    for (const TUToku uToku : {CrtanjeVeze, OkvirIzbora, TudjaStavka}) {
        SCOPED_TRACE(int(uToku));
        TOkruzenje o;
        TSKEMBlok* a = o.Spusti({40, 40});
        TSKEMBlok* b = o.Spusti({400, 40});
        TSKEMBlok* c = o.Spusti({400, 300});
        TVeza* g = o.NacrtajVezu(a, b, {QPoint(250, 66)});
        o.rp.SetStanje(rpsKreirajJunctionEx);
        Klikni(o.v(), g->Drzaci[0]->TackaDrzaca());
        Pomeri(o.v(), TOkruzenje::Sredina(c));
        Klikni(o.v(), TOkruzenje::Sredina(c));
        ASSERT_EQ(o.rp.Veze.size(), 2);
        // Someone else's item on the surface stays there, and stays its owner's.
        QGraphicsRectItem tudja(0, 0, 10, 10);
        if (uToku == CrtanjeVeze) {
            o.rp.SetStanje(rpsDodajVezuEx);
            Klikni(o.v(), TOkruzenje::Sredina(c));
        } else if (uToku == OkvirIzbora) {
            Pritisni(o.v(), {700, 500});
            Pomeri(o.v(), {750, 550}, Qt::LeftButton);
        } else {
            o.rp.addItem(&tudja);
        }
        o.dogadjaji.clear();
        o.rp.Ocisti();
        EXPECT_TRUE(o.rp.Blokovi().isEmpty());
        EXPECT_TRUE(o.rp.Veze.isEmpty());
        EXPECT_EQ(o.rp.VezaUIzradi, nullptr);
        EXPECT_EQ(o.rp.SelektovaniBlok, nullptr);
        EXPECT_EQ(o.rp.Stanje(), rpsSelektuj);
        EXPECT_TRUE(o.rp.Vidljiva());
        EXPECT_EQ(o.rp.items(),
                  uToku == TudjaStavka ? QList<QGraphicsItem*>{&tudja} : QList<QGraphicsItem*>{});
        EXPECT_FALSE(o.dogadjaji.contains("BrisiBlok"));
        Pusti(o.v(), {750, 550});
        // The surface works as before.
        TSKEMBlok* novi = o.Spusti({100, 100});
        EXPECT_EQ(novi->LokalniBroj(), 1);
        if (uToku == TudjaStavka) o.rp.removeItem(&tudja);
    }
}

#include "RadnaPovrsinaTest.moc"
