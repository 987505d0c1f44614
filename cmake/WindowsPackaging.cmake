# What a Windows user downloads, made by `cpack` in a build folder: an NSIS
# installer and a portable zip, each holding the program with the Qt DLLs
# and plugins it loads and the mingw-w64 runtime, side by side in one folder.
# The plugins' targets too, which a shared Qt does not bring by itself.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(runtime_dlls)
foreach(qt_target Qt6::Core Qt6::Gui Qt6::Widgets)
  list(APPEND runtime_dlls $<TARGET_FILE:${qt_target}>)
endforeach()
foreach(runtime_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime_dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  list(APPEND runtime_dlls ${found})
endforeach()
install(FILES ${runtime_dlls} DESTINATION .)
# Qt finds its plugins in these folders beside the program.
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QModernWindowsStylePlugin> DESTINATION styles)

# Every program and DLL packed without its symbol tables (Debian's mingw-w64
# runtime and the Qt built here carry them): nothing a user runs needs them,
# and they were more than half of the download.
set(CPACK_AVERLIN_STRIP ${CMAKE_STRIP})
set(CPACK_AVERLIN_STRIP_OPTIONS --strip-unneeded)
set(CPACK_AVERLIN_STRIP_FILES *.exe *.dll)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripPacked.cmake)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Averlin)
set(CPACK_PACKAGE_VENDOR "The Averlin developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for logic and arithmetic on machine words")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME averlin-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Averlin)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Averlin)
set(CPACK_PACKAGE_EXECUTABLES averlin Averlin)  # the Start-menu entry

# The installer: a 64-bit Windows program itself, since the program it
# installs is one; it stores no file times (each file gets the time it is
# installed at), so that two builds of one commit give the same installer.
set(CPACK_NSIS_DEFINES "Unicode true\nTarget amd64-unicode\nSetDateSave off")
set(CPACK_NSIS_PACKAGE_NAME Averlin)
set(CPACK_NSIS_DISPLAY_NAME Averlin)
set(CPACK_NSIS_INSTALLED_ICON_NAME averlin.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/app/icons/averlin.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/app/icons/averlin.ico)
set(CPACK_NSIS_URL_INFO_ABOUT https://averlin.org/)
set(CPACK_NSIS_CONTACT "${AVERLIN_MAINTAINER}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The zip unpacks into one folder named after it, as CPack's archives do
# unless told otherwise (the installer would only warn of the setting).

include(CPack)
