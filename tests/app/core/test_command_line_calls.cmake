# orvanet and orvanet-tool answer --help and --version on standard output with
# status 0 with no display at all, and a wrong argument with the usage on
# stderr and status 2.
set(nodisplay ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
foreach(program ${PROGRAM} ${TOOL})
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${nodisplay} ${program} --help OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^Usage: ${name} " OR NOT err STREQUAL "")
    message(FATAL_ERROR "${name} --help: status ${rc}, stdout [${out}], stderr [${err}]")
  endif()
  execute_process(COMMAND ${nodisplay} ${program} --version OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^${name} [0-9]+\\.[0-9]+\n" OR NOT err STREQUAL "")
    message(FATAL_ERROR "${name} --version: status ${rc}, stdout [${out}], stderr [${err}]")
  endif()
  execute_process(COMMAND ${nodisplay} ${program} --bogus OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 2 OR NOT err MATCHES "usage" OR NOT out STREQUAL "")
    message(FATAL_ERROR "${name} --bogus: status ${rc}, stdout [${out}], stderr [${err}]")
  endif()
endforeach()
