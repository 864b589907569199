# The data build is deterministic: it runs twice into two fresh folders below WORK, the two trees
# must be equal byte for byte (each run's time is printed, not bounded: a loaded machine is slow),
# and every file must also equal the one the build itself wrote below BUILD (so the recorded steps are the build's).
# Both runs see a home, configuration, cache and temporary folder of their own, empty before the
# first run: the first is a new user's first build on a fresh machine (what libraries leave behind
# on a first run is not there yet), the second a later build on the same machine.
#   cmake -DSTEPS=<build>/kv_data_steps.cmake -DBUILD=<build> -DWORK=<folder> -P check_data_build.cmake
if(NOT STEPS OR NOT BUILD OR NOT WORK)
  message(FATAL_ERROR "usage: cmake -DSTEPS=... -DBUILD=<build folder> -DWORK=<folder> -P check_data_build.cmake")
endif()

# Every file below dir as "relative path" and its SHA-256, in two lists of the same order.
function(tree_hashes dir out_files out_hashes)
  file(GLOB_RECURSE _all LIST_DIRECTORIES false "${dir}/*")
  list(SORT _all)
  set(_files "")
  set(_hashes "")
  foreach(f IN LISTS _all)
    file(RELATIVE_PATH _rel "${dir}" "${f}")
    file(SHA256 "${f}" _h)
    list(APPEND _files "${_rel}")
    list(APPEND _hashes "${_h}")
  endforeach()
  set(${out_files} "${_files}" PARENT_SCOPE)
  set(${out_hashes} "${_hashes}" PARENT_SCOPE)
endfunction()

set(_home "${WORK}/home")
file(REMOVE_RECURSE "${_home}")
file(MAKE_DIRECTORY "${_home}/config" "${_home}/cache" "${_home}/tmp")
set(_runs a b)
foreach(run IN LISTS _runs)
  file(REMOVE_RECURSE "${WORK}/${run}")
  string(TIMESTAMP _t0 "%s%f" UTC)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=XDG_RUNTIME_DIR --unset=PULSE_RUNTIME_PATH
                          --unset=PULSE_SERVER "HOME=${_home}" "XDG_CONFIG_HOME=${_home}/config"
                          "XDG_CACHE_HOME=${_home}/cache" "TMPDIR=${_home}/tmp"
                          "${CMAKE_COMMAND}" -DSTEPS=${STEPS} -DOUT=${WORK}/${run}
                          -P "${CMAKE_CURRENT_LIST_DIR}/data_build.cmake"
                  RESULT_VARIABLE _rc)
  string(TIMESTAMP _t1 "%s%f" UTC)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "data build ${run} failed")
  endif()
  math(EXPR _ms "(${_t1} - ${_t0}) / 1000")
  message(STATUS "data build ${run}: ${_ms} ms")
  tree_hashes("${WORK}/${run}" _files_${run} _hashes_${run})
endforeach()

list(LENGTH _files_a _n)
if(_n LESS 100)
  message(FATAL_ERROR "the data build wrote only ${_n} files")
endif()
if(NOT _files_a STREQUAL _files_b)
  message(FATAL_ERROR "the two data builds wrote different files:\n${_files_a}\n---\n${_files_b}")
endif()
set(_bad "")
math(EXPR _last "${_n} - 1")
foreach(i RANGE ${_last})
  list(GET _files_a ${i} _rel)
  list(GET _hashes_a ${i} _ha)
  list(GET _hashes_b ${i} _hb)
  if(NOT _ha STREQUAL _hb)
    list(APPEND _bad "differs between the runs: ${_rel}")
  endif()
  if(NOT EXISTS "${BUILD}/${_rel}")
    list(APPEND _bad "not in the build: ${_rel}")
  else()
    file(SHA256 "${BUILD}/${_rel}" _hbuild)
    if(NOT _ha STREQUAL _hbuild)
      list(APPEND _bad "differs from the build's: ${_rel}")
    endif()
  endif()
endforeach()
if(_bad)
  string(JOIN "\n" _bad ${_bad})
  message(FATAL_ERROR "${_bad}")
endif()
file(REMOVE_RECURSE "${WORK}/a" "${WORK}/b" "${_home}")
message(STATUS "data build deterministic: ${_n} files, equal in both runs and to the build's")
