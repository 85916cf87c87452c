# The floors of src/ (docs/architecture.md), one static library each: tarvelle_floor_NAME, made
# of src/NAME/*.cpp, linked to the floors just below it. The build keeps the house:
#  - a floor's library sees the headers of its own folder and of the floors below (each floor's
#    include folder holds only a link to its own folder), so an include that runs up does not
#    compile;
#  - on the Linux build each floor is linked whole into a small program of its own
#    (tarvelle_floor_NAME_check) with nothing but the floors below it, so a call that runs up
#    (a name defined above, with no include to show it) does not link.
# A hook (a name a floor asks of the floor above) is declared with HOOKS on the floor that asks:
# the floor's check fills it in, and every program that links the floor keeps the hook's
# definition from above, whatever the order the libraries are read in.
#
#   tarvelle_floor(NAME [BELOW FLOOR...] [LIBS TARGET...] [HOOKS NAME...])
#
# Files a build leaves out (another system's flavour) match one of the regular expressions of
# TARVELLE_LEAVE_OUT. A new floor is one more line in tarvelle_floors() below.

function(tarvelle_floor name)
  cmake_parse_arguments(F "" "" "BELOW;LIBS;HOOKS" ${ARGN})
  set(target tarvelle_floor_${name})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
  foreach(re IN LISTS TARVELLE_LEAVE_OUT)
    list(FILTER sources EXCLUDE REGEX "${re}")
  endforeach()
  add_library(${target} STATIC ${sources})
  set_property(GLOBAL PROPERTY TARVELLE_TOP_FLOOR ${target})
  tarvelle_floor_headers(${target} ${name})
  foreach(below IN LISTS F_BELOW)
    target_link_libraries(${target} PUBLIC tarvelle_floor_${below})
  endforeach()
  target_link_libraries(${target} PUBLIC ${F_LIBS})
  # Compiled a few files at a time (the headers read once a batch): the build takes about half
  # the processor time.
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  foreach(hook IN LISTS F_HOOKS)
    target_link_options(${target} INTERFACE "LINKER:--undefined=${hook}")
  endforeach()

  if(TARVELLE_FLOOR_CHECKS)
    set(stub ${CMAKE_BINARY_DIR}/floors/${name}_check.c)
    set(text "/* The floor ${name} linked whole with the floors below it, never run. */\n")
    foreach(hook IN LISTS F_HOOKS)
      string(APPEND text "void* ${hook}; /* a hook, defined above */\n")
    endforeach()
    string(APPEND text "int main(void) { return 0; }\n")
    file(CONFIGURE OUTPUT ${stub} CONTENT "${text}")
    add_executable(${target}_check ${stub})
    target_link_libraries(${target}_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>")
    set_target_properties(${target}_check PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/floors)
  endif()
endfunction()

# The include folder of a floor: a link named after the floor to its folder, and nothing else.
function(tarvelle_floor_headers target name)
  set(dir ${CMAKE_BINARY_DIR}/floors/include/${name})
  file(MAKE_DIRECTORY ${dir})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${name} ${dir}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${dir})
endfunction()

# The house, from the ground up. `data` (the embedded files' table, src/data/) and the system's
# libraries are made before.
function(tarvelle_floors)
  tarvelle_floor(pixels)
  tarvelle_floor(platform BELOW pixels LIBS tarvelle_system)
  tarvelle_floor(media BELOW platform LIBS tarvelle_data)
  tarvelle_floor(core BELOW media)
  tarvelle_floor(actors BELOW core HOOKS ActorHost)
  tarvelle_floor(game BELOW actors HOOKS Screens)
  tarvelle_floor(front BELOW game)
  tarvelle_floor(launcher BELOW front)
  # The whole game, as the programs, the tools and the tests link it: the top floor.
  get_property(top GLOBAL PROPERTY TARVELLE_TOP_FLOOR)
  add_library(tarvelle_game INTERFACE)
  target_link_libraries(tarvelle_game INTERFACE ${top})
endfunction()
