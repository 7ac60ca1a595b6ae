# SPDX-License-Identifier: MIT
# Runs a Qt Test program built for Windows through EMULATOR (Wine), which keeps QT_ variables
# from the environment and loses a failing test's standard output: the platform goes on the
# command line (PLATFORM, for tests with windows), the log into LOG, which is printed.
if(PLATFORM)
  set(platform -platform ${PLATFORM})
endif()
if(NEEDS_DISPLAY AND NOT DEFINED ENV{DISPLAY})
  message(FATAL_ERROR "${TEST} -platform ${PLATFORM} needs an X server for Wine: run CTest "
                      "through tools/with_private_x.sh")
endif()
file(REMOVE ${LOG})
execute_process(COMMAND ${EMULATOR} ${TEST} ${platform} -o ${LOG},txt RESULT_VARIABLE status)
if(EXISTS ${LOG})
  file(READ ${LOG} log)
  message("${log}")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TEST} exited with ${status}")
endif()
