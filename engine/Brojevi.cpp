#include "Brojevi.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace skem {

std::int64_t Round(double x) {
    return static_cast<std::int64_t>(std::nearbyint(x));
}

std::int64_t Trunc(double x) {
    return static_cast<std::int64_t>(std::trunc(x));
}

namespace {

// 15 significant digits of a > 0 exactly as printf's "%.14e" rounds them,
// and the decimal exponent: a = d.dddddddddddddd x 10^eks10.
void CifreTacno(double a, char* cifre, int& eks10) {
    char sirov[32]; // d.dddddddddddddde[+-]xx[x]
    const char* kraj =
        std::to_chars(sirov, sirov + sizeof sirov, a, std::chars_format::scientific, 14).ptr;
    cifre[0] = sirov[0];
    std::memcpy(cifre + 1, sirov + 2, 14);
    eks10 = 0;
    for (const char* e = sirov + 18; e < kraj; ++e)
        eks10 = eks10 * 10 + (*e - '0');
    if (sirov[17] == '-') eks10 = -eks10;
    // Near the largest double the digits round up to 1.79769313486232E308,
    // which is beyond it and would not read back: the 15 digits below it.
    if (eks10 == 308 && std::memcmp(cifre, "179769313486232", 15) == 0) cifre[14] = '1';
}

using U128 = unsigned __int128;

// 5^k = T x 2^e for k = 0..323, T the top 128 bits (the highest set), cut
// off, not rounded: exact when e <= 0 (5^k below 2^128).
struct TStepenPet {
    U128 T = 0;
    int e = 0;
};
constexpr int NajvecaPotencija = 323;
constexpr auto StepeniPet = [] {
    std::array<TStepenPet, NajvecaPotencija + 1> t{};
    std::array<std::uint64_t, 13> broj{}; // 5^k, lowest word first
    broj[0] = 1;
    auto reci = [&broj](int od) -> std::uint64_t { // bits od..od+63
        const int i = od / 64, b = od % 64;
        const std::uint64_t nize = od < 0 ? 0 : broj[static_cast<std::size_t>(i)] >> b;
        const std::uint64_t vise =
            b == 0 || i + 1 >= 13 ? 0 : broj[static_cast<std::size_t>(i) + 1] << (64 - b);
        return nize | vise;
    };
    for (TStepenPet& s : t) {
        int duzina = 0;
        for (int i = 12; i >= 0; --i)
            if (broj[static_cast<std::size_t>(i)] != 0) {
                duzina =
                    64 * i + static_cast<int>(std::bit_width(broj[static_cast<std::size_t>(i)]));
                break;
            }
        if (duzina <= 128) {
            const U128 v = (static_cast<U128>(broj[1]) << 64) | broj[0];
            s.T = v << (128 - duzina);
        } else {
            s.T = (static_cast<U128>(reci(duzina - 64)) << 64) | reci(duzina - 128);
        }
        s.e = duzina - 128;
        std::uint64_t prenos = 0; // times 5
        for (std::uint64_t& w : broj) {
            const U128 p = static_cast<U128>(w) * 5 + prenos;
            w = static_cast<std::uint64_t>(p);
            prenos = static_cast<std::uint64_t>(p >> 64);
        }
    }
    return t;
}();

// a x 10^k rounded to an integer, ties to even, for a = m x 2^q (m < 2^53)
// and k = 0..323: m x 5^k is formed in 192 bits from the table's 128 and
// shifted by q + k. `ceo` is the whole part (to tell a wrong decade). A cut-off
// 5^k makes the product short of the truth by less than m units of its last
// bit, which can only matter when the 64 bits after the point are all but
// one half: then, and for shifts this range does not expect, false.
bool Zaokruzi(std::uint64_t m, int q, int k, std::uint64_t& n, std::uint64_t& ceo) {
    const TStepenPet& p = StepeniPet[static_cast<std::size_t>(k)];
    const U128 dole = static_cast<U128>(m) * static_cast<std::uint64_t>(p.T);
    const U128 gore = static_cast<U128>(m) * static_cast<std::uint64_t>(p.T >> 64);
    const auto w0 = static_cast<std::uint64_t>(dole);
    const U128 srednja = (dole >> 64) + static_cast<std::uint64_t>(gore);
    const auto w1 = static_cast<std::uint64_t>(srednja);
    const auto w2 = static_cast<std::uint64_t>((srednja >> 64) + (gore >> 64));
    // Bits after the point: pomak; the whole part and the next 64 bits are
    // bits pomak - 64 and up, taken as one 128-bit number.
    const int s = -(q + k + p.e) - 64;
    if (s < 54 || s > 127) return false;
    const U128 r =
        (((static_cast<U128>(w1) << 64) | w0) >> s) | (static_cast<U128>(w2) << (128 - s));
    const auto razlomak = static_cast<std::uint64_t>(r);
    ceo = static_cast<std::uint64_t>(r >> 64);
    constexpr std::uint64_t Pola = std::uint64_t{1} << 63;
    bool gore1 = razlomak > Pola;
    if (p.e > 0) {
        if (razlomak == Pola - 1) return false; // the truth may be one half or more
        gore1 = razlomak >= Pola;
    } else if (razlomak == Pola) {
        const bool visak = s < 64 ? (w0 & ((std::uint64_t{1} << s) - 1)) != 0
                                  : w0 != 0 || (w1 & ((std::uint64_t{1} << (s - 64)) - 1)) != 0;
        gore1 = visak || (ceo & 1u) != 0; // a tie goes to the even neighbour
    }
    n = ceo + (gore1 ? 1 : 0);
    return true;
}

// "00" to "99".
constexpr auto ParoviCifara = [] {
    std::array<char, 200> p{};
    for (int i = 0; i < 100; ++i) {
        p[2 * i] = static_cast<char>('0' + i / 10);
        p[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return p;
}();

// x < 10^8 as eight digits, leading zeros included.
void OsamCifara(std::uint32_t x, char* p) {
    const std::uint32_t gore = x / 10000, dole = x % 10000;
    std::memcpy(p, &ParoviCifara[2 * (gore / 100)], 2);
    std::memcpy(p + 2, &ParoviCifara[2 * (gore % 100)], 2);
    std::memcpy(p + 4, &ParoviCifara[2 * (dole / 100)], 2);
    std::memcpy(p + 6, &ParoviCifara[2 * (dole % 100)], 2);
}

// The same digits the quick way, for the normal doubles below 10^15 (scale
// factors 10^0..10^323): integer arithmetic, no printf. False outside that
// range, and in the rare cases Zaokruzi cannot decide.
bool CifreBrzo(double a, char* cifre, int& eks10) {
    if (!(a >= std::numeric_limits<double>::min() && a < 1e15)) return false;
    const auto bitovi = std::bit_cast<std::uint64_t>(a);
    const int eksponent = static_cast<int>(bitovi >> 52);
    const std::uint64_t m = (bitovi & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int q = eksponent - 1075; // a = m x 2^q, m in [2^52, 2^53)
    // floor(log10 a) or one less: floor((q + 52) log10 2), 78913 / 2^18 standing
    // in for log10 2 (>> rounds towards minus infinity).
    int e10 = ((q + 52) * 78913) >> 18;
    if (14 - e10 > NajvecaPotencija || 14 - e10 < 0) return false;
    std::uint64_t ceo = 0, n = 0;
    if (!Zaokruzi(m, q, 14 - e10, n, ceo)) return false;
    if (ceo >= 1'000'000'000'000'000u) {
        ++e10;
        if (14 - e10 < 0 || !Zaokruzi(m, q, 14 - e10, n, ceo)) return false;
    }
    if (ceo < 100'000'000'000'000u) return false; // not expected; the exact way decides
    if (n == 1'000'000'000'000'000u) {
        n /= 10; // rounded up into the next decade
        ++e10;
    }
    // 16 digits (the first a zero) as two halves of eight, in pairs.
    char sve[16];
    OsamCifara(static_cast<std::uint32_t>(n / 100'000'000), sve);
    OsamCifara(static_cast<std::uint32_t>(n % 100'000'000), sve + 8);
    std::memcpy(cifre, sve + 1, 15);
    eks10 = e10;
    return true;
}

} // namespace

std::size_t PisiRealan(double v, char* izlaz) {
    char* p = izlaz;
    auto dodaj = [&p](const char* tekst) {
        while (*tekst)
            *p++ = *tekst++;
    };
    if (std::isnan(v)) {
        dodaj("NAN");
        return static_cast<std::size_t>(p - izlaz);
    }
    if (std::isinf(v)) {
        dodaj(v < 0 ? "-INF" : "INF");
        return static_cast<std::size_t>(p - izlaz);
    }
    if (v == 0.0) {
        *p++ = '0';
        return 1;
    }

    char cifre[15];
    int eks10 = 0; // value = d.ddd x 10^eks10
    if (!CifreBrzo(std::fabs(v), cifre, eks10)) CifreTacno(std::fabs(v), cifre, eks10);
    int brojCifara = 15;
    while (brojCifara > 1 && cifre[brojCifara - 1] == '0')
        --brojCifara;

    if (v < 0) *p++ = '-';
    const int e = eks10 + 1; // value = 0.dddd x 10^e
    if (e >= -3 && e <= 15) {
        if (e <= 0) {
            *p++ = '0';
            *p++ = '.';
            for (int i = 0; i < -e; ++i)
                *p++ = '0';
            std::memcpy(p, cifre, static_cast<std::size_t>(brojCifara));
            p += brojCifara;
        } else if (brojCifara <= e) {
            std::memcpy(p, cifre, static_cast<std::size_t>(brojCifara));
            p += brojCifara;
            for (int i = brojCifara; i < e; ++i)
                *p++ = '0';
        } else {
            std::memcpy(p, cifre, static_cast<std::size_t>(e));
            p += e;
            *p++ = '.';
            std::memcpy(p, cifre + e, static_cast<std::size_t>(brojCifara - e));
            p += brojCifara - e;
        }
    } else {
        *p++ = cifre[0];
        if (brojCifara > 1) {
            *p++ = '.';
            std::memcpy(p, cifre + 1, static_cast<std::size_t>(brojCifara - 1));
            p += brojCifara - 1;
        }
        *p++ = 'E';
        p = std::to_chars(p, p + 5, eks10).ptr;
    }
    return static_cast<std::size_t>(p - izlaz);
}

int BrojCifara(std::uint64_t m) {
    int c = 1;
    while (m >= 10) {
        m /= 10;
        ++c;
    }
    return c;
}

std::string RealanUTekst(double v) {
    char tekst[NajduziRealan];
    return std::string(tekst, PisiRealan(v, tekst));
}

static std::string_view BezRazmaka(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    return t;
}

bool ProcitajRealan(std::string_view tekst, double& rezultat) {
    std::string_view t = BezRazmaka(tekst);
    bool negativan = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negativan = t.front() == '-';
        t.remove_prefix(1);
    }
    // Only digits, one point and an exponent: no "inf", "nan" or hex forms.
    if (t.empty() || !((t.front() >= '0' && t.front() <= '9') || t.front() == '.')) return false;
    double v = 0;
    auto [kraj, greska] =
        std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (greska != std::errc() || kraj != t.data() + t.size() || !std::isfinite(v)) return false;
    rezultat = negativan ? -v : v;
    return true;
}

double TekstURealan(std::string_view tekst) {
    double v;
    return ProcitajRealan(tekst, v) ? v : NijeBroj;
}

bool ProcitajCeo(std::string_view tekst, std::int32_t& rezultat) {
    std::string_view t = BezRazmaka(tekst);
    bool negativan = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negativan = t.front() == '-';
        t.remove_prefix(1);
    }
    if (t.empty() || t.front() < '0' || t.front() > '9') return false;
    std::int64_t v = 0;
    auto [kraj, greska] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (greska != std::errc() || kraj != t.data() + t.size()) return false;
    if (negativan) v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        return false;
    rezultat = static_cast<std::int32_t>(v);
    return true;
}

std::string VremeNaKoraku(double t, double korak) {
    // A step count beyond 2^53 has no exact double: the time as it is.
    const double koraka = t / korak;
    if (!(korak > 0) || !(std::abs(koraka) < 9007199254740992.0)) return RealanUTekst(t);
    return RealanUTekst(static_cast<double>(Round(koraka)) * korak);
}

} // namespace skem
