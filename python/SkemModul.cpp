// The Python module "skem": a document read with the model library, changed
// with the batch mode's addresses and checks, run and swept by the engine as
// the batch mode runs it (the same plan, seeds and run numbers), results as
// numpy arrays. The engine runs without the GIL on threads of its own; the
// calling thread watches for Ctrl+C meanwhile.

#include "Brojevi.h"
#include "CsvRezultata.h"
#include "ModelDokumenta.h"
#include "Obrada.h"
#include "OpcijeProvera.h"
#include "ParalelniRad.h"
#include "Serija.h"
#include "SkemRezultat.h"

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <QFile>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

using namespace skem;

namespace {

// skem.SkemError, once the module has made it.
py::handle TipGreske;

[[noreturn]] void Odbij(const std::string& poruka) {
    throw TGreskaSkem(poruka);
}

QString ImeFajla(const std::filesystem::path& ime) {
    return QFile::decodeName(QByteArray::fromStdString(ime.native()));
}

// A value as the command line would carry it: a text as it is, a number as
// Python's shortest text that reads back as the same double, so the
// engine's reader and checks see exactly what a user would have typed.
std::string TekstVrednosti(const py::handle& v) {
    if (py::isinstance<py::str>(v)) return v.cast<std::string>();
    return py::repr(py::float_(py::reinterpret_borrow<py::object>(v))).cast<std::string>();
}

// What an address must look like (the reader's own sentence).
std::string FormaAdrese() {
    TPostavka p;
    return ProcitajPostavku("", p);
}

// An address of the command line's form: "N.pK", "N.oJ", a path "3/2.p1" or
// a subsystem's caption "3.Masa".
void ProveriOblikAdrese(const std::string& adresa) {
    TCiljIzmene cilj;
    if (adresa.find('=') != std::string::npos ||
        (!ProcitajCilj(adresa, cilj) && !JeCiljPoPutanji(adresa)))
        Odbij(adresa + ": " + FormaAdrese());
}

// The address's target in the document's flat view, checked as --set checks
// it; putanja receives the path of the block it changes.
TCiljIzmene NadjiAdresu(const TModelDokumenta& model, const TRavanModel& ravan,
                        const std::string& adresa, std::vector<int>* putanja = nullptr) {
    ProveriOblikAdrese(adresa);
    TCiljIzmene cilj;
    if (const std::string greska = NadjiCilj(model, ravan, adresa, cilj, putanja); !greska.empty())
        Odbij(adresa + ": " + greska);
    if (const std::string greska = ravan.Kopija.ProveriCilj(cilj); !greska.empty())
        Odbij(adresa + ": " + greska);
    return cilj;
}

// D, h and P through the options dialog's checks, then the size of the table.
TOpcijeSimulacije Opcije(const py::handle& trajanje, const py::handle& korak,
                         const py::handle& stampa, const std::string& metod) {
    std::string m = metod;
    for (char& c : m)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (m != "RK4")
        Odbij("Nepoznat metod integracije '" + metod +
              "'; simulacija koristi metod Runge-Kutta cetvrtog reda (RK4).");
    TOpcijeSimulacije o;
    const TRezultatProvere provera =
        ProveriOpcije(TekstVrednosti(trajanje), TekstVrednosti(korak), TekstVrednosti(stampa), o);
    if (provera.Provera != 0) Odbij(provera.Poruka);
    try {
        BrojIntervalaStampe(o.Trajanje, o.IntervalStampanja);
    } catch (const std::invalid_argument& g) {
        Odbij(g.what());
    }
    return o;
}

// A whole number from min to max, with the batch options' sentences.
std::uint64_t CeoArgument(const py::handle& v, const char* ime, const char* sta, std::uint64_t min,
                          std::uint64_t max, const std::string& neispravan) {
    const std::string tekst = std::string(ime) + "=" + py::repr(v).cast<std::string>();
    if (!py::isinstance<py::int_>(v) || py::isinstance<py::bool_>(v))
        Odbij(tekst + ": " + neispravan);
    const py::int_ broj = py::reinterpret_borrow<py::int_>(v);
    if (broj < py::int_(min)) Odbij(tekst + ": " + neispravan);
    if (broj > py::int_(max))
        Odbij(tekst + ": " + sta + " je prevelik (najvise " + std::to_string(max) + ").");
    return broj.cast<std::uint64_t>();
}

// Keeps the message of a refused model.
class TPoslednjaPoruka : public TPorukeSimulacije {
public:
    void GreskaSimulacije(const std::string& tekst) override { Poruka = tekst; }
    std::string Poruka;
};

// Runs `posao` on a thread of its own while the interpreter goes on without
// the GIL. Every 50 ms the calling thread runs Python's signal handlers: when
// one raises (Ctrl+C: KeyboardInterrupt), `zaustavi` stops the engine and the
// exception leaves here once the work has ended.
template <class TPosao> void BezGIL(std::atomic<bool>& zaustavi, TPosao&& posao) {
    std::mutex zakljucano;
    std::condition_variable kraj;
    bool gotovo = false;
    std::exception_ptr greska;
    std::thread nit([&] {
        try {
            posao();
        } catch (...) {
            greska = std::current_exception();
        }
        std::lock_guard<std::mutex> z(zakljucano);
        gotovo = true;
        kraj.notify_all();
    });
    bool prekinuto = false;
    {
        py::gil_scoped_release bezGIL;
        std::unique_lock<std::mutex> z(zakljucano);
        while (!kraj.wait_for(z, std::chrono::milliseconds(50), [&] { return gotovo; })) {
            if (prekinuto) continue;
            z.unlock();
            {
                py::gil_scoped_acquire saGIL;
                prekinuto = PyErr_CheckSignals() != 0;
            }
            if (prekinuto) zaustavi.store(true);
            z.lock();
        }
    }
    nit.join();
    if (prekinuto) throw py::error_already_set();
    if (greska) std::rethrow_exception(greska);
}

// An engine and its matrix per thread, as the batch mode keeps them.
struct TRadnik {
    TSimulacija Simulacija;
    MatrixReal Rezultati;
};

struct TRad {
    TIshodSimulacije Ishod;
    std::unique_ptr<MatrixReal> Matrica;
};

// The columns of the results table: the blocks with a row, in list order.
struct TKolone {
    std::vector<std::string> Imena;
    std::vector<int> Brojevi;
    std::vector<py::ssize_t> Indeksi;
};

// Blocks inside subsystems are named by path ("3/2. Integrator"); a number
// keys only a block of the top level (0: none).
TKolone KoloneModela(const TModelDokumenta& model) {
    const TRavanModel ravan = RavanModel(model);
    TKolone k;
    for (std::size_t i = 0; i < ravan.Blokovi.size(); ++i) {
        const TBlokRezultata& b = ravan.Blokovi[i];
        if (!ImaRedURezultatima(b.Sifra)) continue;
        k.Imena.push_back(OznakaBloka(b));
        k.Brojevi.push_back(ravan.Putanje[i].size() == 1 ? b.LokalniBroj : 0);
        k.Indeksi.push_back(static_cast<py::ssize_t>(i));
    }
    return k;
}

// 0, P, ..., nP as the CSV writes them.
py::array Vremena(std::int64_t n, double p) {
    py::array_t<double> t(static_cast<py::ssize_t>(n + 1));
    double* v = t.mutable_data();
    {
        py::gil_scoped_release bezGIL;
        for (std::int64_t k = 0; k <= n; ++k)
            v[k] = static_cast<double>(k) * p;
    }
    t.attr("flags").attr("writeable") = false;
    return t;
}

// "Kraj simulacije od strane Quit elementa. t = 0.3"
std::string PorukaQuita(const TIshodSimulacije& ishod) {
    return std::string(TSimulacija::PorukaQuit) + " t = " + VremeNaKoraku(ishod.Vreme, ishod.Korak);
}

class TDokumentPy {
public:
    TModelDokumenta Model;

