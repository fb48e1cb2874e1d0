#include "Dokument.h"

#include "Brojevi.h"
#include "Obavestenja.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"
#include "unDrzac.h"
#include "unVeza.h"

#include <QDomDocument>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

// Positions far beyond the 1500 x 1500 surface are refused: the geometry adds
// the block size to them in 32 bits.
constexpr int MaksPolozaj = 1000000000;

QString Ime(const char* ime) {
    return QString::fromLatin1(ime);
}

// ---- writing ----

// XML 1.0 allows tab, line feed, carriage return and the printable range; a
// text with any other character would give a file that cannot be read back.
void ProveriZnakove(const QString& tekst, const QString& polje) {
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        const char16_t c = tekst[i].unicode();
        bool dozvoljen;
        if (QChar::isHighSurrogate(c)) {
            dozvoljen = i + 1 < tekst.size() && QChar::isLowSurrogate(tekst[i + 1].unicode());
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            dozvoljen = false;
        } else {
            dozvoljen = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0xFFFE);
        }
        if (!dozvoljen)
            throw TGreskaDokumenta(
                QStringLiteral("Tekst polja %1 sadrzi znak (kod %2) koji ne moze da se snimi!")
                    .arg(polje)
                    .arg(int(c)));
    }
}

QDomElement DodajElement(QDomElement& roditelj, const QString& ime) {
    QDomElement e = roditelj.ownerDocument().createElement(ime);
    roditelj.appendChild(e);
    return e;
}

void DodajTekst(QDomElement& roditelj, const QString& ime, const QString& tekst) {
    ProveriZnakove(tekst, ime);
    QDomElement e = DodajElement(roditelj, ime);
    if (!tekst.isEmpty()) e.appendChild(roditelj.ownerDocument().createTextNode(tekst));
}

void DodajCeo(QDomElement& roditelj, const QString& ime, int v) {
    DodajTekst(roditelj, ime, QString::number(v));
}

QString RealanZaSnimanje(double v, const TSKEMBlok& blok) {
    // "INF" or "NAN" would not read back as a number.
    if (!std::isfinite(v))
        throw TGreskaDokumenta(
            QStringLiteral("Blok %1. %2 ima vrednost koja nije konacan broj i ne moze da se snimi!")
                .arg(blok.LokalniBroj())
                .arg(blok.Naziv));
    return QString::fromStdString(skem::RealanUTekst(v));
}

// `uIzradi`, the connection still being drawn, is left out with what hangs from it.
void SnimiVezu(const TVeza& c, QDomElement& roditelj, int dubina, const TVeza* uIzradi) {
    const bool junction = dubina > 0;
    const QString greska = junction
                               ? QStringLiteral("Neocekivana greska kod snimanja junction veze!!!")
                               : QStringLiteral("Neocekivana greska kod snimanja veze!!!");
    if (dubina > MaksDubinaJunctiona)
        throw TGreskaDokumenta(QStringLiteral("Junction veze su ugnjezdene dublje od %1 nivoa!")
                                   .arg(MaksDubinaJunctiona));
    QDomElement e = DodajElement(roditelj, junction ? Ime("Junction") : Ime("Veza"));
    if (!c.PocBlok || !c.KrajBlok) throw TGreskaDokumenta(greska);
    DodajCeo(e, Ime("PocBlok"), c.PocBlok->LokalniBroj());
    DodajCeo(e, Ime("KrajBlok"), c.KrajBlok->LokalniBroj());
    const int k = c.KrajBlok->IndeksUlaza(&c);
    if (k == -1) throw TGreskaDokumenta(greska);
    DodajCeo(e, Ime("GdeKrajBlok"), k);
    QDomElement drzaci = DodajElement(e, Ime("Drzaci"));
    for (int i = 0; i < c.Drzaci.size(); ++i) {
        const TDrzac* h = c.Drzaci[i];
        QDomElement d = DodajElement(drzaci, Ime("Drzac"));
        DodajCeo(d, Ime("Top"), h->Top());
        DodajCeo(d, Ime("Left"), h->Left());
        DodajCeo(d, Ime("Index"), i);
        QDomElement junctions = DodajElement(d, Ime("Junctions"));
        for (const TVeza* j : h->Junctions)
            if (j != uIzradi) SnimiVezu(*j, junctions, dubina + 1, uIzradi);
    }
}

