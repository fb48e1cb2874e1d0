// Reading a document into the model in one streaming pass, with the rules of
// the surface's reader: the root's OpisProblema, Blokovi and Veze and the
// fields of a Blok, Veza, Junction or Drzac are the first children with those
// names, wherever they stand; the children of Blokovi, Veze, Drzaci and
// Junctions are taken in order whatever their names; a field's text is every
// text directly in it (blanks and CDATA included); a field that holds an
// element is an error, but only when that field is read.
//
// The parser is QXmlStreamReader, as on the surface: its messages are the
// ones users get for a broken file (the same words, line and column), Qt Core
// is needed anyway, and it streams.
//
// The surface parses the whole text before it reads a block, so an XML error
// or a limit anywhere beats any error in the values, and then nothing is
// read. Here the values are read while the text streams: blocks as soon as
// they end, connections as soon as every block is known (before that they
// wait in a compact raw form). The first error in the values is remembered
// and the parse goes on to its end; an XML error or a limit replaces it.

#include "ModelDokumenta.h"

#include "Brojevi.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <QXmlStreamReader>
#include <cstring>
#include <utility>

namespace skem {

namespace {

// Positions far beyond the 1500 x 1500 surface are refused: the geometry adds
// the block size to them in 32 bits.
constexpr int MaksPolozaj = 1000000000;

// A value that does not read: stops reading, its message goes to the caller.
struct TGreskaVrednosti {
    QString Poruka;
};

const QString& PorukaDete() {
    static const QString poruka = QStringLiteral("Element does not contain a single text node");
    return poruka;
}

// The text as the number readers take it (UTF-8, without a heap allocation
// for the short texts numbers have).
template <class F> bool Procitaj(QStringView tekst, F&& citaj) {
    char kratki[64];
    if (tekst.size() <= qsizetype(sizeof kratki)) {
        bool ascii = true;
        for (qsizetype i = 0; i < tekst.size(); ++i) {
            const char16_t c = tekst[i].unicode();
            if (c >= 0x80) {
                ascii = false;
                break;
            }
            kratki[i] = char(c);
        }
        if (ascii) return citaj(std::string_view(kratki, size_t(tekst.size())));
    }
    const QByteArray utf8 = tekst.toUtf8();
    return citaj(std::string_view(utf8.constData(), size_t(utf8.size())));
}

int Ceo(QStringView tekst) {
    std::int32_t v = 0;
    if (!Procitaj(tekst, [&v](std::string_view t) { return ProcitajCeo(t, v); }))
        throw TGreskaVrednosti{QLatin1Char('\'') + tekst.toString() +
                               QStringLiteral("' is not a valid integer value")};
    return v;
}

int Polozaj(int v) {
    if (v < -MaksPolozaj || v > MaksPolozaj)
        throw TGreskaVrednosti{
            QStringLiteral("Polozaj %1 je van povrsine (dozvoljeno je od %2 do %3)!")
                .arg(v)
                .arg(-MaksPolozaj)
                .arg(MaksPolozaj)};
    return v;
}

double Realan(QStringView tekst) {
    double v = 0;
    if (!Procitaj(tekst, [&v](std::string_view t) { return ProcitajRealan(t, v); }))
        throw TGreskaVrednosti{QLatin1Char('\'') + tekst.toString() +
                               QStringLiteral("' is not a valid floating point value")};
    return v;
}

// A function generator's own ordinates: eleven numbers separated by blanks.
// An absent or empty element means the default ordinates.
std::shared_ptr<const std::array<double, 11>> Ordinate(const QString& tekst) {
    const QString sazet = tekst.simplified();
    if (sazet.isEmpty()) return nullptr;
    const QStringList delovi = sazet.split(QLatin1Char(' '));
    auto r = std::make_shared<std::array<double, 11>>();
    bool ispravno = delovi.size() == int(r->size());
    for (int i = 0; ispravno && i < int(r->size()); ++i)
        ispravno = ProcitajRealan(delovi[i].toStdString(), (*r)[size_t(i)]);
    if (!ispravno)
        throw TGreskaVrednosti{QStringLiteral("Ordinate generatora funkcija moraju biti 11 "
                                              "realnih brojeva razdvojenih razmacima, a ne '") +
                               tekst + QStringLiteral("'!")};
    return r;
}

QString OpisDokumenta(const QString& imeFajla) {
    return imeFajla.isEmpty() ? QStringLiteral("Dokument")
                              : QStringLiteral("Fajl '%1'").arg(imeFajla);
}

// Empty when a document of that many bytes may be read, else the refusal.
QString GreskaVelicine(qint64 bajtova, const QString& imeFajla) {
    constexpr qint64 MB = qint64(1) << 20;
    if (bajtova <= MaksMemorijaCitanja / MemorijaPoBajtuDokumenta) return {};
    return OpisDokumenta(imeFajla) +
           QStringLiteral(" ima %1 MB i za njegovo citanje bilo bi potrebno vise od %2 MB "
                          "memorije!")
               .arg((bajtova + MB - 1) / MB)
               .arg(MaksMemorijaCitanja / MB);
}

// The fields of a Blok in the order they are read (and written).
enum TPoljeBloka {
    pbTop,
    pbLeft,
    pbSifra,
    pbNaziv,
    pbLokalniBroj,
    pbBrparam,
    pbMaxuveza,
    pbStr1,
    pbParametar1 = pbStr1 + 6,
    pbParametar2,
    pbParametar3,
    pbSmer,
    pbOrdinate,
    pbBrojPolja
};

constexpr const char* ImenaPoljaBloka[pbBrojPolja] = {
    "Top",      "Left",       "Sifra",      "Naziv",      "LokalniBroj", "brparam",
    "maxuveza", "str1",       "str2",       "str3",       "str4",        "str5",
    "str6",     "Parametar1", "Parametar2", "Parametar3", "Smer",        "Ordinate"};

constexpr const char* ImenaPoljaMetoda[3] = {"Metod", "RelativnaTolerancija",
                                             "ApsolutnaTolerancija"};

// The fields of a connection and of a holder that are read.
enum TPoljeVeze { pvPocBlok, pvKrajBlok, pvGdeKrajBlok, pvPocIzlaz, pvBrojPolja };
enum TPoljeDrzaca { pdLeft, pdTop, pdBrojPolja };

int Indeks(QStringView ime, const char* const* imena, int broj) {
    for (int i = 0; i < broj; ++i)
        if (ime == QLatin1StringView(imena[i])) return i;
    return -1;
}

// An integer field of a connection or holder waiting to be read: its value,
// or why it does not read (a text kept aside, or an element in it).
struct TSiroviCeo {
    static constexpr int Dobar = -1, Dete = -2;
    std::int32_t Vrednost = 0;
    int Los = 0; // Dobar, Dete or the position of its text; 0 is the missing field's ""
};

struct TSiroviDrzac {
    TSiroviCeo Polja[pdBrojPolja];
    int PrvaJunction = -1, PoslednjaJunction = -1; // raw connections
    int Sledeci = -1;
    bool ImaJunctions = false;
};

struct TSirovaVeza {
    TSiroviCeo Polja[pvBrojPolja];
    int PrviDrzac = -1, PoslednjiDrzac = -1;
    int Sledeca = -1;
    bool ImaDrzace = false;
};

// What an open element is to the reader.
enum TUloga : quint8 {
    ulKoren,
    ulOpis,
    ulBlokovi,
    ulBlok,
    ulPoljeBloka,
    ulVeze,
    ulVeza, // also a junction connection
    ulPoljeVeze,
    ulDrzaci,
    ulDrzac,
    ulPoljeDrzaca,
    ulJunctions,
    ulMetod,       // the integration method
    ulPoljeMetoda, // ... and one of its fields
    ulMerenja,
    ulFajlMerenja,
    ulPodsistem, // a subsystem's content: read as a document of its own
    ulParametri,
    ulParametar,
    ulPoljeParametra,
    ulLaboratorija,
    ulPoljeLaboratorije, // Indeks 0: Prati, 1: Klizac
    ulOstalo,            // not read, nor anything in it
};

struct TOtvoren {
    TUloga Uloga;
    int Indeks; // the raw connection or holder, or the field
};

// The fields of a subsystem's parameter, as texts until its content is known.
enum TPoljeParametra { ppBlok, ppBroj, ppNatpis, ppBrojPolja };
constexpr const char* ImenaPoljaParametra[ppBrojPolja] = {"Blok", "Broj", "Natpis"};

struct TSirovParametar {
    std::array<QString, ppBrojPolja> Tekst;
    std::array<bool, ppBrojPolja> Vidjeno{}, Dete{};
};

struct TPoljeBlokaTekst {
    QString Tekst;
    bool Vidjeno = false;
    bool Dete = false;
};

// Everything read of one document: the root's, or a subsystem's content
// while it is read inside its block.
struct TNivo {
    TModelDokumenta model;
    QString opis;
    bool vidjenOpis = false, vidjeniBlokovi = false, vidjeneVeze = false, vidjeniParametri = false;
    bool opisDete = false;
    bool blokoviGotovi = false;
    // The block being read: its fields and the content of its Podsistem.
    std::array<TPoljeBlokaTekst, pbBrojPolja> poljaBloka;
    bool vidjenPodsistem = false;
    std::shared_ptr<const TPodsistemModela> podsistemBloka;

