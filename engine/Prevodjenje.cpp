// Code generation for the compiled pass (Prevodjenje.h). libgccjit is loaded
// with dlopen, so the program starts and runs (interpreted) without it.
// Each record becomes the statements the interpreter executes for its code
// (ObradaElementi.cpp), each stage the statements of KorakRK4.h; the library
// functions are called through the pointers the engine hands over, and the
// compiler is told not to contract multiplications and additions.

#include "Prevodjenje.h"

#include "Obrada.h"

#include <cstddef>
#include <mutex>
#include <utility>

#if defined(__linux__) && defined(__x86_64__) && __has_include(<libgccjit.h>)
#define SKEM_PREVODJENJE 1
#include <csignal>
#include <dlfcn.h>
#include <libgccjit.h>
#endif

namespace skem {

bool ProcitajPrevodjenje(std::string_view tekst, TPrevodjenje& nacin) {
    if (tekst == "auto")
        nacin = TPrevodjenje::Auto;
    else if (tekst == "da")
        nacin = TPrevodjenje::Da;
    else if (tekst == "ne")
        nacin = TPrevodjenje::Ne;
    else
        return false;
    return true;
}

const char* NazivPrevodjenja(TPrevodjenje nacin) {
    switch (nacin) {
    case TPrevodjenje::Da:
        return "da";
    case TPrevodjenje::Ne:
        return "ne";
    case TPrevodjenje::Auto:
        break;
    }
    return "auto";
}

std::int64_t ZapisaZaPrevodjenje(const TPlanZaPrevodjenje& plan) {
    return std::int64_t(plan.Duzina) - plan.Pocetak + 1 + plan.BrojIntegratora;
}

// Measured with bench/SkemBench.cpp --prevodjenje on a busy machine (a
// generous estimate): a fixed part (the assembler and the linker run as
// processes) and a part per record.
double ProcenaPrevodjenja(std::int64_t zapisa) {
    return 0.1 + 3e-4 * static_cast<double>(zapisa);
}

std::vector<std::int32_t> KljucModela(const TPlanZaPrevodjenje& plan) {
    std::vector<std::int32_t> k{plan.Duzina, plan.Pocetak, plan.BrojBlokova, plan.BrojIntegratora};
    for (std::int32_t i = 1; i <= plan.BrojIntegratora; ++i)
        k.push_back(plan.Integratori[i]);
    for (std::int32_t p = plan.Pocetak; p <= plan.Duzina; ++p) {
        const TKorakProlaza& z = plan.Plan[p];
        k.insert(k.end(), {z.Kod, z.Ulaz1, z.Ulaz2, z.Ulaz3, z.Izlaz, z.Indeks});
        // A Wye's check of its loop start is decided by the loop start's place.
        if (z.Kod == SifraVrste(TVrstaElementa::Wye))
            k.push_back(z.Ulaz1 < plan.BrojBlokova ? plan.PozicijaUPlanu[z.Ulaz1] : 0);
    }
    return k;
}

namespace {

struct TZapisSkladista {
    std::vector<std::int32_t> Kljuc;
    std::shared_ptr<const TPrevedeniModel> Model; // nullptr: compiling failed
    std::string Greska;
};

// Models kept for the process, the most recently used last.
constexpr std::size_t NajviseUSkladistu = 8;

struct TSkladiste {
    std::mutex Brava;
    std::vector<TZapisSkladista> Zapisi;
    std::string Biblioteka = "libgccjit.so.0";
};

TSkladiste& Skladiste() {
    static TSkladiste s;
    return s;
}

} // namespace

#if !defined(SKEM_PREVODJENJE)

TPrevedeniModel::~TPrevedeniModel() = default;

bool PrevodilacDostupan(std::string* razlog) {
    if (razlog) *razlog = "program je napravljen bez prevodjenja modela";
    return false;
}

void PostaviBibliotekuPrevodioca(const std::string&) {}

std::shared_ptr<const TPrevedeniModel> NadjiPrevedeni(const std::vector<std::int32_t>&) {
    return nullptr;
}

std::shared_ptr<const TPrevedeniModel> PrevediModel(const TPlanZaPrevodjenje&,
                                                    std::string& greska) {
    PrevodilacDostupan(&greska);
    return nullptr;
}

#else

namespace {

#define SKEM_JIT_FUNKCIJE(X)                                                                       \
    X(gcc_jit_context_acquire)                                                                     \
    X(gcc_jit_context_release)                                                                     \
    X(gcc_jit_context_set_int_option)                                                              \
    X(gcc_jit_context_set_bool_option)                                                             \
    X(gcc_jit_context_add_command_line_option)                                                     \
    X(gcc_jit_context_get_type)                                                                    \
    X(gcc_jit_type_get_pointer)                                                                    \
    X(gcc_jit_context_new_field)                                                                   \
    X(gcc_jit_context_new_struct_type)                                                             \
    X(gcc_jit_struct_as_type)                                                                      \
    X(gcc_jit_context_new_function_ptr_type)                                                       \
    X(gcc_jit_context_new_param)                                                                   \
    X(gcc_jit_param_as_rvalue)                                                                     \
    X(gcc_jit_context_new_function)                                                                \
    X(gcc_jit_function_new_local)                                                                  \
    X(gcc_jit_function_new_block)                                                                  \
    X(gcc_jit_block_add_assignment)                                                                \
    X(gcc_jit_block_add_eval)                                                                      \
    X(gcc_jit_block_end_with_conditional)                                                          \
    X(gcc_jit_block_end_with_jump)                                                                 \
    X(gcc_jit_block_end_with_return)                                                               \
    X(gcc_jit_block_end_with_void_return)                                                          \
    X(gcc_jit_block_end_with_switch)                                                               \
    X(gcc_jit_context_new_case)                                                                    \
    X(gcc_jit_rvalue_dereference_field)                                                            \
    X(gcc_jit_lvalue_as_rvalue)                                                                    \
    X(gcc_jit_context_new_array_access)                                                            \
    X(gcc_jit_context_new_binary_op)                                                               \
    X(gcc_jit_context_new_unary_op)                                                                \
    X(gcc_jit_context_new_comparison)                                                              \
    X(gcc_jit_context_new_call)                                                                    \
    X(gcc_jit_context_new_call_through_ptr)                                                        \
    X(gcc_jit_context_new_cast)                                                                    \
    X(gcc_jit_context_new_rvalue_from_double)                                                      \
    X(gcc_jit_context_new_rvalue_from_int)                                                         \
    X(gcc_jit_context_get_builtin_function)                                                        \
    X(gcc_jit_context_compile)                                                                     \
    X(gcc_jit_result_get_code)                                                                     \
    X(gcc_jit_result_release)                                                                      \
    X(gcc_jit_context_get_first_error)                                                             \
    X(gcc_jit_context_set_bool_allow_unreachable_blocks)

struct TJit {
#define SKEM_POKAZIVAC(f) decltype(&::f) f = nullptr;
    SKEM_JIT_FUNKCIJE(SKEM_POKAZIVAC)
#undef SKEM_POKAZIVAC
    bool Ucitan = false;
    std::string Greska;
};

// The library as loaded for the current name; under the store's lock.
TJit& Jit() {
    static TJit jit;
    return jit;
}
std::string ucitanaBiblioteka; // the name Jit() was loaded for ("" none yet)

const TJit& UcitajJit(TSkladiste& s) {
    TJit& j = Jit();
    if (ucitanaBiblioteka == s.Biblioteka && (j.Ucitan || !j.Greska.empty())) return j;
    j = TJit{};
    ucitanaBiblioteka = s.Biblioteka;
    void* h = dlopen(s.Biblioteka.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        j.Greska = "biblioteka " + s.Biblioteka + " nije nadjena";
        return j;
    }
#define SKEM_UCITAJ(f)                                                                             \
    j.f = reinterpret_cast<decltype(&::f)>(dlsym(h, #f));                                          \
    if (!j.f) {                                                                                    \
        j.Greska = "biblioteka " + s.Biblioteka + " nema " #f;                                     \
        return j;                                                                                  \
    }
    SKEM_JIT_FUNKCIJE(SKEM_UCITAJ)
#undef SKEM_UCITAJ
    j.Ucitan = true;
    return j;
}

using R = gcc_jit_rvalue*;
using L = gcc_jit_lvalue*;
using B = gcc_jit_block*;
using F = gcc_jit_function*;

// The pass codes after the kinds' own (ObradaElementi.cpp).
constexpr std::int32_t KodZbirDvaUlaza = BrojVrstaElemenata + 2;
constexpr std::int32_t KodIntegratorJedan = BrojVrstaElemenata + 3;

constexpr int Kod(TVrstaElementa v) {
    return SifraVrste(v);
}

// Builds the functions of one model in one context. Locals of a function are
// loaded from the context at its start.
class TGenerator {
public:
    TGenerator(const TJit& jit, gcc_jit_context* c, const TPlanZaPrevodjenje& plan)
        : J(jit), ctx(c), p(plan) {
        tDouble = J.gcc_jit_context_get_type(ctx, GCC_JIT_TYPE_DOUBLE);
        tDugi = J.gcc_jit_context_get_type(ctx, GCC_JIT_TYPE_LONG_DOUBLE);
        tInt = J.gcc_jit_context_get_type(ctx, GCC_JIT_TYPE_INT);
        tVoid = J.gcc_jit_context_get_type(ctx, GCC_JIT_TYPE_VOID);
        tVoidPtr = J.gcc_jit_context_get_type(ctx, GCC_JIT_TYPE_VOID_PTR);
        tBool = J.gcc_jit_context_get_type(ctx, GCC_JIT_TYPE_BOOL);
        auto ptr = [&](gcc_jit_type* t) { return J.gcc_jit_type_get_pointer(t); };
        gcc_jit_type* greskaPar[] = {tVoidPtr, tInt, tInt};
        gcc_jit_type* tGreska =
            J.gcc_jit_context_new_function_ptr_type(ctx, nullptr, tVoid, 3, greskaPar, 0);
        gcc_jit_type* tKraj =
            J.gcc_jit_context_new_function_ptr_type(ctx, nullptr, tVoid, 1, &tVoidPtr, 0);
        gcc_jit_type* tSlucajan =
            J.gcc_jit_context_new_function_ptr_type(ctx, nullptr, tDouble, 1, &tVoidPtr, 0);
        gcc_jit_type* tMat =
            J.gcc_jit_context_new_function_ptr_type(ctx, nullptr, tDouble, 1, &tDouble, 0);
        // The order and types of TKontekstPrevedenog.
        const std::pair<gcc_jit_type*, const char*> opis[] = {
            {ptr(tDouble), "V"},
            {ptr(tDouble), "F"},
            {ptr(tDouble), "Y"},
            {ptr(tDouble), "Y0"},
            {ptr(tDugi), "K1"},
            {ptr(tDugi), "K2"},
            {ptr(tDugi), "K3"},
            {ptr(tDouble), "Plan"},
            {ptr(tInt), "PlanCeli"},
            {ptr(tDouble), "Tabele"},
            {ptr(tInt), "Izlazi"},
            {tVoidPtr, "Simulacija"},
            {tGreska, "Greska"},
            {tKraj, "Kraj"},
            {tSlucajan, "Slucajan"},
            {tMat, "Sin"},
            {tMat, "Cos"},
            {tMat, "Exp"},
            {tMat, "Atan"},
            {tDouble, "T"},
            {tDouble, "PolaH"},
            {tInt, "Relaksacija"},
            {tDugi, "H"},
            {tDugi, "Sestina"},
            {tDugi, "Granica"},
        };
        for (const auto& [t, ime] : opis)
            polja.push_back(J.gcc_jit_context_new_field(ctx, nullptr, t, ime));
        tKontekst = J.gcc_jit_struct_as_type(J.gcc_jit_context_new_struct_type(
            ctx, nullptr, "kontekst", static_cast<int>(polja.size()), polja.data()));
        tKontekstPtr = ptr(tKontekst);
        fabs = J.gcc_jit_context_get_builtin_function(ctx, "__builtin_fabs");
        fabsl = J.gcc_jit_context_get_builtin_function(ctx, "__builtin_fabsl");
        sqrt = J.gcc_jit_context_get_builtin_function(ctx, "__builtin_sqrt");
    }

    // The exported step; true when everything was built.
    void Napravi() {
        NapraviDelove();
        F prolaz = NapraviProlaz();
        F faze[4];
        for (int s = 0; s < 4; ++s)
            faze[s] = NapraviFazu(s);
        gcc_jit_param* k = J.gcc_jit_context_new_param(ctx, nullptr, tKontekstPtr, "k");
        F korak = J.gcc_jit_context_new_function(ctx, nullptr, GCC_JIT_FUNCTION_EXPORTED, tVoid,
                                                 "skem_korak", 1, &k, 0);
        fn = korak;
        kont = J.gcc_jit_param_as_rvalue(k);
        tek = J.gcc_jit_function_new_block(korak, "pocetak");
        R arg = kont;
        for (int s = 0; s < 4; ++s) {
            Eval(J.gcc_jit_context_new_call(ctx, nullptr, faze[s], 1, &arg));
            if (s == 0 || s == 2) {
                // t += h/2, placed in the time slot before the pass.
                L t = Polje(Polja::T);
                Dodeli(t, Add(Rv(t), Rv(Polje(Polja::PolaH))));
                Dodeli(J.gcc_jit_context_new_array_access(ctx, nullptr, Rv(Polje(Polja::V)),
                                                          Int(p.BrojBlokova)),
                       Rv(t));
            }
            Eval(J.gcc_jit_context_new_call(ctx, nullptr, prolaz, 1, &arg));
        }
        J.gcc_jit_block_end_with_void_return(tek, nullptr);
    }

private:
    enum class Polja {
        V,
        F,
        Y,
        Y0,
        K1,
        K2,
        K3,
        Plan,
        PlanCeli,
        Tabele,
        Izlazi,
        Simulacija,
        Greska,
        Kraj,
        Slucajan,
        Sin,
        Cos,
        Exp,
        Atan,
        T,
        PolaH,
        Relaksacija,
        H,
        Sestina,
        Granica,
    };

    const TJit& J;
    gcc_jit_context* ctx;
    const TPlanZaPrevodjenje& p;
    gcc_jit_type *tDouble, *tDugi, *tInt, *tVoid, *tVoidPtr, *tBool, *tKontekst, *tKontekstPtr;
    std::vector<gcc_jit_field*> polja;
    F fabs, fabsl, sqrt;

    // The function being built: its context parameter, current block and locals.
    F fn = nullptr;
    R kont = nullptr;
    B tek = nullptr;
    R v = nullptr, f = nullptr, pd = nullptr, pi = nullptr;
    L a = nullptr, b = nullptr, x = nullptr, y = nullptr;
    L ld = nullptr;
    L i = nullptr;
    int brojBlokova = 0;

    // The pieces of the pass: first positions, and their functions.
    std::vector<std::int32_t> pocetci;
    std::vector<F> delovi;

    L Polje(Polja k) {
        return J.gcc_jit_rvalue_dereference_field(kont, nullptr,
                                                  polja[static_cast<std::size_t>(k)]);
    }
    R Rv(L l) { return J.gcc_jit_lvalue_as_rvalue(l); }
    R Int(std::int64_t n) {
        return J.gcc_jit_context_new_rvalue_from_int(ctx, tInt, static_cast<int>(n));
    }
    R Broj(double d) { return J.gcc_jit_context_new_rvalue_from_double(ctx, tDouble, d); }
    R Dugi(double d) { return J.gcc_jit_context_new_rvalue_from_double(ctx, tDugi, d); }
    R Bin(gcc_jit_binary_op op, gcc_jit_type* t, R l, R d) {
        return J.gcc_jit_context_new_binary_op(ctx, nullptr, op, t, l, d);
    }
    R Add(R l, R d) { return Bin(GCC_JIT_BINARY_OP_PLUS, tDouble, l, d); }
    R Sub(R l, R d) { return Bin(GCC_JIT_BINARY_OP_MINUS, tDouble, l, d); }
    R Mul(R l, R d) { return Bin(GCC_JIT_BINARY_OP_MULT, tDouble, l, d); }
    R Div(R l, R d) { return Bin(GCC_JIT_BINARY_OP_DIVIDE, tDouble, l, d); }
    R AddD(R l, R d) { return Bin(GCC_JIT_BINARY_OP_PLUS, tDugi, l, d); }
    R MulD(R l, R d) { return Bin(GCC_JIT_BINARY_OP_MULT, tDugi, l, d); }
    R UDugi(R r) { return J.gcc_jit_context_new_cast(ctx, nullptr, r, tDugi); }
    R Cmp(gcc_jit_comparison op, R l, R d) {
        return J.gcc_jit_context_new_comparison(ctx, nullptr, op, l, d);
    }
    R Poziv(F funkcija, std::vector<R> arg) {
        return J.gcc_jit_context_new_call(ctx, nullptr, funkcija, static_cast<int>(arg.size()),
                                          arg.data());
    }
    R PozivPreko(Polja k, std::vector<R> arg) {
        return J.gcc_jit_context_new_call_through_ptr(ctx, nullptr, Rv(Polje(k)),
                                                      static_cast<int>(arg.size()), arg.data());
    }
    void Dodeli(L l, R r) { J.gcc_jit_block_add_assignment(tek, nullptr, l, r); }
    void Eval(R r) { J.gcc_jit_block_add_eval(tek, nullptr, r); }
    B Blok() { return J.gcc_jit_function_new_block(fn, nullptr); }
    void Skok(B cilj) { J.gcc_jit_block_end_with_jump(tek, nullptr, cilj); }

    L Vr(std::int32_t k) { return J.gcc_jit_context_new_array_access(ctx, nullptr, v, Int(k)); }
    R U(std::int32_t k) { return Rv(Vr(k)); }
    L Izvod(std::int32_t k) { return J.gcc_jit_context_new_array_access(ctx, nullptr, f, Int(k)); }
    // Parameter j (1..3) of the record at position q, in the plan itself.
    L Par(std::int32_t q, int j) {
        const std::size_t bajt = static_cast<std::size_t>(q) * sizeof(TKorakProlaza) +
                                 offsetof(TKorakProlaza, Parametar1) +
                                 static_cast<std::size_t>(j - 1) * sizeof(double);
        return J.gcc_jit_context_new_array_access(ctx, nullptr, pd,
                                                  Int(std::int64_t(bajt / sizeof(double))));
    }
    L Indeks(std::int32_t q) {
        const std::size_t bajt =
            static_cast<std::size_t>(q) * sizeof(TKorakProlaza) + offsetof(TKorakProlaza, Indeks);
        return J.gcc_jit_context_new_array_access(ctx, nullptr, pi,
                                                  Int(std::int64_t(bajt / sizeof(std::int32_t))));
    }

    // if (uslov) da() else ne(); both continue after.
    template <class TDa, class TNe> void Grana(R uslov, TDa da, TNe ne) {
        B bDa = Blok(), bNe = Blok(), posle = Blok();
        J.gcc_jit_block_end_with_conditional(tek, nullptr, uslov, bDa, bNe);
        tek = bDa;
        da();
        Skok(posle);
        tek = bNe;
        ne();
        Skok(posle);
        tek = posle;
    }
    void Greska(TGreskaPrevedenog g, std::int32_t blok) {
        Eval(PozivPreko(Polja::Greska, {Rv(Polje(Polja::Simulacija)),
                                        Int(static_cast<std::int32_t>(g)), Int(blok)}));
    }

    // A function over the context; loads the locals every record may use.
    F Funkcija(const char* ime, gcc_jit_type* vraca, std::vector<gcc_jit_param*> dodatni = {}) {
        std::vector<gcc_jit_param*> parametri{
            J.gcc_jit_context_new_param(ctx, nullptr, tKontekstPtr, "k")};
        parametri.insert(parametri.end(), dodatni.begin(), dodatni.end());
        fn =
            J.gcc_jit_context_new_function(ctx, nullptr, GCC_JIT_FUNCTION_INTERNAL, vraca, ime,
                                           static_cast<int>(parametri.size()), parametri.data(), 0);
        kont = J.gcc_jit_param_as_rvalue(parametri[0]);
        tek = J.gcc_jit_function_new_block(fn, "pocetak");
        auto lokalni = [&](gcc_jit_type* t, const char* naziv, Polja k) {
            L l = J.gcc_jit_function_new_local(fn, nullptr, t, naziv);
            Dodeli(l, Rv(Polje(k)));
            return Rv(l);
        };
        v = lokalni(J.gcc_jit_type_get_pointer(tDouble), "v", Polja::V);
        f = lokalni(J.gcc_jit_type_get_pointer(tDouble), "f", Polja::F);
        pd = lokalni(J.gcc_jit_type_get_pointer(tDouble), "pd", Polja::Plan);
        pi = lokalni(J.gcc_jit_type_get_pointer(tInt), "pi", Polja::PlanCeli);
        a = J.gcc_jit_function_new_local(fn, nullptr, tDouble, "a");
        b = J.gcc_jit_function_new_local(fn, nullptr, tDouble, "b");
        x = J.gcc_jit_function_new_local(fn, nullptr, tDouble, "x");
        y = J.gcc_jit_function_new_local(fn, nullptr, tDouble, "y");
        ld = J.gcc_jit_function_new_local(fn, nullptr, tDugi, "ld");
        i = J.gcc_jit_function_new_local(fn, nullptr, tInt, "i");
        return fn;
    }

    void NapraviDelove() {
        for (std::int32_t od = p.Pocetak; od <= p.Duzina; od += ZapisaUDelu)
            pocetci.push_back(od);
        pocetci.push_back(p.Duzina + 1);
        for (std::size_t d = 0; d + 1 < pocetci.size(); ++d)
            delovi.push_back(NapraviDeo(pocetci[d], pocetci[d + 1]));
    }

    // int deo(k, ulaz): the records [od, do); starts at `ulaz` (its first
    // record, or a loop start a Wye goes back to) and returns the position
    // the pass goes on from (0: the end of the pass).
    F NapraviDeo(std::int32_t od, std::int32_t doPoz) {
        gcc_jit_param* ulaz = J.gcc_jit_context_new_param(ctx, nullptr, tInt, "ulaz");
        const std::string ime = "deo" + std::to_string(od);
        Funkcija(ime.c_str(), tInt, {ulaz});
        std::vector<B> oznake(static_cast<std::size_t>(doPoz - od) + 1);
        for (auto& o : oznake)
            o = Blok();
        std::vector<gcc_jit_case*> slucajevi;
        for (std::int32_t q = od; q < doPoz; ++q)
            if (p.Plan[q].Kod == Kod(TVrstaElementa::PocetakPetlje))
                slucajevi.push_back(J.gcc_jit_context_new_case(
                    ctx, Int(q), Int(q), oznake[static_cast<std::size_t>(q - od)]));
        J.gcc_jit_block_end_with_switch(tek, nullptr, J.gcc_jit_param_as_rvalue(ulaz), oznake[0],
                                        static_cast<int>(slucajevi.size()), slucajevi.data());
        for (std::int32_t q = od; q < doPoz; ++q) {
            tek = oznake[static_cast<std::size_t>(q - od)];
            B dalje = oznake[static_cast<std::size_t>(q - od) + 1];
            Zapis(q, dalje, od, doPoz, oznake);
            Skok(dalje);
        }
        tek = oznake.back();
        J.gcc_jit_block_end_with_return(tek, nullptr, Int(doPoz > p.Duzina ? 0 : doPoz));
        return fn;
    }

    // The statements of the record at position q (a pass after the initial one).
    void Zapis(std::int32_t q, B dalje, std::int32_t od, std::int32_t doPoz,
               const std::vector<B>& oznake) {
        const TKorakProlaza& z = p.Plan[q];
        const std::int32_t iz = z.Izlaz;
        using V = TVrstaElementa;
        auto P = [&](int j) { return Rv(Par(q, j)); };
        // p1 * fn(p2 * u1 + p3)
        auto mat = [&](Polja k) {
            Dodeli(Vr(iz), Mul(P(1), PozivPreko(k, {Add(Mul(P(2), U(z.Ulaz1)), P(3))})));
        };
        auto nista = [] {};
        switch (z.Kod) {
        case Kod(V::OdabiranjeIDrzanje):
            Dodeli(a, U(z.Ulaz2));
            Grana(
                Cmp(GCC_JIT_COMPARISON_LT, Rv(a), Broj(0)), [&] { Dodeli(Vr(iz), Broj(0)); },
                [&] {
                    Grana(
                        Cmp(GCC_JIT_COMPARISON_EQ, Rv(a), Broj(0)), [&] { Dodeli(Vr(iz), P(2)); },
                        [&] {
                            Dodeli(Par(q, 2), U(z.Ulaz1));
                            Dodeli(Vr(iz), P(2));
                        });
                });
            break;
        case Kod(V::ArkusTangens):
            Dodeli(y, Add(Mul(P(2), U(z.Ulaz1)), P(3)));
            Grana(
                Cmp(GCC_JIT_COMPARISON_LT, Rv(y), Broj(0)),
                [&] { Greska(TGreskaPrevedenog::ArcTan, iz); },
                [&] { Dodeli(Vr(iz), Mul(P(1), PozivPreko(Polja::Atan, {Rv(y)}))); });
            break;
        case Kod(V::Znak):
            Dodeli(a, U(z.Ulaz1));
            Grana(
                Cmp(GCC_JIT_COMPARISON_GT, Rv(a), Broj(0)), [&] { Dodeli(Vr(iz), Broj(1.0)); },
                [&] {
                    Grana(
                        Cmp(GCC_JIT_COMPARISON_LT, Rv(a), Broj(0)),
                        [&] { Dodeli(Vr(iz), Broj(-1.0)); }, [&] { Dodeli(Vr(iz), Broj(0.0)); });
                });
            break;
        case Kod(V::Kosinus):
            mat(Polja::Cos);
            break;
        case Kod(V::MrtvaZona):
            Dodeli(a, U(z.Ulaz1));
            Grana(
                Cmp(GCC_JIT_COMPARISON_LT, P(1), Rv(a)),
                [&] {
                    Grana(
                        Cmp(GCC_JIT_COMPARISON_LT, Rv(a), P(2)), [&] { Dodeli(Vr(iz), Broj(0.0)); },
                        [&] { Dodeli(Vr(iz), Rv(a)); });
                },
                [&] { Dodeli(Vr(iz), Rv(a)); });
            break;
        case Kod(V::Delitelj):
            Dodeli(b, U(z.Ulaz2));
            Grana(
                Cmp(GCC_JIT_COMPARISON_EQ, Rv(b), Broj(0)),
                [&] { Greska(TGreskaPrevedenog::Delitelj, iz); },
                [&] { Dodeli(Vr(iz), Div(U(z.Ulaz1), Rv(b))); });
            break;
        case Kod(V::EksponencijalnaFunkcija):
            mat(Polja::Exp);
            break;
        case Kod(V::GeneratorFunkcija): {
            Dodeli(a, Sub(P(1), P(2)));
            const std::int32_t t0 = z.Indeks * 11;
            auto t = [&](R indeks) {
                return Rv(J.gcc_jit_context_new_array_access(ctx, nullptr, Rv(Polje(Polja::Tabele)),
                                                             indeks));
            };
            Grana(
                Cmp(GCC_JIT_COMPARISON_LE, Rv(a), Broj(0)),
                [&] { Greska(TGreskaPrevedenog::Generator, iz); },
                [&] {
                    Dodeli(x, Div(Mul(Sub(U(z.Ulaz1), P(2)), Broj(10)), Rv(a)));
                    Grana(
                        Cmp(GCC_JIT_COMPARISON_LE, Rv(x), Broj(0)),
                        [&] { Dodeli(Vr(iz), t(Int(t0))); },
                        [&] {
                            Grana(
                                Cmp(GCC_JIT_COMPARISON_LT, Rv(x), Broj(10)),
                                [&] {
                                    Dodeli(i,
                                           J.gcc_jit_context_new_cast(ctx, nullptr, Rv(x), tInt));
                                    R ti = t(Bin(GCC_JIT_BINARY_OP_PLUS, tInt, Int(t0), Rv(i)));
                                    R ti1 =
                                        t(Bin(GCC_JIT_BINARY_OP_PLUS, tInt, Int(t0 + 1), Rv(i)));
                                    R xi = Sub(Rv(x), J.gcc_jit_context_new_cast(ctx, nullptr,
                                                                                 Rv(i), tDouble));
                                    Dodeli(Vr(iz), Add(ti, Mul(xi, Sub(ti1, ti))));
                                },
                                [&] { Dodeli(Vr(iz), t(Int(t0 + 10))); });
                        });
                });
            break;
        }
        case Kod(V::Pojacanje):
            Dodeli(Vr(iz), Mul(P(1), U(z.Ulaz1)));
            break;
        case Kod(V::KvadratniKoren):
            Dodeli(a, U(z.Ulaz1));
            Grana(
                Cmp(GCC_JIT_COMPARISON_LT, Rv(a), Broj(0)),
                [&] { Greska(TGreskaPrevedenog::Koren, iz); },
                [&] { Dodeli(Vr(iz), Poziv(sqrt, {Rv(a)})); });
            break;
        case Kod(V::Integrator):
            Dodeli(Izvod(iz), Add(Add(U(z.Ulaz1), Mul(P(2), U(z.Ulaz2))), Mul(P(3), U(z.Ulaz3))));
            break;
        case Kod(V::GeneratorSlucajnihBrojeva):
            Dodeli(Vr(iz), PozivPreko(Polja::Slucajan, {Rv(Polje(Polja::Simulacija))}));
            break;
        case Kod(V::Ogranicavac):
            Dodeli(a, U(z.Ulaz1));
            Grana(
                Cmp(GCC_JIT_COMPARISON_LT, Rv(a), P(1)), [&] { Dodeli(Vr(iz), P(1)); },
                [&] {
                    Grana(
                        Cmp(GCC_JIT_COMPARISON_GT, Rv(a), P(2)), [&] { Dodeli(Vr(iz), P(2)); },
                        [&] { Dodeli(Vr(iz), Rv(a)); });
                });
            break;
        case Kod(V::ApsolutnaVrednost):
            Dodeli(Vr(iz), Poziv(fabs, {U(z.Ulaz1)}));
            break;
        case Kod(V::Invertor):
            Dodeli(Vr(iz), J.gcc_jit_context_new_unary_op(ctx, nullptr, GCC_JIT_UNARY_OP_MINUS,
                                                          tDouble, U(z.Ulaz1)));
            break;
        case Kod(V::PozitivniDeo):
            Dodeli(a, U(z.Ulaz1));
            Grana(
                Cmp(GCC_JIT_COMPARISON_GE, Rv(a), Broj(0)), [&] { Dodeli(Vr(iz), Rv(a)); },
                [&] { Dodeli(Vr(iz), Broj(0.0)); });
            break;
        case Kod(V::Pomeraj):
            Dodeli(Vr(iz), Add(U(z.Ulaz1), P(1)));
            break;
        case Kod(V::NegativniDeo):
            Dodeli(a, U(z.Ulaz1));
            Grana(
                Cmp(GCC_JIT_COMPARISON_LE, Rv(a), Broj(0)), [&] { Dodeli(Vr(iz), Rv(a)); },
                [&] { Dodeli(Vr(iz), Broj(0.0)); });
            break;
        case Kod(V::Quit):
            Grana(
                Cmp(GCC_JIT_COMPARISON_GT, U(z.Ulaz1), U(z.Ulaz2)),
                [&] { Eval(PozivPreko(Polja::Kraj, {Rv(Polje(Polja::Simulacija))})); }, nista);
            break;
        case Kod(V::PrekidacUlaza):
            Grana(
                Cmp(GCC_JIT_COMPARISON_GE, U(z.Ulaz1), Broj(0)),
                [&] { Dodeli(Vr(iz), U(z.Ulaz2)); }, [&] { Dodeli(Vr(iz), U(z.Ulaz3)); });
            break;
        case Kod(V::Sinus):
            mat(Polja::Sin);
            break;
        case Kod(V::OdskocnaFunkcija):
            Grana(
                Cmp(GCC_JIT_COMPARISON_GE, U(z.Ulaz1), Broj(0)), [&] { Dodeli(Vr(iz), Broj(1.0)); },
                [&] { Dodeli(Vr(iz), Broj(0.0)); });
            break;
        case Kod(V::Memorija):
            Dodeli(Vr(iz), P(2));
            Dodeli(Par(q, 2), U(z.Ulaz1));
            break;
        case Kod(V::Sumator):
            Dodeli(Vr(iz),
                   Add(Add(Mul(P(1), U(z.Ulaz1)), Mul(P(2), U(z.Ulaz2))), Mul(P(3), U(z.Ulaz3))));
            break;
        case Kod(V::Mnozac):
            Dodeli(Vr(iz), Mul(U(z.Ulaz1), U(z.Ulaz2)));
            break;
        case Kod(V::Wye):
            Wye(q, dalje, od, doPoz, oznake);
            break;
        case KodZbirDvaUlaza:
            Dodeli(Vr(iz), Add(Add(Mul(P(1), U(z.Ulaz1)), Mul(P(2), U(z.Ulaz2))), P(3)));
            break;
        case KodIntegratorJedan:
            Dodeli(Izvod(iz), Add(U(z.Ulaz1), P(3)));
            break;
        default: // constants, the time source, unknown kinds, a loop start after the initial pass
            break;
        }
    }

    void Wye(std::int32_t q, B dalje, std::int32_t od, std::int32_t doPoz,
             const std::vector<B>& oznake) {
        const TKorakProlaza& z = p.Plan[q];
        const std::int32_t iz = z.Izlaz;
        auto P = [&](int j) { return Rv(Par(q, j)); };
        auto greskaIDalje = [&](TGreskaPrevedenog g) {
            Greska(g, iz);
            Skok(dalje);
        };
        Dodeli(a, U(z.Ulaz1));
        B nijeNula = Blok();
        {
            B nula = Blok();
            J.gcc_jit_block_end_with_conditional(
                tek, nullptr, Cmp(GCC_JIT_COMPARISON_EQ, Rv(a), Broj(0)), nula, nijeNula);
            tek = nula;
            greskaIDalje(TGreskaPrevedenog::WyeNula);
        }
        tek = nijeNula;
        const std::int32_t petlja = z.Ulaz1 < p.BrojBlokova ? p.PozicijaUPlanu[z.Ulaz1] : 0;
        if (petlja < 2 || p.Plan[petlja].Kod != Kod(TVrstaElementa::PocetakPetlje)) {
            greskaIDalje(TGreskaPrevedenog::WyeIzvor);
            tek = Blok(); // unreachable; what follows goes nowhere
            return;
        }
        // The loop start knows its place once the initial pass has reached it.
        B dosegnut = Blok(), nedosegnut = Blok();
        J.gcc_jit_block_end_with_conditional(tek, nullptr,
                                             Cmp(GCC_JIT_COMPARISON_LT, Rv(Indeks(petlja)), Int(2)),
                                             nedosegnut, dosegnut);
        tek = nedosegnut;
        greskaIDalje(TGreskaPrevedenog::WyeIzvor);
        tek = dosegnut;
        Dodeli(b, U(z.Ulaz2));
        B blizu = Blok(), daleko = Blok();
        J.gcc_jit_block_end_with_conditional(
            tek, nullptr,
            Cmp(GCC_JIT_COMPARISON_GT, P(1), Poziv(fabs, {Sub(Broj(1), Div(Rv(b), Rv(a)))})), blizu,
            daleko);
        tek = blizu;
        Dodeli(Vr(iz), Rv(a));
        Skok(dalje);
        tek = daleko;
        L rel = Polje(Polja::Relaksacija);
        B previse = Blok(), opet = Blok();
        J.gcc_jit_block_end_with_conditional(
            tek, nullptr, Cmp(GCC_JIT_COMPARISON_GE, Rv(rel), Int(TSimulacija::MaksRelaksacija)),
            previse, opet);
        tek = previse;
        greskaIDalje(TGreskaPrevedenog::WyeKonvergencija);
        tek = opet;
        Dodeli(rel, Bin(GCC_JIT_BINARY_OP_PLUS, tInt, Rv(rel), Int(1)));
        Dodeli(Vr(z.Ulaz1), Add(Mul(Rv(a), Sub(Broj(1), P(2))), Mul(Rv(b), P(2))));
        // The walk resumes at the loop start itself.
        if (petlja >= od && petlja < doPoz)
            Skok(oznake[static_cast<std::size_t>(petlja - od)]);
        else
            J.gcc_jit_block_end_with_return(tek, nullptr, Int(petlja));
        tek = Blok(); // unreachable
    }

    // void prolaz(k): the pieces from the first evaluated position to the end.
    F NapraviProlaz() {
        Funkcija("prolaz", tVoid);
        F prolaz = fn;
        Dodeli(Polje(Polja::Relaksacija), Int(0));
        if (delovi.size() == 1) {
            Eval(Poziv(delovi[0], {kont, Int(p.Pocetak)}));
            J.gcc_jit_block_end_with_void_return(tek, nullptr);
            return prolaz;
        }
        // Pieces in order; a Wye may send the walk back to an earlier one.
        L poz = J.gcc_jit_function_new_local(fn, nullptr, tInt, "poz");
        Dodeli(poz, Int(p.Pocetak));
        B petlja = Blok(), kraj = Blok();
        Skok(petlja);
        tek = petlja;
        std::vector<gcc_jit_case*> slucajevi;
        std::vector<B> pozivi;
        for (std::size_t d = 0; d < delovi.size(); ++d) {
            B poziv = Blok();
            slucajevi.push_back(
                J.gcc_jit_context_new_case(ctx, Int(pocetci[d]), Int(pocetci[d + 1] - 1), poziv));
            pozivi.push_back(poziv);
        }
        J.gcc_jit_block_end_with_switch(tek, nullptr, Rv(poz), kraj,
                                        static_cast<int>(slucajevi.size()), slucajevi.data());
        for (std::size_t d = 0; d < delovi.size(); ++d) {
            tek = pozivi[d];
            Dodeli(poz, Poziv(delovi[d], {kont, Rv(poz)}));
            Skok(petlja);
        }
        tek = kraj;
        J.gcc_jit_block_end_with_void_return(tek, nullptr);
        return prolaz;
    }

    // Stage s (0..3) of KorakRK4.h: a loop over the integrators, as there
    // (its code does not grow with the model).
    F NapraviFazu(int s) {
        const std::string ime = "faza" + std::to_string(s);
        Funkcija(ime.c_str(), tVoid);
        auto lok = [&](Polja k, gcc_jit_type* t, const char* naziv) {
            L l = J.gcc_jit_function_new_local(fn, nullptr, t, naziv);
            Dodeli(l, Rv(Polje(k)));
            return Rv(l);
        };
        R yp = lok(Polja::Y, J.gcc_jit_type_get_pointer(tDouble), "y");
        R y0p = lok(Polja::Y0, J.gcc_jit_type_get_pointer(tDouble), "y0");
        R k1 = lok(Polja::K1, J.gcc_jit_type_get_pointer(tDugi), "k1");
        R k2 = lok(Polja::K2, J.gcc_jit_type_get_pointer(tDugi), "k2");
        R k3 = lok(Polja::K3, J.gcc_jit_type_get_pointer(tDugi), "k3");
        R izlazi = lok(Polja::Izlazi, J.gcc_jit_type_get_pointer(tInt), "izlazi");
        R h = lok(Polja::H, tDugi, "h");
        R sestina = lok(Polja::Sestina, tDugi, "sestina");
        R granica = lok(Polja::Granica, tDugi, "granica");
        auto el = [&](R niz) {
            return J.gcc_jit_context_new_array_access(ctx, nullptr, niz, Rv(i));
        };
        Dodeli(i, Int(1));
        B uslov = Blok(), telo = Blok(), kraj = Blok();
        Skok(uslov);
        tek = uslov;
        J.gcc_jit_block_end_with_conditional(
            tek, nullptr, Cmp(GCC_JIT_COMPARISON_LE, Rv(i), Int(p.BrojIntegratora)), telo, kraj);
        tek = telo;
        if (s == 0) Dodeli(el(y0p), Rv(el(yp)));
        R hf = MulD(h, UDugi(Rv(J.gcc_jit_context_new_array_access(ctx, nullptr, f, Rv(i)))));
        R y0 = UDugi(Rv(el(y0p)));
        R zbir;
        if (s < 3) {
            R kniz = s == 0 ? k1 : s == 1 ? k2 : k3;
            Dodeli(el(kniz), hf);
            R kn = Rv(el(kniz));
            zbir = AddD(s < 2 ? MulD(kn, Dugi(0.5)) : kn, y0);
        } else {
            R k1n = Rv(el(k1)), k2n = Rv(el(k2)), k3n = Rv(el(k3));
            zbir = AddD(
                MulD(AddD(AddD(AddD(MulD(k2n, Dugi(2)), k1n), MulD(k3n, Dugi(2))), hf), sestina),
                y0);
        }
        // UDvostrukuBezSitnih
        Dodeli(ld, zbir);
        B sitan = Blok(), posle = Blok();
        J.gcc_jit_block_end_with_conditional(
            tek, nullptr, Cmp(GCC_JIT_COMPARISON_LT, Poziv(fabsl, {Rv(ld)}), granica), sitan,
            posle);
        tek = sitan;
        Dodeli(ld, MulD(Rv(ld), Dugi(0.0)));
        Skok(posle);
        tek = posle;
        Dodeli(y, J.gcc_jit_context_new_cast(ctx, nullptr, Rv(ld), tDouble));
        Dodeli(el(yp), Rv(y));
        Dodeli(J.gcc_jit_context_new_array_access(ctx, nullptr, v, Rv(el(izlazi))), Rv(y));
        Dodeli(i, Bin(GCC_JIT_BINARY_OP_PLUS, tInt, Rv(i), Int(1)));
        Skok(uslov);
        tek = kraj;
        J.gcc_jit_block_end_with_void_return(tek, nullptr);
        return fn;
    }
};

} // namespace

TPrevedeniModel::~TPrevedeniModel() {
    if (rezultat && Jit().Ucitan)
        Jit().gcc_jit_result_release(static_cast<gcc_jit_result*>(rezultat));
}

bool PrevodilacDostupan(std::string* razlog) {
    TSkladiste& s = Skladiste();
    std::lock_guard<std::mutex> brava(s.Brava);
    const TJit& j = UcitajJit(s);
    if (!j.Ucitan && razlog) *razlog = j.Greska;
    return j.Ucitan;
}

void PostaviBibliotekuPrevodioca(const std::string& ime) {
    TSkladiste& s = Skladiste();
    std::vector<TZapisSkladista> stari;
    {
        std::lock_guard<std::mutex> brava(s.Brava);
        stari.swap(s.Zapisi);
        s.Biblioteka = ime;
    }
}

std::shared_ptr<const TPrevedeniModel> NadjiPrevedeni(const std::vector<std::int32_t>& kljuc) {
    TSkladiste& s = Skladiste();
    std::lock_guard<std::mutex> brava(s.Brava);
    for (const TZapisSkladista& z : s.Zapisi)
        if (z.Kljuc == kljuc) return z.Model;
    return nullptr;
}

namespace {

// The compiler runs its driver inside this process to assemble and link, and
// the driver takes over these signals for itself (cleaning up its temporary
// files and then dying by the signal again). Left so, a Ctrl+C after a
// compile would kill the program instead of stopping its run: the handlers in
// place before the compile come back after it. Compiles are serialised by the
// store's lock, so no two of these overlap.
class TCuvarSignala {
public:
    TCuvarSignala() {
        for (std::size_t i = 0; i < std::size(Signali); ++i)
            sigaction(Signali[i], nullptr, &stari[i]);
    }
    ~TCuvarSignala() {
        for (std::size_t i = 0; i < std::size(Signali); ++i)
            sigaction(Signali[i], &stari[i], nullptr);
    }
    TCuvarSignala(const TCuvarSignala&) = delete;
    TCuvarSignala& operator=(const TCuvarSignala&) = delete;

    static constexpr int Signali[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGCHLD};

private:
    struct sigaction stari[std::size(Signali)];
};

std::shared_ptr<const TPrevedeniModel> Prevedi(const TJit& j, const TPlanZaPrevodjenje& plan,
                                               std::string& greska) {
    gcc_jit_context* ctx = j.gcc_jit_context_acquire();
    if (!ctx) {
        greska = "prevodilac nije pokrenut";
        return nullptr;
    }
    // -O1: as fast a step as -O2 here (straight memory-to-memory code), at a
    // third of the compile time (bench/SkemBench.cpp --prevodjenje).
    j.gcc_jit_context_set_int_option(ctx, GCC_JIT_INT_OPTION_OPTIMIZATION_LEVEL, 1);
    // Same operations as the interpreter: no fused multiply-add, no shortcuts.
    j.gcc_jit_context_add_command_line_option(ctx, "-ffp-contract=off");
    j.gcc_jit_context_add_command_line_option(ctx, "-fno-fast-math");
    j.gcc_jit_context_set_bool_allow_unreachable_blocks(ctx, 1);
    TGenerator(j, ctx, plan).Napravi();
    gcc_jit_result* rezultat = nullptr;
    {
        const TCuvarSignala signali;
        rezultat = j.gcc_jit_context_compile(ctx);
    }
    if (!rezultat) {
        const char* prva = j.gcc_jit_context_get_first_error(ctx);
        greska = prva ? prva : "greska prevodjenja";
        j.gcc_jit_context_release(ctx);
        return nullptr;
    }
    j.gcc_jit_context_release(ctx);
    auto korak = reinterpret_cast<TPrevedeniModel::TKorak>(
        j.gcc_jit_result_get_code(rezultat, "skem_korak"));
    if (!korak) {
        j.gcc_jit_result_release(rezultat);
        greska = "prevedeni model nema korak";
        return nullptr;
    }
    return std::make_shared<const TPrevedeniModel>(rezultat, korak);
}

} // namespace

std::shared_ptr<const TPrevedeniModel> PrevediModel(const TPlanZaPrevodjenje& plan,
                                                    std::string& greska) {
    std::vector<std::int32_t> kljuc = KljucModela(plan);
    TSkladiste& s = Skladiste();
    // Held while compiling: another thread wanting the same model waits for it.
    std::lock_guard<std::mutex> brava(s.Brava);
    for (std::size_t i = 0; i < s.Zapisi.size(); ++i) {
        if (s.Zapisi[i].Kljuc != kljuc) continue;
        TZapisSkladista z = std::move(s.Zapisi[i]);
        s.Zapisi.erase(s.Zapisi.begin() + static_cast<std::ptrdiff_t>(i));
        s.Zapisi.push_back(std::move(z));
        greska = s.Zapisi.back().Greska;
        return s.Zapisi.back().Model;
    }
    TZapisSkladista novi;
    novi.Kljuc = std::move(kljuc);
    const TJit& j = UcitajJit(s);
    if (!j.Ucitan)
        novi.Greska = j.Greska;
    else if (plan.Pocetak > plan.Duzina)
        novi.Greska = "model nema blokova za racunanje";
    else
        novi.Model = Prevedi(j, plan, novi.Greska);
    greska = novi.Greska;
    if (s.Zapisi.size() >= NajviseUSkladistu) s.Zapisi.erase(s.Zapisi.begin());
    s.Zapisi.push_back(std::move(novi));
    return s.Zapisi.back().Model;
}

#endif

} // namespace skem
