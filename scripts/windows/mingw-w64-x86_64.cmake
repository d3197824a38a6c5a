# Cross-builds for 64-bit Windows with Debian's mingw-w64 (posix threads), against the libraries
# that scripts/windows/build-third-party installs, and runs what it builds under Wine:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=scripts/windows/mingw-w64-x86_64.cmake
# PWR_WINDOWS_PREFIX is that script's cache folder (by default the link it leaves in the build
# folder), PWR_WINEPREFIX the Wine prefix tests run in (by default wine/ in the build folder).
# scripts/windows/build-third-party builds GoogleTest with this file as well.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The triple, compilers and sysroot: toolchain.env, beside this file.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/toolchain.env _pwr_toolchain REGEX "^PWR_WINDOWS_[A-Z]+=")
foreach(_pwr_line IN LISTS _pwr_toolchain)
  string(REGEX MATCH "^([A-Z_]+)=\"?([^\"]*)\"?$" _pwr_match "${_pwr_line}")
  set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()

set(CMAKE_C_COMPILER ${PWR_WINDOWS_CC})
set(CMAKE_CXX_COMPILER ${PWR_WINDOWS_CXX})
set(CMAKE_RC_COMPILER ${PWR_WINDOWS_HOST}-windres)

# try_compile() projects read this file again, with these two passed on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PWR_WINDOWS_PREFIX PWR_WINEPREFIX)
if(NOT DEFINED PWR_WINDOWS_PREFIX)
  set(PWR_WINDOWS_PREFIX ${CMAKE_BINARY_DIR}/third-party CACHE PATH
      "The libraries cross-built by scripts/windows/build-third-party")
endif()
if(NOT DEFINED PWR_WINEPREFIX)
  set(PWR_WINEPREFIX ${CMAKE_BINARY_DIR}/wine CACHE PATH "The Wine prefix the tests run in")
endif()

# Headers, libraries and CMake packages only from the MinGW sysroot and the built libraries;
# programs (pkg-config, wx-config) from the build machine. The root is the cache folder itself,
# not the link to it, as the paths that wx-config and pkg-config give lie inside the folder.
file(REAL_PATH ${PWR_WINDOWS_PREFIX} _pwr_windows_root)
set(CMAKE_FIND_ROOT_PATH ${PWR_WINDOWS_SYSROOT} ${_pwr_windows_root})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config finds the Windows libraries' .pc files and never the build machine's, and names
# what a static library needs in turn (cairo: pixman, libpng, zlib, gdi32, msimg32).
set(ENV{PKG_CONFIG_LIBDIR} ${PWR_WINDOWS_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)
# The cross wx-config, never the build machine's GTK one.
set(wxWidgets_CONFIG_EXECUTABLE ${PWR_WINDOWS_PREFIX}/bin/wx-config CACHE FILEPATH "")

# Everything static, so that the programs need no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Windows programs built here (test discovery, ctest) run under Wine in the build's own prefix,
# their output handed on once they end (wine-run --buffered).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run --prefix ${PWR_WINEPREFIX} --buffered)
