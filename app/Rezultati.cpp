#include "Rezultati.h"

#include "Dijalozi.h"
#include "Grafik3D.h"
#include "IzgledGrafika.h"
#include "Slike.h"
#include "Tekst.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QStackedWidget>
#include <QSvgGenerator>
#include <QTableView>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <stdexcept>

// The table's values as texts, exactly as shown: the chart reads them back.
// The texts are made when a cell is asked for, not kept: a run of millions
// of printed times would otherwise hold a string per cell.
class TModelTabele : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // brojTacaka times k*P, k = 0..brojTacaka - 1; table row r shows column
    // kolone[r] of the matrix, which must outlive the model's use of it.
    void Postavi(const std::vector<std::vector<double>>* matrica, std::vector<size_t> kolone,
                 int brojTacaka, double intervalStampe) {
        beginResetModel();
        Matrica = matrica;
        Kolone = std::move(kolone);
        BrojTacaka = brojTacaka;
        IntervalStampe = intervalStampe;
        endResetModel();
    }
    void Isprazni() { Postavi(nullptr, {}, 0, 1); }

    QString Vreme(int k) const { return RealanUTekst(k * IntervalStampe); }
    QString Vrednost(int red, int k) const {
        return RealanUTekst((*Matrica)[static_cast<size_t>(k)][Kolone[static_cast<size_t>(red)]]);
    }

    int rowCount(const QModelIndex& roditelj = {}) const override {
        return roditelj.isValid() ? 0 : static_cast<int>(Kolone.size());
    }
    int columnCount(const QModelIndex& roditelj = {}) const override {
        return roditelj.isValid() ? 0 : BrojTacaka;
    }
    QVariant data(const QModelIndex& i, int uloga) const override {
        if (!i.isValid()) return {};
        if (uloga == Qt::DisplayRole) return Vrednost(i.row(), i.column());
        if (uloga == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int odeljak, Qt::Orientation smer, int uloga) const override {
        if (uloga == Qt::DisplayRole && smer == Qt::Horizontal && odeljak >= 0 &&
            odeljak < BrojTacaka)
            return Vreme(odeljak);
        if (uloga == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex&) const override {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

private:
    const std::vector<std::vector<double>>* Matrica = nullptr;
    std::vector<size_t> Kolone; // the matrix column of each table row
    int BrojTacaka = 0;
    double IntervalStampe = 1;
};

namespace {

// The flat chart: zooms with a rubber band; a right click undoes the zoom.
class TPogledGrafika : public QChartView {
public:
    using QChartView::QChartView;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) return e->accept();
        QChartView::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) {
            chart()->zoomReset();
            return e->accept();
        }
        QChartView::mouseReleaseEvent(e);
    }
};

const QColor Kestenjasta(128, 0, 0);

QPushButton* Dugme(const QString& tekst, TIkonica ikonica, QWidget* roditelj) {
    auto* d = new QPushButton(Ikonica(ikonica), tekst, roditelj);
    d->setFixedHeight(24);
    d->setFocusPolicy(Qt::TabFocus);
    return d;
}

// A page's 28-pixel top panel.
QHBoxLayout* GornjiPanel(QWidget* strana, QVBoxLayout* raspored) {
    auto* panel = new QWidget(strana);
    panel->setFixedHeight(28);
    auto* red = new QHBoxLayout(panel);
    red->setContentsMargins(2, 2, 2, 2);
    red->setSpacing(4);
    raspored->addWidget(panel);
    return red;
}

QString ImeSaNastavkom(QString ime, const QString& nastavak) {
    if (QFileInfo(ime).suffix().isEmpty()) ime += QLatin1Char('.') + nastavak;
    return ime;
}

// Writes through a temporary file beside the target, renamed over it only
// when everything was written; reports a failure in the error box.
bool SacuvajCeo(const QString& putanja, const std::function<bool(QIODevice&)>& pisi) {
    QSaveFile fajl(putanja);
    QString razlog;
    if (!fajl.open(QIODevice::WriteOnly))
        razlog = fajl.errorString();
    else if (!pisi(fajl)) {
        razlog = fajl.errorString();
        fajl.cancelWriting();
    } else if (!fajl.commit())
        razlog = fajl.errorString();
    if (razlog.isNull()) return true;
    Dijalozi().Greska(QStringLiteral("Fajl \"%1\" nije sacuvan.\nRazlog: %2")
                          .arg(QDir::toNativeSeparators(putanja), razlog));
    return false;
}

} // namespace

