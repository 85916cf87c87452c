# The Windows build, cross-compiled with cmake/MinGW.cmake (scripts/windows.sh sets it up):
# SDL2 and SDL2_ttf as DLLs, libjpeg and freetype inside them, no fontconfig, and the music from
# pre-rendered Ogg Vorbis tunes (no MIDI synthesizer).
enable_language(RC)
find_package(SDL2 CONFIG REQUIRED)
find_package(SDL2_ttf CONFIG REQUIRED)
find_package(JPEG REQUIRED)
target_link_libraries(tarvelle_system INTERFACE SDL2::SDL2 SDL2_ttf::SDL2_ttf JPEG::JPEG winhttp)
# The stb headers (libstb-dev) are plain portable C: the cross build reads them from Debian's
# folder through a link of its own (the rest of /usr/include is Linux's).
set(TARVELLE_HOST_INCLUDE ${CMAKE_BINARY_DIR}/host-include)
if(NOT EXISTS /usr/include/stb/stb_image.h)
  message(FATAL_ERROR "The stb headers are missing: apt-get install libstb-dev")
endif()
file(MAKE_DIRECTORY ${TARVELLE_HOST_INCLUDE})
file(CREATE_LINK /usr/include/stb ${TARVELLE_HOST_INCLUDE}/stb SYMBOLIC)
target_include_directories(tarvelle_system SYSTEM INTERFACE ${TARVELLE_HOST_INCLUDE})

# The version as Windows writes it, four numbers (1.01 is 1.1.0.0): in the programs' version
# information and in the manifest they all carry.
string(REGEX MATCHALL "[0-9]+" numbers "${PROJECT_VERSION}.0.0.0")
list(SUBLIST numbers 0 4 numbers)
set(TARVELLE_VERSION_NUMBERS)
foreach(n ${numbers})
  math(EXPR n "${n}")
  list(APPEND TARVELLE_VERSION_NUMBERS ${n})
endforeach()
string(REPLACE ";" "," TARVELLE_VERSION_COMMAS "${TARVELLE_VERSION_NUMBERS}")
string(REPLACE ";" "." TARVELLE_VERSION_DOTS "${TARVELLE_VERSION_NUMBERS}")
set(TARVELLE_MANIFEST ${CMAKE_BINARY_DIR}/tarvelle.manifest)
configure_file(${CMAKE_SOURCE_DIR}/cmake/tarvelle.manifest ${TARVELLE_MANIFEST} @ONLY)

# Every program has its own main() but the game, which starts through SDL2main (it hands
# main() the command line in UTF-8).
add_compile_definitions(SDL_MAIN_HANDLED)
# The compiler's runtime (libgcc, libstdc++, winpthreads) goes inside each program; the DLLs
# are linked by their full paths, so -static leaves them DLLs. Files and the standard streams
# are opened as bytes (binmode.o), as on Linux, never with "\r\n" line ends.
add_link_options(-static)
link_libraries(/usr/${TARVELLE_MINGW}/lib/binmode.o)

