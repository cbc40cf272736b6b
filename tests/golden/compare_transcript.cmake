# Runs PROGRAM (with ARGS, if given) on INPUT and compares its standard
# output byte for byte with the files of EXPECTED, a list whose contents
# are expected one after the other. The exit status must be STATUS (0 if
# not given).
if(NOT DEFINED STATUS)
  set(STATUS 0)
endif()
set(expected_text "")
foreach(part IN LISTS EXPECTED)
  file(READ ${part} text)
  string(APPEND expected_text "${text}")
endforeach()
file(WRITE ${ACTUAL}.expected "${expected_text}")

separate_arguments(arguments UNIX_COMMAND "${ARGS}")
execute_process(
  COMMAND ${PROGRAM} ${arguments}
  INPUT_FILE ${INPUT}
  OUTPUT_FILE ${ACTUAL}
  ERROR_VARIABLE messages
  RESULT_VARIABLE status
  TIMEOUT 30)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\n${messages}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ACTUAL} ${ACTUAL}.expected
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "standard output differs from the expected one; run:\n"
                      "diff ${ACTUAL}.expected ${ACTUAL}")
endif()
