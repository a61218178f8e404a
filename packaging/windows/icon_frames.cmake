# Fails unless the icon of Orvanel.exe has a 32-bit frame (RGBA) at each size
# Windows asks for (icon-sizes, beside this file, lists them): sharp in title
# bars, taskbars and Alt+Tab at any scale.
#   cmake -DICOTOOL=<icotool> -DICON=<orvanel.ico> -P icon_frames.cmake
execute_process(COMMAND ${ICOTOOL} -l ${ICON} OUTPUT_VARIABLE frames RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "icotool could not read ${ICON}")
endif()
file(READ ${CMAKE_CURRENT_LIST_DIR}/icon-sizes sizes)
string(STRIP "${sizes}" sizes)
string(REPLACE " " ";" sizes "${sizes}")
foreach(size IN LISTS sizes)
  if(NOT frames MATCHES "--width=${size} --height=${size} --bit-depth=32")
    message(FATAL_ERROR "${ICON} has no 32-bit frame of ${size} pixels:\n${frames}")
  endif()
endforeach()
