// Document reading speed: documents generated in memory and read onto a
// workspace the way the program opens a file, then written back.
//
//   skem_bench_citanje                      a chain of 100,000 blocks, one
//                                           connection with 10,000 holders, a
//                                           block far off the surface and
//                                           100,000 nested unknown elements
//   skem_bench_citanje --blokova N --drzaca M --izabranih K
//
// Then a chain of N blocks is taken away as the program does it: the
// workspace destroyed right after reading (the end of a batch run), cleared
// while shown in a view that has drawn it (a new document in the window),
// and a chain of K blocks (10,000 by default) selected whole and deleted
// (Ctrl+A, Delete). 0 skips a part.
//
// Reading and clearing should grow with the document's size: doubling N or
// M should no more than about double the time. Each phase shows the wall-clock time and,
// in brackets, the processor time of this process (the two differ on a busy
// machine); "memorija" is the resident size after reading.

#include "Dokument.h"
#include "SKEMRadnaPovrsina.h"

#include <QApplication>
#include <QByteArray>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

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
long MemorijaMB() {
    long stranice = 0, rezidentne = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &stranice, &rezidentne) != 2) rezidentne = 0;
        std::fclose(f);
    }
    return rezidentne * 4096 / (1024 * 1024);
}

QByteArray Blok(int broj, int left, int top) {
    return "<Blok><Top>" + QByteArray::number(top) + "</Top><Left>" + QByteArray::number(left) +
           "</Left><Sifra>8</Sifra><Naziv>Pojacanje</Naziv><LokalniBroj>" +
           QByteArray::number(broj) +
           "</LokalniBroj><brparam>1</brparam><maxuveza>1</maxuveza><str1>K</str1><str2>x</str2>"
           "<str3>x</str3><str4>Ulaz 1</str4><str5>x</str5><str6>x</str6>"
           "<Parametar1>1</Parametar1><Parametar2>0</Parametar2><Parametar3>0</Parametar3>"
           "<Smer>3</Smer></Blok>";
}

QByteArray Veza(int od, int ka, const QByteArray& drzaci = {}) {
    return "<Veza><PocBlok>" + QByteArray::number(od) + "</PocBlok><KrajBlok>" +
           QByteArray::number(ka) + "</KrajBlok><GdeKrajBlok>0</GdeKrajBlok><Drzaci>" + drzaci +
           "</Drzaci></Veza>";
}

QByteArray Dokument(const QByteArray& blokovi, const QByteArray& veze) {
    return "<?xml version=\"1.0\"?><SKEMDokument><OpisProblema/><Blokovi>" + blokovi +
           "</Blokovi><Veze>" + veze + "</Veze></SKEMDokument>";
}

// Blocks 1..n in rows of 100, each feeding the next.
QByteArray Lanac(int n) {
    QByteArray blokovi, veze;
    for (int i = 1; i <= n; ++i) {
        blokovi += Blok(i, 20 + ((i - 1) % 100) * 100, 20 + ((i - 1) / 100) * 80);
        if (i > 1) veze += Veza(i - 1, i);
    }
    return Dokument(blokovi, veze);
}

// Two blocks and one connection between them bent through m holders.
QByteArray Drzaci(int m) {
    QByteArray drzaci;
    for (int i = 0; i < m; ++i)
        drzaci += "<Drzac><Top>" + QByteArray::number(200 + (i / 100) * 12) + "</Top><Left>" +
                  QByteArray::number(200 + (i % 100) * 12) + "</Left><Index>" +
                  QByteArray::number(i) + "</Index><Junctions/></Drzac>";
    return Dokument(Blok(1, 20, 20) + Blok(2, 1500, 20), Veza(1, 2, drzaci));
}

// A constant 100,000,000 pixels off the surface feeding a block near the origin.
QByteArray Daleko() {
    return Dokument(Blok(1, 100000000, 100000000) + Blok(2, 10, 10), Veza(1, 2));
}

// n unknown elements nested inside the root.
QByteArray Ugnjezdeno(int n) {
    return "<?xml version=\"1.0\"?><SKEMDokument>" + QByteArray("<a>").repeated(n) +
           QByteArray("</a>").repeated(n) + "</SKEMDokument>";
}

