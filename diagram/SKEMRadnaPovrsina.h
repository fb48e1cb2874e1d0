#pragma once
// TSKEMRadnaPovrsina: the drawing surface of the diagram editor (a scene of
// at least 1500 x 1500 that grows to hold every block and holder) and the
// owner of the document's blocks and connections. It accepts blocks dropped
// from the palette, keeps the mode in which the user edits and hands every
// press, move and key to that mode's input tool (AlatiPovrsine.h), keeps the
// selection, deletes, renumbers and clears, and tells the main window through
// its events. TSKEMPogled is the scrolling view that shows it.

#include "MetodIntegracije.h"
#include "ModelDokumenta.h"
#include "StavkaKataloga.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TAlatPovrsine;
class TDrzac;
class TLine;
class TListaSlika;
class TSKEMBlok;
class TVeza;

// The workspace's modes: selecting and dragging, adding one holder, drawing a
// connection, drawing a junction; and clearing, while the document goes.
enum TRPStanje { rpsSelektuj, rpsDodajDrzac, rpsDodajVezuEx, rpsKreirajJunctionEx, rpsBrisem };

// How a connection drawn up to its end block came out.
enum class TIshodVeze {
    NemaVeze, // no connection was waiting for its input
    Odbijena, // the end block takes no more inputs; the user was told why
    Otkazana, // the user chose no input; the connection is gone
    Povezana, // it feeds the chosen input
};

// Asks the user which input of block `kraj` a new connection feeds; only the
// inputs `slobodni` marks may be chosen. Returns the slot (0..2; a subsystem may have
// more), or -1 for none.
using TIzborUlazaVeze =
    std::function<int(const TSKEMBlok& kraj, const std::array<bool, 3>& slobodni)>;

// A level of the document above the one on the surface, while a subsystem
// is open (Podsistemi.h): its model, in which the opened subsystem's content
// is the one it had when opened (the surface holds the truth), the opened
// block's position in it, and where its view was scrolled.
struct TNivoPovrsine {
    skem::TModelDokumenta Model;
    int Blok = -1;
    QPoint Skrol;
};

class TSKEMRadnaPovrsina : public QGraphicsScene {
    Q_OBJECT
public:
    // The size of an empty surface; it never gets smaller while editing.
    static constexpr int Sirina = 1500;
    static constexpr int Visina = 1500;
    // Room kept beyond an item near an edge, so it can be dragged on.
    static constexpr int Rub = 200;

    explicit TSKEMRadnaPovrsina(QObject* roditelj = nullptr);
    ~TSKEMRadnaPovrsina() override;

    // Picture sets handed to new blocks.
    const TListaSlika* SlikeLevo = nullptr;
    const TListaSlika* SlikeDesno = nullptr;
    const TListaSlika* SlikeGore = nullptr;
    const TListaSlika* SlikeDole = nullptr;

    TRPStanje Stanje() const { return stanje; }
    // Changes the mode (its tool starts afresh); always raises OnStanjeChange.
    void SetStanje(TRPStanje s);

    TSKEMBlok* SelektovaniBlok = nullptr;
    TVeza* SelektovanaVeza = nullptr;
    TDrzac* SelektovaniDrzac = nullptr;
    QList<TVeza*> Veze; // finished connections, in creation order; owned
    TVeza* VezaUIzradi = nullptr;
    TSKEMBlok* PocetniBlok = nullptr;
    // The holder made for the junction being drawn (still set while OnPoveziVezu
    // runs); null when the junction started at a holder that was there before,
    // or when the junction command ended while it was drawn (the holder was
    // kept then, as a bend of its own).
    TDrzac* NoviDrzacJunctiona() const { return drzacJunctionaNov ? drzacJunctiona : nullptr; }
    QString OpisProblema;
    // The integration method saved with the document; none: RK4.
    std::optional<skem::TMetodDokumenta> MetodIntegracije;
    // The lab's settings saved with the document (watched blocks, sliders).
    skem::TLaboratorijaModela Laboratorija;
    QPoint PozicijaSkrola;
    // The levels above the surface's, the document's top first; none while
    // the top is shown. Emptied with the surface.
    std::vector<TNivoPovrsine> Nivoi;

    // The blocks in component (creation) order.
    QList<TSKEMBlok*> Blokovi() const { return blokovi; }

