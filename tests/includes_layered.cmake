# Fails when an include breaks the layering that the layout promises:
#   - an include of a header in another folder names that folder
#     ("estimator/pair_file.h"); a bare name is a header beside the includer;
#   - a layer includes only from itself and from the layers below it;
#   - from another layer, only the headers that layer exports (its FILE_SET).
# tests/ and bench/ look inside the layers on purpose; for them only the first
# rule holds.
#   cmake -DROOT=<source folder> "-DLAYERS=base;estimator;..." "-DEXPORTED=<folder/x.h;...>"
#         "-DOTHERS=tests;bench" -P includes_layered.cmake
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
      if(level EQUAL -1 OR owner STREQUAL folder)
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
