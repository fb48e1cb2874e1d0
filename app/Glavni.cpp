// The main window's construction: layout, actions, menus, tool bar, the
// palette's view switch, help, full screen and the program's start-up.
#include "Glavni.h"

#include "CsvRezultata.h"
#include "Dijalozi.h"
#include "Katalog.h"
#include "Obavestenja.h"
#include "OpcijeSim.h"
#include "Pomoc.h"
#include "Rezultati.h"
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

QAction* Akcija(QObject* vlasnik, const char* ime, const QString& natpis, const QString& savet,
                TIkonica ikonica, const QKeySequence& precica = {}) {
    auto* a = new QAction(Ikonica(ikonica), natpis, vlasnik);
    a->setObjectName(QLatin1String(ime));
    // A hint is "short|long": the short part is the tool tip, the long one goes to the status bar.
    const int crta = savet.indexOf(QLatin1Char('|'));
    a->setToolTip(savet.left(crta));
    a->setStatusTip(savet.mid(crta + 1));
    if (!precica.isEmpty()) a->setShortcut(precica);
    return a;
}

} // namespace

// A run holds the GUI thread from the options dialog's acceptance to its
// end, which for a long run takes a while: the pointer says so meanwhile.
class TMainForm::TOpcijeSaCekanjem : public skem::TIzvorOpcija {
public:
    ~TOpcijeSaCekanjem() override { Zavrsi(); }

    void PostaviDijalog(TOpcije* opcije) { opcije_ = opcije; }

    // A run whose results the table could not take is refused before it
    // starts, not after minutes of work and gigabytes of results.
    std::function<void(const QString&)> OnPrevise;

    bool PitajOpcije(skem::TOpcijeSimulacije& vrednosti) override {
        if (!opcije_ || !opcije_->PitajOpcije(vrednosti)) return false;
        try {
            if (skem::BrojIntervalaStampe(vrednosti.Trajanje, vrednosti.IntervalStampanja) >
                TPrikazRezultata::NajviseIntervala)
                throw std::invalid_argument("Previse tacaka rezultata za prikaz u tabeli.");
        } catch (const std::invalid_argument& g) {
            if (OnPrevise) OnPrevise(QString::fromUtf8(g.what()));
            return false;
        }
        if (!ceka_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        ceka_ = true;
        return true;
    }
    // Back to the ordinary pointer: at the end of the run and before any message.
    void Zavrsi() {
        if (!ceka_) return;
        ceka_ = false;
        QGuiApplication::restoreOverrideCursor();
    }

private:
    QPointer<TOpcije> opcije_;
    bool ceka_ = false;
};

// The engine's messages (element errors, checks) as error boxes.
class TMainForm::TPorukeDijaloga : public skem::TPorukeSimulacije {
public:
    explicit TPorukeDijaloga(TOpcijeSaCekanjem* cekanje) : cekanje_(cekanje) {}
    void GreskaSimulacije(const std::string& tekst) override {
        if (cekanje_) cekanje_->Zavrsi();
        Dijalozi().Greska(SaPrelomima(QString::fromStdString(tekst)));
    }

private:
    TOpcijeSaCekanjem* cekanje_;
};

TMainForm::TMainForm(const QStringList& argumenti, QWidget* roditelj) : QMainWindow(roditelj) {
    setObjectName(QStringLiteral("MainForm"));
    setFont(Pismo(QStringLiteral("Verdana"), 8));
    resize(724, 564);
    setMinimumSize(670, 450); // 630 x 450 as the system's limit, and never narrower than 670
    setEnabled(false);        // enabled by the splash's second tick

    NapraviAkcije();
    NapraviZaglavlje();
    NapraviStrane();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);

