#!/usr/bin/env python3
"""A run of ten million printed times through the Python module against the
same run in the batch mode's own code without its CSV (skem_bench_jedan_rad):
examples/oscilator.skem, D = 10000, h = 0.001, P = 0.001. Best of three each.

    PYTHONPATH=build/python /usr/bin/python3 bench/PythonBench.py [BUILD_DIR]
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

najbolje = float("inf")
for _ in range(3):
    pocetak = time.perf_counter()
    r = skem.ucitaj(MODEL).simuliraj(D, H, P)
    najbolje = min(najbolje, time.perf_counter() - pocetak)
    tacaka = len(r.t)
    del r

osnova = float(subprocess.run([BUILD / "bench" / "skem_bench_jedan_rad", MODEL, D, H, P, "3"],
                              check=True, capture_output=True, text=True).stdout)
print(f"oscilator.skem, D = {D}, h = {H}, P = {P}: {tacaka} tacaka, {len(skem.ucitaj(MODEL).blokovi)} kolona matrice")
print(f"  paketni rad bez CSV-a   {osnova:.3f} s")
print(f"  skem.simuliraj (numpy)  {najbolje:.3f} s   ({najbolje / osnova:.2f}x)")
