# Turns every file under resources/ (except the Windows resource script and
# its manifest and icon) and the help file made from the user's guide into one
# generated C++ source holding byte arrays and a name table, read through
# resources/embedded.h. The help file is named "generated/help.html".
set(HORAVEL_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_resources.cmake)

# The user's guide as one HTML file (tools/make_help.py, with Debian's python3-markdown).
function(horavel_help_file out_var)
  file(GLOB pages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/guide/*.md)
  set(output ${CMAKE_BINARY_DIR}/generated/help.html)
  add_custom_command(
    OUTPUT ${output}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/make_help.py ${CMAKE_SOURCE_DIR}/docs/guide ${output}
    DEPENDS ${pages} ${CMAKE_SOURCE_DIR}/tools/make_help.py
    COMMENT "Making the help file from the user's guide"
    VERBATIM)
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()

function(horavel_embed_resources out_var)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/*.bmp
    ${CMAKE_SOURCE_DIR}/resources/*.ogg
    ${CMAKE_SOURCE_DIR}/resources/*.ppa
    ${CMAKE_SOURCE_DIR}/resources/*.html
    ${CMAKE_SOURCE_DIR}/lang/*.txt)
  list(SORT files)
  horavel_help_file(help)
  list(APPEND files ${help})
  set(output ${CMAKE_BINARY_DIR}/generated/embedded_resources.cpp)
  string(REPLACE ";" "|" file_list "${files}")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DROOT=${CMAKE_SOURCE_DIR} -DGENERATED_ROOT=${CMAKE_BINARY_DIR}
            "-DFILES=${file_list}" -P ${HORAVEL_EMBED_SCRIPT}
    DEPENDS ${files} ${HORAVEL_EMBED_SCRIPT}
    COMMENT "Embedding resources"
    VERBATIM)
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()
