#include "Paketni.h"

#include "Brojevi.h"
#include "CsvRezultata.h"
#include "Dijalozi.h"
#include "Dokument.h"
#include "Obrada.h"
#include "OpcijeProvera.h"
#include "PaketniSerija.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"

#include <QApplication>
#include <QSaveFile>
#include <QTextStream>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace {

enum TIzlazniKod { ikUspeh = 0, ikNeuspeh = 1, ikUpotreba = 2 };

// The engine's error boxes become lines on the error stream.
class TPaketnePoruke : public skem::TPorukeSimulacije {
public:
    explicit TPaketnePoruke(QTextStream& g) : greske(g) {}
    void GreskaSimulacije(const std::string& tekst) override {
        greske << QString::fromStdString(tekst) << '\n';
    }

private:
    QTextStream& greske;
};

// No window may ever open in batch mode: whatever would be shown goes to the
// error stream, and questions are answered "odustani".
class TPaketniDijalozi : public TDijalozi {
public:
    explicit TPaketniDijalozi(QTextStream& g) : greske(g), prethodni(&Dijalozi()) {
        PostaviDijaloge(this);
    }
    ~TPaketniDijalozi() override { PostaviDijaloge(prethodni); }
    void Greska(const QString& tekst) override { greske << tekst << '\n'; }
    void Poruka(const QString& tekst) override { greske << tekst << '\n'; }
    void Informacija(const QString& tekst) override { greske << tekst << '\n'; }
    TOdgovor Pitanje(const QString& tekst) override {
        greske << tekst << '\n';
        return TOdgovor::Odustani;
    }
    QString OtvoriFajl(QWidget*, const QString&) override { return {}; }
    QString SacuvajKao(QWidget*, TVrstaFajla, const QString&, const QString&,
                       const QString&) override {
        return {};
    }
    void PrikaziModalno(QDialog&) override {}
    void PrikaziPomoc(QWidget*, const QString&, bool) override {}

private:
    QTextStream& greske;
    TDijalozi* prethodni;
};

struct TArgumenti {
    QString Dokument;
    std::map<QString, QString> Opcije;         // "--duration" -> "10"
    std::map<QString, QStringList> Ponovljene; // "--set" -> {"3.p1=2", ...}
};

const QStringList& PoznateOpcije() {
    static const QStringList opcije = {
        QStringLiteral("--duration"),   QStringLiteral("--step"),       QStringLiteral("--print"),
        QStringLiteral("--output"),     QStringLiteral("--output-dir"), QStringLiteral("--runs"),
        QStringLiteral("--seed"),       QStringLiteral("--jobs"),       QStringLiteral("--part"),
        QStringLiteral("--prevodjenje")};
    return opcije;
}

// Options that may be given more than once.
const QStringList& PonovljiveOpcije() {
    static const QStringList opcije = {QStringLiteral("--set"), QStringLiteral("--sweep")};
    return opcije;
}

// Returns an empty text when the arguments are usable, otherwise what is wrong.
QString RasclaniArgumente(const QStringList& argumenti, TArgumenti& a) {
    QStringList ostali = argumenti;
    if (!ostali.isEmpty() && ostali.first() == QLatin1String("--run")) ostali.removeFirst();
    for (qsizetype i = 0; i < ostali.size(); ++i) {
        const QString& arg = ostali[i];
        if (PonovljiveOpcije().contains(arg)) {
            if (i + 1 >= ostali.size())
                return QStringLiteral("Nedostaje vrednost opcije %1.").arg(arg);
            a.Ponovljene[arg] << ostali[++i];
        } else if (PoznateOpcije().contains(arg)) {
            if (i + 1 >= ostali.size())
                return QStringLiteral("Nedostaje vrednost opcije %1.").arg(arg);
            if (a.Opcije.count(arg))
                return QStringLiteral("Opcija %1 je navedena vise puta.").arg(arg);
            a.Opcije[arg] = ostali[++i];
        } else if (arg.startsWith(QLatin1String("--"))) {
            return QStringLiteral("Nepoznata opcija %1.").arg(arg);
        } else if (a.Dokument.isEmpty()) {
            a.Dokument = arg;
        } else {
            return QStringLiteral("Suvisan argument %1.").arg(arg);
        }
    }
    if (a.Dokument.isEmpty()) return QStringLiteral("Nije naveden fajl dokumenta.");
    for (const char* obavezna : {"--duration", "--step", "--print"})
        if (!a.Opcije.count(QLatin1String(obavezna)))
            return QStringLiteral("Nedostaje opcija %1.").arg(QLatin1String(obavezna));
    if (a.Opcije.count(QStringLiteral("--output")) &&
        a.Opcije.count(QStringLiteral("--output-dir")))
        return QStringLiteral("Opcije --output i --output-dir se ne mogu zadati zajedno.");
    return {};
}

