# Editor table, editor routine, dialog skeleton and the dialogs.
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/editor_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox12.cpp)
# Desktop, input and colour-dialog editors.
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MBox1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox4.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox5.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox6.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox8.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox25.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox26.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox28.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox27.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox24.cpp)
list(APPEND HQ_WIN_RESOURCES
  ${CMAKE_CURRENT_LIST_DIR}/res/editors.rc)
