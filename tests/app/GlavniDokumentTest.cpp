// The document commands of the main window: the save question's three
// answers for New, Open and closing, Save / Save As / Open round trips with
// the title and the modified flag, failed saves, and the problem description.
#include "GlavniPomoc.h"
#include "Oporavak.h"

#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QPlainTextEdit>

using namespace glavni_test;

namespace {

const QString Pitanje = QStringLiteral("Pitanje: Da li zelite da sacuvate promene?");

} // namespace

class Dokument : public TGlavniTest {
protected:
    // A window with one dropped (so modified) block.
    std::unique_ptr<TMainForm> SaIzmenom() {
        auto g = Napravi();
        SpustiBezDijaloga(*g, 25, "Vreme", 0, {40, 40});
        EXPECT_TRUE(g->Izmenjen());
        dijalozi.Zapis.clear();
        return g;
    }
    int Blokova(const TMainForm& g) const { return Povrsina(g)->Blokovi().size(); }
};

TEST_F(Dokument, NoviBezIzmenaNePita) {
    auto g = Napravi({Primer("oscilator.skem")});
    ASSERT_FALSE(Povrsina(*g)->OpisProblema.isEmpty());
    Akcija(*g, "NovDoc")->trigger();
    EXPECT_TRUE(dijalozi.Zapis.isEmpty());
    EXPECT_EQ(Blokova(*g), 0);
    // The new document does not inherit the old one's description.
    EXPECT_TRUE(Povrsina(*g)->OpisProblema.isEmpty());
    EXPECT_EQ(g->windowTitle(), "SKEM - Dok1");
    EXPECT_EQ(Inspektor(*g)->Lista()->topLevelItemCount(), 0);
}

TEST_F(Dokument, NoviTriOdgovora) {
    { // Cancel: everything stays.
        auto g = SaIzmenom();
        Akcija(*g, "NovDoc")->trigger();
        EXPECT_EQ(dijalozi.Zapis, QStringList{Pitanje});
        EXPECT_EQ(Blokova(*g), 1);
        EXPECT_TRUE(g->Izmenjen());
    }
    { // No: the changes are dropped.
        dijalozi.Zapis.clear();
        auto g = SaIzmenom();
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Ne);
        Akcija(*g, "NovDoc")->trigger();
        EXPECT_EQ(Blokova(*g), 0);
        EXPECT_FALSE(g->Izmenjen());
        EXPECT_EQ(g->windowTitle(), "SKEM - Dok1");
    }
    { // Yes: saved first (save-as for an unnamed document), then emptied and unnamed.
        auto g = SaIzmenom();
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
        dijalozi.ImenaFajlova.push_back(temp.filePath("prvi"));
        Akcija(*g, "NovDoc")->trigger();
        EXPECT_EQ(dijalozi.Zapis, (QStringList{Pitanje, "SacuvajKao: SKEM"}));
        EXPECT_TRUE(QFileInfo::exists(temp.filePath("prvi.skem")));
        EXPECT_EQ(Blokova(*g), 0);
        EXPECT_FALSE(g->Izmenjen());
        EXPECT_EQ(g->windowTitle(), "SKEM - Dok1");
    }
    { // Yes, then the save-as dialog cancelled: nothing happens.
        dijalozi.Zapis.clear();
        auto g = SaIzmenom();
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
        Akcija(*g, "NovDoc")->trigger();
        EXPECT_EQ(Blokova(*g), 1);
        EXPECT_TRUE(g->Izmenjen());
    }
}

