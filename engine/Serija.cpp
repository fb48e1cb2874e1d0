#include "Serija.h"

#include "Brojevi.h"

#include <cmath>
#include <exception>

namespace skem {

namespace {

// A value as the program keeps a typed number: at its 15 significant digits,
// so the value a sweep shows is the value it used, and a document saved with
// that value gives the same run. False when that form is no finite number
// (rounding up near the largest double).
bool KaoUneseno(double& v) {
    return ProcitajRealan(RealanUTekst(v), v);
}

std::string PorukaNijeBroj(std::string_view tekst) {
    return "'" + std::string(tekst) + "' nije broj.";
}

std::string PorukaVanOpsega(std::string_view tekst) {
    return "'" + std::string(tekst) + "' je van opsega realnih brojeva.";
}

// An empty text when read, else its message.
std::string ProcitajBroj(std::string_view tekst, double& v) {
    if (!ProcitajRealan(tekst, v)) return PorukaNijeBroj(tekst);
    if (!KaoUneseno(v)) return PorukaVanOpsega(tekst);
    return {};
}

// Digits only (a "+" allowed): a whole number, too large when ProcitajCeo
// refused it.
bool CeoBezZnaka(std::string_view tekst) {
    if (!tekst.empty() && tekst.front() == '+') tekst.remove_prefix(1);
    return !tekst.empty() && tekst.find_first_not_of("0123456789") == std::string_view::npos;
}

// Value i of c from a to b, both included: A + (B - A)·i/(C - 1) as
// documented, or, where that overflows (B - A or its multiple beyond the
// largest double), the same point weighted from both ends, which stays
// between them.
double VrednostOpsega(double a, double b, std::int32_t i, std::int32_t c) {
    if (const double v = a + (b - a) * i / (c - 1); std::isfinite(v)) return v;
    const double s = static_cast<double>(i) / (c - 1);
    return a * (1 - s) + b * s;
}

// Splits "cilj=vrednost"; the message when the target is not of the form.
std::string Rastavi(std::string_view tekst, TCiljIzmene& cilj, std::string_view& vrednost) {
    const auto jednako = tekst.find('=');
    if (jednako == std::string_view::npos || !ProcitajCilj(tekst.substr(0, jednako), cilj))
        return "ocekuje se N.pK=vrednost (parametar K = 1..3 bloka N) ili N.oJ=vrednost "
               "(ordinata J = 0..10 generatora funkcija).";
    vrednost = tekst.substr(jednako + 1);
    return {};
}

// Every value of a range is made and kept when the arguments are read:
// ten thousand runs of one parameter are plenty, and a count near the
// limit of runs took minutes and gigabytes before the first run.
constexpr std::int32_t MaksVrednostiOpsega = 10000;

} // namespace

bool ProcitajCilj(std::string_view tekst, TCiljIzmene& cilj) {
    const auto tacka = tekst.find('.');
    if (tacka == std::string_view::npos || tacka + 2 > tekst.size()) return false;
    const char vrsta = tekst[tacka + 1];
    if (vrsta != 'p' && vrsta != 'o') return false;
    const std::string_view blok = tekst.substr(0, tacka);
    const std::string_view indeks = tekst.substr(tacka + 2);
    // Digits only: no blanks or signs inside a name.
    auto cifre = [](std::string_view t) {
        return !t.empty() && t.size() <= 9 && t.find_first_not_of("0123456789") == t.npos;
    };
    std::int32_t b = 0, i = 0;
    if (!cifre(blok) || !cifre(indeks) || !ProcitajCeo(blok, b) || !ProcitajCeo(indeks, i))
        return false;
    const bool ordinata = vrsta == 'o';
    if (ordinata ? i > 10 : (i < 1 || i > 3)) return false;
    cilj = TCiljIzmene{b, ordinata, i};
    return true;
}

std::string ProcitajPostavku(std::string_view tekst, TPostavka& postavka) {
    std::string_view vrednost;
    if (std::string greska = Rastavi(tekst, postavka.Cilj, vrednost); !greska.empty())
        return greska;
    return ProcitajBroj(vrednost, postavka.Vrednost);
}

std::string ProcitajPromenljivu(std::string_view tekst, TPromenljiva& promenljiva) {
    std::string_view vrednosti;
    if (std::string greska = Rastavi(tekst, promenljiva.Cilj, vrednosti); !greska.empty())
        return greska;
    promenljiva.Vrednosti.clear();
    if (const auto dvotacka = vrednosti.find(':'); dvotacka != std::string_view::npos) {
        const std::string_view od = vrednosti.substr(0, dvotacka);
        const std::string_view ostatak = vrednosti.substr(dvotacka + 1);
        const auto druga = ostatak.find(':');
        if (druga == std::string_view::npos)
            return "opseg se zadaje kao A:B:C (C vrednosti od A do B).";
        const std::string_view doV = ostatak.substr(0, druga);
        const std::string_view broj = ostatak.substr(druga + 1);
        double a = 0, b = 0;
        std::int32_t c = 0;
        if (std::string greska = ProcitajBroj(od, a); !greska.empty()) return greska;
        if (std::string greska = ProcitajBroj(doV, b); !greska.empty()) return greska;
        const bool ceo = ProcitajCeo(broj, c);
        if ((ceo && c > MaksVrednostiOpsega) || (!ceo && CeoBezZnaka(broj)))
            return "broj vrednosti opsega je prevelik (najvise " +
                   std::to_string(MaksVrednostiOpsega) + ").";
        if (!ceo || c < 2) return "broj vrednosti opsega mora biti ceo broj veci od 1.";
        promenljiva.Vrednosti.reserve(static_cast<std::size_t>(c));
        for (std::int32_t i = 0; i + 1 < c; ++i) {
            double v = VrednostOpsega(a, b, i, c);
            if (!KaoUneseno(v)) return PorukaVanOpsega(RealanUTekst(v));
            promenljiva.Vrednosti.push_back(v);
        }
        promenljiva.Vrednosti.push_back(b);
        return {};
    }
    for (std::size_t pocetak = 0;;) {
        const auto zarez = vrednosti.find(',', pocetak);
        const std::string_view deo = vrednosti.substr(
            pocetak, zarez == std::string_view::npos ? std::string_view::npos : zarez - pocetak);
        double v = 0;
        if (std::string greska = ProcitajBroj(deo, v); !greska.empty()) return greska;
        promenljiva.Vrednosti.push_back(v);
        if (zarez == std::string_view::npos) return {};
        pocetak = zarez + 1;
    }
}

std::uint32_t SemeSimulacije(std::uint64_t s, std::int64_t r) {
    std::uint64_t z = s + static_cast<std::uint64_t>(r) * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<std::uint32_t>(z);
}

std::pair<std::int64_t, std::int64_t> DeoSerije(std::int64_t ukupno, std::int64_t i,
                                                std::int64_t m) {
    // ukupno <= MaksSimulacija and i <= m keep the products within 64 bits
    // for any m up to that size too.
    const auto granica = [&](std::int64_t k) {
        return static_cast<std::int64_t>(static_cast<__int128>(ukupno) * k / m);
    };
    return {granica(i - 1) + 1, granica(i)};
}

std::string TPlanSerije::Proveri() const {
    std::vector<TCiljIzmene> ciljevi;
    auto dodaj = [&ciljevi](const TCiljIzmene& c) {
        for (const TCiljIzmene& d : ciljevi)
            if (d == c) return false;
        ciljevi.push_back(c);
        return true;
    };
    for (const TPostavka& p : Postavke)
        if (!dodaj(p.Cilj)) return p.Cilj.Naziv() + " je zadat vise puta.";
    for (const TPromenljiva& p : Promenljive)
        if (!dodaj(p.Cilj)) return p.Cilj.Naziv() + " je zadat vise puta.";
    std::int64_t n = Ponavljanja;
    for (const TPromenljiva& p : Promenljive) {
        if (p.Vrednosti.empty()) return p.Cilj.Naziv() + " nema nijednu vrednost.";
        n *= static_cast<std::int64_t>(p.Vrednosti.size());
        if (n > MaksSimulacija)
            return "Previse simulacija (najvise " + std::to_string(MaksSimulacija) + ").";
    }
    return {};
}

std::int64_t TPlanSerije::BrojSimulacija() const {
    std::int64_t n = Ponavljanja;
    for (const TPromenljiva& p : Promenljive)
        n *= static_cast<std::int64_t>(p.Vrednosti.size());
    return n;
}

std::vector<double> TPlanSerije::Tacka(std::int64_t r) const {
    std::vector<double> tacka(Promenljive.size());
    std::int64_t ostatak = (r - 1) / Ponavljanja;
    for (std::size_t k = Promenljive.size(); k-- > 0;) {
        const auto n = static_cast<std::int64_t>(Promenljive[k].Vrednosti.size());
        tacka[k] = Promenljive[k].Vrednosti[static_cast<std::size_t>(ostatak % n)];
        ostatak /= n;
    }
    return tacka;
}

void TPlanSerije::Primeni(std::int64_t r, TKopijaModela& model) const {
    for (const TPostavka& p : Postavke)
        model.Postavi(p.Cilj, p.Vrednost);
    const std::vector<double> tacka = Tacka(r);
    for (std::size_t k = 0; k < Promenljive.size(); ++k)
        model.Postavi(Promenljive[k].Cilj, tacka[k]);
}

namespace {

class TFiksneOpcije : public TIzvorOpcija {
public:
    explicit TFiksneOpcije(const TOpcijeSimulacije& o) : opcije(o) {}
    bool PitajOpcije(TOpcijeSimulacije& o) override {
        o = opcije;
        return true;
    }

private:
    TOpcijeSimulacije opcije;
};

// Keeps the last message of a run (a refused model or an element error).
class TPoslednjaPoruka : public TPorukeSimulacije {
public:
    void GreskaSimulacije(const std::string& tekst) override { poruka = tekst; }
    const std::string& Poruka() const { return poruka; }

private:
    std::string poruka;
};

} // namespace

namespace {

// Run r of the plan on a copy of `osnova`, its rows to `cilj` (a matrix or a receiver).
template <class TCilj>
TIshodSimulacije IzvediUCilj(const TPlanSerije& plan, const TKopijaModela& osnova, std::int64_t r,
                             const TOpcijeSimulacije& opcije, TSimulacija& simulacija,
                             TCilj& rezultati) {
    TKopijaModela model(osnova);
    plan.Primeni(r, model);
    TFiksneOpcije izvor(opcije);
    TPoslednjaPoruka poruke;
    simulacija.PostaviIzvorOpcija(&izvor);
    simulacija.PostaviPoruke(&poruke);
    simulacija.PostaviSeme(plan.Seme ? std::optional<std::uint32_t>(SemeSimulacije(*plan.Seme, r))
                                     : std::nullopt);
    TIshodSimulacije ishod;
    try {
        simulacija.Simuliraj(model.Lista(), rezultati);
        ishod.Uspeh = simulacija.Uspeh();
        ishod.Zaustavljena = simulacija.Zaustavljena();
        ishod.Quit = ishod.Uspeh && simulacija.Prekid().Vrsta == TStanjeRada::Quit;
        ishod.Vreme = simulacija.VremeZaustavljanja();
        ishod.Korak = simulacija.KorakVremena();
        if (ishod.Uspeh) ishod.PorukaResavaca = simulacija.PorukaResavaca();
        if (ishod.Zaustavljena)
            ishod.Poruka = TSimulacija::PorukaPrekinuta;
        else if (!ishod.Uspeh)
            ishod.Poruka = poruke.Poruka();
    } catch (const TGreskaSimulacije& g) {
        ishod.Uspeh = false;
        ishod.Poruka = std::string("Greska: ") + g.what();
    }
    simulacija.PostaviIzvorOpcija(nullptr);
    simulacija.PostaviPoruke(nullptr);
    return ishod;
}

} // namespace

TIshodSimulacije IzvediSimulaciju(const TPlanSerije& plan, const TKopijaModela& osnova,
                                  std::int64_t r, const TOpcijeSimulacije& opcije,
                                  TSimulacija& simulacija, MatrixReal& rezultati) {
    return IzvediUCilj(plan, osnova, r, opcije, simulacija, rezultati);
}

TIshodSimulacije IzvediSimulaciju(const TPlanSerije& plan, const TKopijaModela& osnova,
                                  std::int64_t r, const TOpcijeSimulacije& opcije,
                                  TSimulacija& simulacija, TPrijemRedova& prijem) {
    return IzvediUCilj(plan, osnova, r, opcije, simulacija, prijem);
}

} // namespace skem
