#include "SKEMBlok.h"

#include "ListaSlika.h"
#include "ModelDokumenta.h"
#include "SKEMRadnaPovrsina.h"
#include "VrsteElemenata.h"
#include "unVeza.h"

#include <QFont>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

TSKEMBlok::TSKEMBlok(QGraphicsItem* roditelj) : QGraphicsItem(roditelj) {
    setFlag(ItemSendsGeometryChanges);
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::AllButtons);
    PostaviSmer(smLevo);
}

TSKEMBlok::~TSKEMBlok() {
    // No selection logic may run while the block goes away.
    OnAktiviran = nullptr;
}

void TSKEMBlok::SetLokalniBroj(int v) {
    if (v == lokalniBroj) return;
    lokalniBroj = v;
    update();
}

void TSKEMBlok::SetAktivno(bool v) {
    if (v != aktivno) {
        aktivno = v;
        update();
    }
    if (aktivno) Javi(OnAktiviran, this);
}

void TSKEMBlok::SetImageIndex(int v) {
    if (!AktivneSlike) {
        indeksSlike = v;
        return;
    }
    if (v < AktivneSlike->Count() && v != indeksSlike) {
        indeksSlike = v;
        update();
    }
}

void TSKEMBlok::PostaviSmer(int d) {
    Smer = quint8(d);
    switch (d) {
    case smLevo:
        AktivneSlike = SlikeLevo;
        break;
    case smDole:
        AktivneSlike = SlikeDole;
        break;
    case smDesno:
        AktivneSlike = SlikeDesno;
        break;
    case smGore:
        AktivneSlike = SlikeGore;
        break;
    default:
        AktivneSlike = nullptr;
        break;
    }
    OsveziVeze();
    Javi(OnPromenaSmera, this);
}

// Turning clockwise takes the output from left to up to right to down.
void TSKEMBlok::RotirajD() {
    PostaviSmer(Smer < smDole ? smGore : Smer - 1);
    OsveziVeze();
    update();
    Javi(OnChange, this);
}

void TSKEMBlok::RotirajL() {
    PostaviSmer(Smer > smDesno ? smLevo : Smer + 1);
    OsveziVeze();
    update();
    Javi(OnChange, this);
}

void TSKEMBlok::OsveziVeze() {
    const QList<TVeza*> izlazi = Izlazi;
    for (TVeza* c : izlazi)
        if (!c->JeJunction) c->PostaviPocetak(TackaIzlaza(c->IzlazPocBloka));
    for (TVeza* c : izlazi)
        c->Osvezi();
    for (int k = 0; k < BrojSlotova(); ++k) {
        TVeza* c = k < 3 ? Ulazi[size_t(k)] : DaljiUlazi[k - 3];
        if (!c) continue;
        c->PostaviKraj(TackaUlaza(c));
        c->Osvezi();
    }
    update();
}

int TSKEMBlok::BrojIzlaza() const {
    if (!Podsistem) return 1;
    return int(
        Podsistem->Sadrzaj.Portovi(skem::SifraVrste(skem::TVrstaElementa::IzlazPodsistema)).size());
}

int TSKEMBlok::NajbliziIzlaz(QPointF tacka) const {
    int najblizi = 0;
    double razmak = 0;
    for (int k = 0; k < BrojIzlaza(); ++k) {
        const QPointF d = tacka - QPointF(TackaIzlaza(k));
        const double r = d.x() * d.x() + d.y() * d.y();
        if (k == 0 || r < razmak) {
            najblizi = k;
            razmak = r;
        }
    }
    return najblizi;
}

QStringList TSKEMBlok::ImenaPortova(bool ulazi) const {
    QStringList imena;
    if (!Podsistem) return imena;
    const skem::TModelDokumenta& m = Podsistem->Sadrzaj;
    const std::vector<int> portovi = m.Portovi(skem::SifraVrste(
        ulazi ? skem::TVrstaElementa::UlazPodsistema : skem::TVrstaElementa::IzlazPodsistema));
    for (size_t k = 1; k <= portovi.size(); ++k) {
        QString ime;
        for (int p : portovi)
            if (skem::BrojPorta(m.Blokovi[size_t(p)]) == int(k))
                ime = skem::ImePorta(m.Blokovi[size_t(p)]);
        imena << ime;
    }
    return imena;
}

void TSKEMBlok::DodajIzlaz(TVeza* c) {
    Izlazi.append(c);
    Javi(OnChange, this);
}

void TSKEMBlok::UkloniIzlaz(TVeza* c) {
    Izlazi.removeOne(c);
    Javi(OnChange, this);
}

