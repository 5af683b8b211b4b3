# SanitizeTests.cmake -- included last by every CMakeLists.txt that registers tests: in the
# sanitizer build each of its tests, the game under Xvfb included, checks for leaks and stops at
# the first UBSan finding. A finding exits 23, which no program of ours uses (the game's normal
# end is 1). The suppressions name only libraries that keep memory to the end; a leak of ours is
# still reported. e2e_wayland adds those of SDL's Wayland backend (lsan-wayland.supp).
if(COURTBALL_SANITIZE)
  file(READ ${CMAKE_CURRENT_LIST_DIR}/lsan.supp common)
  file(READ ${CMAKE_CURRENT_LIST_DIR}/lsan-wayland.supp wayland)
  file(WRITE ${CMAKE_BINARY_DIR}/lsan-wayland.supp "${common}${wayland}")
  get_property(registered DIRECTORY PROPERTY TESTS)
  foreach(test ${registered})
    set(suppressions ${CMAKE_CURRENT_LIST_DIR}/lsan.supp)
    if(test STREQUAL "e2e_wayland")
      set(suppressions ${CMAKE_BINARY_DIR}/lsan-wayland.supp)
    endif()
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
                 "ASAN_OPTIONS=exitcode=23"
                 "LSAN_OPTIONS=suppressions=${suppressions}:print_suppressions=0"
                 "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=23")
  endforeach()
endif()
