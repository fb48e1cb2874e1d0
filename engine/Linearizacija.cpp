// Linearization: central differences over the engine's initial pass, then
// poles, frequency and step responses of the linear model.

#include "Linearizacija.h"

#include "Obrada.h"

#include <unsupported/Eigen/MatrixFunctions>

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <numbers>

namespace skem {

bool MozeBitiUlazLinearizacije(TVrstaElementa vrsta) {
    switch (vrsta) {
    case TVrstaElementa::Konstanta:
    case TVrstaElementa::OdskocnaFunkcija:
    case TVrstaElementa::Sinus:
    case TVrstaElementa::GeneratorFunkcija:
    case TVrstaElementa::GeneratorSlucajnihBrojeva:
        return true;
    default:
        return false;
    }
}

namespace {

// One block of the working copy; inputs are positions in the copy.
class TBlokKopije final : public TBlokPogled {
public:
    std::uint8_t Sifra = 0;
    int Broj = 0;
    std::array<double, 3> Parametri{};
    std::array<double, 11> Ordinate{};
    std::array<int, 3> Izvori{-1, -1, -1};
    const std::vector<TBlokKopije>* Skup = nullptr;

    TVrstaElementa Vrsta() const { return VrstaIzSifre(Sifra); }
    std::uint8_t SifraBloka() const override { return Sifra; }
    int LokalniBrojBloka() const override { return Broj; }
    double ParametarBloka(int k) const override { return Parametri[k - 1]; }
    std::array<double, 11> OrdinateBloka() const override { return Ordinate; }
    const TBlokPogled* IzvorUlazaBloka(int k) const override {
        return Izvori[k] < 0 ? nullptr : &(*Skup)[static_cast<std::size_t>(Izvori[k])];
    }
};

// The model copied so that blocks can be changed between evaluations. When
// the point lies at t0 != 0, a shift block (t + t0) stands between the time
// source and its readers, so the engine's runs from 0 see the point's time.
class TKopija {
public:
    TKopija(const std::vector<const TBlokPogled*>& pogledi, double t0) {
        const int n = static_cast<int>(pogledi.size());
        blokovi.resize(pogledi.size());
        int vreme = -1;
        for (int i = 0; i < n; ++i) {
            const TBlokPogled& p = *pogledi[static_cast<std::size_t>(i)];
            TBlokKopije& b = blokovi[static_cast<std::size_t>(i)];
            b.Sifra = p.SifraBloka();
            b.Broj = i + 1;
            for (int k = 0; k < 3; ++k)
                b.Parametri[static_cast<std::size_t>(k)] = p.ParametarBloka(k + 1);
            if (b.Vrsta() == TVrstaElementa::GeneratorFunkcija) b.Ordinate = p.OrdinateBloka();
            if (b.Vrsta() == TVrstaElementa::Vreme) vreme = i;
            for (int k = 0; k < 3; ++k) {
                const TBlokPogled* izvor = p.IzvorUlazaBloka(k);
                if (!izvor) continue;
                const int j = izvor->LokalniBrojBloka() - 1;
                if (j < 0 || j >= n)
                    throw TGreskaLinearizacije("Neispravan broj bloka na ulazu (" +
                                               std::to_string(j + 1) + ")!");
                b.Izvori[static_cast<std::size_t>(k)] = j;
            }
        }
        if (t0 != 0 && vreme >= 0) {
            TBlokKopije pomeraj;
            pomeraj.Sifra = SifraVrste(TVrstaElementa::Pomeraj);
            pomeraj.Broj = n + 1;
            pomeraj.Parametri[0] = t0;
            pomeraj.Izvori[0] = vreme;
            for (TBlokKopije& b : blokovi)
                for (int& izvor : b.Izvori)
                    if (izvor == vreme) izvor = n;
            blokovi.push_back(pomeraj);
        }
        Povezi();
    }
    TKopija(const TKopija& druga) : blokovi(druga.blokovi) { Povezi(); }
    TKopija& operator=(const TKopija&) = delete;

