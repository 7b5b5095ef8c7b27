# Windows build: Horavel.exe (the Win32 backend over the core) and the
# end-to-end driver horavel_e2e.exe. Both are fully static so they run in a
# bare Wine prefix, or on Windows, with no DLLs beside them.
enable_language(RC)

# libogg/libvorbis from the scripts/deps-mingw cache (see cmake/mingw-w64.cmake).
find_path(VORBIS_INCLUDE_DIR vorbis/vorbisfile.h REQUIRED)
find_library(VORBISFILE_LIBRARY vorbisfile REQUIRED)
find_library(VORBIS_LIBRARY vorbis REQUIRED)
find_library(OGG_LIBRARY ogg REQUIRED)
add_library(horavel_vorbis INTERFACE)
# SYSTEM: vorbisfile.h defines static callback tables that would trip -Wunused-variable.
target_include_directories(horavel_vorbis SYSTEM INTERFACE ${VORBIS_INCLUDE_DIR})
target_link_libraries(horavel_vorbis INTERFACE ${VORBISFILE_LIBRARY} ${VORBIS_LIBRARY} ${OGG_LIBRARY})
target_link_libraries(horavel_core PUBLIC horavel_vorbis)
# libqrencode from the same cache (the stage view's sockets and random numbers
# are delay-loaded below).
find_path(QRENCODE_INCLUDE_DIR qrencode.h REQUIRED)
find_library(QRENCODE_LIBRARY qrencode REQUIRED)
target_include_directories(horavel_core SYSTEM PUBLIC ${QRENCODE_INCLUDE_DIR})
target_link_libraries(horavel_core PUBLIC ${QRENCODE_LIBRARY})
# The server's sockets: the oldest system is Windows 7.
target_compile_definitions(horavel_core PRIVATE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)

# Settings shared by the program and the driver: wide-character API, Windows 7
# as the oldest system, no min/max macros, a static runtime.
add_library(horavel_win32_settings INTERFACE)
target_compile_definitions(horavel_win32_settings INTERFACE
  UNICODE _UNICODE NOMINMAX WINVER=0x0601 _WIN32_WINNT=0x0601)
target_compile_options(horavel_win32_settings INTERFACE
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror>)
target_link_options(horavel_win32_settings INTERFACE -static -static-libgcc -static-libstdc++)

# Two builds of the same sources give the same bytes, whenever and in whatever
# folder they run: no link time in the program's header, and debug
# information that names the build folder build/win (sources are then
# ../../app/...) instead of where it happened to be. The compiler cache may
# hand out objects compiled in another folder, which this keeps from showing.
set(HORAVEL_PATH_MAPS -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build/win)
target_compile_options(horavel_core PRIVATE ${HORAVEL_PATH_MAPS})
target_compile_options(horavel_win32_settings INTERFACE $<$<COMPILE_LANGUAGE:C,CXX>:${HORAVEL_PATH_MAPS}>)
target_link_options(horavel_win32_settings INTERFACE -Wl,--no-insert-timestamp)

# The version resource and the manifest take their numbers from the project version.
set(HORAVEL_VERSION_TWEAK ${PROJECT_VERSION_TWEAK})
if(NOT HORAVEL_VERSION_TWEAK)
  set(HORAVEL_VERSION_TWEAK 0)
endif()
set(HORAVEL_VERSION_DOTTED
  ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${HORAVEL_VERSION_TWEAK})
