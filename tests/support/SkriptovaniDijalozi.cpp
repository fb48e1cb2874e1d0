#include "SkriptovaniDijalozi.h"

#include <QApplication>

QStringList TSkriptovaniDijalozi::Poruke() const {
    QStringList r;
    for (const QString& z : Zapis) {
        const int i = z.indexOf(QLatin1String(": "));
        if (z.startsWith(QLatin1String("Greska: ")) || z.startsWith(QLatin1String("Poruka: ")) ||
            z.startsWith(QLatin1String("Informacija: ")) ||
            z.startsWith(QLatin1String("Pitanje: ")))
            r << z.mid(i + 2);
    }
    return r;
}

void TSkriptovaniDijalozi::Greska(const QString& tekst) {
    Zapis << "Greska: " + tekst;
}
void TSkriptovaniDijalozi::Poruka(const QString& tekst) {
    Zapis << "Poruka: " + tekst;
}
void TSkriptovaniDijalozi::Informacija(const QString& tekst) {
    Zapis << "Informacija: " + tekst;
}

TDijalozi::TOdgovor TSkriptovaniDijalozi::Pitanje(const QString& tekst) {
    Zapis << "Pitanje: " + tekst;
    if (Odgovori.empty()) return TOdgovor::Odustani;
    const TOdgovor o = Odgovori.front();
    Odgovori.pop_front();
    return o;
}

QString TSkriptovaniDijalozi::OtvoriFajl(QWidget*, const QString&) {
    Zapis << QStringLiteral("Otvori");
    if (ImenaFajlova.empty()) return {};
    const QString ime = ImenaFajlova.front();
    ImenaFajlova.pop_front();
    return ime;
}

QString TSkriptovaniDijalozi::SacuvajKao(QWidget*, TVrstaFajla, const QString& naslov,
                                         const QString& predlog, const QString&) {
    Zapis << "SacuvajKao: " + naslov;
    Predlozi << predlog;
    if (ImenaFajlova.empty()) return {};
    const QString ime = ImenaFajlova.front();
    ImenaFajlova.pop_front();
    return ime;
}

void TSkriptovaniDijalozi::PrikaziModalno(QDialog& dijalog) {
    Zapis << "Dijalog: " + (dijalog.objectName().isEmpty()
                                ? QString::fromLatin1(dijalog.metaObject()->className())
                                : dijalog.objectName());
    dijalog.show();
    QApplication::processEvents();
    if (!Skripte.empty()) {
        auto skripta = std::move(Skripte.front());
        Skripte.pop_front();
        skripta(dijalog);
    }
    if (dijalog.isVisible()) dijalog.hide();
    QApplication::processEvents();
}

void TSkriptovaniDijalozi::PrikaziPomoc(QWidget*, const QString& stranica, bool saSadrzajem) {
    Zapis << "Pomoc: " + stranica + (saSadrzajem ? QStringLiteral(" +sadrzaj") : QString());
}
