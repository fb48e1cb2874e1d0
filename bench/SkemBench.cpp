// Engine speed: models built in code, timed against a hand-written RK4 loop of
// the same equations (long double increments, like the engine) in the same
// process, plus the ordering of large models on its own. The engine runs with
// a stop flag and a progress report, as the window runs it. Case (e) times a
// run whose values decay below the smallest normal double against one whose
// values stay normal, the engine and a plain hand loop each. Cases (a) to (c)
// count the processor time of the running thread, compile and order times
// the wall time.
//
//   skem_bench            all cases
//   skem_bench --brzo     fewer steps, for a quick look
//   skem_bench --prevodjenje  case (b) and the compile times only
//   skem_bench --b N      case (b) alone, best of N interleaved rounds

#include "ModelZaBench.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

using namespace skem;
using namespace skem::bench;

namespace {

class TPoruke : public TPorukeSimulacije {
public:
    void GreskaSimulacije(const std::string& t) override { std::printf("poruka: %s\n", t.c_str()); }
};

// y' = -y: an integrator and an inverter.
TModel Pad() {
    TModel m;
    TBlok* y = m.Dodaj(10, 1);
    TBlok* minus = m.Dodaj(15);
    minus->Izvori[0] = y;
    y->Izvori[0] = minus;
    return m;
}

// x_i' = -x_i + x_(i-1), x_0 = 1: per lag an integrator, an inverter and a summer.
TModel Lanac(int n) {
    TModel m;
    const TBlok* prethodni = m.Dodaj(12, 1);
    for (int i = 0; i < n; ++i) {
        TBlok* x = m.Dodaj(10, 0);
        TBlok* minus = m.Dodaj(15);
        TBlok* zbir = m.Dodaj(26, 1, 1);
        minus->Izvori[0] = x;
        zbir->Izvori[0] = prethodni;
        zbir->Izvori[1] = minus;
        x->Izvori[0] = zbir;
        prethodni = x;
    }
    return m;
}

// The same equations by hand, with the same arithmetic: long double increments.
double RucniLanac(int n, double h, long koraka) {
    std::vector<double> x(static_cast<std::size_t>(n) + 1, 0.0), x0(x), f(x);
    std::vector<long double> k1(x.size()), k2(x.size()), k3(x.size());
    x[0] = 1;
    const long double hl = h;
    auto izvodi = [&] {
        for (int i = 1; i <= n; ++i)
            f[i] = -x[i] + x[i - 1];
    };
    izvodi();
    for (long s = 0; s < koraka; ++s) {
        for (int i = 1; i <= n; ++i) {
            x0[i] = x[i];
            k1[i] = hl * f[i];
            x[i] = static_cast<double>(k1[i] * 0.5L + x0[i]);
        }
        izvodi();
        for (int i = 1; i <= n; ++i) {
            k2[i] = hl * f[i];
            x[i] = static_cast<double>(k2[i] * 0.5L + x0[i]);
        }
        izvodi();
        for (int i = 1; i <= n; ++i) {
            k3[i] = hl * f[i];
            x[i] = static_cast<double>(k3[i] + x0[i]);
        }
        izvodi();
        for (int i = 1; i <= n; ++i)
            x[i] = static_cast<double>(
                (k2[i] * 2 + k1[i] + k3[i] * 2 + hl * f[i]) * 0.16666666666666666667L + x0[i]);
        izvodi();
    }
    return x[static_cast<std::size_t>(n)];
}

double RucniPad(double h, long koraka) {
    double y = 1, f = -1;
    const long double hl = h;
    for (long s = 0; s < koraka; ++s) {
        const double y0 = y;
        const long double k1 = hl * f;
        y = static_cast<double>(k1 * 0.5L + y0);
        f = -y;
        const long double k2 = hl * f;
        y = static_cast<double>(k2 * 0.5L + y0);
        f = -y;
        const long double k3 = hl * f;
        y = static_cast<double>(k3 + y0);
        f = -y;
        y = static_cast<double>((k2 * 2 + k1 + k3 * 2 + hl * f) * 0.16666666666666666667L + y0);
        f = -y;
    }
    return y;
}

// x'' = -0.4 x' - 4 x (examples/oscilator.skem): a summer and two integrators.
TModel Oscilator(double x0) {
    TModel m;
    TBlok* a = m.Dodaj(26, -4, -0.4);
    TBlok* v = m.Dodaj(10, 0);
    TBlok* x = m.Dodaj(10, x0);
    a->Izvori[0] = x;
    a->Izvori[1] = v;
    v->Izvori[0] = a;
    x->Izvori[0] = v;
    return m;
}

// The same by hand in plain IEEE arithmetic, as the engine computes it while
// its values stay normal (the summer's open third input adds +0).
double RucniOscilator(double x0, double h, long koraka) {
    // Read and returned through volatiles, so the loop stays between the clock's readings.
    volatile double pocetak = x0;
    double x = pocetak, v = 0;
    const long double hl = h;
    auto a = [&] { return -4 * x + -0.4 * v + 0.0; };
    double fv = a() + 0.0, fx = v + 0.0;
    for (long s = 0; s < koraka; ++s) {
        const double x0s = x, v0s = v;
        const long double k1v = hl * fv, k1x = hl * fx;
        v = static_cast<double>(k1v * 0.5L + v0s);
        x = static_cast<double>(k1x * 0.5L + x0s);
        fv = a() + 0.0, fx = v + 0.0;
        const long double k2v = hl * fv, k2x = hl * fx;
        v = static_cast<double>(k2v * 0.5L + v0s);
        x = static_cast<double>(k2x * 0.5L + x0s);
        fv = a() + 0.0, fx = v + 0.0;
        const long double k3v = hl * fv, k3x = hl * fx;
        v = static_cast<double>(k3v + v0s);
        x = static_cast<double>(k3x + x0s);
        fv = a() + 0.0, fx = v + 0.0;
        v = static_cast<double>((k2v * 2 + k1v + k3v * 2 + hl * fv) * 0.16666666666666666667L +
                                v0s);
        x = static_cast<double>((k2x * 2 + k1x + k3x * 2 + hl * fx) * 0.16666666666666666667L +
                                x0s);
        fv = a() + 0.0, fx = v + 0.0;
    }
    volatile double kraj = x;
    return kraj;
}

template <class F> double NajboljeNiti(int puta, F&& f) {
    double najbolje = 1e300;
    for (int i = 0; i < puta; ++i) {
        const double od = SekundiNiti();
        f();
        najbolje = std::min(najbolje, SekundiNiti() - od);
    }
    return najbolje;
}

template <class F> double Najbolje(int puta, F&& f) {
    double najbolje = 1e300;
    for (int i = 0; i < puta; ++i) {
        const auto od = Sat::now();
        f();
        najbolje = std::min(najbolje, Sekundi(od));
    }
    return najbolje;
}

// Runs the model for `koraka` steps of h, interpreted and compiled, and
// compares both with the hand loop; interleaved, so a change in the
// machine's load hits all three alike. The compile is outside the timing
// (the first compiled run fills the store).
int krugova = 3; // interleaved rounds of each comparison

void Uporedi(const char* naziv, const TModel& m, std::size_t kolona, long evaluacijaPoProlazu,
             double h, long koraka, const std::function<double()>& rucno) {
    TOpcije opcije;
    TPoruke poruke;
    TSimulacija s(&opcije, &poruke);
    // As the window runs it: a stop flag it could set and a progress report it reads.
    std::atomic<bool> zaustavi{false};
    std::atomic<double> dostignuto{0};
    s.PostaviZaustavljanje(&zaustavi);
    s.PostaviNapredak([&dostignuto](const TNapredakRada& n) {
        dostignuto.store(n.Udeo(), std::memory_order_relaxed);
    });
    const double d = h * static_cast<double>(koraka);
    opcije.O = {d, h, d / 10};
    MatrixReal rezultati;
    const auto lista = m.Lista();
    double tumacena = 0, prevedena = 0, rucnaVrednost = 0;
    bool prevedenaJe = false;
    auto pokreni = [&](TPrevodjenje nacin, double& poslednja) {
        s.PostaviPrevodjenje(nacin);
        s.Simuliraj(lista, rezultati);
        poslednja = s.Uspeh() ? rezultati[10][kolona] : -1;
        if (nacin == TPrevodjenje::Da) prevedenaJe = s.Prevedena();
    };
    pokreni(TPrevodjenje::Da, prevedena);
    double motor = 1e300, prevod = 1e300, rucna = 1e300;
    for (int i = 0; i < krugova; ++i) {
        motor = std::min(motor, NajboljeNiti(1, [&] { pokreni(TPrevodjenje::Ne, tumacena); }));
        prevod = std::min(prevod, NajboljeNiti(1, [&] { pokreni(TPrevodjenje::Da, prevedena); }));
        rucna = std::min(rucna, NajboljeNiti(1, [&] { rucnaVrednost = rucno(); }));
    }
    // The engine computes one step beyond D (its end test is D + h/2 > t).
    const double evaluacija = static_cast<double>(evaluacijaPoProlazu) * (4.0 * (koraka + 1) + 1);
    // Same arithmetic, so the sampled state must match the hand loop bit for bit.
    auto provera = [&](double vrednost) {
        return vrednost == rucnaVrednost ? "same values" : "VALUES DIFFER";
    };
    std::printf("%-40s engine %7.3f s %6.1f M eval/s  hand %7.3f s  ratio %5.2f  %s\n", naziv,
                motor, evaluacija / motor / 1e6, rucna, motor / rucna, provera(tumacena));
    std::printf("%-40s compiled %5.3f s %6.1f M eval/s  hand %7.3f s  ratio %5.2f  %s\n", "",
                prevod, evaluacija / prevod / 1e6, rucna, prevod / rucna,
                prevedenaJe ? provera(prevedena) : "NOT COMPILED");
}

// Compile time alone: the store is emptied, then a run of one step compiles.
void Prevodjenje(const char* naziv, const TModel& m) {
    TOpcije opcije;
    TPoruke poruke;
    TSimulacija s(&opcije, &poruke);
    s.PostaviPrevodjenje(TPrevodjenje::Da);
    opcije.O = {0.001, 0.001, 0.001};
    MatrixReal rezultati;
    const auto lista = m.Lista();
    bool prevedena = true;
    const double t = Najbolje(3, [&] {
        PostaviBibliotekuPrevodioca("libgccjit.so.0");
        s.Simuliraj(lista, rezultati);
        prevedena = prevedena && s.Prevedena();
    });
    std::printf("compile %-32s %7.3f s  %s\n", naziv, t,
                prevedena ? "" : ("NOT COMPILED: " + s.GreskaPrevodjenja()).c_str());
}

// (e) The oscillator to t = 1000 from x = 1 (its values stay above 1e-87) and
// from x = 1e-300 (below the smallest normal double from t = 90 on): the cost
// of a step with decayed values against a normal one.
void Sitni(double h, long koraka) {
    TOpcije opcije;
    TPoruke poruke;
    TSimulacija s(&opcije, &poruke);
    std::atomic<bool> zaustavi{false};
    std::atomic<double> dostignuto{0};
    s.PostaviZaustavljanje(&zaustavi);
    s.PostaviNapredak([&dostignuto](const TNapredakRada& n) {
        dostignuto.store(n.Udeo(), std::memory_order_relaxed);
    });
    const double d = h * static_cast<double>(koraka);
    opcije.O = {d, h, d / 10};
    MatrixReal rezultati;
    const TModel normalan = Oscilator(1), sitan = Oscilator(1e-300);
    const auto listaNormalan = normalan.Lista(), listaSitan = sitan.Lista();
    double xNormalan = 0, xSitan = 0, rucnoNormalan = 0, rucnoSitan = 0;
    // Interleaved, so a change in the machine's load hits both alike.
    double motorNormalan = 1e300, motorSitan = 1e300, rucnaNormalan = 1e300, rucnaSitan = 1e300;
    for (int i = 0; i < 5; ++i) {
        motorNormalan = std::min(motorNormalan, Najbolje(1, [&] {
                                     s.Simuliraj(listaNormalan, rezultati);
                                     xNormalan = rezultati[10][2];
                                 }));
        motorSitan = std::min(motorSitan, Najbolje(1, [&] {
                                  s.Simuliraj(listaSitan, rezultati);
                                  xSitan = rezultati[10][2];
                              }));
        rucnaNormalan = std::min(
            rucnaNormalan, Najbolje(1, [&] { rucnoNormalan = RucniOscilator(1, h, koraka); }));
        rucnaSitan = std::min(rucnaSitan,
                              Najbolje(1, [&] { rucnoSitan = RucniOscilator(1e-300, h, koraka); }));
    }
    std::printf("(e) oscillator, %ld steps to t = 1000: engine normal %.3f s, decayed %.3f s, "
                "ratio %.2f (x ends at %g)\n",
                koraka, motorNormalan, motorSitan, motorSitan / motorNormalan, xSitan);
    std::printf("    plain IEEE hand loop:                 normal %.4f s, decayed %.4f s, "
                "ratio %.2f (x ends at %g)  %s\n",
                rucnaNormalan, rucnaSitan, rucnaSitan / rucnaNormalan, rucnoSitan,
                xNormalan == rucnoNormalan ? "same values while normal" : "VALUES DIFFER");
}

// Ordering alone: a chain numbered against its flow (the scan's worst case).
void Redosled(int n) {
    TModel m;
    std::vector<TBlok*> b;
    for (int i = 0; i < n; ++i)
        b.push_back(m.Dodaj(i == n - 1 ? 10 : 8, 1));
    for (int i = 0; i + 1 < n; ++i)
        b[static_cast<std::size_t>(i)]->Izvori[0] = b[static_cast<std::size_t>(i) + 1];
    b.back()->Izvori[0] = b.front();
    TSimulacija s;
    s.Prevedi(m.Lista());
    const double t = Najbolje(3, [&] { s.Sortiraj(); });
    std::printf("ordering alone, %-6d blocks                  %7.4f s  (%d ordered)\n", n, t,
                s.DuzinaRedosleda() - 1);
}

} // namespace

