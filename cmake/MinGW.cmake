# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers (the POSIX thread model,
# which std::thread needs). Programs built for Windows run here under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARVELLE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVELLE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVELLE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVELLE_MINGW}-windres)
# The libraries built for Windows by scripts/windows.sh (a list of install prefixes).
set(TARVELLE_WINDOWS_DEPS "" CACHE STRING "Install prefixes of the libraries built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARVELLE_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${TARVELLE_MINGW} ${TARVELLE_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The build's own helper programs (embedding, level and demo compilers) run under Wine.
find_program(TARVELLE_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TARVELLE_WINE})
