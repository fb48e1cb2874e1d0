// Batch mode: arguments, the options checks, exit codes, messages and the CSV;
// and the program's own options (--version, --help) looked at before the editor.
#include "PaketniPomoc.h"

#include <QDir>
#include <QFile>
#include <atomic>
#include <csignal>
#include <gtest/gtest.h>

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
    const QStringList opcije = {"--duration", "1", "--step", "0.5", "--print", "0.5"};
    const struct {
        QString dokument;
        QString poruka;
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
    };
    for (const auto& s : slucajevi) {
        const TPaketniRezultat r = Pokreni(QStringList{s.dokument} + opcije);
        EXPECT_EQ(r.Kod, 1) << s.poruka.toStdString();
        EXPECT_TRUE(r.Greske.startsWith(s.poruka)) << r.Greske.toStdString();
        EXPECT_TRUE(r.Izlaz.isEmpty());
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
