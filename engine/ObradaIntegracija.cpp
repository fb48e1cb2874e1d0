// One integration run: the driver loop steps the model with the Runge-Kutta
// stepper, checks the step's faults and interruptions, and hands the print
// times to an observer that records the samples.

#include "Obrada.h"

#include "Brojevi.h"
#include "SitneVrednosti.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace skem {

namespace {

// The print times k*P. A step is sampled when its end time reaches the next
// one; the tolerance (h / 4P, in print intervals) keeps the rounding of the
// accumulated time from skipping or doubling a sample.
class TRasporedStampe {
public:
    TRasporedStampe(double korak, double dozvola, double t0)
        : p(korak), tolerancija(dozvola), sledeci(Trunc(t0 / korak + 1)) {}

    bool Dospeo(double t) {
        const std::int64_t uzorak = Trunc(t / p + tolerancija);
        if (uzorak < sledeci) return false;
        sledeci = uzorak + 1;
        return true;
    }

private:
    double p;
    double tolerancija;
    std::int64_t sledeci;
};

// Records every block's output as row k of the results, k counting the
// samples of the run; samples beyond the last row are dropped.
class TUzorciSvihBlokova {
public:
    explicit TUzorciSvihBlokova(MatrixReal& cilj) : rezultati(cilj) {}

    void operator()(const double* vrednosti) {
        if (broj < rezultati.Redova())
            std::copy(vrednosti + 1, vrednosti + 1 + rezultati.Kolona(), rezultati.Red(broj));
        ++broj;
    }

private:
    MatrixReal& rezultati;
    std::size_t broj = 0;
};

// Hands every block's output on as row k, k counting the samples of the run;
// samples from `redova` on are dropped, as the matrix drops them.
class TUzorciUPrijem {
public:
    TUzorciUPrijem(TPrijemRedova& cilj, std::int64_t redova) : prijem(cilj), redova(redova) {}

    void operator()(const double* vrednosti) {
        if (broj < redova) prijem.Red(broj, vrednosti + 1);
        ++broj;
    }

private:
    TPrijemRedova& prijem;
    std::int64_t redova;
    std::int64_t broj = 0;
};

} // namespace

void TSimulacija::Integrisi(std::int32_t j) {
    blokZaUzorak = j;
    brojUzorka = 0;
    auto posmatrac = [this](const double*) { ZapamtiUzorak(); };
    IzvediRad(posmatrac);
}

void TSimulacija::IntegrisiSveKolone(MatrixReal& rezultati) {
    TUzorciSvihBlokova posmatrac(rezultati);
    IzvediRad(posmatrac);
}

void TSimulacija::IntegrisiSveKolone(TPrijemRedova& prijem, std::int64_t redova) {
    TUzorciUPrijem posmatrac(prijem, redova);
    IzvediRad(posmatrac);
}

void TSimulacija::ZapamtiUzorak() {
    if (brojUzorka < static_cast<std::int64_t>(uzorci.size()))
        uzorci[static_cast<std::size_t>(brojUzorka)] =
            vrednosti[static_cast<std::size_t>(blokZaUzorak)];
    ++brojUzorka;
}

const char* UzmiAritmetickuGresku() {
    const int greske = std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID);
    if (greske == 0) return nullptr;
    std::feclearexcept(FE_ALL_EXCEPT);
    if (greske & FE_OVERFLOW) return "Floating point overflow";
    if (greske & FE_DIVBYZERO) return "Floating point division by zero";
    return "Invalid floating point operation";
}

// Arithmetic faults leave the run as exceptions; the flags are sticky, so one
// test per step catches a fault anywhere in its four passes.
void TSimulacija::ProveriAritmetiku() const {
    if (const char* greska = UzmiAritmetickuGresku()) throw TGreskaSimulacije(greska);
}

bool TSimulacija::NastaviPosleKoraka() {
    ProveriAritmetiku();
    if (prekid.Vrsta == TStanjeRada::Greska) {
        Poruka(prekid.Poruka);
        uspeh = false;
        return false;
    }
    if (prekid.Vrsta != TStanjeRada::Quit) return true;
    vremeQuita = std::min(vremeQuita.value_or(vreme), vreme);
    return false;
}