void TSKEMBlok::PoveziUlaz(TVeza* c, int k) {
    if (k >= 0 && k < int(Ulazi.size())) {
        Ulazi[k] = c;
    } else if (k >= 3 && Podsistem) {
        while (DaljiUlazi.size() <= k - 3)
            DaljiUlazi.append(nullptr);
        DaljiUlazi[k - 3] = c;
    }
    Javi(OnChange, this);
}

void TSKEMBlok::OdvojiUlaz(TVeza* c) {
    if (const int k = IndeksUlaza(c); k >= 0) {
        if (k < 3)
            Ulazi[size_t(k)] = nullptr;
        else
            DaljiUlazi[k - 3] = nullptr;
    }
    Javi(OnChange, this);
}

int TSKEMBlok::IndeksUlaza(const TVeza* c) const {
    for (int k = 0; k < int(Ulazi.size()); ++k)
        if (Ulazi[k] == c) return k;
    for (int k = 0; k < DaljiUlazi.size(); ++k)
        if (DaljiUlazi[k] == c) return k + 3;
    return -1;
}

TSKEMBlok* TSKEMBlok::IzvorUlaza(int k) const {
    if (k < 0 || k >= BrojSlotova()) return nullptr;
    const TVeza* c = k < 3 ? Ulazi[size_t(k)] : DaljiUlazi[k - 3];
    return c ? c->PocBlok : nullptr;
}

QPoint TSKEMBlok::TackaIzlaza(int k) const {
    const int L = Left(), T = Top(), W = Sirina, H = Visina;
    // A subsystem's outputs share the side as inputs do theirs; one output is in the middle.
    const int n = std::max(BrojIzlaza(), 1);
    const int y = (k + 1) * H / (n + 1), x = (k + 1) * W / (n + 1);
    switch (Smer) {
    case smLevo:
        return QPoint(L, T + y);
    case smDole:
        return QPoint(L + x, T + H);
    case smDesno:
        return QPoint(L + W, T + y);
    case smGore:
        return QPoint(L + x, T);
    default:
        return QPoint(0, 0);
    }
}

QPoint TSKEMBlok::TackaUlaza(const TVeza* c) const {
    const int L = Left(), T = Top(), W = Sirina, H = Visina;
    const int k = IndeksUlaza(c) + 1;
    // A damaged input limit (from a file) must neither divide by zero nor overflow.
    const int delilac = static_cast<int>(std::max<qint64>(qint64(MaxUlaznihVeza) + 1, 1));
    switch (Smer) {
    case smLevo:
        return QPoint(L + W, T + k * (H / delilac));
    case smDole:
        return QPoint(L + k * (W / delilac), T);
    case smDesno:
        return QPoint(L, T + k * (H / delilac));
    case smGore:
        return QPoint(L + k * (W / delilac), T + H);
    default:
        return QPoint(0, 0);
    }
}

double TSKEMBlok::ParametarBloka(int k) const {
    switch (k) {
    case 1:
        return Parametar1;
    case 2:
        return Parametar2;
    case 3:
        return Parametar3;
    default:
        return 0;
    }
}

std::array<double, 11> TSKEMBlok::OrdinateBloka() const {
    return Ordinate ? *Ordinate : skem::PodrazumevaneOrdinate(Parametar1, Parametar2);
}

