#include "Rezultati.h"

#include "Brojevi.h"
#include "Dijalozi.h"
#include "Grafik3D.h"
#include "IzgledGrafika.h"
#include "Obrada.h"
#include "Slike.h"
#include "Tekst.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBoxLayout>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsEllipseItem>
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
#include <QShowEvent>
#include <QStackedWidget>
#include <QStyleOptionHeader>
#include <QSvgGenerator>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

namespace {

// 10^k for k = 0..308, each correctly rounded.
const std::array<double, 309>& StepeniDeset() {
    static const std::array<double, 309> tabela = [] {
        std::array<double, 309> t{};
        for (size_t k = 0; k < t.size(); ++k) {
            const std::string tekst = "1e" + std::to_string(k);
            std::from_chars(tekst.data(), tekst.data() + tekst.size(), t[k]);
        }
        return t;
    }();
    return tabela;
}

// The text of m x 10^(eks - 14), m a 15-digit integer, as RealanUTekst writes it.
TOblikBroja Oblik(std::uint64_t m, int eks, bool negativan) {
    // Trailing zeros (at most 14) are no digits of the text: 8, 4, 2, 1 at a time.
    constexpr std::pair<std::uint64_t, int> Delioci[] = {
        {100'000'000, 8}, {10'000, 4}, {100, 2}, {10, 1}};
    int cifre = 15;
    for (const auto& [delilac, nule] : Delioci)
        if (m % delilac == 0) {
            m /= delilac;
            cifre -= nule;
        }
    TOblikBroja o;
    o.Minusi = negativan ? 1 : 0;
    const int e = eks + 1; // the value is 0.ddd x 10^e
    if (e >= -3 && e <= 15) {
        o.Cifre = e <= 0 ? 1 - e + cifre : std::max(e, cifre);
        o.Tacke = e <= 0 || cifre > e ? 1 : 0;
    } else {
        const int izlozilac = std::abs(eks);
        o.Cifre = cifre + (izlozilac >= 100 ? 3 : izlozilac >= 10 ? 2 : 1);
        o.Tacke = cifre > 1 ? 1 : 0;
        o.Eksponenti = 1;
        o.Minusi += eks < 0 ? 1 : 0;
    }
    return o;
}

TOblikBroja Veci(TOblikBroja a, const TOblikBroja& b) {
    a.Cifre = std::max(a.Cifre, b.Cifre);
    a.Minusi = std::max(a.Minusi, b.Minusi);
    a.Tacke = std::max(a.Tacke, b.Tacke);
    a.Eksponenti = std::max(a.Eksponenti, b.Eksponenti);
    a.Slova = std::max(a.Slova, b.Slova);
    return a;
}

} // namespace

TOblikBroja OblikTeksta(std::string_view tekst) {
    TOblikBroja o;
    for (char z : tekst) {
        if (z >= '0' && z <= '9')
            ++o.Cifre;
        else if (z == '-')
            ++o.Minusi;
        else if (z == '.')
            ++o.Tacke;
        else if (z == 'E')
            ++o.Eksponenti;
        else
            ++o.Slova;
    }
    return o;
}

TOblikBroja OblikBroja(double v) {
    if (v == 0) return OblikTeksta("0");
    const double a = std::abs(v);
    // Beyond these the powers below would leave the table; such values
    // (and NAN, INF) are rare enough to be written out.
    if (!(a >= 1e-290 && a <= 1e290)) return OblikTeksta(skem::RealanUTekst(v));
    const auto& deset = StepeniDeset();
    auto naPetnaestCifara = [&](int eks) {
        const int k = 14 - eks;
        return k >= 0 ? a * deset[static_cast<size_t>(k)] : a / deset[static_cast<size_t>(-k)];
    };
    // The decimal exponent of 2^e2 (a is normal here; 78913 / 2^18 is
    // log10(2) close enough for these e2): a's own is that or one more. The
    // lower bound also catches a product rounded just below 10^14.
    const int e2 = static_cast<int>((std::bit_cast<std::uint64_t>(a) >> 52) & 0x7ff) - 1023;
    int eks = (e2 * 78913) >> 18;
    double p = naPetnaestCifara(eks);
    if (p >= 1e15)
        p = naPetnaestCifara(++eks);
    else if (p < 1e14)
        p = naPetnaestCifara(--eks);
    // p is a x 10^(14 - eks) within two roundings, less than 0.25 at this
    // size; the formatter rounds the exact value, so its digits are those of
    // one of the integers within 0.25 of p. Adding 2^52 rounds to an integer.
    constexpr double Dva52 = 4503599627370496.0;
    const double nize = (p - 0.25 + Dva52) - Dva52;
    const double vise = (p + 0.25 + Dva52) - Dva52;
    auto oblik = [&](double m) {
        auto cifre = static_cast<std::uint64_t>(m);
        int e = eks;
        if (cifre >= 1'000'000'000'000'000) { // 999...9.7 is rounded up to 10^15
            cifre /= 10;
            ++e;
        }
        return Oblik(cifre, e, v < 0);
    };
    return nize == vise ? oblik(nize) : Veci(oblik(nize), oblik(vise));
}

TObliciVremena::TObliciVremena(double interval) : p(interval) {
    // P's text as p x 10^e, p an integer without trailing zeros.
    const std::string tekst = skem::RealanUTekst(p);
    if (!(p > 0) || skem::TekstURealan(tekst) != p) return; // P is not its own text
    std::uint64_t cifre = 0;
    int posleTacke = 0, eksponent = 0;
    bool tacka = false;
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        const char z = tekst[i];
        if (z >= '0' && z <= '9') {
            cifre = cifre * 10 + static_cast<std::uint64_t>(z - '0');
            posleTacke += tacka ? 1 : 0;
        } else if (z == '.') {
            tacka = true;
        } else if (z == 'E') {
            eksponent = std::stoi(tekst.substr(i + 1));
            break;
        }
    }
    if (cifre == 0) return;
    int e = eksponent - posleTacke;
    while (cifre % 10 == 0) {
        cifre /= 10;
        ++e;
    }
    mantisa = cifre;
    izlozilac = e;
    cifreP = skem::BrojCifara(cifre);
}

TOblikBroja TObliciVremena::operator()(std::int64_t k) const {
    // k*P, rounded once from k times P (which is its own 15-digit text), is
    // within 2.3e-16 of the exact k x p x 10^e; with at most 14 digits that
    // number lies on the grid of 15-digit texts, more than the error away
    // from every rounding boundary, so it is what the text shows.
    const auto uk = static_cast<std::uint64_t>(k);
    if (k <= 0 || mantisa == 0 || skem::BrojCifara(uk) + cifreP > 14)
        return OblikBroja(static_cast<double>(k) * p);
    const std::uint64_t m = uk * mantisa;
    const int cifre = skem::BrojCifara(m);
    std::uint64_t petnaest = m;
    for (int i = cifre; i < 15; ++i)
        petnaest *= 10;
    return Oblik(petnaest, cifre - 1 + izlozilac, false);
}

std::int64_t TObliciVremena::Kraj(std::int64_t n) const {
    if (mantisa == 0) return 1;
    std::int64_t kraj = 1;
    for (int i = cifreP; i < 14; ++i)
        kraj *= 10; // the first k of 15 - cifreP digits
    return std::min(kraj, n + 1);
}

std::vector<TOblikBroja> TObliciVremena::Najsiri(std::int64_t n) const {
    // Within one decade of k x p the texts differ only in their trailing
    // zeros, so a k whose product has none gives the decade's widest. As p
    // has no trailing zero, one of any ten k in a row gives such a product
    // (an odd k when 5 divides p, one not divisible by 5 when 2 does).
    std::vector<TOblikBroja> oblici;
    const std::int64_t kraj = Kraj(n);
    if (kraj <= 1) return oblici;
    const std::uint64_t m = mantisa;
    const auto poslednji = static_cast<std::uint64_t>(kraj - 1);
    std::uint64_t dekada = 1;
    while (dekada * 10 <= m)
        dekada *= 10;
    for (; dekada <= poslednji * m; dekada *= 10) {
        const std::uint64_t od = std::max<std::uint64_t>(1, (dekada + m - 1) / m);
        const std::uint64_t doo = std::min(poslednji, (dekada * 10 - 1) / m);
        const std::uint64_t doDeset = std::min(doo, od + 9);
        bool nasao = false;
        for (std::uint64_t k = od; k <= doDeset && !nasao; ++k)
            if ((k * m) % 10 != 0) {
                oblici.push_back((*this)(static_cast<std::int64_t>(k)));
                nasao = true;
            }
        // Fewer than ten, all with trailing zeros: every one of them.
        for (std::uint64_t k = od; k <= doDeset && !nasao; ++k)
            oblici.push_back((*this)(static_cast<std::int64_t>(k)));
    }
    return oblici;
}

std::vector<TOblikBroja> ObliciBinade(double v) {
    const auto bitovi = std::bit_cast<std::uint64_t>(v);
    const int polje = static_cast<int>((bitovi >> 52) & 0x7ff);
    if (polje == 0x7ff) return {};
    // The binade [2^e2, 2^(e2 + 1)) spans one or two decades (its top taken
    // in, which only adds one); fifteen digits are the most any of them has.
    // Zero shares its bits' exponent with the numbers below 2^-1022, which
    // spread over more decades, and is narrower than all of them.
    const int e2 = polje == 0 ? -1074 : polje - 1023;
    const int do2 = polje == 0 ? -1022 : e2 + 1;
    // (2^e is a power of ten only for e = 0, and e log10(2) stays clear of
    // the other integers by far more than its rounding error.)
    const double log2 = std::log10(2.0);
    const int od = static_cast<int>(std::floor(e2 * log2));
    const int doo = static_cast<int>(std::floor(do2 * log2));
    constexpr std::uint64_t PetnaestCifara = 123'456'789'012'345;
    std::vector<TOblikBroja> oblici;
    for (int eks = od; eks <= doo; ++eks)
        oblici.push_back(Oblik(PetnaestCifara, eks, v < 0));
    return oblici;
}

// The table's values as texts, exactly as shown: the chart reads them back.
// The texts are made when a cell is asked for, not kept: a run of millions
// of printed times would otherwise hold a string per cell.
// The text of a cell the run did not get to.
const QColor NesimuliranaVrednost(150, 150, 150);

class TModelTabele : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // tacaka times k*P, k = 0..tacaka - 1, of them the first `simulirano`
    // simulated; table row r shows column redovi[r] of the matrix, which
    // must outlive the model's use of it.
    void Postavi(const skem::TMatricaRezultata* izvor, std::vector<size_t> redovi, int tacaka,
                 int simulirano, double p) {
        beginResetModel();
        matrica = izvor;
        kolone = std::move(redovi);
        brojTacaka = tacaka;
        simuliranih = simulirano;
        intervalStampe = p;
        endResetModel();
    }
    void Isprazni() { Postavi(nullptr, {}, 0, 0, 1); }

