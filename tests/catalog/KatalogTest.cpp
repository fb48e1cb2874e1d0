// The catalogue reader: what it accepts, what it refuses and what it keeps
// when it refuses; where the catalogue is looked for; and our Manifest.xml
// checked against the inputs and parameters each block kind uses.

#include "Katalog.h"
#include "VrsteElemenata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <map>
#include <set>

using ::testing::HasSubstr;

namespace {

QString Stavka(const QString& naziv, const QString& sifra, const QString& dodatak = {}) {
    return QStringLiteral("<stavka><naziv>%1</naziv><sifra>%2</sifra><maxuveza>1</maxuveza>"
                          "<brparam>1</brparam><str1>K</str1><str2>x</str2><str3>x</str3>"
                          "<str4>Ulaz 1</str4><str5>x</str5><str6>x</str6>%3</stavka>")
        .arg(naziv, sifra, dodatak);
}

class KatalogTest : public ::testing::Test {
protected:
    QString Fajl(const QByteArray& sadrzaj, const QString& ime = QStringLiteral("Manifest.xml")) {
        const QString put = dir.filePath(ime);
        QFile f(put);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(sadrzaj);
        return put;
    }
    QString Fajl(const QString& sadrzaj) { return Fajl(sadrzaj.toUtf8()); }

    // Reads and returns the message of the fault ("" when none).
    QString Citaj(const QString& put, QVector<TGrupaKataloga>& grupe) {
        try {
            ProcitajKatalog(put, grupe);
        } catch (const TGreskaKataloga& g) {
            EXPECT_FALSE(g.Poruka().isEmpty());
            EXPECT_EQ(QString::fromStdString(g.what()), g.Poruka());
            return g.Poruka();
        }
        return {};
    }

