# Fails when a test binary writes into a person's own folders: TEST runs with KV_CONFIG_DIR (a
# person's configuration folder) and XDG_CONFIG_HOME pointing into WORK, which must stay empty.
#   cmake -DTEST=<test binary> -DFILTER=<gtest filter> -DWORK=<folder> -P check_tests_keep_out.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/config" "${WORK}/xdg")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "KV_CONFIG_DIR=${WORK}/config" "XDG_CONFIG_HOME=${WORK}/xdg"
                        "${TEST}" "--gtest_filter=${FILTER}" RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "${TEST} failed:\n${_out}")
endif()
file(GLOB_RECURSE _left LIST_DIRECTORIES true "${WORK}/*")
list(REMOVE_ITEM _left "${WORK}/config" "${WORK}/xdg")
if(_left)
  message(FATAL_ERROR "the tests wrote into the person's folders:\n${_left}")
endif()
file(REMOVE_RECURSE "${WORK}")
