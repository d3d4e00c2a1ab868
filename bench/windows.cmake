# The program's windows offscreen: the main window's start-up on a 500 MB data file, the first show
# of every other window, the calendar's steps, the divination window's recast, a search.
if(TARGET qj_mainwindow)
    add_library(qj_bench_program STATIC ${CMAKE_CURRENT_LIST_DIR}/BenchProgram.cpp)
    target_link_libraries(qj_bench_program PUBLIC qj_mainwindow qj_bench_tree_shapes)
    target_compile_definitions(qj_bench_program PRIVATE QJ_BENCH_PROGRAM_FILES="$<TARGET_FILE_DIR:qingjian>")
    qj_add_bench(bench_main_window ${CMAKE_CURRENT_LIST_DIR}/MainWindowBench.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WidgetBenchMain.cpp)
    target_link_libraries(bench_main_window PRIVATE qj_bench_program)
    qj_add_bench(bench_windows ${CMAKE_CURRENT_LIST_DIR}/WindowsBench.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WidgetBenchMain.cpp)
    target_link_libraries(bench_windows PRIVATE qj_bench_program)
    foreach(b bench_main_window bench_windows)
        add_dependencies(${b} qingjian)
    endforeach()
endif()