    QTemporaryDir dir;
};

TEST_F(KatalogTest, ElementNamesAndOrderAreFreeAndExtraChildrenIgnored) {
    // Groups and items by position whatever their names; naziv/stavke and the
    // ten values in any order; unknown children and the root's name ignored.
    const QString xml =
        QStringLiteral(
            "<?xml version=\"1.0\"?><bilo_sta><nesto>zanemari</nesto><grupe>"
            "<prva><naziv>SVE</naziv><stavke>%1%2</stavke></prva>"
            "<druga_grupa><stavke><x>"
            "<str6>c</str6><str5>b</str5><brparam>3</brparam><str4>a</str4><sifra>-4</sifra>"
            "<opis>ignorisi</opis><str3>p3</str3><naziv>Obrnuto</naziv><str2>p2</str2>"
            "<maxuveza> 3 </maxuveza><str1>p1</str1></x></stavke>"
            "<dodatno>ignorisi</dodatno><naziv>DRUGA</naziv></druga_grupa>"
            "</grupe></bilo_sta>")
            .arg(Stavka("Sinus", "21"), Stavka("Van opsega", "99"));
    QVector<TGrupaKataloga> grupe;
    ASSERT_EQ(Citaj(Fajl(xml), grupe), QString());
    ASSERT_EQ(grupe.size(), 2);
    EXPECT_EQ(grupe[0].Naziv, "SVE");
    ASSERT_EQ(grupe[0].Stavke.size(), 2);
    EXPECT_EQ(grupe[0].Stavke[0].Naziv, "Sinus");
    EXPECT_EQ(grupe[0].Stavke[0].ImageIndex, 21);
    EXPECT_EQ(grupe[0].Stavke[1].ImageIndex, 99); // no range checks

    EXPECT_EQ(grupe[1].Naziv, "DRUGA");
    ASSERT_EQ(grupe[1].Stavke.size(), 1);
    const TStavkaKataloga& s = grupe[1].Stavke[0];
    EXPECT_EQ(s.Naziv, "Obrnuto");
    EXPECT_EQ(s.ImageIndex, -4);
    EXPECT_EQ(s.MaxUlaznihVeza, 3);
    EXPECT_EQ(s.BrojParam, 3);
    EXPECT_EQ((std::array<QString, 6>{"p1", "p2", "p3", "a", "b", "c"}), s.Natpisi);
}

TEST_F(KatalogTest, MissingPartsGiveEmptyPaletteOrGroupsWithoutMessage) {
    QVector<TGrupaKataloga> grupe;
    EXPECT_EQ(Citaj(Fajl(QStringLiteral("<katalog><nesto/></katalog>")), grupe), QString());
    EXPECT_TRUE(grupe.isEmpty());

    EXPECT_EQ(Citaj(Fajl(QStringLiteral("<k><grupe><g><naziv>A</naziv><stavke/></g>"
                                        "<g><naziv>B</naziv></g></grupe></k>")),
                    grupe),
              QString());
    ASSERT_EQ(grupe.size(), 2);
    EXPECT_TRUE(grupe[0].Stavke.isEmpty());
    EXPECT_TRUE(grupe[1].Stavke.isEmpty());
}

TEST_F(KatalogTest, FaultEndsTheLoadKeepingWhatWasReadBefore) {
    // The second item of the second group has an empty str6.
    const QString losa = Stavka("Losa", "3").replace("<str6>x</str6>", "<str6></str6>");
    const QString xml = QStringLiteral("<k><grupe><g><naziv>PRVA</naziv><stavke>%1</stavke></g>"
                                       "<g><naziv>DRUGA</naziv><stavke>%2%3%4</stavke></g>"
                                       "<g><naziv>TRECA</naziv><stavke>%1</stavke></g>"
                                       "</grupe></k>")
                            .arg(Stavka("A", "1"), Stavka("B", "2"), losa, Stavka("C", "4"));
    QVector<TGrupaKataloga> grupe;
    const QString poruka = Citaj(Fajl(xml), grupe);
    EXPECT_THAT(poruka.toStdString(), HasSubstr("str6"));
    EXPECT_THAT(poruka.toStdString(), HasSubstr("DRUGA"));
    EXPECT_THAT(poruka.toStdString(), HasSubstr("stavka br. 2"));
    EXPECT_THAT(poruka.toStdString(), HasSubstr("Manifest.xml"));
    ASSERT_EQ(grupe.size(), 2);
    EXPECT_EQ(grupe[0].Stavke.size(), 1);
    ASSERT_EQ(grupe[1].Stavke.size(), 1);
    EXPECT_EQ(grupe[1].Stavke[0].Naziv, "B");
}

TEST_F(KatalogTest, MissingOrEmptyValuesAndGroupNamesAreRefused) {
    struct Slucaj {
        QString stavka;
        std::string ocekivano;
    };
    const std::vector<Slucaj> slucajevi = {
        {Stavka("A", "1").remove("<brparam>1</brparam>"), "brparam"},
        {Stavka("", "1"), "naziv"},
        {Stavka("A", "7a"), "sifra"},
        {Stavka("A", "1.5"), "sifra"},
        {Stavka("A", "99999999999"), "sifra"},
        {Stavka("A", "1").replace("<maxuveza>1</maxuveza>", "<maxuveza>dva</maxuveza>"),
         "maxuveza"},
    };
    for (const Slucaj& s : slucajevi) {
        QVector<TGrupaKataloga> grupe;
        const QString poruka = Citaj(
            Fajl(QStringLiteral("<k><grupe><g><naziv>G</naziv><stavke>%1</stavke></g></grupe></k>")
                     .arg(s.stavka)),
            grupe);
        EXPECT_THAT(poruka.toStdString(), HasSubstr(s.ocekivano)) << s.stavka.toStdString();
        ASSERT_EQ(grupe.size(), 1);
        EXPECT_TRUE(grupe[0].Stavke.isEmpty());
    }

    // A group without a name is not added; the one before it stays.
    QVector<TGrupaKataloga> grupe;
    const QString poruka = Citaj(Fajl(QStringLiteral("<k><grupe><g><naziv>A</naziv></g>"
                                                     "<g><stavke/></g></grupe></k>")),
                                 grupe);
    EXPECT_THAT(poruka.toStdString(), HasSubstr("grupa br. 2"));
    EXPECT_THAT(poruka.toStdString(), HasSubstr("naziv"));
    ASSERT_EQ(grupe.size(), 1);
    EXPECT_EQ(grupe[0].Naziv, "A");
}

TEST_F(KatalogTest, NonElementsAmongGroupsOrItemsAreRefused) {
    QVector<TGrupaKataloga> grupe;
    QString poruka = Citaj(Fajl(QStringLiteral("<k><grupe><g><naziv>A</naziv></g><!-- napomena -->"
                                               "<g><naziv>B</naziv></g></grupe></k>")),
                           grupe);
    EXPECT_THAT(poruka.toStdString(), HasSubstr("komentar"));
    EXPECT_THAT(poruka.toStdString(), HasSubstr("grupe"));
    EXPECT_EQ(grupe.size(), 1);

    grupe.clear();
    poruka = Citaj(Fajl(QStringLiteral("<k><grupe><g><naziv>A</naziv><stavke>%1<?obrada x?>"
                                       "</stavke></g></grupe></k>")
                            .arg(Stavka("S", "1"))),
                   grupe);
    EXPECT_THAT(poruka.toStdString(), HasSubstr("instrukcija"));
    ASSERT_EQ(grupe.size(), 1);
    EXPECT_EQ(grupe[0].Stavke.size(), 1);
}

TEST_F(KatalogTest, FileFaultsAreReportedWithTheirCause) {
    QVector<TGrupaKataloga> grupe;
    const QString nema = dir.filePath(QStringLiteral("nema.xml"));
    QString poruka = Citaj(nema, grupe);
    EXPECT_THAT(poruka.toStdString(), HasSubstr("nema.xml"));
    EXPECT_THAT(poruka.toStdString(), HasSubstr("ne postoji"));

    EXPECT_THAT(Citaj(dir.path(), grupe).toStdString(), HasSubstr("nije fajl"));

    // Not well-formed: the parser's message with the line and the column.
    poruka = Citaj(Fajl(QByteArray("<k>\n<grupe>\n  <g></x>\n</grupe></k>")), grupe);
    EXPECT_THAT(poruka.toStdString(), HasSubstr("nije ispravan XML"));
    EXPECT_THAT(poruka.toStdString(), HasSubstr("red 3"));
    EXPECT_THAT(poruka.toStdString(), HasSubstr("kolona"));
    EXPECT_TRUE(grupe.isEmpty());

    // Nested as deep as allowed reads (as an empty catalogue); deeper is
    // refused at once, however deep (the tree's parser would take minutes).
    const auto ugnjezdeno = [](int dubina) {
        return "<katalog>" + QByteArray("<a>").repeated(dubina - 1) +
               QByteArray("</a>").repeated(dubina - 1) + "</katalog>";
    };
    EXPECT_EQ(Citaj(Fajl(ugnjezdeno(MaksDubinaKataloga)), grupe), QString());
    for (int dubina : {MaksDubinaKataloga + 1, 200000})
        EXPECT_THAT(Citaj(Fajl(ugnjezdeno(dubina)), grupe).toStdString(),
                    HasSubstr("elementi su ugnjezdeni dublje od 256 nivoa."));
    EXPECT_TRUE(grupe.isEmpty());
}

TEST_F(KatalogTest, LookupPrefersWorkingDirectoryThenProgramThenDataDirectories) {
    const QString staraRadna = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    qputenv("XDG_DATA_HOME", dir.filePath("podaci").toUtf8());
    const QStringList mesta = MestaManifesta();
    QDir::setCurrent(staraRadna);

    ASSERT_GE(mesta.size(), 3);
    EXPECT_EQ(mesta[0], QDir(dir.path()).absoluteFilePath("Manifest.xml"));
    EXPECT_EQ(mesta[1],
              QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("Manifest.xml"));
    EXPECT_TRUE(mesta.contains(dir.filePath("podaci/skem/Manifest.xml")));

    // The first place holding a file wins, broken or not; none: the first place.
    QDir(dir.path()).mkpath("a");
    QDir(dir.path()).mkpath("b");
    QDir(dir.path()).mkpath("c");
    const QStringList tri = {dir.filePath("a/M.xml"), dir.filePath("b/M.xml"),
                             dir.filePath("c/M.xml")};
    EXPECT_EQ(NadjiManifest(tri), tri[0]);
    Fajl(QByteArray("pokvaren"), "c/M.xml");
    EXPECT_EQ(NadjiManifest(tri), tri[2]);
    Fajl(QByteArray("<k/>"), "b/M.xml");
    EXPECT_EQ(NadjiManifest(tri), tri[1]);
    Fajl(QByteArray("pokvaren"), "a/M.xml");
    EXPECT_EQ(NadjiManifest(tri), tri[0]);
}

// ---------------------------------------------------------------- Manifest.xml

// Inputs and parameters each element kind uses (the engine's element table),
// written out independently of the catalogue.
const std::map<int, std::pair<int, int>>& UlaziIParametri() {
    static const std::map<int, std::pair<int, int>> tabela = [] {
        std::map<int, std::pair<int, int>> t;
        auto dodaj = [&t](std::initializer_list<int> sifre, int ulazi, int parametri) {
            for (int s : sifre)
                t[s] = {ulazi, parametri};
        };
        dodaj({0}, 2, 1);
        dodaj({1, 3, 6, 21}, 1, 3);
        dodaj({2, 9, 14, 15, 16, 18, 22}, 1, 0);
        dodaj({4, 13}, 1, 2);
        dodaj({5, 19, 27}, 2, 0);
        dodaj({7}, 1, 2);
        dodaj({8, 17}, 1, 1);
        dodaj({10}, 3, 3);
        dodaj({11, 25}, 0, 0);
        dodaj({12, 24}, 0, 1);
        dodaj({20}, 3, 0);
        dodaj({23}, 1, 1);
        dodaj({26}, 3, 3);
        dodaj({28}, 2, 2);
        dodaj({29}, 0, 0);
        dodaj({30}, 0, 1);
        dodaj({31}, 1, 1);
        return t;
    }();
    return tabela;
}

QVector<TGrupaKataloga> NasKatalog() {
    const QString izvor = qEnvironmentVariable("SKEM_SOURCE_DIR");
    EXPECT_FALSE(izvor.isEmpty()) << "SKEM_SOURCE_DIR is not set";
    QVector<TGrupaKataloga> grupe;
    ProcitajKatalog(izvor + "/resources/Manifest.xml", grupe);
    return grupe;
}

TEST(ManifestTest, EveryItemMatchesTheKindsInputsAndParameters) {
    ASSERT_EQ(UlaziIParametri().size(), static_cast<std::size_t>(skem::BrojVrstaElemenata));
    const QVector<TGrupaKataloga> grupe = NasKatalog();
    std::map<int, QString> naziviPoSifri;
    int stavki = 0;
    for (const TGrupaKataloga& g : grupe) {
        EXPECT_EQ(g.Naziv, g.Naziv.toUpper());
        for (const TStavkaKataloga& s : g.Stavke) {
            ++stavki;
            const std::string ko = (g.Naziv + " / " + s.Naziv).toStdString();
            const auto it = UlaziIParametri().find(s.ImageIndex);
            ASSERT_NE(it, UlaziIParametri().end()) << ko;
            EXPECT_EQ(s.MaxUlaznihVeza, it->second.first) << ko;
            EXPECT_EQ(s.BrojParam, it->second.second) << ko;
            // A subsystem's port carries its name in the caption of parameter 2.
            const bool port = s.ImageIndex == 30 || s.ImageIndex == 31;
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(s.Natpisi[i] == "x", i >= s.BrojParam && !(port && i == 1))
                    << ko << " label " << i + 1;
                EXPECT_EQ(s.Natpisi[3 + i] == "x", i >= s.MaxUlaznihVeza)
                    << ko << " label " << i + 4;
            }
            // A kind listed in several groups is the same kind everywhere.
            auto [prvi, nov] = naziviPoSifri.emplace(s.ImageIndex, s.Naziv);
            EXPECT_EQ(prvi->second, s.Naziv) << ko;
            // Serbian in Latin letters without diacritics.
            QString tekstovi = s.Naziv;
            for (const QString& n : s.Natpisi)
                tekstovi += n;
            for (QChar c : tekstovi)
                EXPECT_LT(c.unicode(), 128) << ko;
        }
    }
    EXPECT_GT(stavki, skem::BrojVrstaElemenata); // the groups list the kinds again
}

