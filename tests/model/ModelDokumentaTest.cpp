// The document model and the workspace built from it: a document read into
// the model and a workspace built from that model (and written back into a
// model) must end in the same error, keep the same blocks and connections
// (also what was read before an error), save to the same bytes (or fail with
// the same message) and give the engine the same copy; what is saved reads
// back to the same bytes, and the examples, written by the program, are
// written again as they are.
#include "ModelDokumenta.h"

#include "Dokument.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"
#include "unDrzac.h"
#include "unVeza.h"

#include "Obrada.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

QString Izvor(const QString& deo) {
    return QString::fromLocal8Bit(qgetenv("SKEM_SOURCE_DIR")) + QLatin1Char('/') + deo;
}

QString Tacka(int x, int y) {
    return QStringLiteral("(%1,%2)").arg(x).arg(y);
}

QString Broj(double v) {
    return QString::number(v, 'g', 17);
}

// One block's fields in a comparable line; izvor(k) is the list position of
// the block feeding slot k, or -1.
QString OpisBloka(int broj, int left, int top, int sifra, const QString& naziv, int brparam,
                  int maxuveza, int smer, const std::array<double, 3>& p,
                  const std::array<QString, 6>& natpisi, const std::array<double, 11>* ordinate,
                  const std::function<int(int)>& izvor) {
    QString s = QStringLiteral("blok %1 %2 sifra=%3 '%4' brparam=%5 max=%6 smer=%7 p=%8,%9,%10")
                    .arg(broj)
                    .arg(Tacka(left, top))
                    .arg(sifra)
                    .arg(naziv)
                    .arg(brparam)
                    .arg(maxuveza)
                    .arg(smer)
                    .arg(Broj(p[0]), Broj(p[1]), Broj(p[2]));
    for (const QString& n : natpisi)
        s += QStringLiteral(" [") + n + ']';
    if (ordinate)
        for (double o : *ordinate)
            s += QStringLiteral(" o=") + Broj(o);
    for (int k = 0; k < 3; ++k)
        s += QStringLiteral(" u%1=%2").arg(k).arg(izvor(k));
    return s + '\n';
}

// ---- the surface ----

void OpisiVezu(const TSKEMRadnaPovrsina& rp, const TVeza* c, int nivo, QString& s) {
    s += QString(2 * nivo, QLatin1Char(' ')) + QStringLiteral("veza %1->%2[%3]\n")
                                                   .arg(rp.Blokovi().indexOf(c->PocBlok))
                                                   .arg(rp.Blokovi().indexOf(c->KrajBlok))
                                                   .arg(c->KrajBlok->IndeksUlaza(c));
    for (const TDrzac* h : c->Drzaci) {
        s += QString(2 * nivo, QLatin1Char(' ')) + QStringLiteral(" drzac ") +
             Tacka(h->Left(), h->Top()) + '\n';
        for (const TVeza* j : h->Junctions)
            OpisiVezu(rp, j, nivo + 1, s);
    }
}

QString Opis(const TSKEMRadnaPovrsina& rp) {
    QString s = QStringLiteral("opis: ") + rp.OpisProblema + '\n';
    for (const TSKEMBlok* b : rp.Blokovi())
        s += OpisBloka(b->LokalniBroj(), b->Left(), b->Top(), b->Sifra, b->Naziv, b->brparam,
                       b->MaxUlaznihVeza, b->Smer, {b->Parametar1, b->Parametar2, b->Parametar3},
                       b->Natpisi, b->Ordinate ? &*b->Ordinate : nullptr,
                       [&](int k) { return int(rp.Blokovi().indexOf(b->IzvorUlaza(k))); });
    for (const TVeza* c : rp.Veze)
        if (!c->JeJunction) OpisiVezu(rp, c, 0, s);
    return s + QStringLiteral("veza ukupno %1\n").arg(rp.Veze.size());
}

// The engine's copy as the batch mode makes it from the surface (through
// the flat view when subsystems stand on it).
skem::TKopijaModela Kopija(const TSKEMRadnaPovrsina& rp) {
    if (ImaPodsistema(rp)) return skem::KopijaIzModela(ModelPovrsine(rp).Model);
    std::vector<const skem::TBlokPogled*> blokovi;
    std::vector<skem::TOsobineKopije> osobine;
    for (const TSKEMBlok* b : rp.Blokovi()) {
        blokovi.push_back(b);
        osobine.push_back({b->brparam, b->Ordinate.has_value()});
    }
    return skem::TKopijaModela(blokovi, osobine);
}

// ---- the model ----

void OpisiVezu(const skem::TModelDokumenta& m, int v, int nivo, QString& s) {
    const skem::TVezaModela& c = m.Veze[size_t(v)];
    s += QString(2 * nivo, QLatin1Char(' ')) +
         QStringLiteral("veza %1->%2[%3]\n").arg(c.PocBlok).arg(c.KrajBlok).arg(m.IndeksUlaza(v));
    for (const skem::TDrzacModela& h : c.Drzaci) {
        s += QString(2 * nivo, QLatin1Char(' ')) + QStringLiteral(" drzac ") +
             Tacka(h.Left, h.Top) + '\n';
        for (int j : h.Junctions) {
            EXPECT_EQ(m.Veze[size_t(j)].Roditelj, v);
            OpisiVezu(m, j, nivo + 1, s);
        }
    }
}

QString Opis(const skem::TModelDokumenta& m) {
    QString s = QStringLiteral("opis: ") + m.OpisProblema + '\n';
    for (size_t i = 0; i < m.Blokovi.size(); ++i) {
        const skem::TBlokModela& b = m.Blokovi[i];
        s += OpisBloka(b.LokalniBroj, b.Left, b.Top, b.Sifra, b.Naziv, b.brparam, b.MaxUlaznihVeza,
                       b.Smer, {b.Parametar1, b.Parametar2, b.Parametar3}, b.Natpisi,
                       b.Ordinate.get(), [&](int k) { return m.IzvorUlaza(int(i), k); });
    }
    for (size_t v = 0; v < m.Veze.size(); ++v)
        if (!m.Veze[v].JeJunction()) OpisiVezu(m, int(v), 0, s);
    return s + QStringLiteral("veza ukupno %1\n").arg(m.Veze.size());
}

QString Opis(const skem::TKopijaModela& k) {
    QString s;
    for (const skem::TBlokPogled* p : k.Lista()) {
        const auto& b = static_cast<const skem::TKopijaBloka&>(*p);
        s += QStringLiteral("%1 sifra=%2 param=%3 p=%4,%5,%6 izvori=%7,%8,%9")
                 .arg(b.LokalniBroj)
                 .arg(b.Sifra)
                 .arg(b.BrojParametara)
                 .arg(Broj(b.Parametri[0]), Broj(b.Parametri[1]), Broj(b.Parametri[2]))
                 .arg(b.Izvori[0])
                 .arg(b.Izvori[1])
                 .arg(b.Izvori[2]);
        if (b.Ordinate)
            for (double o : *b.Ordinate)
                s += QStringLiteral(" o=") + Broj(o);
        s += '\n';
    }
    return s;
}

// Everything one way of reading gives: the reading's error, what was read,
// the saved text or the saving's error, and the engine's copy.
struct TIshod {
    QString GreskaCitanja, Opis, Tekst, GreskaPisanja, Kopija;
};

void OcekujIsto(const TIshod& povrsina, const TIshod& model) {
    // Also past a NUL the XML service quotes.
    EXPECT_EQ(model.GreskaCitanja, povrsina.GreskaCitanja);
    EXPECT_EQ(model.Opis.toStdString(), povrsina.Opis.toStdString());
    EXPECT_EQ(model.Tekst.toStdString(), povrsina.Tekst.toStdString());
    EXPECT_EQ(model.GreskaPisanja.toStdString(), povrsina.GreskaPisanja.toStdString());
    EXPECT_EQ(model.Kopija.toStdString(), povrsina.Kopija.toStdString());
}

