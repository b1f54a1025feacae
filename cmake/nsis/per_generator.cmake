# cpack reads this once per generator: the installer gets a name of its own,
# so it does not read as the zip's contents.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
