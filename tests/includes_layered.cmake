# Fails when an include breaks the layering that the layout promises:
#   - an include of a header in another folder names that folder
#     ("estimator/pair_file.h"); a bare name is a header beside the includer;
#   - a layer includes only from itself and from the layers below it;
#   - from another layer, only the headers that layer exports (its FILE_SET);
#   - inside a layer made of rooms (gui/widgets, gui/platform, …), a room
#     includes only from itself and the rooms listed before it.
# tests/ and bench/ look inside the layers on purpose; for them only the first
# rule holds.
#   cmake -DROOT=<source folder> "-DLAYERS=base;estimator;..." "-DEXPORTED=<folder/x.h;...>"
#         "-DROOMS=gui/widgets;gui/platform;..." "-DOTHERS=tests;bench" -P includes_layered.cmake
cmake_minimum_required(VERSION 3.25)
set(problems "")
foreach(folder IN LISTS LAYERS OTHERS)
  list(FIND LAYERS "${folder}" level)
  file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    get_filename_component(beside "${ROOT}/${file}" DIRECTORY)
    file(STRINGS "${ROOT}/${file}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
      if(EXISTS "${beside}/${header}")
        continue()
      endif()
      string(FIND "${header}" "/" slash)
      if(slash EQUAL -1)
        string(APPEND problems "  ${file}: \"${header}\" lies in another folder and must name it\n")
        continue()
      endif()
      string(SUBSTRING "${header}" 0 ${slash} owner)
      list(FIND LAYERS "${owner}" owner_level)
      if(level EQUAL -1)
        continue()
      endif()
      if(owner STREQUAL folder)
        # Within a layer: a room reaches only rooms listed before it, or itself.
        string(REGEX MATCH "^[^/]+/[^/]+" my_room "${file}")
        string(REGEX MATCH "^[^/]+/[^/]+" its_room "${header}")
        list(FIND ROOMS "${my_room}" my_room_level)
        list(FIND ROOMS "${its_room}" its_room_level)
        if(NOT my_room_level EQUAL -1 AND its_room_level GREATER my_room_level)
          string(APPEND problems "  ${file}: \"${header}\" is not in a room below ${my_room}/\n")
        endif()
        continue()
      endif()
      if(owner_level EQUAL -1 OR owner_level GREATER level)
        string(APPEND problems "  ${file}: \"${header}\" is not in a layer below ${folder}/\n")
      elseif(NOT header IN_LIST EXPORTED)
        string(APPEND problems "  ${file}: \"${header}\" is not exported by ${owner}/\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "Includes that break the layering:\n${problems}")
endif()
