# The pictures compiled into a C++ table (DROWSEL_PICTURE_TABLE), for the
# programs that have no resources: the native tests and the X11 hack.
set(picture_entries "")
set(picture_files "")
foreach(name ${DROWSEL_PICTURES})
    list(APPEND picture_entries "${name}=${CMAKE_SOURCE_DIR}/resources/${name}.jpg")
    list(APPEND picture_files ${CMAKE_SOURCE_DIR}/resources/${name}.jpg)
endforeach()
string(REPLACE ";" "," picture_entries "${picture_entries}")
set(DROWSEL_PICTURE_TABLE ${CMAKE_BINARY_DIR}/EmbeddedImages.cpp)
add_custom_command(OUTPUT ${DROWSEL_PICTURE_TABLE}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${DROWSEL_PICTURE_TABLE}
            -DIMAGES=${picture_entries}
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedImages.cmake
    DEPENDS ${picture_files} ${CMAKE_SOURCE_DIR}/cmake/EmbedImages.cmake
    COMMENT "Compiling the pictures into a table")
