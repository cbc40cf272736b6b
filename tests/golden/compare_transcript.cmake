# Runs PROGRAM with INPUT on its standard input and compares its standard
# output byte for byte with EXPECTED. The exit status must be 0.
execute_process(
  COMMAND ${PROGRAM}
  INPUT_FILE ${INPUT}
  OUTPUT_FILE ${ACTUAL}
  ERROR_VARIABLE messages
  RESULT_VARIABLE status
  TIMEOUT 30)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}\n${messages}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ACTUAL} ${EXPECTED}
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "standard output differs from ${EXPECTED}; see ${ACTUAL}\n"
                      "run: diff ${EXPECTED} ${ACTUAL}")
endif()