    std::vector<TSirovaVeza> sveze;
    std::vector<TSiroviDrzac> sdrzaci;
    QStringList losiTekstovi{QString()};
    int prvaVeza = -1, poslednjaVeza = -1;
    std::vector<TSirovParametar> parametri;

    QHash<int, int> poBroju; // local number in the file -> first block with it
};

class TCitacModela {
public:
    TCitacModela(QIODevice& izvor, const QString& imeFajla) : izvor(izvor), imeFajla(imeFajla) {}

    TProcitanModel Citaj() {
        TProcitanModel r;
        if (std::optional<QString> g = Rasclani()) {
            r.Greska = std::move(g);
            return r;
        }
        if (n.opisDete) {
            // Read before anything else, so nothing else was read.
            r.Greska = PorukaDete();
            return r;
        }
        Zavrsi();
        n.model.MetodIntegracije = metod;
        n.model.Merenja = std::move(merenja);
        n.model.Laboratorija = std::move(laboratorija);
        r.Model = std::move(n.model);
        r.Greska = std::move(greska);
        return r;
    }

private:
    // The streaming pass; returns the error that ends it (XML, limits).
    std::optional<QString> Rasclani() {
        QXmlStreamReader citac(&izvor);
        citac.setNamespaceProcessing(false);
        otvoreni.reserve(64);
        int dubina = 0;
        qint64 elemenata = 0;
        qint64 blokova = 0;
        bool uBlokovima = false; // children of any Blokovi count against the block limit
        while (!citac.atEnd()) {
            switch (citac.readNext()) {
            case QXmlStreamReader::StartElement: {
                if (++dubina > MaksDubinaElemenata)
                    return QStringLiteral("Elementi dokumenta su ugnjezdeni dublje od %1 nivoa!")
                        .arg(MaksDubinaElemenata);
                if (++elemenata > MaksBrojElemenata)
                    return QStringLiteral(
                               "Dokument ima vise od %1 elemenata i ne moze da se procita!")
                        .arg(MaksBrojElemenata);
                const QStringView ime = citac.qualifiedName();
                if (dubina == 2) uBlokovima = ime == QLatin1StringView("Blokovi");
                Otvori(ime);
                // A subsystem's blocks count as the root's do.
                if (((dubina == 3 && uBlokovima) ||
                     (!spoljni.empty() && otvoreni.back().Uloga == ulBlok)) &&
                    ++blokova > MaksBrojBlokova)
                    return QStringLiteral(
                               "Dokument ima vise od %1 blokova i ne moze da se procita!")
                        .arg(MaksBrojBlokova);
                if (spoljni.size() > size_t(MaksDubinaPodsistema))
                    return QStringLiteral("Podsistemi su ugnjezdeni dublje od %1 nivoa!")
                        .arg(MaksDubinaPodsistema);
                break;
            }
            case QXmlStreamReader::EndElement:
                --dubina;
                Zatvori();
                break;
            case QXmlStreamReader::Characters:
                if (!otvoreni.empty()) {
                    const TUloga u = otvoreni.back().Uloga;
                    if (u == ulOpis)
                        n.opis += citac.text();
                    else if (u == ulPoljeMetoda)
                        poljaMetoda[otvoreni.back().Indeks] += citac.text();
                    else if (u == ulPoljeLaboratorije)
                        tekstLaboratorije += citac.text();
                    else if (u == ulPoljeBloka || u == ulPoljeVeze || u == ulPoljeDrzaca ||
                             u == ulPoljeParametra || u == ulFajlMerenja)
                        tekst += citac.text();
                }
                break;
            default:
                break;
            }
        }
        if (citac.hasError())
            return OpisDokumenta(imeFajla) +
                   QStringLiteral(" nije ispravan XML dokument: %1 (red %2, kolona %3)")
                       .arg(citac.errorString())
                       .arg(citac.lineNumber())
                       .arg(citac.columnNumber());
        return std::nullopt;
    }

