// Autosave and recovery: when the recovery file is written and removed, the
// answers to the recovery question, and a child process killed in the middle
// of its work whose document comes back at the next start.
#include "Oporavak.h"
#include "GlavniPomoc.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QProcess>
#include <QScatterSeries>
#include <QStandardPaths>

using namespace glavni_test;

class Oporavak : public TGlavniTest {
protected:
    QString Fascikla() const { return temp.filePath(QStringLiteral("oporavak")); }

    // A window with autosave into the scratch folder; its timer never ticks in a test.
    std::unique_ptr<TMainForm> SaOporavkom() {
        auto g = Napravi();
        g->UkljuciOporavak(Fascikla());
        g->Oporavak()->PostaviInterval(3600 * 1000);
        return g;
    }
    QStringList Fajlovi() const {
        return QDir(Fascikla()).entryList({QStringLiteral("*.skem")}, QDir::Files);
    }
    // n changes the window counts, then the events that follow them.
    static void Izmeni(TSKEMBlok* b, int n) {
        for (int k = 0; k < n; ++k)
            b->RotirajD();
        QCoreApplication::processEvents();
    }
};

TEST_F(Oporavak, PisanjeIUklanjanje) {
    const QString dokument = temp.filePath(QStringLiteral("moj.skem"));
    struct TSlucaj {
        const char* ime;
        std::function<void(TMainForm&)> korak;
        TDijalozi::TOdgovor odgovor;
    } slucajevi[] = {
        {"Sacuvaj", [](TMainForm& g) { Akcija(g, "FileSave")->trigger(); },
         TDijalozi::TOdgovor::Odustani},
        {"Sacuvaj kao",
         [&](TMainForm& g) {
             dijalozi.ImenaFajlova.push_back(temp.filePath(QStringLiteral("drugi.skem")));
             Akcija(g, "FileSaveAs")->trigger();
         },
         TDijalozi::TOdgovor::Odustani},
        {"Novi", [](TMainForm& g) { Akcija(g, "NovDoc")->trigger(); }, TDijalozi::TOdgovor::Ne},
        {"Otvori", [&](TMainForm& g) { FileOpen(g, Primer(QStringLiteral("oscilator.skem"))); },
         TDijalozi::TOdgovor::Ne},
        {"Zatvori", [](TMainForm& g) { g.close(); }, TDijalozi::TOdgovor::Ne},
    };
    for (const TSlucaj& s : slucajevi) {
        SCOPED_TRACE(s.ime);
        auto g = SaOporavkom();
        TSKEMBlok* b = SpustiBezDijaloga(*g, 25, "Vreme", 0, {40, 40});
        dijalozi.ImenaFajlova.push_back(dokument);
        Akcija(*g, "FileSaveAs")->trigger();
        const QByteArray sacuvano = CitajFajl(dokument);
        // Counted changes: none is written before the 20th.
        Izmeni(b, 19);
        EXPECT_TRUE(Fajlovi().isEmpty());
        Izmeni(b, 1);
        ASSERT_EQ(Fajlovi().size(), 1);
        const QByteArray oporavak = CitajFajl(g->Oporavak()->Fajl());
        const QByteArray tekst = DokumentUTekst(*Povrsina(*g));
        EXPECT_TRUE(oporavak.endsWith(tekst.mid(tekst.indexOf("?>") + 2)))
            << oporavak.left(100).toStdString();
        // The document's own file is left as it was saved.
        EXPECT_EQ(CitajFajl(dokument), sacuvano);
        dijalozi.Odgovori = {s.odgovor};
        s.korak(*g);
        EXPECT_TRUE(Fajlovi().isEmpty());
        EXPECT_TRUE(QDir(Fascikla()).entryList(QDir::Files).isEmpty()) << "the lock stays";
        // Saved, emptied or closed: the timer writes nothing.
        g->Oporavak()->Snimi();
        EXPECT_TRUE(Fajlovi().isEmpty());
    }
}