TEST_F(Dokument, OtvaranjeTriOdgovora) {
    const QString primer = Primer("oscilator.skem");
    { // Cancel: the current document stays, nothing is opened.
        auto g = SaIzmenom();
        FileOpen(*g, primer);
        EXPECT_EQ(dijalozi.Zapis, (QStringList{"Otvori", Pitanje}));
        EXPECT_EQ(Blokova(*g), 1);
        EXPECT_EQ(g->windowTitle(), "SKEM - Dok1*");
        EXPECT_TRUE(g->Izmenjen());
    }
    { // No: the file replaces the changes.
        auto g = SaIzmenom();
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Ne);
        FileOpen(*g, primer);
        EXPECT_EQ(Blokova(*g), 3);
        EXPECT_EQ(g->windowTitle(), "SKEM - oscilator");
        EXPECT_FALSE(g->Izmenjen());
        EXPECT_EQ(Inspektor(*g)->Lista()->topLevelItemCount(), 3);
    }
    { // Yes: the changes are saved, then the file is opened.
        auto g = SaIzmenom();
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
        dijalozi.ImenaFajlova = {primer, temp.filePath("sacuvan.skem")};
        Akcija(*g, "FileOpen")->trigger();
        EXPECT_TRUE(QFileInfo::exists(temp.filePath("sacuvan.skem")));
        EXPECT_EQ(Blokova(*g), 3);
        EXPECT_EQ(g->windowTitle(), "SKEM - oscilator");
    }
    { // The open dialog cancelled: nothing is asked.
        dijalozi.Zapis.clear();
        auto g = SaIzmenom();
        Akcija(*g, "FileOpen")->trigger();
        EXPECT_EQ(dijalozi.Zapis, QStringList{"Otvori"});
        EXPECT_EQ(Blokova(*g), 1);
    }
}

TEST_F(Dokument, OtvaranjeNeispravnogFajla) {
    const QString los = temp.filePath("los.skem");
    PisiFajl(los, "ovo nije XML");
    auto g = Napravi({Primer("oscilator.skem")});
    FileOpen(*g, los);
    ASSERT_EQ(dijalozi.Zapis.size(), 2);
    EXPECT_TRUE(dijalozi.Zapis[1].startsWith("Greska: "));
    EXPECT_EQ(g->windowTitle(), "SKEM - Dok1");
    EXPECT_TRUE(g->PutanjaDokumenta().isEmpty());
    EXPECT_FALSE(g->Izmenjen());
    // A missing file is reported the same way.
    dijalozi.Zapis.clear();
    FileOpen(*g, temp.filePath("nema.skem"));
    ASSERT_EQ(dijalozi.Zapis.size(), 2);
    EXPECT_TRUE(dijalozi.Zapis[1].startsWith("Greska: "));
}

TEST_F(Dokument, ZatvaranjeTriOdgovora) {
    { // Cancel keeps the window open and the document intact.
        auto g = SaIzmenom();
        EXPECT_FALSE(g->close());
        EXPECT_EQ(dijalozi.Zapis, QStringList{Pitanje});
        EXPECT_EQ(Blokova(*g), 1);
        EXPECT_TRUE(g->Izmenjen());
    }
    { // No closes without saving.
        auto g = SaIzmenom();
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Ne);
        EXPECT_TRUE(g->close());
    }
    { // Yes saves a named document and closes.
        auto g = SaIzmenom();
        g->PostaviImeDokumenta(temp.filePath("zatvoren.skem"));
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
        EXPECT_TRUE(g->close());
        EXPECT_TRUE(QFileInfo::exists(temp.filePath("zatvoren.skem")));
    }
    { // Yes, then the save-as dialog cancelled: the window stays open, nothing is lost.
        auto g = SaIzmenom();
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
        EXPECT_FALSE(g->close());
        EXPECT_EQ(Blokova(*g), 1);
        EXPECT_TRUE(g->Izmenjen());
    }
    { // Unmodified: closes without a question; "Izlaz" leads to the same place.
        dijalozi.Zapis.clear();
        auto g = Napravi();
        g->show();
        Akcija(*g, "FileExit")->trigger();
        EXPECT_FALSE(g->isVisible());
        EXPECT_TRUE(dijalozi.Zapis.isEmpty());
    }
}

