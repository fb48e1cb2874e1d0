"""The Python module against the batch program: the same results, the same
series and the same messages, then what only the module does (no display,
Ctrl+C, pickling, the examples)."""
import csv
import io
import os
import pathlib
import pickle
import re
import signal
import subprocess
import sys
import time

import numpy as np
import pytest

import skem

IZVOR = pathlib.Path(os.environ.get("SKEM_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
PRIMERI = IZVOR / "examples"
PROGRAM = os.environ.get("SKEM_PROGRAM")
OPCIJE = ("5", "0.01", "0.1")  # D, h, P
# Child interpreters import the module under test, from wherever they start.
MODUL = {"PYTHONPATH": str(pathlib.Path(skem.__file__).parent)}
ARGUMENTI = ("--duration", "5", "--step", "0.01", "--print", "0.1")


def paketno(dokument, *argumenti):
    """skem --run: its CSV (bytes), its messages (lines) and its exit code."""
    if not PROGRAM:
        pytest.skip("the batch program is not built")
    p = subprocess.run([PROGRAM, "--run", str(dokument), *argumenti], capture_output=True,
                       env={**os.environ, "QT_QPA_PLATFORM": "offscreen"}, timeout=300)
    return p.stdout, p.stderr.decode().splitlines(), p.returncode


def izmenjen(tmp_path, primer, staro, novo):
    """An example with one text replaced everywhere, as a new document."""
    fajl = tmp_path / f"izmenjen-{primer}"
    fajl.write_text((PRIMERI / primer).read_text().replace(staro, novo))
    return fajl


def redovi(tekst):
    return list(csv.reader(io.StringIO(tekst.decode())))


def proveri_kolone(rezultat, redovi_csv):
    """Every array value, at 15 digits, is the CSV's number."""
    zaglavlje, *vrednosti = redovi_csv
    assert zaglavlje == ["t"] + rezultat.kolone
    for j, ime in enumerate(zaglavlje):
        iz_csv = np.array([float(red[j]) for red in vrednosti])
        iz_modula = np.array([float(f"{v:.15g}") for v in rezultat[ime]])
        assert np.array_equal(iz_csv, iz_modula), ime


@pytest.mark.parametrize("primer", sorted(p.name for p in PRIMERI.glob("*.skem")))
def test_primer_jednak_paketnom(primer):
    ocekivano, poruke, kod = paketno(PRIMERI / primer, *ARGUMENTI, "--seed", "7")
    assert kod == 0, poruke
    rezultat = skem.ucitaj(PRIMERI / primer).simuliraj(*map(float, OPCIJE), seed=7)
    assert rezultat.csv() == ocekivano
    proveri_kolone(rezultat, redovi(ocekivano))
    # Views over one matrix, no copies, and read-only.
    kolona = rezultat[rezultat.kolone[0]]
    assert not kolona.flags.writeable and not kolona.flags.owndata
    assert list(rezultat.to_dict()) == rezultat.keys() == ["t"] + rezultat.kolone


def bez_prefiksa(poruka):
    """A message without what names the argument ("Opcija --set 5.p2=1: ", "5.p2: ")."""
    return re.sub(r"^(Opcija --\S+ \S+|\S+): (?=.)", "", poruka, count=1)


ADRESE = [
    ("vanderpol.skem", "5.p1", 0.5),
    ("vanderpol.skem", "7.p1", 0.1 + 0.2),  # kept at 15 digits, as --set keeps it
    ("generator_funkcija.skem", "2.o3", -2.5),
    ("generator_funkcija.skem", "2.p1", "12"),
    ("vanderpol.skem", "5.p2", 1),
    ("vanderpol.skem", "9.p1", 1),
    ("vanderpol.skem", "5.o1", 1),
    ("vanderpol.skem", "5.x1", 1),
    ("vanderpol.skem", "5.p1", "abc"),
    ("vanderpol.skem", "5.p1", float("nan")),
    ("vanderpol.skem", "5.p1", 1e308 * 10),
    # Inside subsystems: by path, by a subsystem's caption; a subsystem is no block.
    ("podsistem.skem", "2/4.p1", 0.5),
    ("podsistem.skem", "3.Koef. polozaja", -1),
    ("podsistem.skem", "2.p1", 1),
    ("podsistem.skem", "2/9.p1", 1),
]


@pytest.mark.parametrize("primer,adresa,vrednost", ADRESE)
def test_adresa_kao_set(tmp_path, primer, adresa, vrednost):
    tekst = vrednost if isinstance(vrednost, str) else repr(float(vrednost))
    ocekivano, poruke, kod = paketno(PRIMERI / primer, *ARGUMENTI, "--set", f"{adresa}={tekst}")
    doc = skem.ucitaj(PRIMERI / primer)
    if kod != 0:
        pre = pickle.dumps(doc)
        with pytest.raises(skem.SkemError) as greska:
            doc[adresa] = vrednost
        assert str(greska.value).startswith(adresa + ": ")
        assert bez_prefiksa(str(greska.value)) == bez_prefiksa(poruke[0])
        assert pickle.dumps(doc) == pre  # nothing changed
        return
    doc[adresa] = vrednost
    assert doc[adresa] == float(f"{float(tekst):.15g}")
    assert doc.simuliraj(*OPCIJE).csv() == ocekivano
    # Saved and read again, by the module and by the batch program: the same run.
    doc.sacuvaj(tmp_path / "sacuvan.skem")
    assert skem.ucitaj(tmp_path / "sacuvan.skem")[adresa] == doc[adresa]
    assert paketno(tmp_path / "sacuvan.skem", *ARGUMENTI)[0] == ocekivano


def duga_forma(rezultati, adrese):
    """The batch's long form rebuilt from the module's results, as parsed rows."""
    redovi_ = []
    for r in rezultati:
        for red in redovi(r.csv())[1:]:
            redovi_.append([str(r.run)] + [r.tacka[a] for a in adrese] + red)
    return redovi_


SERIJE = [
    # document, sweep (the module's form), batch arguments, runs, seed
    ("vanderpol.skem", {"5.p1": np.linspace(0.5, 2, 4), "7.p1": "1,2"},
     ["--sweep", "5.p1=0.5:2:4", "--sweep", "7.p1=1,2"], 1, None),
    ("slucajni", {"3.p1": [0, 1]}, ["--sweep", "3.p1=0,1"], 3, 5),
    ("podsistem.skem", {"3.Pocetni polozaj": [0, 2], "2/2.p2": "-0.4,0"},
     ["--sweep", "3.Pocetni polozaj=0,2", "--sweep", "2/2.p2=-0.4,0"], 1, None),
]


@pytest.mark.parametrize("primer,sweep,argumenti,runs,seed", SERIJE)
def test_serija_kao_paketna(tmp_path, primer, sweep, argumenti, runs, seed):
    # A random source: the generator of the function generator example.
    fajl = (izmenjen(tmp_path, "generator_funkcija.skem", "<Sifra>7</Sifra>", "<Sifra>11</Sifra>")
            if primer == "slucajni" else PRIMERI / primer)
    dodatni = ["--runs", str(runs)] + (["--seed", str(seed)] if seed is not None else [])
    ocekivano, poruke, kod = paketno(fajl, *ARGUMENTI, *argumenti, *dodatni, "--jobs", "2")
    assert kod == 0, poruke
    doc = skem.ucitaj(fajl)
    serija = doc.serija(*OPCIJE, sweep=sweep, runs=runs, seed=seed, jobs=2)
    adrese = list(sweep)
    zaglavlje, *paketni = redovi(ocekivano)
    assert zaglavlje[: len(adrese) + 1] == ["run"] + adrese
    modul = duga_forma(serija, adrese)
    assert [[float(x) for x in red] for red in paketni] == [[float(x) for x in red] for red in modul]
    assert [red[len(adrese) + 1:] for red in paketni] == [red[len(adrese) + 1:] for red in modul]

    # Sliced as --part does it, on one thread: the same runs.
    delovi = [r for i in (1, 2, 3) for r in doc.serija(*OPCIJE, sweep=sweep, runs=runs, seed=seed,
                                                      jobs=1, part=f"{i}/3")]
    assert [(r.run, r.csv()) for r in delovi] == [(r.run, r.csv()) for r in serija]
    if seed is not None:
        return
    # Each run alone, its swept values set on the document: the same results,
    # also after pickling (as a cluster sends them).
    for r in serija:
        jedan = pickle.loads(pickle.dumps(doc))
        for adresa, v in r.tacka.items():
            jedan[adresa] = v
        assert jedan.simuliraj(*OPCIJE).csv() == pickle.loads(pickle.dumps(r)).csv() == r.csv()


GRESKE = [
    # document, the module's call, the batch's arguments
    ("vanderpol.skem", lambda d: d.simuliraj("-1", 0.01, 0.1), ["--duration", "-1", "--step", "0.01", "--print", "0.1"]),
    ("vanderpol.skem", lambda d: d.simuliraj(5, 0.01, 0), ["--duration", "5", "--step", "0.01", "--print", "0"]),
    ("vanderpol.skem", lambda d: d.simuliraj(5, 0.1, 0.01), ["--duration", "5", "--step", "0.1", "--print", "0.01"]),
    ("bez_integratora", lambda d: d.simuliraj(*OPCIJE), ARGUMENTI),
    ("bez_integratora", lambda d: d.serija(*OPCIJE, runs=2), [*ARGUMENTI, "--runs", "2"]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, runs=0), [*ARGUMENTI, "--runs", "0"]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, runs=10**10), [*ARGUMENTI, "--runs", str(10**10)]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, seed=-1), [*ARGUMENTI, "--seed", "-1", "--runs", "2"]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, jobs=0), [*ARGUMENTI, "--jobs", "0", "--runs", "2"]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, jobs=2000), [*ARGUMENTI, "--jobs", "2000", "--runs", "2"]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, part=(3, 2)), [*ARGUMENTI, "--part", "3/2"]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, part="1/x"), [*ARGUMENTI, "--part", "1/x"]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, sweep={"5.p1": "1:2"}), [*ARGUMENTI, "--sweep", "5.p1=1:2"]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, sweep={"5.p2": [1]}), [*ARGUMENTI, "--sweep", "5.p2=1"]),
    ("vanderpol.skem", lambda d: d.serija(*OPCIJE, sweep={"5.p1": []}), None),
    ("vanderpol.skem", lambda d: d.simuliraj(*OPCIJE, metod="Euler"), None),
    ("generator_funkcija.skem", lambda d: d.serija(*OPCIJE, sweep={"2.p2": [0, 10, 5]}),
     [*ARGUMENTI, "--sweep", "2.p2=0,10,5"]),
    ("nema.skem", None, ARGUMENTI),
]