    auto* centar = new QWidget(this);
    auto* raspored = new QVBoxLayout(centar);
    raspored->setContentsMargins(0, 0, 0, 0);
    raspored->setSpacing(0);
    raspored->addWidget(HeaderPanel);
    raspored->addWidget(PageControl1, 1);
    setCentralWidget(centar);
    setStyleSheet(QStringLiteral(
        "#HeaderPanel { background: #eef1f5; border-bottom: 1px solid #c5ccd6; }"
        "#HeaderPanel QMenuBar { background: transparent; }"
        "#MainToolBar { background: transparent; border: none; padding: 0px; spacing: 0px; }"
        "#MainToolBar QToolButton { padding: 0px 2px; border: 1px solid transparent;"
        " border-radius: 3px; }"
        "#MainToolBar QToolButton:hover { background: #dde6f2; border-color: #a9bdd6; }"
        "#MainToolBar QToolButton:checked, #MainToolBar QToolButton:pressed"
        " { background: #c8d8ee; border-color: #7f9dc4; }"
        "#Panel6 { background: #e4e8ee; border-bottom: 1px solid #c5ccd6; }"
        "#StatusBar1 { background: #eef1f5; border-top: 1px solid #c5ccd6; }"));

    opcijeSaCekanjem_ = std::make_unique<TOpcijeSaCekanjem>();
    opcijeSaCekanjem_->OnPrevise = [this](const QString& tekst) { GreskaSimulacije(tekst); };
    porukeDijaloga_ = std::make_unique<TPorukeDijaloga>(opcijeSaCekanjem_.get());
    Simulacija.PostaviPoruke(porukeDijaloga_.get());

    // Creation steps.
    PostaviImeDokumenta(QStringLiteral(".skem"));
    UcitajKatalog();
    PoveziPovrsinu();
    SKEMGroupBar1->PrikaziSve();
    UcitajSaKomandneLinije(argumenti);
    Izmenjen = false;

    // The window sees F1 before its controls.
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    // The workspace goes with the window: it must not call back into a half-destroyed one.
    SKEMRadnaPovrsina1->OnSelectBlok = nullptr;
    SKEMRadnaPovrsina1->OnSelectBlokZaInsp = nullptr;
    SKEMRadnaPovrsina1->OnStanjeChange = nullptr;
    SKEMRadnaPovrsina1->OnChange = nullptr;
    SKEMRadnaPovrsina1->OnDropBlok = nullptr;
    SKEMRadnaPovrsina1->OnPoveziVezu = nullptr;
    SKEMRadnaPovrsina1->OnBrisiBlok = nullptr;
    SKEMInspektor1->OnIzmena = nullptr;
    SKEMInspektor1->AktivnaPovrsina = nullptr;
    delete ScrollBox1;
    ScrollBox1 = nullptr;
    delete SKEMRadnaPovrsina1;
    SKEMRadnaPovrsina1 = nullptr;
    Simulacija.PostaviPoruke(nullptr);
    Simulacija.PostaviIzvorOpcija(nullptr);
}

// ---- dialogs ----

void TMainForm::NapraviDijaloge() {
    IzborUlaza();
    UnosPar();
    Opcije();
    UnosOpisa();
}

TIzborUlaza* TMainForm::IzborUlaza() {
    if (!izborUlaza_) izborUlaza_ = new TIzborUlaza(this);
    return izborUlaza_;
}

TUnosPar* TMainForm::UnosPar() {
    if (!unosPar_) unosPar_ = new TUnosPar(this);
    return unosPar_;
}

TOpcije* TMainForm::Opcije() {
    if (!opcije_) {
        opcije_ = new TOpcije(this);
        opcijeSaCekanjem_->PostaviDijalog(opcije_);
        Simulacija.PostaviIzvorOpcija(opcijeSaCekanjem_.get());
    }
    return opcije_;
}

void TMainForm::ZavrsiCekanje() {
    opcijeSaCekanjem_->Zavrsi();
}

TUnosOpisa* TMainForm::UnosOpisa() {
    if (!unosOpisa_) unosOpisa_ = new TUnosOpisa(this);
    return unosOpisa_;
}

// ---- layout ----

