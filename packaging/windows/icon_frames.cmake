# Fails unless the icon of Orvanel.exe has a 32-bit frame (RGBA) at each size
# Windows asks for: sharp in title bars, taskbars and Alt+Tab at any scale.
#   cmake -DICOTOOL=<icotool> -DICON=<orvanel.ico> -P icon_frames.cmake
execute_process(COMMAND ${ICOTOOL} -l ${ICON} OUTPUT_VARIABLE frames RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "icotool could not read ${ICON}")
endif()
foreach(size 16 20 24 32 40 48 64 256)
  if(NOT frames MATCHES "--width=${size} --height=${size} --bit-depth=32")
    message(FATAL_ERROR "${ICON} has no 32-bit frame of ${size} pixels:\n${frames}")
  endif()
endforeach()