    QString Vreme(int k) const { return RealanUTekst(k * intervalStampe); }
    std::size_t KolonaReda(int red) const { return kolone[static_cast<size_t>(red)]; }
    QString Vrednost(int red, int k) const {
        return RealanUTekst((*matrica)(static_cast<size_t>(k), kolone[static_cast<size_t>(red)]));
    }

    int rowCount(const QModelIndex& roditelj = {}) const override {
        return roditelj.isValid() ? 0 : static_cast<int>(kolone.size());
    }
    int columnCount(const QModelIndex& roditelj = {}) const override {
        return roditelj.isValid() ? 0 : brojTacaka;
    }
    QVariant data(const QModelIndex& i, int uloga) const override {
        if (!i.isValid()) return {};
        // The whole text as a tip too, for a column the user made narrower.
        if (uloga == Qt::DisplayRole || uloga == Qt::ToolTipRole)
            return Vrednost(i.row(), i.column());
        if (uloga == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        // The zeros of the times a Quit kept the run from: no results.
        if (uloga == Qt::ForegroundRole && i.column() >= simuliranih)
            return QBrush(NesimuliranaVrednost);
        return {};
    }
    QVariant headerData(int odeljak, Qt::Orientation smer, int uloga) const override {
        if ((uloga == Qt::DisplayRole || uloga == Qt::ToolTipRole) && smer == Qt::Horizontal &&
            odeljak >= 0 && odeljak < brojTacaka)
            return Vreme(odeljak);
        if (uloga == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex&) const override {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

private:
    const skem::TMatricaRezultata* matrica = nullptr;
    std::vector<size_t> kolone; // the matrix column of each table row
    int brojTacaka = 0;
    int simuliranih = 0;
    double intervalStampe = 1;
};

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

const QColor Kestenjasta(128, 0, 0);

// A value as the table shows it: the chart draws the texts, not the matrix.
double KaoUTabeli(double v) {
    return skem::TekstURealan(skem::RealanUTekst(v));
}

constexpr int PodrazumevanaSirina = 120; // of a column of the table

// A hint shown as the tool tip and, like every hint of the window, in its status bar.
void Savet(QWidget* w, const QString& tekst) {
    w->setToolTip(tekst);
    w->setStatusTip(tekst);
}

QPushButton* Dugme(const QString& tekst, TIkonica ikonica, QWidget* roditelj) {
    auto* d = new QPushButton(Ikonica(ikonica), tekst, roditelj);
    d->setFixedHeight(24);
    d->setFocusPolicy(Qt::TabFocus);
    return d;
}

// The widths of the characters numbers are written with, in one font. A
// number's text is no wider than its make-up counted with the widest digit.
class TZnakovi {
public:
    explicit TZnakovi(const QFont& font) : metrika(font) {
        for (QChar c : QStringLiteral("0123456789"))
            if (metrika.horizontalAdvance(c) > metrika.horizontalAdvance(cifra)) cifra = c;
        for (QChar c : QStringLiteral("NAIF"))
            if (metrika.horizontalAdvance(c) > metrika.horizontalAdvance(slovo)) slovo = c;
        sirinaCifre = metrika.horizontalAdvance(cifra);
        sirinaSlova = metrika.horizontalAdvance(slovo);
        sirinaMinusa = metrika.horizontalAdvance(QLatin1Char('-'));
        sirinaTacke = metrika.horizontalAdvance(QLatin1Char('.'));
        sirinaE = metrika.horizontalAdvance(QLatin1Char('E'));
    }
    double Sirina(const TOblikBroja& o) const {
        return o.Cifre * sirinaCifre + o.Minusi * sirinaMinusa + o.Tacke * sirinaTacke +
               o.Eksponenti * sirinaE + o.Slova * sirinaSlova;
    }
    // A text of that make-up at least as wide as any other.
    QString Uzorak(const TOblikBroja& o) const {
        return QString(o.Minusi, QLatin1Char('-')) + QString(o.Cifre, cifra) +
               QString(o.Tacke, QLatin1Char('.')) + QString(o.Eksponenti, QLatin1Char('E')) +
               QString(o.Slova, slovo);
    }

private:
    QFontMetricsF metrika;
    QChar cifra = QLatin1Char('0');
    QChar slovo = QLatin1Char('N');
    double sirinaCifre, sirinaSlova, sirinaMinusa, sirinaTacke, sirinaE;
};

// The widest text among numbers handed in one by one, by make-up (as
// TZnakovi measures it). Most numbers cannot be wider than what was found
// already: the widest make-ups of their sign and binary exponent (their
// binade) say so without looking closer. Zero, where the search starts, is
// passed over (it shares its bits' exponent with the tiniest numbers).
class TNajsiriTekst {
public:
    explicit TNajsiriTekst(const TZnakovi& znakovi)
        : znakovi(znakovi), najsiri(OblikBroja(0)), sirina(znakovi.Sirina(najsiri)) {
        granice.fill(Nepoznata);
    }
    void Uzmi(double v) {
        if (v != 0 && granice[Binada(v)] > sirina) Pogledaj(v);
    }
    void Uzmi(const TOblikBroja& o) {
        if (const double s = znakovi.Sirina(o); s > sirina) {
            sirina = s;
            najsiri = o;
        }
    }
    const TOblikBroja& Oblik() const { return najsiri; }

private:
    static constexpr double Nepoznata = std::numeric_limits<double>::max();
    static std::size_t Binada(double v) { return std::bit_cast<std::uint64_t>(v) >> 52; }
    // The closer look, rare.
    void Pogledaj(double v) {
        double& granica = granice[Binada(v)];
        if (granica == Nepoznata) {
            const std::vector<TOblikBroja> oblici = ObliciBinade(v);
            granica = oblici.empty() ? std::numeric_limits<double>::infinity() : 0;
            for (const TOblikBroja& o : oblici)
                granica = std::max(granica, znakovi.Sirina(o));
            if (granica <= sirina) return;
        }
        Uzmi(OblikBroja(v));
    }

    const TZnakovi& znakovi;
    std::array<double, 4096> granice; // per binade: the widest its texts can be
    TOblikBroja najsiri;
    double sirina;
};

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
    stranaTabele = TabelaTab;
    stranaGrafika = GrafikTab;
    OpisKraja = new QLabel;
    OpisKraja->setObjectName(QStringLiteral("OpisKraja"));
    OpisKraja->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold;"));
    opisKraja = OpisKraja;
}

TPrikazRezultata::~TPrikazRezultata() {
    // Pages a page control took are its to free, as is a status bar's label.
    if (stranaTabele && !stranaTabele->parent()) delete stranaTabele.data();
    if (stranaGrafika && !stranaGrafika->parent()) delete stranaGrafika.data();
    if (opisKraja && !opisKraja->parent()) delete opisKraja.data();
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
    Savet(IzvozCsv, QStringLiteral("Cuva tabelu rezultata kao CSV fajl"));
    GoToChart = Dugme(QStringLiteral("Grafik"), TIkonica::Grafik, TabelaTab);
    GoToChart->setObjectName(QStringLiteral("GoToChart"));
    GoToChart->setLayoutDirection(Qt::RightToLeft); // the glyph right of the text
    Savet(GoToChart, QStringLiteral("Prikazuje grafik za selektovane redove"));
    panel->addWidget(BackOnModel);
    panel->addWidget(Uputstvo, 1);
    panel->addWidget(IzvozCsv);
    panel->addWidget(GoToChart);

    Tabela = new QTableView(TabelaTab);
    Tabela->setObjectName(QStringLiteral("Tabela"));
    model = new TModelTabele(Tabela);
    Tabela->setModel(model);
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
    vremena->setDefaultSectionSize(PodrazumevanaSirina);
    vremena->setSectionResizeMode(QHeaderView::Interactive);
    vremena->setHighlightSections(false);
    vremena->setFixedHeight(24);
    QHeaderView* nazivi = Tabela->verticalHeader();
    nazivi->setMinimumSectionSize(24);
    nazivi->setDefaultSectionSize(24);
    nazivi->setSectionResizeMode(QHeaderView::Fixed);
    nazivi->setHighlightSections(false);
    nazivi->setFixedWidth(PodrazumevanaSirina);
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
    // The caption column is the grid's row header, which has no edge of its
    // own to drag: this strip gives it one.
    rucicaNaziva = new TRucica(
        Tabela, [nazivi] { return nazivi->width(); },
        [this, nazivi](int sirina) {
            nazivi->setFixedWidth(std::clamp(sirina, 24, std::max(24, Tabela->width() - 40)));
            Tabela->doItemsLayout();
        });
    rucicaNaziva->setObjectName(QStringLiteral("RucicaNaziva"));

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
    prozoriTabele = {Tabela, Tabela->viewport(), vremena->viewport(), nazivi->viewport()};

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
    Savet(PonistiZum,
          QStringLiteral("Vraca ceo grafik (zumira se prevlacenjem misa, desni klik ponistava)"));
    IzvozPng = Dugme(QStringLiteral("Sacuvaj PNG"), TIkonica::Izvoz, GrafikTab);
    Savet(IzvozPng, QStringLiteral("Cuva grafik kao PNG sliku"));
    IzvozSvg = Dugme(QStringLiteral("Sacuvaj SVG"), TIkonica::Izvoz, GrafikTab);
    Savet(IzvozSvg, QStringLiteral("Cuva grafik kao SVG sliku"));
    ChartView = Dugme(QStringLiteral("3D View"), TIkonica::Pogled3D, GrafikTab);
    ChartView->setObjectName(QStringLiteral("ChartView"));
    auto* nazivOseX = new QLabel(QStringLiteral("Horizontalna osa:"), GrafikTab);
    IzborOseX = new QComboBox(GrafikTab);
    IzborOseX->setObjectName(QStringLiteral("IzborOseX"));
    IzborOseX->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    IzborOseX->setFocusPolicy(Qt::TabFocus);
    nazivOseX->setBuddy(IzborOseX);
    Savet(IzborOseX, QStringLiteral("Vreme, ili jedan od oznacenih izlaza za fazni dijagram"));
    panel->addWidget(BackOnTable);
    panel->addSpacing(12);
    panel->addWidget(nazivOseX);
    panel->addWidget(IzborOseX);
    panel->addStretch(1);
    panel->addWidget(PonistiZum);
    panel->addWidget(IzvozPng);
    panel->addWidget(IzvozSvg);
    panel->addWidget(ChartView);

    grafik = new QChart;
    grafik->setTitle(QString());
    grafik->setBackgroundRoundness(0);
    QLinearGradient pozadina(0, 0, 0, 1);
    pozadina.setCoordinateMode(QGradient::ObjectBoundingMode);
    pozadina.setColorAt(0, IzgledGrafika::PozadinaGore);
    pozadina.setColorAt(1, IzgledGrafika::PozadinaDole);
    grafik->setBackgroundBrush(pozadina);
    grafik->setBackgroundPen(Qt::NoPen);
    grafik->layout()->setContentsMargins(0, 0, 0, 0);
    grafik->setMargins(QMargins(8, 16, 22, 8));
    // The curves move on a zoom; the axes take their new ticks at once (the
    // charts' axis animation fails when an axis's labels change under it).
    grafik->setAnimationOptions(QChart::SeriesAnimations);
    grafik->setAnimationDuration(250);

    QLegend* legenda = grafik->legend();
    legenda->setAlignment(Qt::AlignBottom);
    legenda->setBackgroundVisible(true);
    legenda->setBrush(IzgledGrafika::PozadinaLegende);
    legenda->setPen(QPen(IzgledGrafika::OkvirLegende, 1, Qt::DotLine));
    legenda->setLabelColor(IzgledGrafika::TekstLegende);
    legenda->setFont(IzgledGrafika::FontLegende());
    legenda->setShowToolTips(true);

    // The ticks and their labels are ours (PostaviPodeoke): at round
    // numbers, with the decimals the step needs, also when zoomed.
    osaX = new QCategoryAxis;
    osaY = new QCategoryAxis;
    for (QCategoryAxis* osa : {osaX, osaY}) {
        osa->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        osa->setTruncateLabels(false); // the axis makes room for its labels instead
        osa->setLinePenColor(IzgledGrafika::BojaOsa);
        osa->setGridLineColor(IzgledGrafika::BojaOsa);
        osa->setMinorGridLineVisible(false);
        osa->setLabelsFont(IzgledGrafika::FontOsa());
        osa->setLabelsBrush(IzgledGrafika::BojaOznakaOsa);
        osa->setTitleFont(IzgledGrafika::FontOsa());
        osa->setTitleBrush(IzgledGrafika::BojaOznakaOsa);
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

    pogledi = new QStackedWidget(GrafikTab);
    auto* pogled = new TPogledGrafika(grafik, pogledi);
    pogled->OnPomeranje = [this](QPoint p) { PokaziTacku(p); };
    pogled->OnIzlazak = [this] { SakrijTacku(); };
    pogled->OnPrikazan = [this] {
        if (grafik->plotArea().size().toSize() != velicinaPogleda) OsveziKrive();
    };
    Grafik2D = pogled;
    Grafik2D->setObjectName(QStringLiteral("Grafik2D"));
    Grafik2D->setRenderHint(QPainter::Antialiasing);
    Grafik2D->setRubberBand(QChartView::RectangleRubberBand);
    Grafik2D->setFrameShape(QFrame::NoFrame);
    Grafik3D = new TGrafik3D(pogledi);
    pogledi->addWidget(Grafik2D);
    pogledi->addWidget(Grafik3D);
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
        if (oblast.size().toSize() != velicinaPogleda && Grafik2D->isVisible()) OsveziKasnije();
    });
    oznakaTacke = new QGraphicsEllipseItem(-4, -4, 8, 8, grafik);
    oznakaTacke->setPen(QPen(Qt::black, 1));
    oznakaTacke->setBrush(Qt::white);
    oznakaTacke->setZValue(1000); // above the curves
    oznakaTacke->hide();

    connect(BackOnTable, &QPushButton::clicked, this, [this] { BackOnTableClick(); });
    connect(ChartView, &QPushButton::clicked, this, [this] { ChartViewClick(); });
    connect(IzborOseX, &QComboBox::activated, this, [this](int i) {
        redOseX = IzborOseX->itemData(i).toInt();
        NacrtajKrive(redoviGrafika);
    });
    connect(PonistiZum, &QPushButton::clicked, this, [this] { grafik->zoomReset(); });
    connect(IzvozPng, &QPushButton::clicked, this,
            [this] { IzvozSlikeClick(QStringLiteral("png")); });
    connect(IzvozSvg, &QPushButton::clicked, this,
            [this] { IzvozSlikeClick(QStringLiteral("svg")); });
}

void TPrikazRezultata::OcistiTabelu() {
    for (QCheckBox* c : Oznake)
        delete c;
    Oznake.clear();
    // The chart's curves read the matrix: they go with it.
    redOseX = -1;
    NacrtajKrive({});
    model->Isprazni();
    blokovi.clear();
    rezultati.clear();
    opsegKolone.clear();
    brojIntervala = 0;
    simuliranihTacaka = 0;
    OpisKraja->clear();
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
        if (!std::isfinite(kraj.Vreme) || !std::isfinite(kraj.Korak) || !(kraj.Korak > 0))
            throw std::invalid_argument("Neispravno vreme zaustavljanja simulacije.");
        // The samples the run took, as the engine takes them: the one at
        // t = 0, then one for each print time that the end of a step before
        // the Quit's reached, within a quarter of a step.
        const double uzoraka = std::floor((kraj.Vreme - kraj.Korak) / noviIntervalStampe +
                                          kraj.Korak / (4 * noviIntervalStampe)) +
                               1;
        simulirano =
            static_cast<std::int64_t>(std::clamp(uzoraka, 1.0, static_cast<double>(n + 1)));
    }