TIshod PrekoPovrsine(const std::function<void(TSKEMRadnaPovrsina&)>& citaj,
                     const std::function<void(TSKEMRadnaPovrsina&)>& izmeni = {}) {
    TIshod r;
    TSKEMRadnaPovrsina rp;
    try {
        citaj(rp);
    } catch (const TGreskaDokumenta& g) {
        r.GreskaCitanja = g.Poruka();
    }
    if (izmeni) izmeni(rp);
    r.Opis = Opis(rp);
    try {
        r.Tekst = QString::fromUtf8(DokumentUTekst(rp));
    } catch (const TGreskaDokumenta& g) {
        r.GreskaPisanja = g.Poruka();
    }
    r.Kopija = Opis(Kopija(rp));
    return r;
}

TIshod PrekoModela(skem::TProcitanModel procitan,
                   const std::function<void(skem::TModelDokumenta&)>& izmeni = {}) {
    TIshod r;
    r.GreskaCitanja = procitan.Greska.value_or(QString());
    if (izmeni) izmeni(procitan.Model);
    r.Opis = Opis(procitan.Model);
    try {
        r.Tekst = QString::fromUtf8(skem::ModelUTekst(procitan.Model));
    } catch (const skem::TGreskaDokumenta& g) {
        r.GreskaPisanja = g.Poruka();
    }
    r.Kopija = Opis(skem::KopijaIzModela(procitan.Model));
    return r;
}

// The workspace holds no measurement files (the window's results page keeps
// them), so a model is compared with it without them.
void BezMerenja(skem::TModelDokumenta& m) {
    m.Merenja.clear();
}

// What is written reads back to the same model, written as the same bytes.
void OcekujPovratak(const TIshod& m) {
    if (m.Tekst.isEmpty()) return;
    const TIshod ponovo = PrekoModela(skem::ProcitajModel(m.Tekst.toUtf8()));
    EXPECT_EQ(ponovo.GreskaCitanja.toStdString(), "");
    EXPECT_EQ(ponovo.Tekst.toStdString(), m.Tekst.toStdString());
}

// Reads the text both ways and expects the same, and the saved text to come
// back; returns the model's reading error.
QString Poredi(const QByteArray& xml) {
    const TIshod p =
        PrekoPovrsine([&](TSKEMRadnaPovrsina& rp) { UcitajDokumentIzTeksta(rp, xml); });
    const TIshod m = PrekoModela(skem::ProcitajModel(xml));
    OcekujIsto(p, PrekoModela(skem::ProcitajModel(xml), BezMerenja));
    OcekujPovratak(m);
    return m.GreskaCitanja;
}

// ---- hand-made documents ----

QString BlokXml(int broj, const QString& dodatak = {}, int left = 40, int top = 40) {
    return QStringLiteral("<Blok><Top>%1</Top><Left>%2</Left><Sifra>10</Sifra><Naziv>I</Naziv>"
                          "<LokalniBroj>%3</LokalniBroj><brparam>1</brparam><maxuveza>3</maxuveza>"
                          "<str1>K</str1><str2>x</str2><Parametar1>0.5</Parametar1>"
                          "<Parametar2>0</Parametar2><Parametar3>-2E-7</Parametar3><Smer>3</Smer>"
                          "%4</Blok>")
        .arg(top)
        .arg(left)
        .arg(broj)
        .arg(dodatak);
}

QString TriBloka() {
    return BlokXml(1) + BlokXml(2, {}, 300) + BlokXml(3, {}, 300, 200);
}

QString VezaXml(const QString& od, const QString& ka, const QString& slot,
                const QString& drzaci = {}, const QString& ime = QStringLiteral("Veza")) {
    return QStringLiteral("<%5><PocBlok>%1</PocBlok><KrajBlok>%2</KrajBlok>"
                          "<GdeKrajBlok>%3</GdeKrajBlok><Drzaci>%4</Drzaci></%5>")
        .arg(od, ka, slot, drzaci, ime);
}

QString VezaXml(int od, int ka, int slot, const QString& drzaci = {},
                const QString& ime = QStringLiteral("Veza")) {
    return VezaXml(QString::number(od), QString::number(ka), QString::number(slot), drzaci, ime);
}

QString JunctionXml(int od, int ka, int slot, const QString& drzaci = {}) {
    return VezaXml(od, ka, slot, drzaci, QStringLiteral("Junction"));
}

QString DrzacXml(const QString& left, const QString& top, const QString& junctions = {}) {
    return QStringLiteral("<Drzac><Top>%1</Top><Left>%2</Left><Index>0</Index>"
                          "<Junctions>%3</Junctions></Drzac>")
        .arg(top, left, junctions);
}

QString DrzacXml(int left, int top, const QString& junctions = {}) {
    return DrzacXml(QString::number(left), QString::number(top), junctions);
}

QByteArray DokumentXml(const QString& blokovi, const QString& veze,
                       const QString& opis = QStringLiteral("<OpisProblema/>")) {
    return (QStringLiteral("<?xml version=\"1.0\"?><SKEMDokument>") + opis +
            QStringLiteral("<Blokovi>") + blokovi + QStringLiteral("</Blokovi><Veze>") + veze +
            QStringLiteral("</Veze></SKEMDokument>"))
        .toUtf8();
}

// A chain of n junctions, each on the one holder of the one before.
QByteArray DubokDokument(int n) {
    QString blokovi;
    for (int b = 1; b <= n + 2; ++b)
        blokovi += BlokXml(b, {}, 40 + (b % 20) * 70, 40 + (b / 20) * 60);
    QString unutra;
    for (int i = n; i >= 1; --i)
        unutra = JunctionXml(1, i + 2, 0, DrzacXml(100 + 2 * i, 300, unutra));
    return DokumentXml(blokovi, VezaXml(1, 2, 0, DrzacXml(100, 300, unutra)));
}

// The first 16 hexadecimal digits of the SHA-256 of what the earlier writer
// wrote for each example and corpus document read from its file.
const std::pair<const char*, QByteArray> PreZapisano[] = {
    {"algebarska_petlja.skem", "218fc33e40df8d54"},
    {"generator_funkcija.skem", "d2e509c31c2174eb"},
    {"grananje.skem", "50e5ed320e45126c"},
    {"lotka_volterra.skem", "be51dad7e6c78917"},
    {"oscilator.skem", "914d562c468a6002"},
    {"pad_tela.skem", "461aabbfd65e5318"},
    {"vanderpol.skem", "b81b1e6ca9cfda45"},
    {"drugi_koren.skem", "13969a0c07a83e1a"},
    {"drzac_tekst.skem", "5f2cf8de806d211f"},
    {"list_sa_decom.skem", "214335e0b3d21031"},
    {"najveci_brojevi.skem", "75eedcc6d5b80821"},
    {"nedostaje_parametar.skem", "214335e0b3d21031"},
    {"negativni_brojevi.skem", "080b7db21473f0fe"},
    {"nepostojeci_blok.skem", "f2654248f070c96d"},
    {"ogroman_broj.skem", "21b5911429b4755d"},
    {"ordinate_lose.skem", "214335e0b3d21031"},
    {"ordinate_tekst.skem", "214335e0b3d21031"},
    {"polozaj_ogroman.skem", "214335e0b3d21031"},
    {"prazan.skem", "3cee73a2adc4e2a0"},
    {"prazni_elementi.skem", "3cee73a2adc4e2a0"},
    {"realan_sa_zarezom.skem", "214335e0b3d21031"},
    {"samo_koren.skem", "3cee73a2adc4e2a0"},
    {"sifra_smer.skem", "e8feb78d81db23ca"},
    {"skraceni.skem", "3cee73a2adc4e2a0"},
    {"slot_negativan.skem", "318e84fc3ff3189b"},
    {"slot_van_opsega.skem", "14ba4d59fd4ea41b"},
    {"tekst_umesto_broja.skem", "21b5911429b4755d"},
};

struct TSlucaj {
    const char* naziv;
    QByteArray xml;
    QString poruka; // the reading's error; "*" at the end: its start only
};

class ModelDokumenta : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

