# The Debian package: `cpack -G DEB` in a build folder. Its dependencies are the
# shared libraries the program links (found by dpkg-shlibdeps), the fonts it
# draws its text with, and the library and plugin that draw the window's title
# bar on a Wayland desktop that leaves that to its clients (SDL loads them).

set(CPACK_PACKAGE_NAME meandor)
set(CPACK_PACKAGE_VENDOR "Meandor developers")
set(CPACK_PACKAGE_CONTACT "Meandor developers <meandor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "maze game through five Flemish provinces")
set(CPACK_PACKAGE_DESCRIPTION [[
Steer Zorp through five tile mazes, each dressed as a Flemish province.
Eat ten portions of fries to open the exit door and dodge the bow-tie
enemies that chase you when you come near. A hamburger and a flag each
give an extra life; three difficulties set how fast the enemies step.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-dejavu-core, libdecor-0-0, libdecor-0-plugin-1-cairo")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianGames.cmake)

include(CPack)
