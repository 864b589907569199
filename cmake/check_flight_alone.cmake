# The flight model builds and flies alone: configures the source tree with KV_FLIGHT_ONLY (the
# foundation library, the platform layer, simulator/flight, the flight harness, its benchmark, the
# aircraft and airfoil generators and the flight-model tests, nothing else), builds the benchmark
# and the data, checks that no other subsystem was compiled, and runs the benchmark briefly on the
# bundled aircraft. (The flight-model tests' own inputs are checked in the full build by
# check_flight_inputs.cmake, which costs no compiling.)
#   -DSRC=<source tree> -DWORK=<build folder>
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SRC} -B ${WORK} -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
                        -DKV_FLIGHT_ONLY=ON
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the flight-only build failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK} --target bench_flight kv_data
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the flight model alone failed:\n${out}")
endif()
# Nothing of the other subsystems, the companion programs or the motion-base library is built.
file(GLOB_RECURSE _objects RELATIVE ${WORK} ${WORK}/*.o)
foreach(o ${_objects})
  if(o MATCHES "simulator/(shell|world|cockpit)/|/(motion|foilwright|hullwright|landwright|skycaster|hullconvert)/")
    message(FATAL_ERROR "the flight-only build compiled ${o}")
  endif()
endforeach()
execute_process(COMMAND ${WORK}/tools/bench_flight/bench_flight 2000
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
message(STATUS "${out}")
if(NOT rc EQUAL 0 OR NOT out MATCHES "trainer, cruise: +[0-9]+ sub-steps/s")
  message(FATAL_ERROR "the benchmark did not fly the bundled trainer")
endif()
file(REMOVE_RECURSE ${WORK})
