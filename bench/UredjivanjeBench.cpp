// Editing a large diagram in the real main window (headless, 1280 x 800), as
// a user would: open a chain of blocks, select all and drag them, undo the
// drag, delete all, undo the deletion, then open a larger chain and start a
// new document over it.
//
//   skem_bench_uredjivanje [--blokova N] [--veliki M]
//
// Defaults: N = 10,000 and M = 100,000 (0 leaves the large chain out). Each
// step is timed from the command until the window has handled every event it
// caused (the undo step is recorded then; after the drag the window waits
// 50 ms first, so that wait is timed apart), wall clock and, in brackets,
// processor time.

#include "DokumentiZaBench.h"

#include "Dijalozi.h"
#include "Glavni.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cstdio>
#include <utility>

namespace {

// Opens the file it is given; answers every question with "no" and prints
// every message.
class TDijaloziMerenja : public TDijalozi {
public:
    QString Dokument;

    void Greska(const QString& tekst) override { Zapisi("Greska", tekst); }
    void Poruka(const QString& tekst) override { Zapisi("Poruka", tekst); }
    void Informacija(const QString& tekst) override { Zapisi("Informacija", tekst); }
    TOdgovor Pitanje(const QString& tekst) override {
        Zapisi("Pitanje (ne)", tekst);
        return TOdgovor::Ne;
    }
    QString OtvoriFajl(QWidget*, const QString&) override { return std::exchange(Dokument, {}); }
    QString SacuvajKao(QWidget*, TVrstaFajla, const QString& naslov, const QString&,
                       const QString&) override {
        Zapisi("SacuvajKao (odustani)", naslov);
        return {};
    }
    void PrikaziModalno(QDialog&) override { Zapisi("Dijalog", QStringLiteral("zatvoren")); }
    void PrikaziPomoc(QWidget*, const QString& stranica, bool) override {
        Zapisi("Pomoc", stranica);
    }

private:
    static void Zapisi(const char* vrsta, const QString& tekst) {
        std::fprintf(stderr, "%s: %s\n", vrsta, tekst.toLocal8Bit().constData());
    }
};

template <class T> T* Deo(const QObject& prozor, const char* ime) {
    T* deo = prozor.findChild<T*>(QLatin1String(ime));
    if (!deo) std::fprintf(stderr, "prozor nema deo \"%s\"\n", ime);
    return deo;
}

// Runs the step and every event it left behind; prints its time.
template <class Korak> void Izmeri(const char* naziv, Korak&& korak) {
    const bench::TStoperica vreme;
    korak();
    QApplication::processEvents();
    QApplication::processEvents();
    std::printf("%-28s %s\n", naziv, vreme.Izmereno().constData());
    std::fflush(stdout);
}

void Mis(QGraphicsView& v, QEvent::Type vrsta, QPoint scena, Qt::MouseButtons dugmad) {
    const QPoint tacka = v.mapFromScene(scena);
    QMouseEvent e(vrsta, QPointF(tacka), QPointF(v.viewport()->mapToGlobal(tacka)),
                  vrsta == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, dugmad,
                  Qt::NoModifier);
    QApplication::sendEvent(v.viewport(), &e);
}

void Taster(QGraphicsView& v, int taster, Qt::KeyboardModifiers tasteri = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, taster, tasteri);
    QApplication::sendEvent(&v, &e);
}

QString Lanac(const QTemporaryDir& dir, int n) {
    const QString ime = dir.filePath(QStringLiteral("lanac%1.skem").arg(n));
    QFile f(ime);
    if (!f.open(QIODevice::WriteOnly)) return {};
    bench::Lanac(n, [&f](const QByteArray& deo) { f.write(deo); });
    return ime;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    QApplication aplikacija(argc, argv);
    const int blokova = bench::Broj(argc, argv, "--blokova", 10000);
    const int veliki = bench::Broj(argc, argv, "--veliki", 100000);

    TDijaloziMerenja dijalozi;
    PostaviDijaloge(&dijalozi);
    TMainForm g;
    g.NapraviDijaloge();
    g.setEnabled(true);
    g.resize(1280, 800);
    g.show();
    QApplication::setActiveWindow(&g);
    QApplication::processEvents();
    auto* rp = Deo<TSKEMRadnaPovrsina>(g, "RadnaPovrsina");
    auto* pogled = Deo<QGraphicsView>(g, "PogledPovrsine");
    QAction* otvori = Deo<QAction>(g, "FileOpen");
    QAction* ponisti = Deo<QAction>(g, "Ponisti");
    QAction* novi = Deo<QAction>(g, "NovDoc");
    if (!rp || !pogled || !otvori || !ponisti || !novi) return 1;

    const QString mali = Lanac(dir, blokova);
    std::printf("lanac od %d blokova, %lld bajtova\n", blokova, QFile(mali).size());
    dijalozi.Dokument = mali;
    Izmeri("otvaranje", [&] { otvori->trigger(); });
    if (rp->Blokovi().size() != blokova) {
        std::fprintf(stderr, "procitano %lld blokova\n", qlonglong(rp->Blokovi().size()));
        return 1;
    }
    pogled->setFocus();
    Izmeri("izbor svih (Ctrl+A)", [&] { Taster(*pogled, Qt::Key_A, Qt::ControlModifier); });
    const QPoint sredina = rp->Blokovi()[0]->sceneBoundingRect().center().toPoint();
    Izmeri("pomeranje svih (prevlacenje)", [&] {
        Mis(*pogled, QEvent::MouseButtonPress, sredina, Qt::LeftButton);
        Mis(*pogled, QEvent::MouseMove, sredina + QPoint(40, 30), Qt::LeftButton);
        Mis(*pogled, QEvent::MouseButtonRelease, sredina + QPoint(40, 30), Qt::NoButton);
    });
    {
        // After a drag the window waits 50 ms before it records the step.
        const bench::TStoperica vreme;
        while (!ponisti->isEnabled())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        std::printf("%-28s %s\n", "  do zapisa koraka", vreme.Izmereno().constData());
    }
    const QPoint pomereno = rp->Blokovi().last()->pos().toPoint();
    Izmeri("ponistavanje pomeranja", [&] { ponisti->trigger(); });
    if (rp->Blokovi().last()->pos().toPoint() == pomereno)
        std::fprintf(stderr, "pomeranje nije ponisteno\n");
    pogled->setFocus();
    Taster(*pogled, Qt::Key_A, Qt::ControlModifier);
    Izmeri("brisanje svih (Delete)", [&] { Taster(*pogled, Qt::Key_Delete); });
    if (!rp->Blokovi().isEmpty()) std::fprintf(stderr, "blokovi nisu obrisani\n");
    Izmeri("ponistavanje brisanja", [&] { ponisti->trigger(); });
    if (rp->Blokovi().size() != blokova) std::fprintf(stderr, "brisanje nije ponisteno\n");

    if (veliki > 0) {
        dijalozi.Dokument = Lanac(dir, veliki);
        std::printf("lanac od %d blokova\n", veliki);
        Izmeri("otvaranje velikog", [&] { otvori->trigger(); });
        if (rp->Blokovi().size() != veliki) std::fprintf(stderr, "veliki nije procitan\n");
        Izmeri("novi dokument posle velikog", [&] { novi->trigger(); });
    }
    std::printf("vrh memorije %ld MB\n", bench::VrhMemorijeMB());
    return 0;
}
