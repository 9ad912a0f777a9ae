# Renders one of the saver's pictures (see preview_pictures.cmake):
#   cmake -DPROGRAM=vantorel -DDATA_DIR=dir -DSIZE=WxH -DSCENE=name
#         -DSECONDS=s -DWORK_DIR=dir -DOUTPUT=file.png -P preview_render.cmake
# The run has no music, clock or frame counter; its last frame is the picture.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/settings.conf
  "Path=${DATA_DIR}\nEnableMusic=0\nShowClock=0\nShowFPS=0\nRandom=0\nDetail=2\nUseDesktop=1\n")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VANTOREL_SETTINGS=${WORK_DIR}/settings.conf ASAN_OPTIONS=detect_leaks=0
    ${PROGRAM} --render ${WORK_DIR}/frames --seconds ${SECONDS} --fps 10 --size ${SIZE} --start-scene ${SCENE}
  RESULT_VARIABLE status
  OUTPUT_QUIET
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vantorel --render failed (${status}): ${errors}")
endif()
if(errors)
  message(WARNING "While rendering ${OUTPUT}: ${errors}")
endif()
file(GLOB frames ${WORK_DIR}/frames/frame_*.png)
list(LENGTH frames count)
if(count EQUAL 0)
  message(FATAL_ERROR "vantorel --render wrote no frame into ${WORK_DIR}/frames")
endif()
list(SORT frames)
list(GET frames -1 last)
configure_file(${last} ${OUTPUT} COPYONLY)
file(TOUCH ${OUTPUT})  # the copy keeps an unchanged file's old time
file(REMOVE_RECURSE ${WORK_DIR}/frames)
