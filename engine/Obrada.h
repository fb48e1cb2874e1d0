#pragma once
// The simulation engine: turns the blocks of a diagram into numbered records,
// checks them, orders them for evaluation, integrates the model (a fixed step
// classical Runge-Kutta method by default, or a variable-step method of
// ObradaResavac.cpp) and samples every block's output at the print interval
// into a results matrix.

#include "IzmeneParametara.h"
#include "KorakRK4.h"
#include "MatricaRezultata.h"
#include "Prevodjenje.h"
#include "SimulacijaPogled.h"
#include "VrsteElemenata.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace skem {

using ArrayReal = std::vector<double>;
using ArrayInt = std::vector<std::int32_t>;
using MatrixReal = TMatricaRezultata; // rows = time points, columns = blocks

// One block of a run, as the engine holds it. Inputs are block numbers
// (0 = not connected, N + 1 = the time source), so a pass reads them as
// indices into the value table without any lookup.
struct TBlokZapis {
    std::int32_t Ulaz1 = 0;
    std::int32_t Ulaz2 = 0;
    std::int32_t Ulaz3 = 0;
    double Parametar1 = 0;
    double Parametar2 = 0; // memory of the kinds that keep one
    double Parametar3 = 0;
    bool Sortiran = false;
    TVrstaElementa Sifra = TVrstaElementa::OdabiranjeIDrzanje;
    std::int32_t Broj = 0;
    // Integrator: its integrator number; loop start: its position in the
    // order; function generator: its ordinate table; 0 otherwise.
    std::int32_t Indeks = 0;
};
using ArrayBlok = std::vector<TBlokZapis>;

// One ordered block as an evaluation pass reads it: inputs and output as
// indices into the value table (an integrator's output is its derivative's
// index), the parameters, and what to compute: the kind's code, or one of the
// pass codes beyond the kinds (ObradaElementi.cpp).
struct TKorakProlaza {
    // Where the pass's code for this record begins, when the compiler offers
    // computed jumps; filled on the first pass over a new plan.
    const void* Oznaka = nullptr;
    std::int32_t Ulaz1 = 0;
    std::int32_t Ulaz2 = 0;
    std::int32_t Ulaz3 = 0;
    std::int32_t Izlaz = 0;
    double Parametar1 = 0;
    double Parametar2 = 0; // memory of the kinds that keep one
    double Parametar3 = 0;
    // Function generator: its ordinate table; loop start: its position in the
    // order once the initial pass has reached it; 0 otherwise.
    std::int32_t Indeks = 0;
    std::uint8_t Kod = 0;
};

// Phase of the current run, or the interruption an element raised. Elements
// ask only whether the initial pass is running.
enum class TStanjeRada : std::uint8_t {
    PocetniProlaz = 0, // at t = 0; memories take their initial values
    PrviProlaz = 1,    // the first pass of a step
    KasnijiProlaz = 2, // a later pass of the step
    Greska = 3,        // an element raised an error; Poruka holds its message
    Quit = 4,          // a Quit element ended the run
};

struct TVrstaPrekida {
    TStanjeRada Vrsta = TStanjeRada::PocetniProlaz;
    std::string Poruka;
    std::int32_t Blok = 0; // number of the block that raised the error; 0 for none

    // Raised, and kept until the check at the end of the step.
    bool Prekinut() const { return Vrsta == TStanjeRada::Greska || Vrsta == TStanjeRada::Quit; }
};

// How far a run has got: the simulated time reached in the current
// integration run, of D. A model with a random source integrates once per
// block (Rad of Radova, from 1); Udeo is the share of the whole work.
struct TNapredakRada {
    double Vreme = 0;
    double Trajanje = 0;
    std::int32_t Rad = 1;
    std::int32_t Radova = 1;
    double Udeo() const {
        const double uRadu = Trajanje > 0 ? std::min(Vreme / Trajanje, 1.0) : 1.0;
        return (Rad - 1 + uRadu) / Radova;
    }
};

// Takes a run's printed rows as they come, in place of a results matrix, so
// the memory a run needs does not grow with its printed points.
class TPrijemRedova {
public:
    virtual ~TPrijemRedova() = default;
    // Row k (the time k*P), k = 0, 1, ... in order: block j's output at
    // vrednosti[j - 1]. Called on the integrating thread.
    virtual void Red(std::int64_t k, const double* vrednosti) = 0;
};