    static TDokumentPy Ucitaj(const std::filesystem::path& ime) {
        TDokumentPy d;
        const QString fajl = ImeFajla(ime);
        py::gil_scoped_release bezGIL;
        d.Model = UcitajModelIzFajla(fajl);
        return d;
    }

    void Sacuvaj(const std::filesystem::path& ime) const {
        const QString fajl = ImeFajla(ime);
        py::gil_scoped_release bezGIL;
        SnimiModel(Model, fajl);
    }

    double Vrednost(const std::string& adresa) const {
        std::vector<int> putanja;
        const TCiljIzmene cilj = NadjiAdresu(Model, RavanModel(Model), adresa, &putanja);
        const TBlokModela& b = *BlokNaPutanji(Model, putanja);
        if (!cilj.Ordinata) return b.Parametar(cilj.Indeks);
        const auto i = static_cast<std::size_t>(cilj.Indeks);
        return b.Ordinate ? (*b.Ordinate)[i] : PodrazumevaneOrdinate(b.Parametar1, b.Parametar2)[i];
    }

    // As --set: the same address, value and target checks; the value kept at
    // the program's 15 digits. A generator without ordinates of its own takes
    // the defaults of its parameters before one of them changes.
    void Postavi(const std::string& adresa, const py::handle& vrednost) {
        ProveriOblikAdrese(adresa);
        TPostavka p;
        if (const std::string greska = ProcitajPostavku("1.p1=" + TekstVrednosti(vrednost), p);
            !greska.empty())
            Odbij(adresa + ": " + greska);
        std::vector<int> putanja;
        const TCiljIzmene cilj = NadjiAdresu(Model, RavanModel(Model), adresa, &putanja);
        TBlokModela& b = *IzmenljivBlok(Model, putanja);
        if (cilj.Ordinata) {
            auto ordinate =
                b.Ordinate ? *b.Ordinate : PodrazumevaneOrdinate(b.Parametar1, b.Parametar2);
            ordinate[static_cast<std::size_t>(cilj.Indeks)] = p.Vrednost;
            b.Ordinate = std::make_shared<const std::array<double, 11>>(ordinate);
        } else if (cilj.Indeks == 1) {
            b.Parametar1 = p.Vrednost;
        } else if (cilj.Indeks == 2) {
            b.Parametar2 = p.Vrednost;
        } else {
            b.Parametar3 = p.Vrednost;
        }
    }

