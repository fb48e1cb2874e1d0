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
    TPikseliOse(double min, double max, int broj);
    std::int64_t operator()(double v) const;

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

// The points of the curve (x(k), y(k)) in order (a phase plot) a view
// draws, as ascending indices: the first and the last of every run of
// consecutive points inside one pixel. Beyond the view, the pixels of each
// side merge into one strip per row or column (one corner each), so a part
// of the curve that wanders off the view costs two points per strip it
// passes through. A straight line between a run's first and last point stays
// in that pixel or strip, so the picture is the one of every point.
std::vector<std::size_t> ProrediFaznuKrivu(const TNizVrednosti& x, const TNizVrednosti& y,
                                           const TPogledKrive& pogled);
