if(TARGET qj_store)
    qj_add_bench(bench_search ${CMAKE_CURRENT_LIST_DIR}/SearchBench.cpp ${CMAKE_CURRENT_LIST_DIR}/LargeNotebook.cpp)
    target_link_libraries(bench_search PRIVATE qj_store)
endif()
if(TARGET qj_store_windows)
    qj_add_bench(bench_search_window ${CMAKE_CURRENT_LIST_DIR}/SearchWindowBench.cpp ${CMAKE_CURRENT_LIST_DIR}/LargeNotebook.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WidgetBenchMain.cpp)
    target_link_libraries(bench_search_window PRIVATE qj_store_windows)
endif()
