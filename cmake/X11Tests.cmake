# The X11 hack under Xvfb, built by scripts/build into build/linux.
add_test(NAME x11.hack COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/x11/test_hack.py)
set_tests_properties(x11.hack PROPERTIES
    ENVIRONMENT "DROWSEL_HACK=${CMAKE_SOURCE_DIR}/build/linux/drowsel;DROWSEL_WINE_ROOT=${CMAKE_BINARY_DIR}/x11"
    TIMEOUT 180)
