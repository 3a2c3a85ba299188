# Top floor: the error boundary, dispatch and the catalogue (the exports
# themselves are linked into the DLL only).
list(APPEND HQ_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp)
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/boundary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dispatch.cpp)
