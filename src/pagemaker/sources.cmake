list(APPEND HB_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/LineArt.cpp ${CMAKE_CURRENT_LIST_DIR}/PageCheck.cpp)
# The Page Maker program (hbpages.exe) is a target of its own, apart from the main program's shell.
set(HB_PAGEMAKER_SOURCES)
