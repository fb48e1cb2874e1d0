#include "Dijalozi.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QMainWindow>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QShowEvent>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>
#include <exception>
#include <new>

namespace {

std::function<void(QWidget*, const QString&, bool)> prikazPomoci;

// A Qt window that centres itself on its owner every time it is shown.
template <class TProzor> class TCentriran : public TProzor {
public:
    using TProzor::TProzor;

protected:
    void showEvent(QShowEvent* e) override {
        TProzor::showEvent(e);
        if (!e->spontaneous()) CentrirajNaVlasnika(*this);
    }
};

// "SKEM fajl (*.skem)" gives "skem"; a filter without one extension gives "".
QString NastavakFiltera(const QString& filter) {
    const int i = filter.indexOf(QLatin1String("*."));
    if (i < 0) return {};
    QString n;
    for (int k = i + 2; k < filter.size() && filter[k].isLetterOrNumber(); ++k)
        n += filter[k];
    return n;
}

// The open document's path; empty while it is unnamed.
QString putanjaDokumenta;

QSettings Podesavanja() {
    return QSettings(FajlPodesavanja(), QSettings::IniFormat);
}

QString KljucPutanje(TVrstaFajla vrsta) {
    static const char* const vrste[] = {"Dokument", "Tabela", "Slika"};
    return QStringLiteral("PoslednjePutanje/") + QLatin1String(vrste[static_cast<int>(vrsta)]);
}

QString PoslednjaPutanja(TVrstaFajla vrsta) {
    return Podesavanja().value(KljucPutanje(vrsta)).toString();
}

void ZapamtiPutanju(TVrstaFajla vrsta, const QString& putanja) {
    Podesavanja().setValue(KljucPutanje(vrsta), putanja);
}

// The folder a path is in, when it exists; empty otherwise.
QString PostojecaFascikla(const QString& putanja) {
    if (putanja.isEmpty()) return {};
    const QFileInfo f(putanja);
    return f.absoluteDir().exists() ? f.absolutePath() : QString();
}

// The file list's columns in the program's language; sizes and dates without
// English words.
class TSrpskiModelFajlova : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant headerData(int kolona, Qt::Orientation smer, int uloga) const override {
        static const char* const nazivi[] = {"Ime", "Velicina", "Tip", "Izmenjen"};
        if (smer == Qt::Horizontal && uloga == Qt::DisplayRole && kolona >= 0 && kolona < 4)
            return QString::fromLatin1(nazivi[kolona]);
        return QIdentityProxyModel::headerData(kolona, smer, uloga);
    }

    QVariant data(const QModelIndex& i, int uloga) const override {
        const auto* fajlovi = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!fajlovi || uloga != Qt::DisplayRole || i.column() < 1 || i.column() > 3)
            return QIdentityProxyModel::data(i, uloga);
        const QModelIndex izvor = mapToSource(i);
        const QFileInfo info = fajlovi->fileInfo(izvor);
        if (i.column() == 3)
            return fajlovi->lastModified(izvor).toString(QStringLiteral("dd.MM.yyyy. HH:mm"));
        if (i.column() == 2) {
            if (fajlovi->isDir(izvor)) return QStringLiteral("Fascikla");
            return info.suffix().isEmpty() ? QStringLiteral("Fajl")
                                           : info.suffix().toUpper() + QStringLiteral(" fajl");
        }
        if (fajlovi->isDir(izvor)) return QString();
        double velicina = static_cast<double>(fajlovi->size(izvor));
        static const char* const jedinice[] = {"B", "KB", "MB", "GB", "TB"};
        int j = 0;
        while (velicina >= 1024 && j < 4) {
            velicina /= 1024;
            ++j;
        }
        return QString::number(velicina, 'f', j == 0 ? 0 : 1) + QLatin1Char(' ') +
               QLatin1String(jedinice[j]);
    }
};

