#pragma once
// A diagram document as plain values: the problem description, the blocks in
// list order and the connections with their holders and junction
// connections. It is read from and written to the .skem XML text without any
// drawing surface, so the batch mode, undo and the clipboard can work on a
// document that nobody draws. Reading and writing follow the surface's
// rules to the byte: the same document gives the same model, the same
// saved text and the same first error.
//
// Blocks and connections refer to each other by position: a connection
// names its blocks by their place in Blokovi, a holder names its junction
// connections by their place in Veze.

#include "CsvRezultata.h"
#include "KopijaModela.h"
#include "MetodIntegracije.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

class QFileDevice;

namespace skem {

// A document that cannot be read or written; what() is the message in UTF-8.
// Poruka() is the whole message, also when the XML service quotes a NUL
// character of the text (what() ends there).
class TGreskaDokumenta : public std::runtime_error {
public:
    explicit TGreskaDokumenta(const QString& poruka)
        : std::runtime_error(poruka.toUtf8().toStdString()), poruka(poruka) {}
    QString Poruka() const { return poruka; }

private:
    QString poruka;
};

// Junction connections nested deeper than this are refused when reading and
// writing (each level costs stack; no drawing gets anywhere near it).
inline constexpr int MaksDubinaJunctiona = 1000;
// Subsystems nested deeper than this are refused when reading; every level
// costs a few stack frames wherever the hierarchy is walked.
inline constexpr int MaksDubinaPodsistema = 1000;
// Elements nested deeper than this, or more of them than this, are refused.
// Each junction level adds four element levels (Drzaci, Drzac, Junctions,
// Junction) to the six of a connection with a holder's fields, and each
// subsystem level three (Blokovi, Blok, Podsistem), so every document within
// the junction and subsystem limits passes.
inline constexpr int MaksDubinaElemenata = 4 * MaksDubinaJunctiona + 3 * MaksDubinaPodsistema + 32;
// The reader keeps nothing for an element as such: only blocks, connections
// and holders take memory (a holder or a connection waiting for the blocks
// about 40 bytes, twice that while its list grows). A chain of a million
// blocks has 23 million elements, 28 million with a bend on every
// connection; 30 million elements of the costliest kind stay under 2.5 GB.
inline constexpr qint64 MaksBrojElemenata = 30000000;
// More blocks than this are refused before any block is made.
inline constexpr qint64 MaksBrojBlokova = 1000000;
// A document bigger than MaksMemorijaCitanja / MemorijaPoBajtuDokumenta
// bytes is refused before it is read. A file streams through the reader, so
// its text is never held whole; a chain's model takes less than a byte for
// each of its bytes, but a long text (a name, the description) is held by
// the parser and by the model, two bytes a character each: 4 bytes a byte.
inline constexpr qint64 MaksMemorijaCitanja = qint64(4) << 30;
inline constexpr qint64 MemorijaPoBajtuDokumenta = 4;

struct TPodsistemModela;

// One block. Texts read from one document share their characters (every
// "x" caption is one string), so a large diagram costs little more than its
// numbers.
//
// A subsystem block (kind Podsistem) holds a diagram of its own. Its inputs
// and outputs are the port blocks inside (kinds UlazPodsistema and
// IzlazPodsistema): a port's number 1, 2, ... is its parameter 1 and its name
// the caption str2 (its kind has no parameter 2). Input slot k of the
// subsystem is input port k + 1, and it has as many slots as input ports, at
// least the three of every block.
struct TBlokModela {
    QString Naziv;
    std::array<QString, 6> Natpisi; // str1..str6: labels of parameters 1..3, then inputs 1..3
    double Parametar1 = 0, Parametar2 = 0, Parametar3 = 0;
    // A function generator's own ordinates; none: the defaults from the parameters.
    std::shared_ptr<const std::array<double, 11>> Ordinate;
    int Left = 0, Top = 0;
    int LokalniBroj = 0;
    int MaxUlaznihVeza = 0;
    // The connection (position in Veze) in each input slot; -1 = empty.
    std::array<int, 3> Ulazi{-1, -1, -1};
    // A subsystem's slots from 3 on, when it has more than three inputs.
    std::vector<int> DaljiUlazi;
    // A subsystem's content, shared by the copies of the block (undo steps,
    // the clipboard) and never changed: a change makes a new one. None for
    // other kinds, and for a subsystem read without any (it is empty).
    std::shared_ptr<const TPodsistemModela> Podsistem;
    quint8 Sifra = 0;
    quint8 brparam = 0;
    quint8 Smer = 1; // 1 left, 2 down, 3 right, 4 up; a file may hold any other

