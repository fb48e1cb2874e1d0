// End to end: every example document opened in the main window and run with
// "Simulacija" shows, cell for cell, what the batch mode writes for the same
// document and options.
#include "GlavniPomoc.h"
#include "PaketniPomoc.h"

#include "uIzborLinearizacije.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineSeries>
#include <QScatterSeries>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextStream>
#include <cmath>
#include <optional>

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

// The lag x' = u - x, x(0) = 1: a constant, a summer and an integrator.
void PisiKasnjenje(const QString& put) {
    PisiFajl(put,
             (QStringLiteral("<?xml version=\"1.0\"?><SKEMDokument><OpisProblema/><Blokovi>") +
              Blok(1, 12, "Konstanta", 0) + Blok(2, 26, "Sumator", 3, 1, -1) +
              Blok(3, 10, "Integrator", 3, 1) + QStringLiteral("</Blokovi><Veze>") + Veza(1, 2, 0) +
              Veza(3, 2, 1) + Veza(2, 3, 0) + QStringLiteral("</Veze></SKEMDokument>"))
                 .toUtf8());
}

// "Analiza" > "Linearizacija" on the lag x' = u - x, x(0) = 1: at the start,
// then at t = 1 of a run, where y0 = e^-1; the Bode plot and both step
// responses are drawn and the shown tab exports as a picture.
TEST_F(KrajDoKraja, LinearizacijaKasnjenja) {
    const QString put = temp.filePath("kasnjenje.skem");
    PisiFajl(put,
             (QStringLiteral("<?xml version=\"1.0\"?><SKEMDokument><OpisProblema/><Blokovi>") +
              Blok(1, 12, "Konstanta", 0) + Blok(2, 26, "Sumator", 3, 1, -1) +
              Blok(3, 10, "Integrator", 3, 1) + QStringLiteral("</Blokovi><Veze>") + Veza(1, 2, 0) +
              Veza(3, 2, 1) + Veza(2, 3, 0) + QStringLiteral("</Veze></SKEMDokument>"))
                 .toUtf8());
    auto g = Napravi();
    FileOpen(*g, put);
    auto linearizuj = [&](std::optional<QString> vreme) {
        dijalozi.Skripte.push_back([vreme](QDialog& d) {
            auto& l = dynamic_cast<TIzborLinearizacije&>(d);
            EXPECT_EQ(l.IzborUlaza->count(), 1); // the constant only
            EXPECT_EQ(l.IzborIzlaza->count(), 2);
            EXPECT_EQ(l.UTrenutku->isEnabled(), vreme.has_value());
            l.IzborIzlaza->setCurrentIndex(l.IzborIzlaza->findText("3. Integrator"));
            l.UTrenutku->setChecked(vreme.has_value());
            l.PoljeVremena->setText(vreme.value_or("0"));
            l.DugmePrihvati->click();
        });
        Akcija(*g, "Linearizacija")->trigger();
        EXPECT_EQ(Strane(*g)->currentWidget()->objectName(), "LinearizacijaTab")
            << dijalozi.Zapis.join('\n').toStdString();
        return Deo<QTextBrowser>(*g, "TekstLinearizacije")->toPlainText();
    };
    const QString naPocetku = linearizuj(std::nullopt);
    EXPECT_TRUE(naPocetku.contains("t = 0, u0 = 0, y0 = 1")) << naPocetku.toStdString();
    EXPECT_TRUE(naPocetku.contains("x1 = 3. Integrator"));

    const QChart* modul = Deo<QChartView>(*g, "GrafikModula")->chart();
    ASSERT_EQ(modul->series().size(), 1);
    const auto tacke = static_cast<QLineSeries*>(modul->series()[0])->points();
    ASSERT_GT(tacke.size(), 100);
    for (const QPointF& t : tacke)
        EXPECT_NEAR(t.y(), -10 * std::log10(1 + t.x() * t.x()), 1e-6);
    const QChart* odziv = Deo<QChartView>(*g, "GrafikOdziva")->chart();
    ASSERT_EQ(odziv->series().size(), 2);
    EXPECT_EQ(static_cast<QLineSeries*>(odziv->series()[1])->count(),
              static_cast<QLineSeries*>(odziv->series()[0])->count());

    Deo<QPushButton>(*g, "NazadSaLinearizacije")->click();
    dijalozi.Skripte.push_back(UnesiOpcije("2", "0.01", "0.1"));
    Akcija(*g, "IzvSimulaciju")->trigger();
    const QString posleRada = linearizuj(QStringLiteral("1"));
    EXPECT_TRUE(posleRada.contains("t = 1, u0 = 0, y0 = 0.367879")) << posleRada.toStdString();

    Deo<QTabWidget>(*g, "KarticeLinearizacije")->setCurrentIndex(1);
    dijalozi.ImenaFajlova.push_back(temp.filePath("bode.png"));
    Deo<QPushButton>(*g, "IzvozPngLinearizacije")->click();
    EXPECT_FALSE(QImage(temp.filePath("bode.png")).isNull());
    EXPECT_FALSE(dijalozi.Zapis.join('\n').contains("Greska"))
        << dijalozi.Zapis.join('\n').toStdString();
}

