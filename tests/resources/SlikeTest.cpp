// The pictures rendered from the SVG sources: sizes, content, the output
// arrow on the side of the direction, icons, splash and dialog strips.
#include "Slike.h"
#include "VrsteElemenata.h"

#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace {

constexpr int BrojBlokova = skem::BrojVrstaElemenata;

// Opaque pixels (alpha above the threshold) inside the rectangle.
int Neprozirnih(const QImage& slika, QRect oblast, int prag = 128) {
    const QImage s = slika.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    oblast = oblast.intersected(s.rect());
    for (int y = oblast.top(); y <= oblast.bottom(); ++y)
        for (int x = oblast.left(); x <= oblast.right(); ++x)
            if (qAlpha(s.pixel(x, y)) > prag) ++n;
    return n;
}

// The 5-pixel strip at the edge of a 42 x 42 picture on the side of a direction.
QRect IvicaStrane(int smer) {
    switch (smer) {
    case 1:
        return QRect(0, 0, 5, 42);
    case 2:
        return QRect(0, 37, 42, 5);
    case 3:
        return QRect(37, 0, 5, 42);
    default:
        return QRect(0, 0, 42, 5);
    }
}

} // namespace

TEST(SlikeBlokova, SvakaSlikaJe42x42ISaSadrzajem) {
    for (int smer = 1; smer <= 4; ++smer) {
        const TListaSlika& lista = SlikeBlokova(smer);
        ASSERT_EQ(lista.Count(), BrojBlokova) << "smer " << smer;
        for (int sifra = 0; sifra < BrojBlokova; ++sifra) {
            const QPixmap& p = lista.Slike[sifra];
            EXPECT_EQ(p.size(), QSize(42, 42)) << "sifra " << sifra << " smer " << smer;
            const QImage s = p.toImage();
            EXPECT_TRUE(s.hasAlphaChannel());
            // The symbol itself, not just its frame: well over the frame's outline.
            EXPECT_GT(Neprozirnih(s, QRect(8, 8, 26, 26)), 40)
                << "sifra " << sifra << " smer " << smer;
            // Transparent corners: the block's own white rounded rectangle shows there.
            EXPECT_EQ(Neprozirnih(s, QRect(0, 0, 3, 3), 0), 0) << "sifra " << sifra;
        }
    }
}

TEST(SlikeBlokova, IzlaznaStrelicaJeNaStraniSmera) {
    for (int sifra = 0; sifra < BrojBlokova; ++sifra) {
        for (int smer = 1; smer <= 4; ++smer) {
            const QImage s = SlikeBlokova(smer).Slike[sifra].toImage();
            EXPECT_GT(Neprozirnih(s, IvicaStrane(smer)), 10)
                << "sifra " << sifra << " smer " << smer;
            for (int drugi = 1; drugi <= 4; ++drugi) {
                if (drugi == smer) continue;
                EXPECT_EQ(Neprozirnih(s, IvicaStrane(drugi), 8), 0)
                    << "sifra " << sifra << " smer " << smer << " strana " << drugi;
            }
        }
    }
}

TEST(SlikeBlokova, SmeroviIVrsteSeRazlikuju) {
    QSet<QByteArray> desno;
    for (int sifra = 0; sifra < BrojBlokova; ++sifra) {
        QSet<QByteArray> smerovi;
        for (int smer = 1; smer <= 4; ++smer) {
            const QImage s =
                SlikeBlokova(smer).Slike[sifra].toImage().convertToFormat(QImage::Format_ARGB32);
            smerovi.insert(
                QByteArray(reinterpret_cast<const char*>(s.constBits()), s.sizeInBytes()));
            if (smer == 3)
                desno.insert(
                    QByteArray(reinterpret_cast<const char*>(s.constBits()), s.sizeInBytes()));
        }
        EXPECT_EQ(smerovi.size(), 4) << "sifra " << sifra;
    }
    // Every kind has a picture of its own.
    EXPECT_EQ(desno.size(), BrojBlokova);
}

TEST(SlikeBlokova, NepoznatSmerDajeDesni) {
    EXPECT_EQ(&SlikeBlokova(0), &SlikeBlokova(3));
    EXPECT_EQ(&SlikeBlokova(7), &SlikeBlokova(3));
    EXPECT_EQ(&SlikeBlokova(2), &SlikeBlokova(2)); // built once and kept
}

