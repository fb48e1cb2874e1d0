skem_test(rezultati_tests SOURCES RezultatiTest.cpp LIBS skem_rezultati GUI)

# Renders the table page and the chart page (flat and in depth) to
# /tmp/skem-rezultati/*.png for a visual check.
add_executable(rezultati_render RenderRezultata.cpp)
target_link_libraries(rezultati_render PRIVATE skem_rezultati)
