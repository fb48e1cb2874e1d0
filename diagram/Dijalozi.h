#pragma once
// Every modal window the program shows goes through TDijalozi: message
// boxes, the save question, file dialogs, help, and the program's own
// dialogs. The Qt implementation really shows them; tests install one that
// records the texts and scripts the answers, so no test blocks on a window.

#include <QString>
#include <functional>

class QDialog;
class QWidget;

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
    virtual QString OtvoriFajl(QWidget* roditelj, const QString& filter) = 0;
    virtual QString SacuvajKao(QWidget* roditelj, const QString& naslov, const QString& pocetnoIme,
                               const QString& filter) = 0;

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

// A "\r" inside a system text is a line break.
inline QString SaPrelomima(QString tekst) {
    return tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
