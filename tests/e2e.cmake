# End-to-end tests of the real game under a private Xvfb (tests/e2e/*.sh).
# Each script takes the game binary and the working directory to run it in.
if(TARGET courtball)
  set(COURTBALL_E2E_WORKDIR ${CMAKE_BINARY_DIR}/data)
  foreach(script window quit no_display play)
    add_test(NAME e2e_${script}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${script}.sh
                     $<TARGET_FILE:courtball> ${COURTBALL_E2E_WORKDIR})
    set_tests_properties(e2e_${script} PROPERTIES TIMEOUT 120)
  endforeach()
endif()
