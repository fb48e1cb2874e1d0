// Batch series: overrides and their errors, sweeps in grid order equal to
// separate runs of edited documents, seeded repetitions, --jobs and --part.

#include "PaketniPomoc.h"
#include "Serija.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <cstring>

namespace {

class Serija : public Paketno {
protected:
    // y' = g * y * y with y(0) = y0: block 1 multiplier, 2 gain g, 3 integrator.
    QString Kvadrat(double g, double y0, const char* ime = "kvadrat.skem") {
        return Dokument(ime,
                        Blok(1, 27, "M", 2) +
                            Blok(2, 8, "G", 1, g).replace("<brparam>3", "<brparam>1") +
                            Blok(3, 10, "I", 3, y0),
                        Veza(3, 1, 0) + Veza(3, 1, 1) + Veza(1, 2, 0) + Veza(2, 3, 0));
    }
    // A random source (block 1) summed by an integrator (block 2).
    QString Slucajni() {
        return Dokument("slucajni.skem", Blok(1, 11, "R", 0) + Blok(2, 10, "I", 3), Veza(1, 2, 0));
    }
    static QStringList Opcije() { return {"--duration", "2", "--step", "0.01", "--print", "0.5"}; }
};

// The CSV's lines without the header.
QStringList Redovi(const QString& csv) {
    QStringList redovi = csv.split('\n', Qt::SkipEmptyParts);
    if (!redovi.isEmpty()) redovi.removeFirst();
    return redovi;
}

TEST_F(Serija, BadOverridesAndSeriesOptionsExitWithTwoNamingTheArgument) {
    const QString d = Kvadrat(-1, 1);
    QFile f(d);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray dokument = f.readAll();
    f.close();
    const struct {
        QStringList argumenti;
        QString greska;
    } slucajevi[] = {
        {{"--set", "9.p1=1"}, "Opcija --set 9.p1=1: ne postoji blok sa lokalnim brojem 9.\n"},
        {{"--set", "2.p2=1"}, "Opcija --set 2.p2=1: blok 2 nema parametar 2.\n"},
        {{"--sweep", "2.o3=1,2"},
         "Opcija --sweep 2.o3=1,2: blok 2 nije generator funkcija, nema ordinate.\n"},
        {{"--set", "2.p1=jedan"}, "Opcija --set 2.p1=jedan: 'jedan' nije broj.\n"},
        {{"--set", "2.p4=1"}, "Opcija --set 2.p4=1: ocekuje se "},
        {{"--sweep", "2.p1=0:1:1"}, "Opcija --sweep 2.p1=0:1:1: broj vrednosti opsega "},
        {{"--set", "2.p1=1", "--sweep", "2.p1=1,2"}, "2.p1 je zadat vise puta.\n"},
        {{"--runs", "0"}, "Opcija --runs 0: "},
        {{"--seed", "-1"}, "Opcija --seed -1: "},
        {{"--jobs", "dva"}, "Opcija --jobs dva: "},
        {{"--part", "3/2"}, "Opcija --part 3/2: "},
        {{"--part", "1"}, "Opcija --part 1: "},
        {{"--output", "a.csv", "--output-dir", "b"},
         "Opcije --output i --output-dir se ne mogu zadati zajedno.\n"},
        // An empty name is no quiet way to standard output.
        {{"--output", ""}, "Vrednost opcije --output je prazna.\n"},
        {{"--output-dir", ""}, "Vrednost opcije --output-dir je prazna.\n"},
        // Counts beyond the limit are too large, not malformed.
        {{"--runs", "10000000000"},
         "Opcija --runs 10000000000: broj simulacija je prevelik (najvise 2147483647).\n"},
        {{"--jobs", "10000000000"},
         "Opcija --jobs 10000000000: broj istovremenih simulacija je "
         "prevelik (najvise 1024).\n"},
        {{"--jobs", "99999999999999999999999"},
         "Opcija --jobs 99999999999999999999999: broj "
         "istovremenih simulacija je prevelik"},
        {{"--part", "1/10000000000"},
         "Opcija --part 1/10000000000: broj delova je prevelik (najvise 2147483647).\n"},
        {{"--sweep", "2.p1=0:1:10000000000"},
         "Opcija --sweep 2.p1=0:1:10000000000: broj "
         "vrednosti opsega je prevelik (najvise 10000).\n"},
    };
    for (const auto& s : slucajevi) {
        const TPaketniRezultat r = Pokreni(QStringList{d} + Opcije() + s.argumenti);
        EXPECT_EQ(r.Kod, 2) << s.greska.toStdString();
        EXPECT_TRUE(r.Greske.startsWith(s.greska)) << r.Greske.toStdString();
        EXPECT_TRUE(r.Izlaz.isEmpty());
    }
    // Overrides apply to the run only.
    EXPECT_EQ(Pokreni(QStringList{d} + Opcije() + QStringList{"--set", "2.p1=-2"}).Kod, 0);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), dokument);
}

