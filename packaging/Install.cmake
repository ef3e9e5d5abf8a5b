# The install tree: `cmake --install <build> --prefix P` gives P/bin/kelvane, P/share/kelvane/Content
# (everything the game reads), the desktop entry, the icons, the metainfo, the manual page and the
# licences. With KELVANE_GAMES_DIRS (the Debian package, debian/rules) the game goes to P/games and its
# Content to P/share/games/kelvane, where Debian keeps games. The game finds either tree's Content from
# its executable: ../share/kelvane/Content or ../share/games/kelvane/Content.
include(GNUInstallDirs)
option(KELVANE_GAMES_DIRS "Install the game into games/ and its Content into share/games/kelvane/" OFF)
if(KELVANE_GAMES_DIRS)
    set(KELVANE_INSTALL_BINDIR games)
    set(KELVANE_INSTALL_CONTENTDIR ${CMAKE_INSTALL_DATADIR}/games/kelvane/Content)
else()
    set(KELVANE_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
    set(KELVANE_INSTALL_CONTENTDIR ${CMAKE_INSTALL_DATADIR}/kelvane/Content)
endif()

# One reverse-domain id names the desktop entry, the icon and the metainfo.
set(KELVANE_APP_ID org.kelvane.Kelvane)
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvane.desktop.in ${packaging_out}/${KELVANE_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvane.metainfo.xml.in ${packaging_out}/${KELVANE_APP_ID}.metainfo.xml
    @ONLY)

install(TARGETS kelvane RUNTIME DESTINATION ${KELVANE_INSTALL_BINDIR})
# The built Content, without a developer's own configuration or an interrupted save's scratch file.
install(DIRECTORY ${KELVANE_BIN_DIR}/Content/ DESTINATION ${KELVANE_INSTALL_CONTENTDIR}
    REGEX "/Config/GameConfig\\.json$" EXCLUDE
    PATTERN "*.saving" EXCLUDE)
install(FILES ${packaging_out}/${KELVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_out}/${KELVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvane)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/DejaVu-Fonts-LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvane)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kelvane.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The Debian package. Its version is the project's, the one `kelvane --version` prints.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Kelvane developers <games@kelvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "submarine mining game")
set(CPACK_PACKAGE_DESCRIPTION
    "A single-player side-view game: a small submarine drills through generated underwater terrain,\n digs minerals, trades at supply stations and fights a boss behind two gates.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kelvane)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # kelvane_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kelvane.org/)
# Shared libraries the executable links, found by dpkg-shlibdeps; the rest are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL and libepoxy open OpenGL at run time, so no linked library pulls it in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
include(CPack)
