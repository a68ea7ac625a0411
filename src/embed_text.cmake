# Writes a C++ source that defines a constant from a text file's bytes, computed while the
# program is compiled: NAME = PARSER(the text), both declared in HEADER.
# Called with INPUT, OUTPUT, HEADER, NAME (namespace::constant) and PARSER set.
file(READ "${INPUT}" bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
string(REGEX MATCH "^(.*)::([^:]+)$" _ "${NAME}")
set(namespace "${CMAKE_MATCH_1}")
set(constant "${CMAKE_MATCH_2}")
file(WRITE "${OUTPUT}.new"
"// Generated from ${INPUT} by embed_text.cmake; edit that file, not this one.
#include \"${HEADER}\"

namespace ${namespace} {
namespace {
constexpr char kBytes[] = {${bytes} '\\0'};
}
constinit const decltype(${PARSER}({})) ${constant} = ${PARSER}({kBytes, sizeof kBytes - 1});
}  // namespace ${namespace}
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
