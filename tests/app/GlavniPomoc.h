#pragma once
// Shared pieces of the main window's tests: a fixture with scripted dialogs
// and a scratch folder, the example documents, and short ways to drop
// blocks, draw connections and answer the program's dialogs.

#include "Glavni.h"

#include "DeoPoImenu.h"
#include "Dokument.h"
#include "Katalog.h"
#include "Obavestenja.h"
#include "OpcijeSim.h"
#include "Pomoc.h"
#include "PritisakBloka.h"
#include "Rezultati.h"
#include "SKEMBlok.h"
#include "SKEMGrupe.h"
#include "SKEMInspektor.h"
#include "SKEMRadnaPovrsina.h"
#include "SkriptovaniDijalozi.h"
#include "Splash.h"
#include "Tekst.h"
#include "uIzborUlaza.h"
#include "uUnosOpisa.h"
#include "uUnosParam.h"
#include "unLinija.h"
#include "unVeza.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

// Readable texts in the tests' failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace glavni_test {

// A part of the main window by its object name.
using ::Deo;

// The parts the tests use most.
inline QAction* Akcija(const QObject& g, const char* ime) {
    return Deo<QAction>(g, ime);
}
inline TSKEMRadnaPovrsina* Povrsina(const QObject& g) {
    return Deo<TSKEMRadnaPovrsina>(g, "RadnaPovrsina");
}
inline TSKEMInspektor* Inspektor(const QObject& g) {
    return Deo<TSKEMInspektor>(g, "Inspektor");
}
inline QStackedWidget* Strane(const QObject& g) {
    return Deo<QStackedWidget>(g, "Strane");
}
inline TPrikazRezultata* Prikaz(const QObject& g) {
    return Deo<TPrikazRezultata>(g, "PrikazRezultata");
}

// Picks the entry `akcija` (object name) of the menu about to open, then closes it.
inline void IzaberiUMeniju(const char* akcija) {
    QTimer::singleShot(0, [akcija] {
        QWidget* meni = QApplication::activePopupWidget();
        ASSERT_NE(meni, nullptr);
        auto* a = meni->findChild<QAction*>(QString::fromLatin1(akcija));
        ASSERT_NE(a, nullptr) << akcija;
        a->trigger();
        meni->close();
    });
}

// The source tree: from the test environment, or as it was when the tests were built.
inline QString Izvor() {
    const QString env = qEnvironmentVariable("SKEM_SOURCE_DIR");
    return env.isEmpty() ? QStringLiteral(SKEM_IZVOR) : env;
}

inline QString Primer(const QString& ime) {
    return Izvor() + QStringLiteral("/examples/") + ime;
}

inline void PisiFajl(const QString& put, const QByteArray& sadrzaj) {
    QFile f(put);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(sadrzaj);
}

inline QByteArray CitajFajl(const QString& put) {
    QFile f(put);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The catalogue item of a block code, as the palette would drag it.
inline TStavkaKataloga StavkaKataloga(int sifra) {
    QVector<TGrupaKataloga> grupe;
    ProcitajKatalog(Izvor() + QStringLiteral("/resources/Manifest.xml"), grupe);
    for (const TGrupaKataloga& g : grupe)
        for (const TStavkaKataloga& s : g.Stavke)
            if (s.ImageIndex == sifra) return s;
    ADD_FAILURE() << "no catalogue item with code " << sifra;
    return {};
}

// Drops a catalogue item on the workspace (the parameter dialog follows when it has parameters).
inline TSKEMBlok* SpustiIzKataloga(TMainForm& g, int sifra, QPoint tacka) {
    return Povrsina(g)->SpustiStavku(StavkaKataloga(sifra), tacka);
}

// Drops a block of the given kind that asks for no parameters.
inline TSKEMBlok* SpustiBezDijaloga(TMainForm& g, int sifra, const QString& naziv, int maxUlaza,
                                    QPoint tacka) {
    TStavkaKataloga s;
    s.Naziv = naziv;
    s.ImageIndex = sifra;
    s.MaxUlaznihVeza = maxUlaza;
    s.BrojParam = 0;
    s.Natpisi = {"x", "x", "x", "Ulaz 1", "Ulaz 2", "Ulaz 3"};
    return Povrsina(g)->SpustiStavku(s, tacka);
}

// Draws a connection from a's output to b as two clicks in connection mode.
inline void Povezi(TMainForm& g, TSKEMBlok* a, TSKEMBlok* b) {
    Povrsina(g)->SetStanje(rpsDodajVezuEx);
    PritisniBlok(a);
    PritisniBlok(b);
}

// Starts a junction on a new holder at `tacka` (workspace coordinates) of the connection's last
// segment.
inline void ZapocniJunction(TMainForm& g, TVeza* v, QPoint tacka) {
    Povrsina(g)->SetStanje(rpsKreirajJunctionEx);
    TLinija* s = v->Linije.last();
    v->LinijaPustena(s, Qt::LeftButton, Qt::NoModifier, tacka.x() - s->Left() + 6,
                     tacka.y() - s->Top() + 6);
}

// Answers the input selection dialog with "Ulaz k" (1..3).
inline std::function<void(QDialog&)> IzaberiUlaz(int k) {
    return [k](QDialog& d) {
        auto& u = dynamic_cast<TIzborUlaza&>(d);
        QRadioButton* dugmad[] = {u.DugmeUlaza1, u.DugmeUlaza2, u.DugmeUlaza3};
        dugmad[k - 1]->setChecked(true);
        u.DugmePrihvati->click();
    };
}

// Fills the options dialog and presses "simulacija".
inline std::function<void(QDialog&)> UnesiOpcije(const QString& d, const QString& h,
                                                 const QString& p) {
    return [=](QDialog& dlg) {
        auto& o = dynamic_cast<TOpcije&>(dlg);
        o.PoljeTrajanja->setText(d);
        o.PoljeIntervala->setText(h);
        o.PoljeIntervalaStampanja->setText(p);
        o.DugmePrihvati->click();
    };
}

// Counts the F1 presses a control receives.
class TBrojacTastera : public QObject {
public:
    int F1 = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) ++F1;
        return false;
    }
};

// Scripted dialogs, a scratch folder, and the resources folder as the working
// directory (where the program finds Manifest.xml).
class TGlavniTest : public ::testing::Test {
protected:
    TSkriptovaniDijalozi dijalozi;
    QTemporaryDir temp;
    QString staraFascikla = QDir::currentPath();

    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(QDir::setCurrent(Izvor() + QStringLiteral("/resources")));
    }
    void TearDown() override {
        QDir::setCurrent(staraFascikla);
        IsprazniOdlozeno();
    }

    // A main window as start-up leaves it, enabled (the splash's ticks are not waited for).
    std::unique_ptr<TMainForm> Napravi(const QStringList& argumenti = {}) {
        auto g = std::make_unique<TMainForm>(argumenti);
        g->NapraviDijaloge();
        g->setEnabled(true);
        return g;
    }

    static void Prikazi(TMainForm& g) {
        g.show();
        QApplication::setActiveWindow(&g);
        (void)QTest::qWaitForWindowActive(&g);
    }

    void FileOpen(TMainForm& g, const QString& put) {
        dijalozi.ImenaFajlova.push_back(put);
        Akcija(g, "FileOpen")->trigger();
    }
};

} // namespace glavni_test
