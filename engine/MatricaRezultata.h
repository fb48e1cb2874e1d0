#pragma once
// The results of a run: row k holds sample k of every block (the time k*P),
// column j - 1 belongs to block number j. One contiguous block of doubles,
// row after row, so ten million rows cost their values and nothing more,
// and a row is handed on (to a CSV writer, a table) as a plain pointer.

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <new>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

namespace skem {

class TMatricaRezultata {
public:
    TMatricaRezultata() = default;
    // redova x kolona zeros.
    TMatricaRezultata(std::size_t redova, std::size_t kolona) { Promeni(redova, kolona); }
    // From rows of values, as small tables are written by hand: as many
    // columns as the shortest row has (the rest of a longer row is left out).
    TMatricaRezultata(const std::vector<std::vector<double>>& redovi) { Iz(redovi); }
    TMatricaRezultata(std::initializer_list<std::vector<double>> redovi) {
        Iz(std::vector<std::vector<double>>(redovi));
    }

    TMatricaRezultata(const TMatricaRezultata&) = default;
    TMatricaRezultata& operator=(const TMatricaRezultata&) = default;
    // A matrix moved from is empty.
    TMatricaRezultata(TMatricaRezultata&& m) noexcept
        : redova(std::exchange(m.redova, 0)), kolona(std::exchange(m.kolona, 0)),
          podaci(std::move(m.podaci)) {
        m.podaci.clear();
    }
    TMatricaRezultata& operator=(TMatricaRezultata&& m) noexcept {
        redova = std::exchange(m.redova, 0);
        kolona = std::exchange(m.kolona, 0);
        podaci = std::move(m.podaci);
        m.podaci.clear();
        return *this;
    }

    std::size_t Redova() const { return redova; }
    std::size_t Kolona() const { return kolona; }
    std::size_t size() const { return redova; }
    bool empty() const { return redova == 0; }

    double& operator()(std::size_t red, std::size_t kol) { return podaci[red * kolona + kol]; }
    double operator()(std::size_t red, std::size_t kol) const { return podaci[red * kolona + kol]; }
    // Bounds-checked; std::out_of_range outside the matrix.
    double at(std::size_t red, std::size_t kol) const {
        if (red >= redova || kol >= kolona) throw std::out_of_range("TMatricaRezultata::at");
        return (*this)(red, kol);
    }
    double* Red(std::size_t red) { return podaci.data() + red * kolona; }
    const double* Red(std::size_t red) const { return podaci.data() + red * kolona; }
    std::span<double> operator[](std::size_t red) { return {Red(red), kolona}; }
    std::span<const double> operator[](std::size_t red) const { return {Red(red), kolona}; }
    // Every value, row after row.
    std::span<const double> Podaci() const { return podaci; }

    // Re-sized to redova x kolona, all zeros. A size beyond the address
    // space throws std::bad_alloc, like any allocation that fails.
    void Promeni(std::size_t r, std::size_t k) {
        if (k != 0 && r > std::numeric_limits<std::size_t>::max() / sizeof(double) / k)
            throw std::bad_alloc();
        podaci.assign(r * k, 0.0);
        redova = r;
        kolona = k;
    }
    // Every value := 0, the size kept.
    void Isprazni() { std::fill(podaci.begin(), podaci.end(), 0.0); }
    // Keeps the first `r` rows (no more than there are).
    void SkratiNa(std::size_t r) {
        if (r >= redova) return;
        redova = r;
        podaci.resize(r * kolona);
    }
    void clear() {
        redova = kolona = 0;
        podaci.clear();
        podaci.shrink_to_fit();
    }

    bool operator==(const TMatricaRezultata&) const = default;

private:
    void Iz(const std::vector<std::vector<double>>& redovi) {
        std::size_t k = redovi.empty() ? 0 : redovi.front().size();
        for (const std::vector<double>& r : redovi)
            k = std::min(k, r.size());
        Promeni(redovi.size(), k);
        for (std::size_t r = 0; r < redovi.size(); ++r)
            for (std::size_t c = 0; c < k; ++c)
                (*this)(r, c) = redovi[r][c];
    }

    std::size_t redova = 0;
    std::size_t kolona = 0;
    std::vector<double> podaci;
};

} // namespace skem
