# tagloom_add_test(NAME SOURCES... LIBS lib...)
# One GoogleTest program. Its tests are listed when ctest runs (under Wine for the
# Windows build, which needs the virtual display that only exists at that moment).
function(tagloom_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tagloom_options GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
