# Editor table, editor routine, dialog skeleton and the dialogs.
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/editor_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox12.cpp)
# Window and text-entry editors.
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MBox17.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox18.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox19.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox20.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox21.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox22.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox9.cpp)
list(APPEND HQ_WIN_RESOURCES
  ${CMAKE_CURRENT_LIST_DIR}/res/editors.rc)
# Capture and image editors, file actions.
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MBox13.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox14.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox15.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox16.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox10.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox7.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox100.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MBox11.cpp)
