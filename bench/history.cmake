# Keeping what saves replace: a save of a 1 MB note with its revision (and without, for the extra
# cost), the 历史版本 window of a note with 500 revisions, and the daily checked backup of the large
# notebook.
if(TARGET qj_store_windows)
    qj_add_bench(bench_history ${CMAKE_CURRENT_LIST_DIR}/HistoryBench.cpp ${CMAKE_CURRENT_LIST_DIR}/LargeNotebook.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WidgetBenchMain.cpp)
    target_link_libraries(bench_history PRIVATE qj_store_windows qj_store)
endif()
