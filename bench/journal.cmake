# The recovery journal's write of a 1 MB note: the interface thread's share and the writer's.
if(TARGET qj_notebook)
    qj_add_bench(bench_journal ${CMAKE_CURRENT_LIST_DIR}/JournalBench.cpp ${CMAKE_CURRENT_LIST_DIR}/WidgetBenchMain.cpp)
    target_link_libraries(bench_journal PRIVATE qj_notebook qj_store Qt6::Widgets)
endif()
