# The notebook's widgets on a large category: opening and showing 100,000 notes, saving 1 MB.
qj_add_bench(bench_notebook ${CMAKE_CURRENT_LIST_DIR}/NotebookTreeBench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WidgetBenchMain.cpp)
target_link_libraries(bench_notebook PRIVATE qj_notebook qj_store qj_bench_large_category Qt6::Widgets)
