// The main window's side of editing: the workspace's events (placement,
// wiring, selection, mode, change), the editing commands and "Simulacija".
#include "Glavni.h"

#include "Dijalozi.h"
#include "Dokument.h"
#include "Laboratorija.h"
#include "OpcijeSim.h"
#include "Podsistemi.h"
#include "Rezultati.h"
#include "SKEMBlok.h"
#include "SKEMInspektor.h"
#include "SKEMRadnaPovrsina.h"
#include "VrsteElemenata.h"
#include "uIzborUlaza.h"
#include "uUnosParam.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <exception>
#include <new>
#include <utility>

// ---- the inspector ----

void TMainForm::PrikaziUInspektoru() {
    inspektor->PrikaziBlok(radnaPovrsina->SelektovaniBlok);
}

void TMainForm::PrikaziUInspektoruAkoJeVidljiv() {
    // Visible as far as this window goes: collapsed by its splitter it is not.
    if (inspektor->isVisibleTo(this)) PrikaziUInspektoru();
}

void TMainForm::ObnoviListuBlokova() {
    inspektor->ObnoviListu(radnaPovrsina);
}

// ---- workspace events ----

void TMainForm::SelectBlokZaInsp() {
    PrikaziUInspektoruAkoJeVidljiv();
}

void TMainForm::BrisiBlok() {
    ObnoviListuBlokova();
}

void TMainForm::Change() {
    PostaviIzmenjen(true);
    ZakaziKorak();
}

void TMainForm::StanjeChange() {
    const TRPStanje s = radnaPovrsina->Stanje();
    novDrzac->setChecked(s == rpsDodajDrzac);
    novaVeza->setChecked(s == rpsDodajVezuEx);
    junctionVeza->setChecked(s == rpsKreirajJunctionEx);
}

void TMainForm::DropBlok() {
    TSKEMRadnaPovrsina* rp = radnaPovrsina;
    TSKEMBlok* b = rp->SelektovaniBlok;
    if (!b) return;
    if (b->brparam == 0) {
        PrikaziUInspektoru();
    } else {
        TUnosPar* d = UnosPar();
        PripremiUnosParametara(*d, *b, true);
        Dijalozi().PrikaziModalno(*d);
        if (d->Prihvaceno && rp->Blokovi().contains(b)) {
            PrimeniUnosParametara(*d, *b);
            PrikaziUInspektoru();
            ZakaziKorak(); // the values belong to the drop's step
        } else if (rp->SelektovaniBlok == b) {
            rp->ObrisiSelektovano();
        }
    }
    ObnoviListuBlokova();
}

void TMainForm::PoveziVezu() {
    // The workspace decides which inputs the connection may take; the user
    // chooses among them here.
    const TIshodVeze ishod = radnaPovrsina->PrihvatiVezuUIzradi(
        [this](const TSKEMBlok& kraj, const std::array<bool, 3>& slobodni) {
            TIzborUlaza* d = IzborUlaza();
            if (kraj.Podsistem) {
                // One slot for each of its inputs, named as its port is.
                const QStringList imena = kraj.ImenaPortova(true);
                QStringList natpisi;
                for (int k = 0; k < kraj.MaxUlaznihVeza; ++k)
                    natpisi << (imena.value(k).isEmpty()
                                    ? QStringLiteral("Ulaz %1").arg(k + 1)
                                    : QStringLiteral("%1: %2").arg(k + 1).arg(imena[k]));
                d->PostaviUlaze(natpisi);
                for (int k = 0; k < d->BrojUlaza(); ++k)
                    d->DugmeUlaza(k)->setEnabled(
                        !(k < 3 ? kraj.Ulazi[size_t(k)] : kraj.DaljiUlazi.value(k - 3)));
            } else {
                d->PostaviUlaze();
                d->DugmeUlaza1->setEnabled(slobodni[0]);
                d->DugmeUlaza2->setEnabled(slobodni[1]);
                d->DugmeUlaza3->setEnabled(slobodni[2]);
            }
            Dijalozi().PrikaziModalno(*d);
            return d->Prihvaceno ? d->IzabraniUlaz() : -1;
        });
    if (ishod != TIshodVeze::Povezana && ishod != TIshodVeze::Otkazana) return;
    PrikaziUInspektoruAkoJeVidljiv();
    PostaviIzmenjen(true);
}

