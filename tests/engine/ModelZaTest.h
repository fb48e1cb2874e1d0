#pragma once
// Small models built in code for the engine tests: blocks that implement the
// engine's block view, an options source with fixed answers and a message
// sink that records every text.

#include "Obrada.h"

#include <memory>
#include <string>
#include <vector>

namespace skem {

// What only tests may set on an engine.
struct TSimulacijaTestPristup {
    static void UvekPoBlokovima(TSimulacija& s, bool uvek) { s.uvekPoBlokovima = uvek; }
};

} // namespace skem

namespace skem::test {

// A block as the engine sees it, wired by pointers to its sources.
class TTestBlok : public TBlokPogled {
public:
    std::uint8_t Sifra = 0;
    int Broj = 0;
    double Parametri[3] = {0, 0, 0};
    std::array<double, 11> Ordinate{};
    bool IzParametara = false; // a generator's table follows p1 and p2, Ordinate unused
    const TTestBlok* Izvori[3] = {nullptr, nullptr, nullptr};

    std::uint8_t SifraBloka() const override { return Sifra; }
    int LokalniBrojBloka() const override { return Broj; }
    double ParametarBloka(int k) const override { return Parametri[k - 1]; }
    std::array<double, 11> OrdinateBloka() const override {
        return IzParametara ? PodrazumevaneOrdinate(Parametri[0], Parametri[1]) : Ordinate;
    }
    bool OrdinateIzParametara() const override { return IzParametara; }
    const TBlokPogled* IzvorUlazaBloka(int k) const override { return Izvori[k]; }
};

// A diagram: blocks numbered 1, 2, ... in the order they are added.
class TTestModel {
public:
    int Dodaj(std::uint8_t sifra, double p1 = 0, double p2 = 0, double p3 = 0) {
        auto blok = std::make_unique<TTestBlok>();
        blok->Sifra = sifra;
        blok->Broj = static_cast<int>(blokovi.size()) + 1;
        blok->Parametri[0] = p1;
        blok->Parametri[1] = p2;
        blok->Parametri[2] = p3;
        if (VrstaIzSifre(sifra) == TVrstaElementa::GeneratorFunkcija)
            blok->Ordinate = PodrazumevaneOrdinate(p1, p2);
        blokovi.push_back(std::move(blok));
        return static_cast<int>(blokovi.size());
    }
    // Feeds input `ulaz` (1..3) of block `ka` from block `od`.
    void Povezi(int od, int ka, int ulaz) { Blok(ka).Izvori[ulaz - 1] = &Blok(od); }
    TTestBlok& Blok(int broj) { return *blokovi[static_cast<std::size_t>(broj) - 1]; }
    std::vector<const TBlokPogled*> Lista() const {
        std::vector<const TBlokPogled*> lista;
        for (const auto& b : blokovi)
            lista.push_back(b.get());
        return lista;
    }
    int Broj() const { return static_cast<int>(blokovi.size()); }

private:
    std::vector<std::unique_ptr<TTestBlok>> blokovi;
};

class TFiksneOpcije : public TIzvorOpcija {
public:
    TOpcijeSimulacije Opcije;
    bool Prihvati = true;
    int Pitan = 0;
    bool PitajOpcije(TOpcijeSimulacije& opcije) override {
        ++Pitan;
        if (Prihvati) opcije = Opcije;
        return Prihvati;
    }
};

class TZapisPoruka : public TPorukeSimulacije {
public:
    std::vector<std::string> Poruke;
    void GreskaSimulacije(const std::string& tekst) override { Poruke.push_back(tekst); }
};

// One engine with its options and messages, ready to run a model.
struct TPokretac {
    TFiksneOpcije Opcije;
    TZapisPoruka Poruke;
    TSimulacija Simulacija{&Opcije, &Poruke};
    MatrixReal Rezultati;

    bool Pokreni(const TTestModel& model, double d, double h, double p) {
        Opcije.Opcije = {d, h, p};
        Simulacija.Simuliraj(model.Lista(), Rezultati);
        return Simulacija.Uspeh();
    }
    // Value of block `broj` in row `red`.
    double Vrednost(int red, int broj) const {
        return Rezultati.at(static_cast<std::size_t>(red), static_cast<std::size_t>(broj) - 1);
    }
};

} // namespace skem::test
