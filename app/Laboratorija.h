#pragma once
// TLaboratorija: the main window's lab page. During a run it shows a chart of
// the watched blocks that grows as the run goes (filled on a timer from the
// buffer the run's observer, TPracenjeRada, keeps on the integrating thread)
// and, beside it, the sliders over block parameters: moving one during a run
// changes that parameter from the run's next step on. The run's changes are
// listed in their CSV form ("t,parametar,vrednost") and can be saved.
//
// Use: the window adds the page to its page control, hands the observer to
// the engine (Pracenje), calls PocniRad before a run, Osvezi on a timer while
// it lasts and ZavrsiRad after it. Sliders are set with PostaviKlizace; their
// edits (min, max, removal) come back through OnIzmenaKlizaca.
//
// Parts by object name: "LiveGrafik", "PanelKlizaca", "Klizac1", ... (the
// sliders), "ListaIzmena", "SacuvajIzmene", "ZadrziKlizace", "NazadSaLaboratorije".

#include "ModelDokumenta.h"
#include "PracenjeRada.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QValueAxis;
class QVBoxLayout;

// A watched block: its path ("5", "3/2"), caption and position in the run's list.
struct TPraceniBlok {
    QString Blok;
    QString Naziv;
    std::size_t Kolona = 0;
};

class TLaboratorija : public QWidget {
    Q_OBJECT
public:
    explicit TLaboratorija(QWidget* roditelj = nullptr);
    ~TLaboratorija() override;

    skem::TPracenjeRada& Pracenje() { return pracenje; }

    // The sliders, each with its block's caption and the parameter's value
    // now (what a slider shows outside a run). Outside a run they cannot be
    // moved: there is nothing to steer.
    void PostaviKlizace(const std::vector<skem::TKlizacModela>& klizaci,
                        const std::vector<QString>& nazivi, const std::vector<double>& vrednosti);
    const std::vector<skem::TKlizacModela>& Klizaci() const { return klizaci; }
    // Min, max or a slider removed (not a move during a run).
    std::function<void(const std::vector<skem::TKlizacModela>&)> OnIzmenaKlizaca;
    std::function<void()> OnNazad;

    // For the run about to start: each slider's block by its number in the
    // run (0: not in it), and the run's blocks by path, per number - 1, as the
    // change list names them ("3/2"; none: each by its number).
    void PostaviCiljeve(std::vector<int> brojeviKlizaca, std::vector<std::string> putanje);
    // A run starts over [0, trajanje] with these blocks watched; redova
    // printed rows; zaustavi: the window's stop flag.
    void PocniRad(const std::vector<TPraceniBlok>& praceni, double trajanje, std::int64_t redova,
                  const std::atomic<bool>* zaustavi);
    // What the run's observer holds so far, onto the chart and the list.
    void Osvezi();
    // The run is over: its changes as the engine applied them.
    void ZavrsiRad(const skem::TListaIzmena& izmene);
    bool UToku() const { return uToku; }

    const skem::TListaIzmena& Izmene() const { return izmene; }
    // "Zadrzi vrednosti klizaca": after the run the document takes the sliders' values.
    bool ZadrziVrednosti() const;
    // Writes the change list as CSV, the file whole or not at all; a failure
    // is reported and gives false.
    bool SacuvajIzmene(const QString& putanja);

    // The slider's position for a value, and the value of a position.
    static constexpr int Podela = 1000;
    static int Polozaj(const skem::TKlizacModela& k, double v);
    static double Vrednost(const skem::TKlizacModela& k, int polozaj);

private:
    void NapraviKlizace();
    void PrikaziIzmene();
    void KlizacPomeren(std::size_t i, int polozaj);
    skem::TListaIzmena Imenovane(skem::TListaIzmena izmene) const;

    skem::TPracenjeRada pracenje;
    std::vector<skem::TKlizacModela> klizaci;
    std::vector<QString> naziviKlizaca;
    std::vector<double> vrednostiKlizaca;
    std::vector<int> brojeviKlizaca;
    std::vector<std::string> putanjeRada;
    std::vector<QSlider*> klizaciUI;
    std::vector<QLabel*> vrednostiUI;
    skem::TListaIzmena izmene;
    bool uToku = false;

    QChartView* pogled = nullptr;
    QChart* grafik = nullptr;
    QValueAxis* osaX = nullptr;
    QValueAxis* osaY = nullptr;
    std::vector<QLineSeries*> serije;
    std::size_t preuzeto = 0;
    double najmanja = 0, najveca = 0;
    QLabel* napomena = nullptr;
    QWidget* panelKlizaca = nullptr;
    QVBoxLayout* rasporedKlizaca = nullptr;
    QPlainTextEdit* listaIzmena = nullptr;
    QPushButton* sacuvajIzmene = nullptr;
    QCheckBox* zadrzi = nullptr;
};
