# libFuzzer targets over the picture loaders and the command line (scripts/fuzz).
add_executable(texture_loader_fuzzer tests/fuzz/TextureLoaderFuzzer.cpp)
target_compile_options(texture_loader_fuzzer PRIVATE ${DROWSEL_SANITIZERS})
target_link_options(texture_loader_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(texture_loader_fuzzer PRIVATE drowsel_scene drowsel_test_support)
add_executable(command_line_fuzzer tests/fuzz/CommandLineFuzzer.cpp)
target_compile_options(command_line_fuzzer PRIVATE ${DROWSEL_SANITIZERS})
target_link_options(command_line_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(command_line_fuzzer PRIVATE drowsel_host_logic)
