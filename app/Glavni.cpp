// The main window's construction: layout, actions, menus, tool bar, the
// palette's view switch, help, full screen and the program's start-up.
#include "Glavni.h"

#include "CsvRezultata.h"
#include "Dijalozi.h"
#include "IstorijaIzmena.h"
#include "Katalog.h"
#include "ModelDokumenta.h"
#include "Obavestenja.h"
#include "OpcijeSim.h"
#include "Oporavak.h"
#include "Pomoc.h"
#include "Rezultati.h"
#include "RezultatiLinearizacije.h"
#include "SKEMBlok.h"
#include "SKEMGrupe.h"
#include "SKEMInspektor.h"
#include "SKEMRadnaPovrsina.h"
#include "SKEMSplit.h"
#include "Slike.h"
#include "Splash.h"
#include "uIzborUlaza.h"
#include "uUnosOpisa.h"
#include "uUnosParam.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPropertyAnimation>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <stdexcept>

namespace {

// Verdana where it exists; the system's sans serif stands in elsewhere.
QFont Pismo(const QString& ime, int tacaka, bool podebljano = false) {
    QFont f;
    f.setFamilies({ime, QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(tacaka);
    f.setBold(podebljano);
    return f;
}

} // namespace

QAction* TMainForm::NovaAkcija(QObject* vlasnik, const char* ime, const QString& natpis,
                               const QString& savet, const QIcon& ikonica,
                               const QList<QKeySequence>& precice) {
    auto* a = new QAction(ikonica, natpis, vlasnik);
    a->setObjectName(QLatin1String(ime));
    const int crta = savet.indexOf(QLatin1Char('|'));
    a->setToolTip(savet.left(crta));
    a->setStatusTip(savet.mid(crta + 1));
    a->setShortcuts(precice);
    return a;
}

void TMainForm::NaKomandu(QAction* a, std::function<void()> izvrsi) {
    connect(a, &QAction::triggered, this, [izvrsi = std::move(izvrsi)] { IzvrsiIPrijavi(izvrsi); });
}

// A run holds the GUI thread from the options dialog's acceptance to its
// end, which for a long run takes a while: the pointer says so meanwhile.
class TMainForm::TOpcijeSaCekanjem : public skem::TIzvorOpcija {
public:
    ~TOpcijeSaCekanjem() override { Zavrsi(); }

    void PostaviDijalog(TOpcije* dijalog) { opcije = dijalog; }

    // A run whose results the table could not take is refused before it
    // starts, not after minutes of work and gigabytes of results.
    std::function<void(const QString&)> OnPrevise;

    bool PitajOpcije(skem::TOpcijeSimulacije& vrednosti) override {
        if (!opcije || !opcije->PitajOpcije(vrednosti)) return false;
        try {
            if (skem::BrojIntervalaStampe(vrednosti.Trajanje, vrednosti.IntervalStampanja) >
                TPrikazRezultata::NajviseIntervala)
                throw std::invalid_argument("Previse tacaka rezultata za prikaz u tabeli.");
        } catch (const std::invalid_argument& g) {
            if (OnPrevise) OnPrevise(QString::fromUtf8(g.what()));
            return false;
        }
        if (!ceka) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        ceka = true;
        return true;
    }
    // Back to the ordinary pointer: at the end of the run and before any message.
    void Zavrsi() {
        if (!ceka) return;
        ceka = false;
        QGuiApplication::restoreOverrideCursor();
    }

private:
    QPointer<TOpcije> opcije;
    bool ceka = false;
};

// The engine's messages (element errors, checks) as error boxes.
class TMainForm::TPorukeDijaloga : public skem::TPorukeSimulacije {
public:
    explicit TPorukeDijaloga(TOpcijeSaCekanjem* zavrsetak) : cekanje(zavrsetak) {}
    void GreskaSimulacije(const std::string& tekst) override {
        if (cekanje) cekanje->Zavrsi();
        Dijalozi().Greska(SaPrelomima(QString::fromStdString(tekst)));
    }

private:
    TOpcijeSaCekanjem* cekanje;
};

void TMainForm::VratiPorukeProzoru(const std::vector<std::string>& poruke) {
    simulacija.PostaviPoruke(porukeDijaloga.get());
    for (const std::string& poruka : poruke)
        porukeDijaloga->GreskaSimulacije(poruka);
}

TMainForm::TMainForm(const QStringList& argumenti, QWidget* roditelj) : QMainWindow(roditelj) {
    setObjectName(QStringLiteral("MainForm"));
    setFont(Pismo(QStringLiteral("Verdana"), 8));
    resize(724, 564);
    setMinimumSize(670, 450); // 630 x 450 as the system's limit, and never narrower than 670
    setEnabled(false);        // enabled by the splash's second tick

    NapraviAkcije();
    NapraviZaglavlje();
    NapraviStrane();
    statusnaTraka = new QStatusBar(this);
    statusnaTraka->setObjectName(QStringLiteral("StatusnaTraka"));
    statusnaTraka->setSizeGripEnabled(true);
    setStatusBar(statusnaTraka);
    oznakaUvecanja = new QLabel(QStringLiteral("100 %"), statusnaTraka);
    oznakaUvecanja->setObjectName(QStringLiteral("OznakaUvecanja"));
    statusnaTraka->addPermanentWidget(oznakaUvecanja);
    NapraviTrakuRada();
    NapraviLaboratoriju();

    auto* centar = new QWidget(this);
    auto* raspored = new QVBoxLayout(centar);
    raspored->setContentsMargins(0, 0, 0, 0);
    raspored->setSpacing(0);
    raspored->addWidget(headerPanel);
    raspored->addWidget(strane, 1);
    setCentralWidget(centar);
    setStyleSheet(QStringLiteral(
        "#HeaderPanel { background: #eef1f5; border-bottom: 1px solid #c5ccd6; }"
        "#HeaderPanel QMenuBar { background: transparent; }"
        "#MainToolBar, #TrakaSimulacije { background: transparent; border: none; padding: 0px;"
        " spacing: 0px; }"
        "#MainToolBar QToolButton, #TrakaSimulacije QToolButton { padding: 0px 2px;"
        " border: 1px solid transparent; border-radius: 3px; }"
        "#MainToolBar QToolButton:hover, #TrakaSimulacije QToolButton:hover"
        " { background: #dde6f2; border-color: #a9bdd6; }"
        "#MainToolBar QToolButton:checked, #MainToolBar QToolButton:pressed,"
        " #TrakaSimulacije QToolButton:pressed { background: #c8d8ee; border-color: #7f9dc4; }"
        "#ZaglavljePalete { background: #e4e8ee; border-bottom: 1px solid #c5ccd6; }"
        "#StatusnaTraka { background: #eef1f5; border-top: 1px solid #c5ccd6; }"));

    opcijeSaCekanjem = std::make_unique<TOpcijeSaCekanjem>();
    // The table's limit is said as it is, not as a fault of the run.
    opcijeSaCekanjem->OnPrevise = [](const QString& tekst) { Dijalozi().Greska(tekst); };
    porukeDijaloga = std::make_unique<TPorukeDijaloga>(opcijeSaCekanjem.get());
    simulacija.PostaviPoruke(porukeDijaloga.get());

    // Creation steps.
    PostaviImeDokumenta(QStringLiteral(".skem"));
    UcitajKatalog();
    UcitajBiblioteku();
    PoveziPovrsinu();
    paleta->PrikaziSve();
    UcitajSaKomandneLinije(argumenti);
    istorija = std::make_unique<TIstorijaIzmena>(*radnaPovrsina);
    PocniIstoriju();

    // The window sees F1 before its controls.
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    PostaviPutanjuDokumenta({});
    // The workspace goes with the window: it must not call back into a half-destroyed one.
    radnaPovrsina->OnSelectBlok = nullptr;
    radnaPovrsina->OnSelectBlokZaInsp = nullptr;
    radnaPovrsina->OnStanjeChange = nullptr;
    radnaPovrsina->OnChange = nullptr;
    radnaPovrsina->OnDropBlok = nullptr;
    radnaPovrsina->OnPoveziVezu = nullptr;
    radnaPovrsina->OnBrisiBlok = nullptr;
    radnaPovrsina->OnParametriBloka = nullptr;
    radnaPovrsina->OnSpustiDokument = nullptr;
    inspektor->OnIzmena = nullptr;
    inspektor->AktivnaPovrsina = nullptr;
    delete pogledPovrsine;
    pogledPovrsine = nullptr;
    delete radnaPovrsina;
    radnaPovrsina = nullptr;
    simulacija.PostaviPoruke(nullptr);
    simulacija.PostaviIzvorOpcija(nullptr);
}

// ---- dialogs ----

void TMainForm::NapraviDijaloge() {
    IzborUlaza();
    UnosPar();
    Opcije();
    UnosOpisa();
}

TIzborUlaza* TMainForm::IzborUlaza() {
    if (!izborUlaza) izborUlaza = new TIzborUlaza(this);
    return izborUlaza;
}

TUnosPar* TMainForm::UnosPar() {
    if (!unosPar) unosPar = new TUnosPar(this);
    return unosPar;
}

TOpcije* TMainForm::Opcije() {
    if (!opcije) {
        opcije = new TOpcije(this);
        opcijeSaCekanjem->PostaviDijalog(opcije);
        simulacija.PostaviIzvorOpcija(opcijeSaCekanjem.get());
    }
    return opcije;
}

void TMainForm::ZavrsiCekanje() {
    opcijeSaCekanjem->Zavrsi();
}

TUnosOpisa* TMainForm::UnosOpisa() {
    if (!unosOpisa) unosOpisa = new TUnosOpisa(this);
    return unosOpisa;
}

// ---- layout ----

void TMainForm::NapraviAkcije() {
    using K = QKeySequence;
    novDoc = NovaAkcija(this, "NovDoc", QStringLiteral("&Novi dokument"),
                        QStringLiteral("Novi dokument|Kreira novu graficku semu"),
                        Ikonica(TIkonica::NoviDokument), {K(Qt::CTRL | Qt::Key_N)});
    fileOpen = NovaAkcija(this, "FileOpen", QStringLiteral("&Otvori..."),
                          QStringLiteral("Otvori|Ucitava vec snimljenu graficku semu"),
                          Ikonica(TIkonica::Otvori), {K(Qt::CTRL | Qt::Key_O)});
    fileSave = NovaAkcija(this, "FileSave", QStringLiteral("&Sacuvaj"),
                          QStringLiteral("Snimi|Snima aktivnu graficku semu"),
                          Ikonica(TIkonica::Sacuvaj), {K(Qt::CTRL | Qt::Key_S)});
    // Its caption elsewhere is "Sacuvaj &kao..."; it is shown only in the menu.
    fileSaveAs = NovaAkcija(this, "FileSaveAs", QStringLiteral("S&acuvaj kao..."),
                            QStringLiteral("Sacuvaj kao|Snima aktivnu graficku semu u novi fajl"),
                            Ikonica(TIkonica::SacuvajKao));
    fileExit = NovaAkcija(this, "FileExit", QStringLiteral("&Izlaz"),
                          QStringLiteral("Izlaz|Kraj programa"), Ikonica(TIkonica::Izlaz),
                          {K(Qt::CTRL | Qt::Key_X)});
    editObrisi = NovaAkcija(this, "EditObrisi", QStringLiteral("&Obrisi"),
                            QStringLiteral("Obrisi selektovano|Brise ono sto je na radnoj povrsini "
                                           "selektovano"),
                            Ikonica(TIkonica::Obrisi), {K(Qt::Key_Delete)});
    rotiranjeCW = NovaAkcija(this, "RotiranjeCW", QStringLiteral("Rotiraj u&desno"),
                             QStringLiteral("Rotiraj udesno|Rotira blok u smeru kazaljke na satu"),
                             Ikonica(TIkonica::RotirajDesno));
    rotiranjeCCW = NovaAkcija(
        this, "RotiranjeCCW", QStringLiteral("Rotiraj u&levo"),
        QStringLiteral("Rotiraj ulevo|Rotira blok u smeru suprotnom od smera kazaljke na satu"),
        Ikonica(TIkonica::RotirajLevo));
    // Both rotate buttons read "Rotiraj" on the tool bar.
    rotiranjeCW->setIconText(QStringLiteral("Rotiraj"));
    rotiranjeCCW->setIconText(QStringLiteral("Rotiraj"));
    novaVeza = NovaAkcija(this, "NovaVeza", QStringLiteral("Kreiraj &vezu"),
                          QStringLiteral("Kreiraj vezu|Kreira novu vezu izmedju blokova"),
                          Ikonica(TIkonica::KreirajVezu));
    junctionVeza = NovaAkcija(this, "JunctionVeza", QStringLiteral("Kreiraj &junction"),
                              QStringLiteral("Kreiraj junction vezu|Kreira junction vezu"),
                              Ikonica(TIkonica::KreirajJunction));
    novDrzac = NovaAkcija(this, "NovDrzac", QStringLiteral("Kreiraj d&rzac"),
                          QStringLiteral("Kreiraj drzac|Kreira novi drzac na kliknutoj liniji"),
                          Ikonica(TIkonica::KreirajDrzac));
    // The mode buttons stay down while their mode lasts.
    for (QAction* a : {novaVeza, junctionVeza, novDrzac})
        a->setCheckable(true);
    izvSimulaciju =
        NovaAkcija(this, "IzvSimulaciju", QStringLiteral("&Simulacija"),
                   QStringLiteral("Simulacija|Izvrsava simulaciju nad napravljenim modelom"),
                   Ikonica(TIkonica::Simulacija));
    // Its caption elsewhere is "Opis problema"; it is shown only in the menu.
    opisProblema = NovaAkcija(this, "OpisProblema", QStringLiteral("O&pis problema"),
                              QStringLiteral("Opis problema|Otvara prozor za unos opisa problema"),
                              Ikonica(TIkonica::OpisProblema));
    goFullscreen = NovaAkcija(this, "GoFullscreen", QStringLiteral("&Fullscreen"),
                              QStringLiteral("Fullscreen|Povecava prozor preko celog ekrana"),
                              Ikonica(TIkonica::Fullscreen));
    doHelp = NovaAkcija(this, "DoHelp", QStringLiteral("&SKEM 2004"),
                        QStringLiteral("SKEM 2004|Detaljna pomoc u radu sa programom"),
                        Ikonica(TIkonica::Pomoc));

    NaKomandu(novDoc, [this] { NovDocExecute(); });
    NaKomandu(fileOpen, [this] { FileOpenExecute(); });
    NaKomandu(fileSave, [this] { FileSaveExecute(); });
    NaKomandu(fileSaveAs, [this] { FileSaveAsExecute(); });
    NaKomandu(fileExit, [this] { close(); });
    NaKomandu(editObrisi, [this] { EditObrisiExecute(); });
    NaKomandu(rotiranjeCW, [this] { RotiranjeCWExecute(); });
    NaKomandu(rotiranjeCCW, [this] { RotiranjeCCWExecute(); });
    NaKomandu(novaVeza, [this] { NovaVezaExecute(); });
    NaKomandu(junctionVeza, [this] { JunctionVezaExecute(); });
    NaKomandu(novDrzac, [this] { NovDrzacExecute(); });
    NaKomandu(izvSimulaciju, [this] { PrevediModelClick(); });
    NaKomandu(opisProblema, [this] { OpisProblemaExecute(); });
    NaKomandu(goFullscreen, [this] { GoFullscreenExecute(); });
    NaKomandu(doHelp, [this] { DoHelpExecute(); });
    linearizacija = NovaAkcija(
        this, "Linearizacija", QStringLiteral("&Linearizacija..."),
        QStringLiteral("Linearizacija|A, B, C, D, polovi, Bodeov dijagram i odziv na skok oko "
                       "radne tacke"));
    NaKomandu(linearizacija, [this] { LinearizacijaExecute(); });

    // The shortcuts work wherever the focus is in the window, menus open or not.
    addActions({novDoc, fileOpen, fileSave, fileSaveAs, fileExit, editObrisi, rotiranjeCW,
                rotiranjeCCW, novaVeza, junctionVeza, novDrzac, izvSimulaciju, opisProblema,
                goFullscreen, doHelp, linearizacija});
    NapraviAkcijeUredjivanja();
    NapraviAkcijePodsistema();
}

void TMainForm::NapraviMeni() {
    mainMenu = new QMenuBar(menuPanel);
    mainMenu->setObjectName(QStringLiteral("MainMenu"));
    mainMenu->setNativeMenuBar(false);
    const QFont tahoma = Pismo(QStringLiteral("Tahoma"), 8);
    mainMenu->setFont(tahoma);
    QMenu* datoteka = mainMenu->addMenu(QStringLiteral("&Datoteka"));
    datoteka->setObjectName(QStringLiteral("MeniDatoteka"));
    datoteka->addAction(novDoc);
    datoteka->addSeparator();
    datoteka->addActions({fileOpen, fileSave, fileSaveAs});
    datoteka->addSeparator();
    datoteka->addAction(fileExit);
    QMenu* uredi = mainMenu->addMenu(QStringLiteral("&Uredi"));
    uredi->setObjectName(QStringLiteral("MeniUredi"));
    uredi->addAction(editObrisi);
    uredi->addSeparator();
    uredi->addActions({rotiranjeCW, rotiranjeCCW});
    uredi->addSeparator();
    uredi->addActions({novaVeza, junctionVeza, novDrzac});
    uredi->addSeparator();
    uredi->addAction(izvSimulaciju);
    uredi->addSeparator();
    uredi->addAction(opisProblema);
    NapraviMeniUredjivanja(datoteka, uredi);
    NapraviMeniPodsistema(uredi);
    QMenu* prikaz = mainMenu->addMenu(QStringLiteral("Pri&kaz"));
    prikaz->setObjectName(QStringLiteral("MeniPrikaz"));
    prikaz->addActions({uvecaj, umanji, stvarnaVelicina});
    prikaz->addSeparator();
    prikaz->addAction(prikaziSve);
    QMenu* analiza = mainMenu->addMenu(QStringLiteral("&Analiza"));
    analiza->setObjectName(QStringLiteral("MeniAnaliza"));
    analiza->addAction(linearizacija);

    helpMenuBar = new QMenuBar(helpPanel);
    helpMenuBar->setObjectName(QStringLiteral("HelpMenuBar"));
    helpMenuBar->setNativeMenuBar(false);
    helpMenuBar->setFont(tahoma);
    QMenu* pomoc = helpMenuBar->addMenu(QStringLiteral("&Pomoc"));
    pomoc->setObjectName(QStringLiteral("MeniPomoc"));
    pomoc->addAction(doHelp);
    for (QMenu* m : {datoteka, uredi, prikaz, analiza, pomoc}) {
        m->setFont(tahoma);
        // Menus open with a half-second fade (where the window system can fade).
        connect(m, &QMenu::aboutToShow, m, [m] {
            auto* prelaz = new QPropertyAnimation(m, "windowOpacity", m);
            prelaz->setObjectName(QStringLiteral("Prelaz"));
            prelaz->setDuration(500);
            prelaz->setStartValue(0.0);
            prelaz->setEndValue(1.0);
            prelaz->start(QAbstractAnimation::DeleteWhenStopped);
        });
    }
}

void TMainForm::NapraviZaglavlje() {
    headerPanel = new QWidget(this);
    headerPanel->setObjectName(QStringLiteral("HeaderPanel"));
    headerPanel->setAttribute(Qt::WA_StyledBackground);
    headerPanel->setFixedHeight(38);
    menuPanel = new QWidget(headerPanel);
    menuPanel->setObjectName(QStringLiteral("MenuPanel"));
    menuPanel->setFixedWidth(97);
    helpPanel = new QWidget(headerPanel);
    helpPanel->setObjectName(QStringLiteral("HelpPanel"));
    NapraviMeni();

    auto* meni = new QHBoxLayout(menuPanel);
    meni->setContentsMargins(2, 0, 0, 0);
    meni->addWidget(mainMenu, 0, Qt::AlignLeft | Qt::AlignVCenter);
    meni->addStretch(1);
    auto* pomoc = new QHBoxLayout(helpPanel);
    pomoc->setContentsMargins(0, 0, 2, 0);
    pomoc->addStretch(1);
    helpMenuBar->setMinimumWidth(std::max(41, helpMenuBar->sizeHint().width()));
    pomoc->addWidget(helpMenuBar, 0, Qt::AlignRight | Qt::AlignVCenter);

    mainToolBar = new QToolBar(headerPanel);
    mainToolBar->setObjectName(QStringLiteral("MainToolBar"));
    trakaSimulacije = new QToolBar(headerPanel);
    trakaSimulacije->setObjectName(QStringLiteral("TrakaSimulacije"));
    for (QToolBar* t : {mainToolBar, trakaSimulacije}) {
        t->setMovable(false);
        t->setFloatable(false);
        t->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        t->setIconSize(QSize(16, 16));
        t->setCursor(Qt::PointingHandCursor);
    }
    auto dugme = [this](QAction* a, const char* ime, QToolBar* traka = nullptr) {
        if (!traka) traka = mainToolBar;
        traka->addAction(a);
        auto* b = qobject_cast<QToolButton*>(traka->widgetForAction(a));
        b->setObjectName(QLatin1String(ime));
        b->setMinimumHeight(35);
        return b;
    };
    dugme(ponisti, "DugmePonisti");
    dugme(ponovi, "DugmePonovi");
    mainToolBar->addSeparator();
    dugmeObrisi = dugme(editObrisi, "DugmeObrisi");
    mainToolBar->addSeparator();
    dugmeRotirajD = dugme(rotiranjeCW, "DugmeRotirajD");
    dugmeRotirajL = dugme(rotiranjeCCW, "DugmeRotirajL");
    mainToolBar->addSeparator();
    dugmeKreirajVezu = dugme(novaVeza, "DugmeKreirajVezu");
    dugmeKreirajJunction = dugme(junctionVeza, "DugmeKreirajJunction");
    dugmeKreirajDrzac = dugme(novDrzac, "DugmeKreirajDrzac");
    mainToolBar->addSeparator();
    dugme(napraviPodsistem, "DugmePodsistem");
    mainToolBar->addSeparator()->setVisible(false);
    dugmeFullscreen = dugme(goFullscreen, "DugmeFullscreen");
    trakaSimulacije->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    trakaSimulacije->addSeparator();
    dugmeSimulacija = dugme(izvSimulaciju, "DugmeSimulacija", trakaSimulacije);
    connect(mainToolBar, &QToolBar::visibilityChanged, trakaSimulacije,
            [this] { trakaSimulacije->setHidden(mainToolBar->isHidden()); });

    auto* zaglavlje = new QHBoxLayout(headerPanel);
    zaglavlje->setContentsMargins(0, 0, 0, 0);
    zaglavlje->setSpacing(0);
    zaglavlje->addWidget(menuPanel);
    zaglavlje->addWidget(mainToolBar);
    zaglavlje->addWidget(trakaSimulacije);
    zaglavlje->addWidget(helpPanel, 1);
}

void TMainForm::NapraviModel() {
    modelTab = new QWidget;
    modelTab->setObjectName(QStringLiteral("ModelTab"));
    modelTab->setWindowTitle(QStringLiteral("Model"));

    // The palette column.
    panelPalete = new QWidget(modelTab);
    panelPalete->setObjectName(QStringLiteral("PanelPalete"));
    panelPalete->setFixedWidth(177);
    zaglavljePalete = new QWidget(panelPalete);
    zaglavljePalete->setObjectName(QStringLiteral("ZaglavljePalete"));
    zaglavljePalete->setAttribute(Qt::WA_StyledBackground);
    zaglavljePalete->setFixedHeight(28);
    auto* natpis = new QLabel(QStringLiteral("Prikazi: "), zaglavljePalete);
    izborPrikazaPalete = new QComboBox(zaglavljePalete);
    izborPrikazaPalete->setObjectName(QStringLiteral("IzborPrikazaPalete"));
    izborPrikazaPalete->addItems({QStringLiteral("SVE"), QStringLiteral("PO GRUPAMA")});
    izborPrikazaPalete->setCurrentIndex(0);
    auto* red = new QHBoxLayout(zaglavljePalete);
    red->setContentsMargins(6, 2, 6, 2);
    red->addWidget(natpis);
    red->addWidget(izborPrikazaPalete, 1);
    paleta = new TSKEMGroupBar(panelPalete);
    paleta->setObjectName(QStringLiteral("Paleta"));
    paleta->PostaviSlike(&SlikeBlokova(3));
    auto* kolona = new QVBoxLayout(panelPalete);
    kolona->setContentsMargins(0, 0, 0, 0);
    kolona->setSpacing(0);
    kolona->addWidget(zaglavljePalete);
    kolona->addWidget(paleta, 1);
    connect(izborPrikazaPalete, &QComboBox::currentIndexChanged, this,
            [this] { IzvrsiIPrijavi([this] { IzborPrikazaPaleteChange(); }); });

    splitPalete = new TSKEMSplit(TSKEMSplit::TPoravnanje::alLevo, modelTab);
    splitPalete->setObjectName(QStringLiteral("SplitPalete"));
    splitPalete->PostaviAktivniPanel(panelPalete);
    splitPalete->setFixedWidth(8);

    // The drawing surface in its scroll box. The window is its parent only
    // so that it can be found among the window's parts; it is deleted first.
    radnaPovrsina = new TSKEMRadnaPovrsina(this);
    radnaPovrsina->setObjectName(QStringLiteral("RadnaPovrsina"));
    radnaPovrsina->SlikeLevo = &SlikeBlokova(1);
    radnaPovrsina->SlikeDole = &SlikeBlokova(2);
    radnaPovrsina->SlikeDesno = &SlikeBlokova(3);
    radnaPovrsina->SlikeGore = &SlikeBlokova(4);
    pogledPovrsine = new TSKEMPogled(radnaPovrsina, modelTab);
    pogledPovrsine->setObjectName(QStringLiteral("PogledPovrsine"));
    pogledPovrsine->setFrameShape(QFrame::NoFrame);

    splitInspektora = new TSKEMSplit(TSKEMSplit::TPoravnanje::alDesno, modelTab);
    splitInspektora->setObjectName(QStringLiteral("SplitInspektora"));
    splitInspektora->setFixedWidth(9);
    inspektor = new TSKEMInspektor(modelTab);
    inspektor->setObjectName(QStringLiteral("Inspektor"));
    inspektor->setFixedWidth(187);
    inspektor->setFont(Pismo(QStringLiteral("Verdana"), 8, true));
    inspektor->AktivnaPovrsina = radnaPovrsina;
    splitInspektora->PostaviAktivniPanel(inspektor);

    auto* model = new QHBoxLayout(modelTab);
    model->setContentsMargins(0, 0, 0, 0);
    model->setSpacing(0);
    model->addWidget(panelPalete);
    model->addWidget(splitPalete);
    // The path bar above the surface says which level of the document it shows.
    auto* sredina = new QVBoxLayout;
    sredina->setContentsMargins(0, 0, 0, 0);
    sredina->setSpacing(0);
    sredina->addWidget(NapraviTrakuPutanje(modelTab));
    sredina->addWidget(pogledPovrsine, 1);
    model->addLayout(sredina, 1);
    model->addWidget(splitInspektora);
    model->addWidget(inspektor);
}

void TMainForm::NapraviStrane() {
    strane = new QStackedWidget(this);
    strane->setObjectName(QStringLiteral("Strane"));
    NapraviModel();
    prikazRezultata = new TPrikazRezultata(this);
    prikazRezultata->setObjectName(QStringLiteral("PrikazRezultata"));
    prikazRezultata->TabelaTab()->setWindowTitle(QStringLiteral("Prikaz Simulacije"));
    prikazRezultata->GrafikTab()->setWindowTitle(QStringLiteral("Grafik"));
    // On a narrow window the table page's note goes on two lines.
    prikazRezultata->PrelomiUputstvo();
    strane->addWidget(modelTab);
    strane->addWidget(prikazRezultata->TabelaTab());
    strane->addWidget(prikazRezultata->GrafikTab());
    prikazLinearizacije = new TPrikazLinearizacije(this);
    prikazLinearizacije->setObjectName(QStringLiteral("PrikazLinearizacije"));
    strane->addWidget(prikazLinearizacije->Strana());
    prikazLinearizacije->OnNazad = [this] { NazadNaModel(); };
    strane->setCurrentWidget(modelTab);
    prikazRezultata->OnPrikaziStranu = [this](QWidget* strana) {
        strane->setCurrentWidget(strana);
    };
    prikazRezultata->OnNazadNaModel = [this] { NazadNaModel(); };
    prikazRezultata->OnIzmenaMerenja = [this] {
        PostaviIzmenjen(true);
        IzmenaZaOporavak();
    };
}

void TMainForm::PoveziPovrsinu() {
    TSKEMRadnaPovrsina* rp = radnaPovrsina;
    // The workspace raises its events from the middle of its mouse and key handling.
    const auto prijavljeno = [](std::function<void()> obrada) {
        return [obrada = std::move(obrada)](auto*) { IzvrsiIPrijavi(obrada); };
    };
    rp->OnSelectBlokZaInsp = prijavljeno([this] { SelectBlokZaInsp(); });
    rp->OnDropBlok = prijavljeno([this] { DropBlok(); });
    rp->OnPoveziVezu = prijavljeno([this] { PoveziVezu(); });
    rp->OnChange = prijavljeno([this] {
        Change();
        IzmenaZaOporavak();
    });
    rp->OnStanjeChange = prijavljeno([this] { StanjeChange(); });
    rp->OnBrisiBlok = prijavljeno([this] { BrisiBlok(); });
    inspektor->OnIzmena = prijavljeno([this] {
        if (TSKEMBlok* b = radnaPovrsina->SelektovaniBlok)
            radnaPovrsina->OpisiKorak(
                QStringLiteral("izmena parametara bloka %1").arg(b->LokalniBroj()));
        PostaviIzmenjen(true);
        ZakaziKorak();
        IzmenaZaOporavak();
    });
    rp->OnParametriBloka = prijavljeno([this] { ParametriBloka(); });
    rp->OnSpustiDokument = [this](const QByteArray& xml, QPoint tacka) {
        IzvrsiIPrijavi([&] { Nalepi(xml, tacka, QStringLiteral("dodavanje iz biblioteke")); });
    };
    pogledPovrsine->OnPromenaUvecanja = [this](TSKEMPogled* v) {
        oznakaUvecanja->setText(QStringLiteral("%1 %").arg(qRound(v->Uvecanje() * 100)));
    };
}

void TMainForm::UcitajKatalog() {
    try {
        paleta->UcitajKatalog(NadjiManifest());
    } catch (const TGreskaKataloga& g) {
        Dijalozi().Greska(g.Poruka());
    } catch (const std::exception& g) {
        Dijalozi().Greska(QString::fromUtf8(g.what()));
    }
}

// ---- pages ----

bool TMainForm::NaModelu() const {
    return strane->currentWidget() == modelTab;
}

void TMainForm::NazadNaModel() {
    strane->setCurrentWidget(modelTab);
    mainToolBar->show();
}

// ---- window ----

void TMainForm::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    const int traka = mainToolBar->sizeHint().width() + trakaSimulacije->sizeHint().width();
    // Never so narrow that the menu bar hides its own menus.
    const int meni = mainMenu->sizeHint().width() + 4;
    menuPanel->setFixedWidth(std::max({97, meni, (width() - traka) / 2 - 15}));
}

void TMainForm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // The surface starts at its origin (a graphics view would centre it);
    // later showings keep where the user had scrolled.
    if (!prikazan) pogledPovrsine->PostaviSkrol(QPoint(0, 0));
    prikazan = true;
    radnaPovrsina->PostaviSkrol(pogledPovrsine->Skrol());
}

