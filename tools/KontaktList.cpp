// skem_kontakt [izlaz.png [uvecanje]]: renders every picture of the program into one
// contact sheet (block pictures of the four directions on the block's white
// rounded rectangle, with their codes; command icons at 16 and 32 pixels;
// the splash picture; a dialog with its title strip and background).
#include "Slike.h"
#include "VrsteElemenata.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString izlaz =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("kontakt.png");

    constexpr int BrojBlokova = skem::BrojVrstaElemenata;
    constexpr int SirinaCelije = 74, VisinaCelije = 60, Oznaka = 34;
    constexpr int KoloneBlokova = 2; // codes in two columns
    const int redova = (BrojBlokova + KoloneBlokova - 1) / KoloneBlokova;
    const int sirinaKolone = Oznaka + 4 * SirinaCelije + 16;
    const int sirina = KoloneBlokova * sirinaKolone + 460;
    const int visina = std::max(40 + redova * VisinaCelije, 900);

    QImage list(sirina, visina, QImage::Format_ARGB32);
    list.fill(QColor(0xd4, 0xd0, 0xc8)); // a grey like the workspace around the blocks
    QPainter p(&list);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("DejaVu Sans"), 9);
    p.setFont(f);

    for (int k = 0; k < KoloneBlokova; ++k)
        for (int smer = 1; smer <= 4; ++smer)
            p.drawText(k * sirinaKolone + Oznaka + (smer - 1) * SirinaCelije + 4, 16,
                       QStringLiteral("smer %1").arg(smer));
    for (int sifra = 0; sifra < BrojBlokova; ++sifra) {
        const int x0 = (sifra / redova) * sirinaKolone;
        const int y0 = 24 + (sifra % redova) * VisinaCelije;
        p.setPen(Qt::black);
        p.drawText(QRect(x0, y0, Oznaka - 4, 52), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(sifra));
        for (int smer = 1; smer <= 4; ++smer) {
            const int x = x0 + Oznaka + (smer - 1) * SirinaCelije;
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(x + 0.5, y0 + 0.5, 66, 52), 8, 8);
            SlikeBlokova(smer).Nacrtaj(p, x + 20, y0 + 5, sifra);
        }
    }

    const int xd = KoloneBlokova * sirinaKolone + 10;
    int yd = 24;
    const TListaSlika& ikonice = IkoniceKomandi();
    for (int i = 0; i < ikonice.Count(); ++i) {
        const int x = xd + (i % 11) * 40;
        const int y = yd + (i / 11) * 72;
        p.fillRect(x, y, 36, 54, Qt::white);
        ikonice.Nacrtaj(p, x + 10, y + 2, i);
        p.drawPixmap(x + 2, y + 20, Ikonica(static_cast<TIkonica>(i)).pixmap(32, 32));
        p.setPen(Qt::black);
        p.drawText(QRect(x, y + 54, 36, 14), Qt::AlignCenter, QString::number(i));
    }
    yd += 150;
    p.drawPixmap(xd, yd, SlikaSplash());
    yd += 268 + 20;

    // A dialog as the borderless dialogs draw it.
    const QSize dijalog(378, 240);
    p.drawPixmap(xd, yd, PozadinaDijaloga(dijalog));
    p.drawPixmap(xd, yd, TrakaNaslova(QSize(dijalog.width(), 18)));
    QFont naslov(QStringLiteral("DejaVu Sans"));
    naslov.setPixelSize(13);
    naslov.setBold(true);
    p.setFont(naslov);
    p.setPen(Qt::white);
    p.drawText(QRect(xd, yd, dijalog.width(), 18), Qt::AlignCenter,
               QStringLiteral("Unesite vrednosti parametara"));
    p.setPen(QColor(0x80, 0, 0));
    p.drawText(xd + 20, yd + 50, QStringLiteral("Duzina simulacije:"));
    p.end();

    // An optional whole-number zoom shows the pixels of the small pictures.
    const int uvecanje = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 8) : 1;
    if (uvecanje > 1) list = list.scaled(list.size() * uvecanje);
    if (!list.save(izlaz)) {
        std::fprintf(stderr, "Ne mogu da upisem %s\n", qPrintable(izlaz));
        return 1;
    }
    std::printf("%s\n", qPrintable(izlaz));
    return 0;
}
