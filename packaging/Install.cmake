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

# Manual pages from the programs' own --help texts.
set(pages)
foreach(program korvane korvane-cli)
  set(commands)
  set(summary "tile-map editor")
  if(program STREQUAL "korvane-cli")
    set(commands "info,check,render,export,import")
    set(summary "check, render and convert Korvane maps without the editor window")
  endif()
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  add_custom_command(
    OUTPUT ${page}.gz
    # A sanitizer build's leak report at exit would fail the page for no fault of the text.
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program}
            "-DSUMMARY=${summary}" -DVERSION=${PROJECT_VERSION} "-DCOMMANDS=${commands}"
            -DOUTPUT=${page} -P ${packaging}/ManPage.cmake
    DEPENDS ${program} ${packaging}/ManPage.cmake
    COMMENT "Writing the manual page of ${program}"
    VERBATIM)
  list(APPEND pages ${page}.gz)
endforeach()
add_custom_target(korvane_man_pages ALL DEPENDS ${pages})
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "The Korvane developers")
set(CPACK_PACKAGE_CONTACT "The Korvane developers <korvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile-map editor")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvane paints tile maps from a tile sheet, with an overlay layer of objects from a small \
catalogue. korvane-cli checks, renders and converts maps for build pipelines.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The run-time libraries come from dpkg-shlibdeps, so the package asks for Qt's libraries only.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
