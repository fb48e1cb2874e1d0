#!/usr/bin/env python3
"""Generates the SVG pictures of SKEM under resources/slike/ and the resource
list resources/slike.qrc.

The generated files are kept in the repository; the build only reads them and
does not need Python. Run again after changing a picture here:

    python3 scripts/generisi_slike.py

Block pictures are 42 x 42, one file per element kind (the engine's kind
table, engine/VrsteElemenata.h, by code) and direction
(1 = output on the left, 2 = output down, 3 = output on the right,
4 = output up). Text and function graphs stay upright in every direction;
only the output arrow and symbols that show a signal flow (gain triangle,
switch) turn with the direction.
"""

import math
import os
import random

from vrste_elemenata import broj_vrsta

KOREN = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RESURSI = os.path.join(KOREN, "resources")
SLIKE = os.path.join(RESURSI, "slike")

# Palette: dark blue ink, light blue-grey field and axes, one warm accent.
MASTILO = "#1d3557"
OSE = "#8fa6bf"
POLJE = "#eef3f9"
OKVIR = "#a9bcd2"
AKCENT = "#d0641c"
AKCENT_SVETLI = "#fbe3cf"
FONT = "DejaVu Sans"

POTEZ = 1.8  # stroke width of symbols and curves


def broj(v):
    s = "%.2f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def tekst(x, y, s, velicina, debljina="bold", boja=MASTILO, stil="normal", sidro="middle"):
    return (f'<text x="{broj(x)}" y="{broj(y)}" font-family="{FONT}" font-size="{broj(velicina)}" '
            f'font-weight="{debljina}" font-style="{stil}" fill="{boja}" text-anchor="{sidro}">{s}</text>')


def linija(tacke, boja=MASTILO, sirina=POTEZ, zatvori=False, ispuna="none"):
    d = "M" + " L".join(f"{broj(x)} {broj(y)}" for x, y in tacke)
    if zatvori:
        d += " Z"
    return (f'<path d="{d}" fill="{ispuna}" stroke="{boja}" stroke-width="{broj(sirina)}" '
            f'stroke-linejoin="round" stroke-linecap="round"/>')


def putanja(d, boja=MASTILO, sirina=POTEZ, ispuna="none"):
    return (f'<path d="{d}" fill="{ispuna}" stroke="{boja}" stroke-width="{broj(sirina)}" '
            f'stroke-linejoin="round" stroke-linecap="round"/>')


def ose(x0, y0, x1, y1, cx=None, cy=None):
    """Coordinate axes inside the rectangle; (cx, cy) is the origin."""
    cx = (x0 + x1) / 2 if cx is None else cx
    cy = (y0 + y1) / 2 if cy is None else cy
    return (f'<path d="M{broj(x0)} {broj(cy)} H{broj(x1)} M{broj(cx)} {broj(y0)} V{broj(y1)}" '
            f'stroke="{OSE}" stroke-width="1" fill="none"/>')


def grafik(f, xod, xdo, yod, ydo, pravougaonik, koraka=40, boja=MASTILO):
    """Polyline of f sampled on [xod, xdo], mapped into pravougaonik = (x0, y0, x1, y1)."""
    x0, y0, x1, y1 = pravougaonik
    tacke = []
    for i in range(koraka + 1):
        x = xod + (xdo - xod) * i / koraka
        y = f(x)
        px = x0 + (x - xod) / (xdo - xod) * (x1 - x0)
        py = y1 - (y - yod) / (ydo - yod) * (y1 - y0)
        tacke.append((px, py))
    return linija(tacke, boja)


# --- block pictures -------------------------------------------------------

# Symbol field: a light rounded square; the output arrow lies outside it.
POLJE_X0, POLJE_X1 = 5.5, 35.5
SREDINA = 20.5
# Full graph area and the graph area under a label.
PUNI = (9, 9, 32, 32)
DONJI = (9, 21, 32, 32)


def okvir():
    return (f'<rect x="{POLJE_X0}" y="{POLJE_X0}" width="{POLJE_X1 - POLJE_X0}" height="{POLJE_X1 - POLJE_X0}" '
            f'rx="4" ry="4" fill="{POLJE}" stroke="{OKVIR}" stroke-width="1"/>')


def okreni(smer, sadrzaj):
    """Turns a part drawn for the output on the right into the given direction."""
    ugao = {3: 0, 2: 90, 1: 180, 4: 270}[smer]
    if ugao == 0:
        return sadrzaj
    return f'<g transform="rotate({ugao} {SREDINA} {SREDINA})">{sadrzaj}</g>'