    void Otvori(QStringView ime) {
        if (otvoreni.empty()) {
            otvoreni.push_back({ulKoren, 0});
            return;
        }
        const TOtvoren roditelj = otvoreni.back();
        TOtvoren novi{ulOstalo, 0};
        switch (roditelj.Uloga) {
        case ulKoren:
        case ulPodsistem:
            if (ime == QLatin1StringView("OpisProblema")) {
                if (!n.vidjenOpis) novi.Uloga = ulOpis;
                n.vidjenOpis = true;
            } else if (ime == QLatin1StringView("Blokovi")) {
                if (!n.vidjeniBlokovi) novi.Uloga = ulBlokovi;
                n.vidjeniBlokovi = true;
            } else if (ime == QLatin1StringView("Veze")) {
                if (!n.vidjeneVeze) novi.Uloga = ulVeze;
                n.vidjeneVeze = true;
            } else if (roditelj.Uloga == ulPodsistem && ime == QLatin1StringView("Parametri")) {
                if (!n.vidjeniParametri) novi.Uloga = ulParametri;
                n.vidjeniParametri = true;
            } else if (roditelj.Uloga == ulKoren && ime == QLatin1StringView("MetodIntegracije")) {
                if (!metod) {
                    novi.Uloga = ulMetod;
                    metod.emplace();
                }
            } else if (roditelj.Uloga == ulKoren && ime == QLatin1StringView("Merenja")) {
                novi.Uloga = ulMerenja;
            } else if (roditelj.Uloga == ulKoren && ime == QLatin1StringView("Laboratorija")) {
                if (!vidjenaLaboratorija) novi.Uloga = ulLaboratorija;
                vidjenaLaboratorija = true;
            }
            break;
        case ulLaboratorija:
            if (ime == QLatin1StringView("Prati") || ime == QLatin1StringView("Klizac")) {
                novi = {ulPoljeLaboratorije, ime == QLatin1StringView("Prati") ? 0 : 1};
                tekstLaboratorije.clear();
            }
            break;
        case ulMetod: {
            const int p = Indeks(ime, ImenaPoljaMetoda, 3);
            if (p >= 0 && poljaMetoda[p].isNull()) {
                novi = {ulPoljeMetoda, p};
                poljaMetoda[p] = QLatin1String("");
            }
            break;
        }
        case ulPoljeMetoda:
            detePolja = true;
            break;
        case ulMerenja:
            if (ime == QLatin1StringView("Fajl")) novi.Uloga = ulFajlMerenja;
            tekst.resize(0);
            break;
        case ulBlokovi:
            novi.Uloga = ulBlok;
            for (TPoljeBlokaTekst& p : n.poljaBloka)
                p.Vidjeno = p.Dete = false;
            n.vidjenPodsistem = false;
            n.podsistemBloka.reset();
            break;
        case ulBlok: {
            const int p = Indeks(ime, ImenaPoljaBloka, pbBrojPolja);
            if (p >= 0 && !n.poljaBloka[p].Vidjeno) {
                n.poljaBloka[p].Vidjeno = true;
                novi = {ulPoljeBloka, p};
                tekst.resize(0);
            } else if (ime == QLatin1StringView("Podsistem") && !n.vidjenPodsistem) {
                n.vidjenPodsistem = true;
                // The content is read as a document of its own, then the block goes on.
                spoljni.push_back(std::move(n));
                n = TNivo();
                novi.Uloga = ulPodsistem;
            }
            break;
        }
        case ulVeze:
        case ulJunctions:
            // After an error no connection is read: only the parse goes on.
            if (!greska) novi = {ulVeza, NovaVeza(roditelj)};
            break;
        case ulVeza: {
            static constexpr const char* imena[pvBrojPolja] = {"PocBlok", "KrajBlok", "GdeKrajBlok",
                                                               "PocIzlaz"};
            TSirovaVeza& v = n.sveze[size_t(roditelj.Indeks)];
            if (const int p = Indeks(ime, imena, pvBrojPolja); p >= 0) {
                if (v.Polja[p].Los == 0) { // not seen yet
                    novi = {ulPoljeVeze, p};
                    tekst.resize(0);
                }
            } else if (ime == QLatin1StringView("Drzaci") && !v.ImaDrzace) {
                v.ImaDrzace = true;
                novi = {ulDrzaci, roditelj.Indeks};
            }
            break;
        }
        case ulDrzaci:
            novi = {ulDrzac, NoviDrzac(roditelj.Indeks)};
            break;
        case ulDrzac: {
            static constexpr const char* imena[pdBrojPolja] = {"Left", "Top"};
            TSiroviDrzac& d = n.sdrzaci[size_t(roditelj.Indeks)];
            if (const int p = Indeks(ime, imena, pdBrojPolja); p >= 0) {
                if (d.Polja[p].Los == 0) {
                    novi = {ulPoljeDrzaca, p};
                    tekst.resize(0);
                }
            } else if (ime == QLatin1StringView("Junctions") && !d.ImaJunctions) {
                d.ImaJunctions = true;
                novi = {ulJunctions, roditelj.Indeks};
            }
            break;
        }
        case ulParametri:
            n.parametri.emplace_back();
            novi = {ulParametar, int(n.parametri.size()) - 1};
            break;
        case ulParametar: {
            TSirovParametar& sp = n.parametri[size_t(roditelj.Indeks)];
            const int p = Indeks(ime, ImenaPoljaParametra, ppBrojPolja);
            if (p >= 0 && !sp.Vidjeno[size_t(p)]) {
                sp.Vidjeno[size_t(p)] = true;
                novi = {ulPoljeParametra, p};
                tekst.resize(0);
            }
            break;
        }
        case ulOpis:
            n.opisDete = true;
            break;
        case ulPoljeLaboratorije:
            break;
        case ulPoljeBloka:
            n.poljaBloka[roditelj.Indeks].Dete = true;
            break;
        case ulPoljeVeze:
        case ulPoljeDrzaca:
            detePolja = true;
            break;
        case ulFajlMerenja: // text only
            break;
        case ulPoljeParametra:
            n.parametri.back().Dete[size_t(roditelj.Indeks)] = true;
            break;
        case ulOstalo:
            break;
        }
        otvoreni.push_back(novi);
    }

