# The product: drowsel.scr, one static Windows GUI program whose imports are
# system DLLs only, and the helper programs that the Wine tests use.
enable_language(RC)
include(cmake/LibjpegWindows.cmake)

set(DROWSEL_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

target_link_libraries(drowsel_scene PUBLIC libjpeg OpenGL::GLU OpenGL::GL)
add_dependencies(drowsel_scene libjpeg_turbo_build)

add_executable(drowsel WIN32
    host/ChangePassword.cpp
    host/ConfigDialog.cpp
    host/EmbeddedImage.cpp
    host/PasswordCheck.cpp
    host/PerformanceCounter.cpp
    host/PixelFormat.cpp
    host/ProcessState.cpp
    host/SaverWindow.cpp
    host/SaverWindowProc.cpp
    host/Settings.cpp
    host/WinMain.cpp
    resources/drowsel.rc
)
set_target_properties(drowsel PROPERTIES
    OUTPUT_NAME drowsel
    SUFFIX .scr
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
)
target_include_directories(drowsel PRIVATE ${CMAKE_SOURCE_DIR}/resources)
set_source_files_properties(resources/drowsel.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/resources/JPEG_TAVO_RGB.jpg;${CMAKE_SOURCE_DIR}/resources/JPEG_TAVO_MASK.jpg;${CMAKE_SOURCE_DIR}/resources/LOGO_MASK.jpg;${CMAKE_SOURCE_DIR}/resources/drowsel.ico;${CMAKE_SOURCE_DIR}/resources/drowsel.manifest")
target_link_libraries(drowsel PRIVATE drowsel_scene drowsel_host_logic gdi32 user32 advapi32
    ${DROWSEL_STATIC_RUNTIME})
# The shipped file carries no symbols or debug sections; they go to drowsel.debug beside
# it, which a debugger finds through the link the stripped file keeps.
add_custom_command(TARGET drowsel POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:drowsel>
            ${CMAKE_BINARY_DIR}/drowsel.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all
            --add-gnu-debuglink=${CMAKE_BINARY_DIR}/drowsel.debug $<TARGET_FILE:drowsel>
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Moving the debug sections to drowsel.debug")

add_subdirectory(tests/wine/helpers)
