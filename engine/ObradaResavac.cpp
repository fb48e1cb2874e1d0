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
//
// A parameter change at time t acts from t on: a step that would pass t is
// taken again from the last accepted state to end exactly at t, the change is
// made (rows at t show the run before it), a pass over the changed model
// follows and the solver starts afresh there. Changes within a few units of
// the last digit of an accepted step's time (a time read back from its
// 15-digit text) act at that step, as the run's observer's changes do: so a
// list recorded live replays to the same bits. Changes at t = 0 act from the
// initial pass on, row 0 apart, as under Runge-Kutta. The observer sees every
// printed row and is asked after every accepted step.

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
    // A switching function: Ulaz1 - Ulaz2 - *Pomak, an input number 0 reading
    // 0; the offset is read from the plan, where a change may move it.
    struct TPrekidacka {
        std::int32_t Ulaz1 = 0, Ulaz2 = 0;
        const double* Pomak = nullptr;
        bool Quit = false;
    };
    // A trial pass leaves every memory as it found it; one after a change
    // does too but keeps a Quit it raised; a kept one (an accepted step) keeps
    // what it changed, and a Quit it raises.
    enum class TProlaz { Proba, PosleIzmene, Trajan };

    void Pripremi();
    void NapraviResavac(double kraj);
    // One evaluation pass at (t, y). False when it raised an error or an
    // arithmetic fault.
    bool Prolaz(double t, const double* stanje, TProlaz vrsta);
    int Korak(double kraj, double& t);
    bool Interpoliraj(double t, N_Vector cilj);
    // Starts the solver afresh from (od, y), to go no further than stop.
    void PonovoPocni(double od, double stop, bool prekidacke);
    void UkljuciPrekidacke(bool ukljuci);
    // A step accepted at tn (y): its print rows, then the pass the kinds that
    // remember keep. False when a pass failed.
    bool Prihvacen(double tn);
    // Goes again from the last accepted state to exactly `cilj`, which the
    // step just taken passed, without root finding. False when it failed.
    bool DoTacke(double cilj);
    // The time of the next change to come (infinity: none).
    double SledecaIzmena() const;
    // Changes due at the accepted time t applied, then the pass over the
    // changed model; `ponovo` is set when one changed a block. False when
    // the pass failed.
    bool Izmeni(bool& ponovo);
    // How near an accepted time t a change acts at t.
    static double Dozvola(double t) { return 1e-14 * std::fabs(t); }
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
    std::function<void(const double*)> stampaj;
    bool posmatra = false; // the run's observer watches this run
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
            if (z.Ulaz2 != 0) prekidacke.push_back({z.Ulaz2, 0, nullptr, false});
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
            if (z.Ulaz1 != 0) prekidacke.push_back({z.Ulaz1, 0, nullptr, false});
            break;
        case SifraVrste(TVrstaElementa::MrtvaZona):
        case SifraVrste(TVrstaElementa::Ogranicavac):
            if (z.Ulaz1 != 0) {
                prekidacke.push_back({z.Ulaz1, 0, &z.Parametar1, false});
                prekidacke.push_back({z.Ulaz1, 0, &z.Parametar2, false});
            }
            break;
        case SifraVrste(TVrstaElementa::Quit):
            if (z.Ulaz1 != 0 || z.Ulaz2 != 0)
                prekidacke.push_back({z.Ulaz1, z.Ulaz2, nullptr, true});
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

bool TResavacSimulacije::Prolaz(double t, const double* stanje, TProlaz vrsta) {
    const bool trajan = vrsta == TProlaz::Trajan;
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
    if (vrsta == TProlaz::Proba && s.prekid.Vrsta == TStanjeRada::Quit) s.prekid = TVrstaPrekida{};
    return true;
}

int TResavacSimulacije::Desna(realtype t, N_Vector y, N_Vector izvod, void* p) {
    auto& r = *static_cast<TResavacSimulacije*>(p);
    if (!r.Prolaz(t, N_VGetArrayPointer(y), TProlaz::Proba)) return -1;
    double* f = N_VGetArrayPointer(izvod);
    for (std::size_t i = 0; i < r.m; ++i)
        f[i] = r.s.izvodi[i + 1];
    return 0;
}

