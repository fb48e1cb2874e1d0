// The simulation options dialog driven by real clicks and typing: the checks'
// messages in order, where the focus and selection go, the values kept from
// one use to the next, and what counts as cancelling.
#include "OpcijeSim.h"
#include "SkriptovaniDijalozi.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Upisi(QLineEdit* polje, const QString& tekst) {
    polje->clear();
    QTest::keyClicks(polje, tekst);
}

void Unesi(TOpcije& o, const QString& d, const QString& h, const QString& p) {
    Upisi(o.PoljeTrajanja, d);
    Upisi(o.PoljeIntervala, h);
    Upisi(o.PoljeIntervalaStampanja, p);
}

bool SveSelektovano(QLineEdit* polje) {
    return polje->hasSelectedText() && polje->selectedText() == polje->text();
}

} // namespace

TEST(Opcije, IzgledINaziviPolja) {
    TOpcije o;
    EXPECT_EQ(o.size(), QSize(381, 393));
    EXPECT_TRUE(o.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(o.Naslov(), "Opcije za simulaciju");
    EXPECT_EQ(o.findChild<QLineEdit*>("PoljeTrajanja"), o.PoljeTrajanja);
    EXPECT_EQ(o.findChild<QLineEdit*>("PoljeIntervalaStampanja"), o.PoljeIntervalaStampanja);
    EXPECT_EQ(o.findChild<QPushButton*>("DugmePrihvati")->text(), "simulacija");
    EXPECT_EQ(o.findChild<QPushButton*>("DugmeOdustani")->text(), "odustani");
    EXPECT_TRUE(o.PoljeTrajanja->text().isEmpty() && o.PoljeIntervala->text().isEmpty() &&
                o.PoljeIntervalaStampanja->text().isEmpty());
    // Tab goes from the duration to the integration interval to the print interval.
    o.show();
    o.PoljeTrajanja->setFocus();
    QTest::keyClick(o.PoljeTrajanja, Qt::Key_Tab);
    EXPECT_EQ(o.focusWidget(), o.PoljeIntervala);
    QTest::keyClick(o.PoljeIntervala, Qt::Key_Tab);
    EXPECT_EQ(o.focusWidget(), o.PoljeIntervalaStampanja);
    QTest::keyClick(o.PoljeIntervalaStampanja, Qt::Key_Tab);
    EXPECT_EQ(o.focusWidget(), o.IzborPrevodjenja);
}

// The compiled pass's choice: what each entry asks of the engine, kept for the
// next start of the program when "simulacija" accepts, not when cancelled.
TEST(Opcije, PrevodjenjeSePamtiPoPrihvatanju) {
    TSkriptovaniDijalozi dijalozi;
    const std::pair<QString, skem::TPrevodjenje> izbori[] = {
        {"uvek", skem::TPrevodjenje::Da},
        {"nikad", skem::TPrevodjenje::Ne},
        {"automatski", skem::TPrevodjenje::Auto}};
    for (const auto& [tekst, nacin] : izbori) {
        {
            TOpcije o;
            o.show();
            Unesi(o, "1", "0.1", "0.1");
            o.IzborPrevodjenja->setCurrentText(tekst);
            EXPECT_EQ(o.Prevodjenje(), nacin) << tekst.toStdString();
            QTest::mouseClick(o.DugmePrihvati, Qt::LeftButton);
            EXPECT_TRUE(o.Prihvaceno);
        }
        TOpcije ponovo; // a new start of the program reads the choice back
        EXPECT_EQ(ponovo.IzborPrevodjenja->currentText(), tekst);
        ponovo.show();
        ponovo.IzborPrevodjenja->setCurrentText("uvek");
        QTest::mouseClick(ponovo.DugmeOdustani, Qt::LeftButton);
        EXPECT_EQ(TOpcije().IzborPrevodjenja->currentText(), tekst) << "a cancel keeps nothing";
    }
}

TEST(Opcije, ProvereRedomSaPorukamaFokusomISelekcijom) {
    TSkriptovaniDijalozi dijalozi;
    TOpcije o;
    struct TSlucaj {
        QString d, h, p;
        QString poruka;
        QLineEdit* TOpcije::*polje; // nullptr: the focus stays where it was
        bool selektovano;
    };
    const QString poruka6 = "Interval stampanja rezultata mora biti\nveci ili jednak intervalu "
                            "integracije i\n  manji od duzine trajanja simulacije!";
    const std::vector<TSlucaj> slucajevi = {
        // One empty field wins over the other fields being invalid.
        {"abc", "-1", "", "Niste uneli sve potrebne vrednosti!", nullptr, false},
        {"1,5", "0.1", "0.5", "Duzina trajanja simulacije mora biti pozitivan realan broj!",
         &TOpcije::PoljeTrajanja, true},
        {"2147483647", "0.1", "0.5", "Duzina trajanja simulacije mora biti pozitivan realan broj!",
         &TOpcije::PoljeTrajanja, true},
        {"-3", "0.1", "0.5", "Duzina trajanja simulacije mora biti pozitivan realan broj!",
         &TOpcije::PoljeTrajanja, true},
        {"10", "0", "0.5", "Interval integracije mora biti pozitivan realan broj!",
         &TOpcije::PoljeIntervala, true},
        {"1", "2", "1.5", "Duzina trajanja simulacije mora biti veca od intervala integracije!",
         &TOpcije::PoljeIntervala, true},
        {"10", "0.1", "x", "Interval stampanja mora biti pozitivan realan broj!",
         &TOpcije::PoljeIntervalaStampanja, true},
        // D = h passes check 4 but no P satisfies h <= P < D.
        {"0.5", "0.5", "0.5", poruka6, &TOpcije::PoljeIntervalaStampanja, false},
        {"10", "0.1", "10", poruka6, &TOpcije::PoljeIntervalaStampanja, false},
        {"10", "0.1", "0.05", poruka6, &TOpcije::PoljeIntervalaStampanja, false},
    };
    std::vector<QString> greske;
    dijalozi.Skripte.push_back([&](QDialog&) {
        for (const TSlucaj& s : slucajevi) {
            SCOPED_TRACE(("D=" + s.d + " h=" + s.h + " P=" + s.p).toStdString());
            Unesi(o, s.d, s.h, s.p);
            // Put the focus somewhere known, with nothing selected.
            o.PoljeIntervala->setFocus();
            o.PoljeIntervala->deselect();
            dijalozi.Zapis.clear();
            QTest::mouseClick(o.DugmePrihvati, Qt::LeftButton);
            EXPECT_EQ(dijalozi.Zapis, QStringList{"Greska: " + s.poruka});
            EXPECT_TRUE(o.isVisible()); // a refused entry never closes the dialog
            QLineEdit* ocekivano = s.polje ? o.*(s.polje) : o.PoljeIntervala;
            EXPECT_EQ(o.focusWidget(), ocekivano);
            EXPECT_EQ(SveSelektovano(ocekivano), s.selektovano);
        }
        // P = h is accepted, and an exponent is a number.
        Unesi(o, "10", "1e-1", "0.1");
        dijalozi.Zapis.clear();
        QTest::mouseClick(o.DugmePrihvati, Qt::LeftButton);
        EXPECT_TRUE(dijalozi.Poruke().isEmpty());
        EXPECT_FALSE(o.isVisible());
    });
    skem::TOpcijeSimulacije v;
    ASSERT_TRUE(o.PitajOpcije(v));
    EXPECT_TRUE(o.Prihvaceno);
    EXPECT_DOUBLE_EQ(v.Trajanje, 10);
    EXPECT_DOUBLE_EQ(v.Interval, 0.1);
    EXPECT_DOUBLE_EQ(v.IntervalStampanja, 0.1);
    EXPECT_TRUE(dijalozi.Skripte.empty());
}

TEST(Opcije, VrednostiSeCuvajuAOdustajanjeVracaNe) {
    TSkriptovaniDijalozi dijalozi;
    TOpcije o;
    dijalozi.Skripte.push_back([&](QDialog&) {
        Unesi(o, "20", "0.01", "0.5");
        // Enter in a field runs the checks as "simulacija" does.
        QTest::keyClick(o.PoljeIntervalaStampanja, Qt::Key_Return);
    });
    skem::TOpcijeSimulacije v;
    ASSERT_TRUE(o.PitajOpcije(v));
    EXPECT_DOUBLE_EQ(v.Trajanje, 20);

    // The next run shows what was typed last; "odustani" leaves the values alone.
    dijalozi.Skripte.push_back([&](QDialog&) {
        EXPECT_EQ(o.PoljeTrajanja->text(), "20");
        EXPECT_EQ(o.PoljeIntervala->text(), "0.01");
        EXPECT_EQ(o.PoljeIntervalaStampanja->text(), "0.5");
        QTest::mouseClick(o.DugmeOdustani, Qt::LeftButton);
    });
    skem::TOpcijeSimulacije neizmenjeno{1, 2, 3};
    EXPECT_FALSE(o.PitajOpcije(neizmenjeno));
    EXPECT_FALSE(o.Prihvaceno);
    EXPECT_DOUBLE_EQ(neizmenjeno.Trajanje, 1);
    EXPECT_DOUBLE_EQ(neizmenjeno.IntervalStampanja, 3);
}

TEST(Opcije, ZatvaranjeMimoDugmadiJeOdustajanje) {
    TSkriptovaniDijalozi dijalozi;
    TOpcije o;
    auto prihvati = [&](QDialog&) {
        Unesi(o, "10", "0.1", "1");
        QTest::mouseClick(o.DugmePrihvati, Qt::LeftButton);
    };
    skem::TOpcijeSimulacije v;
    // After an accepted use, Esc, the window manager's close, and a close with
    // no button at all each count as "odustani", not as the previous answer.
    dijalozi.Skripte.push_back(prihvati);
    dijalozi.Skripte.push_back([&](QDialog&) { QTest::keyClick(&o, Qt::Key_Escape); });
    dijalozi.Skripte.push_back(prihvati);
    dijalozi.Skripte.push_back([&](QDialog&) { o.close(); });
    dijalozi.Skripte.push_back(prihvati);
    dijalozi.Skripte.push_back([&](QDialog&) {});
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(o.PitajOpcije(v));
        EXPECT_FALSE(o.PitajOpcije(v));
        EXPECT_FALSE(o.Prihvaceno);
    }
}

