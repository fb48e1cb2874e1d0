// The main window's results path on a large run: a document opened in the
// real window (headless, 1280 x 800), run through its "Simulacija" command
// with the options dialog answered by the program, then its results shown
// as the table and as the chart of every row.
//
//   skem_bench_prozor [FAJL.skem] [--duration D] [--step H] [--print P]
//                     [--slike DIR]
//
// Defaults: examples/oscilator.skem, D = 10000, h = 0.001, P = 0.001 (ten
// million printed times, the most the table takes); --duration 100 gives a
// quick run; --slike DIR keeps each drawing there as a PNG. Each phase shows
// the wall-clock time and, in brackets, the processor time of the process
// (all threads together):
//   rad     from the command until the run's progress bar is hidden (the
//           worker has finished);
//   tabela  from then until the table page is current and the table drawn;
//   grafik  every row ticked, the chart built, its animation over and the
//           chart drawn; then a second draw alone, and a zoom into the middle
//           tenth of x until drawn.
// "memorija" is the peak resident size of the process so far (VmHWM), also
// against the size of the results matrix. A phase that runs long reports the
// resident size every 15 s on stderr. Messages the window shows are printed
// as they come, so a refused run is seen.

#include "Glavni.h"
#include "OpcijeSim.h"
#include "Rezultati.h"

#include "Dijalozi.h"

#include <QAbstractAnimation>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsObject>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QXYSeries>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Sat = std::chrono::steady_clock;

// A moment by the wall clock and by the process's processor time.
struct TTrenutak {
    Sat::time_point zid = Sat::now();
    std::clock_t procesor = std::clock();
};

// Wall-clock and processor time since a moment (by default, its making).
class TStoperica {
public:
    TStoperica() = default;
    explicit TStoperica(const TTrenutak& od) : pocetak(od) {}

    // Up to `sada` (by default, now).
    QByteArray Izmereno(const TTrenutak& sada = TTrenutak()) const {
        const double zid = std::chrono::duration<double>(sada.zid - pocetak.zid).count();
        const double cpu = double(sada.procesor - pocetak.procesor) / CLOCKS_PER_SEC;
        return QByteArray::number(zid, 'f', 3) + " s (" + QByteArray::number(cpu, 'f', 3) + ")";
    }

private:
    TTrenutak pocetak;
};

// A field of /proc/self/status in kB ("VmHWM", "VmRSS"); 0 when unreadable.
long StatusKB(const char* polje) {
    long kb = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char red[256];
        const size_t duzina = std::strlen(polje);
        while (std::fgets(red, sizeof red, f))
            if (std::strncmp(red, polje, duzina) == 0 && red[duzina] == ':') {
                kb = std::atol(red + duzina + 1);
                break;
            }
        std::fclose(f);
    }
    return kb;
}

double VrhMB() {
    return StatusKB("VmHWM") / 1024.0;
}

void Ispisi(const QByteArray& red) {
    std::printf("%s\n", red.constData());
    std::fflush(stdout);
}

// While a phase lasts, the resident size every 15 s on stderr: a phase that
// runs for minutes shows how its memory grows.
class TStraza {
public:
    explicit TStraza(const char* faza) : naziv(faza), nit([this] { Prati(); }) {}
    ~TStraza() {
        {
            const std::lock_guard<std::mutex> z(mutex);
            gotovo = true;
        }
        uslov.notify_one();
        nit.join();
    }

private:
    void Prati() {
        const TStoperica od;
        std::unique_lock<std::mutex> z(mutex);
        while (!uslov.wait_for(z, std::chrono::seconds(15), [this] { return gotovo; }))
            std::fprintf(stderr, "  ... %s: %s, rezidentno %.0f MB, vrh %.0f MB\n", naziv,
                         od.Izmereno().constData(), StatusKB("VmRSS") / 1024.0, VrhMB());
    }

    const char* naziv;
    std::mutex mutex;
    std::condition_variable uslov;
    bool gotovo = false;
    std::thread nit;
};