// ---- editing commands ----

void TMainForm::EditObrisiExecute() {
    if (!NaModelu()) return;
    if (pogledPovrsine->hasFocus()) radnaPovrsina->ObrisiSelektovano();
}

void TMainForm::RotiranjeCWExecute() {
    if (!NaModelu()) return;
    if (radnaPovrsina->RotirajIzabrane(true)) PostaviIzmenjen(true);
}

void TMainForm::RotiranjeCCWExecute() {
    if (!NaModelu()) return;
    if (radnaPovrsina->RotirajIzabrane(false)) PostaviIzmenjen(true);
}

void TMainForm::NovaVezaExecute() {
    if (!NaModelu()) {
        StanjeChange(); // the button shows the mode, not the click
        return;
    }
    // The action toggles itself before this runs: unchecked now means it was down.
    if (!novaVeza->isChecked()) return;
    radnaPovrsina->SetStanje(rpsDodajVezuEx);
    statusnaTraka->showMessage(QStringLiteral("Dodavanje veze"));
}

void TMainForm::JunctionVezaExecute() {
    if (!NaModelu()) {
        StanjeChange();
        return;
    }
    radnaPovrsina->SetStanje(rpsKreirajJunctionEx);
}

void TMainForm::NovDrzacExecute() {
    if (!NaModelu()) {
        StanjeChange();
        return;
    }
    radnaPovrsina->SetStanje(rpsDodajDrzac);
}

// ---- "Simulacija" ----

void TMainForm::PrevediModelClick() {
    if (!NaModelu() || radUToku) return;
    const QStringList oznaceni = prikazRezultata->OznaceniBlokovi();
    prikazRezultata->OcistiTabelu();
    std::vector<const skem::TBlokPogled*> blokovi;
    std::vector<skem::TBlokRezultata> redovi;
    ravanRada.reset();
    // A document with subsystems runs as its flat view, whatever level is shown.
    bool hijerarhija = DubinaNivoa(*radnaPovrsina) > 0;
    for (TSKEMBlok* b : radnaPovrsina->Blokovi()) {
        const skem::TVrstaElementa vrsta = skem::VrstaIzSifre(b->Sifra);
        hijerarhija = hijerarhija || b->Podsistem || vrsta == skem::TVrstaElementa::Podsistem ||
                      skem::JePortPodsistema(vrsta);
    }
    if (hijerarhija) {
        try {
            ravanRada = std::make_unique<skem::TRavanModel>(
                skem::RavanModel(ModelDokumenta(*radnaPovrsina)));
        } catch (const TGreskaDokumenta& g) {
            Dijalozi().Greska(g.Poruka());
            return;
        }
        blokovi = ravanRada->Kopija.Lista();
        redovi = ravanRada->Blokovi;
    } else {
        for (TSKEMBlok* b : radnaPovrsina->Blokovi()) {
            blokovi.push_back(b);
            redovi.push_back({b->LokalniBroj(), b->Naziv.toStdString(), b->Sifra});
        }
    }
    try {
        zaustaviRad = false;
        const QPointer<QWidget> fokus = QApplication::focusWidget();
        Opcije()->PostaviMetod(radnaPovrsina->MetodIntegracije);
        if (simulacija.Pripremi(blokovi)) {
            ZapamtiMetod();
            PripremiLaboratoriju(oznaceni);
            try {
                IzvediUPozadini(fokus);
            } catch (...) {
                ZavrsiLaboratoriju(false);
                throw;
            }
        }
        if (simulacija.Zaustavljena()) {
            // Nothing of the document changed; a close asked for meanwhile follows.
            ZavrsiCekanje();
            if (!zatvoriPosleRada)
                Dijalozi().Poruka(QString::fromUtf8(skem::TSimulacija::PorukaPrekinuta));
        } else if (simulacija.Uspeh()) {
            // A Quit may end the run at D exactly: the stop is said either way.
            // A solver that could not go on says so; its rows so far are shown.
            const QString resavac = QString::fromStdString(simulacija.PorukaResavaca());
            if (!resavac.isEmpty()) Dijalozi().Greska(resavac);
            const TKrajRada kraj{simulacija.Prekid().Vrsta == skem::TStanjeRada::Quit ||
                                     simulacija.VremeZaustavljanja() != simulacija.Trajanje(),
                                 simulacija.VremeZaustavljanja(), simulacija.KorakVremena(),
                                 resavac.section('\n', 0, 0)};
            prikazRezultata->PopuniTabelu(redovi, std::move(rezultati), simulacija.Trajanje(),
                                          simulacija.IntervalStampanja(), kraj);
            strane->setCurrentWidget(prikazRezultata->TabelaTab());
            mainToolBar->hide();
        } else {
            if (strane->currentWidget() == laboratorija) NazadNaModel();
            // Inside a subsystem: that level opens with the block selected.
            PokaziBlokGreske(simulacija.Prekid().Blok);
        }
        ZavrsiLaboratoriju(simulacija.Uspeh());
        ZavrsiCekanje();
    } catch (const std::bad_alloc&) {
        GreskaSimulacije(QStringLiteral("Out of memory"));
    } catch (const std::exception& g) {
        GreskaSimulacije(QString::fromUtf8(g.what()));
    }
    if (std::exchange(zatvoriPosleRada, false)) QTimer::singleShot(0, this, [this] { close(); });
}

