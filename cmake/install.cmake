# Install rules and the Debian package. An installed Tonvask is the
# program, its launcher, a pristine demo folder to copy from, the README,
# a desktop entry and an icon. The installed folders are read-only for the
# user, so the desktop entry starts the launcher, which gives each user a
# working folder of their own (see demo/tonvask-launch).

install(TARGETS tonvask RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS demo/tonvask-launch DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_BINARY_DIR}/demo-dist/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tonvask/demo)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(EXISTS ${PROJECT_SOURCE_DIR}/docs/screenshot.png)  # the README's picture
    install(FILES docs/screenshot.png DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
endif()
install(FILES demo/tonvask.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES demo/tonvask.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tonvask)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tonvask developers")
set(CPACK_PACKAGE_CONTACT "The Tonvask developers <tonvask@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small interactive note player for the home-row keys")
set(CPACK_PACKAGE_DESCRIPTION
    "Tonvask plays notes on the nine home-row keys, as WAV samples through OpenAL or as fixed tones, and manages libraries of samples in a small window. Demo libraries are included.")
# The package installs where `cmake --install` would, so the manual's
# address that the About panel shows holds for both; configure with
# -DCMAKE_INSTALL_PREFIX=/usr for a package under /usr.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The shared libraries the program links (GLUT, GL, GLU, OpenAL, ALUT and
# the C++ runtime) become Depends through dpkg-shlibdeps; the launcher
# needs only the POSIX shell and coreutils, which every system has.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