int main(int argc, char** argv) {
    const bool brzo = argc > 1 && std::strcmp(argv[1], "--brzo") == 0;
    // --prevodjenje: case (b) and the compile times only.
    const bool samoPrevodjenje = argc > 1 && std::strcmp(argv[1], "--prevodjenje") == 0;
    const long k = brzo ? 10 : 1;
    const double h = 0.001;

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc > 2 && std::strcmp(argv[1], "--b") == 0) {
        krugova = std::max(1, std::atoi(argv[2]));
        Uporedi("(b) 100 lags (301 blocks), 100000 steps", Lanac(100), 298, 300, h, 100000,
                [&] { return RucniLanac(100, h, 100000); });
        return 0;
    }
    Prevodjenje("(b) 301 blocks", Lanac(100));
    Prevodjenje("1000 blocks", Lanac(333));
    if (!brzo) Prevodjenje("10000 blocks", Lanac(3333));

    // The hand loops run the D / h steps the engine samples at t = D; the
    // engine runs one step more, a difference of 1 in 10^5 at most.
    if (!samoPrevodjenje)
        Uporedi("(a) y' = -y, 100000 steps", Pad(), 0, 2, h, 100000 / k,
                [&] { return RucniPad(h, 100000 / k); });
    // x_n is block 3n - 1, column 3n - 2.
    Uporedi("(b) 100 lags (301 blocks), 100000 steps", Lanac(100), 298, 300, h, 100000 / k,
            [&] { return RucniLanac(100, h, 100000 / k); });
    if (!samoPrevodjenje)
        Uporedi("(c) 1000 lags, 10000 steps", Lanac(1000), 2998, 3000, h, 10000 / k,
                [&] { return RucniLanac(1000, h, 10000 / k); });
    if (!samoPrevodjenje)
        Uporedi("(c) 10000 lags, 1000 steps", Lanac(10000), 29998, 30000, h, 1000 / k,
                [&] { return RucniLanac(10000, h, 1000 / k); });
    if (samoPrevodjenje) return 0;
    Sitni(0.001 * k, 1000000 / k);
    Redosled(10000);
    Redosled(100000);
    return 0;
}
