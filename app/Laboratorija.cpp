#include "Laboratorija.h"

#include "Brojevi.h"
#include "Dijalozi.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

QString Tekst(double v) {
    return QString::fromStdString(skem::RealanUTekst(v));
}

QString NazivCilja(const skem::TKlizacModela& k) {
    return QStringLiteral("%1.p%2").arg(skem::PutanjaUTekst(k.Blok)).arg(k.Parametar);
}

} // namespace

TLaboratorija::TLaboratorija(QWidget* roditelj) : QWidget(roditelj) {
    setObjectName(QStringLiteral("Laboratorija"));
    auto* glavni = new QHBoxLayout(this);

    auto* levo = new QVBoxLayout;
    grafik = new QChart;
    grafik->legend()->setAlignment(Qt::AlignBottom);
    osaX = new QValueAxis(grafik);
    osaY = new QValueAxis(grafik);
    osaX->setTitleText(QStringLiteral("t"));
    grafik->addAxis(osaX, Qt::AlignBottom);
    grafik->addAxis(osaY, Qt::AlignLeft);
    pogled = new QChartView(grafik, this);
    pogled->setObjectName(QStringLiteral("LiveGrafik"));
    pogled->setRenderHint(QPainter::Antialiasing);
    pogled->setMinimumSize(320, 240);
    napomena = new QLabel(this);
    napomena->setObjectName(QStringLiteral("NapomenaLaboratorije"));
    napomena->setWordWrap(true);
    levo->addWidget(pogled, 1);
    levo->addWidget(napomena);
    glavni->addLayout(levo, 1);

    auto* desno = new QVBoxLayout;
    auto* naslov = new QLabel(QStringLiteral("Klizaci"), this);
    QFont f = naslov->font();
    f.setBold(true);
    naslov->setFont(f);
    desno->addWidget(naslov);
    auto* skrol = new QScrollArea(this);
    skrol->setWidgetResizable(true);
    panelKlizaca = new QWidget(skrol);
    panelKlizaca->setObjectName(QStringLiteral("PanelKlizaca"));
    rasporedKlizaca = new QVBoxLayout(panelKlizaca);
    rasporedKlizaca->addStretch(1);
    skrol->setWidget(panelKlizaca);
    skrol->setMinimumWidth(300);
    desno->addWidget(skrol, 2);
    zadrzi = new QCheckBox(QStringLiteral("Zadrzi vrednosti klizaca"), this);
    zadrzi->setObjectName(QStringLiteral("ZadrziKlizace"));
    zadrzi->setToolTip(QStringLiteral("Posle simulacije parametri blokova dobijaju vrednosti "
                                      "klizaca; inace ostaju kakvi su bili pre nje"));
    desno->addWidget(zadrzi);
    desno->addWidget(new QLabel(QStringLiteral("Izmene tokom simulacije"), this));
    listaIzmena = new QPlainTextEdit(this);
    listaIzmena->setObjectName(QStringLiteral("ListaIzmena"));
    listaIzmena->setReadOnly(true);
    desno->addWidget(listaIzmena, 1);
    auto* dugmad = new QHBoxLayout;
    sacuvajIzmene = new QPushButton(QStringLiteral("Sacuvaj izmene"), this);
    sacuvajIzmene->setObjectName(QStringLiteral("SacuvajIzmene"));
    sacuvajIzmene->setToolTip(
        QStringLiteral("Izmene kao CSV (t,parametar,vrednost), za skem --run ... --izmene"));
    connect(sacuvajIzmene, &QPushButton::clicked, this, [this] {
        IzvrsiIPrijavi([this] {
            const QString ime = Dijalozi().SacuvajKao(
                this, TVrstaFajla::Tabela, QStringLiteral("Izmene parametara"),
                QStringLiteral("Izmene.csv"), QStringLiteral("CSV fajl (*.csv)"));
            if (!ime.isEmpty()) SacuvajIzmene(ime);
        });
    });
    auto* nazad = new QPushButton(QStringLiteral("Nazad"), this);
    nazad->setObjectName(QStringLiteral("NazadSaLaboratorije"));
    connect(nazad, &QPushButton::clicked, this, [this] {
        if (OnNazad) OnNazad();
    });
    dugmad->addWidget(sacuvajIzmene);
    dugmad->addStretch(1);
    dugmad->addWidget(nazad);
    desno->addLayout(dugmad);
    glavni->addLayout(desno);
    PrikaziIzmene();
    napomena->setText(QStringLiteral("Blokovi za pracenje se biraju komandom \"Prati tokom "
                                     "simulacije\" u meniju bloka; klizaci komandom \"Dodaj "
                                     "klizac\" u meniju parametra u inspektoru."));
}

TLaboratorija::~TLaboratorija() = default;

int TLaboratorija::Polozaj(const skem::TKlizacModela& k, double v) {
    if (!(k.Max > k.Min)) return 0;
    const double u = (v - k.Min) / (k.Max - k.Min) * Podela;
    return static_cast<int>(std::lround(std::clamp(u, 0.0, double(Podela))));
}

