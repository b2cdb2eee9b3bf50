# Installing the game like a desktop game, and its Debian package.
#
#   cmake --install build                 the program, its menu entry, icons and papers
#   cd build && cpack -G DEB              durak_<version>_<arch>.deb
#
# The program needs no file at run time (the card pictures are built into it); what
# is installed besides it is for the desktop and the system: the menu entry that
# starts it, the icon the menu, the dock and the window switcher show, the software
# centre's description, the manual page, the changelog and the license.

include(GNUInstallDirs)

# Debian keeps games apart from other programs, in /usr/games.
set(DURAK_INSTALL_GAMESDIR games CACHE STRING
    "Folder under the install prefix that the program goes into")
install(TARGETS durak RUNTIME DESTINATION ${DURAK_INSTALL_GAMESDIR})

# A stripped install (cpack, or cmake --install --strip) also drops the compiler's
# notes, which nothing reads at run time.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    set(program \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${DURAK_INSTALL_GAMESDIR}/$<TARGET_FILE_NAME:durak>\")
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                            \"\${program}\" RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR \"could not strip \${program}\")
    endif()
  endif()")

# The menu entry starts the program by its full path, which is known only once the
# prefix is: cpack installs under /usr, cmake --install wherever it is told.
set(DURAK_DESKTOP_FILE ${PROJECT_BINARY_DIR}/packaging/durak.desktop)
install(CODE "
  set(DURAK_EXEC \"\${CMAKE_INSTALL_PREFIX}/${DURAK_INSTALL_GAMESDIR}/$<TARGET_FILE_NAME:durak>\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/durak.desktop.in\" \"${DURAK_DESKTOP_FILE}\" @ONLY)")
install(FILES ${DURAK_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# What software centres list: the game's name, summary, description and screenshot.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.example.durak.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon is the one the window carries: an ace of spades fanned over a back. The
# scalable one is drawn by hand; the PNG sizes are rendered from it next to the card
# pictures.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/durak.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(DURAK_ICON_DIR ${PROJECT_BINARY_DIR}/assets/pictures)
foreach(side 64 128 256)
  install(FILES ${DURAK_ICON_DIR}/durak-${side}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps
          RENAME durak.png)
endforeach()
# Menus that know no icon theme look here.
install(FILES ${DURAK_ICON_DIR}/durak-64.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/pixmaps
        RENAME durak.png)

# The manual page and the changelog, compressed as Debian keeps them (gzip at its
# best, without a time stamp, so the same sources give the same package).
find_program(DURAK_GZIP gzip REQUIRED)
set(DURAK_MANPAGE ${PROJECT_BINARY_DIR}/packaging/durak.6.gz)
set(DURAK_CHANGELOG ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${DURAK_MANPAGE} ${DURAK_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND ${DURAK_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/durak.6 > ${DURAK_MANPAGE}
  COMMAND ${DURAK_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${DURAK_CHANGELOG}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/durak.6 ${PROJECT_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(durak_papers ALL DEPENDS ${DURAK_MANPAGE} ${DURAK_CHANGELOG})
add_dependencies(durak durak_papers)
install(FILES ${DURAK_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${DURAK_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The license of the game and of the card pictures, in Debian's machine-readable form.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# ---------------------------------------------------------------------------------
# The Debian package. Its dependencies are read off the program's libraries
# (dpkg-shlibdeps), plus the font the window's text is drawn in.
set(CPACK_PACKAGE_NAME durak)
set(CPACK_PACKAGE_VENDOR "Карты/Дурак team")
set(CPACK_PACKAGE_CONTACT "Карты/Дурак team <durak@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Russian card game Durak against the computer")
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
