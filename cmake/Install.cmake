# What `cmake --install BUILD --prefix P` puts where, and the files made for it at build time:
#   P/bin/qingjian, P/bin/qingjian-cli
#   P/share/qingjian/            the empty data file an installed copy starts from, the guide
#                                readme.txt, the alarm sound Alerting.wav and the holiday
#                                arrangements holidays.txt
#   P/share/applications/, P/share/metainfo/, P/share/icons/hicolor/…/apps/   desktop integration
#   P/share/doc/qingjian/, P/share/man/man1/                               documents and manuals
# An installed copy keeps each user's data in ~/.local/share/qingjian (src/seams/DataFolder.h).
include(GNUInstallDirs)

set(QJ_DESKTOP_ID io.github.qingjian.Qingjian)
# Debian keeps a package's documents under its own name.
set(QJ_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/qingjian)
set(QJ_STAGE ${CMAKE_BINARY_DIR}/installed)

install(TARGETS qingjian qingjian-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (the package's) also drops the compiler's and linker's notes, as Debian's own
# packaging does: they tell a user nothing.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program qingjian qingjian-cli)
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
                RESULT_VARIABLE failed)
            if(failed)
                message(FATAL_ERROR \"objcopy could not strip \${program}\")
            endif()
        endforeach()
    endif()
")

# The empty data file, made apart from build/bin/dataly.dat (which is the developer's own notebook).
add_custom_command(OUTPUT ${QJ_STAGE}/dataly.dat
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QJ_STAGE}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${QJ_STAGE}/dataly.dat
    COMMAND qj_make_data_file ${QJ_STAGE}/dataly.dat
    DEPENDS qj_make_data_file
    COMMENT "Empty data file for installed copies")
set(QJ_STAGED_FILES ${QJ_STAGE}/dataly.dat)

# The application icon in every size the hicolor theme lists, drawn from our SVG sources: a simpler
# drawing for the small sizes, and one on the pixel grid of each of 22 and 24 pixels (a drawing
# scaled to them blurs its strokes).
find_program(QJ_RSVG_CONVERT rsvg-convert REQUIRED) # Debian package librsvg2-bin
set(QJ_ICON_SOURCES ${CMAKE_SOURCE_DIR}/resources/icons/src)
foreach(size 16 22 24 32 48 64 128 256)
    if(size EQUAL 22 OR size EQUAL 24)
        set(source ${QJ_ICON_SOURCES}/qingjian-${size}.svg)
    elseif(size LESS 32)
        set(source ${QJ_ICON_SOURCES}/qingjian-small.svg)
    elseif(size EQUAL 32)
        set(source ${QJ_ICON_SOURCES}/qingjian-medium.svg)
    else()
        set(source ${QJ_ICON_SOURCES}/qingjian.svg)
    endif()
    set(png ${QJ_STAGE}/icons/${size}x${size}/${QJ_DESKTOP_ID}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QJ_STAGE}/icons/${size}x${size}
        COMMAND ${QJ_RSVG_CONVERT} -w ${size} -h ${size} ${source} -o ${png}
        DEPENDS ${source}
        COMMENT "Application icon ${size}x${size}")
    list(APPEND QJ_STAGED_FILES ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian's changelog and the manuals, compressed as Debian wants them (no name or time stamp
# inside, so the package builds the same twice).
foreach(page qingjian.1 qingjian-cli.1 changelog)
    add_custom_command(OUTPUT ${QJ_STAGE}/${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QJ_STAGE}
        COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/${page} > ${QJ_STAGE}/${page}.gz
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${page}
        COMMENT "Compressing ${page}")
    list(APPEND QJ_STAGED_FILES ${QJ_STAGE}/${page}.gz)
endforeach()
add_custom_target(qj_installed_files ALL DEPENDS ${QJ_STAGED_FILES})

set(QJ_SHARE ${CMAKE_INSTALL_DATADIR}/qingjian)
install(FILES ${QJ_STAGE}/dataly.dat ${CMAKE_SOURCE_DIR}/resources/readme.txt ${QJ_BIN_DIR}/Alerting.wav
    ${CMAKE_SOURCE_DIR}/resources/holidays.txt
    DESTINATION ${QJ_SHARE})
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/${QJ_DESKTOP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/${QJ_DESKTOP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QJ_ICON_SOURCES}/qingjian.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QJ_DESKTOP_ID}.svg)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/packaging/copyright ${QJ_STAGE}/changelog.gz
    DESTINATION ${QJ_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${QJ_DOCDIR}/docs FILES_MATCHING PATTERN "*.png")
install(FILES ${QJ_STAGE}/qingjian.1.gz ${QJ_STAGE}/qingjian-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