# The music: each Music/NAME.mid played from its tune NAME.ogg, rendered beforehand from it
# (scripts/render-music.sh) into TARVELLE_MUSIC_DIR; the tunes sit beside the pieces.
option(TARVELLE_OGG_MUSIC "Music from the pre-rendered Ogg Vorbis tunes (no MIDI synthesizer)" ON)
set(TARVELLE_MUSIC_DIR "" CACHE PATH "The folder of the pre-rendered tunes (NAME.ogg)")
set(TARVELLE_TUNES)
if(TARVELLE_OGG_MUSIC)
  file(GLOB pieces ${CMAKE_SOURCE_DIR}/src/data/files/Music/*.mid)
  foreach(piece ${pieces})
    get_filename_component(name ${piece} NAME_WE)
    if(NOT EXISTS ${TARVELLE_MUSIC_DIR}/${name}.ogg)
      message(FATAL_ERROR "The tune ${name}.ogg is missing from TARVELLE_MUSIC_DIR "
        "(\"${TARVELLE_MUSIC_DIR}\"): bash scripts/render-music.sh FOLDER makes it")
    endif()
    list(APPEND TARVELLE_TUNES ${TARVELLE_MUSIC_DIR}/${name}.ogg)
  endforeach()
endif()

# The files the Windows build leaves out (regular expressions, added to var): Linux's platform
# files, whose Windows flavours end in _windows, and the music's that it does not play.
function(tarvelle_windows_leave_out var)
  set(s ${${var}})
  list(APPEND s
    "/platform/(atomic_file|paths|open_url|font_file|quiet_audio|process_env|child_process|shared_library|limited_run|http_transfer)\\.cpp$"
    "/platform/user_registry\\.cpp$" "/platform/web|/media/jpeg_none\\.cpp$")
  if(TARVELLE_OGG_MUSIC)
    list(APPEND s "/media/midi_synth(_windows)?\\.cpp$")
  else()
    message(STATUS "TARVELLE_OGG_MUSIC is off: the game plays without music")
    list(APPEND s "/media/(midi_synth|midi_synth_ogg|ogg_decode)\\.cpp$")
  endif()
  set(${var} ${s} PARENT_SCOPE)
endfunction()

# Tarvelle.exe: a Windows program (no console) with its icon, version information and manifest.
function(tarvelle_windows_program target)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  file(GLOB pngs ${CMAKE_SOURCE_DIR}/src/data/icons/*/tarvelle.png)
  set(TARVELLE_ICO ${CMAKE_BINARY_DIR}/tarvelle.ico)
  add_custom_command(OUTPUT ${TARVELLE_ICO}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/windows/make_ico.py ${TARVELLE_ICO}
      ${pngs}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/windows/make_ico.py ${pngs}
    COMMENT "Making the icon")
  configure_file(${CMAKE_SOURCE_DIR}/cmake/tarvelle.rc.in ${CMAKE_BINARY_DIR}/tarvelle.rc @ONLY)
  set_source_files_properties(${CMAKE_BINARY_DIR}/tarvelle.rc PROPERTIES
    OBJECT_DEPENDS "${TARVELLE_ICO};${TARVELLE_MANIFEST}")
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/tarvelle.rc)
  # main() becomes SDL_main, which SDL2main's WinMain calls.
  set_source_files_properties(${CMAKE_SOURCE_DIR}/src/main.cpp PROPERTIES
    COMPILE_OPTIONS "-USDL_MAIN_HANDLED;-include;SDL_main.h")
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON OUTPUT_NAME Tarvelle)
  target_link_libraries(${target} PRIVATE SDL2::SDL2main)

  # Liberation Sans beside the programs, as in the zip (Windows has no fontconfig to find it).
  set(fonts)
  foreach(style Regular Bold)
    set(font /usr/share/fonts/truetype/liberation2/LiberationSans-${style}.ttf)
    if(NOT EXISTS ${font})
      message(FATAL_ERROR "Liberation Sans is missing: apt-get install fonts-liberation2")
    endif()
    add_custom_command(OUTPUT ${TARVELLE_OUT}/fonts/LiberationSans-${style}.ttf
      COMMAND ${CMAKE_COMMAND} -E copy ${font} ${TARVELLE_OUT}/fonts/LiberationSans-${style}.ttf
      DEPENDS ${font})
    list(APPEND fonts ${TARVELLE_OUT}/fonts/LiberationSans-${style}.ttf)
  endforeach()
  add_custom_target(tarvelle_fonts ALL DEPENDS ${fonts})

  # The tunes beside their pieces, as in the zip.
  set(tunes)
  foreach(tune ${TARVELLE_TUNES})
    get_filename_component(name ${tune} NAME)
    add_custom_command(OUTPUT ${TARVELLE_OUT}/Music/${name}
      COMMAND ${CMAKE_COMMAND} -E copy ${tune} ${TARVELLE_OUT}/Music/${name}
      DEPENDS ${tune})
    list(APPEND tunes ${TARVELLE_OUT}/Music/${name})
  endforeach()
  add_custom_target(tarvelle_tunes ALL DEPENDS ${tunes})
endfunction()

# TarvelleEditor.exe: a Windows program (no console) beside the game, started as the game is
# (SDL2main hands main() the command line in UTF-8), with the game's icon.
function(tarvelle_windows_editor target)
  set(TARVELLE_ICO ${CMAKE_BINARY_DIR}/tarvelle.ico)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/editor.rc.in ${CMAKE_BINARY_DIR}/editor.rc @ONLY)
  set_source_files_properties(${CMAKE_BINARY_DIR}/editor.rc PROPERTIES
    OBJECT_DEPENDS ${TARVELLE_MANIFEST})
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/editor.rc)
  add_dependencies(${target} tarvelle)  # which makes the icon
  set_source_files_properties(${CMAKE_SOURCE_DIR}/tools/editor/main.cpp PROPERTIES
    COMPILE_OPTIONS "-USDL_MAIN_HANDLED;-include;SDL_main.h")
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON OUTPUT_NAME TarvelleEditor)
  target_link_libraries(${target} PRIVATE SDL2::SDL2main)
endfunction()

# A console tool's manifest, so that its paths are UTF-8 as the game's are.
function(tarvelle_windows_tool target)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/utf8.rc.in ${CMAKE_BINARY_DIR}/utf8.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/utf8.rc)
endfunction()
