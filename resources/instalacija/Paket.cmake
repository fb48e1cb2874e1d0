# "cpack -G DEB" in the build folder: skem_<version>_<arch>.deb, everything
# under /usr. Included from the top folder, after every part's install rules.
set(SKEM_ODRZAVALAC "SKEM <skem@skem.example>" CACHE STRING "Maintainer named in the package")

set(CPACK_PACKAGE_NAME skem)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${SKEM_ODRZAVALAC}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "modelovanje i simulacija dinamickih sistema blok dijagramima")
# Lines of the long description as Debian wants them: under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "SKEM je alat za modelovanje i simulaciju kontinualnih dinamickih sistema\n"
  "zadatih blok dijagramima: blokovi (integratori, sumatori, pojacanja,\n"
  "generatori funkcija, ogranicavaci i drugi, 32 vrsta) se povezuju na radnoj\n"
  "povrsini, model se simulira metodom Runge-Kutta cetvrtog reda, a rezultati\n"
  "se vide u tabeli i na grafiku. Dokumenti (.skem) mogu da se simuliraju i iz\n"
  "komandne linije (skem --run) i iz Pythona (import skem).")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries the program links come from dpkg-shlibdeps (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What Qt loads at run time without linking it, so dpkg-shlibdeps cannot see it:
# - qt6-qpa-plugins: Qt's package of window system plugins (Debian 12 keeps
#   xcb and offscreen in libqt6gui6, which is linked, but which package holds
#   which plugin has moved between Qt releases);
# - fonts-dejavu-core: DejaVu Sans, the font the windows and pictures use
#   where Verdana is missing; without any font Qt shows no text at all;
# - libgccjit0: the compiler of the compiled pass for long runs, loaded with
#   dlopen (engine/Prevodjenje.cpp); without it every run is interpreted.
# And, named although dpkg-shlibdeps finds them too, SUNDIALS's ARKODE and
# CVODE (the variable-step methods, engine/ObradaResavac.cpp): each carries the
# vector, matrix and linear solvers it uses, so nothing else of SUNDIALS is needed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-dejavu-core, libgccjit0, libsundials-arkode5, libsundials-cvode6")
# The Python module (python/) is built for one Python version and hands out
# numpy arrays; numpy is imported, not linked, so dpkg-shlibdeps cannot see it.
if(TARGET skem_python)
  string(REPLACE "." ";" delovi "${SKEM_PYTHON_VERZIJA}")
  list(GET delovi 0 glavna)
  list(GET delovi 1 sporedna)
  math(EXPR sledeca "${sporedna} + 1")
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
         ", python3 (>= ${SKEM_PYTHON_VERZIJA}), python3 (<< ${glavna}.${sledeca}), python3-numpy")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-matplotlib, python3-pandas, python3-distributed")
endif()
# Native windows on a Wayland desktop; without it Qt uses xcb through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
