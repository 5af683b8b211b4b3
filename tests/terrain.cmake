# The floor and the ball.
courtball_suite(test_terrain SOURCES test_terrain.cpp LIBS courtball_terrain courtball_shellcore)
courtball_suite(test_ball SOURCES test_ball.cpp LIBS courtball_ball courtball_shellcore)