TEST(Ikonice, SveSu16x16RazliciteISaSadrzajem) {
    const TListaSlika& lista = IkoniceKomandi();
    ASSERT_EQ(lista.Count(), static_cast<int>(TIkonica::Broj));
    QSet<QByteArray> razlicite;
    for (int i = 0; i < lista.Count(); ++i) {
        const QImage s = lista.Slike[i].toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(s.size(), QSize(16, 16)) << "ikonica " << i;
        EXPECT_GT(Neprozirnih(s, s.rect()), 20) << "ikonica " << i;
        razlicite.insert(QByteArray(reinterpret_cast<const char*>(s.constBits()), s.sizeInBytes()));
    }
    EXPECT_EQ(razlicite.size(), lista.Count());
}

TEST(Ikonice, IkonicaImaViseVelicina) {
    for (int i = 0; i < static_cast<int>(TIkonica::Broj); ++i) {
        const QIcon ikonica = Ikonica(static_cast<TIkonica>(i));
        ASSERT_FALSE(ikonica.isNull()) << "ikonica " << i;
        for (int v : {16, 24, 32}) {
            const QPixmap p = ikonica.pixmap(QSize(v, v));
            EXPECT_EQ(p.size(), QSize(v, v)) << "ikonica " << i;
            const QImage s = p.toImage();
            EXPECT_GT(Neprozirnih(s, s.rect()), v) << "ikonica " << i << " velicina " << v;
        }
        // The 16-pixel rendering is the one of the icon list.
        EXPECT_EQ(ikonica.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32),
                  IkoniceKomandi().Slike[i].toImage().convertToFormat(QImage::Format_ARGB32));
    }
    EXPECT_TRUE(Ikonica(TIkonica::Broj).isNull());
}

TEST(SlikeDijaloga, SplashTrakaIPozadina) {
    const QImage splash = SlikaSplash().toImage();
    EXPECT_EQ(splash.size(), QSize(425, 268));
    EXPECT_EQ(Neprozirnih(splash, splash.rect(), 254), 425 * 268); // no holes

    for (QSize v : {QSize(378, 18), QSize(250, 17), QSize(600, 16)}) {
        const QImage traka = TrakaNaslova(v).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(traka.size(), v);
        EXPECT_EQ(Neprozirnih(traka, traka.rect(), 254), v.width() * v.height());
        // Dark enough for the white bold caption: every pixel of the middle row.
        for (int x = 0; x < v.width(); ++x)
            ASSERT_LT(qGray(traka.pixel(x, v.height() / 2)), 110) << "x " << x;
    }

    const QImage pozadina =
        PozadinaDijaloga(QSize(378, 333)).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(pozadina.size(), QSize(378, 333));
    EXPECT_EQ(Neprozirnih(pozadina, pozadina.rect(), 254), 378 * 333);
    // Light body: dark text and edit fields read well on it.
    EXPECT_GT(qGray(pozadina.pixel(189, 166)), 200);
    // Never the transparent colour fuchsia.
    EXPECT_NE(pozadina.pixel(189, 166) & 0xffffff, 0xff00ffu);

    EXPECT_TRUE(TrakaNaslova(QSize(0, 18)).isNull());
    EXPECT_TRUE(PozadinaDijaloga(QSize(10, 0)).isNull());
}

TEST(IkonaPrograma, KvadratnaSaProzirnimUglovimaUSvimVelicinama) {
    for (int v : {16, 48, 256}) {
        const QImage s = IkonaPrograma().pixmap(QSize(v, v)).toImage();
        ASSERT_EQ(s.size(), QSize(v, v));
        EXPECT_EQ(s.convertToFormat(QImage::Format_ARGB32),
                  SlikaIkonePrograma(v).convertToFormat(QImage::Format_ARGB32));
        // A rounded tile: opaque body, transparent corners for any background.
        EXPECT_GT(Neprozirnih(s, s.rect()), v * v / 2) << v;
        EXPECT_EQ(qAlpha(s.convertToFormat(QImage::Format_ARGB32).pixel(0, 0)), 0) << v;
    }
    EXPECT_TRUE(SlikaIkonePrograma(0).isNull());
}