// "Uvezi merenja": the file's points as markers over the curve with their own
// legend entry; the document keeps the file (beside it: by its name) and
// shows it again when opened; a bad file is refused naming its line.
TEST_F(KrajDoKraja, MerenjaPrekoGrafika) {
    const QString put = temp.filePath("kasnjenje.skem");
    PisiKasnjenje(put);
    PisiFajl(temp.filePath("merenja.csv"), "t;izmereno\n0;1\n1;0.37\n2;0.135\n");
    PisiFajl(temp.filePath("los.csv"), "0,1\n1,x\n");
    auto markeri = [](TMainForm& g) {
        QList<QScatterSeries*> m;
        for (QAbstractSeries* s : Deo<QChartView>(g, "Grafik2D")->chart()->series())
            if (auto* t = qobject_cast<QScatterSeries*>(s)) m << t;
        return m;
    };
    auto grafik = [&](TMainForm& g) {
        dijalozi.Skripte.push_back(UnesiOpcije("2", "0.01", "0.1"));
        Akcija(g, "IzvSimulaciju")->trigger();
        Deo<QCheckBox>(g, "Oznaka2")->setChecked(true); // 3. Integrator
        Deo<QPushButton>(g, "GoToChart")->click();
    };
    {
        auto g = Napravi();
        FileOpen(*g, put);
        grafik(*g);
        EXPECT_TRUE(markeri(*g).isEmpty());
        dijalozi.ImenaFajlova.push_back(temp.filePath("los.csv"));
        Deo<QAction>(*g, "UveziMerenja")->trigger();
        EXPECT_EQ(dijalozi.Poruke().last(), "Greska u redu 2 fajla 'los.csv': 'x' nije broj");
        EXPECT_TRUE(markeri(*g).isEmpty());
        EXPECT_FALSE(g->Izmenjen());

        dijalozi.ImenaFajlova.push_back(temp.filePath("merenja.csv"));
        Deo<QAction>(*g, "UveziMerenja")->trigger();
        ASSERT_EQ(markeri(*g).size(), 1);
        EXPECT_EQ(markeri(*g)[0]->name(), "merenje: izmereno");
        EXPECT_EQ(markeri(*g)[0]->points(), (QList<QPointF>{{0, 1}, {1, 0.37}, {2, 0.135}}));
        EXPECT_TRUE(g->Izmenjen());
        Akcija(*g, "FileSave")->trigger();
        EXPECT_TRUE(CitajFajl(put).endsWith(
            "</Veze><Merenja><Fajl>merenja.csv</Fajl></Merenja></SKEMDokument>"));
    }
    auto g = Napravi();
    FileOpen(*g, put);
    grafik(*g);
    ASSERT_EQ(markeri(*g).size(), 1);
    EXPECT_EQ(markeri(*g)[0]->count(), 3);
    Deo<QAction>(*g, "UkloniMerenja")->trigger();
    EXPECT_TRUE(markeri(*g).isEmpty());
    Akcija(*g, "FileSave")->trigger();
    EXPECT_FALSE(CitajFajl(put).contains("Merenja"));
}
