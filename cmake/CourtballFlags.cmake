# CourtballFlags.cmake -- the compiler flags of every build of the game: the
# desktop's, the browser's and Windows'. Included before any target is made.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()
# The game's float results must match on every x86-64 machine and in the
# browser: no fast-math, no -march=native, the same flags everywhere.
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O2 -g")
set(CMAKE_CXX_FLAGS_RELEASE "-O2")
# No fused multiply-add either: the floor's plane formula must round each step.
add_compile_options(-Wall -Wextra -ffp-contract=off)
