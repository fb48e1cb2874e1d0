// The result pages' view: the table page (the grid, the rows' check boxes,
// its keys and double clicks), the filling and emptying of the table, the
// switching of pages and the CSV export.
#include "Rezultati.h"

#include "Dijalozi.h"
#include "ModelTabele.h"
#include "Obrada.h"
#include "RezultatiDelovi.h"
#include "SirinaKolona.h"
#include "Tekst.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyleOptionHeader>
#include <QTableView>
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <utility>

using namespace DeloviRezultata;

namespace {

constexpr int PodrazumevanaSirina = 120; // of a column of the table

// A thin strip over the right edge of the caption column: dragging it sets
// the column's width, as the edges of the other columns do theirs.
class TRucica : public QWidget {
public:
    TRucica(QWidget* roditelj, std::function<int()> sirina, std::function<void(int)> postavi)
        : QWidget(roditelj), Sirina(std::move(sirina)), Postavi(std::move(postavi)) {
        setCursor(Qt::SplitHCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return e->ignore();
        pocetak = e->globalPosition().x();
        pocetnaSirina = Sirina();
        e->accept();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton)) return e->ignore();
        Postavi(pocetnaSirina + static_cast<int>(std::lround(e->globalPosition().x() - pocetak)));
        e->accept();
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }

private:
    std::function<int()> Sirina;
    std::function<void(int)> Postavi;
    double pocetak = 0;
    int pocetnaSirina = 0;
};

} // namespace

TPrikazRezultata::TPrikazRezultata(QObject* roditelj) : QObject(roditelj) {
    NapraviTabelaTab();
    NapraviGrafikTab();
    opisKraja = new QLabel;
    opisKraja->setObjectName(QStringLiteral("OpisKraja"));
    opisKraja->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold;"));
}

TPrikazRezultata::~TPrikazRezultata() {
    // Pages a page control took are its to free, as is a status bar's label.
    if (stranaTabele && !stranaTabele->parent()) delete stranaTabele.data();
    if (stranaGrafika && !stranaGrafika->parent()) delete stranaGrafika.data();
    if (opisKraja && !opisKraja->parent()) delete opisKraja.data();
}

QWidget* TPrikazRezultata::TabelaTab() const {
    return stranaTabele;
}
QWidget* TPrikazRezultata::GrafikTab() const {
    return stranaGrafika;
}
QLabel* TPrikazRezultata::OpisKraja() const {
    return opisKraja;
}

void TPrikazRezultata::PrelomiUputstvo() {
    uputstvo->setWordWrap(true);
    if (QLayout* red = uputstvo->parentWidget()->layout()) {
        const QMargins m = red->contentsMargins();
        red->setContentsMargins(m.left(), 0, m.right(), 0);
    }
}

