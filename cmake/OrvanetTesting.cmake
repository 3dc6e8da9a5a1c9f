# orv_gtest(name SOURCES ... LIBS ...): one GoogleTest executable per test file.
# orv_qtest(name SOURCES ... LIBS ...): one Qt Test executable, run offscreen.
# Every test runs with HOME and the XDG folders pointed at a folder of its own, and
# with no D-Bus session (so never near the user's secret store or desktop);
# the tests that need a session start their own.

# Side by side (ctest -j), the longest tests start first: ctest has no times of its
# own on a fresh clone. Seconds measured with four at once on two loaded cores.
set(ORV_TEST_COSTS
  fault_matrix_test_1=35 fault_matrix_test_2=35 fault_matrix_test_3=35 fault_matrix_test_4=35
  fault_matrix_test_5=35 fault_matrix_test_6=35 fault_matrix_test_7=35 fault_matrix_test_8=35
  fault_matrix_test_9=35 test_main_window_tls=31 accounting_ui_MainWindowAccountingTest=30
  test_main_window_server=27 unix_server_window_test=27 server_core_ftp_tls_test=25
  server_core_ftp_test=20 test_main_window_reliability=18 results_ui_MainWindowReliabilityTest=17
  server_ui_settings_window_test=16 results_ui_MainWindowDocumentsTest=16 results_ui_MainWindowResultsTest=16
  test_main_window_reference=16 server_core_sntp_test=12)

function(_orv_test_env name)
  set(home ${CMAKE_BINARY_DIR}/test-homes/${name})
  file(MAKE_DIRECTORY ${home})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_DATA_HOME=${home}/.local/share;XDG_CACHE_HOME=${home}/.cache;XDG_CONFIG_DIRS=${home}/.system-config;XDG_RUNTIME_DIR=${home}/.runtime;QT_QPA_PLATFORM=offscreen;ORVANET_SOURCE_DIR=${PROJECT_SOURCE_DIR};DBUS_SESSION_BUS_ADDRESS=unix:path=${home}/.runtime/no-session-bus"
    TIMEOUT 600)
  foreach(entry ${ORV_TEST_COSTS})
    if(entry MATCHES "^${name}=([0-9]+)$")
      set_tests_properties(${name} PROPERTIES COST ${CMAKE_MATCH_1})
    endif()
  endforeach()
endfunction()

# The Windows build (scripts/windows-check.sh) lacks some libraries (ICU, D-Bus,
# Qt PDF, and whatever the SDK could not be given): a test that needs one is left
# out and listed in tests-left-out.txt with what it needs.
file(WRITE ${CMAKE_BINARY_DIR}/tests-left-out.txt "")
function(_orv_lacks name out)
  set(missing)
  foreach(lib ${ARGN})
    if(lib MATCHES "::" AND NOT TARGET ${lib})
      list(APPEND missing ${lib})
    endif()
  endforeach()
  if(missing)
    string(REPLACE ";" ", " missing "${missing}")
    file(APPEND ${CMAKE_BINARY_DIR}/tests-left-out.txt "${name} (needs ${missing})\n")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

function(orv_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  _orv_lacks(${name} lacks ${T_LIBS})
  if(lacks)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE orv_options GTest::gtest GTest::gtest_main ${T_LIBS})
  # No QObject in a GoogleTest program: no moc step and no empty moc file to compile.
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  add_test(NAME ${name} COMMAND ${name})
  _orv_test_env(${name})
endfunction()

# With SLICES n the program's data rows are shared out over n tests that run side
# by side, name_1 ... name_n, each with ORV_TEST_SLICE=k/n (tests/support/TestSlice.h);
# together they run every row once.
function(orv_qtest name)
  cmake_parse_arguments(T "" "SLICES" "SOURCES;LIBS" ${ARGN})
  _orv_lacks(${name} lacks ${T_LIBS})
  if(lacks)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE orv_options Qt6::Test Qt6::Widgets ${T_LIBS})
  if(T_SLICES)
    foreach(k RANGE 1 ${T_SLICES})
      add_test(NAME ${name}_${k} COMMAND ${name})
      _orv_test_env(${name}_${k})
      set_property(TEST ${name}_${k} APPEND PROPERTY ENVIRONMENT "ORV_TEST_SLICE=${k}/${T_SLICES}")
    endforeach()
  else()
    add_test(NAME ${name} COMMAND ${name})
    _orv_test_env(${name})
  endif()
endfunction()

# orv_fuzz(name SOURCES ... LIBS ...): a fuzz target tests/fuzz/fuzz_<name>.cpp that
# defines LLVMFuzzerTestOneInput, with its seed corpus in tests/fuzz/corpus/<name>/.
# In the normal build it is linked with a small driver and replays its corpus as a
# test; with ORVANET_FUZZ=ON (clang, scripts/fuzz.sh) it is a libFuzzer program.
function(orv_fuzz name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  set(corpus ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  if(ORVANET_FUZZ)
    add_executable(fuzz_${name} ${T_SOURCES})
    target_link_libraries(fuzz_${name} PRIVATE orv_options ${T_LIBS})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(fuzz_${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/ReplayCorpus.cpp)
    target_link_libraries(fuzz_${name} PRIVATE orv_options ${T_LIBS})
    set_target_properties(fuzz_${name} PROPERTIES AUTOMOC OFF)
    add_test(NAME fuzz_${name} COMMAND fuzz_${name} ${corpus})
    _orv_test_env(fuzz_${name})
  endif()
endfunction()
