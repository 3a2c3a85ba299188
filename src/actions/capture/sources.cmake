# Actions of this group (portable helpers in HQ_PORTABLE_SOURCES).
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pending.cpp)
