# qingjian-cli's note tree on the big tree shapes.
if(TARGET qingjian-cli)
    qj_add_bench(bench_cli ${CMAKE_CURRENT_LIST_DIR}/CliTreeBench.cpp)
    target_link_libraries(bench_cli PRIVATE qj_bench_tree_shapes Qt6::Core)
    target_compile_definitions(bench_cli PRIVATE QJ_CLI_PATH="$<TARGET_FILE:qingjian-cli>")
    add_dependencies(bench_cli qingjian-cli)
endif()
