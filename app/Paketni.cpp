#include "Paketni.h"

#include "Brojevi.h"
#include "CsvRezultata.h"
#include "ModelDokumenta.h"
#include "Obrada.h"
#include "OpcijeProvera.h"
#include "PaketniSerija.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <optional>
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

struct TArgumenti {
    QString Dokument;
    std::map<QString, QString> Opcije;         // "--duration" -> "10"
    std::map<QString, QStringList> Ponovljene; // "--set" -> {"3.p1=2", ...}
};

const QStringList& PoznateOpcije() {
    static const QStringList opcije = {
        QStringLiteral("--duration"),    QStringLiteral("--step"),       QStringLiteral("--print"),
        QStringLiteral("--output"),      QStringLiteral("--output-dir"), QStringLiteral("--runs"),
        QStringLiteral("--seed"),        QStringLiteral("--jobs"),       QStringLiteral("--part"),
        QStringLiteral("--prevodjenje"), QStringLiteral("--metod"),      QStringLiteral("--rtol"),
        QStringLiteral("--atol"),        QStringLiteral("--izmene")};
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
    // An empty name would quietly mean the output stream.
    for (const char* ime : {"--output", "--output-dir"}) {
        const auto i = a.Opcije.find(QLatin1String(ime));
        if (i != a.Opcije.end() && i->second.isEmpty())
            return QStringLiteral("Vrednost opcije %1 je prazna.").arg(QLatin1String(ime));
    }
    return {};
}

enum class TCeoBroj { Ispravan, Neispravan, Prevelik };

// A whole number from min up to max; Prevelik for digits beyond max.
TCeoBroj CeoBroj(const QString& tekst, std::uint64_t min, std::uint64_t max, std::uint64_t& v) {
    const std::string t = tekst.toStdString();
    const auto [kraj, greska] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || kraj != t.data() + t.size()) return TCeoBroj::Neispravan;
    if (greska == std::errc::result_out_of_range || (greska == std::errc() && v > max))
        return TCeoBroj::Prevelik;
    return greska == std::errc() && v >= min ? TCeoBroj::Ispravan : TCeoBroj::Neispravan;
}

QString PorukaPrevelik(const char* opcija, const QString& tekst, const char* sta,
                       std::uint64_t max) {
    return QStringLiteral("Opcija %1 %2: %3 je prevelik (najvise %4).")
        .arg(QLatin1String(opcija), tekst, QLatin1String(sta))
        .arg(max);
}

int NoviBrojZamene() {
    static std::atomic<int> poslednji{0};
    return --poslednji;
}

// Reads an override as `citaj` does; one whose target is a path or a caption
// is read for its values, its target named in Cilj.Ime and found once the
// document is read (NadjiCiljeve). Each such target has a block number of
// its own below zero meanwhile, so none counts as named twice.
template <class T, class F>
std::string SaCiljemIzDokumenta(const std::string& tekst, T& t, F citaj) {
    const auto jednako = tekst.find('=');
    if (jednako == std::string::npos ||
        !skem::JeCiljPoPutanji(std::string_view(tekst).substr(0, jednako)))
        return citaj(tekst, t);
    if (std::string greska = citaj("1.p1" + tekst.substr(jednako), t); !greska.empty())
        return greska;
    t.Cilj = skem::TCiljIzmene{NoviBrojZamene(), false, 1, tekst.substr(0, jednako)};
    return {};
}

