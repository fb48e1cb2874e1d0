// A run in the background: the engine integrates on a worker thread while
// the window stays live, shows how far the run has got and can stop it
// ("Prekini", Esc). Editing waits until the run is over, so the document
// cannot change under the engine.
#include "Glavni.h"

#include "Brojevi.h"
#include "Dijalozi.h"
#include "Laboratorija.h"
#include "OpcijeSim.h"
#include "Podsistemi.h"
#include "Rezultati.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <exception>
#include <string>
#include <thread>
#include <vector>

namespace {

// An element's error raised on the worker is kept and shown once it is over.
class TZapisPoruka : public skem::TPorukeSimulacije {
public:
    void GreskaSimulacije(const std::string& tekst) override { poruke.push_back(tekst); }
    std::vector<std::string> poruke;
};

constexpr int PodelaTrake = 1000;

} // namespace

void TMainForm::NapraviTrakuRada() {
    trakaRada = new QProgressBar(statusnaTraka);
    trakaRada->setObjectName(QStringLiteral("TrakaRada"));
    trakaRada->setRange(0, PodelaTrake);
    trakaRada->setMaximumWidth(220);
    trakaRada->hide();
    dugmePrekini = new QPushButton(QStringLiteral("Prekini"), statusnaTraka);
    dugmePrekini->setObjectName(QStringLiteral("DugmePrekini"));
    dugmePrekini->setToolTip(QStringLiteral("Prekida simulaciju (Esc)"));
    dugmePrekini->setShortcut(Qt::Key_Escape);
    dugmePrekini->setFocusPolicy(Qt::NoFocus);
    dugmePrekini->hide();
    connect(dugmePrekini, &QPushButton::clicked, this, [this] { zaustaviRad = true; });
    // How the run whose results are shown ended (a Quit says so), on the left.
    statusnaTraka->addWidget(prikazRezultata->OpisKraja());
    statusnaTraka->addPermanentWidget(trakaRada);
    statusnaTraka->addPermanentWidget(dugmePrekini);
    simulacija.PostaviZaustavljanje(&zaustaviRad);
    simulacija.PostaviNapredak([this](const skem::TNapredakRada& n) {
        udeoRada.store(n.Udeo(), std::memory_order_relaxed);
        vremeRada.store(n.Vreme, std::memory_order_relaxed);
        radovaRada.store(n.Radova, std::memory_order_relaxed);
    });
}

void TMainForm::PokaziRad(bool radi) {
    radUToku = radi;
    for (QAction* a : actions())
        a->setEnabled(!radi);
    modelTab->setEnabled(!radi);
    headerPanel->setEnabled(!radi);
    trakaRada->setValue(0);
    trakaRada->setVisible(radi);
    dugmePrekini->setVisible(radi);
    dugmePauza->setVisible(radi && posmatranRad);
    dugmePauza->setText(QStringLiteral("Pauza"));
    if (!radi) OsveziIstoriju(); // undo and redo as the history allows
    // "Nazad" is no window command: it follows the level shown, not the run's end.
    nazadIzPodsistema->setEnabled(!radi && DubinaNivoa(*radnaPovrsina) > 0);
}

void TMainForm::IzvediUPozadini(QWidget* fokusPre) {
    TZapisPoruka zapis;
    simulacija.PostaviPoruke(&zapis);
    udeoRada = 0;
    vremeRada = 0;
    radovaRada = 0;
    const skem::TPrevodjenje prevodjenje = Opcije()->Prevodjenje();
    simulacija.PostaviPrevodjenje(prevodjenje);
    // Watched, steered or paced: the lab's observer sees every step. Else
    // the run is exactly as it always was.
    simulacija.PostaviPosmatraca(posmatranRad ? &laboratorija->Pracenje() : nullptr);
    // Disabled parts give up the focus; it comes back where it was.
    const QPointer<QWidget> fokus = fokusPre;
    PokaziRad(true);
    std::exception_ptr greska;
    QEventLoop petlja;
    std::thread radnik([&] {
        try {
            simulacija.Izvedi(rezultati);
        } catch (...) {
            greska = std::current_exception();
        }
        QMetaObject::invokeMethod(&petlja, "quit", Qt::QueuedConnection);
    });
    QTimer sat;
    // The simulated time reached, of D, to the step's precision (D, h set by
    // Pripremi, read-only meanwhile); the run's last step may go past D.
    const double d = simulacija.Trajanje(), h = simulacija.Interval();
    const QString trajanje = QString::fromStdString(skem::RealanUTekst(d));
    const auto prikazi = [this, &trajanje, d, h] {
        const double t = std::min(vremeRada.load(std::memory_order_relaxed), d);
        trakaRada->setValue(qRound(udeoRada.load(std::memory_order_relaxed) * PodelaTrake));
        trakaRada->setFormat(QStringLiteral("t = %1 od %2")
                                 .arg(QString::fromStdString(skem::VremeNaKoraku(t, h)), trajanje));
    };
    // A run that lasts more than a moment shows the lab page, its chart
    // growing on every tick.
    QElapsedTimer trajanjeRada;
    trajanjeRada.start();
    const auto prikaziSve = [this, prikazi, &trajanjeRada] {
        if (posmatranRad) {
            const double t = laboratorija->Pracenje().Vreme();
            // Paced, the engine's own reports come seldom.
            if (t > vremeRada.load(std::memory_order_relaxed)) {
                vremeRada.store(t, std::memory_order_relaxed);
                const double d = simulacija.Trajanje();
                if (d > 0 && radovaRada.load(std::memory_order_relaxed) == 1)
                    udeoRada.store(std::max(udeoRada.load(), std::min(t / d, 1.0)));
            }
            if (trajanjeRada.elapsed() >= 300 && strane->currentWidget() != laboratorija) {
                strane->setCurrentWidget(laboratorija);
                mainToolBar->hide();
            }
            laboratorija->Osvezi();
        }
        prikazi();
    };
    prikazi();
    connect(&sat, &QTimer::timeout, this, prikaziSve);
    sat.start(100);
    petlja.exec();
    radnik.join();
    sat.stop();
    simulacija.PostaviPosmatraca(nullptr);
    PokaziRad(false);
    // A hint left from the command that started the run would hide how it ended.
    statusnaTraka->clearMessage();
    if (fokus) fokus->setFocus(Qt::OtherFocusReason);
    VratiPorukeProzoru(zapis.poruke);
    // Asked for and impossible: the run went on interpreted, with the same results.
    if (prevodjenje == skem::TPrevodjenje::Da && !simulacija.Prevedena() &&
        !simulacija.GreskaPrevodjenja().empty())
        statusnaTraka->showMessage(
            QStringLiteral("Model nije preveden (%1); simulacija je izvedena bez prevodjenja.")
                .arg(QString::fromStdString(simulacija.GreskaPrevodjenja())),
            10000);
    if (greska) std::rethrow_exception(greska);
}

bool TMainForm::ZatvaranjeTokomRada() {
    if (!radUToku) return false;
    if (Dijalozi().Pitanje(QStringLiteral("Simulacija je u toku. Da li zelite da je prekinete?")) ==
        TDijalozi::TOdgovor::Da) {
        zatvoriPosleRada = true;
        zaustaviRad = true;
    }
    return true;
}
