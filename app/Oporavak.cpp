#include "Oporavak.h"

#include "Dijalozi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <QXmlStreamReader>
#include <algorithm>
#include <exception>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Oznaka = QStringLiteral("skem-oporavak");
const QString NastavakOporavka = QStringLiteral(".skem");
const QString NastavakBrave = QStringLiteral(".lock");

QString BezNastavka(const QString& fajl) {
    return fajl.chopped(NastavakOporavka.size());
}

// The path and time from a recovery file's processing instruction; the file's
// own time when it has none (nothing else in the file is looked at).
void ProcitajZaglavlje(TNapusteniOporavak& n) {
    n.Vreme = QFileInfo(n.Fajl).lastModified();
    QFile f(n.Fajl);
    if (!f.open(QIODevice::ReadOnly)) return;
    QXmlStreamReader citac(&f);
    while (!citac.atEnd()) {
        const QXmlStreamReader::TokenType t = citac.readNext();
        if (t == QXmlStreamReader::StartElement) return;
        if (t != QXmlStreamReader::ProcessingInstruction ||
            citac.processingInstructionTarget() != Oznaka)
            continue;
        static const QRegularExpression Polje(QStringLiteral("(\\w+)=\"([^\"]*)\""));
        const QString podaci = citac.processingInstructionData().toString();
        for (const QRegularExpressionMatch& m : Polje.globalMatch(podaci)) {
            if (m.captured(1) == QLatin1String("putanja")) {
                n.Putanja = QUrl::fromPercentEncoding(m.captured(2).toLatin1());
            } else if (m.captured(1) == QLatin1String("vreme")) {
                const QDateTime v = QDateTime::fromString(m.captured(2), Qt::ISODate);
                if (v.isValid()) n.Vreme = v;
            }
        }
        return;
    }
}

} // namespace

// ---- the lock ----

bool TBravaOporavka::Uzmi(const QString& put, bool samoNova) {
    Oslobodi();
    const QByteArray ime = QFile::encodeName(put);
    // A holder may delete the file between our open and our flock: the hold
    // is then on a file nobody else can find, so look again.
    for (int pokusaj = 0; pokusaj < 3; ++pokusaj) {
        const int d =
            ::open(ime.constData(), O_RDWR | O_CREAT | O_CLOEXEC | (samoNova ? O_EXCL : 0), 0600);
        if (d < 0) return false;
        if (::flock(d, LOCK_EX | LOCK_NB) != 0) {
            ::close(d);
            return false;
        }
        struct stat otvoren, naDisku;
        if (::fstat(d, &otvoren) != 0 || ::stat(ime.constData(), &naDisku) != 0 ||
            otvoren.st_ino != naDisku.st_ino || otvoren.st_dev != naDisku.st_dev) {
            ::close(d);
            continue;
        }
        const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
        // The id is there for people to read; the hold does not depend on it.
        const bool zapisano =
            ::ftruncate(d, 0) == 0 && ::write(d, pid.constData(), pid.size()) == pid.size();
        Q_UNUSED(zapisano);
        fd = d;
        putanja = put;
        return true;
    }
    return false;
}

void TBravaOporavka::Oslobodi() {
    if (fd < 0) return;
    // Deleted while still held, so nobody takes a lock that is going away.
    ::unlink(QFile::encodeName(putanja).constData());
    ::close(fd);
    fd = -1;
}

// ---- autosave ----

TOporavak::TOporavak(const QString& f) : fascikla(f) {
    tajmer.setInterval(60 * 1000);
    QObject::connect(&tajmer, &QTimer::timeout, &tajmer,
                     [this] { IzvrsiIPrijavi([this] { Snimi(); }); });
    tajmer.start();
    odlozeno.setSingleShot(true);
    odlozeno.setInterval(0);
    QObject::connect(&odlozeno, &QTimer::timeout, &odlozeno,
                     [this] { IzvrsiIPrijavi([this] { Snimi(); }); });
}

TOporavak::~TOporavak() {
    Ukloni();
}

void TOporavak::PostaviInterval(int milisekundi) {
    tajmer.start(milisekundi);
}

void TOporavak::Izmena() {
    if (++izmena >= IzmenaDoSnimanja && !odlozeno.isActive()) odlozeno.start();
}

