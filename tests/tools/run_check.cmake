# Runs "TOOL nmea check RECORDING" with the options named on the recording's "# Check:" header
# line and compares standard output with EXPECTED.
file(STRINGS ${RECORDING} header REGEX "^# Check: " LIMIT_COUNT 1)
string(REGEX REPLACE "^# Check: " "" options "${header}")
separate_arguments(options UNIX_COMMAND "${options}")
execute_process(COMMAND ${TOOL} nmea check ${RECORDING} ${options}
                OUTPUT_VARIABLE actual
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status STREQUAL 0)
  message(FATAL_ERROR "nmea check exited with ${status}: ${errors}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${ACTUAL} "${actual}")
  message(FATAL_ERROR "nmea check output differs from ${EXPECTED}; it is in ${ACTUAL}")
endif()
