# Runs the whole data build (every step the build records in kv_data_steps.cmake) into another
# folder, which takes the build folder's place: the program folder becomes OUT/suite.
#   cmake -DSTEPS=<build>/kv_data_steps.cmake -DOUT=<folder> -P data_build.cmake
if(NOT STEPS OR NOT OUT)
  message(FATAL_ERROR "usage: cmake -DSTEPS=<kv_data_steps.cmake> -DOUT=<folder> -P data_build.cmake")
endif()

function(kv_step program)
  set(_args "")
  foreach(_a IN LISTS ARGN)
    string(REPLACE "@KV_OUT@" "${OUT}" _a "${_a}")
    list(APPEND _args "${_a}")
  endforeach()
  execute_process(COMMAND "${program}" ${_args} WORKING_DIRECTORY "${OUT}" RESULT_VARIABLE _rc
                  OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "data step failed (${_rc}): ${program} ${_args}\n${_out}")
  endif()
endfunction()

file(MAKE_DIRECTORY "${OUT}")
include("${STEPS}")
