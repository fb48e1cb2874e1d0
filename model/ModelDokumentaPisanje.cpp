// Writing the model as the document's XML text: the declaration with the
// version only, a line break, then the elements one after another, an empty
// one as <X/>. Texts are escaped as the XML document object model of the
// surface escapes them ("<" and "&" always, ">" after "]]", a carriage
// return as a character reference so it reads back), so both write the same
// bytes.

#include "ModelDokumenta.h"

#include "Brojevi.h"

#include <QFileInfo>
#include <QSaveFile>
#include <charconv>
#include <cmath>

namespace skem {

namespace {

// XML 1.0 allows tab, line feed, carriage return and the printable range; a
// text with any other character would give a file that cannot be read back.
void ProveriZnakove(const QString& tekst, const char* polje) {
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
                    .arg(QLatin1StringView(polje))
                    .arg(int(c)));
    }
}

class TPisac {
public:
    explicit TPisac(QByteArray& izlaz) : izlaz(izlaz) {}

    void Otvori(const char* ime) {
        izlaz += '<';
        izlaz += ime;
        izlaz += '>';
    }
    void Zatvori(const char* ime) {
        izlaz += "</";
        izlaz += ime;
        izlaz += '>';
    }
    void Prazan(const char* ime) {
        izlaz += '<';
        izlaz += ime;
        izlaz += "/>";
    }
    // An element with its text, checked first.
    void Tekst(const char* ime, const QString& tekst) {
        ProveriZnakove(tekst, ime);
        if (tekst.isEmpty()) return Prazan(ime);
        Otvori(ime);
        Izbegnut(tekst);
        Zatvori(ime);
    }
    void Ceo(const char* ime, int v) {
        char broj[16];
        const auto kraj = std::to_chars(broj, broj + sizeof broj, v).ptr;
        Otvori(ime);
        izlaz.append(broj, kraj - broj);
        Zatvori(ime);
    }
    void Realan(const char* ime, const char* tekst, size_t duzina) {
        Otvori(ime);
        izlaz.append(tekst, qsizetype(duzina));
        Zatvori(ime);
    }

private:
    // UTF-8 with "<", "&", "]]>" and the carriage return escaped. The text
    // was checked: surrogates come in pairs.
    void Izbegnut(const QString& tekst) {
        const char16_t* s = reinterpret_cast<const char16_t*>(tekst.constData());
        const qsizetype n = tekst.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = s[i];
            if (c < 0x80) {
                switch (c) {
                case u'<':
                    izlaz += "&lt;";
                    break;
                case u'&':
                    izlaz += "&amp;";
                    break;
                case u'>':
                    if (i >= 2 && s[i - 1] == u']' && s[i - 2] == u']')
                        izlaz += "&gt;";
                    else
                        izlaz += '>';
                    break;
                case u'\r':
                    izlaz += "&#xd;";
                    break;
                default:
                    izlaz += char(c);
                }
            } else if (c < 0x800) {
                izlaz += char(0xC0 | (c >> 6));
                izlaz += char(0x80 | (c & 0x3F));
            } else if (QChar::isHighSurrogate(c)) {
                const char32_t k = QChar::surrogateToUcs4(c, s[++i]);
                izlaz += char(0xF0 | (k >> 18));
                izlaz += char(0x80 | ((k >> 12) & 0x3F));
                izlaz += char(0x80 | ((k >> 6) & 0x3F));
                izlaz += char(0x80 | (k & 0x3F));
            } else {
                izlaz += char(0xE0 | (c >> 12));
                izlaz += char(0x80 | ((c >> 6) & 0x3F));
                izlaz += char(0x80 | (c & 0x3F));
            }
        }
    }

    QByteArray& izlaz;
};

class TPisacModela {
public:
    // prefiks: the path of the subsystem whose content this is ("3/"), for messages.
    TPisacModela(const TModelDokumenta& model, TPisac& p, QString prefiks = {})
        : model(model), p(p), prefiks(std::move(prefiks)) {}

    void Pisi() {
        p.Otvori("SKEMDokument");
        PisiSadrzaj();
        // What only the whole document holds.
        if (model.MetodIntegracije && model.MetodIntegracije->Metod != TMetodIntegracije::RK4)
            PisiMetod(*model.MetodIntegracije);
        if (!model.Merenja.empty()) {
            p.Otvori("Merenja");
            for (const QString& f : model.Merenja)
                p.Tekst("Fajl", f);
            p.Zatvori("Merenja");
        }
        if (!model.Laboratorija.Prazna()) PisiLaboratoriju();
        p.Zatvori("SKEMDokument");
    }

private:
    // What the root holds, and a subsystem's element the same way.
    void PisiSadrzaj() {
        p.Tekst("OpisProblema", model.OpisProblema);
        if (model.Blokovi.empty()) {
            p.Prazan("Blokovi");
        } else {
            p.Otvori("Blokovi");
            for (const TBlokModela& b : model.Blokovi)
                PisiBlok(b);
            p.Zatvori("Blokovi");
        }
        bool imaVeza = false;
        for (size_t v = 0; v < model.Veze.size(); ++v) {
            if (model.Veze[v].JeJunction()) continue;
            if (!imaVeza) p.Otvori("Veze");
            imaVeza = true;
            PisiVezu(int(v), 0);
        }
        if (imaVeza)
            p.Zatvori("Veze");
        else
            p.Prazan("Veze");
    }

