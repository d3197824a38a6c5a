cmake_minimum_required(VERSION 3.25)
# Fails when a product file includes a header its layer may not use. Each folder lists what it
# may include: folders of the project (itself and the layers below it) and kinds of outside
# header, tried in this order: std (the C++ library, named without a folder or an extension),
# wxbase (wxWidgets' wxBase), wxgui (the rest of wxWidgets), toolkit (GTK and its libraries),
# cairo, and os (any other system header). A new top-level folder of sources needs a row here.
set(layers
  "platform: platform std os"
  "res: res std"
  "engine: engine platform std"
  "text: text std"
  "radio: radio text engine platform res std"
  "exchange: exchange radio text engine platform res std"
  "card: card exchange radio text engine platform res std cairo"
  "clone: clone radio text engine platform res std os"
  "sim: sim clone engine platform res std os"
  "profile: profile clone radio text engine platform res std wxbase"
  "language: language platform res std wxbase"
  "web: web exchange clone sim radio text engine platform res std os"
  "cli: cli language profile card clone sim exchange radio text engine platform res std wxbase os"
  "app: app language profile card clone sim exchange radio text engine platform res std wxbase wxgui cairo"
  "app/gtk: app profile card clone sim exchange radio text engine platform res std wxbase wxgui toolkit cairo os"
  "app/msw: app profile card clone sim exchange radio text engine platform res std wxbase wxgui cairo os")
set(kinds "std:<[a-z_]+>" "wxbase:<wx/(init|fileconf|config|confbase|string|filename|filefn|\
stdpaths|utils|log|file|ffile|wfstream|mstream|textfile|datetime|arrstr|strconv|intl|tokenzr|dir|cmdline|\
translation|uilocale)[.]h>"
  "wxgui:<wx/" "toolkit:<(gtk|gdk|atk|glib|gio|gobject|pango|X11)[-/.]" "cairo:<cairo" "os:<")

# Adds to `faults` every include of `sources` that `allowed` lacks, and to `public_platform` the
# platform headers included where no OS header may be.
function(check_files sources allowed)
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      set(kind "no folder")
      if(line MATCHES "\"([^/\"]+)/")
        set(kind ${CMAKE_MATCH_1})
      else()
        foreach(row ${kinds})
          string(REGEX MATCH "^([a-z]+):(.*)$" row "${row}")
          if(line MATCHES "${CMAKE_MATCH_2}")
            string(REGEX REPLACE ":.*" "" kind "${row}")
            break()
          endif()
        endforeach()
      endif()
      if(NOT kind IN_LIST allowed)
        list(APPEND faults "${source}: ${line}")
      elseif(NOT "os" IN_LIST allowed AND line MATCHES "\"(platform/[^\"]+)\"")
        list(APPEND public_platform ${SOURCE_DIR}/${CMAKE_MATCH_1})
      endif()
    endforeach()
  endforeach()
  set(faults ${faults} PARENT_SCOPE)
  set(public_platform ${public_platform} PARENT_SCOPE)
endfunction()

foreach(row ${layers})
  string(REGEX MATCH "^([a-z/]+): (.*)$" row "${row}")
  list(APPEND folders ${CMAKE_MATCH_1})
  string(REPLACE " " ";" allowed "${CMAKE_MATCH_2}")
  file(GLOB sources ${SOURCE_DIR}/${CMAKE_MATCH_1}/*.h ${SOURCE_DIR}/${CMAKE_MATCH_1}/*.cpp)
  check_files("${sources}" "${allowed}")
endforeach()
# What the layers above platform/ see of it declares standard C++ only; OS headers stay inside.
check_files("${public_platform}" "platform;std")

file(GLOB children LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(child ${children})
  file(GLOB sources ${SOURCE_DIR}/${child}/*.h ${SOURCE_DIR}/${child}/*.cpp)
  if(sources AND NOT child IN_LIST folders AND NOT child MATCHES "^(tests|bench|fuzz)$")
    list(APPEND faults "${child}/ has no row in the layer table")
  endif()
endforeach()
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Includes outside the layer:\n${text}")
endif()