TEST_F(ModelDokumenta, EveryExampleAndCorpusDocumentReadsAndSavesAsOnTheWorkspace) {
    QStringList fajlovi;
    for (const char* folder : {"examples", "tests/diagram/korpus", "fuzz/korpus/dokument"}) {
        const QDir d(Izvor(QString::fromLatin1(folder)));
        for (const QString& ime : d.entryList(QDir::Files))
            fajlovi << d.filePath(ime);
    }
    // Neither a file that is not there nor a folder reads.
    fajlovi << Izvor(QStringLiteral("tests/diagram/korpus/nema_ga.skem"))
            << Izvor(QStringLiteral("tests/diagram/korpus"));
    ASSERT_GE(fajlovi.size(), 25);
    int procitanih = 0, uporedjenih = 0;
    for (const QString& ime : fajlovi) {
        SCOPED_TRACE(ime.toStdString());
        const TIshod p = PrekoPovrsine([&](TSKEMRadnaPovrsina& rp) { UcitajDokument(rp, ime); });
        const TIshod m = PrekoModela(skem::ProcitajModelIzFajla(ime));
        OcekujIsto(p, PrekoModela(skem::ProcitajModelIzFajla(ime), BezMerenja));
        OcekujPovratak(m);
        procitanih += m.GreskaCitanja.isEmpty();
        // What a file gives, its text gives (save the name in the messages),
        // and so does the file already open; a stop asked ends the reading
        // as on the surface.
        QFile f(ime);
        if (!f.open(QIODevice::ReadOnly)) continue;
        OcekujIsto(p, PrekoModela(skem::ProcitajModelIzFajla(f, ime), BezMerenja));
        f.seek(0);
        const QByteArray bajtovi = f.readAll();
        Poredi(bajtovi);
        const std::atomic<bool> zaustavi{true};
        OcekujIsto(
            PrekoPovrsine([&](TSKEMRadnaPovrsina& rp) { UcitajDokument(rp, ime, &zaustavi); }),
            PrekoModela(skem::ProcitajModelIzFajla(ime, &zaustavi), BezMerenja));
        // Written as the earlier writer (an XML document object model) wrote them.
        const QString ime0 = QFileInfo(ime).fileName();
        const auto pisano = std::find_if(std::begin(PreZapisano), std::end(PreZapisano),
                                         [&](const auto& z) { return ime0 == z.first; });
        if (pisano != std::end(PreZapisano)) {
            const QByteArray tekst =
                m.GreskaPisanja.isEmpty() ? m.Tekst.toUtf8() : "greska " + m.GreskaPisanja.toUtf8();
            EXPECT_EQ(QCryptographicHash::hash(tekst, QCryptographicHash::Sha256).toHex().left(16),
                      pisano->second);
            ++uporedjenih;
        }
    }
    EXPECT_GE(procitanih, 10);
    EXPECT_EQ(uporedjenih, int(std::size(PreZapisano)));

    // Cut anywhere, a document ends in the same error (the same place in the text).
    QFile f(Izvor(QStringLiteral("examples/grananje.skem")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray celo = f.readAll();
    for (qsizetype n = 0; n < celo.size(); n += 3)
        Poredi(celo.left(n));
}

TEST_F(ModelDokumenta, HandMadeDocumentsEndAsOnTheSurface) {
    const QString elementi = QStringLiteral("Element does not contain a single text node");
    const QString nepostoji =
        QStringLiteral("Veza se odnosi na blok broj %1 koji ne postoji u dokumentu!");
    const QString junction = JunctionXml(1, 3, 1, DrzacXml(150, 100));
    const TSlucaj slucajevi[] = {
        // XML errors and limits: nothing is read, whatever came before.
        {"prazan", "", "Dokument nije ispravan XML dokument: *"},
        {"skracen", DokumentXml(TriBloka(), {}).chopped(9),
         "Dokument nije ispravan XML dokument: *"},
        {"los_xml_posle_lose_vrednosti",
         DokumentXml(BlokXml(1) + BlokXml(2).replace("<Sifra>10", "<Sifra>x"), {}) + "<a>",
         "Dokument nije ispravan XML dokument: *"},
        {"dubina_posle_lose_vrednosti",
         DokumentXml(BlokXml(1).replace("<Top>40", "<Top>x"), {})
             .replace("</SKEMDokument>",
                      QByteArray("<a>").repeated(skem::MaksDubinaElemenata) +
                          QByteArray("</a>").repeated(skem::MaksDubinaElemenata) +
                          "</SKEMDokument>"),
         QStringLiteral("Elementi dokumenta su ugnjezdeni dublje od %1 nivoa!")
             .arg(skem::MaksDubinaElemenata)},
        {"nula_u_imenu_instrukcije", QByteArray("<?xm\0l version=\"1.0\"?><a/>", 26),
         QStringLiteral("Dokument nije ispravan XML dokument: xm") + QChar(0) + "l is*"},
        {"nedeklarisan_entitet", DokumentXml(BlokXml(1, "<str3>&nema;</str3>"), {}),
         "Dokument nije ispravan XML dokument: *"},
        // Values: what was read before the error stays.
        {"tekst_umesto_broja",
         DokumentXml(BlokXml(1) + BlokXml(2).replace("<Top>40", "<Top>dva"), {}),
         "'dva' is not a valid integer value"},
        {"nema_polja", DokumentXml(BlokXml(1).remove("<Smer>3</Smer>"), {}),
         "'' is not a valid integer value"},
        {"preveliki_ceo", DokumentXml(BlokXml(1).replace("<Sifra>10", "<Sifra>99999999999"), {}),
         "'99999999999' is not a valid integer value"},
        {"realan_sa_zarezom",
         DokumentXml(BlokXml(1).replace("<Parametar2>0", "<Parametar2>1,5"), {}),
         "'1,5' is not a valid floating point value"},
        {"realan_beskonacan",
         DokumentXml(BlokXml(1).replace("<Parametar2>0", "<Parametar2>1e999"), {}),
         "'1e999' is not a valid floating point value"},
        {"polozaj_bloka", DokumentXml(BlokXml(1, {}, 1000000001), {}),
         "Polozaj 1000000001 je van povrsine (dozvoljeno je od -1000000000 do 1000000000)!"},
        {"ordinate_deset", DokumentXml(BlokXml(1, "<Ordinate>0 1 2 3 4 5 6 7 8 9</Ordinate>"), {}),
         "Ordinate generatora funkcija moraju biti 11 realnih brojeva razdvojenih razmacima, a "
         "ne '0 1 2 3 4 5 6 7 8 9'!"},
        {"ordinate_tekst",
         DokumentXml(BlokXml(1, "<Ordinate> 0 1 2 3 4 5 6 7 8 9 deset</Ordinate>"), {}),
         "Ordinate generatora funkcija moraju biti 11*"},
        {"element_u_opisu",
         DokumentXml(TriBloka(), VezaXml(1, 2, 0),
                     QStringLiteral("<OpisProblema>a<b/></OpisProblema>")),
         elementi},
        {"element_u_opisu_posle_blokova",
         DokumentXml(TriBloka(), {}, {})
             .replace("</SKEMDokument>", "<OpisProblema><b/></OpisProblema></SKEMDokument>"),
         elementi},
        {"element_u_polju_bloka",
         DokumentXml(BlokXml(1) + BlokXml(2).replace("<Naziv>I</Naziv>", "<Naziv>I<i/></Naziv>"),
                     {}),
         elementi},
        {"element_u_polju_veze",
         DokumentXml(TriBloka(), VezaXml(1, 2, 0) + VezaXml("<b>1</b>", "3", "0")), elementi},
        {"element_u_polju_drzaca",
         DokumentXml(TriBloka(), VezaXml(1, 2, 0, DrzacXml(150, 60) + DrzacXml("1<i/>", "2"))),
         elementi},
        {"nepostojeci_blok", DokumentXml(TriBloka(), VezaXml(1, 2, 0) + VezaXml(9, 3, 0)),
         nepostoji.arg(9)},
        {"nepostojeci_blok_junctiona",
         DokumentXml(TriBloka(),
                     VezaXml(1, 2, 0,
                             DrzacXml(150, 60, junction) +
                                 DrzacXml(200, 60, JunctionXml(1, 7, 2, DrzacXml(1, 1)))) +
                         VezaXml(2, 3, 0)),
         nepostoji.arg(7)},
        {"slot_van_opsega", DokumentXml(TriBloka(), VezaXml(1, 2, 0) + VezaXml(1, 3, 3)),
         "List index out of bounds (3)"},
        {"slot_negativan",
         DokumentXml(TriBloka(), VezaXml(1, 2, 0, DrzacXml(150, 60, JunctionXml(1, 3, -1)))),
         "List index out of bounds (-1)"},
        {"polozaj_drzaca",
         DokumentXml(TriBloka(),
                     VezaXml(1, 2, 0, DrzacXml(150, 60, junction) + DrzacXml(-1000000001, 0))),
         "Polozaj -1000000001 je van povrsine*"},
        {"drzac_drugog_imena",
         DokumentXml(TriBloka(), VezaXml(1, 2, 0,
                                         DrzacXml(150, 60, "<q><a/></q>" + junction) +
                                             "<Nesto><Left>1</Left></Nesto>")),
         "'' is not a valid integer value"},
        {"drzac_bez_top",
         DokumentXml(TriBloka(), VezaXml(1, 2, 0, "<Drzac><Left>5</Left></Drzac>")),
         "'' is not a valid integer value"},
        {"junctioni_preduboko", DubokDokument(skem::MaksDubinaJunctiona + 1),
         QStringLiteral("Junction veze su ugnjezdene dublje od %1 nivoa!")
             .arg(skem::MaksDubinaJunctiona)},
        {"los_blok_posle_veza",
         DokumentXml({}, {}).replace(
             "<Blokovi></Blokovi><Veze></Veze>",
             ("<Veze>" + VezaXml(1, 2, 0) + "</Veze><Blokovi>" + BlokXml(1) +
              BlokXml(2, "<Smer>x</Smer>").remove("<Smer>3</Smer>") + "</Blokovi>")
                 .toUtf8()),
         "'x' is not a valid integer value"},
        // These read.
        {"samo_koren", "<a/>", {}},
        {"bez_deklaracije", "<x><Blokovi>" + BlokXml(1).toUtf8() + "</Blokovi></x>", {}},
        {"veze_pre_blokova",
         DokumentXml({}, {}).replace("<Blokovi></Blokovi><Veze></Veze>",
                                     ("<Veze>" + VezaXml(2, 1, 1, DrzacXml(150, 60, junction)) +
                                      VezaXml(3, 2, 0) + "</Veze><Blokovi>" + TriBloka() +
                                      "</Blokovi>")
                                         .toUtf8()),
         {}},
        {"polja_veze_posle_drzaca",
         DokumentXml(TriBloka(),
                     "<Veza><Drzaci>" + DrzacXml(150, 60, junction) +
                         "</Drzaci><Drzaci><Drzac/></Drzaci><GdeKrajBlok>2</GdeKrajBlok>"
                         "<KrajBlok>2</KrajBlok><Index>x</Index><PocBlok>3</PocBlok>"
                         "<PocBlok>x</PocBlok></Veza>"),
         {}},
        {"polja_bloka_bilo_kojim_redom",
         DokumentXml(QStringLiteral("<Stavka><Smer>2</Smer><Naziv>Sinus</Naziv><Nepoznato><a/>"
                                    "</Nepoznato><Parametar3>3</Parametar3><Parametar2>2"
                                    "</Parametar2><Parametar1>1</Parametar1><Parametar1>x"
                                    "</Parametar1><maxuveza>1</maxuveza><brparam>3</brparam>"
                                    "<LokalniBroj>2</LokalniBroj><Sifra>300</Sifra><Left>-7</Left>"
                                    "<Top>20</Top><str4>Ulaz</str4><Smer>x</Smer></Stavka>"),
                     {}),
         {}},
        {"prvi_od_istih_kontejnera",
         DokumentXml(TriBloka(), VezaXml(1, 2, 0),
                     QStringLiteral("<OpisProblema>prvi</OpisProblema>"))
             .replace("</SKEMDokument>",
                      ("<OpisProblema><x/></OpisProblema><Blokovi>" + BlokXml(1, "<Top>x</Top>") +
                       "</Blokovi><Veze>" + VezaXml(8, 9, 7) + "</Veze></SKEMDokument>")
                          .toUtf8()),
         {}},
        {"isti_brojevi_prvi_blok",
         DokumentXml(BlokXml(5) + BlokXml(9, {}, 200) + BlokXml(5, {}, 400),
                     VezaXml(5, 9, 0) + VezaXml(9, 5, 2)),
         {}},
        {"dve_veze_u_istom_slotu",
         DokumentXml(TriBloka(), VezaXml(1, 3, 1) + VezaXml(2, 3, 1)),
         {}},
        {"junction_bez_slota",
         DokumentXml(TriBloka(),
                     VezaXml(1, 2, 0, DrzacXml(150, 60, JunctionXml(1, 3, 2))) + VezaXml(2, 3, 2)),
         {}},
        {"slot_preko_granice", DokumentXml(TriBloka(), VezaXml(1, 2, 2)), {}},
        {"bliski_drzaci",
         DokumentXml(TriBloka(), VezaXml(1, 2, 0, DrzacXml(150, 60) + DrzacXml(155, 65, junction))),
         {}},
        {"duboki_junctioni", DubokDokument(30), {}},
        {"tekstovi",
         DokumentXml(BlokXml(1, "<str3>  <![CDATA[<&>]]>\t</str3><str4> </str4>"
                                "<str5>a<!-- b -->c<?pi x?>d</str5><str6>&amp;&lt;&#xd;&#x1F600;"
                                "]]&gt;&quot;&apos;</str6>")
                         .replace("<Naziv>I</Naziv>", "<Naziv>\r\n  \r</Naziv>"),
                     {}, QStringLiteral("<OpisProblema>čćšđž € 😀 \t a\"b'c</OpisProblema>")),
         {}},
        {"ordinate",
         DokumentXml(BlokXml(1, "<Ordinate>  0 1 2.5 3\t4 5 6 7 8 9 1E300 </Ordinate>") +
                         BlokXml(2, "<Ordinate> </Ordinate>"),
                     {}),
         {}},

        {"dtd_i_entiteti",
         "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY e \"E\">]><d><OpisProblema>&e;x&e;"
         "</OpisProblema></d>",
         {}},
    };
    for (const TSlucaj& s : slucajevi) {
        SCOPED_TRACE(s.naziv);
        const QString poruka = Poredi(s.xml);
        if (s.poruka.endsWith('*'))
            EXPECT_TRUE(poruka.startsWith(s.poruka.chopped(1))) << poruka.toStdString();
        else
            EXPECT_EQ(poruka.toStdString(), s.poruka.toStdString());
        // Thrown, the whole message goes along.
        try {
            skem::UcitajModel(s.xml);
            EXPECT_TRUE(poruka.isEmpty());
        } catch (const skem::TGreskaDokumenta& g) {
            EXPECT_EQ(g.Poruka(), poruka);
        }
    }
}

TEST_F(ModelDokumenta, LimitsAreCheckedBeforeAnythingIsRead) {
    // Too big for the surface to compare in a test; the messages are the surface's.
    QFile f(dir.filePath(QStringLiteral("ogroman.skem")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) &&
                f.resize(skem::MaksMemorijaCitanja / skem::MemorijaPoBajtuDokumenta + 1));
    f.close();
    const QByteArray pocetak = "<SKEMDokument><Blokovi>" + BlokXml(1).toUtf8();
    const struct {
        QByteArray xml; // read from the file when empty
        QString poruka;
        QString fajl = {};
    } slucajevi[] = {
        {pocetak + QByteArray("<Blok/>").repeated(skem::MaksBrojBlokova) +
             "</Blokovi></SKEMDokument>",
         QStringLiteral("Dokument ima vise od %1 blokova i ne moze da se procita!")
             .arg(skem::MaksBrojBlokova)},
        {pocetak + "</Blokovi>" + QByteArray("<a/>").repeated(skem::MaksBrojElemenata) +
             "</SKEMDokument>",
         QStringLiteral("Dokument ima vise od %1 elemenata i ne moze da se procita!")
             .arg(skem::MaksBrojElemenata)},
        {{},
         QStringLiteral("Fajl '%1' ima %2 MB i za njegovo citanje bilo bi potrebno vise od "
                        "4096 MB memorije!")
             .arg(f.fileName())
             .arg(4096 / skem::MemorijaPoBajtuDokumenta + 1),
         f.fileName()},
        // A device that never ends is read no further than the limit.
        {{},
         QStringLiteral("Fajl '/dev/zero' ima %1 MB i za njegovo citanje bilo bi potrebno vise "
                        "od 4096 MB memorije!")
             .arg(4096 / skem::MemorijaPoBajtuDokumenta + 1),
         QStringLiteral("/dev/zero")},
    };
    for (const auto& s : slucajevi) {
        if (s.xml.isEmpty() && !QFile::exists(s.fajl)) continue;
        const skem::TProcitanModel r =
            s.xml.isEmpty() ? skem::ProcitajModelIzFajla(s.fajl) : skem::ProcitajModel(s.xml);
        EXPECT_EQ(r.Greska.value_or(QString()).toStdString(), s.poruka.toStdString());
        EXPECT_TRUE(r.Model.Blokovi.empty());
    }
}

TEST_F(ModelDokumenta, TextsAreEscapedAsTheSurfaceEscapesThem) {
    // Each text as the problem description, the name and a caption, written
    // both ways; the ones XML cannot hold fail with the same message.
    const QString tekstovi[] = {
        QString(),
        QStringLiteral(" "),
        QStringLiteral("\t\n\r\n\r"),
        QStringLiteral("a<b>c&d\"e'f"),
        QStringLiteral("]]>"),
        QStringLiteral("]]]>]>] ]>>"),
        QStringLiteral("&lt;&#xd;"),
        QStringLiteral("čćšđž ČĆŠĐŽ € ÿ"),
        QStringLiteral("😀x😀"),
        QString(QChar(0x7F)) + QChar(0x85) + QChar(0xA0) + QChar(0xFFFD) + QChar(0xFFFD),
        QString(QChar(0xD7FF)) + QChar(0xE000),
        QString(QChar(0xD800)) + QLatin1Char('x'),
        QLatin1Char('x') + QString(QChar(0xDC00)),
        QLatin1Char('x') + QString(QChar(0xD83D)),
        QString(QChar(0x1)),
        QString(QChar(0x0)),
        QString(QChar(0xFFFE)),
        QString(QChar(0xFFFF)),
    };
    const QByteArray osnova = DokumentXml(BlokXml(1), {});
    for (const QString& t : tekstovi) {
        SCOPED_TRACE(t.toStdString());
        for (int polje = 0; polje < 3; ++polje) {
            const auto naPovrsini = [&](TSKEMRadnaPovrsina& rp) {
                if (polje == 0) rp.OpisProblema = t;
                if (polje == 1) rp.Blokovi()[0]->Naziv = t;
                if (polje == 2) rp.Blokovi()[0]->Natpisi[4] = t;
            };
            const auto uModelu = [&](skem::TModelDokumenta& m) {
                if (polje == 0) m.OpisProblema = t;
                if (polje == 1) m.Blokovi[0].Naziv = t;
                if (polje == 2) m.Blokovi[0].Natpisi[4] = t;
            };
            const TIshod p = PrekoPovrsine(
                [&](TSKEMRadnaPovrsina& rp) { UcitajDokumentIzTeksta(rp, osnova); }, naPovrsini);
            OcekujIsto(p, PrekoModela(skem::ProcitajModel(osnova), uModelu));
            // What is saved reads back to the same text.
            if (p.GreskaPisanja.isEmpty()) Poredi(p.Tekst.toUtf8());
        }
    }
}

TEST_F(ModelDokumenta, ValuesThatCannotBeSavedFailAsOnTheSurface) {
    const QByteArray osnova =
        DokumentXml(BlokXml(1) + BlokXml(2, "<Ordinate>0 1 2 3 4 5 6 7 8 9 10</Ordinate>", 300),
                    VezaXml(1, 2, 0, DrzacXml(150, 60, JunctionXml(1, 2, 1))));
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* naziv;
        std::function<void(TSKEMRadnaPovrsina&)> povrsina;
        std::function<void(skem::TModelDokumenta&)> model;
    } izmene[] = {
        {"p1", [&](TSKEMRadnaPovrsina& rp) { rp.Blokovi()[0]->Parametar1 = inf; },
         [&](skem::TModelDokumenta& m) { m.Blokovi[0].Parametar1 = inf; }},
        {"p3", [&](TSKEMRadnaPovrsina& rp) { rp.Blokovi()[1]->Parametar3 = -nan; },
         [&](skem::TModelDokumenta& m) { m.Blokovi[1].Parametar3 = -nan; }},
        {"ordinata", [&](TSKEMRadnaPovrsina& rp) { (*rp.Blokovi()[1]->Ordinate)[10] = -inf; },
         [&](skem::TModelDokumenta& m) {
             auto o = *m.Blokovi[1].Ordinate;
             o[10] = -inf;
             m.Blokovi[1].Ordinate = std::make_shared<const std::array<double, 11>>(o);
         }},
        {"veza_bez_slota", [&](TSKEMRadnaPovrsina& rp) { rp.Blokovi()[1]->Ulazi[0] = nullptr; },
         [&](skem::TModelDokumenta& m) { m.Blokovi[1].Ulazi[0] = -1; }},
        {"junction_bez_slota", [&](TSKEMRadnaPovrsina& rp) { rp.Blokovi()[1]->Ulazi[1] = nullptr; },
         [&](skem::TModelDokumenta& m) { m.Blokovi[1].Ulazi[1] = -1; }},
        {"brojevi_posle_izmene",
         [&](TSKEMRadnaPovrsina& rp) {
             rp.Blokovi()[0]->SetLokalniBroj(-17);
             rp.Blokovi()[1]->Parametar2 = 1.0 / 3;
         },
         [&](skem::TModelDokumenta& m) {
             m.Blokovi[0].LokalniBroj = -17;
             m.Blokovi[1].Parametar2 = 1.0 / 3;
         }},
    };
    for (const auto& i : izmene) {
        SCOPED_TRACE(i.naziv);
        OcekujIsto(
            PrekoPovrsine([&](TSKEMRadnaPovrsina& rp) { UcitajDokumentIzTeksta(rp, osnova); },
                          i.povrsina),
            PrekoModela(skem::ProcitajModel(osnova), i.model));
    }
}

TEST_F(ModelDokumenta, SavingReplacesFilesWholeAndWritesIntoDevices) {
    // Big enough for the reader to take the file in many pieces.
    QString blokovi, veze;
    for (int b = 1; b <= 400; ++b) {
        blokovi += BlokXml(b, {}, 40 + 80 * (b % 20), 40 + 60 * (b / 20));
        if (b > 1) veze += VezaXml(b - 1, b, 0, DrzacXml(10 * b, 7, JunctionXml(b - 1, b, 1)));
    }
    const skem::TModelDokumenta m = skem::UcitajModel(DokumentXml(blokovi, veze));
    ASSERT_EQ(m.Veze.size(), 798u);
    const QByteArray tekst = skem::ModelUTekst(m);
    const QString ime = dir.filePath(QStringLiteral("d.skem"));
    skem::SnimiModel(m, ime);
    QFile f(ime);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), tekst);
    f.close();
    EXPECT_EQ(Opis(skem::UcitajModelIzFajla(ime)), Opis(m));

    // Failures name the file and leave the old one as it was.
    skem::TModelDokumenta los = m;
    los.Blokovi[1].Naziv = QString(QChar(7));
    const QString nema = dir.filePath(QStringLiteral("nema/d.skem"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("fascikla.skem")));
    const struct {
        const skem::TModelDokumenta* model;
        QString ime, poruka; // the message's start
    } neuspesi[] = {
        {&los, ime, QStringLiteral("Tekst polja Naziv sadrzi znak (kod 7)")},
        {&m, nema, QStringLiteral("Fajl '%1' ne moze da se snimi: ").arg(nema)},
        {&m, dir.filePath(QStringLiteral("fascikla.skem")), QStringLiteral("Fajl '")},
        {&m, QStringLiteral("/dev/full"), QStringLiteral("Fajl '/dev/full' ne moze da se snimi: ")},
    };
    for (const auto& n : neuspesi) {
        if (!QFile::exists(n.ime) && n.ime.startsWith(QLatin1String("/dev/"))) continue;
        try {
            skem::SnimiModel(*n.model, n.ime);
            ADD_FAILURE() << "saved " << n.ime.toStdString();
        } catch (const skem::TGreskaDokumenta& g) {
            EXPECT_TRUE(g.Poruka().startsWith(n.poruka)) << g.what();
        }
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), tekst);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"d.skem"});
    // A device is written into, not replaced.
    EXPECT_NO_THROW(skem::SnimiModel(m, QStringLiteral("/dev/null")));
}

