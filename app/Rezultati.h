#pragma once
// TPrikazRezultata: the two result pages of the main window's page control.
// "Prikaz Simulacije" (TabelaTab) shows a run's results as a table, one row
// per block output (a check box with the block's number and name in front)
// and one column per printed time; "Grafik" (GrafikTab) draws the ticked rows
// as line series, flat or in depth. Both pages also export what they show.
//
// Use: add TabelaTab and GrafikTab to the page control (it takes them over),
// assign OnPrikaziStranu (switch the page control to the given page; while it
// is unassigned a page control that holds the page is switched directly) and
// OnNazadNaModel (the table's "Nazad": back to the model page and its tool
// bar), put OpisKraja in the window's status bar, then call PopuniTabelu
// after each successful run and OcistiTabelu at the start of each run.
//
// The pages' controls are the view's own; they carry object names by which
// they can be found: the table page's "Tabela", "BackOnModel", "Uputstvo",
// "IzvozCsv", "GoToChart", "RucicaNaziva" and the rows' check boxes
// "Oznaka1", "Oznaka2", ...; the chart page's "Grafik2D", "Grafik3D",
// "BackOnTable", "IzborOseX", "PonistiZum", "IzvozPng", "IzvozSvg",
// "ChartView" and "Merenja" with its actions "UveziMerenja" and "UkloniMerenja".
//
// The view's jobs live in files of their own: the table page (Rezultati.cpp,
// its cells in ModelTabele, its columns' width in SirinaKolona), the chart
// page (RezultatiGrafik.cpp), the phase plot (RezultatiFazni.cpp) and the
// read-out of a point (RezultatiOcitavanje.cpp).

#include "CsvRezultata.h"

#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QSize>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QChart;
class QCategoryAxis;
class QCheckBox;
class QChartView;
class QComboBox;
class QGraphicsEllipseItem;
class QLabel;
class QLineSeries;
class QPushButton;
class QStackedWidget;
class QTimer;
class QTableView;
class TGrafik3D;
class TModelTabele;
struct TMerenja;
struct TNizVrednosti;
struct TPodelaOse;
namespace DeloviRezultata {
struct TPikselGrafika;
}

// How a run ended, for the result pages: by a Quit element at Vreme (the end
// of the step, of interval Korak, in which it was raised; the engine's
// VremeZaustavljanja), or (Quit false) at its full duration.
struct TKrajRada {
    bool Quit = false;
    double Vreme = 0;
    double Korak = 0; // 0: a variable-step run, stopped at Vreme exactly
    QString Opis;     // what stopped it, when not a Quit (a solver that gave up)
};

// A results row's block as the ticks remember it from run to run: its local
// number, or inside a subsystem its path ("3/2"), so equal numbers at
// different levels stay apart.
QString KljucReda(const skem::TBlokRezultata& blok);

class TPrikazRezultata : public QObject {
    Q_OBJECT
public:
    explicit TPrikazRezultata(QObject* roditelj = nullptr);
    ~TPrikazRezultata() override;

    // The pages: owned by this object until a page control takes them.
    QWidget* TabelaTab() const;
    QWidget* GrafikTab() const;
    // How the shown run ended, for the window's status bar (which takes it
    // over): empty unless a Quit element ended it.
    QLabel* OpisKraja() const;

    std::function<void(QWidget*)> OnPrikaziStranu; // switch the page control to this page
    std::function<void()> OnNazadNaModel;          // the table's "Nazad"

    // For a narrow window: the table page's note goes on two lines instead
    // of being cut at both ends; its row gives it the panel's whole height
    // (the buttons keep theirs, centred).
    void PrelomiUputstvo();

    // The most printed intervals (n) the table takes.
    static constexpr std::int64_t NajviseIntervala = 10'000'000;

    // Fills the table from a successful run and switches to TabelaTab.
    // noviBlokovi: the run's list in order; noviRezultati: row k = time k*P,
    // column i = noviBlokovi[i]. After a Quit the times the run did not get
    // to keep their zeros, greyed, the chart ends before them and OpisKraja
    // says so. Throws std::invalid_argument, leaving the table as it was,
    // when D or P (or the Quit's time and step) is unusable or the matrix is
    // smaller than they need.
    void PopuniTabelu(const std::vector<skem::TBlokRezultata>& noviBlokovi,
                      skem::TMatricaRezultata noviRezultati, double novoTrajanje,
                      double noviIntervalStampe, const TKrajRada& kraj = {});
    // Frees the check boxes and empties the table.
    void OcistiTabelu();
    // The ticked rows' blocks by KljucReda, in table order; and ticking the
    // rows of these blocks (the others stay as they are).
    QStringList OznaceniBlokovi() const;
    void OznaciBlokove(const QStringList& kljucevi);

