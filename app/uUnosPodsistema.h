#pragma once
// TUnosPodsistema: a subsystem's dialog. It names the subsystem and picks the
// parameters of inner blocks it shows, each under a caption of its own
// ("Masa"), with their values; the values stay in the inner blocks.

#include "ModelDokumenta.h"

#include <QDialog>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

class TUnosPodsistema : public QDialog {
    Q_OBJECT
public:
    explicit TUnosPodsistema(QWidget* roditelj = nullptr);

    QLineEdit* PoljeNaziva;
    // One row per shown parameter: the inner block's parameter, its caption, its value.
    QTableWidget* Tabela;
    QPushButton* DugmeDodaj;
    QPushButton* DugmeUkloni;
    QPushButton* DugmePrihvati;

    // A parameter of an inner block that can be shown, as the rows offer it.
    struct TKandidat {
        std::vector<int> Blok;
        int Parametar = 1;
        QString Opis; // "2/1. Pojacanje: Pojacanje"
    };
    const std::vector<TKandidat>& Kandidati() const { return kandidati; }

    // Fills the dialog from the subsystem block.
    void Pripremi(const skem::TBlokModela& podsistem);
    // Adds a row for candidate k (an index into Kandidati()).
    void DodajRed(int k, const QString& natpis);
    // The block as accepted: its name, its shown parameters and their values
    // written into its content (a new one).
    skem::TBlokModela Rezultat() const;
    bool Prihvaceno = false;

    // "Prihvati": every value a number and every caption given, else the
    // user is told which row is wrong and the dialog stays.
    void DugmePrihvatiClick();

private:
    double Vrednost(const TKandidat& k) const;

    skem::TBlokModela blok;
    std::vector<TKandidat> kandidati;
    std::vector<double> vrednosti; // of the rows, as accepted
};
