# Turns every file under resources/ (except the Windows resource script and
# its manifest and icon) into one generated C++ source holding byte arrays and
# a name table, read through resources/embedded.h.
set(HORAVEL_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_resources.cmake)

function(horavel_embed_resources out_var)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/*.bmp
    ${CMAKE_SOURCE_DIR}/resources/*.ogg
    ${CMAKE_SOURCE_DIR}/resources/*.ppa
    ${CMAKE_SOURCE_DIR}/lang/*.txt)
  list(SORT files)
  set(output ${CMAKE_BINARY_DIR}/generated/embedded_resources.cpp)
  string(REPLACE ";" "|" file_list "${files}")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DROOT=${CMAKE_SOURCE_DIR}
            "-DFILES=${file_list}" -P ${HORAVEL_EMBED_SCRIPT}
    DEPENDS ${files} ${HORAVEL_EMBED_SCRIPT}
    COMMENT "Embedding resources"
    VERBATIM)
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()
