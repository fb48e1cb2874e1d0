#pragma once
// TOpcije: the simulation options dialog. Asks for the duration D, the
// integration interval h and the print interval P of a run, checks them
// ("simulacija") and hands them to the engine through TIzvorOpcija. Created
// once and reused, so the fields keep what the user last typed. Below the
// three fields: whether long runs are compiled to machine code (remembered
// from one start of the program to the next), and the integration method with
// its tolerances (kept with the document: the window sets them before each run
// with PostaviMetod and reads the accepted ones with Metod).

#include "OkvirDijalog.h"
#include "Prevodjenje.h"
#include "SimulacijaPogled.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

class TOpcije : public TOkvirDijalog, public skem::TIzvorOpcija {
    Q_OBJECT
public:
    explicit TOpcije(QWidget* roditelj = nullptr);

    // The values of the last "simulacija", each stored as soon as it was parsed.
    double Trajanje = 0;
    double Interval = 0;
    double IntervalStampanja = 0;
    double RelativnaTolerancija = skem::PodrazumevanaRelativnaTolerancija;
    double ApsolutnaTolerancija = skem::PodrazumevanaApsolutnaTolerancija;

    QLineEdit* PoljeTrajanja;           // duration
    QLineEdit* PoljeIntervala;          // integration interval
    QLineEdit* PoljeIntervalaStampanja; // print interval
    QComboBox* IzborPrevodjenja;        // "automatski", "uvek", "nikad"
    QComboBox* IzborMetoda;             // RK4, Dormand-Prince, BDF (NaziviMetoda)
    QLineEdit* PoljeRelativneTolerancije;
    QLineEdit* PoljeApsolutneTolerancije;

    // The entries of IzborMetoda, in the order of skem::TMetodIntegracije.
    static const QStringList& NaziviMetoda();
    // The document's method, shown from now on: its tolerances too; none (RK4)
    // leaves the tolerance fields as they are.
    void PostaviMetod(const std::optional<skem::TMetodDokumenta>& metod);
    // The method chosen and the tolerances of the last "simulacija".
    skem::TMetodDokumenta Metod() const;

    // The compiled pass as chosen in the dialog.
    skem::TPrevodjenje Prevodjenje() const;

    // Shows the dialog modally; true with the values when the user accepted.
    bool PitajOpcije(skem::TOpcijeSimulacije& opcije) override;

    void DugmePrihvatiClick(); // "simulacija"

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The tolerances only for a variable-step method, whose step field is
    // the largest step.
    void MetodPromenjen();
    class QLabel* natpisIntervala;
};
