#pragma once
// TOkvirDijalog: the common frame of the program's small dialogs. A borderless
// window of a fixed client size that draws its own title strip (with a centred
// white bold caption) and background picture, and is dragged by its top 17
// pixels. Each dialog reports through Prihvaceno, which only its accept button
// sets; any other way of closing it (its cancel button, Esc, the window
// manager's close) leaves Prihvaceno false. Each showing is centred on the
// owner. Dialogs are shown through Dijalozi().PrikaziModalno(dialog), never
// with exec() directly.

#include "Slike.h"

#include <QDialog>
#include <QPixmap>

class QFrame;
class QLineEdit;
class QPushButton;

class TOkvirDijalog : public QDialog {
    Q_OBJECT
public:
    // Height of the strip by which the window is dragged.
    static constexpr int VisinaHvataljke = 17;

    TOkvirDijalog(const QString& tekstNaslova, QSize klijent, int visinaNaslova,
                  QWidget* roditelj = nullptr);

    // True when the dialog was last closed by its accept button.
    bool Prihvaceno = false;

    // The caption drawn on the title strip.
    QString Naslov() const { return naslov; }

    // The accept and cancel buttons, made by NapraviDugmad.
    QPushButton* DugmePrihvati = nullptr;
    QPushButton* DugmeOdustani = nullptr; // "odustani"

    // A flat button with an icon, bold text and a hand cursor.
    static QPushButton* NapraviDugme(const QString& tekst, TIkonica ikonica, QWidget* roditelj);
    // A link-styled text button (blue, bold, underlined, hand cursor).
    static QPushButton* NapraviLink(const QString& tekst, QWidget* roditelj);
    // A flat white edit box with maroon bold text.
    static QLineEdit* NapraviPolje(const QString& ime, QWidget* roditelj);
    // A silver panel; lowered (sunken) or raised.
    static QFrame* NapraviPanel(QWidget* roditelj, bool spusten);

public slots:
    void reject() override;

protected:
    // The accept button (its text and icon given) and "odustani" on a panel
    // of the dialog, at these places. "odustani" closes the dialog
    // (Odustani); the accept button's checks are the dialog's to connect.
    void NapraviDugmad(QWidget* traka, const QString& tekstPrihvati, TIkonica ikonicaPrihvati,
                       QRect mestoPrihvati, QRect mestoOdustani);
    // Sets Prihvaceno and closes; for the accept button once its checks passed.
    void Prihvati();
    // Clears Prihvaceno and closes; for the cancel button.
    void Odustani();

    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QString naslov;
    int visinaTrake;
    QPixmap slikaTrake;
    QPixmap slikaPozadine;
    bool vucem = false;
    QPoint pomakVucenja;
};

// Fonts and colours shared by the dialogs.
namespace izgled {
QFont Verdana(int pikseli, bool podebljan = false);
inline constexpr QRgb Srebrna = 0xC0C0C0; // silver panels
} // namespace izgled
