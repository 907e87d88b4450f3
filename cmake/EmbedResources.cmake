# Writes a C++ file that maps each resource's path (relative to the resources
# folder) to its bytes.  Called with OUT and ROOT.
file(GLOB_RECURSE FILES ${ROOT}/*.txt ${ROOT}/*.rtf ${ROOT}/*.fmt)

list(SORT FILES)
set(body "")
set(table "")
set(i 0)
foreach(f IN LISTS FILES)
  file(RELATIVE_PATH rel ${ROOT} ${f})
  file(READ ${f} hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR n "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "static const unsigned char r${i}[] = {${bytes} 0};\n")
  string(APPEND table "  {\"${rel}\", r${i}, ${n}},\n")
  math(EXPR i "${i} + 1")
endforeach()
file(WRITE ${OUT}.tmp
"// Generated from the resources folder; do not edit.\n#include <cstddef>\n#include \"platform/Resources.h\"\nnamespace kalorina {\n${body}\nconst EmbeddedResource kEmbeddedResources[] = {\n${table}  {nullptr, nullptr, 0}\n};\n}\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