// Qt's own file dialog (never the platform's) speaking the program's language.
void PodesiFajlDijalog(QFileDialog& dlg, QFileDialog::AcceptMode mod, const QString& filter) {
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    // Replacing a file is asked about by the program itself, once.
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    dlg.setAcceptMode(mod);
    dlg.setNameFilter(filter);
    const bool otvaranje = mod == QFileDialog::AcceptOpen;
    dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("Trazi u:"));
    dlg.setLabelText(QFileDialog::FileName, QStringLiteral("Ime fajla:"));
    dlg.setLabelText(QFileDialog::FileType, QStringLiteral("Tip fajla:"));
    dlg.setLabelText(QFileDialog::Accept,
                     otvaranje ? QStringLiteral("Otvori") : QStringLiteral("Sacuvaj"));
    dlg.setLabelText(QFileDialog::Reject, QStringLiteral("Odustani"));

    const std::pair<const char*, const char*> dugmad[] = {{"backButton", "Nazad"},
                                                          {"forwardButton", "Napred"},
                                                          {"toParentButton", "Nadredjena fascikla"},
                                                          {"newFolderButton", "Nova fascikla"},
                                                          {"listModeButton", "Prikaz liste"},
                                                          {"detailModeButton", "Prikaz detalja"}};
    for (const auto& [ime, tekst] : dugmad)
        if (auto* b = dlg.findChild<QToolButton*>(QLatin1String(ime)))
            b->setToolTip(QString::fromLatin1(tekst));
    const std::pair<const char*, const char*> akcije[] = {
        {"qt_show_hidden_action", "Prikazi &skrivene fajlove"},
        {"qt_new_folder_action", "&Nova fascikla"}};
    for (const auto& [ime, tekst] : akcije)
        if (auto* a = dlg.findChild<QAction*>(QLatin1String(ime)))
            a->setText(QString::fromLatin1(tekst));
    // The list header's menu names its columns.
    const std::pair<const char*, const char*> kolone[] = {{"Show Size", "Prikazi velicinu"},
                                                          {"Show Type", "Prikazi tip"},
                                                          {"Show Date Modified", "Prikazi datum"}};
    const QList<QAction*> sveAkcije = dlg.findChildren<QAction*>();
    for (QAction* a : sveAkcije)
        for (const auto& [engleski, tekst] : kolone)
            if (a->text() == QLatin1String(engleski)) a->setText(QString::fromLatin1(tekst));
    // Renaming and deleting would ask their own questions in English; neither
    // belongs to choosing a name.
    for (const char* ime : {"qt_rename_action", "qt_delete_action"})
        if (auto* a = dlg.findChild<QAction*>(QLatin1String(ime))) a->setVisible(false);
    const QList<QShortcut*> precice = dlg.findChildren<QShortcut*>();
    for (QShortcut* p : precice)
        if (p->keys().contains(QKeySequence(Qt::Key_Delete))) p->setEnabled(false);
    dlg.setProxyModel(new TSrpskiModelFajlova(&dlg));
    // The sidebar's "Computer" entry: the file system's root instead.
    dlg.setSidebarUrls(
        {QUrl::fromLocalFile(QDir::rootPath()), QUrl::fromLocalFile(QDir::homePath())});
}

