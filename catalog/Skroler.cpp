#include "Skroler.h"

#include "ListaSlika.h"

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr int RazmakKolona = 80;
constexpr int LevaIvica = 15;
constexpr int VrhPrvogReda = 5;
constexpr int RazmakRedova = 12;
constexpr int RazmakLabele = 2;
constexpr double PoluprecnikUgla = 5; // corners drawn with a 10 x 10 ellipse
// A slim scroll bar: the last column's captions reach 80 * columns + 6 pixels
// (the 177 wide palette column: 166), which a scroll bar of the usual 14 to
// 17 pixels would cut off; at 10 they stay whole beside it.
constexpr int SirinaKlizaca = 10;

class TUzakKlizac : public QScrollBar {
public:
    TUzakKlizac() : QScrollBar(Qt::Vertical) {}
    // The scroll area makes room for the bar by its size hint.
    QSize sizeHint() const override { return {SirinaKlizaca, QScrollBar::sizeHint().height()}; }
    QSize minimumSizeHint() const override {
        return {SirinaKlizaca, QScrollBar::minimumSizeHint().height()};
    }
};
} // namespace

// ---------------------------------------------------------------- TSkrolStavka

TSkrolStavka::TSkrolStavka(TSkroler* vlasnik, const TStavkaKataloga& vrednosti, QWidget* roditelj)
    : QWidget(roditelj), skroler(vlasnik), stavka(vrednosti) {
    resize(Velicina, Velicina);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::OpenHandCursor);
    // The name is the hint: the tool tip and the status bar show it.
    setToolTip(stavka.Naziv);
    setStatusTip(stavka.Naziv);
}

QMimeData* TSkrolStavka::NapraviPodatkeZaPrevlacenje() const {
    auto* podaci = new QMimeData;
    podaci->setData(QString::fromLatin1(MimeStavkeKataloga), KodirajStavku(stavka));
    return podaci;
}

QPixmap TSkrolStavka::SlikaZaPrevlacenje() const {
    const TListaSlika* slike = skroler ? skroler->Slike() : nullptr;
    if (slike && stavka.ImageIndex >= 0 && stavka.ImageIndex < slike->Count())
        return slike->Slike[stavka.ImageIndex];
    return const_cast<TSkrolStavka*>(this)->grab(); // grab() only paints
}

void TSkrolStavka::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const TListaSlika* slike = skroler ? skroler->Slike() : nullptr;
    if (!slike) {
        p.fillRect(rect(), Qt::red);
        return;
    }
    // The parent's colour clears the band where the hot look draws.
    p.fillRect(rect(), skroler->Boja());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    const int pomak = vruca ? 4 : 0; // the hot item seems to move down and right
    const QRectF okvir(pomak + 0.5, pomak + 0.5, Velicina - 5, Velicina - 5);
    p.drawRoundedRect(okvir, PoluprecnikUgla, PoluprecnikUgla);
    slike->Nacrtaj(p, 5 + pomak, 5 + pomak, stavka.ImageIndex);
}

void TSkrolStavka::enterEvent(QEnterEvent*) {
    vruca = true;
    update();
}

void TSkrolStavka::leaveEvent(QEvent*) {
    vruca = false;
    update();
}

void TSkrolStavka::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pritisnuta = true;
    pocetakPritiska = e->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
    update();
}

void TSkrolStavka::mouseMoveEvent(QMouseEvent* e) {
    if (!pritisnuta || !(e->buttons() & Qt::LeftButton)) return;
    if ((e->position().toPoint() - pocetakPritiska).manhattanLength() <
        QApplication::startDragDistance())
        return;
    Prevuci();
}

void TSkrolStavka::mouseReleaseEvent(QMouseEvent*) {
    pritisnuta = false;
    setCursor(Qt::OpenHandCursor);
    update();
}

void TSkrolStavka::Prevuci() {
    pritisnuta = false;
    auto* prevlacenje = new QDrag(this); // the workspace checks that the source is an item
    prevlacenje->setMimeData(NapraviPodatkeZaPrevlacenje());
    const QPixmap slika = SlikaZaPrevlacenje();
    prevlacenje->setPixmap(slika);
    prevlacenje->setHotSpot(QPoint(slika.width() / 2, slika.height() / 2));
    prevlacenje->exec(Qt::CopyAction);
    // The pointer has usually left the item by now, without a leave event.
    vruca = rect().contains(mapFromGlobal(QCursor::pos()));
    setCursor(Qt::OpenHandCursor);
    update();
}

// -------------------------------------------------------------------- TSkroler

