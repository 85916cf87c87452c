# Installing: the program and the files it looks up beside itself go to one folder under the
# library directory; a link in the bin directory starts it, and the desktop file and icons go
# where desktops look for them.
include(GNUInstallDirs)
set(TARVELLE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/tarvelle)

install(TARGETS tarvelle RUNTIME DESTINATION ${TARVELLE_INSTALL_DIR})
install(FILES ${TARVELLE_OUT}/LevelsFree.dat ${TARVELLE_OUT}/DemoFree.dat ${TARVELLE_OUT}/TvFree.dat
        DESTINATION ${TARVELLE_INSTALL_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/data/files/Music DESTINATION ${TARVELLE_INSTALL_DIR})
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
    ../${TARVELLE_INSTALL_DIR}/tarvelle
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tarvelle\")")

install(FILES ${CMAKE_SOURCE_DIR}/dist/tarvelle.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/src/data/icons/${size}x${size}/tarvelle.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/src/data/icons/scalable/tarvelle.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
