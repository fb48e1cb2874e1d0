// A run under a variable-step method: the model's integrators are the state
// of an ODE whose right-hand side is the engine's own evaluation pass, handed
// to SUNDIALS (ARKODE's explicit Dormand-Prince 5(4) or CVODE's BDF).
//
// What the element kinds mean here:
//  - kinds that remember (track-and-hold, memory, loop start, random source)
//    change only at accepted steps: the solver's trial passes run on a copy of
//    their memory, and one pass at each accepted step keeps what it leaves;
//  - every other kind is a function of its inputs at the time asked;
//  - kinds whose output jumps give switching functions to the solver's root
//    finding, so a step ends at the switching instant and the solver starts
//    afresh from there; a Quit ends the run at its located crossing;
//  - the printed rows are the evaluation pass at the solver's interpolated
//    state at exactly k*P;
//  - an element's error in any pass ends the run with its message, as under
//    Runge-Kutta; a solver that cannot go on ends it with PorukaResavac and
//    the time reached, the rows before it kept.

#include "Obrada.h"

#include "Brojevi.h"

#include <algorithm>
#include <arkode/arkode_erkstep.h>
#include <cfenv>
#include <cmath>
#include <cvode/cvode.h>
#include <cvode/cvode_ls.h>
#include <limits>
#include <nvector/nvector_serial.h>
#include <sunlinsol/sunlinsol_dense.h>
#include <sunlinsol/sunlinsol_spgmr.h>
#include <sunmatrix/sunmatrix_dense.h>

namespace skem {

namespace {

// Above this many integrators BDF's Newton iterations use SPGMR, a Krylov
// method that needs only products of the Jacobian with vectors (each a pass
// of the model), instead of a dense Jacobian: M passes to build it and M^3
// work to factor it at every refresh. A diagram's wiring has no band to rely on.
constexpr std::int32_t NajviseZaGustiRastvarac = 200;

// Passes between two looks at the stop flag (steps cost far more than Runge-Kutta's).
constexpr int KorakaIzmedjuProveraResavaca = 64;

// The solver's reason, after the time reached.
const char* RazlogNeuspeha(int kod) {
    switch (kod) {
    case CV_TOO_MUCH_WORK:
        return "previse koraka";
    case CV_TOO_MUCH_ACC:
        return "trazena tacnost je prevelika";
    case CV_ERR_FAILURE:
        return "korak je postao premali (greska se ne moze svesti u toleranciju)";
    case CV_CONV_FAILURE:
        return "Njutnove iteracije ne konvergiraju";
    case CV_LSETUP_FAIL:
    case CV_LSOLVE_FAIL:
        return "sistem linearnih jednacina se ne moze resiti (singularna matrica)";
    case CV_TOO_CLOSE:
        return "trajanje je premalo";
    default:
        return "greska resavaca";
    }
}

} // namespace

// The solver, its vector and context for one run; frees them on every way out.
class TResavacSimulacije {
public:
    explicit TResavacSimulacije(TSimulacija& sim) : s(sim) {}
    ~TResavacSimulacije() {
        if (cvode) CVodeFree(&cvode);
        if (erk) ERKStepFree(&erk);
        if (rastvarac) SUNLinSolFree(rastvarac);
        if (matrica) SUNMatDestroy(matrica);
        if (y) N_VDestroy(y);
        if (yStampe) N_VDestroy(yStampe);
        if (yPrihvacen) N_VDestroy(yPrihvacen);
        if (kontekst) SUNContext_Free(&kontekst);
    }
    TResavacSimulacije(const TResavacSimulacije&) = delete;
    TResavacSimulacije& operator=(const TResavacSimulacije&) = delete;

    void Vozi(const std::function<void(const double*)>& stampaj);

private:
    // A switching function: Ulaz1 - Ulaz2 - Pomak, an input number 0 reading 0.
    struct TPrekidacka {
        std::int32_t Ulaz1 = 0, Ulaz2 = 0;
        double Pomak = 0;
        bool Quit = false;
    };

    void Pripremi();
    void NapraviResavac(double kraj);
    // One evaluation pass at (t, y). A trial pass leaves every memory as it
    // found it; a kept one (an accepted step) keeps what it changed, and a
    // Quit it raises. False when it raised an error or an arithmetic fault.
    bool Prolaz(double t, const double* stanje, bool trajan);
    int Korak(double kraj, double& t);
    bool Interpoliraj(double t, N_Vector cilj);
    // Starts the solver afresh from (od, y), to go no further than stop.
    void PonovoPocni(double od, double stop, bool prekidacke);
    void UkljuciPrekidacke(bool ukljuci);
    // A step accepted at tn (y): its print rows, then the pass the kinds that
    // remember keep. False when a pass failed.
    bool Prihvacen(double tn, const std::function<void(const double*)>& stampaj);
    // Ends the run after a solver's failure or a pass's error, at t.
    void Neuspeh(int kod);

