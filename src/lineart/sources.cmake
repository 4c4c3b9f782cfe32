# The Page Maker's own decisions (rebuilding the page, photo or drawing, its verdict, counts and
# tints, what a command line means): all core.
list(APPEND HB_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/Making.cpp ${CMAKE_CURRENT_LIST_DIR}/MakerCommand.cpp)
