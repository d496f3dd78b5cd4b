# SPDX-License-Identifier: Apache-2.0
find_package(GTest REQUIRED)

# kc_add_test(<name> SOURCES <files...> [LIBS <libs...>] [LABELS <label>])
# One GoogleTest executable, registered with ctest case by case. Test data
# and scenario folders reach the tests through kc_testsupport's compile
# definitions (gtest_discover_tests passes only one environment entry intact).
function(kc_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS OR ARG_KEYWORDS_MISSING_VALUES)
    message(FATAL_ERROR "kc_add_test(${name}): unknown or empty arguments: ${ARG_UNPARSED_ARGUMENTS} ${ARG_KEYWORDS_MISSING_VALUES}")
  endif()
  if(NOT ARG_SOURCES)
    message(FATAL_ERROR "kc_add_test(${name}) needs SOURCES")
  endif()
  # gtest_discover_tests flattens a list in PROPERTIES, so a second label
  # would silently swallow the timeout and environment after it.
  list(LENGTH ARG_LABELS label_count)
  if(label_count GREATER 1)
    message(FATAL_ERROR "kc_add_test(${name}) takes one label, not: ${ARG_LABELS}")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE kc_testsupport GTest::gtest GTest::gmock GTest::gtest_main ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 120
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