    TBlokKopije& operator[](int i) { return blokovi[static_cast<std::size_t>(i)]; }
    const TBlokKopije& operator[](int i) const { return blokovi[static_cast<std::size_t>(i)]; }
    int Velicina() const { return static_cast<int>(blokovi.size()); }
    const std::vector<const TBlokPogled*>& Lista() const { return lista; }

private:
    // Blocks point to their own copy's list.
    void Povezi() {
        lista.clear();
        for (TBlokKopije& b : blokovi) {
            b.Skup = &blokovi;
            lista.push_back(&b);
        }
    }

    std::vector<TBlokKopije> blokovi;
    std::vector<const TBlokPogled*> lista;
};

// Keeps the rows of a run: whole rows, or one block's column.
class TPrijem final : public TPrijemRedova {
public:
    TPrijem(int sirina, int kolona, std::int64_t redova)
        : sirina(sirina), kolona(kolona), redova(redova) {}
    void Red(std::int64_t k, const double* v) override {
        if (k >= redova) return;
        if (kolona >= 0)
            Kolona.push_back(v[kolona]);
        else
            Redovi.emplace_back(v, v + sirina);
    }
    std::vector<std::vector<double>> Redovi;
    std::vector<double> Kolona;

private:
    int sirina, kolona;
    std::int64_t redova;
};

class TFiksneOpcije final : public TIzvorOpcija {
public:
    TOpcijeSimulacije Opcije;
    bool PitajOpcije(TOpcijeSimulacije& opcije) override {
        opcije = Opcije;
        return true;
    }
};

class TPoslednjaPoruka final : public TPorukeSimulacije {
public:
    std::string Tekst;
    void GreskaSimulacije(const std::string& tekst) override { Tekst = tekst; }
};

// The engine runs of a copy, with its own engine: a random source draws the
// same values in every run, so it adds nothing to a difference.
class TIzvodjac {
public:
    TIzvodjac() {
        simulacija.PostaviSeme(1);
        simulacija.PostaviPrevodjenje(TPrevodjenje::Ne);
    }

    // A run of the copy with D, h, P; throws the engine's message when it
    // fails. Engine message of the last failure in PorukaMotora.
    void Pokreni(const TKopija& kopija, TOpcijeSimulacije o, TPrijem& prijem) {
        opcije.Opcije = o;
        poruke.Tekst.clear();
        PorukaMotora.clear();
        try {
            simulacija.Simuliraj(kopija.Lista(), prijem);
        } catch (const TGreskaSimulacije& g) {
            PorukaMotora = g.what();
        }
        if (PorukaMotora.empty() && !simulacija.Uspeh())
            PorukaMotora = !poruke.Tekst.empty() ? poruke.Tekst : simulacija.Prekid().Poruka;
        if (!PorukaMotora.empty()) throw TGreskaLinearizacije(PorukaMotora);
    }

    std::string PorukaMotora;

private:
    TFiksneOpcije opcije;
    TPoslednjaPoruka poruke;
    TSimulacija simulacija{&opcije, &poruke};
};

// Whether y can depend on u along the connections: a block depends on its
// inputs' sources, and a loop start on what its Wye compares it with.
bool ImaPutanju(const TKopija& k, int ulaz, int izlaz) {
    const int n = k.Velicina();
    std::vector<std::vector<int>> zavisni(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const TBlokKopije& b = k[i];
        for (int s = 0; s < BrojUlaza(b.Vrsta()); ++s)
            if (const int izvor = b.Izvori[static_cast<std::size_t>(s)]; izvor >= 0)
                zavisni[static_cast<std::size_t>(izvor)].push_back(i);
        if (b.Vrsta() == TVrstaElementa::Wye && b.Izvori[0] >= 0 && b.Izvori[1] >= 0)
            zavisni[static_cast<std::size_t>(b.Izvori[1])].push_back(b.Izvori[0]);
    }
    std::vector<bool> dostignut(static_cast<std::size_t>(n), false);
    std::deque<int> red{ulaz};
    dostignut[static_cast<std::size_t>(ulaz)] = true;
    while (!red.empty()) {
        const int b = red.front();
        red.pop_front();
        if (b == izlaz) return true;
        for (int d : zavisni[static_cast<std::size_t>(b)])
            if (!dostignut[static_cast<std::size_t>(d)]) {
                dostignut[static_cast<std::size_t>(d)] = true;
                red.push_back(d);
            }
    }
    return false;
}

bool Konacno(const Eigen::MatrixXd& m) {
    return m.allFinite();
}

// The model at a point: the state derivatives (by integrator) and y.
struct TVrednostModela {
    Eigen::VectorXd Izvodi;
    double Y = 0;
};

class TProcena {
public:
    TProcena(TKopija& kopija, std::vector<int> integratori, int izlaz)
        : kopija(kopija), integratori(std::move(integratori)), izlaz(izlaz) {}

