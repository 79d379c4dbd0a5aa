# The product: drowsel.scr, one static Windows GUI program whose imports are
# KnownDLLs only, and the helper programs that the Wine tests use.
enable_language(RC)

set(DROWSEL_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# The same program from any clone at any time: the release time as its time
# stamp, and paths in the debug information relative to the clone (gdb finds
# the sources from its root). libjpeg-turbo is built with the same map.
set(DROWSEL_PATH_MAP "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.")
add_compile_options(${DROWSEL_PATH_MAP})
# A stack protector beside the linker's ASLR, high-entropy addresses and DEP;
# the driver links MinGW's libssp, statically like the rest of the runtime.
set(DROWSEL_STACK_PROTECTOR -fstack-protector-strong)
add_compile_options(${DROWSEL_STACK_PROTECTOR})
add_link_options(${DROWSEL_STACK_PROTECTOR})
add_link_options(-Wl,--no-insert-timestamp)
include(cmake/LibjpegWindows.cmake)

# The scene decodes with the cross-built libjpeg. It links no OpenGL or GLU:
# each program chooses how it imports them.
target_link_libraries(drowsel_scene PUBLIC libjpeg)
add_dependencies(drowsel_scene libjpeg_turbo_build)

add_executable(drowsel WIN32
    host/ChangePassword.cpp
    host/ConfigDialog.cpp
    host/DisplayNotification.cpp
    host/EmbeddedImage.cpp
    host/OpenGLLibrary.cpp
    host/PasswordCheck.cpp
    host/PerformanceCounter.cpp
    host/PixelFormat.cpp
    host/ProcessState.cpp
    host/ReferencePoint.cpp
    host/SaverWindow.cpp
    host/SaverWindowProc.cpp
    host/Settings.cpp
    host/SystemLibrary.cpp
    host/WindowPlacement.cpp
    host/WinMain.cpp
    resources/drowsel.rc
)
set_target_properties(drowsel PROPERTIES
    OUTPUT_NAME drowsel
    SUFFIX .scr
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
)
# The version reaches the version resource and the manifest through files made here.
set(DROWSEL_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(resources/Version.h.in ${DROWSEL_GENERATED}/Version.h @ONLY)
configure_file(resources/drowsel.manifest.in ${DROWSEL_GENERATED}/drowsel.manifest @ONLY)
target_include_directories(drowsel PRIVATE ${DROWSEL_GENERATED} ${CMAKE_SOURCE_DIR}/resources)
list(TRANSFORM DROWSEL_PICTURES PREPEND ${CMAKE_SOURCE_DIR}/resources/ OUTPUT_VARIABLE resource_files)
list(TRANSFORM resource_files APPEND .jpg)
list(APPEND resource_files ${CMAKE_SOURCE_DIR}/resources/drowsel.ico
    ${CMAKE_SOURCE_DIR}/resources/ResourceIds.h ${DROWSEL_GENERATED}/drowsel.manifest
    ${DROWSEL_GENERATED}/Version.h)
set_source_files_properties(resources/drowsel.rc PROPERTIES OBJECT_DEPENDS "${resource_files}")
# No OpenGL or GLU import library: neither is a KnownDLL, so the program loads
# both from the system folder itself (host/OpenGLLibrary.cpp), never from the
# folder it was started from.
target_link_libraries(drowsel PRIVATE drowsel_scene drowsel_host_logic gdi32 user32 advapi32
    ${DROWSEL_STATIC_RUNTIME})
# The shipped file carries no symbols or debug sections; they go to drowsel.debug beside
# it, which a debugger finds through the link the stripped file keeps. NASM names
# its objects by their absolute source paths; those file symbols are left out.
# objcopy stamps the program with SOURCE_DATE_EPOCH.
set(DROWSEL_OBJCOPY ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${DROWSEL_RELEASE_TIME}
    ${CMAKE_OBJCOPY})
add_custom_command(TARGET drowsel POST_BUILD
    COMMAND ${DROWSEL_OBJCOPY} --only-keep-debug --wildcard --strip-symbol=/*
            $<TARGET_FILE:drowsel> ${CMAKE_BINARY_DIR}/drowsel.debug
    COMMAND ${DROWSEL_OBJCOPY} --strip-all
            --add-gnu-debuglink=${CMAKE_BINARY_DIR}/drowsel.debug $<TARGET_FILE:drowsel>
    VERBATIM
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Moving the debug sections to drowsel.debug")

add_subdirectory(tests/wine/helpers)
