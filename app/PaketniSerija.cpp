#include "PaketniSerija.h"

#include "Brojevi.h"
#include "ParalelniRad.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unistd.h>

namespace {

enum TIzlazniKod { ikUspeh = 0, ikNeuspeh = 1 };

using Sat = std::chrono::steady_clock;

// "run,3.p1,5.o2," then the single run's header.
std::string ZaglavljeDugeForme(const TSerijaPaketno& s) {
    std::string z = "run,";
    for (const skem::TPromenljiva& p : s.Plan.Promenljive)
        z += p.Cilj.Naziv() + ',';
    return z + skem::ZaglavljeCsv(s.Kolone);
}

// "12,0.5,3," : the run's number and its swept values, before each of its rows.
std::string Prefiks(const TSerijaPaketno& s, std::int64_t r) {
    std::string p = std::to_string(r) + ',';
    for (double v : s.Plan.Tacka(r))
        p += skem::RealanUTekst(v) + ',';
    return p;
}

// "3.p1=0.5, 5.o2=3" for a message; empty without sweeps.
QString OpisTacke(const TSerijaPaketno& s, std::int64_t r) {
    QStringList delovi;
    const std::vector<double> tacka = s.Plan.Tacka(r);
    for (std::size_t k = 0; k < tacka.size(); ++k)
        delovi << QString::fromStdString(s.Plan.Promenljive[k].Cilj.Naziv() + '=' +
                                         skem::RealanUTekst(tacka[k]));
    return delovi.join(QStringLiteral(", "));
}

QString Vreme(double sekundi) {
    const auto s = static_cast<long long>(sekundi + 0.5);
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// "Simulacija 12/64, proteklo 0:03, preostalo oko 0:13" rewritten in place,
// at most five times a second; messages go on lines of their own.
class TNapredak {
public:
    TNapredak(QTextStream& g, std::int64_t n, bool ukljucen)
        : greske(g), ukupno(n), ukljucen(ukljucen), pocetak(Sat::now()) {}

    void Korak(std::int64_t gotovo) {
        if (!ukljucen) return;
        const Sat::time_point sada = Sat::now();
        if (gotovo < ukupno && sada - poslednji < std::chrono::milliseconds(200)) return;
        poslednji = sada;
        const double proteklo = std::chrono::duration<double>(sada - pocetak).count();
        const double preostalo =
            proteklo / static_cast<double>(gotovo) * static_cast<double>(ukupno - gotovo);
        const QString red = QStringLiteral("Simulacija %1/%2, proteklo %3, preostalo oko %4")
                                .arg(gotovo)
                                .arg(ukupno)
                                .arg(Vreme(proteklo), Vreme(preostalo));
        greske << '\r' << red.leftJustified(duzina) << Qt::flush;
        duzina = static_cast<int>(red.size());
    }
    void Poruka(const QString& tekst) {
        Obrisi();
        greske << tekst << '\n' << Qt::flush;
    }
    void Kraj() {
        if (duzina > 0) greske << '\n' << Qt::flush;
        duzina = 0;
    }

private:
    void Obrisi() {
        if (duzina > 0) greske << '\r' << QString(duzina, QLatin1Char(' ')) << '\r';
        duzina = 0;
    }

    QTextStream& greske;
    std::int64_t ukupno;
    bool ukljucen;
    Sat::time_point pocetak;
    Sat::time_point poslednji{};
    int duzina = 0; // of the line now shown
};

// A thread's engine, stopped by the batch's flag, reused from run to run.
struct TRadnik {
    skem::TSimulacija Simulacija;
};

// Which block an element's error came from, said after its message when the
// document has subsystems (" (blok 3/2. Delitelj)"): there the flat number
// the engine knows is no number the user sees. A flat document's message
// stays as it is.
std::string BlokGreske(const std::vector<skem::TBlokRezultata>& kolone, int blok) {
    const bool hijerarhija =
        std::any_of(kolone.begin(), kolone.end(), [](const auto& k) { return !k.Putanja.empty(); });
    if (!hijerarhija || blok < 1 || size_t(blok) > kolone.size()) return {};
    return " (blok " + skem::OznakaBloka(kolone[size_t(blok) - 1]) + ")";
}

bool Zaustavljeno(const TSerijaPaketno& s) {
    return s.Zaustavi && s.Zaustavi->load(std::memory_order_relaxed);
}

// A run's rows formatted into the CSV as they come.
class TPrijemCsv : public skem::TPrijemRedova {
public:
    explicit TPrijemCsv(skem::TRedoviCsv& redovi) : redovi(redovi) {}
    void Red(std::int64_t k, const double* vrednosti) override { redovi.Red(k, vrednosti); }

private:
    skem::TRedoviCsv& redovi;
};

// Run r with its rows formatted as they come (the header is the caller's);
// every piece goes to `pisi`, which stops taking them once the batch is stopped.
skem::TIshodSimulacije Izvedi(const TSerijaPaketno& s, std::int64_t r, TRadnik& radnik,
                              const std::function<bool(std::string_view)>& pisi,
                              std::string prefiks = {}) {
    radnik.Simulacija.PostaviZaustavljanje(s.Zaustavi);
    // One compiled model serves every run of the slice; the choice weighs them all.
    const auto [od, doBroja] = skem::DeoSerije(s.Plan.BrojSimulacija(), s.Deo, s.Delova);
    radnik.Simulacija.PostaviPrevodjenje(s.Prevodjenje);
    radnik.Simulacija.PostaviIzmene(s.Izmene);
    radnik.Simulacija.PostaviRadovaSerije(doBroja - od + 1);
    skem::TRedoviCsv redovi(
        s.Kolone, s.Opcije.Trajanje, s.Opcije.IntervalStampanja,
        [&](std::string_view deo) { return !Zaustavljeno(s) && pisi(deo); }, std::move(prefiks));
    TPrijemCsv prijem(redovi);
    skem::TIshodSimulacije ishod =
        skem::IzvediSimulaciju(s.Plan, s.Osnova, r, s.Opcije, radnik.Simulacija, prijem);
    if (ishod.Uspeh) redovi.Zavrsi();
    if (!ishod.Uspeh && !ishod.Zaustavljena &&
        radnik.Simulacija.Prekid().Vrsta == skem::TStanjeRada::Greska)
        ishod.Poruka += BlokGreske(s.Kolone, radnik.Simulacija.Prekid().Blok);
    return ishod;
}

// All of `tekst` to the device; false, with the system's reason, when a write fails.
bool UpisiSve(QIODevice& uredjaj, std::string_view tekst, QString& razlog) {
    while (!tekst.empty()) {
        const qint64 n = uredjaj.write(tekst.data(), static_cast<qint64>(tekst.size()));
        if (n <= 0) {
            razlog = uredjaj.errorString();
            return false;
        }
        tekst.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Where a CSV goes: a file or, without a name, the output stream. A regular
// file (or a new one) is written beside the target and renamed over it only
// when whole; anything else (a device, a FIFO) is written into directly, never
// replaced. Every write is checked, and the first failure's reason is kept.
// Dropped without Zavrsi, an unfinished file is left out.
class TIzlaz {
public:
    TIzlaz(QTextStream& izlaz, const QString& imeFajla) : izlaz(izlaz), ime(imeFajla) {}

    // A file written beside the target and renamed over it: what is written
    // can still be taken back.
    static bool PrekoPrivremenog(const QString& ime) {
        if (ime.isEmpty()) return false;
        const QFileInfo info(ime);
        return !info.exists() || info.isFile() || info.isDir();
    }

    // False, with the message on the error stream, when the file cannot be opened.
    bool Otvori(QTextStream& greske) {
        if (ime.isEmpty()) return true;
        if (PrekoPrivremenog(ime))
            fajl = std::make_unique<QSaveFile>(ime);
        else
            fajl = std::make_unique<QFile>(ime);
        // Unbuffered: a failed write tells its reason at once.
        if (fajl->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return true;
        razlog = fajl->errorString();
        Poruka(greske);
        return false;
    }

    bool Pisi(std::string_view tekst) {
        if (!razlog.isEmpty()) return false;
        if (fajl) return UpisiSve(*fajl, tekst, razlog);
        // The stream's device takes the bytes (UTF-8 already) straight.
        QIODevice* uredjaj = izlaz.device();
        if (!uredjaj) {
            izlaz << QString::fromUtf8(tekst.data(), static_cast<qsizetype>(tekst.size()));
            return true;
        }
        return Isprazni() && UpisiSve(*uredjaj, tekst, razlog);
    }

    // The file made whole (renamed over the target, or flushed), or the
    // stream flushed; false, with the message, when that or a write failed.
    bool Zavrsi(QTextStream& greske) {
        if (razlog.isEmpty()) {
            if (auto* cuvanje = dynamic_cast<QSaveFile*>(fajl.get())) {
                if (!cuvanje->commit()) razlog = cuvanje->errorString();
            } else if (fajl) {
                if (!fajl->flush()) razlog = fajl->errorString();
                fajl->close();
            } else {
                Isprazni();
            }
        }
        if (razlog.isEmpty()) return true;
        Poruka(greske);
        return false;
    }

private:
    // What the stream holds goes to its device first.
    bool Isprazni() {
        izlaz.flush();
        QIODevice* uredjaj = izlaz.device();
        auto* fajlUredjaj = qobject_cast<QFileDevice*>(uredjaj);
        if (izlaz.status() == QTextStream::Ok && (!fajlUredjaj || fajlUredjaj->flush()))
            return true;
        razlog = uredjaj ? uredjaj->errorString() : QStringLiteral("Unknown error");
        return false;
    }

    void Poruka(QTextStream& greske) const {
        greske << (ime.isEmpty()
                       ? PorukaStandardnogIzlaza(razlog)
                       : QStringLiteral("Fajl '%1' ne moze da se snimi: %2").arg(ime, razlog))
               << '\n';
    }

    QTextStream& izlaz;
    QString ime;
    std::unique_ptr<QFileDevice> fajl;
    QString razlog; // of the first failure; empty while all is well
};

// A run's CSV kept until the run has succeeded: in memory while it is small,
// beyond that in an unnamed file in the temporary folder, so the memory a run
// needs does not grow with its printed points. Then handed on whole, or dropped.
class TCsvRada {
public:
    // False once a write to the temporary file has failed (Greska tells why).
    bool Pisi(std::string_view deo) {
        if (!razlog.isEmpty()) return false;
        tekst += deo;
        if (tekst.size() < UMemoriji) return true;
        if (!fajl && !OtvoriFajl()) return false;
        if (!UpisiSve(*fajl, tekst, razlog)) return false;
        tekst.clear();
        return true;
    }

    // Everything written, in order, to `predaj` in pieces that never split a
    // UTF-8 character; false when `predaj` or a read of the file failed.
    bool Predaj(const std::function<bool(std::string_view)>& predaj) {
        if (!razlog.isEmpty()) return false;
        if (fajl) {
            if (!fajl->seek(0)) {
                razlog = fajl->errorString();
                return false;
            }
            std::string deo(UMemoriji, '\0');
            std::size_t ostatak = 0; // bytes of a character cut at the piece's end
            for (;;) {
                const qint64 n =
                    fajl->read(deo.data() + ostatak, static_cast<qint64>(deo.size() - ostatak));
                if (n < 0) {
                    razlog = fajl->errorString();
                    return false;
                }
                if (n == 0) break;
                const std::size_t kraj = ostatak + static_cast<std::size_t>(n);
                const std::size_t rez = CeliZnakovi(std::string_view(deo.data(), kraj));
                if (!predaj(std::string_view(deo.data(), rez))) return false;
                ostatak = kraj - rez;
                std::memmove(deo.data(), deo.data() + rez, ostatak);
            }
            if (ostatak > 0 && !predaj(std::string_view(deo.data(), ostatak))) return false;
        }
        return tekst.empty() || predaj(tekst);
    }

    // "Privremeni fajl u '/tmp' ne moze da se snimi: <reason>", or empty.
    QString Greska() const {
        if (razlog.isEmpty()) return {};
        return QStringLiteral("Privremeni fajl u '%1' ne moze da se snimi: %2")
            .arg(QDir::tempPath(), razlog);
    }

private:
    static constexpr std::size_t UMemoriji = 1 << 20;

    // The length of the text's start that ends with a whole UTF-8 character.
    static std::size_t CeliZnakovi(std::string_view t) {
        for (std::size_t i = t.size(); i > 0 && i + 4 > t.size(); --i) {
            const auto c = static_cast<unsigned char>(t[i - 1]);
            if ((c & 0xC0) == 0x80) continue; // inside a character
            const std::size_t duzina = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            return i - 1 + duzina <= t.size() ? t.size() : i - 1;
        }
        return t.size();
    }

    bool OtvoriFajl() {
        const QByteArray folder = QFile::encodeName(QDir::tempPath());
#ifdef O_TMPFILE
        int opisnik = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
#else
        int opisnik = -1;
        errno = EOPNOTSUPP;
#endif
        if (opisnik < 0 && errno != EACCES && errno != ENOENT && errno != ENOTDIR) {
            // A file system without unnamed files: a named one, removed at once.
            QByteArray ime = folder + "/skem-XXXXXX";
            opisnik = ::mkostemp(ime.data(), O_CLOEXEC);
            if (opisnik >= 0) ::unlink(ime.constData());
        }
        if (opisnik < 0) {
            razlog = qt_error_string(errno);
            return false;
        }
        fajl = std::make_unique<QFile>();
        if (fajl->open(opisnik, QIODevice::ReadWrite | QIODevice::Unbuffered,
                       QFileDevice::AutoCloseHandle))
            return true;
        razlog = fajl->errorString();
        ::close(opisnik);
        fajl.reset();
        return false;
    }

    std::string tekst;           // what is not in the file
    std::unique_ptr<QFile> fajl; // once the text outgrew memory
    QString razlog;              // of a failed write; empty while all is well
};

// "Kraj simulacije od strane Quit elementa. t = 0.3"
QString PorukaKrajaQuitom(const skem::TIshodSimulacije& ishod) {
    return QStringLiteral("%1 t = %2")
        .arg(QLatin1String(skem::TSimulacija::PorukaQuit),
             QString::fromStdString(skem::VremeNaKoraku(ishod.Vreme, ishod.Korak)));
}

// A solver's failure on the error stream: the run's rows are kept, and the
// exit code says it did not get to the end.
int PrijaviResavac(const skem::TIshodSimulacije& ishod, QTextStream& greske) {
    if (ishod.PorukaResavaca.empty()) return ikUspeh;
    greske << QString::fromStdString(ishod.PorukaResavaca) << '\n';
    return ikNeuspeh;
}

} // namespace

QString PorukaStandardnogIzlaza(const QString& razlog) {
    return QStringLiteral("Na standardni izlaz ne moze da se pise: %1").arg(razlog);
}

bool UpisiFajl(const QString& imeFajla, const QByteArray& sadrzaj, QTextStream& greske) {
    QTextStream bezIzlaza;
    TIzlaz fajl(bezIzlaza, imeFajla);
    if (!fajl.Otvori(greske)) return false;
    // A failed write is told by Zavrsi.
    fajl.Pisi(std::string_view(sadrzaj.constData(), static_cast<std::size_t>(sadrzaj.size())));
    return fajl.Zavrsi(greske);
}

namespace {

// UpisiFajl with the text of a run's CSV.
bool UpisiFajl(const QString& imeFajla, TCsvRada& csv, QTextStream& greske) {
    QTextStream bezIzlaza;
    TIzlaz fajl(bezIzlaza, imeFajla);
    if (!fajl.Otvori(greske)) return false;
    // A failed write is told by Zavrsi; a failed read before it.
    if (!csv.Predaj([&fajl](std::string_view deo) { return fajl.Pisi(deo); }) &&
        !csv.Greska().isEmpty()) {
        greske << csv.Greska() << '\n';
        return false;
    }
    return fajl.Zavrsi(greske);
}

} // namespace

int IzvrsiJednu(const TSerijaPaketno& s, QTextStream& izlaz, QTextStream& greske) {
    // A regular file is written as the run goes on, beside the target, and
    // renamed over it when whole. The output stream, a device or a FIFO cannot
    // take back rows of a run that then fails: the CSV waits (TCsvRada) until
    // the run has succeeded. Either way no results matrix is kept.
    TIzlaz cilj(izlaz, s.Izlaz);
    const bool uCilj = TIzlaz::PrekoPrivremenog(s.Izlaz);
    if (uCilj && !cilj.Otvori(greske)) return ikNeuspeh;
    TCsvRada csv;
    // A failed write is told later; the run goes on to its end meanwhile.
    const auto pisi = [&](std::string_view deo) { return uCilj ? cilj.Pisi(deo) : csv.Pisi(deo); };
    pisi(skem::ZaglavljeCsv(s.Kolone));
    TRadnik radnik;
    const skem::TIshodSimulacije ishod = Izvedi(s, 1, radnik, pisi);
    if (!ishod.Uspeh) {
        greske << QString::fromStdString(ishod.Poruka) << '\n';
        return ikNeuspeh;
    }
    if (ishod.Quit) greske << PorukaKrajaQuitom(ishod) << '\n';
    const int kodResavaca = PrijaviResavac(ishod, greske);
    if (!csv.Greska().isEmpty()) {
        greske << csv.Greska() << '\n';
        return ikNeuspeh;
    }
    if (!uCilj && !Zaustavljeno(s)) {
        if (!cilj.Otvori(greske)) return ikNeuspeh;
        const bool predato =
            csv.Predaj([&](std::string_view deo) { return !Zaustavljeno(s) && cilj.Pisi(deo); });
        if (!predato && !Zaustavljeno(s) && !csv.Greska().isEmpty()) {
            greske << csv.Greska() << '\n';
            return ikNeuspeh;
        }
    }
    if (Zaustavljeno(s)) {
        // An unfinished file is dropped, as QSaveFile does when not committed.
        greske << skem::TSimulacija::PorukaPrekinuta << '\n';
        return ikNeuspeh;
    }
    return cilj.Zavrsi(greske) ? kodResavaca : ikNeuspeh;
}

int IzvrsiSeriju(const TSerijaPaketno& s, QTextStream& izlaz, QTextStream& greske) {
    const std::int64_t ukupno = s.Plan.BrojSimulacija();
    const auto [od, doBroja] = skem::DeoSerije(ukupno, s.Deo, s.Delova);
    const bool poFajlovima = !s.Direktorijum.isEmpty();
    const std::size_t duzinaZaglavlja = skem::ZaglavljeCsv(s.Kolone).size();

    QDir direktorijum(s.Direktorijum);
    if (poFajlovima) {
        std::error_code greska;
        std::filesystem::create_directories(QFile::encodeName(s.Direktorijum).toStdString(),
                                            greska);
        if (greska || !direktorijum.exists()) {
            greske << QStringLiteral("Direktorijum '%1' ne moze da se napravi: %2")
                          .arg(s.Direktorijum, greska ? QString::fromLocal8Bit(greska.message())
                                                      : QStringLiteral("nije direktorijum"))
                   << '\n';
            return ikNeuspeh;
        }
    }
    // The long form goes to the file or to the output stream as the runs come in.
    TIzlaz dugaForma(izlaz, s.Izlaz);
    if (!poFajlovima && !dugaForma.Otvori(greske)) return ikNeuspeh;
    const auto pisi = [&](std::string_view tekst) {
        return !Zaustavljeno(s) && dugaForma.Pisi(tekst);
    };

    std::string indeks = ZaglavljeDugeForme(s);
    indeks.resize(indeks.size() - duzinaZaglavlja);
    indeks += "fajl\n";
    // The long form's header goes out with the first rows (or at the end), so
    // a series stopped before any run ends writes nothing at all.
    bool upisano = true;
    bool zaglavlje = poFajlovima;
    auto napisiZaglavlje = [&] {
        if (!zaglavlje && upisano) upisano = pisi(ZaglavljeDugeForme(s));
        zaglavlje = true;
    };

    int kod = ikUspeh;
    bool prekinuto = false;
    TNapredak napredak(greske, doBroja - od + 1, s.Napredak);
    // A run's outcome and its CSV, made on the run's own thread.
    struct TGotovRad {
        skem::TIshodSimulacije Ishod;
        TCsvRada Csv;
    };
    skem::IzvrsiRedom<TRadnik>(
        od, doBroja, s.Niti,
        [&](std::int64_t r, TRadnik& radnik) {
            TGotovRad rad;
            const auto pisiRed = [&rad](std::string_view deo) { return rad.Csv.Pisi(deo); };
            if (poFajlovima) rad.Csv.Pisi(skem::ZaglavljeCsv(s.Kolone));
            rad.Ishod = Izvedi(s, r, radnik, pisiRed, poFajlovima ? std::string() : Prefiks(s, r));
            return rad;
        },
        [&](std::int64_t r, TGotovRad&& rad) {
            const skem::TIshodSimulacije& ishod = rad.Ishod;
            if (ishod.Zaustavljena || Zaustavljeno(s)) {
                prekinuto = true;
                return false;
            }
            const auto poruka = [&](const QString& tekst) {
                const QString tacka = OpisTacke(s, r);
                napredak.Poruka(QStringLiteral("Simulacija %1%2: %3")
                                    .arg(r)
                                    .arg(tacka.isEmpty() ? QString() : " (" + tacka + ")")
                                    .arg(tekst));
            };
            if (ishod.Quit) poruka(PorukaKrajaQuitom(ishod));
            // A solver that gave up: its rows so far stay, the series fails.
            if (!ishod.PorukaResavaca.empty()) {
                poruka(QString::fromStdString(ishod.PorukaResavaca));
                kod = ikNeuspeh;
            }
            if (!ishod.Uspeh) {
                poruka(QString::fromStdString(ishod.Poruka));
                kod = ikNeuspeh;
            } else if (!rad.Csv.Greska().isEmpty()) {
                napredak.Poruka(rad.Csv.Greska());
                upisano = false;
            } else if (poFajlovima) {
                const QString ime =
                    QStringLiteral("run-%1.csv")
                        .arg(r, skem::BrojCifara(static_cast<std::uint64_t>(ukupno)), 10,
                             QLatin1Char('0'));
                if (!UpisiFajl(direktorijum.filePath(ime), rad.Csv, greske)) upisano = false;
                indeks += Prefiks(s, r) + ime.toStdString() + '\n';
            } else {
                napisiZaglavlje();
                if (upisano) upisano = rad.Csv.Predaj(pisi);
                if (!rad.Csv.Greska().isEmpty()) napredak.Poruka(rad.Csv.Greska());
            }
            napredak.Korak(r - od + 1);
            return upisano;
        });
    napredak.Kraj();
    if (prekinuto || Zaustavljeno(s)) {
        // Neither the long form nor the index is written; files of runs
        // already finished stay, each of them whole.
        greske << skem::TSimulacija::PorukaPrekinuta << '\n';
        return ikNeuspeh;
    }
    napisiZaglavlje();

    if (poFajlovima) {
        const QString ime = s.Delova == 1
                                ? QStringLiteral("indeks.csv")
                                : QStringLiteral("indeks-%1-od-%2.csv").arg(s.Deo).arg(s.Delova);
        if (upisano)
            upisano =
                UpisiFajl(direktorijum.filePath(ime), QByteArray::fromStdString(indeks), greske);
    } else if (!dugaForma.Zavrsi(greske)) {
        upisano = false;
    }
    return upisano ? kod : ikNeuspeh;
}
