# Fails unless every gtest that CTest runs carries what scripts and people select and run it by:
# the label gtest (the sanitizer stage leaves those tests to its whole-binary runs), the offscreen
# video and dummy audio drivers, and the time limit TIMEOUT (seconds); and no other test carries
# the label. Run in the build folder BUILD; CTest's own selection is the oracle.
function(ctest_out var)
  execute_process(COMMAND ${CMAKE_CTEST_COMMAND} ${ARGN} WORKING_DIRECTORY ${BUILD}
                  OUTPUT_VARIABLE _out ERROR_VARIABLE _err RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "ctest ${ARGN} failed: ${_err}")
  endif()
  set(${var} "${_out}" PARENT_SCOPE)
endfunction()

function(count var regex text)
  string(REGEX MATCHALL "${regex}" _all "${text}")
  list(LENGTH _all _n)
  set(${var} ${_n} PARENT_SCOPE)
endfunction()

set(_gtest_command "Test command: [^\n]*\"--gtest_filter=")
ctest_out(_everything -N -V)
count(_gtests "${_gtest_command}" "${_everything}")
if(_gtests EQUAL 0)
  message(FATAL_ERROR "no gtest found in ${BUILD}")
endif()

ctest_out(_labelled -N -V -L "^gtest$")
count(_in_label "\n  Test +#[0-9]+: " "${_labelled}")
count(_gtests_in_label "${_gtest_command}" "${_labelled}")
count(_video "\n[0-9]+:  SDL_VIDEODRIVER=offscreen\n" "${_labelled}")
count(_audio "\n[0-9]+:  SDL_AUDIODRIVER=set:dummy\n" "${_labelled}")
ctest_out(_json --show-only=json-v1 -L "^gtest$")
count(_timeouts "\"name\" *: *\"TIMEOUT\",[ \n]*\"value\" *: *${TIMEOUT}(\\.0*)?[ \n]" "${_json}")

set(_bad "")
if(NOT _in_label EQUAL _gtests OR NOT _gtests_in_label EQUAL _gtests)
  string(APPEND _bad "\n ${_gtests} gtests, ${_in_label} tests labelled gtest of which ${_gtests_in_label} are gtests")
endif()
if(NOT _video EQUAL _gtests OR NOT _audio EQUAL _gtests)
  string(APPEND _bad "\n ${_gtests} gtests, ${_video} with the offscreen video driver, ${_audio} with the dummy audio driver")
endif()
if(NOT _timeouts EQUAL _gtests)
  string(APPEND _bad "\n ${_gtests} gtests, ${_timeouts} with the time limit ${TIMEOUT} s")
endif()
if(_bad)
  message(FATAL_ERROR "the gtests' CTest properties are not all applied:${_bad}")
endif()
message(STATUS "${_gtests} gtests, each labelled gtest, on the offscreen drivers, limited to ${TIMEOUT} s")