// The text of a pending arithmetic fault of this thread (its flags then
// cleared), or nullptr.
const char* UzmiAritmetickuGresku();

// The one engine object of the program; every run reuses it. Simuliraj is
// the whole run; the steps it calls are public so tests can drive them one
// at a time, and what a run leaves behind is read through the accessors.
//
// A run on a worker thread (the window stays responsive and can stop it):
//  - GUI thread: PostaviZaustavljanje and PostaviNapredak once; before each
//    run clear the stop flag and call Pripremi, which checks, translates and
//    orders the blocks and asks for the options (dialogs and their messages
//    stay on this thread). Nothing else runs on the engine meanwhile.
//  - worker thread: Izvedi(rezultati) integrates and fills the matrix. It
//    calls the progress callback on the worker, every few thousand steps, and
//    ends soon after the stop flag is set (from any thread). An element's
//    error goes to the message sink on the worker too: give the engine a sink
//    that only records (or none) for this part and show Prekid().Poruka later.
//    Arithmetic faults and exhausted memory leave Izvedi as TGreskaSimulacije
//    on the worker: catch them there and hand the text to the GUI thread.
//  - GUI thread, after the worker has finished (joined): Uspeh(),
//    Zaustavljena() (stopped on request: show PorukaPrekinuta), Prekid()
//    (an element's error: Vrsta == Greska, its Poruka and Blok), Trajanje(),
//    IntervalStampanja() and the matrix.
// The floating-point flags that reveal arithmetic faults belong to a thread;
// Izvedi clears and reads them on the thread that runs it.
class TSimulacija {
public:
    explicit TSimulacija(TIzvorOpcija* opcije = nullptr, TPorukeSimulacije* poruke = nullptr);

    void PostaviIzvorOpcija(TIzvorOpcija* izvor) { izvorOpcija = izvor; }
    void PostaviPoruke(TPorukeSimulacije* prijem) { poruke = prijem; }
    // Random sources: with a seed, this engine's own generator restarts from
    // it at every Simuliraj and steps once per value drawn, so a run can be
    // repeated; without one (the default) every value is seeded from the clock.
    void PostaviSeme(std::optional<std::uint32_t> pocetak) {
        zadatoSeme = pocetak.has_value();
        pocetnoSeme = pocetak.value_or(0);
    }

    // Whether runs use the compiled pass (Prevodjenje.h); Auto by default.
    void PostaviPrevodjenje(TPrevodjenje nacin) { prevodjenje = nacin; }
    TPrevodjenje Prevodjenje() const { return prevodjenje; }
    // How many runs of the same model the caller will make (a series), so the
    // choice weighs the compile against all of them; 1 by default.
    void PostaviRadovaSerije(std::int64_t radova) {
        radovaSerije = std::max<std::int64_t>(radova, 1);
    }
    // The last Izvedi stepped with the compiled pass.
    bool Prevedena() const { return prevedeni != nullptr; }
    // Why the last Izvedi could not compile although it meant to (empty: it
    // did not mean to, or it compiled).
    const std::string& GreskaPrevodjenja() const { return greskaPrevodjenja; }

    // A flag that any thread may set to stop the runs of this engine (nullptr:
    // none); read every KorakaIzmedjuProvera steps. The caller owns it and
    // clears it before a run.
    void PostaviZaustavljanje(const std::atomic<bool>* zahtev) { zaustavljanje = zahtev; }
    // Called from the running thread every KorakaIzmedjuProvera steps; keep it cheap.
    void PostaviNapredak(std::function<void(const TNapredakRada&)> prijem) {
        napredak = std::move(prijem);
    }

    // Parameter changes to replay in the next runs (IzmeneParametara.h): under
    // RK4 from the first step that starts at or after each one's time, under a
    // variable step from that time on; in list order.
    // An empty list is the plain run.
    void PostaviIzmene(TListaIzmena izmene) { zadateIzmene = std::move(izmene); }
    // Watches, paces and steers the runs (nullptr: none). A model with a
    // random source is watched in its first run; the later ones replay the
    // changes made in it.
    void PostaviPosmatraca(TPosmatracRada* posmatrac) { posmatracRada = posmatrac; }
    // The changes the last Izvedi made, each with the time it took effect:
    // replayed, they give the same results.
    const TListaIzmena& IzmeneRada() const { return izmeneRada; }

