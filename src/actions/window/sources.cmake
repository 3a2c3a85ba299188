# Window appearance actions (portable helpers in HQ_PORTABLE_SOURCES).
list(APPEND HQ_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/mask_runs.cpp)
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/window_util.cpp
  ${CMAKE_CURRENT_LIST_DIR}/styles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transparency.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/region_build.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdiplus_layer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_shadow.cpp)