TEST(ManifestTest, FirstGroupOffersEveryKindOnceAndTheViewsHaveGroups) {
    const QVector<TGrupaKataloga> grupe = NasKatalog();
    ASSERT_GE(grupe.size(), 2);
    EXPECT_EQ(grupe[0].Naziv, "SVE");
    std::multiset<int> sifre;
    for (const TStavkaKataloga& s : grupe[0].Stavke)
        sifre.insert(s.ImageIndex);
    std::multiset<int> sve;
    for (int i = 0; i < skem::BrojVrstaElemenata; ++i)
        sve.insert(i);
    EXPECT_EQ(sifre, sve);

    // The by-groups view offers every kind too.
    std::set<int> uGrupama;
    for (int g = 1; g < grupe.size(); ++g) {
        EXPECT_FALSE(grupe[g].Stavke.isEmpty()) << grupe[g].Naziv.toStdString();
        for (const TStavkaKataloga& s : grupe[g].Stavke)
            uGrupama.insert(s.ImageIndex);
    }
    EXPECT_EQ(uGrupama.size(), static_cast<std::size_t>(skem::BrojVrstaElemenata));
}

TEST(ManifestTest, BuildPutsTheCatalogueBesideTheProgram) {
    QFile izvor(qEnvironmentVariable("SKEM_SOURCE_DIR") + "/resources/Manifest.xml");
    QFile kopija(QStringLiteral(SKEM_MANIFEST_U_BUILDU));
    ASSERT_TRUE(izvor.open(QIODevice::ReadOnly));
    ASSERT_TRUE(kopija.open(QIODevice::ReadOnly)) << SKEM_MANIFEST_U_BUILDU;
    EXPECT_EQ(izvor.readAll(), kopija.readAll());
}

} // namespace
