# Desktop, input and system actions.
list(APPEND HQ_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/color_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color_dialog_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drop_files.cpp)
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/color_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cursor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mouse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sys_color.cpp)
