#pragma once
// Batch mode: "skem --run FILE.skem --duration D --step H --print P
// [--output OUT.csv]" reads a document into the document model (the editor's
// rules, no drawing surface), checks the options with the options dialog's
// checks, runs the engine and writes the results as CSV, with Qt Core alone.
// --set overrides parameters for the run; --sweep, --runs and --part make a
// series of runs (PaketniSerija.h). Exit codes: 0 success (a Quit counts as
// one), 1 the model was refused, the run failed or was stopped (Ctrl+C), 2
// bad arguments or refused options; every message goes to the error stream.

#include <QByteArray>
#include <QStringList>
#include <atomic>

class QTextStream;

// What main() calls when argv[1] is "--run", before any QApplication: makes
// a QCoreApplication only, so it needs no display and no platform plugin.
int PokreniPaketno(int argc, char** argv);

// The whole batch run; it needs no application object. argumenti are the
// program's arguments after its name, starting with "--run"; napredak shows a
// series' progress line on the error stream. Setting *zaustavi (from any
// thread or a signal handler) stops the run: "Simulacija je prekinuta." on
// the error stream, no output file, exit code 1.
int IzvrsiPaketno(const QStringList& argumenti, QTextStream& izlaz, QTextStream& greske,
                  bool napredak = false, const std::atomic<bool>* zaustavi = nullptr);

// From the first call on, Ctrl+C (SIGINT) and SIGTERM set the flag returned
// instead of ending the process; a second one ends it as usual.
const std::atomic<bool>& ZaustavljanjeNaSignal();

// The command line's arguments after the program's name. File names are
// bytes: a byte that is no part of UTF-8 text is kept as a lone surrogate
// (0xDC00 + b), so ImeUBajtovima gives the very bytes back and such a file
// can still be opened.
QStringList ArgumentiKomandneLinije(int argc, char** argv);
QString ArgumentKomandneLinije(const QByteArray& bajtovi);
QByteArray ImeUBajtovima(const QString& ime);

// The usage text shown for bad arguments.
QString UpotrebaPaketno();

// The program's own options, looked at before any window or Qt sees the
// command line (so they work without a display): "--version" and "--help"
// print their text and give 0; any other argument beginning with "--" prints
// the usage and gives 2. PokreniEditor when there is none: the editor starts.
// argumenti are those after the program's name; "--run" first is the batch
// mode's and is not looked at here.
constexpr int PokreniEditor = -1;
int IzvrsiOpcijePrograma(const QStringList& argumenti, QTextStream& izlaz, QTextStream& greske);
// The same on the real command line, stdout and stderr.
int PokreniOpcijePrograma(int argc, char** argv);
// "SKEM <version>" and the usage of every form of the command line.
QString VerzijaPrograma();
QString UpotrebaPrograma();
