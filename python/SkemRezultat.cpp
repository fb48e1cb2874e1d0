#include "SkemRezultat.h"

#include "Brojevi.h"
#include "CsvRezultata.h"

#include <pybind11/stl.h>

namespace {

// Results are what the engine computed: their arrays cannot be written to.
void SamoZaCitanje(py::array& a) {
    a.attr("flags").attr("writeable") = false;
}

} // namespace

TRezultatPy::TRezultatPy(std::unique_ptr<skem::TMatricaRezultata> matrica, std::int64_t n,
                         std::vector<std::string> imena, std::vector<int> brojevi,
                         std::vector<py::ssize_t> kolone, py::array t, double stampa)
    : T(std::move(t)), Imena(std::move(imena)), Brojevi(std::move(brojevi)), Stampa(stampa),
      kolone(std::move(kolone)) {
    const auto sirina = static_cast<py::ssize_t>(matrica->Kolona());
    const double* podaci = matrica->Red(0);
    py::capsule vlasnik(matrica.release(),
                        [](void* m) { delete static_cast<skem::TMatricaRezultata*>(m); });
    const auto d = static_cast<py::ssize_t>(sizeof(double));
    vrednosti = py::array(py::dtype::of<double>(), {static_cast<py::ssize_t>(n + 1), sirina},
                          {sirina * d, d}, podaci, vlasnik);
    SamoZaCitanje(vrednosti);
}

py::array TRezultatPy::Kolona(std::size_t j) const {
    const auto* pocetak = static_cast<const double*>(vrednosti.data()) + kolone[j];
    // A view over the matrix keeps it alive and inherits its read-only flag.
    return py::array(py::dtype::of<double>(), {vrednosti.shape(0)}, {vrednosti.strides(0)}, pocetak,
                     vrednosti);
}

py::object TRezultatPy::Uzmi(const py::object& kljuc) const {
    if (py::isinstance<py::str>(kljuc)) {
        const std::string ime = kljuc.cast<std::string>();
        if (ime == "t") return T;
        for (std::size_t j = 0; j < Imena.size(); ++j)
            if (Imena[j] == ime) return Kolona(j);
    } else if (py::isinstance<py::int_>(kljuc) && !py::isinstance<py::bool_>(kljuc)) {
        // A block's local number, as the addresses name blocks.
        const long long broj = kljuc.cast<long long>();
        for (std::size_t j = 0; j < Brojevi.size(); ++j)
            if (Brojevi[j] == broj) return Kolona(j);
    }
    throw py::key_error(py::str(py::repr(kljuc)));
}

py::list TRezultatPy::Kljucevi() const {
    py::list k;
    k.append("t");
    for (const std::string& ime : Imena)
        k.append(ime);
    return k;
}

py::dict TRezultatPy::UVrecnik() const {
    py::dict d;
    d["t"] = T;
    for (std::size_t j = 0; j < Imena.size(); ++j)
        d[py::str(Imena[j])] = Kolona(j);
    return d;
}

std::string TRezultatPy::Csv() const {
    std::string csv = "t";
    for (const std::string& ime : Imena)
        csv += ',' + skem::PoljeCsv(ime);
    csv += '\n';
    const auto redova = static_cast<std::size_t>(vrednosti.shape(0));
    const auto sirina = static_cast<std::size_t>(vrednosti.shape(1));
    const auto* podaci = static_cast<const double*>(vrednosti.data());
    const auto* t = static_cast<const double*>(T.data());
    char broj[skem::NajduziRealan];
    csv.reserve(csv.size() + redova * (kolone.size() + 1) * 12);
    for (std::size_t k = 0; k < redova; ++k) {
        csv.append(broj, skem::PisiRealan(t[k], broj));
        for (py::ssize_t c : kolone) {
            csv += ',';
            csv.append(broj,
                       skem::PisiRealan(podaci[k * sirina + static_cast<std::size_t>(c)], broj));
        }
        csv += '\n';
    }
    return csv;
}

py::tuple TRezultatPy::Stanje() const {
    return py::make_tuple(vrednosti, T, Imena, Brojevi, kolone, Run, Tacka, Poruka, Vreme, Stampa);
}