// Every target found in the document's flat view ("5.p1" is the block
// numbered 5 at the top, which inside a hierarchy is not the 5th listed),
// then checked as before. Empty when all are there, else the message.
QString NadjiCiljeve(const skem::TModelDokumenta& model, const skem::TRavanModel& ravan,
                     const TArgumenti& a, skem::TPlanSerije& plan) {
    const auto nadji = [&](const char* opcija, const QString& arg, skem::TCiljIzmene& cilj) {
        const std::string ime = cilj.Naziv();
        std::string greska = skem::NadjiCilj(model, ravan, ime, cilj);
        if (greska.empty()) greska = ravan.Kopija.ProveriCilj(cilj);
        return greska.empty()
                   ? QString()
                   : QStringLiteral("Opcija %1 %2: %3")
                         .arg(QLatin1String(opcija), arg, QString::fromStdString(greska));
    };
    const auto argumenti = [&a](const char* ime) {
        const auto i = a.Ponovljene.find(QLatin1String(ime));
        return i == a.Ponovljene.end() ? QStringList() : i->second;
    };
    const QStringList postavke = argumenti("--set"), promenljive = argumenti("--sweep");
    for (std::size_t i = 0; i < plan.Postavke.size(); ++i)
        if (QString g = nadji("--set", postavke[qsizetype(i)], plan.Postavke[i].Cilj); !g.isEmpty())
            return g;
    for (std::size_t i = 0; i < plan.Promenljive.size(); ++i)
        if (QString g = nadji("--sweep", promenljive[qsizetype(i)], plan.Promenljive[i].Cilj);
            !g.isEmpty())
            return g;
    return QString::fromStdString(plan.Proveri());
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
        const std::string greska =
            SaCiljemIzDokumenta(arg.toStdString(), p, skem::ProcitajPostavku);
        if (!greska.empty())
            return QStringLiteral("Opcija --set %1: %2").arg(arg, QString::fromStdString(greska));
        s.Plan.Postavke.push_back(p);
    }
    for (const QString& arg : ponovljene("--sweep")) {
        skem::TPromenljiva p;
        const std::string greska =
            SaCiljemIzDokumenta(arg.toStdString(), p, skem::ProcitajPromenljivu);
        if (!greska.empty())
            return QStringLiteral("Opcija --sweep %1: %2").arg(arg, QString::fromStdString(greska));
        s.Plan.Promenljive.push_back(p);
    }
    std::uint64_t v = 0;
    if (const QString* t = opcija("--runs")) {
        const TCeoBroj ceo = CeoBroj(*t, 1, skem::MaksSimulacija, v);
        if (ceo == TCeoBroj::Prevelik)
            return PorukaPrevelik("--runs", *t, "broj simulacija", skem::MaksSimulacija);
        if (ceo != TCeoBroj::Ispravan)
            return QStringLiteral("Opcija --runs %1: broj simulacija mora biti pozitivan ceo broj.")
                .arg(*t);
        s.Plan.Ponavljanja = static_cast<std::int64_t>(v);
    }
    if (const QString* t = opcija("--seed")) {
        if (CeoBroj(*t, 0, UINT64_MAX, v) != TCeoBroj::Ispravan)
            return QStringLiteral("Opcija --seed %1: seme mora biti ceo broj od 0 do %2.")
                .arg(*t)
                .arg(UINT64_MAX);
        s.Plan.Seme = v;
    }
    s.Niti = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (const QString* t = opcija("--jobs")) {
        const TCeoBroj ceo = CeoBroj(*t, 1, 1024, v);
        if (ceo == TCeoBroj::Prevelik)
            return PorukaPrevelik("--jobs", *t, "broj istovremenih simulacija", 1024);
        if (ceo != TCeoBroj::Ispravan)
            return QStringLiteral("Opcija --jobs %1: broj istovremenih simulacija mora biti ceo "
                                  "broj od 1 do 1024.")
                .arg(*t);
        s.Niti = static_cast<int>(v);
    }
    if (const QString* t = opcija("--part")) {
        const QStringList delovi = t->split(QLatin1Char('/'));
        std::uint64_t m = 0;
        const TCeoBroj ceo = delovi.size() == 2 ? CeoBroj(delovi[1], 1, skem::MaksSimulacija, m)
                                                : TCeoBroj::Neispravan;
        if (ceo == TCeoBroj::Prevelik)
            return PorukaPrevelik("--part", *t, "broj delova", skem::MaksSimulacija);
        if (ceo != TCeoBroj::Ispravan || CeoBroj(delovi[0], 1, m, v) != TCeoBroj::Ispravan)
            return QStringLiteral("Opcija --part %1: ocekuje se I/M, gde je 1 <= I <= M.").arg(*t);
        s.Deo = static_cast<std::int64_t>(v);
        s.Delova = static_cast<std::int64_t>(m);
    }
    // Qt writes file names as UTF-8: a name whose bytes are not cannot be made.
    for (const char* ime : {"--output", "--output-dir"})
        if (const QString* t = opcija(ime); t && ImeUBajtovima(*t) != QFile::encodeName(*t))
            return QStringLiteral("Opcija %1 %2: ime nije ispravan UTF-8 tekst.")
                .arg(QLatin1String(ime), *t);
    if (const QString* t = opcija("--prevodjenje")) {
        if (!skem::ProcitajPrevodjenje(t->toStdString(), s.Prevodjenje))
            return QStringLiteral("Opcija --prevodjenje %1: ocekuje se da, ne ili auto.").arg(*t);
        std::string razlog;
        if (s.Prevodjenje == skem::TPrevodjenje::Da && !skem::PrevodilacDostupan(&razlog))
            return QStringLiteral("Opcija --prevodjenje da: prevodjenje modela nije moguce (%1).")
                .arg(QString::fromStdString(razlog));
    }
    if (const QString* t = opcija("--izmene")) {
        QFile fajl(*t);
        if (!fajl.open(QIODevice::ReadOnly))
            return QStringLiteral("Opcija --izmene %1: fajl ne moze da se otvori: %2")
                .arg(*t, fajl.errorString());
        // Up to one byte past the limit: a device or a FIFO has no size to ask.
        constexpr qint64 NajviseBajtova = qint64(64) << 20;
        const QByteArray tekst = fajl.read(NajviseBajtova + 1);
        if (fajl.error() != QFileDevice::NoError)
            return QStringLiteral("Opcija --izmene %1: fajl ne moze da se procita: %2")
                .arg(*t, fajl.errorString());
        if (tekst.size() > NajviseBajtova)
            return QStringLiteral("Opcija --izmene %1: fajl je veci od %2 MB.")
                .arg(*t)
                .arg(NajviseBajtova >> 20);
        const std::string greska =
            skem::ProcitajIzmene(std::string_view(tekst.constData(), std::size_t(tekst.size())),
                                 s.Izmene, &s.RedoviIzmena);
        if (!greska.empty())
            return QStringLiteral("Opcija --izmene %1: %2").arg(*t, QString::fromStdString(greska));
    }
    if (const QString* t = opcija("--output")) s.Izlaz = *t;
    if (const QString* t = opcija("--output-dir")) s.Direktorijum = *t;
    const std::string greska = s.Plan.Proveri();
    if (!greska.empty()) return QString::fromStdString(greska);
    return {};
}