void Izmeri(const char* naziv, const QByteArray& xml) {
    TSKEMRadnaPovrsina povrsina;
    const TStoperica citanje;
    QByteArray odbijen;
    try {
        UcitajDokumentIzTeksta(povrsina, xml);
    } catch (const TGreskaDokumenta& g) {
        odbijen = QByteArray(" (odbijen: ") + g.what() + ")";
    }
    const QByteArray vremeCitanja = citanje.Izmereno() + odbijen;
    const long memorija = MemorijaMB();
    const TStoperica pisanje;
    const QByteArray napisano = DokumentUTekst(povrsina);
    const QByteArray vremePisanja = pisanje.Izmereno();
    const TStoperica ciscenje;
    povrsina.Ocisti();
    std::printf("%s, %.1f KB: citanje %s, memorija %ld MB, pisanje %s (%.1f KB), ciscenje %s\n",
                naziv, xml.size() / 1024.0, vremeCitanja.constData(), memorija,
                vremePisanja.constData(), napisano.size() / 1024.0,
                ciscenje.Izmereno().constData());
    std::fflush(stdout);
}

// A workspace in a view that has been shown and has drawn the document, as
// in the window.
struct TPrikazanaPovrsina {
    TSKEMRadnaPovrsina povrsina;
    TSKEMPogled pogled{&povrsina};
    explicit TPrikazanaPovrsina(const QByteArray& xml) {
        pogled.resize(1280, 800);
        pogled.show();
        UcitajDokumentIzTeksta(povrsina, xml);
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
};

// The chain of n blocks destroyed right after reading, then cleared while shown.
void IzmeriCiscenje(int n) {
    const QByteArray xml = Lanac(n);
    auto povrsina = std::make_unique<TSKEMRadnaPovrsina>();
    UcitajDokumentIzTeksta(*povrsina, xml);
    const TStoperica unistavanje;
    povrsina.reset();
    const QByteArray vremeUnistavanja = unistavanje.Izmereno();
    TPrikazanaPovrsina prikazana(xml);
    const TStoperica ciscenje;
    prikazana.povrsina.Ocisti();
    QApplication::processEvents();
    std::printf("lanac od %d blokova: unistavanje posle citanja %s, ciscenje prikazanog %s\n", n,
                vremeUnistavanja.constData(), ciscenje.Izmereno().constData());
    std::fflush(stdout);
}

// The chain of n blocks shown, all selected and deleted.
void IzmeriBrisanjeIzabranih(int n) {
    TPrikazanaPovrsina prikazana(Lanac(n));
    prikazana.povrsina.IzaberiSve();
    const TStoperica brisanje;
    prikazana.povrsina.ObrisiSelektovano();
    QApplication::processEvents();
    std::printf("lanac od %d blokova: brisanje svih izabranih %s\n", n,
                brisanje.Izmereno().constData());
    std::fflush(stdout);
}

int Broj(int argc, char** argv, const char* ime, int podrazumevano) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], ime) == 0) return std::atoi(argv[i + 1]);
    return podrazumevano;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplikacija(argc, argv);
    const int blokova = Broj(argc, argv, "--blokova", 100000);
    const int drzaca = Broj(argc, argv, "--drzaca", 10000);
    if (blokova > 0)
        Izmeri(QByteArray("lanac od " + QByteArray::number(blokova) + " blokova").constData(),
               Lanac(blokova));
    if (drzaca > 0)
        Izmeri(QByteArray("veza sa " + QByteArray::number(drzaca) + " drzaca").constData(),
               Drzaci(drzaca));
    Izmeri("blok na 100000000", Daleko());
    Izmeri("100000 ugnjezdenih elemenata", Ugnjezdeno(100000));
    if (blokova > 0) IzmeriCiscenje(blokova);
    if (const int izabranih = Broj(argc, argv, "--izabranih", 10000); izabranih > 0)
        IzmeriBrisanjeIzabranih(izabranih);
    return 0;
}
