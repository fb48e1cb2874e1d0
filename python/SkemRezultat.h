#pragma once
// One run's results as Python sees them: the time column and one column per
// row of the results table, each a numpy array over the engine's own matrix
// (no copy, no Python object per value), named as in the CSV header.

#include "MatricaRezultata.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;

// A refusal with the program's own message; Python gets skem.SkemError.
class TGreskaSkem : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TRezultatPy {
public:
    // Takes over the matrix (rows 0..n are the printed times 0, P, ..., nP);
    // `kolone` are the matrix columns that have a row in the table, `imena`
    // their CSV captions; `t` the times, shared by the runs of one series.
    TRezultatPy(std::unique_ptr<skem::TMatricaRezultata> matrica, std::int64_t n,
                std::vector<std::string> imena, std::vector<int> brojevi,
                std::vector<py::ssize_t> kolone, py::array t, double stampa);

    py::array T;
    std::vector<std::string> Imena;
    std::vector<int> Brojevi; // the blocks' local numbers, by column
    std::int64_t Run = 1;
    py::dict Tacka;                    // the swept values of this run
    std::optional<std::string> Poruka; // a Quit that ended the run
    double Vreme = 0;                  // the simulated time reached
    double Stampa = 0;                 // P

    py::array Kolona(std::size_t j) const;
    py::object Uzmi(const py::object& kljuc) const;
    py::list Kljucevi() const;
    py::dict UVrecnik() const;
    // The CSV a single batch run writes for these results, byte for byte.
    std::string Csv() const;

    py::tuple Stanje() const;
    static TRezultatPy IzStanja(const py::tuple& stanje);

private:
    TRezultatPy() = default;
    py::array vrednosti;             // rows = times, columns = every block
    std::vector<py::ssize_t> kolone; // its column for each name
};

void DodajRezultat(py::module_& m);
