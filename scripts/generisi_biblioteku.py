#!/usr/bin/env python3
"""Writes the shipped library of subsystems (resources/biblioteka/) and the
example that uses them (examples/regulacija.skem) as the program stores them."""
import os

KOREN = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Kind code -> (name, parameter count, input count, captions str1..str6).
VRSTE = {
    8: ("Pojacanje", 1, 1, ["Pojacanje", "x", "x", "Ulaz 1", "x", "x"]),
    10: ("Integrator", 3, 3, ["Pocetni uslov", "Koef. ulaza 2", "Koef. ulaza 3", "Ulaz 1", "Ulaz 2", "Ulaz 3"]),
    12: ("Konstanta", 1, 0, ["Vrednost", "x", "x", "x", "x", "x"]),
    13: ("Ogranicavac", 2, 1, ["Donja granica", "Gornja granica", "x", "Ulaz 1", "x", "x"]),
    26: ("Sumator", 3, 3, ["Koef. ulaza 1", "Koef. ulaza 2", "Koef. ulaza 3", "Ulaz 1", "Ulaz 2", "Ulaz 3"]),
}


def broj(v):
    return str(int(v)) if float(v).is_integer() else repr(float(v))


def blok(n, sifra, left, top, p=(0, 0, 0), naziv=None, ime="", sadrzaj=None, ulaza=None):
    if sifra == 30 or sifra == 31:
        vr = ("Ulaz podsistema" if sifra == 30 else "Izlaz podsistema", 1, 0 if sifra == 30 else 1,
              ["Redni broj", ime, "x", "x" if sifra == 30 else "Ulaz 1", "x", "x"])
    elif sifra == 29:
        # Inputs 1..3 are captioned with the names of the input ports, as the editor keeps them.
        imena = {int(b["p"][0]): b["natpisi"][1] for b in sadrzaj[0] if b["sifra"] == 30}
        vr = ("Podsistem", 0, ulaza, ["x"] * 3 + [imena.get(k, "x") for k in (1, 2, 3)])
    else:
        vr = VRSTE[sifra]
    r = dict(n=n, sifra=sifra, left=left, top=top, p=list(p) + [0] * (3 - len(p)),
             naziv=naziv or vr[0], brparam=vr[1], ulaza=vr[2], natpisi=list(vr[3]), sadrzaj=sadrzaj)
    return r


def pisi_sadrzaj(opis, blokovi, veze, parametri, uvlaka):
    u = "  " * uvlaka
    t = [f"{u}<OpisProblema>{opis}</OpisProblema>" if opis else f"{u}<OpisProblema />"]
    t.append(f"{u}<Blokovi>")
    for b in blokovi:
        t.append(f"{u}  <Blok>")
        polja = [("Top", b["top"]), ("Left", b["left"]), ("Sifra", b["sifra"]), ("Naziv", b["naziv"]),
                 ("LokalniBroj", b["n"]), ("brparam", b["brparam"]), ("maxuveza", b["ulaza"])]
        polja += [(f"str{i + 1}", s) for i, s in enumerate(b["natpisi"])]
        polja += [(f"Parametar{i + 1}", broj(v)) for i, v in enumerate(b["p"])]
        polja += [("Smer", 3)]
        for ime, v in polja:
            t.append(f"{u}    <{ime}>{v}</{ime}>")
        if b["sadrzaj"]:
            t.append(f"{u}    <Podsistem>")
            t += pisi_sadrzaj("", *b["sadrzaj"], uvlaka + 3)
            t.append(f"{u}    </Podsistem>")
        t.append(f"{u}  </Blok>")
    t.append(f"{u}</Blokovi>")
    t.append(f"{u}<Veze>")
    for v in veze:
        od, ka, slot = v[:3]
        t.append(f"{u}  <Veza>")
        t.append(f"{u}    <PocBlok>{od}</PocBlok>")
        t.append(f"{u}    <KrajBlok>{ka}</KrajBlok>")
        t.append(f"{u}    <GdeKrajBlok>{slot}</GdeKrajBlok>")
        if len(v) > 3:
            t.append(f"{u}    <PocIzlaz>{v[3]}</PocIzlaz>")
        t.append(f"{u}    <Drzaci />")
        t.append(f"{u}  </Veza>")
    t.append(f"{u}</Veze>")
    if parametri:
        t.append(f"{u}<Parametri>")
        for put, k, natpis in parametri:
            t.append(f"{u}  <Parametar>")
            t.append(f"{u}    <Blok>{put}</Blok>")
            t.append(f"{u}    <Broj>{k}</Broj>")
            t.append(f"{u}    <Natpis>{natpis}</Natpis>")
            t.append(f"{u}  </Parametar>")
        t.append(f"{u}</Parametri>")
    return t