    double Parametar(int k) const { return k == 1 ? Parametar1 : k == 2 ? Parametar2 : Parametar3; }
    bool JePodsistem() const;
    // How many input slots the block has: 3, or a subsystem's inputs beyond that.
    int BrojSlotova() const { return 3 + int(DaljiUlazi.size()); }
    // The connection in slot k (0 .. BrojSlotova() - 1), or -1.
    int Ulaz(int k) const { return k < 3 ? Ulazi[size_t(k)] : DaljiUlazi[size_t(k) - 3]; }
    // Sets slot k, growing a subsystem's slots to reach it.
    void PostaviUlaz(int k, int veza);
};

// A port's number and name (see TBlokModela).
int BrojPorta(const TBlokModela& port);
const QString& ImePorta(const TBlokModela& port);
inline constexpr int NatpisImenaPorta = 1;

// A holder: its top-left corner and the junction connections that start at
// it (positions in Veze, in order).
struct TDrzacModela {
    int Left = 0, Top = 0;
    std::vector<int> Junctions;
};

// A connection: from the output of PocBlok (for a junction connection the
// block named in the file, the root of its chain) to input slot GdeKrajBlok
// of KrajBlok, bent at its holders in path order. It counts as attached only
// while KrajBlok's Ulazi[GdeKrajBlok] names it: a later connection into the
// same slot takes the slot, and the earlier one can then not be saved.
struct TVezaModela {
    int PocBlok = -1; // positions in Blokovi
    int KrajBlok = -1;
    int GdeKrajBlok = 0;
    // Which output of PocBlok it starts at: a subsystem's output port
    // IzlazPocBloka + 1; 0 for every other block.
    int IzlazPocBloka = 0;
    int Roditelj = -1;       // for a junction connection: the connection it starts on
    int DrzacRoditelja = -1; // ... and the position of its holder there
    std::vector<TDrzacModela> Drzaci;

    bool JeJunction() const { return Roditelj >= 0; }
};

// What the lab keeps with a document: the blocks watched during a run and
// the sliders over block parameters, each block by its path of local
// numbers from the top ({5}; {3, 2} for block 2 inside subsystem 3). A
// document without them has no such element.
struct TKlizacModela {
    std::vector<int> Blok;
    int Parametar = 1; // 1..3
    double Min = 0, Max = 1, Vrednost = 0;
    bool operator==(const TKlizacModela&) const = default;
};
struct TLaboratorijaModela {
    std::vector<std::vector<int>> Praceni;
    std::vector<TKlizacModela> Klizaci;
    bool Prazna() const { return Praceni.empty() && Klizaci.empty(); }
    bool operator==(const TLaboratorijaModela&) const = default;
};

// The whole document. Veze holds every connection in the file's order: each
// ordinary connection followed by the junction connections under its holders
// (each again followed by its own), so a connection comes before its
// junctions.
struct TModelDokumenta {
    QString OpisProblema;
    std::vector<TBlokModela> Blokovi;
    std::vector<TVezaModela> Veze;
    std::optional<TMetodDokumenta> MetodIntegracije; // none: RK4
    // Files of measured data shown over the chart (element Merenja, one Fajl
    // each; written only when there are any).
    std::vector<QString> Merenja;
    TLaboratorijaModela Laboratorija;

    // The first block, in list order, with the local number; -1 if none.
    int NadjiBlok(int lokalniBroj) const;
    // The input slot of its end block that holds connection v, or -1.
    int IndeksUlaza(int v) const;
    // The block feeding input slot k of block b, or -1.
    int IzvorUlaza(int b, int k) const;
    // The port blocks of kind UlazPodsistema or IzlazPodsistema (by code),
    // in list order: a subsystem's inputs or outputs, however numbered.
    std::vector<int> Portovi(quint8 sifra) const;
};

// A parameter of a block inside a subsystem shown on the subsystem under a
// caption of its own ("Masa"). The value stays in the inner block.
struct TParametarPodsistema {
    std::vector<int> Blok; // local numbers from the content down: {2}; {4, 1} is 1 in 4
    int Parametar = 1;     // 1..3
    QString Natpis;