// A whole number from min up to max; false for anything else.
bool CeoBroj(const QString& tekst, std::uint64_t min, std::uint64_t max, std::uint64_t& v) {
    const std::string t = tekst.toStdString();
    const auto [kraj, greska] = std::from_chars(t.data(), t.data() + t.size(), v);
    return !t.empty() && greska == std::errc() && kraj == t.data() + t.size() && v >= min &&
           v <= max;
}

// The batch options beyond a single run; an empty text when they are usable.
QString ProcitajSeriju(const TArgumenti& a, TSerijaPaketno& s) {
    const auto opcija = [&a](const char* ime) -> const QString* {
        const auto i = a.Opcije.find(QLatin1String(ime));
        return i == a.Opcije.end() ? nullptr : &i->second;
    };
    const auto ponovljene = [&a](const char* ime) {
        const auto i = a.Ponovljene.find(QLatin1String(ime));
        return i == a.Ponovljene.end() ? QStringList() : i->second;
    };
    for (const QString& arg : ponovljene("--set")) {
        skem::TPostavka p;
        const std::string greska = skem::ProcitajPostavku(arg.toStdString(), p);
        if (!greska.empty())
            return QStringLiteral("Opcija --set %1: %2").arg(arg, QString::fromStdString(greska));
        s.Plan.Postavke.push_back(p);
    }
    for (const QString& arg : ponovljene("--sweep")) {
        skem::TPromenljiva p;
        const std::string greska = skem::ProcitajPromenljivu(arg.toStdString(), p);
        if (!greska.empty())
            return QStringLiteral("Opcija --sweep %1: %2").arg(arg, QString::fromStdString(greska));
        s.Plan.Promenljive.push_back(p);
    }
    std::uint64_t v = 0;
    if (const QString* t = opcija("--runs")) {
        if (!CeoBroj(*t, 1, skem::MaksSimulacija, v))
            return QStringLiteral("Opcija --runs %1: broj simulacija mora biti pozitivan ceo broj.")
                .arg(*t);
        s.Plan.Ponavljanja = static_cast<std::int64_t>(v);
    }
    if (const QString* t = opcija("--seed")) {
        if (!CeoBroj(*t, 0, UINT64_MAX, v))
            return QStringLiteral("Opcija --seed %1: seme mora biti ceo broj od 0 do %2.")
                .arg(*t)
                .arg(UINT64_MAX);
        s.Plan.Seme = v;
    }
    s.Niti = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (const QString* t = opcija("--jobs")) {
        if (!CeoBroj(*t, 1, 1024, v))
            return QStringLiteral("Opcija --jobs %1: broj istovremenih simulacija mora biti ceo "
                                  "broj od 1 do 1024.")
                .arg(*t);
        s.Niti = static_cast<int>(v);
    }
    if (const QString* t = opcija("--part")) {
        const QStringList delovi = t->split(QLatin1Char('/'));
        std::uint64_t m = 0;
        if (delovi.size() != 2 || !CeoBroj(delovi[1], 1, skem::MaksSimulacija, m) ||
            !CeoBroj(delovi[0], 1, m, v))
            return QStringLiteral("Opcija --part %1: ocekuje se I/M, gde je 1 <= I <= M.").arg(*t);
        s.Deo = static_cast<std::int64_t>(v);
        s.Delova = static_cast<std::int64_t>(m);
    }
    if (const QString* t = opcija("--prevodjenje")) {
        if (!skem::ProcitajPrevodjenje(t->toStdString(), s.Prevodjenje))
            return QStringLiteral("Opcija --prevodjenje %1: ocekuje se da, ne ili auto.").arg(*t);
        std::string razlog;
        if (s.Prevodjenje == skem::TPrevodjenje::Da && !skem::PrevodilacDostupan(&razlog))
            return QStringLiteral("Opcija --prevodjenje da: prevodjenje modela nije moguce (%1).")
                .arg(QString::fromStdString(razlog));
    }
    if (const QString* t = opcija("--output")) s.Izlaz = *t;
    if (const QString* t = opcija("--output-dir")) s.Direktorijum = *t;
    const std::string greska = s.Plan.Proveri();
    if (!greska.empty()) return QString::fromStdString(greska);
    return {};
}

