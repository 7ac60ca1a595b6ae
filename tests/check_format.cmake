# SPDX-License-Identifier: MIT
# Fails when a C++ source under ROOT differs from what clang-format would write.
file(GLOB_RECURSE sources RELATIVE ${ROOT}
     ${ROOT}/app/*.cpp ${ROOT}/app/*.h ${ROOT}/runtime/*.cpp ${ROOT}/runtime/*.h
     ${ROOT}/solver/*.cpp ${ROOT}/solver/*.h ${ROOT}/windows/*.cpp ${ROOT}/windows/*.h
     ${ROOT}/tests/*.cpp ${ROOT}/tests/*.h ${ROOT}/tools/*.cpp ${ROOT}/tools/*.h
     ${ROOT}/bench/*.cpp ${ROOT}/bench/*.h ${ROOT}/testing/*.cpp ${ROOT}/testing/*.h
     ${ROOT}/fuzz/*.cpp ${ROOT}/fuzz/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
                WORKING_DIRECTORY ${ROOT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Run 'make format': some files are not formatted.")
endif()