@pytest.mark.parametrize("primer,poziv,argumenti", GRESKE)
def test_greske_kao_paketne(tmp_path, primer, poziv, argumenti):
    fajl = (izmenjen(tmp_path, "oscilator.skem", "<Sifra>10</Sifra>", "<Sifra>8</Sifra>")
            if primer == "bez_integratora" else PRIMERI / primer)
    with pytest.raises(skem.SkemError) as greska:
        poziv(skem.ucitaj(fajl)) if poziv else skem.ucitaj(fajl)
    if argumenti is None:
        assert str(greska.value)
        return
    izlaz, poruke, kod = paketno(fajl, *argumenti)
    assert kod != 0
    # The program's message; the runs of a series that failed, each on its line.
    ocekivano = [bez_prefiksa(p) for p in poruke]
    assert [bez_prefiksa(p) for p in str(greska.value).splitlines()] == ocekivano
    if izlaz:  # the runs that succeeded go with the error
        zaglavlje, *paketni = redovi(izlaz)
        assert [r.run for r in greska.value.rezultati] == sorted({int(red[0]) for red in paketni})


def pokreni(kod, **okruzenje):
    """Python code in a fresh interpreter with no display at all."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    return subprocess.Popen([sys.executable, "-c", kod], env={**env, **MODUL, **okruzenje}, text=True,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def test_bez_ekrana_i_ctrl_c():
    # Imports and runs with no display, and loads no part of Qt that draws.
    p = pokreni(f"""
