# The install, in GNU directories and freedesktop places: the launchers `meandor`
# and `meandor-edit` on the PATH, the programs in libexec, the runtime tree under share/meandor, the
# desktop entry, metainfo, icons, manual page and package documents.

# The documentation folder follows the package's name, not the project's.
set(CMAKE_INSTALL_DOCDIR share/doc/meandor CACHE PATH "documentation root (DATAROOTDIR/doc/meandor)")
include(GNUInstallDirs)

set(MEANDOR_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/meandor)
set(MEANDOR_PROGRAM_DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/meandor)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(staged ${PROJECT_BINARY_DIR}/packaging)

# The launcher finds the program and the runtime tree relative to itself, so an
# install works in any prefix and still works when moved.
file(RELATIVE_PATH MEANDOR_BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${MEANDOR_DATA_DESTINATION})
file(RELATIVE_PATH MEANDOR_BIN_TO_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${MEANDOR_PROGRAM_DESTINATION}/meandor)
file(RELATIVE_PATH MEANDOR_BIN_TO_EDITOR ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${MEANDOR_PROGRAM_DESTINATION}/meandor-edit)
foreach(launcher meandor meandor-edit)
  configure_file(${packaging}/${launcher}.in ${staged}/${launcher} @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
endforeach()
configure_file(${packaging}/meandor.desktop.in ${staged}/${MEANDOR_APP_ID}.desktop @ONLY)
configure_file(${packaging}/meandor-edit.desktop.in ${staged}/${MEANDOR_APP_ID}.Editor.desktop @ONLY)
configure_file(${packaging}/meandor.metainfo.xml.in ${staged}/${MEANDOR_APP_ID}.metainfo.xml @ONLY)
configure_file(${packaging}/changelog ${staged}/changelog COPYONLY)
configure_file(${packaging}/meandor.6.in ${staged}/meandor.6 @ONLY)
configure_file(${packaging}/meandor-edit.6.in ${staged}/meandor-edit.6 @ONLY)

# Debian wants the changelog and the manual page compressed, reproducibly.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(document changelog meandor.6 meandor-edit.6)
  add_custom_command(
    OUTPUT ${staged}/${document}.gz
    COMMAND ${GZIP} -9 -n -c ${staged}/${document} > ${staged}/${document}.gz
    DEPENDS ${staged}/${document}
    COMMENT "Compressing ${document}")
  list(APPEND compressed ${staged}/${document}.gz)
endforeach()
add_custom_target(meandor_documents ALL DEPENDS ${compressed})

install(PROGRAMS ${staged}/meandor ${staged}/meandor-edit DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS meandor meandor-edit RUNTIME DESTINATION ${MEANDOR_PROGRAM_DESTINATION})

# The runtime tree's folder is also a build folder; only the game's files go.
set(mazes)
foreach(level RANGE 1 5)
  list(APPEND mazes ${MEANDOR_RUNTIME_DIR}/doolhof${level}.txt)
endforeach()
install(FILES ${mazes} DESTINATION ${MEANDOR_DATA_DESTINATION})
install(DIRECTORY ${MEANDOR_RUNTIME_DIR}/afbeeldingen ${MEANDOR_RUNTIME_DIR}/menu
                  ${MEANDOR_RUNTIME_DIR}/muziek ${MEANDOR_RUNTIME_DIR}/bewerker
        DESTINATION ${MEANDOR_DATA_DESTINATION})

install(FILES ${staged}/${MEANDOR_APP_ID}.desktop ${staged}/${MEANDOR_APP_ID}.Editor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${staged}/${MEANDOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${MEANDOR_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${staged}/meandor.6.gz ${staged}/meandor-edit.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging}/copyright ${staged}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Removes what the last install from this build put in place.
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${PROJECT_BINARY_DIR}/install_manifest.txt
          -P ${PROJECT_SOURCE_DIR}/cmake/Uninstall.cmake
  COMMENT "Removing the installed files")