void TMainForm::NapraviAkcije() {
    using K = QKeySequence;
    NovDoc = Akcija(this, "NovDoc", QStringLiteral("&Novi dokument"),
                    QStringLiteral("Novi dokument|Kreira novu graficku semu"),
                    TIkonica::NoviDokument, K(Qt::CTRL | Qt::Key_N));
    FileOpen1 = Akcija(this, "FileOpen1", QStringLiteral("&Otvori..."),
                       QStringLiteral("Otvori|Ucitava vec snimljenu graficku semu"),
                       TIkonica::Otvori, K(Qt::CTRL | Qt::Key_O));
    FileSave = Akcija(this, "FileSave", QStringLiteral("&Sacuvaj"),
                      QStringLiteral("Snimi|Snima aktivnu graficku semu"), TIkonica::Sacuvaj,
                      K(Qt::CTRL | Qt::Key_S));
    // Its caption elsewhere is "Sacuvaj &kao..."; it is shown only in the menu.
    FileSaveAs1 = Akcija(this, "FileSaveAs1", QStringLiteral("S&acuvaj kao..."),
                         QStringLiteral("Sacuvaj kao|Snima aktivnu graficku semu u novi fajl"),
                         TIkonica::SacuvajKao);
    FileExit1 =
        Akcija(this, "FileExit1", QStringLiteral("&Izlaz"), QStringLiteral("Izlaz|Kraj programa"),
               TIkonica::Izlaz, K(Qt::CTRL | Qt::Key_X));
    EditObrisi = Akcija(this, "EditObrisi", QStringLiteral("&Obrisi"),
                        QStringLiteral("Obrisi selektovano|Brise ono sto je na radnoj povrsini "
                                       "selektovano"),
                        TIkonica::Obrisi, K(Qt::Key_Delete));
    RotiranjeCW = Akcija(this, "RotiranjeCW", QStringLiteral("Rotiraj u&desno"),
                         QStringLiteral("Rotiraj udesno|Rotira blok u smeru kazaljke na satu"),
                         TIkonica::RotirajDesno);
    RotiranjeCCW = Akcija(
        this, "RotiranjeCCW", QStringLiteral("Rotiraj u&levo"),
        QStringLiteral("Rotiraj ulevo|Rotira blok u smeru suprotnom od smera kazaljke na satu"),
        TIkonica::RotirajLevo);
    // Both rotate buttons read "Rotiraj" on the tool bar.
    RotiranjeCW->setIconText(QStringLiteral("Rotiraj"));
    RotiranjeCCW->setIconText(QStringLiteral("Rotiraj"));
    NovaVeza = Akcija(this, "NovaVeza", QStringLiteral("Kreiraj &vezu"),
                      QStringLiteral("Kreiraj vezu|Kreira novu vezu izmedju blokova"),
                      TIkonica::KreirajVezu);
    JunctionVeza = Akcija(this, "JunctionVeza", QStringLiteral("Kreiraj &junction"),
                          QStringLiteral("Kreiraj junction vezu|Kreira junction vezu"),
                          TIkonica::KreirajJunction);
    NovDrzac = Akcija(this, "NovDrzac", QStringLiteral("Kreiraj d&rzac"),
                      QStringLiteral("Kreiraj drzac|Kreira novi drzac na kliknutoj liniji"),
                      TIkonica::KreirajDrzac);
    // The mode buttons stay down while their mode lasts.
    for (QAction* a : {NovaVeza, JunctionVeza, NovDrzac})
        a->setCheckable(true);
    IzvSimulaciju =
        Akcija(this, "IzvSimulaciju", QStringLiteral("&Simulacija"),
               QStringLiteral("Simulacija|Izvrsava simulaciju nad napravljenim modelom"),
               TIkonica::Simulacija);
    // Its caption elsewhere is "Opis problema"; it is shown only in the menu.
    Action1 = Akcija(this, "Action1", QStringLiteral("O&pis problema"),
                     QStringLiteral("Opis problema|Otvara prozor za unos opisa problema"),
                     TIkonica::OpisProblema);
    GoFullscreen = Akcija(this, "GoFullscreen", QStringLiteral("&Fullscreen"),
                          QStringLiteral("Fullscreen|Povecava prozor preko celog ekrana"),
                          TIkonica::Fullscreen);
    DoHelp =
        Akcija(this, "DoHelp", QStringLiteral("&SKEM 2004"),
               QStringLiteral("SKEM 2004|Detaljna pomoc u radu sa programom"), TIkonica::Pomoc);

    connect(NovDoc, &QAction::triggered, this, [this] { NovDocExecute(); });
    connect(FileOpen1, &QAction::triggered, this, [this] { FileOpen1Execute(); });
    connect(FileSave, &QAction::triggered, this, [this] { FileSaveExecute(); });
    connect(FileSaveAs1, &QAction::triggered, this, [this] { FileSaveAs1Execute(); });
    connect(FileExit1, &QAction::triggered, this, [this] { close(); });
    connect(EditObrisi, &QAction::triggered, this, [this] { TBObrisiClick(); });
    connect(RotiranjeCW, &QAction::triggered, this, [this] { TBRotirajDClick(); });
    connect(RotiranjeCCW, &QAction::triggered, this, [this] { TBRotirajLClick(); });
    connect(NovaVeza, &QAction::triggered, this, [this] { TBKreirajVezuClick(); });
    connect(JunctionVeza, &QAction::triggered, this, [this] { TBKreirajJunClick(); });
    connect(NovDrzac, &QAction::triggered, this, [this] { TBKreirajDrzacClick(); });
    connect(IzvSimulaciju, &QAction::triggered, this, [this] { PrevediModelClick(); });
    connect(Action1, &QAction::triggered, this, [this] { BitBtn1Click(); });
    connect(GoFullscreen, &QAction::triggered, this, [this] { GoFullscreenExecute(); });
    connect(DoHelp, &QAction::triggered, this, [this] { DoHelpExecute(); });

    // The shortcuts work wherever the focus is in the window, menus open or not.
    addActions({NovDoc, FileOpen1, FileSave, FileSaveAs1, FileExit1, EditObrisi, RotiranjeCW,
                RotiranjeCCW, NovaVeza, JunctionVeza, NovDrzac, IzvSimulaciju, Action1,
                GoFullscreen, DoHelp});
}

