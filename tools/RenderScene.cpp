// diagram_render: draws a small diagram to a PNG so a person can check the
// drawing of blocks, segments, holders and selections.
//   diagram_render [out.png]
#include "PritisakBloka.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"
#include "Slike.h"
#include "unDrzac.h"
#include "unLinija.h"
#include "unVeza.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

TStavkaKataloga Stavka(const char* naziv, int sifra, int ulaza) {
    TStavkaKataloga s;
    s.Naziv = QString::fromLatin1(naziv);
    s.ImageIndex = sifra;
    s.MaxUlaznihVeza = ulaza;
    return s;
}

// Draws a connection from a to b through the given bends, as the user would,
// and attaches it to slot k of b.
TVeza* Povezi(TSKEMRadnaPovrsina& rp, TSKEMBlok* a, TSKEMBlok* b, const QList<QPoint>& krivine,
              int k) {
    rp.SetStanje(rpsDodajVezuEx);
    PritisniBlok(a);
    TVeza* c = rp.VezaUIzradi;
    for (QPoint p : krivine) {
        c->PostaviKraj(p);
        c->DodajDrzacNa(p + QPoint(1, 1));
    }
    PritisniBlok(b);
    b->PoveziUlaz(c, k);
    b->OsveziVeze();
    return c;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString izlaz = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("scena.png");

    TSKEMRadnaPovrsina rp;
    rp.SlikeLevo = &SlikeBlokova(1);
    rp.SlikeDole = &SlikeBlokova(2);
    rp.SlikeDesno = &SlikeBlokova(3);
    rp.SlikeGore = &SlikeBlokova(4);

    TSKEMBlok* izvor = rp.SpustiStavku(Stavka("Konstanta", 12, 0), QPoint(24, 40));
    TSKEMBlok* sabirac = rp.SpustiStavku(Stavka("Sabirac", 19, 3), QPoint(250, 160));
    TSKEMBlok* integrator = rp.SpustiStavku(Stavka("Integrator", 8, 1), QPoint(400, 40));
    TSKEMBlok* pojacanje = rp.SpustiStavku(Stavka("Pojacanje", 9, 1), QPoint(120, 250));
    pojacanje->RotirajD(); // output down, input on top

    TVeza* glavna = Povezi(rp, izvor, sabirac, {QPoint(150, 60), QPoint(150, 180)}, 0);
    Povezi(rp, sabirac, integrator, {QPoint(360, 120)}, 0);
    Povezi(rp, integrator, sabirac, {QPoint(520, 73), QPoint(520, 240), QPoint(290, 240)}, 2);

    // A junction from the first bend of the main connection to the gain block.
    rp.SetStanje(rpsKreirajJunctionEx);
    TLinija* s = glavna->Linije.first();
    const QPoint tacka(100, 68);
    s->OnMouseUp(s, Qt::LeftButton, Qt::NoModifier, tacka.x() - s->Left(), tacka.y() - s->Top());
    TVeza* j = rp.VezaUIzradi;
    j->PostaviKraj(QPoint(100, 200));
    j->DodajDrzacNa(QPoint(101, 201));
    PritisniBlok(pojacanje);
    pojacanje->PoveziUlaz(j, 0);
    pojacanje->OsveziVeze();

    // The main connection selected (dotted); a block drawn with its selection frame.
    glavna->Selektuj();
    izvor->OnAktiviran = nullptr;
    izvor->SetAktivno(true);

    QImage slika(600, 340, QImage::Format_ARGB32);
    slika.fill(Qt::white);
    QPainter p(&slika);
    rp.render(&p, QRectF(0, 0, 600, 340), QRectF(0, 0, 600, 340));
    p.end();
    // The first block and the junction, four times larger, for the details.
    QString uvecano = izlaz;
    uvecano.replace(QLatin1String(".png"), QLatin1String("-uvecano.png"));
    slika.copy(15, 30, 160, 80).scaled(640, 320).save(uvecano);
    if (!slika.save(izlaz)) {
        std::fprintf(stderr, "Ne mogu da upisem %s\n", qPrintable(izlaz));
        return 1;
    }
    return 0;
}
