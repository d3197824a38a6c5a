# The Windows zip, build-windows/dist/pwr455-VERSION-windows-x64.zip, made with every build.
# Programs that go into it are added to PWR_WINDOWS_PROGRAMS (targets) before this is included.
set(PWR_WINDOWS_DIST ${PROJECT_BINARY_DIR}/dist/pwr455-${PROJECT_VERSION}-windows-x64)
set(_pwr_files)
foreach(program ${PWR_WINDOWS_PROGRAMS})
  string(APPEND _pwr_files "|$<TARGET_FILE:${program}>")
endforeach()
add_custom_command(OUTPUT ${PWR_WINDOWS_DIST}.zip
  COMMAND ${CMAKE_COMMAND} "-DPROGRAMS=${_pwr_files}" -DDIST_DIR=${PWR_WINDOWS_DIST}
          -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DLIBRARIES=${PWR_WINDOWS_PREFIX}
          -DSTRIP=${CMAKE_STRIP}
          -P ${CMAKE_CURRENT_LIST_DIR}/make-zip.cmake
  DEPENDS ${PWR_WINDOWS_PROGRAMS} ${CMAKE_CURRENT_LIST_DIR}/make-zip.cmake
          ${PROJECT_SOURCE_DIR}/res/data/airport-frequencies.csv
  VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${PWR_WINDOWS_DIST}.zip)
