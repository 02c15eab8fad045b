# Plays one script as RunReplay.cmake does, but in a runtime tree that lacks one file: TREE is
# made anew with a symbolic link to every other maze, picture and sound of ASSETS.
# cmake -DTOOL=... -DSCRIPT=... -DASSETS=... -DMISSING=afbeeldingen/zorpL.bmp -DTREE=...
#       -DACTUAL=... -DEXPECTED=... -P MissingFile.cmake
file(GLOB_RECURSE files RELATIVE ${ASSETS} ${ASSETS}/doolhof*.txt ${ASSETS}/afbeeldingen/*
     ${ASSETS}/menu/* ${ASSETS}/muziek/*)
list(FIND files ${MISSING} at)
if(at EQUAL -1)
  message(FATAL_ERROR "${MISSING} is not in the runtime tree ${ASSETS}: nothing to leave out")
endif()
list(REMOVE_AT files ${at})

file(REMOVE_RECURSE ${TREE})
foreach(file IN LISTS files)
  get_filename_component(folder ${TREE}/${file} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK ${ASSETS}/${file} ${TREE}/${file} SYMBOLIC)
endforeach()

set(ASSETS ${TREE})
include(${CMAKE_CURRENT_LIST_DIR}/RunReplay.cmake)
