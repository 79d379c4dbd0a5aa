# Unit and rendering tests of the platform-free pieces, under AddressSanitizer
# and UndefinedBehaviorSanitizer, and what the other native targets share:
# the sanitizer options, Mesa and libjpeg, the picture table and the test support.
find_package(GTest REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(OSMESA REQUIRED IMPORTED_TARGET osmesa)

set(DROWSEL_SANITIZERS "")
if(DROWSEL_SANITIZE)
    set(DROWSEL_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
endif()
if(DROWSEL_FUZZ)
    list(APPEND DROWSEL_SANITIZERS -fsanitize=fuzzer-no-link)
endif()
foreach(target drowsel_scene drowsel_host_logic)
    target_compile_options(${target} PRIVATE ${DROWSEL_SANITIZERS})
endforeach()
find_package(JPEG REQUIRED)
# OSMesa, and GLU's library file rather than its target, which would bring the
# vendor-neutral libOpenGL: every gl call, GLU's included, reaches Mesa's own
# entry points rather than a dispatch with no context.
target_link_libraries(drowsel_scene PUBLIC PkgConfig::OSMESA JPEG::JPEG ${OPENGL_glu_LIBRARY})

# The pictures compiled into a table, standing in for the product's resources.
include(cmake/EmbeddedPictures.cmake)

# The native programs' seams, linked after the scene by everything that links
# it: a counter the program sets and the pictures compiled into a table.
add_library(drowsel_native_seams STATIC shared/ControlledCounter.cpp shared/PictureTable.cpp
    images/BuiltInImage.cpp ${DROWSEL_PICTURE_TABLE})
target_include_directories(drowsel_native_seams PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(drowsel_native_seams PRIVATE ${DROWSEL_SANITIZERS})
target_link_libraries(drowsel_scene PUBLIC drowsel_native_seams)

# A Mesa off-screen context, so that tests, benchmarks and tools read back real pixels.
add_library(drowsel_offscreen STATIC shared/OffscreenContext.cpp)
target_include_directories(drowsel_offscreen PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(drowsel_offscreen PRIVATE ${DROWSEL_SANITIZERS})
target_link_libraries(drowsel_offscreen PUBLIC PkgConfig::OSMESA)

# What only the tests use: test images, djpeg, a kaleidoscope of uniform pictures.
find_program(DROWSEL_DJPEG djpeg REQUIRED)
add_library(drowsel_test_support STATIC tests/native/support/TestJpeg.cpp
    tests/native/support/UniformKaleidoscope.cpp)
target_compile_definitions(drowsel_test_support PUBLIC
    DROWSEL_DJPEG="${DROWSEL_DJPEG}" DROWSEL_RESOURCES="${CMAKE_SOURCE_DIR}/resources")
target_include_directories(drowsel_test_support PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(drowsel_test_support PUBLIC drowsel_scene drowsel_offscreen)
target_compile_options(drowsel_test_support PRIVATE ${DROWSEL_SANITIZERS})

add_executable(native_tests
    tests/native/CommandLineTest.cpp
    tests/native/FrameClockTest.cpp
    tests/native/FrameFlagsTest.cpp
    tests/native/FrameLoopTest.cpp
    tests/native/HackOptionsTest.cpp
    x11/HackOptions.cpp
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
