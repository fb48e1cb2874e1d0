#pragma once
// Autosave and recovery of unsaved documents. While its window's document is
// modified, a TOporavak writes it to a recovery file of its own in a folder
// of the user's data (every minute, and after every 20th change); Save, New,
// Open and a clean exit remove that file. Each recovery file "<id>.skem" has
// a lock "<id>.lock" beside it, held by the process that owns the file: a
// file whose lock nobody holds was left by a run that ended abnormally, and
// the next start-up offers it back (PreuzmiNapustene).
//
// A recovery file is the document's own XML with one processing instruction
// after the XML declaration, <?skem-oporavak vreme="..." putanja="..."?>: the
// time it was written (UTC, ISO 8601) and the document's path (percent-encoded,
// empty while unnamed). The document reader skips it, so the file reads as a
// plain document.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

struct TAplikacija;

// The lock of one recovery file: an open descriptor holding flock() on the
// lock file, with the holder's process id written in it. The system drops the
// hold when the process ends in any way (SIGKILL included), so a lock file
// nobody holds belongs to a dead process and may be taken over.
class TBravaOporavka {
public:
    TBravaOporavka() = default;
    TBravaOporavka(const TBravaOporavka&) = delete;
    TBravaOporavka& operator=(const TBravaOporavka&) = delete;
    ~TBravaOporavka() { Oslobodi(); }

    // Takes the lock at putanja: false when another holder (this process's
    // other windows included) has it, or when samoNova and the file exists.
    bool Uzmi(const QString& putanja, bool samoNova);
    // Deletes the lock file and lets go of it.
    void Oslobodi();
    bool Drzi() const { return fd >= 0; }

private:
    QString putanja;
    int fd = -1;
};

class TOporavak {
public:
    // Changes that make a write without waiting for the timer.
    static constexpr int IzmenaDoSnimanja = 20;

    explicit TOporavak(const QString& fascikla);
    ~TOporavak(); // the end of a window is a clean one: its file goes
    TOporavak(const TOporavak&) = delete;
    TOporavak& operator=(const TOporavak&) = delete;

    // The window's side: whether the document has unsaved changes, its text,
    // its path (empty while unnamed), and where a failed write is reported.
    std::function<bool()> Izmenjen;
    std::function<QByteArray()> Tekst;
    std::function<QString()> Putanja;
    std::function<void(const QString&)> OnGreska;

    QString Fascikla() const { return fascikla; }
    // The period of the timer, 60 s unless set.
    void PostaviInterval(int milisekundi);
    int Interval() const { return tajmer.interval(); }
    // One more change; every 20th asks for a write once the current event is
    // over (never in the middle of an editing step).
    void Izmena();
    // Writes the document now when it is modified and differs from what was
    // written last; an unmodified document has no recovery file. False when
    // the write failed (reported through OnGreska).
    bool Snimi();
    // Removes this window's recovery file and its lock.
    void Ukloni();
    // Ukloni, and no more writes after it (the window is closing).
    void Zavrsi();
    // This window's recovery file; empty while it has none.
    QString Fajl() const { return fajl; }

private:
    bool ZauzmiIme();

    QString fascikla;
    QTimer tajmer;
    QTimer odlozeno;
    int izmena = 0;
    bool zavrsen = false;
    TBravaOporavka brava;
    QString fajl;
    QByteArray poslednjiTekst;
    QString poslednjaPutanja;
};

// A recovery file left by a run that ended abnormally, locked for this process.
struct TNapusteniOporavak {
    QString Fajl;
    QString Putanja; // the document's own path; empty for an unnamed document
    QDateTime Vreme;
    std::unique_ptr<TBravaOporavka> Brava;
    // The file and its lock are deleted.
    void Obrisi();
};

// The recovery files in fascikla that no live process owns, newest first,
// each now locked by this process (letting one go keeps its file for later).
std::vector<TNapusteniOporavak> PreuzmiNapustene(const QString& fascikla);

// The recovery folder in the user's data folder.
QString FasciklaOporavka();
// The time as the recovery question shows it: "7.12.2026. 17:30" (local time).
QString VremeOporavka(const QDateTime& vreme);
// The recovery file's content for a document text, path and time.
QByteArray SadrzajOporavka(const QByteArray& tekst, const QString& putanja, const QDateTime& vreme);

// Start-up: autosave in the user's data folder, and the offer of what an
// abnormal end left there once the window is first enabled (the splash ends).
void PokreniOporavak(TAplikacija& aplikacija);