// ---- reading ----

// The text of the named child; a missing child reads as an empty text.
QString TekstPolja(const QDomElement& roditelj, const QString& ime) {
    const QDomElement e = roditelj.firstChildElement(ime);
    QString tekst;
    for (QDomNode n = e.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isElement())
            throw TGreskaDokumenta(QStringLiteral("Element does not contain a single text node"));
        if (n.isText()) tekst += n.nodeValue(); // CDATA sections included
    }
    return tekst;
}

int Ceo(const QDomElement& roditelj, const char* ime) {
    const QString tekst = TekstPolja(roditelj, Ime(ime));
    std::int32_t v = 0;
    if (!skem::ProcitajCeo(tekst.toStdString(), v))
        throw TGreskaDokumenta(QLatin1Char('\'') + tekst +
                               QStringLiteral("' is not a valid integer value"));
    return v;
}

int Polozaj(const QDomElement& roditelj, const char* ime) {
    const int v = Ceo(roditelj, ime);
    if (v < -MaksPolozaj || v > MaksPolozaj)
        throw TGreskaDokumenta(
            QStringLiteral("Polozaj %1 je van povrsine (dozvoljeno je od %2 do %3)!")
                .arg(v)
                .arg(-MaksPolozaj)
                .arg(MaksPolozaj));
    return v;
}

double Realan(const QDomElement& roditelj, const char* ime) {
    const QString tekst = TekstPolja(roditelj, Ime(ime));
    double v = 0;
    if (!skem::ProcitajRealan(tekst.toStdString(), v))
        throw TGreskaDokumenta(QLatin1Char('\'') + tekst +
                               QStringLiteral("' is not a valid floating point value"));
    return v;
}

// A function generator's own ordinates: eleven numbers separated by blanks.
// An absent or empty element means the default ordinates.
std::optional<std::array<double, 11>> Ordinate(const QDomElement& blok) {
    const QString tekst = TekstPolja(blok, Ime("Ordinate"));
    const QString sazet = tekst.simplified();
    if (sazet.isEmpty()) return std::nullopt;
    const QStringList delovi = sazet.split(QLatin1Char(' '));
    std::array<double, 11> r{};
    bool ispravno = delovi.size() == int(r.size());
    for (int i = 0; ispravno && i < int(r.size()); ++i)
        ispravno = skem::ProcitajRealan(delovi[i].toStdString(), r[i]);
    if (!ispravno)
        throw TGreskaDokumenta(QStringLiteral("Ordinate generatora funkcija moraju biti 11 realnih "
                                              "brojeva razdvojenih razmacima, a ne '") +
                               tekst + QStringLiteral("'!"));
    return r;
}

// Rebuilds blocks, connections, holders and junctions on the workspace.
class TCitacDokumenta {
public:
    explicit TCitacDokumenta(TSKEMRadnaPovrsina& p) : povrsina(p) {}

