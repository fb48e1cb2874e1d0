#include "uUnosPodsistema.h"

#include "Brojevi.h"
#include "Dijalozi.h"
#include "VrsteElemenata.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

namespace {

enum TKolona { kParametar, kNatpis, kVrednost };

// The parameters of the blocks of m (and of the subsystems in it, deeper),
// by their path under `put`.
void Sakupi(const skem::TModelDokumenta& m, std::vector<int> put,
            std::vector<TUnosPodsistema::TKandidat>& r, int dubina) {
    for (const skem::TBlokModela& b : m.Blokovi) {
        put.push_back(b.LokalniBroj);
        const auto vrsta = skem::VrstaIzSifre(b.Sifra);
        if (vrsta == skem::TVrstaElementa::Podsistem && b.Podsistem && dubina < 16) {
            Sakupi(b.Podsistem->Sadrzaj, put, r, dubina + 1);
        } else if (!skem::JePortPodsistema(vrsta)) {
            for (int k = 1; k <= std::min<int>(b.brparam, 3); ++k)
                r.push_back(
                    {put, k,
                     QStringLiteral("%1. %2: %3")
                         .arg(skem::PutanjaUTekst(put), b.Naziv, b.Natpisi[size_t(k - 1)])});
        }
        put.pop_back();
    }
}

} // namespace

TUnosPodsistema::TUnosPodsistema(QWidget* roditelj) : QDialog(roditelj) {
    setObjectName(QStringLiteral("UnosPodsistema"));
    setWindowTitle(QStringLiteral("Podsistem"));
    PoljeNaziva = new QLineEdit(this);
    PoljeNaziva->setObjectName(QStringLiteral("PoljeNaziva"));
    Tabela = new QTableWidget(0, 3, this);
    Tabela->setObjectName(QStringLiteral("TabelaParametara"));
    Tabela->setHorizontalHeaderLabels(
        {QStringLiteral("Parametar bloka"), QStringLiteral("Natpis"), QStringLiteral("Vrednost")});
    Tabela->horizontalHeader()->setSectionResizeMode(kParametar, QHeaderView::Stretch);
    Tabela->verticalHeader()->hide();
    DugmeDodaj = new QPushButton(QStringLiteral("Dodaj"), this);
    DugmeUkloni = new QPushButton(QStringLiteral("Ukloni"), this);
    DugmePrihvati = new QPushButton(QStringLiteral("Prihvati"), this);
    DugmePrihvati->setDefault(true);
    auto* odustani = new QPushButton(QStringLiteral("Odustani"), this);

    auto* forma = new QFormLayout;
    forma->addRow(QStringLiteral("Naziv:"), PoljeNaziva);
    auto* dugmad = new QHBoxLayout;
    dugmad->addWidget(DugmeDodaj);
    dugmad->addWidget(DugmeUkloni);
    dugmad->addStretch(1);
    dugmad->addWidget(DugmePrihvati);
    dugmad->addWidget(odustani);
    auto* raspored = new QVBoxLayout(this);
    raspored->addLayout(forma);
    raspored->addWidget(new QLabel(QStringLiteral("Parametri prikazani na podsistemu:"), this));
    raspored->addWidget(Tabela, 1);
    raspored->addLayout(dugmad);
    resize(560, 320);

    connect(DugmeDodaj, &QPushButton::clicked, this, [this] {
        if (!kandidati.empty()) DodajRed(0, {});
    });
    connect(DugmeUkloni, &QPushButton::clicked, this, [this] {
        if (Tabela->currentRow() >= 0) Tabela->removeRow(Tabela->currentRow());
    });
    connect(DugmePrihvati, &QPushButton::clicked, this,
            [this] { IzvrsiIPrijavi([this] { DugmePrihvatiClick(); }); });
    connect(odustani, &QPushButton::clicked, this, [this] {
        Prihvaceno = false;
        reject();
    });
}

double TUnosPodsistema::Vrednost(const TKandidat& k) const {
    const skem::TBlokModela* b =
        blok.Podsistem ? skem::BlokNaPutanji(blok.Podsistem->Sadrzaj, k.Blok) : nullptr;
    return b ? b->Parametar(k.Parametar) : 0;
}

