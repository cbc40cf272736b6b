# Run by ctest (see CMakeLists.txt beside this file):
#   1. cmake --install BUILD_DIR (the build already made) into
#      WORK_DIR/static: exactly the public header and the version header
#      under include/astro, and no symbol of libephemerides.a outside the
#      namespace astro;
#   2. the installed program answers one date, and looks for a shared
#      libephemerides in ../lib beside it;
#   3. the consumer project in CONSUMER_DIR finds the package in the stage
#      only (no package registry, no other prefix), builds with warnings as
#      errors, and prints what it computed; the same source built through
#      pkg-config prints the same;
#   4. SOURCE_DIR configured with BUILD_SHARED_LIBS=ON, the library alone
#      built and installed (component "library") into WORK_DIR/shared:
#      libephemerides.so exports nothing outside the namespace, and the
#      consumer built against it through the CMake package and through
#      pkg-config prints the same again. The program linked with the shared
#      library is built by the release preset (CI's `make release`).
cmake_minimum_required(VERSION 3.25)

foreach(var SOURCE_DIR VERSION BUILD_DIR WORK_DIR CONSUMER_DIR CXX_COMPILER NM READELF PKG_CONFIG)
  if(NOT ${var})
    message(FATAL_ERROR "install_and_consume: ${var} is not set")
  endif()
endforeach()
string(REGEX MATCH "^[0-9]+" VERSION_MAJOR "${VERSION}")
# The exported targets' file of the build type, as CMake names it.
string(TOLOWER "${BUILD_TYPE}" build_type_lower)
if(NOT build_type_lower)
  set(build_type_lower noconfig)
endif()

