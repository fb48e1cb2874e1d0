#pragma once
// TSplashForm: the splash window shown at start-up. Borderless, always on
// top, centred, showing the splash picture. Its one-second timer shows the
// (still disabled) main window maximized on the first tick and, on the
// second, hides the splash, stops and enables the main window.

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* glavniProzor);

    QTimer* Tajmer;

    // Shows the splash centred on the screen and starts the timer; the main
    // window stays disabled until the second tick.
    void Pokreni();
    // One tick of the timer (called by the timer; tests call it directly).
    void Otkucaj();
    // Ticks seen so far.
    int Otkucaji() const { return otkucaji; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPointer<QWidget> glavni;
    QPixmap slika;
    int otkucaji = 0;
};
