// Renders the application's dialogs and small windows to PNG files (in
// /tmp/skem-dijalozi, or the folder given as the first argument) so their
// looks can be checked by eye.
#include "OpcijeSim.h"
#include "Pomoc.h"
#include "SKEMSplit.h"
#include "Splash.h"
#include "uIzborUlaza.h"
#include "uUnosOpisa.h"
#include "uUnosParam.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <cstdio>

namespace {

bool Sacuvaj(QWidget& w, const QString& folder, const QString& ime) {
    w.show();
    QApplication::processEvents();
    const QString putanja = QDir(folder).filePath(ime + QStringLiteral(".png"));
    const bool ok = w.grab().save(putanja);
    std::printf("%s %s\n", ok ? "napravljeno" : "GRESKA", qPrintable(putanja));
    w.hide();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/skem-dijalozi");
    QDir().mkpath(folder);
    bool ok = true;

    TOpcije opcije;
    opcije.PoljeTrajanja->setText(QStringLiteral("10"));
    opcije.PoljeIntervala->setText(QStringLiteral("0.01"));
    opcije.PoljeIntervalaStampanja->setText(QStringLiteral("0.1"));
    ok &= Sacuvaj(opcije, folder, QStringLiteral("opcije"));
    // A variable-step method: the tolerances open, the step is the largest one.
    opcije.PostaviMetod(skem::TMetodDokumenta{skem::TMetodIntegracije::BDF, 1e-8, 1e-12});
    ok &= Sacuvaj(opcije, folder, QStringLiteral("opcije_bdf"));

    TUnosPar par;
    par.PripremiRedove(2, QStringLiteral("Pojacanje"), QStringLiteral("Pocetni uslov"),
                       QStringLiteral("x"));
    ok &= Sacuvaj(par, folder, QStringLiteral("unos_parametara"));

    TIzborUlaza izbor;
    izbor.DugmeUlaza1->setEnabled(false);
    ok &= Sacuvaj(izbor, folder, QStringLiteral("izbor_ulaza"));

    TUnosOpisa opis;
    opis.PoljeOpisa->setPlainText(
        QStringLiteral("Model oscilatora drugog reda: dva integratora u povratnoj sprezi,\n"
                       "pojacanje -1. Trazi se odziv na pocetni uslov x(0) = 1."));
    ok &= Sacuvaj(opis, folder, QStringLiteral("opis_problema"));

    QWidget prozor;
    auto* r = new QHBoxLayout(&prozor);
    r->setContentsMargins(0, 0, 0, 0);
    r->setSpacing(0);
    auto* paleta = new QLabel(QStringLiteral("paleta"));
    paleta->setFixedWidth(120);
    paleta->setAlignment(Qt::AlignCenter);
    auto* levi = new TSKEMSplit(TSKEMSplit::TPoravnanje::alLevo);
    levi->PostaviAktivniPanel(paleta);
    auto* centar = new QLabel(QStringLiteral("radna povrsina"));
    centar->setAlignment(Qt::AlignCenter);
    auto* inspektor = new QLabel(QStringLiteral("inspektor"));
    inspektor->setFixedWidth(120);
    inspektor->setAlignment(Qt::AlignCenter);
    auto* desni = new TSKEMSplit(TSKEMSplit::TPoravnanje::alDesno);
    desni->setFixedWidth(9);
    desni->PostaviAktivniPanel(inspektor);
    r->addWidget(paleta);
    r->addWidget(levi);
    r->addWidget(centar, 1);
    r->addWidget(desni);
    r->addWidget(inspektor);
    prozor.resize(480, 300);
    prozor.show();
    QApplication::processEvents();
    // The splitters' buttons magnified, with the right one hovered.
    QMouseEvent iznad(QEvent::MouseMove, desni->PravougaonikTastera().center(),
                      desni->mapToGlobal(desni->PravougaonikTastera().center()), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(desni, &iznad);
    QPixmap uvecano(2 * 9 * 8 + 8, 300 * 4);
    uvecano.fill(Qt::white);
    {
        QPainter p(&uvecano);
        p.drawPixmap(QRect(0, 0, 8 * 8, 300 * 4), levi->grab());
        p.drawPixmap(QRect(8 * 8 + 8, 0, 9 * 8, 300 * 4), desni->grab());
    }
    uvecano.save(QDir(folder).filePath(QStringLiteral("splitovi_uvecano.png")));
    ok &= Sacuvaj(prozor, folder, QStringLiteral("splitovi"));

    QWidget glavni;
    TSplashForm splash(&glavni);
    ok &= Sacuvaj(splash, folder, QStringLiteral("splash"));

    TPomoc pomoc;
    const QString izvor = qEnvironmentVariable("SKEM_SOURCE_DIR");
    if (!izvor.isEmpty()) pomoc.PostaviFolder(izvor + QStringLiteral("/resources/help"));
    pomoc.Prikazi(QStringLiteral("7.htm"), true);
    ok &= Sacuvaj(pomoc, folder, QStringLiteral("pomoc"));

    return ok ? 0 : 1;
}
