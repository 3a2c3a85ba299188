# The form layer the dialogs are built on: the form, its controls and the
# gradient control (its colour tables are portable).
list(APPEND HQ_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gradient_pattern.cpp)
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture.cpp)
