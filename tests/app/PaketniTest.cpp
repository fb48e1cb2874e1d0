// Batch mode: arguments, the options checks, exit codes, messages and the CSV;
// and the program's own options (--version, --help) looked at before the editor.
// This test program has no application object: the batch mode needs none.
#include "PaketniPomoc.h"

#include "CsvRezultata.h"
#include "ModelDokumenta.h"
#include "Obrada.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

TEST_F(Paketno, WritesTheResultsAsCsvToStandardOutput) {
    const TPaketniRezultat r =
        Pokreni({Prava(), "--duration", "1", "--step", "0.25", "--print", "0.5"});
    EXPECT_EQ(r.Kod, 0) << r.Greske.toStdString();
    // The constant has no column; the time points are 0, P, 2P.
    EXPECT_EQ(r.Izlaz, "t,2. Integrator\n0,1\n0.5,2\n1,3\n");
    EXPECT_TRUE(r.Greske.isEmpty());
}

TEST_F(Paketno, QuotesNamesThatNeedItAndWritesToAFile) {
    const QString izlaz = dir.filePath(QStringLiteral("rez.csv"));
    const TPaketniRezultat r = Pokreni({"--duration", "1", "--step", "0.5", "--print", "0.5",
                                        "--output", izlaz, Prava(QStringLiteral("Zbir, \"x\""))});
    EXPECT_EQ(r.Kod, 0) << r.Greske.toStdString();
    EXPECT_TRUE(r.Izlaz.isEmpty());
    QFile f(izlaz);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "t,\"2. Zbir, \"\"x\"\"\"\n0,1\n0.5,2\n1,3\n");
}

TEST_F(Paketno, AnOutputThatCannotBeWrittenFailsAndLeavesNoFile) {
    const QString izlaz = dir.filePath(QStringLiteral("nema/rez.csv"));
    const TPaketniRezultat r =
        Pokreni({Prava(), "--duration", "1", "--step", "0.5", "--print", "0.5", "--output", izlaz});
    EXPECT_EQ(r.Kod, 1);
    EXPECT_TRUE(r.Greske.startsWith(QStringLiteral("Fajl '") + izlaz +
                                    QStringLiteral("' ne moze da se snimi: ")))
        << r.Greske.toStdString();
    EXPECT_FALSE(QFile::exists(izlaz));
}

TEST_F(Paketno, BadArgumentsShowTheUsage) {
    const QString d = Prava();
    const struct {
        QStringList argumenti;
        const char* greska;
    } slucajevi[] = {
        {{}, "Nije naveden fajl dokumenta."},
        {{d, "--duration", "1", "--step", "0.5"}, "Nedostaje opcija --print."},
        {{d, "--duration", "1", "--step", "0.5", "--print"}, "Nedostaje vrednost opcije --print."},
        {{d, "--duration", "1", "--step", "0.5", "--print", "0.5", "--brzo"},
         "Nepoznata opcija --brzo."},
        {{d, "--duration", "1", "--duration", "2", "--step", "0.5", "--print", "0.5"},
         "Opcija --duration je navedena vise puta."},
        {{d, d, "--duration", "1", "--step", "0.5", "--print", "0.5"}, "Suvisan argument "},
    };
    for (const auto& s : slucajevi) {
        const TPaketniRezultat r = Pokreni(s.argumenti);
        EXPECT_EQ(r.Kod, 2) << s.greska;
        EXPECT_TRUE(r.Greske.startsWith(QString::fromUtf8(s.greska))) << r.Greske.toStdString();
        EXPECT_TRUE(r.Greske.contains(UpotrebaPaketno())) << s.greska;
        EXPECT_TRUE(r.Izlaz.isEmpty());
    }
}