    static int Desna(realtype t, N_Vector y, N_Vector izvod, void* p);
    static int Prekidacke(realtype t, N_Vector y, realtype* g, void* p);
    static void Poruka(int, const char*, const char*, char*, void*) {}

    TSimulacija& s;
    SUNContext kontekst = nullptr;
    N_Vector y = nullptr;
    N_Vector yStampe = nullptr;
    N_Vector yPrihvacen = nullptr; // the state of the last accepted step
    SUNMatrix matrica = nullptr;
    SUNLinearSolver rastvarac = nullptr;
    void* cvode = nullptr;
    void* erk = nullptr;

    std::size_t m = 0;
    std::int32_t pocetak = 0;
    std::vector<double*> memorije; // what the kinds that remember keep
    std::vector<double> sacuvano;
    std::vector<TPrekidacka> prekidacke;
    std::vector<int> pronadjene;
    const char* greskaAritmetike = nullptr;

    double t = 0;               // of the last accepted step
    double p = 0;               // the print interval
    std::int64_t red = 1;       // the next print row
    std::int64_t poslednji = 0; // the last print row
};

void TResavacSimulacije::Pripremi() {
    m = static_cast<std::size_t>(s.brojIntegratora);
    pocetak = s.brojKonstanti + 2;
    double* v = s.vrednosti.data();
    for (std::int32_t p = pocetak; p <= s.duzinaRedosleda; ++p) {
        TKorakProlaza& z = s.planProlaza[static_cast<std::size_t>(p)];
        switch (z.Kod) {
        case SifraVrste(TVrstaElementa::OdabiranjeIDrzanje):
            memorije.push_back(&z.Parametar2);
            if (z.Ulaz2 != 0) prekidacke.push_back({z.Ulaz2, 0, 0, false});
            break;
        case SifraVrste(TVrstaElementa::Memorija):
            memorije.push_back(&z.Parametar2);
            break;
        case SifraVrste(TVrstaElementa::PocetakPetlje):
        case SifraVrste(TVrstaElementa::GeneratorSlucajnihBrojeva):
            memorije.push_back(&v[z.Izlaz]);
            break;
        case SifraVrste(TVrstaElementa::Znak):
        case SifraVrste(TVrstaElementa::OdskocnaFunkcija):
        case SifraVrste(TVrstaElementa::PrekidacUlaza):
        case SifraVrste(TVrstaElementa::PozitivniDeo):
        case SifraVrste(TVrstaElementa::NegativniDeo):
            if (z.Ulaz1 != 0) prekidacke.push_back({z.Ulaz1, 0, 0, false});
            break;
        case SifraVrste(TVrstaElementa::MrtvaZona):
        case SifraVrste(TVrstaElementa::Ogranicavac):
            if (z.Ulaz1 != 0) {
                prekidacke.push_back({z.Ulaz1, 0, z.Parametar1, false});
                prekidacke.push_back({z.Ulaz1, 0, z.Parametar2, false});
            }
            break;
        case SifraVrste(TVrstaElementa::Quit):
            if (z.Ulaz1 != 0 || z.Ulaz2 != 0) prekidacke.push_back({z.Ulaz1, z.Ulaz2, 0, true});
            break;
        default:
            break;
        }
    }
    sacuvano.resize(memorije.size());
    pronadjene.resize(prekidacke.size());
}

void TResavacSimulacije::NapraviResavac(double kraj) {
    if (SUNContext_Create(nullptr, &kontekst) != 0) throw std::bad_alloc();
    const auto n = static_cast<sunindextype>(m);
    y = N_VNew_Serial(n, kontekst);
    yStampe = N_VNew_Serial(n, kontekst);
    yPrihvacen = N_VNew_Serial(n, kontekst);
    if (!y || !yStampe || !yPrihvacen) throw std::bad_alloc();
    double* y0 = N_VGetArrayPointer(y);
    for (std::size_t i = 0; i < m; ++i)
        y0[i] = s.stanja[i + 1];
    N_VScale(1.0, y, yPrihvacen);

    if (s.metod == TMetodIntegracije::DP45) {
        erk = ERKStepCreate(&Desna, 0.0, y, kontekst);
        if (!erk) throw std::bad_alloc();
        ERKStepSetErrHandlerFn(erk, &Poruka, this);
        ERKStepSetUserData(erk, this);
        ERKStepSetTableNum(erk, ARKODE_DORMAND_PRINCE_7_4_5);
        ERKStepSStolerances(erk, s.relativnaTolerancija, s.apsolutnaTolerancija);
        ERKStepSetMaxStep(erk, s.interval);
        ERKStepSetStopTime(erk, kraj);
        UkljuciPrekidacke(true);
        return;
    }
    cvode = CVodeCreate(CV_BDF, kontekst);
    if (!cvode) throw std::bad_alloc();
    CVodeSetErrHandlerFn(cvode, &Poruka, this);
    CVodeInit(cvode, &Desna, 0.0, y);
    CVodeSetUserData(cvode, this);
    CVodeSStolerances(cvode, s.relativnaTolerancija, s.apsolutnaTolerancija);
    CVodeSetMaxStep(cvode, s.interval);
    CVodeSetStopTime(cvode, kraj);
    if (s.brojIntegratora <= NajviseZaGustiRastvarac) {
        matrica = SUNDenseMatrix(n, n, kontekst);
        if (!matrica) throw std::bad_alloc();
        rastvarac = SUNLinSol_Dense(y, matrica, kontekst);
    } else {
        rastvarac = SUNLinSol_SPGMR(y, SUN_PREC_NONE, 0, kontekst);
    }
    if (!rastvarac) throw std::bad_alloc();
    CVodeSetLinearSolver(cvode, rastvarac, matrica);
    UkljuciPrekidacke(true);
}

bool TResavacSimulacije::Prolaz(double t, const double* stanje, bool trajan) {
    double* v = s.vrednosti.data();
    for (std::size_t i = 0; i < m; ++i) {
        s.stanja[i + 1] = stanje[i];
        v[s.integratori[i + 1]] = stanje[i];
    }
    v[s.brojBlokova] = t;
    if (!trajan)
        for (std::size_t i = 0; i < memorije.size(); ++i)
            sacuvano[i] = *memorije[i];
    s.zamrznutiSlucajni = !trajan;
    s.prekid.Vrsta = TStanjeRada::KasnijiProlaz;
    s.relaksacija = 0;
    std::feclearexcept(FE_ALL_EXCEPT);
    s.IzracunajOd(pocetak);
    s.zamrznutiSlucajni = false;
    if (!trajan)
        for (std::size_t i = 0; i < memorije.size(); ++i)
            *memorije[i] = sacuvano[i];
    if (const char* greska = UzmiAritmetickuGresku()) {
        greskaAritmetike = greska;
        return false;
    }
    if (s.prekid.Vrsta == TStanjeRada::Greska) return false;
    // A trial pass's Quit is the root finding's to locate.
    if (!trajan && s.prekid.Vrsta == TStanjeRada::Quit) s.prekid = TVrstaPrekida{};
    return true;
}

int TResavacSimulacije::Desna(realtype t, N_Vector y, N_Vector izvod, void* p) {
    auto& r = *static_cast<TResavacSimulacije*>(p);
    if (!r.Prolaz(t, N_VGetArrayPointer(y), false)) return -1;
    double* f = N_VGetArrayPointer(izvod);
    for (std::size_t i = 0; i < r.m; ++i)
        f[i] = r.s.izvodi[i + 1];
    return 0;
}

int TResavacSimulacije::Prekidacke(realtype t, N_Vector y, realtype* g, void* p) {
    auto& r = *static_cast<TResavacSimulacije*>(p);
    if (!r.Prolaz(t, N_VGetArrayPointer(y), false)) return -1;
    const double* v = r.s.vrednosti.data();
    for (std::size_t i = 0; i < r.prekidacke.size(); ++i) {
        const TPrekidacka& k = r.prekidacke[i];
        g[i] = v[k.Ulaz1] - v[k.Ulaz2] - k.Pomak;
    }
    return 0;
}

int TResavacSimulacije::Korak(double kraj, double& t) {
    return erk ? ERKStepEvolve(erk, kraj, y, &t, ARK_ONE_STEP)
               : CVode(cvode, kraj, y, &t, CV_ONE_STEP);
}

bool TResavacSimulacije::Interpoliraj(double t, N_Vector cilj) {
    return (erk ? ERKStepGetDky(erk, t, 0, cilj) : CVodeGetDky(cvode, t, 0, cilj)) == 0;
}

void TResavacSimulacije::PonovoPocni(double od, double stop, bool prekidacke) {
    if (erk) {
        ERKStepReInit(erk, &Desna, od, y);
        ERKStepSetStopTime(erk, stop);
    } else {
        CVodeReInit(cvode, od, y);
        CVodeSetStopTime(cvode, stop);
    }
    UkljuciPrekidacke(prekidacke);
}

void TResavacSimulacije::UkljuciPrekidacke(bool ukljuci) {
    const int n = ukljuci ? static_cast<int>(prekidacke.size()) : 0;
    if (prekidacke.empty()) return;
    std::vector<int> smer(prekidacke.size(), 0);
    for (std::size_t i = 0; i < prekidacke.size(); ++i)
        if (prekidacke[i].Quit) smer[i] = 1; // a Quit acts as in1 rises above in2
    if (erk) {
        ERKStepRootInit(erk, n, ukljuci ? &Prekidacke : nullptr);
        if (!ukljuci) return;
        ERKStepSetRootDirection(erk, smer.data());
        ERKStepSetNoInactiveRootWarn(erk);
    } else {
        CVodeRootInit(cvode, n, ukljuci ? &Prekidacke : nullptr);
        if (!ukljuci) return;
        CVodeSetRootDirection(cvode, smer.data());
        CVodeSetNoInactiveRootWarn(cvode);
    }
}

void TResavacSimulacije::Neuspeh(int kod) {
    if (greskaAritmetike) throw TGreskaSimulacije(greskaAritmetike);
    if (s.prekid.Vrsta == TStanjeRada::Greska) {
        s.Poruka(s.prekid.Poruka);
        s.uspeh = false;
        return;
    }
    s.porukaResavaca = std::string(TSimulacija::PorukaResavac) + RealanUTekst(t) + "\n(" +
                       RazlogNeuspeha(kod) + ")";
    s.vremeQuita = t;
}

bool TResavacSimulacije::Prihvacen(double tn, const std::function<void(const double*)>& stampaj) {
    // The rows this step passed, from its interpolation.
    for (; red <= poslednji && static_cast<double>(red) * p <= tn; ++red) {
        const double tr = static_cast<double>(red) * p;
        if (!Interpoliraj(tr, yStampe) || !Prolaz(tr, N_VGetArrayPointer(yStampe), false))
            return false;
        stampaj(s.vrednosti.data());
    }
    // The accepted step: the kinds that remember keep what this pass leaves.
    if (!Prolaz(tn, N_VGetArrayPointer(y), true)) return false;
    t = tn;
    s.vreme = t;
    N_VScale(1.0, y, yPrihvacen);
    return true;
}

void TResavacSimulacije::Vozi(const std::function<void(const double*)>& stampaj) {
    s.pocetniProlaz = true;
    s.Izracunaj();
    s.pocetniProlaz = false;
    stampaj(s.vrednosti.data());
    if (!s.NastaviPosleKoraka()) {
        if (s.prekid.Vrsta == TStanjeRada::Quit) s.vremeQuita = 0.0;
        return;
    }

    p = s.intervalStampanja;
    // The rows k*P up to D (a rounding short of D counts), and the solver's end.
    poslednji = Trunc(s.trajanje / p + 1e-9);
    const double kraj = std::max(s.trajanje, static_cast<double>(poslednji) * p);
    Pripremi();
    NapraviResavac(kraj);

    int doProvere = 1;
    for (;;) {
        double tn = t;
        int kod = Korak(kraj, tn);
        if (kod < 0 || !(tn > t)) return Neuspeh(kod < 0 ? kod : CV_ERR_FAILURE);
        bool quit = false;
        if (kod == CV_ROOT_RETURN) {
            if (erk)
                ERKStepGetRootInfo(erk, pronadjene.data());
            else
                CVodeGetRootInfo(cvode, pronadjene.data());
            for (std::size_t i = 0; i < prekidacke.size(); ++i)
                quit = quit || (prekidacke[i].Quit && pronadjene[i] > 0);
            // The step that found the switch crossed it, and its interpolation
            // with it: the way to the switch is taken again from the last
            // accepted state, without root finding, so no step crosses it.
            const double prekidac = tn;
            N_VScale(1.0, yPrihvacen, y);
            PonovoPocni(t, prekidac, false);
            do {
                tn = t;
                kod = Korak(prekidac, tn);
                if (kod < 0 || !(tn > t)) return Neuspeh(kod < 0 ? kod : CV_ERR_FAILURE);
                if (!Prihvacen(tn, stampaj)) return Neuspeh(CV_ERR_FAILURE);
            } while (kod != CV_TSTOP_RETURN && t < prekidac);
            if (quit) {
                s.PrijaviKraj();
                s.vremeQuita = t;
                return;
            }
            PonovoPocni(t, kraj, true);
            kod = CV_SUCCESS;
        } else if (!Prihvacen(tn, stampaj)) {
            return Neuspeh(CV_ERR_FAILURE);
        }
        if (s.prekid.Vrsta == TStanjeRada::Quit) {
            s.vremeQuita = t;
            return;
        }
        if (kod == CV_TSTOP_RETURN || !(t < kraj)) {
            if (s.napredak) {
                s.stanjeNapretka.Vreme = t;
                s.napredak(s.stanjeNapretka);
            }
            return;
        }
        if (--doProvere == 0) {
            if (!s.NapredakIZaustavljanje(t)) return;
            doProvere = KorakaIzmedjuProveraResavaca;
        }
    }
}

void TSimulacija::IzvediResavacem(const std::function<void(const double*)>& stampaj) {
    TResavacSimulacije resavac(*this);
    resavac.Vozi(stampaj);
}

} // namespace skem
