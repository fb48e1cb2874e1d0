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
// machine); "memorija" is the resident size after reading, "vrh" the most
// this process has had resident so far.

#include "Dokument.h"
#include "DokumentiZaBench.h"
#include "SKEMRadnaPovrsina.h"

#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <memory>

namespace {

using namespace bench;

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
    std::printf("%s, %.1f KB: citanje %s, memorija %ld MB (vrh %ld MB), pisanje %s (%.1f KB), "
                "ciscenje %s\n",
                naziv, xml.size() / 1024.0, vremeCitanja.constData(), memorija, VrhMemorijeMB(),
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

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplikacija(argc, argv);
    ZaSvakiDokument(argc, argv, Izmeri);
    const int blokova = Broj(argc, argv, "--blokova", 100000);
    if (blokova > 0) IzmeriCiscenje(blokova);
    if (const int izabranih = Broj(argc, argv, "--izabranih", 10000); izabranih > 0)
        IzmeriBrisanjeIzabranih(izabranih);
    return 0;
}
