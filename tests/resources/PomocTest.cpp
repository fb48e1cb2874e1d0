// The help pages: one page per block code, every link resolves, plain ASCII
// text, and the block pages carry the exact error messages of their kinds.
#include "VrsteElemenata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QString>

#include <gtest/gtest.h>

namespace {

const QString Izvor = QStringLiteral(SKEM_POMOC_IZVOR);

QString Procitaj(const QString& putanja) {
    QFile f(putanja);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
}

QStringList Strane(const QString& dir) {
    return QDir(dir).entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
}

// Anchors of a page: name="..." and id="...".
QSet<QString> Sidra(const QString& html) {
    QSet<QString> sidra;
    static const QRegularExpression re(QStringLiteral(R"re((?:name|id)\s*=\s*"([^"]+)")re"),
                                       QRegularExpression::CaseInsensitiveOption);
    for (auto it = re.globalMatch(html); it.hasNext();)
        sidra.insert(it.next().captured(1));
    return sidra;
}

QStringList Linkovi(const QString& html) {
    QStringList linkovi;
    static const QRegularExpression re(QStringLiteral(R"re(href\s*=\s*"([^"]*)")re"),
                                       QRegularExpression::CaseInsensitiveOption);
    for (auto it = re.globalMatch(html); it.hasNext();)
        linkovi << it.next().captured(1);
    return linkovi;
}

} // namespace

TEST(Pomoc, SvakaSifraImaStranuSaNaslovom) {
    static const QRegularExpression naslov(QStringLiteral(R"re(<title>\s*(\S[^<]*)</title>)re"),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList potrebne{QStringLiteral("index.htm")};
    for (int sifra = 0; sifra < skem::BrojVrstaElemenata; ++sifra)
        potrebne << QStringLiteral("%1.htm").arg(sifra);
    for (const QString& ime : potrebne) {
        const QString html = Procitaj(Izvor + '/' + ime);
        ASSERT_FALSE(html.isEmpty()) << ime.toStdString();
        EXPECT_TRUE(naslov.match(html).hasMatch()) << ime.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("charset=utf-8"), Qt::CaseInsensitive))
            << ime.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("</html>"), Qt::CaseInsensitive))
            << ime.toStdString();
    }
}

TEST(Pomoc, SviLinkoviVodeNaPostojeceStraneISidra) {
    const QStringList strane = Strane(Izvor);
    ASSERT_GE(strane.size(), 30);
    int provereno = 0;
    for (const QString& ime : strane) {
        const QString html = Procitaj(Izvor + '/' + ime);
        for (const QString& link : Linkovi(html)) {
            const std::string opis = (ime + " -> " + link).toStdString();
            ASSERT_FALSE(link.isEmpty()) << opis;
            EXPECT_FALSE(link.contains(':')) << "only pages of the help: " << opis;
            const int taraba = link.indexOf('#');
            const QString strana = taraba < 0 ? link : link.left(taraba);
            const QString sidro = taraba < 0 ? QString() : link.mid(taraba + 1);
            const QString cilj = strana.isEmpty() ? ime : strana;
            ASSERT_TRUE(QFileInfo::exists(Izvor + '/' + cilj)) << opis;
            if (!sidro.isEmpty()) {
                EXPECT_TRUE(Sidra(Procitaj(Izvor + '/' + cilj)).contains(sidro)) << opis;
            }
            ++provereno;
        }
    }
    EXPECT_GT(provereno, 60);
}

TEST(Pomoc, SadrzajVodiNaSveBlokoveIBlokoviNazad) {
    const QStringList linkovi = Linkovi(Procitaj(Izvor + QStringLiteral("/index.htm")));
    for (int sifra = 0; sifra < skem::BrojVrstaElemenata; ++sifra) {
        const QString strana = QStringLiteral("%1.htm").arg(sifra);
        EXPECT_TRUE(linkovi.contains(strana)) << sifra;
        const QStringList nazad = Linkovi(Procitaj(Izvor + '/' + strana));
        EXPECT_TRUE(std::any_of(nazad.begin(), nazad.end(), [](const QString& l) {
            return l.startsWith(QStringLiteral("index.htm"));
        })) << sifra;
    }
}

TEST(Pomoc, TekstJeLatinicaBezDijakritika) {
    for (const QString& ime : Strane(Izvor)) {
        QFile f(Izvor + '/' + ime);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray sadrzaj = f.readAll();
        for (qsizetype i = 0; i < sadrzaj.size(); ++i)
            ASSERT_LT(static_cast<unsigned char>(sadrzaj[i]), 0x80)
                << ime.toStdString() << " at byte " << i << " (write symbols as HTML entities)";
    }
}

TEST(Pomoc, StraneBlokovaNavodePorukeGresaka) {
    const QList<QPair<int, QString>> poruke = {
        {1, QStringLiteral("Vrednost za ArcTan je negativna!")},
        {5, QStringLiteral("Drugi ulaz u delitelj je 0!")},
        {7, QStringLiteral(
                "Kod generatora f-ja razlika prvog i drugog parametra mora biti pozitivna!")},
        {9, QStringLiteral("Ulaz u kvadratni koren je negativan!")},
        {19, QStringLiteral("Kraj simulacije od strane Quit elementa.")},
        {28, QStringLiteral("Prvi ulaz u Wye element je jednak nuli ili ne postoji!")},
    };
    for (const auto& [sifra, poruka] : poruke)
        EXPECT_TRUE(Procitaj(Izvor + QStringLiteral("/%1.htm").arg(sifra)).contains(poruka))
            << sifra;
    // The simulation options' rules are explained on the contents page.
    const QString index = Procitaj(Izvor + QStringLiteral("/index.htm"));
    EXPECT_TRUE(
        index.contains(QStringLiteral("Interval integracije mora biti pozitivan realan broj!")));
    EXPECT_TRUE(index.contains(QStringLiteral("Kreiraj vezu")));
}

TEST(Pomoc, StraneSuKopiraneKodPrograma) {
    const QString kopija = QStringLiteral(SKEM_POMOC_KOPIJA);
    for (const QString& ime : Strane(Izvor))
        EXPECT_EQ(Procitaj(kopija + '/' + ime), Procitaj(Izvor + '/' + ime)) << ime.toStdString();
}
