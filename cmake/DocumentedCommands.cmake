# The commands the README names that the other tests do not run, each run
# briefly as a user runs it: it configures and builds its own tree (build/bench,
# build/fuzz), so a target that no longer builds fails here by its name. The
# picture tools write to a scratch folder, compared with the committed files.
set(DROWSEL_COMPARE_OUTPUT ${CMAKE_SOURCE_DIR}/tests/product/CompareToolOutput.cmake)

add_test(NAME bench.brief COMMAND ${CMAKE_SOURCE_DIR}/scripts/bench --brief)
foreach(target texture_loader command_line)
    add_test(NAME fuzz.${target} COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz ${target} 3)
endforeach()
add_test(NAME tools.animation_is_reproducible
    COMMAND ${CMAKE_COMMAND} -DTOOL=${CMAKE_SOURCE_DIR}/tools/record_animation
            -DCOMMITTED=${CMAKE_SOURCE_DIR}/docs/drowsel.gif
            -DOUTPUT=${CMAKE_BINARY_DIR}/commands/drowsel.gif -P ${DROWSEL_COMPARE_OUTPUT})
add_test(NAME tools.installer_pictures_are_reproducible
    COMMAND ${CMAKE_COMMAND} -DTOOL=${CMAKE_SOURCE_DIR}/tools/installer_pictures
            -DCOMMITTED=${CMAKE_SOURCE_DIR}/installer -DFILES=welcome.png,header.png
            -DOUTPUT=${CMAKE_BINARY_DIR}/commands/installer -P ${DROWSEL_COMPARE_OUTPUT})
add_test(NAME tools.contact_sheet_is_reproducible
    COMMAND ${CMAKE_COMMAND} -DTOOL=${CMAKE_SOURCE_DIR}/tools/contact_sheet
            -DCOMMITTED=${CMAKE_SOURCE_DIR}/docs/atlas-contact-sheet.png
            -DOUTPUT=${CMAKE_BINARY_DIR}/commands/atlas-contact-sheet.png
            -P ${DROWSEL_COMPARE_OUTPUT})
# The bench tree is built by one of them at a time.
set_tests_properties(bench.brief tools.animation_is_reproducible
    tools.installer_pictures_are_reproducible PROPERTIES RESOURCE_LOCK bench_tree TIMEOUT 900)
set_tests_properties(fuzz.texture_loader fuzz.command_line PROPERTIES
    RESOURCE_LOCK fuzz_tree TIMEOUT 900)
