# Helpers that keep the per-folder CMake files short: a subsystem is one static
# library of every .cpp in its folder; its tests are every .cpp in tests/<name>.

# rivo_subsystem(NAME [DEPS lib...] [EXCLUDE_SUBDIRS]) builds rivo_NAME from src/NAME/*.cpp.
function(rivo_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(rivo_${name} STATIC ${sources})
  target_include_directories(rivo_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(rivo_${name} PUBLIC ${ARG_DEPS})
endfunction()

# rivo_test_suite(NAME LIBS lib...) builds test_NAME from tests/NAME/*.cpp.
function(rivo_test_suite name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(test_${name} PRIVATE
    RIVO_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
    RIVO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(test_${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy")
endfunction()
