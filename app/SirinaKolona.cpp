#include "SirinaKolona.h"

#include <algorithm>
#include <limits>
#include <vector>

using skem::TOblikBroja;

namespace {

constexpr double Nepoznata = std::numeric_limits<double>::max();

} // namespace

TZnakovi::TZnakovi(const QFont& font) : metrika(font) {
    for (QChar c : QStringLiteral("0123456789"))
        if (metrika.horizontalAdvance(c) > metrika.horizontalAdvance(cifra)) cifra = c;
    for (QChar c : QStringLiteral("NAIF"))
        if (metrika.horizontalAdvance(c) > metrika.horizontalAdvance(slovo)) slovo = c;
    sirinaCifre = metrika.horizontalAdvance(cifra);
    sirinaSlova = metrika.horizontalAdvance(slovo);
    sirinaMinusa = metrika.horizontalAdvance(QLatin1Char('-'));
    sirinaTacke = metrika.horizontalAdvance(QLatin1Char('.'));
    sirinaE = metrika.horizontalAdvance(QLatin1Char('E'));
}

double TZnakovi::Sirina(const TOblikBroja& o) const {
    return o.Cifre * sirinaCifre + o.Minusi * sirinaMinusa + o.Tacke * sirinaTacke +
           o.Eksponenti * sirinaE + o.Slova * sirinaSlova;
}

QString TZnakovi::Uzorak(const TOblikBroja& o) const {
    return QString(o.Minusi, QLatin1Char('-')) + QString(o.Cifre, cifra) +
           QString(o.Tacke, QLatin1Char('.')) + QString(o.Eksponenti, QLatin1Char('E')) +
           QString(o.Slova, slovo);
}

TNajsiriTekst::TNajsiriTekst(const TZnakovi& znakovi)
    : znakovi(znakovi), najsiri(skem::OblikBroja(0)), sirina(znakovi.Sirina(najsiri)) {
    granice.fill(Nepoznata);
}

void TNajsiriTekst::Uzmi(const TOblikBroja& o) {
    if (const double s = znakovi.Sirina(o); s > sirina) {
        sirina = s;
        najsiri = o;
    }
}

void TNajsiriTekst::Pogledaj(double v) {
    double& granica = granice[Binada(v)];
    if (granica == Nepoznata) {
        const std::vector<TOblikBroja> oblici = skem::ObliciBinade(v);
        granica = oblici.empty() ? std::numeric_limits<double>::infinity() : 0;
        for (const TOblikBroja& o : oblici)
            granica = std::max(granica, znakovi.Sirina(o));
        if (granica <= sirina) return;
    }
    Uzmi(skem::OblikBroja(v));
}