    void Zatvori() {
        const TOtvoren z = otvoreni.back();
        otvoreni.pop_back();
        switch (z.Uloga) {
        case ulPoljeBloka:
            // The field keeps the text, the next field reuses its room.
            std::swap(n.poljaBloka[z.Indeks].Tekst, tekst);
            break;
        case ulPoljeVeze:
        case ulPoljeDrzaca: {
            // The field is the first of its name: the holder or connection is
            // the element around it.
            const int vlasnik = otvoreni.back().Indeks;
            TSiroviCeo& p = z.Uloga == ulPoljeVeze ? n.sveze[size_t(vlasnik)].Polja[z.Indeks]
                                                   : n.sdrzaci[size_t(vlasnik)].Polja[z.Indeks];
            ZapamtiCeo(p);
            break;
        }
        case ulPoljeParametra:
            std::swap(n.parametri.back().Tekst[size_t(z.Indeks)], tekst);
            break;
        case ulBlok:
            if (!greska) CitajBlok();
            break;
        case ulPoljeMetoda:
            if (std::exchange(detePolja, false) && !greska) greska = PorukaDete();
            break;
        case ulMetod:
            if (!greska) CitajMetod();
            break;
        case ulFajlMerenja:
            merenja.emplace_back(tekst);
            break;
        case ulPoljeLaboratorije:
            CitajLaboratoriju(z.Indeks == 0);
            break;
        case ulBlokovi:
            n.blokoviGotovi = true;
            CitajVeze();
            break;
        case ulVeza:
            // A whole ordinary connection: read it if every block is known.
            if (otvoreni.back().Uloga == ulVeze && n.blokoviGotovi && !greska) CitajVeze();
            break;
        case ulPodsistem: {
            if (n.opisDete && !greska) greska = PorukaDete();
            Zavrsi();
            auto sadrzaj = std::make_shared<TPodsistemModela>();
            sadrzaj->Sadrzaj = std::move(n.model);
            if (!greska) CitajParametre(*sadrzaj);
            n = std::move(spoljni.back());
            spoljni.pop_back();
            n.podsistemBloka = std::move(sadrzaj);
            break;
        }
        default:
            break;
        }
    }

