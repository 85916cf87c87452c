# The web browser's build, with Emscripten (scripts/web.sh sets it up): the same game, with the
# browser's flavour of the platform layer, drawn into the page's canvas.
#   TARVELLE_NATIVE_DIR  a native build tree holding tarvelle-embed (the data embedder)
#   TARVELLE_WEB_DATA    the folder of files packed at the root of the game's file system
#   SDL2_WEB             SDL2 built for WebAssembly (its install prefix)
#   STB_INCLUDE          the folder of the stb headers
#   BENCHMARK_WEB        Google Benchmark built for WebAssembly (optional: the play benchmark)
foreach(v TARVELLE_NATIVE_DIR TARVELLE_WEB_DATA SDL2_WEB STB_INCLUDE)
  if(NOT ${v})
    message(FATAL_ERROR "The web build needs ${v} (see scripts/web.sh)")
  endif()
endforeach()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The vector blends compile to WebAssembly's SIMD; C++ exceptions are real exceptions.
add_compile_options(-msimd128 -msse2 -fexceptions)

# Pictures, waves and menus embedded by the native embedder.
set(embed ${TARVELLE_NATIVE_DIR}/tarvelle-embed)
set(data_dir ${CMAKE_SOURCE_DIR}/src/data)
set(EMBED_SOURCES)
foreach(pair "EmbeddedImages|images/*.png" "EmbeddedWaves|waves/*.wav"
             "EmbeddedManifests|*.manifest" "EmbeddedLauncher|launcher/*.png")
  string(REPLACE "|" ";" pair ${pair})
  list(GET pair 0 function)
  list(GET pair 1 glob)
  file(GLOB files CONFIGURE_DEPENDS ${data_dir}/${glob})
  list(SORT files)
  set(out ${CMAKE_BINARY_DIR}/embedded/${function}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/embedded
    COMMAND ${embed} ${out} ${function} ${files}
    DEPENDS ${embed} ${files}
    COMMENT "Embedding ${function}")
  list(APPEND EMBED_SOURCES ${out})
endforeach()

add_library(tarvelle_data STATIC ${EMBED_SOURCES})
add_library(tarvelle_system INTERFACE)
target_include_directories(tarvelle_system SYSTEM INTERFACE ${SDL2_WEB}/include/SDL2 ${STB_INCLUDE}
  ${TARVELLE_JSON_INCLUDE})
target_link_libraries(tarvelle_system INTERFACE ${SDL2_WEB}/lib/libSDL2.a)

# The floors of src/ (cmake/Floors.cmake), without the desktop's pieces that the browser's
# flavour replaces: the launcher window (the page is the launcher), the system fonts, the
# desktop's address handler and error box, the MIDI synthesizer (the music comes pre-rendered),
# libjpeg (stb_image reads the pack's JPEG pictures: jpeg_stb.cpp); Windows' flavour, and the
# system font files found through fontconfig.
include(${CMAKE_SOURCE_DIR}/cmake/Floors.cmake)
tarvelle_floor_headers(tarvelle_data data)
set(TARVELLE_FLOOR_CHECKS OFF)
set(TARVELLE_LEAVE_OUT
  "/platform/(system_font|open_url|sdl_error_box|sdl_launcher_window|limited_run)\\.cpp$"
  "/media/(midi_synth|jpeg_decode|jpeg_none)\\.cpp$"
  "/launcher/launcher_run\\.cpp$"
  "_windows\\.cpp$|/platform/font_file\\.cpp$"
  # The browser's fetch sends the requests (web_http_client.cpp).
  "/platform/http_(client|transfer)\\.cpp$")
tarvelle_floors()
# The floors are compiled one file at a time here, as they always were for the browser.
foreach(floor pixels platform media core actors game front launcher)
  set_target_properties(tarvelle_floor_${floor} PROPERTIES UNITY_BUILD OFF)
endforeach()

# Opening the sound needs these from Emscripten's library (named in a file: the shell would
# take their dollar signs).
file(WRITE ${CMAKE_BINARY_DIR}/library_funcs.json "[\"\$autoResumeAudioContext\", \"\$dynCall\"]\n")

add_executable(tarvelle ${CMAKE_SOURCE_DIR}/src/web_main.cpp)
target_link_libraries(tarvelle PRIVATE tarvelle_game idbfs.js)
set_target_properties(tarvelle PROPERTIES SUFFIX ".js")
file(GLOB_RECURSE web_data CONFIGURE_DEPENDS ${TARVELLE_WEB_DATA}/*)
set_property(TARGET tarvelle APPEND PROPERTY LINK_DEPENDS ${web_data})
target_link_options(tarvelle PRIVATE
  -fexceptions
  -sMODULARIZE=1 -sEXPORT_NAME=createTarvelle
  -sENVIRONMENT=web
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB
  -sEXIT_RUNTIME=0 -sFORCE_FILESYSTEM=1
  "-sEXPORTED_FUNCTIONS=[_main,_tarvelle_start,_tarvelle_flush,_tarvelle_hidden,_tarvelle_key,_tarvelle_storage_loaded,_tarvelle_storage_copied,_tarvelle_type,_tarvelle_state,_tarvelle_music_arrived,_tarvelle_play_replay,_tarvelle_use_levels,_tarvelle_http_done,_malloc,_free]"
  "-sEXPORTED_RUNTIME_METHODS=[FS,UTF8ToString,ccall]"
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_BINARY_DIR}/library_funcs.json
  --preload-file ${TARVELLE_WEB_DATA}@/)

# The play benchmark, run with node beside the native one (scripts/web-figures.sh).
if(BENCHMARK_WEB)
  add_executable(play_bench ${CMAKE_SOURCE_DIR}/bench/play_bench.cpp)
  target_include_directories(play_bench PRIVATE ${BENCHMARK_WEB}/include)
  tarvelle_floor(session BELOW launcher)  # the benchmark runs the game through the session
  set_target_properties(tarvelle_floor_session PROPERTIES UNITY_BUILD OFF)
  target_link_libraries(play_bench PRIVATE tarvelle_floor_session
    ${BENCHMARK_WEB}/lib/libbenchmark.a)
  set_target_properties(play_bench PROPERTIES SUFFIX ".js")
  target_link_options(play_bench PRIVATE -fexceptions -sENVIRONMENT=node -sNODERAWFS=1
    -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
endif()
