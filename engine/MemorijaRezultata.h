#pragma once
// Whether the results of a run fit in the memory the machine can give now:
// a run that would exhaust it is refused before it starts, with a message,
// instead of failing (or being killed) halfway.

#include <cstdint>
#include <string>

namespace skem {

// Bytes one copy of the results takes: a row per time point, each row its
// own array of a double per column.
std::uint64_t BajtovaRezultata(std::int64_t redova, std::int64_t kolona);

// The caller keeps a copy about as big as the engine's (the results table
// copies the matrix), so a run needs this many times its results.
inline constexpr int KopijaRezultata = 2;

// Bytes the machine can give now: MemAvailable of /proc/meminfo, or the free
// physical pages where that cannot be read.
std::uint64_t DostupnaMemorija();

// Empty when KopijaRezultata copies of the results of `redova` rows and
// `kolona` columns fit in `dostupno` bytes; otherwise the message.
std::string ProveriMemorijuRezultata(std::int64_t redova, std::int64_t kolona,
                                     std::uint64_t dostupno);

} // namespace skem
