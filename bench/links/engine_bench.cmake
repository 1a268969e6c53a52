set(BENCH_LINKS kubisto-engine kubisto-engine-room)
# The benchmark reads the wall pictures from the source tree.
target_compile_definitions(${name} PRIVATE KUBISTO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
