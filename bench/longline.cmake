# Address finding and HTML export of 5 MB lines without blanks.
if(TARGET qj_store)
    qj_add_bench(bench_long_line ${CMAKE_CURRENT_LIST_DIR}/LongLineBench.cpp)
    target_link_libraries(bench_long_line PRIVATE qj_store qj_text)
endif()
