#pragma once
// TMainForm: the main window of SKEM. It owns the workspace with its view,
// the palette, the inspector, the result pages and the simulation engine;
// it holds the commands (document, editing, simulation, help, full screen),
// answers the workspace's events (placement, wiring, selection, mode, change)
// and keeps the document's name and modified flag. TAplikacija is the
// program's start-up: the help window, the main window, the four dialogs and
// the splash window, in that order.

#include "Obrada.h"

#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QStatusBar;
class QToolBar;
class QToolButton;
class TIzborUlaza;
class TLaboratorija;
class TSKEMBlok;
class TOpcije;
class TOporavak;
class TPomoc;
class TIzborLinearizacije;
class TPrikazLinearizacije;
class TPrikazRezultata;
class TSKEMGroupBar;
class TSKEMInspektor;
class TSKEMPogled;
class TSKEMRadnaPovrsina;
class TSKEMSplit;
class TIstorijaIzmena;
class TSplashForm;
class TUnosOpisa;
class TUnosPar;
class TUnosPodsistema;
namespace skem {
struct TRavanModel;
}

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs its creation steps: the unnamed document,
    // the catalogue, the workspace's events, the palette's "SVE" view and the
    // document named by the first of `argumenti` (the program's arguments
    // without the program itself). The window starts hidden and disabled.
    // Its parts carry object names (the workspace "RadnaPovrsina", the
    // actions "NovDoc" ... "DoHelp", ...) by which they can be found.
    explicit TMainForm(const QStringList& argumenti = {}, QWidget* roditelj = nullptr);
    ~TMainForm() override;

    // Creates the four dialogs in start-up order: input selection, parameters,
    // simulation options, problem description. A dialog asked for before is
    // made on first use instead.
    void NapraviDijaloge();
    TIzborUlaza* IzborUlaza();
    TUnosPar* UnosPar();
    TOpcije* Opcije();
    TUnosOpisa* UnosOpisa();

    // ---- the document ----
    // The bare name (no folder, no extension); empty while unnamed.
    QString ImeDokumenta() const { return imeDokumenta; }
    // The absolute path Save writes to; empty while unnamed.
    QString PutanjaDokumenta() const { return putanjaDokumenta; }
    // Names the document after a file (a path or a bare name). A name that
    // does not end in ".skem" gets it appended; ".skem" alone makes the
    // document unnamed. The title follows: "SKEM - <name>" or "SKEM - Dok1".
    void PostaviImeDokumenta(const QString& imeFajla);
    // Opens the document at putanja in place of the current one, asking
    // first about unsaved changes (the Open command after its dialog).
    void OtvoriDokument(const QString& putanja);
    // Whether the document has changes not yet saved; closing, New and Open
    // ask about them.
    bool Izmenjen() const { return izmenjen; }
    // Marks the document (un)modified; the title shows "*" while it is.
    void PostaviIzmenjen(bool izmenjenSada);

    // The results of the last run (empty before the first one).
    const skem::MatrixReal& Rezultati() const { return rezultati; }

    // Autosave into recovery files in fascikla; off until turned on (the
    // program's start-up turns it on in the user's data folder).
    void UkljuciOporavak(const QString& fascikla);
    TOporavak* Oporavak() const { return oporavak.get(); }
    // Offers each recovery file an abnormal end left: Da opens it as the
    // modified document with its original name and path, Ne deletes it.
    void PonudiOporavak();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objekat, QEvent* dogadjaj) override;

