set(BENCH_LINKS kubisto-app)
