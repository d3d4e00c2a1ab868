# The Debian package, made by `./dev package` (cpack -G DEB in the build folder): what
# `cmake --install` puts under /usr, with Depends worked out from the programs' shared libraries
# by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qingjian)
set(CPACK_PACKAGE_VERSION ${QJ_FILE_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "青简札记 developers <qingjian@example.org>")
set(CPACK_PACKAGE_VENDOR "青简札记 project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "notebook with a lunar calendar and Liu Yao charts")
# The extended description, each line indented by CPack (an empty line becomes " ."); the synopsis
# is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "青简札记 (Qingjian) keeps text notes in categories, each a tree of titled
notes in one SQLite data file, for Chinese-speaking users.

Around the notebook it offers a perpetual lunar calendar for 1901-2050
(solar terms, festivals, four pillars, almanac), a Liu Yao chart maker
whose reading reports are filed as notes, a search across all categories,
backups, import and export, printing and a timed alert. qingjian-cli gives
the calendar, the charts and a read-only view of the notebook to scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A cross build's package is for the machine it was built for, named as Debian names it (arm64
# for aarch64-linux-gnu); dpkg-shlibdeps then reads that machine's libraries (Debian multiarch).
if(CMAKE_CROSSCOMPILING)
    execute_process(COMMAND dpkg-architecture -t${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
        OUTPUT_VARIABLE QJ_DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${QJ_DEB_ARCH})
endif()
# A Chinese face is needed to read anything at all: one of those Debian ships, beside the libraries
# dpkg-shlibdeps finds. Qt's Chinese texts for its own dialogs, and xdg-open for the links in notes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk | fonts-arphic-gbsn00lp | fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
