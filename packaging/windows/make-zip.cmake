# Puts the Windows programs, their data and the licences into DIST_DIR and packs that folder into
# DIST_DIR.zip: what a user unpacks anywhere and runs from there (cmake -P, from packaging.cmake).
#   PROGRAMS    the .exe files, each after a |
#   SOURCE_DIR  the project's sources
#   LIBRARIES   the third-party libraries' folder (its versions.txt names the sources built)
#   STRIP       the cross strip, which takes the symbols out of the copies
cmake_minimum_required(VERSION 3.25)

# The copyright files Debian ships with the packages whose sources went into the programs:
# wxWidgets, expat, zlib, libpng, pixman, cairo, and the MinGW-w64 and GCC runtime libraries.
set(licences
  wxWidgets=libwxbase3.2-1 expat=libexpat1 zlib=zlib1g libpng=libpng16-16 pixman=libpixman-1-0
  cairo=libcairo2 mingw-w64-runtime=mingw-w64-common gcc-runtime=gcc-mingw-w64-base)

string(REPLACE "|" ";" PROGRAMS "${PROGRAMS}")
file(REMOVE_RECURSE ${DIST_DIR} ${DIST_DIR}.zip)
file(MAKE_DIRECTORY ${DIST_DIR}/licenses)
file(COPY ${PROGRAMS} DESTINATION ${DIST_DIR})
foreach(program ${PROGRAMS})
  get_filename_component(program ${program} NAME)
  execute_process(COMMAND ${STRIP} ${DIST_DIR}/${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(COPY ${SOURCE_DIR}/res/data DESTINATION ${DIST_DIR})
file(COPY_FILE ${SOURCE_DIR}/packaging/copyright ${DIST_DIR}/licenses/PW-R455NORD.txt)
foreach(entry ${licences})
  string(REPLACE "=" ";" entry ${entry})
  list(GET entry 0 name)
  list(GET entry 1 package)
  if(NOT EXISTS /usr/share/doc/${package}/copyright)
    message(FATAL_ERROR "/usr/share/doc/${package}/copyright is missing: install ${package}")
  endif()
  file(COPY_FILE /usr/share/doc/${package}/copyright ${DIST_DIR}/licenses/${name}.txt)
endforeach()
file(COPY_FILE ${LIBRARIES}/versions.txt ${DIST_DIR}/licenses/third-party-versions.txt)

get_filename_component(parent ${DIST_DIR} DIRECTORY)
get_filename_component(name ${DIST_DIR} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${name}.zip --format=zip ${name}
                WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
