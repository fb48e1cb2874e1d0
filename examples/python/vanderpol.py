#!/usr/bin/env python3
"""SKEM from Python: the Van der Pol example swept over its damping, its limit
cycles plotted, and the damped oscillator example checked against its
analytic solution.

    python3 vanderpol.py [OUTPUT_FOLDER]

Writes vanderpol_ciklusi.png and oscilator.png (into the current folder by
default) and prints what it found. Needs numpy and matplotlib; runs without a
display (matplotlib's Agg backend).
"""
import pathlib
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt
import numpy as np

import skem

# The examples beside this folder (a source tree) or where the package puts them.
PRIMERI = next(
    p
    for p in (pathlib.Path(__file__).resolve().parent.parent, pathlib.Path("/usr/share/skem/examples"))
    if (p / "vanderpol.skem").exists()
)
izlaz = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
izlaz.mkdir(parents=True, exist_ok=True)

# --- Van der Pol: x'' - mu (1 - x^2) x' + x = 0 --------------------------------
# Block 5 (a gain) holds mu; integrator 7 gives x, integrator 6 gives x'.
doc = skem.ucitaj(PRIMERI / "vanderpol.skem")
print(doc.opis)
mu = [0.5, 1.0, 2.0, 4.0]
runs = doc.serija(40, 0.01, 0.01, sweep={"5.p1": mu})  # every run on its own core

fig, ax = plt.subplots(figsize=(6, 5))
for r in runs:
    x, v = r["7. Integrator"], r["6. Integrator"]
    poslednji = r.t >= 20  # the limit cycle, after the transient
    amplituda = np.abs(x[poslednji]).max()
    print(f"mu = {r.tacka['5.p1']:g}: amplituda granicnog ciklusa {amplituda:.4f}")
    # For any mu the limit cycle's amplitude is close to 2.
    assert 1.9 < amplituda < 2.1, amplituda
    ax.plot(x, v, lw=0.8, label=f"mu = {r.tacka['5.p1']:g}")
ax.set_xlabel("x")
ax.set_ylabel("x'")
ax.set_title("Van der Pol: granicni ciklusi")
ax.legend()
fig.savefig(izlaz / "vanderpol_ciklusi.png", dpi=100)

# --- The damped oscillator: x'' + 0.4 x' + 4 x = 0, x(0) = 1, x'(0) = 0 ------
osc = skem.ucitaj(PRIMERI / "oscilator.skem")
r = osc.simuliraj(10, 0.01, 0.05)
t = r.t
wd = np.sqrt(4 - 0.2**2)
analiticko = np.exp(-0.2 * t) * (np.cos(wd * t) + 0.2 / wd * np.sin(wd * t))
greska = np.abs(r["3. Integrator"] - analiticko).max()
print(f"oscilator: najveca razlika od analitickog resenja {greska:.2e}")
assert greska < 1e-6, greska  # RK4 with h = 0.01

fig, (gore, dole) = plt.subplots(2, 1, figsize=(6, 5), sharex=True)
gore.plot(t, r["3. Integrator"], label="SKEM")
gore.plot(t, analiticko, "--", label="analiticko")
gore.legend()
gore.set_ylabel("x")
dole.semilogy(t[1:], np.abs(r["3. Integrator"] - analiticko)[1:])
dole.set_ylabel("|razlika|")
dole.set_xlabel("t")
fig.savefig(izlaz / "oscilator.png", dpi=100)
print(f"slike u {izlaz.resolve()}")
