courtball_suite(test_camera SOURCES test_camera.cpp LIBS courtball_camera)
courtball_suite(test_mesh SOURCES test_mesh.cpp LIBS courtball_mesh OpenGL::GLU)
courtball_suite(test_ase SOURCES test_mesh_ase.cpp LIBS courtball_mesh)
