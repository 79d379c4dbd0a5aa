# End-to-end tests: the Windows product under Wine on a virtual display.
set(DROWSEL_WINE_ENVIRONMENT
    "DROWSEL_WINDOWS_BUILD=${DROWSEL_WINDOWS_BUILD}"
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