def izlazna_strelica():
    # Drawn for the output on the right: a short stub and an arrow head.
    return (f'<path d="M35.5 {SREDINA} H38" stroke="{AKCENT}" stroke-width="2" stroke-linecap="round"/>'
            f'<path d="M37.2 16.3 L41.6 {SREDINA} L37.2 24.7 Z" fill="{AKCENT}"/>')


def oznaka_gore(s, velicina=10):
    return tekst(SREDINA, 17.5, s, velicina)


def okrenuta_tacka(smer, x, y):
    """Where the point (x, y) of a part drawn for the output on the right lands in the direction."""
    ugao = math.radians({3: 0, 2: 90, 1: 180, 4: 270}[smer])
    dx, dy = x - SREDINA, y - SREDINA
    return (SREDINA + dx * math.cos(ugao) - dy * math.sin(ugao),
            SREDINA + dx * math.sin(ugao) + dy * math.cos(ugao))


def simbol_blok(sifra, smer):
    """Returns (direction-free part, part drawn for output on the right)."""
    c = SREDINA
    if sifra == 0:  # track-and-hold
        stepenice = linija([(9.5, 31), (14, 31), (14, 26), (20, 26), (20, 28.5), (26, 28.5), (26, 23.5), (31.5, 23.5)],
                           sirina=1.5)
        return oznaka_gore("S/H", 10.5) + stepenice, ""
    if sifra == 1:  # arctangent
        return oznaka_gore("atan", 9.5) + ose(*DONJI) + grafik(math.atan, -6, 6, -1.6, 1.6, DONJI), ""
    if sifra == 2:  # sign
        x0, y0, x1, y1 = DONJI
        sred = (y0 + y1) / 2
        g = linija([(x0, y1 - 1), (c, y1 - 1)]) + linija([(c, y0 + 1), (x1, y0 + 1)])
        g += f'<circle cx="{c}" cy="{broj(sred)}" r="1.4" fill="{MASTILO}"/>'
        return oznaka_gore("sgn", 10.5) + ose(*DONJI) + g, ""
    if sifra == 3:  # cosine
        return oznaka_gore("cos", 10.5) + ose(*DONJI) + grafik(math.cos, -1.5 * math.pi, 1.5 * math.pi, -1.25, 1.25, DONJI), ""
    if sifra == 4:  # dead zone
        x0, y0, x1, y1 = PUNI
        g = linija([(x0, y1), (c - 5, c + 6), (c - 5, c), (c + 5, c), (c + 5, c - 6), (x1, y0)])
        return ose(*PUNI) + g, ""
    if sifra == 5:  # divider
        g = f'<path d="M11 {c} H30" stroke="{MASTILO}" stroke-width="2.2" stroke-linecap="round"/>'
        g += f'<circle cx="{c}" cy="13.5" r="2.4" fill="{MASTILO}"/><circle cx="{c}" cy="27.5" r="2.4" fill="{MASTILO}"/>'
        return g, ""
    if sifra == 6:  # exponential
        g = tekst(17.5, 26, "e", 17, stil="italic") + tekst(25.5, 18, "x", 10, stil="italic")
        return g, ""
    if sifra == 7:  # function generator
        x0, y0, x1, y1 = PUNI
        tacke = [(x0, 28), (13.5, 22), (18, 24.5), (22.5, 15), (27, 13), (x1, 17)]
        g = linija(tacke, sirina=1.5)
        for x, y in tacke:
            g += f'<circle cx="{broj(x)}" cy="{broj(y)}" r="1.5" fill="{AKCENT}"/>'
        return ose(x0, y0, x1, y1, cx=x0 + 0.5, cy=y1 - 0.5) + g, ""
    if sifra == 8:  # gain: a triangle pointing to the output
        trougao = linija([(9.5, 9.5), (32, c), (9.5, 31.5)], zatvori=True, ispuna="#ffffff")
        kx, ky = okrenuta_tacka(smer, 17, c)  # the letter stays upright near the wide side
        return tekst(kx, ky + 4, "k", 11.5, stil="italic"), trougao
    if sifra == 9:  # square root
        g = linija([(8.5, 22), (11.5, 20.5), (15, 30), (20, 11), (33, 11)])
        g += tekst(26, 27, "x", 12, stil="italic")
        return g, ""
    if sifra == 10:  # integrator: an integral sign
        g = putanja("M25.5 9.5 C24 7.5 21.5 8 21 11 L19.8 30 C19.4 33 17 33.5 15.5 31.5", sirina=2.2)
        return g, ""
    if sifra == 11:  # random source: a die
        g = f'<rect x="10" y="10" width="21" height="21" rx="4" fill="#ffffff" stroke="{MASTILO}" stroke-width="{POTEZ}"/>'
        for x, y in [(15, 15), (26, 15), (c, c), (15, 26), (26, 26)]:
            g += f'<circle cx="{x}" cy="{y}" r="2" fill="{MASTILO}"/>'
        return g, ""
    if sifra == 12:  # constant
        return tekst(c, 27.5, "K", 17), ""
    if sifra == 13:  # limiter: a saturation curve
        x0, y0, x1, y1 = PUNI
        g = linija([(x0, c + 7), (c - 7, c + 7), (c + 7, c - 7), (x1, c - 7)])
        return ose(*PUNI) + g, ""
    if sifra == 14:  # absolute value
        return tekst(c, 26, "|x|", 14, stil="italic"), ""
    if sifra == 15:  # inverter
        return tekst(c, 26, "\u2212x", 14, stil="italic"), ""
    if sifra == 16:  # positive part
        x0, y0, x1, y1 = PUNI
        return ose(*PUNI) + linija([(x0, c), (c, c), (x1 - 1, y0 + 1)]), ""
    if sifra == 17:  # bias
        return tekst(c, 26, "+b", 14, stil="italic"), ""
    if sifra == 18:  # negative part
        x0, y0, x1, y1 = PUNI
        return ose(*PUNI) + linija([(x0 + 1, y1 - 1), (c, c), (x1, c)]), ""
    if sifra == 19:  # Quit: a stop sign
        r = 12.5
        tacke = [(c + r * math.cos(math.radians(22.5 + 45 * i)), c + r * math.sin(math.radians(22.5 + 45 * i)))
                 for i in range(8)]
        g = linija(tacke, boja="#8e2f12", sirina=1.2, zatvori=True, ispuna=AKCENT)
        g += tekst(c, 23.4, "STOP", 6.8, boja="#ffffff")
        return g, ""
    if sifra == 20:  # input switch: three contacts and a lever to the output
        # two data contacts (inputs 2 and 3), the lever, and the control input 1 acting on it
        g = f'<path d="M8 13 H12 M8 28 H12" stroke="{MASTILO}" stroke-width="1.6" stroke-linecap="round"/>'
        g += linija([(14.5, 14.2), (26, c), (33, c)], sirina=2)
        for y in (13, 28):
            g += f'<circle cx="13" cy="{y}" r="2" fill="#ffffff" stroke="{MASTILO}" stroke-width="1.4"/>'
        g += f'<circle cx="26" cy="{c}" r="2" fill="{MASTILO}"/>'
        g += f'<path d="M20 17.8 V32.5" stroke="{AKCENT}" stroke-width="1.3" stroke-dasharray="2 1.4"/>'
        return "", g
    if sifra == 21:  # sine
        return oznaka_gore("sin", 10.5) + ose(*DONJI) + grafik(math.sin, -1.5 * math.pi, 1.5 * math.pi, -1.25, 1.25, DONJI), ""
    if sifra == 22:  # step
        x0, y0, x1, y1 = PUNI
        g = linija([(x0, y1 - 3), (c, y1 - 3), (c, y0 + 3), (x1, y0 + 3)])
        return ose(x0, y0, x1, y1, cy=y1 - 3) + g, ""
    if sifra == 23:  # memory: a unit delay
        g = f'<rect x="9.5" y="12.5" width="22" height="16" rx="2" fill="#ffffff" stroke="{MASTILO}" stroke-width="1.2"/>'
        g += tekst(17.6, 25, "z", 12, stil="italic") + tekst(25, 19.8, "\u22121", 6.5)
        return g, ""
    if sifra == 24:  # loop start: an open circle arrow around the initial estimate
        g = putanja("M28.5 14.5 A10 10 0 1 0 30.5 22", sirina=2)
        g += f'<path d="M25.2 13.2 L31.2 11.2 L30.2 17.4 Z" fill="{MASTILO}"/>'
        g += tekst(c, 24.2, "y\u2080", 9, stil="italic")
        return g, ""
    if sifra == 25:  # time source: a clock
        g = f'<circle cx="{c}" cy="{c}" r="12" fill="#ffffff" stroke="{MASTILO}" stroke-width="{POTEZ}"/>'
        for i in range(12):
            a = math.radians(30 * i)
            r0 = 9.5 if i % 3 else 8.3
            g += (f'<path d="M{broj(c + r0 * math.cos(a))} {broj(c + r0 * math.sin(a))} '
                  f'L{broj(c + 10.6 * math.cos(a))} {broj(c + 10.6 * math.sin(a))}" stroke="{MASTILO}" stroke-width="1"/>')
        g += linija([(c, 13.5), (c, c), (26, 23.5)], sirina=1.6)
        g += f'<circle cx="{c}" cy="{c}" r="1.5" fill="{AKCENT}"/>'
        return g, ""
    if sifra == 26:  # weighted summer: a sigma
        g = linija([(28.5, 12.5), (28.5, 10), (12, 10), (21, c), (12, 31), (28.5, 31), (28.5, 28.5)], sirina=2.2)
        return g, ""
    if sifra == 27:  # multiplier
        g = (f'<path d="M13.5 13.5 L27.5 27.5 M27.5 13.5 L13.5 27.5" stroke="{MASTILO}" stroke-width="2.6" '
             f'stroke-linecap="round"/>')
        return g, ""
    if sifra == 28:  # Wye
        return tekst(c, 28, "Y", 19), ""
    if sifra == 29:  # subsystem: a small diagram inside the block
        g = (f'<rect x="9.5" y="12" width="9" height="7" rx="1.5" fill="#ffffff" stroke="{MASTILO}" stroke-width="1.4"/>'
             f'<rect x="22.5" y="22" width="9" height="7" rx="1.5" fill="#ffffff" stroke="{MASTILO}" stroke-width="1.4"/>')
        g += linija([(18.5, 15.5), (20.5, 15.5), (20.5, 25.5), (22.5, 25.5)], sirina=1.4, boja=AKCENT)
        return g, ""
    if sifra in (30, 31):  # ports: an arrow with "in" or "out"
        strelica = linija([(9.5, 14), (25, 14), (31.5, c), (25, 27), (9.5, 27)], zatvori=True,
                          ispuna=AKCENT_SVETLI, sirina=1.4)
        return tekst(18.5, 24, "in" if sifra == 30 else "out", 8.5), strelica
    raise ValueError(sifra)


