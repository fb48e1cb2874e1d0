# The batch runner: its arguments, checks, exit codes and CSV; and every
# example document run through it and checked against the model's own maths.
skem_test(paketni_tests SOURCES PaketniTest.cpp PaketniSerijaTest.cpp PaketniPomoc.h
  LIBS skem_paketni GUI)
skem_test(primeri_tests SOURCES PrimeriTest.cpp PaketniPomoc.h LIBS skem_paketni GUI)
