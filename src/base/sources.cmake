# Ground floor: handle owners, the error type and its raising helpers, text
# and code-page conversion, system error texts, integer text, file-name
# rules, host strings and the host's callback slots.
list(APPEND HQ_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/int_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_text.cpp)
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_answer.cpp)
