// The engine's table of element kinds against everything made per kind: the
// block catalogue offers every kind with as many inputs as the engine reads,
// each kind has its pictures and its help page, no code beyond the table has
// any, and the texts that say how many kinds there are agree with the table.

#include "VrsteElemenata.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

using namespace skem;

namespace {

std::string Izvor() {
    const char* env = std::getenv("SKEM_SOURCE_DIR");
    return env && *env ? env : SKEM_IZVOR;
}

std::string Sadrzaj(const std::string& putanja) {
    std::ifstream datoteka(putanja, std::ios::binary);
    std::stringstream sadrzaj;
    sadrzaj << datoteka.rdbuf();
    return sadrzaj.str();
}

// The names in a folder that match `uzorak`.
std::set<std::string> Imena(const std::string& folder, const std::regex& uzorak) {
    std::set<std::string> imena;
    for (const auto& f : std::filesystem::directory_iterator(folder)) {
        const std::string ime = f.path().filename().string();
        if (std::regex_match(ime, uzorak)) imena.insert(ime);
    }
    return imena;
}

// The text of the first <ime>...</ime> in `tekst`, or "" when there is none.
std::string Element(const std::string& tekst, const std::string& ime) {
    const std::string otvori = "<" + ime + ">", zatvori = "</" + ime + ">";
    const auto od = tekst.find(otvori);
    if (od == std::string::npos) return {};
    const auto pocetak = od + otvori.size();
    const auto kraj = tekst.find(zatvori, pocetak);
    return kraj == std::string::npos ? std::string() : tekst.substr(pocetak, kraj - pocetak);
}

// What `ima` lacks of `treba` and holds beyond it; "" when they are equal.
std::string Razlika(const std::set<std::string>& ima, const std::set<std::string>& treba) {
    std::string razlika;
    for (const std::string& ime : treba)
        if (!ima.count(ime)) razlika += " missing " + ime;
    for (const std::string& ime : ima)
        if (!treba.count(ime)) razlika += " extra " + ime;
    return razlika;
}

} // namespace

TEST(VrsteElemenata, UlaziKaoUKatalogu) {
    std::ifstream datoteka(Izvor() + "/resources/Manifest.xml");
    ASSERT_TRUE(datoteka) << "no catalogue under " << Izvor();
    std::stringstream sadrzaj;
    sadrzaj << datoteka.rdbuf();
    const std::string tekst = sadrzaj.str();

    std::map<int, int> ulazaPoSifri; // the catalogue's input limit of each code it offers
    for (auto od = tekst.find("<stavka>"); od != std::string::npos;
         od = tekst.find("<stavka>", od + 1)) {
        const std::string stavka = tekst.substr(od, tekst.find("</stavka>", od) - od);
        const int sifra = std::stoi(Element(stavka, "sifra"));
        const int ulaza = std::stoi(Element(stavka, "maxuveza"));
        ASSERT_GE(sifra, 0);
        ASSERT_LT(sifra, BrojVrstaElemenata);
        const auto [it, novi] = ulazaPoSifri.emplace(sifra, ulaza);
        EXPECT_EQ(it->second, ulaza) << "code " << sifra << " in two groups with other limits";
    }
    for (int sifra = 0; sifra < BrojVrstaElemenata; ++sifra) {
        const auto it = ulazaPoSifri.find(sifra);
        ASSERT_NE(it, ulazaPoSifri.end()) << "code " << sifra << " is not in the catalogue";
        EXPECT_EQ(BrojUlaza(VrstaIzSifre(static_cast<std::uint8_t>(sifra))), it->second)
            << "code " << sifra;
    }
}

// Exactly the kinds of the table have pictures (in the folder and in the
// resource list) and help pages: none missing, none for a code beyond.
TEST(VrsteElemenata, SlikeIStranePomociTacnoZaVrsteTabele) {
    const std::string resursi = Izvor() + "/resources";
    std::set<std::string> slike, strane;
    for (int sifra = 0; sifra < BrojVrstaElemenata; ++sifra) {
        strane.insert(std::to_string(sifra) + ".htm");
        for (int smer = 1; smer <= 4; ++smer) {
            char ime[32];
            std::snprintf(ime, sizeof ime, "blok_%02d_%d.svg", sifra, smer);
            slike.insert(ime);
        }
    }
    EXPECT_EQ(Razlika(Imena(resursi + "/slike", std::regex(R"(blok_.*)")), slike), "")
        << "pictures in resources/slike";
    EXPECT_EQ(Razlika(Imena(resursi + "/help", std::regex(R"([0-9]+\.htm)")), strane), "")
        << "help pages in resources/help";

    // The pictures go into the program only through the resource list.
    std::set<std::string> uSpisku;
    const std::string qrc = Sadrzaj(resursi + "/slike.qrc");
    const std::regex stavka(R"(<file>slike/(blok_[^<]*)</file>)");
    for (auto it = std::sregex_iterator(qrc.begin(), qrc.end(), stavka);
         it != std::sregex_iterator(); ++it)
        uSpisku.insert((*it)[1].str());
    EXPECT_EQ(Razlika(uSpisku, slike), "") << "pictures in resources/slike.qrc";
}

TEST(VrsteElemenata, TekstoviNavodeBrojVrstaTabele) {
    // Each states the count once, in brackets after the examples of kinds.
    const std::pair<const char*, const char*> tekstovi[] = {
        {"README.md", "kinds"},
        {"resources/help/index.htm", "vrsta"},
        {"resources/instalacija/Paket.cmake", "vrsta"},
        {"resources/instalacija/rs.skem.SKEM.metainfo.xml.in", "vrsta"},
        {"resources/instalacija/skem.1.in", "vrsta"},
    };
    for (const auto& [fajl, rec] : tekstovi) {
        const std::string tekst = Sadrzaj(Izvor() + "/" + fajl);
        ASSERT_FALSE(tekst.empty()) << fajl;
        const std::regex broj("([0-9]+) " + std::string(rec) + R"(\))");
        int navoda = 0;
        for (auto it = std::sregex_iterator(tekst.begin(), tekst.end(), broj);
             it != std::sregex_iterator(); ++it, ++navoda)
            EXPECT_EQ(std::stoi((*it)[1].str()), BrojVrstaElemenata) << fajl;
        EXPECT_EQ(navoda, 1) << fajl;
    }
}