def dokument(opis, blokovi, veze):
    return "\n".join(['<?xml version="1.0"?>', "<SKEMDokument>"] +
                     pisi_sadrzaj(opis, blokovi, veze, [], 1) + ["</SKEMDokument>", ""])


# u = Kp e + Ki int(e) + Kd N (e - xf), xf' = N (e - xf): a PID with a filtered derivative.
PID = ([blok(1, 30, 40, 140, [1], ime="e"),
        blok(2, 8, 200, 40, [2]),
        blok(3, 8, 200, 140, [1]),
        blok(4, 10, 360, 140),
        blok(5, 26, 200, 260, [1, -1, 0]),
        blok(6, 8, 360, 260, [10]),
        blok(7, 10, 520, 320),
        blok(8, 8, 520, 220, [0.1]),
        blok(9, 26, 680, 140, [1, 1, 1]),
        blok(10, 31, 840, 140, [1], ime="u")],
       [(1, 2, 0), (1, 3, 0), (3, 4, 0), (1, 5, 0), (7, 5, 1), (5, 6, 0), (6, 7, 0), (6, 8, 0),
        (2, 9, 0), (4, 9, 1), (8, 9, 2), (9, 10, 0)],
       [("2", 1, "Kp"), ("3", 1, "Ki"), ("8", 1, "Kd"), ("6", 1, "N")])

# y'' + 2 zeta w y' + w^2 y = K w^2 u, here w = 2, zeta = 0.5, K = 1.
DRUGI_RED = ([blok(1, 30, 40, 100, [1], ime="u"),
              blok(2, 26, 200, 100, [4, -2, -4]),
              blok(3, 10, 360, 100),
              blok(4, 10, 520, 100),
              blok(5, 31, 680, 100, [1], ime="y")],
             [(1, 2, 0), (3, 2, 1), (4, 2, 2), (2, 3, 0), (3, 4, 0), (4, 5, 0)],
             [("2", 1, "Pojacanje"), ("2", 2, "Prigusenje"), ("2", 3, "Krutost")])

# x' = (u - x) / T, T = 0.1, then limited to [-1, 1].
AKTUATOR = ([blok(1, 30, 40, 100, [1], ime="u"),
             blok(2, 26, 200, 100, [10, -10, 0]),
             blok(3, 10, 360, 100),
             blok(4, 13, 520, 100, [-1, 1]),
             blok(5, 31, 680, 100, [1], ime="y")],
            [(1, 2, 0), (3, 2, 1), (2, 3, 0), (3, 4, 0), (4, 5, 0)],
            [("2", 1, "1/T"), ("4", 1, "Donja granica"), ("4", 2, "Gornja granica")])

BIBLIOTEKA = {"PID regulator": (PID, 1), "Clan drugog reda": (DRUGI_RED, 1),
              "Aktuator sa zasicenjem": (AKTUATOR, 1)}


def podsistem(n, left, top, ime, sadrzaj, ulaza):
    return blok(n, 29, left, top, naziv=ime, sadrzaj=sadrzaj, ulaza=ulaza)


def main():
    fascikla = os.path.join(KOREN, "resources", "biblioteka")
    os.makedirs(fascikla, exist_ok=True)
    for ime, (sadrzaj, ulaza) in BIBLIOTEKA.items():
        with open(os.path.join(fascikla, ime + ".skem"), "w", encoding="utf-8", newline="\n") as f:
            f.write(dokument("", [podsistem(1, 16, 16, ime, sadrzaj, ulaza)], []))
    # A closed loop of the three: r = 1, e = r - y, PID, actuator, plant.
    opis = ("Regulacija sistema drugog reda PID regulatorom preko aktuatora sa zasicenjem, sve iz "
            "biblioteke podsistema. Integralno dejstvo vodi izlaz na referencu 1: u ustaljenom stanju "
            "y = 1, a izlaz aktuatora ostaje u granicama [-1, 1].")
    blokovi = [blok(1, 12, 40, 100, [1]),
               blok(2, 26, 160, 100, [1, -1, 0]),
               podsistem(3, 300, 100, "PID regulator", PID, 1),
               podsistem(4, 440, 100, "Aktuator sa zasicenjem", AKTUATOR, 1),
               podsistem(5, 580, 100, "Clan drugog reda", DRUGI_RED, 1)]
    veze = [(1, 2, 0), (5, 2, 1, 1), (2, 3, 0), (3, 4, 0, 1), (4, 5, 0, 1)]
    with open(os.path.join(KOREN, "examples", "regulacija.skem"), "w", encoding="utf-8",
              newline="\n") as f:
        f.write(dokument(opis, blokovi, veze))


if __name__ == "__main__":
    main()
