# tagloom_add_test(NAME SOURCES... LIBS lib...)
# One GoogleTest program, with each of its tests a ctest test of its own.
#
# The tests are listed when ctest runs, not when the program is built: under Wine that
# needs the virtual display, which exists only while the tests run. This does what
# gtest_discover_tests(... DISCOVERY_MODE PRE_TEST) does, with one difference: CMake 3.25
# rewrites that mode's include file at every re-configure into a file that includes
# itself, so a second `make test` would fail; here the file is only ever generated.
function(tagloom_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tagloom_options GTest::gtest_main)

    set(base "${CMAKE_CURRENT_BINARY_DIR}/${name}")
    set(tests_file "${base}_tests.cmake")
    get_property(emulator TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR)
    file(GENERATE OUTPUT "${base}_discover.cmake" CONTENT "\
if(EXISTS \"$<TARGET_FILE:${name}>\")
  if(NOT EXISTS \"${tests_file}\" OR NOT \"${tests_file}\" IS_NEWER_THAN \"$<TARGET_FILE:${name}>\")
    include(\"${_GOOGLETEST_DISCOVER_TESTS_SCRIPT}\")
    gtest_discover_tests_impl(
      TEST_EXECUTABLE [==[$<TARGET_FILE:${name}>]==]
      TEST_EXECUTOR [==[${emulator}]==]
      TEST_WORKING_DIR [==[${CMAKE_CURRENT_BINARY_DIR}]==]
      TEST_EXTRA_ARGS [==[]==]
      TEST_PROPERTIES [==[]==]
      TEST_PREFIX [==[]==]
      TEST_SUFFIX [==[]==]
      TEST_FILTER [==[]==]
      NO_PRETTY_TYPES [==[FALSE]==]
      NO_PRETTY_VALUES [==[FALSE]==]
      TEST_LIST [==[${name}_TESTS]==]
      CTEST_FILE [==[${tests_file}]==]
      TEST_DISCOVERY_TIMEOUT [==[120]==]
      TEST_XML_OUTPUT_DIR [==[]==]
    )
  endif()
  include(\"${tests_file}\")
else()
  add_test(${name}_NOT_BUILT ${name}_NOT_BUILT)
endif()
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${base}_discover.cmake")
endfunction()
