# Editor table, editor routine, dialog skeleton and the dialogs.
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/editor_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox12.cpp)
list(APPEND HQ_WIN_RESOURCES
  ${CMAKE_CURRENT_LIST_DIR}/res/editors.rc)
