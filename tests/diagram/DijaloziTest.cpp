// The Qt save dialog: a name typed with another extension is saved with the
// filter's extension appended, and an existing file of that name is not
// replaced without asking.
#include "Dijalozi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

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

void IzaberiFajl(const QString& put) {
    NaSledecemProzoru([put](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        dlg->selectFile(put);
        QMetaObject::invokeMethod(dlg, "accept");
    });
}

void Odgovori(QMessageBox::StandardButton dugme, QStringList* tekstovi) {
    NaSledecemProzoru([dugme, tekstovi](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        *tekstovi << box->text();
        box->button(dugme)->click();
    });
}

} // namespace

TEST(Dijalozi, SacuvajKaoDodajeNastavakIPitaPreZamene) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString postojeci = dir.filePath("a.txt.skem");
    {
        QFile f(postojeci);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    // A new name: the extension is appended, no question.
    IzaberiFajl(dir.filePath("b.txt"));
    EXPECT_EQ(Dijalozi().SacuvajKao(nullptr, "SKEM", "Dokument1", "SKEM fajl (*.skem)"),
              dir.filePath("b.txt.skem"));

    // An existing file behind the appended name: "No" shows the dialog again,
    // where another name is chosen.
    QStringList pitanja;
    IzaberiFajl(dir.filePath("a.txt"));
    Odgovori(QMessageBox::No, &pitanja);
    IzaberiFajl(dir.filePath("c.skem"));
    EXPECT_EQ(Dijalozi().SacuvajKao(nullptr, "SKEM", "Dokument1", "SKEM fajl (*.skem)"),
              dir.filePath("c.skem"));
    ASSERT_EQ(pitanja.size(), 1);
    EXPECT_TRUE(pitanja[0].contains("a.txt.skem"));

    // "Yes" takes it.
    IzaberiFajl(dir.filePath("a.txt"));
    Odgovori(QMessageBox::Yes, &pitanja);
    EXPECT_EQ(Dijalozi().SacuvajKao(nullptr, "SKEM", "Dokument1", "SKEM fajl (*.skem)"), postojeci);
    EXPECT_EQ(pitanja.size(), 2);
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