void TPrikazRezultata::NapraviTabelaTab() {
    const auto [strana, raspored, panel] =
        NovaStrana(QStringLiteral("TabelaTab"), QStringLiteral("Prikaz Simulacije"));
    stranaTabele = strana;
    backOnModel = Dugme(QStringLiteral("Nazad"), TIkonica::Nazad, strana);
    backOnModel->setObjectName(QStringLiteral("BackOnModel"));
    uputstvo = new QLabel(
        QStringLiteral(
            "Za prikaz grafika oznacite kucicu pored naziva bloka i kliknite taster Grafik"),
        strana);
    uputstvo->setObjectName(QStringLiteral("Uputstvo"));
    uputstvo->setAlignment(Qt::AlignCenter);
    QFont podebljan = uputstvo->font();
    podebljan.setBold(true);
    uputstvo->setFont(podebljan);
    uputstvo->setStyleSheet(QStringLiteral("color: #800000;"));
    izvozCsv = Dugme(QStringLiteral("Izvezi CSV"), TIkonica::Izvoz, strana);
    izvozCsv->setObjectName(QStringLiteral("IzvozCsv"));
    Savet(izvozCsv, QStringLiteral("Cuva tabelu rezultata kao CSV fajl"));
    goToChart = Dugme(QStringLiteral("Grafik"), TIkonica::Grafik, strana);
    goToChart->setObjectName(QStringLiteral("GoToChart"));
    goToChart->setLayoutDirection(Qt::RightToLeft); // the glyph right of the text
    Savet(goToChart, QStringLiteral("Prikazuje grafik za selektovane redove"));
    panel->addWidget(backOnModel);
    panel->addWidget(uputstvo, 1);
    panel->addWidget(izvozCsv);
    panel->addWidget(goToChart);

    tabela = new QTableView(strana);
    tabela->setObjectName(QStringLiteral("Tabela"));
    model = new TModelTabele(tabela);
    tabela->setModel(model);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    font.setBold(true);
    tabela->setFont(font);
    tabela->setFocusPolicy(Qt::ClickFocus); // no tab stop
    tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela->setSelectionMode(QAbstractItemView::SingleSelection);
    tabela->setShowGrid(true);
    tabela->setCornerButtonEnabled(false);
    tabela->setWordWrap(false);
    // Row 0 of the grid is the horizontal header (it stays while scrolling
    // down), column 0 the vertical header under the check boxes (it stays
    // while scrolling right).
    QHeaderView* vremena = tabela->horizontalHeader();
    vremena->setMinimumSectionSize(20);
    vremena->setDefaultSectionSize(PodrazumevanaSirina);
    vremena->setSectionResizeMode(QHeaderView::Interactive);
    vremena->setHighlightSections(false);
    vremena->setFixedHeight(24);
    QHeaderView* nazivi = tabela->verticalHeader();
    nazivi->setMinimumSectionSize(24);
    nazivi->setDefaultSectionSize(24);
    nazivi->setSectionResizeMode(QHeaderView::Fixed);
    nazivi->setHighlightSections(false);
    nazivi->setFixedWidth(PodrazumevanaSirina);
    tabela->setStyleSheet(QStringLiteral(
        "QTableView { background-color: palette(button); gridline-color: palette(dark);"
        " selection-background-color: palette(highlight); }"
        "QHeaderView::section { background-color: palette(dark); color: black; border: none;"
        " border-right: 1px solid palette(shadow); border-bottom: 1px solid palette(shadow);"
        " padding-left: 3px; }"
        "QTableCornerButton::section { background-color: palette(dark); border: none;"
        " border-right: 1px solid palette(shadow); border-bottom: 1px solid palette(shadow); }"
        "QCheckBox { background-color: palette(dark); color: #800000; font-weight: bold;"
        " padding-left: 3px; }"));
    raspored->addWidget(tabela, 1);
    // The caption column is the grid's row header, which has no edge of its
    // own to drag: this strip gives it one.
    rucicaNaziva = new TRucica(
        tabela, [nazivi] { return nazivi->width(); },
        [this, nazivi](int sirina) {
            nazivi->setFixedWidth(std::clamp(sirina, 24, std::max(24, tabela->width() - 40)));
            tabela->doItemsLayout();
        });
    rucicaNaziva->setObjectName(QStringLiteral("RucicaNaziva"));

    // The check boxes follow the caption column as it scrolls and resizes.
    connect(tabela->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { PostaviOznake(); });
    connect(nazivi, &QHeaderView::sectionResized, this, [this] { PostaviOznake(); });
    connect(nazivi, &QHeaderView::geometriesChanged, this, [this] { PostaviOznake(); });
    nazivi->viewport()->installEventFilter(this);
    tabela->viewport()->installEventFilter(this);
    tabela->installEventFilter(this);
    // A double click anywhere in the grid builds the chart, the fixed row of
    // times and the caption column included.
    vremena->viewport()->installEventFilter(this);
    prozoriTabele = {tabela, tabela->viewport(), vremena->viewport(), nazivi->viewport()};

    connect(backOnModel, &QPushButton::clicked, this, [this] { BackOnModelClick(); });
    connect(goToChart, &QPushButton::clicked, this, [this] { GoToChartClick(); });
    connect(izvozCsv, &QPushButton::clicked, this, [this] { IzvozCsvClick(); });
}

QString KljucReda(const skem::TBlokRezultata& blok) {
    return blok.Putanja.empty() ? QString::number(blok.LokalniBroj)
                                : QString::fromStdString(blok.Putanja);
}

