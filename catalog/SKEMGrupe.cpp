#include "SKEMGrupe.h"

#include "Katalog.h"
#include "SKEMDugme.h"
#include "Skroler.h"

#include <QApplication>
#include <QPainter>

namespace {
// The items lie on the grey of disabled text, as the palette always has.
const QColor BojaSkrolera(128, 128, 128);
} // namespace

// ------------------------------------------------------------------ TSKEMGrupa

TSKEMGrupa::TSKEMGrupa(QWidget* roditelj)
    : QWidget(roditelj), zaglavlje(new TSKEMDugme(this)), telo(new QWidget(this)),
      skroler(new TSkroler(telo)) {
    resize(149, VisinaZaglavlja + 200);
    zaglavlje->setGeometry(0, 0, 149, VisinaZaglavlja);
    zaglavlje->OnClick = [this](TSKEMDugme*) {
        if (OnCaptionClick) OnCaptionClick(this);
    };
    telo->setAutoFillBackground(true);
    telo->setGeometry(0, VisinaZaglavlja, 149, 200);
    RasporediDelove();
}

QString TSKEMGrupa::Naziv() const {
    return zaglavlje->Tekst();
}

void TSKEMGrupa::PostaviNaziv(const QString& naziv) {
    zaglavlje->PostaviTekst(naziv);
}

void TSKEMGrupa::PostaviVisinuTela(int visina) {
    telo->setGeometry(0, VisinaZaglavlja, width(), std::max(0, visina));
    RasporediDelove();
}

void TSKEMGrupa::resizeEvent(QResizeEvent*) {
    RasporediDelove();
}

void TSKEMGrupa::RasporediDelove() {
    zaglavlje->setGeometry(0, 0, width(), VisinaZaglavlja);
    telo->setGeometry(0, VisinaZaglavlja, width(), telo->height());
    skroler->setGeometry(telo->rect());
    // Sizing a hidden scroller sends it no resize event until it is shown.
    skroler->PrilagodiKolone();
}

// --------------------------------------------------------------- TSKEMGroupBar

TSKEMGroupBar::TSKEMGroupBar(QWidget* roditelj) : QWidget(roditelj) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(QFont(QStringLiteral("Verdana"), 8));
}

void TSKEMGroupBar::UcitajKatalog(const QString& imeFajla) {
    QVector<TGrupaKataloga> procitane;
    try {
        ProcitajKatalog(imeFajla, procitane);
    } catch (const TGreskaKataloga&) {
        // What was read before the fault stays in the palette.
        for (const TGrupaKataloga& g : procitane)
            NapraviGrupu(g);
        throw;
    }
    for (const TGrupaKataloga& g : procitane)
        NapraviGrupu(g);
}

TSKEMGrupa* TSKEMGroupBar::NapraviGrupu(const TGrupaKataloga& grupa) {
    auto* g = new TSKEMGrupa(this);
    g->PostaviNaziv(grupa.Naziv);
    g->Skroler()->PostaviSlike(slike);
    g->Skroler()->PostaviBoju(BojaSkrolera);
    g->Skroler()->NapraviStavke(grupa.Stavke);
    DodajGrupu(g);
    return g;
}

void TSKEMGroupBar::DodajGrupu(TSKEMGrupa* grupa) {
    if (grupa->parentWidget() != this) grupa->setParent(this);
    grupa->OnCaptionClick = [this](TSKEMGrupa* g) {
        PostaviAktivnuGrupu(g);
        update();
    };
    grupe.append(grupa);
    if (isVisible()) grupa->show();
    PostaviAktivnuGrupu(grupe.first());
}

TSKEMGrupa* TSKEMGroupBar::ZameniGrupu(const TGrupaKataloga& grupa) {
    TSKEMGrupa* otvorena = aktivna;
    for (TSKEMGrupa* g : grupe)
        if (g->Naziv() == grupa.Naziv) {
            grupe.removeOne(g);
            if (otvorena == g) otvorena = nullptr;
            g->deleteLater();
            g->hide();
            break;
        }
    TSKEMGrupa* nova = NapraviGrupu(grupa);
    nova->UvekVidljiva = true;
    nova->setVisible(true);
    PostaviAktivnuGrupu(otvorena ? otvorena : grupe.first());
    update();
    return nova;
}

void TSKEMGroupBar::PostaviAktivnuGrupu(TSKEMGrupa* grupa) {
    aktivna = grupa;
    int raspolozivo = height() - 3;
    for (TSKEMGrupa* g : grupe)
        if (!g->isHidden()) raspolozivo -= g->Zaglavlje()->height();
    if (!aktivna) return;

    // Hidden groups take their place too: the first group's header lies in
    // the band above the top edge whether it is shown or not.
    int vrh = -TSKEMGrupa::VisinaZaglavlja;
    for (TSKEMGrupa* g : grupe) {
        const int zaglavlje = g->Zaglavlje()->height();
        if (g == aktivna) {
            g->setGeometry(0, vrh, width(), std::max(0, raspolozivo) + zaglavlje);
            g->PostaviVisinuTela(raspolozivo);
        } else {
            g->setGeometry(0, vrh, width(), zaglavlje);
            // A hidden group gets no resize event: its scroller follows the width here.
            g->PostaviVisinuTela(g->Telo()->height());
        }
        // Past the first, a hidden group takes no room: a group shown below
        // it (the library in the "SVE" view) stays in view.
        if (g == grupe.first() || !g->isHidden()) vrh += g->height();
    }
}

void TSKEMGroupBar::PostaviSlike(const TListaSlika* nove) {
    slike = nove;
    for (TSKEMGrupa* g : grupe)
        g->Skroler()->PostaviSlike(slike);
}

void TSKEMGroupBar::PrikaziSve() {
    for (int i = 0; i < grupe.size(); ++i)
        grupe[i]->setVisible(i == 0 || grupe[i]->UvekVidljiva);
    PostaviAktivnuGrupu(grupe.isEmpty() ? nullptr : grupe.first());
    update();
}

bool TSKEMGroupBar::PrikaziPoGrupama() {
    if (grupe.size() < 2) {
        PrikaziSve();
        return false;
    }
    for (int i = 0; i < grupe.size(); ++i)
        grupe[i]->setVisible(i != 0);
    PostaviAktivnuGrupu(grupe[1]);
    update();
    return true;
}

void TSKEMGroupBar::resizeEvent(QResizeEvent*) {
    PostaviAktivnuGrupu(aktivna);
}

void TSKEMGroupBar::paintEvent(QPaintEvent*) {
    // Button face with a lowered inner bevel; the groups cover most of it.
    QPainter p(this);
    const QPalette& pal = QApplication::palette();
    p.fillRect(rect(), pal.color(QPalette::Button));
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}
