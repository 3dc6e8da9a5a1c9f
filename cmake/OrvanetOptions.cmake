# One interface target carries the warnings and the Qt strictness for every target.
add_library(orv_options INTERFACE)
target_compile_features(orv_options INTERFACE cxx_std_20)
target_compile_options(orv_options INTERFACE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
target_compile_definitions(orv_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER)
target_include_directories(orv_options INTERFACE ${PROJECT_SOURCE_DIR})
