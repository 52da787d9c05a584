# Helpers shared by the subsystem folders.

# hx_library(name SOURCES ... DEPS ...): a static library of the portable core or the platform.
function(hx_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

# hx_test(name SOURCES ... DEPS ...): a GoogleTest program. Natively each test case becomes a
# ctest entry; under Wine one entry runs the whole program, since every launch costs a start.
function(hx_test name)
  if(HX_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE HX_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data")
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# hx_benchmark(name SOURCES ... DEPS ...): a Google Benchmark program (native builds only).
function(hx_benchmark name)
  if(NOT HX_BENCH OR HX_FUZZ OR WIN32)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} benchmark::benchmark)
endfunction()

# hx_fuzzer(name SOURCES ... DEPS ... CORPUS dir): a libFuzzer target; ctest replays its corpus.
function(hx_fuzzer name)
  if(NOT HX_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "" "CORPUS" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  add_test(NAME ${name}_corpus COMMAND ${name} -runs=0 ${A_CORPUS})
endfunction()
