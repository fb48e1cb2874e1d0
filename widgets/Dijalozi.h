#pragma once
// Every modal window the program shows goes through TDijalozi: message
// boxes, the save question, file dialogs, help, and the program's own
// dialogs. The Qt implementation really shows them; tests install one that
// records the texts and scripts the answers, so no test blocks on a window.

#include <QString>
#include <functional>

class QDialog;
class QWidget;

// The files the program asks names for. Each kind has its own file dialog,
// which remembers the last path chosen in it apart from the others.
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

    // File dialogs; an empty result means the user cancelled.
    // Opens a document; the dialog starts at the last document path.
    virtual QString OtvoriFajl(QWidget* roditelj, const QString& filter) = 0;
    // Asks where to save a file of the given kind. A full path in predlog is
    // proposed as it is. A bare name is proposed in the folder of the last
    // document path (a document), or gives way to the last path of its kind
    // with the filter's extension (an export, which usually replaces it).
    // The filter's extension is appended to a name without it, and replacing
    // an existing file is asked about once.
    virtual QString SacuvajKao(QWidget* roditelj, TVrstaFajla vrsta, const QString& naslov,
                               const QString& predlog, const QString& filter) = 0;

    // Shows one of the program's dialogs modally and returns when it is closed.
    // The dialog reports the answer through its own accepted flag.
    virtual void PrikaziModalno(QDialog& dijalog) = 0;

    // Opens a help page ("index.htm", "7.htm"); with the contents pane when asked.
    virtual void PrikaziPomoc(QWidget* roditelj, const QString& stranica, bool saSadrzajem) = 0;
};

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
