#include "Dijalozi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

std::function<void(QWidget*, const QString&, bool)> prikazPomoci;

// "SKEM fajl (*.skem)" gives "skem"; a filter without one extension gives "".
QString NastavakFiltera(const QString& filter) {
    const int i = filter.indexOf(QLatin1String("*."));
    if (i < 0) return {};
    QString n;
    for (int k = i + 2; k < filter.size() && filter[k].isLetterOrNumber(); ++k)
        n += filter[k];
    return n;
}

// Help is shown by the application's help window; until one is registered,
// nothing is shown (a missing help page is not an error of the program).
class TQtDijalozi : public TDijalozi {
public:
    void Greska(const QString& tekst) override {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                              SaPrelomima(tekst));
    }
    void Poruka(const QString& tekst) override {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                        SaPrelomima(tekst), QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    }
    void Informacija(const QString& tekst) override {
        QMessageBox::information(QApplication::activeWindow(),
                                 QApplication::applicationDisplayName(), SaPrelomima(tekst));
    }
    TOdgovor Pitanje(const QString& tekst) override {
        QMessageBox box(
            QMessageBox::Warning, QApplication::applicationDisplayName(), SaPrelomima(tekst),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QApplication::activeWindow());
        // The answers in the program's language.
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Da"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Ne"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Odustani"));
        box.setDefaultButton(QMessageBox::Yes);
        const int odgovor = box.exec();
        if (odgovor == QMessageBox::Yes) return TOdgovor::Da;
        if (odgovor == QMessageBox::No) return TOdgovor::Ne;
        return TOdgovor::Odustani;
    }
    QString OtvoriFajl(QWidget* roditelj, const QString& filter) override {
        QFileDialog dlg(roditelj, QString(), poslednjiOtvoren_, filter);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setDefaultSuffix(QStringLiteral("skem"));
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
        poslednjiOtvoren_ = dlg.selectedFiles().first();
        return poslednjiOtvoren_;
    }
    QString SacuvajKao(QWidget* roditelj, const QString& naslov, const QString& pocetnoIme,
                       const QString& filter) override {
        const QString nastavak = NastavakFiltera(filter);
        QString izabrano = poslednjiSacuvan_.isEmpty() ? pocetnoIme : poslednjiSacuvan_;
        for (;;) {
            QFileDialog dlg(roditelj, naslov, QString(), filter);
            dlg.setAcceptMode(QFileDialog::AcceptSave);
            if (!nastavak.isEmpty()) dlg.setDefaultSuffix(nastavak);
            dlg.selectFile(izabrano);
            if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
            izabrano = dlg.selectedFiles().first();
            // A name with another extension is saved with ours appended; the
            // dialog asked about the name as typed, so ask about this one.
            if (nastavak.isEmpty() ||
                izabrano.endsWith(QLatin1Char('.') + nastavak, Qt::CaseInsensitive))
                break;
            izabrano += QLatin1Char('.') + nastavak;
            if (!QFileInfo::exists(izabrano)) break;
            const auto odgovor = QMessageBox::warning(
                roditelj, naslov,
                QStringLiteral("Fajl \"%1\" vec postoji.\nDa li zelite da ga zamenite?")
                    .arg(QFileInfo(izabrano).fileName()),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
            if (odgovor == QMessageBox::Yes) break;
        }
        poslednjiSacuvan_ = izabrano;
        return izabrano;
    }

    void PrikaziModalno(QDialog& dijalog) override { dijalog.exec(); }
    void PrikaziPomoc(QWidget* roditelj, const QString& stranica, bool saSadrzajem) override {
        if (prikazPomoci) prikazPomoci(roditelj, stranica, saSadrzajem);
    }

private:
    QString poslednjiOtvoren_;
    QString poslednjiSacuvan_;
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

void PostaviPrikazPomoci(std::function<void(QWidget*, const QString&, bool)> prikaz) {
    prikazPomoci = std::move(prikaz);
}
