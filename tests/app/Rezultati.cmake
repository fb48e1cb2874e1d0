# The result pages: the table, the chart (flat and in depth) and their exports.
skem_test(rezultati_tests SOURCES RezultatiTest.cpp ProredjivanjeGrafikaTest.cpp LIBS skem_rezultati GUI)