    // Checks, translates and orders the blocks, asks for the options and fills
    // `rezultati` (Round(D / P) + 3 rows of N columns): Pripremi, then Izvedi.
    // Sets Uspeh. Arithmetic faults and exhausted memory leave as TGreskaSimulacije.
    void Simuliraj(const std::vector<const TBlokPogled*>& pogledi, MatrixReal& rezultati);
    // The first half of Simuliraj: checks, translation, ordering and the
    // options. False (Uspeh false) when a check refused the model (its
    // message shown) or the options were cancelled.
    bool Pripremi(const std::vector<const TBlokPogled*>& pogledi);
    // The second half: the runs that fill `rezultati`, for the blocks and
    // options of the last successful Pripremi. Sets Uspeh and Zaustavljena.
    void Izvedi(MatrixReal& rezultati);
    // Simuliraj and Izvedi handing the rows, the matrix's Round(D / P) + 3 at
    // most, to `prijem` instead: a model without a random source as its one
    // run makes them (no matrix, no memory check), one with a random source
    // from a matrix after its runs. Rows already handed on stay when the run
    // then fails: the receiver drops them unless Uspeh().
    void Simuliraj(const std::vector<const TBlokPogled*>& pogledi, TPrijemRedova& prijem);
    void Izvedi(TPrijemRedova& prijem);

    // The steps of a run, in calling order.
    bool Proveri(const std::vector<const TBlokPogled*>& pogledi);
    void Prevedi(const std::vector<const TBlokPogled*>& pogledi);
    void Sortiraj();
    void PopuniRezultate(MatrixReal& rezultati);
    // One run from t = 0 recording block j into Uzorci.
    void Integrisi(std::int32_t j);
    // One run from t = 0 recording every block into the rows of `rezultati`.
    void IntegrisiSveKolone(MatrixReal& rezultati);
    // The same, handing the first `redova` samples to `prijem`.
    void IntegrisiSveKolone(TPrijemRedova& prijem, std::int64_t redova);
    void Izracunaj();
    void IzracunajOd(std::int32_t pozicija);
    void ZapamtiUzorak();

    const ArrayReal& Izvodi() const { return izvodi; }
    const ArrayReal& Stanja() const { return stanja; }
    const ArrayReal& PocetnaStanja() const { return pocetnaStanja; }
    const ArrayBlok& Blokovi() const { return blokovi; }
    const ArrayInt& Redosled() const { return redosled; }
    std::int32_t BrojBlokova() const {
        return brojBlokova;
    } // N + 1, also the time slot of Vrednosti
    std::int32_t BrojIntegratora() const { return brojIntegratora; }
    std::int32_t DuzinaRedosleda() const { return duzinaRedosleda; }
    const ArrayInt& Integratori() const { return integratori; }
    std::int32_t BrojKonstanti() const { return brojKonstanti; }
    double Interval() const { return interval; }
    double PolaIntervala() const { return polaIntervala; }
    const ArrayReal& Vrednosti() const { return vrednosti; }
    const TVrstaPrekida& Prekid() const { return prekid; }
    double Vreme() const { return vreme; }
    // By a generator's Indeks, from 1.
    const std::vector<std::array<double, 11>>& Tabele() const { return tabele; }
    const ArrayReal& Uzorci() const { return uzorci; }
    bool Uspeh() const { return uspeh; }
    double Trajanje() const { return trajanje; }
    double IntervalStampanja() const { return intervalStampanja; }
    bool UvekPoBlokovima() const { return uvekPoBlokovima; }
    // The last run ended because the stop flag was set (Uspeh is false, the
    // matrix holds zeros, no message was shown).
    bool Zaustavljena() const { return zaustavljena; }
    // The method and tolerances of the last successful Pripremi.
    TMetodIntegracije Metod() const { return metod; }
    double RelativnaTolerancija() const { return relativnaTolerancija; }
    double ApsolutnaTolerancija() const { return apsolutnaTolerancija; }
    // The step to which VremeZaustavljanja is shown (VremeNaKoraku): h under
    // RK4, 0 (the time as it is) under a variable-step method.
    double KorakVremena() const { return metod == TMetodIntegracije::RK4 ? interval : 0.0; }
    // Not empty when a variable-step solver could not go on: the message, with
    // the time reached. The run counts as a success (Uspeh), its rows up to
    // VremeZaustavljanja are kept and the later ones are 0.
    const std::string& PorukaResavaca() const { return porukaResavaca; }
    // The last simulated time of the last Izvedi: the end of the step in which
    // a Quit element ended the run (under a variable-step method the located
    // crossing, or the time a failed solver reached), D when none did. A model with a random
    // source has a run per block, each may stop on its own: the earliest stop.
    double VremeZaustavljanja() const { return vremeQuita.value_or(trajanje); }

