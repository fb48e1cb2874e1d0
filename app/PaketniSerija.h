#pragma once
// Batch mode's series of runs (sweeps, repetitions, slices): runs them on
// several threads, each with its own engine and its own copy of the model,
// and writes the results in run order as one long CSV
// "run,<swept names>,t,<columns>" or as one CSV per run with an index.

#include "KopijaModela.h"
#include "Serija.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <vector>

class QTextStream;

struct TSerijaPaketno {
    skem::TPlanSerije Plan;
    skem::TKopijaModela Osnova; // the document's blocks, read and checked once
    skem::TOpcijeSimulacije Opcije;
    std::vector<skem::TBlokRezultata> Kolone;
    int Niti = 1;
    std::int64_t Deo = 1, Delova = 1; // --part Deo/Delova
    QString Izlaz;                    // --output, or empty for the output stream
    QString Direktorijum;             // --output-dir, or empty
    bool Napredak = false;            // a progress line on the error stream
    skem::TPrevodjenje Prevodjenje = skem::TPrevodjenje::Auto; // --prevodjenje
    skem::TListaIzmena Izmene;                                 // --izmene: replayed in every run
    std::vector<std::size_t> RedoviIzmena;                     // each change's line in its file
    // Set (by Ctrl+C, say) to stop: runs under way end soon, no output file
    // is left behind, and the exit code is 1.
    const std::atomic<bool>* Zaustavi = nullptr;
};

// Exit code: 0 when every run succeeded, 1 when one failed (its message is
// on the error stream, its rows are left out) or the output cannot be written.
// A run that a Quit element ended is told on the error stream, as a failed
// one is ("Simulacija 3 (5.p1=2): Kraj simulacije ... t = 0.3"), and counts
// as a success.
int IzvrsiSeriju(const TSerijaPaketno& serija, QTextStream& izlaz, QTextStream& greske);

// Writes the whole file beside the target and renames it over the target (a
// target that is no regular file, a device or a FIFO, is written into
// directly); false (and the reason on the error stream) when that fails.
bool UpisiFajl(const QString& imeFajla, const QByteArray& sadrzaj, QTextStream& greske);

// "Na standardni izlaz ne moze da se pise: <the system's reason>"
QString PorukaStandardnogIzlaza(const QString& razlog);

// One run alone, printed exactly as before sweeps existed (run 1 of the
// plan), its CSV formatted row by row as the run goes on, with no results
// matrix: into a file directly, to the output stream or a device once the
// run has succeeded (kept meanwhile in a temporary file). A Quit that ended
// it is told on the error stream with the time reached; the exit code stays 0.
int IzvrsiJednu(const TSerijaPaketno& serija, QTextStream& izlaz, QTextStream& greske);
