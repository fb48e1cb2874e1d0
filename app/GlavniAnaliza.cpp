// "Analiza": the linearization of the model around its start or around a
// time of the last run, shown on a page of its own.
#include "Glavni.h"

#include "Brojevi.h"
#include "Dijalozi.h"
#include "Linearizacija.h"
#include "Rezultati.h"
#include "RezultatiLinearizacije.h"
#include "SKEMBlok.h"
#include "SKEMRadnaPovrsina.h"
#include "uIzborLinearizacije.h"

#include <QApplication>
#include <QStackedWidget>
#include <QToolBar>

namespace {

QString Natpis(const TSKEMBlok* b) {
    return QStringLiteral("%1. %2").arg(b->LokalniBroj()).arg(b->Naziv);
}

} // namespace

void TMainForm::LinearizacijaExecute() {
    if (radUToku) return;
    const QList<TSKEMBlok*> blokovi = radnaPovrsina->Blokovi();
    std::vector<const skem::TBlokPogled*> pogledi;
    std::vector<TIzborLinearizacije::TStavka> ulazi, izlazi;
    for (TSKEMBlok* b : blokovi) {
        pogledi.push_back(b);
        const auto vrsta = skem::VrstaIzSifre(b->Sifra);
        if (skem::MozeBitiUlazLinearizacije(vrsta)) ulazi.push_back({b->LokalniBroj(), Natpis(b)});
        if (skem::URezultatima(vrsta)) izlazi.push_back({b->LokalniBroj(), Natpis(b)});
    }
    if (ulazi.empty() || izlazi.empty()) {
        Dijalozi().Greska(QStringLiteral(
            "Za linearizaciju model mora da ima ulaz (konstantu, odskocnu funkciju ili "
            "generator) i izlaz."));
        return;
    }

    // The last run's states can be used while its blocks are the model's.
    const skem::TMatricaRezultata& r = prikazRezultata->Rezultati();
    const auto& blokoviRada = prikazRezultata->Blokovi();
    bool odgovara = !r.empty() && prikazRezultata->SimuliranihTacaka() > 0 &&
                    blokoviRada.size() == static_cast<std::size_t>(blokovi.size()) &&
                    r.Kolona() == blokoviRada.size();
    for (std::size_t i = 0; odgovara && i < blokoviRada.size(); ++i)
        odgovara = blokoviRada[i].Sifra == blokovi[static_cast<qsizetype>(i)]->Sifra;
    const double p = prikazRezultata->IntervalStampe();
    std::optional<double> poslednje;
    if (odgovara) poslednje = (prikazRezultata->SimuliranihTacaka() - 1) * p;

    if (!izborLinearizacije) izborLinearizacije = new TIzborLinearizacije(this);
    TIzborLinearizacije& dijalog = *izborLinearizacije;
    dijalog.Postavi(ulazi, izlazi, poslednje);
    Dijalozi().PrikaziModalno(dijalog);
    if (!dijalog.Prihvaceno) return;

    skem::TZahtevLinearizacije zahtev;
    zahtev.Ulaz = dijalog.Ulaz;
    zahtev.Izlaz = dijalog.Izlaz;
    zahtev.SkokUlaza = dijalog.Skok;
    if (dijalog.Vreme && odgovara) {
        // The printed time nearest to the one asked for.
        const auto k = std::clamp<std::int64_t>(skem::Round(*dijalog.Vreme / p), 0,
                                                prikazRezultata->SimuliranihTacaka() - 1);
        zahtev.Vreme = static_cast<double>(k) * p;
        const double* red = r.Red(static_cast<std::size_t>(k));
        zahtev.Izlazi.assign(red, red + r.Kolona());
    }

    skem::TLinearniModel lm;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        lm = skem::Linearizuj(pogledi, zahtev);
    } catch (const std::exception& g) {
        QGuiApplication::restoreOverrideCursor();
        Dijalozi().Greska(SaPrelomima(QString::fromUtf8(g.what())));
        return;
    }
    QGuiApplication::restoreOverrideCursor();

    TPrikazLinearizacije::TNazivi nazivi;
    nazivi.Ulaz = Natpis(blokovi[zahtev.Ulaz - 1]);
    nazivi.Izlaz = Natpis(blokovi[zahtev.Izlaz - 1]);
    for (int b : lm.BlokoviStanja)
        nazivi.Stanja.push_back(Natpis(blokovi[b - 1]));
    prikazLinearizacije->Prikazi(lm, nazivi, zahtev.Vreme);
    strane->setCurrentWidget(prikazLinearizacije->Strana());
    mainToolBar->hide();
}
