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
# OSMesa first, so that every gl call, GLU's included, reaches Mesa's own
# entry points rather than the vendor-neutral dispatch with no context.
target_link_libraries(drowsel_scene PUBLIC PkgConfig::OSMESA JPEG::JPEG OpenGL::GLU)

# The pictures compiled into a table, standing in for the product's resources.
include(cmake/EmbeddedPictures.cmake)

# A Mesa off-screen context, so that rendering tests read back real pixels;
# a test-controlled counter; the picture table; test images and djpeg.
find_program(DROWSEL_DJPEG djpeg REQUIRED)
add_library(drowsel_test_support STATIC tests/native/support/OffscreenContext.cpp
    tests/native/support/TestCounter.cpp tests/native/support/EmbeddedImageTable.cpp
    tests/native/support/TestJpeg.cpp tests/native/support/UniformKaleidoscope.cpp
    images/BuiltInImage.cpp ${DROWSEL_PICTURE_TABLE})
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
