#pragma once
// Subsystems on the workspace: the selected blocks folded into a new
// subsystem block, a subsystem broken up onto the level around it, and a
// subsystem opened in the same surface. The surface shows one level of the
// document at a time; the levels above it are kept as models (TNivoPovrsine)
// and the document is always the surface's level written back into its
// parents, so saving, undo and the clipboard see one document.

#include "ModelDokumenta.h"

#include <QString>
#include <QStringList>
#include <vector>

class TSKEMBlok;
class TSKEMRadnaPovrsina;

// ---- on models ----

// The blocks at `izabrani` (positions in m.Blokovi) moved into a new
// subsystem block at the place of the first of them, its top left where the
// selection's is. A signal crossing the border gets an input or output port
// (numbered in the order the signals are met) and goes on through it, inside
// and out; connections and their holders and junctions stay as they were on
// each side where their end is. *blok is the new block's position;
// *prenumeracija how m's blocks were renumbered (for PrenumerisiReference).
skem::TModelDokumenta NapraviPodsistemUModelu(const skem::TModelDokumenta& m,
                                              const std::vector<int>& izabrani, int* blok = nullptr,
                                              skem::TPrenumeracija* prenumeracija = nullptr);
// Subsystem `blok` of m replaced by its content (its ports left out) at its
// place in the list, moved to where the block stands; what went through a
// port becomes a direct connection. *prvi and *broj: where the content's
// blocks landed; *prenumeracija as above (the subsystem's own shown
// parameters go with it).
skem::TModelDokumenta RazbijPodsistemUModelu(const skem::TModelDokumenta& m, int blok,
                                             int* prvi = nullptr, int* broj = nullptr,
                                             skem::TPrenumeracija* prenumeracija = nullptr);
// A subsystem block's inputs follow its content: as many as its input
// ports, the first three captioned with their names.
void OsveziUlazePodsistema(skem::TBlokModela& b);
// The port blocks a subsystem's content uses, numbered `broj` with that name.
skem::TBlokModela PortPodsistema(bool ulaz, int broj, const QString& ime);

// ---- on the surface ----

// The whole document: the surface's level written back into the levels above.
skem::TModelDokumenta ModelDokumenta(const TSKEMRadnaPovrsina& povrsina);
// How deep the surface is (0: the document's top) and the names of the levels
// on the way, "Model" first ("Model", "Vesanje 3").
int DubinaNivoa(const TSKEMRadnaPovrsina& povrsina);
QStringList NaziviNivoa(const TSKEMRadnaPovrsina& povrsina);
// The path of the surface's level: the opened subsystems' numbers from the
// top ({} at the top); a block b there is at that path and b's number.
std::vector<int> PutanjaNivoa(const TSKEMRadnaPovrsina& povrsina);
// Opens the subsystem block b (on the surface) in its place.
void OtvoriPodsistem(TSKEMRadnaPovrsina& povrsina, TSKEMBlok* b);
// Goes up to level `dubina` (0: the top); the subsystem it came out of ends selected.
void IdiNaNivo(TSKEMRadnaPovrsina& povrsina, int dubina);
// Brings the surface to the whole document `model` (undo, redo): the level
// shown stays while the document still has it, else the deepest one that is.
// With `nivo` given (the opened blocks' positions from the top, as
// PozicijeNivoa gives them) that level is shown instead, as far as the
// document has it.
void PrimeniDokument(TSKEMRadnaPovrsina& povrsina, const skem::TModelDokumenta& model,
                     const std::vector<int>* nivo = nullptr);
// The level shown: the opened subsystems' positions, each in the level above.
std::vector<int> PozicijeNivoa(const TSKEMRadnaPovrsina& povrsina);
// The selected blocks into a new subsystem, which ends selected; false with
// none selected.
bool NapraviPodsistem(TSKEMRadnaPovrsina& povrsina);
// Subsystem b's content back on its level, selected; false when b is none.
bool RazbijPodsistem(TSKEMRadnaPovrsina& povrsina, TSKEMBlok* b);
// Every reference of the whole document through the surface's level (the
// shown parameters of the subsystems above it, the lab's watched blocks and
// sliders) renumbered as r says.
void PrenumerisiReference(TSKEMRadnaPovrsina& povrsina, const skem::TPrenumeracija& r);
