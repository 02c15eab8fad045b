# Run by cpack on the staged install: the portable zip, one folder Meandor, and the installer.
set(staged ${CPACK_TEMPORARY_DIRECTORY})
set(work ${CPACK_TOPLEVEL_DIRECTORY}/meandor-windows)
set(folder ${work}/Meandor)
set(zip ${work}/meandor-${CPACK_MEANDOR_VERSION}-windows-x64.zip)
set(setup ${work}/meandor-${CPACK_MEANDOR_VERSION}-setup.exe)

file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(COPY ${staged}/ DESTINATION ${folder})

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${folder} ${folder}/*)
list(SORT files)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip --mtime=2026-01-01 Meandor
  WORKING_DIRECTORY ${work}
  COMMAND_ERROR_IS_FATAL ANY)

# The uninstaller removes what the installer put there and nothing else: not the player's
# settings, nor anything the player added to the folder.
set(removals "")
set(folders "")
foreach(file IN LISTS files)
  string(REPLACE "/" "\\" windowsName ${file})
  string(APPEND removals "  Delete \"$INSTDIR\\${windowsName}\"\n")
  get_filename_component(parent ${file} DIRECTORY)
  while(parent)
    list(APPEND folders ${parent})
    get_filename_component(parent ${parent} DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(parent IN LISTS folders)
  string(REPLACE "/" "\\" windowsName ${parent})
  string(APPEND removals "  RMDir \"$INSTDIR\\${windowsName}\"\n")
endforeach()
file(WRITE ${work}/removals.nsh "${removals}")

find_program(MAKENSIS makensis REQUIRED)
execute_process(
  COMMAND ${MAKENSIS} -V2 -NOCD
          -DVERSION=${CPACK_MEANDOR_VERSION} "-DDESCRIPTION=${CPACK_MEANDOR_DESCRIPTION}"
          -DICON=${CPACK_MEANDOR_ICON} -DSOURCE=${folder} -DREMOVALS=${work}/removals.nsh -DOUTFILE=${setup}
          ${CPACK_MEANDOR_NSIS_SCRIPT}
  WORKING_DIRECTORY ${work}
  COMMAND_ERROR_IS_FATAL ANY)

set(CPACK_EXTERNAL_BUILT_PACKAGES ${zip} ${setup})