    TRezultatPy Simuliraj(const py::handle& trajanje, const py::handle& korak,
                          const py::handle& stampa, const std::string& metod,
                          const py::object& seme) const {
        const TOpcijeSimulacije opcije = Opcije(trajanje, korak, stampa, metod);
        TPlanSerije plan;
        if (!seme.is_none()) plan.Seme = Seme(seme);
        const TKopijaModela osnova = KopijaIzModela(Model);
        std::atomic<bool> zaustavi{false};
        TRad rad;
        BezGIL(zaustavi, [&] {
            TRadnik radnik;
            radnik.Simulacija.PostaviZaustavljanje(&zaustavi);
            rad.Ishod =
                IzvediSimulaciju(plan, osnova, 1, opcije, radnik.Simulacija, radnik.Rezultati);
            rad.Matrica = std::make_unique<MatrixReal>(std::move(radnik.Rezultati));
        });
        if (!rad.Ishod.Uspeh) Odbij(rad.Ishod.Poruka);
        const std::int64_t n = BrojIntervalaStampe(opcije.Trajanje, opcije.IntervalStampanja);
        return Rezultat(std::move(rad), n, KoloneModela(Model),
                        Vremena(n, opcije.IntervalStampanja), opcije.IntervalStampanja);
    }

    py::list Serija(const py::handle& trajanje, const py::handle& korak, const py::handle& stampa,
                    const py::object& promenljive, const py::object& ponavljanja,
                    const py::object& seme, const py::object& poslova, const py::object& deo,
                    const std::string& metod) const {
        const TOpcijeSimulacije opcije = Opcije(trajanje, korak, stampa, metod);
        TPlanSerije plan;
        std::vector<std::string> adrese;
        if (!promenljive.is_none()) {
            for (auto [kljuc, vrednosti] : promenljive.cast<py::dict>()) {
                const std::string adresa = py::str(kljuc).cast<std::string>();
                TPromenljiva p;
                ProveriOblikAdrese(adresa);
                if (py::isinstance<py::str>(vrednosti)) {
                    // The command line's own form: "A:B:C" or "V1,V2,...".
                    const std::string greska =
                        ProcitajPromenljivu("1.p1=" + vrednosti.cast<std::string>(), p);
                    if (!greska.empty()) Odbij(adresa + ": " + greska);
                } else {
                    for (py::handle v : vrednosti) {
                        TPostavka jedna;
                        if (const std::string greska =
                                ProcitajPostavku("1.p1=" + TekstVrednosti(v), jedna);
                            !greska.empty())
                            Odbij(adresa + ": " + greska);
                        p.Vrednosti.push_back(jedna.Vrednost);
                    }
                }
                plan.Promenljive.push_back(std::move(p));
                adrese.push_back(adresa);
            }
        }
        plan.Ponavljanja = static_cast<std::int64_t>(
            CeoArgument(ponavljanja, "runs", "broj simulacija", 1, MaksSimulacija,
                        "broj simulacija mora biti pozitivan ceo broj."));
        if (!seme.is_none()) plan.Seme = Seme(seme);
        int niti = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        if (!poslova.is_none())
            niti = static_cast<int>(
                CeoArgument(poslova, "jobs", "broj istovremenih simulacija", 1, 1024,
                            "broj istovremenih simulacija mora biti ceo broj od 1 do 1024."));
        std::int64_t i = 1, m = 1;
        if (!deo.is_none()) Deo(deo, i, m);
        TRavanModel ravan = RavanModel(Model);
        for (std::size_t k = 0; k < adrese.size(); ++k)
            plan.Promenljive[k].Cilj = NadjiAdresu(Model, ravan, adrese[k]);
        if (const std::string greska = plan.Proveri(); !greska.empty()) Odbij(greska);
        const TKopijaModela osnova = std::move(ravan.Kopija);
        // The model is checked once, before any run, as the batch mode does.
        {
            TPoslednjaPoruka poruke;
            TSimulacija provera(nullptr, &poruke);
            if (!provera.Proveri(osnova.Lista())) Odbij(poruke.Poruka);
        }

        const auto [od, doBroja] = DeoSerije(plan.BrojSimulacija(), i, m);
        std::vector<TRad> radovi;
        radovi.reserve(static_cast<std::size_t>(std::max<std::int64_t>(0, doBroja - od + 1)));
        std::atomic<bool> zaustavi{false};
        BezGIL(zaustavi, [&] {
            IzvrsiRedom<TRadnik>(
                od, doBroja, niti,
                [&](std::int64_t r, TRadnik& radnik) {
                    radnik.Simulacija.PostaviZaustavljanje(&zaustavi);
                    TRad rad;
                    rad.Ishod = IzvediSimulaciju(plan, osnova, r, opcije, radnik.Simulacija,
                                                 radnik.Rezultati);
                    if (rad.Ishod.Uspeh)
                        rad.Matrica = std::make_unique<MatrixReal>(std::move(radnik.Rezultati));
                    return rad;
                },
                [&](std::int64_t, TRad&& rad) {
                    radovi.push_back(std::move(rad));
                    return !zaustavi.load();
                });
        });

        const std::int64_t n = BrojIntervalaStampe(opcije.Trajanje, opcije.IntervalStampanja);
        const TKolone kolone = KoloneModela(Model);
        const py::array t = Vremena(n, opcije.IntervalStampanja);
        py::list rezultati;
        std::string greske;
        for (std::size_t k = 0; k < radovi.size(); ++k) {
            const std::int64_t r = od + static_cast<std::int64_t>(k);
            const std::vector<double> tacka = plan.Tacka(r);
            std::string opis;
            for (std::size_t j = 0; j < tacka.size(); ++j)
                opis += (j ? ", " : "") + adrese[j] + "=" + RealanUTekst(tacka[j]);
            TIshodSimulacije ishod = radovi[k].Ishod;
            if (!ishod.Uspeh) {
                // "Simulacija 7 (5.p1=2.5): <message>", as the batch mode reports it.
                greske += (greske.empty() ? "" : "\n") + std::string("Simulacija ") +
                          std::to_string(r) + (opis.empty() ? "" : " (" + opis + ")") + ": " +
                          ishod.Poruka;
                continue;
            }
            TRezultatPy rezultat =
                Rezultat(std::move(radovi[k]), n, kolone, t, opcije.IntervalStampanja);
            rezultat.Run = r;
            for (std::size_t j = 0; j < tacka.size(); ++j)
                rezultat.Tacka[py::str(adrese[j])] = tacka[j];
            rezultati.append(py::cast(std::move(rezultat)));
        }
        if (!greske.empty()) {
            // The runs that succeeded are not lost: they go with the error.
            py::object greska = TipGreske(greske);
            greska.attr("rezultati") = rezultati;
            PyErr_SetObject(TipGreske.ptr(), greska.ptr());
            throw py::error_already_set();
        }
        return rezultati;
    }

private:
    static std::uint64_t Seme(const py::handle& seme) {
        return CeoArgument(seme, "seed", "seme", 0, UINT64_MAX,
                           "seme mora biti ceo broj od 0 do " + std::to_string(UINT64_MAX) + ".");
    }

