#include "PaketniSerija.h"

#include "Brojevi.h"
#include "ParalelniRad.h"

#include <QDir>
#include <QSaveFile>
#include <QTextStream>
#include <chrono>

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

// The rows of a single run's CSV (its header skipped), each after the prefix.
std::string RedoviDugeForme(const std::string& csv, std::size_t duzinaZaglavlja,
                            const std::string& prefiks) {
    std::string redovi;
    for (std::size_t pocetak = duzinaZaglavlja; pocetak < csv.size();) {
        std::size_t kraj = csv.find('\n', pocetak);
        kraj = kraj == std::string::npos ? csv.size() : kraj + 1;
        redovi += prefiks;
        redovi.append(csv, pocetak, kraj - pocetak);
        pocetak = kraj;
    }
    return redovi;
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

int Cifara(std::int64_t n) {
    int c = 1;
    while (n >= 10) {
        n /= 10;
        ++c;
    }
    return c;
}

skem::TIshodSimulacije Izvedi(const TSerijaPaketno& s, std::int64_t r, skem::TSimulacija& sim) {
    return skem::IzvediSimulaciju(s.Plan, s.Osnova, r, s.Opcije, s.Kolone, sim);
}

// Text to the output stream: straight to its device when it has one (the
// bytes are UTF-8 already), else through the stream.
void Pisi(QTextStream& izlaz, const std::string& tekst) {
    if (QIODevice* uredjaj = izlaz.device()) {
        izlaz.flush();
        uredjaj->write(tekst.data(), static_cast<qint64>(tekst.size()));
    } else {
        izlaz << QString::fromStdString(tekst);
    }
}

} // namespace

bool UpisiFajl(const QString& imeFajla, const QByteArray& sadrzaj, QTextStream& greske) {
    QSaveFile f(imeFajla);
    if (f.open(QIODevice::WriteOnly) && f.write(sadrzaj) == sadrzaj.size() && f.commit())
        return true;
    greske << QStringLiteral("Fajl '%1' ne moze da se snimi: %2").arg(imeFajla, f.errorString())
           << '\n';
    return false;
}

int IzvrsiJednu(const TSerijaPaketno& s, QTextStream& izlaz, QTextStream& greske) {
    skem::TSimulacija simulacija;
    const skem::TIshodSimulacije ishod = Izvedi(s, 1, simulacija);
    if (!ishod.Uspeh) {
        greske << QString::fromStdString(ishod.Poruka) << '\n';
        return ikNeuspeh;
    }
    if (!s.Izlaz.isEmpty())
        return UpisiFajl(s.Izlaz, QByteArray::fromStdString(ishod.Csv), greske) ? ikUspeh
                                                                                : ikNeuspeh;
    izlaz << QString::fromStdString(ishod.Csv) << Qt::flush;
    return ikUspeh;
}

int IzvrsiSeriju(const TSerijaPaketno& s, QTextStream& izlaz, QTextStream& greske) {
    const std::int64_t ukupno = s.Plan.BrojSimulacija();
    const auto [od, doBroja] = skem::DeoSerije(ukupno, s.Deo, s.Delova);
    const bool poFajlovima = !s.Direktorijum.isEmpty();
    const std::size_t duzinaZaglavlja = skem::ZaglavljeCsv(s.Kolone).size();

    QDir direktorijum(s.Direktorijum);
    QSaveFile fajl(s.Izlaz);
    if (poFajlovima && !QDir().mkpath(s.Direktorijum)) {
        greske << QStringLiteral("Direktorijum '%1' ne moze da se napravi.").arg(s.Direktorijum)
               << '\n';
        return ikNeuspeh;
    }
    if (!poFajlovima && !s.Izlaz.isEmpty() && !fajl.open(QIODevice::WriteOnly)) {
        greske
            << QStringLiteral("Fajl '%1' ne moze da se snimi: %2").arg(s.Izlaz, fajl.errorString())
            << '\n';
        return ikNeuspeh;
    }
    // The long form goes to the file (written beside it, renamed over it at
    // the end) or to the output stream as the runs come in.
    auto pisi = [&](const std::string& tekst) {
        if (!fajl.isOpen()) {
            Pisi(izlaz, tekst);
            return true;
        }
        return fajl.write(tekst.data(), static_cast<qint64>(tekst.size())) ==
               static_cast<qint64>(tekst.size());
    };

    std::string indeks = ZaglavljeDugeForme(s);
    indeks.resize(indeks.size() - duzinaZaglavlja);
    indeks += "fajl\n";
    if (!poFajlovima) pisi(ZaglavljeDugeForme(s));

    int kod = ikUspeh;
    bool upisano = true;
    TNapredak napredak(greske, doBroja - od + 1, s.Napredak);
    skem::IzvrsiRedom<skem::TSimulacija>(
        od, doBroja, s.Niti,
        // The long form's rows are made on the run's own thread too.
        [&](std::int64_t r, skem::TSimulacija& sim) {
            skem::TIshodSimulacije ishod = Izvedi(s, r, sim);
            if (ishod.Uspeh && !poFajlovima)
                ishod.Csv = RedoviDugeForme(ishod.Csv, duzinaZaglavlja, Prefiks(s, r));
            return ishod;
        },
        [&](std::int64_t r, skem::TIshodSimulacije&& ishod) {
            if (!ishod.Uspeh) {
                const QString tacka = OpisTacke(s, r);
                napredak.Poruka(QStringLiteral("Simulacija %1%2: %3")
                                    .arg(r)
                                    .arg(tacka.isEmpty() ? QString() : " (" + tacka + ")")
                                    .arg(QString::fromStdString(ishod.Poruka)));
                kod = ikNeuspeh;
            } else if (poFajlovima) {
                const QString ime =
                    QStringLiteral("run-%1.csv").arg(r, Cifara(ukupno), 10, QLatin1Char('0'));
                if (!UpisiFajl(direktorijum.filePath(ime), QByteArray::fromStdString(ishod.Csv),
                               greske))
                    upisano = false;
                indeks += Prefiks(s, r) + ime.toStdString() + '\n';
            } else {
                upisano = pisi(ishod.Csv);
            }
            napredak.Korak(r - od + 1);
            return upisano;
        });
    napredak.Kraj();

    if (poFajlovima) {
        const QString ime = s.Delova == 1
                                ? QStringLiteral("indeks.csv")
                                : QStringLiteral("indeks-%1-od-%2.csv").arg(s.Deo).arg(s.Delova);
        if (upisano)
            upisano =
                UpisiFajl(direktorijum.filePath(ime), QByteArray::fromStdString(indeks), greske);
    } else if (fajl.isOpen()) {
        if (upisano) upisano = fajl.commit();
        if (!upisano)
            greske << QStringLiteral("Fajl '%1' ne moze da se snimi: %2")
                          .arg(s.Izlaz, fajl.errorString())
                   << '\n';
    } else {
        izlaz.flush();
    }
    return upisano ? kod : ikNeuspeh;
}
