# Settings every target of ours shares: strict warnings, errors on warnings.
function(meandor_defaults target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wformat=2 -Werror)
endfunction()

# A module library: sources private, its folder's parent as include root so
# headers are included as "module/Header.hpp".
function(meandor_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  meandor_defaults(${target})
endfunction()
