# The Page Maker (hbpages.exe) is a program of its own: its shell is apart from the main program's.
set(HB_PAGEMAKER_SOURCES ${CMAKE_CURRENT_LIST_DIR}/BlockCache.cpp ${CMAKE_CURRENT_LIST_DIR}/Maker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MakerWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/Drawing.cpp ${CMAKE_SOURCE_DIR}/src/page/FileBytes.cpp)
