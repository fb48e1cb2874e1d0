#pragma once
// TVeza: a connection from a block's output (or, for a junction connection,
// from a holder of another connection) to an input of another block. It is a
// plain object that owns its segments (TLinija) and holders (TDrzac), which
// are items of the workspace scene, and reports through notifications that
// the workspace subscribes to.

#include <QColor>
#include <QList>
#include <QPoint>
#include <functional>

class QGraphicsScene;
class TDrzac;
class TLine;
class TLinija;
class TSKEMBlok;

// What a left click on a segment does besides toggling the connection's
// selection: nothing more, add a holder (a bend) there, or add a holder from
// which a junction will start. The workspace's input tool decides.
enum class TKlikNaLiniji { SamoIzbor, DodajDrzac, DodajPocetakJunctiona };

class TVeza {
public:
    TVeza(QGraphicsScene* prozor, QPoint pocetak, QPoint kraj);
    ~TVeza();
    TVeza(const TVeza&) = delete;
    TVeza& operator=(const TVeza&) = delete;

    QList<TLinija*> Linije; // in path order; never empty
    QList<TDrzac*> Drzaci;  // in path order

    QColor Boja() const { return boja; }
    void SetBoja(const QColor& c);
    QPoint Pocetak() const { return pocetak; }
    QPoint Kraj() const { return kraj; }
    void PostaviPocetak(QPoint p);
    void PostaviKraj(QPoint p);
    QGraphicsScene* Prozor() const { return prozor; }

    TDrzac* AktivniDrzac = nullptr;
    TDrzac* PoslednjiDrzac = nullptr;

    bool Aktivno() const { return aktivno; }
    void SetAktivno(bool v);
    bool JeJunction = false;
    TSKEMBlok* PocBlok = nullptr;
    // Which output of PocBlok it starts at (a subsystem's; 0 for any other block).
    int IzlazPocBloka = 0;
    TSKEMBlok* KrajBlok = nullptr;
    TVeza* Roditelj = nullptr;

    std::function<void(TVeza*)> OnDrzacDodat;
    std::function<void(TVeza*)> OnAktivirana;
    std::function<void(TVeza*)> OnDeaktivirana;
    std::function<void(TVeza*)> OnDrzacIzabran;
    std::function<void(TVeza*)> OnOdvojiPocetak;
    std::function<void(TVeza*)> OnOdvojiKraj;
    std::function<void(TVeza*)> OnJunctionAktivirana;
    std::function<void(TVeza*)> OnJunctionDeaktivirana;
    std::function<void(TDrzac*)> OnDrzacOslobodjen;
    std::function<void(TVeza*)> OnDesniKlik;
    // A left click released on one of its segments (x, y in segment
    // coordinates); unassigned, the click only toggles the selection.
    std::function<void(TVeza*, TLine*, int, int)> OnLinijaKliknuta;
    std::function<void(TVeza*)> OnDrzacPomeren;

    void Osvezi();
    void Selektuj();
    void Deselektuj();
    // Adds a holder as a left click at p on the last segment would; returns it,
    // or nullptr when the spacing rule refused it.
    TDrzac* DodajDrzacNa(QPoint p);
    // Rebuilds a stored holder at p on the last segment, as the reader does:
    // without the spacing rule (holders may have been dragged close together),
    // ending deselected as after DodajDrzacNa, in time that does not grow with
    // the holders already there.
    TDrzac* ObnoviDrzac(QPoint p);
    void UkloniDrzac(TDrzac* h);
    void UkloniAktivniDrzac() { UkloniDrzac(AktivniDrzac); }
    // Starts a junction at PoslednjiDrzac, ending at p; returns it (nullptr
    // without PoslednjiDrzac). The junction is the last entry of the holder's Junctions.
    TVeza* NapraviJunction(QPoint p);
    // The release handler of every segment (x, y in segment coordinates).
    void LinijaPustena(TLine* linija, Qt::MouseButton dugme, Qt::KeyboardModifiers shift, int x,
                       int y);
    // A left click at (x, y) of segment s: toggles the selection, then adds
    // what `sta` says (the spacing rule may refuse a holder).
    void KlikNaLiniju(TLine* s, int x, int y, TKlikNaLiniji sta);

    // The holder on which this junction starts (searched in Roditelj), or nullptr.
    TDrzac* PocetniDrzac() const;
    // The block at the root of the chain of parent connections.
    TSKEMBlok* KorenskiBlok() const;

private:
    TLinija* NovaLinija(QPoint a, QPoint b);
    // Creates a holder at (left, top) splitting segment s; returns it.
    TDrzac* UmetniDrzac(TLinija* s, int left, int top);
    void PretplatiSe(TDrzac* h);
    void DrzacPomeren(TDrzac* h);
    void DrzacKliknut(TDrzac* h);
    void SviDrzaciNeaktivni(TDrzac* osim = nullptr);
    void SveLinijeSelektovane(bool v);
    void OsveziLiniju(TLinija* s, QPoint a, QPoint b);

    QColor boja = Qt::black;
    QPoint pocetak, kraj;
    QGraphicsScene* prozor = nullptr;
    bool aktivno = false;
    bool pravimDrzac = false; // DodajDrzacNa is running
    TDrzac* poslednjiDodat = nullptr;
};
