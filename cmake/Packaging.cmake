# Installing the game like a desktop game, and its Debian package.
#
#   cmake --install build                 the program, its menu entry and its icons
#   cd build && cpack -G DEB              durak_<version>_<arch>.deb
#
# The program needs no file at run time (the card pictures are built into it); what
# is installed besides it is for the desktop: the menu entry that starts it and the
# icon the menu, the dock and the window switcher show.

include(GNUInstallDirs)

install(TARGETS durak RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/packaging/durak.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icon is the one the window carries: an ace of spades fanned over a back, drawn by
# the card picture generator at three sizes next to the card pictures.
set(DURAK_ICON_DIR ${PROJECT_BINARY_DIR}/assets/pictures)
foreach(side 64 128 256)
  install(FILES ${DURAK_ICON_DIR}/durak-${side}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps
          RENAME durak.png)
endforeach()
# Where the card pictures come from and under which license.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Menus that know no icon theme look here.
install(FILES ${DURAK_ICON_DIR}/durak-64.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/pixmaps
        RENAME durak.png)

# ---------------------------------------------------------------------------------
# The Debian package. Its dependencies are read off the program's libraries
# (dpkg-shlibdeps), plus the font the window's text is drawn in.
set(CPACK_PACKAGE_NAME durak)
set(CPACK_PACKAGE_VENDOR "Карты/Дурак team")
set(CPACK_PACKAGE_CONTACT "Карты/Дурак team <durak@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Durak, the card game, against the computer")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY durak)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Карты/Дурак team <durak@example.org>")
# The summary above is the package's first line; this is the text under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Карты/Дурак is the shedding card game Durak for one person, played with a
36-card deck and one trump suit. You play the bottom seat against the computer,
or let two computers play each other and watch, at one of three paces. Every
move is a click on a card; short Russian messages tell what happened. Nothing
is saved.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")

include(CPack)
