// The Qt dialogs: the save dialog appends the filter's extension and asks
// once, in the program's language, before replacing a file; the file dialogs
// start beside the document or where the last file of their kind went; they speak the program's
// language; every box and dialog opens centred on the window it belongs to.
#include "Dijalozi.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// Readable texts in the failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QString FilterSkem = QStringLiteral("SKEM fajl (*.skem)");

// Runs `korak` on the next modal window that appears.
void NaSledecemProzoru(std::function<void(QWidget*)> korak) {
    QTimer::singleShot(0, [korak] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            NaSledecemProzoru(korak);
            return;
        }
        korak(w);
    });
}

// Chooses `put` in the next file dialog; the name it proposed goes to *predlog.
void IzaberiFajl(const QString& put, QString* predlog = nullptr) {
    NaSledecemProzoru([put, predlog](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        if (predlog) {
            auto* ime = dlg->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(ime, nullptr);
            *predlog = dlg->directory().filePath(ime->text());
        }
        dlg->selectFile(put);
        QMetaObject::invokeMethod(dlg, "accept");
    });
}

// Answers the next message box; its text and button captions go to *zapis.
void Odgovori(QMessageBox::StandardButton dugme, QStringList* zapis) {
    NaSledecemProzoru([dugme, zapis](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        *zapis << box->text();
        for (QAbstractButton* b : box->buttons())
            *zapis << b->text();
        box->button(dugme)->click();
    });
}

void Napravi(const QString& put) {
    QFile f(put);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(Dijalozi, SacuvajKaoDodajeNastavakIPitaJednomPreZamene) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Napravi(dir.filePath("a.txt.skem"));
    Napravi(dir.filePath("b.skem"));
    const auto sacuvaj = [] {
        return Dijalozi().SacuvajKao(nullptr, TVrstaFajla::Dokument, "SKEM", "Dokument1",
                                     FilterSkem);
    };
    const QString pitanje = "Fajl \"%1\" vec postoji.\nDa li zelite da ga zamenite?";

    // A new name: the extension is appended, no question.
    IzaberiFajl(dir.filePath("n.txt"));
    EXPECT_EQ(sacuvaj(), dir.filePath("n.txt.skem"));

    struct TSlucaj {
        QString otkucano;
        QString postojeci;
    };
    // The name as typed, and the one the extension makes of it.
    for (const TSlucaj& s : {TSlucaj{"b.skem", "b.skem"}, TSlucaj{"a.txt", "a.txt.skem"}}) {
        SCOPED_TRACE(s.otkucano.toStdString());
        // "Ne" shows the dialog again, where another name is chosen.
        QStringList zapis;
        IzaberiFajl(dir.filePath(s.otkucano));
        Odgovori(QMessageBox::No, &zapis);
        IzaberiFajl(dir.filePath("c.skem"));
        EXPECT_EQ(sacuvaj(), dir.filePath("c.skem"));
        EXPECT_EQ(zapis, (QStringList{pitanje.arg(s.postojeci), "Da", "Ne"}));

        // "Da" takes it, after that one question.
        zapis.clear();
        IzaberiFajl(dir.filePath(s.otkucano));
        Odgovori(QMessageBox::Yes, &zapis);
        EXPECT_EQ(sacuvaj(), dir.filePath(s.postojeci));
        EXPECT_EQ(zapis.size(), 3);
    }
}

