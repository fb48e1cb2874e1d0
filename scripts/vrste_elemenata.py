"""The element kinds as the engine's kind table lists them (engine/VrsteElemenata.h).

The table is the one place that counts the kinds; the generators read it from
there, so they make exactly one picture set and one help page per kind.
"""

import os
import re

KOREN = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ZAGLAVLJE = os.path.join(KOREN, "engine", "VrsteElemenata.h")


def vrste():
    """The kinds' names in code order: the rows of the table, each checked
    against the code its enumerator carries."""
    with open(ZAGLAVLJE, encoding="utf-8") as f:
        tekst = f.read()
    nabrajanje = re.search(r"enum class TVrstaElementa\b[^{]*\{(.*?)\};", tekst, re.S)
    tabela = re.search(r"OsobineVrsta = std::to_array<TOsobineVrste>\(\{(.*?)\}\);", tekst, re.S)
    if not nabrajanje or not tabela:
        raise SystemExit(f"{ZAGLAVLJE}: the kind table is not where it is looked for")
    sifre = {ime: int(s) for ime, s in re.findall(r"^\s*(\w+)\s*=\s*(\d+)\s*,", nabrajanje.group(1), re.M)}
    redovi = re.findall(r"^\s*\w+\(V::(\w+)", tabela.group(1), re.M)
    for sifra, ime in enumerate(redovi):
        if sifre.get(ime) != sifra:
            raise SystemExit(f"{ZAGLAVLJE}: row {sifra} of the kind table is {ime}, code {sifre.get(ime)}")
    return redovi


def broj_vrsta():
    return len(vrste())


if __name__ == "__main__":
    print(broj_vrsta())
