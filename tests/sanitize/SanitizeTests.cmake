# SanitizeTests.cmake -- included last by every CMakeLists.txt that registers tests: in the
# sanitizer build each of its tests, the game under Xvfb included, checks for leaks and stops at
# the first UBSan finding. A finding exits 23, which no program of ours uses (the game's normal
# end is 1). The suppressions name only libraries that keep memory to the end; a leak of ours is
# still reported.
if(COURTBALL_SANITIZE)
  get_property(registered DIRECTORY PROPERTY TESTS)
  set_property(TEST ${registered} APPEND PROPERTY ENVIRONMENT
               "ASAN_OPTIONS=exitcode=23"
               "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0"
               "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=23")
endif()
