// The CSV's lines as the batch runner streams them: in pieces, on threads.

#include "CsvRezultata.h"
#include "Brojevi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace skem;

TEST(CsvRezultata, LinesInPiecesOnThreadsAreTheLinesInOrder) {
    // A constant (no column), a name to quote and one plain column; 20,000
    // time points make dozens of pieces.
    const std::vector<TBlokRezultata> blokovi = {{1, "K", 12}, {2, "a,b", 10}, {3, "c", 8}};
    const double d = 20, p = 0.001;
    TMatricaRezultata m(20003, 3);
    for (std::size_t k = 0; k < m.Redova(); ++k)
        for (std::size_t i = 0; i < 3; ++i)
            m(k, i) = std::sin(static_cast<double>(k * 3 + i)) * std::pow(10.0, i * 7.0 - 8);
    std::string ocekivano;
    for (std::size_t k = 0; k <= 20000; ++k)
        ocekivano += "7," + RealanUTekst(static_cast<double>(k) * p) + ',' + RealanUTekst(m(k, 1)) +
                     ',' + RealanUTekst(m(k, 2)) + '\n';

    for (int niti : {1, 3}) {
        std::string tekst;
        int delova = 0;
        EXPECT_TRUE(PisiRedoveCsv(
            blokovi, m, d, p, "7,",
            [&](std::string_view deo) {
                EXPECT_EQ(deo.back(), '\n'); // whole lines only
                tekst += deo;
                return ++delova > 0;
            },
            niti));
        EXPECT_GT(delova, 10);
        EXPECT_EQ(tekst, ocekivano) << niti;

        // A writer that fails stops the rest.
        delova = 0;
        EXPECT_FALSE(PisiRedoveCsv(
            blokovi, m, d, p, {}, [&](std::string_view) { return ++delova < 3; }, niti));
        EXPECT_EQ(delova, 3);
    }
    // Row by row as a run hands them on: the same lines.
    std::string redomTekst;
    TRedoviCsv redom(
        blokovi, d, p,
        [&](std::string_view deo) {
            redomTekst += deo;
            return true;
        },
        "7,");
    for (std::size_t k = 0; k <= 20000; ++k)
        redom.Red(static_cast<std::int64_t>(k), m.Red(k));
    EXPECT_TRUE(redom.Zavrsi());
    EXPECT_EQ(redomTekst, ocekivano);
    EXPECT_EQ(NapraviCsv(blokovi, m, d, p).substr(0, 18), "t,\"2. a,b\",3. c\n0,");
}
