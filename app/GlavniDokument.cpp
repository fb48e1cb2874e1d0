// The document commands of the main window: New, Open, Save, Save As,
// closing with the save question, the document named on the command line,
// the window title and the problem description.
#include "Glavni.h"

#include "Dijalozi.h"
#include "Dokument.h"
#include "Podsistemi.h"
#include "Rezultati.h"
#include "SKEMInspektor.h"
#include "SKEMRadnaPovrsina.h"
#include "uUnosOpisa.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <exception>

namespace {

const QString Nastavak = QStringLiteral(".skem");
const QString FilterDokumenta = QStringLiteral("SKEM fajl (*.skem)");

bool ImaNastavak(const QString& putanja) {
    return QFileInfo(putanja).fileName().endsWith(Nastavak, Qt::CaseInsensitive);
}

QString TekstGreske(const std::exception& g) {
    return QString::fromUtf8(g.what());
}

// Reads the document onto the surface and its files of measured data into the
// chart page. A document that cannot be read whole goes the surface's own way,
// with its message and what it keeps of it.
void UcitajSaMerenjima(TSKEMRadnaPovrsina& povrsina, TPrikazRezultata& prikaz,
                       const QString& puna) {
    prikaz.PostaviMerenja({}, {});
    const skem::TProcitanModel procitan = skem::ProcitajModelIzFajla(puna);
    if (procitan.Greska) return UcitajDokument(povrsina, puna);
    PostaviModel(povrsina, procitan.Model);
    prikaz.PostaviMerenja(procitan.Model.Merenja, QFileInfo(puna).absolutePath());
}

} // namespace

void TMainForm::PostaviImeDokumenta(const QString& imeFajla) {
    const QString ime = QFileInfo(imeFajla).fileName();
    const bool saNastavkom = ImaNastavak(imeFajla);
    imeDokumenta = saNastavkom ? ime.chopped(Nastavak.size()) : ime;
    if (imeDokumenta.isEmpty())
        putanjaDokumenta.clear();
    else
        // The folder is kept: Save writes where the document came from,
        // whatever the working directory is by then.
        putanjaDokumenta =
            QFileInfo(saNastavkom ? imeFajla : imeFajla + Nastavak).absoluteFilePath();
    // The file dialogs start beside the document.
    PostaviPutanjuDokumenta(putanjaDokumenta);
    OsveziNaslov();
}

bool TMainForm::Snimi(const QString& putanja) {
    try {
        // The whole document, whatever level of it the surface shows.
        skem::TModelDokumenta model = ModelDokumenta(*radnaPovrsina);
        model.Merenja = prikazRezultata->FajloviMerenja(QFileInfo(putanja).absolutePath());
        skem::SnimiModel(model, putanja);
        return true;
    } catch (const TGreskaDokumenta& g) {
        Dijalozi().Greska(g.Poruka());
    } catch (const std::exception& g) {
        Dijalozi().Greska(TekstGreske(g));
    }
    return false;
}

bool TMainForm::FileSaveExecute() {
    if (putanjaDokumenta.isEmpty()) return FileSaveAsExecute();
    if (!Snimi(putanjaDokumenta)) return false;
    OznaciSacuvano();
    UkloniOporavak();
    return true;
}

bool TMainForm::FileSaveAsExecute() {
    // The document's own file, or a new name beside the last document.
    const QString izabrano = Dijalozi().SacuvajKao(
        this, TVrstaFajla::Dokument, QStringLiteral("SKEM"),
        putanjaDokumenta.isEmpty() ? QStringLiteral("Dokument1") : putanjaDokumenta,
        FilterDokumenta);
    if (izabrano.isEmpty()) return false;
    return FileSaveAsAccept(izabrano);
}

bool TMainForm::FileSaveAsAccept(const QString& izabrano) {
    // A name without the extension gets it, rather than losing its last five characters.
    const QString putanja =
        QFileInfo(ImaNastavak(izabrano) ? izabrano : izabrano + Nastavak).absoluteFilePath();
    // The name changes only once the file is written, so a failed save leaves
    // the document as it was.
    if (!Snimi(putanja)) return false;
    PostaviImeDokumenta(putanja);
    OznaciSacuvano();
    DodajSkorasnji(putanja);
    UkloniOporavak();
    return true;
}