void TMainForm::NapraviMeni() {
    MainMenu = new QMenuBar(MenuPanel);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MainMenu->setNativeMenuBar(false);
    const QFont tahoma = Pismo(QStringLiteral("Tahoma"), 8);
    MainMenu->setFont(tahoma);
    QMenu* datoteka = MainMenu->addMenu(QStringLiteral("&Datoteka"));
    datoteka->setObjectName(QStringLiteral("MeniDatoteka"));
    datoteka->addAction(NovDoc);
    datoteka->addSeparator();
    datoteka->addActions({FileOpen1, FileSave, FileSaveAs1});
    datoteka->addSeparator();
    datoteka->addAction(FileExit1);
    QMenu* uredi = MainMenu->addMenu(QStringLiteral("&Uredi"));
    uredi->setObjectName(QStringLiteral("MeniUredi"));
    uredi->addAction(EditObrisi);
    uredi->addSeparator();
    uredi->addActions({RotiranjeCW, RotiranjeCCW});
    uredi->addSeparator();
    uredi->addActions({NovaVeza, JunctionVeza, NovDrzac});
    uredi->addSeparator();
    uredi->addAction(IzvSimulaciju);
    uredi->addSeparator();
    uredi->addAction(Action1);

    HelpMenuBar = new QMenuBar(HelpPanel);
    HelpMenuBar->setObjectName(QStringLiteral("HelpMenuBar"));
    HelpMenuBar->setNativeMenuBar(false);
    HelpMenuBar->setFont(tahoma);
    QMenu* pomoc = HelpMenuBar->addMenu(QStringLiteral("&Pomoc"));
    pomoc->setObjectName(QStringLiteral("MeniPomoc"));
    pomoc->addAction(DoHelp);
    for (QMenu* m : {datoteka, uredi, pomoc}) {
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
    HeaderPanel = new QWidget(this);
    HeaderPanel->setObjectName(QStringLiteral("HeaderPanel"));
    HeaderPanel->setAttribute(Qt::WA_StyledBackground);
    HeaderPanel->setFixedHeight(38);
    MenuPanel = new QWidget(HeaderPanel);
    MenuPanel->setObjectName(QStringLiteral("MenuPanel"));
    MenuPanel->setFixedWidth(97);
    HelpPanel = new QWidget(HeaderPanel);
    HelpPanel->setObjectName(QStringLiteral("HelpPanel"));
    NapraviMeni();

    auto* meni = new QHBoxLayout(MenuPanel);
    meni->setContentsMargins(2, 0, 0, 0);
    meni->addWidget(MainMenu, 0, Qt::AlignLeft | Qt::AlignVCenter);
    meni->addStretch(1);
    auto* pomoc = new QHBoxLayout(HelpPanel);
    pomoc->setContentsMargins(0, 0, 2, 0);
    pomoc->addStretch(1);
    HelpMenuBar->setMinimumWidth(std::max(41, HelpMenuBar->sizeHint().width()));
    pomoc->addWidget(HelpMenuBar, 0, Qt::AlignRight | Qt::AlignVCenter);

    MainToolBar = new QToolBar(HeaderPanel);
    MainToolBar->setObjectName(QStringLiteral("MainToolBar"));
    MainToolBar->setMovable(false);
    MainToolBar->setFloatable(false);
    MainToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    MainToolBar->setIconSize(QSize(16, 16));
    MainToolBar->setCursor(Qt::PointingHandCursor);
    auto dugme = [this](QAction* a, const char* ime) {
        MainToolBar->addAction(a);
        auto* b = qobject_cast<QToolButton*>(MainToolBar->widgetForAction(a));
        b->setObjectName(QLatin1String(ime));
        b->setMinimumHeight(35);
        return b;
    };
    TBObrisi = dugme(EditObrisi, "TBObrisi");
    MainToolBar->addSeparator();
    TBRotirajD = dugme(RotiranjeCW, "TBRotirajD");
    TBRotirajL = dugme(RotiranjeCCW, "TBRotirajL");
    MainToolBar->addSeparator();
    TBKreirajVezu = dugme(NovaVeza, "TBKreirajVezu");
    TBKreirajJun = dugme(JunctionVeza, "TBKreirajJun");
    TBKreirajDrzac = dugme(NovDrzac, "TBKreirajDrzac");
    MainToolBar->addSeparator();
    TBSimulacija = dugme(IzvSimulaciju, "TBSimulacija");
    MainToolBar->addSeparator()->setVisible(false);
    TBFullscreen = dugme(GoFullscreen, "TBFullscreen");

    auto* zaglavlje = new QHBoxLayout(HeaderPanel);
    zaglavlje->setContentsMargins(0, 0, 0, 0);
    zaglavlje->setSpacing(0);
    zaglavlje->addWidget(MenuPanel);
    zaglavlje->addWidget(MainToolBar);
    zaglavlje->addWidget(HelpPanel, 1);
}

void TMainForm::NapraviModel() {
    ModelTab = new QWidget;
    ModelTab->setObjectName(QStringLiteral("ModelTab"));
    ModelTab->setWindowTitle(QStringLiteral("Model"));

    // The palette column.
    Panel3 = new QWidget(ModelTab);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedWidth(177);
    Panel6 = new QWidget(Panel3);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel6->setAttribute(Qt::WA_StyledBackground);
    Panel6->setFixedHeight(28);
    auto* natpis = new QLabel(QStringLiteral("Prikazi: "), Panel6);
    ComboBox1 = new QComboBox(Panel6);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("SVE"), QStringLiteral("PO GRUPAMA")});
    ComboBox1->setCurrentIndex(0);
    auto* red = new QHBoxLayout(Panel6);
    red->setContentsMargins(6, 2, 6, 2);
    red->addWidget(natpis);
    red->addWidget(ComboBox1, 1);
    SKEMGroupBar1 = new TSKEMGroupBar(Panel3);
    SKEMGroupBar1->setObjectName(QStringLiteral("SKEMGroupBar1"));
    SKEMGroupBar1->PostaviSlike(&SlikeBlokova(3));
    auto* paleta = new QVBoxLayout(Panel3);
    paleta->setContentsMargins(0, 0, 0, 0);
    paleta->setSpacing(0);
    paleta->addWidget(Panel6);
    paleta->addWidget(SKEMGroupBar1, 1);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });

    SKEMSplit2 = new TSKEMSplit(TSKEMSplit::TPoravnanje::alLevo, ModelTab);
    SKEMSplit2->setObjectName(QStringLiteral("SKEMSplit2"));
    SKEMSplit2->PostaviAktivniPanel(Panel3);
    SKEMSplit2->setFixedWidth(8);

    // The drawing surface in its scroll box.
    SKEMRadnaPovrsina1 = new TSKEMRadnaPovrsina;
    SKEMRadnaPovrsina1->setObjectName(QStringLiteral("SKEMRadnaPovrsina1"));
    SKEMRadnaPovrsina1->SlikeLevo = &SlikeBlokova(1);
    SKEMRadnaPovrsina1->SlikeDole = &SlikeBlokova(2);
    SKEMRadnaPovrsina1->SlikeDesno = &SlikeBlokova(3);
    SKEMRadnaPovrsina1->SlikeGore = &SlikeBlokova(4);
    ScrollBox1 = new TSKEMPogled(SKEMRadnaPovrsina1, ModelTab);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);

    SKEMSplit1 = new TSKEMSplit(TSKEMSplit::TPoravnanje::alDesno, ModelTab);
    SKEMSplit1->setObjectName(QStringLiteral("SKEMSplit1"));
    SKEMSplit1->setFixedWidth(9);
    SKEMInspektor1 = new TSKEMInspektor(ModelTab);
    SKEMInspektor1->setObjectName(QStringLiteral("SKEMInspektor1"));
    SKEMInspektor1->setFixedWidth(187);
    SKEMInspektor1->setFont(Pismo(QStringLiteral("Verdana"), 8, true));
    SKEMInspektor1->AktivnaPovrsina = SKEMRadnaPovrsina1;
    SKEMSplit1->PostaviAktivniPanel(SKEMInspektor1);

    auto* model = new QHBoxLayout(ModelTab);
    model->setContentsMargins(0, 0, 0, 0);
    model->setSpacing(0);
    model->addWidget(Panel3);
    model->addWidget(SKEMSplit2);
    model->addWidget(ScrollBox1, 1);
    model->addWidget(SKEMSplit1);
    model->addWidget(SKEMInspektor1);
}

