#include "Katalog.h"

#include "Brojevi.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace {

const QString ImeManifesta = QStringLiteral("Manifest.xml");

// Reads the elements of one file and remembers where in it the reader is,
// so that every message names the file, the group and the item.
class TCitacKataloga {
public:
    explicit TCitacKataloga(const QString& fajl) : imeFajla(fajl) {}

    void Procitaj(QVector<TGrupaKataloga>& grupe) {
        const QDomDocument dokument = Ucitaj();
        const QDomElement koren = dokument.documentElement();
        // A missing "grupe" is an empty catalogue, not a fault.
        const QDomElement grupeEl = koren.firstChildElement(QStringLiteral("grupe"));
        if (grupeEl.isNull()) return;

        const QDomNodeList grupeCvorovi = grupeEl.childNodes();
        for (int g = 0; g < grupeCvorovi.count(); ++g) {
            mesto = QStringLiteral("grupa br. %1").arg(g + 1);
            const QDomElement grupaEl = Element(grupeCvorovi.at(g), QStringLiteral("grupe"));
            const QString naziv = Tekst(grupaEl, QStringLiteral("naziv"));
            mesto = QStringLiteral("grupa \"%1\"").arg(naziv);

            grupe.append(TGrupaKataloga{naziv, {}});
            const QDomElement stavkeEl = grupaEl.firstChildElement(QStringLiteral("stavke"));
            const QDomNodeList stavke = stavkeEl.childNodes();
            const QString mestoGrupe = mesto;
            for (int s = 0; s < stavke.count(); ++s) {
                mesto = QStringLiteral("%1, stavka br. %2").arg(mestoGrupe).arg(s + 1);
                const QDomElement stavkaEl = Element(stavke.at(s), QStringLiteral("stavke"));
                grupe.last().Stavke.append(Stavka(stavkaEl));
            }
        }
    }

private:
    QDomDocument Ucitaj() const {
        QFile fajl(imeFajla);
        const QFileInfo info(imeFajla);
        if (!info.exists()) Greska(QStringLiteral("fajl ne postoji."));
        if (!info.isFile()) Greska(QStringLiteral("to nije fajl."));
        if (!fajl.open(QIODevice::ReadOnly))
            Greska(QStringLiteral("fajl ne moze da se otvori (%1).").arg(fajl.errorString()));
        const QByteArray sadrzaj = fajl.readAll();
        ProveriDubinu(sadrzaj);
        QDomDocument dokument;
        QString poruka;
        int red = 0, kolona = 0;
        if (!dokument.setContent(sadrzaj, &poruka, &red, &kolona))
            Greska(QStringLiteral("fajl nije ispravan XML (red %1, kolona %2): %3")
                       .arg(red)
                       .arg(kolona)
                       .arg(poruka));
        return dokument;
    }

    // The tree's parser takes time in the square of the nesting depth, so a
    // file nested deeper than any catalogue is refused before it is built.
    void ProveriDubinu(const QByteArray& sadrzaj) const {
        QXmlStreamReader citac(sadrzaj);
        int dubina = 0;
        while (!citac.atEnd()) {
            const QXmlStreamReader::TokenType vrsta = citac.readNext();
            if (vrsta == QXmlStreamReader::EndElement) --dubina;
            if (vrsta == QXmlStreamReader::StartElement && ++dubina > MaksDubinaKataloga)
                Greska(QStringLiteral("elementi su ugnjezdeni dublje od %1 nivoa.")
                           .arg(MaksDubinaKataloga));
        }
    }

    TStavkaKataloga Stavka(const QDomElement& el) {
        TStavkaKataloga s;
        s.Naziv = Tekst(el, QStringLiteral("naziv"));
        mesto += QStringLiteral(" (\"%1\")").arg(s.Naziv);
        s.ImageIndex = Ceo(el, QStringLiteral("sifra"));
        s.MaxUlaznihVeza = Ceo(el, QStringLiteral("maxuveza"));
        s.BrojParam = Ceo(el, QStringLiteral("brparam"));
        for (int i = 0; i < 6; ++i)
            s.Natpisi[i] = Tekst(el, QStringLiteral("str%1").arg(i + 1));
        return s;
    }

    // Groups and items are found by position, so anything among them that is
    // not an element (a comment, a processing instruction, text) is refused.
    QDomElement Element(const QDomNode& cvor, const QString& roditelj) const {
        if (!cvor.isElement())
            Greska(QStringLiteral("unutar elementa \"%1\" sme da stoji samo element, a na ovom "
                                  "mestu je %2.")
                       .arg(roditelj, OpisCvora(cvor)));
        return cvor.toElement();
    }

    QString Tekst(const QDomElement& el, const QString& ime) const {
        const QString tekst = el.firstChildElement(ime).text();
        if (tekst.isEmpty())
            Greska(QStringLiteral("element \"%1\" nedostaje ili je prazan.").arg(ime));
        return tekst;
    }

    int Ceo(const QDomElement& el, const QString& ime) const {
        const QString tekst = Tekst(el, ime);
        std::int32_t broj = 0;
        if (!skem::ProcitajCeo(tekst.trimmed().toStdString(), broj))
            Greska(
                QStringLiteral("vrednost elementa \"%1\" (\"%2\") nije ceo broj.").arg(ime, tekst));
        return broj;
    }

    static QString OpisCvora(const QDomNode& cvor) {
        if (cvor.isComment()) return QStringLiteral("komentar");
        if (cvor.isProcessingInstruction()) return QStringLiteral("instrukcija za obradu");
        if (cvor.isText() || cvor.isCDATASection()) return QStringLiteral("tekst");
        return QStringLiteral("nesto drugo");
    }

    [[noreturn]] void Greska(const QString& sta) const {
        QString poruka = QStringLiteral("Greska u katalogu blokova \"%1\"").arg(imeFajla);
        if (!mesto.isEmpty()) poruka += QStringLiteral(", ") + mesto;
        throw TGreskaKataloga(poruka + QStringLiteral(": ") + sta);
    }

    QString imeFajla;
    QString mesto; // the group and item being read, for the messages
};

} // namespace

void ProcitajKatalog(const QString& imeFajla, QVector<TGrupaKataloga>& grupe) {
    TCitacKataloga(imeFajla).Procitaj(grupe);
}

QStringList MestaManifesta() {
    QStringList mesta;
    mesta << QDir::current().absoluteFilePath(ImeManifesta);
    const QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.isEmpty()) {
        mesta << QDir(programDir).absoluteFilePath(ImeManifesta);
        // An installation with the program in <prefix>/bin and the data in <prefix>/share/skem.
        mesta << QDir::cleanPath(programDir + QStringLiteral("/../share/skem/") + ImeManifesta);
    }
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        mesta << QDir::cleanPath(dir + QStringLiteral("/skem/") + ImeManifesta);
    mesta.removeDuplicates();
    return mesta;
}

QString NadjiManifest(const QStringList& mesta) {
    for (const QString& m : mesta)
        if (QFileInfo::exists(m)) return m;
    return mesta.isEmpty() ? ImeManifesta : mesta.first();
}

QString NadjiManifest() {
    return NadjiManifest(MestaManifesta());
}