    void Citaj(const QDomElement& koren) {
        povrsina.OpisProblema = TekstPolja(koren, Ime("OpisProblema"));
        const QDomElement blokovi = koren.firstChildElement(Ime("Blokovi"));
        TSKEMBlok* poslednji = nullptr;
        try {
            for (QDomElement e = blokovi.firstChildElement(); !e.isNull();
                 e = e.nextSiblingElement()) {
                TSKEMBlok* b = povrsina.NapraviBlok();
                try {
                    UcitajBlok(*b, e);
                } catch (...) {
                    povrsina.ObrisiBlok(b); // never filled, never shown
                    throw;
                }
                b->setToolTip(b->Naziv);
                b->SetImageIndex(b->Sifra);
                b->setVisible(true);
                // Connections join the first block with a number.
                poslednji = b;
                if (!poBroju.contains(b->LokalniBroj())) poBroju.insert(b->LokalniBroj(), b);
            }
        } catch (...) {
            Izaberi(poslednji);
            throw;
        }
        // Selecting each block in turn would deselect all the others every
        // time; the last one read ends selected, as it would.
        Izaberi(poslednji);
        const QDomElement veze = koren.firstChildElement(Ime("Veze"));
        for (QDomElement e = veze.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            CitajVezu(e, nullptr, nullptr, 0);
    }

private:
    static void Izaberi(TSKEMBlok* b) {
        if (b) b->SetAktivno(true);
    }

    TSKEMBlok* Blok(const QDomElement& e, const char* ime) {
        const int broj = Ceo(e, ime);
        TSKEMBlok* b = poBroju.value(broj);
        if (!b)
            throw TGreskaDokumenta(
                QStringLiteral("Veza se odnosi na blok broj %1 koji ne postoji u dokumentu!")
                    .arg(broj));
        return b;
    }

    // The handler assigned to the workspace's OnChange now, for a moved holder.
    std::function<void(TVeza*)> PromenaDokumenta() const {
        auto obradjivac = povrsina.OnChange;
        if (!obradjivac) return nullptr;
        TSKEMRadnaPovrsina* p = &povrsina;
        return [obradjivac, p](TVeza*) { Javi(obradjivac, p); };
    }

    // An ordinary connection (drzac == nullptr) or a junction connection
    // starting at drzac of roditelj. Once created it is complete and goes to
    // the Veze list even when reading its holders fails, so the workspace
    // owns everything that was built.
    void CitajVezu(const QDomElement& e, TDrzac* drzac, TVeza* roditelj, int dubina) {
        TSKEMBlok* izvor = Blok(e, "PocBlok");
        TSKEMBlok* odrediste = Blok(e, "KrajBlok");
        const int k = Ceo(e, "GdeKrajBlok");
        if (k < 0 || k > 2)
            throw TGreskaDokumenta(QStringLiteral("List index out of bounds (%1)").arg(k));

        const QPoint pocetak = drzac ? drzac->TackaDrzaca() : izvor->TackaIzlaza();
        auto* c = new TVeza(&povrsina, pocetak, odrediste->TackaUlaza(nullptr));
        c->OnDrzacPomeren = PromenaDokumenta();
        if (!drzac) c->OnOdvojiPocetak = [izvor](TVeza* v) { izvor->UkloniIzlaz(v); };
        c->OnOdvojiKraj = [odrediste](TVeza* v) { odrediste->OdvojiUlaz(v); };
        c->PocBlok = izvor;
        c->KrajBlok = odrediste;
        if (drzac) {
            c->JeJunction = true;
            c->Roditelj = roditelj;
            drzac->Junctions.append(c);
            drzac->OnDeleteJunction = [](TDrzac* d) { d->update(); };
            drzac->update();
        }
        izvor->DodajIzlaz(c);
        odrediste->PoveziUlaz(c, k);
        // The end goes to slot k; nothing else at the end block moved.
        c->PostaviKraj(odrediste->TackaUlaza(c));
        if (!drzac) {
            TSKEMRadnaPovrsina* p = &povrsina;
            c->OnDesniKlik = [p](TVeza* v) { p->OtkaziVezu(v); };
        }
        // The workspace hears from the connection once its holders stand: each
        // holder added would otherwise make it walk every block and connection.
        try {
            CitajDrzace(c, e.firstChildElement(Ime("Drzaci")), dubina);
        } catch (...) {
            povrsina.PoveziNotifikacije(c);
            povrsina.Veze.append(c);
            throw;
        }
        povrsina.PoveziNotifikacije(c);
        povrsina.Veze.append(c);
    }

    void CitajDrzace(TVeza* c, const QDomElement& drzaci, int dubina) {
        for (QDomElement d = drzaci.firstChildElement(); !d.isNull(); d = d.nextSiblingElement()) {
            const int left = Polozaj(d, "Left");
            const int top = Polozaj(d, "Top");
            // Without the spacing rule: holders dragged close together are
            // rebuilt where they were stored.
            TDrzac* h = c->ObnoviDrzac(QPoint(left + 6, top + 6));
            const QDomElement junctions = d.firstChildElement(Ime("Junctions"));
            for (QDomElement j = junctions.firstChildElement(); !j.isNull();
                 j = j.nextSiblingElement()) {
                if (dubina + 1 > MaksDubinaJunctiona)
                    throw TGreskaDokumenta(
                        QStringLiteral("Junction veze su ugnjezdene dublje od %1 nivoa!")
                            .arg(MaksDubinaJunctiona));
                CitajVezu(j, h, c, dubina + 1);
            }
        }
    }

    TSKEMRadnaPovrsina& povrsina;
    QHash<int, TSKEMBlok*> poBroju; // local number in the file -> first block with it
};

QString OpisDokumenta(const QString& imeFajla) {
    return imeFajla.isEmpty() ? QStringLiteral("Dokument")
                              : QStringLiteral("Fajl '%1'").arg(imeFajla);
}

// Refuses a document too big to read before a byte of it is read.
void ProveriVelicinu(qint64 bajtova, const QString& imeFajla) {
    constexpr qint64 MB = qint64(1) << 20;
    if (bajtova > MaksMemorijaCitanja / MemorijaPoBajtuDokumenta)
        throw TGreskaDokumenta(
            OpisDokumenta(imeFajla) +
            QStringLiteral(" ima %1 MB i za njegovo citanje bilo bi potrebno vise od %2 MB "
                           "memorije!")
                .arg((bajtova + MB - 1) / MB)
                .arg(MaksMemorijaCitanja / MB));
}

// Builds the tree in one streaming pass. Every text is kept, also one made
// only of blanks (QDomDocument's own parser drops those), and nesting and
// size are checked before an element is added, so any file costs time and
// memory in proportion to its length. Adjacent texts and CDATA sections
// become one text node; comments and processing instructions are left out.
QDomDocument Rasclani(const QByteArray& xml, const QString& imeFajla) {
    ProveriVelicinu(xml.size(), imeFajla);
    QXmlStreamReader citac(xml);
    citac.setNamespaceProcessing(false);
    QDomDocument dok;
    QDomElement tekuci; // null outside the root
    QString tekst;
    auto DodajTekst = [&] {
        if (tekst.isEmpty()) return;
        if (!tekuci.isNull()) tekuci.appendChild(dok.createTextNode(tekst));
        tekst.clear();
    };
    // One copy of each element name, shared by all its elements.
    QHash<QStringView, QString> imena;
    int dubina = 0;
    qint64 elemenata = 0;
    // The children of Blokovi (depth 2) are read as blocks.
    qint64 blokova = 0;
    bool uBlokovima = false;
    while (!citac.atEnd()) {
        switch (citac.readNext()) {
        case QXmlStreamReader::StartElement: {
            DodajTekst();
            if (++dubina > MaksDubinaElemenata)
                throw TGreskaDokumenta(
                    QStringLiteral("Elementi dokumenta su ugnjezdeni dublje od %1 nivoa!")
                        .arg(MaksDubinaElemenata));
            if (++elemenata > MaksBrojElemenata)
                throw TGreskaDokumenta(
                    QStringLiteral("Dokument ima vise od %1 elemenata i ne moze da se procita!")
                        .arg(MaksBrojElemenata));
            if (dubina == 2) uBlokovima = citac.qualifiedName() == QLatin1String("Blokovi");
            if (dubina == 3 && uBlokovima && ++blokova > MaksBrojBlokova)
                throw TGreskaDokumenta(
                    QStringLiteral("Dokument ima vise od %1 blokova i ne moze da se procita!")
                        .arg(MaksBrojBlokova));
            auto ime = imena.constFind(citac.qualifiedName());
            if (ime == imena.cend()) {
                const QString novo = citac.qualifiedName().toString();
                ime = imena.insert(QStringView(novo), novo);
            }
            QDomElement e = dok.createElement(*ime);
            if (tekuci.isNull())
                dok.appendChild(e);
            else
                tekuci.appendChild(e);
            tekuci = e;
            break;
        }
        case QXmlStreamReader::EndElement:
            DodajTekst();
            --dubina;
            tekuci = tekuci.parentNode().toElement();
            break;
        case QXmlStreamReader::Characters:
            tekst += citac.text();
            break;
        default:
            break;
        }
    }
    if (citac.hasError())
        throw TGreskaDokumenta(OpisDokumenta(imeFajla) +
                               QStringLiteral(" nije ispravan XML dokument: %1 (red %2, kolona %3)")
                                   .arg(citac.errorString())
                                   .arg(citac.lineNumber())
                                   .arg(citac.columnNumber()));
    return dok;
}

// A regular file too big is refused by its size before a byte is read; a
// device or a pipe has no size to look at, so no more than the limit and one
// byte is ever read of any file (an endless one is refused like a huge one),
// and a stop request ends the reading between pieces.
QByteArray ProcitajFajl(QFileDevice& f, const QString& imeFajla,
                        const std::atomic<bool>* zaustavi) {
    constexpr qint64 granica = MaksMemorijaCitanja / MemorijaPoBajtuDokumenta;
    constexpr qint64 komad = qint64(1) << 20;
    ProveriVelicinu(f.size(), imeFajla);
    QByteArray sadrzaj;
    if (!f.isSequential()) sadrzaj.reserve(f.size());
    QByteArray deo(komad, Qt::Uninitialized);
    for (;;) {
        if (zaustavi && zaustavi->load(std::memory_order_relaxed))
            throw TGreskaDokumenta(
                QStringLiteral("Citanje fajla '%1' je prekinuto.").arg(imeFajla));
        const qint64 n = f.read(deo.data(), std::min(komad, granica + 1 - sadrzaj.size()));
        if (n < 0)
            throw TGreskaDokumenta(QStringLiteral("Fajl '%1' ne moze da se procita: %2")
                                       .arg(imeFajla, f.errorString()));
        if (n == 0) return sadrzaj;
        sadrzaj.append(deo.constData(), n);
        ProveriVelicinu(sadrzaj.size(), imeFajla);
    }
}

} // namespace

