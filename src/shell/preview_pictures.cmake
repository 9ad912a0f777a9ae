# The saver's own pictures, rendered from the journey when the program is
# built and put beside it: the preview's (bitmap 112, 155 x 115) and the
# configuration dialog's (bitmap 107, 4:3, cut to its picture frame). Each
# is the last frame of the first seconds of one scene, drawn headless.
set(VANTOREL_PICTURE_SCENE "earth0.txt" CACHE STRING "Scene of the system world whose frame becomes the saver's pictures")
set(VANTOREL_PICTURE_SECONDS 3 CACHE STRING "Seconds into that scene of the pictures' frame")

set(picture_archive ${PROJECT_BINARY_DIR}/data/data.sdd)
set(picture_outputs "")
foreach(picture "vantorel-preview.png=155x115" "vantorel-dialog.png=308x231")
  string(REPLACE "=" ";" picture ${picture})
  list(GET picture 0 file_name)
  list(GET picture 1 size)
  set(output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${file_name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND}
      -DPROGRAM=$<TARGET_FILE:vantorel> -DDATA_DIR=${PROJECT_BINARY_DIR}/data -DSIZE=${size}
      -DSCENE=${VANTOREL_PICTURE_SCENE} -DSECONDS=${VANTOREL_PICTURE_SECONDS}
      -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/pictures/${file_name} -DOUTPUT=${output}
      -P ${CMAKE_CURRENT_SOURCE_DIR}/preview_render.cmake
    DEPENDS vantorel ${picture_archive} ${CMAKE_CURRENT_SOURCE_DIR}/preview_render.cmake
    COMMENT "Rendering ${file_name}"
    VERBATIM)
  list(APPEND picture_outputs ${output})
endforeach()
add_custom_target(saver_pictures ALL DEPENDS ${picture_outputs})
add_dependencies(saver_pictures data_archive)
