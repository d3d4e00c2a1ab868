qj_add_bench(encoding_bench ${CMAKE_CURRENT_SOURCE_DIR}/EncodingBench.cpp
    ${CMAKE_SOURCE_DIR}/tests/common/HanziSample.cpp)
set_target_properties(encoding_bench PROPERTIES AUTOMOC OFF)
target_include_directories(encoding_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
target_link_libraries(encoding_bench PRIVATE qj_common)
