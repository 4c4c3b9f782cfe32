# The image library: sized masks and images, connected parts, scaling, the photo's segmentation,
# checking and mending of a page's lines. All core.
list(APPEND HB_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/Image.cpp ${CMAKE_CURRENT_LIST_DIR}/LineArt.cpp
     ${CMAKE_CURRENT_LIST_DIR}/PageCheck.cpp ${CMAKE_CURRENT_LIST_DIR}/Segment.cpp)
