# skem_app: the main window with its commands and the program's start-up;
# skem: the program itself, built beside Manifest.xml and help/.
add_library(skem_app STATIC
  Glavni.cpp
  GlavniUredjivanje.cpp
  GlavniDokument.cpp
  GlavniIstorija.cpp
  GlavniRad.cpp
  GlavniLaboratorija.cpp
  Laboratorija.cpp
  GlavniOporavak.cpp
  GlavniAnaliza.cpp
  uIzborLinearizacije.cpp
  RezultatiLinearizacije.cpp
  GlavniPodsistemi.cpp
  uUnosPodsistema.cpp
  Oporavak.cpp
)
target_include_directories(skem_app PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(skem_app PRIVATE SKEM_ID="${SKEM_ID}")
target_link_libraries(skem_app PUBLIC
  skem_inspektor skem_catalog skem_dijalozi skem_rezultati
  skem_paketni skem_diagram skem_widgets skem_engine skem_linearizacija skem_resursi Qt6::Widgets
  Qt6::Charts)

add_executable(skem SKEM.cpp)
target_link_libraries(skem PRIVATE skem_app)
set_target_properties(skem PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app)
install(TARGETS skem)
