# Run by CPack on the package's staged files: Debian keeps the commands of games
# in /usr/games, which is on every user's PATH there. games/ sits beside bin/, so
# the launcher's way to the runtime tree and the program stays the same.

set(staged "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT EXISTS "${staged}/bin/meandor")
  message(FATAL_ERROR "The package needs the launcher in bin/ (CMAKE_INSTALL_BINDIR=bin)")
endif()
file(MAKE_DIRECTORY "${staged}/games")
file(RENAME "${staged}/bin/meandor" "${staged}/games/meandor")
file(REMOVE_RECURSE "${staged}/bin")