bool TOporavak::ZauzmiIme() {
    if (!QDir().mkpath(fascikla)) return false;
    const QDir d(fascikla);
    const QString pid = QString::number(QCoreApplication::applicationPid());
    // A name of this process's id may be left by an earlier process with the
    // same id: such a file waits to be offered and is never written over.
    for (int n = 1; n <= 1000; ++n) {
        const QString id = pid + QLatin1Char('-') + QString::number(n);
        if (QFileInfo::exists(d.filePath(id + NastavakOporavka))) continue;
        if (!brava.Uzmi(d.filePath(id + NastavakBrave), true)) continue;
        if (QFileInfo::exists(d.filePath(id + NastavakOporavka))) {
            brava.Oslobodi();
            continue;
        }
        fajl = d.filePath(id + NastavakOporavka);
        return true;
    }
    return false;
}

bool TOporavak::Snimi() {
    odlozeno.stop();
    izmena = 0;
    if (zavrsen || !Izmenjen || !Tekst || !Izmenjen()) {
        Ukloni();
        return true;
    }
    auto neuspeh = [this](const QString& razlog) {
        if (OnGreska) OnGreska(QStringLiteral("Automatsko cuvanje nije uspelo: %1").arg(razlog));
        return false;
    };
    QByteArray tekst;
    try {
        tekst = Tekst();
    } catch (const std::exception& g) {
        // A document that cannot be written now (a value that is no number)
        // is tried again at the next write, not shown in a box every minute.
        return neuspeh(QString::fromUtf8(g.what()));
    }
    const QString putanja = Putanja ? Putanja() : QString();
    if (!fajl.isEmpty() && tekst == poslednjiTekst && putanja == poslednjaPutanja) return true;
    if (fajl.isEmpty() && !ZauzmiIme())
        return neuspeh(QStringLiteral("fascikla '%1' nije dostupna").arg(fascikla));
    const QByteArray sadrzaj = SadrzajOporavka(tekst, putanja, QDateTime::currentDateTimeUtc());
    QSaveFile f(fajl);
    if (!f.open(QIODevice::WriteOnly)) return neuspeh(f.errorString());
    if (f.write(sadrzaj) != sadrzaj.size()) {
        const QString razlog = f.errorString();
        f.cancelWriting();
        return neuspeh(razlog);
    }
    if (!f.commit()) return neuspeh(f.errorString());
    poslednjiTekst = tekst;
    poslednjaPutanja = putanja;
    return true;
}

void TOporavak::Ukloni() {
    odlozeno.stop();
    izmena = 0;
    if (!fajl.isEmpty()) QFile::remove(fajl);
    brava.Oslobodi();
    fajl.clear();
    poslednjiTekst.clear();
    poslednjaPutanja.clear();
}

void TOporavak::Zavrsi() {
    zavrsen = true;
    tajmer.stop();
    Ukloni();
}

// ---- recovery ----

void TNapusteniOporavak::Obrisi() {
    QFile::remove(Fajl);
    if (Brava) Brava->Oslobodi();
}

std::vector<TNapusteniOporavak> PreuzmiNapustene(const QString& fascikla) {
    std::vector<TNapusteniOporavak> nadjeni;
    const QDir d(fascikla);
    for (const QString& ime :
         d.entryList({QLatin1Char('*') + NastavakOporavka}, QDir::Files, QDir::Name)) {
        TNapusteniOporavak n;
        n.Fajl = d.filePath(ime);
        n.Brava = std::make_unique<TBravaOporavka>();
        if (!n.Brava->Uzmi(d.filePath(BezNastavka(ime) + NastavakBrave), false)) continue;
        // Its owner may have removed it just before letting go of the lock.
        if (!QFileInfo::exists(n.Fajl)) continue;
        ProcitajZaglavlje(n);
        nadjeni.push_back(std::move(n));
    }
    std::stable_sort(
        nadjeni.begin(), nadjeni.end(),
        [](const TNapusteniOporavak& a, const TNapusteniOporavak& b) { return a.Vreme > b.Vreme; });
    return nadjeni;
}

QString FasciklaOporavka() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/oporavak");
}

QString VremeOporavka(const QDateTime& vreme) {
    return vreme.toLocalTime().toString(QStringLiteral("d.M.yyyy. HH:mm"));
}

QByteArray SadrzajOporavka(const QByteArray& tekst, const QString& putanja,
                           const QDateTime& vreme) {
    const QByteArray zaglavlje = "<?" + Oznaka.toLatin1() + " vreme=\"" +
                                 vreme.toUTC().toString(Qt::ISODate).toLatin1() + "\" putanja=\"" +
                                 QUrl::toPercentEncoding(putanja) + "\"?>";
    // After the XML declaration, which must stay first.
    qsizetype posle = 0;
    if (tekst.startsWith("<?xml")) {
        const qsizetype kraj = tekst.indexOf("?>");
        if (kraj >= 0) posle = kraj + 2;
    }
    QByteArray sadrzaj = tekst;
    sadrzaj.insert(posle, zaglavlje);
    return sadrzaj;
}
