#include "Merenja.h"

#include "Brojevi.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace {

QString BezNavodnika(QString polje) {
    polje = polje.trimmed();
    if (polje.size() >= 2 && polje.startsWith(QLatin1Char('"')) && polje.endsWith(QLatin1Char('"')))
        polje = polje.mid(1, polje.size() - 2).trimmed();
    return polje;
}

bool Broj(const QString& polje, double& v) {
    return skem::ProcitajRealan(polje.toStdString(), v) && std::isfinite(v);
}

} // namespace

TMerenja ProcitajMerenja(const QByteArray& tekst, const QString& imeFajla) {
    const QString ime = QFileInfo(imeFajla).fileName();
    QString sadrzaj = QString::fromUtf8(tekst);
    if (sadrzaj.startsWith(QChar(0xFEFF))) sadrzaj.remove(0, 1);
    const QStringList redovi = sadrzaj.split(QLatin1Char('\n'));

    TMerenja m;
    QChar razdvajac;
    qsizetype kolona = 0; // fields a line, from the first line
    bool imaPodataka = false;
    for (qsizetype r = 0; r < redovi.size(); ++r) {
        const QString red = redovi[r].trimmed();
        if (red.isEmpty()) continue;
        auto greska = [&](const QString& sta) {
            return TGreskaMerenja(
                QStringLiteral("Greska u redu %1 fajla '%2': %3").arg(r + 1).arg(ime, sta));
        };
        if (razdvajac.isNull())
            razdvajac = red.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
        QStringList polja = red.split(razdvajac);
        for (QString& p : polja)
            p = BezNavodnika(p);
        if (kolona == 0) {
            kolona = polja.size();
            if (kolona < 2)
                throw greska(QStringLiteral("potrebne su bar dve kolone (vreme i merenje)"));
            m.Tacke.resize(size_t(kolona - 1));
            bool zaglavlje = true;
            double v = 0;
            for (const QString& p : polja)
                if (Broj(p, v)) zaglavlje = false;
            for (qsizetype k = 1; k < kolona; ++k)
                m.Nazivi << (zaglavlje && !polja[k].isEmpty()
                                 ? polja[k]
                                 : QStringLiteral("%1, kolona %2").arg(ime).arg(k + 1));
            if (zaglavlje) continue;
        }
        if (polja.size() != kolona)
            throw greska(
                QStringLiteral("red ima %1 polja, a prvi red %2").arg(polja.size()).arg(kolona));
        auto nijeBroj = [&](const QString& p) {
            return greska(QStringLiteral("'%1' nije broj")
                              .arg(p.size() > 40 ? p.left(40) + QStringLiteral("...") : p));
        };
        double t = 0;
        if (polja[0].isEmpty()) throw greska(QStringLiteral("nedostaje vreme"));
        if (!Broj(polja[0], t)) throw nijeBroj(polja[0]);
        for (qsizetype k = 1; k < kolona; ++k) {
            if (polja[k].isEmpty()) continue; // not measured then
            double v = 0;
            if (!Broj(polja[k], v)) throw nijeBroj(polja[k]);
            m.Tacke[size_t(k - 1)].append(QPointF(t, v));
        }
        imaPodataka = true;
    }
    if (!imaPodataka) throw TGreskaMerenja(QStringLiteral("Fajl '%1' ne sadrzi merenja.").arg(ime));
    return m;
}

TMerenja UcitajMerenja(const QString& putanja) {
    QFile f(putanja);
    if (!f.open(QIODevice::ReadOnly))
        throw TGreskaMerenja(QStringLiteral("Fajl '%1' ne moze da se otvori: %2")
                                 .arg(QFileInfo(putanja).fileName(), f.errorString()));
    // Read up to one byte past the limit: a device or a FIFO has no size to ask.
    const QByteArray tekst = f.read(NajvecaDuzinaMerenja + 1);
    if (f.error() != QFileDevice::NoError)
        throw TGreskaMerenja(QStringLiteral("Fajl '%1' ne moze da se procita: %2")
                                 .arg(QFileInfo(putanja).fileName(), f.errorString()));
    if (tekst.size() > NajvecaDuzinaMerenja)
        throw TGreskaMerenja(QStringLiteral("Fajl '%1' je prevelik (vise od %2 MB).")
                                 .arg(QFileInfo(putanja).fileName())
                                 .arg(NajvecaDuzinaMerenja >> 20));
    return ProcitajMerenja(tekst, putanja);
}