    OcistiTabelu();
    PrikaziStranu(TabelaTab);
    brojIntervala = static_cast<int>(n);
    simuliranihTacaka = static_cast<int>(simulirano);
    if (kraj.Quit)
        OpisKraja->setText(QString::fromUtf8(skem::TSimulacija::PorukaQuit) +
                           QStringLiteral(" t = ") +
                           QString::fromStdString(skem::VremeNaKoraku(kraj.Vreme, kraj.Korak)));
    trajanje = novoTrajanje;
    intervalStampe = noviIntervalStampe;
    blokovi = noviBlokovi;
    rezultati = std::move(noviRezultati);
    rezultati.SkratiNa(static_cast<size_t>(n) + 1);

    std::vector<size_t> kolone;
    QHeaderView* nazivi = Tabela->verticalHeader();
    int sirina = PodrazumevanaSirina;
    for (size_t i = 0; i < blokovi.size(); ++i) {
        if (!skem::ImaRedURezultatima(blokovi[i].Sifra)) continue;
        const QString oznaka = QString::fromStdString(skem::OznakaBloka(blokovi[i]));
        auto* c = new QCheckBox(oznaka, nazivi->viewport());
        Savet(c, oznaka);
        c->setObjectName(QStringLiteral("Oznaka%1").arg(Oznake.size() + 1));
        c->setFocusPolicy(Qt::NoFocus);
        c->setChecked(false);
        c->show();
        Oznake.push_back(c);
        sirina = std::max(sirina, c->sizeHint().width() + 8);
        kolone.push_back(i);
    }
    nazivi->setFixedWidth(sirina);
    // Set while the grid has no columns: setting it on millions of them would
    // resize each in turn.
    Tabela->horizontalHeader()->setDefaultSectionSize(SirinaKolonaVrednosti(kolone));
    model->Postavi(&rezultati, std::move(kolone), brojIntervala + 1, simuliranihTacaka,
                   intervalStampe);
    Tabela->scrollToTop();
    PostaviOznake();
}

