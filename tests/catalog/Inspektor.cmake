skem_test(inspektor_tests SOURCES InspektorTest.cpp LIBS skem_inspektor GUI)