bool NedovrsenaVezaUDokumentu(const TSKEMRadnaPovrsina& povrsina) {
    const TVeza* c = povrsina.VezaUIzradi;
    // A junction hangs from its holder from the start; a connection joins
    // the list once it reaches its end block.
    return c && (c->JeJunction || povrsina.Veze.contains(c));
}

TSKEMBlok* NadjiBlok(const TSKEMRadnaPovrsina& povrsina, int broj) {
    for (TSKEMBlok* b : povrsina.Blokovi())
        if (b->LokalniBroj() == broj) return b;
    return nullptr;
}

void SnimiBlok(const TSKEMBlok& blok, QDomElement& roditelj) {
    QDomElement e = DodajElement(roditelj, Ime("Blok"));
    DodajCeo(e, Ime("Top"), blok.Top());
    DodajCeo(e, Ime("Left"), blok.Left());
    DodajCeo(e, Ime("Sifra"), blok.Sifra);
    DodajTekst(e, Ime("Naziv"), blok.Naziv);
    DodajCeo(e, Ime("LokalniBroj"), blok.LokalniBroj());
    DodajCeo(e, Ime("brparam"), blok.brparam);
    DodajCeo(e, Ime("maxuveza"), blok.MaxUlaznihVeza);
    for (int i = 0; i < 6; ++i)
        DodajTekst(e, QStringLiteral("str%1").arg(i + 1), blok.Natpisi[size_t(i)]);
    DodajTekst(e, Ime("Parametar1"), RealanZaSnimanje(blok.Parametar1, blok));
    DodajTekst(e, Ime("Parametar2"), RealanZaSnimanje(blok.Parametar2, blok));
    DodajTekst(e, Ime("Parametar3"), RealanZaSnimanje(blok.Parametar3, blok));
    DodajCeo(e, Ime("Smer"), blok.Smer);
    if (blok.Ordinate) {
        QStringList vrednosti;
        for (double o : *blok.Ordinate)
            vrednosti << RealanZaSnimanje(o, blok);
        DodajTekst(e, Ime("Ordinate"), vrednosti.join(QLatin1Char(' ')));
    }
}