TEST_F(Dokument, NeuspeloSnimanjeNistaNeGubi) {
    const QString nedostupno = temp.filePath("nema/fascikle/dok.skem");
    { // Save: the error, and the document stays modified and named as before.
        auto g = SaIzmenom();
        g->PostaviImeDokumenta(nedostupno);
        Akcija(*g, "FileSave")->trigger();
        ASSERT_EQ(dijalozi.Zapis.size(), 1);
        EXPECT_TRUE(dijalozi.Zapis[0].startsWith("Greska: "));
        EXPECT_TRUE(g->Izmenjen());
    }
    { // Save As to an unreachable place keeps the old name, also for the file dialogs.
        dijalozi.Zapis.clear();
        auto g = SaIzmenom();
        dijalozi.ImenaFajlova.push_back(nedostupno);
        Akcija(*g, "FileSaveAs")->trigger();
        EXPECT_EQ(g->windowTitle(), "SKEM - Dok1*");
        EXPECT_TRUE(g->Izmenjen());
        g->PostaviImeDokumenta(temp.filePath("stari.skem"));
        dijalozi.ImenaFajlova.push_back(nedostupno);
        Akcija(*g, "FileSaveAs")->trigger();
        EXPECT_EQ(g->windowTitle(), "SKEM - stari*");
        EXPECT_EQ(PocetnaPutanjaDijaloga(TVrstaFajla::Dokument, {}, "SKEM fajl (*.skem)"),
                  temp.filePath("stari.skem"));
    }
    { // New: the surface is not cleared.
        auto g = SaIzmenom();
        g->PostaviImeDokumenta(nedostupno);
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
        Akcija(*g, "NovDoc")->trigger();
        EXPECT_EQ(Blokova(*g), 1);
        EXPECT_TRUE(g->Izmenjen());
    }
    { // Closing stays open.
        auto g = SaIzmenom();
        g->PostaviImeDokumenta(nedostupno);
        dijalozi.Odgovori.push_back(TDijalozi::TOdgovor::Da);
        EXPECT_FALSE(g->close());
        EXPECT_EQ(Blokova(*g), 1);
        EXPECT_TRUE(g->Izmenjen());
    }
}

TEST_F(Dokument, SnimanjeIPonovnoOtvaranje) {
    auto g = Napravi();
    TSKEMBlok* i = SpustiBezDijaloga(*g, 10, "Integrator", 3, {60, 80});
    i->Parametar1 = 0.25;

    // Save of an unnamed document asks for a name; ".skem" is appended to a bare one.
    dijalozi.ImenaFajlova.push_back(temp.filePath("moj"));
    Akcija(*g, "FileSave")->trigger();
    EXPECT_EQ(dijalozi.Zapis, QStringList{"SacuvajKao: SKEM"});
    EXPECT_TRUE(QFileInfo::exists(temp.filePath("moj.skem")));
    EXPECT_FALSE(QFileInfo::exists(temp.filePath("moj")));
    EXPECT_EQ(g->windowTitle(), "SKEM - moj");
    EXPECT_FALSE(g->Izmenjen());

    // A second Save writes the same file without asking.
    dijalozi.Zapis.clear();
    i->Parametar1 = 0.5;
    g->PostaviIzmenjen(true);
    Akcija(*g, "FileSave")->trigger();
    EXPECT_TRUE(dijalozi.Zapis.isEmpty());
    EXPECT_FALSE(g->Izmenjen());

    // Save As names the document after the new file. Its dialog proposes the
    // document's own file; the unnamed one's a new name.
    dijalozi.ImenaFajlova.push_back(temp.filePath("drugi.skem"));
    Akcija(*g, "FileSaveAs")->trigger();
    EXPECT_EQ(dijalozi.Predlozi, (QStringList{"Dokument1", temp.filePath("moj.skem")}));
    EXPECT_EQ(g->windowTitle(), "SKEM - drugi");
    EXPECT_TRUE(QFileInfo::exists(temp.filePath("drugi.skem")));

    // Reopened, the block is back with its parameter.
    Akcija(*g, "NovDoc")->trigger();
    EXPECT_EQ(Blokova(*g), 0);
    FileOpen(*g, temp.filePath("moj.skem"));
    EXPECT_EQ(g->windowTitle(), "SKEM - moj");
    ASSERT_EQ(Blokova(*g), 1);
    TSKEMBlok* b = Povrsina(*g)->Blokovi()[0];
    EXPECT_EQ(b->Sifra, 10);
    EXPECT_DOUBLE_EQ(b->Parametar1, 0.5);
    EXPECT_FALSE(g->Izmenjen());

    // Save after Open writes the opened file's folder, whatever the working directory.
    QTemporaryDir drugaFascikla;
    ASSERT_TRUE(QDir::setCurrent(drugaFascikla.path()));
    Povrsina(*g)->PostaviSelektovaniBlok(b);
    Akcija(*g, "RotiranjeCW")->trigger();
    EXPECT_TRUE(g->Izmenjen());
    const int smer = b->Smer;
    Akcija(*g, "FileSave")->trigger();
    EXPECT_FALSE(QFileInfo::exists(drugaFascikla.filePath("moj.skem")));
    TSKEMRadnaPovrsina procitana;
    UcitajDokument(procitana, temp.filePath("moj.skem"));
    ASSERT_EQ(procitana.Blokovi().size(), 1);
    EXPECT_EQ(procitana.Blokovi()[0]->Smer, smer);
}