def svg_bloka(sifra, smer):
    slobodno, okrenuto = simbol_blok(sifra, smer)
    telo = okvir() + okreni(smer, okrenuto) + slobodno + okreni(smer, izlazna_strelica())
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="42" height="42" viewBox="0 0 42 42">\n'
            + telo + '\n</svg>\n')


# --- command icons --------------------------------------------------------

PLAVA = "#2a5d9f"
ZELENA = "#2e8b3e"
CRVENA = "#c0392b"
ZUTA = "#e8b93a"


def ikonica(telo):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">\n'
            + telo + '\n</svg>\n')


def list_papira(boja_linija=None):
    g = (f'<path d="M3.5 1.5 H9.5 L12.5 4.5 V14.5 H3.5 Z" fill="#ffffff" stroke="{MASTILO}" stroke-width="1" '
         f'stroke-linejoin="round"/><path d="M9.5 1.5 V4.5 H12.5" fill="none" stroke="{MASTILO}" stroke-width="1" '
         f'stroke-linejoin="round"/>')
    if boja_linija:
        g += f'<path d="M5.5 7.5 H10.5 M5.5 9.5 H10.5 M5.5 11.5 H9" stroke="{boja_linija}" stroke-width="1"/>'
    return g


def disketa():
    return (f'<path d="M1.5 1.5 H12 L14.5 4 V14.5 H1.5 Z" fill="{PLAVA}" stroke="{MASTILO}" stroke-width="1" '
            f'stroke-linejoin="round"/><rect x="4" y="1.5" width="7" height="4.5" fill="#ffffff"/>'
            f'<rect x="8.5" y="2.3" width="1.6" height="3" fill="{MASTILO}"/>'
            f'<rect x="3.5" y="9" width="9" height="5.5" fill="#dfe8f3"/>')


