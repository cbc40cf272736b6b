# Run by ctest (see CMakeLists.txt beside this file):
#   1. cmake --install BUILD_DIR into WORK_DIR/stage;
#   2. the installed program answers one date;
#   3. the consumer project in CONSUMER_DIR finds the package in the stage
#      only (no package registry, no other prefix), builds with warnings as
#      errors, and prints the Sun at 2000 January 1.5.
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR WORK_DIR CONSUMER_DIR CXX_COMPILER)
  if(NOT ${var})
    message(FATAL_ERROR "install_and_consume: ${var} is not set")
  endif()
endforeach()

set(stage ${WORK_DIR}/stage)
set(consumer_build ${WORK_DIR}/consumer)
file(REMOVE_RECURSE ${WORK_DIR})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status
    OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}: expected\n${expected}\ngot\n${actual}")
  endif()
endfunction()

set(config_option)
if(BUILD_TYPE)
  set(config_option --config ${BUILD_TYPE})
endif()
run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage} ${config_option})

foreach(installed bin/ephemerides include/astro/body.h include/astro/time_base.h
                  include/astro/constants.h)
  if(NOT EXISTS ${stage}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
file(GLOB_RECURSE package_config ${stage}/*/EphemeridesConfig.cmake)
if(NOT package_config)
  message(FATAL_ERROR "no EphemeridesConfig.cmake under ${stage}")
endif()

# The installed program: banner, prompts and the header line of one report.
execute_process(COMMAND ${stage}/bin/ephemerides
  INPUT_FILE ${CONSUMER_DIR}/date.txt
  RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE err)
expect("installed ephemerides exit status" "${status}" "0")
string(FIND "${report}" "1.5/1/2000  (Jour Julien : 2451545)" header)
if(header EQUAL -1)
  message(FATAL_ERROR "installed ephemerides printed no report for 1.5 1 2000:\n${report}${err}")
endif()

run("configuring the consumer" ${CMAKE_COMMAND}
  -S ${CONSUMER_DIR} -B ${consumer_build}
  -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
  "-DCMAKE_CXX_FLAGS=${CXX_FLAGS} -Wall -Wextra -Wpedantic -Werror"
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
  -DCMAKE_PREFIX_PATH=${stage}
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
  -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)

# The package must come from the stage, not from the build tree or the system.
file(STRINGS ${consumer_build}/CMakeCache.txt found_dir REGEX "^Ephemerides_DIR:")
string(REGEX REPLACE "^[^=]*=" "" found_dir "${found_dir}")
string(FIND "${found_dir}" "${stage}/" in_stage)
if(NOT in_stage EQUAL 0)
  message(FATAL_ERROR "Ephemerides found outside the stage: ${found_dir}")
endif()

run("building the consumer" ${CMAKE_COMMAND} --build ${consumer_build})
run("running the consumer" ${consumer_build}/consumer)
expect("consumer output" "${output}"
  "jd 2451545\nra -1.3737113\ndec -0.40200609\nra_deg -78.707862\n")
