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
    : QWidget(roditelj), m_zaglavlje(new TSKEMDugme(this)), m_telo(new QWidget(this)),
      m_skroler(new TSkroler(m_telo)) {
    resize(149, VisinaZaglavlja + 200);
    m_zaglavlje->setGeometry(0, 0, 149, VisinaZaglavlja);
    m_zaglavlje->OnClick = [this](TSKEMDugme*) {
        if (OnCaptionClick) OnCaptionClick(this);
    };
    m_telo->setAutoFillBackground(true);
    m_telo->setGeometry(0, VisinaZaglavlja, 149, 200);
    RasporediDelove();
}

QString TSKEMGrupa::Naziv() const {
    return m_zaglavlje->Tekst();
}

void TSKEMGrupa::PostaviNaziv(const QString& naziv) {
    m_zaglavlje->PostaviTekst(naziv);
}

void TSKEMGrupa::PostaviVisinuTela(int visina) {
    m_telo->setGeometry(0, VisinaZaglavlja, width(), std::max(0, visina));
    RasporediDelove();
}

void TSKEMGrupa::resizeEvent(QResizeEvent*) {
    RasporediDelove();
}

void TSKEMGrupa::RasporediDelove() {
    m_zaglavlje->setGeometry(0, 0, width(), VisinaZaglavlja);
    m_telo->setGeometry(0, VisinaZaglavlja, width(), m_telo->height());
    m_skroler->setGeometry(m_telo->rect());
    // Sizing a hidden scroller sends it no resize event until it is shown.
    m_skroler->PrilagodiKolone();
}

// --------------------------------------------------------------- TSKEMGroupBar

TSKEMGroupBar::TSKEMGroupBar(QWidget* roditelj) : QWidget(roditelj) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(QFont(QStringLiteral("Verdana"), 8));
}

void TSKEMGroupBar::UcitajKatalog(const QString& imeFajla) {
    QVector<TGrupaKataloga> grupe;
    try {
        ProcitajKatalog(imeFajla, grupe);
    } catch (const TGreskaKataloga&) {
        // What was read before the fault stays in the palette.
        for (const TGrupaKataloga& g : grupe)
            NapraviGrupu(g);
        throw;
    }
    for (const TGrupaKataloga& g : grupe)
        NapraviGrupu(g);
}

TSKEMGrupa* TSKEMGroupBar::NapraviGrupu(const TGrupaKataloga& grupa) {
    auto* g = new TSKEMGrupa(this);
    g->PostaviNaziv(grupa.Naziv);
    g->Skroler()->PostaviSlike(m_slike);
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
    m_grupe.append(grupa);
    if (isVisible()) grupa->show();
    PostaviAktivnuGrupu(m_grupe.first());
}

void TSKEMGroupBar::PostaviAktivnuGrupu(TSKEMGrupa* grupa) {
    m_aktivna = grupa;
    int raspolozivo = height() - 3;
    for (TSKEMGrupa* g : m_grupe)
        if (!g->isHidden()) raspolozivo -= g->Zaglavlje()->height();
    if (!m_aktivna) return;

    // Hidden groups take their place too: the first group's header lies in
    // the band above the top edge whether it is shown or not.
    int vrh = -TSKEMGrupa::VisinaZaglavlja;
    for (TSKEMGrupa* g : m_grupe) {
        const int zaglavlje = g->Zaglavlje()->height();
        if (g == m_aktivna) {
            g->setGeometry(0, vrh, width(), std::max(0, raspolozivo) + zaglavlje);
            g->PostaviVisinuTela(raspolozivo);
        } else {
            g->setGeometry(0, vrh, width(), zaglavlje);
            // A hidden group gets no resize event: its scroller follows the width here.
            g->PostaviVisinuTela(g->Telo()->height());
        }
        vrh += g->height();
    }
}

void TSKEMGroupBar::PostaviSlike(const TListaSlika* slike) {
    m_slike = slike;
    for (TSKEMGrupa* g : m_grupe)
        g->Skroler()->PostaviSlike(slike);
}

void TSKEMGroupBar::PrikaziSve() {
    for (int i = 0; i < m_grupe.size(); ++i)
        m_grupe[i]->setVisible(i == 0);
    PostaviAktivnuGrupu(m_grupe.isEmpty() ? nullptr : m_grupe.first());
    update();
}

bool TSKEMGroupBar::PrikaziPoGrupama() {
    if (m_grupe.size() < 2) {
        PrikaziSve();
        return false;
    }
    for (int i = 0; i < m_grupe.size(); ++i)
        m_grupe[i]->setVisible(i != 0);
    PostaviAktivnuGrupu(m_grupe[1]);
    update();
    return true;
}

void TSKEMGroupBar::resizeEvent(QResizeEvent*) {
    PostaviAktivnuGrupu(m_aktivna);
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
