#pragma once
// The compiled pass: for long runs the engine turns a model's evaluation pass
// and the stages of its Runge-Kutta step into machine code (libgccjit, loaded
// at run time), then steps the model by calling it. The code does what the
// interpreter does, in the same order and with the same operations on the
// same types, so both give the same bits; the interpreter stays the reference
// and the way out when compiling is impossible (library missing, compiler
// error).
//
// The code depends only on the structure of the model (codes, wiring, order,
// integrators); parameters, memories and tables are read from the plan at run
// time, so one compiled model serves every run of a series. Compiled models
// are kept for the process, shared by all threads.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace skem {

struct TKorakProlaza;

// Whether a run uses the compiled pass: the program decides (Auto), always
// when possible (Da), never (Ne).
enum class TPrevodjenje : std::uint8_t { Auto = 0, Da = 1, Ne = 2 };

// "auto", "da", "ne"; false for any other text.
bool ProcitajPrevodjenje(std::string_view tekst, TPrevodjenje& nacin);
const char* NazivPrevodjenja(TPrevodjenje nacin);

// What a compiled step reads and writes, as the generated code sees it.
struct TKontekstPrevedenog {
    double* V = nullptr;  // value table
    double* F = nullptr;  // derivatives, by integrator number
    double* Y = nullptr;  // states
    double* Y0 = nullptr; // states at the start of the step
    long double* K1 = nullptr;
    long double* K2 = nullptr;
    long double* K3 = nullptr;
    double* Plan = nullptr;               // the plan records, seen as doubles
    std::int32_t* PlanCeli = nullptr;     // the same records, seen as 32-bit integers
    const double* Tabele = nullptr;       // the generators' ordinates, 11 per generator
    const std::int32_t* Izlazi = nullptr; // each integrator's slot in V, from 1
    void* Simulacija = nullptr;           // passed back to the calls below
    void (*Greska)(void*, std::int32_t poruka, std::int32_t blok) = nullptr;
    void (*Kraj)(void*) = nullptr;
    double (*Slucajan)(void*) = nullptr;
    // The library functions the interpreter calls, so both call the very same ones.
    double (*Sin)(double) = nullptr;
    double (*Cos)(double) = nullptr;
    double (*Exp)(double) = nullptr;
    double (*Atan)(double) = nullptr;
    double T = 0; // time, advanced by the step
    double PolaH = 0;
    std::int32_t Relaksacija = 0; // relaxations in the current pass
    long double H = 0;
    long double Sestina = 0;
    long double Granica = 0; // GranicaSitnihDugih
};

// An element's error as the compiled code reports it.
enum class TGreskaPrevedenog : std::int32_t {
    ArcTan,
    Delitelj,
    Generator,
    Koren,
    WyeNula,
    WyeIzvor,
    WyeKonvergencija,
};

// The plan as the interpreter runs it (Obrada.h), after PripremiPlan.
struct TPlanZaPrevodjenje {
    const TKorakProlaza* Plan = nullptr; // positions 0 .. Duzina + 1
    std::int32_t Duzina = 0;             // DuzinaRedosleda
    std::int32_t Pocetak = 0;            // first position a pass evaluates
    std::int32_t BrojBlokova = 0;        // N + 1, the time slot
    std::int32_t BrojIntegratora = 0;
    const std::int32_t* Integratori = nullptr; // by integrator number, from 1
    const std::int32_t* PozicijaUPlanu = nullptr;
};

class TPrevedeniModel {
public:
    using TKorak = void (*)(TKontekstPrevedenog*);
    TPrevedeniModel(void* rezultat, TKorak korak) : rezultat(rezultat), korak(korak) {}
    ~TPrevedeniModel();
    TPrevedeniModel(const TPrevedeniModel&) = delete;
    TPrevedeniModel& operator=(const TPrevedeniModel&) = delete;

    // One step: the four stages, each followed by its pass.
    void Korak(TKontekstPrevedenog& k) const { korak(&k); }

private:
    void* rezultat;
    TKorak korak;
};

// The structure the code depends on; equal keys share one compiled model.
std::vector<std::int32_t> KljucModela(const TPlanZaPrevodjenje& plan);

// The compiled model for the plan, from the process's store or compiled now;
// nullptr when compiling is impossible (the reason in `greska`). A failure is
// remembered too, so a series does not try again for every run.
std::shared_ptr<const TPrevedeniModel> PrevediModel(const TPlanZaPrevodjenje& plan,
                                                    std::string& greska);
// Only what the store already holds for this key (nullptr: not compiled yet).
std::shared_ptr<const TPrevedeniModel> NadjiPrevedeni(const std::vector<std::int32_t>& kljuc);

// Whether the compiler library loads; else why not.
bool PrevodilacDostupan(std::string* razlog = nullptr);

// The library to load (default "libgccjit.so.0"); a name that does not load
// makes compiling impossible, as on a machine without it. Empties the store.
void PostaviBibliotekuPrevodioca(const std::string& ime);

// Records the plan's evaluation consists of: evaluated blocks plus integrators.
std::int64_t ZapisaZaPrevodjenje(const TPlanZaPrevodjenje& plan);
// Estimated compile time in seconds for that many records, and the
// interpreter's time per record and pass (bench/SkemBench.cpp measures both).
double ProcenaPrevodjenja(std::int64_t zapisa);
inline constexpr double SekundiPoZapisuTumaca = 5e-9;
// Beyond this many records the compiled code no longer fits the processor's
// caches and steps no faster than the interpreter (bench/SkemBench.cpp, cases
// (b) and (c)); Auto leaves such models to the interpreter.
inline constexpr std::int64_t NajviseZapisaZaAuto = 2000;

// Records one compiled function holds at most: larger models are compiled in
// pieces, so compile time stays proportional to size.
inline constexpr std::int32_t ZapisaUDelu = 1000;

} // namespace skem