void TSimulacija::PocniRad() {
    const auto m = static_cast<std::size_t>(brojIntegratora);
    izvodi.assign(m + 1, 0.0);
    stanja.resize(m + 1);
    pocetnaStanja.resize(m + 1);
    rk4.Pripremi(m, interval, polaIntervala);
    vrednosti.assign(static_cast<std::size_t>(brojBlokova) + 1, 0.0);

    std::feclearexcept(FE_ALL_EXCEPT);

    double* v = vrednosti.data();
    PripremiPlan();
    for (std::int32_t p = 2; p <= duzinaRedosleda; ++p) {
        const std::int32_t b = redosled[static_cast<std::size_t>(p)];
        v[b] = blokovi[static_cast<std::size_t>(b)].Parametar1;
    }
    for (std::size_t i = 1; i <= m; ++i)
        stanja[i] = blokovi[static_cast<std::size_t>(integratori[i])].Parametar1;

    vreme = 0;
    v[brojBlokova] = 0;
    prekid = TVrstaPrekida{};
    sledecaIzmena = 0;
    parametriRada.clear();
    if (!rasponiRada.empty()) {
        // The tables an earlier run changed; the vector keeps its storage.
        std::copy(pocetneTabele.begin(), pocetneTabele.end(), tabele.begin());
        rasponiRada.clear();
    }
}

// The observer is called with the value table after the initial pass and at
// every print time; a template parameter, so recording costs no call per step.
// The run's thread takes subnormal values as zero until the run ends.
template <class TPosmatrac> void TSimulacija::IzvediRad(TPosmatrac& posmatrac) {
    const TRezimBezSitnih rezim;
    PocniRad();
    if (metod != TMetodIntegracije::RK4) {
        IzvediResavacem([&posmatrac](const double* v) { posmatrac(v); });
        return;
    }
    TRasporedStampe stampa(intervalStampanja, polaIntervala / (intervalStampanja * 2), vreme);
    // The run's observer sees the printed rows of the first run.
    auto uzorak = [&](const double* vrednostiBlokova) {
        posmatrac(vrednostiBlokova);
        if (posmatracRada && stanjeNapretka.Rad == 1)
            posmatracRada->Uzorak(vreme, vrednostiBlokova + 1);
    };

    pocetniProlaz = true;
    Izracunaj();
    pocetniProlaz = false;
    uzorak(static_cast<const double*>(vrednosti.data()));

    double* const v = vrednosti.data();
    const TStanjaIntegratora niz{static_cast<std::size_t>(brojIntegratora),
                                 stanja.data(),
                                 pocetnaStanja.data(),
                                 izvodi.data(),
                                 v,
                                 integratori.data()};
    const std::int32_t pocetak = brojKonstanti + 2;
    // One pass of a step. The stepper has already placed the new states in the
    // value table, which is what Izracunaj would do first, so the pass starts
    // from the blocks.
    auto model = [this, v, pocetak](double t, bool prviProlaz) {
        if (!prekid.Prekinut())
            prekid.Vrsta = prviProlaz ? TStanjeRada::PrviProlaz : TStanjeRada::KasnijiProlaz;
        v[brojBlokova] = t;
        relaksacija = 0;
        IzracunajOd(pocetak);
    };

    // The run ends after a step: on an interruption, once the step's end
    // reaches D + h/2, or on a stop request, looked at (with the progress
    // report) after the first step and then every KorakaIzmedjuProvera steps.
    // A run that gets to the end reports that too.
    auto vozi = [&](auto&& korak) {
        int doProvere = 1;
        for (;;) {
            if (sledecaIzmena < izmeneRada.size()) PrimeniIzmene();
            korak();
            if (!NastaviPosleKoraka()) return;
            if (stampa.Dospeo(vreme)) uzorak(static_cast<const double*>(v));
            if (posmatracRada && !PosmatrajKorak()) return;
            if (!(trajanje + polaIntervala > vreme)) {
                // The last report says the run got to the end.
                if (napredak) {
                    stanjeNapretka.Vreme = vreme;
                    napredak(stanjeNapretka);
                }
                return;
            }
            if (--doProvere == 0) {
                if (!NapredakIZaustavljanje(vreme)) return;
                doProvere = KorakaIzmedjuProvera;
            }
        }
    };
    if (!prevedeni) {
        vozi([&] { rk4.Korak(niz, vreme, model); });
        return;
    }
    // The compiled step works on the same arrays and the same plan; the
    // initial pass above was the interpreter's.
    TKontekstPrevedenog k;
    k.V = v;
    k.F = izvodi.data();
    k.Y = stanja.data();
    k.Y0 = pocetnaStanja.data();
    k.K1 = rk4.K1();
    k.K2 = rk4.K2();
    k.K3 = rk4.K3();
    static_assert(sizeof(TKorakProlaza) % sizeof(double) == 0);
    k.Plan = reinterpret_cast<double*>(planProlaza.data());
    k.PlanCeli = reinterpret_cast<std::int32_t*>(planProlaza.data());
    static_assert(sizeof(std::array<double, 11>) == 11 * sizeof(double));
    k.Tabele = tabele.empty() ? nullptr : tabele.front().data();
    k.Izlazi = integratori.data();
    k.Simulacija = this;
    k.Greska = &PrevedenaGreska;
    k.Kraj = &PrevedenKraj;
    k.Slucajan = &PrevedenaSlucajna;
    k.Sin = [](double x) { return std::sin(x); };
    k.Cos = [](double x) { return std::cos(x); };
    k.Exp = [](double x) { return std::exp(x); };
    k.Atan = [](double x) { return std::atan(x); };
    k.PolaH = rk4.PolaH();
    k.H = rk4.H();
    k.Sestina = TKorakRK4::Sestina;
    k.Granica = GranicaSitnihDugih;
    vozi([&] {
        k.T = vreme;
        prevedeni->Korak(k);
        vreme = k.T;
        if (!prekid.Prekinut()) prekid.Vrsta = TStanjeRada::KasnijiProlaz;
    });
}

