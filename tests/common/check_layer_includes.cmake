cmake_minimum_required(VERSION 3.25)
# Fails when a file in engine/ or radio/ includes anything but the C++ standard library and the
# layers below it: engine/ stands on the standard library and platform/ (whose headers declare
# standard C++ only; POSIX stays in its .cpp files), radio/ adds engine/ and the string table in
# res/. platform/'s headers themselves are checked like engine/'s.
set(std_headers
  algorithm any array atomic bitset cassert cctype cerrno cfloat charconv chrono cinttypes climits
  clocale cmath codecvt complex condition_variable csignal cstdarg cstddef cstdint cstdio cstdlib
  cstring ctime cwchar cwctype deque exception execution filesystem forward_list fstream functional
  future initializer_list iomanip ios iosfwd iostream istream iterator limits list locale map memory
  memory_resource mutex new numeric optional ostream queue random ratio regex scoped_allocator set
  shared_mutex sstream stack stdexcept streambuf string string_view system_error thread tuple
  type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector)

function(check_files sources allowed_dirs)
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(line MATCHES "<([^>]+)>")
        if(NOT CMAKE_MATCH_1 IN_LIST std_headers)
          list(APPEND faults "${source}: ${line}")
        endif()
      elseif(line MATCHES "\"([^/\"]+)/[^\"]+\"")
        if(NOT CMAKE_MATCH_1 IN_LIST allowed_dirs)
          list(APPEND faults "${source}: ${line}")
        endif()
      else()
        list(APPEND faults "${source}: ${line}")
      endif()
    endforeach()
  endforeach()
  set(faults ${faults} PARENT_SCOPE)
endfunction()

function(check_layer dir allowed_dirs)
  file(GLOB sources ${SOURCE_DIR}/${dir}/*.h ${SOURCE_DIR}/${dir}/*.cpp)
  check_files("${sources}" "${allowed_dirs}")
  set(faults ${faults} PARENT_SCOPE)
endfunction()

set(faults)
check_layer(engine "engine;platform")
check_layer(radio "engine;platform;radio;res")
# The one platform header not meant for the layers above.
file(GLOB platform_headers ${SOURCE_DIR}/platform/*.h)
list(FILTER platform_headers EXCLUDE REGEX "signals_held[.]h$")
check_files("${platform_headers}" "platform")
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Includes outside the layer:\n${text}")
endif()
