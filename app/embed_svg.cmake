# Writes a C++ file holding the SVG pictures given in ICONS (a ;-list of paths) as a table of
# name and text, for app/svg_resources.h. Run with cmake -P.
set(content "// Generated from res/icons/*.svg: do not edit.\n#include \"app/svg_resources.h\"\n\nconst CSvgResource kSvgResources[] = {\n")
set(count 0)
foreach(icon IN LISTS ICONS)
  get_filename_component(name "${icon}" NAME_WE)
  file(READ "${icon}" svg)
  string(APPEND content "    {\"${name}\", R\"svg(${svg})svg\"},\n")
  math(EXPR count "${count} + 1")
endforeach()
string(APPEND content "};\n\nconst size_t kSvgResourceCount = ${count};\n")
file(WRITE "${OUT}.tmp" "${content}")
file(RENAME "${OUT}.tmp" "${OUT}")