    // (I, M) or "I/M": slice I of M, with the sentences of --part.
    static void Deo(const py::object& deo, std::int64_t& i, std::int64_t& m) {
        py::object delovi = deo;
        if (py::isinstance<py::str>(deo)) delovi = deo.attr("split")("/");
        // Named as the command line names it: "part=3/2".
        std::string tekst = "part=" + py::str(deo).cast<std::string>();
        if (!py::isinstance<py::str>(deo) && py::isinstance<py::sequence>(deo))
            tekst = "part=" +
                    py::str("/")
                        .attr("join")(py::list(
                            py::module_::import("builtins")
                                .attr("map")(py::module_::import("builtins").attr("str"), deo)))
                        .cast<std::string>();
        std::vector<py::object> brojevi;
        if (py::isinstance<py::sequence>(delovi) && py::len(delovi) == 2)
            for (py::handle d : delovi) {
                py::object broj = py::reinterpret_borrow<py::object>(d);
                // Digits only, as the command line takes them.
                if (py::isinstance<py::str>(d)) {
                    const std::string s = d.cast<std::string>();
                    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos) break;
                    broj = py::int_(py::str(s));
                }
                if (!py::isinstance<py::int_>(broj) || py::isinstance<py::bool_>(broj)) break;
                brojevi.push_back(broj);
            }
        if (brojevi.size() == 2 && brojevi[1] > py::int_(MaksSimulacija))
            Odbij(tekst + ": broj delova je prevelik (najvise " + std::to_string(MaksSimulacija) +
                  ").");
        if (brojevi.size() != 2 || brojevi[0] < py::int_(1) || brojevi[0] > brojevi[1])
            Odbij(tekst + ": ocekuje se I/M, gde je 1 <= I <= M.");
        i = brojevi[0].cast<std::int64_t>();
        m = brojevi[1].cast<std::int64_t>();
    }

