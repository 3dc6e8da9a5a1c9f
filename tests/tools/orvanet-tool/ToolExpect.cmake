# Shared by the tool's command tests: `expect_malformed(COMMAND ARGS...)` checks
# exit status 2, exactly one line on stderr and nothing on stdout.
function(expect_malformed command)
  execute_process(COMMAND ${TOOL} ${command} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  string(REGEX MATCHALL "\n" breaks "${err}")
  list(LENGTH breaks lines)
  if(NOT rc EQUAL 2 OR NOT lines EQUAL 1 OR NOT out STREQUAL "")
    message(FATAL_ERROR "${command} ${ARGN}: status ${rc}, stderr [${err}], stdout [${out}]")
  endif()
endfunction()