void TMainForm::NapraviStrane() {
    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    NapraviModel();
    PrikazRezultata = new TPrikazRezultata(this);
    PrikazRezultata->TabelaTab->setWindowTitle(QStringLiteral("Prikaz Simulacije"));
    PrikazRezultata->GrafikTab->setWindowTitle(QStringLiteral("Grafik"));
    // On a narrow window the table page's note goes on two lines instead of
    // being cut at both ends; its row gives it the panel's whole height (the
    // buttons keep theirs, centred).
    PrikazRezultata->Uputstvo->setWordWrap(true);
    if (QLayout* red = PrikazRezultata->Uputstvo->parentWidget()->layout()) {
        const QMargins m = red->contentsMargins();
        red->setContentsMargins(m.left(), 0, m.right(), 0);
    }
    PageControl1->addWidget(ModelTab);
    PageControl1->addWidget(PrikazRezultata->TabelaTab);
    PageControl1->addWidget(PrikazRezultata->GrafikTab);
    PageControl1->setCurrentWidget(ModelTab);
    PrikazRezultata->OnPrikaziStranu = [this](QWidget* strana) {
        PageControl1->setCurrentWidget(strana);
    };
    PrikazRezultata->OnNazadNaModel = [this] { NazadNaModel(); };
}

void TMainForm::PoveziPovrsinu() {
    TSKEMRadnaPovrsina* rp = SKEMRadnaPovrsina1;
    rp->OnSelectBlokZaInsp = [this](TSKEMRadnaPovrsina*) { SelectBlokZaInsp(); };
    rp->OnDropBlok = [this](TSKEMRadnaPovrsina*) { DropBlok(); };
    rp->OnPoveziVezu = [this](TSKEMRadnaPovrsina*) { PoveziVezu(); };
    rp->OnChange = [this](TSKEMRadnaPovrsina*) { Change(); };
    rp->OnStanjeChange = [this](TSKEMRadnaPovrsina*) { StanjeChange(); };
    rp->OnBrisiBlok = [this](TSKEMRadnaPovrsina*) { BrisiBlok(); };
    SKEMInspektor1->OnIzmena = [this](TSKEMInspektor*) { Izmenjen = true; };
}