TEST_F(Dokument, OpisProblema) {
    auto g = Napravi();
    auto Unesi = [](const QString& tekst) {
        return [tekst](QDialog& d) {
            auto& u = dynamic_cast<TUnosOpisa&>(d);
            if (!tekst.isNull()) u.PoljeOpisa->setPlainText(tekst);
            u.DugmePrihvati->click();
        };
    };
    QString prikazano;
    dijalozi.Skripte.push_back(Unesi("prvi red\ndrugi red"));
    Akcija(*g, "OpisProblema")->trigger();
    EXPECT_EQ(Povrsina(*g)->OpisProblema, "prvi red\ndrugi red");
    EXPECT_TRUE(g->Izmenjen());

    // Shown again with its two lines; accepted unchanged it stays as it was.
    g->PostaviIzmenjen(false);
    dijalozi.Skripte.push_back([&](QDialog& d) {
        auto& u = dynamic_cast<TUnosOpisa&>(d);
        prikazano = u.PoljeOpisa->toPlainText();
        u.DugmePrihvati->click();
    });
    Akcija(*g, "OpisProblema")->trigger();
    EXPECT_EQ(prikazano, "prvi red\ndrugi red");
    EXPECT_EQ(Povrsina(*g)->OpisProblema, "prvi red\ndrugi red");
    // As the title shows it once the step has ended.
    QCoreApplication::processEvents();
    EXPECT_TRUE(g->Izmenjen());

    // Cancelled: nothing changes.
    g->PostaviIzmenjen(false);
    dijalozi.Skripte.push_back([](QDialog& d) {
        auto& u = dynamic_cast<TUnosOpisa&>(d);
        u.PoljeOpisa->setPlainText("drugo");
        u.DugmeOdustani->click();
    });
    Akcija(*g, "OpisProblema")->trigger();
    EXPECT_EQ(Povrsina(*g)->OpisProblema, "prvi red\ndrugi red");
    EXPECT_FALSE(g->Izmenjen());
}

TEST_F(Dokument, IzmeneKojeOznacavajuDokument) {
    auto g = Napravi({Primer("oscilator.skem")});
    EXPECT_FALSE(g->Izmenjen());
    // A block read from the file and then moved.
    TSKEMBlok* b = Povrsina(*g)->Blokovi()[0];
    b->OnChange(b);
    EXPECT_TRUE(g->Izmenjen());
    // A parameter edited in the inspector.
    g->PostaviIzmenjen(false);
    ASSERT_TRUE(Inspektor(*g)->OnIzmena);
    Inspektor(*g)->OnIzmena(Inspektor(*g));
    EXPECT_TRUE(g->Izmenjen());
}

