# Ground floor: handle owners, the error type and its raising helpers, text
# and code-page conversion, system error texts, integer text, file-name
# rules, host strings, the host's callback slots and the crossing into them,
# the work area a dialog is centred in, the display scale it is drawn at.
list(APPEND HQ_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/int_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_text.cpp)
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_answer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/work_area.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dpi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_crossing.cpp)
# The 64-bit crossing's frame is written in assembly (the system finds frame
# handlers from tables there); the 32-bit one registers itself in C++.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  list(APPEND HQ_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/host_crossing_x64.S)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/host_crossing_x64.S PROPERTIES LANGUAGE ASM)
endif()