// The method as the command line gives it; what it leaves out comes from the
// document, else the defaults.
struct TMetodArgumenata {
    std::optional<skem::TMetodIntegracije> Metod;
    std::optional<double> Relativna, Apsolutna;
};

// An empty text when --metod, --rtol and --atol are usable, else what is wrong.
QString ProcitajMetodArgumenata(const TArgumenti& a, TMetodArgumenata& m) {
    const auto i = a.Opcije.find(QStringLiteral("--metod"));
    if (i != a.Opcije.end()) {
        skem::TMetodIntegracije metod{};
        if (!skem::ProcitajMetod(i->second.toStdString(), metod))
            return QStringLiteral("Opcija --metod %1: ocekuje se rk4, dp45 ili bdf.")
                .arg(i->second);
        m.Metod = metod;
    }
    const auto r = a.Opcije.find(QStringLiteral("--rtol"));
    const auto at = a.Opcije.find(QStringLiteral("--atol"));
    if (r == a.Opcije.end() && at == a.Opcije.end()) return {};
    // The dialog's checks and messages; an option left out passes as the default.
    skem::TOpcijeSimulacije v;
    const skem::TRezultatProvere provera =
        skem::ProveriTolerancije(r == a.Opcije.end() ? "1" : r->second.toStdString(),
                                 at == a.Opcije.end() ? "1" : at->second.toStdString(), v);
    if (provera.Provera != 0) return QString::fromStdString(provera.Poruka);
    if (r != a.Opcije.end()) m.Relativna = v.RelativnaTolerancija;
    if (at != a.Opcije.end()) m.Apsolutna = v.ApsolutnaTolerancija;
    return {};
}

