#pragma once
// The workspace's input tools, one object per mode of the surface: selecting
// and dragging, adding a holder, drawing a connection, drawing a junction.
// The workspace hands every press, move and key on its items and its free
// surface to the tool of the current mode; the items only report what was
// hit. The tool decides what that means, including which input of its end
// block a drawn connection may take.

#include "SKEMRadnaPovrsina.h"
#include "unVeza.h"

#include <QSet>
#include <memory>

class QGraphicsRectItem;
class QGraphicsSceneMouseEvent;
class QKeyEvent;
class TLine;

// Selecting: a press on a block selects it and drags it (with the other
// selected blocks), Ctrl+click adds it to the selection or takes it out, a
// frame drawn on the free surface selects the blocks it touches, a double
// click asks for the block's parameters; a click on a connection toggles its
// selection. The other tools start from this one.
class TAlatPovrsine {
public:
    explicit TAlatPovrsine(TSKEMRadnaPovrsina& povrsina);
    virtual ~TAlatPovrsine();
    TAlatPovrsine(const TAlatPovrsine&) = delete;
    TAlatPovrsine& operator=(const TAlatPovrsine&) = delete;

    // The mode is chosen (again): what an earlier use left is forgotten.
    virtual void Pocni();

    // Reports of the items.
    virtual void BlokPritisnut(TSKEMBlok* b, QGraphicsSceneMouseEvent* e);
    virtual void BlokDvaputKliknut(TSKEMBlok* b, QGraphicsSceneMouseEvent* e);
    // Dragged block b would go to `cilj`: it moves, and the other selected
    // blocks by as much, none closer than 8 pixels to the left and top edges.
    void BlokVucen(TSKEMBlok* b, QPoint cilj);
    // The pointer is over block b (also while it is dragged).
    virtual void BlokPredjen(TSKEMBlok*) {}
    // A left click on segment s of connection c.
    void LinijaKliknuta(TVeza* c, TLine* s, int x, int y);
    // A click added a holder to the completed connection g.
    virtual void DrzacDodat(TVeza* g);
    // A holder of the completed connection g was pressed.
    virtual void DrzacIzabran(TVeza*) {}
    // Connection c is being deleted.
    virtual void VezaUklonjena(const TVeza*) {}

    // The connection drawn up to its end block takes one of its inputs.
    virtual TIshodVeze PrihvatiVezu(const TIzborUlazaVeze&) { return TIshodVeze::NemaVeze; }

    // The free surface and the keys: alike in every mode.
    void PovrsinaPritisnuta(QGraphicsSceneMouseEvent* e);
    void PovrsinaPredjena(QGraphicsSceneMouseEvent* e);
    // Any release, after the item that took the press had it.
    void Pusteno(QGraphicsSceneMouseEvent* e);
    void TasterPritisnut(QKeyEvent* e);

protected:
    // Whether a press on the free surface starts a selection frame.
    virtual bool BiraOkvirom() const { return true; }
    // What a click on a completed connection's segment adds in this mode.
    virtual TKlikNaLiniji KlikNaVezi(const TVeza*) const { return TKlikNaLiniji::SamoIzbor; }

    TSKEMRadnaPovrsina& rp;

private:
    void ZavrsiOkvir();

    // The selection frame being drawn, where it started, and whether it adds
    // to the selection (Ctrl).
    std::unique_ptr<QGraphicsRectItem> okvir;
    QPointF pocetakOkvira;
    bool okvirDodaje = false;
    // A press on one of several selected blocks: unless it drags them, the
    // release leaves that block alone selected.
    TSKEMBlok* samoOvajAkoNePomeri = nullptr;
};

// Adding a holder: a click on a connection puts one bend there, and the
// mode ends with it.
class TAlatDrzaca : public TAlatPovrsine {
public:
    using TAlatPovrsine::TAlatPovrsine;

protected:
    TKlikNaLiniji KlikNaVezi(const TVeza*) const override { return TKlikNaLiniji::DodajDrzac; }
    bool BiraOkvirom() const override { return false; }
};

// What drawing a connection and drawing a junction share: the loose end
// follows the pointer to a block's input side, clicks on the drawing place
// bends, and the finished drawing is checked against its end block.
class TAlatCrtanjaVeze : public TAlatPovrsine {
public:
    TAlatCrtanjaVeze(TSKEMRadnaPovrsina& povrsina, bool junction)
        : TAlatPovrsine(povrsina), crtaJunction(junction) {}

    void BlokPredjen(TSKEMBlok* b) override;
    // A double click is two presses, as every click counts while drawing.
    void BlokDvaputKliknut(TSKEMBlok* b, QGraphicsSceneMouseEvent* e) override {
        BlokPritisnut(b, e);
    }
    TIshodVeze PrihvatiVezu(const TIzborUlazaVeze& izbor) override;

protected:
    bool BiraOkvirom() const override { return false; }

private:
    // Tells the user why and takes the drawing away (with the holder made for
    // a refused junction, unless other junctions start there by now).
    void Odbij(const QString& poruka);

    bool crtaJunction;
};

// Drawing a connection: a click on a block starts it there, clicks on the
// surface's drawing place bends, a click on another block ends it, and a
// click on the start block gives it up.
class TAlatVeze : public TAlatCrtanjaVeze {
public:
    explicit TAlatVeze(TSKEMRadnaPovrsina& povrsina) : TAlatCrtanjaVeze(povrsina, false) {}

    void BlokPritisnut(TSKEMBlok* b, QGraphicsSceneMouseEvent* e) override;
    // The mode stays on while the drawing gets its bends.
    void DrzacDodat(TVeza*) override {}

private:
    void Zapocni(TSKEMBlok* s, int izlaz);
    void Zavrsi(TSKEMBlok* d);
};

// Drawing a junction: a click on a connection adds a holder there (a press
// on a holder takes that one) and a junction starts at it; a click on a
// block ends it there. On a connection whose holder was chosen, further
// clicks only select.
class TAlatJunctiona : public TAlatCrtanjaVeze {
public:
    explicit TAlatJunctiona(TSKEMRadnaPovrsina& povrsina) : TAlatCrtanjaVeze(povrsina, true) {}

    void Pocni() override {
        TAlatCrtanjaVeze::Pocni();
        saIzabranimDrzacem.clear();
    }
    void BlokPritisnut(TSKEMBlok* b, QGraphicsSceneMouseEvent* e) override;
    void DrzacDodat(TVeza* g) override;
    void DrzacIzabran(TVeza* g) override;
    void VezaUklonjena(const TVeza* c) override { saIzabranimDrzacem.remove(c); }

protected:
    TKlikNaLiniji KlikNaVezi(const TVeza* c) const override;

private:
    void Zapocni(TVeza* g, bool noviDrzac);
    void Zavrsi(TSKEMBlok* d);

    QSet<const TVeza*> saIzabranimDrzacem;
};
