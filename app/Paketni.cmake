# skem_paketni: the batch runner (skem --run ...): reads a document into the
# model, checks the options, runs the engine and writes the results as CSV.
# The engine, the model and Qt Core only: no drawing surface, no GUI.
add_library(skem_paketni STATIC Paketni.cpp PaketniSerija.cpp)
target_include_directories(skem_paketni PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(skem_paketni PUBLIC skem_model skem_engine Qt6::Core)
# "skem --version" prints the project's version.
target_compile_definitions(skem_paketni PRIVATE SKEM_VERZIJA="${PROJECT_VERSION}")
