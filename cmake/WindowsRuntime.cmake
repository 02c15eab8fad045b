# The Windows build's runtime tree: drawn and composed by a host build of these sources (the
# Linux build's files, byte for byte), with the fonts beside them.
include(ExternalProject)

# With the tests, the host build also makes the Linux game, whose pictures the Windows one's
# are compared with, and the close box the tests close windows with.
set(host ${PROJECT_BINARY_DIR}/host)
set(MEANDOR_HOST_GAME ${host}/meandor)
set(MEANDOR_HOST_CLOSEBOX ${host}/tests/e2e/closebox)
set(host_targets meandor_mazes meandor_artwork meandor_windows_icon)
if(MEANDOR_TESTS)
  list(APPEND host_targets meandor closebox)
endif()
ExternalProject_Add(meandor_host
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${host}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DMEANDOR_TESTS=${MEANDOR_TESTS}
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${host} --target ${host_targets}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)

set(MEANDOR_WINDOWS_ICON ${host}/windows/meandor.ico)
set(dejavu /usr/share/fonts/truetype/dejavu)
set(MEANDOR_FONTS ${dejavu}/DejaVuSans.ttf ${dejavu}/DejaVuSans-Bold.ttf
                  ${dejavu}/DejaVuSansMono.ttf ${dejavu}/DejaVuSansMono-Bold.ttf)
add_custom_target(meandor_runtime ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${host}/assets ${MEANDOR_RUNTIME_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MEANDOR_RUNTIME_DIR}/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${MEANDOR_FONTS} ${MEANDOR_RUNTIME_DIR}/fonts
  DEPENDS meandor_host
  COMMENT "Filling the runtime tree from the host build")
# What the Linux build makes itself, the host build's copy stands for.
add_custom_target(meandor_mazes DEPENDS meandor_runtime)
add_custom_target(meandor_artwork DEPENDS meandor_runtime)
