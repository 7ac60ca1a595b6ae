# SPDX-License-Identifier: MIT
# One place that decides the warning flags of every target of ours.
function(brimel_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endif()
endfunction()
