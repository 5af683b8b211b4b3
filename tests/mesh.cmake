courtball_suite(test_camera SOURCES test_camera.cpp LIBS courtball_camera)
courtball_suite(test_mesh SOURCES test_mesh.cpp LIBS courtball_mesh OpenGL::GLU)
courtball_suite(test_mesh_json SOURCES test_mesh_json.cpp LIBS nlohmann_json::nlohmann_json)
target_compile_definitions(test_mesh_json PRIVATE
                           COURTBALL_DATA_TOOL="$<TARGET_FILE:courtball-data>")
add_dependencies(test_mesh_json courtball-data)
