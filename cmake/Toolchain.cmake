# Compiler launcher, warnings and the sanitizer and fuzzing switches.

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# GCC 12 takes the string code of its own library, inlined at -O3, for
# copies between overlapping bytes (its bug 105651); later versions do not.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

if(RIVO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=address,undefined)
endif()

if(RIVO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(WARNING "Fuzz targets need clang; RIVO_FUZZ is switched off")
    set(RIVO_FUZZ OFF CACHE BOOL "" FORCE)
  else()
    # Libraries get coverage feedback; each fuzz target links libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()