// A series rather than one run: anything that makes or slices more runs.
bool JeSerija(const TArgumenti& a) {
    if (a.Ponovljene.count(QStringLiteral("--sweep"))) return true;
    for (const char* ime : {"--runs", "--part", "--output-dir"})
        if (a.Opcije.count(QLatin1String(ime))) return true;
    return false;
}

// Qt's own notes (a missing XDG_RUNTIME_DIR on a server, say) would mix with
// the messages a script reads on stderr; only its real errors pass.
void SamoOzbiljnePoruke(QtMsgType vrsta, const QMessageLogContext&, const QString& tekst) {
    if (vrsta == QtCriticalMsg || vrsta == QtFatalMsg)
        std::fprintf(stderr, "%s\n", tekst.toLocal8Bit().constData());
}

// The batch options and the exit codes, in both usage texts.
const char* const OpcijePaketno =
    "  --duration D   duzina trajanja simulacije\n"
    "  --step H       interval integracije\n"
    "  --print P      interval stampanja rezultata\n"
    "  --output F     rezultati (CSV) u fajl F; bez nje na standardni izlaz\n"
    "  --set N.pK=V   u ovoj simulaciji parametar K (1..3) bloka N ima vrednost V;\n"
    "                 N.oJ=V: ordinata J (0..10) generatora funkcija N; moze vise puta,\n"
    "                 dokument se ne menja\n"
    "  --sweep N.pK=A:B:C | N.pK=V1,V2,...\n"
    "                 niz simulacija: C vrednosti od A do B (oba ukljucena) ili navedene\n"
    "                 vrednosti; vise opcija --sweep daje punu mrezu (prva se menja\n"
    "                 najsporije); CSV: run,<N.pK...>,t,<kolone>\n"
    "  --runs R       R simulacija za svaku tacku mreze (generator slucajnih brojeva)\n"
    "  --seed S       seme (0..18446744073709551615): simulacija r seje generatore iz S i r,\n"
    "                 pa ista komanda daje iste brojeve; bez nje ih seje sat\n"
    "  --jobs J       J simulacija istovremeno (podrazumevano: broj jezgara)\n"
    "  --part I/M     samo I-ti od M jednakih delova niza (sa globalnim brojevima run)\n"
    "  --output-dir D jedan CSV po simulaciji (run-<r>.csv) i indeks.csv u direktorijumu D\n"
    "  --prevodjenje da|ne|auto\n"
    "                 prevodjenje modela u masinski kod za duge simulacije (isti rezultati):\n"
    "                 auto (podrazumevano) kad se isplati, da uvek, ne nikad\n";
const char* const IzlazniKodovi =
    "Izlazni kod: 0 uspeh, 1 model odbijen, simulacija prekinuta greskom ili sa Ctrl+C,\n"
    "2 neispravni argumenti ili opcije.\n";

// Runs `izvrsi` on the arguments after the program's name, with standard
// output and standard error, both flushed before the exit code is returned.
int NaKomandnojLiniji(int argc, char** argv,
                      int (*izvrsi)(const QStringList&, QTextStream&, QTextStream&)) {
    QStringList argumenti;
    for (int i = 1; i < argc; ++i)
        argumenti << QString::fromLocal8Bit(argv[i]);
    QTextStream izlaz(stdout);
    QTextStream greske(stderr);
    const int kod = izvrsi(argumenti, izlaz, greske);
    izlaz.flush();
    greske.flush();
    return kod;
}

} // namespace

