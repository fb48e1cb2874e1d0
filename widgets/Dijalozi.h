#pragma once
// Every modal window the program shows goes through TDijalozi: message
// boxes, the save question, file dialogs, help, and the program's own
// dialogs. The Qt implementation really shows them; tests install one that
// records the texts and scripts the answers, so no test blocks on a window.

#include <QString>
#include <functional>

class QDialog;
class QWidget;

// The files the program asks names for. Each kind's last path is remembered
// apart from the others'.
enum class TVrstaFajla { Dokument, Tabela, Slika };

class TDijalozi {
public:
    enum class TOdgovor { Da, Ne, Odustani };

    virtual ~TDijalozi() = default;

    // Error box (error icon, OK): input and run errors, the default error report.
    virtual void Greska(const QString& tekst) = 0;
    // Plain message box (OK): refusals of an editing step.
    virtual void Poruka(const QString& tekst) = 0;
    // Information box (OK): notes.
    virtual void Informacija(const QString& tekst) = 0;
    // Warning box with Yes, No and Cancel.
    virtual TOdgovor Pitanje(const QString& tekst) = 0;

    // File dialogs; an empty result means the user cancelled. Where they
    // start is PocetnaPutanjaDijaloga's.
    // Opens a document.
    virtual QString OtvoriFajl(QWidget* roditelj, const QString& filter) = 0;
    // Asks where to save a file of the given kind, proposing predlog. The
    // filter's extension is appended to a name without it, and replacing an
    // existing file is asked about once. An export's path is remembered as
    // the last of its kind; a document's only once the program has written
    // it (PostaviPutanjuDokumenta), so a failed save is not offered again.
    virtual QString SacuvajKao(QWidget* roditelj, TVrstaFajla vrsta, const QString& naslov,
                               const QString& predlog, const QString& filter) = 0;

    // Shows one of the program's dialogs modally and returns when it is closed.
    // The dialog reports the answer through its own accepted flag.
    virtual void PrikaziModalno(QDialog& dijalog) = 0;

    // Opens a help page ("index.htm", "7.htm"); with the contents pane when asked.
    virtual void PrikaziPomoc(QWidget* roditelj, const QString& stranica, bool saSadrzajem) = 0;
};

// The document the program has open, by its full path; empty while it is
// unnamed. The file dialogs start in its folder, and a named document's path
// is remembered, across runs, as the last document path.
void PostaviPutanjuDokumenta(const QString& putanja);

// Where a file dialog for the kind starts, as a full path. A full path in
// predlog is proposed as it is. Otherwise the folder is the open document's,
// else the one the last path of the kind is in (remembered across runs),
// else the working folder; in it a document gets predlog, and an export the
// name of the last one of its kind when that is in this folder (an export
// usually replaces it; a picture keeps its name in the other format), else
// predlog. The open dialog (an empty predlog) starts at the open document's
// file, else at the last document path, else in the working folder.
QString PocetnaPutanjaDijaloga(TVrstaFajla vrsta, const QString& predlog, const QString& filter);

// The program's own settings file (the recent documents, the last paths).
QString FajlPodesavanja();

// Runs what a command, a timer or an event handler does: whatever it throws
// is shown as an error box instead of leaving the event loop.
void IzvrsiIPrijavi(const std::function<void()>& posao);

// The Qt dialogs open help through the application's help window, which
// registers itself here (the diagram library does not know it).
void PostaviPrikazPomoci(std::function<void(QWidget*, const QString&, bool)> prikaz);

// The dialogs in use: the Qt ones unless a test installed its own.
TDijalozi& Dijalozi();
// Installs d (not owned); nullptr restores the Qt dialogs.
void PostaviDijaloge(TDijalozi* d);

// The window a new dialog or message box belongs to: the active modal
// dialog, else the active window, else the visible main window; nullptr
// when there is none.
QWidget* VlasnikDijaloga();
// Moves a window that is being shown so that it is centred on vlasnik
// (on the screen when there is none), kept inside that screen's work area.
void CentrirajNaVlasnika(QWidget& prozor, const QWidget* vlasnik);
// The same, with the owner being the window of prozor's parent, or
// VlasnikDijaloga() for a window without a parent. Every dialog and message
// box calls it each time it is shown.
void CentrirajNaVlasnika(QWidget& prozor);

// A "\r" inside a system text is a line break.
inline QString SaPrelomima(QString tekst) {
    return tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
