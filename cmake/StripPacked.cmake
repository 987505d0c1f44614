# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the files it is about to pack:
# strips the program as dh_strip strips Debian's programs. CPack's own
# stripping keeps the .comment section (the compilers' version strings)
# and the .note section, which lintian names as unneeded.
set(program ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/averlin)
if(NOT EXISTS ${program})
  message(FATAL_ERROR "StripProgram.cmake: no program at ${program}")
endif()
execute_process(COMMAND ${CPACK_AVERLIN_STRIP} --remove-section=.comment --remove-section=.note ${program}
                COMMAND_ERROR_IS_FATAL ANY)