private:
    // A command of the window, named for the tests. A hint "short|long" gives
    // the tool tip and the status bar's text (one text without "|").
    static QAction* NovaAkcija(QObject* vlasnik, const char* ime, const QString& natpis,
                               const QString& savet, const QIcon& ikonica = {},
                               const QList<QKeySequence>& precice = {});
    // Runs izvrsi when the action is triggered; whatever it throws is reported.
    void NaKomandu(QAction* a, std::function<void()> izvrsi);

    class TPorukeDijaloga;   // engine messages as error boxes
    class TOpcijeSaCekanjem; // the options dialog, then a wait cursor while the run lasts

    // ---- commands (the actions call these) ----
    void NovDocExecute();
    void FileOpenExecute(); // the open dialog, then OtvoriDokument
    // True when the document was written.
    bool FileSaveExecute();
    bool FileSaveAsExecute(); // the save-as dialog, then FileSaveAsAccept
    bool FileSaveAsAccept(const QString& izabrano);
    void OpisProblemaExecute(); // problem description
    void PrevediModelClick();   // "Simulacija"
    // "Analiza" > "Linearizacija" (GlavniAnaliza.cpp)
    void LinearizacijaExecute();
    void EditObrisiExecute();
    void RotiranjeCWExecute();
    void RotiranjeCCWExecute();
    void NovaVezaExecute();
    void JunctionVezaExecute();
    void NovDrzacExecute();
    void GoFullscreenExecute();
    bool PunEkran() const; // the window is frameless and maximized
    void DoHelpExecute();
    void PomocZaSelekciju(); // F1
    void IzborPrikazaPaleteChange();
    // Back to the model page with the main tool bar shown (the table's "Nazad").
    void NazadNaModel();
    bool NaModelu() const;

    // ---- workspace events ----
    void SelectBlokZaInsp();
    void DropBlok();
    void PoveziVezu();
    void StanjeChange();
    void BrisiBlok();
    void Change();

    void NapraviAkcije();
    void NapraviMeni();
    void NapraviZaglavlje();
    void NapraviModel();
    void NapraviStrane();
    void PoveziPovrsinu();
    void UcitajKatalog();
    void UcitajSaKomandneLinije(const QStringList& argumenti);
    void PrikaziUInspektoru();
    void PrikaziUInspektoruAkoJeVidljiv();
    // The New command's steps; false when they stopped (Cancel, or nothing saved).
    bool NoviDokument();
    // Writes the document to the path; a failure is shown and gives false.
    bool Snimi(const QString& putanja);
    void ObnoviListuBlokova();
    // The message of a run that failed with an error, then back to the model page.
    void GreskaSimulacije(const QString& tekst);
    void PokaziBlokGreske(int lokalniBroj);
    void ZapamtiMetod();
    void ZavrsiCekanje(); // the ordinary pointer again once a run is over

    // ---- a run in the background (GlavniRad.cpp) ----
    void NapraviTrakuRada(); // progress bar and "Prekini" in the status bar
    // Editing off and the run's controls shown, or the other way round.
    void PokaziRad(bool radi);
    // Runs the prepared engine on a worker thread; the window stays live
    // (progress, "Prekini", Esc) and this returns when the worker is done,
    // with its arithmetic fault or memory error thrown again here. The focus
    // goes back to fokusPre, where it was before the options dialog.
    void IzvediUPozadini(QWidget* fokusPre);
    // ---- the lab (GlavniLaboratorija.cpp) ----
    // The lab page, the pace and pause controls, the block's and the
    // inspector's menu entries.
    void NapraviLaboratoriju();
    // "Prati tokom simulacije": the block joins or leaves the watched ones.
    void PratiBlok(int lokalniBroj);
    // "Dodaj klizac" over a parameter (1..3) of a block.
    void DodajKlizac(int lokalniBroj, int parametar);
    // A slider over parameter `parametar` of the block at `putanja` (from the
    // top) whose value is now `vrednost`.
    void DodajKlizac(const std::vector<int>& putanja, int parametar, double vrednost);
    // The lab's settings changed: kept with the document as an undo step.
    void IzmenaLaboratorije(const QString& opis);
    // The sliders shown with the blocks' names and parameters as they are now.
    void OsveziKlizace();
    // Before a run: the watched blocks (the document's, or else the rows
    // ticked in the last table) and whether the run is to be observed.
    bool PripremiLaboratoriju(const QStringList& oznaceniRedovi);
    // After it: the change list, the sliders' values kept when asked, the
    // watched rows ticked in the new table.
    void ZavrsiLaboratoriju(bool uspeh);
    // The watched blocks for the run about to start (local numbers).
    QStringList praceniRada; // by KljucReda
    bool posmatranRad = false;
    TLaboratorija* laboratorija = nullptr;
    QComboBox* izborBrzine = nullptr;
    QPushButton* dugmePauza = nullptr;
    QAction* prikaziLaboratoriju = nullptr;

    // Closing during a run: asks, and stops the run to close after it; true
    // when a run was under way (this close is ignored).
    bool ZatvaranjeTokomRada();
    // The engine's messages go to error boxes again, the recorded ones first.
    void VratiPorukeProzoru(const std::vector<std::string>& poruke);

    // ---- undo, clipboard, zoom, recent documents (GlavniIstorija.cpp) ----
    void NapraviAkcijeUredjivanja();
    void NapraviMeniUredjivanja(QMenu* datoteka, QMenu* uredi);
    // A change ends its step once the input that made it is handled (a drag
    // at its release); ZavrsiKorak keeps the step in the history at once.
    void ZakaziKorak();
    void ZavrsiKorak();
    // The history starts again (New, Open) or reaches the saved state (Save).
    void PocniIstoriju();
    void OznaciSacuvano();
    void OsveziIstoriju(); // the actions, their hints and the modified mark
    void OsveziNaslov();
    void PonistiExecute();
    void PonoviExecute();
    // Undo or redo, then the list and the inspector; the view stays where it was.
    void VratiStanje(const std::function<void()>& vrati);
    void KopirajExecute();
    void NalepiExecute();
    void DuplirajExecute();
    void IseciExecute();
    void Nalepi(const QByteArray& xml, std::optional<QPoint> tacka, const QString& opis);
    // After the workspace was read again (undo, redo, paste): list and inspector.
    void PosleCitanja();
    void ParametriBloka(); // a double click on a block
    // The parameter dialog for block b (nov: just dropped), and its accepted
    // values back into b; a subsystem's port also has its name there.
    void PripremiUnosParametara(TUnosPar& d, const TSKEMBlok& b, bool nov);
    void PrimeniUnosParametara(const TUnosPar& d, TSKEMBlok& b);
    void DodajSkorasnji(const QString& putanja);
    void OsveziSkorasnje();
    void OtvoriSkorasnji(const QString& putanja);
    // Autosave: one more change counted towards a write; saved or emptied (no
    // recovery file); closed (no file and no more writes); a recovery file
    // opened as the modified document at putanja.
    void IzmenaZaOporavak();
    void UkloniOporavak();
    void ZavrsiOporavak();
    bool VratiOporavak(const QString& fajl, const QString& putanja);

    // ---- subsystems and the library (GlavniPodsistemi.cpp) ----
    void NapraviAkcijePodsistema();
    void NapraviMeniPodsistema(QMenu* uredi);
    // The path bar above the surface: "Model", then each open subsystem.
    QWidget* NapraviTrakuPutanje(QWidget* roditelj);
    void OsveziPutanju();
    // The selected blocks into a subsystem; the selected subsystem opened,
    // broken up, its parameters shown, stored in the library.
    void NapraviPodsistemExecute();
    void OtvoriPodsistemExecute();
    void RazbijPodsistemExecute();
    void ParametriPodsistemaExecute();
    void SacuvajUBibliotekuExecute();
    // Up to level `dubina` of the path (0: the document's top).
    void IdiNaNivo(int dubina);
    // The block at the path of local numbers, its subsystems opened on the way, selected.
    void PokaziPutanju(const std::vector<int>& putanja);
    // The palette's "Biblioteka": the shipped subsystems and the user's.
    void UcitajBiblioteku();
    TUnosPodsistema* UnosPodsistema();

    // ---- actions ----
    QAction* novDoc;
    QAction* fileOpen;
    QAction* fileSave;
    QAction* fileSaveAs;
    QAction* fileExit;
    QAction* editObrisi;
    QAction* rotiranjeCW;
    QAction* rotiranjeCCW;
    QAction* novaVeza;
    QAction* junctionVeza;
    QAction* novDrzac;
    QAction* izvSimulaciju;
    QAction* opisProblema;
    QAction* goFullscreen;
    QAction* doHelp;
    QAction* linearizacija;
    QAction* ponisti;
    QAction* ponovi;
    QAction* iseci;
    QAction* kopiraj;
    QAction* nalepi;
    QAction* dupliraj;
    QAction* uvecaj;
    QAction* umanji;
    QAction* stvarnaVelicina;
    QAction* prikaziSve;
    QAction* napraviPodsistem;
    QAction* otvoriPodsistem;
    QAction* nazadIzPodsistema;
    QAction* razbijPodsistem;
    QAction* parametriPodsistema;
    QAction* sacuvajUBiblioteku;
    QMenu* skorasnji;
    QLabel* oznakaUvecanja;

    // ---- controls ----
    QWidget* headerPanel;
    QWidget* menuPanel;
    QMenuBar* mainMenu;
    QToolBar* mainToolBar;
    // "Simulacija" beside the tool bar, so that a narrow window pushes other
    // commands behind the tool bar's overflow rather than this one; shown and
    // hidden with the tool bar.
    QToolBar* trakaSimulacije;
    QWidget* helpPanel;
    QMenuBar* helpMenuBar;
    QToolButton* dugmeObrisi;
    QToolButton* dugmeRotirajD;
    QToolButton* dugmeRotirajL;
    QToolButton* dugmeKreirajVezu;
    QToolButton* dugmeKreirajJunction;
    QToolButton* dugmeKreirajDrzac;
    QToolButton* dugmeSimulacija;
    QToolButton* dugmeFullscreen;
    QStackedWidget* strane;
    QWidget* modelTab;
    QWidget* panelPalete;
    QWidget* zaglavljePalete;
    QComboBox* izborPrikazaPalete;
    TSKEMGroupBar* paleta;
    TSKEMSplit* splitPalete;
    TSKEMRadnaPovrsina* radnaPovrsina;
    TSKEMPogled* pogledPovrsine;
    QWidget* trakaPutanje = nullptr;
    TSKEMSplit* splitInspektora;
    TSKEMInspektor* inspektor;
    QStatusBar* statusnaTraka;
    TPrikazRezultata* prikazRezultata;
    TPrikazLinearizacije* prikazLinearizacije;

    // The engine and the results of the last run.
    skem::TSimulacija simulacija;
    skem::MatrixReal rezultati;
    // The flat view the last run of a document with subsystems read.
    std::unique_ptr<skem::TRavanModel> ravanRada;

    QString imeDokumenta;
    QString putanjaDokumenta;
    bool izmenjen = false;
    std::unique_ptr<TIstorijaIzmena> istorija;
    bool korakZakazan = false;
    std::atomic<bool> zaustaviRad{false};
    std::atomic<double> udeoRada{0};  // share of the run done, for the bar
    std::atomic<double> vremeRada{0}; // simulated time reached
    std::atomic<int> radovaRada{0};   // integration runs of the run (0: not known yet)
    bool radUToku = false;
    bool zatvoriPosleRada = false;
    QProgressBar* trakaRada = nullptr;
    QPushButton* dugmePrekini = nullptr;
    QRect zapamceno;       // the bounds remembered when going full screen
    bool prikazan = false; // shown at least once
    std::unique_ptr<TOpcijeSaCekanjem> opcijeSaCekanjem;
    std::unique_ptr<TPorukeDijaloga> porukeDijaloga;
    std::unique_ptr<TOporavak> oporavak;
    QPointer<TIzborUlaza> izborUlaza;
    QPointer<TUnosPar> unosPar;
    QPointer<TOpcije> opcije;
    QPointer<TUnosOpisa> unosOpisa;
    QPointer<TIzborLinearizacije> izborLinearizacije;
    QPointer<TUnosPodsistema> unosPodsistema;
    // The first receiver of the key press last seen by the F1 filter: the
    // same press reaching its parents is not a new one.
    // A later press may be built at the same address; its time tells it apart.
    QPointer<QObject> primalacF1;
    const QEvent* poslednjiF1 = nullptr;
    quint64 vremeF1 = 0;
};

// The program's windows as start-up leaves them.
struct TAplikacija {
    std::unique_ptr<TPomoc> Pomoc;
    std::unique_ptr<TMainForm> Glavni;
    std::unique_ptr<TSplashForm> Splash;
    ~TAplikacija();
};

// The user's library of subsystems (a folder in the user's data location)
// and the one installed with the program (beside the catalogue).
QString FasciklaBiblioteke();
QString FasciklaIsporuceneBiblioteke();

// Start-up, once the QApplication exists: the application's title, the help
// window (registered for Dijalozi().PrikaziPomoc), the main window with the
// document named by argumenti[0], the four dialogs, then the main window
// hidden and the splash shown with its timer running (its ticks show and
// then enable the main window).
std::unique_ptr<TAplikacija> PokreniAplikaciju(const QStringList& argumenti);
