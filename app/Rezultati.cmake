#skem_rezultati : the result pages of the main window(the table of a run's
#results, its chart in 2D and in depth, and their exports).
add_library(
    skem_rezultati STATIC Rezultati.cpp ModelTabele.cpp SirinaKolona.cpp RezultatiGrafik.cpp
    RezultatiFazni.cpp RezultatiOcitavanje.cpp RezultatiDelovi.cpp Grafik3D.cpp IzgledGrafika.cpp
    ProredjivanjeGrafika.cpp Merenja.cpp RezultatiMerenja.cpp)
    target_include_directories(skem_rezultati PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(
            skem_rezultati PUBLIC skem_diagram skem_resursi Qt6::Widgets Qt6::Charts Qt6::Svg)
