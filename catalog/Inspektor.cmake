# skem_inspektor: the inspector at the right of the model page and its grid.
add_library(skem_inspektor STATIC
  SKEMInspektor.cpp
)
target_include_directories(skem_inspektor PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(skem_inspektor PUBLIC skem_catalog skem_widgets skem_diagram Qt6::Widgets)
