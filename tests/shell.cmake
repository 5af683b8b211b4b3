# The shell's display-free rules, compiled straight from src/shell: the
# suite needs SDL's headers but never starts its video.
courtball_suite(test_shell
  SOURCES test_shell.cpp ${PROJECT_SOURCE_DIR}/src/shell/TickTimer.cpp
          ${PROJECT_SOURCE_DIR}/src/shell/KeyMap.cpp ${PROJECT_SOURCE_DIR}/src/shell/VideoDriver.cpp
  LIBS SDL2::SDL2)