TPrikazRezultata::TPrikazRezultata(QObject* roditelj) : QObject(roditelj) {
    NapraviTabelaTab();
    NapraviGrafikTab();
    StranaTabele = TabelaTab;
    StranaGrafika = GrafikTab;
}

TPrikazRezultata::~TPrikazRezultata() {
    // Pages a page control took are its to free.
    if (StranaTabele && !StranaTabele->parent()) delete StranaTabele.data();
    if (StranaGrafika && !StranaGrafika->parent()) delete StranaGrafika.data();
}

void TPrikazRezultata::NapraviTabelaTab() {
    TabelaTab = new QWidget;
    TabelaTab->setObjectName(QStringLiteral("TabelaTab"));
    TabelaTab->setWindowTitle(QStringLiteral("Prikaz Simulacije"));
    auto* raspored = new QVBoxLayout(TabelaTab);
    raspored->setContentsMargins(0, 0, 0, 0);
    raspored->setSpacing(0);

    QHBoxLayout* panel = GornjiPanel(TabelaTab, raspored);
    BackOnModel = Dugme(QStringLiteral("Nazad"), TIkonica::Nazad, TabelaTab);
    BackOnModel->setObjectName(QStringLiteral("BackOnModel"));
    Uputstvo = new QLabel(
        QStringLiteral(
            "Za prikaz grafika oznacite kucicu pored naziva bloka i kliknite taster Grafik"),
        TabelaTab);
    Uputstvo->setAlignment(Qt::AlignCenter);
    QFont podebljan = Uputstvo->font();
    podebljan.setBold(true);
    Uputstvo->setFont(podebljan);
    Uputstvo->setStyleSheet(QStringLiteral("color: #800000;"));
    IzvozCsv = Dugme(QStringLiteral("Izvezi CSV"), TIkonica::Izvoz, TabelaTab);
    IzvozCsv->setToolTip(QStringLiteral("Cuva tabelu rezultata kao CSV fajl"));
    GoToChart = Dugme(QStringLiteral("Grafik"), TIkonica::Grafik, TabelaTab);
    GoToChart->setObjectName(QStringLiteral("GoToChart"));
    GoToChart->setLayoutDirection(Qt::RightToLeft); // the glyph right of the text
    GoToChart->setToolTip(QStringLiteral("Prikazuje grafik za selektovane redove"));
    panel->addWidget(BackOnModel);
    panel->addWidget(Uputstvo, 1);
    panel->addWidget(IzvozCsv);
    panel->addWidget(GoToChart);

    Tabela = new QTableView(TabelaTab);
    Tabela->setObjectName(QStringLiteral("Tabela"));
    Model = new TModelTabele(Tabela);
    Tabela->setModel(Model);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    font.setBold(true);
    Tabela->setFont(font);
    Tabela->setFocusPolicy(Qt::ClickFocus); // no tab stop
    Tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabela->setSelectionMode(QAbstractItemView::SingleSelection);
    Tabela->setShowGrid(true);
    Tabela->setCornerButtonEnabled(false);
    Tabela->setWordWrap(false);
    // Row 0 of the grid is the horizontal header (it stays while scrolling
    // down), column 0 the vertical header under the check boxes (it stays
    // while scrolling right).
    QHeaderView* vremena = Tabela->horizontalHeader();
    vremena->setMinimumSectionSize(20);
    vremena->setDefaultSectionSize(120);
    vremena->setSectionResizeMode(QHeaderView::Interactive);
    vremena->setHighlightSections(false);
    vremena->setFixedHeight(24);
    QHeaderView* nazivi = Tabela->verticalHeader();
    nazivi->setMinimumSectionSize(24);
    nazivi->setDefaultSectionSize(24);
    nazivi->setSectionResizeMode(QHeaderView::Fixed);
    nazivi->setHighlightSections(false);
    nazivi->setFixedWidth(120);
    Tabela->setStyleSheet(QStringLiteral(
        "QTableView { background-color: palette(button); gridline-color: palette(dark);"
        " selection-background-color: palette(highlight); }"
        "QHeaderView::section { background-color: palette(dark); color: black; border: none;"
        " border-right: 1px solid palette(shadow); border-bottom: 1px solid palette(shadow);"
        " padding-left: 3px; }"
        "QTableCornerButton::section { background-color: palette(dark); border: none;"
        " border-right: 1px solid palette(shadow); border-bottom: 1px solid palette(shadow); }"
        "QCheckBox { background-color: palette(dark); color: #800000; font-weight: bold;"
        " padding-left: 3px; }"));
    raspored->addWidget(Tabela, 1);

    // The check boxes follow the caption column as it scrolls and resizes.
    connect(Tabela->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { PostaviOznake(); });
    connect(nazivi, &QHeaderView::sectionResized, this, [this] { PostaviOznake(); });
    connect(nazivi, &QHeaderView::geometriesChanged, this, [this] { PostaviOznake(); });
    nazivi->viewport()->installEventFilter(this);
    Tabela->viewport()->installEventFilter(this);
    Tabela->installEventFilter(this);
    // A double click anywhere in the grid builds the chart, the fixed row of
    // times and the caption column included.
    vremena->viewport()->installEventFilter(this);
    ProzoriTabele = {Tabela, Tabela->viewport(), vremena->viewport(), nazivi->viewport()};

    connect(BackOnModel, &QPushButton::clicked, this, [this] { BackOnModelClick(); });
    connect(GoToChart, &QPushButton::clicked, this, [this] { GoToChartClick(); });
    connect(IzvozCsv, &QPushButton::clicked, this, [this] { IzvozCsvClick(); });
}

