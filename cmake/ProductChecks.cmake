# Checks of the built program itself and of a release made from it.
add_test(NAME product.program
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/product/check_program.py
            ${DROWSEL_WINDOWS_BUILD}/drowsel.scr)
add_test(NAME product.signing
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/product/test_signing.py)
add_test(NAME product.deb
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/product/test_deb.py)
set_tests_properties(product.deb PROPERTIES TIMEOUT 600)