void TSimulacija::IzaberiProlaz(std::int64_t radova) {
    prevedeni.reset();
    greskaPrevodjenja.clear();
    // The compiled step is Runge-Kutta's; the solvers call the interpreter's pass.
    if (prevodjenje == TPrevodjenje::Ne || metod != TMetodIntegracije::RK4) return;
    PripremiPlan();
    const TPlanZaPrevodjenje plan = PlanZaPrevodjenje();
    if (prevodjenje == TPrevodjenje::Da) {
        prevedeni = PrevediModel(plan, greskaPrevodjenja);
        return;
    }
    // Auto: only models small enough to gain; one compiled before costs
    // nothing; else compile when the interpreter's estimated time for all the
    // runs is clearly beyond the compile's, and take a failure silently.
    if (plan.Pocetak > plan.Duzina || ZapisaZaPrevodjenje(plan) > NajviseZapisaZaAuto) return;
    if ((prevedeni = NadjiPrevedeni(KljucModela(plan)))) return;
    const double zapisa = static_cast<double>(ZapisaZaPrevodjenje(plan));
    const double koraka = std::floor(trajanje / interval) + 2;
    const double tumac = koraka * 4 * zapisa * static_cast<double>(radova) *
                         static_cast<double>(radovaSerije) * SekundiPoZapisuTumaca;
    if (!(tumac > 2 * ProcenaPrevodjenja(ZapisaZaPrevodjenje(plan)))) return;
    std::string greska;
    prevedeni = PrevediModel(plan, greska);
}

bool TSimulacija::NapredakIZaustavljanje(double t) {
    if (napredak) {
        stanjeNapretka.Vreme = t;
        napredak(stanjeNapretka);
    }
    if (zaustavljanje && zaustavljanje->load(std::memory_order_relaxed)) {
        zaustavljena = true;
        uspeh = false;
        return false;
    }
    return true;
}

} // namespace skem