// ---- subsystems ----

// A block as the writer writes it; `unutra` follows its fields (Ordinate, Podsistem).
QString PunBlok(int broj, int sifra, double p1 = 0, const QString& unutra = {},
                const QString& str2 = QStringLiteral("x")) {
    return QStringLiteral("<Blok><Top>40</Top><Left>%1</Left><Sifra>%2</Sifra><Naziv>B</Naziv>"
                          "<LokalniBroj>%3</LokalniBroj><brparam>1</brparam><maxuveza>1</maxuveza>"
                          "<str1>p</str1><str2>%4</str2><str3/><str4/><str5/><str6/>"
                          "<Parametar1>%5</Parametar1><Parametar2>0</Parametar2>"
                          "<Parametar3>0</Parametar3><Smer>3</Smer>%6</Blok>")
        .arg(40 + 70 * broj)
        .arg(sifra)
        .arg(broj)
        .arg(str2, Broj(p1), unutra);
}

QString PunaVeza(int od, int ka, int slot, const QString& izlaz = {}) {
    return QStringLiteral("<Veza><PocBlok>%1</PocBlok><KrajBlok>%2</KrajBlok>"
                          "<GdeKrajBlok>%3</GdeKrajBlok>%4<Drzaci/></Veza>")
        .arg(od)
        .arg(ka)
        .arg(slot)
        .arg(izlaz);
}