void TSKEMBlok::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) {
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->fillRect(QRectF(0, 0, Sirina, Visina), Qt::white);
    p->setPen(QPen(Qt::black, 1, Qt::SolidLine));
    p->setBrush(Qt::white);
    p->drawRoundedRect(QRectF(0.5, 0.5, Sirina - 1, Visina - 1), 5, 5);
    if (aktivno) {
        p->setPen(QPen(Qt::blue, 1, Qt::DotLine));
        p->setBrush(Qt::NoBrush);
        p->drawRoundedRect(QRectF(2.5, 2.5, Sirina - 5, Visina - 5), 5, 5);
    }
    if (AktivneSlike) AktivneSlike->Nacrtaj(*p, 20, 5, indeksSlike);
    QFont slova(QStringLiteral("Verdana"));
    slova.setPixelSize(11);
    slova.setBold(true);
    p->setFont(slova);
    p->setPen(Qt::black);
    p->setBrush(Qt::NoBrush);
    p->drawText(QRect(5, 5, Sirina - 10, 16), Qt::AlignLeft | Qt::AlignTop,
                QString::number(lokalniBroj));
    if (skem::JePortPodsistema(skem::VrstaIzSifre(Sifra)) || Podsistem) {
        slova.setPixelSize(8);
        slova.setBold(false);
        p->setFont(slova);
        // A port: its number and name under the picture.
        if (!Podsistem) {
            const QString natpis = QString::number(Parametar1) + QStringLiteral(": ") + Natpisi[1];
            p->drawText(QRect(3, Visina - 11, Sirina - 6, 10), Qt::AlignHCenter | Qt::AlignBottom,
                        p->fontMetrics().elidedText(natpis, Qt::ElideRight, Sirina - 6));
        } else if (Smer == smLevo || Smer == smDesno) {
            // The ports' names beside the inputs and the outputs.
            const bool desno = Smer == smDesno;
            const QStringList ulazi = ImenaPortova(true), izlazi = ImenaPortova(false);
            const auto nacrtaj = [&](const QStringList& imena, bool levo) {
                for (int k = 0; k < imena.size(); ++k) {
                    const int y = (k + 1) * Visina / (int(imena.size()) + 1);
                    p->drawText(QRect(3, y - 5, Sirina / 2 - 3, 10),
                                (levo ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                                imena[k]);
                }
            };
            p->save();
            nacrtaj(desno ? ulazi : izlazi, true);
            p->translate(Sirina / 2, 0);
            nacrtaj(desno ? izlazi : ulazi, false);
            p->restore();
        } else if (Smer == smDole || Smer == smGore) {
            // Along the top and bottom edges, each name under (over) its
            // port in a strip as thin as the letters, so the picture between
            // stays clear; a name longer than its share is cut short.
            const bool dole = Smer == smDole;
            const auto nacrtaj = [&](const QStringList& imena, bool gore) {
                const int n = int(imena.size());
                const int udeo = n == 1 ? Sirina - 4 : Sirina / (n + 1);
                const QRect traka(0, gore ? 1 : Visina - 10, Sirina, 9);
                for (int k = 0; k < n; ++k) {
                    const int x = (k + 1) * Sirina / (n + 1);
                    const QRect mesto = QRect(x - udeo / 2, traka.top(), udeo, traka.height()) &
                                        QRect(2, 0, Sirina - 4, Visina);
                    p->drawText(
                        mesto, Qt::AlignHCenter | Qt::AlignVCenter,
                        p->fontMetrics().elidedText(imena[k], Qt::ElideRight, mesto.width()));
                }
            };
            nacrtaj(ImenaPortova(true), dole);
            nacrtaj(ImenaPortova(false), !dole);
        }
    }
    p->restore();
}

QVariant TSKEMBlok::itemChange(GraphicsItemChange promena, const QVariant& vrednost) {
    if (promena == ItemPositionHasChanged) OsveziVeze();
    if (promena == ItemPositionHasChanged || promena == ItemSceneHasChanged)
        TSKEMRadnaPovrsina::ObuhvatiStavku(this);
    return QGraphicsItem::itemChange(promena, vrednost);
}

void TSKEMBlok::mousePressEvent(QGraphicsSceneMouseEvent* e) {
    e->accept();
    vucem = false;
    Javi<TSKEMBlok*, QGraphicsSceneMouseEvent*>(OnPritisnut, this, e);
}

void TSKEMBlok::ZapocniVucenje(QPointF tacka) {
    DonesiNapred(this);
    vucem = true;
    hvataliste = QPoint(int(std::floor(tacka.x())), int(std::floor(tacka.y())));
}

void TSKEMBlok::mouseMoveEvent(QGraphicsSceneMouseEvent* e) {
    Javi(OnBlokMouseMove, this);
    if (!vucem) return;
    const int x = int(std::floor(e->pos().x()));
    const int y = int(std::floor(e->pos().y()));
    const QPoint cilj(Left() + x - hvataliste.x(), Top() + y - hvataliste.y());
    if (OnVucenje)
        Javi<TSKEMBlok*, QPoint>(OnVucenje, this, cilj);
    else
        setPos(std::max(8, cilj.x()), std::max(8, cilj.y()));
    Javi(OnChange, this);
}

void TSKEMBlok::mouseReleaseEvent(QGraphicsSceneMouseEvent*) {
    vucem = false;
}

void TSKEMBlok::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* e) {
    if (!OnDvostrukiKlik) {
        mousePressEvent(e);
        return;
    }
    e->accept();
    vucem = false;
    Javi<TSKEMBlok*, QGraphicsSceneMouseEvent*>(OnDvostrukiKlik, this, e);
}

void TSKEMBlok::hoverMoveEvent(QGraphicsSceneHoverEvent*) {
    Javi(OnBlokMouseMove, this);
}