// Help is shown by the application's help window; until one is registered,
// nothing is shown (a missing help page is not an error of the program).
class TQtDijalozi : public TDijalozi {
public:
    void Greska(const QString& tekst) override {
        Prikazi(QMessageBox::Critical, SaPrelomima(tekst), QMessageBox::Ok);
    }
    void Poruka(const QString& tekst) override {
        Prikazi(QMessageBox::NoIcon, SaPrelomima(tekst), QMessageBox::Ok);
    }
    void Informacija(const QString& tekst) override {
        Prikazi(QMessageBox::Information, SaPrelomima(tekst), QMessageBox::Ok);
    }
    TOdgovor Pitanje(const QString& tekst) override {
        const int odgovor =
            Prikazi(QMessageBox::Warning, SaPrelomima(tekst),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (odgovor == QMessageBox::Yes) return TOdgovor::Da;
        if (odgovor == QMessageBox::No) return TOdgovor::Ne;
        return TOdgovor::Odustani;
    }
    QString OtvoriFajl(QWidget* roditelj, const QString& filter) override {
        TCentriran<QFileDialog> dlg(roditelj, QStringLiteral("Otvori"),
                                    PocetnaPutanjaDijaloga(TVrstaFajla::Dokument, {}, filter));
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setDefaultSuffix(QStringLiteral("skem"));
        PodesiFajlDijalog(dlg, QFileDialog::AcceptOpen, filter);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
        return dlg.selectedFiles().first();
    }
    QString SacuvajKao(QWidget* roditelj, TVrstaFajla vrsta, const QString& naslov,
                       const QString& predlog, const QString& filter) override {
        const QString nastavak = NastavakFiltera(filter);
        QString izabrano = PocetnaPutanjaDijaloga(vrsta, predlog, filter);
        for (;;) {
            TCentriran<QFileDialog> dlg(roditelj, naslov, izabrano);
            if (!nastavak.isEmpty()) dlg.setDefaultSuffix(nastavak);
            PodesiFajlDijalog(dlg, QFileDialog::AcceptSave, filter);
            if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
            izabrano = dlg.selectedFiles().first();
            // A name with another extension is saved with ours appended.
            if (!nastavak.isEmpty() &&
                !izabrano.endsWith(QLatin1Char('.') + nastavak, Qt::CaseInsensitive))
                izabrano += QLatin1Char('.') + nastavak;
            if (!QFileInfo::exists(izabrano)) break;
            const int odgovor =
                Prikazi(QMessageBox::Warning,
                        QStringLiteral("Fajl \"%1\" vec postoji.\nDa li zelite da ga zamenite?")
                            .arg(QFileInfo(izabrano).fileName()),
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
            if (odgovor == QMessageBox::Yes) break;
        }
        if (vrsta != TVrstaFajla::Dokument) ZapamtiPutanju(vrsta, izabrano);
        return izabrano;
    }

    void PrikaziModalno(QDialog& dijalog) override { dijalog.exec(); }
    void PrikaziPomoc(QWidget* roditelj, const QString& stranica, bool saSadrzajem) override {
        if (prikazPomoci) prikazPomoci(roditelj, stranica, saSadrzajem);
    }

private:
    // Every message box: the program's title, the answers in its language,
    // centred on the window it belongs to.
    static int Prikazi(QMessageBox::Icon ikona, const QString& tekst,
                       QMessageBox::StandardButtons dugmad,
                       QMessageBox::StandardButton podrazumevano = QMessageBox::NoButton) {
        TCentriran<QMessageBox> box(ikona, QApplication::applicationDisplayName(), tekst, dugmad,
                                    VlasnikDijaloga());
        const std::pair<QMessageBox::StandardButton, const char*> odgovori[] = {
            {QMessageBox::Yes, "Da"}, {QMessageBox::No, "Ne"}, {QMessageBox::Cancel, "Odustani"}};
        for (const auto& [dugme, tekstDugmeta] : odgovori)
            if (QAbstractButton* b = box.button(dugme))
                b->setText(QString::fromLatin1(tekstDugmeta));
        if (podrazumevano != QMessageBox::NoButton) box.setDefaultButton(podrazumevano);
        return box.exec();
    }
};

TQtDijalozi& QtDijalozi() {
    static TQtDijalozi d;
    return d;
}

TDijalozi* tekuci = nullptr;

} // namespace

TDijalozi& Dijalozi() {
    return tekuci ? *tekuci : QtDijalozi();
}

void PostaviDijaloge(TDijalozi* d) {
    tekuci = d;
}

void PostaviPutanjuDokumenta(const QString& putanja) {
    putanjaDokumenta = putanja;
    if (!putanja.isEmpty()) ZapamtiPutanju(TVrstaFajla::Dokument, putanja);
}

QString PocetnaPutanjaDijaloga(TVrstaFajla vrsta, const QString& predlog, const QString& filter) {
    const QString poslednji = PoslednjaPutanja(vrsta);
    if (predlog.isEmpty()) {
        for (const QString& p : {putanjaDokumenta, poslednji})
            if (!PostojecaFascikla(p).isEmpty()) return QFileInfo(p).absoluteFilePath();
        return QDir::currentPath();
    }
    // Always a full path: Qt would otherwise start in the folder any file
    // dialog visited last.
    if (QFileInfo(predlog).isAbsolute()) return predlog;
    QString fascikla = PostojecaFascikla(putanjaDokumenta);
    if (fascikla.isEmpty()) fascikla = PostojecaFascikla(poslednji);
    if (fascikla.isEmpty()) fascikla = QDir::currentPath();
    const QDir d(fascikla);
    const QString fasciklaPoslednjeg = PostojecaFascikla(poslednji);
    if (vrsta == TVrstaFajla::Dokument || fasciklaPoslednjeg.isEmpty() ||
        QDir(fasciklaPoslednjeg) != d)
        return d.absoluteFilePath(predlog);
    const QString nastavak = NastavakFiltera(filter);
    const QFileInfo p(poslednji);
    if (nastavak.isEmpty() || p.suffix().compare(nastavak, Qt::CaseInsensitive) == 0)
        return p.absoluteFilePath();
    return d.absoluteFilePath(p.completeBaseName() + QLatin1Char('.') + nastavak);
}

QString FajlPodesavanja() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/skem.ini");
}

