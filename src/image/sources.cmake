# The image library: sized masks and images, connected parts, scaling, the photo's segmentation,
# checking and mending of a page's lines. All core.
list(APPEND HB_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/Image.cpp ${CMAKE_CURRENT_LIST_DIR}/LineArt.cpp
     ${CMAKE_CURRENT_LIST_DIR}/PageCheck.cpp ${CMAKE_CURRENT_LIST_DIR}/Segment.cpp)
# In a debug build every index into a vector is checked, so that a read or write one past the end
# fails the unit tests at once instead of passing on whatever lies beyond.
set_source_files_properties(
    ${CMAKE_CURRENT_LIST_DIR}/Image.cpp ${CMAKE_CURRENT_LIST_DIR}/LineArt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageCheck.cpp ${CMAKE_CURRENT_LIST_DIR}/Segment.cpp
    PROPERTIES COMPILE_DEFINITIONS $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)
