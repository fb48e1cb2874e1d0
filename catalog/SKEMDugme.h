#pragma once
// TSKEMDugme: the flat header button of the palette groups and of the
// inspector's sections. A framed strip with a centred caption that turns
// grey under the mouse and moves down a pixel while pressed.

#include <QColor>
#include <QWidget>
#include <functional>

class QLabel;

class TSKEMDugme : public QWidget {
    Q_OBJECT
public:
    enum class TStanje { Normalno, Vruce, Pritisnuto };

    explicit TSKEMDugme(QWidget* roditelj = nullptr);

    QString Tekst() const;
    // Also stretches the caption over the whole button.
    void PostaviTekst(const QString& tekst);

    // A control the button's user may show and hide on a click (the
    // inspector does; the palette groups do not).
    QWidget* AktivniPanel = nullptr;

    QColor Boja() const { return boja; }
    void PostaviBoju(const QColor& nova);
    QColor BojaOkvira() const { return bojaOkvira; }
    void PostaviBojuOkvira(const QColor& nova);

    TStanje Stanje() const { return stanje; }
    QLabel* Labela() const { return labela; }

    // Raised on a release inside the button.
    std::function<void(TSKEMDugme*)> OnClick;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    void PostaviStanje(TStanje novo);
    void PostaviLabelu(const QRect& r);

    QLabel* labela;
    QColor boja;
    QColor bojaOkvira = Qt::black;
    TStanje stanje = TStanje::Normalno;
    // The caption keeps these distances to the right and bottom edges.
    int desnaMargina = 0;
    int donjaMargina = 0;
};
