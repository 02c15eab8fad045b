# Cross-building for 64-bit Windows with Debian's mingw-w64, the POSIX-threads flavour that
# std::thread and std::mutex need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MEANDOR_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MEANDOR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MEANDOR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${MEANDOR_MINGW}-windres)

# The libraries are built from Debian's sources into a cache outside the build folder, once
# per machine and per version; the script prints where.
execute_process(
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tools/windows-deps.sh
  OUTPUT_VARIABLE MEANDOR_WINDOWS_PREFIX
  OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
set(CMAKE_FIND_ROOT_PATH /usr/${MEANDOR_MINGW} ${MEANDOR_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} ${MEANDOR_WINDOWS_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Nothing but Windows' own DLLs: the C++ runtime and the threads library go into the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