def kruzna_strelica(u_smeru_kazaljke):
    if u_smeru_kazaljke:
        g = (f'<path d="M12.6 9.5 A5.2 5.2 0 1 1 10.8 4" fill="none" stroke="{PLAVA}" stroke-width="2" stroke-linecap="round"/>'
             f'<path d="M8.3 1.2 L14.2 2.6 L10.6 7.4 Z" fill="{PLAVA}"/>')
        return g
    g = (f'<path d="M3.4 9.5 A5.2 5.2 0 1 0 5.2 4" fill="none" stroke="{PLAVA}" stroke-width="2" stroke-linecap="round"/>'
         f'<path d="M7.7 1.2 L1.8 2.6 L5.4 7.4 Z" fill="{PLAVA}"/>')
    return g


def blokic(x, y):
    return f'<rect x="{x}" y="{y}" width="4" height="4" rx="0.8" fill="#ffffff" stroke="{MASTILO}" stroke-width="1"/>'


IKONICE = [
    ("novi_dokument", list_papira() +
     f'<path d="M12.5 9.5 V15.5 M9.5 12.5 H15.5" stroke="{ZELENA}" stroke-width="2" stroke-linecap="round"/>'),
    ("otvori",
     f'<path d="M1.5 3.5 H6 L7.5 5 H13.5 V13.5 H1.5 Z" fill="{ZUTA}" stroke="#8a6410" stroke-width="1" stroke-linejoin="round"/>'
     f'<path d="M1.5 13.5 L4 7.5 H15.5 L13.5 13.5 Z" fill="#f6d77a" stroke="#8a6410" stroke-width="1" stroke-linejoin="round"/>'),
    ("sacuvaj", disketa()),
    ("sacuvaj_kao", disketa() +
     f'<path d="M9 15 L9.6 12.6 L14.3 7.9 L15.9 9.5 L11.2 14.2 Z" fill="{ZUTA}" stroke="{MASTILO}" stroke-width="0.8" '
     f'stroke-linejoin="round"/>'),
    ("izlaz",
     f'<path d="M2.5 1.5 H10.5 V14.5 H2.5 Z" fill="#c9d6e6" stroke="{MASTILO}" stroke-width="1"/>'
     f'<path d="M2.5 1.5 L7.5 3 V15.5 L2.5 14.5 Z" fill="{PLAVA}" stroke="{MASTILO}" stroke-width="1" stroke-linejoin="round"/>'
     f'<path d="M9 8 H15 M12.5 5.5 L15 8 L12.5 10.5" fill="none" stroke="{CRVENA}" stroke-width="1.8" '
     f'stroke-linecap="round" stroke-linejoin="round"/>'),
    ("obrisi",
     f'<path d="M3.5 4.5 H12.5 L11.6 15 H4.4 Z" fill="#dfe8f3" stroke="{MASTILO}" stroke-width="1" stroke-linejoin="round"/>'
     f'<path d="M2 3.5 H14 M6 3.5 V1.5 H10 V3.5" fill="none" stroke="{MASTILO}" stroke-width="1.2" stroke-linejoin="round"/>'
     f'<path d="M6.3 6.5 V13 M8 6.5 V13 M9.7 6.5 V13" stroke="{CRVENA}" stroke-width="1"/>'),
    ("rotiraj_desno", kruzna_strelica(True)),
    ("rotiraj_levo", kruzna_strelica(False)),
    ("kreiraj_vezu", blokic(0.5, 1.5) + blokic(11.5, 10.5) +
     f'<path d="M4.5 3.5 H8 V12.5 H9" fill="none" stroke="{MASTILO}" stroke-width="1.3"/>'
     f'<path d="M8.8 10.3 L11.4 12.5 L8.8 14.7 Z" fill="{AKCENT}"/>'),
    ("kreiraj_junction", blokic(0.5, 6) + blokic(11.5, 1) + blokic(11.5, 11) +
     f'<path d="M4.5 8 H7.5 M7.5 3 V13 M7.5 3 H11.5 M7.5 13 H11.5" fill="none" stroke="{MASTILO}" stroke-width="1.3"/>'
     f'<circle cx="7.5" cy="8" r="2" fill="{AKCENT}"/>'),
    ("kreiraj_drzac",
     f'<path d="M1 12.5 H7.5 V3.5 H15" fill="none" stroke="{MASTILO}" stroke-width="1.3"/>'
     f'<rect x="5.3" y="10.3" width="4.4" height="4.4" fill="{AKCENT}" stroke="{MASTILO}" stroke-width="0.8"/>'
     f'<rect x="5.3" y="1.3" width="4.4" height="4.4" fill="{AKCENT}" stroke="{MASTILO}" stroke-width="0.8"/>'),
    ("simulacija",
     f'<circle cx="8" cy="8" r="7" fill="{ZELENA}" stroke="#1d5e29" stroke-width="1"/>'
     f'<path d="M6 4.5 L11.8 8 L6 11.5 Z" fill="#ffffff"/>'),
    ("opis_problema", list_papira(PLAVA)),
    ("fullscreen",
     f'<rect x="2.5" y="2.5" width="11" height="11" fill="#dfe8f3" stroke="{MASTILO}" stroke-width="1"/>'
     f'<path d="M1 5 V1 H5 M11 1 H15 V5 M15 11 V15 H11 M5 15 H1 V11" fill="none" stroke="{PLAVA}" stroke-width="1.6"/>'),
    ("pomoc",
     f'<circle cx="8" cy="8" r="7" fill="{PLAVA}" stroke="{MASTILO}" stroke-width="1"/>'
     f'<path d="M5.6 6.2 C5.6 3.2 10.6 3.2 10.6 6 C10.6 7.8 8 7.9 8 9.8" fill="none" stroke="#ffffff" stroke-width="1.8" '
     f'stroke-linecap="round"/><circle cx="8" cy="12.4" r="1.1" fill="#ffffff"/>'),
    ("prihvati",
     f'<path d="M2 8.5 L6.2 12.5 L14 3.5" fill="none" stroke="{ZELENA}" stroke-width="2.6" stroke-linecap="round" '
     f'stroke-linejoin="round"/>'),
    ("odustani",
     f'<path d="M3.5 3.5 L12.5 12.5 M12.5 3.5 L3.5 12.5" stroke="{CRVENA}" stroke-width="2.6" stroke-linecap="round"/>'),
    ("nazad",
     f'<path d="M14 8 H3.5 M7.5 3.5 L3 8 L7.5 12.5" fill="none" stroke="{PLAVA}" stroke-width="2.2" '
     f'stroke-linecap="round" stroke-linejoin="round"/>'),
    ("grafik",
     f'<path d="M1.5 1 V14.5 H15" fill="none" stroke="{MASTILO}" stroke-width="1.2"/>'
     f'<path d="M2.5 12 L6 7 L9 10 L14 3" fill="none" stroke="{AKCENT}" stroke-width="1.6" stroke-linejoin="round" '
     f'stroke-linecap="round"/><path d="M2.5 13 L6.5 10.5 L10 12 L14 8" fill="none" stroke="{PLAVA}" '
     f'stroke-width="1.3" stroke-linejoin="round" stroke-linecap="round"/>'),
    ("pogled_3d",
     f'<path d="M8 1.5 L14 4.5 V11.5 L8 14.5 L2 11.5 V4.5 Z" fill="#c9d6e6" stroke="{MASTILO}" stroke-width="1" '
     f'stroke-linejoin="round"/><path d="M2 4.5 L8 7.5 L14 4.5 M8 7.5 V14.5" fill="none" stroke="{MASTILO}" '
     f'stroke-width="1" stroke-linejoin="round"/><path d="M8 7.5 L14 4.5 V11.5 L8 14.5 Z" fill="{PLAVA}" '
     f'stroke="{MASTILO}" stroke-width="1" stroke-linejoin="round"/>'),
    ("izvoz",
     f'<path d="M9.5 10 V14.5 H1.5 V4.5 H6" fill="none" stroke="{MASTILO}" stroke-width="1.2" stroke-linejoin="round"/>'
     f'<path d="M5 10.5 C5.5 6.5 8 5 11.5 5" fill="none" stroke="{ZELENA}" stroke-width="1.9" stroke-linecap="round"/>'
     f'<path d="M10.5 1.5 L15 5 L10.5 8.5 Z" fill="{ZELENA}"/>'),
    ("ponisti",
     f'<path d="M4.5 6.5 H10 A3.6 3.6 0 0 1 10 13.7 H6.5" fill="none" stroke="{PLAVA}" stroke-width="2" '
     f'stroke-linecap="round"/><path d="M6.2 2.4 L1.6 6.5 L6.2 10.6 Z" fill="{PLAVA}"/>'),
    ("ponovi",
     f'<path d="M11.5 6.5 H6 A3.6 3.6 0 0 0 6 13.7 H9.5" fill="none" stroke="{PLAVA}" stroke-width="2" '
     f'stroke-linecap="round"/><path d="M9.8 2.4 L14.4 6.5 L9.8 10.6 Z" fill="{PLAVA}"/>'),
    ("podsistem",
     f'<rect x="1.5" y="1.5" width="13" height="13" rx="1.5" fill="{POLJE}" stroke="{MASTILO}" '
     f'stroke-width="1" stroke-dasharray="2 1.2"/>'
     f'<rect x="3.5" y="4" width="4" height="3.5" fill="{AKCENT}" stroke="{MASTILO}" stroke-width="0.7"/>'
     f'<rect x="8.5" y="8.5" width="4" height="3.5" fill="{AKCENT}" stroke="{MASTILO}" stroke-width="0.7"/>'
     f'<path d="M7.5 5.75 H10.5 V8.5" fill="none" stroke="{MASTILO}" stroke-width="0.9"/>'),
]


