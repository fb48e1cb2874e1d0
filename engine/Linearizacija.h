#pragma once
// Linearization of a model around an operating point: the input u is the
// output of one block (a constant, step or generator), the output y that of
// another. The state derivatives and y are differentiated numerically with
// respect to the integrator states and u, which gives the linear model
// x' = A x + B u, y = C x + D u in deviations from the point, its poles, its
// frequency response and its step response beside the simulated one.
//
// Every evaluation is the engine's own initial pass over a copy of the model
// in which the input block is a constant holding u and each integrator starts
// at the state asked for, so every kind computes exactly as in a run.

#include "SimulacijaPogled.h"
#include "VrsteElemenata.h"

#include <Eigen/Dense>

#include <complex>
#include <stdexcept>
#include <string>
#include <vector>

namespace skem {

// A model that cannot be linearized; what() is the message for the user.
class TGreskaLinearizacije : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Kinds whose output may be taken as the input u.
bool MozeBitiUlazLinearizacije(TVrstaElementa vrsta);

// What to linearize, and around which point.
struct TZahtevLinearizacije {
    int Ulaz = 0;  // local number of the input block
    int Izlaz = 0; // local number of the output block
    // The point: at time Vreme, with every block's output (block j at
    // Izlazi[j - 1], a printed row of a run: the integrators give the states,
    // memories their memory). Empty: the model's own initial state at t = 0.
    double Vreme = 0;
    std::vector<double> Izlazi;
    // The change of u for the simulated step response.
    double SkokUlaza = 1;
};

struct TTackaFrekvencije {
    double Omega = 0;       // rad/s
    double ModulDb = 0;     // 20 log10 |H(jw)|
    double FazaStepeni = 0; // arg H(jw), continuous over the frequencies
};

struct TLinearniModel {
    Eigen::MatrixXd A, B, C, D;
    std::vector<int> BlokoviStanja;           // local number of the integrator of each state
    double U0 = 0, Y0 = 0;                    // u and y at the point
    std::vector<std::complex<double>> Polovi; // by real part, then imaginary part
    std::vector<TTackaFrekvencije> Frekvencije;
    // Step responses to a unit change of u, both as a change of y: the linear
    // model's, and the simulated model's change (y with u0 + SkokUlaza less y
    // with u0, over SkokUlaza), at the same times.
    std::vector<double> VremenaOdziva, LinearniOdziv, SimuliraniOdziv;
    double SkokUlaza = 1;
    // Why the simulated response is missing (empty when it is there).
    std::string GreskaSimulacije;
};

// The linearization. Throws TGreskaLinearizacije with the reason when the
// model cannot be linearized (no integrator, no path from u to y, an element
// error at the point, ...).
TLinearniModel Linearizuj(const std::vector<const TBlokPogled*>& pogledi,
                          const TZahtevLinearizacije& zahtev);

// The steps that Linearizuj ends with, for a linear model of its own.
// H(jw) = C (jwI - A)^-1 B + D on a logarithmic grid of whole decades around
// the poles' magnitudes; points where jw is a pole are left out.
std::vector<TTackaFrekvencije>
FrekvencijskiOdziv(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b, const Eigen::MatrixXd& c,
                   const Eigen::MatrixXd& d, const std::vector<std::complex<double>>& polovi);
// The linear model's response to a unit step of u from x = 0, at the times
// k * korak, k = 0 .. tacaka (fewer when an unstable one leaves the doubles).
std::vector<double> OdzivNaSkok(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b,
                                const Eigen::MatrixXd& c, const Eigen::MatrixXd& d, double korak,
                                int tacaka);

inline constexpr const char* PorukaNemaPutanje = "Izlaz ne zavisi od izabranog ulaza.";
inline constexpr const char* PorukaVrstaUlaza =
    "Ulaz mora biti konstanta, odskocna funkcija ili generator.";

} // namespace skem
