find_package(GTest REQUIRED)

# kc_add_test(<name> SOURCES <files...> [LIBS <libs...>] [LABELS <labels...>])
# One GoogleTest executable, registered with ctest case by case.
function(kc_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE kc_testsupport GTest::gtest GTest::gmock GTest::gtest_main ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 120
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KC_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;KC_SCENARIOS=${PROJECT_SOURCE_DIR}/sim/scenarios;KC_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
    DISCOVERY_TIMEOUT 60)
endfunction()