void IzvrsiIPrijavi(const std::function<void()>& posao) {
    try {
        posao();
    } catch (const std::bad_alloc&) {
        Dijalozi().Greska(QStringLiteral("Out of memory"));
    } catch (const std::exception& g) {
        Dijalozi().Greska(QString::fromUtf8(g.what()));
    } catch (...) {
        Dijalozi().Greska(QStringLiteral("Neocekivana greska!"));
    }
}

void PostaviPrikazPomoci(std::function<void(QWidget*, const QString&, bool)> prikaz) {
    prikazPomoci = std::move(prikaz);
}

QWidget* VlasnikDijaloga() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    const QWidgetList prozori = QApplication::topLevelWidgets();
    for (QWidget* w : prozori)
        if (w->isVisible() && qobject_cast<QMainWindow*>(w)) return w;
    return nullptr;
}

void CentrirajNaVlasnika(QWidget& prozor, const QWidget* vlasnik) {
    if (vlasnik == &prozor || (vlasnik && !vlasnik->isVisible())) vlasnik = nullptr;
    QScreen* ekran = vlasnik ? vlasnik->screen() : prozor.screen();
    if (!ekran) ekran = QGuiApplication::primaryScreen();
    const QRect rad = ekran ? ekran->availableGeometry() : QRect();
    QRect okvir = prozor.frameGeometry();
    okvir.moveCenter(vlasnik ? vlasnik->frameGeometry().center() : rad.center());
    // Inside the work area; a window larger than it shows its top left corner.
    if (rad.isValid()) {
        if (okvir.right() > rad.right()) okvir.moveRight(rad.right());
        if (okvir.bottom() > rad.bottom()) okvir.moveBottom(rad.bottom());
        if (okvir.left() < rad.left()) okvir.moveLeft(rad.left());
        if (okvir.top() < rad.top()) okvir.moveTop(rad.top());
    }
    prozor.move(okvir.topLeft());
}

void CentrirajNaVlasnika(QWidget& prozor) {
    QWidget* roditelj = prozor.parentWidget();
    CentrirajNaVlasnika(prozor, roditelj ? roditelj->window() : VlasnikDijaloga());
}