QStringList TPrikazRezultata::OznaceniBlokovi() const {
    QStringList kljucevi;
    for (std::size_t r = 0; r < oznake.size(); ++r)
        if (oznake[r]->isChecked()) kljucevi << kljuceviOznaka[qsizetype(r)];
    return kljucevi;
}

void TPrikazRezultata::OznaciBlokove(const QStringList& kljucevi) {
    for (std::size_t r = 0; r < oznake.size(); ++r)
        if (kljucevi.contains(kljuceviOznaka[qsizetype(r)])) oznake[r]->setChecked(true);
}

void TPrikazRezultata::OcistiTabelu() {
    for (QCheckBox* c : oznake)
        delete c;
    oznake.clear();
    kljuceviOznaka.clear();
    // The chart's curves read the matrix: they go with it.
    redOseX = -1;
    NacrtajKrive({});
    model->Isprazni();
    blokovi.clear();
    rezultati.clear();
    opsegKolone.clear();
    brojIntervala = 0;
    simuliranihTacaka = 0;
    opisKraja->clear();
}

void TPrikazRezultata::PopuniTabelu(const std::vector<skem::TBlokRezultata>& noviBlokovi,
                                    skem::TMatricaRezultata noviRezultati, double novoTrajanje,
                                    double noviIntervalStampe, const TKrajRada& kraj) {
    // Everything is checked before the table changes.
    const std::int64_t n = skem::BrojIntervalaStampe(novoTrajanje, noviIntervalStampe);
    if (n > NajviseIntervala)
        throw std::invalid_argument("Previse tacaka rezultata za prikaz u tabeli.");
    if (static_cast<std::int64_t>(noviRezultati.Redova()) < n + 1)
        throw std::invalid_argument("Matrica rezultata ima manje redova od broja tacaka.");
    if (noviRezultati.Kolona() < noviBlokovi.size())
        throw std::invalid_argument("Matrica rezultata ima manje kolona od broja blokova.");
    std::int64_t simulirano = n + 1;
    if (kraj.Quit) {
        if (!std::isfinite(kraj.Vreme) || !std::isfinite(kraj.Korak) || !(kraj.Korak >= 0))
            throw std::invalid_argument("Neispravno vreme zaustavljanja simulacije.");
        // The samples the run took, as the engine takes them: the one at
        // t = 0, then one for each print time that the end of a step before
        // the Quit's reached, within a quarter of a step.
        // A variable-step run took every print time up to its stop.
        const double uzoraka = kraj.Korak > 0
                                   ? std::floor((kraj.Vreme - kraj.Korak) / noviIntervalStampe +
                                                kraj.Korak / (4 * noviIntervalStampe)) +
                                         1
                                   : std::floor(kraj.Vreme / noviIntervalStampe + 1e-9) + 1;
        simulirano =
            static_cast<std::int64_t>(std::clamp(uzoraka, 1.0, static_cast<double>(n + 1)));
    }

    OcistiTabelu();
    PrikaziStranu(stranaTabele);
    brojIntervala = static_cast<int>(n);
    simuliranihTacaka = static_cast<int>(simulirano);
    if (kraj.Quit)
        opisKraja->setText(
            !kraj.Opis.isEmpty()
                ? kraj.Opis
                : QString::fromUtf8(skem::TSimulacija::PorukaQuit) + QStringLiteral(" t = ") +
                      QString::fromStdString(skem::VremeNaKoraku(kraj.Vreme, kraj.Korak)));
    trajanje = novoTrajanje;
    intervalStampe = noviIntervalStampe;
    blokovi = noviBlokovi;
    rezultati = std::move(noviRezultati);
    rezultati.SkratiNa(static_cast<size_t>(n) + 1);

    std::vector<size_t> kolone;
    QHeaderView* nazivi = tabela->verticalHeader();
    int sirina = PodrazumevanaSirina;
    for (size_t i = 0; i < blokovi.size(); ++i) {
        if (!skem::ImaRedURezultatima(blokovi[i].Sifra)) continue;
        const QString oznaka = QString::fromStdString(skem::OznakaBloka(blokovi[i]));
        auto* c = new QCheckBox(oznaka, nazivi->viewport());
        Savet(c, oznaka);
        c->setObjectName(QStringLiteral("Oznaka%1").arg(oznake.size() + 1));
        c->setFocusPolicy(Qt::NoFocus);
        c->setChecked(false);
        c->show();
        oznake.push_back(c);
        kljuceviOznaka << KljucReda(blokovi[i]);
        sirina = std::max(sirina, c->sizeHint().width() + 8);
        kolone.push_back(i);
    }
    nazivi->setFixedWidth(sirina);
    // Set while the grid has no columns: setting it on millions of them would
    // resize each in turn.
    tabela->horizontalHeader()->setDefaultSectionSize(SirinaKolonaVrednosti(kolone));
    model->Postavi(&rezultati, std::move(kolone), brojIntervala + 1, simuliranihTacaka,
                   intervalStampe);
    tabela->scrollToTop();
    PostaviOznake();
}