int TPrikazRezultata::SirinaKolonaVrednosti(const std::vector<size_t>& kolone) {
    // Every time and value is written by the same formatter, so the widest
    // text is found from the make-up of each number, without writing or
    // measuring the texts one by one.
    const TZnakovi znakovi(Tabela->font());
    // The printed times: the widest of each decade from P's digits, the rest
    // (times of more digits than that reading takes) one by one.
    const TObliciVremena oblikVremena(intervalStampe);
    TNajsiriTekst najsiri(znakovi);
    for (const TOblikBroja& o : oblikVremena.Najsiri(brojIntervala))
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
        Tabela->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Tabela) + 1;
    const int celija =
        static_cast<int>(std::ceil(QFontMetricsF(Tabela->font()).horizontalAdvance(uzorak))) +
        2 * margina + 1;
    // A time in the header row, measured as the header measures its sections.
    const QHeaderView* vremena = Tabela->horizontalHeader();
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
    const QHeaderView* nazivi = Tabela->verticalHeader();
    for (size_t r = 0; r < Oznake.size(); ++r) {
        const int red = static_cast<int>(r);
        Oznake[r]->setGeometry(1, nazivi->sectionViewportPosition(red) + 1, nazivi->width() - 1,
                               nazivi->sectionSize(red) - 1);
        Oznake[r]->raise();
    }
    // The strip straddles the column's right edge, from the row of times down.
    const QRect kolona = nazivi->geometry();
    const int vrh = Tabela->horizontalHeader()->geometry().top();
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
    if (kolona == 0) return Oznake[static_cast<size_t>(red - 1)]->text();
    return model->Vrednost(red - 1, kolona - 1);
}