configure_file(${CMAKE_CURRENT_LIST_DIR}/horavel_version.h.in
  ${CMAKE_BINARY_DIR}/generated/horavel_version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/horavel.manifest.in
  ${CMAKE_BINARY_DIR}/generated/horavel.manifest @ONLY)

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
# Icon, version information and manifest. windres reads the script as UTF-8;
# target compile options never reach it, hence the flags variable.
string(APPEND CMAKE_RC_FLAGS " -c 65001")
set_source_files_properties(resources/horavel.rc PROPERTIES
  INCLUDE_DIRECTORIES "${CMAKE_SOURCE_DIR}/resources;${CMAKE_BINARY_DIR}/generated"
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/horavel.ico;${CMAKE_BINARY_DIR}/generated/horavel.manifest;${CMAKE_BINARY_DIR}/generated/horavel_version.h")

# Libraries that only some actions need load at their first call instead of
# before the window can show (under Wine each costs milliseconds there): the
# sound device, the file chooser, the taskbar list, compacted paths, the
# common controls (tool tips, the settings window and prompts), visual styles,
# opening a link (and the settings folder where the environment does not name
# it), the stage view's sockets and its random tokens. Each gets a
# delay-import library made from the functions the program calls; a function
# newly called from one of them is added here (the link names it otherwise).
find_program(HORAVEL_DLLTOOL ${HORAVEL_MINGW}-dlltool REQUIRED)
# dlltool names the library's symbols after the output path it is given: a
# bare file name keeps the build folder out of Horavel.debug.
function(delay_loaded_library dll)
  set(dir "${CMAKE_BINARY_DIR}/delayload")
  list(JOIN ARGN "\n" exports)
  file(CONFIGURE OUTPUT "${dir}/${dll}.def" CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  execute_process(COMMAND "${HORAVEL_DLLTOOL}" --input-def ${dll}.def --output-delaylib lib${dll}.a
                  WORKING_DIRECTORY "${dir}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dlltool could not make the delay-import library of ${dll}")
  endif()
  set(DELAY_LOADED ${DELAY_LOADED} "${dir}/lib${dll}.a" PARENT_SCOPE)
endfunction()
delay_loaded_library(winmm mciSendStringW waveOutClose waveOutGetNumDevs waveOutOpen waveOutPrepareHeader
                     waveOutReset waveOutUnprepareHeader waveOutWrite)
delay_loaded_library(comdlg32 GetOpenFileNameW)
delay_loaded_library(ole32 CoCreateInstance CoInitializeEx CoUninitialize)
delay_loaded_library(shlwapi PathCompactPathW)
delay_loaded_library(uxtheme CloseThemeData DrawThemeBackground DrawThemeText GetThemeBackgroundContentRect IsAppThemed
                        OpenThemeData)
delay_loaded_library(shell32 CommandLineToArgvW SHGetSpecialFolderPathW ShellExecuteW)
delay_loaded_library(comctl32 InitCommonControlsEx)
delay_loaded_library(ws2_32 WSACleanup WSAGetLastError WSASocketW WSAStartup __WSAFDIsSet accept bind closesocket
                     connect freeaddrinfo getaddrinfo gethostname getnameinfo getpeername getsockname getsockopt
                     ioctlsocket listen ntohs recv select send setsockopt shutdown socket)
delay_loaded_library(bcrypt BCryptGenRandom)

set(WIN32_LIBRARIES user32 gdi32 advapi32 ${DELAY_LOADED} uuid)
add_executable(Horavel WIN32 ${WIN32_SOURCES} resources/horavel.rc)
target_link_libraries(Horavel PRIVATE horavel_core horavel_win32_settings ${WIN32_LIBRARIES})
# Horavel.exe is the program users get: stripped, its debug information moved
# to Horavel.debug beside it, which it names (with a checksum) so that gdb and
# addr2line find it and turn a crash address back into a source line.
# objcopy stamps the time into what it writes unless SOURCE_DATE_EPOCH names
# one: zero, as the linker leaves it.
add_custom_command(TARGET Horavel POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY} --only-keep-debug Horavel.exe Horavel.debug
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=Horavel.debug Horavel.exe
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  BYPRODUCTS ${CMAKE_BINARY_DIR}/Horavel.debug
  VERBATIM)

# Timing of the readout refresh on the real backend: the program without its
# entry point, under a console main of its own; its manifest too, for the
# same common controls and scaling.
set(REFRESH_BENCH_SOURCES ${WIN32_SOURCES})
list(FILTER REFRESH_BENCH_SOURCES EXCLUDE REGEX "/entry\\.cpp$")
add_executable(horavel_refresh_bench benchmarks/refresh_benchmark_win.cpp ${REFRESH_BENCH_SOURCES} resources/horavel.rc)
target_link_libraries(horavel_refresh_bench PRIVATE horavel_core horavel_win32_settings ${WIN32_LIBRARIES})

# The baseline of the CPU measurement: an idle window of a few lines of C.
add_executable(idle_window WIN32 benchmarks/idle_window.c)
target_link_libraries(idle_window PRIVATE horavel_win32_settings user32 gdi32)

# How long PlayAlertSound takes on the real backend (scripts/measure-sound).
add_executable(horavel_sound_bench benchmarks/sound_benchmark_win.cpp ${REFRESH_BENCH_SOURCES})
target_link_libraries(horavel_sound_bench PRIVATE horavel_core horavel_win32_settings ${WIN32_LIBRARIES})

# The settings save cut short after each of its steps, for the end-to-end
# case that checks what the next start reads.
add_executable(horavel_save_probe tests/save_probe/save_probe_win.cpp ${REFRESH_BENCH_SOURCES})
target_include_directories(horavel_save_probe PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(horavel_save_probe PRIVATE horavel_core horavel_win32_settings ${WIN32_LIBRARIES})

# A winmm.dll that marks its being loaded, which an end-to-end case plants
# beside a portable copy of the program (planted/winmm.dll).
add_library(planted_winmm SHARED tests/e2e/planted_winmm.c)
set_target_properties(planted_winmm PROPERTIES OUTPUT_NAME winmm PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
target_link_libraries(planted_winmm PRIVATE horavel_win32_settings)

# The end-to-end driver: a console program that runs Horavel.exe under Wine
# and inspects it through the Windows API (tests/e2e/run runs it).
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
add_executable(horavel_e2e ${E2E_SOURCES})
target_include_directories(horavel_e2e PRIVATE ${CMAKE_SOURCE_DIR})
# It decodes the built-in sounds to know what a recording of one must hold.
target_link_libraries(horavel_e2e PRIVATE horavel_win32_settings horavel_vorbis user32 gdi32 advapi32 shell32 ole32 uuid msi ws2_32)
