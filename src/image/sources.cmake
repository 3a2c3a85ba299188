# The image library: the portable BMP codec, image files with atomic
# writes, GDI pictures and the JPEG writer (libjpeg-turbo).
list(APPEND HQ_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/bmp_image.cpp)
list(APPEND HQ_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/image_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_writer.cpp)
