include_guard(GLOBAL)
include(GoogleTest)

# velor_add_test(NAME src... LIBS lib...)
# A GoogleTest executable whose cases are listed when ctest runs; widgets use the
# offscreen platform so the suite runs without a display.
function(velor_add_test name)
  if(NOT VELOR_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/SanitizerDefaults.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # One variable only: this CMake passes the discovered tests' properties on as a flat
  # list, so a second "NAME=value" would be taken for a property of its own.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()

# velor_add_benchmark(NAME src... LIBS lib...)
function(velor_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()

# velor_add_fuzzer(NAME src... LIBS lib...) — only with -DVELOR_FUZZ=ON and clang.
function(velor_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VELOR_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()