void UcitajBlok(TSKEMBlok& blok, const QDomElement& e) {
    // Everything is read and checked first; only then is the block changed.
    const int top = Polozaj(e, "Top");
    const int left = Polozaj(e, "Left");
    const int sifra = Ceo(e, "Sifra");
    const QString naziv = TekstPolja(e, Ime("Naziv"));
    const int lokalniBroj = Ceo(e, "LokalniBroj");
    const int brparam = Ceo(e, "brparam");
    const int maxuveza = Ceo(e, "maxuveza");
    std::array<QString, 6> natpisi;
    for (int i = 0; i < 6; ++i)
        natpisi[size_t(i)] = TekstPolja(e, QStringLiteral("str%1").arg(i + 1));
    const double p1 = Realan(e, "Parametar1");
    const double p2 = Realan(e, "Parametar2");
    const double p3 = Realan(e, "Parametar3");
    const int smer = Ceo(e, "Smer");
    const auto ordinate = Ordinate(e);

    blok.PostaviPoziciju(left, top);
    blok.Sifra = quint8(unsigned(sifra)); // low 8 bits
    blok.Naziv = naziv;
    blok.SetLokalniBroj(lokalniBroj);
    blok.brparam = quint8(unsigned(brparam));
    blok.MaxUlaznihVeza = maxuveza;
    blok.Natpisi = natpisi;
    blok.Parametar1 = p1;
    blok.Parametar2 = p2;
    blok.Parametar3 = p3;
    blok.Ordinate = ordinate;
    blok.PostaviSmer(quint8(unsigned(smer)));
}

