// End to end: every example document opened in the main window and run with
// "Simulacija" shows, cell for cell, what the batch mode writes for the same
// document and options.
#include "GlavniPomoc.h"
#include "PaketniPomoc.h"

#include <QStackedWidget>
#include <QTextStream>

using namespace glavni_test;

namespace {

struct TOpcijePrimera {
    QString d, h, p;
};

// The falling body ends with its Quit element; it runs long enough to get there.
TOpcijePrimera OpcijeZa(const QString& ime) {
    if (ime == "pad_tela.skem") return {"10", "0.01", "0.5"};
    return {"2", "0.01", "0.25"};
}

} // namespace

using KrajDoKraja = TGlavniTest;

TEST_F(KrajDoKraja, TabelaJednakaPaketnomRezimu) {
    const QFileInfoList primeri =
        QDir(Izvor() + "/examples").entryInfoList({"*.skem"}, QDir::Files, QDir::Name);
    ASSERT_GE(primeri.size(), 5);
    for (const QFileInfo& primer : primeri) {
        SCOPED_TRACE(primer.fileName().toStdString());
        const TOpcijePrimera o = OpcijeZa(primer.fileName());
        auto g = Napravi();
        FileOpen(*g, primer.absoluteFilePath());
        ASSERT_EQ(g->windowTitle(), "SKEM - " + primer.completeBaseName());
        dijalozi.Skripte.push_back(UnesiOpcije(o.d, o.h, o.p));
        Akcija(*g, "IzvSimulaciju")->trigger();
        ASSERT_EQ(Strane(*g)->currentWidget(), Prikaz(*g)->TabelaTab())
            << dijalozi.Zapis.join('\n').toStdString();
        // No message on the way (a Quit ends a run silently).
        EXPECT_EQ(dijalozi.Zapis, (QStringList{"Otvori", "Dijalog: Opcije"}));

        QString csv, greske;
        QTextStream izlaz(&csv), tokGresaka(&greske);
        ASSERT_EQ(IzvrsiPaketno({"--run", primer.absoluteFilePath(), "--duration", o.d, "--step",
                                 o.h, "--print", o.p},
                                izlaz, tokGresaka),
                  0)
            << greske.toStdString();
        izlaz.flush();
        const QStringList redovi = csv.split('\n', Qt::SkipEmptyParts);

        // CSV line 0 is the header, line k + 1 the time k*P; the table has the
        // times across and the blocks down.
        const TPrikazRezultata& t = *Prikaz(*g);
        ASSERT_EQ(redovi.size(), t.BrojKolona());
        const QStringList zaglavlje = PoljaCsv(redovi[0]);
        ASSERT_EQ(zaglavlje.size(), t.BrojRedova());
        EXPECT_EQ(zaglavlje[0], "t");
        for (int r = 1; r < t.BrojRedova(); ++r)
            EXPECT_EQ(zaglavlje[r], t.Celija(0, r));
        for (int k = 0; k + 1 < redovi.size(); ++k) {
            const QStringList polja = PoljaCsv(redovi[k + 1]);
            ASSERT_EQ(polja.size(), t.BrojRedova()) << "time line " << k;
            EXPECT_EQ(polja[0], t.Celija(k + 1, 0));
            for (int r = 1; r < t.BrojRedova(); ++r)
                EXPECT_EQ(polja[r], t.Celija(k + 1, r)) << "row " << r << ", time line " << k;
        }
        dijalozi.Zapis.clear();
    }
}
