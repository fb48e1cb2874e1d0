#include "ModelTabele.h"

#include "Tekst.h"

#include <QBrush>
#include <QColor>
#include <utility>

namespace {

// The text of a cell the run did not get to.
const QColor NesimuliranaVrednost(150, 150, 150);

} // namespace

void TModelTabele::Postavi(const skem::TMatricaRezultata* izvor, std::vector<std::size_t> redovi,
                           int tacaka, int simulirano, double p) {
    beginResetModel();
    matrica = izvor;
    kolone = std::move(redovi);
    brojTacaka = tacaka;
    simuliranih = simulirano;
    intervalStampe = p;
    endResetModel();
}

QString TModelTabele::Vreme(int k) const {
    return RealanUTekst(k * intervalStampe);
}

QString TModelTabele::Vrednost(int red, int k) const {
    return RealanUTekst(
        (*matrica)(static_cast<std::size_t>(k), kolone[static_cast<std::size_t>(red)]));
}

int TModelTabele::rowCount(const QModelIndex& roditelj) const {
    return roditelj.isValid() ? 0 : static_cast<int>(kolone.size());
}

int TModelTabele::columnCount(const QModelIndex& roditelj) const {
    return roditelj.isValid() ? 0 : brojTacaka;
}

QVariant TModelTabele::data(const QModelIndex& i, int uloga) const {
    if (!i.isValid()) return {};
    // The whole text as a tip too, for a column the user made narrower.
    if (uloga == Qt::DisplayRole || uloga == Qt::ToolTipRole) return Vrednost(i.row(), i.column());
    if (uloga == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    // The zeros of the times a Quit kept the run from: no results.
    if (uloga == Qt::ForegroundRole && i.column() >= simuliranih)
        return QBrush(NesimuliranaVrednost);
    return {};
}

QVariant TModelTabele::headerData(int odeljak, Qt::Orientation smer, int uloga) const {
    if ((uloga == Qt::DisplayRole || uloga == Qt::ToolTipRole) && smer == Qt::Horizontal &&
        odeljak >= 0 && odeljak < brojTacaka)
        return Vreme(odeljak);
    if (uloga == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags TModelTabele::flags(const QModelIndex&) const {
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
