#!/usr/bin/env python3
"""Writes the example documents in examples/ from compact descriptions.

Block names, counts and labels come from resources/Manifest.xml (its first
group lists every kind), so the examples carry the same texts a block
dropped from the palette would. Run from the project root:
    python3 scripts/napravi_primere.py
"""
import math
import os
import random
import xml.etree.ElementTree as ET

KOREN = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SIRINA, VISINA = 66, 52


def ucitaj_katalog():
    stablo = ET.parse(os.path.join(KOREN, "resources", "Manifest.xml"))
    grupe = stablo.getroot().find("grupe")
    prva = list(grupe)[0]
    vrste = {}
    for stavka in list(prva.find("stavke")):
        v = {e.tag: (e.text or "").strip() for e in stavka}
        vrste[int(v["sifra"])] = v
    return vrste


KATALOG = ucitaj_katalog()


def broj(v):
    """The document's 15-significant-digit general format."""
    if v == 0:
        return "0"
    s = "%.14e" % abs(v)
    mant, eks = s.split("e")
    cifre = mant.replace(".", "").rstrip("0") or "0"
    e = int(eks) + 1
    znak = "-" if v < 0 else ""
    if -3 <= e <= 15:
        if e <= 0:
            return znak + "0." + "0" * (-e) + cifre
        celi = (cifre[:e]).ljust(e, "0")
        ostatak = cifre[e:]
        return znak + celi + ("." + ostatak if ostatak else "")
    return znak + cifre[0] + ("." + cifre[1:] if len(cifre) > 1 else "") + "E" + str(e - 1)


