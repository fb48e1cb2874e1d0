// The dialogs of placing and wiring blocks (parameters, input choice) and the
// problem description dialog, driven through the scripted dialogs with real
// clicks and typing; where every reused dialog starts and where it opens.
#include "OpcijeSim.h"
#include "SkriptovaniDijalozi.h"
#include "uIzborUlaza.h"
#include "uUnosOpisa.h"
#include "uUnosParam.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Upisi(QLineEdit* polje, const QString& tekst) {
    polje->clear();
    QTest::keyClicks(polje, tekst);
}

} // namespace

// ---- parameter entry ----

TEST(UnosPar, RedoviPremaBrojuParametara) {
    TUnosPar u;
    EXPECT_EQ(u.size(), QSize(269, 200));
    EXPECT_EQ(u.NatpisParametra2->text(), "Parametar 2:");
    EXPECT_EQ(u.NatpisParametra1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    u.PripremiRedove(3, "K", "T", "x0");
    EXPECT_EQ(u.NatpisParametra1->text(), "K:");
    EXPECT_EQ(u.NatpisParametra2->text(), "T:");
    EXPECT_EQ(u.NatpisParametra3->text(), "x0:");
    EXPECT_TRUE(u.PoljeParametra2->isEnabled() && u.PoljeParametra3->isEnabled() &&
                u.NatpisParametra3->isEnabled());

    // brparam -> enabled rows; disabled rows keep the texts they had.
    struct TSlucaj {
        int brparam;
        bool drugi, treci;
    };
    for (const TSlucaj s :
         {TSlucaj{1, false, false}, TSlucaj{2, true, false}, TSlucaj{3, true, true},
          TSlucaj{0, false, false}, TSlucaj{4, false, false}, TSlucaj{-1, false, false}}) {
        SCOPED_TRACE(s.brparam);
        u.PripremiRedove(3, "a", "b", "c");
        u.PripremiRedove(s.brparam, "p", "q", "r");
        EXPECT_TRUE(u.NatpisParametra1->isEnabled() && u.PoljeParametra1->isEnabled());
        EXPECT_EQ(u.NatpisParametra1->text(), "p:");
        EXPECT_EQ(u.NatpisParametra2->isEnabled(), s.drugi);
        EXPECT_EQ(u.PoljeParametra2->isEnabled(), s.drugi);
        EXPECT_EQ(u.NatpisParametra3->isEnabled(), s.treci);
        EXPECT_EQ(u.PoljeParametra3->isEnabled(), s.treci);
        EXPECT_EQ(u.NatpisParametra2->text(), s.drugi ? "q:" : "b:");
        EXPECT_EQ(u.NatpisParametra3->text(), s.treci ? "r:" : "c:");
    }
}

TEST(UnosPar, PrihvatanjeOdbijanjeIOdustajanje) {
    TSkriptovaniDijalozi dijalozi;
    TUnosPar u;
    u.PripremiRedove(1, "Pojacanje", "x", "x");
    u.PoljeParametra1->setText("5");
    u.PoljeParametra2->setText("abc"); // left over from an earlier use: the show resets it
    dijalozi.Skripte.push_back([&](QDialog&) {
        EXPECT_EQ(u.PoljeParametra1->text(), "0");
        EXPECT_EQ(u.PoljeParametra2->text(), "0");
        EXPECT_EQ(u.PoljeParametra3->text(), "0");
        Upisi(u.PoljeParametra1, "1.5");
        QTest::mouseClick(u.DugmePrihvati, Qt::LeftButton);
    });
    Dijalozi().PrikaziModalno(u);
    EXPECT_TRUE(u.Prihvaceno);
    EXPECT_TRUE(dijalozi.Poruke().isEmpty());
    EXPECT_DOUBLE_EQ(u.Vrednost(1), 1.5);
    EXPECT_DOUBLE_EQ(u.Vrednost(2), 0); // a disabled row's parameter becomes 0
    EXPECT_DOUBLE_EQ(u.Vrednost(3), 0);

    // Refusals: the first failing box in order is named, selected and focused.
    u.PripremiRedove(3, "a", "b", "c");
    dijalozi.Skripte.push_back([&](QDialog&) {
        struct TSlucaj {
            QString e1, e2, e3;
            QLineEdit* TUnosPar::*polje;
        };
        for (const TSlucaj& s : {TSlucaj{"1,5", "x", "1", &TUnosPar::PoljeParametra1},
                                 TSlucaj{"2147483647", "1", "1", &TUnosPar::PoljeParametra1},
                                 TSlucaj{"1", "", "1", &TUnosPar::PoljeParametra2},
                                 TSlucaj{"1", "2", "1e", &TUnosPar::PoljeParametra3}}) {
            SCOPED_TRACE((s.e1 + "|" + s.e2 + "|" + s.e3).toStdString());
            Upisi(u.PoljeParametra1, s.e1);
            Upisi(u.PoljeParametra2, s.e2);
            Upisi(u.PoljeParametra3, s.e3);
            dijalozi.Zapis.clear();
            QTest::mouseClick(u.DugmePrihvati, Qt::LeftButton);
            EXPECT_EQ(dijalozi.Zapis, QStringList{"Greska: Molim vas da unesete broj!"});
            EXPECT_TRUE(u.isVisible());
            QLineEdit* polje = u.*(s.polje);
            EXPECT_EQ(u.focusWidget(), polje);
            EXPECT_EQ(polje->selectedText(), polje->text());
        }
        Upisi(u.PoljeParametra1, "-2e3");
        Upisi(u.PoljeParametra2, " 0.25");
        Upisi(u.PoljeParametra3, "7");
        QTest::mouseClick(u.DugmePrihvati, Qt::LeftButton);
        EXPECT_FALSE(u.isVisible());
    });
    Dijalozi().PrikaziModalno(u);
    EXPECT_TRUE(u.Prihvaceno);
    EXPECT_DOUBLE_EQ(u.Vrednost(1), -2000);
    EXPECT_DOUBLE_EQ(u.Vrednost(2), 0.25);
    EXPECT_DOUBLE_EQ(u.Vrednost(3), 7);

    // "odustani" and Esc after an accepted use report cancel.
    dijalozi.Skripte.push_back(
        [&](QDialog&) { QTest::mouseClick(u.DugmeOdustani, Qt::LeftButton); });
    Dijalozi().PrikaziModalno(u);
    EXPECT_FALSE(u.Prihvaceno);
    dijalozi.Skripte.push_back(
        [&](QDialog&) { QTest::mouseClick(u.DugmePrihvati, Qt::LeftButton); });
    dijalozi.Skripte.push_back([&](QDialog&) { QTest::keyClick(&u, Qt::Key_Escape); });
    Dijalozi().PrikaziModalno(u);
    EXPECT_TRUE(u.Prihvaceno);
    Dijalozi().PrikaziModalno(u);
    EXPECT_FALSE(u.Prihvaceno);
}

TEST(Napomena, TekstoviObaDijaloga) {
    TSkriptovaniDijalozi dijalozi;
    TUnosPar u;
    TIzborUlaza iz;
    for (QPushButton* link : {u.Napomena, iz.Napomena}) {
        EXPECT_EQ(link->text(), "Napomena");
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_TRUE(link->font().underline() && link->font().bold());
    }
    dijalozi.Skripte.push_back([&](QDialog&) {
        QTest::mouseClick(u.Napomena, Qt::LeftButton);
        EXPECT_TRUE(u.isVisible()); // the note does not close the dialog
    });
    Dijalozi().PrikaziModalno(u);
    dijalozi.Skripte.push_back([&](QDialog&) { QTest::mouseClick(iz.Napomena, Qt::LeftButton); });
    Dijalozi().PrikaziModalno(iz);
    EXPECT_EQ(dijalozi.Zapis,
              (QStringList{"Dijalog: UnosPar",
                           "Informacija: Kod nekih blokova redosled i vrednosti parametara su "
                           "bitni !!!",
                           "Dijalog: IzborUlaza",
                           "Informacija: Kod nekih blokova redosled ulaza je bitan!"}));
}

// ---- input selection ----

TEST(IzborUlaza, PrviOmoguceniUlazJeOznacen) {
    TSkriptovaniDijalozi dijalozi;
    TIzborUlaza iz;
    EXPECT_EQ(iz.size(), QSize(207, 180));
    struct TSlucaj {
        bool u1, u2, u3;
        int ocekivan;
    };
    // Each case follows a use that left another button checked.
    for (const TSlucaj s : {TSlucaj{true, true, true, 0}, TSlucaj{false, true, true, 1},
                            TSlucaj{false, false, true, 2}, TSlucaj{true, false, true, 0},
                            TSlucaj{false, true, false, 1}, TSlucaj{true, true, false, 0}}) {
        SCOPED_TRACE(s.ocekivan);
        iz.DugmeUlaza1->setEnabled(true);
        iz.DugmeUlaza3->setEnabled(true);
        iz.DugmeUlaza3->setChecked(true);
        iz.DugmeUlaza1->setEnabled(s.u1);
        iz.DugmeUlaza2->setEnabled(s.u2);
        iz.DugmeUlaza3->setEnabled(s.u3);
        int naPrikazu = -1;
        dijalozi.Skripte.push_back([&](QDialog&) {
            naPrikazu = iz.IzabraniUlaz();
            const int oznacenih = iz.DugmeUlaza1->isChecked() + iz.DugmeUlaza2->isChecked() +
                                  iz.DugmeUlaza3->isChecked();
            EXPECT_EQ(oznacenih, 1);
            QTest::mouseClick(iz.DugmePrihvati, Qt::LeftButton);
        });
        Dijalozi().PrikaziModalno(iz);
        EXPECT_EQ(naPrikazu, s.ocekivan);
        EXPECT_EQ(iz.IzabraniUlaz(), s.ocekivan);
        EXPECT_TRUE(iz.Prihvaceno);
    }
}

TEST(IzborUlaza, KorisnikBiraIliOdustaje) {
    TSkriptovaniDijalozi dijalozi;
    TIzborUlaza iz;
    iz.DugmeUlaza1->setEnabled(true);
    iz.DugmeUlaza2->setEnabled(false);
    iz.DugmeUlaza3->setEnabled(true);
    dijalozi.Skripte.push_back([&](QDialog&) {
        QTest::mouseClick(iz.DugmeUlaza2, Qt::LeftButton); // disabled: no effect
        EXPECT_EQ(iz.IzabraniUlaz(), 0);
        QTest::mouseClick(iz.DugmeUlaza3, Qt::LeftButton);
        QTest::mouseClick(iz.DugmePrihvati, Qt::LeftButton);
    });
    Dijalozi().PrikaziModalno(iz);
    EXPECT_TRUE(iz.Prihvaceno);
    EXPECT_EQ(iz.IzabraniUlaz(), 2);

    dijalozi.Skripte.push_back(
        [&](QDialog&) { QTest::mouseClick(iz.DugmeOdustani, Qt::LeftButton); });
    Dijalozi().PrikaziModalno(iz);
    EXPECT_FALSE(iz.Prihvaceno);
}

// ---- problem description ----

TEST(UnosOpisa, PrihvatiIOdustani) {
    TSkriptovaniDijalozi dijalozi;
    TUnosOpisa opis;
    EXPECT_EQ(opis.size(), QSize(378, 351));
    EXPECT_EQ(opis.DugmePrihvati->geometry(), QRect(34, 4, 95, 22));
    EXPECT_EQ(opis.DugmeOdustani->geometry(), QRect(214, 4, 95, 22));
    EXPECT_EQ(opis.PoljeOpisa->font().pixelSize(), 11);

    opis.PoljeOpisa->clear();
    dijalozi.Skripte.push_back([&](QDialog&) {
        QTest::keyClicks(opis.PoljeOpisa, "a");
        QTest::keyClick(opis.PoljeOpisa, Qt::Key_Return);
        QTest::keyClicks(opis.PoljeOpisa, "b");
        QTest::mouseClick(opis.DugmePrihvati, Qt::LeftButton);
    });
    Dijalozi().PrikaziModalno(opis);
    EXPECT_TRUE(opis.Prihvaceno);
    EXPECT_EQ(opis.Rezultat, "a\nb"); // the lines as typed

    // Shown again and accepted unchanged: the same text, whatever its lines.
    for (const QString& tekst : {QStringLiteral("a\nb"), QStringLiteral("jedan red "),
                                 QStringLiteral("a\n\nb\n"), QStringLiteral("   ")}) {
        opis.PoljeOpisa->setPlainText(tekst);
        dijalozi.Skripte.push_back(
            [&](QDialog&) { QTest::mouseClick(opis.DugmePrihvati, Qt::LeftButton); });
        Dijalozi().PrikaziModalno(opis);
        EXPECT_EQ(opis.Rezultat, tekst);
    }

    // "odustani" keeps the last result but reports cancel.
    dijalozi.Skripte.push_back([&](QDialog&) {
        QTest::keyClicks(opis.PoljeOpisa, "zzz");
        QTest::mouseClick(opis.DugmeOdustani, Qt::LeftButton);
    });
    Dijalozi().PrikaziModalno(opis);
    EXPECT_FALSE(opis.Prihvaceno);
    EXPECT_EQ(opis.Rezultat, "   ");
}

// ---- looks ----

namespace {

// The darkest grey level drawn inside a child's rectangle of the grabbed dialog.
int NajtamnijeU(QWidget& dijalog, QWidget* deo, int odLevo = 0) {
    const QImage slika = dijalog.grab().toImage();
    const QRect r =
        QRect(deo->mapTo(&dijalog, QPoint(0, 0)), deo->size()).adjusted(odLevo, 0, 0, 0);
    int najtamnije = 255;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            najtamnije = std::min(najtamnije, qGray(slika.pixel(x, y)));
    return najtamnije;
}

} // namespace

// The dialogs live under the main window, whose style sheet reaches them: a
// disabled input or parameter row must still be readable on the silver panel.
TEST(IzgledDijaloga, OnemoguceniRedoviSeVideIPodGlavnimProzorom) {
    QWidget glavni;
    glavni.setStyleSheet(QStringLiteral("#HeaderPanel { background: #eef1f5; }"));

    TIzborUlaza izbor(&glavni);
    izbor.DugmeUlaza2->setEnabled(false);
    izbor.show();
    QApplication::processEvents();
    // Only the caption, right of the radio circle.
    EXPECT_LT(NajtamnijeU(izbor, izbor.DugmeUlaza2, 24), 150);

    TUnosPar par(&glavni);
    par.PripremiRedove(1, QStringLiteral("Pojacanje"), QStringLiteral("x"), QStringLiteral("x"));
    par.show();
    QApplication::processEvents();
    ASSERT_FALSE(par.NatpisParametra2->isEnabled());
    EXPECT_LT(NajtamnijeU(par, par.NatpisParametra2), 150);
}

// ---- every showing ----

// Whatever field the previous use left the focus in (the checks' messages put
// it in the field at fault), the next showing starts in the first field with
// its text selected: typing at once fills the fields in order.
TEST(PonovljeniPrikaz, PocinjeUPrvomPoljuSaIzabranimTekstom) {
    TSkriptovaniDijalozi dijalozi;
    TOpcije opcije;
    TUnosPar par;
    par.PripremiRedove(3, "a", "b", "c");
    struct TSlucaj {
        TOkvirDijalog* dijalog;
        std::vector<QLineEdit*> polja;
    };
    for (const TSlucaj& s :
         {TSlucaj{&opcije,
                  {opcije.PoljeTrajanja, opcije.PoljeIntervala, opcije.PoljeIntervalaStampanja}},
          TSlucaj{&par, {par.PoljeParametra1, par.PoljeParametra2, par.PoljeParametra3}}}) {
        SCOPED_TRACE(s.dijalog->objectName().toStdString());
        dijalozi.Skripte.push_back([&](QDialog&) {
            for (QLineEdit* polje : s.polja)
                Upisi(polje, "7");
            s.polja.back()->setFocus();
            s.polja.back()->deselect();
        });
        Dijalozi().PrikaziModalno(*s.dijalog);
        QStringList procitano;
        dijalozi.Skripte.push_back([&](QDialog& d) {
            QApplication::setActiveWindow(&d);
            const QStringList kucano = {"20", "0.01", "0.1"};
            for (const QString& tekst : kucano) {
                if (&tekst != &kucano.front()) QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
                QTest::keyClicks(d.focusWidget(), tekst);
            }
            for (QLineEdit* polje : s.polja)
                procitano << polje->text();
        });
        Dijalozi().PrikaziModalno(*s.dijalog);
        EXPECT_EQ(procitano, (QStringList{"20", "0.01", "0.1"}));
    }

    // The input choice starts on the button it checked, not the one used last.
    TIzborUlaza izbor;
    dijalozi.Skripte.push_back([&](QDialog&) { izbor.DugmeUlaza3->setFocus(); });
    Dijalozi().PrikaziModalno(izbor);
    QWidget* fokus = nullptr;
    dijalozi.Skripte.push_back([&](QDialog& d) { fokus = d.focusWidget(); });
    Dijalozi().PrikaziModalno(izbor);
    EXPECT_EQ(fokus, izbor.DugmeUlaza1);
}

// Each showing is centred on the main window, also after the user dragged
// the dialog away the time before.
TEST(PonovljeniPrikaz, NaSrediniGlavnogProzora) {
    QWidget glavni;
    glavni.setGeometry(60, 40, 640, 480);
    glavni.show();
    TOpcije opcije(&glavni);
    TUnosPar par(&glavni);
    TIzborUlaza izbor(&glavni);
    TUnosOpisa opis(&glavni);
    for (TOkvirDijalog* d : std::initializer_list<TOkvirDijalog*>{&opcije, &par, &izbor, &opis}) {
        for (int prikaz = 0; prikaz < 2; ++prikaz) {
            SCOPED_TRACE(d->objectName().toStdString() + " " + std::to_string(prikaz));
            d->show();
            QApplication::processEvents();
            const QPoint pomak = d->frameGeometry().center() - glavni.frameGeometry().center();
            EXPECT_LE(pomak.manhattanLength(), 1) << pomak.x() << ", " << pomak.y();
            d->move(d->pos() + QPoint(70, -30));
            d->hide();
        }
    }
}