// The window's dialogs: the document to open, the options dialog filled and
// accepted; any other dialog is closed unchanged and every message printed.
class TDijaloziMerenja : public TDijalozi {
public:
    QString Dokument;
    QString Trajanje, Interval, IntervalStampanja;

    void Greska(const QString& tekst) override { Zapisi("Greska", tekst); }
    void Poruka(const QString& tekst) override { Zapisi("Poruka", tekst); }
    void Informacija(const QString& tekst) override { Zapisi("Informacija", tekst); }
    TOdgovor Pitanje(const QString& tekst) override {
        Zapisi("Pitanje (odustani)", tekst);
        return TOdgovor::Odustani;
    }
    QString OtvoriFajl(QWidget*, const QString&) override { return std::exchange(Dokument, {}); }
    QString SacuvajKao(QWidget*, TVrstaFajla, const QString& naslov, const QString&,
                       const QString&) override {
        Zapisi("SacuvajKao (odustani)", naslov);
        return {};
    }
    void PrikaziModalno(QDialog& dijalog) override {
        auto* opcije = dynamic_cast<TOpcije*>(&dijalog);
        if (!opcije) {
            Zapisi("Dijalog (zatvoren)", QString::fromLatin1(dijalog.metaObject()->className()));
            return;
        }
        opcije->show();
        opcije->PoljeTrajanja->setText(Trajanje);
        opcije->PoljeIntervala->setText(Interval);
        opcije->PoljeIntervalaStampanja->setText(IntervalStampanja);
        opcije->DugmePrihvati->click();
        if (opcije->isVisible()) opcije->hide();
    }
    void PrikaziPomoc(QWidget*, const QString& stranica, bool) override {
        Zapisi("Pomoc", stranica);
    }

private:
    void Zapisi(const char* vrsta, const QString& tekst) {
        std::fprintf(stderr, "%s: %s\n", vrsta, tekst.toLocal8Bit().constData());
    }
};

// Notes the moment the watched widget is hidden.
class TSkrivanje : public QObject {
public:
    std::optional<TTrenutak> Trenutak;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide && !Trenutak) Trenutak.emplace();
        return false;
    }
};

const char* Tekst(int argc, char** argv, const char* ime, const char* podrazumevano) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], ime) == 0) return argv[i + 1];
    return podrazumevano;
}

// The document: the first argument that is neither an option nor an option's value.
QString Dokument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0) {
            ++i;
            continue;
        }
        return QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath();
    }
    return QStringLiteral(SKEM_IZVOR "/examples/oscilator.skem");
}

// With --slike DIR each drawing is also written there as PNG (after its clock stopped).
QString fasciklaSlika;
std::vector<std::pair<QPixmap, QString>> slike;
void Sacuvaj(const QPixmap& slika, const char* ime) {
    if (!fasciklaSlika.isEmpty()) slike.emplace_back(slika, QString::fromLatin1(ime));
}

template <class T> T* Deo(const QObject& prozor, const char* ime) {
    T* deo = prozor.findChild<T*>(QLatin1String(ime));
    if (!deo) std::fprintf(stderr, "prozor nema deo \"%s\"\n", ime);
    return deo;
}

// The chart's running animations: each belongs to a chart item of the view's scene.
bool Animira(const QChartView& pogled) {
    for (QGraphicsItem* i : pogled.scene()->items())
        if (QGraphicsObject* o = i->toGraphicsObject())
            for (const QAbstractAnimation* a : o->findChildren<QAbstractAnimation*>())
                if (a->state() == QAbstractAnimation::Running) return true;
    return false;
}

