// Measured data on the chart page: files read into markers over the time
// chart's curves, each column a legend entry of its own; the document keeps
// the files' names.
#include "Rezultati.h"

#include "Dijalozi.h"
#include "IzgledGrafika.h"
#include "Merenja.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QDir>
#include <QFileInfo>
#include <QScatterSeries>
#include <QValueAxis>
#include <QWidget>
#include <algorithm>

void TPrikazRezultata::PostaviMerenja(const std::vector<QString>& fajlovi,
                                      const QString& fascikla) {
    merenja.clear();
    for (const QString& f : fajlovi)
        merenja.push_back({QDir::cleanPath(QDir(fascikla).absoluteFilePath(f)), nullptr, false});
    ukloniMerenja->setEnabled(!merenja.empty());
}

std::vector<QString> TPrikazRezultata::FajloviMerenja(const QString& fascikla) const {
    std::vector<QString> fajlovi;
    for (const TFajlMerenja& m : merenja) {
        const QString relativna = QDir(fascikla).relativeFilePath(m.Putanja);
        const bool unutra = !fascikla.isEmpty() && !relativna.startsWith(QLatin1String("..")) &&
                            QFileInfo(relativna).isRelative();
        fajlovi.push_back(unutra ? relativna : m.Putanja);
    }
    return fajlovi;
}

bool TPrikazRezultata::UveziMerenja(const QString& putanja) {
    const QString puna = QDir::cleanPath(QFileInfo(putanja).absoluteFilePath());
    std::shared_ptr<const TMerenja> podaci;
    try {
        podaci = std::make_shared<const TMerenja>(UcitajMerenja(puna));
    } catch (const TGreskaMerenja& g) {
        Dijalozi().Greska(g.Poruka());
        return false;
    }
    auto isti = std::find_if(merenja.begin(), merenja.end(),
                             [&](const TFajlMerenja& m) { return m.Putanja == puna; });
    if (isti == merenja.end()) isti = merenja.insert(merenja.end(), {puna, nullptr, false});
    isti->Podaci = std::move(podaci);
    isti->Procitan = true;
    ukloniMerenja->setEnabled(true);
    if (OnIzmenaMerenja) OnIzmenaMerenja();
    if (!krive.empty()) NacrtajKrive(redoviGrafika);
    return true;
}

void TPrikazRezultata::UveziMerenjaClick() {
    const QString ime = Dijalozi().OtvoriFajl(
        stranaGrafika, QStringLiteral("CSV fajl (*.csv *.txt);;Svi fajlovi (*)"));
    if (!ime.isEmpty()) UveziMerenja(ime);
}

void TPrikazRezultata::UkloniMerenjaClick() {
    if (merenja.empty()) return;
    merenja.clear();
    ukloniMerenja->setEnabled(false);
    if (OnIzmenaMerenja) OnIzmenaMerenja();
    if (!krive.empty()) NacrtajKrive(redoviGrafika);
}

void TPrikazRezultata::ProcitajMerenja() {
    for (TFajlMerenja& m : merenja) {
        if (m.Procitan) continue;
        m.Procitan = true; // a file that fails is told once, and kept in the document
        try {
            m.Podaci = std::make_shared<const TMerenja>(UcitajMerenja(m.Putanja));
        } catch (const TGreskaMerenja& g) {
            Dijalozi().Greska(g.Poruka());
        }
    }
}

void TPrikazRezultata::NacrtajMerenja() {
    if (JeFazni()) return;
    int boja = static_cast<int>(krive.size());
    for (const TFajlMerenja& m : merenja) {
        if (!m.Podaci) continue;
        for (std::size_t k = 0; k < m.Podaci->Tacke.size(); ++k) {
            auto* s = new QScatterSeries;
            s->setName(QStringLiteral("merenje: ") + m.Podaci->Nazivi.value(qsizetype(k)));
            s->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
            s->setMarkerSize(9);
            s->setColor(IzgledGrafika::BojaSerije(boja++));
            s->setBorderColor(Qt::black);
            s->replace(m.Podaci->Tacke[k]);
            grafik->addSeries(s);
            s->attachAxis(osaX);
            s->attachAxis(osaY);
        }
    }
}

std::optional<std::pair<QPointF, QPointF>> TPrikazRezultata::OpsegMerenja() const {
    std::optional<std::pair<QPointF, QPointF>> o;
    for (const TFajlMerenja& m : merenja) {
        if (!m.Podaci) continue;
        for (const QList<QPointF>& tacke : m.Podaci->Tacke)
            for (const QPointF& t : tacke) {
                if (!o) o = std::pair{t, t};
                o->first = {std::min(o->first.x(), t.x()), std::min(o->first.y(), t.y())};
                o->second = {std::max(o->second.x(), t.x()), std::max(o->second.y(), t.y())};
            }
    }
    return o;
}
