#pragma once
// The palette: TSKEMGroupBar stacks the catalogue's groups like an
// accordion with one group open; TSKEMGrupa is one group, a header button
// over a body that holds the group's item scroller.

#include <QList>
#include <QWidget>
#include <functional>

class TListaSlika;
class TSKEMDugme;
class TSkroler;
struct TGrupaKataloga;

// One palette group: a 20 pixel header with the group's name and a body
// with its items. The bar decides how tall the body is.
class TSKEMGrupa : public QWidget {
    Q_OBJECT
public:
    static constexpr int VisinaZaglavlja = 20;

    explicit TSKEMGrupa(QWidget* roditelj = nullptr);

    QString Naziv() const;
    void PostaviNaziv(const QString& naziv);

    TSKEMDugme* Zaglavlje() const { return zaglavlje; }
    QWidget* Telo() const { return telo; }
    TSkroler* Skroler() const { return skroler; }

    // Sizes the body (and the scroller filling it).
    void PostaviVisinuTela(int visina);

    // Shown in the "SVE" view too, below the first group (the library).
    bool UvekVidljiva = false;

    // Raised with the group when its header is clicked.
    std::function<void(TSKEMGrupa*)> OnCaptionClick;

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    void RasporediDelove();

    TSKEMDugme* zaglavlje;
    QWidget* telo;
    TSkroler* skroler;
};

// The palette column: the groups of the catalogue, one of them open. The
// first group's header lies above the top edge, so that group alone (the
// "SVE" view) shows no header at all.
class TSKEMGroupBar : public QWidget {
    Q_OBJECT
public:
    explicit TSKEMGroupBar(QWidget* roditelj = nullptr);

    // Reads the catalogue and makes a group for each of its groups. On a
    // fault, what was read before it stays in the palette and the
    // TGreskaKataloga is passed on to the caller.
    void UcitajKatalog(const QString& imeFajla);

    // Makes a group for the catalogue group (with the bar's pictures) and adds it.
    TSKEMGrupa* NapraviGrupu(const TGrupaKataloga& grupa);
    // Takes the group over, wires its header and lays the bar out; the first
    // group added becomes the open one.
    void DodajGrupu(TSKEMGrupa* grupa);
    const QList<TSKEMGrupa*>& Grupe() const { return grupe; }
    // The group of that name made anew from `grupa` (added last when there
    // is none), shown in both views; the open group stays open.
    TSKEMGrupa* ZameniGrupu(const TGrupaKataloga& grupa);

    TSKEMGrupa* AktivnaGrupa() const { return aktivna; }
    // Opens the group and lays all groups out.
    void PostaviAktivnuGrupu(TSKEMGrupa* grupa);

    // The pictures for every item (not owned).
    const TListaSlika* Slike() const { return slike; }
    void PostaviSlike(const TListaSlika* nove);

    // "SVE": the first group alone, open. "PO GRUPAMA": all groups but the
    // first, the second open. With fewer than two groups the by-groups view
    // cannot be shown: the bar shows "SVE" and returns false.
    void PrikaziSve();
    bool PrikaziPoGrupama();

protected:
    void resizeEvent(QResizeEvent*) override;
    void paintEvent(QPaintEvent*) override;

private:
    QList<TSKEMGrupa*> grupe;
    TSKEMGrupa* aktivna = nullptr;
    const TListaSlika* slike = nullptr;
};
