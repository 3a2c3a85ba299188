# Editor table, editor routine, dialog skeleton and the dialogs.
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/editor_table.cpp)
