cmake_minimum_required(VERSION 3.25)
# Fails when a file in engine/ or radio/ includes anything but the C++ standard library and the
# layers below it: engine/ stands on the standard library and platform/ (whose headers declare
# standard C++ only; POSIX stays in its .cpp files), radio/ adds engine/ and the string table in
# res/. platform/'s headers themselves are checked like engine/'s.
function(check_files sources allowed_dirs)
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      # The C++ standard library's headers are the ones named without a folder or an extension.
      if(line MATCHES "<[a-z_]+>")
        continue()
      elseif(line MATCHES "\"([^/\"]+)/[^\"]+\"" AND CMAKE_MATCH_1 IN_LIST allowed_dirs)
        continue()
      endif()
      list(APPEND faults "${source}: ${line}")
    endforeach()
  endforeach()
  set(faults ${faults} PARENT_SCOPE)
endfunction()

set(faults)
file(GLOB engine_sources ${SOURCE_DIR}/engine/*.h ${SOURCE_DIR}/engine/*.cpp)
check_files("${engine_sources}" "engine;platform")
file(GLOB radio_sources ${SOURCE_DIR}/radio/*.h ${SOURCE_DIR}/radio/*.cpp)
check_files("${radio_sources}" "engine;platform;radio;res")
# The system's own headers are not meant for the layers above.
file(GLOB platform_headers ${SOURCE_DIR}/platform/*.h)
list(FILTER platform_headers EXCLUDE REGEX "_(posix|win32)[.]h$")
check_files("${platform_headers}" "platform")
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Includes outside the layer:\n${text}")
endif()
