# SPDX-License-Identifier: MIT
# Runs TOOL (with the arguments ARGS, a list) with INPUT on standard input and fails unless its
# output equals EXPECTED. A tool built for another system runs through EMULATOR (Wine).
execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGS} INPUT_FILE ${INPUT} OUTPUT_VARIABLE actual RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TOOL} exited with ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/actual_output.tsv "${actual}")
  message(FATAL_ERROR "Output differs from ${EXPECTED}; see ${CMAKE_CURRENT_BINARY_DIR}/actual_output.tsv\n${actual}")
endif()
