# Screen capture, the watermark and colour-depth conversion.
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/screen_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/watermark.cpp
  ${CMAKE_CURRENT_LIST_DIR}/change_color.cpp)
