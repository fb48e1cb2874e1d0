# The batch runner: its arguments, checks, exit codes and CSV, and the program
# itself run without a display or platform plugins; and every example
# document run through it and checked against the model's own maths. No
# application object: the batch mode needs none.
skem_test(paketni_tests SOURCES PaketniTest.cpp PaketniSerijaTest.cpp PaketniPomoc.h
  LIBS skem_paketni)
target_compile_definitions(paketni_tests PRIVATE SKEM_PROGRAM="$<TARGET_FILE:skem>")
add_dependencies(paketni_tests skem)
skem_test(primeri_tests SOURCES PrimeriTest.cpp PaketniPomoc.h LIBS skem_paketni)
