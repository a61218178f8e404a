# Fails when lupdate finds a source text without a finished translation, or a
# translation whose source text has gone. Runs lupdate over the sources into
# copies of the .ts files, so the committed ones stay as they are.
#   cmake -DLUPDATE=... -DSOURCES=<folder> -DINCLUDE=<include root> -DTS_FILES=<a.ts;b.ts>
#         -DWORK=<folder> -P translations_complete.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(copies)
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name "${ts}" NAME)
  configure_file("${ts}" "${WORK}/${name}" COPYONLY)
  list(APPEND copies "${WORK}/${name}")
endforeach()
execute_process(COMMAND "${LUPDATE}" -silent -locations none -no-ui-lines -I "${INCLUDE}" "${SOURCES}"
                        -ts ${copies}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status})")
endif()
set(problems "")
foreach(copy IN LISTS copies)
  file(READ "${copy}" text)
  foreach(kind unfinished vanished obsolete)
    string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<[^t][^<]*>[^<]*)*<translation type=\"${kind}\"" hits "${text}")
    foreach(hit IN LISTS hits)
      string(REGEX REPLACE ".*<source>([^<]*)</source>.*" "\\1" source "${hit}")
      get_filename_component(name "${copy}" NAME)
      string(APPEND problems "  ${name}: ${kind}: ${source}\n")
    endforeach()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "Translations are not complete:\n${problems}")
endif()
message(STATUS "Every source text has its translation, and every translation its source text.")
