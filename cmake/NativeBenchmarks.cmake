# Native build only: timing of the readout refresh on the fake platform
# (Debian's libbenchmark-dev). Skipped when Google Benchmark is not installed.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(refresh_benchmark benchmarks/refresh_benchmark.cpp)
  target_link_libraries(refresh_benchmark PRIVATE -Wl,--start-group horavel_core horavel_fake -Wl,--end-group
                        benchmark::benchmark)
else()
  message(STATUS "Google Benchmark not found: refresh_benchmark is not built")
endif()
