# Warnings for the project's own targets only; third-party headers come in as SYSTEM.
function(vcfcsv_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  if(VCFCSV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# add_unit_test(name SOURCES ... LIBS ...): one GoogleTest binary, its cases registered with CTest.
function(add_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE VCFCSV_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  vcfcsv_target_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# add_fuzzer(name SOURCE file LIBS ...): with clang a libFuzzer binary; with any other compiler a
# plain program that replays every file of fuzz/corpus/<name> through the same entry point.
# Either way a CTest case replays the corpus, so a crash that was found once stays found.
function(add_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCE})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  vcfcsv_target_warnings(${name})
  set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_test(NAME ${name}.replay COMMAND ${name} -runs=0 ${corpus})
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    add_test(NAME ${name}.replay COMMAND ${name} ${corpus})
  endif()
endfunction()
