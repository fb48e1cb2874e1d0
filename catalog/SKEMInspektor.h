#pragma once
// The inspector: the panel at the right of the model page. It lists the
// document's blocks, shows the selected block's inputs, parameters and
// outputs, and lets the user edit the parameters (and a function
// generator's ordinates) in place. The main window tells it when to rebuild
// its list and which block to show; picking a list entry selects that block
// on the workspace.

#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QWidget>
#include <functional>

class QAction;
class QMenu;
class QFrame;
class QTreeWidget;
class QTreeWidgetItem;
class TSKEMBlok;
class TSKEMDugme;
class TSKEMRadnaPovrsina;
namespace skem {
struct TParametarPodsistema;
}
class TSKEMSplit;

// TSKEMGrid: the inspector's two-column grid — labels in a fixed first
// column, values in the second. It reports every keystroke of its in-place
// editor through OnIzmenaTeksta, and only lets a value cell be selected (and
// so edited) while its text is a number or empty.
class TSKEMGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int VisinaReda = 18;

    explicit TSKEMGrid(QWidget* roditelj = nullptr);
    ~TSKEMGrid() override;
    using QTableWidget::edit;

    // Leaves one row with both cells empty.
    void Ocisti();
    // Appends a row and returns its index.
    int DodajRed(const QString& natpis, const QString& vrednost);
    QString Tekst(int red, int kolona) const;
    // Sets a cell's stored text, and the open editor's text when it edits that cell.
    void PostaviTekst(int red, int kolona, const QString& tekst);
    // The select-cell veto: a value cell whose text is a number or empty.
    bool MozeDaSeIzabere(int red, int kolona) const;
    // Moves the current cell past the last row, so that no row shows as selected.
    void BezTekuceCelije();
    // The in-place editor while one is open.
    QLineEdit* Editor() const { return editor; }
    // Closes an open editor without writing its text (the cell already holds it).
    void ZatvoriEditor();

    // Raised on each change of the in-place editor's text, with the row and the new text.
    std::function<void(TSKEMGrid*, int, const QString&)> OnIzmenaTeksta;

    // The grid never scrolls sideways (it has no horizontal scroll bar), so the
    // label column stays in place when a value cell is made current.
    void scrollTo(const QModelIndex& indeks, ScrollHint savet = EnsureVisible) override;

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool edit(const QModelIndex& indeks, EditTrigger okidac, QEvent* dogadjaj) override;
    void closeEditor(QWidget* e, QAbstractItemDelegate::EndEditHint savet) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& indeks,
                                                         const QEvent* dogadjaj) const override;

private:
    friend class TEditorCelije;
    void EditorOtvoren(QLineEdit* e, int red);
    void TekstEditora(int red, const QString& tekst);

    QPointer<QLineEdit> editor;
    int redEditora = -1;
    bool javljam = false; // a change of the editor's text is being reported
};

// The grid's in-place editor: a plain line edit that reports every keystroke.
class TEditorCelije : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TEditorCelije(TSKEMGrid* vlasnik);
    QWidget* createEditor(QWidget* roditelj, const QStyleOptionViewItem& opcije,
                          const QModelIndex& indeks) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& indeks) const override;
    bool eventFilter(QObject* objekat, QEvent* dogadjaj) override;

    // Decides what a closed editor leaves in its cell; by default the typed text.
    std::function<QString(int red, const QString& tekst)> KonacanTekst;
    // The grid is being destroyed: an open editor's last events find no grid.
    void OdvojiGrid() { grid = nullptr; }

private:
    TSKEMGrid* grid;
};

class TSKEMInspektor : public QWidget {
    Q_OBJECT
public:
    explicit TSKEMInspektor(QWidget* roditelj = nullptr);
    ~TSKEMInspektor() override;

    // The workspace whose blocks are shown (set by the main window).
    TSKEMRadnaPovrsina* AktivnaPovrsina = nullptr;
    // A stored text with no other use.
    QString Caption;
    // Raised after the inspector wrote a parameter or an ordinate of the shown block.
    std::function<void(TSKEMInspektor*)> OnIzmena;
    // Grid 1's context menu on a parameter row (1..3 of the shown block)
    // takes the actions this adds to it.
    std::function<void(QMenu&, TSKEMBlok*, int parametar)> OnMeniParametra;
    // The same on a row of a subsystem's shown parameter.
    std::function<void(QMenu&, TSKEMBlok*, const skem::TParametarPodsistema&)>
        OnMeniParametraPodsistema;

