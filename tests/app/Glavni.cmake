# The main window: start-up, editing, commands, documents, autosave and
# recovery, and every example run end to end against the batch mode.
skem_test(glavni_tests
  SOURCES GlavniTest.cpp GlavniDokumentTest.cpp GlavniKrajDoKrajaTest.cpp GlavniUredjivanjeTest.cpp
    OporavakTest.cpp
  LIBS skem_app
  GUI)
target_compile_definitions(glavni_tests PRIVATE SKEM_IZVOR="${PROJECT_SOURCE_DIR}"
  OPORAVAK_DETE="$<TARGET_FILE:oporavak_dete>")

# The recovery test's child: the real window, killed in the middle of its work.
add_executable(oporavak_dete OporavakDete.cpp)
target_link_libraries(oporavak_dete PRIVATE skem_test_podrska skem_app)
target_compile_definitions(oporavak_dete PRIVATE SKEM_IZVOR="${PROJECT_SOURCE_DIR}")
add_dependencies(glavni_tests oporavak_dete)
