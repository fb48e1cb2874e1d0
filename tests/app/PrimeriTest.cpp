// Every example document run through the batch mode, its results checked
// against the mathematics of the model it describes (analytic solutions,
// known limit-cycle figures, conserved quantities), not against earlier runs.
#include "ModelDokumenta.h"
#include "PaketniPomoc.h"
#include "Prevodjenje.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

QString Primeri() {
    return QString::fromLocal8Bit(qgetenv("SKEM_SOURCE_DIR")) + QStringLiteral("/examples");
}

// Runs an example and reads its CSV; fails the test when the run does not
// succeed. What the run wrote on the error stream goes to *greske when asked
// for (a Quit says so there), else there must be nothing.
TTabela Izvrsi(const char* ime, const char* trajanje, const char* korak, const char* stampa,
               QString* greske = nullptr) {
    const TPaketniRezultat r = Pokreni({Primeri() + '/' + QString::fromLatin1(ime), "--duration",
                                        trajanje, "--step", korak, "--print", stampa});
    EXPECT_EQ(r.Kod, 0) << ime << ": " << r.Greske.toStdString();
    if (greske)
        *greske = r.Greske;
    else
        EXPECT_TRUE(r.Greske.isEmpty()) << r.Greske.toStdString();
    TTabela t;
    EXPECT_TRUE(ProcitajCsv(r.Izlaz, t)) << r.Izlaz.left(300).toStdString();
    return t;
}

// The column of block n; fails when it is missing.
int Kolona(const TTabela& t, int n) {
    const int k = t.Kolona(n);
    EXPECT_GE(k, 0) << "no column for block " << n << " in " << t.Zaglavlje.join(',').toStdString();
    return k;
}

TEST(Primeri, EveryExampleHasATest) {
    const QStringList fajlovi =
        QDir(Primeri()).entryList({QStringLiteral("*.skem")}, QDir::Files, QDir::Name);
    EXPECT_EQ(fajlovi,
              QStringList({"algebarska_petlja.skem", "generator_funkcija.skem", "grananje.skem",
                           "klatno.skem", "lotka_volterra.skem", "oscilator.skem", "pad_tela.skem",
                           "pad_tela_tacno.skem", "podsistem.skem", "regulacija.skem",
                           "robertson.skem", "vanderpol.skem"}));
}

TEST(Primeri, LibrarySubsystemsCloseALoopWhoseIntegralActionRemovesTheError) {
    // r = 1 through a PID, a saturating actuator and a second-order plant:
    // the error starts at r and the integral action leaves none at rest.
    const TTabela t = Izvrsi("regulacija.skem", "30", "0.01", "1");
    ASSERT_EQ(t.Redovi.size(), 31u);
    const int e = Kolona(t, 2);
    ASSERT_GE(e, 0);
    EXPECT_EQ(t.Redovi.front()[e], 1);
    EXPECT_NEAR(t.Redovi.back()[e], 0, 1e-4);
}

TEST(Primeri, DampedOscillatorFollowsItsAnalyticSolution) {
    const TTabela t = Izvrsi("oscilator.skem", "10", "0.01", "0.1");
    ASSERT_EQ(t.Redovi.size(), 101u);
    const int v = Kolona(t, 2), x = Kolona(t, 3);
    ASSERT_GE(v, 0);
    ASSERT_GE(x, 0);
    const double wd = 2 * std::sqrt(0.99);
    for (const auto& red : t.Redovi) {
        const double s = red[0];
        const double e = std::exp(-0.2 * s);
        EXPECT_NEAR(red[x], e * (std::cos(wd * s) + 0.2 / wd * std::sin(wd * s)), 1e-6) << s;
        // x' = -(omega^2 / wd) e^(-0.2 t) sin(wd t)
        EXPECT_NEAR(red[v], -4 / wd * e * std::sin(wd * s), 1e-6) << s;
    }
}

