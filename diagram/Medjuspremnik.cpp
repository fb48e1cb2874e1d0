#include "Medjuspremnik.h"

#include "Dokument.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"

#include <QDomDocument>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <climits>

namespace {

QString Ime(const char* ime) {
    return QString::fromLatin1(ime);
}

int Broj(const QDomElement& e, const char* ime) {
    bool ok = false;
    const int v = e.firstChildElement(Ime(ime)).text().toInt(&ok);
    return ok ? v : INT_MIN;
}

void PostaviBroj(QDomElement e, const char* ime, int v) {
    QDomElement polje = e.firstChildElement(Ime(ime));
    while (polje.hasChildNodes())
        polje.removeChild(polje.firstChild());
    polje.appendChild(polje.ownerDocument().createTextNode(QString::number(v)));
}

QList<QDomElement> Deca(const QDomElement& roditelj) {
    QList<QDomElement> deca;
    for (QDomElement e = roditelj.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        deca.append(e);
    return deca;
}

// The junctions under a connection's holders.
QList<QDomElement> Junctions(const QDomElement& veza) {
    QList<QDomElement> junctions;
    for (const QDomElement& d : Deca(veza.firstChildElement(Ime("Drzaci"))))
        junctions += Deca(d.firstChildElement(Ime("Junctions")));
    return junctions;
}

// Keeps a connection (and, inside it, the junctions) only when `ostaje`
// takes both its ends; false when the connection itself goes.
template <class Uslov> bool ZadrziVezu(QDomElement veza, const Uslov& ostaje) {
    if (!ostaje(Broj(veza, "PocBlok")) || !ostaje(Broj(veza, "KrajBlok"))) return false;
    for (QDomElement j : Junctions(veza))
        if (!ZadrziVezu(j, ostaje)) j.parentNode().removeChild(j);
    return true;
}

template <class Uslov> void ZadrziVeze(QDomElement veze, const Uslov& ostaje) {
    for (QDomElement v : Deca(veze))
        if (!ZadrziVezu(v, ostaje)) veze.removeChild(v);
}

// Renumbers the ends of a connection and its junctions and moves their holders.
void PremestiVezu(QDomElement veza, const QHash<int, int>& brojevi, QPoint pomak) {
    PostaviBroj(veza, "PocBlok", brojevi.value(Broj(veza, "PocBlok")));
    PostaviBroj(veza, "KrajBlok", brojevi.value(Broj(veza, "KrajBlok")));
    for (const QDomElement& d : Deca(veza.firstChildElement(Ime("Drzaci")))) {
        PostaviBroj(d, "Left", Broj(d, "Left") + pomak.x());
        PostaviBroj(d, "Top", Broj(d, "Top") + pomak.y());
    }
    for (const QDomElement& j : Junctions(veza))
        PremestiVezu(j, brojevi, pomak);
}

QDomElement Koren(const QDomDocument& dok) {
    const QDomElement koren = dok.documentElement();
    if (koren.tagName() != Ime("SKEMDokument"))
        throw TGreskaDokumenta(QStringLiteral("Sadrzaj nije SKEM dokument!"));
    return koren;
}

} // namespace

QByteArray IzborUTekst(const TSKEMRadnaPovrsina& povrsina) {
    QSet<int> izabrani;
    for (const TSKEMBlok* b : povrsina.IzabraniBlokovi())
        izabrani.insert(b->LokalniBroj());
    if (izabrani.isEmpty()) return {};
    QDomDocument dok = RasclaniDokument(DokumentUTekst(povrsina));
    QDomElement koren = Koren(dok);
    koren.removeChild(koren.firstChildElement(Ime("OpisProblema")));
    QDomElement blokovi = koren.firstChildElement(Ime("Blokovi"));
    for (QDomElement b : Deca(blokovi))
        if (!izabrani.contains(Broj(b, "LokalniBroj"))) blokovi.removeChild(b);
    ZadrziVeze(koren.firstChildElement(Ime("Veze")),
               [&izabrani](int broj) { return izabrani.contains(broj); });
    return dok.toByteArray(-1);
}

int NalepiTekst(TSKEMRadnaPovrsina& povrsina, const QByteArray& xml, std::optional<QPoint> tacka,
                std::optional<QRect> vidljivo) {
    QDomDocument deo = RasclaniDokument(xml);
    QDomElement koren = Koren(deo);
    const QList<QDomElement> noviBlokovi = Deca(koren.firstChildElement(Ime("Blokovi")));
    if (noviBlokovi.isEmpty()) return 0;

    // New numbers after the existing blocks, in the pasted order.
    const int postojecih = int(povrsina.Blokovi().size());
    QHash<int, int> brojevi;
    QPoint gore(INT_MAX, INT_MAX);
    for (const QDomElement& b : noviBlokovi) {
        const int stari = Broj(b, "LokalniBroj");
        if (!brojevi.contains(stari)) brojevi.insert(stari, postojecih + 1 + int(brojevi.size()));
        gore = QPoint(std::min(gore.x(), Broj(b, "Left")), std::min(gore.y(), Broj(b, "Top")));
    }
    if (!tacka && vidljivo && !vidljivo->contains(gore + QPoint(16, 16)))
        tacka = vidljivo->topLeft() + QPoint(16, 16);
    const QPoint pomak = tacka ? *tacka - gore : QPoint(16, 16);
    int redni = postojecih;
    for (const QDomElement& b : noviBlokovi) {
        PostaviBroj(b, "LokalniBroj", ++redni);
        PostaviBroj(b, "Left", Broj(b, "Left") + pomak.x());
        PostaviBroj(b, "Top", Broj(b, "Top") + pomak.y());
    }
    QDomElement veze = koren.firstChildElement(Ime("Veze"));
    ZadrziVeze(veze, [&brojevi](int broj) { return brojevi.contains(broj); });
    for (const QDomElement& v : Deca(veze))
        PremestiVezu(v, brojevi, pomak);
    // The pasted part must read on its own before the workspace is touched.
    {
        TSKEMRadnaPovrsina proba;
        UcitajDokumentIzTeksta(proba, deo.toByteArray(-1));
    }

    QDomDocument celina = RasclaniDokument(DokumentUTekst(povrsina));
    QDomElement celo = Koren(celina);
    QDomElement blokovi = celo.firstChildElement(Ime("Blokovi"));
    for (const QDomElement& b : noviBlokovi)
        blokovi.appendChild(celina.importNode(b, true));
    QDomElement sveVeze = celo.firstChildElement(Ime("Veze"));
    for (const QDomElement& v : Deca(veze))
        sveVeze.appendChild(celina.importNode(v, true));
    UcitajDokumentIzTeksta(povrsina, celina.toByteArray(-1));
    povrsina.IzaberiBlokove(povrsina.Blokovi().mid(postojecih));
    return int(noviBlokovi.size());
}