void TPrikazRezultata::NapraviGrafikTab() {
    GrafikTab = new QWidget;
    GrafikTab->setObjectName(QStringLiteral("GrafikTab"));
    GrafikTab->setWindowTitle(QStringLiteral("Grafik"));
    auto* raspored = new QVBoxLayout(GrafikTab);
    raspored->setContentsMargins(0, 0, 0, 0);
    raspored->setSpacing(0);

    QHBoxLayout* panel = GornjiPanel(GrafikTab, raspored);
    BackOnTable = Dugme(QStringLiteral("Nazad"), TIkonica::Nazad, GrafikTab);
    BackOnTable->setObjectName(QStringLiteral("BackOnTable"));
    PonistiZum = Dugme(QStringLiteral("Ponisti zumiranje"), TIkonica::Nazad, GrafikTab);
    PonistiZum->setToolTip(
        QStringLiteral("Vraca ceo grafik (zumira se prevlacenjem misa, desni klik ponistava)"));
    IzvozPng = Dugme(QStringLiteral("Sacuvaj PNG"), TIkonica::Izvoz, GrafikTab);
    IzvozPng->setToolTip(QStringLiteral("Cuva grafik kao PNG sliku"));
    IzvozSvg = Dugme(QStringLiteral("Sacuvaj SVG"), TIkonica::Izvoz, GrafikTab);
    IzvozSvg->setToolTip(QStringLiteral("Cuva grafik kao SVG sliku"));
    ChartView = Dugme(QStringLiteral("3D View"), TIkonica::Pogled3D, GrafikTab);
    ChartView->setObjectName(QStringLiteral("ChartView"));
    panel->addWidget(BackOnTable);
    panel->addStretch(1);
    panel->addWidget(PonistiZum);
    panel->addWidget(IzvozPng);
    panel->addWidget(IzvozSvg);
    panel->addWidget(ChartView);

    Grafik = new QChart;
    Grafik->setTitle(QString());
    Grafik->setBackgroundRoundness(0);
    QLinearGradient pozadina(0, 0, 0, 1);
    pozadina.setCoordinateMode(QGradient::ObjectBoundingMode);
    pozadina.setColorAt(0, IzgledGrafika::PozadinaGore);
    pozadina.setColorAt(1, IzgledGrafika::PozadinaDole);
    Grafik->setBackgroundBrush(pozadina);
    Grafik->setBackgroundPen(Qt::NoPen);
    Grafik->layout()->setContentsMargins(0, 0, 0, 0);
    Grafik->setMargins(QMargins(8, 16, 22, 8));
    Grafik->setAnimationOptions(QChart::SeriesAnimations | QChart::GridAxisAnimations);
    Grafik->setAnimationDuration(250);

    QLegend* legenda = Grafik->legend();
    legenda->setAlignment(Qt::AlignBottom);
    legenda->setBackgroundVisible(true);
    legenda->setBrush(IzgledGrafika::PozadinaLegende);
    legenda->setPen(QPen(IzgledGrafika::OkvirLegende, 1, Qt::DotLine));
    legenda->setLabelColor(IzgledGrafika::TekstLegende);
    legenda->setFont(IzgledGrafika::FontLegende());
    legenda->setShowToolTips(true);

    OsaX = new QValueAxis;
    OsaY = new QValueAxis;
    for (QValueAxis* osa : {OsaX, OsaY}) {
        osa->setLinePenColor(IzgledGrafika::BojaOsa);
        osa->setGridLineColor(IzgledGrafika::BojaOsa);
        osa->setMinorGridLineVisible(false);
        osa->setLabelsFont(IzgledGrafika::FontOsa());
        osa->setLabelsBrush(IzgledGrafika::BojaOznakaOsa);
        osa->setLabelFormat(QStringLiteral("%.10g"));
    }
    OsaY->setGridLineColor(IzgledGrafika::BojaMrezeLevo);
    Grafik->addAxis(OsaX, Qt::AlignBottom);
    Grafik->addAxis(OsaY, Qt::AlignLeft);

    Pogledi = new QStackedWidget(GrafikTab);
    Chart1 = new TPogledGrafika(Grafik, Pogledi);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setRenderHint(QPainter::Antialiasing);
    Chart1->setRubberBand(QChartView::RectangleRubberBand);
    Chart1->setFrameShape(QFrame::NoFrame);
    Grafik3D = new TGrafik3D(Pogledi);
    Pogledi->addWidget(Chart1);
    Pogledi->addWidget(Grafik3D);
    raspored->addWidget(Pogledi, 1);

    connect(BackOnTable, &QPushButton::clicked, this, [this] { BackOnTableClick(); });
    connect(ChartView, &QPushButton::clicked, this, [this] { ChartViewClick(); });
    connect(PonistiZum, &QPushButton::clicked, this, [this] { Grafik->zoomReset(); });
    connect(IzvozPng, &QPushButton::clicked, this,
            [this] { IzvozSlikeClick(QStringLiteral("png")); });
    connect(IzvozSvg, &QPushButton::clicked, this,
            [this] { IzvozSlikeClick(QStringLiteral("svg")); });
}