void SacekajAnimacije(const QChartView& pogled) {
    while (Animira(pogled))
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// The peak so far, alone and against the results matrix.
QByteArray Memorija(const char* kada, double matricaMB, double pre) {
    const double vrh = VrhMB();
    QByteArray red =
        QByteArray("memorija ") + kada + ": vrh " + QByteArray::number(vrh, 'f', 0) + " MB";
    if (matricaMB > 0)
        red += ", vrh / matrica = " + QByteArray::number(vrh / matricaMB, 'f', 2) +
               ", (vrh - vrh pre rada) / matrica = " +
               QByteArray::number((vrh - pre) / matricaMB, 'f', 2);
    return red;
}

int Izmeri(TDijaloziMerenja& dijalozi) {
    TMainForm g;
    g.NapraviDijaloge();
    g.setEnabled(true);
    g.resize(1280, 800);
    g.show();
    QApplication::setActiveWindow(&g);
    QApplication::processEvents();

    QAction* otvori = Deo<QAction>(g, "FileOpen");
    QAction* simulacija = Deo<QAction>(g, "IzvSimulaciju");
    auto* traka = Deo<QProgressBar>(g, "TrakaRada");
    auto* strane = Deo<QStackedWidget>(g, "Strane");
    auto* prikaz = Deo<TPrikazRezultata>(g, "PrikazRezultata");
    auto* tabelaRezultata = Deo<QTableView>(g, "Tabela");
    auto* pogled = Deo<QChartView>(g, "Grafik2D");
    auto* osa = Deo<QComboBox>(g, "IzborOseX");
    if (!otvori || !simulacija || !traka || !strane || !prikaz || !tabelaRezultata || !pogled ||
        !osa)
        return 1;

    const QString dokument = dijalozi.Dokument;
    otvori->trigger();
    if (g.ImeDokumenta().isEmpty()) {
        std::fprintf(stderr, "dokument nije otvoren: %s\n", dokument.toLocal8Bit().constData());
        return 1;
    }
    QApplication::processEvents();
    Ispisi("dokument " + dokument.toLocal8Bit() + ", D = " + dijalozi.Trajanje.toLocal8Bit() +
           ", h = " + dijalozi.Interval.toLocal8Bit() +
           ", P = " + dijalozi.IntervalStampanja.toLocal8Bit() + ", prozor " +
           QByteArray::number(g.width()) + " x " + QByteArray::number(g.height()));
    const double pre = VrhMB();
    Ispisi(Memorija("pre rada", 0, 0));

    // 1. The run, until the window hides its bar once the worker has joined.
    TSkrivanje skrivanje;
    traka->installEventFilter(&skrivanje);
    const TStoperica rad;
    {
        const TStraza straza("rad");
        simulacija->trigger();
    }
    traka->removeEventFilter(&skrivanje);
    if (!skrivanje.Trenutak) {
        Ispisi("rad: traka rada nije skrivena, rad nije pokrenut");
        return 1;
    }
    Ispisi("rad: " + rad.Izmereno(*skrivanje.Trenutak));
    if (strane->currentWidget() != prikaz->TabelaTab()) {
        Ispisi("rad: strana tabele nije prikazana (rad odbijen ili prekinut)");
        return 1;
    }

    // 2. The table, drawn whole once the command has returned.
    QApplication::processEvents();
    Sacuvaj(tabelaRezultata->grab(), "tabela");
    const QByteArray tabela = TStoperica(*skrivanje.Trenutak).Izmereno();
    const skem::TMatricaRezultata& m = prikaz->Rezultati();
    const double matricaMB = double(m.Redova()) * double(m.Kolona()) * 8 / (1024.0 * 1024.0);
    Ispisi("tabela: " + tabela + ", " + QByteArray::number(prikaz->BrojRedova()) + " x " +
           QByteArray::number(prikaz->BrojKolona()) + " celija");
    Ispisi("matrica rezultata: " + QByteArray::number(qulonglong(m.Redova())) + " x " +
           QByteArray::number(qulonglong(m.Kolona())) +
           " x 8 B = " + QByteArray::number(matricaMB, 'f', 1) + " MB");
    Ispisi(Memorija("posle tabele", matricaMB, pre));

    // 3. The chart of every row. The chart animates a change of its series
    // (and a zoom): the draw counts once the animation is over, as the user
    // sees it.
    for (QCheckBox* c :
         g.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^Oznaka\\d+$"))))
        c->setChecked(true);
    {
        const TStraza straza("grafik");
        const TStoperica grafik;
        prikaz->PrikaziGrafik();
        const QByteArray poziv = grafik.Izmereno();
        QApplication::processEvents();
        SacekajAnimacije(*pogled);
        const QByteArray animacija = grafik.Izmereno();
        Sacuvaj(pogled->grab(), "grafik");
        const QByteArray vreme = grafik.Izmereno();
        qsizetype tacaka = 0;
        const QList<QAbstractSeries*> serije = pogled->chart()->series();
        for (QAbstractSeries* s : serije)
            if (auto* xy = qobject_cast<QXYSeries*>(s)) tacaka += xy->count();
        Ispisi("grafik: " + vreme + "; PrikaziGrafik do " + poziv + ", animacija do " + animacija +
               "; " + QByteArray::number(serije.size()) + " serija, " + QByteArray::number(tacaka) +
               " tacaka ukupno");
        if (strane->currentWidget() != prikaz->GrafikTab()) Ispisi("grafik: strana nije prikazana");
    }
    {
        const TStraza straza("grafik ponovo");
        const TStoperica ponovo;
        Sacuvaj(pogled->grab(), "grafik-ponovo");
        Ispisi("grafik, samo ponovo iscrtan: " + ponovo.Izmereno());
    }
    {
        const TStraza straza("zum");
        const TStoperica zum;
        QChart* c = pogled->chart();
        const QRectF ravan = c->plotArea();
        c->zoomIn(QRectF(ravan.left() + 0.45 * ravan.width(), ravan.top(), 0.1 * ravan.width(),
                         ravan.height()));
        const QByteArray poziv = zum.Izmereno();
        QApplication::processEvents();
        SacekajAnimacije(*pogled);
        Sacuvaj(pogled->grab(), "grafik-zum");
        Ispisi("grafik, zum na srednju desetinu x i crtanje: " + zum.Izmereno() + "; zoomIn do " +
               poziv);
    }
    {
        // 4. A phase plot: the first row across, the others against it.
        const TStraza straza("fazni");
        const TStoperica fazni;
        if (osa->count() > 1) {
            osa->setCurrentIndex(1);
            emit osa->activated(1);
            QApplication::processEvents();
            SacekajAnimacije(*pogled);
            Sacuvaj(pogled->grab(), "grafik-fazni");
            qsizetype tacaka = 0;
            for (QAbstractSeries* s : pogled->chart()->series())
                if (auto* xy = qobject_cast<QXYSeries*>(s)) tacaka += xy->count();
            Ispisi("fazni dijagram (" + osa->currentText().toLocal8Bit() + " na x osi): " +
                   fazni.Izmereno() + "; " + QByteArray::number(tacaka) + " tacaka ukupno");
        }
    }
    Ispisi(Memorija("posle grafika", matricaMB, pre));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings the window keeps (recent documents, dialogs) go to a folder of
    // this run, never to the user's.
    QTemporaryDir podesavanja;
    qputenv("XDG_CONFIG_HOME", podesavanja.path().toLocal8Bit());
    QApplication aplikacija(argc, argv);

    TDijaloziMerenja dijalozi;
    dijalozi.Dokument = Dokument(argc, argv);
    dijalozi.Trajanje = QString::fromLocal8Bit(Tekst(argc, argv, "--duration", "10000"));
    dijalozi.Interval = QString::fromLocal8Bit(Tekst(argc, argv, "--step", "0.001"));
    dijalozi.IntervalStampanja = QString::fromLocal8Bit(Tekst(argc, argv, "--print", "0.001"));
    fasciklaSlika = QString::fromLocal8Bit(Tekst(argc, argv, "--slike", ""));
    if (!fasciklaSlika.isEmpty()) fasciklaSlika = QDir(fasciklaSlika).absolutePath();
    PostaviDijaloge(&dijalozi);
    // The window finds its catalogue (Manifest.xml) beside it or in the working folder.
    QDir::setCurrent(QStringLiteral(SKEM_IZVOR "/resources"));
    const int rezultat = Izmeri(dijalozi);
    for (const auto& [slika, ime] : slike)
        slika.save(fasciklaSlika + QLatin1Char('/') + ime + QStringLiteral(".png"));
    PostaviDijaloge(nullptr);
    return rezultat;
}
