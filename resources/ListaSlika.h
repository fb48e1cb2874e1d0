#pragma once
// An image list: pictures of one size drawn by index (block pictures,
// command icons).

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QVector>

class TListaSlika {
public:
    TListaSlika() = default;
    explicit TListaSlika(QVector<QPixmap> slike) : Slike(std::move(slike)) {}

    int Count() const { return Slike.size(); }
    // Draws picture i with its top-left corner at (x, y); nothing for a bad index.
    void Nacrtaj(QPainter& p, int x, int y, int i) const {
        if (i >= 0 && i < Slike.size()) p.drawPixmap(x, y, Slike[i]);
    }

    QVector<QPixmap> Slike;
    QColor Pozadina = Qt::transparent;
};
