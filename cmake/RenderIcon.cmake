# render_icon(<svg> <pattern> <variable> SIZES <size>...): draws the SVG as a PNG
# at each size with rsvg-convert, into the build tree at <pattern> (relative to
# the current build folder, with @SIZE@ for the size); <variable> gets the files.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)

function(render_icon source pattern variable)
  cmake_parse_arguments(PARSE_ARGV 3 icon "" "" "SIZES")
  set(files)
  foreach(size IN LISTS icon_SIZES)
    string(REPLACE "@SIZE@" ${size} name ${pattern})
    set(file ${CMAKE_CURRENT_BINARY_DIR}/${name})
    get_filename_component(folder ${file} DIRECTORY)
    add_custom_command(OUTPUT ${file}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} ${source} -o ${file}
      DEPENDS ${source} VERBATIM)
    list(APPEND files ${file})
  endforeach()
  set(${variable} ${files} PARENT_SCOPE)
endfunction()
