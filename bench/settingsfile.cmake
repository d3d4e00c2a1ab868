# Reading and writing a 3 MB settings file.
if(TARGET qj_shell)
    qj_add_bench(bench_settings_file ${CMAKE_CURRENT_LIST_DIR}/SettingsFileBench.cpp)
    target_link_libraries(bench_settings_file PRIVATE qj_shell)
endif()