void TPrikazRezultata::OcistiTabelu() {
    for (QCheckBox* c : Oznake)
        delete c;
    Oznake.clear();
    Model->Isprazni();
    Blokovi.clear();
    Rezultati.clear();
    BrojIntervala = 0;
}

void TPrikazRezultata::PopuniTabelu(const std::vector<skem::TBlokRezultata>& blokovi,
                                    const std::vector<std::vector<double>>& rezultati,
                                    double trajanje, double intervalStampe) {
    // Everything is checked before the table changes.
    const std::int64_t n = skem::BrojIntervalaStampe(trajanje, intervalStampe);
    if (n > NajviseIntervala)
        throw std::invalid_argument("Previse tacaka rezultata za prikaz u tabeli.");
    if (static_cast<std::int64_t>(rezultati.size()) < n + 1)
        throw std::invalid_argument("Matrica rezultata ima manje redova od broja tacaka.");
    for (std::int64_t k = 0; k <= n; ++k)
        if (rezultati[static_cast<size_t>(k)].size() < blokovi.size())
            throw std::invalid_argument("Matrica rezultata ima manje kolona od broja blokova.");

    OcistiTabelu();
    PrikaziStranu(TabelaTab);
    BrojIntervala = static_cast<int>(n);
    Trajanje = trajanje;
    IntervalStampe = intervalStampe;
    Blokovi = blokovi;
    Rezultati.assign(rezultati.begin(), rezultati.begin() + (n + 1));

    std::vector<size_t> kolone;
    QHeaderView* nazivi = Tabela->verticalHeader();
    int sirina = 120;
    for (size_t i = 0; i < blokovi.size(); ++i) {
        if (!skem::ImaRedURezultatima(blokovi[i].Sifra)) continue;
        const QString oznaka = QString::fromStdString(skem::OznakaBloka(blokovi[i]));
        auto* c = new QCheckBox(oznaka, nazivi->viewport());
        c->setToolTip(oznaka);
        c->setObjectName(QStringLiteral("Oznaka%1").arg(Oznake.size() + 1));
        c->setFocusPolicy(Qt::NoFocus);
        c->setChecked(false);
        c->show();
        Oznake.push_back(c);
        sirina = std::max(sirina, c->sizeHint().width() + 8);
        kolone.push_back(i);
    }
    nazivi->setFixedWidth(sirina);
    Model->Postavi(&Rezultati, std::move(kolone), BrojIntervala + 1, intervalStampe);
    Tabela->scrollToTop();
    PostaviOznake();
}

