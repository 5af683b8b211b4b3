# The floor and the ball.
courtball_suite(test_terrain SOURCES test_terrain.cpp LIBS courtball_terrain courtball_shellcore)
