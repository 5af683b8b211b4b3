# The BMP reader and the scene textures.
courtball_suite(test_image SOURCES test_image.cpp LIBS courtball_image)
courtball_suite(test_textures SOURCES test_textures.cpp LIBS courtball_image OpenGL::GLU)
