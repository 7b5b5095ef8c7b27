# Cross-compiles the Windows program with mingw-w64 (posix threads model, so
# std::thread and friends work) against the libogg/libvorbis cache that
# scripts/deps-mingw builds.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HORAVEL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HORAVEL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HORAVEL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${HORAVEL_MINGW}-windres)

set(HORAVEL_DEPS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build/deps/mingw"
    CACHE PATH "Prefix holding the mingw builds of libogg and libvorbis")
get_filename_component(HORAVEL_DEPS_PREFIX "${HORAVEL_DEPS_PREFIX}" ABSOLUTE)

set(CMAKE_FIND_ROOT_PATH /usr/${HORAVEL_MINGW} ${HORAVEL_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
