#pragma once
// TPomoc: the help window. Shows the program's help pages (index.htm and one
// page per element kind, 0.htm, 1.htm, ... by code) in a browser, with a contents list
// built from the pages' titles that can be shown or hidden. Registered as
// the help viewer of the Qt dialogs, so Dijalozi().PrikaziPomoc(...) opens it.

#include <QStringList>
#include <QWidget>

class QListWidget;
class QSplitter;
class QTextBrowser;
class QToolBar;

class TPomoc : public QWidget {
    Q_OBJECT
public:
    explicit TPomoc(QWidget* roditelj = nullptr);
    ~TPomoc() override;

    // The pages, in the order of the contents list.
    static QStringList ImenaStranica();
    // Where the pages are looked for, in order: <exe dir>/help (build tree),
    // <exe dir>/../share/skem/help (installed), then "skem/help" in the data folders.
    static QStringList MestaPomoci();
    // The first of them that holds index.htm; empty when none does.
    static QString PronadjiFolder();

    QString Folder() const { return folder; }
    // Uses the pages of another folder (tests); rebuilds the contents list.
    void PostaviFolder(const QString& noviFolder);

    // Opens a page ("index.htm", "7.htm"), the contents list shown or hidden.
    void Prikazi(const QString& stranica, bool saSadrzajem);
    // Makes this window the one Dijalozi().PrikaziPomoc opens.
    void Registruj();

    // The page shown now ("7.htm"), empty when it was missing.
    QString TekucaStranica() const { return tekuca; }
    bool SadrzajVidljiv() const;

    QListWidget* Sadrzaj;
    QTextBrowser* Pregled;

private:
    void NapuniSadrzaj();
    void OznaciUSadrzaju(const QString& stranica);

    QString folder;
    QString tekuca;
    QSplitter* podela;
    bool registrovan = false;
};
