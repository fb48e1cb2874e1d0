// The engine's table of element kinds against the block catalogue: every kind
// is offered there, with as many inputs as the engine reads.

#include "VrsteElemenata.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

using namespace skem;

namespace {

std::string Izvor() {
    const char* env = std::getenv("SKEM_SOURCE_DIR");
    return env && *env ? env : SKEM_IZVOR;
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