// Where the file dialogs start, step by step through a user's session: the
// open document's folder, else the last folder of the kind (kept in the
// settings file, so also by the next run), else the working folder; a save
// that failed is not offered again.
TEST(Dijalozi, FasciklaDijalogaSledecaDokument) {
    QTemporaryDir rad, dok, drugi;
    ASSERT_TRUE(rad.isValid() && dok.isValid() && drugi.isValid());
    const QString stara = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(rad.path()));
    QFile::remove(FajlPodesavanja());
    PostaviPutanjuDokumenta({});
    const QString csv = QStringLiteral("CSV fajl (*.csv)");
    const QString png = QStringLiteral("PNG slika (*.png)");
    const QString svg = QStringLiteral("SVG slika (*.svg)");
    using V = TVrstaFajla;
    struct TKorak {
        const char* opis;
        std::function<void()> pre; // what the program did before the dialog
        V vrsta;
        QString predlog, filter; // an empty predlog: the open dialog
        QString pocetak;         // where the dialog starts
        QString izabrano;        // chosen in the dialog; empty: the dialog is not shown
    };
    const std::vector<TKorak> koraci = {
        {"first run, unnamed", {}, V::Tabela, "Rezultati.csv", csv, rad.filePath("Rezultati.csv")},
        {"first run, open", {}, V::Dokument, "", FilterSkem, QDir::currentPath()},
        {"export beside the open document",
         [&] { PostaviPutanjuDokumenta(dok.filePath("m.skem")); }, V::Tabela, "Rezultati.csv", csv,
         dok.filePath("Rezultati.csv"), dok.filePath("e.csv")},
        {"the same export again", {}, V::Tabela, "Rezultati.csv", csv, dok.filePath("e.csv")},
        {"a picture",
         {},
         V::Slika,
         "Grafik.png",
         png,
         dok.filePath("Grafik.png"),
         dok.filePath("g.png")},
        {"the picture in the other format", {}, V::Slika, "Grafik.svg", svg, dok.filePath("g.svg")},
        {"open at the document",
         {},
         V::Dokument,
         "",
         FilterSkem,
         dok.filePath("m.skem"),
         dok.filePath("m.skem")},
        {"a named document's own file",
         {},
         V::Dokument,
         dok.filePath("m.skem"),
         FilterSkem,
         dok.filePath("m.skem")},
        // Chosen, but the program does not name the document after it: the save failed.
        {"a new document in the last document folder", [] { PostaviPutanjuDokumenta({}); },
         V::Dokument, "Dokument1", FilterSkem, dok.filePath("Dokument1"),
         drugi.filePath("neuspeo.skem")},
        {"open after the failed save",
         {},
         V::Dokument,
         "",
         FilterSkem,
         dok.filePath("m.skem"),
         dok.filePath("m.skem")},
        {"the open document's folder before the last export's",
         [&] { PostaviPutanjuDokumenta(drugi.filePath("n.skem")); }, V::Tabela, "Rezultati.csv",
         csv, drugi.filePath("Rezultati.csv")},
        {"the next run, elsewhere",
         [&] {
             PostaviPutanjuDokumenta({});
             QDir::setCurrent(stara);
         },
         V::Dokument, "Dokument1", FilterSkem, drugi.filePath("Dokument1")},
        {"the next run's export", {}, V::Tabela, "Rezultati.csv", csv, dok.filePath("e.csv")},
    };
    for (const TKorak& k : koraci) {
        SCOPED_TRACE(k.opis);
        if (k.pre) k.pre();
        if (k.izabrano.isEmpty()) {
            EXPECT_EQ(PocetnaPutanjaDijaloga(k.vrsta, k.predlog, k.filter), k.pocetak);
            continue;
        }
        QString predlozeno;
        IzaberiFajl(k.izabrano, &predlozeno);
        const QString izabrano =
            k.predlog.isEmpty()
                ? Dijalozi().OtvoriFajl(nullptr, k.filter)
                : Dijalozi().SacuvajKao(nullptr, k.vrsta, "Naslov", k.predlog, k.filter);
        EXPECT_EQ(izabrano, k.izabrano);
        EXPECT_EQ(predlozeno, k.pocetak);
    }
    PostaviPutanjuDokumenta({});
    QDir::setCurrent(stara);
}

