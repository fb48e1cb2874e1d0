#pragma once
// TModelTabele: the results table's cells, read from the run's matrix: one
// row per block output, one column per printed time, the times in the
// header. The cells' texts are made when asked for, not kept: a run of
// millions of printed times would otherwise hold a string per cell. After a
// Quit the times the run did not get to keep their zeros, greyed.

#include "MatricaRezultata.h"

#include <QAbstractTableModel>
#include <cstddef>
#include <vector>

class TModelTabele : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // tacaka times k*P, k = 0..tacaka - 1, of them the first `simulirano`
    // simulated; table row r shows column redovi[r] of the matrix, which
    // must outlive the model's use of it.
    void Postavi(const skem::TMatricaRezultata* izvor, std::vector<std::size_t> redovi, int tacaka,
                 int simulirano, double p);
    void Isprazni() { Postavi(nullptr, {}, 0, 0, 1); }

    // The texts as the table shows them.
    QString Vreme(int k) const;
    QString Vrednost(int red, int k) const;
    std::size_t KolonaReda(int red) const { return kolone[static_cast<std::size_t>(red)]; }

    int rowCount(const QModelIndex& roditelj = {}) const override;
    int columnCount(const QModelIndex& roditelj = {}) const override;
    QVariant data(const QModelIndex& i, int uloga) const override;
    QVariant headerData(int odeljak, Qt::Orientation smer, int uloga) const override;
    Qt::ItemFlags flags(const QModelIndex&) const override;

private:
    const skem::TMatricaRezultata* matrica = nullptr;
    std::vector<std::size_t> kolone; // the matrix column of each table row
    int brojTacaka = 0;
    int simuliranih = 0;
    double intervalStampe = 1;
};