    // The copy's outputs after the initial pass (its integrators at their p1).
    std::vector<double> Red() {
        TPrijem prijem(kopija.Velicina(), -1, 1);
        // D = 0 still takes one step after the initial pass; a tiny h keeps it
        // next to the point.
        izvodjac.Pokreni(kopija, {0, 1e-9, 1}, prijem);
        if (prijem.Redovi.empty()) throw TGreskaLinearizacije(PorukaGreskaTacke);
        return prijem.Redovi.front();
    }

    TVrednostModela U(const Eigen::VectorXd& x, double u, int ulaz) {
        for (std::size_t i = 0; i < integratori.size(); ++i)
            kopija[integratori[i]].Parametri[0] = x[static_cast<Eigen::Index>(i)];
        kopija[ulaz].Parametri[0] = u;
        const std::vector<double> r = Red();
        TVrednostModela m;
        m.Izvodi.resize(static_cast<Eigen::Index>(integratori.size()));
        // An integrator's derivative, as its evaluation forms it, from the
        // values its inputs got in the pass.
        auto vrednost = [&](int izvor) {
            if (izvor < 0 || kopija[izvor].Vrsta() == TVrstaElementa::Vreme) return 0.0;
            return r[static_cast<std::size_t>(izvor)];
        };
        for (std::size_t i = 0; i < integratori.size(); ++i) {
            const TBlokKopije& b = kopija[integratori[i]];
            m.Izvodi[static_cast<Eigen::Index>(i)] = vrednost(b.Izvori[0]) +
                                                     b.Parametri[1] * vrednost(b.Izvori[1]) +
                                                     b.Parametri[2] * vrednost(b.Izvori[2]);
        }
        m.Y = vrednost(izlaz);
        return m;
    }

    const std::string& PorukaMotora() const { return izvodjac.PorukaMotora; }

