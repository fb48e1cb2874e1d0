#pragma once
// TSKEMSplit: a collapsible splitter. A thin bar placed in a layout beside
// the panel it controls (AktivniPanel): dragging it resizes the panel (only
// while the panel is visible), and a click on the button in its middle third
// hides or shows the panel. Its alignment names the edge of the parent it
// sits on together with the panel, which also sets the way the button's
// triangles point.

#include <QColor>
#include <QPointer>
#include <QWidget>

class TSKEMSplit : public QWidget {
    Q_OBJECT
public:
    enum class TPoravnanje { alLevo, alDesno, alGore, alDole };

    static constexpr int MinVelicina = 6; // the panel never becomes smaller
    static constexpr int Debljina = 8;    // default width (or height) of the bar

    explicit TSKEMSplit(TPoravnanje pocetno = TPoravnanje::alLevo, QWidget* roditelj = nullptr);

    // The panel the splitter collapses; nullptr = none.
    QWidget* AktivniPanel() const { return panel; }
    void PostaviAktivniPanel(QWidget* novi) { panel = novi; }

    // The colour of the button when not hovered.
    QColor BojaTastera() const { return bojaTastera; }
    void PostaviBojuTastera(QColor boja);

    TPoravnanje Poravnanje() const { return poravnanje; }
    void PostaviPoravnanje(TPoravnanje novo);

    // The button: the middle third along the bar, 1 pixel in from each side across it.
    QRect PravougaonikTastera() const;
    bool MisIznadTastera() const { return iznadTastera; }

    // Hides the panel when it is visible, shows it otherwise.
    void PrebaciPanel();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    bool Uspravan() const; // left- or right-aligned: the bar runs top to bottom
    void PostaviIznadTastera(bool iznad);
    void PomeriNa(QPoint globalno);
    int NajvecaVelicinaPanela() const;

    TPoravnanje poravnanje;
    QPointer<QWidget> panel;
    QColor bojaTastera{0x80, 0x00, 0x00};
    bool iznadTastera = false;
    bool pritisnutTaster = false;
    bool vucem = false;
    QPoint pocetakVucenja; // global position of the press
    QPoint mestoPritiska;  // local position of the press
    int pocetnaVelicina = 0;
    int najvecaVelicina = 0;
};