void TMainForm::UcitajKatalog() {
    try {
        SKEMGroupBar1->UcitajKatalog(NadjiManifest());
    } catch (const TGreskaKataloga& g) {
        Dijalozi().Greska(g.Poruka());
    } catch (const std::exception& g) {
        Dijalozi().Greska(QString::fromUtf8(g.what()));
    }
}

// ---- pages ----

bool TMainForm::NaModelu() const {
    return PageControl1->currentWidget() == ModelTab;
}

void TMainForm::NazadNaModel() {
    PageControl1->setCurrentWidget(ModelTab);
    MainToolBar->show();
}

// ---- window ----

void TMainForm::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    const int traka = MainToolBar->sizeHint().width();
    // Never so narrow that the menu bar hides its own menus.
    const int meni = MainMenu->sizeHint().width() + 4;
    MenuPanel->setFixedWidth(std::max({97, meni, (width() - traka) / 2 - 15}));
}

void TMainForm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // The surface starts at its origin (a graphics view would centre it);
    // later showings keep where the user had scrolled.
    if (!prikazan_) ScrollBox1->PostaviSkrol(QPoint(0, 0));
    prikazan_ = true;
    SKEMRadnaPovrsina1->PostaviSkrol(ScrollBox1->Skrol());
}

bool TMainForm::PunEkran() const {
    return windowFlags().testFlag(Qt::FramelessWindowHint);
}

