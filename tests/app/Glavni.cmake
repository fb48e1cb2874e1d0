skem_test(glavni_tests
  SOURCES GlavniTest.cpp GlavniDokumentTest.cpp GlavniKrajDoKrajaTest.cpp
  LIBS skem_app
  GUI)
target_compile_definitions(glavni_tests PRIVATE SKEM_IZVOR="${PROJECT_SOURCE_DIR}")

# Renders the main window with an example document to /tmp/skem-glavni/*.png
# for a visual check.
add_executable(glavni_render RenderGlavni.cpp)
target_link_libraries(glavni_render PRIVATE skem_app Qt6::Test)
target_compile_definitions(glavni_render PRIVATE SKEM_IZVOR="${PROJECT_SOURCE_DIR}")
