#!/usr/bin/env python3
"""The Van der Pol sweep spread over a dask.distributed cluster.

    python3 sweep_dask.py                          # a LocalCluster of two workers
    python3 sweep_dask.py tcp://scheduler:8786     # a running cluster's scheduler

Each task runs one slice of the grid (the batch mode's --part rule: slice I of
M, with the runs' global numbers) through the module on its worker's cores;
the slices are gathered into one long table (run, swept values, t, columns,
as skem --run --sweep writes it) and checked against the same sweep run on
this machine. The document travels to the workers as its own text, so they
need the skem module but no shared folder.
"""
import pathlib
import sys

import numpy as np
import pandas as pd
from dask.distributed import Client, LocalCluster

import skem

PRIMERI = next(
    p
    for p in (pathlib.Path(__file__).resolve().parent.parent, pathlib.Path("/usr/share/skem/examples"))
    if (p / "vanderpol.skem").exists()
)
TRAJANJE, KORAK, STAMPA = 20, 0.01, 0.1
SWEEP = {"5.p1": np.linspace(0.1, 3.2, 16), "7.p1": [1.0, 2.0]}  # 32 runs
DELOVA = 8


def tabela(rezultati):
    """The long form: run, the swept values, t, the columns."""
    delovi = []
    for r in rezultati:
        df = r.to_pandas()
        for k, adresa in enumerate(SWEEP):
            df.insert(k, adresa, r.tacka[adresa])
        df.insert(0, "run", r.run)
        delovi.append(df)
    return pd.concat(delovi, ignore_index=True)


def deo(dokument, i, m):
    """Slice i of m of the sweep, on the worker's cores."""
    return tabela(dokument.serija(TRAJANJE, KORAK, STAMPA, sweep=SWEEP, part=(i, m)))


def rasporedi(klijent, doc):
    """Every slice as a task; the slices' tables in slice order."""
    dokument = klijent.scatter(doc, broadcast=True)
    zadaci = [klijent.submit(deo, dokument, i, DELOVA) for i in range(1, DELOVA + 1)]
    return pd.concat(klijent.gather(zadaci), ignore_index=True)


def main():
    doc = skem.ucitaj(PRIMERI / "vanderpol.skem")
    if len(sys.argv) > 1:
        with Client(sys.argv[1]) as klijent:
            rasporedjeno = rasporedi(klijent, doc)
    else:
        with LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as klaster:
            with Client(klaster) as klijent:
                rasporedjeno = rasporedi(klijent, doc)

    lokalno = tabela(doc.serija(TRAJANJE, KORAK, STAMPA, sweep=SWEEP))
    pd.testing.assert_frame_equal(rasporedjeno, lokalno, check_exact=True)
    print(f"{rasporedjeno['run'].nunique()} simulacija u {DELOVA} delova, "
          f"{len(rasporedjeno)} redova: isto kao na jednoj masini")


if __name__ == "__main__":
    main()
