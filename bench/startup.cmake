# Start-up of the desktop program to a shown main window, with a 500 MB data file.
if(TARGET qingjian)
    qj_add_bench(bench_startup ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp)
    target_link_libraries(bench_startup PRIVATE qj_common qj_bench_tree_shapes Qt6::Core)
    target_compile_definitions(bench_startup PRIVATE QJ_PROGRAM_PATH="$<TARGET_FILE:qingjian>")
    add_dependencies(bench_startup qingjian)
endif()
