# The notebook's widgets on large categories: 100,000 notes, a million notes, a deep chain.
qj_add_bench(bench_notebook ${CMAKE_CURRENT_LIST_DIR}/NotebookTreeBench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MillionTreeBench.cpp ${CMAKE_CURRENT_LIST_DIR}/WidgetBenchMain.cpp)
target_link_libraries(bench_notebook PRIVATE qj_notebook qj_store qj_bench_large_category qj_bench_tree_shapes
    Qt6::Widgets)
