# One interface target carries the warnings and the Qt strictness for every target.
add_library(orv_options INTERFACE)
target_compile_features(orv_options INTERFACE cxx_std_20)
target_compile_options(orv_options INTERFACE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
target_compile_definitions(orv_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER)
target_include_directories(orv_options INTERFACE ${PROJECT_SOURCE_DIR})
# Line tables, not full debug information, in the usual build (-g1 after CMake's -g):
# a crash's backtrace still names functions, files and lines, and a clean build of
# the hundred programs (most of them tests) takes a sixth less compiler time. For
# a debugger's view of variables, configure with CMAKE_BUILD_TYPE=Debug.
target_compile_options(orv_options INTERFACE $<$<CONFIG:RelWithDebInfo>:-g1>)

# Adds every subfolder of the current folder that has a CMakeLists.txt, in name
# order: areas, layers, tests, tools and benchmarks join the build by their folder.
function(orv_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(dir ${children})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
