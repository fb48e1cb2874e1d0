// Reading documents into the document model, without a drawing surface or
// an application object (Qt Core only), as the batch mode reads them.
//
//   skem_bench_model                        the documents of skem_bench_citanje:
//                                           a chain of 100,000 blocks, one
//                                           connection with 10,000 holders, a
//                                           block far off the surface and
//                                           100,000 nested unknown elements
//   skem_bench_model --blokova N --drzaca M
//   skem_bench_model --samo-lanac N         one chain, read from a file, then
//                                           read again, copied and run for 3
//                                           steps: a batch run without its CSV,
//                                           in a process of its own
//   skem_bench_model --napisi-lanac N FILE  only writes that chain to FILE (for
//                                           timing "skem --run" on it)
//
// Each phase shows the wall-clock time and, in brackets, the processor time.
// "model" is the heap the model takes (its bytes per block), "vrh" the most
// resident memory the process has had so far, the document's text included.

#include "DokumentiZaBench.h"
#include "MatricaRezultata.h"
#include "ModelDokumenta.h"
#include "Obrada.h"

#include <QFile>
#include <QTemporaryDir>
#include <malloc.h>

namespace {

using namespace bench;

// Bytes taken from the heap now.
std::size_t Zauzeto() {
    return mallinfo2().uordblks + mallinfo2().hblkhd;
}

void Izmeri(const char* naziv, const QByteArray& xml, const QString& fajl = {}) {
    const std::size_t pre = Zauzeto();
    const TStoperica citanje;
    skem::TProcitanModel r =
        fajl.isEmpty() ? skem::ProcitajModel(xml) : skem::ProcitajModelIzFajla(fajl);
    const QByteArray vremeCitanja =
        citanje.Izmereno() +
        (r.Greska ? QByteArray(" (odbijen: ") + r.Greska->toUtf8() + ")" : QByteArray());
    const double model = double(Zauzeto() - pre);
    const long vrh = VrhMemorijeMB();
    const TStoperica kopiranje;
    const skem::TKopijaModela kopija = skem::KopijaIzModela(r.Model);
    const QByteArray vremeKopije = kopiranje.Izmereno();
    const TStoperica pisanje;
    QByteArray napisano;
    try {
        napisano = skem::ModelUTekst(r.Model);
    } catch (const skem::TGreskaDokumenta& g) {
        napisano = g.what();
    }
    const QByteArray odakle = fajl.isEmpty()
                                  ? ", " + QByteArray::number(xml.size() / 1024.0, 'f', 1) + " KB"
                                  : QByteArray(" iz fajla");
    std::printf("%s%s: citanje %s, model %.1f MB (%.0f B po bloku), vrh %ld MB, "
                "kopija za simulaciju %s, pisanje %s (%.1f KB)\n",
                naziv, odakle.constData(), vremeCitanja.constData(), model / (1 << 20),
                r.Model.Blokovi.empty() ? 0.0 : model / double(r.Model.Blokovi.size()), vrh,
                vremeKopije.constData(), pisanje.Izmereno().constData(), napisano.size() / 1024.0);
    std::fflush(stdout);
}

// Three steps of 0.01, every one printed.
class TTriKoraka : public skem::TIzvorOpcija {
public:
    bool PitajOpcije(skem::TOpcijeSimulacije& o) override {
        o = {0.03, 0.01, 0.01};
        return true;
    }
};

// The engine's messages go to the error stream.
class TPoruke : public skem::TPorukeSimulacije {
public:
    void GreskaSimulacije(const std::string& tekst) override {
        std::fprintf(stderr, "%s\n", tekst.c_str());
    }
};

// What a batch run does before its CSV: read, copy, run.
void Simuliraj(const QString& fajl) {
    const TStoperica rad;
    const skem::TModelDokumenta model = skem::UcitajModelIzFajla(fajl);
    TTriKoraka opcije;
    TPoruke poruke;
    skem::TSimulacija simulacija(&opcije, &poruke);
    const skem::TKopijaModela kopija = skem::KopijaIzModela(model);
    skem::MatrixReal rezultati;
    simulacija.Simuliraj(kopija.Lista(), rezultati);
    std::printf("citanje, kopija i simulacija od 3 koraka: %s, %s, vrh %ld MB\n",
                rad.Izmereno().constData(), simulacija.Uspeh() ? "uspeh" : "neuspeh",
                VrhMemorijeMB());
    std::fflush(stdout);
}

// The chain of n blocks written to a file piece by piece; false if that fails.
bool NapisiLanac(int n, const QString& fajl) {
    QFile f(fajl);
    bool upisano = f.open(QIODevice::WriteOnly);
    Lanac(n, [&](const QByteArray& deo) { upisano = upisano && f.write(deo) == deo.size(); });
    return upisano && f.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--napisi-lanac") == 0) {
        const int n = std::atoi(argv[2]);
        return n > 0 && NapisiLanac(n, QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    }
    if (const int n = Broj(argc, argv, "--samo-lanac", 0); n > 0) {
        QTemporaryDir dir;
        const QString fajl = dir.filePath(QStringLiteral("lanac.skem"));
        if (!NapisiLanac(n, fajl)) return 1;
        Izmeri(QByteArray("lanac od " + QByteArray::number(n) + " blokova").constData(), {}, fajl);
        Simuliraj(fajl);
        return 0;
    }
    ZaSvakiDokument(argc, argv,
                    [](const char* naziv, const QByteArray& xml) { Izmeri(naziv, xml); });
    return 0;
}
