#pragma once
// Diagram documents (.skem) on the workspace. The document is read into a
// model (ModelDokumenta.h) and the workspace is built from the model through
// the workspace's and the connection's own operations, so a document read
// from a file behaves like one drawn by hand; the workspace writes itself
// into a model, and the model writes the text. Every failure is a
// TGreskaDokumenta; the main window shows its text.

#include "ModelDokumenta.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <vector>

class QFileDevice;
class TSKEMBlok;
class TSKEMRadnaPovrsina;
class TVeza;

using skem::MaksBrojBlokova;
using skem::MaksBrojElemenata;
using skem::MaksDubinaElemenata;
using skem::MaksDubinaJunctiona;
using skem::MaksMemorijaCitanja;
using skem::MemorijaPoBajtuDokumenta;
using skem::TGreskaDokumenta;

// Writes the whole document. The text is made first and written through a
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

// The first block, in component order, with the given local number; nullptr if none.
TSKEMBlok* NadjiBlok(const TSKEMRadnaPovrsina& povrsina, int broj);

// The document on the workspace as a model, and the block and connection
// behind each of its entries. A connection being drawn is left out; a
// connection without an end, or in no input slot of its end block, is kept
// with that fault (-1), so writing the model fails on it in its turn.
struct TModelPovrsine {
    skem::TModelDokumenta Model;
    std::vector<TSKEMBlok*> Blokovi;
    std::vector<TVeza*> Veze;
};
TModelPovrsine ModelPovrsine(const TSKEMRadnaPovrsina& povrsina);

// Whether a subsystem stands on the workspace: a run then takes the flat view
// of its model (skem::RavanModel(ModelPovrsine(povrsina).Model)), not its blocks.
bool ImaPodsistema(const TSKEMRadnaPovrsina& povrsina);

// Empties the surface and builds the model on it, as reading a document does.
void PostaviModel(TSKEMRadnaPovrsina& povrsina, const skem::TModelDokumenta& model);

// Adds the model's blocks after the workspace's own and its connections after
// theirs, as reading builds them; returns the blocks made, in model order.
// The model must be one a reader gave (its connections in their slots' range).
std::vector<TSKEMBlok*> DodajModel(TSKEMRadnaPovrsina& povrsina,
                                   const skem::TModelDokumenta& model);

// What bringing the workspace to another model rebuilt.
struct TPrimenaModela {
    int NovihBlokova = 0, IzmenjenihBlokova = 0, ObrisanihBlokova = 0;
    int NovihVeza = 0, ObrisanihVeza = 0; // counted with their junctions
};
// Brings the workspace to the model (one a reader gave), touching only what
// differs: blocks are matched in list order, a changed block is set anew in
// place, and a connection (with its holders and junctions) is rebuilt only
// when it or one of its ends differs. A drawing in progress is discarded. The
// result is what reading the model's text would give, the last block
// selected; the blocks and connections that did not change stay as they were.
TPrimenaModela PrimeniModel(TSKEMRadnaPovrsina& povrsina, const skem::TModelDokumenta& model);