TSkroler::TSkroler(QWidget* roditelj) : QScrollArea(roditelj), sadrzaj(new QWidget) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBar(new TUzakKlizac);
    verticalScrollBar()->setTracking(true);
    sadrzaj->setAutoFillBackground(true);
    setWidget(sadrzaj);
    setWidgetResizable(false);
    PostaviBoju(Qt::white);
}

void TSkroler::PostaviSlike(const TListaSlika* nove) {
    slike = nove;
    for (TSkrolStavka* s : stavke)
        s->update();
}

void TSkroler::PostaviBoju(const QColor& nova) {
    boja = nova;
    QPalette p = sadrzaj->palette();
    p.setColor(QPalette::Window, boja);
    sadrzaj->setPalette(p);
    viewport()->setPalette(p);
    for (TSkrolStavka* s : stavke)
        s->update();
}

TSkrolStavka* TSkroler::DodajStavku(const TStavkaKataloga& stavka) {
    auto* s = new TSkrolStavka(this, stavka, sadrzaj);
    auto* labela = new QLabel(stavka.Naziv, sadrzaj);
    labela->setWordWrap(true);
    labela->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    labela->setFixedWidth(SirinaLabele);
    UklopiNatpis(labela);
    labela->setFixedHeight(labela->heightForWidth(SirinaLabele));
    s->PostaviLabelu(labela);
    stavke.append(s);
    s->show();
    labela->show();
    brojKolona = BrojKolonaZaSirinu(width());
    RasporediStavke();
    return s;
}

// Captions are wider than the columns are apart, so a caption whose longest
// line (a long word does not wrap) is nearly as wide as the label runs into
// its neighbour's and is cut at both ends. Such a caption gets a smaller font.
void TSkroler::UklopiNatpis(QLabel* labela) {
    const int najsire = RazmakKolona - 2;
    QFont f = labela->font();
    auto sirina = [&] {
        return QFontMetrics(f)
            .boundingRect(QRect(0, 0, SirinaLabele, 10000), Qt::TextWordWrap | Qt::AlignHCenter,
                          labela->text())
            .width();
    };
    if (sirina() <= najsire) return;
    if (f.pointSizeF() > 0)
        while (sirina() > najsire && f.pointSizeF() > 6)
            f.setPointSizeF(f.pointSizeF() - 0.5);
    else
        while (sirina() > najsire && f.pixelSize() > 8)
            f.setPixelSize(f.pixelSize() - 1);
    labela->setFont(f);
}

void TSkroler::NapraviStavke(const QVector<TStavkaKataloga>& vrednosti) {
    for (const TStavkaKataloga& s : vrednosti)
        DodajStavku(s);
}

int TSkroler::BrojKolonaZaSirinu(int sirina) {
    return sirina <= 65 ? 1 : std::max(1, (sirina + 15) / RazmakKolona);
}

void TSkroler::PrilagodiKolone() {
    brojKolona = BrojKolonaZaSirinu(width());
    if (brojKolona != kolonePoslednje) {
        RasporediStavke();
        viewport()->update();
    }
    PrilagodiSadrzaj();
}

void TSkroler::resizeEvent(QResizeEvent* e) {
    QScrollArea::resizeEvent(e);
    PrilagodiKolone();
}

bool TSkroler::viewportEvent(QEvent* e) {
    // The viewport narrows when the scroll bar appears: the content follows.
    if (e->type() == QEvent::Resize) PrilagodiSadrzaj();
    return QScrollArea::viewportEvent(e);
}

void TSkroler::RasporediStavke() {
    const int kolone = std::max(1, brojKolona);
    int vrhReda = VrhPrvogReda;
    int najvisaStavka = 0, najvisaLabela = 0;
    for (int i = 0; i < stavke.size(); ++i) {
        const int kolona = i % kolone;
        if (kolona == 0 && i > 0) {
            vrhReda += najvisaStavka + najvisaLabela + RazmakRedova;
            najvisaStavka = najvisaLabela = 0;
        }
        TSkrolStavka* s = stavke[i];
        s->move(RazmakKolona * kolona + LevaIvica, vrhReda);
        QLabel* l = s->Labela();
        l->move(s->x() + s->width() / 2 - l->width() / 2, s->y() + s->height() + RazmakLabele);
        najvisaStavka = std::max(najvisaStavka, s->height());
        najvisaLabela = std::max(najvisaLabela, l->height());
    }
    visinaSadrzaja = stavke.isEmpty() ? 0 : vrhReda + najvisaStavka + najvisaLabela + RazmakRedova;
    kolonePoslednje = brojKolona;
    PrilagodiSadrzaj();
}

void TSkroler::PrilagodiSadrzaj() {
    sadrzaj->resize(viewport()->width(), std::max(visinaSadrzaja, viewport()->height()));
}
