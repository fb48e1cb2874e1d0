#pragma once
// TIstorijaIzmena: the undo history of the document on one workspace. After
// every step that changed the document, its text (as a save would write it)
// is kept; undo and redo bring the workspace to the model of a kept text,
// rebuilding only what differs, so the document is exactly what reading the
// text would give: block numbers, parameters, holders and junction chains
// included. It also knows whether the document differs from what was last
// saved.

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace skem {
struct TModelDokumenta;
}

class TSKEMRadnaPovrsina;

class TIstorijaIzmena {
public:
    explicit TIstorijaIzmena(TSKEMRadnaPovrsina& povrsina, int najviseKoraka = 100);

    // The document now on the workspace starts a new history, as saved (New, Open).
    void Pocni();
    // Ends a step: when the document differs from the last kept state, the
    // change is kept under `opis` (what the undo hint names) and redo is
    // forgotten. While a connection or junction is still being drawn into the
    // document, or the document cannot be written, nothing is kept yet: the
    // step goes on.
    enum class TKraj { Zapamcen, BezIzmene, NijeGotov };
    TKraj ZavrsiKorak(const QString& opis);

    bool MozePonistiti() const { return tekuce > 0; }
    bool MozePonoviti() const { return tekuce + 1 < stanja.size(); }
    // What undo and redo would change; empty when they can do nothing.
    QString OpisPonistavanja() const;
    QString OpisPonavljanja() const;
    // Read the state before (after) the step back onto the workspace; a
    // document read from its own text never fails, but a failure would leave
    // the history where it was and pass the error on.
    void Ponisti();
    void Ponovi();

    // The document as it is now is what its file holds (the step ended
    // first); saved in the middle of a drawing that already changed the
    // document, no kept state is.
    void OznaciSacuvano();
    // Whether the document differs from what its file holds.
    bool Izmenjen() const { return sacuvano != tekuce; }

private:
    struct TStanje {
        QByteArray tekst; // compressed, except for the current state's
        QString opis;     // the step that led here
        // The level it was made at (PozicijeNivoa), shown when it is undone or redone.
        std::vector<int> nivo;
        // The model its text reads to, kept for the current state and its
        // neighbours so that one step needs no reading.
        std::shared_ptr<const skem::TModelDokumenta> model;
    };
    // Brings the workspace to state `indeks`, showing the level of the step
    // between it and the current one.
    void Procitaj(size_t indeks);
    // Drops the models of all but the current state and its neighbours.
    void ZaboraviDaleke();

    TSKEMRadnaPovrsina& povrsina;
    size_t najvise;
    std::vector<TStanje> stanja;
    size_t tekuce = 0;
    // The saved state's index; none (past the end) once it was dropped.
    size_t sacuvano = 0;
};
