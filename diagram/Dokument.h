#pragma once
// Diagram documents (.skem): the workspace's blocks, connections, holders and
// junctions with the problem description, written to and read from an XML
// file. Reading rebuilds everything through the workspace's and the
// connection's own operations, so a document read from a file behaves like
// one drawn by hand. Every failure is a TGreskaDokumenta; the main window
// shows its text.

#include <QByteArray>
#include <QString>
#include <atomic>
#include <stdexcept>

class QDomDocument;
class QFileDevice;
class QDomElement;
class TSKEMBlok;
class TSKEMRadnaPovrsina;

// A document that cannot be read or written; what() is the message in UTF-8.
class TGreskaDokumenta : public std::runtime_error {
public:
    explicit TGreskaDokumenta(const QString& poruka)
        : std::runtime_error(poruka.toUtf8().toStdString()) {}
    QString Poruka() const { return QString::fromUtf8(what()); }
};

// Writes the whole document. The XML is built first and written through a
// temporary file renamed over the target, so a failure leaves the old file intact.
// A connection or junction still being drawn (the workspace's VezaUIzradi:
// a junction hanging from its holder, a connection waiting for the choice of
// its input) is left out, so the finished document is written and the
// drawing goes on undisturbed.
void SnimiDokument(const TSKEMRadnaPovrsina& povrsina, const QString& imeFajla);
// Empties the surface and reads the document. After an error what was read
// before it stays on the surface, numbered 1..n, and the surface is visible.
// Setting *zaustavi (from any thread or a signal handler) ends the reading
// of the file with an error.
void UcitajDokument(TSKEMRadnaPovrsina& povrsina, const QString& imeFajla,
                    const std::atomic<bool>* zaustavi = nullptr);
// The same from a file already open for reading (one whose name the file
// system holds in bytes that are no text, say); imeFajla names it in messages.
void UcitajDokument(TSKEMRadnaPovrsina& povrsina, QFileDevice& fajl, const QString& imeFajla,
                    const std::atomic<bool>* zaustavi = nullptr);

// The same two without a file: the document's XML text.
QByteArray DokumentUTekst(const TSKEMRadnaPovrsina& povrsina);
void UcitajDokumentIzTeksta(TSKEMRadnaPovrsina& povrsina, const QByteArray& xml);

// Whether a connection or junction still being drawn already hangs in the
// document, so that what is written now leaves it out.
bool NedovrsenaVezaUDokumentu(const TSKEMRadnaPovrsina& povrsina);

// The XML tree of a document's text, read with the same limits as a file;
// nothing of a workspace is touched.
QDomDocument RasclaniDokument(const QByteArray& xml);

// The first block, in component order, with the given local number; nullptr if none.
TSKEMBlok* NadjiBlok(const TSKEMRadnaPovrsina& povrsina, int broj);

// Appends one Blok element with the block's fields to roditelj.
void SnimiBlok(const TSKEMBlok& blok, QDomElement& roditelj);
// Sets the block's fields from a Blok element. Every field is checked before
// the block is touched, so a bad element leaves the block as it was.
void UcitajBlok(TSKEMBlok& blok, const QDomElement& element);

// Junction connections nested deeper than this are refused when reading
// (each level costs stack; no drawing gets anywhere near it).
inline constexpr int MaksDubinaJunctiona = 1000;
// Elements nested deeper than this, or more of them than this, are refused
// before the tree is built. Each junction level adds four element levels
// (Drzaci, Drzac, Junctions, Junction) to the six of a connection with a
// holder's fields, so every document within the junction limit passes.
inline constexpr int MaksDubinaElemenata = 4 * MaksDubinaJunctiona + 32;
// The tree takes about half a kilobyte per element: five million (a chain of
// 200,000 blocks) stay within a few gigabytes.
inline constexpr qint64 MaksBrojElemenata = 5000000;
// More blocks than this are refused while the tree is built, before any
// block is made: a million blocks on the surface take gigabytes.
inline constexpr qint64 MaksBrojBlokova = 1000000;
// Reading holds the file's bytes and their text (two bytes a character) at
// once: a document whose size would need more than this is refused before
// it is read.
inline constexpr qint64 MaksMemorijaCitanja = qint64(4) << 30;
inline constexpr qint64 MemorijaPoBajtuDokumenta = 3;
