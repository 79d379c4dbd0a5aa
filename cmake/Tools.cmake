# The programs that draw the committed icon and pictures; running them again
# must give the same bytes as are committed.
add_executable(draw_icon tools/draw_icon.cpp)
add_test(NAME tools.icon_is_reproducible
    COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:draw_icon>
            -DCOMMITTED=${CMAKE_SOURCE_DIR}/resources/drowsel.ico
            -DOUTPUT=${CMAKE_BINARY_DIR}/drowsel.ico
            -P ${CMAKE_SOURCE_DIR}/tests/product/CompareToolOutput.cmake)

list(TRANSFORM DROWSEL_PICTURES APPEND .jpg OUTPUT_VARIABLE picture_names)
string(REPLACE ";" "," picture_names "${picture_names}")
add_executable(draw_pictures tools/draw_pictures.cpp tools/SignArtwork.cpp)
target_include_directories(draw_pictures PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(draw_pictures PRIVATE JPEG::JPEG)
add_test(NAME tools.pictures_are_reproducible
    COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:draw_pictures>
            -DCOMMITTED=${CMAKE_SOURCE_DIR}/resources
            -DOUTPUT=${CMAKE_BINARY_DIR}/pictures
            -DFILES=${picture_names}
            -P ${CMAKE_SOURCE_DIR}/tests/product/CompareToolOutput.cmake)

# The animation in docs/, built optimised with the benchmarks (tools/record_animation).
if(DROWSEL_BENCH)
    add_executable(record_animation tools/record_animation.cpp)
    target_link_libraries(record_animation PRIVATE drowsel_scene drowsel_offscreen)
endif()
