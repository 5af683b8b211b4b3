# CourtballGame.cmake -- the game's libraries, bottom up: the one list of the
# game's sources that the desktop, browser and Windows builds all use. A
# source added here reaches every platform.
#
# The includer names what the libraries link for GL and SDL:
#   COURTBALL_GL   the GL 1.1 library (empty where the platform layer is it)
#   COURTBALL_GLU  GLU (likewise)
#   COURTBALL_SDL  SDL2, for the few libraries that use its headers
# and COURTBALL_SRC, the src/ folder.

# courtball_library(NAME SOURCES ... [LIBS ...]): a static library of sources
# under src/, which includes from src/.
function(courtball_library name)
  cmake_parse_arguments(L "" "" "SOURCES;LIBS" ${ARGN})
  list(TRANSFORM L_SOURCES PREPEND ${COURTBALL_SRC}/)
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${COURTBALL_SRC})
  # Libraries call GL but never create a context: the executables bring it.
  target_link_libraries(${name} PUBLIC ${L_LIBS} ${COURTBALL_GL})
endfunction()

# The court's files and sizes, shared by the game and the data tool.
add_library(courtball_court INTERFACE)
target_include_directories(courtball_court INTERFACE ${COURTBALL_SRC})

courtball_library(courtball_math
  SOURCES math/GameRandom.cpp math/MathUtil.cpp)
# Data files through the system's own calls: a Win32 file beside the POSIX one.
if(WIN32)
  set(data_file platform/DataFileWin32.cpp)
else()
  set(data_file platform/DataFile.cpp)
endif()
courtball_library(courtball_platform
  SOURCES ${data_file} platform/DataFileBuffer.cpp platform/ErrorMessage.cpp)
courtball_library(courtball_image
  SOURCES image/BitmapHeader.cpp image/BitmapImage.cpp image/BitmapPixels.cpp
          image/BitmapRle.cpp image/Textures.cpp
  LIBS courtball_platform courtball_court ${COURTBALL_GLU})
courtball_library(courtball_camera
  SOURCES camera/OrbitCamera.cpp
  LIBS courtball_math)
courtball_library(courtball_mesh
  SOURCES mesh/AseReader.cpp mesh/MeshGlow.cpp mesh/MeshModel.cpp
  LIBS courtball_math courtball_camera courtball_platform)
courtball_library(courtball_terrain
  SOURCES terrain/Terrain.cpp terrain/TerrainDraw.cpp
  LIBS courtball_math courtball_camera courtball_platform)
courtball_library(courtball_ball
  SOURCES ball/Ball.cpp
  LIBS courtball_mesh courtball_terrain courtball_court)
courtball_library(courtball_loop
  SOURCES loop/Globals.cpp loop/RenderFrame.cpp loop/SetUpScene.cpp loop/TickGame.cpp
  LIBS courtball_ball courtball_image)
# The mixer and the tick's sounds (no SDL: the platforms feed it).
courtball_library(courtball_sound
  SOURCES sound/Mixer.cpp sound/TickSounds.cpp
  LIBS courtball_loop courtball_court)
# One step: the tick, its sounds, the frame; and the trace that watches it.
courtball_library(courtball_step
  SOURCES step/GameStep.cpp step/Trace.cpp
  LIBS courtball_sound courtball_loop)
# The shell's GL half: render state, projection, keys, mouse, pad and fingers
# (no SDL).
courtball_library(courtball_shellcore
  SOURCES shell/core/GameInput.cpp shell/core/PadInput.cpp shell/core/RenderState.cpp
          shell/core/TouchInput.cpp
  LIBS courtball_step ${COURTBALL_GLU})

if(COURTBALL_FUZZ)
  return()
endif()

# The shell's rules that need no display: the 20 ms grid, key codes, the
# video-driver check and the screen's taking. SDL's headers only; the tests run
# them without video.
courtball_library(courtball_shellrules
  SOURCES shell/KeyMap.cpp shell/ScreenRules.cpp shell/TickTimer.cpp shell/VideoDriver.cpp
  LIBS ${COURTBALL_SDL})
# The sound files, decoded by SDL from memory; no SDL start-up needed, so the
# data tool and courtball-capture read them as the game does.
courtball_library(courtball_soundfile
  SOURCES shell/SoundFile.cpp
  LIBS courtball_sound courtball_platform courtball_court ${COURTBALL_SDL})
# The gamepad on SDL's game-controller layer and the audio device over the
# mixer, apart from the window: the tests drive the pad with SDL's virtual
# joystick, and the page opens the same device as the desktop.
courtball_library(courtball_shellextras
  SOURCES shell/AudioDevice.cpp shell/Gamepad.cpp
  LIBS courtball_soundfile courtball_shellcore ${COURTBALL_SDL})