QString Sadrzaj(const QString& blokovi, const QString& veze, const QString& dodatak = {}) {
    return QStringLiteral("<OpisProblema/>") +
           (blokovi.isEmpty() ? QStringLiteral("<Blokovi/>")
                              : "<Blokovi>" + blokovi + "</Blokovi>") +
           (veze.isEmpty() ? QStringLiteral("<Veze/>") : "<Veze>" + veze + "</Veze>") + dodatak;
}

QString Podsistem(const QString& sadrzaj) {
    return "<Podsistem>" + sadrzaj + "</Podsistem>";
}

// A subsystem with n input ports and one output port fed by port 1 through an integrator.
QString SaUlazima(int n) {
    QString blokovi;
    for (int k = 1; k <= n; ++k)
        blokovi += PunBlok(k, 30, k, {}, "u" + QString::number(k));
    blokovi += PunBlok(n + 1, 10, 0.5) + PunBlok(n + 2, 31, 1, {}, QStringLiteral("y"));
    return Podsistem(Sadrzaj(blokovi, PunaVeza(1, n + 1, 0) + PunaVeza(n + 1, n + 2, 0)));
}

// Subsystems nested n deep, the innermost holding an integrator.
QString Ugnjezdeni(int n) {
    QString unutra = PunBlok(1, 10, 1);
    for (int i = 0; i < n; ++i)
        unutra = PunBlok(1, 29, 0, Podsistem(Sadrzaj(unutra, {})));
    return unutra;
}

