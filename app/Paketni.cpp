#include "Paketni.h"

#include "CsvRezultata.h"
#include "Dijalozi.h"
#include "Dokument.h"
#include "Obrada.h"
#include "OpcijeProvera.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"

#include <QApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace {

enum TIzlazniKod { ikUspeh = 0, ikNeuspeh = 1, ikUpotreba = 2 };

// The options the command line gave, already checked.
class TPaketneOpcije : public skem::TIzvorOpcija {
public:
    explicit TPaketneOpcije(const skem::TOpcijeSimulacije& o) : opcije(o) {}
    bool PitajOpcije(skem::TOpcijeSimulacije& o) override {
        o = opcije;
        return true;
    }

private:
    skem::TOpcijeSimulacije opcije;
};

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
    std::map<QString, QString> Opcije; // "--duration" -> "10"
};

const QStringList& PoznateOpcije() {
    static const QStringList opcije = {QStringLiteral("--duration"), QStringLiteral("--step"),
                                       QStringLiteral("--print"), QStringLiteral("--output")};
    return opcije;
}

// Returns an empty text when the arguments are usable, otherwise what is wrong.
QString RasclaniArgumente(const QStringList& argumenti, TArgumenti& a) {
    QStringList ostali = argumenti;
    if (!ostali.isEmpty() && ostali.first() == QLatin1String("--run")) ostali.removeFirst();
    for (qsizetype i = 0; i < ostali.size(); ++i) {
        const QString& arg = ostali[i];
        if (PoznateOpcije().contains(arg)) {
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
    return {};
}

bool UpisiIzlaz(const QString& imeFajla, const QByteArray& sadrzaj, QTextStream& greske) {
    // Written beside the target and renamed over it only when complete.
    QSaveFile f(imeFajla);
    if (f.open(QIODevice::WriteOnly) && f.write(sadrzaj) == sadrzaj.size() && f.commit())
        return true;
    greske << QStringLiteral("Fajl '%1' ne moze da se snimi: %2").arg(imeFajla, f.errorString())
           << '\n';
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
    "  --output F     rezultati (CSV) u fajl F; bez nje na standardni izlaz\n";
const char* const IzlazniKodovi =
    "Izlazni kod: 0 uspeh, 1 model odbijen ili simulacija prekinuta greskom,\n"
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
                          "[--output IZLAZ.csv]\n") +
           QLatin1String(OpcijePaketno) + QLatin1String(IzlazniKodovi);
}

QString UpotrebaPrograma() {
    return QStringLiteral(
               "Upotreba: skem [FAJL.skem]\n"
               "       skem --version | --help\n"
               "       skem --run FAJL.skem --duration D --step H --print P "
               "[--output IZLAZ.csv]\n"
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

int IzvrsiPaketno(const QStringList& argumenti, QTextStream& izlaz, QTextStream& greske) {
    TPaketniDijalozi dijalozi(greske);

    TArgumenti a;
    const QString greskaArgumenata = RasclaniArgumente(argumenti, a);
    if (!greskaArgumenata.isEmpty()) {
        greske << greskaArgumenata << '\n' << UpotrebaPaketno();
        return ikUpotreba;
    }

    // The options dialog's checks, in its order and with its messages.
    skem::TOpcijeSimulacije opcije;
    const skem::TRezultatProvere provera =
        skem::ProveriOpcije(a.Opcije[QStringLiteral("--duration")].toStdString(),
                            a.Opcije[QStringLiteral("--step")].toStdString(),
                            a.Opcije[QStringLiteral("--print")].toStdString(), opcije);
    if (provera.Provera != 0) {
        greske << QString::fromStdString(provera.Poruka) << '\n';
        return ikUpotreba;
    }

    try {
        // Refused before a huge results matrix is even attempted.
        skem::BrojIntervalaStampe(opcije.Trajanje, opcije.IntervalStampanja);

        TSKEMRadnaPovrsina povrsina;
        UcitajDokument(povrsina, a.Dokument);

        std::vector<const skem::TBlokPogled*> blokovi;
        std::vector<skem::TBlokRezultata> kolone;
        for (const TSKEMBlok* b : povrsina.Blokovi()) {
            blokovi.push_back(b);
            kolone.push_back({b->LokalniBroj(), b->Naziv.toStdString(), b->Sifra});
        }

        TPaketneOpcije izvor(opcije);
        TPaketnePoruke poruke(greske);
        skem::TSimulacija simulacija(&izvor, &poruke);
        skem::MatrixReal rezultati;
        simulacija.Simuliraj(blokovi, rezultati);
        if (!simulacija.Uspeh()) return ikNeuspeh; // its message is already out

        const std::string csv =
            skem::NapraviCsv(kolone, rezultati, opcije.Trajanje, opcije.IntervalStampanja);
        const auto izlazOpcija = a.Opcije.find(QStringLiteral("--output"));
        if (izlazOpcija != a.Opcije.end()) {
            if (!UpisiIzlaz(izlazOpcija->second, QByteArray::fromStdString(csv), greske))
                return ikNeuspeh;
        } else {
            izlaz << QString::fromStdString(csv);
            izlaz.flush();
        }
        return ikUspeh;
    } catch (const TGreskaDokumenta& g) {
        greske << g.Poruka() << '\n';
    } catch (const skem::TGreskaSimulacije& g) {
        greske << QStringLiteral("Greska: ") << QString::fromStdString(g.what()) << '\n';
    } catch (const std::exception& g) {
        greske << QString::fromUtf8(g.what()) << '\n';
    }
    return ikNeuspeh;
}

int PokreniPaketno(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(SamoOzbiljnePoruke);
    // Qt gets no arguments: a document may be named like a Qt option.
    int qtArgc = 1;
    QApplication aplikacija(qtArgc, argv);
    return NaKomandnojLiniji(argc, argv, IzvrsiPaketno);
}