# --- splash, title strip, dialog background -------------------------------

def splash():
    random.seed(2004)
    s = ['<?xml version="1.0" encoding="UTF-8"?>',
         '<svg xmlns="http://www.w3.org/2000/svg" width="425" height="268" viewBox="0 0 425 268">',
         '<defs>',
         '<linearGradient id="nebo" x1="0" y1="0" x2="0" y2="1">'
         '<stop offset="0" stop-color="#1d3557"/><stop offset="1" stop-color="#2f5d8c"/></linearGradient>',
         '<linearGradient id="traka" x1="0" y1="0" x2="1" y2="0">'
         f'<stop offset="0" stop-color="{AKCENT}"/><stop offset="1" stop-color="#f0a35e"/></linearGradient>',
         '</defs>',
         '<rect width="425" height="268" fill="url(#nebo)"/>']
    # faint grid of the drawing surface
    mreza = []
    for x in range(0, 426, 17):
        mreza.append(f"M{x} 0 V268")
    for y in range(0, 269, 17):
        mreza.append(f"M0 {y} H425")
    s.append(f'<path d="{" ".join(mreza)}" stroke="#ffffff" stroke-opacity="0.06" stroke-width="1"/>')

    # block diagram motif: summer -> integrator -> integrator with feedback through a gain
    def blok(x, y, oznaka, velicina=16):
        return (f'<rect x="{x}" y="{y}" width="46" height="36" rx="6" fill="#ffffff" fill-opacity="0.95" '
                f'stroke="#9cc2e8" stroke-width="1.5"/>'
                + tekst(x + 23, y + 18 + velicina * 0.36, oznaka, velicina))
    veza = 'stroke="#cfe2f5" stroke-width="2" fill="none" stroke-linejoin="round"'
    s.append(f'<path d="M104 166 H138 M184 166 H218 M264 166 H300 H322" {veza}/>')
    s.append(f'<path d="M300 166 V214 H230 M184 214 H74 V174 H82" {veza}/>')
    s.append(f'<path d="M36 166 H58" {veza}/>')
    for (x, y) in [(58, 166), (138, 166), (218, 166), (322, 166), (82, 174)]:
        s.append(f'<path d="M{x - 7} {y - 4.5} L{x} {y} L{x - 7} {y + 4.5} Z" fill="#cfe2f5"/>')
    s.append('<circle cx="300" cy="166" r="3.5" fill="#f0a35e"/>')
    s.append(blok(58, 148, "\u03a3"))
    s.append(blok(138, 148, "\u222b", 18))
    s.append(blok(218, 148, "\u222b", 18))
    s.append(f'<path d="M230 196 L230 232 L184 214 Z" fill="#ffffff" fill-opacity="0.95" stroke="#9cc2e8" stroke-width="1.5"/>')
    s.append(tekst(216, 219, "k", 12, stil="italic"))
    # response curve from the output
    tacke = []
    for i in range(61):
        t = i / 60
        y = 1 - math.exp(-4 * t) * math.cos(11 * t)
        tacke.append((330 + t * 80, 190 - y * 42))
    s.append(linija(tacke, boja="#f0a35e", sirina=2))
    s.append('<path d="M330 198 V140 M328 190 H414" stroke="#9cc2e8" stroke-width="1" fill="none"/>')
    # title
    s.append(f'<text x="32" y="78" font-family="{FONT}" font-size="54" font-weight="bold" fill="#ffffff" '
             f'letter-spacing="2">SKEM</text>')
    s.append(f'<text x="226" y="78" font-family="{FONT}" font-size="54" font-weight="bold" fill="#f0a35e">2004</text>')
    s.append('<rect x="32" y="90" width="361" height="3" fill="url(#traka)"/>')
    s.append(f'<text x="33" y="114" font-family="{FONT}" font-size="15" fill="#dce8f5">'
             'Simulacija kontinualnih dinamickih sistema</text>')
    s.append(f'<text x="392" y="254" font-family="{FONT}" font-size="10" fill="#9cc2e8" text-anchor="end">'
             'Modelovanje blok dijagramima  \u2022  Runge-Kutta 4. reda</text>')
    s.append('<rect x="0.5" y="0.5" width="424" height="267" fill="none" stroke="#0f2238" stroke-width="1"/>')
    s.append('</svg>')
    return "\n".join(s) + "\n"