QByteArray PunDokument(const QString& sadrzaj) {
    return ("<?xml version=\"1.0\"?>\n<SKEMDokument>" + sadrzaj + "</SKEMDokument>").toUtf8();
}

TEST_F(ModelDokumenta, SubsystemsReadAndWriteBackByteForByte) {
    const QString parametri = QStringLiteral(
        "<Parametri><Parametar><Blok>2</Blok><Broj>1</Broj><Natpis>Masa</Natpis></Parametar>"
        "<Parametar><Blok>3</Blok><Broj>1</Broj><Natpis/></Parametar></Parametri>");
    const QString sa2 =
        SaUlazima(2).replace("</Veze></Podsistem>", "</Veze>" + parametri + "</Podsistem>");
    const QString nepostoji =
        QStringLiteral("Veza se odnosi na blok broj %1 koji ne postoji u dokumentu!");
    const struct {
        const char* naziv;
        QString sadrzaj;
        QString poruka; // empty: reads, and writes back as it is
        size_t blokova; // read before the error
    } slucajevi[] = {
        {"prazan_podsistem", Sadrzaj(PunBlok(1, 29, 0, Podsistem(Sadrzaj({}, {}))), {}), {}, 1},
        {"parametri_i_izlaz",
         Sadrzaj(PunBlok(1, 12, 1) + PunBlok(2, 29, 0, sa2),
                 PunaVeza(1, 2, 1) + PunaVeza(2, 2, 0, "<PocIzlaz>1</PocIzlaz>")),
         {},
         2},
        {"cetiri_ulaza",
         Sadrzaj(PunBlok(1, 12, 1) + PunBlok(2, 29, 0, SaUlazima(4)), PunaVeza(1, 2, 3)),
         {},
         2},
        {"sto_nivoa", Sadrzaj(Ugnjezdeni(100), {}), {}, 1},
        {"slot_iza_ulaza",
         Sadrzaj(PunBlok(1, 12, 1) + PunBlok(2, 29, 0, SaUlazima(2)), PunaVeza(1, 2, 3)),
         "List index out of bounds (3)", 2},
        {"izlaz_koji_ne_postoji",
         Sadrzaj(PunBlok(1, 29, 0, SaUlazima(1)) + PunBlok(2, 10),
                 PunaVeza(1, 2, 0, "<PocIzlaz>2</PocIzlaz>")),
         "Veza polazi sa izlaza 2 podsistema 1, a on ima 1 izlaza!", 2},
        {"losa_veza_unutra",
         Sadrzaj(PunBlok(1, 10) +
                     PunBlok(2, 29, 0, Podsistem(Sadrzaj(PunBlok(1, 10), PunaVeza(9, 1, 0)))) +
                     PunBlok(3, 10),
                 {}),
         nepostoji.arg(9), 1},
        {"losa_vrednost_duboko",
         Sadrzaj(PunBlok(1, 10) +
                     Ugnjezdeni(5).replace("<Sifra>10</Sifra>", "<Sifra>deset</Sifra>"),
                 {}),
         "'deset' is not a valid integer value", 1},
        {"parametar_bez_bloka",
         Sadrzaj(PunBlok(1, 29, 0,
                         SaUlazima(1).replace("</Veze></Podsistem>",
                                              "</Veze><Parametri><Parametar><Blok>1/7</Blok><Broj>1"
                                              "</Broj><Natpis>K</Natpis></Parametar></Parametri>"
                                              "</Podsistem>")),
                 {}),
         "Parametar podsistema 'K' se odnosi na blok '1/7' koji ne postoji u podsistemu!", 0},
        {"preduboko", Sadrzaj(Ugnjezdeni(skem::MaksDubinaPodsistema + 1), {}),
         QStringLiteral("Podsistemi su ugnjezdeni dublje od %1 nivoa!")
             .arg(skem::MaksDubinaPodsistema),
         0},
    };
    for (const auto& s : slucajevi) {
        SCOPED_TRACE(s.naziv);
        const QByteArray xml = PunDokument(s.sadrzaj);
        // Through the workspace as through the model: the same error, blocks and text.
        EXPECT_EQ(Poredi(xml).toStdString(), s.poruka.toStdString());
        const skem::TProcitanModel procitan = skem::ProcitajModel(xml);
        EXPECT_EQ(procitan.Model.Blokovi.size(), s.blokova);
        if (s.poruka.isEmpty())
            EXPECT_EQ(skem::ModelUTekst(procitan.Model).toStdString(), xml.toStdString());
    }
}

// ---- the flat view ----

// Builds a model in code; blocks are named by their local numbers.
struct TGraditeljModela {
    skem::TModelDokumenta m;