    // "INF" or "NAN" would not read back as a number.
    void Realan(const char* ime, double v, const TBlokModela& b) {
        if (!std::isfinite(v)) throw Nekonacan(b);
        char tekst[NajduziRealan];
        p.Realan(ime, tekst, PisiRealan(v, tekst));
    }

    TGreskaDokumenta Nekonacan(const TBlokModela& b) const {
        return TGreskaDokumenta(
            QStringLiteral("Blok %1%2. %3 ima vrednost koja nije konacan broj i ne moze da se "
                           "snimi!")
                .arg(prefiks)
                .arg(b.LokalniBroj)
                .arg(b.Naziv));
    }

    void PisiMetod(const TMetodDokumenta& m) {
        const double tolerancije[2] = {m.RelativnaTolerancija, m.ApsolutnaTolerancija};
        for (double t : tolerancije)
            if (!IspravnaTolerancija(t))
                throw TGreskaDokumenta(QStringLiteral(
                    "Tolerancija metoda integracije mora biti pozitivan realan broj!"));
        p.Otvori("MetodIntegracije");
        p.Tekst("Metod", QString::fromLatin1(NazivMetoda(m.Metod)));
        const char* imena[2] = {"RelativnaTolerancija", "ApsolutnaTolerancija"};
        for (int i = 0; i < 2; ++i) {
            char tekst[NajduziRealan];
            p.Realan(imena[i], tekst, PisiRealan(tolerancije[i], tekst));
        }
        p.Zatvori("MetodIntegracije");
    }

    void PisiBlok(const TBlokModela& b) {
        static constexpr const char* natpisi[6] = {"str1", "str2", "str3", "str4", "str5", "str6"};
        p.Otvori("Blok");
        p.Ceo("Top", b.Top);
        p.Ceo("Left", b.Left);
        p.Ceo("Sifra", b.Sifra);
        p.Tekst("Naziv", b.Naziv);
        p.Ceo("LokalniBroj", b.LokalniBroj);
        p.Ceo("brparam", b.brparam);
        p.Ceo("maxuveza", b.MaxUlaznihVeza);
        for (int i = 0; i < 6; ++i)
            p.Tekst(natpisi[i], b.Natpisi[size_t(i)]);
        Realan("Parametar1", b.Parametar1, b);
        Realan("Parametar2", b.Parametar2, b);
        Realan("Parametar3", b.Parametar3, b);
        p.Ceo("Smer", b.Smer);
        if (b.Ordinate) {
            QByteArray vrednosti;
            for (double o : *b.Ordinate) {
                if (!std::isfinite(o)) throw Nekonacan(b);
                char tekst[NajduziRealan];
                if (!vrednosti.isEmpty()) vrednosti += ' ';
                vrednosti.append(tekst, qsizetype(PisiRealan(o, tekst)));
            }
            p.Realan("Ordinate", vrednosti.constData(), size_t(vrednosti.size()));
        }
        if (b.Podsistem) PisiPodsistem(*b.Podsistem, b.LokalniBroj);
        p.Zatvori("Blok");
    }

    void PisiPodsistem(const TPodsistemModela& podsistem, int broj) {
        p.Otvori("Podsistem");
        TPisacModela(podsistem.Sadrzaj, p, prefiks + QString::number(broj) + QLatin1Char('/'))
            .PisiSadrzaj();
        if (!podsistem.Parametri.empty()) {
            p.Otvori("Parametri");
            for (const TParametarPodsistema& par : podsistem.Parametri) {
                p.Otvori("Parametar");
                p.Tekst("Blok", PutanjaUTekst(par.Blok));
                p.Ceo("Broj", par.Parametar);
                p.Tekst("Natpis", par.Natpis);
                p.Zatvori("Parametar");
            }
            p.Zatvori("Parametri");
        }
        p.Zatvori("Podsistem");
    }

