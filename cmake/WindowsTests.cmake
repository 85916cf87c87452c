# The unit tests built for Windows, run under Wine by tests/windows_test.sh (not through ctest):
# googletest from Debian's own source (package googletest). The tests of Linux's own things
# (fork and kill, the installed tree, the X window) stay out.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main gmock)
  target_compile_options(${t} PRIVATE -Wno-error)
endforeach()
file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
# Left out: saves killed by fork and signals (atomic_file_test.cpp covers Windows' saves), the
# level tool run through a POSIX shell, programs run within limits (none on Windows), the world
# table client's tests against a local server of POSIX sockets, and the editor's win rate (its
# programs stood in for by shell scripts, its processes looked for in /proc).
list(FILTER sources EXCLUDE REGEX
  "/(nothing_lost|level_tool|limited_run|world_scores|editor_rate)_test\\.cpp$")
add_executable(tarvelle_tests EXCLUDE_FROM_ALL ${sources})
target_link_libraries(tarvelle_tests PRIVATE tarvelle_game tarvelle_driver tarvelle_levels_lib
  tarvelle_demos_lib tarvelle_bot_lib tarvelle_editor_lib tarvelle_fuzz_targets gtest_main gmock)
add_dependencies(tarvelle_tests tarvelle_levels tarvelle_demos)
target_compile_definitions(tarvelle_tests PRIVATE
  TARVELLE_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
  TARVELLE_FUZZ_DIR="${CMAKE_SOURCE_DIR}/fuzz"
  TARVELLE_BUILD_DIR="${CMAKE_BINARY_DIR}" TARVELLE_NO_SERVER)
tarvelle_windows_tool(tarvelle_tests)