    static TRezultatPy Rezultat(TRad&& rad, std::int64_t n, const TKolone& kolone, py::array t,
                                double stampa) {
        TRezultatPy r(std::move(rad.Matrica), n, kolone.Imena, kolone.Brojevi, kolone.Indeksi,
                      std::move(t), stampa);
        r.Vreme = rad.Ishod.Vreme;
        if (rad.Ishod.Quit) r.Poruka = PorukaQuita(rad.Ishod);
        return r;
    }
};

// One block as Python reads it (a snapshot: changes go through postavi).
struct TBlokPy {
    int Broj = 0;
    int Sifra = 0;
    std::string Naziv;
    std::vector<double> Parametri;
    std::optional<std::vector<double>> Ordinate;
    std::vector<std::optional<int>> Ulazi;
    std::vector<std::string> Natpisi;
};

TBlokPy BlokPy(const TModelDokumenta& model, std::size_t i) {
    const TBlokModela& b = model.Blokovi[i];
    TBlokPy p;
    p.Broj = b.LokalniBroj;
    p.Sifra = b.Sifra;
    p.Naziv = b.Naziv.toStdString();
    for (int k = 1; k <= std::min<int>(b.brparam, 3); ++k)
        p.Parametri.push_back(b.Parametar(k));
    if (b.Ordinate) p.Ordinate = std::vector<double>(b.Ordinate->begin(), b.Ordinate->end());
    for (int k = 0; k < 3; ++k) {
        const int izvor = model.IzvorUlaza(static_cast<int>(i), k);
        p.Ulazi.push_back(
            izvor < 0
                ? std::nullopt
                : std::optional<int>(model.Blokovi[static_cast<std::size_t>(izvor)].LokalniBroj));
    }
    for (const QString& n : b.Natpisi)
        p.Natpisi.push_back(n.toStdString());
    return p;
}

} // namespace