    // Draws the ticked rows and switches to GrafikTab; with none ticked it says
    // "Niste oznacili zeljene izlaze!" and stays. The horizontal axis is the
    // time, or one of the ticked rows the user picked in IzborOseX (a phase
    // plot of the others against it).
    void PrikaziGrafik();

    // The flat chart's read-out of the point nearest to a position in the
    // chart view (its viewport's coordinates): on a time chart the printed
    // time nearest to it, of the curve nearest there; on a phase plot the
    // drawn point nearest to it. Shown beside the pointer with a mark on the
    // point; off the plot it is hidden.
    void PokaziTacku(QPoint pozicija);
    void SakrijTacku();
    const QString& OpisTacke() const { return opisTacke; } // empty while hidden

    // The table read as a string grid: row 0 holds the times, column 0 the
    // row captions, the cell of column k + 1 in row r the value of row r at k*P.
    int BrojRedova() const;
    int BrojKolona() const;
    QString Celija(int kolona, int red) const;

    // Writes the results as CSV (header, then one line per printed time) as
    // they are formatted, the file whole or not at all; a failure is reported
    // and gives false.
    bool IzveziCsv(const QString& putanja);
    bool SacuvajGrafik(const QString& putanja); // PNG, or SVG for a ".svg" name

    bool Pogled3D() const { return jePogled3D; }
    // The run's values as the table holds them (row k = time k*P).
    const skem::TMatricaRezultata& Rezultati() const { return rezultati; }

    // The run's blocks in list order and its print interval P.
    const std::vector<skem::TBlokRezultata>& Blokovi() const { return blokovi; }
    double IntervalStampe() const { return intervalStampe; }

    // The printed times the run got to: 0..SimuliranihTacaka() - 1.
    int SimuliranihTacaka() const { return simuliranihTacaka; }

    // ---- measured data over the time chart (RezultatiMerenja.cpp) ----
    // The document's files of measured data, a relative one from fascikla
    // (the document's folder); each is read when the chart is next drawn.
    void PostaviMerenja(const std::vector<QString>& fajlovi, const QString& fascikla);
    // The files as the document keeps them: relative to fascikla when inside
    // it; all by their full paths for an empty fascikla.
    std::vector<QString> FajloviMerenja(const QString& fascikla) const;
    // Reads a file (in place of its earlier reading) and redraws the chart
    // with it; an error is shown and gives false, the chart unchanged.
    bool UveziMerenja(const QString& putanja);
    std::function<void()> OnIzmenaMerenja; // the document's files changed

protected:
    bool eventFilter(QObject* objekat, QEvent* dogadjaj) override;

private:
    // ---- the table page (Rezultati.cpp) ----
    void NapraviTabelaTab();
    void PostaviOznake(); // lays the check boxes over the caption column
    // The width of the value columns: that of the widest time or value text.
    // Sets opsegKolone on the way.
    int SirinaKolonaVrednosti(const std::vector<size_t>& kolone);
    void PrikaziStranu(QWidget* strana);
    void BackOnModelClick();
    void BackOnTableClick();
    void GoToChartClick();
    void IzvozCsvClick();

    // ---- the chart page (RezultatiGrafik.cpp) ----
    void NapraviGrafikTab();
    // The lowest and highest value the chart draws of these matrix columns
    // together, as the table shows them; {0, 0} when they hold no number.
    std::pair<double, double> Opseg(const std::vector<std::size_t>& kolone) const;
    // One drawn row: its matrix column and its series.
    struct TKriva {
        std::size_t Kolona;
        QLineSeries* Serija;
        std::vector<std::size_t> Tacke; // the printed times drawn, in drawing order
    };
    // Draws the rows (table rows from 0) against the chosen horizontal axis.
    void NacrtajKrive(const std::vector<int>& redovi);
    // Fits both axes to the curves' values; gives their divisions (x, y).
    std::pair<TPodelaOse, TPodelaOse> PodesiOse();
    // Gives every series the points the view needs at its ranges and size;
    // OsveziKrive unless the chart is being built.
    void ProrediKrive();
    void OsveziKrive();
    // OsveziKrive a moment later: a layout that settles in steps, a resize
    // dragged along or a zoom setting both ranges costs one pass.
    void OsveziKasnije();
    QList<QPointF> Tacke(const TKriva& kriva, const std::vector<std::size_t>& indeksi) const;
    TNizVrednosti Niz(std::size_t kolona) const; // the chart's part of a matrix column
    void ChartViewClick();
    void IzvozSlikeClick(const QString& format);

