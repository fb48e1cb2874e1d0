#pragma once
// Copying and pasting parts of a diagram. The selected blocks travel as a
// document of their own (the XML of a file, without the declaration and the
// problem description), with the connections whose both ends are among
// them, their holders and the junctions hanging from those holders; a paste
// adds such a document to the workspace with new local numbers after the
// existing ones.

#include "ModelDokumenta.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <optional>

class TSKEMRadnaPovrsina;

// The clipboard format; the same XML also goes as plain text.
inline constexpr char MimeDokumenta[] = "application/x-skem-dokument";

// The selected blocks as a model (their own local numbers kept), with the
// connections among them; no blocks when none is selected.
skem::TModelDokumenta IzborUModel(const TSKEMRadnaPovrsina& povrsina);
// The same as the clipboard's text; empty when no block is selected.
QByteArray IzborUTekst(const TSKEMRadnaPovrsina& povrsina);

// Adds the blocks and connections of a model (one a reader gave) to the
// workspace, numbered after the existing blocks and moved by two grid steps,
// or with the top left of the pasted blocks at `tacka`. Without `tacka`,
// blocks whose top left would then lie outside `vidljivo` (the part of the
// surface in view) land two grid steps inside its top left instead. The
// pasted blocks end selected. Returns how many blocks were added. A model
// that cannot be added (its blocks would land off the surface, too many
// blocks) throws TGreskaDokumenta and leaves the workspace as it was.
int NalepiModel(TSKEMRadnaPovrsina& povrsina, skem::TModelDokumenta model,
                std::optional<QPoint> tacka = {}, std::optional<QRect> vidljivo = {});
// The same from a document's text; text that does not read as a document
// throws TGreskaDokumenta and leaves the workspace as it was.
int NalepiTekst(TSKEMRadnaPovrsina& povrsina, const QByteArray& xml,
                std::optional<QPoint> tacka = {}, std::optional<QRect> vidljivo = {});
