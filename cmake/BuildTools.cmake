# The programs the build itself runs to make files (the chime, the empty data file). A cross build
# makes programs this machine cannot run: there each one is the copy built for this machine by a
# build of the project of its own, in the folder QJ_HOST_TOOLS (./dev package --arch makes it first).
set(QJ_HOST_TOOLS "" CACHE PATH "Cross builds: folder of the build programs built for this machine")

# qj_build_tool(NAME SOURCES file... [LIBRARIES target...])
function(qj_build_tool name)
    cmake_parse_arguments(PARSE_ARGV 1 tool "" "" "SOURCES;LIBRARIES")
    if(CMAKE_CROSSCOMPILING)
        if(NOT EXISTS "${QJ_HOST_TOOLS}/${name}")
            message(FATAL_ERROR "A cross build runs ${name} built for this machine: none in QJ_HOST_TOOLS "
                "(\"${QJ_HOST_TOOLS}\"); build it in a build for this machine and name its folder")
        endif()
        add_executable(${name} IMPORTED GLOBAL)
        set_target_properties(${name} PROPERTIES IMPORTED_LOCATION "${QJ_HOST_TOOLS}/${name}")
    else()
        add_executable(${name} ${tool_SOURCES})
        target_link_libraries(${name} PRIVATE ${tool_LIBRARIES})
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools AUTOMOC OFF)
    endif()
endfunction()