// The run's method: the command line's, else the document's, else RK4.
QString PrimeniMetod(const TMetodArgumenata& m,
                     const std::optional<skem::TMetodDokumenta>& dokument,
                     skem::TOpcijeSimulacije& opcije) {
    const skem::TMetodDokumenta d = dokument.value_or(skem::TMetodDokumenta{});
    opcije.Metod = m.Metod.value_or(d.Metod);
    opcije.RelativnaTolerancija = m.Relativna.value_or(d.RelativnaTolerancija);
    opcije.ApsolutnaTolerancija = m.Apsolutna.value_or(d.ApsolutnaTolerancija);
    if (opcije.Metod == skem::TMetodIntegracije::RK4 && (m.Relativna || m.Apsolutna))
        return QStringLiteral("Opcije --rtol i --atol vaze samo uz metode dp45 i bdf.");
    return {};
}

// A series rather than one run: anything that makes or slices more runs.
bool JeSerija(const TArgumenti& a) {
    if (a.Ponovljene.count(QStringLiteral("--sweep"))) return true;
    for (const char* ime : {"--runs", "--part", "--output-dir"})
        if (a.Opcije.count(QLatin1String(ime))) return true;
    return false;
}

// The document read into the model; a name Qt cannot write back as it came
// is opened by its bytes.
skem::TProcitanModel ProcitajDokument(const QString& dokument, const std::atomic<bool>* zaustavi) {
    const QByteArray ime = ImeUBajtovima(dokument);
    if (ime == QFile::encodeName(dokument)) return skem::ProcitajModelIzFajla(dokument, zaustavi);
    const auto neOtvara = [&dokument](const QString& razlog) {
        return skem::TProcitanModel{
            {}, QStringLiteral("Fajl '%1' ne moze da se otvori: %2").arg(dokument, razlog)};
    };
    const int opisnik = ::open(ime.constData(), O_RDONLY | O_CLOEXEC);
    if (opisnik < 0) return neOtvara(qt_error_string(errno));
    QFile fajl;
    if (!fajl.open(opisnik, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(opisnik);
        return neOtvara(fajl.errorString());
    }
    return skem::ProcitajModelIzFajla(fajl, dokument, zaustavi);
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
    "                 dokument se ne menja; blok u podsistemu putanjom (3/2.p1=V),\n"
    "                 parametar podsistema natpisom (3.Masa=V)\n"
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
    "  --izmene F     izmene parametara tokom simulacije iz CSV fajla F (t,parametar,vrednost;\n"
    "                 npr. 5,1.p1,-9: od prvog koraka posle t = 5 parametar 1 bloka 1 je -9)\n"
    "  --prevodjenje da|ne|auto\n"
    "                 prevodjenje modela u masinski kod za duge simulacije (isti rezultati):\n"
    "                 auto (podrazumevano) kad se isplati, da uvek, ne nikad (samo rk4)\n"
    "  --metod rk4|dp45|bdf\n"
    "                 metod integracije: rk4 Runge-Kutta 4 sa fiksnim korakom\n"
    "                 (podrazumevano), dp45 Dormand-Prince 5(4) sa promenljivim korakom,\n"
    "                 bdf za krute sisteme; uz dp45 i bdf je H najveci dozvoljeni korak;\n"
    "                 bez nje vazi metod sacuvan u dokumentu\n"
    "  --rtol R       relativna tolerancija metoda dp45 i bdf (podrazumevano 1E-6)\n"
    "  --atol A       apsolutna tolerancija metoda dp45 i bdf (podrazumevano 1E-9)\n";
const char* const IzlazniKodovi =
    "Izlazni kod: 0 uspeh, 1 model odbijen, simulacija prekinuta greskom ili sa Ctrl+C,\n"
    "2 neispravni argumenti ili opcije.\n";

// Runs `izvrsi` on the arguments after the program's name, with standard
// output and standard error, both flushed before the exit code is returned.
// Standard output is written unbuffered to its descriptor, so a failed write
// tells its reason at once; closing a copy of the descriptor at the end lets
// the system report a write it took but could not finish (NFS, say). A
// failure there after an otherwise successful run gives exit code 1.
int NaKomandnojLiniji(int argc, char** argv,
                      int (*izvrsi)(const QStringList&, QTextStream&, QTextStream&)) {
    std::fflush(stdout);
    QFile standardniIzlaz;
    standardniIzlaz.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered,
                         QFileDevice::DontCloseHandle);
    QTextStream izlaz(&standardniIzlaz);
    QTextStream greske(stderr);
    int kod = izvrsi(ArgumentiKomandneLinije(argc, argv), izlaz, greske);
    izlaz.flush();
    QString razlog;
    if (izlaz.status() != QTextStream::Ok || standardniIzlaz.error() != QFileDevice::NoError) {
        razlog = standardniIzlaz.errorString();
    } else if (const int kopija = ::dup(STDOUT_FILENO); kopija >= 0 && ::close(kopija) != 0) {
        razlog = qt_error_string(errno);
    }
    if (!razlog.isEmpty() && kod == ikUspeh) {
        greske << PorukaStandardnogIzlaza(razlog) << '\n';
        kod = ikNeuspeh;
    }
    greske.flush();
    return kod;
}

} // namespace

