# A golden run with a wrong score recorded fails `zenit-tool replay`; with
# ZENIT_UPDATE_GOLDEN=1 the same call rewrites its stage and expect lines,
# keeps everything else, and passes from then on. Called by ctest with
# -DTOOL=<zenit-tool> -DRUN=<a golden run> -DWORK=<scratch folder>.
file(MAKE_DIRECTORY ${WORK})
set(copy ${WORK}/run.replay)
file(READ ${RUN} original)
string(REGEX REPLACE "# stage 1 score [0-9]+" "# stage 1 score 1" changed "${original}")
string(REGEX REPLACE "\"hash\":\"[0-9a-f]+\"" "\"hash\":\"0000000000000000\"" changed "${changed}")
file(WRITE ${copy} "${changed}")

execute_process(COMMAND ${TOOL} replay ${copy} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "a changed run gave exit code ${rc}, not 1:\n${err}")
endif()
if(NOT err MATCHES "stage 1: recorded score 1 " OR NOT err MATCHES "hash: expected \"0000000000000000\"")
  message(FATAL_ERROR "the differences were not told:\n${err}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E env ZENIT_UPDATE_GOLDEN=1 ${TOOL} replay ${copy}
                RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the update gave exit code ${rc}:\n${err}")
endif()
file(READ ${copy} updated)
if(NOT updated STREQUAL original)
  message(FATAL_ERROR "the updated run is not the original again:\n${updated}")
endif()
execute_process(COMMAND ${TOOL} replay ${copy} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the updated run does not pass (exit code ${rc})")
endif()
