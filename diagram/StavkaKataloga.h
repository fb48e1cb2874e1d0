#pragma once
// The catalogue values of one block kind, as a palette item carries them and
// as the workspace needs them to make a block. A drag from the palette
// carries them under the MIME type below.

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QString>
#include <array>

struct TStavkaKataloga {
    QString Naziv;
    int ImageIndex = 0; // the block code
    int MaxUlaznihVeza = 0;
    int BrojParam = 0;
    std::array<QString, 6> Natpisi; // labels of parameters 1..3, then inputs 1..3
    // A library item: the document whose blocks a drop inserts (a copy of
    // a stored subsystem); empty for a block kind.
    QByteArray Dokument;
};

inline constexpr char MimeStavkeKataloga[] = "application/x-skem-stavka";

inline QByteArray KodirajStavku(const TStavkaKataloga& s) {
    QByteArray b;
    QDataStream out(&b, QIODevice::WriteOnly);
    out << s.Naziv << qint32(s.ImageIndex) << qint32(s.MaxUlaznihVeza) << qint32(s.BrojParam);
    for (const QString& n : s.Natpisi)
        out << n;
    if (!s.Dokument.isEmpty()) out << s.Dokument;
    return b;
}

inline bool DekodirajStavku(const QByteArray& b, TStavkaKataloga& s) {
    QDataStream in(b);
    qint32 indeks = 0, maxUlaza = 0, brParam = 0;
    in >> s.Naziv >> indeks >> maxUlaza >> brParam;
    for (QString& n : s.Natpisi)
        in >> n;
    s.Dokument.clear();
    if (!in.atEnd()) in >> s.Dokument;
    if (in.status() != QDataStream::Ok) return false;
    s.ImageIndex = indeks;
    s.MaxUlaznihVeza = maxUlaza;
    s.BrojParam = brParam;
    return true;
}