void TPrikazRezultata::PrikaziGrafik() {
    std::vector<int> redovi;
    for (size_t r = 0; r < Oznake.size(); ++r)
        if (Oznake[r]->isChecked()) redovi.push_back(static_cast<int>(r));
    // The chosen horizontal row stays while it is ticked and has company.
    if (redovi.size() < 2 || std::find(redovi.begin(), redovi.end(), redOseX) == redovi.end())
        redOseX = -1;
    IzborOseX->clear();
    IzborOseX->addItem(QStringLiteral("t"), -1);
    if (redovi.size() >= 2)
        for (int r : redovi)
            IzborOseX->addItem(Oznake[static_cast<size_t>(r)]->text(), r);
    IzborOseX->setCurrentIndex(IzborOseX->findData(redOseX));
    if (redovi.empty()) {
        NacrtajKrive(redovi); // an empty chart
        Dijalozi().Poruka(QStringLiteral("Niste oznacili zeljene izlaze!"));
        return;
    }
    // Shown first, so the curves are thinned once, for the plot's real size.
    PrikaziStranu(GrafikTab);
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
        serija->setName(Oznake[static_cast<size_t>(r)]->text());
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
    // Axis titles: the time or the row across, the row or rows up (a few
    // captions fit beside the axis; more are named by the legend).
    osaX->setTitleText(JeFazni() ? Oznake[static_cast<size_t>(redOseX)]->text()
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
    Grafik3D->PostaviPodatke(std::move(zaDubinu), {x.Min, x.Max, x.BrojPodeoka()},
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

void TPrikazRezultata::PokaziTacku(QPoint pozicija) {
    const QPointF uGrafiku = grafik->mapFromScene(Grafik2D->mapToScene(pozicija));
    const QRectF oblast = grafik->plotArea();
    if (krive.empty() || simuliranihTacaka < 1 || !oblast.contains(uGrafiku) || jePogled3D)
        return SakrijTacku();
    // Values to the chart's pixels, as the axes lay them out.
    const double sx = oblast.width() / (osaX->max() - osaX->min());
    const double sy = oblast.height() / (osaY->max() - osaY->min());
    const auto piksel = [&](QPointF v) {
        return QPointF(oblast.left() + (v.x() - osaX->min()) * sx,
                       oblast.bottom() - (v.y() - osaY->min()) * sy);
    };
    const TKriva* najbliza = nullptr;
    std::size_t tacka = 0;
    double najmanje = std::numeric_limits<double>::infinity();
    if (!JeFazni()) {
        // The printed time under the pointer, and the curve nearest there.
        const double t = osaX->min() + (uGrafiku.x() - oblast.left()) / sx;
        const auto k = static_cast<std::size_t>(
            std::clamp(std::llround(t / intervalStampe), 0LL, simuliranihTacaka - 1LL));
        for (const TKriva& kr : krive) {
            const double d =
                std::abs(piksel({0, KaoUTabeli(Niz(kr.Kolona)[k])}).y() - uGrafiku.y());
            if (d < najmanje) {
                najmanje = d;
                najbliza = &kr;
                tacka = k;
            }
        }
    } else {
        // The drawn point nearest to the pointer: within a pixel of the
        // nearest of all, since each pixel keeps its runs' ends.
        for (const TKriva& kr : krive) {
            const QList<QPointF> tacke = kr.Serija->points();
            for (qsizetype i = 0; i < tacke.size(); ++i) {
                const QPointF d = piksel(tacke[i]) - uGrafiku;
                const double d2 = QPointF::dotProduct(d, d);
                if (d2 < najmanje) {
                    najmanje = d2;
                    najbliza = &kr;
                    tacka = kr.Tacke[static_cast<size_t>(i)];
                }
            }
        }
    }
    if (!najbliza) return SakrijTacku();
    const double vrednost = KaoUTabeli(Niz(najbliza->Kolona)[tacka]);
    const double x = JeFazni() ? KaoUTabeli(Niz(model->KolonaReda(redOseX))[tacka])
                               : static_cast<double>(tacka) * intervalStampe;
    QStringList redovi{najbliza->Serija->name(),
                       QStringLiteral("t = ") + model->Vreme(static_cast<int>(tacka))};
    if (JeFazni())
        redovi << Oznake[static_cast<size_t>(redOseX)]->text() + QStringLiteral(" = ") +
                      RealanUTekst(x);
    redovi << QStringLiteral("vrednost = ") + RealanUTekst(vrednost);
    opisTacke = redovi.join(QLatin1Char('\n'));
    oznakaTacke->setPos(piksel({x, vrednost}));
    oznakaTacke->show();
    QToolTip::showText(Grafik2D->viewport()->mapToGlobal(pozicija) + QPoint(14, 14), opisTacke,
                       Grafik2D);
}

void TPrikazRezultata::SakrijTacku() {
    if (opisTacke.isEmpty()) return;
    opisTacke.clear();
    oznakaTacke->hide();
    QToolTip::hideText();
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
        if (koji == 0 && Tabela->hasFocus()) {
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
            QCoreApplication::sendEvent(TabelaTab, dogadjaj);
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
    PrikaziStranu(TabelaTab);
}

void TPrikazRezultata::GoToChartClick() {
    PrikaziGrafik();
}

void TPrikazRezultata::ChartViewClick() {
    jePogled3D = !jePogled3D;
    pogledi->setCurrentWidget(jePogled3D ? static_cast<QWidget*>(Grafik3D) : Grafik2D);
    ChartView->setText(jePogled3D ? QStringLiteral("2D View") : QStringLiteral("3D View"));
    PonistiZum->setEnabled(!jePogled3D); // the depth view does not zoom
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
