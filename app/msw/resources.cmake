# The Windows resources of pwr455.exe: the program's icon, drawn from its SVG picture at the
# sizes Explorer and the task bar ask for; its version; the toolkit's own resources with the
# manifest (visual styles, per-monitor DPI awareness). Included from app/CMakeLists.txt.
find_program(PWR_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(PWR_ICOTOOL icotool REQUIRED)

set(PWR_ICON_SIZES 16 20 24 32 40 48 64 256)
set(PWR_ICON_PNGS)
foreach(size ${PWR_ICON_SIZES})
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icon/pwr455-${size}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icon
    COMMAND ${PWR_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PWR_RES_DIR}/icons/pwr455.svg
    DEPENDS ${PWR_RES_DIR}/icons/pwr455.svg
    VERBATIM)
  list(APPEND PWR_ICON_PNGS ${png})
endforeach()
# The 256-pixel picture stays a PNG inside the icon file, as Windows expects.
list(POP_BACK PWR_ICON_PNGS PWR_ICON_LARGE)
set(PWR_ICON_FILE ${CMAKE_CURRENT_BINARY_DIR}/icon/pwr455.ico)
add_custom_command(
  OUTPUT ${PWR_ICON_FILE}
  COMMAND ${PWR_ICOTOOL} -c -o ${PWR_ICON_FILE} ${PWR_ICON_PNGS} -r ${PWR_ICON_LARGE}
  DEPENDS ${PWR_ICON_PNGS} ${PWR_ICON_LARGE}
  COMMENT "Drawing the program's icon"
  VERBATIM)

configure_file(${CMAKE_CURRENT_SOURCE_DIR}/msw/pwr455.rc.in ${CMAKE_CURRENT_BINARY_DIR}/pwr455.rc
               @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/pwr455.rc PROPERTIES
                            OBJECT_DEPENDS ${PWR_ICON_FILE})
target_sources(pwr455 PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/pwr455.rc)
# windres reads the toolkit's wx/msw/wx.rc and the pictures it names from the toolkit's headers.
target_include_directories(pwr455 PRIVATE ${wxWidgets_INCLUDE_DIRS})
set_target_properties(pwr455 PROPERTIES WIN32_EXECUTABLE ON)
