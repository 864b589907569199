# The flight model's harness, benchmark and tests are built from the foundation library, the platform
# layer and simulator/flight alone: every input ninja lists for them (sources, objects, libraries)
# lies outside the other subsystems, the companion programs and the motion-base library.
#   -DBUILD=<build folder> -DSRC=<source tree> -DTARGETS=<target;...>
foreach(t ${TARGETS})
  execute_process(COMMAND ninja -C ${BUILD} -t inputs ${t} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR out STREQUAL "")
    message(FATAL_ERROR "ninja could not list the inputs of ${t}: ${err}")
  endif()
  string(REPLACE "\n" ";" inputs "${out}")
  set(flight_sources 0)
  foreach(i ${inputs})
    # Judge each input by its place inside the source tree or the build, not by the folder the
    # checkout happens to sit in (a checkout called "motion" must not fail everything).
    string(REPLACE "${SRC}/" "/" i "${i}")
    string(REPLACE "${BUILD}/" "/" i "${i}")
    if(i MATCHES "simulator/(shell|world|cockpit)/|^/?(motion|foilwright|hullwright|landwright|skycaster|hullconvert)/|tiltrix")
      message(FATAL_ERROR "${t} is built from ${i}")
    endif()
    if(i MATCHES "simulator/flight/")
      math(EXPR flight_sources "${flight_sources} + 1")
    endif()
  endforeach()
  if(flight_sources EQUAL 0)
    message(FATAL_ERROR "${t} lists no input of simulator/flight: the check sees nothing")
  endif()
endforeach()
