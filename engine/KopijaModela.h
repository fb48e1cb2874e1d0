#pragma once
// A model copied out of its document: every block as plain values, inputs as
// positions in the copy. A copy needs nothing of the document (no GUI object),
// so batch runs copy it once per run, override parameters in their own copy
// and hand it to their own engine on their own thread.

#include "SimulacijaPogled.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skem {

// One copied block: what the engine reads of it, and how many parameters its
// kind has (the catalogue's count, as the document keeps it).
class TKopijaBloka : public TBlokPogled {
public:
    std::uint8_t Sifra = 0;
    int LokalniBroj = 0;
    int BrojParametara = 3;
    std::array<double, 3> Parametri{};
    // Function generator: its own ordinates when it has them; otherwise the
    // defaults, which follow the (possibly overridden) parameters.
    std::optional<std::array<double, 11>> Ordinate;
    std::array<int, 3> Izvori{-1, -1, -1}; // positions in the copy; -1 = empty slot
    // "3/2" for a block from inside a subsystem: how messages name it.
    std::string Putanja;

    std::uint8_t SifraBloka() const override { return Sifra; }
    int LokalniBrojBloka() const override { return LokalniBroj; }
    std::string OznakaBloka() const override {
        return Putanja.empty() ? std::to_string(LokalniBroj) : Putanja;
    }
    double ParametarBloka(int k) const override;
    std::array<double, 11> OrdinateBloka() const override;
    bool OrdinateIzParametara() const override { return !Ordinate; }
    const TBlokPogled* IzvorUlazaBloka(int k) const override;

private:
    friend class TKopijaModela;
    const std::vector<TKopijaBloka>* skup = nullptr;
};

// What an override changes: parameter 1..3 or ordinate 0..10 of a block.
struct TCiljIzmene {
    int Blok = 0;
    bool Ordinata = false;
    int Indeks = 0;
    // How the target was named when not by Blok itself: "3/2.p1" for a block
    // inside a subsystem, "3.Masa" for a subsystem's parameter.
    std::string Ime;

    // "3.p1", "7.o10", or Ime: how the command line and the CSV header name it.
    std::string Naziv() const;
    // The same block and value, however named.
    bool operator==(const TCiljIzmene& d) const {
        return Blok == d.Blok && Ordinata == d.Ordinata && Indeks == d.Indeks;
    }
};

// What the engine's view of a block does not say: the parameter count of its
// kind and whether a function generator has ordinates of its own (otherwise
// they follow its parameters).
struct TOsobineKopije {
    int BrojParametara = 3;
    bool VlastiteOrdinate = true;
};

class TKopijaModela {
public:
    TKopijaModela() = default;
    // The list in run order, osobine by the same position (missing: the
    // defaults); sources outside the list are copied too, unlisted.
    explicit TKopijaModela(const std::vector<const TBlokPogled*>& pogledi,
                           const std::vector<TOsobineKopije>& osobine = {});
    TKopijaModela(const TKopijaModela& druga);
    TKopijaModela& operator=(const TKopijaModela& druga);

    // The listed blocks as the engine takes them.
    std::vector<const TBlokPogled*> Lista() const;

    // Empty when the target exists in this model, else why not (a sentence).
    std::string ProveriCilj(const TCiljIzmene& cilj) const;
    // Sets a target that ProveriCilj accepted.
    void Postavi(const TCiljIzmene& cilj, double vrednost);
    // How messages name listed block i (from 0).
    void PostaviPutanju(int i, const std::string& putanja) {
        blokovi[static_cast<std::size_t>(i)].Putanja = putanja;
    }

private:
    void PoveziSkup();
    // Position of the listed block with that local number, or -1.
    int Pozicija(int lokalniBroj) const;

    std::vector<TKopijaBloka> blokovi;
    std::size_t listanih = 0;
};

} // namespace skem