    int Blok(int sifra, double p1 = 0, double p2 = 0, double p3 = 0) {
        skem::TBlokModela& b = m.Blokovi.emplace_back();
        b.Sifra = quint8(sifra);
        b.Naziv = QStringLiteral("B%1").arg(sifra);
        b.brparam = 3;
        b.Parametar1 = p1;
        b.Parametar2 = p2;
        b.Parametar3 = p3;
        b.LokalniBroj = int(m.Blokovi.size());
        return b.LokalniBroj;
    }
    int Podsistem(const skem::TModelDokumenta& sadrzaj) {
        const int b = Blok(29);
        m.Blokovi.back().Podsistem =
            std::make_shared<const skem::TPodsistemModela>(skem::TPodsistemModela{sadrzaj, {}});
        return b;
    }
    // From output `izlaz` of block od to slot k of block ka.
    void Veza(int od, int ka, int k, int izlaz = 1) {
        skem::TVezaModela& c = m.Veze.emplace_back();
        c.PocBlok = od - 1;
        c.KrajBlok = ka - 1;
        c.GdeKrajBlok = k;
        c.IzlazPocBloka = izlaz - 1;
        m.Blokovi[size_t(ka) - 1].PostaviUlaz(k, int(m.Veze.size()) - 1);
    }
};

enum {
    Vreme = 25,
    Sinus = 21,
    Int = 10,
    Sum = 26,
    Konst = 12,
    Petlja = 24,
    Wye = 28,
    Quit = 19,
    Ulaz = 30,
    Izlaz = 31
};

// The second order section x'' = -4 x - 0.4 x', x(0) = 1, as the content of
// a subsystem: its input is the acceleration, its outputs x and v.
skem::TModelDokumenta Sekcija() {
    TGraditeljModela s;
    s.Blok(Ulaz, 1);
    s.Blok(Int, 0);
    s.Blok(Int, 1);
    s.Blok(Izlaz, 1);
    s.Blok(Izlaz, 2);
    s.Veza(1, 2, 0);
    s.Veza(2, 3, 0);
    s.Veza(3, 4, 0);
    s.Veza(2, 5, 0);
    return s.m;
}

struct TParModela {
    skem::TModelDokumenta Hijerarhija, Ravan;
};

TParModela Oscilator() {
    TGraditeljModela h, r;
    h.Blok(Sum, -4, -0.4);
    h.Podsistem(Sekcija());
    h.Veza(2, 1, 0, 1);
    h.Veza(2, 1, 1, 2);
    h.Veza(1, 2, 0);
    r.Blok(Sum, -4, -0.4);
    r.Blok(Int, 0);
    r.Blok(Int, 1);
    r.Veza(3, 1, 0);
    r.Veza(2, 1, 1);
    r.Veza(1, 2, 0);
    r.Veza(2, 3, 0);
    return {h.m, r.m};
}

// y = 0.5 y + sin t + 2 solved by a loop whose summer sits inside a subsystem.
TParModela PetljaPrekoGranice() {
    TGraditeljModela s, h, r;
    s.Blok(Ulaz, 1);
    s.Blok(Ulaz, 2);
    s.Blok(Sum, 0.5, 1, 1);
    s.Blok(Konst, 2);
    s.Blok(Izlaz, 1);
    s.Veza(1, 3, 0);
    s.Veza(2, 3, 1);
    s.Veza(4, 3, 2);
    s.Veza(3, 5, 0);
    h.Blok(Vreme);
    h.Blok(Sinus, 1, 1);
    h.Blok(Petlja, 1);
    h.Podsistem(s.m);
    h.Blok(Wye, 1e-9, 0.5);
    h.Blok(Int);
    h.Veza(1, 2, 0);
    h.Veza(3, 4, 0);
    h.Veza(2, 4, 1);
    h.Veza(3, 5, 0);
    h.Veza(4, 5, 1);
    h.Veza(5, 6, 0);
    r.Blok(Vreme);
    r.Blok(Sinus, 1, 1);
    r.Blok(Petlja, 1);
    r.Blok(Sum, 0.5, 1, 1);
    r.Blok(Konst, 2);
    r.Blok(Wye, 1e-9, 0.5);
    r.Blok(Int);
    r.Veza(1, 2, 0);
    r.Veza(3, 4, 0);
    r.Veza(2, 4, 1);
    r.Veza(5, 4, 2);
    r.Veza(3, 6, 0);
    r.Veza(4, 6, 1);
    r.Veza(6, 7, 0);
    return {h.m, r.m};
}

// A Quit in a subsystem without outputs ends the run at t > 0.75.
TParModela QuitBezIzlaza() {
    TGraditeljModela s, h, r;
    s.Blok(Ulaz, 1);
    s.Blok(Konst, 0.75);
    s.Blok(Quit);
    s.Veza(1, 3, 0);
    s.Veza(2, 3, 1);
    h.Blok(Vreme);
    h.Blok(Int);
    h.Podsistem(s.m);
    h.Veza(1, 2, 0);
    h.Veza(1, 3, 0);
    r.Blok(Vreme);
    r.Blok(Int);
    r.Blok(Konst, 0.75);
    r.Blok(Quit);
    r.Veza(1, 2, 0);
    r.Veza(1, 4, 0);
    r.Veza(3, 4, 1);
    return {h.m, r.m};
}

// Four inputs, and a subsystem inside a subsystem fed through both borders.
TParModela Ugnjezdeni() {
    TGraditeljModela u, s, h, r;
    u.Blok(Ulaz, 1);
    u.Blok(Sum, 1, -1);
    u.Blok(Ulaz, 2);
    u.Blok(Izlaz, 1);
    u.Veza(1, 2, 0);
    u.Veza(3, 2, 1);
    u.Veza(2, 4, 0);
    for (int k = 1; k <= 4; ++k)
        s.Blok(Ulaz, 5 - k); // numbered backwards: the number counts, not the place
    s.Blok(Sum, 1, 10, 100);
    s.Podsistem(u.m);
    s.Blok(Izlaz, 1);
    s.Veza(4, 5, 0);
    s.Veza(3, 5, 1);
    s.Veza(2, 5, 2);
    s.Veza(5, 6, 0);
    s.Veza(1, 6, 1);
    s.Veza(6, 7, 0);
    for (int k = 1; k <= 4; ++k)
        h.Blok(Konst, k);
    h.Podsistem(s.m);
    h.Blok(Int);
    for (int k = 1; k <= 4; ++k)
        h.Veza(k, 5, k - 1);
    h.Veza(5, 6, 0);
    for (int k = 1; k <= 4; ++k)
        r.Blok(Konst, k);
    r.Blok(Sum, 1, 10, 100);
    r.Blok(Sum, 1, -1);
    r.Blok(Int);
    r.Veza(1, 5, 0);
    r.Veza(2, 5, 1);
    r.Veza(3, 5, 2);
    r.Veza(5, 6, 0);
    r.Veza(4, 6, 1);
    r.Veza(6, 7, 0);
    return {h.m, r.m};
}

TParModela SaPrazninom() {
    TParModela p = Oscilator();
    skem::TPodsistemModela s = *p.Hijerarhija.Blokovi[1].Podsistem;
    s.Sadrzaj.Blokovi[4].Parametar1 = 3;
    p.Hijerarhija.Blokovi[1].Podsistem = std::make_shared<const skem::TPodsistemModela>(s);
    return p;
}

class TFiksneOpcije : public skem::TIzvorOpcija {
public:
    bool PitajOpcije(skem::TOpcijeSimulacije& o) override {
        o = {2, 0.01, 0.1};
        return true;
    }
};

struct TIshodRada {
    bool Uspeh = false;
    skem::TStanjeRada Kraj{};
    double Vreme = 0;
    std::vector<double> Vrednosti;
};

TIshodRada Izvedi(const skem::TKopijaModela& kopija) {
    TFiksneOpcije opcije;
    skem::TSimulacija simulacija(&opcije);
    skem::MatrixReal rezultati;
    simulacija.Simuliraj(kopija.Lista(), rezultati);
    TIshodRada r{
        simulacija.Uspeh(), simulacija.Prekid().Vrsta, simulacija.VremeZaustavljanja(), {}};
    for (size_t k = 0; k < rezultati.Redova(); ++k)
        r.Vrednosti.insert(r.Vrednosti.end(), rezultati.Red(k),
                           rezultati.Red(k) + rezultati.Kolona());
    return r;
}

