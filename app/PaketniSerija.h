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
    // Set (by Ctrl+C, say) to stop: runs under way end soon, no output file
    // is left behind, and the exit code is 1.
    const std::atomic<bool>* Zaustavi = nullptr;
};

// Exit code: 0 when every run succeeded, 1 when one failed (its message is
// on the error stream, its rows are left out) or the output cannot be written.
int IzvrsiSeriju(const TSerijaPaketno& serija, QTextStream& izlaz, QTextStream& greske);

// Writes the whole file beside the target and renames it over the target;
// false (and the reason on the error stream) when that fails.
bool UpisiFajl(const QString& imeFajla, const QByteArray& sadrzaj, QTextStream& greske);

// One run alone, printed exactly as before sweeps existed (run 1 of the
// plan), its CSV written line by line as it is formatted.
int IzvrsiJednu(const TSerijaPaketno& serija, QTextStream& izlaz, QTextStream& greske);