    // The document of this level is over: its connections, its numbers.
    void Zavrsi() {
        n.blokoviGotovi = true;
        CitajVeze();
        n.model.OpisProblema = n.opis;
        for (size_t i = 0; i < n.model.Blokovi.size(); ++i)
            n.model.Blokovi[i].LokalniBroj = int(i) + 1;
        // Grown one by one; what is kept is no more than what was read.
        n.model.Blokovi.shrink_to_fit();
        n.model.Veze.shrink_to_fit();
    }

    // The lab's settings are a convenience: an entry that does not read is
    // left out rather than costing the document.
    void CitajLaboratoriju(bool prati) {
        const QStringList delovi = tekstLaboratorije.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        TLaboratorijaModela& l = laboratorija;
        if (prati) {
            for (const QString& d : delovi)
                if (auto putanja = PutanjaIzTeksta(d)) l.Praceni.push_back(std::move(*putanja));
            return;
        }
        if (delovi.size() != 4) return;
        TKlizacModela k;
        const QStringList cilj = delovi[0].split(QStringLiteral(".p"));
        bool ok2 = false;
        if (cilj.size() != 2) return;
        const auto putanja = PutanjaIzTeksta(cilj[0]);
        if (!putanja) return;
        k.Blok = *putanja;
        k.Parametar = cilj[1].toInt(&ok2);
        double* vrednosti[] = {&k.Min, &k.Max, &k.Vrednost};
        for (int i = 0; i < 3; ++i)
            if (!ProcitajRealan(delovi[i + 1].toStdString(), *vrednosti[i])) return;
        if (ok2 && k.Parametar >= 1 && k.Parametar <= 3 && k.Min < k.Max) l.Klizaci.push_back(k);
    }

    // ---- raw connections ----

    int NovaVeza(const TOtvoren& roditelj) {
        const int i = int(n.sveze.size());
        n.sveze.emplace_back();
        int* prva = &n.prvaVeza;
        int* poslednja = &n.poslednjaVeza;
        if (roditelj.Uloga == ulJunctions) {
            TSiroviDrzac& d = n.sdrzaci[size_t(roditelj.Indeks)];
            prva = &d.PrvaJunction;
            poslednja = &d.PoslednjaJunction;
        }
        if (*poslednja >= 0)
            n.sveze[size_t(*poslednja)].Sledeca = i;
        else
            *prva = i;
        *poslednja = i;
        return i;
    }

    int NoviDrzac(int veza) {
        const int i = int(n.sdrzaci.size());
        n.sdrzaci.emplace_back();
        TSirovaVeza& v = n.sveze[size_t(veza)];
        if (v.PoslednjiDrzac >= 0)
            n.sdrzaci[size_t(v.PoslednjiDrzac)].Sledeci = i;
        else
            v.PrviDrzac = i;
        v.PoslednjiDrzac = i;
        return i;
    }

    void ZapamtiCeo(TSiroviCeo& p) {
        if (detePolja) {
            p.Los = TSiroviCeo::Dete;
        } else {
            std::int32_t v = 0;
            if (Procitaj(tekst, [&v](std::string_view t) { return ProcitajCeo(t, v); })) {
                p.Vrednost = v;
                p.Los = TSiroviCeo::Dobar;
            } else {
                p.Los = int(n.losiTekstovi.size());
                n.losiTekstovi.append(tekst);
            }
        }
        detePolja = false;
    }