TEST(RavanModel, AHierarchyRunsBitForBitAsItsFlatCopy) {
    const struct {
        const char* naziv;
        TParModela modeli;
        int unutra;         // a listed block from inside a subsystem (from 0) ...
        const char* oznaka; // ... and its caption in the results
        bool quit;          // the run ends early, by a Quit inside
        QString greska;
    } slucajevi[] = {
        {"oscilator", Oscilator(), 2, "2/3. B10", false, {}},
        {"petlja_preko_granice", PetljaPrekoGranice(), 3, "4/3. B26", false, {}},
        {"quit_bez_izlaza", QuitBezIzlaza(), 3, "3/3. B19", true, {}},
        {"ugnjezdeni", Ugnjezdeni(), 5, "5/6/2. B26", false, {}},
        {"praznina", SaPrazninom(), 0, "", false,
         "Izlazi podsistema 2 nisu numerisani 1, 2, ... bez praznina: nedostaje izlaz 2!"},
    };
    for (const auto& s : slucajevi) {
        SCOPED_TRACE(s.naziv);
        try {
            const skem::TRavanModel ravan = skem::RavanModel(s.modeli.Hijerarhija);
            EXPECT_TRUE(s.greska.isEmpty());
            const skem::TKopijaModela flat = skem::KopijaIzModela(s.modeli.Ravan);
            EXPECT_EQ(Opis(ravan.Kopija).toStdString(), Opis(flat).toStdString());
            EXPECT_EQ(skem::OznakaBloka(ravan.Blokovi[size_t(s.unutra)]), s.oznaka);
            const TIshodRada h = Izvedi(ravan.Kopija), r = Izvedi(flat);
            EXPECT_TRUE(h.Uspeh);
            EXPECT_EQ(h.Kraj == skem::TStanjeRada::Quit, s.quit);
            EXPECT_EQ(h.Vreme < 2, s.quit);
            EXPECT_EQ(h.Kraj, r.Kraj);
            EXPECT_EQ(h.Vreme, r.Vreme);
            ASSERT_EQ(h.Vrednosti.size(), r.Vrednosti.size());
            EXPECT_EQ(std::memcmp(h.Vrednosti.data(), r.Vrednosti.data(),
                                  h.Vrednosti.size() * sizeof(double)),
                      0);
        } catch (const skem::TGreskaDokumenta& g) {
            EXPECT_EQ(g.Poruka().toStdString(), s.greska.toStdString());
        }
    }
}

} // namespace

TEST_F(ModelDokumenta, IntegrationMethodIsAnOptionalElement) {
    using skem::TMetodIntegracije;
    const auto metod = [](const QString& metod, const QString& r, const QString& a) {
        QString s = QStringLiteral("<MetodIntegracije><Metod>%1</Metod>").arg(metod);
        if (!r.isNull())
            s += QStringLiteral("<RelativnaTolerancija>%1</RelativnaTolerancija>").arg(r);
        if (!a.isNull())
            s += QStringLiteral("<ApsolutnaTolerancija>%1</ApsolutnaTolerancija>").arg(a);
        return s + QStringLiteral("</MetodIntegracije>");
    };
    struct Slucaj {
        QString element;
        QString greska;
        std::optional<skem::TMetodDokumenta> procitan;
        bool zapisan; // the element is written back
    };
    const Slucaj slucajevi[] = {
        {{}, {}, std::nullopt, false},
        {metod("bdf", "1E-8", "1E-10"),
         {},
         skem::TMetodDokumenta{TMetodIntegracije::BDF, 1e-8, 1e-10},
         true},
        {metod("dp45", {}, "1E-12"),
         {},
         skem::TMetodDokumenta{TMetodIntegracije::DP45, 1e-6, 1e-12},
         true},
        {metod("rk4", "0.5", "0.5"),
         {},
         skem::TMetodDokumenta{TMetodIntegracije::RK4, 0.5, 0.5},
         false},
        {metod("euler", {}, {}),
         "Nepoznat metod integracije 'euler' (ocekuje se rk4, dp45 ili bdf)!",
         {},
         false},
        {metod("bdf", "0", {}),
         "Tolerancija metoda integracije mora biti pozitivan realan broj!",
         {},
         false},
        {metod("bdf", "1,5", {}), "'1,5' is not a valid floating point value", {}, false},
        {metod("bdf<x/>", {}, {}), "Element does not contain a single text node", {}, false},
    };
    for (const Slucaj& c : slucajevi) {
        SCOPED_TRACE(c.element.toStdString());
        const QByteArray xml =
            DokumentXml(TriBloka(), {}, QStringLiteral("<OpisProblema/>") + c.element);
        EXPECT_EQ(Poredi(xml), c.greska);
        const skem::TProcitanModel m = skem::ProcitajModel(xml);
        if (!c.greska.isEmpty()) continue;
        EXPECT_EQ(m.Model.MetodIntegracije, c.procitan);
        const QByteArray tekst = skem::ModelUTekst(m.Model);
        EXPECT_EQ(tekst.contains("<MetodIntegracije>"), c.zapisan) << tekst.toStdString();
        EXPECT_EQ(skem::ProcitajModel(tekst).Model.MetodIntegracije,
                  c.zapisan ? c.procitan : std::nullopt);
    }
}

// The lab's settings: read, written back to the same text and left out of a
// document without them; entries that do not read are dropped.
TEST_F(ModelDokumenta, LabSettingsRoundTrip) {
    const QString blok = BlokXml(1, {}, 40, 40);
    const auto xml = [&](const QString& lab) {
        QByteArray d = DokumentXml(blok, {});
        d.insert(d.size() - qsizetype(strlen("</SKEMDokument>")), lab.toUtf8());
        return d;
    };
    const struct {
        QString lab;
        skem::TLaboratorijaModela ocekivano;
        bool isti; // written back as read
    } slucajevi[] = {
        {"", {}, true},
        {"<Laboratorija><Prati>1 3</Prati><Klizac>1.p1 -2 10 0.5</Klizac></Laboratorija>",
         {{{1}, {3}}, {{{1}, 1, -2, 10, 0.5}}},
         true},
        {"<Laboratorija><Klizac>2.p3 0 1E-5 0</Klizac><Klizac>1.p2 0 1 1</Klizac></Laboratorija>",
         {{}, {{{2}, 3, 0, 1e-5, 0}, {{1}, 2, 0, 1, 1}}},
         true},
        {"<Laboratorija><Prati>x 2 -1</Prati><Klizac>1.p4 0 1 0</Klizac><Klizac>1.p1 1 0 0"
         "</Klizac><Klizac>1.o1 0 1 0</Klizac><Klizac>1.p1 0 1</Klizac></Laboratorija>",
         {{{2}}, {}},
         false},
        // Blocks inside subsystems by path.
        {"<Laboratorija><Prati>3/2 1 4/1/7</Prati><Klizac>3/2.p1 -2 10 0.5</Klizac></Laboratorija>",
         {{{3, 2}, {1}, {4, 1, 7}}, {{{3, 2}, 1, -2, 10, 0.5}}},
         true},
        {"<Laboratorija><Prati>3//2 3/0 /1 3/x 5/</Prati><Klizac>3/.p1 0 1 0</Klizac>"
         "<Klizac>0/2.p1 0 1 0</Klizac></Laboratorija>",
         {},
         false},
    };
    for (const auto& s : slucajevi) {
        const skem::TModelDokumenta m = skem::UcitajModel(xml(s.lab));
        EXPECT_EQ(m.Laboratorija, s.ocekivano) << s.lab.toStdString();
        const QByteArray zapis = skem::ModelUTekst(m);
        EXPECT_EQ(zapis.contains("<Laboratorija>"), !s.ocekivano.Prazna());
        EXPECT_EQ(skem::UcitajModel(zapis).Laboratorija, s.ocekivano);
        if (s.isti) EXPECT_TRUE(zapis.endsWith(s.lab.toUtf8() + "</SKEMDokument>")) << zapis.data();
    }
}
