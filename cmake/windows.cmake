# Cross build: the plug-in, the stand-in host, Windows tests and benchmarks.
enable_language(RC ASM)

# HQ_WIN64: the x86_64 build of the same sources (cmake/mingw64.cmake), the
# test vehicle that runs natively under 64-bit Wine. The product is the
# 32-bit build; the host's register convention exists only there.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(HQ_WIN64 ON)
  set(HQ_DEPS_DEFAULT "${CMAKE_SOURCE_DIR}/.cache/deps/mingw64")
else()
  set(HQ_WIN64 OFF)
  set(HQ_DEPS_DEFAULT "${CMAKE_SOURCE_DIR}/.cache/deps/mingw32")
endif()
set(HQ_DEPS "${HQ_DEPS_DEFAULT}" CACHE PATH "Statically built third-party libraries")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh")

# Narrow literals are Windows-1251 bytes, as all 8-bit text of the system.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8>
                    $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=CP1251>
                    -Wall -Wextra)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(hq_jpeg STATIC IMPORTED)
set_target_properties(hq_jpeg PROPERTIES IMPORTED_LOCATION ${HQ_DEPS}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${HQ_DEPS}/include)
add_library(hq_zlib STATIC IMPORTED)
set_target_properties(hq_zlib PROPERTIES IMPORTED_LOCATION ${CMAKE_FIND_ROOT_PATH}/lib/libz.a)
add_library(hq_png STATIC IMPORTED)
set_target_properties(hq_png PROPERTIES IMPORTED_LOCATION ${HQ_DEPS}/lib/libpng16.a
  INTERFACE_INCLUDE_DIRECTORIES ${HQ_DEPS}/include INTERFACE_LINK_LIBRARIES hq_zlib)

# Resource scripts (.rc) of the plug-in are listed by the source folders in HQ_WIN_RESOURCES.
set(HQ_SYSTEM_LIBS gdiplus msimg32 comdlg32 comctl32 winmm shell32 ole32 user32 gdi32 kernel32)

# One static library per layer. A layer sees its own folder and, through the
# layers it is built on, theirs: each library's include root holds a single
# link to its own folder, so an include against the order (a lower layer
# naming a higher one) does not compile. hqplugin, the top layer, is
# everything but the exports: the tests link it.
foreach(layer ${HQ_LAYERS})
  set(target hq_${layer})
  if(layer STREQUAL "plugin")
    set(target hqplugin)
  endif()
  add_library(${target} STATIC ${HQ_PORTABLE_${layer}} ${HQ_WIN_${layer}})
  set(root ${CMAKE_BINARY_DIR}/layers/${layer})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  foreach(below ${HQ_BELOW_${layer}})
    target_link_libraries(${target} PUBLIC hq_${below})
  endforeach()
  # The system headers the layers include, compiled once with the lowest
  # layer and reused by the others (the same flags throughout). The DLL's code
  # is that of a build without it; only a local symbol's number in its symbol
  # table differs.
  if(layer STREQUAL "base")
    target_precompile_headers(hq_base PRIVATE <windows.h> <algorithm> <functional> <map> <memory> <string>
                              <string_view> <vector>)
  else()
    target_precompile_headers(${target} REUSE_FROM hq_base)
  endif()
endforeach()
target_link_libraries(hq_base PUBLIC ${HQ_SYSTEM_LIBS})
target_link_libraries(hq_image PUBLIC hq_jpeg)
target_link_libraries(hq_actions PUBLIC hq_png)
target_link_libraries(hq_form PUBLIC hq_png)  # the pictures: the About box's is PNG data

add_library(zeZoreredur SHARED src/plugin/exports.cpp src/plugin/zeZoreredur.def src/plugin/version.rc
                               ${HQ_WIN_RESOURCES})
set_target_properties(zeZoreredur PROPERTIES PREFIX "" SUFFIX ".hqp")
target_link_libraries(zeZoreredur PRIVATE hqplugin)
target_link_options(zeZoreredur PRIVATE -Wl,--enable-stdcall-fixup -Wl,--no-insert-timestamp)

# GoogleTest, built with the same toolchain.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${HQ_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

enable_testing()
add_subdirectory(host)
add_subdirectory(reference)
add_subdirectory(tests/win)
add_subdirectory(bench)