int TResavacSimulacije::Prekidacke(realtype t, N_Vector y, realtype* g, void* p) {
    auto& r = *static_cast<TResavacSimulacije*>(p);
    if (!r.Prolaz(t, N_VGetArrayPointer(y), TProlaz::Proba)) return -1;
    const double* v = r.s.vrednosti.data();
    for (std::size_t i = 0; i < r.prekidacke.size(); ++i) {
        const TPrekidacka& k = r.prekidacke[i];
        g[i] = v[k.Ulaz1] - v[k.Ulaz2] - (k.Pomak ? *k.Pomak : 0.0);
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

bool TResavacSimulacije::Prihvacen(double tn) {
    // The rows this step passed, from its interpolation.
    for (; red <= poslednji && static_cast<double>(red) * p <= tn; ++red) {
        const double tr = static_cast<double>(red) * p;
        if (!Interpoliraj(tr, yStampe) || !Prolaz(tr, N_VGetArrayPointer(yStampe), TProlaz::Proba))
            return false;
        stampaj(s.vrednosti.data());
    }
    // The accepted step: the kinds that remember keep what this pass leaves.
    if (!Prolaz(tn, N_VGetArrayPointer(y), TProlaz::Trajan)) return false;
    t = tn;
    s.vreme = t;
    N_VScale(1.0, y, yPrihvacen);
    return true;
}

bool TResavacSimulacije::DoTacke(double cilj) {
    // The step crossed cilj, and its interpolation with it: the way there is
    // taken again from the last accepted state, so no step crosses it.
    N_VScale(1.0, yPrihvacen, y);
    PonovoPocni(t, cilj, false);
    int kod = CV_SUCCESS;
    do {
        double tn = t;
        kod = Korak(cilj, tn);
        if (kod < 0 || !(tn > t)) {
            Neuspeh(kod < 0 ? kod : CV_ERR_FAILURE);
            return false;
        }
        if (!Prihvacen(tn)) {
            Neuspeh(CV_ERR_FAILURE);
            return false;
        }
    } while (kod != CV_TSTOP_RETURN && t < cilj);
    return true;
}

double TResavacSimulacije::SledecaIzmena() const {
    return s.sledecaIzmena < s.izmeneRada.size() ? s.izmeneRada[s.sledecaIzmena].Vreme
                                                 : std::numeric_limits<double>::infinity();
}

bool TResavacSimulacije::Izmeni(bool& ponovo) {
    if (!(SledecaIzmena() <= t + Dozvola(t)) || !s.PrimeniIzmeneDo(t + Dozvola(t))) return true;
    ponovo = true;
    if (Prolaz(t, N_VGetArrayPointer(y), TProlaz::PosleIzmene)) return true;
    Neuspeh(CV_ERR_FAILURE);
    return false;
}

void TResavacSimulacije::Vozi(const std::function<void(const double*)>& stampajRed) {
    posmatra = s.posmatracRada && s.stanjeNapretka.Rad == 1;
    stampaj = [this, &stampajRed](const double* v) {
        stampajRed(v);
        if (posmatra) s.posmatracRada->Uzorak(v[s.brojBlokova], v + 1);
    };
    s.pocetniProlaz = true;
    s.Izracunaj();
    s.pocetniProlaz = false;
    stampaj(s.vrednosti.data());
    if (!s.NastaviPosleKoraka()) {
        if (s.prekid.Vrsta == TStanjeRada::Quit) s.vremeQuita = 0.0;
        return;
    }
    // Changes at t = 0: the initial pass again over the changed model, so the
    // run goes on as one begun with their values; no new random values.
    if (SledecaIzmena() <= 0 && s.PrimeniIzmeneDo(0.0)) {
        s.pocetniProlaz = true;
        s.zamrznutiSlucajni = true;
        s.Izracunaj();
        s.zamrznutiSlucajni = false;
        s.pocetniProlaz = false;
        if (!s.NastaviPosleKoraka()) {
            if (s.prekid.Vrsta == TStanjeRada::Quit) s.vremeQuita = 0.0;
            return;
        }
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
        const int kod = Korak(kraj, tn);
        if (kod < 0 || !(tn > t)) return Neuspeh(kod < 0 ? kod : CV_ERR_FAILURE);
        // Whether the solver starts afresh at t before the next step.
        bool ponovo = false;
        const double izmena = SledecaIzmena();
        if (izmena < tn - Dozvola(tn)) {
            // A change falls inside the step (before a switch it found, if any).
            if (!DoTacke(izmena)) return;
            ponovo = true;
        } else if (kod == CV_ROOT_RETURN) {
            if (erk)
                ERKStepGetRootInfo(erk, pronadjene.data());
            else
                CVodeGetRootInfo(cvode, pronadjene.data());
            bool quit = false;
            for (std::size_t i = 0; i < prekidacke.size(); ++i)
                quit = quit || (prekidacke[i].Quit && pronadjene[i] > 0);
            if (!DoTacke(tn)) return;
            if (quit) {
                s.PrijaviKraj();
                s.vremeQuita = t;
                return;
            }
            ponovo = true;
        } else if (!Prihvacen(tn)) {
            return Neuspeh(CV_ERR_FAILURE);
        }
        if (s.prekid.Vrsta == TStanjeRada::Quit) {
            s.vremeQuita = t;
            return;
        }
        if (posmatra && !s.PosmatrajKorak()) return;
        if (!Izmeni(ponovo)) return;
        if (s.prekid.Vrsta == TStanjeRada::Quit) { // a change made the Quit act
            s.vremeQuita = t;
            return;
        }
        if ((kod == CV_TSTOP_RETURN && !ponovo) || !(t < kraj)) {
            if (s.napredak) {
                s.stanjeNapretka.Vreme = t;
                s.napredak(s.stanjeNapretka);
            }
            return;
        }
        if (ponovo) PonovoPocni(t, kraj, true);
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