// Autosave, copy, save and the undo history's step meet a connection still
// waiting for its input (the input dialog open) and a junction being drawn:
// each writes the finished document, nothing is reported, and the drawing
// then ends as it would have.
TEST_F(Dokument, PisanjeDokOdVezeSeCrta) {
    struct TPisanje {
        const char* ime;
        // Writes the document while the drawing is under way; what was written.
        std::function<QByteArray(TMainForm&)> pisi;
    };
    const QString fajl = temp.filePath("crtez.skem");
    const TPisanje pisanja[] = {
        {"autosave",
         [](TMainForm& g) {
             EXPECT_TRUE(g.Oporavak()->Snimi());
             return CitajFajl(g.Oporavak()->Fajl());
         }},
        {"copy",
         [](TMainForm& g) {
             Povrsina(g)->IzaberiSve();
             Akcija(g, "Kopiraj")->trigger();
             const QMimeData* podaci = QApplication::clipboard()->mimeData();
             return podaci ? podaci->data("application/x-skem-dokument") : QByteArray();
         }},
        {"save",
         [&fajl](TMainForm& g) {
             Akcija(g, "FileSave")->trigger();
             EXPECT_EQ(g.windowTitle(), "SKEM - crtez");
             return CitajFajl(fajl);
         }},
        {"undo step",
         [](TMainForm&) {
             QCoreApplication::processEvents();
             return QByteArray();
         }},
    };
    for (const bool junction : {false, true}) {
        for (const TPisanje& p : pisanja) {
            SCOPED_TRACE(std::string(p.ime) + (junction ? ", junction" : ", connection"));
            auto g = Napravi();
            g->UkljuciOporavak(temp.filePath("oporavak"));
            g->Oporavak()->PostaviInterval(3600 * 1000);
            g->PostaviImeDokumenta(fajl);
            TSKEMRadnaPovrsina* rp = Povrsina(*g);
            TSKEMBlok* a = SpustiBezDijaloga(*g, 10, "Integrator", 3, {20, 20});
            TSKEMBlok* p1 = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {400, 20});
            TSKEMBlok* p2 = SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {400, 300});
            if (junction) {
                dijalozi.Skripte.push_back(IzaberiUlaz(1));
                Povezi(*g, a, p1);
            }
            QCoreApplication::processEvents();
            const QByteArray pre = DokumentUTekst(*rp);
            const int gotovih = rp->Veze.size();
            dijalozi.Zapis.clear();
            QByteArray napisano;
            TSKEMBlok* kraj = junction ? p2 : p1;
            const auto pisi = [&] {
                ASSERT_NE(rp->VezaUIzradi, nullptr);
                napisano = p.pisi(*g);
            };
            if (junction) {
                ZapocniJunction(*g, rp->Veze[0], {150, rp->Veze[0]->Pocetak().y()});
                pisi();
                dijalozi.Skripte.push_back(IzaberiUlaz(1));
                PritisniBlok(kraj);
            } else {
                dijalozi.Skripte.push_back([&](QDialog& d) {
                    pisi();
                    IzaberiUlaz(1)(d);
                });
                Povezi(*g, a, kraj);
            }
            EXPECT_TRUE(dijalozi.Zapis.filter("Greska: ").isEmpty())
                << dijalozi.Zapis.join('\n').toStdString();
            // The drawing went on undisturbed.
            EXPECT_EQ(kraj->IzvorUlaza(0), a);
            EXPECT_EQ(rp->Veze.size(), gotovih + 1);
            if (!napisano.isEmpty()) {
                // The finished document: every block, no connection still drawn.
                TSKEMRadnaPovrsina procitana;
                UcitajDokumentIzTeksta(procitana, napisano);
                EXPECT_EQ(procitana.Blokovi().size(), 3);
                EXPECT_EQ(procitana.Veze.size(), gotovih);
            }
            // The drawing is one step: undone as a whole, redone as a whole.
            QCoreApplication::processEvents();
            const QByteArray posle = DokumentUTekst(*rp);
            Akcija(*g, "Ponisti")->trigger();
            EXPECT_EQ(DokumentUTekst(*Povrsina(*g)), pre);
            // Saved with the junction's new holder: the file is not the state before.
            if (p.ime == std::string("save")) EXPECT_EQ(g->Izmenjen(), junction);
            Akcija(*g, "Ponovi")->trigger();
            EXPECT_EQ(DokumentUTekst(*Povrsina(*g)), posle);
        }
    }
}