    // Steps between two looks at the stop flag and two progress reports.
    static constexpr int KorakaIzmedjuProvera = 4096;

    // Relaxations a single pass may make before a Wye gives up.
    static constexpr int MaksRelaksacija = 10000;

    static constexpr const char* PorukaNemaBlokova = "Model mora da sadrzi bar jedan blok!";
    static constexpr const char* PorukaNemaIntegratora =
        "Model mora da sadrzi bar jedan integrator!";
    static constexpr const char* PorukaGreskaObrade = "Greska obrade (modul: Obrada; line: 473)";
    static constexpr const char* PorukaQuit = "Kraj simulacije od strane Quit elementa.";
    static constexpr const char* PorukaPrekinuta = "Simulacija je prekinuta.";
    static constexpr const char* PorukaArcTan = "Vrednost za ArcTan je negativna!";
    static constexpr const char* PorukaDelitelj = "Drugi ulaz u delitelj je 0!";
    static constexpr const char* PorukaGenerator =
        "Kod generatora f-ja razlika prvog i drugog parametra mora biti pozitivna!";
    static constexpr const char* PorukaKoren = "Ulaz u kvadratni koren je negativan!";
    static constexpr const char* PorukaResavac = "Resavac nije uspeo da napreduje posle t = ";
    static constexpr const char* PorukaWyeNula =
        "Prvi ulaz u Wye element je jednak nuli ili ne postoji!";
    static constexpr const char* PorukaWyeIzvor =
        "Prvi ulaz u Wye element mora dolaziti od bloka pocetka petlje!";
    static constexpr const char* PorukaWyeKonvergencija =
        "Wye element ne konvergira (vise od 10000 relaksacija u jednom prolazu)!";

private:
    // One run from t = 0: PocniRad sets up the arrays and initial values, the
    // driver loop steps and hands each sample to `posmatrac`.
    void PocniRad();
    template <class TPosmatrac> void IzvediRad(TPosmatrac& posmatrac);
    // The run under a variable-step method (ObradaResavac.cpp), after PocniRad;
    // `stampaj` gets the value table at t = 0 and at every print time.
    void IzvediResavacem(const std::function<void(const double*)>& stampaj);
    // The end-of-step checks: arithmetic faults throw; false ends the run.
    bool NastaviPosleKoraka();
    // Every KorakaIzmedjuProvera steps: the progress report and the stop flag.
    // False when the run is to stop.
    bool NapredakIZaustavljanje(double t);
    void PripremiPlan();
    // Before the runs of Izvedi: compiles (or finds) the model when the
    // choice says so; prevedeni stays empty for the interpreter.
    void IzaberiProlaz(std::int64_t radova);
    TPlanZaPrevodjenje PlanZaPrevodjenje() const;
    double SlucajnaVrednost();
    // What the compiled code calls back.
    static void PrevedenaGreska(void* s, std::int32_t poruka, std::int32_t blok);
    static void PrevedenKraj(void* s);
    static double PrevedenaSlucajna(void* s);
    // Parameter changes: the local numbers of the run's blocks (Pripremi),
    // the changes due at the current time applied to the plan, and the
    // observer's look after a step (false: stop).
    void PripremiIzmene(const std::vector<const TBlokPogled*>& pogledi);
    void PrimeniIzmene();
    // The changes due by `do_` applied to the plan, in list order, without a
    // pass; true when one changed a block.
    bool PrimeniIzmeneDo(double do_);
    void PrimeniIzmenu(const TIzmenaParametra& izmena);
    void PromeniTabelu(const TIzmenaParametra& izmena);
    bool PosmatrajKorak();
    void PrijaviGresku(const char* poruka, std::int32_t blok = 0);
    void PrijaviKraj();
    void ProveriAritmetiku() const;
    bool ImaSlucajnih() const;
    void Poruka(const std::string& tekst);

