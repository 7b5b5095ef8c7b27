# Native build: the unit tests link the real core against the fake platform.
enable_testing()
find_package(GTest REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(VORBIS REQUIRED IMPORTED_TARGET vorbisfile vorbis ogg)
target_link_libraries(horavel_core PUBLIC PkgConfig::VORBIS)
pkg_check_modules(QRENCODE REQUIRED IMPORTED_TARGET libqrencode)
target_link_libraries(horavel_core PUBLIC PkgConfig::QRENCODE)

file(GLOB FAKE_SOURCES CONFIGURE_DEPENDS tests/support/*.cpp)
add_library(horavel_fake STATIC ${FAKE_SOURCES})
target_link_libraries(horavel_fake PUBLIC horavel_core)

file(GLOB UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_SOURCES})
# The core calls into the platform and the fake implements it: link them as a group.
target_link_libraries(unit_tests PRIVATE -Wl,--start-group horavel_core horavel_fake -Wl,--end-group GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)
# Tests compare against files kept in the source tree (golden outputs).
target_compile_definitions(unit_tests PRIVATE HORAVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# The stage view's tests talk to its server with the library's own client.
target_include_directories(unit_tests SYSTEM PRIVATE ${CMAKE_SOURCE_DIR}/build/deps/httplib)
# The add-in file the program carries, read by Debian's olefile (hence Debian's
# own interpreter, not whichever python3 comes first on the path).
add_test(NAME addin_file COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/addin/check_addin.py ${CMAKE_SOURCE_DIR})
# The README and the documents under docs/: links, pictures, web addresses and
# the table of the built-in sounds.
add_test(NAME docs_links COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/docs/check_docs.py ${CMAKE_SOURCE_DIR})
include(cmake/NativeBenchmarks.cmake)

# The generator of the built-in sounds (tools/make_sounds.cpp); run by hand:
#   build/native/make_sounds resources/sounds
pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc)
add_executable(make_sounds tools/make_sounds.cpp)
target_link_libraries(make_sounds PRIVATE PkgConfig::VORBISENC PkgConfig::VORBIS)
target_compile_options(make_sounds PRIVATE -Wall -Wextra -Werror)