QString UpotrebaPaketno() {
    return QStringLiteral("Upotreba: skem --run FAJL.skem --duration D --step H --print P "
                          "[--output IZLAZ.csv | --output-dir DIR]\n"
                          "                 [--set N.pK=V]... [--sweep N.pK=A:B:C]... [--runs R] "
                          "[--seed S]\n"
                          "                 [--jobs J] [--part I/M] [--prevodjenje da|ne|auto]\n") +
           QLatin1String(OpcijePaketno) + QLatin1String(IzlazniKodovi);
}

QString UpotrebaPrograma() {
    return QStringLiteral(
               "Upotreba: skem [FAJL.skem]\n"
               "       skem --version | --help\n"
               "       skem --run FAJL.skem --duration D --step H --print P "
               "[--output IZLAZ.csv | --output-dir DIR]\n"
               "                 [--set N.pK=V]... [--sweep N.pK=A:B:C]... [--runs R] "
               "[--seed S]\n"
               "                 [--jobs J] [--part I/M] [--prevodjenje da|ne|auto]\n"
               "Bez opcija otvara editor blok dijagrama, sa dokumentom FAJL.skem ako "
               "je naveden.\n"
               "  --version      ispisuje verziju programa\n"
               "  --help         ispisuje ovo uputstvo\n"
               "  --run FAJL     simulira dokument bez ijednog prozora (paketni rad)\n") +
           QLatin1String(OpcijePaketno) + QLatin1String(IzlazniKodovi);
}

QString VerzijaPrograma() {
    return QStringLiteral("SKEM " SKEM_VERZIJA);
}

int IzvrsiOpcijePrograma(const QStringList& argumenti, QTextStream& izlaz, QTextStream& greske) {
    for (const QString& arg : argumenti) {
        if (arg == QLatin1String("--version")) {
            izlaz << VerzijaPrograma() << '\n';
            return ikUspeh;
        }
        if (arg == QLatin1String("--help")) {
            izlaz << UpotrebaPrograma();
            return ikUspeh;
        }
        // Qt's own options begin with one dash and stay Qt's.
        if (arg.startsWith(QLatin1String("--"))) {
            greske << (arg == QLatin1String("--run")
                           ? QStringLiteral("Opcija --run mora biti prvi argument.")
                           : QStringLiteral("Nepoznata opcija %1.").arg(arg))
                   << '\n'
                   << UpotrebaPrograma();
            return ikUpotreba;
        }
    }
    return PokreniEditor;
}

int PokreniOpcijePrograma(int argc, char** argv) {
    return NaKomandnojLiniji(argc, argv, IzvrsiOpcijePrograma);
}

