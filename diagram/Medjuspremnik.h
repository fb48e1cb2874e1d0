#pragma once
// Copying and pasting parts of a diagram. The selected blocks travel as a
// document of their own (the same XML as a file), with the connections
// whose both ends are among them, their holders and the junctions hanging
// from those holders; a paste adds such a document to the workspace with
// new local numbers after the existing ones.

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <optional>

class TSKEMRadnaPovrsina;

// The clipboard format; the same XML also goes as plain text.
inline constexpr char MimeDokumenta[] = "application/x-skem-dokument";

// The selected blocks as a document; empty when no block is selected.
QByteArray IzborUTekst(const TSKEMRadnaPovrsina& povrsina);

// Adds the blocks and connections of a document to the workspace, numbered
// after the existing blocks and moved by two grid steps, or with the top
// left of the pasted blocks at `tacka`. Without `tacka`, blocks whose top
// left would then lie outside `vidljivo` (the part of the surface in view)
// land two grid steps inside its top left instead. The pasted blocks end
// selected. Returns how many blocks were added. Text that does not read as
// a document throws TGreskaDokumenta and leaves the workspace as it was.
int NalepiTekst(TSKEMRadnaPovrsina& povrsina, const QByteArray& xml,
                std::optional<QPoint> tacka = {}, std::optional<QRect> vidljivo = {});
