#pragma once
// TIzborLinearizacije: asks what to linearize. The input u (a block whose
// output may be taken as it: a constant, a step or a generator), the output y
// (any block with a row in the results), optionally a time of the last run
// (when its results belong to the model as it is) and the change of u for the
// simulated step response. Created on first use and reused, so it keeps the
// last choices while their blocks exist.

#include "OkvirDijalog.h"

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class TIzborLinearizacije : public TOkvirDijalog {
    Q_OBJECT
public:
    explicit TIzborLinearizacije(QWidget* roditelj = nullptr);

    // A block the lists offer: its local number and its caption ("3. Integrator").
    struct TStavka {
        int LokalniBroj = 0;
        QString Natpis;
    };
    // Fills the lists; poslednjeVreme: the last simulated time of a run whose
    // results fit the model (none: the point is the start, t = 0).
    void Postavi(const std::vector<TStavka>& ulazi, const std::vector<TStavka>& izlazi,
                 std::optional<double> poslednjeVreme);

    QComboBox* IzborUlaza;
    QComboBox* IzborIzlaza;
    QCheckBox* UTrenutku; // "u trenutku t ="
    QLineEdit* PoljeVremena;
    QLineEdit* PoljeSkoka; // the change of u for the simulated response

    // What the last accepted showing chose.
    int Ulaz = 0, Izlaz = 0;
    std::optional<double> Vreme;
    double Skok = 1;

    void DugmePrihvatiClick(); // "linearizuj"

private:
    QLabel* opisVremena;
    std::optional<double> poslednjeVreme;
};
