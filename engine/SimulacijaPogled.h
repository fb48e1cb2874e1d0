#pragma once
// What the engine needs from the world around it, without any GUI:
// a read-only view of each block, a source of the run options and a place
// to report messages. The application implements these with its blocks and
// dialogs; tests and the batch runner with their own small classes.

#include "MetodIntegracije.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace skem {

// One block of the diagram as the engine reads it when a run starts.
class TBlokPogled {
public:
    virtual ~TBlokPogled() = default;
    virtual std::uint8_t SifraBloka() const = 0; // element kind (VrsteElemenata.h)
    virtual int LokalniBrojBloka() const = 0;    // 1-based position in the run's list
    // How messages name the block: its number, or its path in the document
    // when the list is a hierarchy flattened ("3/2").
    virtual std::string OznakaBloka() const { return std::to_string(LokalniBrojBloka()); }
    virtual double ParametarBloka(int k) const = 0; // k = 1, 2, 3
    // The 11 ordinates of a function generator (kind 7); other kinds ignore them.
    virtual std::array<double, 11> OrdinateBloka() const = 0;
    // A function generator without ordinates of its own: its table is
    // PodrazumevaneOrdinate of p1 and p2, and a run that changes either makes
    // the table anew. Otherwise the ordinates stay and only the range moves.
    virtual bool OrdinateIzParametara() const { return false; }
    // The block whose output feeds input slot k (0..2), or nullptr when the slot is empty.
    virtual const TBlokPogled* IzvorUlazaBloka(int k) const = 0;
};

// Default ordinates of a function generator: the 11 abscissae
// p2, p2 + (p1 - p2)/10, ..., p1, so a fresh generator passes its input through.
inline std::array<double, 11> PodrazumevaneOrdinate(double p1, double p2) {
    std::array<double, 11> t{};
    for (int i = 0; i <= 10; ++i)
        t[i] = p2 + (p1 - p2) * i / 10.0;
    t[10] = p1;
    return t;
}

struct TOpcijeSimulacije {
    double Trajanje = 0;          // D
    double Interval = 0;          // h
    double IntervalStampanja = 0; // P
    // The method; under a variable-step one, Interval is the largest step.
    TMetodIntegracije Metod = TMetodIntegracije::RK4;
    double RelativnaTolerancija = PodrazumevanaRelativnaTolerancija;
    double ApsolutnaTolerancija = PodrazumevanaApsolutnaTolerancija;
};

// Asked once per run, after the checks; false means the user cancelled.
class TIzvorOpcija {
public:
    virtual ~TIzvorOpcija() = default;
    virtual bool PitajOpcije(TOpcijeSimulacije& opcije) = 0;
};

// Error boxes with one OK button. Line breaks in texts are "\n".
class TPorukeSimulacije {
public:
    virtual ~TPorukeSimulacije() = default;
    virtual void GreskaSimulacije(const std::string& tekst) = 0;
};

// An arithmetic fault or exhausted memory during a run; leaves Simuliraj.
class TGreskaSimulacije : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace skem