QByteArray DokumentUTekst(const TSKEMRadnaPovrsina& povrsina) {
    QDomDocument dok;
    dok.appendChild(dok.createProcessingInstruction(Ime("xml"), Ime("version=\"1.0\"")));
    QDomElement koren = dok.createElement(Ime("SKEMDokument"));
    dok.appendChild(koren);
    DodajTekst(koren, Ime("OpisProblema"), povrsina.OpisProblema);
    QDomElement blokovi = DodajElement(koren, Ime("Blokovi"));
    for (const TSKEMBlok* b : povrsina.Blokovi())
        SnimiBlok(*b, blokovi);
    QDomElement veze = DodajElement(koren, Ime("Veze"));
    for (const TVeza* c : povrsina.Veze)
        if (!c->JeJunction && c != povrsina.VezaUIzradi)
            SnimiVezu(*c, veze, 0, povrsina.VezaUIzradi);
    return dok.toByteArray(-1); // no whitespace between the elements
}

void SnimiDokument(const TSKEMRadnaPovrsina& povrsina, const QString& imeFajla) {
    const QByteArray xml = DokumentUTekst(povrsina);
    QSaveFile f(imeFajla);
    auto greska = [&] {
        return TGreskaDokumenta(
            QStringLiteral("Fajl '%1' ne moze da se snimi: %2").arg(imeFajla, f.errorString()));
    };
    if (!f.open(QIODevice::WriteOnly)) throw greska();
    if (f.write(xml) != xml.size()) {
        const TGreskaDokumenta g = greska();
        f.cancelWriting();
        throw g;
    }
    if (!f.commit()) throw greska();
}

namespace {

void Ucitaj(TSKEMRadnaPovrsina& povrsina, const QByteArray& xml, const QString& imeFajla) {
    povrsina.Ocisti();
    povrsina.PostaviVidljivost(false);
    try {
        const QDomDocument dok = Rasclani(xml, imeFajla);
        TCitacDokumenta(povrsina).Citaj(dok.documentElement());
    } catch (...) {
        // What was read stays, numbered so that a run can use it.
        povrsina.Prenumerisi();
        povrsina.PostaviVidljivost(true);
        throw;
    }
    povrsina.Prenumerisi();
    // The last block read ends selected.
    const QList<TSKEMBlok*> blokovi = povrsina.Blokovi();
    if (!blokovi.isEmpty() && povrsina.SelektovaniBlok != blokovi.last())
        blokovi.last()->SetAktivno(true);
    Javi(povrsina.OnStanjeChange, &povrsina);
    povrsina.PostaviVidljivost(true);
}

} // namespace

void UcitajDokumentIzTeksta(TSKEMRadnaPovrsina& povrsina, const QByteArray& xml) {
    Ucitaj(povrsina, xml, QString());
}

void UcitajDokument(TSKEMRadnaPovrsina& povrsina, const QString& imeFajla,
                    const std::atomic<bool>* zaustavi) {
    QFile f(imeFajla);
    if (!f.open(QIODevice::ReadOnly)) {
        povrsina.Ocisti();
        throw TGreskaDokumenta(
            QStringLiteral("Fajl '%1' ne moze da se otvori: %2").arg(imeFajla, f.errorString()));
    }
    UcitajDokument(povrsina, f, imeFajla, zaustavi);
}

void UcitajDokument(TSKEMRadnaPovrsina& povrsina, QFileDevice& fajl, const QString& imeFajla,
                    const std::atomic<bool>* zaustavi) {
    QByteArray sadrzaj;
    try {
        sadrzaj = ProcitajFajl(fajl, imeFajla, zaustavi);
    } catch (...) {
        // The surface is emptied first, whatever happens after.
        povrsina.Ocisti();
        throw;
    }
    Ucitaj(povrsina, sadrzaj, imeFajla);
}

QDomDocument RasclaniDokument(const QByteArray& xml) {
    return Rasclani(xml, QString());
}