    int Ceo(const TSiroviCeo& p) const {
        if (p.Los == TSiroviCeo::Dobar) return p.Vrednost;
        if (p.Los == TSiroviCeo::Dete) throw TGreskaVrednosti{PorukaDete()};
        return skem::Ceo(n.losiTekstovi[p.Los]); // throws its message
    }

    // ---- values ----

    // Texts are shared: every "x" caption of a document is one string.
    QString Zajednicki(const QString& t) {
        if (t.isEmpty()) return {};
        auto i = zajednicki.constFind(QStringView(t));
        if (i == zajednicki.cend()) {
            const QString kopija(t.constData(), t.size());
            i = zajednicki.insert(QStringView(kopija), kopija);
        }
        return *i;
    }

    const QString& TekstBloka(int p) const {
        static const QString prazan;
        const TPoljeBlokaTekst& polje = n.poljaBloka[p];
        if (!polje.Vidjeno) return prazan;
        if (polje.Dete) throw TGreskaVrednosti{PorukaDete()};
        return polje.Tekst;
    }

    void CitajBlok() {
        try {
            const int top = Polozaj(skem::Ceo(TekstBloka(pbTop)));
            const int left = Polozaj(skem::Ceo(TekstBloka(pbLeft)));
            const int sifra = skem::Ceo(TekstBloka(pbSifra));
            const QString& naziv = TekstBloka(pbNaziv);
            const int lokalniBroj = skem::Ceo(TekstBloka(pbLokalniBroj));
            const int brparam = skem::Ceo(TekstBloka(pbBrparam));
            const int maxuveza = skem::Ceo(TekstBloka(pbMaxuveza));
            for (int i = 0; i < 6; ++i)
                TekstBloka(pbStr1 + i);
            const double p1 = Realan(TekstBloka(pbParametar1));
            const double p2 = Realan(TekstBloka(pbParametar2));
            const double p3 = Realan(TekstBloka(pbParametar3));
            const int smer = skem::Ceo(TekstBloka(pbSmer));
            auto ordinate = Ordinate(TekstBloka(pbOrdinate));

            TBlokModela& b = n.model.Blokovi.emplace_back();
            b.Top = top;
            b.Left = left;
            b.Sifra = quint8(unsigned(sifra)); // low 8 bits
            b.Naziv = Zajednicki(naziv);
            b.LokalniBroj = lokalniBroj;
            b.brparam = quint8(unsigned(brparam));
            b.MaxUlaznihVeza = maxuveza;
            for (int i = 0; i < 6; ++i)
                b.Natpisi[size_t(i)] = Zajednicki(TekstBloka(pbStr1 + i));
            b.Parametar1 = p1;
            b.Parametar2 = p2;
            b.Parametar3 = p3;
            b.Ordinate = std::move(ordinate);
            b.Smer = quint8(unsigned(smer));
            // Only a subsystem keeps content.
            if (b.JePodsistem()) b.Podsistem = std::move(n.podsistemBloka);
            // Connections join the first block with a number.
            if (!n.poBroju.contains(lokalniBroj))
                n.poBroju.insert(lokalniBroj, int(n.model.Blokovi.size()) - 1);
        } catch (TGreskaVrednosti& g) {
            greska = std::move(g.Poruka);
        }
    }

    // The method's name and tolerances; a missing tolerance is the default.
    void CitajMetod() {
        try {
            TMetodDokumenta& m = *metod;
            if (!ProcitajMetod(poljaMetoda[0].trimmed().toStdString(), m.Metod))
                throw TGreskaVrednosti{QStringLiteral("Nepoznat metod integracije '%1' (ocekuje "
                                                      "se rk4, dp45 ili bdf)!")
                                           .arg(poljaMetoda[0])};
            double* tolerancije[2] = {&m.RelativnaTolerancija, &m.ApsolutnaTolerancija};
            for (int i = 0; i < 2; ++i) {
                if (poljaMetoda[i + 1].isNull()) continue;
                *tolerancije[i] = Realan(poljaMetoda[i + 1]);
                if (!IspravnaTolerancija(*tolerancije[i]))
                    throw TGreskaVrednosti{QStringLiteral(
                        "Tolerancija metoda integracije mora biti pozitivan realan broj!")};
            }
        } catch (TGreskaVrednosti& g) {
            greska = std::move(g.Poruka);
        }
    }

    int Blok(const TSiroviCeo& p) const {
        const int broj = Ceo(p);
        const auto i = n.poBroju.constFind(broj);
        if (i == n.poBroju.cend())
            throw TGreskaVrednosti{
                QStringLiteral("Veza se odnosi na blok broj %1 koji ne postoji u dokumentu!")
                    .arg(broj)};
        return *i;
    }

