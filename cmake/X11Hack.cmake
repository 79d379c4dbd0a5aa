# Drowsel as an xscreensaver hack (build/linux/drowsel): the same scene drawn
# with GLX, the pictures compiled in, the monotonic clock as its counter.
find_package(X11 REQUIRED)
find_package(JPEG REQUIRED)
target_link_libraries(drowsel_scene PUBLIC JPEG::JPEG OpenGL::GLU OpenGL::GL)
include(cmake/EmbeddedPictures.cmake)
add_executable(drowsel_hack x11/Main.cpp x11/HackOptions.cpp x11/FrameRateOverlay.cpp
    x11/MonotonicCounter.cpp
    x11/EmbeddedImage.cpp images/BuiltInImage.cpp ${DROWSEL_PICTURE_TABLE})
set_target_properties(drowsel_hack PROPERTIES OUTPUT_NAME drowsel)
target_include_directories(drowsel_hack PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(drowsel_hack PRIVATE drowsel_scene X11::X11
    X11::Xinerama X11::Xrandr OpenGL::GLX OpenGL::GL)

# What the Debian package installs from this tree (debian/rules; the data files
# are listed in debian/drowsel.install): the hack where xscreensaver's hacks
# live, and its manual with the version filled in.
configure_file(x11/package/drowsel.6 ${CMAKE_BINARY_DIR}/drowsel.6 @ONLY)
install(TARGETS drowsel_hack RUNTIME DESTINATION libexec/xscreensaver)
install(FILES ${CMAKE_BINARY_DIR}/drowsel.6 DESTINATION share/man/man6)
