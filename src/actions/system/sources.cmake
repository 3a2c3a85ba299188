# Desktop, input and system actions.
list(APPEND HQ_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/color_text.cpp)
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pending.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sys_color.cpp)
