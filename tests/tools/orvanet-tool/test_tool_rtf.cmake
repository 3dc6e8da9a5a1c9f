# orvanet-tool rtf: a document's text, one paragraph per line, cells by tabs;
# exit status 2 with one stderr line on a malformed argument.
set(data ${CMAKE_CURRENT_LIST_DIR}/data)
execute_process(COMMAND ${TOOL} rtf ${data}/sample.rtf OUTPUT_VARIABLE out RESULT_VARIABLE rc)
set(expected "سلام ی\ntwo lines\nFBS\t\t70 - 100\nend\n")
if(NOT rc EQUAL 0 OR NOT out STREQUAL "${expected}")
  message(FATAL_ERROR "rtf sample.rtf: status ${rc}, got [${out}] expected [${expected}]")
endif()
# A list item's number or bullet starts its line, as the writing program wrote it.
execute_process(COMMAND ${TOOL} rtf ${data}/list.rtf OUTPUT_VARIABLE out RESULT_VARIABLE rc)
set(expected "قوانين\n1.\tPay by the 10th\n2.\tKeep the receipt\n•\tOnline\n3.\tOld style\n")
if(NOT rc EQUAL 0 OR NOT out STREQUAL "${expected}")
  message(FATAL_ERROR "rtf list.rtf: status ${rc}, got [${out}] expected [${expected}]")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/ToolExpect.cmake)
expect_malformed(rtf)
expect_malformed(rtf ${data}/no-such-file.rtf)
expect_malformed(rtf ${data})
expect_malformed(rtf ${data}/sample.rtf extra)
