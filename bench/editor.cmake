# The note editor on a 1 MB note as the main window shows it: loading with the wrap at 80,
# scrolling, re-flowing all of it.
if(TARGET qj_editor AND TARGET qj_notebook)
    qj_add_bench(bench_editor ${CMAKE_CURRENT_LIST_DIR}/EditorBench.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WidgetBenchMain.cpp)
    target_link_libraries(bench_editor PRIVATE qj_notebook qj_editor qj_store Qt6::Widgets)
endif()