// The modified mark is what the title shows once the event loop has run: an
// action that marks the document keeps the mark until a save, also when it
// changed nothing; undo and redo clear it only at the saved state.
TEST_F(Dokument, OznakaIzmeneOstajeDoSnimanja) {
    struct TSlucaj {
        const char* ime;
        std::function<void(TMainForm&)> radnja;
    };
    const TSlucaj slucajevi[] = {
        {"description accepted unchanged",
         [this](TMainForm& g) {
             dijalozi.Skripte.push_back(
                 [](QDialog& d) { dynamic_cast<TUnosOpisa&>(d).DugmePrihvati->click(); });
             Akcija(g, "OpisProblema")->trigger();
         }},
        {"connection refused",
         [](TMainForm& g) {
             const QList<TSKEMBlok*> b = Povrsina(g)->Blokovi();
             Povezi(g, b[0], b[1]);
         }},
        {"input choice cancelled",
         [this](TMainForm& g) {
             dijalozi.Skripte.push_back(
                 [](QDialog& d) { dynamic_cast<TIzborUlaza&>(d).DugmeOdustani->click(); });
             const QList<TSKEMBlok*> b = Povrsina(g)->Blokovi();
             Povezi(g, b[0], b[2]);
         }},
    };
    for (const TSlucaj& s : slucajevi) {
        SCOPED_TRACE(s.ime);
        auto g = Napravi();
        SpustiBezDijaloga(*g, 25, "Vreme", 0, {20, 20});
        SpustiBezDijaloga(*g, 12, "Konstanta", 0, {300, 20});
        SpustiBezDijaloga(*g, 8, "Pojacanje", 1, {300, 300});
        QCoreApplication::processEvents();
        dijalozi.ImenaFajlova.push_back(temp.filePath("oznaka.skem"));
        Akcija(*g, "FileSaveAs")->trigger();
        ASSERT_EQ(g->windowTitle(), "SKEM - oznaka");
        s.radnja(*g);
        QCoreApplication::processEvents();
        EXPECT_EQ(g->windowTitle(), "SKEM - oznaka*");
        EXPECT_TRUE(g->Izmenjen());
        // Undo leaves the saved state: still modified; redo returns to it.
        Akcija(*g, "Ponisti")->trigger();
        EXPECT_EQ(g->windowTitle(), "SKEM - oznaka*");
        Akcija(*g, "Ponovi")->trigger();
        EXPECT_EQ(g->windowTitle(), "SKEM - oznaka");
    }
}

// The method accepted in the options dialog goes with the document: a change
// marks it modified and undoes as a step; the same method again changes nothing.
TEST_F(Dokument, MetodIntegracijeIdeSaDokumentom) {
    auto g = Napravi({Primer("oscilator.skem")});
    const auto pokreni = [&](int pre, int posle) {
        dijalozi.Skripte.push_back([=](QDialog& d) {
            auto& o = dynamic_cast<TOpcije&>(d);
            EXPECT_EQ(o.IzborMetoda->currentIndex(), pre); // the document's
            o.IzborMetoda->setCurrentIndex(posle);
            UnesiOpcije("1", "0.1", "0.5")(d);
        });
        Akcija(*g, "IzvSimulaciju")->trigger();
        QCoreApplication::processEvents();
        Deo<QPushButton>(*g, "BackOnModel")->click();
    };
    pokreni(0, 2); // no element: RK4, then BDF
    ASSERT_TRUE(Povrsina(*g)->MetodIntegracije);
    EXPECT_EQ(Povrsina(*g)->MetodIntegracije->Metod, skem::TMetodIntegracije::BDF);
    EXPECT_TRUE(g->Izmenjen());
    EXPECT_TRUE(DokumentUTekst(*Povrsina(*g)).contains("<Metod>bdf</Metod>"));
    g->PostaviIzmenjen(false);
    pokreni(2, 2); // the same again changes nothing
    EXPECT_FALSE(g->Izmenjen());
    // Undone, the document has no method again.
    Akcija(*g, "Ponisti")->trigger();
    EXPECT_FALSE(Povrsina(*g)->MetodIntegracije);
}
