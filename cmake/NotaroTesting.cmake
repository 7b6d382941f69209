# notaro_add_gtest(NAME SOURCES ... LIBS ... [ENVIRONMENT ...])
# One GoogleTest program, its cases discovered by CTest when the suite runs.
find_package(GTest REQUIRED)
include(GoogleTest)

function(notaro_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Test helpers are included by their path from the top ("tests/common/SilenceCheck.h").
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    NOTARO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    NOTARO_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set(env ${ARG_ENVIRONMENT})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
