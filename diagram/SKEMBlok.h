#pragma once
// TSKEMBlok: one element of a diagram on the workspace. It shows the
// element's picture, its local number and a selection frame, is dragged and
// turned by the user, records the connections at its inputs and output and
// moves their ends with it. It never creates or deletes connections: it keeps
// the lists and notifies. The engine reads it through TBlokPogled.

#include "Obavestenja.h"
#include "SimulacijaPogled.h"

#include <memory>

#include <QGraphicsItem>
#include <QList>
#include <QPoint>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QGraphicsSceneMouseEvent;
class TListaSlika;
class TVeza;
namespace skem {
struct TPodsistemModela;
}

// The side of a block its output is on; the inputs are on the opposite side.
// Documents store the number; a damaged file may hold any other.
enum TSmer : quint8 { smLevo = 1, smDole = 2, smDesno = 3, smGore = 4 };

class TSKEMBlok : public QGraphicsItem, public skem::TBlokPogled {
public:
    enum { Type = vsBlok };
    static constexpr int Sirina = 66;
    static constexpr int Visina = 52;

    explicit TSKEMBlok(QGraphicsItem* roditelj = nullptr);
    ~TSKEMBlok() override;
    int type() const override { return Type; }

    // Identity and data.
    quint8 Sifra = 0;
    QString Naziv;
    int LokalniBroj() const { return lokalniBroj; }
    void SetLokalniBroj(int v);
    double Parametar1 = 0, Parametar2 = 0, Parametar3 = 0;
    quint8 brparam = 0;
    int MaxUlaznihVeza = 0;
    std::array<QString, 6> Natpisi; // labels of parameters 1..3, then inputs 1..3
    // Function-generator ordinates when set; otherwise the defaults from the parameters.
    std::optional<std::array<double, 11>> Ordinate;

    // A TSmer, or whatever number a document held.
    quint8 Smer = smLevo;

    bool Aktivno() const { return aktivno; }
    // Assigning true always raises OnAktiviran, even when already selected.
    void SetAktivno(bool v);
    int ImageIndex() const { return indeksSlike; }
    void SetImageIndex(int v);

    const TListaSlika* SlikeLevo = nullptr;
    const TListaSlika* SlikeDesno = nullptr;
    const TListaSlika* SlikeDole = nullptr;
    const TListaSlika* SlikeGore = nullptr;
    const TListaSlika* AktivneSlike = nullptr;

    // Input slots 0..2 and the outgoing connections (neither owned).
    std::array<TVeza*, 3> Ulazi{nullptr, nullptr, nullptr};
    QList<TVeza*> Izlazi;
    // A subsystem's slots from 3 on.
    QList<TVeza*> DaljiUlazi;
    // A subsystem's content (ModelDokumenta.h), kept as the document has it;
    // its ports give the block its inputs and outputs.
    std::shared_ptr<const skem::TPodsistemModela> Podsistem;
    // How many outputs the block has: a subsystem one per output port, any
    // other block one.
    int BrojIzlaza() const;
    // The output nearest a point of the surface.
    int NajbliziIzlaz(QPointF tacka) const;
    int BrojSlotova() const { return 3 + int(DaljiUlazi.size()); }

    std::function<void(TSKEMBlok*)> OnAktiviran;
    std::function<void(TSKEMBlok*)> OnPromenaSmera;
    // A press on the block; the handler may start a drag (ZapocniVucenje).
    std::function<void(TSKEMBlok*, QGraphicsSceneMouseEvent*)> OnPritisnut;
    // A double click; unassigned, it counts as a second press.
    std::function<void(TSKEMBlok*, QGraphicsSceneMouseEvent*)> OnDvostrukiKlik;
    // While dragged: the block's top-left corner would go to `cilj`. The
    // handler moves it (and whatever moves with it); unassigned, the block
    // moves itself, no closer than 8 pixels to the surface's left and top.
    std::function<void(TSKEMBlok*, QPoint cilj)> OnVucenje;
    std::function<void(TSKEMBlok*)> OnBlokMouseMove;
    std::function<void(TSKEMBlok*)> OnChange;

    // From this press on, the block follows the pointer until the release,
    // held at `hvataliste` (item coordinates).
    void ZapocniVucenje(QPointF hvataliste);

    int Left() const { return qRound(pos().x()); }
    int Top() const { return qRound(pos().y()); }
    void PostaviPoziciju(int left, int top) { setPos(left, top); }

    void PostaviSmer(int d);
    void RotirajD();
    void RotirajL();
    void OsveziVeze();
    void DodajIzlaz(TVeza* c);
    void UkloniIzlaz(TVeza* c);
    void PoveziUlaz(TVeza* c, int k);
    void OdvojiUlaz(TVeza* c);
    int IndeksUlaza(const TVeza* c) const;
    TSKEMBlok* IzvorUlaza(int k) const;
    // Where output k (a subsystem's k-th) leaves the block.
    QPoint TackaIzlaza(int k = 0) const;
    QPoint TackaUlaza(const TVeza* c) const;

    // What the engine reads.
    std::uint8_t SifraBloka() const override { return Sifra; }
    int LokalniBrojBloka() const override { return lokalniBroj; }
    double ParametarBloka(int k) const override;
    std::array<double, 11> OrdinateBloka() const override;
    bool OrdinateIzParametara() const override { return !Ordinate; }
    const skem::TBlokPogled* IzvorUlazaBloka(int k) const override { return IzvorUlaza(k); }

    // A subsystem's names of its ports in the order of their numbers.
    QStringList ImenaPortova(bool ulazi) const;

    QRectF boundingRect() const override { return QRectF(0, 0, Sirina, Visina); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcije, QWidget* vidzet) override;

protected:
    QVariant itemChange(GraphicsItemChange promena, const QVariant& vrednost) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* e) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* e) override;

private:
    bool vucem = false;
    QPoint hvataliste;
    bool aktivno = false;
    int indeksSlike = 0;
    int lokalniBroj = 0;
};
