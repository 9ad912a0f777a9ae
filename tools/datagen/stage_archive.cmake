# Assembles the archive tree and packs it (run with cmake -P by the
# data_archive rule). Inputs: DATA_DIR, GENERATED_DIR, STAGE_DIR, ARCHIVE,
# SDD and MANIFEST, whose lines not starting with "data " name the generated
# entries. The stage is rebuilt from scratch, so files deleted from data/
# leave the archive too. A file that both data/ and a generator provide is an
# error rather than a silent choice.

file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR})

function(stage_file source entry)
  get_filename_component(folder "${STAGE_DIR}/${entry}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${source}" "${STAGE_DIR}/${entry}")
endfunction()

file(GLOB_RECURSE data_files RELATIVE ${DATA_DIR} ${DATA_DIR}/*)
foreach(entry IN LISTS data_files)
  if(NOT entry MATCHES "^generate/")
    stage_file("${DATA_DIR}/${entry}" "${entry}")
  endif()
endforeach()

file(STRINGS ${MANIFEST} manifest)
foreach(line IN LISTS manifest)
  if(line MATCHES "^data ")
    continue()
  endif()
  if(EXISTS "${STAGE_DIR}/${line}")
    message(FATAL_ERROR "data/${line} is also made by a generator; remove one of them")
  endif()
  stage_file("${GENERATED_DIR}/${line}" "${line}")
endforeach()

get_filename_component(archive_folder ${ARCHIVE} DIRECTORY)
file(MAKE_DIRECTORY ${archive_folder})
execute_process(COMMAND ${SDD} pack ${ARCHIVE} ${STAGE_DIR} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "sdd pack failed (${status})")
endif()
