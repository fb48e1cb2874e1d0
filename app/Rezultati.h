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

#include "CsvRezultata.h"
#include "Grafik3D.h"
#include "ProredjivanjeGrafika.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
class TModelTabele;

// What a number's text in the program's format (RealanUTekst) is made of,
// which is what decides its width: read off the number without writing it.
struct TOblikBroja {
    int Cifre = 0;
    int Minusi = 0;
    int Tacke = 0;
    int Eksponenti = 0; // the "E"
    int Slova = 0;      // of "NAN" and "INF"
    bool operator==(const TOblikBroja&) const = default;
};
// The make-up of RealanUTekst(v). Where the rounding of the last digit is
// too close to call without writing the text, each count is the larger of
// the two possible texts': never less than the text has.
TOblikBroja OblikBroja(double v);
// The widest make-up of each decade the numbers with v's sign and binary
// exponent (its binade) fall in: each number's text has no more of anything
// than one of them, so one look at v's bits tells whether it can be wider
// than a text already found. None for NAN and INF.
std::vector<TOblikBroja> ObliciBinade(double v);
TOblikBroja OblikTeksta(std::string_view tekst);

// The make-up of the printed times' texts, RealanUTekst(k * P), read off
// k's and P's digits while k x P has at most 14 of them (P its own text):
// quicker than OblikBroja, and the same.
class TObliciVremena {
public:
    explicit TObliciVremena(double p);
    TOblikBroja operator()(std::int64_t k) const;
    // The first k (at most n + 1) past that reading.
    std::int64_t Kraj(std::int64_t n) const;
    // For the times 1..Kraj(n) - 1: the make-ups of some of their texts,
    // among them one at least as wide, in every count, as each text.
    std::vector<TOblikBroja> Najsiri(std::int64_t n) const;

private:
    double p = 0;
    std::uint64_t mantisa = 0; // P = mantisa x 10^izlozilac, when P is its own text
    int izlozilac = 0;
    int cifreP = 0;
};

// How a run ended, for the result pages: by a Quit element at Vreme (the end
// of the step, of interval Korak, in which it was raised; the engine's
// VremeZaustavljanja), or (Quit false) at its full duration.
struct TKrajRada {
    bool Quit = false;
    double Vreme = 0;
    double Korak = 0;
};

class TPrikazRezultata : public QObject {
    Q_OBJECT
public:
    explicit TPrikazRezultata(QObject* roditelj = nullptr);
    ~TPrikazRezultata() override;

    // The pages: owned by this object until a page control takes them.
    QWidget* TabelaTab;
    QWidget* GrafikTab;

    std::function<void(QWidget*)> OnPrikaziStranu; // switch the page control to this page
    std::function<void()> OnNazadNaModel;          // the table's "Nazad"

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

    // The printed times the run got to: 0..SimuliranihTacaka() - 1.
    int SimuliranihTacaka() const { return simuliranihTacaka; }

    // Controls, for the main window's layout and for tests.
    // How the shown run ended, for the window's status bar (which takes it
    // over): empty unless a Quit element ended it.
    QLabel* OpisKraja;
    QTableView* Tabela;
    std::vector<QCheckBox*> Oznake; // the check box of table row r is entry r - 1
    QLabel* Uputstvo;
    QPushButton* BackOnModel;
    QPushButton* IzvozCsv;
    QPushButton* GoToChart;
    QPushButton* BackOnTable;
    QPushButton* PonistiZum;
    QPushButton* IzvozPng;
    QPushButton* IzvozSvg;
    QPushButton* ChartView;
    QComboBox* IzborOseX; // "t", or with two rows ticked or more, each of them
    QChartView* Grafik2D;
    TGrafik3D* Grafik3D;

protected:
    bool eventFilter(QObject* objekat, QEvent* dogadjaj) override;

private:
    void NapraviTabelaTab();
    void NapraviGrafikTab();
    void PostaviOznake(); // lays the check boxes over the caption column
    // The width of the value columns: that of the widest time or value text.
    // Sets opsegKolone on the way.
    int SirinaKolonaVrednosti(const std::vector<size_t>& kolone);
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
    bool JeFazni() const { return redOseX >= 0; }
    void PrikaziStranu(QWidget* strana);

    void BackOnModelClick();
    void BackOnTableClick();
    void GoToChartClick();
    void ChartViewClick();
    void IzvozCsvClick();
    void IzvozSlikeClick(const QString& format);

    TModelTabele* model = nullptr; // owned by Tabela
    // The grid, its cell area, its row of times and its caption column, as
    // the event filter tells them apart.
    std::array<QObject*, 4> prozoriTabele{};
    QWidget* rucicaNaziva = nullptr; // drags the caption column's width
    QPointer<QWidget> stranaTabele;  // to free pages no page control took
    QPointer<QWidget> stranaGrafika;
    QPointer<QLabel> opisKraja;        // to free it when no status bar took it
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