bool TMainForm::PunEkran() const {
    return windowFlags().testFlag(Qt::FramelessWindowHint);
}

void TMainForm::GoFullscreenExecute() {
    const bool vidljiv = isVisible();
    if (!PunEkran()) {
        zapamceno = geometry();
        setWindowFlag(Qt::FramelessWindowHint, true);
        if (vidljiv)
            showMaximized();
        else
            setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        setWindowFlag(Qt::FramelessWindowHint, false);
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        setGeometry(zapamceno);
        if (vidljiv) showNormal();
    }
}

void TMainForm::IzborPrikazaPaleteChange() {
    if (izborPrikazaPalete->currentIndex() == 1) {
        if (!paleta->PrikaziPoGrupama()) {
            // A catalogue of one group has no by-groups view.
            QSignalBlocker blokada(izborPrikazaPalete);
            izborPrikazaPalete->setCurrentIndex(0);
        }
    } else {
        paleta->PrikaziSve();
    }
}

// ---- help ----

void TMainForm::DoHelpExecute() {
    Dijalozi().PrikaziPomoc(this, QStringLiteral("index.htm"), false);
}

void TMainForm::PomocZaSelekciju() {
    if (TSKEMBlok* b = radnaPovrsina->SelektovaniBlok)
        Dijalozi().PrikaziPomoc(this, QString::number(b->Sifra) + QStringLiteral(".htm"), true);
    else
        DoHelpExecute();
}

