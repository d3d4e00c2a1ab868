qj_add_bench(bench_store ${CMAKE_CURRENT_LIST_DIR}/StoreBench.cpp)
target_link_libraries(bench_store PRIVATE qj_store qj_bench_large_category)