void TPrikazRezultata::PostaviOznake() {
    const QHeaderView* nazivi = Tabela->verticalHeader();
    for (size_t r = 0; r < Oznake.size(); ++r) {
        const int red = static_cast<int>(r);
        Oznake[r]->setGeometry(1, nazivi->sectionViewportPosition(red) + 1, nazivi->width() - 1,
                               nazivi->sectionSize(red) - 1);
        Oznake[r]->raise();
    }
}

int TPrikazRezultata::BrojRedova() const {
    return Model->rowCount() + 1;
}
int TPrikazRezultata::BrojKolona() const {
    return Model->columnCount() + 1;
}

QString TPrikazRezultata::Celija(int kolona, int red) const {
    if (red < 0 || red >= BrojRedova() || kolona < 0 || kolona >= BrojKolona()) return {};
    if (red == 0) return kolona == 0 ? QString() : Model->Vreme(kolona - 1);
    if (kolona == 0) return Oznake[static_cast<size_t>(red - 1)]->text();
    return Model->Vrednost(red - 1, kolona - 1);
}

void TPrikazRezultata::PrikaziGrafik() {
    for (QAbstractSeries* s : Grafik->series()) {
        Grafik->removeSeries(s);
        delete s;
    }
    QList<TSerija3D> zaDubinu;
    for (size_t r = 0; r < Oznake.size(); ++r) {
        if (!Oznake[r]->isChecked()) continue;
        const int red = static_cast<int>(r) + 1;
        // The table's texts, not the matrix: the chart shows what the table
        // shows, and leaves out the last printed time.
        QList<QPointF> tacke;
        tacke.reserve(BrojIntervala);
        for (int k = 0; k < BrojIntervala; ++k)
            tacke.append(QPointF(k * IntervalStampe, TekstURealan(Celija(k + 1, red))));
        auto* serija = new QLineSeries;
        serija->replace(tacke);
        serija->setName(Oznake[r]->text());
        Grafik->addSeries(serija);
        const QColor boja = IzgledGrafika::BojaSerije(static_cast<int>(zaDubinu.size()));
        QPen olovka = serija->pen();
        olovka.setColor(boja);
        olovka.setWidthF(2);
        serija->setPen(olovka);
        serija->attachAxis(OsaX);
        serija->attachAxis(OsaY);
        zaDubinu.append({serija->name(), boja, std::move(tacke)});
    }
    if (zaDubinu.isEmpty()) {
        Dijalozi().Poruka(QStringLiteral("Niste oznacili zeljene izlaze!"));
        return;
    }
    Grafik->zoomReset();
    PodesiOse();
    Grafik3D->PostaviPodatke(std::move(zaDubinu), {OsaX->min(), OsaX->max(), OsaX->tickCount()},
                             {OsaY->min(), OsaY->max(), OsaY->tickCount()});
    PrikaziStranu(GrafikTab);
}

void TPrikazRezultata::PodesiOse() {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    bool ima = false;
    for (QAbstractSeries* s : Grafik->series())
        for (const QPointF& t : static_cast<QLineSeries*>(s)->points()) {
            if (!ima) {
                xMin = xMax = t.x();
                yMin = yMax = t.y();
                ima = true;
            }
            xMin = std::min(xMin, t.x());
            xMax = std::max(xMax, t.x());
            yMin = std::min(yMin, t.y());
            yMax = std::max(yMax, t.y());
        }
    // A single time or a constant output still needs an axis of some length.
    auto siri = [](double& a, double& b) {
        if (b > a) return;
        const double d = a == 0 ? 1 : std::abs(a) * 0.1;
        a -= d;
        b += d;
    };
    if (!ima) xMax = yMax = 1;
    siri(xMin, xMax);
    siri(yMin, yMax);
    OsaX->setTickCount(5);
    OsaY->setTickCount(5);
    OsaX->setRange(xMin, xMax);
    OsaY->setRange(yMin, yMax);
    OsaX->applyNiceNumbers();
    OsaY->applyNiceNumbers();
}