// Changes made live from an observer at known steps, saved as CSV and replayed
// by --izmene, give the live run's CSV byte for byte under every method; a bad
// list is refused with its line.
TEST_F(Paketno, ReplayedChangesGiveTheLiveRunsCsv) {
    // c -> x' = c, x(0) = 1 -> g = 0.5 x -> y' = g
    const QString d =
        Dokument("zivo.skem",
                 Blok(1, 12, QStringLiteral("c"), 0, 2) + Blok(2, 10, QStringLiteral("x"), 3, 1) +
                     Blok(3, 8, QStringLiteral("g"), 1, 0.5) + Blok(4, 10, QStringLiteral("y"), 3),
                 Veza(1, 2, 0) + Veza(2, 3, 0) + Veza(3, 4, 0));
    struct TOpcije : skem::TIzvorOpcija {
        skem::TMetodIntegracije metod = skem::TMetodIntegracije::RK4;
        bool PitajOpcije(skem::TOpcijeSimulacije& o) override {
            o = {3, 0.01, 0.05, metod};
            return true;
        }
    } opcije;
    struct TRuka : skem::TPosmatracRada {
        int korak = 0;
        void Uzorak(double, const double*) override {}
        bool PosleKoraka(double, skem::TListaIzmena& nove) override {
            if (++korak == 7) nove.push_back({0, 1, 1, -3});
            if (korak == 130) nove.push_back({0, 3, 1, 1.0 / 3});
            if (korak == 131) nove.push_back({0, 1, 1, 0.25});
            return true;
        }
    } ruka;
    const skem::TModelDokumenta model = skem::UcitajModelIzFajla(d);
    const skem::TKopijaModela kopija = skem::KopijaIzModela(model);
    std::vector<skem::TBlokRezultata> kolone;
    for (const skem::TBlokModela& b : model.Blokovi)
        kolone.push_back({b.LokalniBroj, b.Naziv.toStdString(), b.Sifra});
    const QString fajl = dir.filePath(QStringLiteral("izmene.csv"));
    const auto upisi = [&](const std::string& tekst) {
        QFile f(fajl);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(tekst.data(), qint64(tekst.size()));
    };
    const QStringList argumenti = {d,         "--duration", "3",        "--step", "0.01",
                                   "--print", "0.05",       "--izmene", fajl};
    for (const skem::TMetodIntegracije metod :
         {skem::TMetodIntegracije::RK4, skem::TMetodIntegracije::DP45,
          skem::TMetodIntegracije::BDF}) {
        SCOPED_TRACE(skem::NazivMetoda(metod));
        opcije.metod = metod;
        ruka.korak = 0;
        skem::TSimulacija s(&opcije);
        s.PostaviPosmatraca(&ruka);
        skem::MatrixReal m;
        s.Simuliraj(kopija.Lista(), m);
        ASSERT_TRUE(s.Uspeh());
        ASSERT_EQ(s.IzmeneRada().size(), 3u);
        const std::string uzivo = skem::NapraviCsv(kolone, m, 3, 0.05);
        upisi(skem::IzmeneUCsv(s.IzmeneRada()));
        const QStringList saMetodom = QStringList(argumenti)
                                      << "--metod" << QString::fromUtf8(skem::NazivMetoda(metod));
        const TPaketniRezultat r = Pokreni(saMetodom);
        EXPECT_EQ(r.Kod, 0) << r.Greske.toStdString();
        EXPECT_EQ(r.Izlaz.toStdString(), uzivo);
        // Without the changes the run differs.
        EXPECT_NE(Pokreni(saMetodom.mid(0, 7) + saMetodom.mid(9)).Izlaz.toStdString(), uzivo);
    }

    const struct {
        std::string tekst; // empty: no file
        const char* greska;
    } slucajevi[] = {
        {"", "fajl ne moze da se otvori: "},
        {"t,parametar,vrednost\n1,1.p1,2\n1,1.p1\n", "Red 3: ocekuju se tri polja"},
        {"t,parametar,vrednost\n\n1,9.p1,2\n", "Red 3: ne postoji blok sa lokalnim brojem 9."},
        {"1,1.o2,2\n", "Red 1: '1.o2' nije parametar"},
    };
    for (const auto& c : slucajevi) {
        QFile::remove(fajl);
        if (!c.tekst.empty()) upisi(c.tekst);
        const TPaketniRezultat los = Pokreni(argumenti);
        EXPECT_EQ(los.Kod, 2) << c.greska;
        EXPECT_TRUE(los.Greske.startsWith(QStringLiteral("Opcija --izmene ") + fajl +
                                          QStringLiteral(": ") + QString::fromUtf8(c.greska)))
            << los.Greske.toStdString();
        EXPECT_TRUE(los.Izlaz.isEmpty());
    }
    // A file without end is refused at the limit, not read until memory runs out.
    const TPaketniRezultat beskrajan = Pokreni(argumenti.mid(0, 8) << QStringLiteral("/dev/zero"));
    EXPECT_EQ(beskrajan.Kod, 2);
    EXPECT_EQ(beskrajan.Greske, "Opcija --izmene /dev/zero: fajl je veci od 64 MB.\n");
}

TEST_F(Paketno, RefusedOptionsGiveTheDialogsMessages) {
    const QString d = Prava();
    const struct {
        const char *trajanje, *korak, *stampa, *poruka;
    } slucajevi[] = {
        {"", "0.5", "0.5", "Niste uneli sve potrebne vrednosti!"},
        {"deset", "0.5", "0.5", "Duzina trajanja simulacije mora biti pozitivan realan broj!"},
        {"1", "-0.5", "0.5", "Interval integracije mora biti pozitivan realan broj!"},
        {"1", "2", "0.5", "Duzina trajanja simulacije mora biti veca od intervala integracije!"},
        {"1", "0.5", "0,5", "Interval stampanja mora biti pozitivan realan broj!"},
        {"1", "0.5", "0.25",
         "Interval stampanja rezultata mora biti\nveci ili jednak intervalu integracije i\n  "
         "manji od duzine trajanja simulacije!"},
        {"1", "0.5", "1",
         "Interval stampanja rezultata mora biti\nveci ili jednak intervalu integracije i\n  "
         "manji od duzine trajanja simulacije!"},
        {"10", "1e-300", "0.1",
         "Interval integracije je premali da bi vreme simulacije stiglo do kraja!"},
    };
    for (const auto& s : slucajevi) {
        const TPaketniRezultat r =
            Pokreni({d, "--duration", s.trajanje, "--step", s.korak, "--print", s.stampa});
        EXPECT_EQ(r.Kod, 2) << s.poruka;
        EXPECT_EQ(r.Greske, QString::fromUtf8(s.poruka) + '\n');
        EXPECT_TRUE(r.Izlaz.isEmpty());
    }
}