TEST(Opcije, VucenjeZaGornjuTraku) {
    TOpcije o;
    o.move(100, 100);
    o.show();
    const QPoint pocetak = o.pos();
    // A press below the strip does not drag.
    QTest::mousePress(&o, Qt::LeftButton, {}, QPoint(60, 40));
    QTest::mouseMove(&o, QPoint(90, 60));
    QTest::mouseRelease(&o, Qt::LeftButton, {}, QPoint(90, 60));
    EXPECT_EQ(o.pos(), pocetak);
    // A press on the top strip moves the window with the pointer.
    QTest::mousePress(&o, Qt::LeftButton, {}, QPoint(60, 5));
    QTest::mouseMove(&o, QPoint(90, 25));
    QTest::mouseRelease(&o, Qt::LeftButton, {}, QPoint(90, 25));
    EXPECT_EQ(o.pos(), pocetak + QPoint(30, 20));
}

// The method: the tolerances only for the variable-step ones (checked after
// the first three fields, with their field's focus), the document's method
// shown by PostaviMetod, and what was accepted handed to the engine.
TEST(Opcije, MetodITolerancije) {
    TSkriptovaniDijalozi dijalozi;
    TOpcije o;
    EXPECT_EQ(TOpcije::NaziviMetoda(),
              QStringList({"Runge-Kutta 4 (fiksni korak)",
                           "Dormand-Prince 5(4) (promenljivi korak)", "BDF (kruti sistemi)"}));
    EXPECT_EQ(o.IzborMetoda->currentIndex(), 0);
    EXPECT_FALSE(o.PoljeRelativneTolerancije->isEnabled());
    EXPECT_EQ(o.PoljeRelativneTolerancije->text(), "1E-6");
    EXPECT_EQ(o.PoljeApsolutneTolerancije->text(), "1E-9");
    o.PostaviMetod(skem::TMetodDokumenta{skem::TMetodIntegracije::BDF, 1e-8, 1e-12});
    EXPECT_EQ(o.IzborMetoda->currentText(), "BDF (kruti sistemi)");
    EXPECT_TRUE(o.PoljeApsolutneTolerancije->isEnabled());
    EXPECT_EQ(o.PoljeApsolutneTolerancije->text(), "1E-12");

    const struct {
        QString r, a, poruka;
        QLineEdit* polje;
    } odbijeni[] = {
        {"0", "1e-9", "Relativna tolerancija mora biti pozitivan realan broj!",
         o.PoljeRelativneTolerancije},
        {"1e-6", "-1", "Apsolutna tolerancija mora biti pozitivan realan broj!",
         o.PoljeApsolutneTolerancije},
        {"1e-6", "", "Niste uneli sve potrebne vrednosti!", o.PoljeTrajanja},
    };
    dijalozi.Skripte.push_back([&](QDialog&) {
        Unesi(o, "10", "0.1", "0.5");
        for (const auto& s : odbijeni) {
            Upisi(o.PoljeRelativneTolerancije, s.r);
            Upisi(o.PoljeApsolutneTolerancije, s.a);
            o.PoljeTrajanja->setFocus();
            dijalozi.Zapis.clear();
            QTest::mouseClick(o.DugmePrihvati, Qt::LeftButton);
            EXPECT_EQ(dijalozi.Zapis, QStringList{"Greska: " + s.poruka});
            EXPECT_EQ(o.focusWidget(), s.polje) << s.poruka.toStdString();
            EXPECT_TRUE(o.isVisible());
        }
        // Under RK4 the tolerances are not looked at.
        o.IzborMetoda->setCurrentIndex(0);
        EXPECT_FALSE(o.PoljeApsolutneTolerancije->isEnabled());
        dijalozi.Zapis.clear();
        QTest::mouseClick(o.DugmePrihvati, Qt::LeftButton);
        EXPECT_TRUE(dijalozi.Zapis.isEmpty());
    });
    skem::TOpcijeSimulacije v;
    ASSERT_TRUE(o.PitajOpcije(v));
    EXPECT_EQ(v.Metod, skem::TMetodIntegracije::RK4);

    dijalozi.Skripte.push_back([&](QDialog&) {
        o.IzborMetoda->setCurrentIndex(1);
        Upisi(o.PoljeRelativneTolerancije, "1e-7");
        Upisi(o.PoljeApsolutneTolerancije, "2E-10");
        QTest::mouseClick(o.DugmePrihvati, Qt::LeftButton);
    });
    ASSERT_TRUE(o.PitajOpcije(v));
    EXPECT_EQ(v.Metod, skem::TMetodIntegracije::DP45);
    EXPECT_EQ(v.RelativnaTolerancija, 1e-7);
    EXPECT_EQ(v.ApsolutnaTolerancija, 2e-10);
    EXPECT_EQ(o.Metod(), (skem::TMetodDokumenta{skem::TMetodIntegracije::DP45, 1e-7, 2e-10}));
    // A document without a method shows RK4 and keeps the tolerances typed.
    o.PostaviMetod(std::nullopt);
    EXPECT_EQ(o.IzborMetoda->currentIndex(), 0);
    EXPECT_EQ(o.PoljeApsolutneTolerancije->text(), "2E-10");
}
