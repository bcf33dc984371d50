# Installing Coilrun as a desktop game (cmake --install) and packaging it for
# Debian (cpack -G DEB). The layout follows Debian's conventions for games:
#
#   games/coilrun                  the launcher, on the player's PATH
#   lib/games/coilrun/coilrun      the game binary, which reads data/ under the
#                                  current directory, so it is not on the PATH
#   share/games/coilrun/data/      the shaders and the font
#
# plus the desktop entry, the icons, the manual page, the AppStream metainfo
# and the copyright notes in their usual places. All paths are relative to the
# prefix, and the launcher finds the game relative to itself, so any prefix,
# DESTDIR staging or a moved install tree works.

set(COILRUN_INSTALL_BINDIR games)
set(COILRUN_INSTALL_LIBEXECDIR lib/games/coilrun)
set(COILRUN_INSTALL_DATADIR share/games/coilrun)
set(COILRUN_INSTALL_DOCDIR share/doc/coilrun)

# Placeholders until the project has a public home: the AppStream and desktop
# file id (reverse domain name), the web page whose docs/ folder holds the
# README's screenshots, and the package maintainer.
set(COILRUN_APP_ID org.example.coilrun CACHE STRING "AppStream id and desktop file name")
set(COILRUN_HOMEPAGE https://coilrun.example.org/ CACHE STRING "Project web page, ending in /")
set(COILRUN_MAINTAINER "Coilrun developers <coilrun@example.org>" CACHE STRING "Debian package maintainer")

# Directories made by the install are world-readable whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(COILRUN_DATA_PATHS ${COILRUN_DATA_FILES})
list(TRANSFORM COILRUN_DATA_PATHS PREPEND ${PROJECT_SOURCE_DIR}/data/)

# The launcher's paths from its own folder to the data's parent and the binary.
file(RELATIVE_PATH COILRUN_LAUNCHER_TO_DATA /prefix/${COILRUN_INSTALL_BINDIR} /prefix/${COILRUN_INSTALL_DATADIR})
file(RELATIVE_PATH COILRUN_LAUNCHER_TO_BINARY /prefix/${COILRUN_INSTALL_BINDIR}
     /prefix/${COILRUN_INSTALL_LIBEXECDIR}/coilrun)
set(COILRUN_PACKAGING_DIR ${PROJECT_BINARY_DIR}/packaging)
configure_file(packaging/coilrun.in ${COILRUN_PACKAGING_DIR}/coilrun @ONLY)
configure_file(packaging/coilrun.metainfo.xml.in ${COILRUN_PACKAGING_DIR}/${COILRUN_APP_ID}.metainfo.xml @ONLY)

# Debian ships manual pages and changelogs compressed; -n keeps the bytes the
# same from build to build.
set(COILRUN_GZIPPED)
foreach(source coilrun.6 changelog)
  set(out ${COILRUN_PACKAGING_DIR}/${source}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND sh -c "gzip -9nc < \"$1\" > \"$2\"" gzip ${PROJECT_SOURCE_DIR}/packaging/${source} ${out}
    DEPENDS packaging/${source} VERBATIM)
  list(APPEND COILRUN_GZIPPED ${out})
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${COILRUN_GZIPPED})

install(TARGETS coilrun RUNTIME DESTINATION ${COILRUN_INSTALL_LIBEXECDIR})
install(FILES ${COILRUN_DATA_PATHS} DESTINATION ${COILRUN_INSTALL_DATADIR}/data)
install(PROGRAMS ${COILRUN_PACKAGING_DIR}/coilrun DESTINATION ${COILRUN_INSTALL_BINDIR})
install(FILES packaging/coilrun.desktop DESTINATION share/applications RENAME ${COILRUN_APP_ID}.desktop)
install(FILES ${COILRUN_PACKAGING_DIR}/${COILRUN_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 48 64 128 256)
  install(FILES packaging/icons/${size}x${size}/coilrun.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${COILRUN_PACKAGING_DIR}/coilrun.6.gz DESTINATION share/man/man6)
install(FILES packaging/copyright ${COILRUN_PACKAGING_DIR}/changelog.gz data/font-LICENSE.txt
        DESTINATION ${COILRUN_INSTALL_DOCDIR})

# Regenerates the committed icons from the board's layout and the scene's colours.
add_executable(makeicon tools/makeicon.cpp)
target_link_libraries(makeicon PRIVATE coilrun_game coilrun_warnings)
set(COILRUN_ICON_COMMANDS)
foreach(size 48 64 128 256)
  list(APPEND COILRUN_ICON_COMMANDS
       COMMAND makeicon ${size} ${PROJECT_SOURCE_DIR}/packaging/icons/${size}x${size}/coilrun.png)
endforeach()
add_custom_target(icons ${COILRUN_ICON_COMMANDS} DEPENDS makeicon
                  COMMENT "Generating packaging/icons/*/coilrun.png")

# The Debian package: its run-time dependencies come from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME coilrun)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${COILRUN_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small 3-D snake game")
# CPack puts the summary first and indents the rest as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Steer a snake over a board of 30 by 20 cells with four wall brackets, seen
from a camera high above it. Eating the red food gives 100 points and one
more segment; leaving the board, hitting a wall or running into the snake's
own body ends the game.

The game needs OpenGL 3.2; Mesa's software renderer is enough.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${COILRUN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