    // ---- the phase plot (RezultatiFazni.cpp) ----
    bool JeFazni() const { return redOseX >= 0; }
    // Offers the time and, with two or more, the ticked rows (table rows
    // from 0) for the horizontal axis; the chosen row stays while it is
    // among them.
    void PonudiOseX(const std::vector<int>& redovi);
    void IzborOseXClick(int indeks);
    // The drawn point nearest (in pixels) to a point of the chart: its curve
    // (null with none) and printed time.
    std::pair<const TKriva*, std::size_t>
    NajblizaNacrtana(QPointF uGrafiku, const DeloviRezultata::TPikselGrafika& piksel) const;

    // ---- measured data (RezultatiMerenja.cpp) ----
    void UveziMerenjaClick();
    void UkloniMerenjaClick();
    void ProcitajMerenja(); // the files not read yet; errors shown once
    void NacrtajMerenja();  // markers over a time chart's curves
    // The measurements' extent (times, values); nothing when none is drawn.
    std::optional<std::pair<QPointF, QPointF>> OpsegMerenja() const;
    struct TFajlMerenja {
        QString Putanja; // absolute
        std::shared_ptr<const TMerenja> Podaci;
        bool Procitan = false; // tried (Podaci empty: it failed)
    };
    std::vector<TFajlMerenja> merenja;
    QAction* uveziMerenja = nullptr;
    QAction* ukloniMerenja = nullptr;

    // The pages (to free those no page control took) and their controls.
    QPointer<QWidget> stranaTabele;
    QPointer<QWidget> stranaGrafika;
    QPointer<QLabel> opisKraja; // to free it when no status bar took it
    QTableView* tabela = nullptr;
    std::vector<QCheckBox*> oznake; // the check box of table row r is entry r - 1
    QStringList kljuceviOznaka;     // each check box's block, by KljucReda
    QLabel* uputstvo = nullptr;
    QPushButton* backOnModel = nullptr;
    QPushButton* izvozCsv = nullptr;
    QPushButton* goToChart = nullptr;
    QPushButton* backOnTable = nullptr;
    QPushButton* ponistiZum = nullptr;
    QPushButton* izvozPng = nullptr;
    QPushButton* izvozSvg = nullptr;
    QPushButton* chartView = nullptr;
    QComboBox* izborOseX = nullptr; // "t", or with two rows ticked or more, each of them
    QChartView* grafik2D = nullptr;
    TGrafik3D* grafik3D = nullptr;

    TModelTabele* model = nullptr; // owned by the table
    // The grid, its cell area, its row of times and its caption column, as
    // the event filter tells them apart.
    std::array<QObject*, 4> prozoriTabele{};
    QWidget* rucicaNaziva = nullptr;   // drags the caption column's width
    QStackedWidget* pogledi = nullptr; // the flat chart and the depth view
    QChart* grafik = nullptr;
    QCategoryAxis* osaX = nullptr; // ticks and labels at round numbers, set by us
    QCategoryAxis* osaY = nullptr;
    bool jePogled3D = false;
    // Each matrix column's lowest and highest value over the times the
    // chart draws (NaN for a column not in the table or with no number).
    std::vector<std::pair<double, double>> opsegKolone;
    std::vector<TKriva> krive;
    std::vector<int> redoviGrafika; // the ticked rows the chart was built of
    int redOseX = -1;               // the table row (from 0) on the horizontal axis; -1: time
    bool crtanjeUToku = false;      // the chart is being built: nothing is thinned meanwhile
    QTimer* odlozenoOsvezavanje = nullptr; // OsveziKasnije
    bool opsegNaCekanju = false;           // a phase plot's range has changed meanwhile
    QSize velicinaPogleda;                 // the plot size the series were thinned for
    QGraphicsEllipseItem* oznakaTacke = nullptr;
    QString opisTacke;

    std::vector<skem::TBlokRezultata> blokovi; // the run's list, for the export
    skem::TMatricaRezultata rezultati;         // moved in, so a run's values are held once
    double trajanje = 0;
    double intervalStampe = 1;
    int brojIntervala = 0; // n: the table shows the times 0..n*P
    // Of them, the times the run got to (all n + 1 unless a Quit ended it):
    // the chart draws these.
    int simuliranihTacaka = 0;
};
