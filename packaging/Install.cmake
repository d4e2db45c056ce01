# What `cmake --install` puts where, and the Debian package made from it (`cpack -G DEB`).
include(GNUInstallDirs)

set(KORVANE_APP_ID org.korvane.Korvane)
# AppStream wants the screenshot as a web address; set it to where the project publishes
# docs/screenshot.png.
set(KORVANE_SCREENSHOT_URL "https://korvane.org/screenshots/main-window.png"
    CACHE STRING "Web address of the main-window screenshot named in the AppStream metainfo")
set(KORVANE_RELEASE_DATE 2026-12-06)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS korvane korvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The demo map and the catalogue a user's own starts from (<bin>/../share/korvane).
install(FILES ${PROJECT_SOURCE_DIR}/examples/demo.map ${PROJECT_SOURCE_DIR}/examples/Overlay.dat
        DESTINATION ${CMAKE_INSTALL_DATADIR}/korvane)

install(FILES ${packaging}/${KORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${KORVANE_APP_ID}.mime.xml RENAME ${KORVANE_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${packaging}/icons/korvane.svg RENAME ${KORVANE_APP_ID}.svg
        DESTINATION ${icons}/scalable/apps)
foreach(size 48 256)
  install(FILES ${packaging}/icons/korvane-${size}.png RENAME ${KORVANE_APP_ID}.png
          DESTINATION ${icons}/${size}x${size}/apps)
endforeach()

configure_file(${packaging}/${KORVANE_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${KORVANE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${KORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Packaged documents are compressed as Debian wants them: gzip -9, without a name or a time
# stamp, so that the same text always gives the same bytes.
find_program(KORVANE_GZIP gzip REQUIRED)
function(korvane_gzip source output)
  get_filename_component(plain ${output} NAME_WLE)
  get_filename_component(folder ${output} DIRECTORY)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${folder}/${plain}
    COMMAND ${KORVANE_GZIP} -9nf ${folder}/${plain}
    DEPENDS ${source}
    VERBATIM)
endfunction()

# The manual pages, with the version and the release date filled in.
set(pages)
foreach(program korvane korvane-cli)
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  configure_file(${packaging}/${program}.1.in ${page}.in @ONLY)
  korvane_gzip(${page}.in ${page}.gz)
  list(APPEND pages ${page}.gz)
endforeach()
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The licence in Debian's machine-readable copyright format, made from LICENSE so that the two
# never differ; the release notes as the upstream changelog; and the packaging's own changelog,
# since the package is a Debian revision of the release.
set(KORVANE_CONTACT "The Korvane developers <korvane@example.org>")
set(KORVANE_DEBIAN_REVISION 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE
                                                               ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${licence}")
set(KORVANE_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${licence}" "Permission is hereby granted" terms_start)
string(SUBSTRING "${licence}" ${terms_start} -1 terms)
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " KORVANE_LICENCE_TERMS "${terms}")
set(doc ${PROJECT_BINARY_DIR}/doc)
configure_file(${packaging}/copyright.in ${doc}/copyright @ONLY)

# A version bump must come with its release notes and a packaging entry.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md notes REGEX "^## \\[${PROJECT_VERSION}\\] - ")
if(NOT notes STREQUAL "## [${PROJECT_VERSION}] - ${KORVANE_RELEASE_DATE}")
  message(FATAL_ERROR
          "CHANGELOG.md has no entry \"## [${PROJECT_VERSION}] - ${KORVANE_RELEASE_DATE}\"")
endif()
set(debian_changelog ${PROJECT_BINARY_DIR}/packaging/changelog.Debian)
configure_file(${packaging}/changelog.Debian.in ${debian_changelog} @ONLY)
file(STRINGS ${debian_changelog} packaged LIMIT_COUNT 1)
if(NOT packaged MATCHES "^korvane \\(${PROJECT_VERSION}-${KORVANE_DEBIAN_REVISION}\\) ")
  message(FATAL_ERROR "packaging/changelog.Debian.in does not begin with version "
                      "${PROJECT_VERSION}-${KORVANE_DEBIAN_REVISION}")
endif()
korvane_gzip(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${doc}/changelog.gz)
korvane_gzip(${debian_changelog} ${doc}/changelog.Debian.gz)
add_custom_target(korvane_documents ALL DEPENDS ${pages} ${doc}/changelog.gz
                                                ${doc}/changelog.Debian.gz)
install(FILES ${doc}/copyright ${doc}/changelog.gz ${doc}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/korvane)
install(FILES ${packaging}/lintian-overrides RENAME korvane
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "The Korvane developers")
set(CPACK_PACKAGE_CONTACT "${KORVANE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KORVANE_DEBIAN_REVISION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile-map editor")
# Debian shows the description as it is: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Korvane paints tile maps from a tile sheet, cell by cell, as a dragged\n\
rectangle, as a block or over the whole map, with an overlay layer of objects\n\
from a small catalogue and a resource value for each of two players.\n\
korvane-cli checks, renders and converts maps for build pipelines.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The run-time libraries come from dpkg-shlibdeps, so the package asks for Qt's libraries only.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
