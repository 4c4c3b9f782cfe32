# The image work of the Page Maker and the art tools, and the Page Maker's own decisions: all core.
list(APPEND HB_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/LineArt.cpp ${CMAKE_CURRENT_LIST_DIR}/PageCheck.cpp
     ${CMAKE_CURRENT_LIST_DIR}/Making.cpp ${CMAKE_CURRENT_LIST_DIR}/MakerCommand.cpp)
