#pragma once
// TPrikazLinearizacije: the page that shows a linearization. Three tabs: the
// matrices A, B, C, D and the poles as text; the Bode plot (magnitude in dB
// and phase in degrees over a logarithmic frequency axis); the linear model's
// step response beside the simulated one.
//
// Use: add Strana() to the page control (it takes it over), assign OnNazad
// (the page's "Nazad"), then Prikazi after each linearization. The controls
// carry object names: "LinearizacijaTab", "NazadSaLinearizacije",
// "IzvozPngLinearizacije", "KarticeLinearizacije", "TekstLinearizacije",
// "GrafikModula", "GrafikFaze", "GrafikOdziva".

#include "Linearizacija.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QChart;
class QTabWidget;
class QTextBrowser;

class TPrikazLinearizacije : public QObject {
    Q_OBJECT
public:
    explicit TPrikazLinearizacije(QObject* roditelj = nullptr);
    ~TPrikazLinearizacije() override;

    QWidget* Strana() const { return strana; }
    std::function<void()> OnNazad;

    // What the texts call the blocks: the input's, the output's and each state's
    // integrator's caption ("3. Integrator").
    struct TNazivi {
        QString Ulaz, Izlaz;
        std::vector<QString> Stanja;
    };
    // Shows a linearization at the time `vreme`.
    void Prikazi(const skem::TLinearniModel& lm, const TNazivi& nazivi, double vreme);

    // The tab shown, as a PNG picture; a failure is reported and gives false.
    bool SacuvajSliku(const QString& putanja);

private:
    void IzvozClick();

    QPointer<QWidget> strana; // to free it when no page control took it
    QTabWidget* kartice = nullptr;
    QTextBrowser* tekst = nullptr;
    QChart* modul = nullptr;
    QChart* faza = nullptr;
    QChart* odziv = nullptr;
};