    std::function<void(TSKEMRadnaPovrsina*)> OnSelectBlok;
    std::function<void(TSKEMRadnaPovrsina*)> OnSelectBlokZaInsp;
    std::function<void(TSKEMRadnaPovrsina*)> OnStanjeChange;
    std::function<void(TSKEMRadnaPovrsina*)> OnChange;
    std::function<void(TSKEMRadnaPovrsina*)> OnDropBlok;
    std::function<void(TSKEMRadnaPovrsina*)> OnPoveziVezu;
    std::function<void(TSKEMRadnaPovrsina*)> OnBrisiBlok;
    // A double click on the selected block (SelektovaniBlok): its parameters
    // are to be edited.
    std::function<void(TSKEMRadnaPovrsina*)> OnParametriBloka;
    // A library item dropped at `tacka`: its document is to be inserted there.
    std::function<void(const QByteArray& dokument, QPoint tacka)> OnSpustiDokument;

    // Drops a palette item with its top-left corner at tacka (scene coordinates).
    TSKEMBlok* SpustiStavku(const TStavkaKataloga& stavka, QPoint tacka);
    // A new block with the workspace's handlers and pictures (for drops and
    // for the document reader); it is last in component order.
    TSKEMBlok* NapraviBlok();
    // Installs the notifications a connection gets when it is completed.
    void PoveziNotifikacije(TVeza* c);
    // For the handler of OnPoveziVezu: the connection just drawn gets an input
    // of its end block by the workspace's rules (a block without inputs or
    // with none free refuses it, with a message), `izbor` choosing among the
    // free ones (without it, the first); then the end block is selected.
    TIshodVeze PrihvatiVezuUIzradi(const TIzborUlazaVeze& izbor);

    void ObrisiSelektovano();
    void ObrisiBlok(TSKEMBlok* b);
    // Deletes the blocks with their connections as ObrisiBlok would one by
    // one, but renumbers and reports (OnChange, OnBrisiBlok) once at the end.
    void ObrisiBlokove(const QList<TSKEMBlok*>& lista);
    // The same blocks in another component order (a document brought back
    // by undo puts the blocks it makes where they were).
    void PostaviRedosledBlokova(const QList<TSKEMBlok*>& redosled) { blokovi = redosled; }
    void ObrisiVezu(TVeza* c);
    template <class Lista> void ObrisiVeze(const Lista& lista) {
        QList<TVeza*> kopija;
        for (TVeza* c : lista)
            kopija.append(c);
        ObrisiVezeIzListe(kopija);
    }
    void PostaviSelektovaniBlok(TSKEMBlok* b);

    // Names the step the user is taking, for the undo history ("brisanje
    // bloka 3"); the last name given since ZaboraviOpisKoraka holds
    // (a junction's holder, then the junction: the step is the junction).
    void OpisiKorak(const QString& opis);
    // The step's name, "izmena" when none was given.
    QString OpisKoraka() const;
    // The next step starts unnamed.
    void ZaboraviOpisKoraka() { opisKoraka.clear(); }

    // Several blocks may be selected at once (a frame drawn on the free
    // surface, Ctrl+click, Ctrl+A); SelektovaniBlok is the last one clicked,
    // the one the inspector shows. The selected blocks, in component order:
    QList<TSKEMBlok*> IzabraniBlokovi() const;
    void IzaberiSve();
    // Exactly these blocks selected.
    void IzaberiBlokove(const QList<TSKEMBlok*>& izabrani);
    // Selects the blocks the rectangle touches, besides those already
    // selected when `dodaj`.
    void IzaberiUPravougaoniku(const QRectF& r, bool dodaj);
    // Adds b to the selection, or takes it out; the inspector shows the last
    // one added.
    void PromeniIzbor(TSKEMBlok* b);
    // Turns every selected block; false when none is selected.
    bool RotirajIzabrane(bool udesno);
    void Prenumerisi();
    void Ocisti();
    void PostaviSkrol(QPoint p);

    // Grows the surface, when needed, to hold r with room beyond it. The
    // origin stays at (0, 0) unless something lies left of or above it.
    void Obuhvati(const QRectF& r);
    // For blocks and holders after every move: their workspace holds them.
    static void ObuhvatiStavku(const QGraphicsItem* stavka);

    // Handlers installed on blocks and connections.
    void SelektujBlok(TSKEMBlok* b);
    void OtkaziVezu(TVeza* c = nullptr);

    // The surface hidden while it is cleared; hidden, a selected block does
    // not take the focus.
    bool Vidljiva() const { return vidljiva; }
    void PostaviVidljivost(bool v);
    QGraphicsView* Pogled() const;

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void dragEnterEvent(QGraphicsSceneDragDropEvent* e) override;
    void dragMoveEvent(QGraphicsSceneDragDropEvent* e) override;
    void dragLeaveEvent(QGraphicsSceneDragDropEvent* e) override;
    void dropEvent(QGraphicsSceneDragDropEvent* e) override;

private:
    // The input tools work the drawing state below.
    friend class TAlatPovrsine;
    friend class TAlatCrtanjaVeze;
    friend class TAlatVeze;
    friend class TAlatJunctiona;

