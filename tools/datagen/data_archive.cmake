# The build rule of data.sdd (target data_archive, part of ALL):
#   1. the generators write meshes/, textures/ and music.ogg under
#      build/datagen/, one command per picture so that pictures are painted
#      in parallel;
#   2. stage_archive.cmake assembles build/data-stage/ from every file under
#      data/ except data/generate/ plus the generated files, and packs it
#      with `sdd pack` into build/data/data.sdd.
# Pictures are remade when the generator, pictures.txt or meshes.txt changes
# (rendered views show meshes), meshes when vt_meshgen or meshes.txt
# changes; the archive is repacked when any of those or any file under data/
# changes, appears or goes. Picture names may hold folders (sign/earth.jpg);
# the generator makes them.

set(VT_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
set(VT_RECIPE_DIR ${VT_DATA_DIR}/generate)
set(VT_GENERATED_DIR ${PROJECT_BINARY_DIR}/datagen)
set(VT_STAGE_DIR ${PROJECT_BINARY_DIR}/data-stage)
set(VT_ARCHIVE ${PROJECT_BINARY_DIR}/data/data.sdd)

# The names of the recipes in a recipe file: the first word of every line
# that is neither blank nor a comment.
function(vt_recipe_names recipe_file out_var)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${recipe_file})
  file(STRINGS ${recipe_file} lines)
  set(names "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*([^ \t#][^ \t]*)")
      list(APPEND names ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${out_var} ${names} PARENT_SCOPE)
endfunction()

set(generated_files "")    # absolute paths, for dependencies
set(generated_entries "")  # paths inside the archive

vt_recipe_names(${VT_RECIPE_DIR}/meshes.txt mesh_names)
set(mesh_outputs "")
foreach(name IN LISTS mesh_names)
  list(APPEND mesh_outputs ${VT_GENERATED_DIR}/meshes/${name})
  list(APPEND generated_entries meshes/${name})
endforeach()
add_custom_command(OUTPUT ${mesh_outputs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VT_GENERATED_DIR}/meshes
  COMMAND vt_meshgen ${VT_RECIPE_DIR}/meshes.txt ${VT_GENERATED_DIR}/meshes
  DEPENDS vt_meshgen ${VT_RECIPE_DIR}/meshes.txt
  COMMENT "Generating meshes"
  VERBATIM)
list(APPEND generated_files ${mesh_outputs})

vt_recipe_names(${VT_RECIPE_DIR}/pictures.txt picture_names)
foreach(name IN LISTS picture_names)
  set(output ${VT_GENERATED_DIR}/textures/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VT_GENERATED_DIR}/textures
    COMMAND vt_picturegen ${VT_RECIPE_DIR}/pictures.txt ${VT_GENERATED_DIR}/textures ${name}
    DEPENDS vt_picturegen ${VT_RECIPE_DIR}/pictures.txt ${VT_RECIPE_DIR}/meshes.txt
    COMMENT "Painting textures/${name}"
    VERBATIM)
  list(APPEND generated_files ${output})
  list(APPEND generated_entries textures/${name})
endforeach()

# The music track, composed by vt_musicgen (tools/musicgen).
set(music_output ${VT_GENERATED_DIR}/music.ogg)
add_custom_command(OUTPUT ${music_output}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VT_GENERATED_DIR}
  COMMAND vt_musicgen ${music_output}
  DEPENDS vt_musicgen
  COMMENT "Composing music.ogg"
  VERBATIM)
list(APPEND generated_files ${music_output})
list(APPEND generated_entries music.ogg)

# The archive's own text entries: every file under data/ but the recipes.
file(GLOB_RECURSE all_data_files CONFIGURE_DEPENDS ${VT_DATA_DIR}/*)
set(data_files "")
foreach(file IN LISTS all_data_files)
  string(FIND ${file} ${VT_RECIPE_DIR}/ recipe_position)
  if(NOT recipe_position EQUAL 0)
    list(APPEND data_files ${file})
  endif()
endforeach()
list(SORT data_files)
# The manifest names every entry; it changes (and so forces a repack)
# whenever a file is added or removed, which dependencies alone would not
# notice. The stage script copies exactly the generated entries it lists.
set(manifest_lines ${generated_entries})
foreach(file IN LISTS data_files)
  file(RELATIVE_PATH entry ${VT_DATA_DIR} ${file})
  list(APPEND manifest_lines "data ${entry}")
endforeach()
list(JOIN manifest_lines "\n" manifest_text)
set(manifest_file ${VT_GENERATED_DIR}/archive-manifest.txt)
set(old_manifest "")
if(EXISTS ${manifest_file})
  file(READ ${manifest_file} old_manifest)
endif()
if(NOT old_manifest STREQUAL "${manifest_text}\n")
  file(WRITE ${manifest_file} "${manifest_text}\n")
endif()

add_custom_command(OUTPUT ${VT_ARCHIVE}
  COMMAND ${CMAKE_COMMAND}
    -DDATA_DIR=${VT_DATA_DIR} -DGENERATED_DIR=${VT_GENERATED_DIR} -DSTAGE_DIR=${VT_STAGE_DIR}
    -DARCHIVE=${VT_ARCHIVE} -DSDD=$<TARGET_FILE:sdd> -DMANIFEST=${manifest_file}
    -P ${CMAKE_CURRENT_SOURCE_DIR}/stage_archive.cmake
  DEPENDS sdd ${data_files} ${generated_files} ${manifest_file}
    ${CMAKE_CURRENT_SOURCE_DIR}/stage_archive.cmake
  COMMENT "Packing data/data.sdd"
  VERBATIM)
add_custom_target(data_archive ALL DEPENDS ${VT_ARCHIVE})
