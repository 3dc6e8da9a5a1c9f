# cmake -DOUT=EmbeddedData.h -DTESTS_FILE=data/tests.txt -DNAMES_FILE=data/male-names.txt -P Embed.cmake
# Writes a header holding the bytes of each list file as a std::string_view.
function(embed name path out)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  set(${out} "inline constexpr char ${name}Bytes[] = {${bytes} 0};\ninline constexpr std::string_view ${name}{${name}Bytes, ${size}};\n" PARENT_SCOPE)
endfunction()
embed(kTests "${TESTS_FILE}" tests)
embed(kMaleNames "${NAMES_FILE}" names)
file(WRITE "${OUT}.tmp" "#pragma once\n// Generated from reception/core/data by Embed.cmake.\n#include <string_view>\n\nnamespace orv::reception::embedded {\n${tests}${names}}  // namespace orv::reception::embedded\n")
file(RENAME "${OUT}.tmp" "${OUT}")
