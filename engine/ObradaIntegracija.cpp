// One integration run: the driver loop steps the model with the Runge-Kutta
// stepper, checks the step's faults and interruptions, and hands the print
// times to an observer that records the samples.

#include "Obrada.h"

#include "Brojevi.h"

#include <algorithm>
#include <cfenv>

namespace skem {

namespace {

// The print times k*P. A step is sampled when its end time reaches the next
// one; the tolerance (h / 4P, in print intervals) keeps the rounding of the
// accumulated time from skipping or doubling a sample.
class TRasporedStampe {
public:
    TRasporedStampe(double p, double tolerancija, double t0)
        : P(p), Tolerancija(tolerancija), Sledeci(Trunc(t0 / p + 1)) {}

    bool Dospeo(double t) {
        const std::int64_t uzorak = Trunc(t / P + Tolerancija);
        if (uzorak < Sledeci) return false;
        Sledeci = uzorak + 1;
        return true;
    }

private:
    double P;
    double Tolerancija;
    std::int64_t Sledeci;
};

// Records every block's output as row k of the results, k counting the
// samples of the run; samples beyond the last row are dropped.
class TUzorciSvihBlokova {
public:
    TUzorciSvihBlokova(MatrixReal& rezultati, std::int32_t blokova)
        : Rezultati(rezultati), Blokova(blokova) {}

    void operator()(const double* vrednosti) {
        if (Broj < Rezultati.size())
            std::copy(vrednosti + 1, vrednosti + 1 + Blokova, Rezultati[Broj].begin());
        ++Broj;
    }

private:
    MatrixReal& Rezultati;
    std::int32_t Blokova;
    std::size_t Broj = 0;
};

} // namespace

void TSimulacija::Integrisi(std::int32_t j) {
    BlokZaUzorak = j;
    BrojUzorka = 0;
    auto posmatrac = [this](const double*) { ZapamtiUzorak(); };
    IzvediRad(posmatrac);
}

void TSimulacija::IntegrisiSveKolone(MatrixReal& rezultati) {
    TUzorciSvihBlokova posmatrac(rezultati, BrojBlokova - 1);
    IzvediRad(posmatrac);
}

void TSimulacija::ZapamtiUzorak() {
    if (BrojUzorka < static_cast<std::int64_t>(Uzorci.size()))
        Uzorci[static_cast<std::size_t>(BrojUzorka)] =
            Vrednosti[static_cast<std::size_t>(BlokZaUzorak)];
    ++BrojUzorka;
}

// Arithmetic faults leave the run as exceptions; the flags are sticky, so one
// test per step catches a fault anywhere in its four passes.
void TSimulacija::ProveriAritmetiku() const {
    const int greske = std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID);
    if (greske == 0) return;
    std::feclearexcept(FE_ALL_EXCEPT);
    if (greske & FE_OVERFLOW) throw TGreskaSimulacije("Floating point overflow");
    if (greske & FE_DIVBYZERO) throw TGreskaSimulacije("Floating point division by zero");
    throw TGreskaSimulacije("Invalid floating point operation");
}

bool TSimulacija::NastaviPosleKoraka() {
    ProveriAritmetiku();
    if (Prekid.Vrsta == TStanjeRada::Greska) {
        Poruka(Prekid.Poruka);
        Uspeh = false;
        return false;
    }
    return Prekid.Vrsta != TStanjeRada::Quit;
}

void TSimulacija::PocniRad() {
    const auto m = static_cast<std::size_t>(BrojIntegratora);
    Izvodi.assign(m + 1, 0.0);
    Stanja.resize(m + 1);
    PocetnaStanja.resize(m + 1);
    RK4.Pripremi(m, Interval, PolaIntervala);
    Vrednosti.assign(static_cast<std::size_t>(BrojBlokova) + 1, 0.0);

    std::feclearexcept(FE_ALL_EXCEPT);

    double* v = Vrednosti.data();
    PripremiPlan();
    for (std::int32_t p = 2; p <= DuzinaRedosleda; ++p) {
        const std::int32_t b = Redosled[static_cast<std::size_t>(p)];
        v[b] = Blokovi[static_cast<std::size_t>(b)].Parametar1;
    }
    for (std::size_t i = 1; i <= m; ++i)
        Stanja[i] = Blokovi[static_cast<std::size_t>(Integratori[i])].Parametar1;

    Vreme = 0;
    v[BrojBlokova] = 0;
    Prekid = TVrstaPrekida{};
}

// The observer is called with the value table after the initial pass and at
// every print time; a template parameter, so recording costs no call per step.
template <class TPosmatrac> void TSimulacija::IzvediRad(TPosmatrac& posmatrac) {
    PocniRad();
    TRasporedStampe stampa(IntervalStampanja, PolaIntervala / (IntervalStampanja * 2), Vreme);

    PocetniProlaz = true;
    Izracunaj();
    PocetniProlaz = false;
    posmatrac(static_cast<const double*>(Vrednosti.data()));

    double* const v = Vrednosti.data();
    const TStanjaIntegratora stanja{static_cast<std::size_t>(BrojIntegratora),
                                    Stanja.data(),
                                    PocetnaStanja.data(),
                                    Izvodi.data(),
                                    v,
                                    Integratori.data()};
    const std::int32_t pocetak = BrojKonstanti + 2;
    // One pass of a step. The stepper has already placed the new states in the
    // value table, which is what Izracunaj would do first, so the pass starts
    // from the blocks.
    auto model = [this, v, pocetak](double t, bool prviProlaz) {
        if (!Prekid.Prekinut())
            Prekid.Vrsta = prviProlaz ? TStanjeRada::PrviProlaz : TStanjeRada::KasnijiProlaz;
        v[BrojBlokova] = t;
        Relaksacija = 0;
        IzracunajOd(pocetak);
    };

    // The run ends after a step: on an interruption, or once the step's end
    // reaches D + h/2. A progress report or a stop request belongs at the end
    // of the loop body, where a step is complete and sampled.
    for (;;) {
        RK4.Korak(stanja, Vreme, model);
        if (!NastaviPosleKoraka()) return;
        if (stampa.Dospeo(Vreme)) posmatrac(static_cast<const double*>(v));
        if (!(Trajanje + PolaIntervala > Vreme)) return;
    }
}

} // namespace skem
