# Pipes INPUT through "TOOL calc" and compares standard output with EXPECTED and the exit status
# with EXPECTED_STATUS.
execute_process(COMMAND ${TOOL} calc
                INPUT_FILE ${INPUT}
                OUTPUT_VARIABLE actual
                RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "calc output differs.\n--- expected\n${expected}--- actual\n${actual}")
endif()
if(NOT status STREQUAL EXPECTED_STATUS)
  message(FATAL_ERROR "calc exited with ${status}, expected ${EXPECTED_STATUS}")
endif()
