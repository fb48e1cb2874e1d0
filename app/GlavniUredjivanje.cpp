// The main window's side of editing: the workspace's events (placement,
// wiring, selection, mode, change), the editing commands and "Simulacija".
#include "Glavni.h"

#include "Dijalozi.h"
#include "OpcijeSim.h"
#include "Rezultati.h"
#include "SKEMBlok.h"
#include "SKEMInspektor.h"
#include "SKEMRadnaPovrsina.h"
#include "uIzborUlaza.h"
#include "uUnosParam.h"

#include <QAction>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <exception>
#include <new>

// ---- the inspector ----

void TMainForm::PrikaziUInspektoru() {
    SKEMInspektor1->PrikaziBlok(SKEMRadnaPovrsina1->SelektovaniBlok);
}

void TMainForm::PrikaziUInspektoruAkoJeVidljiv() {
    // Visible as far as this window goes: collapsed by its splitter it is not.
    if (SKEMInspektor1->isVisibleTo(this)) PrikaziUInspektoru();
}

void TMainForm::ObnoviListuBlokova() {
    SKEMInspektor1->ObnoviListu(SKEMRadnaPovrsina1);
}

// ---- workspace events ----

void TMainForm::SelectBlokZaInsp() {
    PrikaziUInspektoruAkoJeVidljiv();
}

void TMainForm::BrisiBlok() {
    ObnoviListuBlokova();
}

void TMainForm::Change() {
    Izmenjen = true;
}

void TMainForm::StanjeChange() {
    const TRPStanje s = SKEMRadnaPovrsina1->Stanje();
    NovDrzac->setChecked(s == rpsDodajDrzac);
    NovaVeza->setChecked(s == rpsDodajVezuEx);
    JunctionVeza->setChecked(s == rpsKreirajJunctionEx);
}

void TMainForm::DropBlok() {
    TSKEMRadnaPovrsina* rp = SKEMRadnaPovrsina1;
    TSKEMBlok* b = rp->SelektovaniBlok;
    if (!b) return;
    if (b->brparam == 0) {
        PrikaziUInspektoru();
    } else {
        TUnosPar* d = UnosPar();
        d->PripremiRedove(b->brparam, b->Natpisi[0], b->Natpisi[1], b->Natpisi[2]);
        Dijalozi().PrikaziModalno(*d);
        if (d->Prihvaceno && rp->Blokovi().contains(b)) {
            b->Parametar1 = d->Vrednost(1);
            b->Parametar2 = d->Vrednost(2);
            b->Parametar3 = d->Vrednost(3);
            PrikaziUInspektoru();
        } else if (rp->SelektovaniBlok == b) {
            rp->ObrisiSelektovano();
        }
    }
    ObnoviListuBlokova();
}

void TMainForm::PoveziVezu() {
    // The workspace decides which inputs the connection may take; the user
    // chooses among them here.
    const TIshodVeze ishod = SKEMRadnaPovrsina1->PrihvatiVezuUIzradi(
        [this](const TSKEMBlok&, const std::array<bool, 3>& slobodni) {
            TIzborUlaza* d = IzborUlaza();
            d->RadioButton1->setEnabled(slobodni[0]);
            d->RadioButton2->setEnabled(slobodni[1]);
            d->RadioButton3->setEnabled(slobodni[2]);
            Dijalozi().PrikaziModalno(*d);
            return d->Prihvaceno ? d->IzabraniUlaz() : -1;
        });
    if (ishod != TIshodVeze::Povezana && ishod != TIshodVeze::Otkazana) return;
    PrikaziUInspektoruAkoJeVidljiv();
    Izmenjen = true;
}

// ---- editing commands ----

void TMainForm::TBObrisiClick() {
    if (!NaModelu()) return;
    if (ScrollBox1->hasFocus()) SKEMRadnaPovrsina1->ObrisiSelektovano();
}

void TMainForm::TBRotirajDClick() {
    if (!NaModelu()) return;
    if (TSKEMBlok* b = SKEMRadnaPovrsina1->SelektovaniBlok) {
        b->RotirajD();
        Izmenjen = true;
    }
}

void TMainForm::TBRotirajLClick() {
    if (!NaModelu()) return;
    if (TSKEMBlok* b = SKEMRadnaPovrsina1->SelektovaniBlok) {
        b->RotirajL();
        Izmenjen = true;
    }
}

void TMainForm::TBKreirajVezuClick() {
    if (!NaModelu()) {
        StanjeChange(); // the button shows the mode, not the click
        return;
    }
    // The action toggles itself before this runs: unchecked now means it was down.
    if (!NovaVeza->isChecked()) return;
    SKEMRadnaPovrsina1->SetStanje(rpsDodajVezuEx);
    StatusBar1->showMessage(QStringLiteral("Dodavanje veze"));
}

void TMainForm::TBKreirajJunClick() {
    if (!NaModelu()) {
        StanjeChange();
        return;
    }
    SKEMRadnaPovrsina1->SetStanje(rpsKreirajJunctionEx);
}

void TMainForm::TBKreirajDrzacClick() {
    if (!NaModelu()) {
        StanjeChange();
        return;
    }
    SKEMRadnaPovrsina1->SetStanje(rpsDodajDrzac);
}

// ---- "Simulacija" ----

void TMainForm::PrevediModelClick() {
    if (!NaModelu()) return;
    PrikazRezultata->OcistiTabelu();
    std::vector<const skem::TBlokPogled*> blokovi;
    std::vector<skem::TBlokRezultata> redovi;
    for (TSKEMBlok* b : SKEMRadnaPovrsina1->Blokovi()) {
        blokovi.push_back(b);
        redovi.push_back({b->LokalniBroj(), b->Naziv.toStdString(), b->Sifra});
    }
    try {
        Simulacija.Simuliraj(blokovi, Rezultati);
        if (Simulacija.Uspeh()) {
            PrikazRezultata->PopuniTabelu(redovi, std::move(Rezultati), Simulacija.Trajanje(),
                                          Simulacija.IntervalStampanja());
            PageControl1->setCurrentWidget(PrikazRezultata->TabelaTab);
            MainToolBar->hide();
        } else {
            PokaziBlokGreske(Simulacija.Prekid().Blok);
        }
        ZavrsiCekanje();
    } catch (const std::bad_alloc&) {
        GreskaSimulacije(QStringLiteral("Out of memory"));
    } catch (const std::exception& g) {
        GreskaSimulacije(QString::fromUtf8(g.what()));
    }
}

// After an element's error the user sees which block raised it: the block is
// selected, as a pick in the inspector's list would select it, and scrolled to.
void TMainForm::PokaziBlokGreske(int lokalniBroj) {
    const QList<TSKEMBlok*> blokovi = SKEMRadnaPovrsina1->Blokovi();
    if (lokalniBroj < 1 || lokalniBroj > blokovi.size()) return;
    TSKEMBlok* b = blokovi[lokalniBroj - 1];
    b->SetAktivno(true);
    ScrollBox1->ensureVisible(b->sceneBoundingRect(), 20, 20);
}

void TMainForm::GreskaSimulacije(const QString& tekst) {
    ZavrsiCekanje();
    Dijalozi().Greska(QStringLiteral("Doslo je do neocekivane greske tokom simulacije!\nGreska: ") +
                      tekst +
                      QStringLiteral("\nProbajte sa smanjenom duzine simulacije ili drugim "
                                     "parametrima za blokove."));
    NazadNaModel();
}