def traka_naslova():
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="200" height="18" viewBox="0 0 200 18" '
            'preserveAspectRatio="none">\n'
            '<defs><linearGradient id="t" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#3d6a9e"/><stop offset="0.5" stop-color="#24497a"/>'
            '<stop offset="1" stop-color="#1a3a63"/></linearGradient></defs>\n'
            '<rect width="200" height="18" fill="url(#t)"/>\n'
            '<rect y="17" width="200" height="1" fill="#0f2745"/>\n'
            '<rect width="200" height="1" fill="#6f95c2"/>\n'
            '</svg>\n')


def pozadina_dijaloga():
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="300" height="300" viewBox="0 0 300 300" '
            'preserveAspectRatio="none">\n'
            '<defs><linearGradient id="p" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#f4f7fb"/><stop offset="1" stop-color="#dbe5f0"/></linearGradient></defs>\n'
            '<rect width="300" height="300" fill="url(#p)"/>\n'
            '<rect x="0.5" y="0.5" width="299" height="299" fill="none" stroke="#24497a" stroke-width="1"/>\n'
            '</svg>\n')


def ikona_programa():
    """The program's own icon (window, desktop menu, documents): an integrator
    block on the dark blue of the splash, its output turning into a damped
    response. No text, so it looks the same without any font."""
    s = ['<?xml version="1.0" encoding="UTF-8"?>',
         '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">',
         '<defs><linearGradient id="pozadina" x1="0" y1="0" x2="0" y2="1">'
         '<stop offset="0" stop-color="#2f5d8c"/><stop offset="1" stop-color="#1d3557"/></linearGradient></defs>',
         '<rect x="3" y="3" width="58" height="58" rx="12" ry="12" fill="url(#pozadina)"/>']
    # input and output of the block
    s.append('<path d="M8 34 H13" stroke="#cfe2f5" stroke-width="3" stroke-linecap="round"/>')
    s.append('<path d="M12 29.5 L17.5 34 L12 38.5 Z" fill="#cfe2f5"/>')
    s.append('<rect x="17.5" y="21.5" width="23" height="25" rx="5" ry="5" fill="#ffffff" '
             'stroke="#9cc2e8" stroke-width="1.5"/>')
    s.append(putanja("M33.5 25.5 C32 23 28.5 23.6 28 27.5 L26.6 40.5 C26.1 44.5 22.7 45 21.5 42.5",
                     sirina=3.2))
    # the response: a damped oscillation settling at the output's level
    tacke = []
    for i in range(41):
        t = i / 40
        tacke.append((40.5 + t * 17, 34 - 13 * math.exp(-3.2 * t) * math.sin(10.5 * t)))
    s.append(linija(tacke, boja="#f0a35e", sirina=3))
    s.append('</svg>')
    return "\n".join(s) + "\n"


