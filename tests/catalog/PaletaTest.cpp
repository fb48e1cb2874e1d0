// The palette controls: the header button's states, the item scroller's
// column and row layout, the items' looks, hints and drag payload, and the
// group bar's accordion layout and views.

#include "Katalog.h"
#include "ListaSlika.h"
#include "SKEMDugme.h"
#include "SKEMGrupe.h"
#include "Skroler.h"
#include "VrsteElemenata.h"

#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gmock/gmock.h>
#include <memory>

namespace {

// A test picture per kind, one plain colour each, so a pixel tells which was drawn.
QColor BojaSlike(int i) {
    // Through QRgb, so it compares equal to a pixel read back.
    return QColor(QColor::fromHsv(i * 360 / skem::BrojVrstaElemenata, 255, 200).rgb());
}

const TListaSlika& TestSlike() {
    static const TListaSlika slike = [] {
        QVector<QPixmap> v;
        for (int i = 0; i < skem::BrojVrstaElemenata; ++i) {
            QPixmap p(42, 42);
            p.fill(BojaSlike(i));
            v << p;
        }
        return TListaSlika(v);
    }();
    return slike;
}

TStavkaKataloga Stavka(const QString& naziv, int sifra = 8) {
    return TStavkaKataloga{naziv, sifra, 1, 1, {"Pojacanje", "x", "x", "Ulaz 1", "x", "x"}};
}

void Udji(QWidget* w) {
    QEnterEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), w->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(w, &e);
}

