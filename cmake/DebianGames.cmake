# Run by CPack on the package's staged files: Debian keeps the commands of games
# in /usr/games, which is on every user's PATH there. games/ sits beside bin/, so
# the launchers' way to the runtime tree and the programs stays the same.

set(staged "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${staged}/games")
foreach(launcher meandor meandor-edit)
  if(NOT EXISTS "${staged}/bin/${launcher}")
    message(FATAL_ERROR "The package needs the launchers in bin/ (CMAKE_INSTALL_BINDIR=bin)")
  endif()
  file(RENAME "${staged}/bin/${launcher}" "${staged}/games/${launcher}")
endforeach()
file(REMOVE_RECURSE "${staged}/bin")