bool TMainForm::eventFilter(QObject* objekat, QEvent* dogadjaj) {
    if (dogadjaj->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(dogadjaj)->key() != Qt::Key_F1)
        return QMainWindow::eventFilter(objekat, dogadjaj);
    auto* vidzet = qobject_cast<QWidget*>(objekat);
    if (!vidzet || vidzet->window() != this) return false;
    // An unhandled key press travels up to the parents of its receiver; the
    // application's filter sees each step, but it is one press.
    const quint64 vreme = static_cast<QKeyEvent*>(dogadjaj)->timestamp();
    bool isti = false;
    if (dogadjaj == poslednjiF1 && vreme == vremeF1 && primalacF1)
        for (QObject* o = primalacF1->parent(); o; o = o->parent())
            if (o == objekat) isti = true;
    if (!isti) {
        poslednjiF1 = dogadjaj;
        vremeF1 = vreme;
        primalacF1 = objekat;
        PomocZaSelekciju();
    }
    return false; // F1 goes on to the focused control like every key
}

// ---- start-up ----

TAplikacija::~TAplikacija() {
    Splash.reset();
    Glavni.reset();
    Pomoc.reset();
    IsprazniOdlozeno();
}

std::unique_ptr<TAplikacija> PokreniAplikaciju(const QStringList& argumenti) {
    // The application title; set as the name, since a display name would be
    // appended to every window title by some window systems.
    QApplication::setApplicationName(QStringLiteral("SKEM 2004"));
    // The desktop entry's name lets window systems tie the windows to the
    // menu entry; the icon is the same as the menu's.
    QGuiApplication::setDesktopFileName(QStringLiteral(SKEM_ID));
    QApplication::setWindowIcon(IkonaPrograma());
    auto a = std::make_unique<TAplikacija>();
    a->Pomoc = std::make_unique<TPomoc>();
    a->Pomoc->Registruj();
    // Closing the main window ends the program, even with the help window open.
    a->Pomoc->setAttribute(Qt::WA_QuitOnClose, false);
    a->Glavni = std::make_unique<TMainForm>(argumenti);
    a->Glavni->NapraviDijaloge();
    a->Glavni->hide();
    a->Splash = std::make_unique<TSplashForm>(a->Glavni.get());
    a->Splash->setAttribute(Qt::WA_QuitOnClose, false);
    a->Splash->Pokreni();
    return a;
}