void TMainForm::GoFullscreenExecute() {
    const bool vidljiv = isVisible();
    if (!PunEkran()) {
        zapamceno_ = geometry();
        setWindowFlag(Qt::FramelessWindowHint, true);
        if (vidljiv)
            showMaximized();
        else
            setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        setWindowFlag(Qt::FramelessWindowHint, false);
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        setGeometry(zapamceno_);
        if (vidljiv) showNormal();
    }
}

void TMainForm::ComboBox1Change() {
    if (ComboBox1->currentIndex() == 1) {
        if (!SKEMGroupBar1->PrikaziPoGrupama()) {
            // A catalogue of one group has no by-groups view.
            QSignalBlocker blokada(ComboBox1);
            ComboBox1->setCurrentIndex(0);
        }
    } else {
        SKEMGroupBar1->PrikaziSve();
    }
}

// ---- help ----

void TMainForm::DoHelpExecute() {
    Dijalozi().PrikaziPomoc(this, QStringLiteral("index.htm"), false);
}

void TMainForm::PomocZaSelekciju() {
    if (TSKEMBlok* b = SKEMRadnaPovrsina1->SelektovaniBlok)
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
    if (dogadjaj == poslednjiF1_ && vreme == vremeF1_ && primalacF1_)
        for (QObject* o = primalacF1_->parent(); o; o = o->parent())
            if (o == objekat) isti = true;
    if (!isti) {
        poslednjiF1_ = dogadjaj;
        vremeF1_ = vreme;
        primalacF1_ = objekat;
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
