# Removes the files an install listed in its manifest, then every folder that
# leaves empty, up to the folder that holds them all (the prefix).
#   cmake -DMANIFEST=<build>/install_manifest.txt -P Uninstall.cmake

if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "No install manifest at '${MANIFEST}': nothing was installed from this build")
endif()
file(STRINGS "${MANIFEST}" installed)
if(NOT installed)
  message(STATUS "The manifest lists no files")
  return()
endif()

# The folder all installed files share.
list(GET installed 0 first)
get_filename_component(root "${first}" DIRECTORY)
foreach(file IN LISTS installed)
  string(FIND "${file}" "${root}/" at)
  while(NOT at EQUAL 0)
    get_filename_component(root "${root}" DIRECTORY)
    string(FIND "${file}" "${root}/" at)
  endwhile()
endforeach()

set(folders)
foreach(file IN LISTS installed)
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
  endif()
  get_filename_component(folder "${file}" DIRECTORY)
  list(APPEND folders "${folder}")
endforeach()

foreach(folder IN LISTS folders)
  while(NOT folder STREQUAL root AND IS_DIRECTORY "${folder}")
    file(GLOB left "${folder}/*" "${folder}/.*")
    if(left)
      break()
    endif()
    file(REMOVE_RECURSE "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