// Inside subsystems blocks are named by path, a subsystem's parameters by caption.
TEST_F(Serija, PathsAndCaptionsNameBlocksInsideSubsystems) {
    const QString d = QString::fromLocal8Bit(qgetenv("SKEM_SOURCE_DIR")) +
                      QStringLiteral("/examples/podsistem.skem");
    const auto pokreni = [&](const QStringList& a) {
        return Pokreni(QStringList{d} + Opcije() + a);
    };
    const TPaketniRezultat osnovni = pokreni({});
    ASSERT_EQ(osnovni.Kod, 0) << osnovni.Greske.toStdString();
    EXPECT_TRUE(
        osnovni.Izlaz.startsWith("t,2/2. Sumator,2/3. Integrator,2/4. Integrator,"
                                 "3/2. Sumator,3/3. Integrator,3/4. Integrator,4. Sumator\n"))
        << osnovni.Izlaz.toStdString();
    // A list of changes names its targets as --set does; from t = 0 it acts as --set.
    const auto izmene = [this](const char* ime, const char* tekst) {
        const QString f = dir.filePath(QString::fromLatin1(ime));
        QFile z(f);
        EXPECT_TRUE(z.open(QIODevice::WriteOnly) && z.write(tekst) == qint64(strlen(tekst)));
        return f;
    };
    const QString putanjom = izmene("putanjom.csv", "t,parametar,vrednost\n0,3/2.p3,-1\n");
    const QString natpisom = izmene("natpisom.csv", "0,3.Koef. polozaja,-2\n");
    const QString nema = izmene("nema.csv", "0,2/1.p1,1\n0,2/9.p1,1\n");
    const QString ordinata = izmene("ordinata.csv", "0,2/3.o1,1\n");
    const struct {
        QStringList argumenti;
        QString ishod; // the error's start, or the same output as these arguments give
        QStringList isto;
    } slucajevi[] = {
        {{"--set", "3.Koef. polozaja=-1"}, {}, {"--set", "3/2.p3=-1"}},
        {{"--izmene", putanjom}, {}, {"--set", "3/2.p3=-1"}},
        {{"--izmene", natpisom}, {}, {"--set", "3/2.p3=-2"}},
        {{"--izmene", nema},
         "Opcija --izmene " + nema +
             ": Red 1: blok 2/1 je ulaz ili izlaz podsistema, nema parametre.\n",
         {}},
        {{"--izmene", ordinata},
         "Opcija --izmene " + ordinata +
             ": Red 1: '2/3.o1' nije parametar; ocekuje se N.pK, putanja kao 3/2.p1 ili natpis "
             "parametra podsistema kao 3.Masa.\n",
         {}},
        {{"--set", "2.Pocetni polozaj=0.5"}, {}, {"--set", "2/4.p1=0.5"}},
        {{"--sweep", "2/4.p1=1,0.5"}, "run,2/4.p1,t,2/2. Sumator,", {}},
        {{"--set", "2.p1=1"},
         "Opcija --set 2.p1=1: blok 2 je podsistem: parametar bloka u "
         "njemu zadaje se putanjom (2/2.p1) ili natpisom (2.Masa).\n",
         {}},
        {{"--set", "2/9.p1=1"}, "Opcija --set 2/9.p1=1: ne postoji blok 2/9.\n", {}},
        {{"--set", "2/1.p1=1"},
         "Opcija --set 2/1.p1=1: blok 2/1 je ulaz ili izlaz podsistema, nema parametre.\n",
         {}},
        {{"--sweep", "2.Masa=1,2"},
         "Opcija --sweep 2.Masa=1,2: podsistem 2 nema parametar 'Masa'.\n",
         {}},
        {{"--set", "1.Masa=1"},
         "Opcija --set 1.Masa=1: blok 1 nije podsistem, nema parametar 'Masa'.\n",
         {}},
        {{"--set", "4.o1=1"},
         "Opcija --set 4.o1=1: blok 4 nije generator funkcija, nema ordinate.\n",
         {}},
        {{"--set", "2/3.o1=1"},
         "Opcija --set 2/3.o1=1: blok 2/3 nije generator funkcija, nema ordinate.\n",
         {}},
        {{"--set", "3.Pocetni polozaj=1", "--sweep", "3/4.p1=1,2"},
         "3/4.p1 je zadat vise puta.\n",
         {}},
    };
    for (const auto& s : slucajevi) {
        SCOPED_TRACE(s.argumenti.join(' ').toStdString());
        const TPaketniRezultat r = pokreni(s.argumenti);
        if (!s.isto.isEmpty()) {
            EXPECT_EQ(r.Kod, 0) << r.Greske.toStdString();
            EXPECT_EQ(r.Izlaz, pokreni(s.isto).Izlaz);
            EXPECT_NE(r.Izlaz, osnovni.Izlaz);
        } else if (s.ishod.startsWith("run,")) {
            EXPECT_EQ(r.Kod, 0) << r.Greske.toStdString();
            EXPECT_TRUE(r.Izlaz.startsWith(s.ishod)) << r.Izlaz.left(200).toStdString();
        } else {
            EXPECT_EQ(r.Kod, 2);
            EXPECT_EQ(r.Greske.toStdString(), s.ishod.toStdString());
        }
    }
}

