# Plays one script as RunReplay.cmake does, but in a runtime tree that lacks some files: TREE is
# made anew with a symbolic link to every maze, picture and sound of ASSETS whose name does not
# match the regular expression MISSING, or matches KEEP.
# cmake -DTOOL=... -DSCRIPT=... -DASSETS=... -DMISSING=mask [-DKEEP=...] -DTREE=...
#       -DACTUAL=... -DEXPECTED=... -P MissingFile.cmake
file(GLOB_RECURSE files RELATIVE ${ASSETS} ${ASSETS}/doolhof*.txt ${ASSETS}/afbeeldingen/*
     ${ASSETS}/menu/* ${ASSETS}/muziek/*)
set(left_out ${files})
list(FILTER left_out INCLUDE REGEX "${MISSING}")
if(DEFINED KEEP)
  list(FILTER left_out EXCLUDE REGEX "${KEEP}")
endif()
if(NOT left_out)
  message(FATAL_ERROR "nothing in the runtime tree ${ASSETS} matches '${MISSING}' to leave out")
endif()
list(REMOVE_ITEM files ${left_out})

file(REMOVE_RECURSE ${TREE})
foreach(file IN LISTS files)
  get_filename_component(folder ${TREE}/${file} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK ${ASSETS}/${file} ${TREE}/${file} SYMBOLIC)
endforeach()

set(ASSETS ${TREE})
include(${CMAKE_CURRENT_LIST_DIR}/RunReplay.cmake)