    // Tests set what only they need through this one door.
    friend struct TSimulacijaTestPristup;
    friend class TResavacSimulacije;

    ArrayReal izvodi;
    ArrayReal stanja;
    ArrayReal pocetnaStanja;
    ArrayBlok blokovi;
    ArrayInt redosled;
    std::int32_t brojBlokova = 0;
    std::int32_t brojIntegratora = 0;
    std::int32_t duzinaRedosleda = 0;
    ArrayInt integratori;
    std::int32_t brojKonstanti = 0;
    double interval = 0;
    double polaIntervala = 0;
    ArrayReal vrednosti;
    TVrstaPrekida prekid;
    double vreme = 0;
    std::vector<std::array<double, 11>> tabele;
    ArrayReal uzorci;
    bool uspeh = false;
    double trajanje = 0;
    double intervalStampanja = 0;
    // Forces one run per block even without a random source; the results are
    // the same, only slower. Used to prove that equality.
    bool uvekPoBlokovima = false;

    TIzvorOpcija* izvorOpcija = nullptr;
    TPorukeSimulacije* poruke = nullptr;
    const std::atomic<bool>* zaustavljanje = nullptr;
    std::function<void(const TNapredakRada&)> napredak;
    bool zaustavljena = false;
    // VremeZaustavljanja, once a Quit has ended a run.
    std::optional<double> vremeQuita;
    bool pripremljena = false;    // Pripremi succeeded: Izvedi has what it needs
    TNapredakRada stanjeNapretka; // Rad and Radova of the runs under way

    TKorakRK4 rk4;
    // The ordered blocks in evaluation order (index = position in Redosled),
    // so a pass walks memory front to back, closed by an end record at
    // DuzinaRedosleda + 1; memories live here during a run. pozicijaUPlanu
    // maps a block number to its position (0 = not ordered).
    std::vector<TKorakProlaza> planProlaza;
    ArrayInt pozicijaUPlanu;
    // What ZapamtiUzorak records: block j into Uzorci, as sample brojUzorka.
    std::int32_t blokZaUzorak = 0;
    std::int64_t brojUzorka = 0;
    bool pocetniProlaz = false;
    int relaksacija = 0; // relaxations in the current pass
    bool zadatoSeme = false;
    std::uint32_t pocetnoSeme = 0;
    std::uint32_t seme = 0; // the generator's state while a seeded run goes on

    TListaIzmena zadateIzmene;
    TListaIzmena izmeneRada;
    std::size_t sledecaIzmena = 0;
    TListaIzmena noveIzmene; // what the observer hands over after a step
    TPosmatracRada* posmatracRada = nullptr;
    std::vector<std::pair<int, std::int32_t>> brojeviBlokova; // (local number, block), sorted
    // The parameters as changed so far in this run, by block (a plan record
    // may hold a value derived from them).
    std::vector<std::array<double, 3>> parametriRada;
    // Function generators whose table follows p1 and p2, by Indeks: the
    // values the table was made from, as the block gave them (a change makes
    // it anew from the same kind of values). The tables as Prevedi made them
    // come back at the start of a run that follows one that changed them.
    struct TRasponTabele {
        bool IzParametara = false;
        double Gornja = 0, Donja = 0;
    };
    std::vector<TRasponTabele> rasponiTabela;
    std::vector<TRasponTabele> rasponiRada;
    std::vector<std::array<double, 11>> pocetneTabele;

    TPrevodjenje prevodjenje = TPrevodjenje::Auto;
    std::int64_t radovaSerije = 1;

    TMetodIntegracije metod = TMetodIntegracije::RK4;
    double relativnaTolerancija = PodrazumevanaRelativnaTolerancija;
    double apsolutnaTolerancija = PodrazumevanaApsolutnaTolerancija;
    // A variable-step solver's passes between accepted steps: random sources
    // keep their value instead of drawing a new one.
    bool zamrznutiSlucajni = false;
    std::string porukaResavaca;
    std::shared_ptr<const TPrevedeniModel> prevedeni;
    std::string greskaPrevodjenja;
};

} // namespace skem