    // Reads the ordinary connections waiting (with everything under them)
    // and forgets them.
    void CitajVeze() {
        try {
            if (!greska)
                for (int v = n.prvaVeza; v >= 0; v = n.sveze[size_t(v)].Sledeca)
                    CitajVezu(v, -1, -1, 0);
        } catch (TGreskaVrednosti& g) {
            greska = std::move(g.Poruka);
        }
        n.sveze.clear();
        n.sdrzaci.clear();
        n.losiTekstovi = QStringList{QString()};
        n.prvaVeza = n.poslednjaVeza = -1;
    }

    // A connection (roditelj < 0) or a junction connection starting at holder
    // drzac of connection roditelj. Once its ends are known it is in the
    // model, with its holders and junctions read before an error.
    void CitajVezu(int s, int roditelj, int drzac, int dubina) {
        TModelDokumenta& model = n.model;
        const TSirovaVeza& sv = n.sveze[size_t(s)];
        const int izvor = Blok(sv.Polja[pvPocBlok]);
        const int odrediste = Blok(sv.Polja[pvKrajBlok]);
        const int k = Ceo(sv.Polja[pvGdeKrajBlok]);
        const TBlokModela& kraj = model.Blokovi[size_t(odrediste)];
        const int slotova = kraj.JePodsistem() ? std::max(3, int(UlaziPodsistema(kraj).size())) : 3;
        if (k < 0 || k >= slotova)
            throw TGreskaVrednosti{QStringLiteral("List index out of bounds (%1)").arg(k)};
        // A subsystem's output is named; any other block has only the one.
        int izlaz = 0;
        const TBlokModela& pocetak = model.Blokovi[size_t(izvor)];
        if (pocetak.JePodsistem() && sv.Polja[pvPocIzlaz].Los != 0) {
            const int broj = Ceo(sv.Polja[pvPocIzlaz]);
            const int izlaza = int(IzlaziPodsistema(pocetak).size());
            if (broj < 1 || broj > izlaza)
                throw TGreskaVrednosti{
                    QStringLiteral("Veza polazi sa izlaza %1 podsistema %2, a on ima %3 izlaza!")
                        .arg(broj)
                        .arg(pocetak.LokalniBroj)
                        .arg(izlaza)};
            izlaz = broj - 1;
        }

        const int c = int(model.Veze.size());
        TVezaModela& nova = model.Veze.emplace_back();
        nova.PocBlok = izvor;
        nova.KrajBlok = odrediste;
        nova.GdeKrajBlok = k;
        nova.IzlazPocBloka = izlaz;
        nova.Roditelj = roditelj;
        nova.DrzacRoditelja = drzac;
        if (roditelj >= 0)
            model.Veze[size_t(roditelj)].Drzaci[size_t(drzac)].Junctions.push_back(c);
        // A later connection into the same slot takes it.
        model.Blokovi[size_t(odrediste)].PostaviUlaz(k, c);

        for (int d = sv.PrviDrzac; d >= 0; d = n.sdrzaci[size_t(d)].Sledeci) {
            const TSiroviDrzac& sd = n.sdrzaci[size_t(d)];
            const int left = Polozaj(Ceo(sd.Polja[pdLeft]));
            const int top = Polozaj(Ceo(sd.Polja[pdTop]));
            std::vector<TDrzacModela>& drzaci = model.Veze[size_t(c)].Drzaci;
            drzaci.push_back({left, top, {}});
            const int h = int(drzaci.size()) - 1;
            for (int j = sd.PrvaJunction; j >= 0; j = n.sveze[size_t(j)].Sledeca) {
                if (dubina + 1 > MaksDubinaJunctiona)
                    throw TGreskaVrednosti{
                        QStringLiteral("Junction veze su ugnjezdene dublje od %1 nivoa!")
                            .arg(MaksDubinaJunctiona)};
                CitajVezu(j, c, h, dubina + 1);
            }
        }
    }

    // A subsystem's shown parameters, once its content is whole: each names
    // a block inside and one of its three parameters.
    void CitajParametre(TPodsistemModela& podsistem) {
        try {
            for (const TSirovParametar& sp : n.parametri) {
                for (int p = 0; p < ppBrojPolja; ++p)
                    if (sp.Dete[size_t(p)]) throw TGreskaVrednosti{PorukaDete()};
                TParametarPodsistema& par = podsistem.Parametri.emplace_back();
                par.Natpis = sp.Tekst[ppNatpis];
                bool ispravna = !sp.Tekst[ppBlok].isEmpty();
                for (const QString& deo : sp.Tekst[ppBlok].split(QLatin1Char('/'))) {
                    bool broj = false;
                    par.Blok.push_back(deo.toInt(&broj));
                    ispravna = ispravna && broj;
                }
                if (!ispravna || !BlokNaPutanji(podsistem.Sadrzaj, par.Blok))
                    throw TGreskaVrednosti{
                        QStringLiteral("Parametar podsistema '%1' se odnosi na blok '%2' koji ne "
                                       "postoji u podsistemu!")
                            .arg(par.Natpis, sp.Tekst[ppBlok])};
                par.Parametar = skem::Ceo(sp.Tekst[ppBroj]);
                if (par.Parametar < 1 || par.Parametar > 3)
                    throw TGreskaVrednosti{
                        QStringLiteral("Parametar podsistema '%1' mora biti parametar 1, 2 ili 3 "
                                       "bloka, a ne %2!")
                            .arg(par.Natpis)
                            .arg(par.Parametar)};
            }
        } catch (TGreskaVrednosti& g) {
            greska = std::move(g.Poruka);
        }
    }

