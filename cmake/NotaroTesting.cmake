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
  # The properties reach each discovered test as one flat list, which would split a list of
  # variables; so a program takes at most one variable here.
  list(LENGTH ARG_ENVIRONMENT count)
  if(count GREATER 1)
    message(FATAL_ERROR "notaro_add_gtest(${name}): ENVIRONMENT takes one variable")
  endif()
  set(props TIMEOUT 300)
  if(ARG_ENVIRONMENT)
    list(APPEND props ENVIRONMENT ${ARG_ENVIRONMENT})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
endfunction()