PYBIND11_MODULE(skem, m) {
    m.doc() = R"(SKEM from Python: read a .skem document, change its parameters, run it and
sweep it with the batch mode's engine, rules and messages; results as numpy arrays.

    import skem
    doc = skem.ucitaj("vanderpol.skem")
    doc["5.p1"] = 0.5                      # as skem --run --set 5.p1=0.5
    r = doc.simuliraj(20, 0.01, 0.1)       # D, h, P
    r.t, r["7. Integrator"], r.to_dict(), r.to_pandas()
    runs = doc.serija(20, 0.01, 0.1, sweep={"5.p1": [0.5, 1, 2]})

Refusals raise skem.SkemError with the program's own message.)";
    m.attr("__version__") = SKEM_VERZIJA;

    static py::exception<TGreskaSkem> greska(m, "SkemError", PyExc_Exception);
    TipGreske = greska;
    greska.doc() = "A refusal of SKEM (a document, an address, options, a model or a run), "
                   "with the program's own message.";
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const TGreskaSkem& g) {
            PyErr_SetString(greska.ptr(), g.what());
        } catch (const TGreskaDokumenta& g) {
            PyErr_SetString(greska.ptr(), g.Poruka().toUtf8().constData());
        } catch (const TGreskaSimulacije& g) {
            PyErr_SetString(greska.ptr(), (std::string("Greska: ") + g.what()).c_str());
        }
    });

    DodajRezultat(m);

    py::class_<TBlokPy>(m, "Blok", "One block of a document (a snapshot).")
        .def_readonly("broj", &TBlokPy::Broj, "The local number the addresses use.")
        .def_readonly("sifra", &TBlokPy::Sifra, "The kind's code (0..28).")
        .def_readonly("naziv", &TBlokPy::Naziv)
        .def_readonly("parametri", &TBlokPy::Parametri, "Parameters 1..brparam.")
        .def_readonly("ordinate", &TBlokPy::Ordinate,
                      "A function generator's own 11 ordinates, or None (the defaults).")
        .def_readonly("ulazi", &TBlokPy::Ulazi,
                      "For inputs 1..3 the number of the block feeding it, or None.")
        .def_readonly("natpisi", &TBlokPy::Natpisi,
                      "The captions of parameters 1..3 and inputs 1..3.")
        .def("__repr__", [](const TBlokPy& b) {
            return "<skem.Blok " + std::to_string(b.Broj) + ". " + b.Naziv + ">";
        });

    py::class_<TDokumentPy>(m, "Dokument", "A .skem document: skem.ucitaj(path).")
        .def_property(
            "opis", [](const TDokumentPy& d) { return d.Model.OpisProblema.toStdString(); },
            [](TDokumentPy& d, const std::string& opis) {
                d.Model.OpisProblema = QString::fromStdString(opis);
            },
            "The problem's description.")
        .def_property_readonly(
            "blokovi",
            [](const TDokumentPy& d) {
                std::vector<TBlokPy> b;
                for (std::size_t i = 0; i < d.Model.Blokovi.size(); ++i)
                    b.push_back(BlokPy(d.Model, i));
                return b;
            },
            "The blocks in list order.")
        .def_property_readonly(
            "veze",
            [](const TDokumentPy& d) {
                std::vector<std::tuple<int, int, int>> veze;
                for (std::size_t i = 0; i < d.Model.Blokovi.size(); ++i)
                    for (int k = 0; k < 3; ++k)
                        if (const int izvor = d.Model.IzvorUlaza(static_cast<int>(i), k);
                            izvor >= 0)
                            veze.emplace_back(
                                d.Model.Blokovi[static_cast<std::size_t>(izvor)].LokalniBroj,
                                d.Model.Blokovi[i].LokalniBroj, k + 1);
                return veze;
            },
            "The connections as (from block, to block, input 1..3), by local numbers.")
        .def("postavi", &TDokumentPy::Postavi, py::arg("adresa"), py::arg("vrednost"),
             "Sets parameter K of block N ('N.pK') or ordinate J of a function generator "
             "('N.oJ') with the checks of skem --run --set.")
        .def("__setitem__", &TDokumentPy::Postavi)
        .def("__getitem__", &TDokumentPy::Vrednost)
        .def("sacuvaj", &TDokumentPy::Sacuvaj, py::arg("ime"),
             "Saves the document as the editor does; a failed write leaves the old file.")
        .def("simuliraj", &TDokumentPy::Simuliraj, py::arg("trajanje"), py::arg("korak"),
             py::arg("stampa"), py::arg("metod") = "RK4", py::arg("seed") = py::none(),
             "One run (D, h, P checked as the options dialog checks them), as skem --run; "
             "seed: the batch's --seed.")
        .def("serija", &TDokumentPy::Serija, py::arg("trajanje"), py::arg("korak"),
             py::arg("stampa"), py::arg("sweep") = py::none(), py::arg("runs") = 1,
             py::arg("seed") = py::none(), py::arg("jobs") = py::none(),
             py::arg("part") = py::none(), py::arg("metod") = "RK4",
             R"(A series of runs as skem --run with --sweep/--runs/--seed/--jobs/--part.

sweep: {address: values} (a sequence of numbers, or the text "A:B:C" or
"V1,V2,..."); the first address varies slowest, repetitions fastest. part:
(I, M) or "I/M", the I-th of M slices with its global run numbers. Returns the
runs' results in run order, each with .run and .tacka. A failed run raises
SkemError naming every failed run; its .rezultati holds the others.)")
        .def("__repr__",
             [](const TDokumentPy& d) {
                 return "<skem.Dokument, " + std::to_string(d.Model.Blokovi.size()) + " blokova>";
             })
        .def(py::pickle(
            [](const TDokumentPy& d) {
                const QByteArray tekst = ModelUTekst(d.Model);
                return py::bytes(tekst.constData(), static_cast<std::size_t>(tekst.size()));
            },
            [](const py::bytes& tekst) {
                TDokumentPy d;
                d.Model = UcitajModel(QByteArray::fromStdString(tekst.cast<std::string>()));
                return d;
            }));

    m.def("ucitaj", &TDokumentPy::Ucitaj, py::arg("ime"),
          "Reads a .skem document as the editor reads it (the same checks and messages).");
}