    // Empties the list and, when the inspector has a workspace and the given
    // one is visible, adds one entry per block of it.
    void ObnoviListu(TSKEMRadnaPovrsina* povrsina);
    // Shows a block (or none); ignored without a visible AktivnaPovrsina.
    void PrikaziBlok(TSKEMBlok* blok);

    TSKEMBlok* PrikazaniBlok() const;
    QTreeWidget* Lista() const { return lista; }
    TSKEMGrid* GridUlaza() const { return gridUlaza; }
    TSKEMGrid* GridIzlaza() const { return gridIzlaza; }
    TSKEMDugme* DugmeBlokovi() const { return dugmeBlokovi; }
    TSKEMDugme* DugmeNaziv() const { return dugmeNaziv; }
    TSKEMDugme* DugmeUlazi() const { return dugmeUlazi; }
    TSKEMDugme* DugmeIzlazi() const { return dugmeIzlazi; }
    QWidget* PanelBlokova() const { return panelBlokova; }
    QWidget* PanelUlaza() const { return panelUlaza; }
    TSKEMSplit* SplitBlokova() const { return splitBlokova; }
    TSKEMSplit* SplitUlaza() const { return splitUlaza; }
    // Grid 1's context-menu action that drops a function generator's own ordinates.
    QAction* AkcijaPodrazumevaneOrdinate() const { return akcijaPodrazumevane; }

    // The text of a block as the inspector writes it: "<number>. <name>".
    // "3. Integrator"; inside a subsystem by its path, "2/3. Integrator", as
    // the results name it.
    QString OznakaBloka(const TSKEMBlok* b) const;

private:
    // What a row of grid 1 stands for.
    struct TRed {
        // ParametarPodsistema: one a subsystem shows of a block inside it.
        enum class TVrsta { Ulaz, Parametar, Ordinata, ParametarPodsistema } Vrsta;
        // Input slot 0..2, parameter 1..3, ordinate 0..10, or the subsystem
        // parameter's place in its list.
        int Broj;
    };

    void NapraviRaspored();
    bool UPovrsini(const TSKEMBlok* b) const;
    TSKEMBlok* BlokStavke(QTreeWidgetItem* stavka) const;
    void UskladiListu();
    void PopuniUlazeIParametre(TSKEMBlok* b);
    void PopuniIzlaze(TSKEMBlok* b);
    void OsveziOrdinate(TSKEMBlok* b, int osimReda);
    void IzmenaTeksta(int red, const QString& tekst);
    void UpisiVrednost(TSKEMBlok* b, int red, double v);
    QString KonacanTekst(int red, const QString& tekst) const;
    QString TekstVrednosti(int red) const;
    void PodrazumevaneOrdinate();
    void IzborUListi();
    void Prebaci(TSKEMDugme* dugme);

    QTreeWidget* lista = nullptr;
    TSKEMGrid* gridUlaza = nullptr;
    TSKEMGrid* gridIzlaza = nullptr;
    TSKEMDugme* dugmeBlokovi = nullptr;
    TSKEMDugme* dugmeNaziv = nullptr;
    TSKEMDugme* dugmeUlazi = nullptr;
    TSKEMDugme* dugmeIzlazi = nullptr;
    QWidget* panelBlokova = nullptr;
    QWidget* detalji = nullptr;
    QWidget* panelUlaza = nullptr;
    QWidget* panelIzlaza = nullptr;
    TSKEMSplit* splitBlokova = nullptr;
    TSKEMSplit* splitUlaza = nullptr;
    QAction* akcijaPodrazumevane = nullptr;

    TSKEMBlok* prikazani = nullptr;             // checked against the workspace before every use
    QPointer<TSKEMRadnaPovrsina> povrsinaListe; // the workspace the list entries belong to
    QList<TRed> redovi;                         // grid 1's rows
    bool azuriram = false; // the inspector itself is changing the list's selection
};
