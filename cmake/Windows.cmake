# The Windows build's libraries: SDL2, SDL2_mixer and SDL2_ttf, static, from the cache the
# toolchain file named, under the names the Linux build knows them by.
foreach(package SDL2:sdl2 SDL2_MIXER:SDL2_mixer SDL2_TTF:SDL2_ttf)
  string(REPLACE ":" ";" names ${package})
  list(GET names 0 prefix)
  list(GET names 1 module)
  pkg_check_modules(${prefix} REQUIRED ${module})
  # SDL's own WinMain and subsystem are left out: the game has its main, and the tests are
  # console programs.
  list(REMOVE_ITEM ${prefix}_STATIC_LDFLAGS -lmingw32 -lSDL2main -mwindows)
  list(REMOVE_ITEM ${prefix}_STATIC_CFLAGS_OTHER -Dmain=SDL_main)
  add_library(PkgConfig::${prefix} INTERFACE IMPORTED)
  target_include_directories(PkgConfig::${prefix} SYSTEM INTERFACE ${${prefix}_STATIC_INCLUDE_DIRS})
  target_compile_options(PkgConfig::${prefix} INTERFACE ${${prefix}_STATIC_CFLAGS_OTHER})
  target_compile_definitions(PkgConfig::${prefix} INTERFACE SDL_MAIN_HANDLED)
  target_link_libraries(PkgConfig::${prefix} INTERFACE ${${prefix}_STATIC_LDFLAGS})
endforeach()

# Every program runs under Wine when the build runs it: the tests, and their discovery.
set(MEANDOR_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run.sh ${MEANDOR_WINE_PREFIX})
