#include "Pomoc.h"

#include "Dijalozi.h"
#include "VrsteElemenata.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The text of a page's <title> (without the program's name after it), or the
// page's name when it has none.
QString NaslovStranice(const QString& putanja, const QString& ime) {
    QFile f(putanja);
    if (!f.open(QIODevice::ReadOnly)) return ime;
    const QString tekst = QString::fromUtf8(f.read(64 * 1024));
    static const QRegularExpression naslov(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    const auto m = naslov.match(tekst);
    QString t = m.hasMatch() ? m.captured(1).simplified() : QString();
    // Every page names the program; the contents list does not need it each time.
    const QString program = QStringLiteral(" - SKEM 2004");
    if (t.endsWith(program) && t.size() > program.size()) t.chop(program.size());
    return t.isEmpty() ? ime : t;
}

} // namespace

TPomoc::TPomoc(QWidget* roditelj) : QWidget(roditelj, Qt::Window) {
    setObjectName(QStringLiteral("Pomoc"));
    setWindowTitle(QStringLiteral("SKEM 2004 - Pomoc"));
    resize(820, 580);

    auto* alati = new QToolBar(this);
    alati->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* sadrzaj = alati->addAction(QStringLiteral("Sadrzaj"));
    alati->addSeparator();
    QAction* nazad = alati->addAction(QStringLiteral("Nazad"));
    QAction* napred = alati->addAction(QStringLiteral("Napred"));
    QAction* pocetna = alati->addAction(QStringLiteral("Pocetna"));

    podela = new QSplitter(Qt::Horizontal, this);
    Sadrzaj = new QListWidget(podela);
    Sadrzaj->setObjectName(QStringLiteral("Sadrzaj"));
    Pregled = new QTextBrowser(podela);
    Pregled->setObjectName(QStringLiteral("Pregled"));
    Pregled->setOpenExternalLinks(true);
    podela->setStretchFactor(0, 0);
    podela->setStretchFactor(1, 1);
    podela->setSizes({220, 600});

    auto* raspored = new QVBoxLayout(this);
    raspored->setContentsMargins(0, 0, 0, 0);
    raspored->setSpacing(0);
    raspored->addWidget(alati);
    raspored->addWidget(podela, 1);

    nazad->setEnabled(false);
    napred->setEnabled(false);
    connect(Pregled, &QTextBrowser::backwardAvailable, nazad, &QAction::setEnabled);
    connect(Pregled, &QTextBrowser::forwardAvailable, napred, &QAction::setEnabled);
    connect(nazad, &QAction::triggered, Pregled, &QTextBrowser::backward);
    connect(napred, &QAction::triggered, Pregled, &QTextBrowser::forward);
    connect(pocetna, &QAction::triggered, this,
            [this] { Prikazi(QStringLiteral("index.htm"), SadrzajVidljiv()); });
    connect(sadrzaj, &QAction::triggered, this, [this] { Sadrzaj->setVisible(!SadrzajVidljiv()); });
    connect(Sadrzaj, &QListWidget::itemActivated, this, [this](QListWidgetItem* stavka) {
        Prikazi(stavka->data(Qt::UserRole).toString(), true);
    });
    connect(Sadrzaj, &QListWidget::itemClicked, this, [this](QListWidgetItem* stavka) {
        Prikazi(stavka->data(Qt::UserRole).toString(), true);
    });
    // Links between pages keep the contents list in step.
    connect(Pregled, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        if (url.isLocalFile()) {
            tekuca = QFileInfo(url.toLocalFile()).fileName();
            OznaciUSadrzaju(tekuca);
        }
    });

    PostaviFolder(PronadjiFolder());
}

TPomoc::~TPomoc() {
    if (registrovan) PostaviPrikazPomoci(nullptr);
}

QStringList TPomoc::ImenaStranica() {
    QStringList imena{QStringLiteral("index.htm"), QStringLiteral("linearizacija.htm"),
                      QStringLiteral("merenja.htm")};
    for (int sifra = 0; sifra < skem::BrojVrstaElemenata; ++sifra)
        imena << QStringLiteral("%1.htm").arg(sifra);
    return imena;
}

QStringList TPomoc::MestaPomoci() {
    const QString programDir = QCoreApplication::applicationDirPath();
    // Beside the program in the build tree; <prefix>/share/skem/help when installed.
    QStringList mesta{programDir + QStringLiteral("/help"),
                      QDir::cleanPath(programDir + QStringLiteral("/../share/skem/help"))};
    mesta << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                       QStringLiteral("skem/help"),
                                       QStandardPaths::LocateDirectory);
    return mesta;
}

QString TPomoc::PronadjiFolder() {
    for (const QString& k : MestaPomoci())
        if (QFileInfo::exists(k + QStringLiteral("/index.htm"))) return k;
    return {};
}

void TPomoc::PostaviFolder(const QString& noviFolder) {
    folder = noviFolder;
    NapuniSadrzaj();
}

void TPomoc::NapuniSadrzaj() {
    Sadrzaj->clear();
    if (folder.isEmpty()) return;
    const QDir dir(folder);
    for (const QString& ime : ImenaStranica()) {
        const QString putanja = dir.filePath(ime);
        if (!QFileInfo::exists(putanja)) continue;
        auto* stavka = new QListWidgetItem(NaslovStranice(putanja, ime), Sadrzaj);
        stavka->setData(Qt::UserRole, ime);
    }
}

void TPomoc::OznaciUSadrzaju(const QString& stranica) {
    for (int i = 0; i < Sadrzaj->count(); ++i) {
        if (Sadrzaj->item(i)->data(Qt::UserRole).toString() == stranica) {
            Sadrzaj->setCurrentRow(i);
            return;
        }
    }
    Sadrzaj->clearSelection();
}

bool TPomoc::SadrzajVidljiv() const {
    return !Sadrzaj->isHidden();
}

void TPomoc::Prikazi(const QString& stranica, bool saSadrzajem) {
    Sadrzaj->setVisible(saSadrzajem);
    const QString putanja = folder.isEmpty() ? QString() : QDir(folder).filePath(stranica);
    if (!putanja.isEmpty() && QFileInfo::exists(putanja)) {
        Pregled->setSource(QUrl::fromLocalFile(putanja));
        tekuca = stranica;
        OznaciUSadrzaju(stranica);
    } else {
        tekuca.clear();
        Pregled->setHtml(QStringLiteral("<h3>Stranica pomoci nije pronadjena</h3>"
                                        "<p>Stranica <b>%1</b> ne postoji u folderu pomoci%2.</p>")
                             .arg(stranica.toHtmlEscaped(),
                                  folder.isEmpty()
                                      ? QString()
                                      : QStringLiteral(" (%1)").arg(folder.toHtmlEscaped())));
        OznaciUSadrzaju(QString());
    }
    show();
    raise();
    activateWindow();
}

void TPomoc::Registruj() {
    registrovan = true;
    PostaviPrikazPomoci([this](QWidget*, const QString& stranica, bool saSadrzajem) {
        Prikazi(stranica, saSadrzajem);
    });
}