TEST_F(Serija, ASweepIsTheGridOfSeparateRunsInOrderWhateverTheJobsAndParts) {
    const QStringList mreza = {"--sweep", "2.p1=-1:-0.5:3", "--sweep", "3.p1=1,2"};
    const TPaketniRezultat cela =
        Pokreni(QStringList{Kvadrat(-1, 1)} + Opcije() + mreza + QStringList{"--jobs", "1"});
    ASSERT_EQ(cela.Kod, 0) << cela.Greske.toStdString();
    EXPECT_TRUE(cela.Greske.isEmpty());
    // The first sweep varies slowest.
    const struct {
        double g, y0;
    } tacke[] = {{-1, 1}, {-1, 2}, {-0.75, 1}, {-0.75, 2}, {-0.5, 1}, {-0.5, 2}};
    QString ocekivano = "run,2.p1,3.p1,t,1. M,2. G,3. I\n";
    int run = 0;
    for (const auto& t : tacke) {
        // A document saved with the point's values, run on its own.
        const TPaketniRezultat sama =
            Pokreni(QStringList{Kvadrat(t.g, t.y0, "tacka.skem")} + Opcije());
        ASSERT_EQ(sama.Kod, 0);
        const QString prefiks = QStringLiteral("%1,%2,%3,").arg(++run).arg(t.g).arg(t.y0);
        for (const QString& red : Redovi(sama.Izlaz))
            ocekivano += prefiks + red + '\n';
    }
    EXPECT_EQ(cela.Izlaz, ocekivano);

    // The same values with more threads, and the parts joined in order.
    EXPECT_EQ(
        Pokreni(QStringList{Kvadrat(-1, 1)} + Opcije() + mreza + QStringList{"--jobs", "3"}).Izlaz,
        cela.Izlaz);
    QString spojeno = cela.Izlaz.left(cela.Izlaz.indexOf('\n') + 1);
    for (int i = 1; i <= 4; ++i) {
        const TPaketniRezultat deo = Pokreni(QStringList{Kvadrat(-1, 1)} + Opcije() + mreza +
                                             QStringList{"--part", QStringLiteral("%1/4").arg(i)});
        ASSERT_EQ(deo.Kod, 0);
        spojeno += Redovi(deo.Izlaz).join('\n') + '\n';
    }
    EXPECT_EQ(spojeno, cela.Izlaz);

    // One file per run, as a single run prints it, and an index naming them.
    const QString direktorijum = dir.filePath("serija");
    const TPaketniRezultat poFajlovima =
        Pokreni(QStringList{Kvadrat(-1, 1)} + Opcije() + mreza +
                QStringList{"--output-dir", direktorijum, "--part", "2/2"});
    ASSERT_EQ(poFajlovima.Kod, 0) << poFajlovima.Greske.toStdString();
    QFile indeks(direktorijum + "/indeks-2-od-2.csv");
    ASSERT_TRUE(indeks.open(QIODevice::ReadOnly));
    EXPECT_EQ(indeks.readAll(), "run,2.p1,3.p1,fajl\n4,-0.75,2,run-4.csv\n5,-0.5,1,run-5.csv\n"
                                "6,-0.5,2,run-6.csv\n");
    QFile run5(direktorijum + "/run-5.csv");
    ASSERT_TRUE(run5.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(run5.readAll()),
              Pokreni(QStringList{Kvadrat(-0.5, 1, "tacka.skem")} + Opcije()).Izlaz);
}