TRezultatPy TRezultatPy::IzStanja(const py::tuple& s) {
    if (s.size() != 10) throw std::runtime_error("skem.Rezultat: neispravno stanje");
    TRezultatPy r;
    r.vrednosti = py::array_t<double, py::array::c_style | py::array::forcecast>(s[0]);
    r.T = py::array_t<double, py::array::c_style | py::array::forcecast>(s[1]);
    SamoZaCitanje(r.vrednosti);
    SamoZaCitanje(r.T);
    r.Imena = s[2].cast<std::vector<std::string>>();
    r.Brojevi = s[3].cast<std::vector<int>>();
    r.kolone = s[4].cast<std::vector<py::ssize_t>>();
    r.Run = s[5].cast<std::int64_t>();
    r.Tacka = s[6].cast<py::dict>();
    r.Poruka = s[7].cast<std::optional<std::string>>();
    r.Vreme = s[8].cast<double>();
    r.Stampa = s[9].cast<double>();
    const bool ispravno = r.vrednosti.ndim() == 2 && r.T.ndim() == 1 &&
                          r.T.shape(0) == r.vrednosti.shape(0) &&
                          r.Imena.size() == r.kolone.size() && r.Brojevi.size() == r.kolone.size();
    for (py::ssize_t c : r.kolone)
        if (!ispravno || c < 0 || c >= r.vrednosti.shape(1))
            throw std::runtime_error("skem.Rezultat: neispravno stanje");
    return r;
}

void DodajRezultat(py::module_& m) {
    py::class_<TRezultatPy>(m, "Rezultat", R"(Results of one run.

t: the printed times 0, P, ..., D (numpy array); one column per row of the
results table, named as in the batch CSV header ("7. Integrator") and read as
rezultat["7. Integrator"] or rezultat[7] (the block's local number). The
arrays are read-only views over the engine's results, made without copying.)")
        .def_readonly("t", &TRezultatPy::T, "The printed times 0, P, ..., D.")
        .def_readonly("kolone", &TRezultatPy::Imena, "The columns' names, as in the CSV header.")
        .def_readonly("run", &TRezultatPy::Run, "The run's number in its series (from 1).")
        .def_readonly("tacka", &TRezultatPy::Tacka, "The swept values of this run, by address.")
        .def_readonly("poruka", &TRezultatPy::Poruka,
                      "The message of a Quit element that ended the run, or None.")
        .def_readonly("vreme", &TRezultatPy::Vreme,
                      "The simulated time reached (D unless a Quit element ended the run).")
        .def("__getitem__", &TRezultatPy::Uzmi)
        .def("keys", &TRezultatPy::Kljucevi, "'t', then the columns' names.")
        .def("__iter__", [](const TRezultatPy& r) { return r.Kljucevi().attr("__iter__")(); })
        .def("__len__", [](const TRezultatPy& r) { return r.Imena.size() + 1; })
        .def("__contains__",
             [](const TRezultatPy& r, const py::object& k) {
                 try {
                     r.Uzmi(k);
                     return true;
                 } catch (const py::key_error&) {
                     return false;
                 }
             })
        .def("to_dict", &TRezultatPy::UVrecnik, "{'t': t, name: column, ...} (the same arrays).")
        .def(
            "to_pandas",
            [](const TRezultatPy& r) {
                return py::module_::import("pandas").attr("DataFrame")(r.UVrecnik());
            },
            "A pandas DataFrame of the columns (pandas must be installed).")
        .def(
            "csv", [](const TRezultatPy& r) { return py::bytes(r.Csv()); },
            "The CSV text `skem --run` writes for this run (bytes, UTF-8).")
        .def("__repr__",
             [](const TRezultatPy& r) {
                 std::string opis = "<skem.Rezultat run " + std::to_string(r.Run);
                 for (auto [k, v] : r.Tacka)
                     opis += ", " + py::str(k).cast<std::string>() + "=" +
                             skem::RealanUTekst(v.cast<double>());
                 return opis + ", " + std::to_string(r.T.shape(0)) + " tacaka, " +
                        std::to_string(r.Imena.size()) + " kolona>";
             })
        .def(py::pickle([](const TRezultatPy& r) { return r.Stanje(); },
                        [](const py::tuple& s) { return TRezultatPy::IzStanja(s); }));
}