double TLaboratorija::Vrednost(const skem::TKlizacModela& k, int polozaj) {
    return skem::VrednostIzmene(k.Min + (k.Max - k.Min) * polozaj / Podela);
}

bool TLaboratorija::ZadrziVrednosti() const {
    return zadrzi->isChecked();
}

void TLaboratorija::PostaviKlizace(const std::vector<skem::TKlizacModela>& novi,
                                   const std::vector<QString>& nazivi,
                                   const std::vector<double>& vrednosti) {
    klizaci = novi;
    naziviKlizaca = nazivi;
    vrednostiKlizaca = vrednosti;
    naziviKlizaca.resize(klizaci.size());
    vrednostiKlizaca.resize(klizaci.size());
    NapraviKlizace();
}

void TLaboratorija::NapraviKlizace() {
    while (rasporedKlizaca->count() > 1) {
        QLayoutItem* s = rasporedKlizaca->takeAt(0);
        delete s->widget();
        delete s;
    }
    klizaciUI.clear();
    vrednostiUI.clear();
    for (std::size_t i = 0; i < klizaci.size(); ++i) {
        const skem::TKlizacModela& k = klizaci[i];
        auto* red = new QWidget(panelKlizaca);
        auto* r = new QVBoxLayout(red);
        r->setContentsMargins(0, 0, 0, 6);
        auto* vrh = new QHBoxLayout;
        auto* ime = new QLabel(NazivCilja(k) + QLatin1Char(' ') + naziviKlizaca[i], red);
        auto* vrednost = new QLabel(Tekst(vrednostiKlizaca[i]), red);
        vrednost->setObjectName(QStringLiteral("VrednostKlizaca%1").arg(i + 1));
        auto* ukloni = new QToolButton(red);
        ukloni->setText(QStringLiteral("x"));
        ukloni->setToolTip(QStringLiteral("Ukloni klizac"));
        vrh->addWidget(ime, 1);
        vrh->addWidget(vrednost);
        vrh->addWidget(ukloni);
        r->addLayout(vrh);
        auto* klizac = new QSlider(Qt::Horizontal, red);
        klizac->setObjectName(QStringLiteral("Klizac%1").arg(i + 1));
        klizac->setRange(0, Podela);
        klizac->setValue(Polozaj(k, vrednostiKlizaca[i]));
        klizac->setEnabled(uToku);
        r->addWidget(klizac);
        auto* granice = new QHBoxLayout;
        auto* min = new QLineEdit(Tekst(k.Min), red);
        auto* max = new QLineEdit(Tekst(k.Max), red);
        min->setObjectName(QStringLiteral("MinKlizaca%1").arg(i + 1));
        max->setObjectName(QStringLiteral("MaxKlizaca%1").arg(i + 1));
        granice->addWidget(new QLabel(QStringLiteral("min"), red));
        granice->addWidget(min);
        granice->addWidget(new QLabel(QStringLiteral("max"), red));
        granice->addWidget(max);
        r->addLayout(granice);
        rasporedKlizaca->insertWidget(rasporedKlizaca->count() - 1, red);
        klizaciUI.push_back(klizac);
        vrednostiUI.push_back(vrednost);

        connect(klizac, &QSlider::valueChanged, this,
                [this, i](int p) { IzvrsiIPrijavi([&] { KlizacPomeren(i, p); }); });
        // New bounds: both numbers, min below max; otherwise the old ones come back.
        const auto granica = [this, i, min, max] {
            double a = 0, b = 0;
            skem::TKlizacModela& kl = klizaci[i];
            if (skem::ProcitajRealan(min->text().toStdString(), a) &&
                skem::ProcitajRealan(max->text().toStdString(), b) && std::isfinite(a) &&
                std::isfinite(b) && a < b && (a != kl.Min || b != kl.Max)) {
                kl.Min = skem::VrednostIzmene(a);
                kl.Max = skem::VrednostIzmene(b);
                const QSignalBlocker tiho(klizaciUI[i]);
                klizaciUI[i]->setValue(Polozaj(kl, vrednostiKlizaca[i]));
                if (OnIzmenaKlizaca) OnIzmenaKlizaca(klizaci);
            }
            min->setText(Tekst(kl.Min));
            max->setText(Tekst(kl.Max));
        };
        connect(min, &QLineEdit::editingFinished, this, [granica] { IzvrsiIPrijavi(granica); });
        connect(max, &QLineEdit::editingFinished, this, [granica] { IzvrsiIPrijavi(granica); });
        connect(ukloni, &QToolButton::clicked, this, [this, i] {
            if (uToku) return;
            klizaci.erase(klizaci.begin() + std::ptrdiff_t(i));
            naziviKlizaca.erase(naziviKlizaca.begin() + std::ptrdiff_t(i));
            vrednostiKlizaca.erase(vrednostiKlizaca.begin() + std::ptrdiff_t(i));
            // Not from inside the button's own click.
            QMetaObject::invokeMethod(
                this, [this] { NapraviKlizace(); }, Qt::QueuedConnection);
            if (OnIzmenaKlizaca) OnIzmenaKlizaca(klizaci);
        });
    }
}

