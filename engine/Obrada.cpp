// The run driver: checks, translation and the production of the results matrix.

#include "Obrada.h"

#include "Brojevi.h"
#include "MemorijaRezultata.h"
#include "SitneVrednosti.h"

#include <cmath>
#include <new>
#include <stdexcept>

namespace skem {

namespace {

// Exhausted memory, or a vector asked for more than it can hold, ends the
// run with "Out of memory" (uspeh false).
template <class Korak> auto BezMemorijeJeGreska(bool& uspeh, Korak korak) {
    try {
        return korak();
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    uspeh = false;
    throw TGreskaSimulacije("Out of memory");
}

} // namespace

TSimulacija::TSimulacija(TIzvorOpcija* opcije, TPorukeSimulacije* prijem)
    : izvorOpcija(opcije), poruke(prijem) {}

void TSimulacija::Poruka(const std::string& tekst) {
    if (poruke) poruke->GreskaSimulacije(tekst);
}

void TSimulacija::Simuliraj(const std::vector<const TBlokPogled*>& pogledi, MatrixReal& rezultati) {
    if (Pripremi(pogledi)) Izvedi(rezultati);
}

void TSimulacija::Simuliraj(const std::vector<const TBlokPogled*>& pogledi, TPrijemRedova& prijem) {
    if (Pripremi(pogledi)) Izvedi(prijem);
}

bool TSimulacija::Pripremi(const std::vector<const TBlokPogled*>& pogledi) {
    uspeh = true;
    zaustavljena = false;
    pripremljena = false;
    prekid = TVrstaPrekida{}; // a refused or cancelled run names no failing block
    return BezMemorijeJeGreska(uspeh, [&] {
        if (!Proveri(pogledi)) {
            uspeh = false;
            return false;
        }
        Prevedi(pogledi);
        PripremiIzmene(pogledi);
        Sortiraj();

        TOpcijeSimulacije opcije;
        if (!izvorOpcija || !izvorOpcija->PitajOpcije(opcije)) {
            uspeh = false;
            return false;
        }
        // The dialog's checks guarantee these; a source that skips them must
        // not hang the run (h <= 0, or a half step taken as zero, never
        // reaches the end) or divide by zero.
        if (!(opcije.Interval / 2 >= NajmanjiNormalan) || !(opcije.IntervalStampanja > 0) ||
            !std::isfinite(opcije.Trajanje) || !std::isfinite(opcije.Interval) ||
            !std::isfinite(opcije.IntervalStampanja) || opcije.Trajanje < 0) {
            uspeh = false;
            throw TGreskaSimulacije("Neispravne opcije simulacije!");
        }
        // Tolerances a solver could not use, from a source that skips the checks.
        if (opcije.Metod != TMetodIntegracije::RK4 &&
            (!IspravnaTolerancija(opcije.RelativnaTolerancija) ||
             !IspravnaTolerancija(opcije.ApsolutnaTolerancija))) {
            uspeh = false;
            throw TGreskaSimulacije("Neispravne opcije simulacije!");
        }
        metod = opcije.Metod;
        relativnaTolerancija = opcije.RelativnaTolerancija;
        apsolutnaTolerancija = opcije.ApsolutnaTolerancija;
        trajanje = opcije.Trajanje;
        interval = opcije.Interval;
        intervalStampanja = opcije.IntervalStampanja;
        polaIntervala = interval / 2;
        pripremljena = true;
        return true;
    });
}

void TSimulacija::Izvedi(MatrixReal& rezultati) {
    zaustavljena = false;
    vremeQuita.reset();
    porukaResavaca.clear();
    uspeh = pripremljena;
    if (!uspeh) return;
    seme = pocetnoSeme;
    izmeneRada = zadateIzmene;
    BezMemorijeJeGreska(uspeh, [&] { PopuniRezultate(rezultati); });
}

void TSimulacija::Izvedi(TPrijemRedova& prijem) {
    zaustavljena = false;
    vremeQuita.reset();
    porukaResavaca.clear();
    uspeh = pripremljena;
    if (!uspeh) return;
    seme = pocetnoSeme;
    izmeneRada = zadateIzmene;
    BezMemorijeJeGreska(uspeh, [&] {
        if (uvekPoBlokovima || ImaSlucajnih()) {
            MatrixReal rezultati;
            PopuniRezultate(rezultati);
            if (!uspeh) return;
            for (std::size_t k = 0; k < rezultati.Redova(); ++k)
                prijem.Red(static_cast<std::int64_t>(k), rezultati.Red(k));
            return;
        }
        try {
            IzaberiProlaz(1);
            stanjeNapretka = TNapredakRada{0, trajanje, 1, 1};
            // As many rows as the matrix would have; a count beyond any run's
            // reach limits nothing.
            const double tacaka = trajanje / intervalStampanja;
            IntegrisiSveKolone(prijem, tacaka < 1e18 ? Round(tacaka) + 3 : INT64_MAX);
        } catch (...) {
            uspeh = false;
            throw;
        }
    });
}

bool TSimulacija::Proveri(const std::vector<const TBlokPogled*>& pogledi) {
    if (pogledi.empty()) {
        Poruka(PorukaNemaBlokova);
        return false;
    }
    std::int64_t integratora = 0;
    brojKonstanti = 0;
    for (const TBlokPogled* blok : pogledi) {
        switch (VrstaIzSifre(blok->SifraBloka())) {
        case TVrstaElementa::GeneratorFunkcija:
            if (blok->ParametarBloka(2) > blok->ParametarBloka(1)) {
                Poruka("Kod generatora funkcija (" + blok->OznakaBloka() +
                       ") prvi parametar\n    mora biti veci od drugog !");
                return false;
            }
            break;
        case TVrstaElementa::Integrator:
            ++integratora;
            break;
        case TVrstaElementa::Konstanta:
            ++brojKonstanti;
            break;
        default:
            break;
        }
    }
    if (integratora == 0) {
        Poruka(PorukaNemaIntegratora);
        return false;
    }
    return true;
}

void TSimulacija::Prevedi(const std::vector<const TBlokPogled*>& pogledi) {
    const auto n = static_cast<std::int32_t>(pogledi.size());
    brojBlokova = n + 1;
    blokovi.assign(static_cast<std::size_t>(n) + 1, TBlokZapis{});
    tabele.assign(1, std::array<double, 11>{});
    rasponiTabela.assign(1, TRasponTabele{});
    integratori.assign(1, 0);
    brojIntegratora = 0;
    brojKonstanti = 0;

    auto brojIzvora = [n](const TBlokPogled* izvor) -> std::int32_t {
        if (!izvor) return 0;
        if (VrstaIzSifre(izvor->SifraBloka()) == TVrstaElementa::Vreme) return n + 1;
        const int broj = izvor->LokalniBrojBloka();
        // A number outside the list would index past the value table.
        if (broj < 1 || broj > n)
            throw TGreskaSimulacije("Neispravan broj bloka na ulazu (" + std::to_string(broj) +
                                    ")!");
        return broj;
    };

    for (std::int32_t i = 1; i <= n; ++i) {
        const TBlokPogled& blok = *pogledi[static_cast<std::size_t>(i) - 1];
        TBlokZapis& z = blokovi[static_cast<std::size_t>(i)];
        z.Ulaz1 = brojIzvora(blok.IzvorUlazaBloka(0));
        z.Ulaz2 = brojIzvora(blok.IzvorUlazaBloka(1));
        z.Ulaz3 = brojIzvora(blok.IzvorUlazaBloka(2));
        // A run takes a subnormal parameter as zero, also where it is copied
        // unchanged (an initial state, a constant, a limiter's bound).
        z.Parametar1 = BezSitnih(blok.ParametarBloka(1));
        z.Parametar2 = BezSitnih(blok.ParametarBloka(2));
        z.Parametar3 = BezSitnih(blok.ParametarBloka(3));
        z.Broj = i;
        z.Sifra = VrstaIzSifre(blok.SifraBloka());
        z.Sortiran = false;
        z.Indeks = 0;
        if (z.Sifra == TVrstaElementa::GeneratorFunkcija) {
            tabele.push_back(blok.OrdinateBloka());
            for (double& y : tabele.back())
                y = BezSitnih(y);
            z.Indeks = static_cast<std::int32_t>(tabele.size()) - 1;
            rasponiTabela.push_back(
                {blok.OrdinateIzParametara(), blok.ParametarBloka(1), blok.ParametarBloka(2)});
        } else if (z.Sifra == TVrstaElementa::Konstanta) {
            ++brojKonstanti;
        }
    }
    pocetneTabele = tabele;
    rasponiRada.clear();
    for (std::int32_t i = 1; i <= n; ++i) {
        TBlokZapis& z = blokovi[static_cast<std::size_t>(i)];
        if (z.Sifra != TVrstaElementa::Integrator) continue;
        ++brojIntegratora;
        integratori.push_back(z.Broj);
        z.Indeks = brojIntegratora;
    }
}

bool TSimulacija::ImaSlucajnih() const {
    for (std::size_t b = 1; b < blokovi.size(); ++b)
        if (blokovi[b].Sifra == TVrstaElementa::GeneratorSlucajnihBrojeva) return true;
    return false;
}

void TSimulacija::PopuniRezultate(MatrixReal& rezultati) {
    const std::int64_t r = Round(trajanje / intervalStampanja) + 3;
    const std::int32_t n = brojBlokova - 1;
    // Beyond the address space anyway; saying so beats a failed huge allocation.
    if (r <= 0 || static_cast<double>(r) * (n + 1) > 1e15) throw std::bad_alloc();
    // The run is refused before it starts when its results would not fit;
    // what the matrix holds now comes back when it is resized.
    const std::uint64_t zauzeto =
        BajtovaRezultata(std::int64_t(rezultati.Redova()), std::int64_t(rezultati.Kolona()));
    if (const std::string previse = ProveriMemorijuRezultata(r, n, DostupnaMemorija() + zauzeto);
        !previse.empty()) {
        uspeh = false;
        throw TGreskaSimulacije(previse);
    }
    rezultati.Promeni(static_cast<std::size_t>(r), static_cast<std::size_t>(n));

    try {
        const bool poBlokovima = uvekPoBlokovima || ImaSlucajnih();
        IzaberiProlaz(poBlokovima ? n : 1);
        if (!poBlokovima) {
            // Without a random source every per-block run is the same run, so
            // one run records all columns at once.
            stanjeNapretka = TNapredakRada{0, trajanje, 1, 1};
            IntegrisiSveKolone(rezultati);
            if (!uspeh) rezultati.Isprazni();
            return;
        }
        bool quit = false;
        for (std::int32_t j = 1; j <= n; ++j) {
            stanjeNapretka = TNapredakRada{0, trajanje, j, n};
            uzorci.assign(static_cast<std::size_t>(r), 0.0);
            Integrisi(j);
            if (!uspeh) {
                // Columns of earlier runs must not outlive a failed one.
                rezultati.Isprazni();
                return;
            }
            quit = quit || prekid.Vrsta == TStanjeRada::Quit;
            for (std::int64_t k = 0; k < r; ++k)
                rezultati(static_cast<std::size_t>(k), static_cast<std::size_t>(j) - 1) =
                    uzorci[static_cast<std::size_t>(k)];
        }
        // A Quit that ended an earlier column's run is told too.
        if (quit) PrijaviKraj();
    } catch (...) {
        // A run cut short by a fault leaves no infinities or half columns behind.
        uspeh = false;
        rezultati.Isprazni();
        throw;
    }
}

} // namespace skem
