# SPDX-License-Identifier: MIT
# One place that decides the warning flags of every target of ours.
function(brimel_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  endif()
endfunction()

# The program's own code keeps its use of Qt honest: no text converted from bytes of unknown
# encoding, no "signals" or "slots" keywords to clash with other libraries, nothing that Qt has
# deprecated by 6.4. (The tests' tables of literal texts are left the short form.)
function(brimel_program_code target)
  brimel_warnings(${target})
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_KEYWORDS
                                               QT_DISABLE_DEPRECATED_BEFORE=0x060400
                                               QT_DISABLE_DEPRECATED_UP_TO=0x060400)
endfunction()
