# The Debian package, made by `cpack -G DEB` in a build folder. Its library
# dependencies are not listed here: dpkg-shlibdeps reads them from the
# binary, so they follow whatever Qt the package is built against.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME averlin)
set(CPACK_PACKAGE_VENDOR "The Averlin developers")
set(CPACK_PACKAGE_CONTACT "${AVERLIN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${AVERLIN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for logic and arithmetic on machine words")
# Debian's control file takes the lines as they stand here.
set(CPACK_PACKAGE_DESCRIPTION [[
Averlin holds two accumulators and a result and shows each at once in
hexadecimal, in decimal, as a dotted quad and as a row of 32 bit boxes.
It adds, subtracts, multiplies and divides, combines bits logically,
shifts and rotates words of 8, 16 or 32 bits read signed or unsigned,
and converts amounts between Byte and TByte on base 1024.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The program is stripped as dh_strip strips Debian's programs: CPack's own
# stripping keeps the .comment section (the compilers' version strings) and
# the .note section, which lintian names as unneeded.
set(CPACK_STRIP_FILES OFF)
set(CPACK_AVERLIN_STRIP ${CMAKE_STRIP})
set(CPACK_AVERLIN_STRIP_OPTIONS --remove-section=.comment --remove-section=.note)
set(CPACK_AVERLIN_STRIP_FILES ${CPACK_PACKAGING_INSTALL_PREFIX}/bin/averlin)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripPacked.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Two builds of one commit give the same package: CPack takes every time in
# the archives from SOURCE_DATE_EPOCH (scripts/package.sh sets it to the
# commit's), and xz, Debian's own choice, writes no time into its headers as
# gzip does.
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window is laid out for Tahoma; Wine's metric-compatible one stands in
# where the system has none.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)

include(CPack)