TEST_F(Paketno, RefusedModelsAndFailedRunsExitWithOne) {
    const struct {
        QString dokument;
        QString poruka;
        QStringList opcije = {"--duration", "1", "--step", "0.5", "--print", "0.5"};
    } slucajevi[] = {
        {dir.filePath(QStringLiteral("nema.skem")), QStringLiteral("Fajl '") +
                                                        dir.filePath(QStringLiteral("nema.skem")) +
                                                        QStringLiteral("' ne moze da se otvori: ")},
        {Dokument("los.skem", Blok(1, 12, "K", 0).replace("<Top>40", "<Top>x")),
         QStringLiteral("'x' is not a valid integer value\n")},
        {Dokument("prazan.skem", {}), QStringLiteral("Model mora da sadrzi bar jedan blok!\n")},
        {Dokument("bez_integratora.skem", Blok(1, 12, "K", 0, 1) + Blok(2, 8, "G", 1, 2),
                  Veza(1, 2, 0)),
         QStringLiteral("Model mora da sadrzi bar jedan integrator!\n")},
        // A divider whose second input is not connected divides by 0.
        {Dokument("delitelj.skem",
                  Blok(1, 12, "K", 0, 1) + Blok(2, 5, "D", 2) + Blok(3, 10, "I", 3),
                  Veza(1, 2, 0) + Veza(2, 3, 0)),
         QStringLiteral("Drugi ulaz u delitelj je 0!\n")},
        // The same late, at t = 1e5, after megabytes of rows: 1 / (1e5 - t).
        {Dokument("kasno.skem",
                  Blok(1, 12, "K", 0, 1) + Blok(2, 12, "K", 0, -1) + Blok(3, 10, "I", 3, 1e5) +
                      Blok(4, 5, "D", 2),
                  Veza(2, 3, 0) + Veza(1, 4, 0) + Veza(3, 4, 1)),
         QStringLiteral("Drugi ulaz u delitelj je 0!\n"),
         {"--duration", "2e5", "--step", "1", "--print", "1"}},
    };
    // Into a file too, written as the run goes on: a failed run leaves none.
    const QString fajl = dir.filePath(QStringLiteral("rez.csv"));
    for (const auto& s : slucajevi)
        for (const QStringList& izlaz : {QStringList(), QStringList{"--output", fajl}}) {
            const TPaketniRezultat r = Pokreni(QStringList{s.dokument} + s.opcije + izlaz);
            EXPECT_EQ(r.Kod, 1) << s.poruka.toStdString();
            EXPECT_TRUE(r.Greske.startsWith(s.poruka)) << r.Greske.toStdString();
            EXPECT_TRUE(r.Izlaz.isEmpty());
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).filter(".csv"), QStringList());
        }
}

// An element's error names its block by path in a document with subsystems
// (the flat number would be no block the user sees); a flat document's
// message is the element's alone.
TEST_F(Paketno, ElementErrorsInsideSubsystemsNameTheBlockByPath) {
    // A constant divided by an unconnected input, integrated.
    const QString ravan =
        Dokument("delitelj.skem", Blok(1, 12, "K", 0, 1) + Blok(2, 5, "D", 2) + Blok(3, 10, "I", 3),
                 Veza(1, 2, 0) + Veza(2, 3, 0));
    // The same inside subsystem 2, behind a constant of its own at the top.
    skem::TModelDokumenta model = skem::UcitajModelIzFajla(ravan);
    auto sadrzaj = std::make_shared<skem::TPodsistemModela>();
    sadrzaj->Sadrzaj = model;
    skem::TBlokModela podsistem;
    podsistem.Naziv = QStringLiteral("Sistem");
    podsistem.Sifra = 29;
    podsistem.Natpisi.fill(QStringLiteral("x"));
    podsistem.LokalniBroj = 2;
    podsistem.Podsistem = sadrzaj;
    model.Veze.clear();
    model.Blokovi = {model.Blokovi[0], podsistem};
    model.Blokovi[0].Ulazi = {-1, -1, -1};
    const QString hijerarhija = dir.filePath(QStringLiteral("hijerarhija.skem"));
    skem::SnimiModel(model, hijerarhija);

    const QString poruka = QString::fromLatin1(skem::TSimulacija::PorukaDelitelj);
    const QStringList trajanje = {"--duration", "1", "--step", "0.5", "--print", "0.5"};
    const struct {
        QString dokument;
        QStringList opcije;
        QString greske;
    } slucajevi[] = {
        {ravan, {}, poruka + "\n"},
        {hijerarhija, {}, poruka + " (blok 2/2. D)\n"},
        {hijerarhija,
         {"--sweep", "1.p1=1,2"},
         "Simulacija 1 (1.p1=1): " + poruka + " (blok 2/2. D)\n"},
    };
    for (const auto& s : slucajevi) {
        const TPaketniRezultat r = Pokreni(QStringList{s.dokument} + trajanje + s.opcije);
        EXPECT_EQ(r.Kod, 1);
        EXPECT_EQ(r.Greske.section('\n', 0, 0) + '\n', s.greske);
    }
}

TEST_F(Paketno, ArithmeticFaultsFailTheRun) {
    // y' = y * y from y(0) = 1e200 overflows in the first step.
    const QString d = Dokument("prelivanje.skem", Blok(1, 27, "M", 2) + Blok(2, 10, "I", 3, 1e200),
                               Veza(2, 1, 0) + Veza(1, 2, 0) +
                                   QStringLiteral("<Veza><PocBlok>2</PocBlok><KrajBlok>1</KrajBlok>"
                                                  "<GdeKrajBlok>1</GdeKrajBlok><Drzaci/></Veza>"));
    const TPaketniRezultat r = Pokreni({d, "--duration", "1", "--step", "0.5", "--print", "0.5"});
    EXPECT_EQ(r.Kod, 1);
    EXPECT_EQ(r.Greske, "Greska: Floating point overflow\n");
    EXPECT_TRUE(r.Izlaz.isEmpty());
}

