#!/usr/bin/env python3
"""A run of ten million printed times through the Python module against the
same run in the batch mode's own code without its CSV (skem_bench_jedan_rad):
examples/oscilator.skem, D = 10000, h = 0.001, P = 0.001, the two interleaved,
best of N each (default 5).

    cmake --build build --target skem_python skem_bench_jedan_rad
    PYTHONPATH=build/python /usr/bin/python3 bench/PythonBench.py [BUILD_DIR [N]]
"""
import pathlib
import subprocess
import sys
import time

import skem

KOREN = pathlib.Path(__file__).resolve().parent.parent
BUILD = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else KOREN / "build")
MODEL = KOREN / "examples" / "oscilator.skem"
D, H, P = "10000", "0.001", "0.001"

PONAVLJANJA = int(sys.argv[2]) if len(sys.argv) > 2 else 5


def kroz_modul():
    pocetak = time.perf_counter()
    r = skem.ucitaj(MODEL).simuliraj(D, H, P)
    return time.perf_counter() - pocetak, len(r.t)


def paketno():
    program = BUILD / "bench" / "skem_bench_jedan_rad"
    return float(subprocess.run([program, MODEL, D, H, P, "1"], check=True, capture_output=True,
                                text=True).stdout)


# Interleaved, best of each: a busy machine slows both alike.
modul, osnova = [], []
for _ in range(PONAVLJANJA):
    s, tacaka = kroz_modul()
    modul.append(s)
    osnova.append(paketno())
print(f"oscilator.skem, D = {D}, h = {H}, P = {P}: {tacaka} tacaka, best of {PONAVLJANJA}")
print(f"  paketni rad bez CSV-a   {min(osnova):.3f} s")
print(f"  skem.simuliraj (numpy)  {min(modul):.3f} s   ({min(modul) / min(osnova):.2f}x)")
