// The main window's side of autosave and recovery: turning it on, the
// changes it counts, removing the window's recovery file, and the start-up
// offer of the documents an abnormal end left behind.
#include "Glavni.h"

#include "Dijalozi.h"
#include "Dokument.h"
#include "Oporavak.h"
#include "Podsistemi.h"
#include "Rezultati.h"
#include "SKEMRadnaPovrsina.h"

#include <QEvent>
#include <QFileInfo>
#include <QStatusBar>
#include <QTimer>
#include <exception>

namespace {

// The name the title would show for a document at putanja.
QString ImeZaPitanje(const QString& putanja) {
    const QString ime = QFileInfo(putanja).fileName();
    if (ime.isEmpty()) return QStringLiteral("Dok1");
    return ime.endsWith(QStringLiteral(".skem"), Qt::CaseInsensitive) ? ime.chopped(5) : ime;
}

} // namespace

void TMainForm::UkljuciOporavak(const QString& fascikla) {
    oporavak = std::make_unique<TOporavak>(fascikla);
    oporavak->Izmenjen = [this] { return izmenjen; };
    // With the measurement files by their full paths: the recovery file lives
    // elsewhere than the document.
    oporavak->Tekst = [this] {
        skem::TModelDokumenta model = ModelDokumenta(*radnaPovrsina);
        model.Merenja = prikazRezultata->FajloviMerenja({});
        return skem::ModelUTekst(model);
    };
    oporavak->Putanja = [this] { return putanjaDokumenta; };
    // A minute later it is tried again; a message box every minute would be worse.
    oporavak->OnGreska = [this](const QString& tekst) { statusnaTraka->showMessage(tekst); };
}

void TMainForm::IzmenaZaOporavak() {
    if (oporavak) oporavak->Izmena();
}

void TMainForm::UkloniOporavak() {
    if (oporavak) oporavak->Ukloni();
}

void TMainForm::ZavrsiOporavak() {
    if (oporavak) oporavak->Zavrsi();
}

void TMainForm::PonudiOporavak() {
    if (!oporavak) return;
    for (TNapusteniOporavak& n : PreuzmiNapustene(oporavak->Fascikla())) {
        const TDijalozi::TOdgovor odgovor = Dijalozi().Pitanje(
            QStringLiteral(
                "Pronadjena je nesacuvana verzija dokumenta %1 od %2. Da li zelite da je vratite?")
                .arg(ImeZaPitanje(n.Putanja), VremeOporavka(n.Vreme)));
        if (odgovor == TDijalozi::TOdgovor::Ne) {
            n.Obrisi();
            continue;
        }
        // Cancel keeps this file and the rest for the next start; after a
        // recovered document the rest wait too, the window holding one document.
        if (odgovor == TDijalozi::TOdgovor::Da && VratiOporavak(n.Fajl, n.Putanja)) n.Obrisi();
        return;
    }
}

bool TMainForm::VratiOporavak(const QString& fajl, const QString& putanja) {
    if (!NoviDokument()) return false;
    bool procitan = true;
    try {
        const skem::TProcitanModel model = skem::ProcitajModelIzFajla(fajl);
        if (model.Greska) {
            // The surface's own way, with its message and what it keeps.
            UcitajDokument(*radnaPovrsina, fajl);
        } else {
            PostaviModel(*radnaPovrsina, model.Model);
            // Read and drawn with the next chart, as when a document is opened.
            prikazRezultata->PostaviMerenja(
                model.Model.Merenja, QFileInfo(putanja.isEmpty() ? fajl : putanja).absolutePath());
        }
    } catch (const std::exception& g) {
        // What was read stays; the file stays too, to be offered again.
        Dijalozi().Greska(QString::fromUtf8(g.what()));
        procitan = false;
    }
    // The original path is kept, so Save writes where the document came from.
    PostaviImeDokumenta(putanja.isEmpty() ? QStringLiteral(".skem") : putanja);
    ObnoviListuBlokova();
    PrikaziUInspektoruAkoJeVidljiv();
    // Modified against the empty document it replaced; undo goes back to that.
    radnaPovrsina->OpisiKorak(QStringLiteral("vracanje nesacuvane verzije"));
    ZavrsiKorak();
    PostaviIzmenjen(true);
    radnaPovrsina->PostaviSkrol(QPoint(0, 0));
    // The window's own recovery file takes over before the old one goes.
    return oporavak->Snimi() && procitan;
}

void PokreniOporavak(TAplikacija& aplikacija) {
    TMainForm* g = aplikacija.Glavni.get();
    g->UkljuciOporavak(FasciklaOporavka());
    // The offer comes once the window is enabled (the splash's last tick), so
    // the question stands in front of it; only the first time.
    class TPonudaPriOmogucenju : public QObject {
    public:
        using QObject::QObject;
        bool eventFilter(QObject* o, QEvent* e) override {
            auto* prozor = static_cast<TMainForm*>(o);
            if (e->type() == QEvent::EnabledChange && prozor->isEnabled()) {
                QTimer::singleShot(0, prozor, [prozor] {
                    IzvrsiIPrijavi([prozor] { prozor->PonudiOporavak(); });
                });
                prozor->removeEventFilter(this);
                deleteLater();
            }
            return false;
        }
    };
    g->installEventFilter(new TPonudaPriOmogucenju(g));
}
