#pragma once
// What the reading benchmarks share: documents generated in memory, a
// stopwatch and the process's memory.

#include <QByteArray>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace bench {

using Sat = std::chrono::steady_clock;

// Wall-clock and processor time since it was made.
class TStoperica {
public:
    QByteArray Izmereno() const {
        const double zid = std::chrono::duration<double>(Sat::now() - pocetak).count();
        const double cpu = double(std::clock() - procesor) / CLOCKS_PER_SEC;
        return QByteArray::number(zid, 'f', 3) + " s (" + QByteArray::number(cpu, 'f', 3) + ")";
    }

private:
    Sat::time_point pocetak = Sat::now();
    std::clock_t procesor = std::clock();
};

// Resident memory of this process in MB.
inline long MemorijaMB() {
    long stranice = 0, rezidentne = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &stranice, &rezidentne) != 2) rezidentne = 0;
        std::fclose(f);
    }
    return rezidentne * 4096 / (1024 * 1024);
}

// The most resident memory this process has had, in MB.
inline long VrhMemorijeMB() {
    long kb = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char red[256];
        while (std::fgets(red, sizeof red, f))
            if (std::strncmp(red, "VmHWM:", 6) == 0) kb = std::atol(red + 6);
        std::fclose(f);
    }
    return kb / 1024;
}

// A gain of 1 (code 8), the time source (25, no input) or an integrator (10).
inline QByteArray Blok(int broj, int left, int top, int sifra = 8) {
    const char* naziv = sifra == 25 ? "Vreme" : sifra == 10 ? "Integrator" : "Pojacanje";
    const bool ulaz = sifra != 25;
    return "<Blok><Top>" + QByteArray::number(top) + "</Top><Left>" + QByteArray::number(left) +
           "</Left><Sifra>" + QByteArray::number(sifra) + "</Sifra><Naziv>" + naziv +
           "</Naziv><LokalniBroj>" + QByteArray::number(broj) + "</LokalniBroj><brparam>" +
           (ulaz ? "1" : "0") + "</brparam><maxuveza>" + (ulaz ? "1" : "0") + "</maxuveza><str1>" +
           (ulaz ? "K" : "x") + "</str1><str2>x</str2><str3>x</str3><str4>" +
           (ulaz ? "Ulaz 1" : "x") +
           "</str4><str5>x</str5><str6>x</str6>"
           "<Parametar1>1</Parametar1><Parametar2>0</Parametar2><Parametar3>0</Parametar3>"
           "<Smer>3</Smer></Blok>";
}

inline QByteArray Veza(int od, int ka, const QByteArray& drzaci = {}) {
    return "<Veza><PocBlok>" + QByteArray::number(od) + "</PocBlok><KrajBlok>" +
           QByteArray::number(ka) + "</KrajBlok><GdeKrajBlok>0</GdeKrajBlok><Drzaci>" + drzaci +
           "</Drzaci></Veza>";
}

inline QByteArray Dokument(const QByteArray& blokovi, const QByteArray& veze) {
    return "<?xml version=\"1.0\"?><SKEMDokument><OpisProblema/><Blokovi>" + blokovi +
           "</Blokovi><Veze>" + veze + "</Veze></SKEMDokument>";
}

// Blocks 1..n in rows of 100, each feeding the next, piece by piece: the
// time source, gains and an integrator, so the chain can be run.
template <class Pisi> void Lanac(int n, Pisi&& pisi) {
    pisi("<?xml version=\"1.0\"?><SKEMDokument><OpisProblema/><Blokovi>");
    for (int i = 1; i <= n; ++i)
        pisi(Blok(i, 20 + ((i - 1) % 100) * 100, 20 + ((i - 1) / 100) * 80,
                  i == 1   ? 25
                  : i == n ? 10
                           : 8));
    pisi("</Blokovi><Veze>");
    for (int i = 2; i <= n; ++i)
        pisi(Veza(i - 1, i));
    pisi("</Veze></SKEMDokument>");
}

inline QByteArray Lanac(int n) {
    QByteArray xml;
    Lanac(n, [&xml](const QByteArray& deo) { xml += deo; });
    return xml;
}

// Two blocks and one connection between them bent through m holders.
inline QByteArray Drzaci(int m) {
    QByteArray drzaci;
    for (int i = 0; i < m; ++i)
        drzaci += "<Drzac><Top>" + QByteArray::number(200 + (i / 100) * 12) + "</Top><Left>" +
                  QByteArray::number(200 + (i % 100) * 12) + "</Left><Index>" +
                  QByteArray::number(i) + "</Index><Junctions/></Drzac>";
    return Dokument(Blok(1, 20, 20) + Blok(2, 1500, 20), Veza(1, 2, drzaci));
}

// A constant 100,000,000 pixels off the surface feeding a block near the origin.
inline QByteArray Daleko() {
    return Dokument(Blok(1, 100000000, 100000000) + Blok(2, 10, 10), Veza(1, 2));
}

// n unknown elements nested inside the root.
inline QByteArray Ugnjezdeno(int n) {
    return "<?xml version=\"1.0\"?><SKEMDokument>" + QByteArray("<a>").repeated(n) +
           QByteArray("</a>").repeated(n) + "</SKEMDokument>";
}

inline int Broj(int argc, char** argv, const char* ime, int podrazumevano) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], ime) == 0) return std::atoi(argv[i + 1]);
    return podrazumevano;
}

// The documents the reading benchmarks measure, each handed to
// izmeri(naziv, xml): a chain of --blokova blocks, a connection with --drzaca
// holders (0 skips either), a block far off the surface, nested unknown elements.
template <class Izmeri> void ZaSvakiDokument(int argc, char** argv, Izmeri&& izmeri) {
    const int blokova = Broj(argc, argv, "--blokova", 100000);
    const int drzaca = Broj(argc, argv, "--drzaca", 10000);
    if (blokova > 0)
        izmeri(QByteArray("lanac od " + QByteArray::number(blokova) + " blokova").constData(),
               Lanac(blokova));
    if (drzaca > 0)
        izmeri(QByteArray("veza sa " + QByteArray::number(drzaca) + " drzaca").constData(),
               Drzaci(drzaca));
    izmeri("blok na 100000000", Daleko());
    izmeri("100000 ugnjezdenih elemenata", Ugnjezdeno(100000));
}

} // namespace bench
