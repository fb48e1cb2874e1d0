#include "RezultatiDelovi.h"

#include "Dijalozi.h"
#include "Tekst.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSaveFile>
#include <QWidget>

namespace DeloviRezultata {

double KaoUTabeli(double v) {
    return skem::TekstURealan(skem::RealanUTekst(v));
}

void Savet(QWidget* w, const QString& tekst) {
    w->setToolTip(tekst);
    w->setStatusTip(tekst);
}

QPushButton* Dugme(const QString& tekst, TIkonica ikonica, QWidget* roditelj) {
    auto* d = new QPushButton(Ikonica(ikonica), tekst, roditelj);
    d->setFixedHeight(24);
    d->setFocusPolicy(Qt::TabFocus);
    return d;
}

// A page's 28-pixel top panel.
TNovaStrana NovaStrana(const QString& ime, const QString& naslov) {
    auto* strana = new QWidget;
    strana->setObjectName(ime);
    strana->setWindowTitle(naslov);
    auto* raspored = new QVBoxLayout(strana);
    raspored->setContentsMargins(0, 0, 0, 0);
    raspored->setSpacing(0);
    auto* panel = new QWidget(strana);
    panel->setFixedHeight(28);
    auto* red = new QHBoxLayout(panel);
    red->setContentsMargins(2, 2, 2, 2);
    red->setSpacing(4);
    raspored->addWidget(panel);
    return {strana, raspored, red};
}

QString ImeSaNastavkom(QString ime, const QString& nastavak) {
    if (QFileInfo(ime).suffix().isEmpty()) ime += QLatin1Char('.') + nastavak;
    return ime;
}

bool SacuvajCeo(const QString& putanja, const std::function<bool(QIODevice&)>& pisi) {
    QSaveFile fajl(putanja);
    QString razlog;
    if (!fajl.open(QIODevice::WriteOnly))
        razlog = fajl.errorString();
    else if (!pisi(fajl)) {
        razlog = fajl.errorString();
        fajl.cancelWriting();
    } else if (!fajl.commit())
        razlog = fajl.errorString();
    if (razlog.isNull()) return true;
    Dijalozi().Greska(QStringLiteral("Fajl \"%1\" nije sacuvan.\nRazlog: %2")
                          .arg(QDir::toNativeSeparators(putanja), razlog));
    return false;
}

} // namespace DeloviRezultata