    // <Laboratorija><Prati>1 3/2</Prati><Klizac>1.p1 0 10 2</Klizac>...</Laboratorija>:
    // the watched blocks, then each slider's parameter, min, max and value; a
    // block inside a subsystem by its path ("3/2"), as the command line names it.
    void PisiLaboratoriju() {
        const TLaboratorijaModela& l = model.Laboratorija;
        p.Otvori("Laboratorija");
        if (!l.Praceni.empty()) {
            QByteArray brojevi;
            for (const std::vector<int>& b : l.Praceni) {
                if (b.empty()) continue;
                if (!brojevi.isEmpty()) brojevi += ' ';
                brojevi += PutanjaUTekst(b).toLatin1();
            }
            p.Realan("Prati", brojevi.constData(), size_t(brojevi.size()));
        }
        for (const TKlizacModela& k : l.Klizaci) {
            QByteArray tekst =
                PutanjaUTekst(k.Blok).toLatin1() + ".p" + QByteArray::number(k.Parametar);
            for (double v : {k.Min, k.Max, k.Vrednost}) {
                if (!std::isfinite(v))
                    throw TGreskaDokumenta(
                        QStringLiteral("Klizac %1 ima vrednost koja nije konacan broj i ne moze "
                                       "da se snimi!")
                            .arg(QString::fromLatin1(tekst)));
                char broj[NajduziRealan];
                tekst += ' ';
                tekst.append(broj, qsizetype(PisiRealan(v, broj)));
            }
            p.Realan("Klizac", tekst.constData(), size_t(tekst.size()));
        }
        p.Zatvori("Laboratorija");
    }

    bool JeBlok(int b) const { return b >= 0 && size_t(b) < model.Blokovi.size(); }

    void PisiVezu(int v, int dubina) {
        const bool junction = dubina > 0;
        const char* ime = junction ? "Junction" : "Veza";
        if (dubina > MaksDubinaJunctiona)
            throw TGreskaDokumenta(QStringLiteral("Junction veze su ugnjezdene dublje od %1 nivoa!")
                                       .arg(MaksDubinaJunctiona));
        const TVezaModela& c = model.Veze[size_t(v)];
        const int k = JeBlok(c.PocBlok) && JeBlok(c.KrajBlok) ? model.IndeksUlaza(v) : -1;
        if (k == -1)
            throw TGreskaDokumenta(
                junction ? QStringLiteral("Neocekivana greska kod snimanja junction veze!!!")
                         : QStringLiteral("Neocekivana greska kod snimanja veze!!!"));
        const TBlokModela& pocetak = model.Blokovi[size_t(c.PocBlok)];
        p.Otvori(ime);
        p.Ceo("PocBlok", pocetak.LokalniBroj);
        p.Ceo("KrajBlok", model.Blokovi[size_t(c.KrajBlok)].LokalniBroj);
        p.Ceo("GdeKrajBlok", k);
        // Only a subsystem has more than one output.
        if (pocetak.JePodsistem()) p.Ceo("PocIzlaz", c.IzlazPocBloka + 1);
        if (c.Drzaci.empty()) {
            p.Prazan("Drzaci");
        } else {
            p.Otvori("Drzaci");
            for (size_t i = 0; i < c.Drzaci.size(); ++i) {
                const TDrzacModela& h = c.Drzaci[i];
                p.Otvori("Drzac");
                p.Ceo("Top", h.Top);
                p.Ceo("Left", h.Left);
                p.Ceo("Index", int(i));
                if (h.Junctions.empty()) {
                    p.Prazan("Junctions");
                } else {
                    p.Otvori("Junctions");
                    for (int j : h.Junctions)
                        PisiVezu(j, dubina + 1);
                    p.Zatvori("Junctions");
                }
                p.Zatvori("Drzac");
            }
            p.Zatvori("Drzaci");
        }
        p.Zatvori(ime);
    }

    const TModelDokumenta& model;
    TPisac& p;
    const QString prefiks;
};

} // namespace

QByteArray ModelUTekst(const TModelDokumenta& model) {
    QByteArray izlaz;
    // About what a block and a connection take, so the text grows once or twice.
    izlaz.reserve(qsizetype(256 + 420 * model.Blokovi.size() + 110 * model.Veze.size()));
    izlaz += "<?xml version=\"1.0\"?>\n";
    TPisac p(izlaz);
    TPisacModela(model, p).Pisi();
    return izlaz;
}

void SnimiModel(const TModelDokumenta& model, const QString& imeFajla) {
    const QByteArray xml = ModelUTekst(model);
    const QFileInfo info(imeFajla);
    // A device or a FIFO is written into; it cannot be replaced.
    if (info.exists() && !info.isFile() && !info.isDir()) {
        QFile f(imeFajla);
        auto greska = [&] {
            return TGreskaDokumenta(
                QStringLiteral("Fajl '%1' ne moze da se snimi: %2").arg(imeFajla, f.errorString()));
        };
        if (!f.open(QIODevice::WriteOnly)) throw greska();
        if (f.write(xml) != xml.size() || !f.flush()) throw greska();
        f.close();
        if (f.error() != QFileDevice::NoError) throw greska();
        return;
    }
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

} // namespace skem
