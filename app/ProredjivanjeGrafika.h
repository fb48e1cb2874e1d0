#pragma once
// Which points of a curve a chart has to draw to show it exactly at its own
// resolution. A long run prints millions of points where the chart has a
// thousand pixel columns: drawing them all costs seconds and memory, while
// a few of them per pixel give the same picture. Only the curve's own points
// are kept, never values made up in between, and a zoomed view asks again,
// so the closer the view, the more of the points it gets.

#include <cstddef>
#include <cstdint>
#include <vector>

// Values y(k), k = 0..Tacaka - 1, lying Razmak apart in memory (one column
// of a matrix stored row after row).
struct TNizVrednosti {
    const double* Prva = nullptr;
    std::size_t Razmak = 1;
    std::size_t Tacaka = 0;
    double operator[](std::size_t k) const { return Prva[k * Razmak]; }
};

// The view of a chart: the axes' ranges and the plot's size in pixels.
struct TPogledKrive {
    double XMin = 0, XMax = 1;
    double YMin = 0, YMax = 1;
    int Sirina = 1;
    int Visina = 1;
};

// The pixel of an axis (0..broj - 1) a value falls in: -1 before the range
// (and for NaN), `broj` after it; the range's far end is in the last pixel.
class TPikseliOse {
public:
    TPikseliOse(double min, double max, int broj)
        : min(min), skala(broj / (max - min)), broj(broj) {}
    std::int64_t operator()(double v) const {
        const double u = (v - min) * skala;
        if (!(u >= 0)) return -1; // NaN too: a point with no place is off the view
        if (u >= broj) return u > broj ? broj : broj - 1;
        return static_cast<std::int64_t>(u);
    }

private:
    double min, skala;
    int broj;
};

// The points of the time series (k*p, y(k)) a view draws, as ascending
// indices, for each series: of the points falling in each pixel column the
// first, the lowest, the highest and the last; and the nearest point beyond
// each side of the x range, so the line runs on out of the view. A column
// holds its lowest and highest whatever the y range, which the view
// ignores. The series share their times (columns of one matrix), so they
// are read together, each row once.
std::vector<std::vector<std::size_t>>
ProrediVremenskeSerije(const std::vector<TNizVrednosti>& nizovi, double p,
                       const TPogledKrive& pogled);

// The points of each curve (x(k), y(k)) (a phase plot, all against one x)
// a view draws, as a walk over indices: every step the curve makes from one pixel to another
// is drawn once or more, between the first points that fell in the two
// pixels (for a step to a neighbouring pixel, within a pixel of the curve's
// own line) or, for a longer step, between its own two points; and the
// curve's last point, there and back within its pixel; nothing else is drawn. Beyond the view the
// pixels of each side merge into one strip per row or column (one cell per corner). An orbit
// retraced a thousand times costs what it costs once: a walk may go back along a step already
// drawn, and needs at most twice the steps. A curve that jumps over pixels at nearly every step is
// drawn as the first and last point of each run of points in one pixel.
std::vector<std::vector<std::size_t>> ProrediFazneKrive(const TNizVrednosti& x,
                                                        const std::vector<TNizVrednosti>& nizovi,
                                                        const TPogledKrive& pogled);