TEST_F(Paketno, TooManyPrintedPointsAreRefusedBeforeTheRun) {
    const TPaketniRezultat r =
        Pokreni({Prava(), "--duration", "1e12", "--step", "1e-3", "--print", "1e-3"});
    EXPECT_EQ(r.Kod, 1);
    EXPECT_FALSE(r.Greske.isEmpty());
    EXPECT_TRUE(r.Izlaz.isEmpty());
}

TEST_F(Paketno, CtrlCStopsARunOrASeriesAndLeavesNoOutput) {
    // The signal only asks: the process goes on and sees the request.
    const std::atomic<bool>& zaustavi = ZaustavljanjeNaSignal();
    ASSERT_EQ(std::raise(SIGINT), 0);
    ASSERT_TRUE(zaustavi.load());

    const QString d = Prava();
    const QString fajl = dir.filePath(QStringLiteral("rez.csv"));
    const QString direktorijum = dir.filePath(QStringLiteral("serija"));
    const QStringList dugo = {d, "--duration", "10", "--step", "1e-4", "--print", "1"};
    const QStringList serija = dugo + QStringList{"--sweep", "2.p1=0:1:4", "--jobs", "2"};
    const struct {
        QStringList argumenti;
        QString izlaz; // a file that must not be there afterwards
    } slucajevi[] = {
        // An endless input is read no further.
        {{"/dev/zero", "--duration", "1", "--step", "0.5", "--print", "0.5"}, {}},
        {dugo, {}},
        {dugo + QStringList{"--output", fajl}, fajl},
        {serija, {}},
        {serija + QStringList{"--output", fajl}, fajl},
        {serija + QStringList{"--output-dir", direktorijum},
         QDir(direktorijum).filePath(QStringLiteral("indeks.csv"))},
    };
    for (const auto& s : slucajevi) {
        const TPaketniRezultat r = Pokreni(s.argumenti, &zaustavi);
        const std::string opis = s.argumenti.join(' ').toStdString();
        EXPECT_EQ(r.Kod, 1) << opis;
        EXPECT_EQ(r.Greske, "Simulacija je prekinuta.\n") << opis;
        EXPECT_TRUE(r.Izlaz.isEmpty()) << opis;
        if (!s.izlaz.isEmpty()) EXPECT_FALSE(QFile::exists(s.izlaz)) << opis;
        // Nor the temporary file beside the target.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).filter(".csv"), QStringList()) << opis;
    }
}

