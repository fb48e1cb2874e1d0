#include "SirinaBrojeva.h"

#include "Brojevi.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace skem {

namespace {

// 10^k for k = 0..308, each correctly rounded.
const std::array<double, 309>& StepeniDeset() {
    static const std::array<double, 309> tabela = [] {
        std::array<double, 309> t{};
        for (size_t k = 0; k < t.size(); ++k) {
            const std::string tekst = "1e" + std::to_string(k);
            std::from_chars(tekst.data(), tekst.data() + tekst.size(), t[k]);
        }
        return t;
    }();
    return tabela;
}

// The text of m x 10^(eks - 14), m a 15-digit integer, as RealanUTekst writes it.
TOblikBroja Oblik(std::uint64_t m, int eks, bool negativan) {
    // Trailing zeros (at most 14) are no digits of the text: 8, 4, 2, 1 at a time.
    constexpr std::pair<std::uint64_t, int> Delioci[] = {
        {100'000'000, 8}, {10'000, 4}, {100, 2}, {10, 1}};
    int cifre = 15;
    for (const auto& [delilac, nule] : Delioci)
        if (m % delilac == 0) {
            m /= delilac;
            cifre -= nule;
        }
    TOblikBroja o;
    o.Minusi = negativan ? 1 : 0;
    const int e = eks + 1; // the value is 0.ddd x 10^e
    if (e >= -3 && e <= 15) {
        o.Cifre = e <= 0 ? 1 - e + cifre : std::max(e, cifre);
        o.Tacke = e <= 0 || cifre > e ? 1 : 0;
    } else {
        const int izlozilac = std::abs(eks);
        o.Cifre = cifre + (izlozilac >= 100 ? 3 : izlozilac >= 10 ? 2 : 1);
        o.Tacke = cifre > 1 ? 1 : 0;
        o.Eksponenti = 1;
        o.Minusi += eks < 0 ? 1 : 0;
    }
    return o;
}

TOblikBroja Veci(TOblikBroja a, const TOblikBroja& b) {
    a.Cifre = std::max(a.Cifre, b.Cifre);
    a.Minusi = std::max(a.Minusi, b.Minusi);
    a.Tacke = std::max(a.Tacke, b.Tacke);
    a.Eksponenti = std::max(a.Eksponenti, b.Eksponenti);
    a.Slova = std::max(a.Slova, b.Slova);
    return a;
}

} // namespace

TOblikBroja OblikTeksta(std::string_view tekst) {
    TOblikBroja o;
    for (char z : tekst) {
        if (z >= '0' && z <= '9')
            ++o.Cifre;
        else if (z == '-')
            ++o.Minusi;
        else if (z == '.')
            ++o.Tacke;
        else if (z == 'E')
            ++o.Eksponenti;
        else
            ++o.Slova;
    }
    return o;
}

TOblikBroja OblikBroja(double v) {
    if (v == 0) return OblikTeksta("0");
    const double a = std::abs(v);
    // Beyond these the powers below would leave the table; such values
    // (and NAN, INF) are rare enough to be written out.
    if (!(a >= 1e-290 && a <= 1e290)) return OblikTeksta(RealanUTekst(v));
    const auto& deset = StepeniDeset();
    auto naPetnaestCifara = [&](int eks) {
        const int k = 14 - eks;
        return k >= 0 ? a * deset[static_cast<size_t>(k)] : a / deset[static_cast<size_t>(-k)];
    };
    // The decimal exponent of 2^e2 (a is normal here; 78913 / 2^18 is
    // log10(2) close enough for these e2): a's own is that or one more. The
    // lower bound also catches a product rounded just below 10^14.
    const int e2 = static_cast<int>((std::bit_cast<std::uint64_t>(a) >> 52) & 0x7ff) - 1023;
    int eks = (e2 * 78913) >> 18;
    double p = naPetnaestCifara(eks);
    if (p >= 1e15)
        p = naPetnaestCifara(++eks);
    else if (p < 1e14)
        p = naPetnaestCifara(--eks);
    // p is a x 10^(14 - eks) within two roundings, less than 0.25 at this
    // size; the formatter rounds the exact value, so its digits are those of
    // one of the integers within 0.25 of p. Adding 2^52 rounds to an integer.
    constexpr double Dva52 = 4503599627370496.0;
    const double nize = (p - 0.25 + Dva52) - Dva52;
    const double vise = (p + 0.25 + Dva52) - Dva52;
    auto oblik = [&](double m) {
        auto cifre = static_cast<std::uint64_t>(m);
        int e = eks;
        if (cifre >= 1'000'000'000'000'000) { // 999...9.7 is rounded up to 10^15
            cifre /= 10;
            ++e;
        }
        return Oblik(cifre, e, v < 0);
    };
    return nize == vise ? oblik(nize) : Veci(oblik(nize), oblik(vise));
}

TObliciVremena::TObliciVremena(double interval) : p(interval) {
    // P's text as p x 10^e, p an integer without trailing zeros.
    const std::string tekst = RealanUTekst(p);
    if (!(p > 0) || TekstURealan(tekst) != p) return; // P is not its own text
    std::uint64_t cifre = 0;
    int posleTacke = 0, eksponent = 0;
    bool tacka = false;
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        const char z = tekst[i];
        if (z >= '0' && z <= '9') {
            cifre = cifre * 10 + static_cast<std::uint64_t>(z - '0');
            posleTacke += tacka ? 1 : 0;
        } else if (z == '.') {
            tacka = true;
        } else if (z == 'E') {
            eksponent = std::stoi(tekst.substr(i + 1));
            break;
        }
    }
    if (cifre == 0) return;
    int e = eksponent - posleTacke;
    while (cifre % 10 == 0) {
        cifre /= 10;
        ++e;
    }
    mantisa = cifre;
    izlozilac = e;
    cifreP = BrojCifara(cifre);
}

TOblikBroja TObliciVremena::operator()(std::int64_t k) const {
    // k*P, rounded once from k times P (which is its own 15-digit text), is
    // within 2.3e-16 of the exact k x p x 10^e; with at most 14 digits that
    // number lies on the grid of 15-digit texts, more than the error away
    // from every rounding boundary, so it is what the text shows.
    const auto uk = static_cast<std::uint64_t>(k);
    if (k <= 0 || mantisa == 0 || BrojCifara(uk) + cifreP > 14)
        return OblikBroja(static_cast<double>(k) * p);
    const std::uint64_t m = uk * mantisa;
    const int cifre = BrojCifara(m);
    std::uint64_t petnaest = m;
    for (int i = cifre; i < 15; ++i)
        petnaest *= 10;
    return Oblik(petnaest, cifre - 1 + izlozilac, false);
}

std::int64_t TObliciVremena::Kraj(std::int64_t n) const {
    if (mantisa == 0) return 1;
    std::int64_t kraj = 1;
    for (int i = cifreP; i < 14; ++i)
        kraj *= 10; // the first k of 15 - cifreP digits
    return std::min(kraj, n + 1);
}

std::vector<TOblikBroja> TObliciVremena::Najsiri(std::int64_t n) const {
    // Within one decade of k x p the texts differ only in their trailing
    // zeros, so a k whose product has none gives the decade's widest. As p
    // has no trailing zero, one of any ten k in a row gives such a product
    // (an odd k when 5 divides p, one not divisible by 5 when 2 does).
    std::vector<TOblikBroja> oblici;
    const std::int64_t kraj = Kraj(n);
    if (kraj <= 1) return oblici;
    const std::uint64_t m = mantisa;
    const auto poslednji = static_cast<std::uint64_t>(kraj - 1);
    std::uint64_t dekada = 1;
    while (dekada * 10 <= m)
        dekada *= 10;
    for (; dekada <= poslednji * m; dekada *= 10) {
        const std::uint64_t od = std::max<std::uint64_t>(1, (dekada + m - 1) / m);
        const std::uint64_t doo = std::min(poslednji, (dekada * 10 - 1) / m);
        const std::uint64_t doDeset = std::min(doo, od + 9);
        bool nasao = false;
        for (std::uint64_t k = od; k <= doDeset && !nasao; ++k)
            if ((k * m) % 10 != 0) {
                oblici.push_back((*this)(static_cast<std::int64_t>(k)));
                nasao = true;
            }
        // Fewer than ten, all with trailing zeros: every one of them.
        for (std::uint64_t k = od; k <= doDeset && !nasao; ++k)
            oblici.push_back((*this)(static_cast<std::int64_t>(k)));
    }
    return oblici;
}

std::vector<TOblikBroja> ObliciBinade(double v) {
    const auto bitovi = std::bit_cast<std::uint64_t>(v);
    const int polje = static_cast<int>((bitovi >> 52) & 0x7ff);
    if (polje == 0x7ff) return {};
    // The binade [2^e2, 2^(e2 + 1)) spans one or two decades (its top taken
    // in, which only adds one); fifteen digits are the most any of them has.
    // Zero shares its bits' exponent with the numbers below 2^-1022, which
    // spread over more decades, and is narrower than all of them.
    const int e2 = polje == 0 ? -1074 : polje - 1023;
    const int do2 = polje == 0 ? -1022 : e2 + 1;
    // (2^e is a power of ten only for e = 0, and e log10(2) stays clear of
    // the other integers by far more than its rounding error.)
    const double log2 = std::log10(2.0);
    const int od = static_cast<int>(std::floor(e2 * log2));
    const int doo = static_cast<int>(std::floor(do2 * log2));
    constexpr std::uint64_t PetnaestCifara = 123'456'789'012'345;
    std::vector<TOblikBroja> oblici;
    for (int eks = od; eks <= doo; ++eks)
        oblici.push_back(Oblik(PetnaestCifara, eks, v < 0));
    return oblici;
}

} // namespace skem
