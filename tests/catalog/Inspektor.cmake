# The inspector: its list, grids, in-place editing and sections.
skem_test(inspektor_tests SOURCES InspektorTest.cpp LIBS skem_inspektor GUI)
