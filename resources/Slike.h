#pragma once
// The program's pictures, rendered from the SVG sources compiled into the
// program: block pictures for the four directions, command icons, the splash
// picture, and the title strips and backgrounds of the borderless dialogs.

#include "ListaSlika.h"

#include <QIcon>
#include <QPixmap>
#include <QSize>

// Block pictures, 42 x 42, one per element kind (by code), for a direction:
// 1 = output on the left, 2 = output down, 3 = output on the right, 4 = output up.
const TListaSlika& SlikeBlokova(int smer);

// The command icons (16 x 16) of menus, tool bar and buttons.
enum class TIkonica {
    NoviDokument,
    Otvori,
    Sacuvaj,
    SacuvajKao,
    Izlaz,
    Obrisi,
    RotirajDesno,
    RotirajLevo,
    KreirajVezu,
    KreirajJunction,
    KreirajDrzac,
    Simulacija,
    OpisProblema,
    Fullscreen,
    Pomoc,
    Prihvati,
    Odustani,
    Nazad,
    Grafik,
    Pogled3D,
    Izvoz,
    Ponisti,
    Ponovi,
    Podsistem,
    Broj // number of icons
};
QIcon Ikonica(TIkonica koja);
const TListaSlika& IkoniceKomandi(); // all icons in enum order, 16 x 16

// Splash picture, 425 x 268.
QPixmap SlikaSplash();
// Title strip and background of a borderless dialog, rendered at the given size.
QPixmap TrakaNaslova(QSize velicina);
QPixmap PozadinaDijaloga(QSize velicina);

// The program's own icon, square, rendered at velicina pixels: the windows'
// icon and, written to PNG by the build, the desktop menu's.
QImage SlikaIkonePrograma(int velicina);
// The program's icon at the sizes window systems ask for.
QIcon IkonaPrograma();