TEST_F(Oporavak, OdgovoriNaPonudu) {
    const QByteArray primer = CitajFajl(Primer(QStringLiteral("oscilator.skem")));
    const QByteArray ocekivano = [&] {
        auto g = Napravi({Primer(QStringLiteral("oscilator.skem"))});
        return DokumentUTekst(*Povrsina(*g));
    }();
    const QDateTime vreme(QDate(2026, 12, 7), QTime(17, 30, 12));
    const QString putanja = QStringLiteral("/nema/fascikle/model.skem");
    const QString pitanje = QStringLiteral("Pitanje: Pronadjena je nesacuvana verzija dokumenta "
                                           "%1 od 7.12.2026. 17:30. Da li zelite da je vratite?");
    using O = TDijalozi::TOdgovor;
    struct TSlucaj {
        const char* ime;
        QString putanja;
        O odgovor;
        bool drziDrugi; // a live program owns the file
        QString zapis;  // the question, if asked
        bool ostaje;    // the file is still there for the next start
        bool vracen;
        QString naslov;
    } slucajevi[] = {
        {"Da", putanja, O::Da, false, pitanje.arg("model"), false, true, "SKEM - model*"},
        {"Da, bez imena", "", O::Da, false, pitanje.arg("Dok1"), false, true, "SKEM - Dok1*"},
        {"Ne", putanja, O::Ne, false, pitanje.arg("model"), false, false, "SKEM - Dok1"},
        {"Odustani", putanja, O::Odustani, false, pitanje.arg("model"), true, false, "SKEM - Dok1"},
        {"Zauzet", putanja, O::Da, true, "", true, false, "SKEM - Dok1"},
    };
    for (const TSlucaj& s : slucajevi) {
        SCOPED_TRACE(s.ime);
        QDir(Fascikla()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(Fascikla()));
        const QString fajl = QDir(Fascikla()).filePath(QStringLiteral("77-1.skem"));
        PisiFajl(fajl, SadrzajOporavka(primer, s.putanja, vreme));
        // A lock left by a dead process: its id inside, nobody holding it.
        PisiFajl(QDir(Fascikla()).filePath(QStringLiteral("77-1.lock")), "77\n");
        TBravaOporavka drugi;
        if (s.drziDrugi) {
            ASSERT_TRUE(drugi.Uzmi(QDir(Fascikla()).filePath(QStringLiteral("77-1.lock")), false));
        }

        auto g = SaOporavkom();
        dijalozi.Zapis.clear();
        dijalozi.Odgovori.push_back(s.odgovor);
        g->PonudiOporavak();
        dijalozi.Odgovori.clear();
        EXPECT_EQ(dijalozi.Zapis, s.zapis.isEmpty() ? QStringList() : QStringList{s.zapis});
        EXPECT_EQ(QFileInfo::exists(fajl), s.ostaje);
        EXPECT_EQ(g->windowTitle(), s.naslov);
        EXPECT_EQ(g->Izmenjen(), s.vracen);
        if (!s.vracen) {
            EXPECT_TRUE(Povrsina(*g)->Blokovi().isEmpty());
            continue;
        }
        EXPECT_EQ(DokumentUTekst(*Povrsina(*g)), ocekivano);
        EXPECT_EQ(g->PutanjaDokumenta(), s.putanja);
        // The window's own recovery file holds it from now on.
        EXPECT_EQ(Fajlovi(), QStringList{QFileInfo(g->Oporavak()->Fajl()).fileName()});
    }
}

// The measurement files come back with the document, named in full in the
// recovery file, and are drawn with the next chart; one gone meanwhile is
// told as when a document is opened. Saved, the document names them beside
// itself again.
TEST_F(Oporavak, MerenjaSeVracaju) {
    const QString dokument = temp.filePath(QStringLiteral("oscilator.skem"));
    PisiFajl(dokument, CitajFajl(Primer(QStringLiteral("oscilator.skem"))));
    const QString merenja = temp.filePath(QStringLiteral("merenja.csv"));
    const QString fajl = QDir(Fascikla()).filePath(QStringLiteral("77-1.skem"));
    for (const bool postoji : {true, false}) {
        SCOPED_TRACE(postoji ? "the file is there" : "the file is gone");
        QDir(Fascikla()).removeRecursively();
        PisiFajl(merenja, "t,x\n0,1\n1,0.5\n");
        QByteArray sadrzaj;
        {
            auto g = SaOporavkom();
            FileOpen(*g, dokument);
            ASSERT_TRUE(Prikaz(*g)->UveziMerenja(merenja));
            ASSERT_TRUE(g->Oporavak()->Snimi());
            sadrzaj = CitajFajl(g->Oporavak()->Fajl());
        }
        EXPECT_TRUE(sadrzaj.contains("<Merenja><Fajl>" + merenja.toUtf8() + "</Fajl></Merenja>"))
            << sadrzaj.right(200).toStdString();
        // Left by a process that died.
        PisiFajl(fajl, sadrzaj);
        PisiFajl(QDir(Fascikla()).filePath(QStringLiteral("77-1.lock")), "77\n");
        if (!postoji) {
            ASSERT_TRUE(QFile::remove(merenja));
        }

        auto g = SaOporavkom();
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
        g->PonudiOporavak();
        EXPECT_FALSE(QFileInfo::exists(fajl));
        EXPECT_EQ(Prikaz(*g)->FajloviMerenja({}), std::vector<QString>{merenja});
        dijalozi.Zapis.clear();
        dijalozi.Skripte.push_back(UnesiOpcije("2", "0.01", "0.1"));
        Akcija(*g, "IzvSimulaciju")->trigger();
        Deo<QCheckBox>(*g, "Oznaka2")->setChecked(true);
        Deo<QPushButton>(*g, "GoToChart")->click();
        qsizetype markera = 0;
        for (QAbstractSeries* s : Deo<QChartView>(*g, "Grafik2D")->chart()->series())
            markera += qobject_cast<QScatterSeries*>(s) != nullptr;
        EXPECT_EQ(markera, postoji ? 1 : 0);
        const QStringList greske = dijalozi.Zapis.filter(QStringLiteral("Greska"));
        if (postoji) {
            EXPECT_TRUE(greske.isEmpty()) << greske.join('\n').toStdString();
        } else {
            ASSERT_EQ(greske.size(), 1);
            EXPECT_TRUE(greske[0].startsWith("Greska: Fajl 'merenja.csv' ne moze da se otvori: "))
                << greske[0].toStdString();
        }
        Akcija(*g, "FileSave")->trigger();
        EXPECT_TRUE(CitajFajl(dokument).contains("<Merenja><Fajl>merenja.csv</Fajl></Merenja>"));
    }
}