TEST_F(Serija, AFailedRunIsReportedAndLeftOutWhileTheOthersGoOn) {
    // y' = y * y from y(0) = 1e200 overflows; from 1 it does not within t = 2 for g = -1.
    const TPaketniRezultat r = Pokreni(QStringList{Kvadrat(-1, 1)} + Opcije() +
                                       QStringList{"--sweep", "3.p1=1,1E200", "--jobs", "2"});
    EXPECT_EQ(r.Kod, 1);
    EXPECT_EQ(r.Greske, "Simulacija 2 (3.p1=1E200): Greska: Floating point overflow\n");
    for (const QString& red : Redovi(r.Izlaz))
        EXPECT_TRUE(red.startsWith("1,1,")) << red.toStdString();
}

TEST_F(Serija, SeededRunsRepeatAndDoNotDependOnJobs) {
    const QString d = Slucajni();
    const auto pokreni = [&](const char* seme, const char* poslova) {
        return Pokreni(QStringList{d} + Opcije() +
                       QStringList{"--runs", "3", "--seed", seme, "--jobs", poslova});
    };
    const TPaketniRezultat prvi = pokreni("42", "1");
    ASSERT_EQ(prvi.Kod, 0) << prvi.Greske.toStdString();
    EXPECT_EQ(pokreni("42", "2").Izlaz, prvi.Izlaz);
    EXPECT_NE(pokreni("43", "1").Izlaz, prvi.Izlaz);
    // Run r's source starts from the r-th seed of the batch seed: its value at t = 0.
    TTabela t;
    ASSERT_TRUE(ProcitajCsv(prvi.Izlaz, t));
    int proveren = 0;
    for (const auto& red : t.Redovi) {
        if (red[1] != 0) continue;
        const auto r = static_cast<std::int64_t>(red[0]);
        const std::uint32_t prvaVrednost = skem::SemeSimulacije(42, r) * 134775813u + 1u;
        EXPECT_NEAR(red[2], prvaVrednost / 4294967296.0, 1e-14) << "run " << r;
        ++proveren;
    }
    EXPECT_EQ(proveren, 3);
}

} // namespace