int IzvrsiPaketno(const QStringList& argumenti, QTextStream& izlaz, QTextStream& greske,
                  bool napredak, const std::atomic<bool>* zaustavi) {
    TPaketniDijalozi dijalozi(greske);

    TArgumenti a;
    const QString greskaArgumenata = RasclaniArgumente(argumenti, a);
    if (!greskaArgumenata.isEmpty()) {
        greske << greskaArgumenata << '\n' << UpotrebaPaketno();
        return ikUpotreba;
    }

    // The options dialog's checks, in its order and with its messages.
    TSerijaPaketno serija;
    const skem::TRezultatProvere provera =
        skem::ProveriOpcije(a.Opcije[QStringLiteral("--duration")].toStdString(),
                            a.Opcije[QStringLiteral("--step")].toStdString(),
                            a.Opcije[QStringLiteral("--print")].toStdString(), serija.Opcije);
    if (provera.Provera != 0) {
        greske << QString::fromStdString(provera.Poruka) << '\n';
        return ikUpotreba;
    }
    if (const QString greska = ProcitajSeriju(a, serija); !greska.isEmpty()) {
        greske << greska << '\n';
        return ikUpotreba;
    }
    serija.Napredak = napredak;
    serija.Zaustavi = zaustavi;

    try {
        // Refused before a huge results matrix is even attempted.
        skem::BrojIntervalaStampe(serija.Opcije.Trajanje, serija.Opcije.IntervalStampanja);

        // Read once; every run works on its own copy of these blocks.
        TSKEMRadnaPovrsina povrsina;
        UcitajDokument(povrsina, a.Dokument);
        std::vector<const skem::TBlokPogled*> blokovi;
        std::vector<skem::TOsobineKopije> osobine;
        for (const TSKEMBlok* b : povrsina.Blokovi()) {
            blokovi.push_back(b);
            osobine.push_back({b->brparam, b->Ordinate.has_value()});
            serija.Kolone.push_back({b->LokalniBroj(), b->Naziv.toStdString(), b->Sifra});
        }
        serija.Osnova = skem::TKopijaModela(blokovi, osobine);

        const auto proveriCilj = [&](const char* opcija, const skem::TCiljIzmene& cilj,
                                     const QString& arg) {
            const std::string greska = serija.Osnova.ProveriCilj(cilj);
            if (!greska.empty())
                greske << QStringLiteral("Opcija %1 %2: %3")
                              .arg(QLatin1String(opcija), arg, QString::fromStdString(greska))
                       << '\n';
            return greska.empty();
        };
        const bool serijski = JeSerija(a);
        const QStringList postavke = a.Ponovljene[QStringLiteral("--set")];
        for (std::size_t i = 0; i < serija.Plan.Postavke.size(); ++i)
            if (!proveriCilj("--set", serija.Plan.Postavke[i].Cilj, postavke[qsizetype(i)]))
                return ikUpotreba;
        const QStringList promenljive = a.Ponovljene[QStringLiteral("--sweep")];
        for (std::size_t i = 0; i < serija.Plan.Promenljive.size(); ++i)
            if (!proveriCilj("--sweep", serija.Plan.Promenljive[i].Cilj, promenljive[qsizetype(i)]))
                return ikUpotreba;

        if (!serijski) return IzvrsiJednu(serija, izlaz, greske);

        // The model is checked once, with the fixed overrides, before any run.
        skem::TKopijaModela model(serija.Osnova);
        for (const skem::TPostavka& p : serija.Plan.Postavke)
            model.Postavi(p.Cilj, p.Vrednost);
        TPaketnePoruke poruke(greske);
        skem::TSimulacija provera(nullptr, &poruke);
        if (!provera.Proveri(model.Lista())) return ikNeuspeh;
        return IzvrsiSeriju(serija, izlaz, greske);
    } catch (const TGreskaDokumenta& g) {
        greske << g.Poruka() << '\n';
    } catch (const skem::TGreskaSimulacije& g) {
        greske << QStringLiteral("Greska: ") << QString::fromStdString(g.what()) << '\n';
    } catch (const std::exception& g) {
        greske << QString::fromUtf8(g.what()) << '\n';
    }
    return ikNeuspeh;
}

namespace {

std::atomic<bool> zahtevZaustavljanja{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void NaSignalZaustavi(int) {
    zahtevZaustavljanja.store(true, std::memory_order_relaxed);
}

} // namespace

const std::atomic<bool>& ZaustavljanjeNaSignal() {
    static const bool postavljeno = [] {
        struct sigaction a {};
        a.sa_handler = NaSignalZaustavi;
        sigemptyset(&a.sa_mask);
        // Writes interrupted by the signal go on; a second signal kills.
        a.sa_flags = SA_RESTART | SA_RESETHAND;
        sigaction(SIGINT, &a, nullptr);
        sigaction(SIGTERM, &a, nullptr);
        return true;
    }();
    (void)postavljeno;
    return zahtevZaustavljanja;
}

int PokreniPaketno(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(SamoOzbiljnePoruke);
    // Qt gets no arguments: a document may be named like a Qt option.
    int qtArgc = 1;
    QApplication aplikacija(qtArgc, argv);
    // The progress line is for a person watching, not for a script's log.
    return NaKomandnojLiniji(argc, argv,
                             [](const QStringList& a, QTextStream& izlaz, QTextStream& greske) {
                                 return IzvrsiPaketno(a, izlaz, greske, isatty(STDERR_FILENO) != 0,
                                                      &ZaustavljanjeNaSignal());
                             });
}
