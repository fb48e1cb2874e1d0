#include "Slike.h"

#include "VrsteElemenata.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <array>

// The SVG sources are compiled into the program (slike.qrc); this file renders
// them once, on first use, into pixmaps with a transparent background.

static void UcitajResurse() {
    // A static library's resources must be registered explicitly.
    static const bool ucitano = [] {
        Q_INIT_RESOURCE(slike);
        return true;
    }();
    (void)ucitano;
}

namespace {

QImage Iscrtaj(const QString& putanja, QSize velicina) {
    UcitajResurse();
    QImage slika(velicina, QImage::Format_ARGB32_Premultiplied);
    slika.fill(Qt::transparent);
    QSvgRenderer crtac(putanja);
    if (crtac.isValid()) {
        QPainter p(&slika);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        crtac.render(&p, QRectF(QPointF(0, 0), QSizeF(velicina)));
    }
    return slika;
}

// File names of the icons, in the order of TIkonica.
constexpr std::array<const char*, static_cast<int>(TIkonica::Broj)> ImenaIkonica = {
    "novi_dokument", "otvori",        "sacuvaj",       "sacuvaj_kao",  "izlaz",
    "obrisi",        "rotiraj_desno", "rotiraj_levo",  "kreiraj_vezu", "kreiraj_junction",
    "kreiraj_drzac", "simulacija",    "opis_problema", "fullscreen",   "pomoc",
    "prihvati",      "odustani",      "nazad",         "grafik",       "pogled_3d",
    "izvoz",         "ponisti",       "ponovi",        "podsistem",
};

QString PutanjaIkonice(int i) {
    return QStringLiteral(":/slike/ikonica_%1_%2.svg")
        .arg(i, 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(ImenaIkonica[static_cast<size_t>(i)]));
}

constexpr int BrojBlokova = skem::BrojVrstaElemenata;
constexpr int VelicinaBloka = 42;
constexpr int VelicinaIkonice = 16;

} // namespace

const TListaSlika& SlikeBlokova(int smer) {
    static std::array<TListaSlika, 4> liste;
    static std::array<bool, 4> napravljena{};
    if (smer < 1 || smer > 4) smer = 3;
    const auto k = static_cast<size_t>(smer - 1);
    if (!napravljena[k]) {
        QVector<QPixmap> slike;
        slike.reserve(BrojBlokova);
        for (int sifra = 0; sifra < BrojBlokova; ++sifra) {
            const QString putanja = QStringLiteral(":/slike/blok_%1_%2.svg")
                                        .arg(sifra, 2, 10, QLatin1Char('0'))
                                        .arg(smer);
            slike.append(QPixmap::fromImage(Iscrtaj(putanja, QSize(VelicinaBloka, VelicinaBloka))));
        }
        liste[k] = TListaSlika(std::move(slike));
        napravljena[k] = true;
    }
    return liste[k];
}

QIcon Ikonica(TIkonica koja) {
    const int i = static_cast<int>(koja);
    if (i < 0 || i >= static_cast<int>(TIkonica::Broj)) return QIcon();
    QIcon ikonica;
    for (int v : {16, 20, 24, 32, 48})
        ikonica.addPixmap(QPixmap::fromImage(Iscrtaj(PutanjaIkonice(i), QSize(v, v))));
    return ikonica;
}

const TListaSlika& IkoniceKomandi() {
    static TListaSlika lista;
    static bool napravljena = false;
    if (!napravljena) {
        QVector<QPixmap> slike;
        for (int i = 0; i < static_cast<int>(TIkonica::Broj); ++i)
            slike.append(QPixmap::fromImage(
                Iscrtaj(PutanjaIkonice(i), QSize(VelicinaIkonice, VelicinaIkonice))));
        lista = TListaSlika(std::move(slike));
        napravljena = true;
    }
    return lista;
}

QPixmap SlikaSplash() {
    return QPixmap::fromImage(Iscrtaj(QStringLiteral(":/slike/splash.svg"), QSize(425, 268)));
}

QPixmap TrakaNaslova(QSize velicina) {
    if (velicina.isEmpty()) return QPixmap();
    return QPixmap::fromImage(Iscrtaj(QStringLiteral(":/slike/traka_naslova.svg"), velicina));
}

QPixmap PozadinaDijaloga(QSize velicina) {
    if (velicina.isEmpty()) return QPixmap();
    return QPixmap::fromImage(Iscrtaj(QStringLiteral(":/slike/pozadina_dijaloga.svg"), velicina));
}

QImage SlikaIkonePrograma(int velicina) {
    if (velicina <= 0) return QImage();
    return Iscrtaj(QStringLiteral(":/slike/skem.svg"), QSize(velicina, velicina));
}

QIcon IkonaPrograma() {
    QIcon ikona;
    for (int v : {16, 24, 32, 48, 64, 128, 256})
        ikona.addPixmap(QPixmap::fromImage(SlikaIkonePrograma(v)));
    return ikona;
}
