# Native build: unit and rendering tests of the platform-free pieces under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the end-to-end tests
# that run the Windows product under Wine. One ctest run covers both.
enable_testing()
find_package(GTest REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(OSMESA REQUIRED IMPORTED_TARGET osmesa)

option(DROWSEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
set(DROWSEL_SANITIZERS "")
if(DROWSEL_SANITIZE)
    set(DROWSEL_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
endif()
# With clang, the same code can be built for libFuzzer (scripts/fuzz).
option(DROWSEL_FUZZ "Build the libFuzzer target; needs clang" OFF)
if(DROWSEL_FUZZ)
    list(APPEND DROWSEL_SANITIZERS -fsanitize=fuzzer-no-link)
endif()
foreach(target drowsel_scene drowsel_host_logic)
    target_compile_options(${target} PRIVATE ${DROWSEL_SANITIZERS})
endforeach()
find_package(JPEG REQUIRED)
# OSMesa first, so that every gl call, GLU's included, reaches Mesa's own
# entry points rather than the vendor-neutral dispatch with no context.
target_link_libraries(drowsel_scene PUBLIC PkgConfig::OSMESA JPEG::JPEG OpenGL::GLU)

# The pictures compiled into a table, standing in for the product's resources.
set(DROWSEL_PICTURES JPEG_TAVO_RGB JPEG_TAVO_MASK LOGO_MASK)
set(picture_entries "")
set(picture_files "")
foreach(name ${DROWSEL_PICTURES})
    list(APPEND picture_entries "${name}=${CMAKE_SOURCE_DIR}/resources/${name}.jpg")
    list(APPEND picture_files ${CMAKE_SOURCE_DIR}/resources/${name}.jpg)
endforeach()
string(REPLACE ";" "," picture_entries "${picture_entries}")
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/EmbeddedImages.cpp
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${CMAKE_BINARY_DIR}/EmbeddedImages.cpp
            -DIMAGES=${picture_entries}
            -P ${CMAKE_SOURCE_DIR}/tests/native/support/EmbedImages.cmake
    DEPENDS ${picture_files} ${CMAKE_SOURCE_DIR}/tests/native/support/EmbedImages.cmake
    COMMENT "Compiling the pictures into a table")

# A Mesa off-screen context, so that rendering tests read back real pixels;
# a test-controlled counter; the picture table; test images and djpeg.
find_program(DROWSEL_DJPEG djpeg REQUIRED)
add_library(drowsel_test_support STATIC tests/native/support/OffscreenContext.cpp
    tests/native/support/TestCounter.cpp tests/native/support/EmbeddedImageTable.cpp
    tests/native/support/TestJpeg.cpp tests/native/support/UniformKaleidoscope.cpp
    ${CMAKE_BINARY_DIR}/EmbeddedImages.cpp)
target_compile_definitions(drowsel_test_support PUBLIC
    DROWSEL_DJPEG="${DROWSEL_DJPEG}" DROWSEL_RESOURCES="${CMAKE_SOURCE_DIR}/resources")
target_include_directories(drowsel_test_support PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(drowsel_test_support PUBLIC drowsel_scene PkgConfig::OSMESA OpenGL::GLU
    JPEG::JPEG)
target_compile_options(drowsel_test_support PRIVATE ${DROWSEL_SANITIZERS})

add_executable(native_tests
    tests/native/CommandLineTest.cpp
    tests/native/FrameClockTest.cpp
    tests/native/FrameFlagsTest.cpp
    tests/native/InputWatchTest.cpp
    tests/native/JpegMemorySourceTest.cpp
    tests/native/MirrorSelectionTest.cpp
    tests/native/MonitorLayoutTest.cpp
    tests/native/MirrorSetTest.cpp
    tests/native/SceneTest.cpp
    tests/native/SignFieldTest.cpp
    tests/native/TextureLoaderTest.cpp
)
target_compile_options(native_tests PRIVATE ${DROWSEL_SANITIZERS})
target_link_options(native_tests PRIVATE ${DROWSEL_SANITIZERS})
target_link_libraries(native_tests PRIVATE drowsel_scene drowsel_host_logic
    drowsel_test_support GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(native_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60
)

# End-to-end tests under Wine, against the product of the Windows build.
set(DROWSEL_WINDOWS_BUILD ${CMAKE_SOURCE_DIR}/build/win64 CACHE PATH
    "Build tree of the Windows product")
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(DROWSEL_WINE_ENVIRONMENT
    "DROWSEL_SCR=${DROWSEL_WINDOWS_BUILD}/drowsel.scr"
    "DROWSEL_HELPERS=${DROWSEL_WINDOWS_BUILD}/helpers"
    "DROWSEL_WINE_ROOT=${CMAKE_BINARY_DIR}/wine"
)

function(drowsel_wine_test name script)
    add_test(NAME wine.${name}
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/wine/${script})
    set_tests_properties(wine.${name} PROPERTIES
        ENVIRONMENT "${DROWSEL_WINE_ENVIRONMENT}"
        FIXTURES_REQUIRED wine_prefix
        TIMEOUT 180)
endfunction()

add_test(NAME wine.prefix COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/wine/make_prefix.py)
set_tests_properties(wine.prefix PROPERTIES
    ENVIRONMENT "${DROWSEL_WINE_ENVIRONMENT}"
    FIXTURES_SETUP wine_prefix
    TIMEOUT 300)

drowsel_wine_test(saver_mode test_saver_mode.py)
drowsel_wine_test(preview_mode test_preview_mode.py)
drowsel_wine_test(switches test_switches.py)
drowsel_wine_test(config_dialog test_config_dialog.py)
drowsel_wine_test(close_policy test_close_policy.py)
drowsel_wine_test(password_check test_password_check.py)
drowsel_wine_test(resources test_resources.py)
drowsel_wine_test(change_password test_change_password.py)
drowsel_wine_test(library_search test_library_search.py)
drowsel_wine_test(installer test_installer.py)
drowsel_wine_test(animation test_animation.py)

add_test(NAME product.imports
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/product/check_imports.py
            ${DROWSEL_WINDOWS_BUILD}/drowsel.scr)
add_test(NAME product.signing
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/product/test_signing.py)

# The program that draws the committed pictures; running it again must give
# the same bytes as are committed.
add_executable(draw_icon tools/draw_icon.cpp)
add_test(NAME tools.icon_is_reproducible
    COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:draw_icon>
            -DCOMMITTED=${CMAKE_SOURCE_DIR}/resources/drowsel.ico
            -DOUTPUT=${CMAKE_BINARY_DIR}/drowsel.ico
            -P ${CMAKE_SOURCE_DIR}/tests/product/CompareToolOutput.cmake)

add_executable(draw_pictures tools/draw_pictures.cpp tools/SignArtwork.cpp)
target_include_directories(draw_pictures PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(draw_pictures PRIVATE JPEG::JPEG)
add_test(NAME tools.pictures_are_reproducible
    COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:draw_pictures>
            -DCOMMITTED=${CMAKE_SOURCE_DIR}/resources
            -DOUTPUT=${CMAKE_BINARY_DIR}/pictures
            -DFILES=JPEG_TAVO_RGB.jpg,JPEG_TAVO_MASK.jpg,LOGO_MASK.jpg
            -P ${CMAKE_SOURCE_DIR}/tests/product/CompareToolOutput.cmake)

if(DROWSEL_FUZZ)
    add_executable(texture_loader_fuzzer tests/fuzz/TextureLoaderFuzzer.cpp)
    target_compile_options(texture_loader_fuzzer PRIVATE ${DROWSEL_SANITIZERS})
    target_link_options(texture_loader_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(texture_loader_fuzzer PRIVATE drowsel_scene drowsel_test_support)
    add_executable(command_line_fuzzer tests/fuzz/CommandLineFuzzer.cpp)
    target_compile_options(command_line_fuzzer PRIVATE ${DROWSEL_SANITIZERS})
    target_link_options(command_line_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(command_line_fuzzer PRIVATE drowsel_host_logic)
endif()

# Speed figures, built optimised without sanitizers (scripts/bench).
option(DROWSEL_BENCH "Build the benchmarks" OFF)
if(DROWSEL_BENCH)
    find_package(benchmark REQUIRED)
    add_executable(drowsel_benchmarks bench/ImageDecodeBenchmark.cpp bench/SceneBenchmark.cpp)
    target_link_libraries(drowsel_benchmarks PRIVATE drowsel_scene drowsel_test_support
        benchmark::benchmark)
    add_executable(record_animation tools/record_animation.cpp)
    target_link_libraries(record_animation PRIVATE drowsel_scene drowsel_test_support)
endif()
