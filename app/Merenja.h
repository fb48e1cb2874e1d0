#pragma once
// Measured data to lay over the chart: a CSV file with a time column and one
// or more value columns, "." as the decimal separator, fields separated by
// "," or ";" (the first line that is not empty decides), with an optional
// header line (one in which no field is a number) naming the columns. An
// empty value field is a missing measurement. An error names the file's line.

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

class TGreskaMerenja : public std::runtime_error {
public:
    explicit TGreskaMerenja(const QString& poruka)
        : std::runtime_error(poruka.toStdString()), poruka(poruka) {}
    QString Poruka() const { return poruka; }

private:
    QString poruka;
};

struct TMerenja {
    QStringList Nazivi;                // one a value column: the header's, or "<file>, kolona k"
    std::vector<QList<QPointF>> Tacke; // by value column: (t, value), in the file's order
};

// The file's text; imeFajla names it in the names and messages.
TMerenja ProcitajMerenja(const QByteArray& tekst, const QString& imeFajla);
// The file itself (at most NajvecaDuzinaMerenja bytes).
TMerenja UcitajMerenja(const QString& putanja);

inline constexpr qint64 NajvecaDuzinaMerenja = qint64(256) << 20;
