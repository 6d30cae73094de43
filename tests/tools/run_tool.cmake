# Runs "TOOL ARGS..." and checks its exit status against EXPECTED_STATUS and its standard output
# and error, together, against the regular expression PATTERN.
execute_process(COMMAND ${TOOL} ${ARGS}
                OUTPUT_VARIABLE output
                ERROR_VARIABLE output
                RESULT_VARIABLE status)
if(NOT status STREQUAL EXPECTED_STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECTED_STATUS}\n${output}")
endif()
if(NOT output MATCHES "${PATTERN}")
  message(FATAL_ERROR "the output does not match \"${PATTERN}\":\n${output}")
endif()
