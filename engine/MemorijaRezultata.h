#pragma once
// Whether the results of a run fit in the memory the machine can give now:
// a run that would exhaust it is refused before it starts, with a message,
// instead of failing (or being killed) halfway.

#include <cstdint>
#include <string>

namespace skem {

// Bytes the results matrix takes: a double per row (time point) and
// column, in one block.
std::uint64_t BajtovaRezultata(std::int64_t redova, std::int64_t kolona);

// Bytes the machine can give now: MemAvailable of /proc/meminfo, or the free
// physical pages where that cannot be read.
std::uint64_t DostupnaMemorija();

// Empty when the results of `redova` rows and `kolona` columns fit in
// `dostupno` bytes, with 8 bytes more per row (the results table moves the
// matrix in, and keeps that much for each of its columns of times);
// otherwise the message.
std::string ProveriMemorijuRezultata(std::int64_t redova, std::int64_t kolona,
                                     std::uint64_t dostupno);

} // namespace skem
