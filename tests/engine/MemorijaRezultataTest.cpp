#include "MemorijaRezultata.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace skem;

TEST(MemorijaRezultata, RunsWhoseResultsDoNotFitAreRefused) {
    // 8 bytes a value, and 8 a row for the table's column of that time.
    const struct {
        std::int64_t redova, kolona;
        std::uint64_t dostupno;
        const char* poruka;
    } slucajevi[] = {
        {1000, 1000, 8'008'000, ""},
        {1000, 1000, 8'007'999,
         "Za rezultate simulacije potrebno je 8 MB memorije, a slobodno je samo 7 MB!"},
        {0, 1000, 0, ""},
        {5, 0, 40, ""},
        {5, 0, 39, "Za rezultate simulacije potrebno je 1 MB memorije, a slobodno je samo 0 MB!"},
        // Far beyond 64 bits of bytes: no overflow lets it through.
        {2'000'000'000, 100'000, std::uint64_t(1) << 40,
         "Za rezultate simulacije potrebno je 1525894166 MB memorije, a slobodno je samo 1048576 "
         "MB!"},
        {INT64_MAX, INT32_MAX, UINT64_MAX,
         "Za rezultate simulacije potrebno je 18446744073709551615 MB memorije, a slobodno je "
         "samo 17592186044415 MB!"},
    };
    for (const auto& s : slucajevi)
        EXPECT_EQ(ProveriMemorijuRezultata(s.redova, s.kolona, s.dostupno), s.poruka)
            << s.redova << " x " << s.kolona;

    // Bytes, not kilobytes or pages: some, and no more than the machine has.
    const std::uint64_t dostupno = DostupnaMemorija();
    EXPECT_GT(dostupno, 0u);
    EXPECT_LE(dostupno, std::uint64_t(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGESIZE));
}
