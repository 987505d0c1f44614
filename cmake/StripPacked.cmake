# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the files it is about to pack:
# strips, with CPACK_AVERLIN_STRIP and the options
# CPACK_AVERLIN_STRIP_OPTIONS, every file that a pattern of
# CPACK_AVERLIN_STRIP_FILES names below the packed tree (at any depth). A
# pattern that names nothing fails the packing: it was meant to strip.
set(packed ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
set(files)
foreach(pattern IN LISTS CPACK_AVERLIN_STRIP_FILES)
  file(GLOB_RECURSE found ${packed}/${pattern})
  if(NOT found)
    message(FATAL_ERROR "StripPacked.cmake: nothing matches ${pattern} in ${packed}")
  endif()
  list(APPEND files ${found})
endforeach()
execute_process(COMMAND ${CPACK_AVERLIN_STRIP} ${CPACK_AVERLIN_STRIP_OPTIONS} ${files} COMMAND_ERROR_IS_FATAL ANY)
