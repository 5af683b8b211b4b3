# courtball-capture end to end: determinism, the golden trace, broken data.
add_test(NAME capture_determinism
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/capture/determinism.sh
                 $<TARGET_FILE:courtball-capture> ${CMAKE_BINARY_DIR}/data
                 ${CMAKE_CURRENT_SOURCE_DIR}/golden/trace.tsv)
add_test(NAME capture_broken_data
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/capture/broken-data.sh
                 $<TARGET_FILE:courtball-capture> ${CMAKE_BINARY_DIR}/data)
set_tests_properties(capture_determinism capture_broken_data PROPERTIES TIMEOUT 600)
