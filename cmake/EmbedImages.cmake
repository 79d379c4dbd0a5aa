# Writes a C++ table of the embedded pictures, so that native builds decode
# exactly the bytes that ship. -DOUTPUT=<file.cpp> -DIMAGES=<name=path,...>
string(REPLACE "," ";" entries "${IMAGES}")
set(arrays "")
set(rows "")
foreach(entry ${entries})
    string(REPLACE "=" ";" name_and_path "${entry}")
    list(GET name_and_path 0 name)
    list(GET name_and_path 1 path)
    file(READ ${path} hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR length "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
    string(APPEND arrays "const uint8_t ${name}[${length}] = {\n${bytes}\n};\n")
    string(APPEND rows "    {\"${name}\", ${name}, ${length}},\n")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from the resource pictures; do not edit.
#include \"images/EmbeddedImageEntry.h\"

namespace {
${arrays}} // namespace

const EmbeddedImageEntry builtInImages[] = {
${rows}};
const int builtInImageCount = sizeof builtInImages / sizeof builtInImages[0];
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.new ${OUTPUT})