bool TMainForm::NoviDokument() {
    const TDijalozi::TOdgovor odgovor =
        izmenjen ? Dijalozi().Pitanje(QStringLiteral("Da li zelite da sacuvate promene?"))
                 : TDijalozi::TOdgovor::Ne;
    NazadNaModel();
    if (odgovor == TDijalozi::TOdgovor::Odustani) return false;
    if (odgovor == TDijalozi::TOdgovor::Da && !FileSaveExecute()) return false;
    try {
        radnaPovrsina->Ocisti();
    } catch (const std::exception& g) {
        Dijalozi().Greska(TekstGreske(g));
    }
    // The description belongs to the document just closed; a new one starts
    // without it, so it is not saved into the next file by mistake.
    radnaPovrsina->OpisProblema.clear();
    radnaPovrsina->MetodIntegracije.reset();
    prikazRezultata->PostaviMerenja({}, {});
    ObnoviListuBlokova();
    PocniIstoriju();
    UkloniOporavak();
    PostaviImeDokumenta(Nastavak);
    return true;
}

void TMainForm::NovDocExecute() {
    NoviDokument();
}

void TMainForm::FileOpenExecute() {
    const QString putanja = Dijalozi().OtvoriFajl(this, FilterDokumenta);
    if (!putanja.isEmpty()) OtvoriDokument(putanja);
}

void TMainForm::OtvoriDokument(const QString& putanja) {
    NazadNaModel();
    if (!NoviDokument()) return;
    const QString puna = QFileInfo(putanja).absoluteFilePath();
    try {
        UcitajSaMerenjima(*radnaPovrsina, *prikazRezultata, puna);
    } catch (const std::exception& g) {
        Dijalozi().Greska(TekstGreske(g));
        // What was read stays, unnamed and unmodified; the list shows it.
        ObnoviListuBlokova();
        PocniIstoriju();
        return;
    }
    PostaviImeDokumenta(puna);
    ObnoviListuBlokova();
    // The reader leaves a block selected: the inspector shows it as the list does.
    PrikaziUInspektoruAkoJeVidljiv();
    PocniIstoriju();
    DodajSkorasnji(puna);
    radnaPovrsina->PostaviSkrol(QPoint(0, 0));
}

void TMainForm::UcitajSaKomandneLinije(const QStringList& argumenti) {
    const QString prvi = argumenti.value(0).trimmed();
    if (prvi.isEmpty() || !QFileInfo(prvi).isFile()) return;
    const QString puna = QFileInfo(prvi).absoluteFilePath();
    try {
        UcitajSaMerenjima(*radnaPovrsina, *prikazRezultata, puna);
    } catch (const std::exception& g) {
        Dijalozi().Greska(TekstGreske(g));
        ObnoviListuBlokova();
        return;
    }
    PostaviImeDokumenta(puna);
    ObnoviListuBlokova();
    PrikaziUInspektoruAkoJeVidljiv();
    DodajSkorasnji(puna);
}

void TMainForm::closeEvent(QCloseEvent* e) {
    if (ZatvaranjeTokomRada()) {
        e->ignore();
        return;
    }
    if (izmenjen) {
        switch (Dijalozi().Pitanje(QStringLiteral("Da li zelite da sacuvate promene?"))) {
        case TDijalozi::TOdgovor::Odustani:
            e->ignore();
            return;
        case TDijalozi::TOdgovor::Da:
            // Nothing written (save-as cancelled, or the save failed): the window stays.
            if (!FileSaveExecute()) {
                e->ignore();
                return;
            }
            break;
        case TDijalozi::TOdgovor::Ne:
            break;
        }
    }
    try {
        radnaPovrsina->Ocisti();
    } catch (const std::exception& g) {
        Dijalozi().Greska(TekstGreske(g));
    }
    ZavrsiOporavak();
    e->accept();
}

void TMainForm::OpisProblemaExecute() {
    TUnosOpisa* d = UnosOpisa();
    d->PoljeOpisa->setPlainText(radnaPovrsina->OpisProblema);
    Dijalozi().PrikaziModalno(*d);
    if (!d->Prihvaceno) return;
    radnaPovrsina->OpisProblema = d->Rezultat;
    radnaPovrsina->OpisiKorak(QStringLiteral("izmena opisa problema"));
    PostaviIzmenjen(true);
    ZakaziKorak();
}