def upisi(ime, sadrzaj):
    with open(os.path.join(SLIKE, ime), "w", encoding="utf-8", newline="\n") as f:
        f.write(sadrzaj)
    return "slike/" + ime


def main():
    # Every kind's pictures are drawn before anything is removed: a kind of the
    # table without a picture here stops the run with the folder as it was.
    bloki = [(f"blok_{sifra:02d}_{smer}.svg", svg_bloka(sifra, smer))
             for sifra in range(broj_vrsta()) for smer in range(1, 5)]
    os.makedirs(SLIKE, exist_ok=True)
    for staro in os.listdir(SLIKE):
        if staro.endswith(".svg"):
            os.remove(os.path.join(SLIKE, staro))
    fajlovi = [upisi(ime, sadrzaj) for ime, sadrzaj in bloki]
    for i, (ime, telo) in enumerate(IKONICE):
        fajlovi.append(upisi(f"ikonica_{i:02d}_{ime}.svg", ikonica(telo)))
    fajlovi.append(upisi("splash.svg", splash()))
    fajlovi.append(upisi("traka_naslova.svg", traka_naslova()))
    fajlovi.append(upisi("pozadina_dijaloga.svg", pozadina_dijaloga()))
    fajlovi.append(upisi("skem.svg", ikona_programa()))
    with open(os.path.join(RESURSI, "slike.qrc"), "w", encoding="utf-8", newline="\n") as f:
        f.write("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n")
        for ime in fajlovi:
            f.write(f"  <file>{ime}</file>\n")
        f.write("</qresource>\n</RCC>\n")
    print(f"{len(fajlovi)} slika u {SLIKE}")


if __name__ == "__main__":
    main()
