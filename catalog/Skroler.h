#pragma once
// The palette's item area: TSkroler, a vertically scrolling area that lays
// its items out in as many columns as fit, and TSkrolStavka, one block kind
// with its picture and caption, which the user drags onto the workspace.

#include "StavkaKataloga.h"

#include <QColor>
#include <QScrollArea>
#include <QVector>
#include <QWidget>

class QLabel;
class QMimeData;
class TListaSlika;
class TSkroler;

// One block kind in the palette. Dragging it carries its catalogue values
// (MimeStavkeKataloga); the workspace accepts drags only from this class.
class TSkrolStavka : public QWidget {
    Q_OBJECT
public:
    static constexpr int Velicina = 56;

    TSkrolStavka(TSkroler* vlasnik, const TStavkaKataloga& vrednosti, QWidget* roditelj);

    const TStavkaKataloga& Stavka() const { return stavka; }
    const QString& Naziv() const { return stavka.Naziv; }
    int ImageIndex() const { return stavka.ImageIndex; }
    int MaxUlaznihVeza() const { return stavka.MaxUlaznihVeza; }
    int BrojParam() const { return stavka.BrojParam; }
    const std::array<QString, 6>& Natpisi() const { return stavka.Natpisi; }

    // The caption under the item (a control of the scroller).
    QLabel* Labela() const { return labela; }
    void PostaviLabelu(QLabel* nova) { labela = nova; }

    // True while the mouse is over the item.
    bool Vruca() const { return vruca; }

    // What a drag of this item carries; the caller owns it.
    QMimeData* NapraviPodatkeZaPrevlacenje() const;
    // The picture shown under the pointer while dragging.
    QPixmap SlikaZaPrevlacenje() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    void Prevuci();

    TSkroler* skroler;
    TStavkaKataloga stavka;
    QLabel* labela = nullptr;
    bool vruca = false;
    QPoint pocetakPritiska;
    bool pritisnuta = false;
};

// A scrolling column of palette items with their captions, laid out in rows
// of as many columns as the width allows.
class TSkroler : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int SirinaLabele = TSkrolStavka::Velicina + 30;

    explicit TSkroler(QWidget* roditelj = nullptr);

    // The pictures the items draw (not owned); none makes the items red.
    const TListaSlika* Slike() const { return slike; }
    void PostaviSlike(const TListaSlika* nove);

    QColor Boja() const { return boja; }
    void PostaviBoju(const QColor& nova);

    // Adds an item and its caption at the end and places them.
    TSkrolStavka* DodajStavku(const TStavkaKataloga& stavka);
    void NapraviStavke(const QVector<TStavkaKataloga>& vrednosti);
    const QVector<TSkrolStavka*>& Stavke() const { return stavke; }

    // The column count for a width: 1 up to 65 pixels, then one per 80.
    static int BrojKolonaZaSirinu(int sirina);
    int BrojKolona() const { return brojKolona; }
    // Recomputes the column count from the current width and lays the items
    // out again only when it changed. Runs on every resize; the group calls
    // it after sizing the scroller, also while hidden.
    void PrilagodiKolone();

protected:
    void resizeEvent(QResizeEvent*) override;
    bool viewportEvent(QEvent*) override;

private:
    void RasporediStavke();
    void UklopiNatpis(QLabel* labela);
    void PrilagodiSadrzaj();

    QWidget* sadrzaj;
    const TListaSlika* slike = nullptr;
    QColor boja = Qt::white;
    QVector<TSkrolStavka*> stavke;
    int brojKolona = 0;      // for the current width
    int kolonePoslednje = 0; // used by the last layout
    int visinaSadrzaja = 0;  // bottom of the laid-out rows
};
