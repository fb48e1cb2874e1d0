// The chart page: the ticked rows as curves against the time (or, a phase
// plot, against one of them), thinned to what the view shows, on axes with
// round ticks; the depth view beside it; the picture exports.
#include "Rezultati.h"

#include "Dijalozi.h"
#include "Grafik3D.h"
#include "IzgledGrafika.h"
#include "ModelTabele.h"
#include "ProredjivanjeGrafika.h"
#include "RezultatiDelovi.h"

#include <QBoxLayout>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGraphicsEllipseItem>
#include <QGraphicsLayout>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolButton>
#include <cmath>

using namespace DeloviRezultata;

namespace {

// Ticks at the round numbers inside the axis's range, the whole chart's or a
// zoomed part's.
void PostaviPodeoke(QCategoryAxis* osa, double min, double max) {
    const TPodelaOse podela = PodelaOse(min, max);
    for (const QString& oznaka : osa->categoriesLabels())
        osa->remove(oznaka);
    // Each tick from its own multiple of the step: adding the step up would
    // carry rounding errors into the labels ("-0.0").
    const double prvi = std::ceil(min / podela.Korak - 1e-9);
    const double poslednji = std::floor(max / podela.Korak + 1e-9);
    osa->setStartValue(std::min(min, prvi * podela.Korak));
    for (double k = prvi; k <= poslednji; ++k)
        osa->append(OznakaPodeoka(k * podela.Korak, podela.Korak), k * podela.Korak);
}

// The flat chart: zooms with a rubber band; a right click undoes the zoom.
// The pointer's moves over it are handed on, for the read-out of a point.
class TPogledGrafika : public QChartView {
public:
    TPogledGrafika(QChart* grafik, QWidget* roditelj) : QChartView(grafik, roditelj) {
        setMouseTracking(true);
        viewport()->setMouseTracking(true);
    }
    std::function<void(QPoint)> OnPomeranje;
    std::function<void()> OnIzlazak;
    std::function<void()> OnPrikazan;

protected:
    void showEvent(QShowEvent* e) override {
        QChartView::showEvent(e);
        if (OnPrikazan) OnPrikazan();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        QChartView::mouseMoveEvent(e);
        if (OnPomeranje) OnPomeranje(e->position().toPoint());
    }
    void leaveEvent(QEvent* e) override {
        QChartView::leaveEvent(e);
        if (OnIzlazak) OnIzlazak();
    }
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

} // namespace

void TPrikazRezultata::NapraviGrafikTab() {
    const auto [strana, raspored, panel] =
        NovaStrana(QStringLiteral("GrafikTab"), QStringLiteral("Grafik"));
    stranaGrafika = strana;
    backOnTable = Dugme(QStringLiteral("Nazad"), TIkonica::Nazad, strana);
    backOnTable->setObjectName(QStringLiteral("BackOnTable"));
    ponistiZum = Dugme(QStringLiteral("Ponisti zumiranje"), TIkonica::Nazad, strana);
    ponistiZum->setObjectName(QStringLiteral("PonistiZum"));
    Savet(ponistiZum,
          QStringLiteral("Vraca ceo grafik (zumira se prevlacenjem misa, desni klik ponistava)"));
    izvozPng = Dugme(QStringLiteral("Sacuvaj PNG"), TIkonica::Izvoz, strana);
    izvozPng->setObjectName(QStringLiteral("IzvozPng"));
    Savet(izvozPng, QStringLiteral("Cuva grafik kao PNG sliku"));
    izvozSvg = Dugme(QStringLiteral("Sacuvaj SVG"), TIkonica::Izvoz, strana);
    izvozSvg->setObjectName(QStringLiteral("IzvozSvg"));
    Savet(izvozSvg, QStringLiteral("Cuva grafik kao SVG sliku"));
    chartView = Dugme(QStringLiteral("3D View"), TIkonica::Pogled3D, strana);
    chartView->setObjectName(QStringLiteral("ChartView"));
    auto* nazivOseX = new QLabel(QStringLiteral("Horizontalna osa:"), strana);
    izborOseX = new QComboBox(strana);
    izborOseX->setObjectName(QStringLiteral("IzborOseX"));
    izborOseX->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    izborOseX->setFocusPolicy(Qt::TabFocus);
    nazivOseX->setBuddy(izborOseX);
    Savet(izborOseX, QStringLiteral("Vreme, ili jedan od oznacenih izlaza za fazni dijagram"));
    panel->addWidget(backOnTable);
    panel->addSpacing(12);
    panel->addWidget(nazivOseX);
    panel->addWidget(izborOseX);
    panel->addStretch(1);
    // Measured data: a narrow button with its two commands, so the panel
    // still fits the window's smallest width.
    auto* merenjaDugme = new QToolButton(strana);
    merenjaDugme->setObjectName(QStringLiteral("Merenja"));
    merenjaDugme->setIcon(Ikonica(TIkonica::Otvori));
    merenjaDugme->setFixedHeight(24);
    merenjaDugme->setPopupMode(QToolButton::InstantPopup);
    Savet(merenjaDugme, QStringLiteral("Merenja: izmerene vrednosti iz CSV fajla preko krivih"));
    auto* meniMerenja = new QMenu(merenjaDugme);
    uveziMerenja =
        meniMerenja->addAction(Ikonica(TIkonica::Otvori), QStringLiteral("Uvezi merenja..."));
    uveziMerenja->setObjectName(QStringLiteral("UveziMerenja"));
    ukloniMerenja =
        meniMerenja->addAction(Ikonica(TIkonica::Obrisi), QStringLiteral("Ukloni merenja"));
    ukloniMerenja->setObjectName(QStringLiteral("UkloniMerenja"));
    ukloniMerenja->setEnabled(false);
    merenjaDugme->setMenu(meniMerenja);
    panel->addWidget(merenjaDugme);
    panel->addWidget(ponistiZum);
    panel->addWidget(izvozPng);
    panel->addWidget(izvozSvg);
    panel->addWidget(chartView);

    grafik = new QChart;
    grafik->setTitle(QString());
    IzgledGrafika::UrediGrafik(grafik, QMargins(8, 16, 22, 8));
    // The curves move on a zoom; the axes take their new ticks at once (the
    // charts' axis animation fails when an axis's labels change under it).
    grafik->setAnimationOptions(QChart::SeriesAnimations);
    grafik->setAnimationDuration(250);

    grafik->legend()->setShowToolTips(true);

    // The ticks and their labels are ours (PostaviPodeoke): at round
    // numbers, with the decimals the step needs, also when zoomed.
    osaX = new QCategoryAxis;
    osaY = new QCategoryAxis;
    for (QCategoryAxis* osa : {osaX, osaY}) {
        osa->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        osa->setTruncateLabels(false); // the axis makes room for its labels instead
        osa->setMinorGridLineVisible(false);
        IzgledGrafika::UrediOsu(osa);
        // A zoom asks for the points of the new range: a closer view gets more.
        // A phase plot's pixels depend on both ranges, which a zoom sets one
        // after the other: it waits for both.
        connect(osa, &QValueAxis::rangeChanged, this, [this, osa](qreal min, qreal max) {
            PostaviPodeoke(osa, min, max);
            SakrijTacku();
            if (crtanjeUToku) return; // the chart being built thins its curves itself
            if (!JeFazni()) {
                if (osa == osaX) OsveziKrive();
            } else {
                opsegNaCekanju = true;
                OsveziKasnije();
            }
        });
    }
    osaY->setGridLineColor(IzgledGrafika::BojaMrezeLevo);
    grafik->addAxis(osaX, Qt::AlignBottom);
    grafik->addAxis(osaY, Qt::AlignLeft);

    pogledi = new QStackedWidget(strana);
    auto* pogled = new TPogledGrafika(grafik, pogledi);
    pogled->OnPomeranje = [this](QPoint p) { PokaziTacku(p); };
    pogled->OnIzlazak = [this] { SakrijTacku(); };
    pogled->OnPrikazan = [this] {
        if (grafik->plotArea().size().toSize() != velicinaPogleda) OsveziKrive();
    };
    grafik2D = pogled;
    grafik2D->setObjectName(QStringLiteral("Grafik2D"));
    grafik2D->setRenderHint(QPainter::Antialiasing);
    grafik2D->setRubberBand(QChartView::RectangleRubberBand);
    grafik2D->setFrameShape(QFrame::NoFrame);
    grafik3D = new TGrafik3D(pogledi);
    grafik3D->setObjectName(QStringLiteral("Grafik3D"));
    pogledi->addWidget(grafik2D);
    pogledi->addWidget(grafik3D);
    raspored->addWidget(pogledi, 1);
    odlozenoOsvezavanje = new QTimer(this);
    odlozenoOsvezavanje->setSingleShot(true);
    odlozenoOsvezavanje->setInterval(40);
    connect(odlozenoOsvezavanje, &QTimer::timeout, this, [this] {
        // The plot may have come back to the size the curves were made for.
        if (opsegNaCekanju || grafik->plotArea().size().toSize() != velicinaPogleda) OsveziKrive();
        opsegNaCekanju = false;
    });
    // A wider or taller plot needs the points for its new size; a hidden one
    // (the window resized on another page) gets them when shown.
    connect(grafik, &QChart::plotAreaChanged, this, [this](const QRectF& oblast) {
        if (oblast.size().toSize() != velicinaPogleda && grafik2D->isVisible()) OsveziKasnije();
    });
    oznakaTacke = new QGraphicsEllipseItem(-4, -4, 8, 8, grafik);
    oznakaTacke->setPen(QPen(Qt::black, 1));
    oznakaTacke->setBrush(Qt::white);
    oznakaTacke->setZValue(1000); // above the curves
    oznakaTacke->hide();

    connect(backOnTable, &QPushButton::clicked, this, [this] { BackOnTableClick(); });
    connect(chartView, &QPushButton::clicked, this, [this] { ChartViewClick(); });
    connect(izborOseX, &QComboBox::activated, this, [this](int i) { IzborOseXClick(i); });
    connect(ponistiZum, &QPushButton::clicked, this, [this] { grafik->zoomReset(); });
    connect(izvozPng, &QPushButton::clicked, this,
            [this] { IzvozSlikeClick(QStringLiteral("png")); });
    connect(izvozSvg, &QPushButton::clicked, this,
            [this] { IzvozSlikeClick(QStringLiteral("svg")); });
    connect(uveziMerenja, &QAction::triggered, this,
            [this] { IzvrsiIPrijavi([this] { UveziMerenjaClick(); }); });
    connect(ukloniMerenja, &QAction::triggered, this,
            [this] { IzvrsiIPrijavi([this] { UkloniMerenjaClick(); }); });
}

void TPrikazRezultata::PrikaziGrafik() {
    std::vector<int> redovi;
    for (size_t r = 0; r < oznake.size(); ++r)
        if (oznake[r]->isChecked()) redovi.push_back(static_cast<int>(r));
    PonudiOseX(redovi);
    if (redovi.empty()) {
        NacrtajKrive(redovi); // an empty chart
        Dijalozi().Poruka(QStringLiteral("Niste oznacili zeljene izlaze!"));
        return;
    }
    ProcitajMerenja();
    // Shown first, so the curves are thinned once, for the plot's real size.
    PrikaziStranu(stranaGrafika);
    NacrtajKrive(redovi);
}

void TPrikazRezultata::NacrtajKrive(const std::vector<int>& redovi) {
    SakrijTacku();
    // Series attached to the axes move their ranges: nothing is thinned
    // until the chart is whole.
    crtanjeUToku = true;
    for (QAbstractSeries* s : grafik->series()) {
        grafik->removeSeries(s);
        delete s;
    }
    krive.clear();
    redoviGrafika = redovi;
    QStringList naslovi;
    for (int r : redovi) {
        if (r == redOseX) continue;
        auto* serija = new QLineSeries;
        serija->setName(oznake[static_cast<size_t>(r)]->text());
        grafik->addSeries(serija);
        QPen olovka = serija->pen();
        olovka.setColor(IzgledGrafika::BojaSerije(static_cast<int>(krive.size())));
        olovka.setWidthF(2);
        serija->setPen(olovka);
        serija->attachAxis(osaX);
        serija->attachAxis(osaY);
        krive.push_back({model->KolonaReda(r), serija, {}});
        naslovi << serija->name();
    }
    if (krive.empty()) {
        crtanjeUToku = false;
        return;
    }
    NacrtajMerenja();
    // Axis titles: the time or the row across, the row or rows up (a few
    // captions fit beside the axis; more are named by the legend).
    osaX->setTitleText(JeFazni() ? oznake[static_cast<size_t>(redOseX)]->text()
                                 : QStringLiteral("t"));
    osaY->setTitleText(naslovi.size() <= 3 ? naslovi.join(QStringLiteral(", "))
                                           : QStringLiteral("Izlazi"));

    grafik->zoomReset();
    const auto [x, y] = PodesiOse();
    // Titles and tick labels take room from the plot: laid out now, the
    // curves are thinned for the plot nearly as it will be drawn.
    grafik->layout()->activate();
    crtanjeUToku = false;
    ProrediKrive();

    // The depth view shows the whole range too, with the same points (it
    // thins time series further to its own width as it paints).
    QList<TSerija3D> zaDubinu;
    for (const TKriva& k : krive)
        zaDubinu.append({k.Serija->name(), k.Serija->color(), k.Serija->points()});
    grafik3D->PostaviPodatke(std::move(zaDubinu), {x.Min, x.Max, x.BrojPodeoka()},
                             {y.Min, y.Max, y.BrojPodeoka()});
}

TNizVrednosti TPrikazRezultata::Niz(std::size_t kolona) const {
    // Every printed time the run got to, the last one too.
    if (rezultati.empty()) return {};
    return {rezultati.Red(0) + kolona, rezultati.Kolona(),
            static_cast<std::size_t>(simuliranihTacaka)};
}

QList<QPointF> TPrikazRezultata::Tacke(const TKriva& kriva,
                                       const std::vector<std::size_t>& indeksi) const {
    const TNizVrednosti y = Niz(kriva.Kolona);
    const TNizVrednosti x = JeFazni() ? Niz(model->KolonaReda(redOseX)) : TNizVrednosti{};
    QList<QPointF> tacke;
    tacke.reserve(static_cast<qsizetype>(indeksi.size()));
    for (std::size_t k : indeksi)
        tacke.append(QPointF(JeFazni() ? KaoUTabeli(x[k]) : static_cast<double>(k) * intervalStampe,
                             KaoUTabeli(y[k])));
    return tacke;
}

void TPrikazRezultata::OsveziKrive() {
    if (!crtanjeUToku) ProrediKrive();
}

void TPrikazRezultata::OsveziKasnije() {
    odlozenoOsvezavanje->start(); // restarted: a burst of changes costs one pass
}

void TPrikazRezultata::ProrediKrive() {
    if (krive.empty()) return;
    const QRectF oblast = grafik->plotArea();
    velicinaPogleda = oblast.size().toSize();
    // A chart not laid out yet draws at a common screen's size until it is.
    const bool izlozen = oblast.width() >= 2 && oblast.height() >= 2;
    const TPogledKrive pogled{osaX->min(),
                              osaX->max(),
                              osaY->min(),
                              osaY->max(),
                              izlozen ? static_cast<int>(std::ceil(oblast.width())) : 1000,
                              izlozen ? static_cast<int>(std::ceil(oblast.height())) : 600};
    std::vector<TNizVrednosti> nizovi;
    for (const TKriva& k : krive)
        nizovi.push_back(Niz(k.Kolona));
    std::vector<std::vector<std::size_t>> tacke =
        JeFazni() ? ProrediFazneKrive(Niz(model->KolonaReda(redOseX)), nizovi, pogled)
                  : ProrediVremenskeSerije(nizovi, intervalStampe, pogled);
    for (size_t i = 0; i < krive.size(); ++i)
        krive[i].Tacke = std::move(tacke[i]);
    for (TKriva& k : krive)
        k.Serija->replace(Tacke(k, k.Tacke));
}

std::pair<double, double> TPrikazRezultata::Opseg(const std::vector<std::size_t>& kolone) const {
    double min = 0, max = 0;
    bool ima = false;
    for (std::size_t i : kolone) {
        const auto [dole, gore] = opsegKolone[i];
        if (dole != dole) continue; // no number in the column
        min = ima ? std::min(min, dole) : dole;
        max = ima ? std::max(max, gore) : gore;
        ima = true;
    }
    // Rounding to the table's digits keeps the order, so these are its extremes too.
    return {KaoUTabeli(min), KaoUTabeli(max)};
}

std::pair<TPodelaOse, TPodelaOse> TPrikazRezultata::PodesiOse() {
    std::pair<double, double> x{0, 1}, y{0, 1};
    if (simuliranihTacaka > 0) {
        // The time axis ends at the last time simulated.
        x = JeFazni() ? Opseg({model->KolonaReda(redOseX)})
                      : std::pair{0.0, (simuliranihTacaka - 1) * intervalStampe};
        std::vector<std::size_t> kolone;
        for (const TKriva& k : krive)
            kolone.push_back(k.Kolona);
        y = Opseg(kolone);
    }
    // The time chart shows the measurements whole too.
    if (const auto m = JeFazni() ? std::nullopt : OpsegMerenja()) {
        x = {std::min(x.first, m->first.x()), std::max(x.second, m->second.x())};
        y = {std::min(y.first, m->first.y()), std::max(y.second, m->second.y())};
    }
    // The times from the first to the last; values with room around them,
    // so no curve runs along the frame.
    const TPodelaOse px = PodelaOse(x.first, x.second, JeFazni() ? 0.05 : 0);
    const TPodelaOse py = PodelaOse(y.first, y.second, 0.05);
    osaX->setRange(px.Min, px.Max);
    osaY->setRange(py.Min, py.Max);
    // An unchanged range reports no change: the ticks are set here as well.
    PostaviPodeoke(osaX, px.Min, px.Max);
    PostaviPodeoke(osaY, py.Min, py.Max);
    return {px, py};
}

void TPrikazRezultata::ChartViewClick() {
    jePogled3D = !jePogled3D;
    pogledi->setCurrentWidget(jePogled3D ? static_cast<QWidget*>(grafik3D) : grafik2D);
    chartView->setText(jePogled3D ? QStringLiteral("2D View") : QStringLiteral("3D View"));
    ponistiZum->setEnabled(!jePogled3D); // the depth view does not zoom
}

bool TPrikazRezultata::SacuvajGrafik(const QString& putanja) {
    SakrijTacku(); // the picture is the chart's, not the pointer's
    QWidget* pogled = pogledi->currentWidget();
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

void TPrikazRezultata::IzvozSlikeClick(const QString& format) {
    const QString ime =
        Dijalozi().SacuvajKao(stranaGrafika, TVrstaFajla::Slika, QStringLiteral("Cuvanje grafika"),
                              QStringLiteral("Grafik.") + format,
                              format == QLatin1String("svg") ? QStringLiteral("SVG slika (*.svg)")
                                                             : QStringLiteral("PNG slika (*.png)"));
    if (!ime.isEmpty()) SacuvajGrafik(ImeSaNastavkom(ime, format));
}
