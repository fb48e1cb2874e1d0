# skem_paketni: the batch runner (skem --run ...): reads a document, checks
# the options, runs the engine and writes the results as CSV.
add_library(skem_paketni STATIC Paketni.cpp PaketniSerija.cpp)
target_include_directories(skem_paketni PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(skem_paketni PUBLIC skem_diagram skem_engine Qt6::Widgets)
# "skem --version" prints the project's version.
target_compile_definitions(skem_paketni PRIVATE SKEM_VERZIJA="${PROJECT_VERSION}")