TEST_F(Oporavak, UbijeniProgramVracaDokumentSaPovrsine) {
    const QString dokument = temp.filePath(QStringLiteral("crtez.skem"));
    const QString povrsina = temp.filePath(QStringLiteral("povrsina.xml"));
    QProcess dete;
    dete.start(QStringLiteral(OPORAVAK_DETE), {Fascikla(), dokument, povrsina});
    ASSERT_TRUE(dete.waitForStarted());
    while (!dete.canReadLine() && dete.waitForReadyRead(10000)) {
    }
    ASSERT_EQ(dete.readLine().trimmed(), "snimljeno") << dete.readAllStandardError().data();

    // While the child lives its file is its own.
    auto g = SaOporavkom();
    dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
    g->PonudiOporavak();
    EXPECT_TRUE(dijalozi.Zapis.isEmpty());

    dete.kill();
    ASSERT_TRUE(dete.waitForFinished());
    EXPECT_EQ(dete.exitStatus(), QProcess::CrashExit);
    g->PonudiOporavak();
    ASSERT_EQ(dijalozi.Zapis.size(), 1);
    EXPECT_TRUE(dijalozi.Zapis[0].startsWith(
        "Pitanje: Pronadjena je nesacuvana verzija dokumenta crtez od "))
        << dijalozi.Zapis[0].toStdString();
    const QByteArray naPovrsini = CitajFajl(povrsina);
    ASSERT_FALSE(naPovrsini.isEmpty());
    EXPECT_EQ(DokumentUTekst(*Povrsina(*g)), naPovrsini);
    EXPECT_TRUE(g->Izmenjen());
    EXPECT_EQ(g->windowTitle(), "SKEM - crtez*");
    // The autosave never wrote the document's own file; Save writes there now.
    EXPECT_NE(CitajFajl(dokument), naPovrsini);
    Akcija(*g, "FileSave")->trigger();
    EXPECT_EQ(CitajFajl(dokument), naPovrsini);
    EXPECT_TRUE(Fajlovi().isEmpty());
}

TEST_F(Oporavak, PonudaKadaSplashOmoguciProzor) {
    // The user's data folder is the scratch folder's for this test only.
    struct TPodaci {
        QByteArray stari = qgetenv("XDG_DATA_HOME");
        ~TPodaci() {
            if (stari.isEmpty())
                qunsetenv("XDG_DATA_HOME");
            else
                qputenv("XDG_DATA_HOME", stari);
        }
    } podaci;
    qputenv("XDG_DATA_HOME", temp.filePath(QStringLiteral("podaci")).toLocal8Bit());
    auto a = PokreniAplikaciju({});
    const QString fascikla = FasciklaOporavka();
    ASSERT_TRUE(fascikla.startsWith(temp.path())) << fascikla.toStdString();
    ASSERT_TRUE(QDir().mkpath(fascikla));
    const QString fajl = fascikla + QStringLiteral("/5-1.skem");
    PisiFajl(fajl, SadrzajOporavka(CitajFajl(Primer(QStringLiteral("oscilator.skem"))), {},
                                   QDateTime::currentDateTime()));
    PokreniOporavak(*a);
    dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Ne);
    a->Splash->Otkucaj(); // the window shown, still disabled: no question yet
    QCoreApplication::processEvents();
    EXPECT_TRUE(dijalozi.Zapis.isEmpty());
    a->Splash->Otkucaj();
    QCoreApplication::processEvents();
    ASSERT_EQ(dijalozi.Zapis.size(), 1);
    EXPECT_TRUE(dijalozi.Zapis[0].contains("dokumenta Dok1 od")) << dijalozi.Zapis[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(fajl));
    // Autosave writes into the same folder.
    EXPECT_EQ(a->Glavni->Oporavak()->Fascikla(), fascikla);
    a.reset();
}
