courtball_suite(test_data SOURCES test_data.cpp
                LIBS courtball_datagen courtball_mesh courtball_image courtball_terrain)
# The end-to-end cases run the built tool itself.
target_compile_definitions(test_data PRIVATE COURTBALL_DATA_TOOL="$<TARGET_FILE:courtball-data>")
add_dependencies(test_data courtball-data)