// The same section in two subsystems: one free, one driven, their sum constant.
TEST(Primeri, TwoCopiesOfASubsystemFollowTheSectionsSolution) {
    const TTabela t = Izvrsi("podsistem.skem", "10", "0.01", "0.1");
    ASSERT_EQ(t.Redovi.size(), 101u);
    const int slobodna = int(t.Zaglavlje.indexOf("2/4. Integrator"));
    const int pobudjena = int(t.Zaglavlje.indexOf("3/4. Integrator"));
    const int zbir = Kolona(t, 4);
    ASSERT_GE(slobodna, 0);
    ASSERT_GE(pobudjena, 0);
    ASSERT_GE(zbir, 0);
    const double wd = 2 * std::sqrt(0.99);
    for (const auto& red : t.Redovi) {
        const double s = red[0];
        const double x = std::exp(-0.2 * s) * (std::cos(wd * s) + 0.2 / wd * std::sin(wd * s));
        EXPECT_NEAR(red[slobodna], x, 1e-6) << s;
        EXPECT_NEAR(red[pobudjena], 1 - x, 1e-6) << s;
        EXPECT_NEAR(red[zbir], 1, 1e-9) << s;
    }
}

// The pendulum passes through the measurements the document names (the same
// pendulum, noise of at most 0.02 rad), and its swing dies away.
TEST(Primeri, PendulumPassesThroughItsMeasurementsAndSwingsLess) {
    const QString dokument = Primeri() + QStringLiteral("/klatno.skem");
    const skem::TProcitanModel procitan = skem::ProcitajModelIzFajla(dokument);
    ASSERT_FALSE(procitan.Greska) << procitan.Greska->toStdString();
    ASSERT_EQ(procitan.Model.Merenja.size(), 1u);
    QFile f(QDir(Primeri()).filePath(procitan.Model.Merenja.front()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
    TTabela merenja;
    ASSERT_TRUE(ProcitajCsv(QString::fromUtf8(f.readAll()), merenja));
    ASSERT_EQ(merenja.Zaglavlje, QStringList({"t", "theta"}));
    ASSERT_GE(merenja.Redovi.size(), 20u);

    const TTabela t = Izvrsi("klatno.skem", "10", "0.01", "0.05");
    ASSERT_EQ(t.Redovi.size(), 201u);
    const int theta = Kolona(t, 3);
    ASSERT_GE(theta, 0);
    for (const auto& m : merenja.Redovi) {
        const auto red = std::find_if(t.Redovi.begin(), t.Redovi.end(),
                                      [&](const auto& r) { return std::abs(r[0] - m[0]) < 1e-9; });
        ASSERT_NE(red, t.Redovi.end()) << m[0];
        EXPECT_NEAR((*red)[theta], m[1], 0.05) << m[0];
    }
    // The largest swing of each 2.5 s (longer than a half period) is smaller
    // than the one before.
    double pre = 2;
    for (int deo = 0; deo < 4; ++deo) {
        double najveci = 0;
        for (const auto& r : t.Redovi)
            if (r[0] >= 2.5 * deo && r[0] < 2.5 * (deo + 1))
                najveci = std::max(najveci, std::abs(r[theta]));
        EXPECT_LT(najveci, pre) << deo;
        EXPECT_GT(najveci, 0.3) << deo;
        pre = najveci;
    }
}

TEST(Primeri, VanDerPolSettlesOnItsLimitCycle) {
    const TTabela t = Izvrsi("vanderpol.skem", "60", "0.01", "0.01");
    const int x = Kolona(t, 7);
    ASSERT_GE(x, 0);
    // Upward zero crossings after the transient, interpolated between rows.
    std::vector<double> prolazi;
    double amplituda = 0;
    for (size_t i = 1; i < t.Redovi.size(); ++i) {
        const auto& a = t.Redovi[i - 1];
        const auto& b = t.Redovi[i];
        if (a[0] < 20) continue;
        amplituda = std::max(amplituda, std::abs(b[x]));
        if (a[x] < 0 && b[x] >= 0) prolazi.push_back(a[0] + (b[0] - a[0]) * -a[x] / (b[x] - a[x]));
    }
    ASSERT_GE(prolazi.size(), 4u);
    const double period = (prolazi.back() - prolazi.front()) / double(prolazi.size() - 1);
    EXPECT_NEAR(period, 6.6633, 0.01);
    EXPECT_NEAR(amplituda, 2.0086, 0.002);
}

TEST(Primeri, LotkaVolterraKeepsItsInvariant) {
    const TTabela t = Izvrsi("lotka_volterra.skem", "30", "0.01", "0.1");
    const int x = Kolona(t, 1), y = Kolona(t, 2), m = Kolona(t, 3);
    ASSERT_GE(x, 0);
    ASSERT_GE(y, 0);
    ASSERT_GE(m, 0);
    const double a = 1, b = 0.5, c = 0.75, d = 0.25;
    auto V = [&](double xv, double yv) {
        return d * xv - c * std::log(xv) + b * yv - a * std::log(yv);
    };
    ASSERT_EQ(t.Redovi.front()[x], 4);
    ASSERT_EQ(t.Redovi.front()[y], 2);
    const double v0 = V(4, 2);
    double xMin = 1e9, xPovratak = 0;
    for (const auto& red : t.Redovi) {
        EXPECT_LT(std::abs(V(red[x], red[y]) - v0) / std::abs(v0), 1e-6) << red[0];
        EXPECT_NEAR(red[m], red[x] * red[y], 1e-9 * std::abs(red[m]) + 1e-12);
        xMin = std::min(xMin, red[x]);
        if (red[0] > 5) xPovratak = std::max(xPovratak, red[x]);
    }
    // The populations really cycle (the invariant of a frozen model would hold
    // too): x = 4 is the orbit's maximum (x' = 0 at y = 2) and is reached again.
    EXPECT_LT(xMin, 2.5);
    EXPECT_GT(xPovratak, 3.99);
}

TEST(Primeri, FallingBodyStopsAtTheGround) {
    QString greske;
    const TTabela t = Izvrsi("pad_tela.skem", "10", "0.01", "0.1", &greske);
    ASSERT_EQ(t.Redovi.size(), 101u);
    const int v = Kolona(t, 2), h = Kolona(t, 3);
    ASSERT_GE(v, 0);
    ASSERT_GE(h, 0);
    const double kraj = std::sqrt(200 / 9.81);
    // The Quit is told with the time reached: the end of the step that crossed the ground.
    const QString quit = QStringLiteral("Kraj simulacije od strane Quit elementa. t = ");
    ASSERT_TRUE(greske.startsWith(quit) && greske.endsWith('\n')) << greske.toStdString();
    const double zaustavljeno = greske.mid(quit.size()).trimmed().toDouble();
    EXPECT_GT(zaustavljeno, kraj);
    EXPECT_LE(zaustavljeno, kraj + 0.01 + 1e-9);
    int posle = 0;
    for (const auto& red : t.Redovi) {
        const double s = red[0];
        if (s < kraj) {
            // A polynomial of degree 2: RK4 is exact up to rounding.
            EXPECT_NEAR(red[h], 100 - 4.905 * s * s, 1e-9) << s;
            EXPECT_NEAR(red[v], -9.81 * s, 1e-9) << s;
        } else {
            ++posle;
            for (size_t k = 1; k < red.size(); ++k)
                EXPECT_EQ(red[k], 0) << s;
        }
    }
    EXPECT_EQ(posle, 55); // t = 4.6 ... 10
}

TEST(Primeri, FallingBodyUnderDormandPrinceStopsAtTheCrossing) {
    QString greske;
    const TTabela t = Izvrsi("pad_tela_tacno.skem", "10", "0.01", "0.1", &greske);
    ASSERT_EQ(t.Redovi.size(), 101u);
    const int h = Kolona(t, 3);
    ASSERT_GE(h, 0);
    const double kraj = std::sqrt(200 / 9.81);
    // The located crossing, with all its digits (no step to round it to).
    const QString quit = QStringLiteral("Kraj simulacije od strane Quit elementa. t = ");
    ASSERT_TRUE(greske.startsWith(quit)) << greske.toStdString();
    EXPECT_NEAR(greske.mid(quit.size()).trimmed().toDouble(), kraj, 1e-8);
    for (const auto& red : t.Redovi)
        EXPECT_NEAR(red[h], red[0] < kraj ? 100 - 4.905 * red[0] * red[0] : 0, 1e-8) << red[0];
}

TEST(Primeri, RobertsonKineticsUnderBdfReachTheirPublishedValues) {
    const TTabela t = Izvrsi("robertson.skem", "4e5", "40", "40");
    ASSERT_EQ(t.Redovi.size(), 10001u);
    const int y1 = Kolona(t, 1), y2 = Kolona(t, 2), y3 = Kolona(t, 3);
    ASSERT_GE(std::min({y1, y2, y3}), 0);
    // At t = 40, the published 0.7158271, 9.185535E-6 and 0.2841637 to four
    // digits; the sum stays 1 to the end.
    EXPECT_NEAR(t.Redovi[1][y1], 0.7158271, 0.00005);
    EXPECT_NEAR(t.Redovi[1][y2], 9.185535e-6, 0.0005e-6);
    EXPECT_NEAR(t.Redovi[1][y3], 0.2841637, 0.00005);
    for (const auto& red : t.Redovi)
        ASSERT_NEAR(red[y1] + red[y2] + red[y3], 1, 1e-6) << red[0];
}

TEST(Primeri, AlgebraicLoopIsSolvedByTheWye) {
    const TTabela t = Izvrsi("algebarska_petlja.skem", "10", "0.01", "0.1");
    const int y = Kolona(t, 6), z = Kolona(t, 7);
    ASSERT_GE(y, 0);
    ASSERT_GE(z, 0);
    for (const auto& red : t.Redovi) {
        const double s = red[0];
        EXPECT_NEAR(red[y], 2 * std::sin(s) + 4, 1e-9) << s;
        EXPECT_NEAR(red[z], 4 * s - 2 * std::cos(s), 1e-8) << s;
    }
}

TEST(Primeri, FunctionGeneratorInterpolatesItsTable) {
    const TTabela t = Izvrsi("generator_funkcija.skem", "9", "0.01", "0.05");
    const int f = Kolona(t, 2), z = Kolona(t, 3);
    ASSERT_GE(f, 0);
    ASSERT_GE(z, 0);
    // Table i^2 at i = 0..10: between i and i + 1 the output is i^2 + (t - i)(2i + 1),
    // and its integral from 0 is the sum of the whole intervals plus the part.
    auto izlaz = [](double s) {
        const double i = std::min(std::floor(s + 1e-12), 9.0);
        return i * i + (s - i) * (2 * i + 1);
    };
    auto integral = [](double s) {
        const double i = std::min(std::floor(s + 1e-12), 9.0);
        double zbir = 0;
        for (int k = 0; k < int(i); ++k)
            zbir += k * k + (2 * k + 1) / 2.0;
        const double u = s - i;
        return zbir + i * i * u + (2 * i + 1) * u * u / 2;
    };
    ASSERT_EQ(t.Redovi.size(), 181u);
    for (const auto& red : t.Redovi) {
        EXPECT_NEAR(red[f], izlaz(red[0]), 1e-9) << red[0];
        EXPECT_NEAR(red[z], integral(red[0]), 1e-6) << red[0];
    }
    // Not the identity a generator without its own ordinates would give.
    EXPECT_NEAR(t.Redovi[50][f], 6.5, 1e-9); // t = 2.5: 4 + 0.5 * 5
}

TEST(Primeri, OneOutputFansOutThroughJunctions) {
    const TTabela t = Izvrsi("grananje.skem", "10", "0.01", "0.1");
    const int g = Kolona(t, 3), a = Kolona(t, 4), z = Kolona(t, 5), s = Kolona(t, 2);
    ASSERT_GE(g, 0);
    ASSERT_GE(a, 0);
    ASSERT_GE(z, 0);
    ASSERT_GE(s, 0);
    // The time source (block 1) has no column.
    EXPECT_EQ(t.Kolona(1), -1);
    for (const auto& red : t.Redovi) {
        const double x = red[0];
        EXPECT_NEAR(red[s], std::sin(x), 1e-12) << x;
        EXPECT_NEAR(red[g], 2 * std::sin(x), 1e-12) << x;
        EXPECT_NEAR(red[a], std::abs(std::sin(x)), 1e-12) << x;
        EXPECT_NEAR(red[z], -std::cos(x), 1e-8) << x;
    }
    EXPECT_NEAR(t.Redovi.back()[0], 10, 1e-12);
}

} // namespace

// Every example, alone and as a sweep, compiled and interpreted: the same CSV
// byte for byte. Without the compiler "auto" runs interpreted and "da" is refused.
TEST(Primeri, PrevedeniIProtumaceniDajuIstiCsv) {
    const QStringList fajlovi =
        QDir(Primeri()).entryList({QStringLiteral("*.skem")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(fajlovi.isEmpty());
    std::string razlog;
    const bool moguce = skem::PrevodilacDostupan(&razlog);
    for (const QString& ime : fajlovi) {
        const QStringList osnova = {
            Primeri() + '/' + ime, "--duration", "20", "--step", "0.01", "--print", "0.1"};
        for (const QStringList& dodatak :
             {QStringList(), QStringList({"--runs", "3", "--seed", "1", "--jobs", "2"})}) {
            const TPaketniRezultat ne =
                Pokreni(osnova + dodatak + QStringList{"--prevodjenje", "ne"});
            for (const char* nacin : {"da", "auto"}) {
                const TPaketniRezultat r =
                    Pokreni(osnova + dodatak + QStringList{"--prevodjenje", nacin});
                if (!moguce && QLatin1String(nacin) == QLatin1String("da")) {
                    EXPECT_EQ(r.Kod, 2) << r.Greske.toStdString();
                    continue;
                }
                EXPECT_EQ(r.Kod, ne.Kod) << ime.toStdString() << ' ' << nacin;
                EXPECT_EQ(r.Greske, ne.Greske) << ime.toStdString() << ' ' << nacin;
                EXPECT_TRUE(r.Izlaz == ne.Izlaz) << ime.toStdString() << ' ' << nacin;
                EXPECT_GT(r.Izlaz.size(), 100) << ime.toStdString();
            }
            // A file is written as the run goes on, the output stream from the
            // matrix after it: the same bytes, compiled or not.
            for (const char* nacin : {"ne", "auto"}) {
                const QString fajl = QDir::temp().filePath(QStringLiteral("skem-primer.csv"));
                const TPaketniRezultat r = Pokreni(
                    osnova + dodatak + QStringList{"--prevodjenje", nacin, "--output", fajl});
                QFile f(fajl);
                EXPECT_EQ(r.Kod, ne.Kod) << ime.toStdString() << ' ' << nacin;
                EXPECT_EQ(r.Greske, ne.Greske) << ime.toStdString() << ' ' << nacin;
                ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << ime.toStdString();
                EXPECT_TRUE(QString::fromUtf8(f.readAll()) == ne.Izlaz)
                    << ime.toStdString() << ' ' << nacin;
                f.remove();
            }
        }
    }
    if (!moguce) GTEST_SKIP() << "compiled runs not checked: " << razlog;

    const QStringList pad = {Primeri() + "/oscilator.skem",
                             "--duration",
                             "1",
                             "--step",
                             "0.1",
                             "--print",
                             "0.5",
                             "--prevodjenje"};
    EXPECT_EQ(Pokreni(pad + QStringList{"mozda"}).Kod, 2);
    const TPaketniRezultat ne = Pokreni(pad + QStringList{"ne"});
    skem::PostaviBibliotekuPrevodioca("libskem-nepostojeci-prevodilac.so.0");
    const TPaketniRezultat da = Pokreni(pad + QStringList{"da"});
    const TPaketniRezultat automatski = Pokreni(pad + QStringList{"auto"});
    skem::PostaviBibliotekuPrevodioca("libgccjit.so.0");
    EXPECT_EQ(da.Kod, 2);
    EXPECT_TRUE(da.Greske.contains("--prevodjenje da")) << da.Greske.toStdString();
    EXPECT_TRUE(da.Izlaz.isEmpty());
    EXPECT_EQ(automatski.Kod, 0);
    EXPECT_TRUE(automatski.Greske.isEmpty()) << automatski.Greske.toStdString();
    EXPECT_TRUE(automatski.Izlaz == ne.Izlaz);
}