    static constexpr const char* PorukaGreskaTacke = "Model ne moze da se izracuna u radnoj tacki.";

private:
    TKopija& kopija;
    std::vector<int> integratori; // positions in the copy
    int izlaz;
    TIzvodjac izvodjac;
};

// Central differences, with a step that balances truncation against rounding.
double Korak(double x) {
    return std::cbrt(std::numeric_limits<double>::epsilon()) * std::max(1.0, std::fabs(x));
}

void Jakobijan(TProcena& procena, const Eigen::VectorXd& x0, double u0, int ulaz,
               TLinearniModel& lm) {
    const Eigen::Index m = x0.size();
    lm.A.resize(m, m);
    lm.B.resize(m, 1);
    lm.C.resize(1, m);
    lm.D.resize(1, 1);
    for (Eigen::Index j = 0; j <= m; ++j) {
        const bool poUlazu = j == m;
        const double z = poUlazu ? u0 : x0[j];
        const double h = Korak(z);
        const double plus = z + h, minus = z - h;
        Eigen::VectorXd x = x0;
        if (!poUlazu) x[j] = plus;
        const TVrednostModela gore = procena.U(x, poUlazu ? plus : u0, ulaz);
        if (!poUlazu) x[j] = minus;
        const TVrednostModela dole = procena.U(x, poUlazu ? minus : u0, ulaz);
        const double razlika = plus - minus; // the step as the doubles hold it
        const Eigen::VectorXd df = (gore.Izvodi - dole.Izvodi) / razlika;
        const double dy = (gore.Y - dole.Y) / razlika;
        if (poUlazu) {
            lm.B.col(0) = df;
            lm.D(0, 0) = dy;
        } else {
            lm.A.col(j) = df;
            lm.C(0, j) = dy;
        }
    }
}

std::vector<std::complex<double>> Polovi(const Eigen::MatrixXd& a) {
    Eigen::EigenSolver<Eigen::MatrixXd> resenje(a, false);
    if (resenje.info() != Eigen::Success)
        throw TGreskaLinearizacije("Polovi linearnog modela nisu mogli da se izracunaju.");
    std::vector<std::complex<double>> p(resenje.eigenvalues().begin(), resenje.eigenvalues().end());
    std::sort(p.begin(), p.end(), [](auto x, auto y) {
        return x.real() != y.real() ? x.real() < y.real() : x.imag() < y.imag();
    });
    return p;
}

// The span of the step responses: about six time constants of the slowest
// decaying pole of a stable model, else ten of the fastest; never more than a
// hundred periods of the fastest pole.
double TrajanjeOdziva(const std::vector<std::complex<double>>& polovi) {
    double najsporije = std::numeric_limits<double>::infinity(), najbrze = 0;
    bool stabilan = true;
    for (const auto& p : polovi) {
        if (p.real() >= 0) stabilan = false;
        if (p.real() < 0) najsporije = std::min(najsporije, -p.real());
        najbrze = std::max(najbrze, std::abs(p));
    }
    double t = stabilan ? 6 / najsporije : (najbrze > 0 ? 10 / najbrze : 10);
    if (najbrze > 0) t = std::min(t, 100 * 2 * std::numbers::pi / najbrze);
    if (!std::isfinite(t) || t <= 0) t = 10;
    return std::clamp(t, 1e-9, 1e9);
}

// The model's y over the response's times, from the point with u held at `u`.
std::vector<double> SimuliraniIzlaz(TKopija& kopija, int ulaz, int izlaz, double u, double trajanje,
                                    int tacaka, double najbrze) {
    const double p = trajanje / tacaka;
    // Steps small enough for RK4 on the fastest pole, at most 250 a point.
    const double deoba = std::clamp(std::ceil(p * najbrze / 0.05), 1.0, 250.0);
    kopija[ulaz].Parametri[0] = u;
    TPrijem prijem(kopija.Velicina(), izlaz, tacaka + 1);
    TIzvodjac izvodjac;
    izvodjac.Pokreni(kopija, {trajanje, p / deoba, p}, prijem);
    return prijem.Kolona;
}

} // namespace

TLinearniModel Linearizuj(const std::vector<const TBlokPogled*>& pogledi,
                          const TZahtevLinearizacije& zahtev) {
    const int n = static_cast<int>(pogledi.size());
    const int ulaz = zahtev.Ulaz - 1, izlaz = zahtev.Izlaz - 1;
    if (ulaz < 0 || ulaz >= n || izlaz < 0 || izlaz >= n)
        throw TGreskaLinearizacije("Izabrani blok ne postoji u modelu.");
    if (!zahtev.Izlazi.empty() && zahtev.Izlazi.size() != pogledi.size())
        throw TGreskaLinearizacije("Radna tacka ne odgovara modelu.");
    if (!std::isfinite(zahtev.Vreme))
        throw TGreskaLinearizacije("Vreme radne tacke nije konacan broj.");

    TKopija kopija(pogledi, zahtev.Vreme);
    if (!MozeBitiUlazLinearizacije(kopija[ulaz].Vrsta()))
        throw TGreskaLinearizacije(PorukaVrstaUlaza);
    if (!ImaPutanju(kopija, ulaz, izlaz)) throw TGreskaLinearizacije(PorukaNemaPutanje);

    // The point's states and memories.
    std::vector<int> integratori;
    for (int i = 0; i < n; ++i) {
        TBlokKopije& b = kopija[i];
        const bool pamti = b.Vrsta() == TVrstaElementa::Integrator ||
                           b.Vrsta() == TVrstaElementa::Memorija ||
                           b.Vrsta() == TVrstaElementa::OdabiranjeIDrzanje;
        if (pamti && !zahtev.Izlazi.empty())
            b.Parametri[0] = zahtev.Izlazi[static_cast<std::size_t>(i)];
        if (b.Vrsta() == TVrstaElementa::Integrator) integratori.push_back(i);
    }

    TLinearniModel lm;
    Eigen::VectorXd x0(static_cast<Eigen::Index>(integratori.size()));
    for (std::size_t i = 0; i < integratori.size(); ++i) {
        x0[static_cast<Eigen::Index>(i)] = kopija[integratori[i]].Parametri[0];
        lm.BlokoviStanja.push_back(integratori[i] + 1);
    }
    if (!x0.allFinite()) throw TGreskaLinearizacije("Stanje radne tacke nije konacan broj.");

    // The point as the model itself gives it (also refuses a model without
    // an integrator, with the engine's own message); from here on the input
    // is a constant.
    TKopija osnovna = kopija;
    std::vector<double> red;
    {
        TProcena prva(kopija, integratori, izlaz);
        try {
            red = prva.Red();
        } catch (const TGreskaLinearizacije& g) {
            if (integratori.empty()) throw;
            throw TGreskaLinearizacije(std::string(TProcena::PorukaGreskaTacke) + "\n" + g.what());
        }
    }
    const double u0 = red[static_cast<std::size_t>(ulaz)];
    if (!std::isfinite(u0)) throw TGreskaLinearizacije(TProcena::PorukaGreskaTacke);
    kopija[ulaz].Sifra = SifraVrste(TVrstaElementa::Konstanta);
    kopija[ulaz].Izvori = {-1, -1, -1};
    osnovna[ulaz].Sifra = kopija[ulaz].Sifra;
    osnovna[ulaz].Izvori = kopija[ulaz].Izvori;

    // An algebraic loop is solved only to its Wye's tolerance, which a
    // difference quotient divides by the step: solve it tighter, starting
    // from the point's solution. If that does not converge, as the model says.
    std::vector<double> tolerancije;
    for (int i = 0; i < n; ++i) {
        TBlokKopije& b = kopija[i];
        if (b.Vrsta() == TVrstaElementa::PocetakPetlje) b.Parametri[0] = red[std::size_t(i)];
        if (b.Vrsta() == TVrstaElementa::Wye) {
            tolerancije.push_back(b.Parametri[0]);
            b.Parametri[0] = std::min(b.Parametri[0], 1e-13);
        }
    }
    TProcena procena(kopija, integratori, izlaz);
    try {
        Jakobijan(procena, x0, u0, ulaz, lm);
    } catch (const TGreskaLinearizacije& g) {
        if (procena.PorukaMotora() != TSimulacija::PorukaWyeKonvergencija || tolerancije.empty())
            throw TGreskaLinearizacije(std::string(TProcena::PorukaGreskaTacke) + "\n" + g.what());
        for (int i = 0, w = 0; i < n; ++i)
            if (kopija[i].Vrsta() == TVrstaElementa::Wye)
                kopija[i].Parametri[0] = tolerancije[std::size_t(w++)];
        try {
            Jakobijan(procena, x0, u0, ulaz, lm);
        } catch (const TGreskaLinearizacije& g2) {
            throw TGreskaLinearizacije(std::string(TProcena::PorukaGreskaTacke) + "\n" + g2.what());
        }
    }
    if (!Konacno(lm.A) || !Konacno(lm.B) || !Konacno(lm.C) || !Konacno(lm.D))
        throw TGreskaLinearizacije(
            "Linearizacija nije uspela: izvodi modela u radnoj tacki nisu konacni brojevi.");
    // Connected, but through a zero gain.
    if (lm.D(0, 0) == 0 && (lm.B.isZero(0) || lm.C.isZero(0)))
        throw TGreskaLinearizacije(PorukaNemaPutanje);
    lm.U0 = u0;
    lm.Y0 = red[static_cast<std::size_t>(izlaz)];
    lm.Polovi = Polovi(lm.A);
    lm.Frekvencije = FrekvencijskiOdziv(lm.A, lm.B, lm.C, lm.D, lm.Polovi);

    constexpr int tacaka = 400;
    const double trajanje = TrajanjeOdziva(lm.Polovi);
    const double korak = trajanje / tacaka;
    lm.LinearniOdziv = OdzivNaSkok(lm.A, lm.B, lm.C, lm.D, korak, tacaka);
    for (std::size_t k = 0; k < lm.LinearniOdziv.size(); ++k)
        lm.VremenaOdziva.push_back(static_cast<double>(k) * korak);

    const double du = zahtev.SkokUlaza;
    lm.SkokUlaza = du;
    if (!std::isfinite(du) || du == 0 || !std::isfinite(u0 + du)) {
        lm.GreskaSimulacije = "Skok ulaza mora biti konacan broj razlicit od nule.";
        return lm;
    }
    double najbrze = 0;
    for (const auto& p : lm.Polovi)
        najbrze = std::max(najbrze, std::abs(p));
    try {
        const std::vector<double> bez =
            SimuliraniIzlaz(osnovna, ulaz, izlaz, u0, trajanje, tacaka, najbrze);
        const std::vector<double> sa =
            SimuliraniIzlaz(osnovna, ulaz, izlaz, u0 + du, trajanje, tacaka, najbrze);
        const std::size_t k = std::min({bez.size(), sa.size(), lm.VremenaOdziva.size()});
        for (std::size_t i = 0; i < k; ++i) {
            const double y = (sa[i] - bez[i]) / du;
            if (!std::isfinite(y)) break;
            lm.SimuliraniOdziv.push_back(y);
        }
    } catch (const TGreskaLinearizacije& g) {
        lm.GreskaSimulacije = g.what();
    }
    return lm;
}

std::vector<TTackaFrekvencije>
FrekvencijskiOdziv(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b, const Eigen::MatrixXd& c,
                   const Eigen::MatrixXd& d, const std::vector<std::complex<double>>& polovi) {
    double najmanji = std::numeric_limits<double>::infinity(), najveci = 0;
    for (const auto& p : polovi)
        if (std::abs(p) > 0) {
            najmanji = std::min(najmanji, std::abs(p));
            najveci = std::max(najveci, std::abs(p));
        }
    double od = -2, doo = 2;
    if (najveci > 0) {
        od = std::floor(std::log10(najmanji)) - 1;
        doo = std::ceil(std::log10(najveci)) + 1;
    }
    od = std::clamp(od, -300.0, 300.0);
    doo = std::clamp(doo, od + 1, 300.0);
    const int dekada = static_cast<int>(doo - od);
    const int tacaka = std::min(50 * dekada, 1000);

    // A = U T U*, T triangular: one O(M^2) solve a frequency.
    using MatricaK = Eigen::MatrixXcd;
    Eigen::ComplexSchur<MatricaK> schur(a.cast<std::complex<double>>());
    if (schur.info() != Eigen::Success) return {};
    const MatricaK& t = schur.matrixT();
    const MatricaK& u = schur.matrixU();
    const MatricaK cu = c.cast<std::complex<double>>() * u;
    const MatricaK ub = u.adjoint() * b.cast<std::complex<double>>();

    std::vector<TTackaFrekvencije> rezultat;
    for (int i = 0; i <= tacaka; ++i) {
        const double w = std::pow(10.0, od + (doo - od) * i / tacaka);
        MatricaK m = -t;
        m.diagonal().array() += std::complex<double>(0, w);
        if ((m.diagonal().array() == std::complex<double>(0)).any()) continue;
        const std::complex<double> h =
            (cu * m.triangularView<Eigen::Upper>().solve(ub))(0, 0) + d(0, 0);
        const double modul = std::abs(h);
        if (!std::isfinite(modul) || modul == 0) continue;
        double faza = std::arg(h) * 180 / std::numbers::pi;
        if (!rezultat.empty()) faza += 360 * std::round((rezultat.back().FazaStepeni - faza) / 360);
        rezultat.push_back({w, 20 * std::log10(modul), faza});
    }
    return rezultat;
}

std::vector<double> OdzivNaSkok(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b,
                                const Eigen::MatrixXd& c, const Eigen::MatrixXd& d, double korak,
                                int tacaka) {
    // Exact for a held input: exp([[A, B], [0, 0]] h) = [[Phi, Gamma], [0, 1]].
    const Eigen::Index m = a.rows();
    Eigen::MatrixXd prosirena = Eigen::MatrixXd::Zero(m + 1, m + 1);
    prosirena.topLeftCorner(m, m) = a * korak;
    prosirena.topRightCorner(m, 1) = b * korak;
    const Eigen::MatrixXd e = prosirena.exp();
    const Eigen::MatrixXd fi = e.topLeftCorner(m, m);
    const Eigen::VectorXd gama = e.topRightCorner(m, 1);
    std::vector<double> y;
    Eigen::VectorXd x = Eigen::VectorXd::Zero(m);
    for (int k = 0; k <= tacaka; ++k) {
        const double v = (c * x)(0, 0) + d(0, 0);
        if (!std::isfinite(v)) break; // an unstable model's response leaves the doubles
        y.push_back(v);
        x = fi * x + gama;
    }
    return y;
}

} // namespace skem
