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

    TSkrolStavka(TSkroler* skroler, const TStavkaKataloga& stavka, QWidget* roditelj);

    const TStavkaKataloga& Stavka() const { return m_stavka; }
    const QString& Naziv() const { return m_stavka.Naziv; }
    int ImageIndex() const { return m_stavka.ImageIndex; }
    int MaxUlaznihVeza() const { return m_stavka.MaxUlaznihVeza; }
    int BrojParam() const { return m_stavka.BrojParam; }
    const std::array<QString, 6>& Natpisi() const { return m_stavka.Natpisi; }

    // The caption under the item (a control of the scroller).
    QLabel* Labela() const { return m_labela; }
    void PostaviLabelu(QLabel* labela) { m_labela = labela; }

    // True while the mouse is over the item.
    bool Vruca() const { return m_vruca; }

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

    TSkroler* m_skroler;
    TStavkaKataloga m_stavka;
    QLabel* m_labela = nullptr;
    bool m_vruca = false;
    QPoint m_pocetakPritiska;
    bool m_pritisnuta = false;
};

// A scrolling column of palette items with their captions, laid out in rows
// of as many columns as the width allows.
class TSkroler : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int SirinaLabele = TSkrolStavka::Velicina + 30;

    explicit TSkroler(QWidget* roditelj = nullptr);

    // The pictures the items draw (not owned); none makes the items red.
    const TListaSlika* Slike() const { return m_slike; }
    void PostaviSlike(const TListaSlika* slike);

    QColor Boja() const { return m_boja; }
    void PostaviBoju(const QColor& boja);

    // Adds an item and its caption at the end and places them.
    TSkrolStavka* DodajStavku(const TStavkaKataloga& stavka);
    void NapraviStavke(const QVector<TStavkaKataloga>& stavke);
    const QVector<TSkrolStavka*>& Stavke() const { return m_stavke; }

    // The column count for a width: 1 up to 65 pixels, then one per 80.
    static int BrojKolonaZaSirinu(int sirina);
    int BrojKolona() const { return m_brojKolona; }
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

    QWidget* m_sadrzaj;
    const TListaSlika* m_slike = nullptr;
    QColor m_boja = Qt::white;
    QVector<TSkrolStavka*> m_stavke;
    int m_brojKolona = 0;      // for the current width
    int m_kolonePoslednje = 0; // used by the last layout
    int m_visinaSadrzaja = 0;  // bottom of the laid-out rows
};
