#include "Brojevi.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace skem {

std::int64_t Round(double x) {
    return static_cast<std::int64_t>(std::nearbyint(x));
}

std::int64_t Trunc(double x) {
    return static_cast<std::int64_t>(std::trunc(x));
}

std::string RealanUTekst(double v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (v == 0.0) return "0";

    // "%.14e" rounds to 15 significant digits: d.dddddddddddddde[+-]xx
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string cifre;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') cifre += *p;
    const int eks10 = std::atoi(p + 1); // value = d.ddd x 10^eks10
    // Near the largest double the digits round up to 1.79769313486232E308,
    // which is beyond it and would not read back: the 15 digits below it.
    if (eks10 == 308 && cifre == "179769313486232") cifre.back() = '1';
    while (cifre.size() > 1 && cifre.back() == '0')
        cifre.pop_back();

    const int e = eks10 + 1; // value = 0.dddd x 10^e
    std::string s = v < 0 ? "-" : "";
    if (e >= -3 && e <= 15) {
        if (e <= 0) {
            s += "0.";
            s.append(static_cast<size_t>(-e), '0');
            s += cifre;
        } else {
            std::string celi = cifre.substr(0, std::min<size_t>(cifre.size(), e));
            celi.append(static_cast<size_t>(e) - celi.size(), '0');
            s += celi;
            if (cifre.size() > static_cast<size_t>(e)) {
                s += '.';
                s.append(cifre, static_cast<size_t>(e));
            }
        }
    } else {
        s += cifre[0];
        if (cifre.size() > 1) {
            s += '.';
            s.append(cifre, 1);
        }
        s += "E";
        s += std::to_string(e - 1);
    }
    return s;
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

} // namespace skem
