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
