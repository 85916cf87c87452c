# The Windows zip's contents (scripts/windows.sh installs them into a folder and zips it): the
# program beside everything it reads (the music's tunes too), the DLLs it needs, Readme.html and
# the licences. The C++ runtime is inside the program; scripts/windows.sh adds any other DLL the
# programs import.
install(TARGETS tarvelle tarvelle-editor RUNTIME DESTINATION .)
install(FILES ${TARVELLE_OUT}/LevelsFree.dat ${TARVELLE_OUT}/TvFree.dat ${TARVELLE_OUT}/DemoFree.dat
        ${TARVELLE_OUT}/Readme.html DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/data/files/Music ${CMAKE_SOURCE_DIR}/src/data/files/readme
        DESTINATION .)
# The pre-rendered tunes, beside the pieces they play (cmake/Windows.cmake).
if(TARVELLE_TUNES)
  install(FILES ${TARVELLE_TUNES} DESTINATION Music)
endif()
install(FILES $<TARGET_FILE:SDL2::SDL2> $<TARGET_FILE:SDL2_ttf::SDL2_ttf> DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION . RENAME COPYRIGHT.txt)

# The launcher's font: Liberation Sans from Debian's fonts-liberation2, with its licence (the
# SIL Open Font License, in the package's copyright file). Windows has no fontconfig.
install(FILES ${TARVELLE_OUT}/fonts/LiberationSans-Regular.ttf
        ${TARVELLE_OUT}/fonts/LiberationSans-Bold.ttf DESTINATION fonts)
install(FILES /usr/share/doc/fonts-liberation2/copyright DESTINATION fonts RENAME LICENSE.txt)