void TUnosPodsistema::Pripremi(const skem::TBlokModela& podsistem) {
    blok = podsistem;
    Prihvaceno = false;
    kandidati.clear();
    if (blok.Podsistem) Sakupi(blok.Podsistem->Sadrzaj, {}, kandidati, 0);
    PoljeNaziva->setText(blok.Naziv);
    Tabela->setRowCount(0);
    if (!blok.Podsistem) return;
    for (const skem::TParametarPodsistema& p : blok.Podsistem->Parametri)
        for (size_t k = 0; k < kandidati.size(); ++k)
            if (kandidati[k].Blok == p.Blok && kandidati[k].Parametar == p.Parametar) {
                DodajRed(int(k), p.Natpis);
                break;
            }
}

void TUnosPodsistema::DodajRed(int k, const QString& natpis) {
    const int red = Tabela->rowCount();
    Tabela->insertRow(red);
    auto* izbor = new QComboBox(Tabela);
    for (const TKandidat& c : kandidati)
        izbor->addItem(c.Opis);
    izbor->setCurrentIndex(k);
    Tabela->setCellWidget(red, kParametar, izbor);
    Tabela->setItem(red, kNatpis, new QTableWidgetItem(natpis));
    Tabela->setItem(red, kVrednost,
                    new QTableWidgetItem(QString::fromStdString(
                        skem::RealanUTekst(Vrednost(kandidati[size_t(k)])))));
    // Another parameter picked: its value shows.
    connect(izbor, &QComboBox::currentIndexChanged, Tabela, [this, izbor](int i) {
        for (int r = 0; r < Tabela->rowCount(); ++r)
            if (Tabela->cellWidget(r, kParametar) == izbor && i >= 0)
                Tabela->item(r, kVrednost)
                    ->setText(
                        QString::fromStdString(skem::RealanUTekst(Vrednost(kandidati[size_t(i)]))));
    });
}

void TUnosPodsistema::DugmePrihvatiClick() {
    vrednosti.assign(size_t(Tabela->rowCount()), 0);
    for (int r = 0; r < Tabela->rowCount(); ++r) {
        if (Tabela->item(r, kNatpis)->text().trimmed().isEmpty()) {
            Dijalozi().Greska(QStringLiteral("Parametar u redu %1 nema natpis!").arg(r + 1));
            return;
        }
        const std::string tekst = Tabela->item(r, kVrednost)->text().trimmed().toStdString();
        if (!skem::ProcitajRealan(tekst, vrednosti[size_t(r)])) {
            Dijalozi().Greska(QStringLiteral("Vrednost u redu %1 nije broj!").arg(r + 1));
            return;
        }
    }
    Prihvaceno = true;
    accept();
}

skem::TBlokModela TUnosPodsistema::Rezultat() const {
    skem::TBlokModela r = blok;
    r.Naziv = PoljeNaziva->text().trimmed().isEmpty() ? blok.Naziv : PoljeNaziva->text().trimmed();
    if (!blok.Podsistem) return r;
    auto sadrzaj = std::make_shared<skem::TPodsistemModela>(*blok.Podsistem);
    sadrzaj->Parametri.clear();
    for (int red = 0; red < Tabela->rowCount() && size_t(red) < vrednosti.size(); ++red) {
        const auto* izbor = static_cast<const QComboBox*>(Tabela->cellWidget(red, kParametar));
        const TKandidat& k = kandidati[size_t(izbor->currentIndex())];
        sadrzaj->Parametri.push_back(
            {k.Blok, k.Parametar, Tabela->item(red, kNatpis)->text().trimmed()});
        if (skem::TBlokModela* b = skem::IzmenljivBlok(sadrzaj->Sadrzaj, k.Blok)) {
            double& p = k.Parametar == 1   ? b->Parametar1
                        : k.Parametar == 2 ? b->Parametar2
                                           : b->Parametar3;
            p = vrednosti[size_t(red)];
        }
    }
    r.Podsistem = std::move(sadrzaj);
    return r;
}
