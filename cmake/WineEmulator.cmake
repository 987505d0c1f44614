# Runs the Windows programs this build makes (the icon tool while building,
# the tests) under Wine: scripts/wine.sh, with the folders of the DLLs they
# load, Qt's and the mingw-w64 runtime's, on Wine's search path.
set(wine_dll_dirs)
if(AVERLIN_BUILD_WINDOW)
  find_package(Qt6 REQUIRED COMPONENTS Core)
  get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
  get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
  list(APPEND wine_dll_dirs ${qt_bin})
endif()
foreach(runtime_dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime_dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(dir ${found} DIRECTORY)
  list(APPEND wine_dll_dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES wine_dll_dirs)
# Wine sees the machine's / as drive Z:.
list(TRANSFORM wine_dll_dirs PREPEND "Z:")
list(JOIN wine_dll_dirs ";" AVERLIN_WINEPATH)

set(wine_run ${PROJECT_BINARY_DIR}/wine-run)
file(CONFIGURE OUTPUT ${wine_run} CONTENT [[#!/bin/sh
WINEPATH='@AVERLIN_WINEPATH@' exec '@PROJECT_SOURCE_DIR@/scripts/wine.sh' "$@"
]] @ONLY)
file(CHMOD ${wine_run} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_run})
