# Runs one program of the Windows build under Wine and checks how it ended:
#   cmake -DWINE=... -DPROGRAM=... [-DARGUMENTS=a;b] -DEXPECT_STATUS=N
#         [-DEXPECT_STDERR=text] -P ExpectRun.cmake
# EXPECT_STDERR is a text the program's standard error must hold (Wine ends its lines with
# CR LF, which is left out of the comparison).
execute_process(COMMAND ${WINE} ${PROGRAM} ${ARGUMENTS}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
string(REPLACE "\r" "" err "${err}")
if(NOT status STREQUAL EXPECT_STATUS)
  message(FATAL_ERROR "${PROGRAM} ended with ${status}, not ${EXPECT_STATUS}\nstdout: ${out}\nstderr: ${err}")
endif()
if(DEFINED EXPECT_STDERR)
  string(FIND "${err}" "${EXPECT_STDERR}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PROGRAM}: standard error lacks \"${EXPECT_STDERR}\"\nstderr: ${err}")
  endif()
endif()