QString ArgumentKomandneLinije(const QByteArray& bajtovi) {
    QString tekst = QString::fromUtf8(bajtovi);
    if (tekst.toUtf8() == bajtovi) return tekst;
    // Byte by byte: every whole UTF-8 character as it is, every other byte
    // b >= 0x80 as the lone surrogate 0xDC00 + b, which no UTF-8 text gives.
    tekst.clear();
    for (qsizetype i = 0; i < bajtovi.size();) {
        const auto c = static_cast<unsigned char>(bajtovi[i]);
        const qsizetype duzina = c < 0x80         ? 1
                                 : (c >> 5) == 6  ? 2
                                 : (c >> 4) == 14 ? 3
                                 : (c >> 3) == 30 ? 4
                                                  : 0;
        if (duzina > 0 && i + duzina <= bajtovi.size()) {
            const QByteArray znak = bajtovi.mid(i, duzina);
            const QString z = QString::fromUtf8(znak);
            if (z.toUtf8() == znak) {
                tekst += z;
                i += duzina;
                continue;
            }
        }
        tekst += QChar(char16_t(0xDC00 + c));
        ++i;
    }
    return tekst;
}

QByteArray ImeUBajtovima(const QString& ime) {
    QByteArray bajtovi;
    qsizetype pocetak = 0;
    for (qsizetype i = 0; i < ime.size(); ++i) {
        const char16_t z = ime[i].unicode();
        if (z < 0xDC80 || z > 0xDCFF || (i > 0 && ime[i - 1].isHighSurrogate())) continue;
        bajtovi += ime.mid(pocetak, i - pocetak).toUtf8();
        bajtovi += static_cast<char>(z - 0xDC00);
        pocetak = i + 1;
    }
    return bajtovi + ime.mid(pocetak).toUtf8();
}

QStringList ArgumentiKomandneLinije(int argc, char** argv) {
    QStringList argumenti;
    for (int i = 1; i < argc; ++i)
        argumenti << ArgumentKomandneLinije(QByteArray(argv[i]));
    return argumenti;
}