TEST(Dijalozi, FajlDijaloziGovoreSrpski) {
    struct TSlucaj {
        bool otvaranje;
        QString prihvati;
    };
    for (const TSlucaj& s : {TSlucaj{true, "Otvori"}, TSlucaj{false, "Sacuvaj"}}) {
        SCOPED_TRACE(s.prihvati.toStdString());
        QStringList tekstovi;
        NaSledecemProzoru([&tekstovi](QWidget* w) {
            auto* dlg = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dlg, nullptr);
            EXPECT_TRUE(dlg->testOption(QFileDialog::DontUseNativeDialog));
            for (auto l : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType,
                           QFileDialog::Accept, QFileDialog::Reject})
                tekstovi << dlg->labelText(l);
            for (const char* ime : {"backButton", "toParentButton", "newFolderButton"})
                if (auto* b = dlg->findChild<QToolButton*>(ime)) tekstovi << b->toolTip();
            for (const char* ime : {"qt_new_folder_action", "qt_show_hidden_action"})
                if (auto* a = dlg->findChild<QAction*>(ime)) tekstovi << a->text();
            QMetaObject::invokeMethod(dlg, "reject");
        });
        if (s.otvaranje)
            Dijalozi().OtvoriFajl(nullptr, FilterSkem);
        else
            Dijalozi().SacuvajKao(nullptr, TVrstaFajla::Dokument, "SKEM", "Dokument1", FilterSkem);
        EXPECT_EQ(tekstovi,
                  (QStringList{"Trazi u:", "Ime fajla:", "Tip fajla:", s.prihvati, "Odustani",
                               "Nazad", "Nadredjena fascikla", "Nova fascikla", "&Nova fascikla",
                               "Prikazi &skrivene fajlove"}));
    }
}

TEST(Dijalozi, PitanjeNudiDaNeOdustani) {
    QStringList dugmad;
    const QMessageBox::StandardButton odgovori[] = {QMessageBox::Yes, QMessageBox::No,
                                                    QMessageBox::Cancel};
    const TDijalozi::TOdgovor ocekivano[] = {TDijalozi::TOdgovor::Da, TDijalozi::TOdgovor::Ne,
                                             TDijalozi::TOdgovor::Odustani};
    for (int i = 0; i < 3; ++i) {
        NaSledecemProzoru([&dugmad, dugme = odgovori[i]](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            dugmad = {box->button(QMessageBox::Yes)->text(), box->button(QMessageBox::No)->text(),
                      box->button(QMessageBox::Cancel)->text()};
            box->button(dugme)->click();
        });
        EXPECT_EQ(Dijalozi().Pitanje("Da li zelite da sacuvate promene?"), ocekivano[i]);
        EXPECT_EQ(dugmad, (QStringList{"Da", "Ne", "Odustani"}));
    }
}

// Off the screen's centre, so that centring on the screen shows.
TEST(Dijalozi, OtvarajuSeNaSrediniGlavnogProzora) {
    QMainWindow glavni;
    glavni.setGeometry(60, 40, 640, 480);
    glavni.show();
    const QPoint centar = glavni.frameGeometry().center();
    ASSERT_NE(centar, glavni.screen()->availableGeometry().center());
    const std::pair<const char*, std::function<void()>> slucajevi[] = {
        {"Greska", [] { Dijalozi().Greska("g"); }},
        {"Poruka", [] { Dijalozi().Poruka("p"); }},
        {"Informacija", [] { Dijalozi().Informacija("i"); }},
        {"Pitanje", [] { Dijalozi().Pitanje("?"); }},
        {"OtvoriFajl", [] { Dijalozi().OtvoriFajl(nullptr, FilterSkem); }},
        {"SacuvajKao", [&glavni] {
             Dijalozi().SacuvajKao(&glavni, TVrstaFajla::Tabela, "T", "t.csv", "CSV (*.csv)");
         }}};
    for (const auto& [ime, otvori] : slucajevi) {
        SCOPED_TRACE(ime);
        QPoint pomak(-1000, -1000);
        NaSledecemProzoru([&](QWidget* w) {
            pomak = w->frameGeometry().center() - centar;
            QMetaObject::invokeMethod(w, "reject");
        });
        otvori();
        EXPECT_LE(pomak.manhattanLength(), 1) << pomak.x() << ", " << pomak.y();
    }
}

// A window too big for the room beside its owner stays on the screen.
TEST(Dijalozi, CentriranProzorOstajeNaEkranu) {
    QWidget vlasnik, prozor;
    const QRect ekran = vlasnik.screen()->availableGeometry();
    vlasnik.setGeometry(ekran.left(), ekran.top(), 200, 150);
    vlasnik.show();
    prozor.resize(400, 300);
    CentrirajNaVlasnika(prozor, &vlasnik);
    EXPECT_EQ(prozor.frameGeometry().topLeft(), ekran.topLeft());
    // Without an owner: the screen's centre.
    CentrirajNaVlasnika(prozor, nullptr);
    EXPECT_LE((prozor.frameGeometry().center() - ekran.center()).manhattanLength(), 1);
}
