#include "Medjuspremnik.h"

#include "Dokument.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <climits>

namespace {

using skem::TModelDokumenta;
using skem::TVezaModela;

// Copies connection v of `iz` (and the junctions under it whose ends are
// kept) into `u`; `blok` maps the blocks of `iz` to those of `u` (-1: not
// kept). Returns the connection in `u`, or -1 when an end is not kept.
int KopirajVezu(const TModelDokumenta& iz, int v, const std::vector<int>& blok, int roditelj,
                int drzac, TModelDokumenta& u, std::vector<int>& veza) {
    const TVezaModela& c = iz.Veze[size_t(v)];
    if (c.PocBlok < 0 || c.KrajBlok < 0 || blok[size_t(c.PocBlok)] < 0 ||
        blok[size_t(c.KrajBlok)] < 0)
        return -1;
    const int nova = int(u.Veze.size());
    veza[size_t(v)] = nova;
    TVezaModela& k = u.Veze.emplace_back();
    k.PocBlok = blok[size_t(c.PocBlok)];
    k.KrajBlok = blok[size_t(c.KrajBlok)];
    k.GdeKrajBlok = c.GdeKrajBlok;
    k.IzlazPocBloka = c.IzlazPocBloka;
    k.Roditelj = roditelj;
    k.DrzacRoditelja = drzac;
    for (size_t h = 0; h < c.Drzaci.size(); ++h) {
        u.Veze[size_t(nova)].Drzaci.push_back({c.Drzaci[h].Left, c.Drzaci[h].Top, {}});
        for (int j : c.Drzaci[h].Junctions) {
            const int kj = KopirajVezu(iz, j, blok, nova, int(h), u, veza);
            if (kj >= 0) u.Veze[size_t(nova)].Drzaci[h].Junctions.push_back(kj);
        }
    }
    return nova;
}

// The name of the root element (the text was read as a document already).
QStringView Koren(QXmlStreamReader& citac) {
    while (!citac.atEnd())
        if (citac.readNext() == QXmlStreamReader::StartElement) return citac.qualifiedName();
    return {};
}

constexpr qint64 MaksPolozaj = 1000000000;

int Pomeren(int v, int pomak) {
    const qint64 r = qint64(v) + pomak;
    if (r < -MaksPolozaj || r > MaksPolozaj)
        throw TGreskaDokumenta(
            QStringLiteral("Polozaj %1 je van povrsine (dozvoljeno je od %2 do %3)!")
                .arg(r)
                .arg(-MaksPolozaj)
                .arg(MaksPolozaj));
    return int(r);
}

} // namespace

TModelDokumenta IzborUModel(const TSKEMRadnaPovrsina& povrsina) {
    TModelDokumenta deo;
    if (povrsina.IzabraniBlokovi().isEmpty()) return deo;
    const TModelPovrsine celo = ModelPovrsine(povrsina);
    const TModelDokumenta& m = celo.Model;
    std::vector<int> blok(m.Blokovi.size(), -1);
    for (size_t i = 0; i < m.Blokovi.size(); ++i)
        if (celo.Blokovi[i]->Aktivno()) {
            blok[i] = int(deo.Blokovi.size());
            deo.Blokovi.push_back(m.Blokovi[i]);
            deo.Blokovi.back().Ulazi = {-1, -1, -1};
            deo.Blokovi.back().DaljiUlazi.assign(deo.Blokovi.back().DaljiUlazi.size(), -1);
        }
    std::vector<int> veza(m.Veze.size(), -1);
    for (size_t v = 0; v < m.Veze.size(); ++v)
        if (!m.Veze[v].JeJunction()) KopirajVezu(m, int(v), blok, -1, -1, deo, veza);
    // The slots keep the connections that came along.
    for (size_t i = 0; i < m.Blokovi.size(); ++i)
        if (blok[i] >= 0)
            for (int k = 0; k < m.Blokovi[i].BrojSlotova(); ++k) {
                const int u = m.Blokovi[i].Ulaz(k);
                deo.Blokovi[size_t(blok[i])].PostaviUlaz(k, u >= 0 ? veza[size_t(u)] : -1);
            }
    return deo;
}

QByteArray IzborUTekst(const TSKEMRadnaPovrsina& povrsina) {
    const TModelDokumenta deo = IzborUModel(povrsina);
    if (deo.Blokovi.empty()) return {};
    // The clipboard has always carried the document without its declaration
    // and its (empty) problem description.
    QByteArray tekst = skem::ModelUTekst(deo);
    const QByteArray pocetak = "<?xml version=\"1.0\"?>\n<SKEMDokument><OpisProblema/>";
    if (tekst.startsWith(pocetak)) tekst.replace(0, pocetak.size(), "<SKEMDokument>");
    return tekst;
}

int NalepiModel(TSKEMRadnaPovrsina& povrsina, TModelDokumenta deo, std::optional<QPoint> tacka,
                std::optional<QRect> vidljivo) {
    if (deo.Blokovi.empty()) return 0;
    const qsizetype postojecih = povrsina.Blokovi().size();
    if (postojecih + qsizetype(deo.Blokovi.size()) > MaksBrojBlokova)
        throw TGreskaDokumenta(
            QStringLiteral("Dokument ima vise od %1 blokova i ne moze da se procita!")
                .arg(MaksBrojBlokova));
    QPoint gore(INT_MAX, INT_MAX);
    for (const skem::TBlokModela& b : deo.Blokovi)
        gore = QPoint(std::min(gore.x(), b.Left), std::min(gore.y(), b.Top));
    if (!tacka && vidljivo && !vidljivo->contains(gore + QPoint(16, 16)))
        tacka = vidljivo->topLeft() + QPoint(16, 16);
    const QPoint pomak = tacka ? *tacka - gore : QPoint(16, 16);
    // Everything is moved and checked before the workspace is touched.
    int broj = int(postojecih);
    for (skem::TBlokModela& b : deo.Blokovi) {
        b.Top = Pomeren(b.Top, pomak.y());
        b.Left = Pomeren(b.Left, pomak.x());
        b.LokalniBroj = ++broj;
    }
    for (TVezaModela& v : deo.Veze)
        for (skem::TDrzacModela& h : v.Drzaci) {
            h.Left = Pomeren(h.Left, pomak.x());
            h.Top = Pomeren(h.Top, pomak.y());
        }
    // As before a reading: a drawing in progress ends.
    povrsina.OtkaziVezu();
    const std::vector<TSKEMBlok*> novi = DodajModel(povrsina, deo);
    povrsina.Prenumerisi();
    povrsina.IzaberiBlokove(QList<TSKEMBlok*>(novi.begin(), novi.end()));
    return int(novi.size());
}

int NalepiTekst(TSKEMRadnaPovrsina& povrsina, const QByteArray& xml, std::optional<QPoint> tacka,
                std::optional<QRect> vidljivo) {
    skem::TProcitanModel procitan = skem::ProcitajModel(xml);
    QXmlStreamReader citac(xml);
    if (!procitan.Greska && Koren(citac) != QLatin1StringView("SKEMDokument"))
        procitan.Greska = QStringLiteral("Sadrzaj nije SKEM dokument!");
    if (procitan.Greska) throw TGreskaDokumenta(*procitan.Greska);
    return NalepiModel(povrsina, std::move(procitan.Model), tacka, vidljivo);
}