// The method accepted in the options dialog goes with the document: a change
// is an edit (undone as one, and saved).
void TMainForm::ZapamtiMetod() {
    const skem::TMetodDokumenta izabran = Opcije()->Metod();
    std::optional<skem::TMetodDokumenta> novi;
    if (izabran.Metod != skem::TMetodIntegracije::RK4) novi = izabran;
    if (novi == radnaPovrsina->MetodIntegracije) return;
    radnaPovrsina->MetodIntegracije = novi;
    radnaPovrsina->OpisiKorak(QStringLiteral("izmena metoda integracije"));
    PostaviIzmenjen(true);
    ZakaziKorak();
}

// After an element's error the user sees which block raised it: the block is
// selected, as a pick in the inspector's list would select it, and scrolled to.
void TMainForm::PokaziBlokGreske(int lokalniBroj) {
    // Inside a subsystem: that level is opened and the block selected there.
    if (ravanRada) {
        if (lokalniBroj >= 1 && size_t(lokalniBroj) <= ravanRada->Putanje.size())
            PokaziPutanju(ravanRada->Putanje[size_t(lokalniBroj - 1)]);
        return;
    }
    const QList<TSKEMBlok*> blokovi = radnaPovrsina->Blokovi();
    if (lokalniBroj < 1 || lokalniBroj > blokovi.size()) return;
    TSKEMBlok* b = blokovi[lokalniBroj - 1];
    b->SetAktivno(true);
    pogledPovrsine->ensureVisible(b->sceneBoundingRect(), 20, 20);
}

void TMainForm::GreskaSimulacije(const QString& tekst) {
    ZavrsiCekanje();
    Dijalozi().Greska(QStringLiteral("Doslo je do neocekivane greske tokom simulacije!\nGreska: ") +
                      tekst +
                      QStringLiteral("\nProbajte sa smanjenom duzine simulacije ili drugim "
                                     "parametrima za blokove."));
    NazadNaModel();
}
