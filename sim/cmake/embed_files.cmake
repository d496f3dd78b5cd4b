# SPDX-License-Identifier: Apache-2.0
# Writes a C++ source that holds the given files as byte arrays, so the
# library plays its default scenario without any file on disk.
#   cmake -DOUTPUT=<file.cpp> -DBASE_DIR=<dir> -DFILES=<a|b|c> -P embed_files.cmake
string(REPLACE "|" ";" files "${FILES}")
set(arrays "")
set(table "")
set(index 0)
foreach(name IN LISTS files)
  file(READ "${BASE_DIR}/${name}" content HEX)
  string(LENGTH "${content}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
  # A trailing zero keeps an empty file from making an empty array.
  string(APPEND arrays "const unsigned char kFile${index}[] = {${bytes}0};\n")
  string(APPEND table "    {\"${name}\", kFile${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from the scenario files; do not edit.
#include \"embedded_files.h\"

namespace kc::sim::embedded {

namespace {
${arrays}} // namespace

const EmbeddedFile kDefaultScenarioFiles[] = {
${table}};
const std::size_t kDefaultScenarioFileCount = ${index};

} // namespace kc::sim::embedded
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