import skem
skem.ucitaj({str(PRIMERI / 'oscilator.skem')!r}).simuliraj(1, 0.01, 0.1)
print([l for l in open('/proc/self/maps') if 'Qt6Gui' in l or 'Qt6Widgets' in l])""")
    izlaz, greske = p.communicate(timeout=120)
    assert (p.returncode, izlaz.strip()) == (0, "[]"), greske

    # Ctrl+C stops a long run: KeyboardInterrupt, the interpreter lives on.
    p = pokreni(f"""
import skem
doc = skem.ucitaj({str(PRIMERI / 'oscilator.skem')!r})
try:
    print("pocetak", flush=True)
    doc.simuliraj(1e7, 0.001, 1000)  # hours, unless it stops
except KeyboardInterrupt:
    print("prekinuto")""")
    assert p.stdout.readline().strip() == "pocetak"
    time.sleep(0.5)  # into the run
    p.send_signal(signal.SIGINT)
    izlaz, greske = p.communicate(timeout=120)
    assert (p.returncode, izlaz.strip()) == (0, "prekinuto"), greske


@pytest.mark.parametrize("primer", ["vanderpol.py", "sweep_dask.py"])
def test_primer_iz_pythona(tmp_path, primer):
    pytest.importorskip("matplotlib" if primer == "vanderpol.py" else "dask.distributed")
    # The plot example writes its pictures into the folder named; the dask
    # example takes a scheduler's address and is given none (a local cluster).
    argumenti = [str(tmp_path)] if primer == "vanderpol.py" else []
    p = subprocess.run([sys.executable, str(PRIMERI / "python" / primer), *argumenti],
                       capture_output=True, text=True, timeout=600, cwd=tmp_path,
                       env={**os.environ, **MODUL, "MPLBACKEND": "Agg"})
    assert p.returncode == 0, p.stderr
    if primer == "vanderpol.py":
        assert {f.name for f in tmp_path.glob("*.png")} == {"vanderpol_ciklusi.png", "oscilator.png"}