// A single run keeps no results matrix: with the address space a little
// larger than now, a run whose matrix (2e5 x 41 doubles, 63 MB) would not fit
// writes its CSV (180 MB), into a file as it goes and to the output stream
// once the run has succeeded, the same bytes.
// Not in the sanitizers' build: their allocator reserves address space of its
// own, so a limit on it says nothing there.
#ifndef __SANITIZE_ADDRESS__
TEST_F(Paketno, ASingleRunNeedsNoMemoryForItsPrintedPoints) {
    QString blokovi = Blok(1, 12, "K", 0, 2) + Blok(2, 10, "I", 3, 1);
    for (int b = 3; b <= 42; ++b)
        blokovi += Blok(b, 8, "G", 1, 2);
    const QString d = Dokument("siroki.skem", blokovi, Veza(1, 2, 0));
    const QString fajl = dir.filePath(QStringLiteral("rez.csv"));
    const QString standardni = dir.filePath(QStringLiteral("izlaz.txt"));
    const QStringList opcije = {d,         "--duration", "2e5",           "--step", "1",
                                "--print", "1",          "--prevodjenje", "ne"};
    for (const bool uFajl : {true, false}) {
        // The output stream is a regular file here, not a text held in memory.
        QFile izlaz(standardni);
        ASSERT_TRUE(izlaz.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        rlimit granica{};
        ASSERT_EQ(getrlimit(RLIMIT_AS, &granica), 0);
        const rlimit staro = granica;
        QFile status(QStringLiteral("/proc/self/status"));
        ASSERT_TRUE(status.open(QIODevice::ReadOnly));
        const QByteArray tekst = status.readAll();
        const qsizetype i = tekst.indexOf("VmSize:");
        ASSERT_GE(i, 0);
        const rlim_t zauzeto = tekst.mid(i + 7).trimmed().split(' ').first().toULongLong() * 1024;
        granica.rlim_cur = zauzeto + (32 << 20);
        ASSERT_EQ(setrlimit(RLIMIT_AS, &granica), 0);
        const TPaketniRezultat r =
            Pokreni(uFajl ? opcije + QStringList{"--output", fajl} : opcije, nullptr, &izlaz);
        ASSERT_EQ(setrlimit(RLIMIT_AS, &staro), 0);
        EXPECT_EQ(r.Kod, 0) << r.Greske.toStdString();
        izlaz.close();
        EXPECT_EQ(QFileInfo(standardni).size(), uFajl ? 0 : QFileInfo(fajl).size());
    }
    QFile f(fajl), s(standardni);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    ASSERT_TRUE(s.open(QIODevice::ReadOnly));
    const QByteArray csv = f.readAll();
    EXPECT_TRUE(csv == s.readAll());
    TTabela t;
    ASSERT_TRUE(ProcitajCsv(QString::fromUtf8(csv), t));
    ASSERT_EQ(t.Redovi.size(), 200001u);
    EXPECT_EQ(t.Zaglavlje.size(), 42);
    EXPECT_EQ(t.Redovi.back()[t.Kolona(2)], 1 + 2 * 2e5);
}
#endif

TEST_F(Paketno, EveryFailedWriteFailsTheRunWithTheSystemsReason) {
    const QString d = Prava();
    // About 1.6 KB of CSV per run.
    const QStringList jedna = {d, "--duration", "100", "--step", "0.5", "--print", "0.5"};
    const QStringList serija = jedna + QStringList{"--sweep", "2.p1=1,2", "--jobs", "2"};
    const QString fajl = dir.filePath(QStringLiteral("rez.csv"));
    const QString direktorijum = dir.filePath(QStringLiteral("serija"));
    const QString prepreka = dir.filePath(QStringLiteral("prepreka")); // a file, not a directory
    QFile(prepreka).open(QIODevice::WriteOnly);
    const QString pun = QStringLiteral("Na standardni izlaz ne moze da se pise: No space left on "
                                       "device\n");
    const QString prevelik = QStringLiteral("' ne moze da se snimi: File too large\n");
    // Megabytes of CSV wait for the run's end in a temporary file.
    const QStringList duga = {d, "--duration", "1e5", "--step", "1", "--print", "1"};
    const QString privremeni = "Privremeni fajl u '" + QDir::tempPath() + prevelik;
    const struct {
        QStringList argumenti;
        bool naPunUredjaj;      // standard output on /dev/full
        rlim_t najvecaVelicina; // of a file written, 0: no limit
        QString greske;
    } slucajevi[] = {
        {jedna, true, 0, pun},
        {serija, true, 0, pun},
        {duga, false, 1000, privremeni},
        {duga + QStringList{"--sweep", "2.p1=1,2"}, false, 1000, privremeni},
        {jedna + QStringList{"--output", fajl}, false, 1000, "Fajl '" + fajl + prevelik},
        {serija + QStringList{"--output", fajl}, false, 1000, "Fajl '" + fajl + prevelik},
        {serija + QStringList{"--output-dir", direktorijum}, false, 1000,
         "Fajl '" + direktorijum + "/run-1.csv" + prevelik},
        {serija + QStringList{"--output-dir", prepreka + "/serija"}, false, 0,
         "Direktorijum '" + prepreka + "/serija' ne moze da se napravi: Not a directory\n"},
    };
    // Beyond the size limit a write fails (EFBIG) instead of killing the process.
    const auto prethodni = std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& s : slucajevi) {
        const std::string opis = s.argumenti.join(' ').toStdString();
        QFile punUredjaj(QStringLiteral("/dev/full"));
        ASSERT_TRUE(punUredjaj.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        rlimit granica{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &granica), 0);
        const rlimit staro = granica;
        if (s.najvecaVelicina > 0) granica.rlim_cur = s.najvecaVelicina;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &granica), 0);
        const TPaketniRezultat r =
            Pokreni(s.argumenti, nullptr, s.naPunUredjaj ? &punUredjaj : nullptr);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &staro), 0);
        EXPECT_EQ(r.Kod, 1) << opis;
        EXPECT_EQ(r.Greske, s.greske) << opis;
        EXPECT_FALSE(QFile::exists(fajl)) << opis;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).filter(".csv"), QStringList()) << opis;
    }
    std::signal(SIGXFSZ, prethodni);

    // A FIFO (as a device) is written into, never replaced by a file.
    const QString fifo = dir.filePath(QStringLiteral("fifo.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // The reading end open first: the CSV fits in the pipe's buffer.
    const int citac = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(citac, 0);
    const TPaketniRezultat r = Pokreni(jedna + QStringList{"--output", fifo});
    EXPECT_EQ(r.Kod, 0) << r.Greske.toStdString();
    QFile procitano;
    ASSERT_TRUE(procitano.open(citac, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    EXPECT_EQ(QString::fromUtf8(procitano.readAll()), Pokreni(jedna).Izlaz);
    struct stat podaci {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &podaci), 0);
    EXPECT_TRUE(S_ISFIFO(podaci.st_mode));

    // The program's own standard output: the end of --help that did not fit.
    std::fflush(stdout);
    std::fflush(stderr);
    const int izlaz = ::dup(STDOUT_FILENO), greske = ::dup(STDERR_FILENO);
    const QString greskeFajl = dir.filePath(QStringLiteral("greske.txt"));
    const int punUredjaj = ::open("/dev/full", O_WRONLY);
    const int zaGreske =
        ::open(QFile::encodeName(greskeFajl).constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(punUredjaj, 0);
    ASSERT_GE(zaGreske, 0);
    ::dup2(punUredjaj, STDOUT_FILENO);
    ::dup2(zaGreske, STDERR_FILENO);
    char ime[] = "skem", pomoc[] = "--help";
    char* argv[] = {ime, pomoc, nullptr};
    const int kod = PokreniOpcijePrograma(2, argv);
    std::fflush(stderr);
    ::dup2(izlaz, STDOUT_FILENO);
    ::dup2(greske, STDERR_FILENO);
    for (const int f : {izlaz, greske, punUredjaj, zaGreske})
        ::close(f);
    EXPECT_EQ(kod, 1);
    QFile g(greskeFajl);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(g.readAll()), pun);
}

TEST_F(Paketno, ARunEndedByAQuitSaysSoAndWhenOnTheErrorStream) {
    // y = 1 + 2t (blocks 1, 2); block 5 quits once the time (3) passes p1 of
    // block 4. With h = P = 0.25 and p1 = 0.6 the step from 0.5 to 0.75 is the last.
    const QString d =
        Dokument("quit.skem",
                 Blok(1, 12, "K", 0, 2) + Blok(2, 10, "I", 3, 1) + Blok(3, 25, "T", 0) +
                     Blok(4, 12, "P", 0, 0.6) + Blok(5, 19, "Q", 2),
                 Veza(1, 2, 0) + Veza(3, 5, 0) + Veza(4, 5, 1));
    const QStringList opcije = {d, "--duration", "1", "--step", "0.25", "--print", "0.25"};
    const QString quit = QStringLiteral("Kraj simulacije od strane Quit elementa. t = 0.75\n");
    const struct {
        QStringList argumenti;
        QString greske;
    } slucajevi[] = {
        {opcije, quit},
        {opcije + QStringList{"--set", "4.p1=5"}, {}},
        // Run 2 does not quit; the long form holds both runs whole.
        {opcije + QStringList{"--sweep", "4.p1=0.6,5"}, "Simulacija 1 (4.p1=0.6): " + quit},
    };
    for (const auto& s : slucajevi) {
        const std::string opis = s.argumenti.join(' ').toStdString();
        const TPaketniRezultat r = Pokreni(s.argumenti);
        EXPECT_EQ(r.Kod, 0) << opis;
        EXPECT_EQ(r.Greske, s.greske) << opis;
        TTabela t;
        ASSERT_TRUE(ProcitajCsv(r.Izlaz, t)) << opis;
        const int y = t.Kolona(2), vreme = t.Zaglavlje.indexOf("t");
        ASSERT_GE(y, 0);
        ASSERT_EQ(t.Redovi.size() % 5, 0u) << opis;
        // Up to the stop 1 + 2t, zeros after it; without a Quit 1 + 2t throughout.
        for (std::size_t k = 0; k < t.Redovi.size(); ++k) {
            const auto& red = t.Redovi[k];
            const bool zaustavljen = !s.greske.isEmpty() && (t.Redovi.size() == 5 || red[0] == 1);
            const double ocekivano = zaustavljen && red[vreme] > 0.5 ? 0 : 1 + 2 * red[vreme];
            EXPECT_EQ(red[y], ocekivano) << opis << " row " << k;
        }
    }
}

TEST_F(Paketno, FileNamesAreTheirBytes) {
    // A name that is no UTF-8 text, as the command line gives it.
    const QByteArray ime = QFile::encodeName(dir.path()) + "/ime\xff\xfe.skem";
    QFile izvor(Prava());
    ASSERT_TRUE(izvor.open(QIODevice::ReadOnly));
    const QByteArray dokument = izvor.readAll();
    const int f = ::open(ime.constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(f, 0);
    ASSERT_EQ(::write(f, dokument.constData(), std::size_t(dokument.size())), dokument.size());
    ::close(f);
    const QStringList opcije = {"--duration", "1", "--step", "0.5", "--print", "0.5"};

    QByteArray prviArgument = ime;
    char* argv[] = {prviArgument.data(), prviArgument.data()};
    const QStringList argumenti = ArgumentiKomandneLinije(2, argv);
    ASSERT_EQ(argumenti.size(), 1);
    EXPECT_EQ(ImeUBajtovima(argumenti[0]), ime);
    const TPaketniRezultat r = Pokreni(argumenti + opcije);
    EXPECT_EQ(r.Kod, 0) << r.Greske.toStdString();
    EXPECT_EQ(r.Izlaz, Pokreni(QStringList{Prava()} + opcije).Izlaz);

    // Qt writes names as UTF-8 only: such an output name is refused.
    const TPaketniRezultat izlaz =
        Pokreni(QStringList{Prava()} + opcije + QStringList{"--output", argumenti[0]});
    EXPECT_EQ(izlaz.Kod, 2);
    EXPECT_TRUE(izlaz.Greske.startsWith("Opcija --output ")) << izlaz.Greske.toStdString();
    EXPECT_TRUE(izlaz.Greske.endsWith(": ime nije ispravan UTF-8 tekst.\n"));
    // Text that is UTF-8, also of more bytes a letter, stays as it is.
    for (const char* tekst : {"prava.skem", "\xc5\xa1"
                                            "ema \xe2\x82\xac\xf0\x9f\x98\x80.skem"}) {
        const QByteArray bajtovi(tekst);
        EXPECT_EQ(ArgumentKomandneLinije(bajtovi), QString::fromUtf8(bajtovi)) << tekst;
        EXPECT_EQ(ImeUBajtovima(ArgumentKomandneLinije(bajtovi)), bajtovi) << tekst;
    }
}

struct TProces {
    int Kod = -1;
    QString Izlaz, Greske;
};

// The program run as a script runs it, its output streams into files, with
// no display and a platform that does not exist.
TProces PokreniProgram(const QString& program, const QStringList& argumenti, const QString& dir) {
    std::vector<QByteArray> argumentiBajtovi{QFile::encodeName(program)};
    for (const QString& a : argumenti)
        argumentiBajtovi.push_back(ImeUBajtovima(a));
    std::vector<QByteArray> okolina{"QT_QPA_PLATFORM=nonexistent"};
    for (char** e = environ; *e; ++e) {
        const QByteArray v(*e);
        if (!v.startsWith("DISPLAY=") && !v.startsWith("WAYLAND_DISPLAY=") &&
            !v.startsWith("QT_QPA_PLATFORM="))
            okolina.push_back(v);
    }
    const auto pokazivaci = [](std::vector<QByteArray>& v) {
        std::vector<char*> p;
        for (QByteArray& b : v)
            p.push_back(b.data());
        p.push_back(nullptr);
        return p;
    };
    std::vector<char*> argv = pokazivaci(argumentiBajtovi), envp = pokazivaci(okolina);
    const QByteArray izlaz = QFile::encodeName(dir + "/izlaz.txt");
    const QByteArray greske = QFile::encodeName(dir + "/greske.txt");
    std::fflush(nullptr);
    const pid_t dete = fork();
    if (dete == 0) {
        const int o = ::open(izlaz.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int g = ::open(greske.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (o < 0 || g < 0 || ::dup2(o, STDOUT_FILENO) < 0 || ::dup2(g, STDERR_FILENO) < 0)
            _exit(126);
        ::execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    TProces r;
    int stanje = 0;
    if (dete < 0 || waitpid(dete, &stanje, 0) != dete) return r;
    r.Kod = WIFEXITED(stanje) ? WEXITSTATUS(stanje) : 128 + WTERMSIG(stanje);
    for (const auto& [ime, tekst] : {std::pair{&izlaz, &r.Izlaz}, std::pair{&greske, &r.Greske}}) {
        QFile f(QFile::decodeName(*ime));
        if (f.open(QIODevice::ReadOnly)) *tekst = QString::fromUtf8(f.readAll());
    }
    return r;
}

TEST_F(Paketno, TheProgramRunsWithoutDisplayOrPlatformPlugins) {
    // A copy of the program whose qt.conf puts Qt's plugins where there are
    // none, as on a machine without them.
    const QString program = dir.filePath(QStringLiteral("skem"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SKEM_PROGRAM), program));
    QFile konfiguracija(dir.filePath(QStringLiteral("qt.conf")));
    ASSERT_TRUE(konfiguracija.open(QIODevice::WriteOnly));
    konfiguracija.write("[Paths]\nPlugins = nema\n");
    konfiguracija.close();

    const QString d = Prava();
    const QStringList opcije = {"--duration", "1", "--step", "0.25", "--print", "0.5"};
    const QStringList slucajevi[] = {
        QStringList{"--run", d} + opcije,
        QStringList{"--run", d} + opcije + QStringList{"--sweep", "2.p1=1,2", "--jobs", "2"},
        QStringList{"--run", dir.filePath(QStringLiteral("nema.skem"))} + opcije,
        QStringList{"--run", d, "--duration", "1"},
        {"--version"},
        {"--help"},
    };
    for (const QStringList& argumenti : slucajevi) {
        const std::string opis = argumenti.join(' ').toStdString();
        // The same as the same arguments given to the batch mode in this process.
        TPaketniRezultat ocekivano;
        {
            QTextStream izlaz(&ocekivano.Izlaz), greske(&ocekivano.Greske);
            ocekivano.Kod = argumenti[0] == QLatin1String("--run")
                                ? IzvrsiPaketno(argumenti, izlaz, greske)
                                : IzvrsiOpcijePrograma(argumenti, izlaz, greske);
        }
        const TProces r = PokreniProgram(program, argumenti, dir.path());
        EXPECT_EQ(r.Kod, ocekivano.Kod) << opis << ": " << r.Greske.toStdString();
        EXPECT_EQ(r.Izlaz.toStdString(), ocekivano.Izlaz.toStdString()) << opis;
        EXPECT_EQ(r.Greske.toStdString(), ocekivano.Greske.toStdString()) << opis;
    }
}

TEST(OpcijePrograma, IspisujuIliOdbijajuPreEditora) {
    const QString upotreba = UpotrebaPrograma();
    const struct {
        QStringList argumenti;
        int kod;
        QString izlaz, greske;
    } slucajevi[] = {
        {{}, PokreniEditor, {}, {}},
        {{"primer.skem"}, PokreniEditor, {}, {}},
        // One dash: Qt's own options, left to Qt.
        {{"-style", "fusion", "primer.skem"}, PokreniEditor, {}, {}},
        {{"--version"}, 0, VerzijaPrograma() + '\n', {}},
        {{"primer.skem", "--help"}, 0, upotreba, {}},
        {{"--brzo"}, 2, {}, "Nepoznata opcija --brzo.\n" + upotreba},
        {{"primer.skem", "--run"}, 2, {}, "Opcija --run mora biti prvi argument.\n" + upotreba},
    };
    for (const auto& s : slucajevi) {
        QString izlaz, greske;
        QTextStream i(&izlaz), g(&greske);
        EXPECT_EQ(IzvrsiOpcijePrograma(s.argumenti, i, g), s.kod)
            << s.argumenti.join(' ').toStdString();
        i.flush();
        g.flush();
        EXPECT_EQ(izlaz, s.izlaz) << s.argumenti.join(' ').toStdString();
        EXPECT_EQ(greske, s.greske) << s.argumenti.join(' ').toStdString();
    }
    EXPECT_TRUE(VerzijaPrograma().startsWith("SKEM ")) << VerzijaPrograma().toStdString();
    for (const char* opcija :
         {"--version", "--help", "--run", "--duration", "--step", "--print", "--output"})
        EXPECT_TRUE(upotreba.contains(QLatin1String(opcija))) << opcija;
}

} // namespace

namespace {

// The numbers of a CSV's column, or an empty list when it does not read.
std::vector<double> Stupac(const QString& csv, int blok) {
    TTabela t;
    std::vector<double> v;
    if (!ProcitajCsv(csv, t) || t.Kolona(blok) < 0) return v;
    for (const auto& red : t.Redovi)
        v.push_back(red[size_t(t.Kolona(blok))]);
    return v;
}

} // namespace

TEST_F(Paketno, IntegrationMethodsFromTheCommandLineOrTheDocument) {
    // y' = -y, y(0) = 1; the same with the method saved in the document.
    const QString pad = Dokument("pad.skem", Blok(1, 10, "I", 3, 1) + Blok(2, 15, "N", 1),
                                 Veza(1, 2, 0) + Veza(2, 1, 0));
    const QString bdf = dir.filePath(QStringLiteral("pad_bdf.skem"));
    {
        QFile iz(pad), u(bdf);
        ASSERT_TRUE(iz.open(QIODevice::ReadOnly) && u.open(QIODevice::WriteOnly));
        u.write(iz.readAll().replace(
            "</SKEMDokument>", "<MetodIntegracije><Metod>bdf</Metod><RelativnaTolerancija>"
                               "1E-8</RelativnaTolerancija></MetodIntegracije></SKEMDokument>"));
    }
    const QStringList opcije = {"--duration", "2", "--step", "0.5", "--print", "0.5"};
    const struct {
        QString dokument;
        QStringList dodatak;
        int kod;
        QString greske;
    } odbijeni[] = {
        {pad, {"--metod", "euler"}, 2, "Opcija --metod euler: ocekuje se rk4, dp45 ili bdf.\n"},
        {pad,
         {"--metod", "dp45", "--rtol", "0"},
         2,
         "Relativna tolerancija mora biti pozitivan realan broj!\n"},
        {pad,
         {"--metod", "bdf", "--atol", "x"},
         2,
         "Apsolutna tolerancija mora biti pozitivan realan broj!\n"},
        {pad, {"--rtol", "1e-8"}, 2, "Opcije --rtol i --atol vaze samo uz metode dp45 i bdf.\n"},
        {bdf,
         {"--metod", "rk4", "--atol", "1e-8"},
         2,
         "Opcije --rtol i --atol vaze samo uz metode dp45 i bdf.\n"},
    };
    for (const auto& s : odbijeni) {
        const TPaketniRezultat r = Pokreni(QStringList{s.dokument} + opcije + s.dodatak);
        EXPECT_EQ(r.Kod, s.kod) << s.greske.toStdString();
        EXPECT_EQ(r.Greske, s.greske);
        EXPECT_TRUE(r.Izlaz.isEmpty());
    }

    // The document's method, or the command line's over it; a sweep on threads gives each
    // run as it gives it alone.
    const QString rk4 = Pokreni(QStringList{pad} + opcije).Izlaz;
    const QString izDokumenta = Pokreni(QStringList{bdf} + opcije).Izlaz;
    EXPECT_EQ(
        Pokreni(QStringList{pad} + opcije + QStringList{"--metod", "bdf", "--rtol", "1e-8"}).Izlaz,
        izDokumenta);
    EXPECT_EQ(Pokreni(QStringList{bdf} + opcije + QStringList{"--metod", "rk4"}).Izlaz, rk4);
    for (const QString& metod : {"dp45", "bdf"}) {
        const QStringList m = opcije + QStringList{"--metod", metod};
        const std::vector<double> y = Stupac(Pokreni(QStringList{pad} + m).Izlaz, 1);
        ASSERT_EQ(y.size(), 5u);
        for (std::size_t k = 0; k < y.size(); ++k)
            EXPECT_NEAR(y[k], std::exp(-0.5 * double(k)), 1e-5) << metod.toStdString();
        const TPaketniRezultat serija =
            Pokreni(QStringList{pad} + m + QStringList{"--sweep", "1.p1=1,2", "--jobs", "2"});
        EXPECT_EQ(serija.Kod, 0);
        const TPaketniRezultat dva = Pokreni(QStringList{pad} + m + QStringList{"--set", "1.p1=2"});
        TTabela t;
        ASSERT_TRUE(ProcitajCsv(serija.Izlaz, t));
        ASSERT_EQ(t.Redovi.size(), 10u);
        const std::vector<double> y2 = Stupac(dva.Izlaz, 1);
        for (std::size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(t.Redovi[k][size_t(t.Kolona(1))], y[k]);
            EXPECT_EQ(t.Redovi[k + 5][size_t(t.Kolona(1))], y2[k]);
        }
    }

    // y' = y^2, y(0) = 1 passes 1 only as 1 / (1 - t): the rows before are kept, exit 1.
    const QString eksplozija =
        Dokument("eksplozija.skem", Blok(1, 10, "I", 3, 1) + Blok(2, 27, "M", 2),
                 Veza(1, 2, 0) + Veza(1, 2, 1) + Veza(2, 1, 0));
    const QString fajl = dir.filePath(QStringLiteral("eksplozija.csv"));
    for (const QStringList& izlaz : {QStringList(), QStringList{"--output", fajl}}) {
        const TPaketniRezultat r =
            Pokreni(QStringList{eksplozija} + opcije + QStringList{"--metod", "dp45"} + izlaz);
        EXPECT_EQ(r.Kod, 1);
        const QString pocetak = QStringLiteral("Resavac nije uspeo da napreduje posle t = ");
        ASSERT_TRUE(r.Greske.startsWith(pocetak)) << r.Greske.toStdString();
        const double t = r.Greske.mid(pocetak.size()).section('\n', 0, 0).toDouble();
        EXPECT_GT(t, 0.9);
        EXPECT_LT(t, 1.01);
        QString csv = r.Izlaz;
        if (!izlaz.isEmpty()) {
            QFile f(fajl);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            csv = QString::fromUtf8(f.readAll());
        }
        const std::vector<double> y = Stupac(csv, 1);
        ASSERT_EQ(y.size(), 5u);
        EXPECT_NEAR(y[1], 2, 1e-5);
        EXPECT_EQ(y[3], 0);
    }
}
