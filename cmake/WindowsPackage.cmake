# The Windows program and its folder: the icon, the manifest and the version information in
# the program; `cpack` (the windows package preset) makes the portable zip and the installer
# from the install.
# The program sits in its runtime tree, as it is installed.
set(windows ${PROJECT_BINARY_DIR}/windows)
set(MEANDOR_WINDOWS_MANIFEST ${windows}/meandor.manifest)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/meandor.manifest.in ${MEANDOR_WINDOWS_MANIFEST} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/meandor.rc.in ${windows}/meandor.rc @ONLY)
set_source_files_properties(${windows}/meandor.rc PROPERTIES
  OBJECT_DEPENDS "${MEANDOR_WINDOWS_ICON};${MEANDOR_WINDOWS_MANIFEST}")
target_sources(meandor PRIVATE ${windows}/meandor.rc)
set_target_properties(meandor PROPERTIES WIN32_EXECUTABLE ON RUNTIME_OUTPUT_DIRECTORY ${MEANDOR_RUNTIME_DIR})

configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${windows}/README.txt @ONLY
               NEWLINE_STYLE CRLF)

# The licences of everything inside the program and beside it.
set(licences ${MEANDOR_WINDOWS_PREFIX}/share/licenses)
install(TARGETS meandor RUNTIME DESTINATION .)
install(FILES ${windows}/README.txt DESTINATION .)
install(DIRECTORY ${MEANDOR_RUNTIME_DIR}/afbeeldingen ${MEANDOR_RUNTIME_DIR}/menu
                  ${MEANDOR_RUNTIME_DIR}/muziek ${MEANDOR_RUNTIME_DIR}/fonts DESTINATION .)
foreach(level RANGE 1 5)
  install(FILES ${MEANDOR_RUNTIME_DIR}/doolhof${level}.txt DESTINATION .)
endforeach()
install(DIRECTORY ${licences}/ DESTINATION licences)
install(FILES /usr/share/doc/fonts-dejavu-core/copyright DESTINATION licences/dejavu-fonts)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION licences/meandor)

set(CPACK_PACKAGE_NAME meandor)
set(CPACK_PACKAGE_VENDOR "The Meandor developers")
set(CPACK_PACKAGE_FILE_NAME meandor-${PROJECT_VERSION}-windows-x64)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/windows/Package.cmake)
set(CPACK_MEANDOR_NSIS_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/windows/meandor.nsi)
set(CPACK_MEANDOR_VERSION ${PROJECT_VERSION})
set(CPACK_MEANDOR_ICON ${MEANDOR_WINDOWS_ICON})
set(CPACK_MEANDOR_DESCRIPTION ${PROJECT_DESCRIPTION})
include(CPack)
