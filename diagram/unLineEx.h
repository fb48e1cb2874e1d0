#pragma once
// TLineEx: a TLine with a small circle marking its first point and a Tip that
// says which end marks a connection segment shows.

#include "unLine.h"

// Which ends of a connection's segment are marked: the first segment starts
// at a block (circle), a middle one runs between holders, the last one ends
// at the input (arrow), and a segment without holders does both.
enum TVrhLinije : quint8 { vlKrug = 1, vlBez = 2, vlStrelica = 3, vlKrugIStrelica = 4 };

class TLineEx : public TLine {
public:
    enum { Type = vsLineEx };
    explicit TLineEx(QGraphicsItem* roditelj = nullptr);
    int type() const override { return Type; }

    quint8 Tip() const { return tip; }
    QColor KrugColor() const { return BojaKruga; }
    // Accepted only for the four TVrhLinije values; others are ignored.
    virtual void SetTip(int v);
    virtual void SetKrugColor(const QColor& v);

    // The arrow side last chosen for the segment, kept so the circle can be
    // placed at the first point even when the arrows are not drawn.
    TShowArrows StranaStrelice() const { return strana; }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcije, QWidget* vidzet) override;

protected:
    TShowArrows CrtaneStrelice() const override;
    void PostaviStranuStrelice(TShowArrows s) { strana = s; }

private:
    quint8 tip = 0;
    QColor BojaKruga = Qt::black;
    TShowArrows strana = saNone;
};
