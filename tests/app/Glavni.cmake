# The main window: start-up, editing, commands, documents, and every example
# run end to end against the batch mode.
skem_test(glavni_tests
  SOURCES GlavniTest.cpp GlavniDokumentTest.cpp GlavniKrajDoKrajaTest.cpp GlavniUredjivanjeTest.cpp
  LIBS skem_app
  GUI)
target_compile_definitions(glavni_tests PRIVATE SKEM_IZVOR="${PROJECT_SOURCE_DIR}")
