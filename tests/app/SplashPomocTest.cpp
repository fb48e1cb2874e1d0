// The splash window's two ticks, and the help viewer opening pages through
// the dialogs interface and finding them beside or above the program.
#include "Dijalozi.h"
#include "Pomoc.h"
#include "Splash.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

TEST(Splash, DvaOtkucaja) {
    QWidget glavni;
    TSplashForm splash(&glavni);
    EXPECT_EQ(splash.size(), QSize(425, 268));
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.Tajmer->interval(), 1000);

    splash.Pokreni();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.Tajmer->isActive());
    EXPECT_FALSE(glavni.isVisible());
    EXPECT_FALSE(glavni.isEnabled());

    splash.Otkucaj();
    EXPECT_TRUE(glavni.isVisible());
    EXPECT_TRUE(glavni.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(glavni.isEnabled()); // still disabled after the first tick
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.Tajmer->isActive());

    splash.Otkucaj();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.Tajmer->isActive());
    EXPECT_TRUE(glavni.isEnabled());
}

TEST(Splash, TajmerOtkucavaSam) {
    QWidget glavni;
    TSplashForm splash(&glavni);
    splash.Tajmer->setInterval(1); // the real interval is checked above
    splash.Pokreni();
    EXPECT_TRUE(QTest::qWaitFor([&] { return glavni.isEnabled(); }, 5000));
    EXPECT_EQ(splash.Otkucaji(), 2);
    EXPECT_FALSE(splash.isVisible());
}

namespace {

void Zapisi(const QString& putanja, const QByteArray& sadrzaj) {
    QFile f(putanja);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(sadrzaj);
}

} // namespace

TEST(Pomoc, OtvaraStraniceKrozDijaloge) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Zapisi(dir.filePath("index.htm"),
           "<html><head><title>SKEM 2004 - Sadrzaj</title></head>"
           "<body><p>Pocetna strana</p><a href=\"7.htm\">Integrator</a></body></html>");
    Zapisi(dir.filePath("7.htm"), "<html><head><TITLE>\n Integrator - SKEM 2004\n</TITLE></head>"
                                  "<body><p>Integrator sabira ulaz.</p></body></html>");

    auto pomoc = std::make_unique<TPomoc>();
    pomoc->PostaviFolder(dir.path());
    pomoc->Registruj();
    // Only the pages that exist, index first, titled from <title> less the
    // program's name after it.
    ASSERT_EQ(pomoc->Sadrzaj->count(), 2);
    EXPECT_EQ(pomoc->Sadrzaj->item(0)->text(), "SKEM 2004 - Sadrzaj");
    EXPECT_EQ(pomoc->Sadrzaj->item(1)->text(), "Integrator");

    Dijalozi().PrikaziPomoc(nullptr, "7.htm", true);
    EXPECT_TRUE(pomoc->isVisible());
    EXPECT_EQ(pomoc->TekucaStranica(), "7.htm");
    EXPECT_TRUE(pomoc->SadrzajVidljiv());
    EXPECT_TRUE(pomoc->Pregled->toPlainText().contains("Integrator sabira ulaz."));
    EXPECT_EQ(pomoc->Sadrzaj->currentRow(), 1);

    Dijalozi().PrikaziPomoc(nullptr, "index.htm", false);
    EXPECT_EQ(pomoc->TekucaStranica(), "index.htm");
    EXPECT_FALSE(pomoc->SadrzajVidljiv());
    EXPECT_TRUE(pomoc->Pregled->toPlainText().contains("Pocetna strana"));

    // A missing page gives a note in the viewer.
    Dijalozi().PrikaziPomoc(nullptr, "12.htm", true);
    EXPECT_TRUE(pomoc->TekucaStranica().isEmpty());
    EXPECT_TRUE(pomoc->Pregled->toPlainText().contains("12.htm"));
    EXPECT_TRUE(pomoc->Pregled->toPlainText().contains("nije pronadjena"));

    // Choosing an entry of the contents opens its page.
    QListWidgetItem* stavka = pomoc->Sadrzaj->item(1);
    QTest::mouseClick(pomoc->Sadrzaj->viewport(), Qt::LeftButton, {},
                      pomoc->Sadrzaj->visualItemRect(stavka).center());
    EXPECT_EQ(pomoc->TekucaStranica(), "7.htm");

    // Once the window is gone, asking for help is harmless.
    pomoc.reset();
    Dijalozi().PrikaziPomoc(nullptr, "index.htm", false);
}

TEST(Pomoc, BezFolderaNemaPadanja) {
    TPomoc pomoc;
    pomoc.PostaviFolder(QString());
    EXPECT_EQ(pomoc.Sadrzaj->count(), 0);
    pomoc.Prikazi("index.htm", true);
    EXPECT_TRUE(pomoc.Pregled->toPlainText().contains("nije pronadjena"));
}

TEST(Pomoc, TraziStraneKodProgramaPaUInstalaciji) {
    const QString program = QCoreApplication::applicationDirPath();
    const QStringList mesta = TPomoc::MestaPomoci();
    ASSERT_GE(mesta.size(), 2);
    EXPECT_EQ(mesta[0], program + "/help");
    // bin/skem finds <prefix>/share/skem/help.
    EXPECT_EQ(mesta[1], QFileInfo(program + "/../share/skem/help").absoluteFilePath());
}
