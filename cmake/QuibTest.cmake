# quib_add_test(name SOURCES... LIBS...): one GoogleTest executable registered with CTest.
function(quib_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} ${ARG_ARGS})
endfunction()
