# libjpeg-turbo (libjpeg API 62), cross-built static from Debian's source package
# into a prefix inside this build tree.
include(ExternalProject)

# scripts/setup unpacks Debian's source package into build/src.
file(GLOB DROWSEL_LIBJPEG_SOURCES LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/build/src/libjpeg-turbo-*)
set(DROWSEL_LIBJPEG_FOUND "")
if(DROWSEL_LIBJPEG_SOURCES)
    list(SORT DROWSEL_LIBJPEG_SOURCES)
    list(GET DROWSEL_LIBJPEG_SOURCES 0 DROWSEL_LIBJPEG_FOUND)
endif()
set(DROWSEL_LIBJPEG_SOURCE "${DROWSEL_LIBJPEG_FOUND}" CACHE PATH
    "Unpacked libjpeg-turbo source package")
if(NOT EXISTS "${DROWSEL_LIBJPEG_SOURCE}/CMakeLists.txt")
    message(FATAL_ERROR "DROWSEL_LIBJPEG_SOURCE must name the unpacked libjpeg-turbo source "
                        "(scripts/setup fetches it)")
endif()

set(DROWSEL_LIBJPEG_PREFIX ${CMAKE_BINARY_DIR}/libjpeg-turbo)
ExternalProject_Add(libjpeg_turbo_build
    SOURCE_DIR ${DROWSEL_LIBJPEG_SOURCE}
    BINARY_DIR ${CMAKE_BINARY_DIR}/libjpeg-turbo-build
    # Its build date is the release time.
    CMAKE_COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${DROWSEL_RELEASE_TIME} ${CMAKE_COMMAND}
    INSTALL_DIR ${DROWSEL_LIBJPEG_PREFIX}
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
        -DCMAKE_BUILD_TYPE=Release
        "-DCMAKE_C_FLAGS=${DROWSEL_PATH_MAP} ${DROWSEL_STACK_PROTECTOR}"
        -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
        -DENABLE_SHARED=OFF
        -DENABLE_STATIC=ON
        -DWITH_TURBOJPEG=OFF
        -DWITH_SIMD=ON
        -DREQUIRE_SIMD=ON
    LOG_CONFIGURE ON
    LOG_BUILD ON
    LOG_INSTALL ON
    LOG_OUTPUT_ON_FAILURE ON
    BUILD_BYPRODUCTS ${DROWSEL_LIBJPEG_PREFIX}/lib/libjpeg.a
)
file(MAKE_DIRECTORY ${DROWSEL_LIBJPEG_PREFIX}/include)

add_library(libjpeg STATIC IMPORTED GLOBAL)
set_target_properties(libjpeg PROPERTIES
    IMPORTED_LOCATION ${DROWSEL_LIBJPEG_PREFIX}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${DROWSEL_LIBJPEG_PREFIX}/include
)
add_dependencies(libjpeg libjpeg_turbo_build)
