# Screen capture and image files: the portable BMP module, and the Windows
# shell (file writing, GDI pictures, JPEG through libjpeg-turbo, the actions).
list(APPEND HQ_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/bmp_image.cpp)
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/image_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/watermark.cpp
  ${CMAKE_CURRENT_LIST_DIR}/change_color.cpp)