file(REMOVE_RECURSE ${WORK_DIR})
set(static ${WORK_DIR}/static)
set(shared ${WORK_DIR}/shared)
set(warnings "-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror")
separate_arguments(flags UNIX_COMMAND "${CXX_FLAGS} ${warnings}")
set(expected_consumer_output "version ${VERSION}
jd 2451545
ra 4.909474
dec -0.40200609
ra_h 18.752809
moon_au 0.0026900708
moon_km 402428.86
status 0
")

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

# Every symbol the library defines for others to use must be in astro::.
# The mangled names are read, since a demangled function template begins
# with its return type: _ZN5astro..., _ZNK5astro... (const members), and
# the special names _ZTV, _ZTI, _ZGV... of astro's own entities. An
# unoptimised build also carries weak copies of the standard library's
# templates (std::, __gnu_cxx::) that it instantiated, which the linker
# merges with everyone else's, and AddressSanitizer adds its own markers.
# Code that allocates (findEvents returns a std::vector) unwinds through
# the C++ personality routine, which each object file refers to by a weak
# DW.ref.__gxx_personality_v0 that the linker merges likewise.
function(expect_only_astro_symbols library)
  run("nm ${library}" ${NM} --defined-only --extern-only ${ARGN} ${library})
  string(REPLACE "\n" ";" lines "${output}")
  set(count 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^[0-9a-f]+ ([A-Za-z]) (.*)$")
      set(kind ${CMAKE_MATCH_1})
      set(name ${CMAKE_MATCH_2})
      if(name MATCHES "^_Z(T[VIS]|GV|TH|TW)?N[rVK]*5astro")
        math(EXPR count "${count} + 1")
      elseif(NOT (kind MATCHES "^[WV]$" AND name MATCHES "^_Z(N[rVK]*)?(St|S[absiod]|9__gnu_cxx)")
             AND NOT name MATCHES "^__(odr_)?asan"
             AND NOT (kind STREQUAL "V" AND name STREQUAL "DW.ref.__gxx_personality_v0"))
        execute_process(COMMAND c++filt "${name}" OUTPUT_VARIABLE readable)
        message(FATAL_ERROR "${library} has a symbol outside the namespace: ${line} ${readable}")
      endif()
    endif()
  endforeach()
  if(count EQUAL 0)
    message(FATAL_ERROR "no symbols read from ${library}:\n${output}")
  endif()
endfunction()

# The consumer's source built with pkg-config's flags against a stage.
function(build_with_pkg_config stage output_name)
  set(ENV{PKG_CONFIG_PATH} ${stage}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_LIBDIR} ${stage}/lib/pkgconfig)
  run("pkg-config --modversion" ${PKG_CONFIG} --modversion ephemerides)
  expect("pkg-config's version (${stage})" "${output}" "${VERSION}\n")
  run("pkg-config" ${PKG_CONFIG} --cflags --libs ephemerides)
  separate_arguments(pc_flags UNIX_COMMAND "${output}")
  run("building the consumer with pkg-config" ${CXX_COMPILER} -std=c++17 ${flags}
    ${CONSUMER_DIR}/main.cpp ${pc_flags} -Wl,-rpath,${stage}/lib -o ${WORK_DIR}/${output_name})
  run("running the pkg-config consumer" ${WORK_DIR}/${output_name})
  expect("pkg-config consumer output (${stage})" "${output}" "${expected_consumer_output}")
endfunction()

# 1. The static build, installed.
set(config_option)
if(BUILD_TYPE)
  set(config_option --config ${BUILD_TYPE})
endif()
run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${static} ${config_option})
file(GLOB headers RELATIVE ${static}/include ${static}/include/*/*)
expect("installed headers" "${headers}" "astro/astro.h;astro/version.h")
foreach(installed bin/ephemerides lib/libephemerides.a lib/pkgconfig/ephemerides.pc
                  lib/cmake/Ephemerides/EphemeridesConfig.cmake share/doc/ephemerides/LICENSE
                  share/doc/ephemerides/docs/accuracy.md
                  share/man/man1/ephemerides.1)
  if(NOT EXISTS ${static}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
expect_only_astro_symbols(${static}/lib/libephemerides.a)

# 2. The installed program: banner, prompts and one report.
run("installed ephemerides" ${static}/bin/ephemerides INPUT_FILE ${CONSUMER_DIR}/date.txt)
set(static_report "${output}")
string(FIND "${static_report}" "1.5/1/2000  (Jour Julien : 2451545)" header)
if(header EQUAL -1)
  message(FATAL_ERROR "installed ephemerides printed no report for 1.5 1 2000:\n${static_report}")
endif()

# The installed program finds a shared libephemerides in ../lib.
run("readelf" ${READELF} -d ${static}/bin/ephemerides)
if(NOT output MATCHES "\\(RUNPATH\\)[^\n]*\\[\\$ORIGIN/\\.\\./lib\\]")
  message(FATAL_ERROR "the installed program's run path is not $ORIGIN/../lib:\n${output}")
endif()

# 3. The consumer through the CMake package, then through pkg-config.
# The package must come from the stage, not from the build tree or the system.
function(build_with_package stage build_dir)
  run("configuring the consumer (${stage})" ${CMAKE_COMMAND}
    -S ${CONSUMER_DIR} -B ${build_dir}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS} ${warnings}"
    -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    -DCMAKE_PREFIX_PATH=${stage}
    -DEXPECTED_VERSION=${VERSION}
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
    -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
  file(STRINGS ${build_dir}/CMakeCache.txt found_dir REGEX "^Ephemerides_DIR:")
  string(REGEX REPLACE "^[^=]*=" "" found_dir "${found_dir}")
  string(FIND "${found_dir}" "${stage}/" in_stage)
  if(NOT in_stage EQUAL 0)
    message(FATAL_ERROR "Ephemerides found outside the stage ${stage}: ${found_dir}")
  endif()
  run("building the consumer (${stage})" ${CMAKE_COMMAND} --build ${build_dir})
  run("running the consumer (${stage})" ${build_dir}/consumer)
  expect("consumer output (${stage})" "${output}" "${expected_consumer_output}")
  run("running the consumer of Ephemerides::astro (${stage})" ${build_dir}/consumer_old_name)
  expect("consumer of Ephemerides::astro (${stage})" "${output}" "${expected_consumer_output}")
endfunction()
build_with_package(${static} ${WORK_DIR}/consumer)
build_with_pkg_config(${static} consumer_pkg_static)

# 4. The shared library: the library alone built and installed, the same
# answers. Its objects are those of the static library (position-independent
# both), so a build of the library target is all it takes.
run("configuring the shared build" ${CMAKE_COMMAND}
  -S ${SOURCE_DIR} -B ${WORK_DIR}/shared-build
  -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
  "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
  -DBUILD_SHARED_LIBS=ON -DBUILD_TESTING=OFF)
run("building the shared library" ${CMAKE_COMMAND} --build ${WORK_DIR}/shared-build
  --target ephemerides_library --parallel 2)
run("installing the shared library" ${CMAKE_COMMAND} --install ${WORK_DIR}/shared-build
  --component library --prefix ${shared} ${config_option})
file(GLOB_RECURSE installed RELATIVE ${shared} ${shared}/*)
list(SORT installed)
expect("files of the component library" "${installed}"
  "include/astro/astro.h;include/astro/version.h;lib/cmake/Ephemerides/EphemeridesConfig.cmake;\
lib/cmake/Ephemerides/EphemeridesConfigVersion.cmake;lib/cmake/Ephemerides/EphemeridesTargets-${build_type_lower}.cmake;\
lib/cmake/Ephemerides/EphemeridesTargets.cmake;lib/libephemerides.so;lib/libephemerides.so.${VERSION_MAJOR};\
lib/libephemerides.so.${VERSION};lib/pkgconfig/ephemerides.pc")
expect_only_astro_symbols(${shared}/lib/libephemerides.so -D)
build_with_package(${shared} ${WORK_DIR}/consumer-shared)
build_with_pkg_config(${shared} consumer_pkg_shared)