    QIODevice& izvor;
    const QString imeFajla;
    std::optional<QString> greska; // the first error in the values, at any level

    TNivo n;                    // the document being read now
    std::vector<TNivo> spoljni; // the documents around it, the root first
    std::vector<TOtvoren> otvoreni;
    QString tekst; // of the field being read
    bool detePolja = false;
    std::optional<TMetodDokumenta> metod;
    std::array<QString, 3> poljaMetoda; // Metod, RelativnaTolerancija, ApsolutnaTolerancija
    std::vector<QString> merenja;
    TLaboratorijaModela laboratorija;
    QString tekstLaboratorije;
    bool vidjenaLaboratorija = false;

    QHash<QStringView, QString> zajednicki;
};

} // namespace

TProcitanModel ProcitajModel(const QByteArray& xml) {
    if (QString g = GreskaVelicine(xml.size(), QString()); !g.isEmpty()) return {{}, g};
    QBuffer izvor;
    izvor.setData(xml);
    izvor.open(QIODevice::ReadOnly);
    return TCitacModela(izvor, QString()).Citaj();
}

namespace {

// A file read through a window of at most `granica` + 1 bytes, whatever the
// file claims to be (a device that never ends, a pipe): the parse reads from
// it as it goes, so the document's text is never held whole. A stop request
// ends it between pieces.
class TOgranicenFajl : public QIODevice {
public:
    TOgranicenFajl(QFileDevice& fajl, qint64 granica, const std::atomic<bool>* zaustavi)
        : fajl(fajl), granica(granica), zaustavi(zaustavi) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 Procitano() const { return procitano; }
    bool Prekinut() const { return prekinut; }
    // Reads on to the end or past the limit, so the size of what is left
    // behind the parse's end counts too.
    void Isprazni() {
        char komad[1 << 16];
        while (readData(komad, sizeof komad) > 0) {
        }
    }

protected:
    qint64 readData(char* podaci, qint64 najvise) override {
        if (zaustavi && zaustavi->load(std::memory_order_relaxed)) prekinut = true;
        if (prekinut) return -1;
        najvise = std::min(najvise, granica + 1 - procitano);
        if (najvise <= 0) return -1;
        const qint64 n = fajl.read(podaci, najvise);
        if (n <= 0) return -1;
        procitano += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QFileDevice& fajl;
    const qint64 granica;
    const std::atomic<bool>* zaustavi;
    qint64 procitano = 0;
    bool prekinut = false;
};

} // namespace

TProcitanModel ProcitajModelIzFajla(const QString& imeFajla, const std::atomic<bool>* zaustavi) {
    QFile f(imeFajla);
    if (!f.open(QIODevice::ReadOnly))
        return {
            {},
            QStringLiteral("Fajl '%1' ne moze da se otvori: %2").arg(imeFajla, f.errorString())};
    return ProcitajModelIzFajla(f, imeFajla, zaustavi);
}

TProcitanModel ProcitajModelIzFajla(QFileDevice& f, const QString& imeFajla,
                                    const std::atomic<bool>* zaustavi) {
    if (QString g = GreskaVelicine(f.size(), imeFajla); !g.isEmpty()) return {{}, g};
    TOgranicenFajl izvor(f, MaksMemorijaCitanja / MemorijaPoBajtuDokumenta, zaustavi);
    TProcitanModel r = TCitacModela(izvor, imeFajla).Citaj();
    // A file that cannot be read whole, or is too big, was not read at all.
    izvor.Isprazni();
    if (izvor.Prekinut())
        return {{}, QStringLiteral("Citanje fajla '%1' je prekinuto.").arg(imeFajla)};
    if (f.error() != QFileDevice::NoError)
        return {
            {},
            QStringLiteral("Fajl '%1' ne moze da se procita: %2").arg(imeFajla, f.errorString())};
    if (QString g = GreskaVelicine(izvor.Procitano(), imeFajla); !g.isEmpty()) return {{}, g};
    return r;
}

TModelDokumenta UcitajModel(const QByteArray& xml) {
    TProcitanModel r = ProcitajModel(xml);
    if (r.Greska) throw TGreskaDokumenta(*r.Greska);
    return std::move(r.Model);
}

TModelDokumenta UcitajModelIzFajla(const QString& imeFajla) {
    TProcitanModel r = ProcitajModelIzFajla(imeFajla);
    if (r.Greska) throw TGreskaDokumenta(*r.Greska);
    return std::move(r.Model);
}

} // namespace skem
