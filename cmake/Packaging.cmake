# What an installation holds beyond the programs, the sound library and the sounds: the desktop
# entry, icons, AppStream metadata, manual pages and the package's documents; and the Debian
# package itself (`cpack -G DEB`, or `make package` from the top folder).

set(ZORVAN_HOMEPAGE "https://zorvan.example.org" CACHE STRING
    "The game's home page, named in the package and in its AppStream metadata")
set(ZORVAN_SCREENSHOT_URL "${ZORVAN_HOMEPAGE}/screenshot.png" CACHE STRING
    "Where docs/screenshot.png is published, for the AppStream metadata")
set(ZORVAN_SCREENSHOT_EN_URL "${ZORVAN_HOMEPAGE}/screenshot-en.png" CACHE STRING
    "Where docs/screenshot-en.png is published, for the AppStream metadata")
set(ZORVAN_MAINTAINER "ZORVAN developers <zorvan@example.org>" CACHE STRING
    "The package's maintainer")
set(ZORVAN_APPSTREAM_ID "org.example.zorvan" CACHE STRING "The game's AppStream component id")
# The date of this version, for the AppStream release and the package's changelog.
set(ZORVAN_RELEASE_DATE "2026-12-08")
set(ZORVAN_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 12:00:00 +0000")

set(ZORVAN_DATA_OUT ${CMAKE_BINARY_DIR}/data)
file(MAKE_DIRECTORY ${ZORVAN_DATA_OUT})

# Desktop entry and icons: the drawing itself, and pictures of the usual sizes made from it.
install(FILES ${CMAKE_SOURCE_DIR}/data/zorvan.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/zorvan.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icons)
  foreach(size 16 24 32 48 64 128 256)
    set(png ${ZORVAN_DATA_OUT}/icons/${size}x${size}/zorvan.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ZORVAN_DATA_OUT}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png}
              ${CMAKE_SOURCE_DIR}/data/zorvan.svg
      DEPENDS ${CMAKE_SOURCE_DIR}/data/zorvan.svg
      COMMENT "Drawing the ${size}×${size} icon"
      VERBATIM)
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    list(APPEND icons ${png})
  endforeach()
  add_custom_target(zorvan-icons ALL DEPENDS ${icons})
else()
  message(WARNING "rsvg-convert (librsvg2-bin) not found: only the scalable icon is installed")
endif()

# AppStream metadata: what software centres show of the game.
configure_file(${CMAKE_SOURCE_DIR}/data/zorvan.metainfo.xml.in
               ${ZORVAN_DATA_OUT}/${ZORVAN_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${ZORVAN_DATA_OUT}/${ZORVAN_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages, written in scdoc and installed compressed.
find_program(SCDOC scdoc)
if(SCDOC)
  # The pages carry the version's date, not the day they were made.
  string(TIMESTAMP now "%s" UTC)
  execute_process(COMMAND date -u -d "${ZORVAN_RELEASE_DATE}" +%s
                  OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT release_epoch)
    set(release_epoch ${now})
  endif()
  set(pages)
  foreach(page zorvan.6 zorvan-cli.6)
    set(out ${ZORVAN_DATA_OUT}/man/${page}.gz)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ZORVAN_DATA_OUT}/man
      COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_epoch}
              sh -c "'${SCDOC}' < '${CMAKE_SOURCE_DIR}/data/man/${page}.scd' | gzip -9n > '${out}'"
      DEPENDS ${CMAKE_SOURCE_DIR}/data/man/${page}.scd
      COMMENT "Writing the manual page ${page}"
      VERBATIM)
    install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    list(APPEND pages ${out})
  endforeach()
  add_custom_target(zorvan-manual ALL DEPENDS ${pages})
else()
  message(WARNING "scdoc not found: the manual pages are not made")
endif()

# The package's documents: the copyright file and the changelog, compressed as Debian wants.
configure_file(${CMAKE_SOURCE_DIR}/data/changelog.in ${ZORVAN_DATA_OUT}/changelog @ONLY)
add_custom_command(
  OUTPUT ${ZORVAN_DATA_OUT}/changelog.gz
  COMMAND sh -c "gzip -9n < '${ZORVAN_DATA_OUT}/changelog' > '${ZORVAN_DATA_OUT}/changelog.gz'"
  DEPENDS ${ZORVAN_DATA_OUT}/changelog
  VERBATIM)
add_custom_target(zorvan-changelog ALL DEPENDS ${ZORVAN_DATA_OUT}/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright ${ZORVAN_DATA_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package. Its run-time dependencies are what dpkg-shlibdeps finds the programs and
# the sound library need, and the Japanese font.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ZORVAN_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Named as Debian names packages: zorvan_<version>_<architecture>.deb.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE deb_arch
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(deb_arch)
  set(ZORVAN_DEB_FILE zorvan_${PROJECT_VERSION}_${deb_arch}.deb)
  set(CPACK_DEBIAN_FILE_NAME ${ZORVAN_DEB_FILE})
else()
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
endif()
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZORVAN_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZORVAN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-noto-cjk)
# Qt's own translations give the message boxes' buttons their Japanese captions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "board game of a shogi army against a chess army
ZORVAN is played on one 9×9 board: the shogi army moves, promotes and drops
its pieces as in shogi; the chess army moves as in chess, with the double
step, en passant, castling and pawn promotion. Captured pieces go to the
captor's hand, and capturing the opposing king wins.
.
Two persons play at one mouse, or a person plays against the computer.
Games can be saved to record files and stepped through move by move.
The package also holds zorvan-cli, the game's rules and computer player
from the command line.")
include(CPack)

# The metadata as software centres and desktops read it.
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  add_test(NAME data_metainfo_valid
           COMMAND ${APPSTREAMCLI} validate --no-net --pedantic
                   ${ZORVAN_DATA_OUT}/${ZORVAN_APPSTREAM_ID}.metainfo.xml)
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  add_test(NAME data_desktop_entry_valid
           COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/data/zorvan.desktop)
endif()
