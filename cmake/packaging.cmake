# What a user receives: a zip to unpack anywhere, and an installer for
# Program Files with a Start-menu entry and an uninstaller.
install(TARGETS Tavrin TavrinCom RUNTIME DESTINATION .)
# The toolbar's home page opens the copy beside the program.
install(FILES ${PROJECT_SOURCE_DIR}/docs/Tavrin.html DESTINATION .)
# A .txt, so a double click opens it on any Windows.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)

set(CPACK_PACKAGE_NAME Tavrin)
set(CPACK_PACKAGE_VENDOR Tavrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tavrin－定时关机免费版")
set(CPACK_PACKAGE_FILE_NAME Tavrin-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tavrin)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tavrin)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_STRIP_FILES OFF)  # the link already strips the program

# The installer comes from our own script (cmake/nsis/NSIS.template.in).
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
set(CPACK_NSIS_DISPLAY_NAME "Tavrin－定时关机免费版")
set(CPACK_NSIS_PACKAGE_NAME "Tavrin－定时关机免费版")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/src/platform/win32/resources/icons/app.ico)
# The script is UTF-8: say so rather than leave it to makensis to guess
# from the bytes and the host's locale.
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-INPUTCHARSET UTF8")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/nsis/per_generator.cmake)

include(CPack)
