set(BENCH_LINKS kubisto-workroom)