    // The tool of the current mode: the one place the mode is read for input.
    TAlatPovrsine& Alat() const;
    void ObrisiVezeIzListe(const QList<TVeza*>& lista);
    // Takes c off the list and deletes it; nothing keeps a pointer to it.
    void ZaboraviVezu(TVeza* c);
    // The segment-click handler of the connections: the current tool decides.
    std::function<void(TVeza*, TLine*, int, int)> KlikNaLinijuZaAlat();
    void UkloniIzJunctiona(TVeza* c);
    void UnistiBlok(TSKEMBlok* b);
    void DeselektujSve(TVeza* osim);
    void BlokoviNeaktivni(TSKEMBlok* osim);
    void PostaniAktivna();
    // Selects, besides the selected blocks, those `izaberi` takes; the last
    // one goes to the inspector.
    template <class Izbor> void ProsiriIzbor(Izbor izaberi);
    // Destroys the drawing in progress, however it ends. A holder made only
    // for a junction being drawn goes with it unless it is zadrzi or the
    // junction command ended meanwhile.
    void OdbaciVezuUIzradi(TDrzac* zadrzi = nullptr);
    bool PrihvataPrevlacenje(QGraphicsSceneDragDropEvent* e) const;
    template <class T> std::function<void(T*)> KopijaOnChange();

    void DrzacDodat(TVeza* g);
    void VezaAktivirana(TVeza* c);
    void VezaDeaktivirana(TVeza* c);
    void JunctionDeaktivirana(TVeza* c);
    void DrzacIzabran(TVeza* g);
    void DrzacOslobodjen(TDrzac* h);

    TRPStanje stanje = rpsSelektuj;
    std::array<std::unique_ptr<TAlatPovrsine>, rpsBrisem + 1> alati;
    QList<TSKEMBlok*> blokovi;
    bool vidljiva = true;
    QPixmap mreza; // the background pattern: white, pixel (0, 0) silver
    // The holder at which the junction being drawn starts, and whether it was
    // made for that junction by the junction command that is still on (a
    // discarded junction then takes it away again).
    TDrzac* drzacJunctiona = nullptr;
    bool drzacJunctionaNov = false;
    // While set, a block that becomes selected keeps the others selected.
    bool prosirujemIzbor = false;
    QString opisKoraka;
};

// The scroll box showing the workspace: follows the surface as it grows,
// keeps the scroll position across focus changes, passes the keys to the
// workspace, zooms (Ctrl+wheel about the pointer, Ctrl+plus, Ctrl+minus,
// Ctrl+0) and pans with the middle button. Everything on the surface is in
// diagram units, whatever the zoom.
class TSKEMPogled : public QGraphicsView {
    Q_OBJECT
public:
    explicit TSKEMPogled(TSKEMRadnaPovrsina* povrsina, QWidget* roditelj = nullptr);
    TSKEMRadnaPovrsina* Povrsina() const { return povrsina; }
    QPoint Skrol() const;
    void PostaviSkrol(QPoint p);

    // The zoom, 1 for 100 %.
    double Uvecanje() const { return uvecanje; }
    // Keeps the diagram point under `tacka` (viewport coordinates; the
    // viewport's centre without it) where it is.
    void PostaviUvecanje(double u, std::optional<QPoint> tacka = {});
    void Uvecaj(std::optional<QPoint> tacka = {});
    void Umanji(std::optional<QPoint> tacka = {});
    // The whole diagram in the window (100 % at most).
    void PrikaziSve();
    // Scrolls, when needed, so that `oblast` (diagram units) is in the view;
    // of one larger than the view, its top left part.
    void PrikaziOblast(const QRectF& oblast);
    // The part of the diagram in the view.
    QRectF VidljivaOblast() const;
    // A mouse button is down on the surface (a drag may be going on).
    bool MisPritisnut() const { return pritisnutaDugmad != 0; }
    static constexpr double NajmanjeUvecanje = 0.1;
    static constexpr double NajveceUvecanje = 8;
    std::function<void(TSKEMPogled*)> OnPromenaUvecanja;

protected:
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void PratiPovrsinu();

    TSKEMRadnaPovrsina* povrsina;
    double uvecanje = 1;
    // Where the middle button last was while it pans; none when it does not.
    std::optional<QPoint> pomeranje;
    int pritisnutaDugmad = 0;
};