int TPrikazRezultata::SirinaKolonaVrednosti(const std::vector<size_t>& kolone) {
    // Every time and value is written by the same formatter, so the widest
    // text is found from the make-up of each number, without writing or
    // measuring the texts one by one.
    const TZnakovi znakovi(tabela->font());
    // The printed times: the widest of each decade from P's digits, the rest
    // (times of more digits than that reading takes) one by one.
    const skem::TObliciVremena oblikVremena(intervalStampe);
    TNajsiriTekst najsiri(znakovi);
    for (const skem::TOblikBroja& o : oblikVremena.Najsiri(brojIntervala))
        najsiri.Uzmi(o);
    for (std::int64_t k = oblikVremena.Kraj(brojIntervala); k <= brojIntervala; ++k)
        najsiri.Uzmi(static_cast<double>(k) * intervalStampe);
    // The same pass finds each row's extremes over the times the chart draws
    // (those simulated), so a chart needs no pass of its own for its axes.
    // (std::min and std::max keep the first argument against a NaN.)
    constexpr double Beskonacno = std::numeric_limits<double>::infinity();
    std::vector<double> najmanje(kolone.size(), Beskonacno), najvece(kolone.size(), -Beskonacno);
    for (size_t k = 0; k < rezultati.Redova(); ++k) {
        const double* red = rezultati.Red(k);
        const bool crta = static_cast<std::int64_t>(k) < simuliranihTacaka;
        for (size_t j = 0; j < kolone.size(); ++j) {
            const double v = red[kolone[j]];
            najsiri.Uzmi(v);
            if (crta) {
                najmanje[j] = std::min(najmanje[j], v);
                najvece[j] = std::max(najvece[j], v);
            }
        }
    }
    const double nema = std::numeric_limits<double>::quiet_NaN();
    opsegKolone.assign(rezultati.Kolona(), {nema, nema});
    for (size_t j = 0; j < kolone.size(); ++j)
        if (najmanje[j] <= najvece[j]) opsegKolone[kolone[j]] = {najmanje[j], najvece[j]};
    const QString uzorak = znakovi.Uzorak(najsiri.Oblik());

    // A cell: the text between the item's margins on both sides, and the grid line.
    const int margina =
        tabela->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tabela) + 1;
    const int celija =
        static_cast<int>(std::ceil(QFontMetricsF(tabela->font()).horizontalAdvance(uzorak))) +
        2 * margina + 1;
    // A time in the header row, measured as the header measures its sections.
    const QHeaderView* vremena = tabela->horizontalHeader();
    QStyleOptionHeader opcije;
    opcije.initFrom(vremena);
    QFont font = vremena->font();
    font.setBold(true);
    opcije.fontMetrics = QFontMetrics(font);
    opcije.text = uzorak;
    opcije.orientation = Qt::Horizontal;
    const int zaglavlje =
        vremena->style()
            ->sizeFromContents(QStyle::CT_HeaderSection, &opcije, QSize(), vremena)
            .width();
    return std::max({PodrazumevanaSirina, celija, zaglavlje});
}

void TPrikazRezultata::PostaviOznake() {
    const QHeaderView* nazivi = tabela->verticalHeader();
    for (size_t r = 0; r < oznake.size(); ++r) {
        const int red = static_cast<int>(r);
        oznake[r]->setGeometry(1, nazivi->sectionViewportPosition(red) + 1, nazivi->width() - 1,
                               nazivi->sectionSize(red) - 1);
        oznake[r]->raise();
    }
    // The strip straddles the column's right edge, from the row of times down.
    const QRect kolona = nazivi->geometry();
    const int vrh = tabela->horizontalHeader()->geometry().top();
    rucicaNaziva->setGeometry(kolona.right() - 2, vrh, 6, kolona.bottom() - vrh + 1);
    rucicaNaziva->raise();
}

