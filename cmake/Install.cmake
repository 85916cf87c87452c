# Installing as Debian's games do: the program in games/, everything it reads that is the same
# on every machine (levels, picture pack, music, demos, Readme.html) in share/games/tarvelle,
# and the desktop entry, metainfo, icons and man page where desktops and man look for them.
# TARVELLE_BIN_DIR and TARVELLE_DATA_DIR are set in the top CMakeLists.txt.

install(TARGETS tarvelle tarvelle-editor RUNTIME DESTINATION ${TARVELLE_BIN_DIR})
install(FILES ${TARVELLE_OUT}/LevelsFree.dat ${TARVELLE_OUT}/TvFree.dat ${TARVELLE_OUT}/Readme.html
        DESTINATION ${TARVELLE_DATA_DIR})
install(FILES ${TARVELLE_OUT}/DemoFree.dat DESTINATION ${TARVELLE_DATA_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/data/files/Music ${CMAKE_SOURCE_DIR}/src/data/files/readme
        DESTINATION ${TARVELLE_DATA_DIR})

install(FILES ${CMAKE_SOURCE_DIR}/dist/org.example.tarvelle.desktop
        ${CMAKE_SOURCE_DIR}/dist/org.example.tarvelle.editor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/org.example.tarvelle.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/src/data/icons/${size}x${size}/tarvelle.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/src/data/icons/scalable/tarvelle.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The man page and the package's documents, compressed as Debian wants them.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(TARVELLE_DOC_OUT ${CMAKE_BINARY_DIR}/dist)
# The man page's header names the version.
configure_file(${CMAKE_SOURCE_DIR}/dist/tarvelle.6 ${TARVELLE_DOC_OUT}/tarvelle.6 @ONLY)
add_custom_command(OUTPUT ${TARVELLE_DOC_OUT}/tarvelle.6.gz ${TARVELLE_DOC_OUT}/changelog.gz
  ${TARVELLE_DOC_OUT}/tarvelle-editor.6.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVELLE_DOC_OUT}
  COMMAND ${GZIP_PROGRAM} -9n -c ${TARVELLE_DOC_OUT}/tarvelle.6 > ${TARVELLE_DOC_OUT}/tarvelle.6.gz
  COMMAND ${GZIP_PROGRAM} -9n -c ${CMAKE_SOURCE_DIR}/dist/tarvelle-editor.6 >
    ${TARVELLE_DOC_OUT}/tarvelle-editor.6.gz
  COMMAND ${GZIP_PROGRAM} -9n -c ${CMAKE_SOURCE_DIR}/dist/changelog > ${TARVELLE_DOC_OUT}/changelog.gz
  DEPENDS ${TARVELLE_DOC_OUT}/tarvelle.6 ${CMAKE_SOURCE_DIR}/dist/tarvelle-editor.6
  ${CMAKE_SOURCE_DIR}/dist/changelog)
add_custom_target(tarvelle_docs ALL DEPENDS ${TARVELLE_DOC_OUT}/tarvelle.6.gz
  ${TARVELLE_DOC_OUT}/tarvelle-editor.6.gz ${TARVELLE_DOC_OUT}/changelog.gz)
install(FILES ${TARVELLE_DOC_OUT}/tarvelle.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The editor's page is the game's, which has a section of its own for it.
install(FILES ${TARVELLE_DOC_OUT}/tarvelle-editor.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright ${TARVELLE_DOC_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvelle)

# The Debian package: `cpack -G DEB` in the build folder (built with CMAKE_INSTALL_PREFIX=/usr).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tarvelle support <support@tarvelle.example.org>")
set(CPACK_PACKAGE_VENDOR Morvane)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dragon hopping arcade game on a pond of lily pads")
set(CPACK_PACKAGE_DESCRIPTION
  "A little dragon hops from pad to pad across a pond. Lily pads grow and
sink, stepped pads wear away, and three kinds of monster hop about.
Eat food to keep up your energy and catch the diamond before the
countdown ends to finish each of the fifteen levels.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarvelle.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Used without linking: the synthesizer is loaded at run time, the soundfont and the font are
# files it reads, xdg-open opens the launcher's links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libfluidsynth3, timgm6mb-soundfont | fluid-soundfont-gm, fonts-liberation2, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