void Izadji(QWidget* w) {
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

QColor Piksel(QWidget* w, int x, int y) {
    return w->grab().toImage().pixelColor(x, y);
}

// ------------------------------------------------------------------ TSKEMDugme

TEST(SKEMDugmeTest, StatesFollowTheMouseAndAReleaseInsideClicks) {
    TSKEMDugme dugme;
    dugme.resize(150, 20);
    int klikova = 0;
    TSKEMDugme* posiljalac = nullptr;
    dugme.OnClick = [&](TSKEMDugme* d) {
        ++klikova;
        posiljalac = d;
    };
    const QColor siva(128, 128, 128);
    auto bojaTeksta = [&] { return dugme.Labela()->palette().color(QPalette::WindowText); };

    EXPECT_EQ(dugme.Stanje(), TSKEMDugme::TStanje::Normalno);
    EXPECT_EQ(bojaTeksta(), QColor(Qt::black));
    Udji(&dugme);
    EXPECT_EQ(dugme.Stanje(), TSKEMDugme::TStanje::Vruce);
    EXPECT_EQ(bojaTeksta(), siva);

    QTest::mousePress(&dugme, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(dugme.Stanje(), TSKEMDugme::TStanje::Pritisnuto);
    EXPECT_EQ(dugme.Labela()->y(), 3);
    EXPECT_EQ(bojaTeksta(), siva);
    QTest::mouseRelease(&dugme, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(dugme.Stanje(), TSKEMDugme::TStanje::Vruce);
    EXPECT_EQ(dugme.Labela()->y(), 2);
    EXPECT_EQ(klikova, 1);
    EXPECT_EQ(posiljalac, &dugme);

    // Released outside: no click, back to normal.
    QTest::mousePress(&dugme, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&dugme, Qt::LeftButton, {}, QPoint(10, 40));
    EXPECT_EQ(dugme.Stanje(), TSKEMDugme::TStanje::Normalno);
    EXPECT_EQ(klikova, 1);

    Udji(&dugme);
    Izadji(&dugme);
    EXPECT_EQ(dugme.Stanje(), TSKEMDugme::TStanje::Normalno);
    EXPECT_EQ(bojaTeksta(), QColor(Qt::black));

    // The caption does not catch the mouse: a press on it is the button's.
    EXPECT_TRUE(dugme.Labela()->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(SKEMDugmeTest, TextStretchesTheCaptionAndPaintingUsesTheColours) {
    QWidget roditelj;
    TSKEMDugme dugme(&roditelj);
    roditelj.show();
    EXPECT_EQ(dugme.height(), 20);
    EXPECT_EQ(dugme.Tekst(), "SKEMDugme");
    EXPECT_EQ(dugme.Labela()->geometry(), QRect(20, 2, 100, 12));

    dugme.setGeometry(0, 30, 160, 20);
    dugme.PostaviTekst("ULAZI");
    EXPECT_EQ(dugme.Tekst(), "ULAZI");
    EXPECT_EQ(dugme.Labela()->x(), 0);
    EXPECT_EQ(dugme.Labela()->width(), 160);
    // Anchored on all sides: it follows a wider button.
    dugme.resize(200, 20);
    EXPECT_EQ(dugme.Labela()->width(), 200);
    EXPECT_TRUE(dugme.Labela()->alignment() & Qt::AlignHCenter);

    dugme.PostaviBoju(QColor(10, 200, 30));
    dugme.PostaviBojuOkvira(QColor(0, 0, 255));
    EXPECT_EQ(Piksel(&dugme, 0, 10), QColor(0, 0, 255));
    EXPECT_EQ(Piksel(&dugme, 199, 19), QColor(0, 0, 255));
    EXPECT_EQ(Piksel(&dugme, 3, 17), QColor(10, 200, 30));
}

// -------------------------------------------------------------------- TSkroler

TEST(SkrolerTest, ColumnCountFromWidth) {
    for (int w : {0, 30, 65, 66, 144})
        EXPECT_EQ(TSkroler::BrojKolonaZaSirinu(w), 1) << w;
    for (int w : {145, 177, 224})
        EXPECT_EQ(TSkroler::BrojKolonaZaSirinu(w), 2) << w;
    for (int w : {225, 304})
        EXPECT_EQ(TSkroler::BrojKolonaZaSirinu(w), 3) << w;
    EXPECT_EQ(TSkroler::BrojKolonaZaSirinu(305), 4);
}

class SkrolerRasporedTest : public ::testing::Test {
protected:
    void SetUp() override {
        skroler.PostaviSlike(&TestSlike());
        skroler.resize(145, 400);
        skroler.show();
    }
    QRect Mesto(int i) const { return skroler.Stavke()[i]->geometry(); }
    TSkroler skroler;
};

TEST_F(SkrolerRasporedTest, RowsTakeTheirHeightFromTheTallestItemAndCaption) {
    skroler.DodajStavku(Stavka("Pojacanje"));
    skroler.DodajStavku(Stavka("Vrlo dugacak naziv bloka koji se prelama u vise redova"));
    skroler.DodajStavku(Stavka("Sinus"));
    ASSERT_EQ(skroler.BrojKolona(), 2);

    QLabel* kratka = skroler.Stavke()[0]->Labela();
    QLabel* duga = skroler.Stavke()[1]->Labela();
    ASSERT_GT(duga->height(), 2 * kratka->height()) << "the long caption must wrap";
    EXPECT_EQ(kratka->width(), 86);
    EXPECT_TRUE(kratka->wordWrap());
    EXPECT_EQ(kratka->text(), "Pojacanje");

    EXPECT_EQ(Mesto(0), QRect(15, 5, 56, 56));
    EXPECT_EQ(Mesto(1), QRect(95, 5, 56, 56));
    EXPECT_EQ(Mesto(2).topLeft(), QPoint(15, 5 + 56 + duga->height() + 12));
    // Captions 2 px under their items and centred: 15 + 28 - 43 = 0.
    EXPECT_EQ(kratka->pos(), QPoint(0, 63));
    EXPECT_EQ(duga->pos(), QPoint(80, 63));
}

TEST_F(SkrolerRasporedTest, ItemsReflowOnlyWhenTheColumnCountChanges) {
    for (int i = 0; i < 5; ++i)
        skroler.DodajStavku(Stavka(QString("S%1").arg(i), i));
    ASSERT_EQ(Mesto(2).topLeft().x(), 15); // two columns: the third item starts row 2
    const int drugiRed = Mesto(2).y();

    // A width change that keeps the count leaves every item where it is
    // (shown by an item moved out of place staying there).
    skroler.Stavke()[4]->move(200, 300);
    skroler.resize(224, 400);
    EXPECT_EQ(skroler.BrojKolona(), 2);
    EXPECT_EQ(Mesto(4).topLeft(), QPoint(200, 300));

    skroler.resize(225, 400);
    EXPECT_EQ(skroler.BrojKolona(), 3);
    EXPECT_EQ(Mesto(2).topLeft(), QPoint(175, 5));
    EXPECT_EQ(Mesto(3).topLeft(), QPoint(15, drugiRed));
    EXPECT_EQ(Mesto(4).topLeft(), QPoint(95, drugiRed));

    skroler.resize(60, 400);
    EXPECT_EQ(skroler.BrojKolona(), 1);
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(Mesto(i).x(), 15);
        EXPECT_GT(Mesto(i).y(), Mesto(i - 1).y());
    }
}

TEST(SkrolerTest, CaptionsOfTheRightColumnStayWholeBesideTheScrollBar) {
    // The palette column is 177 wide: two columns, the right one's 86 wide
    // captions spanning x = 80 .. 165, with more items than fit so that the
    // scroll bar shows.
    TSkroler skroler;
    skroler.PostaviSlike(&TestSlike());
    skroler.resize(177, 200);
    skroler.show();
    for (int i = 0; i < 10; ++i)
        skroler.DodajStavku(Stavka(QString("Odskocna f-ja %1").arg(i), i));
    QCoreApplication::processEvents();
    ASSERT_EQ(skroler.BrojKolona(), 2);
    ASSERT_TRUE(skroler.verticalScrollBar()->isVisible());
    for (TSkrolStavka* s : skroler.Stavke()) {
        const QRect l = s->Labela()->geometry();
        EXPECT_EQ(l.width(), 86);
        EXPECT_LT(l.right(), skroler.viewport()->width()) << s->Naziv().toStdString();
        // And nothing of the caption is covered: the scroll bar starts past it.
        EXPECT_GT(skroler.verticalScrollBar()->mapTo(&skroler, QPoint(0, 0)).x(), l.right());
    }
    // The right column keeps its place: item at 95, caption at 80.
    EXPECT_EQ(skroler.Stavke()[1]->x(), 95);
    EXPECT_EQ(skroler.Stavke()[1]->Labela()->x(), 80);
}

// A caption as wide as its label, or with a single word wider, would run into
// the next column's caption and be cut at both ends; it is set smaller.
TEST_F(SkrolerRasporedTest, DugaRecUNatpisuSeNeSece) {
    skroler.setFont(QFont(QStringLiteral("Verdana"), 8)); // the main window's font
    skroler.DodajStavku(Stavka("Sinus"));
    skroler.DodajStavku(Stavka("Eksponencijalna f-ja"));
    ASSERT_EQ(skroler.BrojKolona(), 2);
    auto sirinaTeksta = [](QLabel* l, const QFont& f) {
        return QFontMetrics(f)
            .boundingRect(QRect(0, 0, l->width(), 10000), Qt::TextWordWrap | Qt::AlignHCenter,
                          l->text())
            .width();
    };
    QLabel* kratka = skroler.Stavke()[0]->Labela();
    QLabel* duga = skroler.Stavke()[1]->Labela();
    const QFont paleta = skroler.Stavke()[0]->font();
    // Uncut at the palette's font the long word would not fit its label.
    ASSERT_GT(sirinaTeksta(duga, paleta), 86);
    EXPECT_EQ(duga->width(), 86);
    EXPECT_LE(sirinaTeksta(duga, duga->font()), 86);
    EXPECT_LT(QFontInfo(duga->font()).pixelSize(), QFontInfo(paleta).pixelSize());
    EXPECT_GE(duga->height(), duga->heightForWidth(86));
    // A short caption keeps the palette's font.
    EXPECT_EQ(kratka->font(), paleta);
}

// ---------------------------------------------------------------- TSkrolStavka

TEST_F(SkrolerRasporedTest, ItemLooksNormalHotAndWithoutPictures) {
    TSkrolStavka* s = skroler.DodajStavku(Stavka("Integrator", 10));
    skroler.PostaviBoju(QColor(128, 128, 128));
    const QColor slika = BojaSlike(10);

    EXPECT_FALSE(s->Vruca());
    EXPECT_EQ(Piksel(s, 5, 5), slika);
    EXPECT_EQ(Piksel(s, 46, 46), slika);
    EXPECT_EQ(Piksel(s, 49, 30), QColor(Qt::white));
    EXPECT_EQ(Piksel(s, 0, 30), QColor(Qt::black));
    EXPECT_EQ(Piksel(s, 54, 30), QColor(128, 128, 128)); // the band the hot look uses

    Udji(s);
    EXPECT_TRUE(s->Vruca());
    EXPECT_EQ(Piksel(s, 9, 9), slika);
    EXPECT_EQ(Piksel(s, 50, 50), slika);
    EXPECT_EQ(Piksel(s, 7, 30), QColor(Qt::white));
    EXPECT_EQ(Piksel(s, 4, 30), QColor(Qt::black));
    EXPECT_EQ(Piksel(s, 2, 30), QColor(128, 128, 128));

    Izadji(s);
    EXPECT_FALSE(s->Vruca());
    EXPECT_EQ(Piksel(s, 5, 5), slika);

    skroler.PostaviSlike(nullptr);
    EXPECT_EQ(Piksel(s, 30, 30), QColor(Qt::red));
    EXPECT_EQ(Piksel(s, 55, 0), QColor(Qt::red));
}

TEST_F(SkrolerRasporedTest, DragCarriesTheItemsValuesFromAPaletteItem) {
    const TStavkaKataloga vrednosti{
        "Wye", 28, 2, 2, {"Tolerancija", "Faktor relaksacije", "x", "Ulaz 1", "Ulaz 2", "x"}};
    TSkrolStavka* s = skroler.DodajStavku(vrednosti);
    EXPECT_EQ(s->Naziv(), "Wye");
    EXPECT_EQ(s->ImageIndex(), 28);
    EXPECT_EQ(s->MaxUlaznihVeza(), 2);
    EXPECT_EQ(s->BrojParam(), 2);

    std::unique_ptr<QMimeData> podaci(s->NapraviPodatkeZaPrevlacenje());
    ASSERT_TRUE(podaci->hasFormat(MimeStavkeKataloga));
    TStavkaKataloga procitano;
    ASSERT_TRUE(DekodirajStavku(podaci->data(MimeStavkeKataloga), procitano));
    EXPECT_EQ(procitano.Naziv, vrednosti.Naziv);
    EXPECT_EQ(procitano.ImageIndex, vrednosti.ImageIndex);
    EXPECT_EQ(procitano.MaxUlaznihVeza, vrednosti.MaxUlaznihVeza);
    EXPECT_EQ(procitano.BrojParam, vrednosti.BrojParam);
    EXPECT_EQ(procitano.Natpisi, vrednosti.Natpisi);

    // The workspace recognises the source by its class name.
    EXPECT_TRUE(s->inherits("TSkrolStavka"));
    EXPECT_STREQ(s->metaObject()->className(), "TSkrolStavka");
    EXPECT_FALSE(skroler.inherits("TSkrolStavka"));

    // A press takes the item in hand; a release without a drag lets it go.
    EXPECT_EQ(s->cursor().shape(), Qt::OpenHandCursor);
    QTest::mousePress(s, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(s->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(s->cursor().shape(), Qt::OpenHandCursor);

    EXPECT_EQ(s->SlikaZaPrevlacenje().toImage(), TestSlike().Slike[28].toImage());
    // A code without a picture still drags something visible.
    TSkrolStavka* bez = skroler.DodajStavku(Stavka("Bez slike", 40));
    EXPECT_EQ(bez->SlikaZaPrevlacenje().size(), QSize(56, 56));
}

TEST(SkrolStavkaTest, PointingShowsTheNameAsToolTipAndInTheStatusBar) {
    QMainWindow prozor;
    auto* skroler = new TSkroler;
    prozor.setCentralWidget(skroler);
    prozor.statusBar(); // the window shows status tips only once it has a status bar
    prozor.resize(300, 300);
    prozor.show();
    skroler->PostaviSlike(&TestSlike());
    TSkrolStavka* s = skroler->DodajStavku(Stavka("Generator funkcija", 7));
    EXPECT_EQ(s->toolTip(), "Generator funkcija");
    EXPECT_EQ(s->statusTip(), "Generator funkcija");

    Udji(s);
    EXPECT_EQ(prozor.statusBar()->currentMessage(), "Generator funkcija");
    Izadji(s);
    EXPECT_EQ(prozor.statusBar()->currentMessage(), QString());

    const QPoint tacka(20, 20);
    QHelpEvent pomoc(QEvent::ToolTip, tacka, s->mapToGlobal(tacka));
    QCoreApplication::sendEvent(s, &pomoc);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Generator funkcija");
    QToolTip::hideText();
}

// --------------------------------------------------------------- TSKEMGroupBar

class GroupBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar.PostaviSlike(&TestSlike());
        bar.resize(177, 400);
        bar.show();
    }
    void NapraviGrupe(int koliko) {
        for (int g = 0; g < koliko; ++g) {
            TGrupaKataloga grupa{g == 0 ? "SVE" : QString("GRUPA %1").arg(g), {}};
            for (int i = 0; i < 4; ++i)
                grupa.Stavke << Stavka(QString("Blok %1").arg(i), g + i);
            bar.NapraviGrupu(grupa);
        }
    }
    TSKEMGrupa* G(int i) const { return bar.Grupe()[i]; }
    TSKEMGroupBar bar;
};

TEST_F(GroupBarTest, AddingGroupsOpensTheFirstWithItsHeaderAboveTheTop) {
    NapraviGrupe(3);
    ASSERT_EQ(bar.Grupe().size(), 3);
    EXPECT_EQ(bar.AktivnaGrupa(), G(0));
    EXPECT_EQ(G(1)->Naziv(), "GRUPA 1");
    // Available: 400 - 3 - three headers = 337.
    EXPECT_EQ(G(0)->geometry(), QRect(0, -20, 177, 357));
    EXPECT_EQ(G(0)->Telo()->height(), 337);
    EXPECT_EQ(G(1)->geometry(), QRect(0, 337, 177, 20));
    EXPECT_EQ(G(2)->geometry(), QRect(0, 357, 177, 20));
    // The bar hands its pictures and the grey background to every scroller.
    EXPECT_EQ(G(2)->Skroler()->Slike(), &TestSlike());
    EXPECT_EQ(G(2)->Skroler()->Boja(), QColor(128, 128, 128));
    EXPECT_EQ(G(0)->Skroler()->BrojKolona(), 2); // the 177 wide palette column
    EXPECT_EQ(G(0)->Skroler()->Stavke().size(), 4);
}

TEST_F(GroupBarTest, TheTwoViews) {
    NapraviGrupe(3);

    bar.PrikaziSve();
    EXPECT_FALSE(G(0)->isHidden());
    EXPECT_TRUE(G(1)->isHidden());
    EXPECT_TRUE(G(2)->isHidden());
    EXPECT_EQ(bar.AktivnaGrupa(), G(0));
    EXPECT_EQ(G(0)->geometry(), QRect(0, -20, 177, 397));
    // No header is seen: the body starts at the top edge.
    EXPECT_EQ(G(0)->Telo()->mapTo(&bar, QPoint(0, 0)), QPoint(0, 0));
    EXPECT_LE(G(0)->Zaglavlje()->mapTo(&bar, QPoint(0, 20)).y(), 0);
    EXPECT_EQ(G(0)->Telo()->height(), 377);
    if (qEnvironmentVariableIsSet("SKEM_SLIKA_PALETE"))
        bar.grab().save(qEnvironmentVariable("SKEM_SLIKA_PALETE") + "-sve.png");

    EXPECT_TRUE(bar.PrikaziPoGrupama());
    EXPECT_TRUE(G(0)->isHidden());
    EXPECT_FALSE(G(1)->isHidden());
    EXPECT_FALSE(G(2)->isHidden());
    EXPECT_EQ(bar.AktivnaGrupa(), G(1));
    EXPECT_EQ(G(0)->geometry(), QRect(0, -20, 177, 20));
    EXPECT_EQ(G(1)->geometry(), QRect(0, 0, 177, 377)); // 400 - 3 - 2 headers, plus its own
    EXPECT_EQ(G(2)->geometry(), QRect(0, 377, 177, 20));
    if (qEnvironmentVariableIsSet("SKEM_SLIKA_PALETE"))
        bar.grab().save(qEnvironmentVariable("SKEM_SLIKA_PALETE") + "-grupe.png");

    bar.PrikaziSve();
    EXPECT_FALSE(G(0)->isHidden());
    EXPECT_TRUE(G(1)->isHidden());
    EXPECT_EQ(bar.AktivnaGrupa(), G(0));
    EXPECT_EQ(G(0)->geometry(), QRect(0, -20, 177, 397));
}

TEST_F(GroupBarTest, ClickingAHeaderOpensItsGroupAndResizingKeepsIt) {
    NapraviGrupe(3);
    bar.PrikaziPoGrupama();

    QTest::mouseClick(G(2)->Zaglavlje(), Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_EQ(bar.AktivnaGrupa(), G(2));
    EXPECT_EQ(G(1)->geometry(), QRect(0, 0, 177, 20));
    EXPECT_EQ(G(2)->geometry(), QRect(0, 20, 177, 377));

    // The open group's header: nothing moves.
    QTest::mouseClick(G(2)->Zaglavlje(), Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_EQ(bar.AktivnaGrupa(), G(2));
    EXPECT_EQ(G(1)->geometry(), QRect(0, 0, 177, 20));
    EXPECT_EQ(G(2)->geometry(), QRect(0, 20, 177, 377));

    bar.resize(260, 500);
    EXPECT_EQ(bar.AktivnaGrupa(), G(2));
    EXPECT_EQ(G(2)->geometry(), QRect(0, 20, 260, 477));
    EXPECT_EQ(G(2)->Skroler()->geometry(), QRect(0, 0, 260, 457));
    EXPECT_EQ(G(2)->Skroler()->BrojKolona(), 3);
    // The hidden group was sized too, and re-flowed while hidden.
    EXPECT_EQ(G(0)->Skroler()->BrojKolona(), 3);
}

TEST_F(GroupBarTest, ViewsWithTooFewGroupsDoNotFail) {
    bar.PrikaziSve();
    EXPECT_EQ(bar.AktivnaGrupa(), nullptr);
    EXPECT_FALSE(bar.PrikaziPoGrupama());
    EXPECT_EQ(bar.AktivnaGrupa(), nullptr);

    NapraviGrupe(1);
    EXPECT_FALSE(bar.PrikaziPoGrupama());
    EXPECT_FALSE(G(0)->isHidden());
    EXPECT_EQ(bar.AktivnaGrupa(), G(0));

    bar.resize(177, 10); // less room than the headers need
    EXPECT_EQ(G(0)->Telo()->height(), 0);
}

TEST_F(GroupBarTest, LoadingKeepsWhatWasReadBeforeAFault) {
    QTemporaryDir dir;
    QFile f(dir.filePath("Manifest.xml"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<k><grupe>"
            "<g><naziv>SVE</naziv><stavke><s><naziv>Sinus</naziv><sifra>21</sifra>"
            "<maxuveza>1</maxuveza><brparam>3</brparam><str1>A</str1><str2>F</str2>"
            "<str3>P</str3><str4>Ulaz 1</str4><str5>x</str5><str6>x</str6></s>"
            "<s><naziv>Los</naziv></s></stavke></g>"
            "<g><naziv>NIKAD</naziv></g></grupe></k>");
    f.close();

    EXPECT_THROW(bar.UcitajKatalog(f.fileName()), TGreskaKataloga);
    ASSERT_EQ(bar.Grupe().size(), 1);
    EXPECT_EQ(bar.AktivnaGrupa(), G(0));
    ASSERT_EQ(G(0)->Skroler()->Stavke().size(), 1);
    EXPECT_EQ(G(0)->Skroler()->Stavke()[0]->Naziv(), "Sinus");
    EXPECT_EQ(G(0)->Skroler()->Stavke()[0]->Natpisi()[1], "F");
}

TEST_F(GroupBarTest, LoadsOurCatalogue) {
    bar.UcitajKatalog(qEnvironmentVariable("SKEM_SOURCE_DIR") + "/resources/Manifest.xml");
    ASSERT_GE(bar.Grupe().size(), 2);
    EXPECT_EQ(G(0)->Naziv(), "SVE");
    EXPECT_EQ(G(0)->Skroler()->Stavke().size(), skem::BrojVrstaElemenata);
    bar.PrikaziSve();
    // In the 177 wide column every picture fits beside the scroll bar.
    TSkroler* sve = G(0)->Skroler();
    ASSERT_TRUE(sve->verticalScrollBar()->isVisible());
    for (TSkrolStavka* s : sve->Stavke())
        EXPECT_LE(s->geometry().right(), sve->viewport()->width()) << s->Naziv().toStdString();
    if (qEnvironmentVariableIsSet("SKEM_SLIKA_PALETE")) {
        bar.resize(177, 700);
        bar.grab().save(qEnvironmentVariable("SKEM_SLIKA_PALETE") + "-katalog.png");
        bar.PrikaziPoGrupama();
        bar.grab().save(qEnvironmentVariable("SKEM_SLIKA_PALETE") + "-katalog-grupe.png");
    }
}

} // namespace