int TPrikazRezultata::BrojRedova() const {
    return model->rowCount() + 1;
}
int TPrikazRezultata::BrojKolona() const {
    return model->columnCount() + 1;
}

QString TPrikazRezultata::Celija(int kolona, int red) const {
    if (red < 0 || red >= BrojRedova() || kolona < 0 || kolona >= BrojKolona()) return {};
    if (red == 0) return kolona == 0 ? QString() : model->Vreme(kolona - 1);
    if (kolona == 0) return oznake[static_cast<size_t>(red - 1)]->text();
    return model->Vrednost(red - 1, kolona - 1);
}

void TPrikazRezultata::PrikaziStranu(QWidget* strana) {
    if (OnPrikaziStranu) return OnPrikaziStranu(strana);
    if (auto* kontrola = qobject_cast<QStackedWidget*>(strana->parentWidget()))
        kontrola->setCurrentWidget(strana);
}

bool TPrikazRezultata::eventFilter(QObject* objekat, QEvent* dogadjaj) {
    // Only the grid's own parts are looked at, by the pointers taken when they
    // were made: a part being destroyed is never asked for its parents.
    const auto deo = std::find(prozoriTabele.begin(), prozoriTabele.end(), objekat);
    if (deo == prozoriTabele.end()) return QObject::eventFilter(objekat, dogadjaj);
    const std::size_t koji = static_cast<std::size_t>(deo - prozoriTabele.begin());
    switch (dogadjaj->type()) {
    case QEvent::Resize:
        if (koji == 3) PostaviOznake(); // the caption column
        break;
    case QEvent::MouseButtonDblClick:
        if (koji != 0) PrikaziGrafik();
        break;
    case QEvent::KeyPress:
        // Only a press the focused grid took itself: the release of an Enter
        // that closed a dialog, or a message's own Enter, builds nothing.
        if (koji == 0 && tabela->hasFocus()) {
            const auto* taster = static_cast<QKeyEvent*>(dogadjaj);
            if ((taster->key() == Qt::Key_Return || taster->key() == Qt::Key_Enter) &&
                !taster->isAutoRepeat()) {
                PrikaziGrafik();
                return true;
            }
        }
        break;
    case QEvent::StatusTip:
        // The row header keeps the hints of what lies on it to itself: the
        // check boxes' hints go on to the window past it.
        if (koji == 3) {
            QCoreApplication::sendEvent(stranaTabele, dogadjaj);
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(objekat, dogadjaj);
}

void TPrikazRezultata::BackOnModelClick() {
    if (OnNazadNaModel) OnNazadNaModel();
}

void TPrikazRezultata::BackOnTableClick() {
    PrikaziStranu(stranaTabele);
}

void TPrikazRezultata::GoToChartClick() {
    PrikaziGrafik();
}

bool TPrikazRezultata::IzveziCsv(const QString& putanja) {
    // Ten million rows are hundreds of megabytes of text: written as made.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool uspeh = SacuvajCeo(putanja, [this](QIODevice& d) {
        const auto pisi = [&d](std::string_view deo) {
            return d.write(deo.data(), static_cast<qint64>(deo.size())) ==
                   static_cast<qint64>(deo.size());
        };
        return pisi(skem::ZaglavljeCsv(blokovi)) &&
               skem::PisiRedoveCsv(
                   blokovi, rezultati, trajanje, intervalStampe, {}, pisi,
                   static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    });
    QApplication::restoreOverrideCursor();
    return uspeh;
}

void TPrikazRezultata::IzvozCsvClick() {
    const QString ime =
        Dijalozi().SacuvajKao(stranaTabele, TVrstaFajla::Tabela, QStringLiteral("Izvoz rezultata"),
                              QStringLiteral("Rezultati.csv"), QStringLiteral("CSV fajl (*.csv)"));
    if (!ime.isEmpty()) IzveziCsv(ImeSaNastavkom(ime, QStringLiteral("csv")));
}
