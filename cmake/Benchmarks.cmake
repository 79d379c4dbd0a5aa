# Speed figures, built optimised without sanitizers (scripts/bench).
find_package(benchmark REQUIRED)
add_library(drowsel_benchmark_scene STATIC bench/BenchmarkScene.cpp)
target_link_libraries(drowsel_benchmark_scene PUBLIC drowsel_scene)
add_executable(drowsel_benchmarks bench/ImageDecodeBenchmark.cpp bench/SceneBenchmark.cpp)
target_link_libraries(drowsel_benchmarks PRIVATE drowsel_benchmark_scene drowsel_offscreen
    benchmark::benchmark)
# One frame case a process (scripts/bench), also under callgrind.
add_executable(frame_tool bench/FrameTool.cpp)
target_link_libraries(frame_tool PRIVATE drowsel_benchmark_scene drowsel_offscreen)