void TLaboratorija::PostaviCiljeve(std::vector<int> brojevi, std::vector<std::string> putanje) {
    brojeviKlizaca = std::move(brojevi);
    putanjeRada = std::move(putanje);
}

skem::TListaIzmena TLaboratorija::Imenovane(skem::TListaIzmena izmene) const {
    for (skem::TIzmenaParametra& i : izmene)
        if (i.Blok >= 1 && std::size_t(i.Blok) <= putanjeRada.size())
            i.Ime = putanjeRada[std::size_t(i.Blok) - 1] + ".p" + std::to_string(i.Parametar);
    return izmene;
}

void TLaboratorija::KlizacPomeren(std::size_t i, int polozaj) {
    if (!uToku || i >= klizaci.size() || i >= brojeviKlizaca.size() || brojeviKlizaca[i] < 1)
        return;
    skem::TKlizacModela& k = klizaci[i];
    const double v = Vrednost(k, polozaj);
    vrednostiKlizaca[i] = v;
    k.Vrednost = v;
    vrednostiUI[i]->setText(Tekst(v));
    pracenje.DodajIzmenu(brojeviKlizaca[i], k.Parametar, v);
}

void TLaboratorija::PocniRad(const std::vector<TPraceniBlok>& praceni, double trajanje,
                             std::int64_t redova, const std::atomic<bool>* zaustavi) {
    std::vector<std::size_t> kolone;
    for (QLineSeries* s : serije) {
        grafik->removeSeries(s);
        delete s;
    }
    serije.clear();
    for (const TPraceniBlok& b : praceni) {
        kolone.push_back(b.Kolona);
        auto* s = new QLineSeries(grafik);
        s->setName(QStringLiteral("%1. %2").arg(b.Blok, b.Naziv));
        grafik->addSeries(s);
        s->attachAxis(osaX);
        s->attachAxis(osaY);
        serije.push_back(s);
    }
    pracenje.Pripremi(std::move(kolone), redova, zaustavi);
    osaX->setRange(0, trajanje > 0 ? trajanje : 1);
    osaY->setRange(-1, 1);
    preuzeto = 0;
    najmanja = std::numeric_limits<double>::infinity();
    najveca = -najmanja;
    izmene.clear();
    uToku = true;
    for (QSlider* k : klizaciUI)
        k->setEnabled(true);
    napomena->setText(praceni.empty() ? QStringLiteral("Nijedan blok nije izabran za pracenje.")
                                      : QString());
    PrikaziIzmene();
}

void TLaboratorija::Osvezi() {
    std::vector<double> t, v;
    const std::size_t ukupno = pracenje.Preuzmi(preuzeto, t, v);
    const std::size_t n = serije.size();
    if (n > 0 && !t.empty()) {
        std::vector<QList<QPointF>> tacke(n);
        for (std::size_t r = 0; r < t.size(); ++r)
            for (std::size_t j = 0; j < n; ++j) {
                const double y = v[r * n + j];
                if (!std::isfinite(y)) continue;
                najmanja = std::min(najmanja, y);
                najveca = std::max(najveca, y);
                tacke[j].append(QPointF(t[r], y));
            }
        for (std::size_t j = 0; j < n; ++j)
            serije[j]->append(tacke[j]);
        if (najmanja <= najveca) {
            const double rub = std::max((najveca - najmanja) * 0.05, 1e-9);
            osaY->setRange(najmanja - rub, najveca + rub);
        }
    }
    preuzeto = ukupno;
    if (uToku) {
        const skem::TListaIzmena sada = pracenje.Izmene();
        if (sada.size() != izmene.size()) {
            izmene = Imenovane(sada);
            PrikaziIzmene();
        }
    }
}

void TLaboratorija::ZavrsiRad(const skem::TListaIzmena& gotove) {
    Osvezi();
    uToku = false;
    for (QSlider* k : klizaciUI)
        k->setEnabled(false);
    izmene = Imenovane(gotove);
    PrikaziIzmene();
}

void TLaboratorija::PrikaziIzmene() {
    listaIzmena->setPlainText(QString::fromStdString(skem::IzmeneUCsv(izmene)));
    sacuvajIzmene->setEnabled(!izmene.empty());
}

bool TLaboratorija::SacuvajIzmene(const QString& putanja) {
    const std::string csv = skem::IzmeneUCsv(izmene);
    QSaveFile f(putanja);
    if (f.open(QIODevice::WriteOnly) &&
        f.write(csv.data(), qint64(csv.size())) == qint64(csv.size()) && f.commit())
        return true;
    Dijalozi().Greska(
        QStringLiteral("Fajl '%1' ne moze da se snimi: %2").arg(putanja, f.errorString()));
    return false;
}