QString UpotrebaPaketno() {
    return QStringLiteral(
               "Upotreba: skem --run FAJL.skem --duration D --step H --print P "
               "[--output IZLAZ.csv | --output-dir DIR]\n"
               "                 [--set N.pK=V]... [--sweep N.pK=A:B:C]... [--runs R] "
               "[--seed S]\n"
               "                 [--jobs J] [--part I/M] [--prevodjenje da|ne|auto]\n"
               "                 [--metod rk4|dp45|bdf] [--rtol R] [--atol A] [--izmene F]\n") +
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
               "                 [--metod rk4|dp45|bdf] [--rtol R] [--atol A] [--izmene F]\n"
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
    TMetodArgumenata metod;
    if (const QString greska = ProcitajMetodArgumenata(a, metod); !greska.isEmpty()) {
        greske << greska << '\n';
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

        // Read once into the document model; every run works on its own
        // copy of these blocks. The model itself is dropped before the runs.
        {
            const skem::TProcitanModel procitan = ProcitajDokument(a.Dokument, zaustavi);
            if (procitan.Greska) {
                // Ctrl+C while the document was read.
                greske << (zaustavi && zaustavi->load()
                               ? QString::fromLatin1(skem::TSimulacija::PorukaPrekinuta)
                               : *procitan.Greska)
                       << '\n';
                return ikNeuspeh;
            }
            if (const QString greska =
                    PrimeniMetod(metod, procitan.Model.MetodIntegracije, serija.Opcije);
                !greska.isEmpty()) {
                greske << greska << '\n';
                return ikUpotreba;
            }
            // Subsystems are opened and their ports joined up here, once;
            // the runs see a flat model whose blocks are named by path.
            skem::TRavanModel ravan = skem::RavanModel(procitan.Model);
            if (const QString g = NadjiCiljeve(procitan.Model, ravan, a, serija.Plan);
                !g.isEmpty()) {
                greske << g << '\n';
                return ikUpotreba;
            }
            // The changes' targets as --set finds them: a path, a caption,
            // or a number at the top, each to its block in the flat view.
            for (std::size_t i = 0; i < serija.Izmene.size(); ++i) {
                skem::TIzmenaParametra& izmena = serija.Izmene[i];
                skem::TCiljIzmene cilj{izmena.Blok, false, izmena.Parametar, izmena.Ime};
                std::string greska = skem::NadjiCilj(procitan.Model, ravan, cilj.Naziv(), cilj);
                if (greska.empty() && cilj.Ordinata)
                    greska = "'" + cilj.Naziv() +
                             "' nije parametar; ocekuje se N.pK, putanja kao 3/2.p1 ili "
                             "natpis parametra podsistema kao 3.Masa.";
                if (greska.empty()) greska = ravan.Kopija.ProveriCilj(cilj);
                if (greska.empty()) {
                    izmena.Blok = cilj.Blok;
                    izmena.Parametar = cilj.Indeks;
                    continue;
                }
                greske << QStringLiteral("Opcija --izmene %1: Red %2: %3")
                              .arg(a.Opcije[QStringLiteral("--izmene")])
                              .arg(serija.RedoviIzmena[i])
                              .arg(QString::fromStdString(greska))
                       << '\n';
                return ikUpotreba;
            }
            serija.Kolone = std::move(ravan.Blokovi);
            serija.Osnova = std::move(ravan.Kopija);
        }
        const bool serijski = JeSerija(a);

        if (!serijski) return IzvrsiJednu(serija, izlaz, greske);

        // The model is checked once, with the fixed overrides, before any run.
        skem::TKopijaModela model(serija.Osnova);
        for (const skem::TPostavka& p : serija.Plan.Postavke)
            model.Postavi(p.Cilj, p.Vrednost);
        TPaketnePoruke poruke(greske);
        skem::TSimulacija provera(nullptr, &poruke);
        if (!provera.Proveri(model.Lista())) return ikNeuspeh;
        return IzvrsiSeriju(serija, izlaz, greske);
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
    // Ctrl+C is the batch's own from the start, before Qt is set up.
    ZaustavljanjeNaSignal();
    qInstallMessageHandler(SamoOzbiljnePoruke);
    // Qt Core alone (the system's locale, as in the editor): no platform
    // plugin, no display. Qt gets no arguments: a document may be named like
    // a Qt option.
    int qtArgc = 1;
    QCoreApplication aplikacija(qtArgc, argv);
    // The progress line is for a person watching, not for a script's log.
    return NaKomandnojLiniji(argc, argv,
                             [](const QStringList& a, QTextStream& izlaz, QTextStream& greske) {
                                 return IzvrsiPaketno(a, izlaz, greske, isatty(STDERR_FILENO) != 0,
                                                      &ZaustavljanjeNaSignal());
                             });
}