class Blok:
    def __init__(self, sifra, left, top, p=(0, 0, 0), smer=3, ordinate=None, naziv=None, ime=None,
                 podsistem=None):
        self.sifra, self.left, self.top, self.p, self.smer = sifra, left, top, p, smer
        self.ordinate = ordinate
        self.naziv = naziv  # instead of the kind's name
        self.ime = ime      # a subsystem port's name (caption str2)
        self.podsistem = podsistem  # a subsystem's Podsistem: (blocks, connections, parameters)
        self.broj = None
        self.ulazi = {}  # slot -> Veza

    def maxuveza(self):
        if self.podsistem is not None:  # one input per input port
            return sum(1 for b in self.podsistem[0] if b.sifra == 30)
        return int(KATALOG[self.sifra]["maxuveza"])

    def izlaz(self):
        L, T = self.left, self.top
        return {1: (L, T + VISINA // 2), 2: (L + SIRINA // 2, T + VISINA),
                3: (L + SIRINA, T + VISINA // 2), 4: (L + SIRINA // 2, T)}[self.smer]

    def ulaz(self, slot):
        m = self.maxuveza()
        k = slot + 1
        L, T = self.left, self.top
        return {1: (L + SIRINA, T + k * (VISINA // (m + 1))), 2: (L + k * (SIRINA // (m + 1)), T),
                3: (L, T + k * (VISINA // (m + 1))), 4: (L + k * (SIRINA // (m + 1)), T + VISINA)}[self.smer]


def natpis(b, i, k):
    """Caption str<i>: a port's name is its str2; a subsystem's inputs 1..3
    are captioned with the names of its input ports, as the editor keeps them."""
    if i == 2 and b.ime:
        return b.ime
    if b.podsistem is not None and i >= 4:
        for p in b.podsistem[0]:
            if p.sifra == 30 and int(p.p[0]) == i - 3:
                return p.ime or ""
    return k["str%d" % i]


class Veza:
    """A connection; `tacke` are the bends (holder points), `grane` maps a
    bend index to the junction connections that start there."""

    def __init__(self, od, do, slot, tacke=(), grane=None, izlaz=1):
        self.od, self.do, self.slot, self.izlaz = od, do, slot, izlaz
        self.tacke = list(tacke)
        self.grane = grane or {}
        do.ulazi[slot] = self


def el(roditelj, ime, tekst=None):
    e = ET.SubElement(roditelj, ime)
    if tekst is not None:
        e.text = str(tekst)
    return e


def pisi_vezu(roditelj, ime, v):
    for i, a in enumerate(v.tacke):  # the editor refuses holders closer than 18 px in both axes
        for b in v.tacke[:i]:
            assert abs(a[0] - b[0]) >= 18 or abs(a[1] - b[1]) >= 18, (ime, a, b)
    e = el(roditelj, ime)
    el(e, "PocBlok", v.od.broj)
    el(e, "KrajBlok", v.do.broj)
    el(e, "GdeKrajBlok", v.slot)
    if v.od.sifra == 29:  # which of a subsystem's outputs
        el(e, "PocIzlaz", v.izlaz)
    drzaci = el(e, "Drzaci")
    for i, (x, y) in enumerate(v.tacke):
        d = el(drzaci, "Drzac")
        el(d, "Top", y - 5)   # the holder's point is (Left + 5, Top + 5)
        el(d, "Left", x - 5)
        el(d, "Index", i)
        j = el(d, "Junctions")
        for grana in v.grane.get(i, []):
            pisi_vezu(j, "Junction", grana)


def pisi_sadrzaj(koren, opis, blokovi, veze):
    for i, b in enumerate(blokovi):
        b.broj = i + 1
    el(koren, "OpisProblema", opis)
    bl = el(koren, "Blokovi")
    for b in blokovi:
        k = KATALOG[b.sifra]
        e = el(bl, "Blok")
        el(e, "Top", b.top)
        el(e, "Left", b.left)
        el(e, "Sifra", b.sifra)
        el(e, "Naziv", b.naziv or k["naziv"])
        el(e, "LokalniBroj", b.broj)
        el(e, "brparam", k["brparam"])
        el(e, "maxuveza", b.maxuveza())
        for i in range(1, 7):
            el(e, "str%d" % i, natpis(b, i, k))
        for i in range(3):
            el(e, "Parametar%d" % (i + 1), broj(b.p[i] if i < len(b.p) else 0))
        el(e, "Smer", b.smer)
        if b.ordinate is not None:
            el(e, "Ordinate", " ".join(broj(o) for o in b.ordinate))
        if b.podsistem is not None:
            unutra, unutra_veze, parametri = b.podsistem
            p = el(e, "Podsistem")
            pisi_sadrzaj(p, None, unutra, unutra_veze)
            if parametri:
                ps = el(p, "Parametri")
                for blok, k, tekst in parametri:
                    par = el(ps, "Parametar")
                    el(par, "Blok", blok.broj)
                    el(par, "Broj", k)
                    el(par, "Natpis", tekst)
    vz = el(koren, "Veze")
    for v in veze:
        pisi_vezu(vz, "Veza", v)


def dokument(ime, opis, blokovi, veze, metod=None, merenja=(), prati=(), klizaci=()):
    """metod: (name, relative tolerance, absolute tolerance) stored with the document;
    merenja: measurement files beside the document; prati: blocks watched during a
    run; klizaci: sliders as (block, parameter, min, max, value)."""
    koren = ET.Element("SKEMDokument")
    pisi_sadrzaj(koren, opis, blokovi, veze)
    if metod is not None:
        m = el(koren, "MetodIntegracije")
        el(m, "Metod", metod[0])
        el(m, "RelativnaTolerancija", broj(metod[1]))
        el(m, "ApsolutnaTolerancija", broj(metod[2]))
    if merenja:
        m = el(koren, "Merenja")
        for f in merenja:
            el(m, "Fajl", f)
    if prati or klizaci:
        lab = el(koren, "Laboratorija")
        if prati:
            el(lab, "Prati", " ".join(str(b.broj) for b in prati))
        for b, k, najmanje, najvise, vrednost in klizaci:
            el(lab, "Klizac", "%d.p%d %s %s %s" % (b.broj, k, broj(najmanje), broj(najvise),
                                                    broj(vrednost)))
    ET.indent(koren, space="  ")
    tekst = '<?xml version="1.0"?>\n' + ET.tostring(koren, encoding="unicode") + "\n"
    with open(os.path.join(KOREN, "examples", ime), "w", encoding="utf-8") as f:
        f.write(tekst)


def grana(od_koren, do, slot, tacke=(), grane=None):
    """A junction: its PocBlok is the root block of the chain."""
    return Veza(od_koren, do, slot, tacke, grane)


# 1. Damped harmonic oscillator: x'' + 2*zeta*w*x' + w^2*x = 0, w = 2, zeta = 0.1.
def oscilator():
    s = Blok(26, 120, 100, (-4, -0.4, 0))  # x'' = -4 x - 0.4 v
    v = Blok(10, 280, 100, (0, 0, 0))      # v(0) = 0
    x = Blok(10, 440, 100, (1, 0, 0))      # x(0) = 1
    s_v = Veza(s, v, 0)
    yv = v.izlaz()[1]
    ven = Veza(v, x, 0, [(380, yv)],
               {0: [grana(v, s, 1, [(380, 200), (90, 200), (90, s.ulaz(1)[1])])]})
    xs = Veza(x, s, 0, [(540, x.izlaz()[1]), (540, 240), (70, 240), (70, s.ulaz(0)[1])])
    dokument("oscilator.skem",
             "Priguseni harmonijski oscilator x'' + 2*zeta*omega*x' + omega^2*x = 0 sa omega = 2 i "
             "zeta = 0.1, x(0) = 1, x'(0) = 0. Sumator racuna ubrzanje -0.4*v - 4*x, prvi "
             "integrator daje brzinu v, drugi polozaj x. Tacno resenje: x(t) = exp(-0.2 t) * "
             "(cos(wd t) + 0.2/wd * sin(wd t)), wd = 2*sqrt(0.99).",
             [s, v, x], [s_v, ven, xs])


# 2. Van der Pol oscillator: x'' - mu (1 - x^2) x' + x = 0, mu = 1.
def van_der_pol():
    k = Blok(12, 40, 60, (1,))             # constant 1
    kv = Blok(27, 40, 180, ())             # x^2
    s = Blok(26, 180, 100, (1, -1, 0))     # 1 - x^2
    m = Blok(27, 320, 109, ())             # (1 - x^2) * v
    g = Blok(8, 460, 109, (1,))            # mu
    v = Blok(10, 600, 122, (0, -1, 0))     # v' = mu*m - x, v(0) = 0
    x = Blok(10, 740, 135, (2,))           # x' = v, x(0) = 2
    veze = [Veza(k, s, 0, [(140, k.izlaz()[1]), (140, s.ulaz(0)[1])]),
            Veza(kv, s, 1, [(150, kv.izlaz()[1]), (150, s.ulaz(1)[1])]),
            Veza(s, m, 0), Veza(m, g, 0), Veza(g, v, 0)]
    # v feeds x and, through a junction from below, the second input of the product.
    veze.append(Veza(v, x, 0, [(690, v.izlaz()[1])],
                     {0: [grana(v, m, 1, [(690, 240), (300, 240), (300, m.ulaz(1)[1])])]}))
    # x feeds the second input of v and both inputs of the squarer.
    veze.append(Veza(x, v, 1, [(830, x.izlaz()[1]), (830, 300), (580, 300), (580, v.ulaz(1)[1])],
                     {2: [grana(x, kv, 1, [(20, 300), (20, kv.ulaz(1)[1])],
                                {1: [grana(x, kv, 0, [(20, kv.ulaz(0)[1])])]})]}))
    dokument("vanderpol.skem",
             "Van der Polov oscilator x'' - mu*(1 - x^2)*x' + x = 0 sa mu = 1, x(0) = 2, "
             "x'(0) = 0. Resenje prelazi na granicni ciklus amplitude oko 2.009 i perioda "
             "oko 6.663.",
             [k, kv, s, m, g, v, x], veze)


# 3. Predator-prey (Lotka-Volterra): x' = a x - b x y, y' = d x y - c y.
def lotka_volterra():
    a, b, c, d = 1.0, 0.5, 0.75, 0.25
    x = Blok(10, 300, 80, (4, a, -b))      # prey: x' = a*x - b*x*y (inputs 2 and 3)
    y = Blok(10, 300, 240, (2, d, -c))     # predator: y' = d*x*y - c*y
    m = Blok(27, 120, 160, ())             # x*y
    veze = []
    yx = x.izlaz()[1]
    yy = y.izlaz()[1]
    # x: to the product (input 1) and back to its own input 2.
    veze.append(Veza(x, m, 0, [(420, yx), (420, 40), (260, 40), (90, 40), (90, m.ulaz(0)[1])],
                     {2: [grana(x, x, 1, [(260, x.ulaz(1)[1])])]}))
    # y: to the product (input 2) and back to its own input 3.
    veze.append(Veza(y, m, 1, [(420, yy), (420, 340), (260, 340), (90, 340), (90, m.ulaz(1)[1])],
                     {2: [grana(y, y, 2, [(260, y.ulaz(2)[1])])]}))
    ym = m.izlaz()[1]
    veze.append(Veza(m, x, 2, [(230, ym), (230, x.ulaz(2)[1])],
                     {0: [grana(m, y, 1, [(230, y.ulaz(1)[1])])]}))
    dokument("lotka_volterra.skem",
             "Model plen-predator (Lotka-Volterra): x' = a*x - b*x*y, y' = d*x*y - c*y sa "
             "a = 1, b = 0.5, c = 0.75, d = 0.25, x(0) = 4, y(0) = 2. Velicina "
             "V = d*x - c*ln(x) + b*y - a*ln(y) ostaje konstantna, pa su putanje zatvorene.",
             [x, y, m], veze)


# 4. A falling body stopped by a Quit block when it reaches the ground.
def pad_tela():
    g = Blok(12, 60, 100, (-9.81,))        # acceleration
    v = Blok(10, 200, 100, (0,))           # v(0) = 0
    h = Blok(10, 340, 100, (100,))         # h(0) = 100 m
    z = Blok(12, 340, 240, (0,))           # ground level
    q = Blok(19, 500, 180, ())             # stop when 0 > h
    veze = [Veza(g, v, 0), Veza(v, h, 0),
            Veza(h, q, 1, [(460, h.izlaz()[1]), (460, q.ulaz(1)[1])]),
            Veza(z, q, 0, [(440, z.izlaz()[1]), (440, q.ulaz(0)[1])])]
    dokument("pad_tela.skem",
             "Slobodan pad tela sa visine 100 m: v' = -9.81, h' = v. Quit element zaustavlja "
             "simulaciju kada telo padne na zemlju (0 > h), sto se desava u t = sqrt(200/9.81) "
             "= 4.515 s. Do tada je h(t) = 100 - 4.905*t^2.",
             [g, v, h, z, q], veze)


# 5. An algebraic loop y = 0.5*y + sin(t) + 2, solved by relaxation (y = 2*sin(t) + 4).
def algebarska_petlja():
    t = Blok(25, 60, 200, ())              # time
    sn = Blok(21, 180, 200, (1, 1, 0))     # sin(t)
    k = Blok(12, 180, 300, (2,))           # 2
    p = Blok(24, 60, 60, (4,))             # loop start, initial guess 4
    s = Blok(26, 340, 180, (0.5, 1, 1))    # f(y) = 0.5*y + sin(t) + 2
    w = Blok(28, 500, 100, (1e-12, 1))     # Wye: tolerance, relaxation factor
    z = Blok(10, 660, 100, (-2,))          # z' = y, z(0) = -2  ->  z = 4t - 2cos(t)
    veze = [Veza(t, sn, 0), Veza(sn, s, 1, [(300, sn.izlaz()[1]), (300, s.ulaz(1)[1])]),
            Veza(k, s, 2, [(310, k.izlaz()[1]), (310, s.ulaz(2)[1])]),
            Veza(p, w, 0, [(290, p.izlaz()[1]), (290, w.ulaz(0)[1])],
                 {0: [grana(p, s, 0, [(290, s.ulaz(0)[1])])]}),
            Veza(s, w, 1, [(440, s.izlaz()[1]), (440, w.ulaz(1)[1])]),
            Veza(w, z, 0)]
    dokument("algebarska_petlja.skem",
             "Algebarska petlja y = 0.5*y + sin(t) + 2 resena relaksacijom: blok pocetka petlje "
             "daje procenu y, sumator racuna desnu stranu, a Wye element ponavlja racun dok "
             "se procena ne slozi sa rezultatom. Tacno resenje je y = 2*sin(t) + 4; integrator "
             "daje z = 4*t - 2*cos(t).",
             [t, sn, k, p, s, w, z], veze)


# 6. A function generator shaping time into a piecewise-linear parabola.
def generator_funkcija():
    t = Blok(25, 60, 100, ())
    f = Blok(7, 200, 100, (10, 0), ordinate=[i * i for i in range(11)])  # T_i = i^2 on [0, 10]
    z = Blok(10, 360, 100, (0,))
    veze = [Veza(t, f, 0), Veza(f, z, 0)]
    dokument("generator_funkcija.skem",
             "Generator funkcija oblikuje vreme t u po delovima linearnu parabolu: tablica ima "
             "vrednosti i^2 u tackama i = 0, 1, ..., 10 izmedju donje granice 0 i gornje 10. "
             "Integrator racuna povrsinu ispod te krive.",
             [t, f, z], veze)


# 7. Junctions fanning one output (a sine) to three inputs.
def grananje():
    t = Blok(25, 60, 180, ())
    sn = Blok(21, 180, 180, (1, 1, 0))      # sin(t)
    g = Blok(8, 420, 60, (2,))              # 2*sin(t)
    a = Blok(14, 420, 180, ())              # |sin(t)|
    z = Blok(10, 420, 300, (-1,))           # -cos(t)
    y = sn.izlaz()[1]
    veze = [Veza(t, sn, 0),
            Veza(sn, a, 0, [(320, y)],
                 {0: [grana(sn, g, 0, [(320, g.ulaz(0)[1])]),
                      grana(sn, z, 0, [(320, z.ulaz(0)[1])])]})]
    dokument("grananje.skem",
             "Jedan izlaz (sinus vremena) vodi se preko junction veza na tri ulaza: pojacanje 2 "
             "daje 2*sin(t), apsolutna vrednost |sin(t)|, a integrator sa pocetnim uslovom -1 "
             "daje -cos(t).",
             [t, sn, g, a, z], veze)


# 8. Robertson's chemical kinetics, a stiff system, for BDF:
#    y1' = -0.04 y1 + 1E4 y2 y3, y2' = 0.04 y1 - 1E4 y2 y3 - 3E7 y2^2, y3' = 3E7 y2^2.
#    The integrators weigh their inputs 2 and 3 (p2, p3).
def robertson():
    y1 = Blok(10, 340, 60, (1, -0.04, 1e4))    # in2 = y1, in3 = y2*y3
    y2 = Blok(10, 340, 220, (0, -1e4, -3e7))   # in1 = 0.04 y1, in2 = y2*y3, in3 = y2^2
    y3 = Blok(10, 340, 380, (0, 3e7, 0))       # in2 = y2^2
    g = Blok(8, 160, 207, (0.04,))             # 0.04 y1, level with input 1 of y2
    m1 = Blok(27, 560, 140, ())                # y2 y3
    m2 = Blok(27, 560, 300, ())                # y2^2
    x1, x2, x3 = (b.izlaz()[0] for b in (y1, y2, y3))
    veze = [Veza(y1, y1, 1, [(x1 + 20, y1.izlaz()[1]), (x1 + 20, 30), (310, 30),
                             (310, y1.ulaz(1)[1])],
                 {1: [grana(y1, g, 0, [(130, 30), (130, g.ulaz(0)[1])])]}),
            Veza(g, y2, 0),
            Veza(y2, m1, 0, [(x2 + 30, y2.izlaz()[1]), (x2 + 30, m1.ulaz(0)[1])],
                 {0: [grana(y2, m2, 0, [(x2 + 30, m2.ulaz(0)[1])]),
                      grana(y2, m2, 1, [(x2 + 30, m2.ulaz(1)[1])])]}),
            Veza(y3, m1, 1, [(x3 + 50, y3.izlaz()[1]), (x3 + 50, m1.ulaz(1)[1])]),
            Veza(m1, y1, 2, [(650, m1.izlaz()[1]), (650, 130), (320, 130), (320, y1.ulaz(2)[1])],
                 {2: [grana(m1, y2, 1, [(320, y2.ulaz(1)[1])])]}),
            Veza(m2, y2, 2, [(670, m2.izlaz()[1]), (670, 290), (325, 290), (325, y2.ulaz(2)[1])],
                 {2: [grana(m2, y3, 1, [(325, y3.ulaz(1)[1])])]})]
    dokument("robertson.skem",
             "Robertsonova hemijska kinetika, kruti sistem: y1' = -0.04*y1 + 1E4*y2*y3, "
             "y2' = 0.04*y1 - 1E4*y2*y3 - 3E7*y2^2, y3' = 3E7*y2^2, y1(0) = 1. Metod BDF "
             "(sacuvan sa dokumentom) stize do t = 4E5 u delicu sekunde; u t = 40 je "
             "y1 = 0.7158, y2 = 9.185E-6, y3 = 0.2842, a zbir y1 + y2 + y3 ostaje 1. "
             "Runge-Kutta sa fiksnim korakom ovde trazi korak manji od 1E-3.",
             [y1, y2, y3, g, m1, m2], veze, ("bdf", 1e-8, 1e-12))


# 9. The falling body of 4. with Dormand-Prince: the Quit's crossing is located,
#    so the run stops at sqrt(200/9.81) itself, not at the end of a step.
def pad_tela_tacno():
    g = Blok(12, 60, 100, (-9.81,))
    v = Blok(10, 200, 100, (0,))
    h = Blok(10, 340, 100, (100,))
    z = Blok(12, 340, 240, (0,))
    q = Blok(19, 500, 180, ())
    veze = [Veza(g, v, 0), Veza(v, h, 0),
            Veza(h, q, 1, [(460, h.izlaz()[1]), (460, q.ulaz(1)[1])]),
            Veza(z, q, 0, [(440, z.izlaz()[1]), (440, q.ulaz(0)[1])])]
    dokument("pad_tela_tacno.skem",
             "Slobodan pad tela sa visine 100 m metodom Dormand-Prince 5(4) (sacuvan sa "
             "dokumentom): Quit element (0 > h) zaustavlja simulaciju u trenutku udara, "
             "t = sqrt(200/9.81) = 4.51523640985731 s, koji resavac pronalazi (ne na kraju "
             "koraka kao Runge-Kutta sa fiksnim korakom).",
             [g, v, h, z, q], veze, ("dp45", 1e-10, 1e-12))


# 10. The same second order section x'' + 0.4 x' + 4 x = u, folded into a subsystem, used twice.
def sekcija(x0):
    u = Blok(30, 40, 120, (1,), ime="u")
    s = Blok(26, 160, 120, (1, -0.4, -4))
    v = Blok(10, 300, 120, (0,))
    x = Blok(10, 440, 120, (x0,))
    y = Blok(31, 580, 120, (1,), ime="x")
    veze = [Veza(u, s, 0), Veza(s, v, 0),
            Veza(v, x, 0, [(400, v.izlaz()[1])],
                 {0: [grana(v, s, 1, [(400, 240), (130, 240), (130, s.ulaz(1)[1])])]}),
            Veza(x, y, 0, [(540, x.izlaz()[1])],
                 {0: [grana(x, s, 2, [(540, 280), (110, 280), (110, s.ulaz(2)[1])])]})]
    return [u, s, v, x, y], veze, [(x, 1, "Pocetni polozaj"), (s, 3, "Koef. polozaja")]


def podsistem():
    k = Blok(12, 60, 260, (4,))
    a = Blok(29, 220, 100, naziv="Slobodna sekcija", podsistem=sekcija(1))
    b = Blok(29, 220, 260, naziv="Pobudjena sekcija", podsistem=sekcija(0))
    z = Blok(26, 420, 180, (1, 1, 0))
    veze = [Veza(k, b, 0), Veza(a, z, 0, [(360, a.izlaz()[1]), (360, z.ulaz(0)[1])]),
            Veza(b, z, 1, [(380, b.izlaz()[1]), (380, z.ulaz(1)[1])])]
    dokument("podsistem.skem",
             "Ista sekcija drugog reda x'' + 0.4*x' + 4*x = u, sklopljena u podsistem, koristi se "
             "dva puta. Slobodna sekcija (bez ulaza, x(0) = 1) daje x(t) = exp(-0.2 t) * "
             "(cos(wd t) + 0.2/wd * sin(wd t)), wd = 2*sqrt(0.99); pobudjena (u = 4, x(0) = 0) "
             "daje 1 - x(t), pa je zbir izlaza 1.",
             [k, a, b, z], veze)


# 11. A damped pendulum for the lab: theta'' = -(g/L) sin(theta) - c theta', g/L = 9.81,
#     c = 0.2, theta(0) = 1, with "measured" angles of the same pendulum beside it.
G_L, PRIGUSENJE, THETA0 = 9.81, 0.2, 1.0


def merenja_klatna(ime):
    """The pendulum integrated by RK4 (h = 1E-4), sampled every 0.25 s over
    0..10 s, with uniform noise of at most 0.02 rad from a fixed seed."""
    def f(x):
        return (x[1], -G_L * math.sin(x[0]) - PRIGUSENJE * x[1])

    h, koraka_uzorka = 1e-4, 2500
    x = (THETA0, 0.0)
    slucajni = random.Random(27)
    redovi = ["t,theta"]
    for i in range(41):
        if i > 0:
            for _ in range(koraka_uzorka):
                k1 = f(x)
                k2 = f((x[0] + h / 2 * k1[0], x[1] + h / 2 * k1[1]))
                k3 = f((x[0] + h / 2 * k2[0], x[1] + h / 2 * k2[1]))
                k4 = f((x[0] + h * k3[0], x[1] + h * k3[1]))
                x = tuple(x[j] + h / 6 * (k1[j] + 2 * k2[j] + 2 * k3[j] + k4[j]) for j in range(2))
        redovi.append("%s,%.4f" % (broj(i * 0.25), x[0] + slucajni.uniform(-0.02, 0.02)))
    with open(os.path.join(KOREN, "examples", ime), "w", encoding="utf-8", newline="\n") as d:
        d.write("\n".join(redovi) + "\n")


def klatno():
    s = Blok(26, 240, 100, (-G_L, -PRIGUSENJE, 0))  # theta'' = -9.81 sin(theta) - 0.2 omega
    w = Blok(10, 400, 100, (0,))                     # omega(0) = 0
    th = Blok(10, 560, 100, (THETA0,))               # theta(0) = 1 rad
    sn = Blok(21, 80, 87, (1, 1, 0))                 # sin(theta), level with the summer's input 1
    veze = [Veza(sn, s, 0), Veza(s, w, 0),
            Veza(w, th, 0, [(520, w.izlaz()[1])],
                 {0: [grana(w, s, 1, [(520, 200), (210, 200), (210, s.ulaz(1)[1])])]}),
            Veza(th, sn, 0, [(700, th.izlaz()[1]), (700, 240), (40, 240), (40, sn.ulaz(0)[1])])]
    merenja_klatna("klatno_merenja.csv")
    dokument("klatno.skem",
             "Priguseno klatno duzine L = 1 m: theta'' = -(g/L)*sin(theta) - c*theta' sa "
             "g/L = 9.81 i c = 0.2, theta(0) = 1 rad, theta'(0) = 0. Sinus daje sin(theta), "
             "sumator ugaono ubrzanje, prvi integrator ugaonu brzinu omega, drugi ugao theta. "
             "Probajte laboratoriju (opcije D = 10, h = 0.01, P = 0.1): izaberite Brzina "
             "\"1× realno vreme\" i na strani Laboratorija gledajte kako krive theta i omega "
             "rastu u ritmu klatna (jedan njihaj traje oko 2.1 s). Tokom simulacije pomerajte "
             "klizace 1.p1 (-g/L, od -20 do -1: kraci ili duzi konac) i 1.p2 (-c, od -1 do 0: "
             "jace ili slabije prigusenje); izmene se beleze i mogu da se sacuvaju. Na grafiku "
             "se preko krive theta crtaju merenja iz klatno_merenja.csv (ugao na svakih 0.25 s, "
             "sa sumom do 0.02 rad): simulacija sa pocetnim vrednostima prolazi kroz njih, a "
             "amplituda opada priblizno kao exp(-0.1 t).",
             [s, w, th, sn], veze, merenja=["klatno_merenja.csv"], prati=[th, w],
             klizaci=[(s, 1, -20, -1, -G_L), (s, 2, -1, 0, -PRIGUSENJE)])


if __name__ == "__main__":
    oscilator()
    van_der_pol()
    lotka_volterra()
    pad_tela()
    algebarska_petlja()
    generator_funkcija()
    grananje()
    robertson()
    pad_tela_tacno()
    podsistem()
    klatno()