    bool operator==(const TParametarPodsistema&) const = default;
};

struct TPodsistemModela {
    TModelDokumenta Sadrzaj;
    std::vector<TParametarPodsistema> Parametri;
};

// A subsystem's input and output ports (positions in its content), and the
// block a parameter path names (nullptr when there is none).
std::vector<int> UlaziPodsistema(const TBlokModela& podsistem);
std::vector<int> IzlaziPodsistema(const TBlokModela& podsistem);
const TBlokModela* BlokNaPutanji(const TModelDokumenta& model, const std::vector<int>& putanja);
// "4/1" for {4, 1}.
QString PutanjaUTekst(const std::vector<int>& putanja);
// {4, 1} for "4/1": local numbers from 1, at least one; none for anything else.
std::optional<std::vector<int>> PutanjaIzTeksta(QStringView tekst);

// How the blocks of one level got their new places: an old path from the
// level ({5}; {3, 2}: block 2 inside subsystem 3 there) -> its new path from
// the level ({4}; {6, 1} once moved into a new subsystem 6), empty when the
// block is gone. A reference follows the longest old path it starts with;
// one through no listed path keeps its numbers.
struct TPrenumeracija {
    std::map<std::vector<int>, std::vector<int>> Nove;
    bool Prazna() const { return Nove.empty(); }
};
// The paths below level `nivo` (from the same point as the paths) renumbered:
// false when the block is gone. A path not below the level stays.
bool PrenumerisiPutanju(std::vector<int>& putanja, const std::vector<int>& nivo,
                        const TPrenumeracija& r);
// The lab's references (paths from the top) renumbered for the level at
// path `nivo`; those whose block is gone dropped.
void PrenumerisiLaboratoriju(TLaboratorijaModela& l, const std::vector<int>& nivo,
                             const TPrenumeracija& r);
// A subsystem's shown parameters (paths from its content) renumbered for
// the level at `nivo` (a path from the same content); those whose block is
// gone dropped. Whether any changed.
bool PrenumerisiParametre(std::vector<TParametarPodsistema>& parametri,
                          const std::vector<int>& nivo, const TPrenumeracija& r);
// Every reference of the document that goes through the level at path
// `nivo` (the subsystems from the top; empty: the top) renumbered: the lab's
// and the shown parameters of each subsystem on the way, whose new contents
// are the document's own.
void PrenumerisiReference(TModelDokumenta& model, const std::vector<int>& nivo,
                          const TPrenumeracija& r);

// What reading gave: the model, and when reading stopped at an error, its
// message. After an error the model holds what was read before it, as the
// surface keeps it: the blocks read whole, the connections begun with the
// holders and junctions read before the error; local numbers 1..n in list
// order. An error found before any block is read (XML, limits) leaves it empty.
struct TProcitanModel {
    TModelDokumenta Model;
    std::optional<QString> Greska;
};

// Reads a document's XML text. Never throws for any input.
TProcitanModel ProcitajModel(const QByteArray& xml);
// Reads a file: one that cannot be opened or read, or that is too big,
// gives its message and an empty model. Setting *zaustavi (from any thread or
// a signal handler) ends the reading between pieces of the file with an error
// and an empty model.
TProcitanModel ProcitajModelIzFajla(const QString& imeFajla,
                                    const std::atomic<bool>* zaustavi = nullptr);
// The same from a file already open for reading (one whose name the file
// system holds in bytes that are no text, say); imeFajla names it in messages.
TProcitanModel ProcitajModelIzFajla(QFileDevice& fajl, const QString& imeFajla,
                                    const std::atomic<bool>* zaustavi = nullptr);
// The same, throwing the error (and dropping the partial model).
TModelDokumenta UcitajModel(const QByteArray& xml);
TModelDokumenta UcitajModelIzFajla(const QString& imeFajla);

// The document's XML text, byte for byte as the surface writes it. Throws a
// TGreskaDokumenta for a text XML cannot hold, a parameter that is not a
// finite number, a connection in no slot of its end block or junctions
// nested too deep.
QByteArray ModelUTekst(const TModelDokumenta& model);
// Writes the text to the file: a regular file (or a new one) through a
// temporary file renamed over it, so a failure leaves the old file intact;
// anything else (a device, a FIFO) directly. Every write is checked.
void SnimiModel(const TModelDokumenta& model, const QString& imeFajla);

// A run's flat view of a document. The blocks that compute, in list order
// with each subsystem's content at the subsystem's place (subsystems and
// ports drop out), numbered 1..n; an input is fed by the block reached
// through the ports: a connection from a subsystem's output continues at
// what feeds its output port with that number, one from an input port at
// what feeds the subsystem's slot with the port's number. A flat document
// gives its own blocks, numbers and inputs.
struct TRavanModel {
    TKopijaModela Kopija;
    // Per listed block: the results' caption ("3/2. Integrator" inside
    // subsystem 3, "5. Sinus" at the top) and its path of local numbers.
    std::vector<TBlokRezultata> Blokovi;
    std::vector<std::vector<int>> Putanje;

    // The listed position (from 0) of the block at the path, or -1.
    int Pozicija(const std::vector<int>& putanja) const;
};
// Throws TGreskaDokumenta for ports numbered with a gap (or twice), and for
// ports that feed each other round a loop with no block in it.
TRavanModel RavanModel(const TModelDokumenta& model);

// A target named in the document as the command line names it: "5.p1",
// "7.o3", a path "3/2.p1" (block 2 inside subsystem 3) or a subsystem's
// parameter by its caption, "3.Masa". Sets cilj to the flat view's block,
// named as given; returns an empty text, or why there is no such target (a
// sentence). What ProveriCilj of the flat copy checks is left to it.
// putanja, when given, receives the path of the block the target changes.
std::string NadjiCilj(const TModelDokumenta& model, const TRavanModel& ravan,
                      std::string_view tekst, TCiljIzmene& cilj,
                      std::vector<int>* putanja = nullptr);
// Whether a target names its block by path or a subsystem's parameter by
// caption ("3/2.p1", "3.Masa"), rather than in the form "N.pK" or "N.oJ".
bool JeCiljPoPutanji(std::string_view cilj);

// The block at the path, to be changed: the contents on the way are made the
// model's own first, so copies sharing them keep theirs. nullptr if none.
TBlokModela* IzmenljivBlok(TModelDokumenta& model, const std::vector<int>& putanja);

// The engine's copy of the flat view: every block with its parameter count
// (brparam) and, for a function generator, whether it has ordinates of its
// own. Throws as RavanModel.
TKopijaModela KopijaIzModela(const TModelDokumenta& model);

} // namespace skem
