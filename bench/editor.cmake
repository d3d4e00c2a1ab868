# The note editor on a 1 MB note: loading with the wrap at 80, scrolling, re-flowing all of it.
if(TARGET qj_editor)
    qj_add_bench(bench_editor ${CMAKE_CURRENT_LIST_DIR}/EditorBench.cpp)
    target_link_libraries(bench_editor PRIVATE qj_editor Qt6::Widgets)
endif()
