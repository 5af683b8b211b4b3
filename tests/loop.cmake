courtball_suite(test_loop SOURCES test_loop.cpp LIBS courtball_shellcore
                WORKDIR ${CMAKE_BINARY_DIR}/data)
add_dependencies(test_loop gamedata)
