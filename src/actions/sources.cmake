# The actions, one folder per group.
foreach(group window capture system)
  include(${CMAKE_CURRENT_LIST_DIR}/${group}/sources.cmake)
endforeach()