void TPrikazRezultata::PrikaziStranu(QWidget* strana) {
    if (OnPrikaziStranu) return OnPrikaziStranu(strana);
    if (auto* kontrola = qobject_cast<QStackedWidget*>(strana->parentWidget()))
        kontrola->setCurrentWidget(strana);
}

bool TPrikazRezultata::eventFilter(QObject* objekat, QEvent* dogadjaj) {
    // Only the grid's own parts are looked at, by the pointers taken when they
    // were made: a part being destroyed is never asked for its parents.
    const auto deo = std::find(ProzoriTabele.begin(), ProzoriTabele.end(), objekat);
    if (deo == ProzoriTabele.end()) return QObject::eventFilter(objekat, dogadjaj);
    const std::size_t koji = static_cast<std::size_t>(deo - ProzoriTabele.begin());
    switch (dogadjaj->type()) {
    case QEvent::Resize:
        if (koji == 3) PostaviOznake(); // the caption column
        break;
    case QEvent::MouseButtonDblClick:
        if (koji != 0) PrikaziGrafik();
        break;
    case QEvent::KeyRelease:
        if (koji == 0) {
            const auto* taster = static_cast<QKeyEvent*>(dogadjaj);
            if ((taster->key() == Qt::Key_Return || taster->key() == Qt::Key_Enter) &&
                !taster->isAutoRepeat())
                PrikaziGrafik();
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
    PrikaziStranu(TabelaTab);
}

void TPrikazRezultata::GoToChartClick() {
    PrikaziGrafik();
}

void TPrikazRezultata::ChartViewClick() {
    JePogled3D = !JePogled3D;
    Pogledi->setCurrentWidget(JePogled3D ? static_cast<QWidget*>(Grafik3D) : Chart1);
    ChartView->setText(JePogled3D ? QStringLiteral("2D View") : QStringLiteral("3D View"));
    PonistiZum->setEnabled(!JePogled3D); // the depth view does not zoom
}

QString TPrikazRezultata::TekstCsv() const {
    return QString::fromStdString(skem::NapraviCsv(Blokovi, Rezultati, Trajanje, IntervalStampe));
}

bool TPrikazRezultata::IzveziCsv(const QString& putanja) {
    const QByteArray tekst = TekstCsv().toUtf8();
    return SacuvajCeo(putanja, [&](QIODevice& d) { return d.write(tekst) == tekst.size(); });
}

bool TPrikazRezultata::SacuvajGrafik(const QString& putanja) {
    QWidget* pogled = Pogledi->currentWidget();
    if (pogled->width() < 100 || pogled->height() < 100) pogled->resize(900, 600);
    const QSize velicina = pogled->size();
    if (QFileInfo(putanja).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        return SacuvajCeo(putanja, [&](QIODevice& d) {
            QSvgGenerator svg;
            svg.setOutputDevice(&d);
            svg.setSize(velicina);
            svg.setViewBox(QRect(QPoint(0, 0), velicina));
            svg.setTitle(QStringLiteral("Grafik"));
            QPainter p;
            if (!p.begin(&svg)) return false;
            pogled->render(&p);
            return p.end();
        });
    return SacuvajCeo(putanja, [&](QIODevice& d) {
        QImage slika(velicina, QImage::Format_ARGB32_Premultiplied);
        slika.fill(Qt::white);
        QPainter p(&slika);
        pogled->render(&p);
        p.end();
        return slika.save(&d, "PNG");
    });
}

void TPrikazRezultata::IzvozCsvClick() {
    const QString ime =
        Dijalozi().SacuvajKao(TabelaTab, TVrstaFajla::Tabela, QStringLiteral("Izvoz rezultata"),
                              QStringLiteral("Rezultati.csv"), QStringLiteral("CSV fajl (*.csv)"));
    if (!ime.isEmpty()) IzveziCsv(ImeSaNastavkom(ime, QStringLiteral("csv")));
}

void TPrikazRezultata::IzvozSlikeClick(const QString& format) {
    const QString ime =
        Dijalozi().SacuvajKao(GrafikTab, TVrstaFajla::Slika, QStringLiteral("Cuvanje grafika"),
                              QStringLiteral("Grafik.") + format,
                              format == QLatin1String("svg") ? QStringLiteral("SVG slika (*.svg)")
                                                             : QStringLiteral("PNG slika (*.png)"));
    if (!ime.isEmpty()) SacuvajGrafik(ImeSaNastavkom(ime, format));
}
