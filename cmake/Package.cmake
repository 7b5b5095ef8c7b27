# Release packages of Horavel.exe, made by the target dist (scripts/package)
# in HORAVEL_DIST_DIR:
#   Horavel.exe, Horavel.debug           the program and its debug information
#   Horavel-<version>.msi                installer for the current user (wixl)
#   Horavel-<version>-portable.zip       the program and a read-me, to unpack anywhere
# The target e2e_packages adds what the end-to-end tests need besides: an
# installer of the next version, and a list of the files for tests/e2e/run.
set(HORAVEL_DIST_DIR "${CMAKE_SOURCE_DIR}/build/dist" CACHE PATH "Folder of the release packages")
find_program(WIXL wixl)
if(NOT WIXL)
  message(WARNING "wixl not found (Debian package wixl; scripts/setup installs it): no installer")
endif()

# Identifies Horavel to Windows Installer across all versions: a package with
# this code and a higher version replaces the installed one.
set(HORAVEL_UPGRADE_CODE EA795E8C-66E6-4503-926F-5FB5D24A60BB)
set(HORAVEL_WXS ${CMAKE_SOURCE_DIR}/packaging/Horavel.wxs)

# The installer's custom action that removes the PowerPoint add-in at an
# uninstall.
add_library(remove_addin_action SHARED ${CMAKE_SOURCE_DIR}/packaging/remove_addin_action.c)
set_target_properties(remove_addin_action PROPERTIES PREFIX "")
target_link_libraries(remove_addin_action PRIVATE horavel_win32_settings)

# An installer of Horavel.exe as version <version> (major.minor.patch). Its
# product code follows from the version, so two builds of one version are one
# product to Windows and never get installed side by side.
function(horavel_msi output version)
  string(UUID product_code NAMESPACE ${HORAVEL_UPGRADE_CODE} NAME "Horavel ${version}" TYPE SHA1 UPPER)
  # wixl looks for source files only below its working directory.
  get_filename_component(folder ${output} DIRECTORY)
  file(RELATIVE_PATH icon ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/resources/horavel.ico)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${WIXL} --arch x64 -D Version=${version} -D ProductCode=${product_code}
            -D UpgradeCode=${HORAVEL_UPGRADE_CODE} -D ProgramFile=Horavel.exe -D IconFile=${icon}
            -D AddinActionFile=$<TARGET_FILE_NAME:remove_addin_action>
            -o ${output} ${HORAVEL_WXS}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS Horavel remove_addin_action ${HORAVEL_WXS} ${CMAKE_SOURCE_DIR}/resources/horavel.ico
    COMMENT "Building the installer ${output}"
    VERBATIM)
endfunction()

# Windows Installer compares the first three fields of a version.
set(package_version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(dist_msi ${HORAVEL_DIST_DIR}/Horavel-${package_version}.msi)
set(dist_zip ${HORAVEL_DIST_DIR}/Horavel-${package_version}-portable.zip)
set(dist_exe ${HORAVEL_DIST_DIR}/Horavel.exe)
set(dist_debug ${HORAVEL_DIST_DIR}/Horavel.debug)
horavel_msi(${dist_msi} ${package_version})

# The zip holds one folder, Horavel-<version>, so that unpacking it never
# scatters files among others. The read-me in Windows line ends, for every
# editor there.
set(portable_dir ${CMAKE_BINARY_DIR}/portable)
set(portable_name Horavel-${package_version})
configure_file(${CMAKE_SOURCE_DIR}/packaging/ReadMe.txt.in ${portable_dir}/${portable_name}/ReadMe.txt @ONLY NEWLINE_STYLE CRLF)
add_custom_command(
  OUTPUT ${dist_zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HORAVEL_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Horavel> ${portable_dir}/${portable_name}/Horavel.exe
  COMMAND ${CMAKE_COMMAND} -E tar cf ${dist_zip} --format=zip ${portable_name}
  WORKING_DIRECTORY ${portable_dir}
  DEPENDS Horavel ${portable_dir}/${portable_name}/ReadMe.txt
  COMMENT "Building the portable zip ${dist_zip}"
  VERBATIM)

add_custom_command(
  OUTPUT ${dist_exe} ${dist_debug}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HORAVEL_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Horavel> ${CMAKE_BINARY_DIR}/Horavel.debug
          ${HORAVEL_DIST_DIR}
  DEPENDS Horavel
  VERBATIM)

add_custom_target(dist DEPENDS ${dist_msi} ${dist_zip} ${dist_exe} ${dist_debug})

# The upgrade case installs this one over the release installer.
math(EXPR next_patch "${PROJECT_VERSION_PATCH} + 1")
set(next_version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${next_patch})
set(next_msi ${CMAKE_BINARY_DIR}/e2e/Horavel-${next_version}.msi)
horavel_msi(${next_msi} ${next_version})
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/e2e/packages.env CONTENT "\
HORAVEL_MSI='${dist_msi}'
HORAVEL_MSI_VERSION=${package_version}
HORAVEL_NEXT_MSI='${next_msi}'
HORAVEL_NEXT_MSI_VERSION=${next_version}
HORAVEL_PORTABLE_ZIP='${dist_zip}'
")
add_custom_target(e2e_packages DEPENDS dist ${next_msi})
