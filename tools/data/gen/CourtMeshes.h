// CourtMeshes.h -- the six models of the court, built in world units around
// the point where the game places each of them.
#pragma once
#include "data/gen/BuiltMesh.h"

// A UV sphere of the ball's radius around its drawn centre, with one texture
// coordinate per vertex (the seam and the poles carry duplicate vertices).
BuiltMesh BuildBallMesh();
// A slab centred on the ball's drawn centre, closed and facing outward; both
// paddles share it, so it is the same seen from either end of the court.
BuiltMesh BuildPaddleMesh();
// The glass walls, one flat grid each, facing the court.
BuiltMesh BuildLeftWallMesh();
BuiltMesh BuildRoofMesh();
BuiltMesh BuildRightWallMesh();
// The housing around court and floor, seen from inside (see CaseMesh.cpp).
BuiltMesh BuildCaseMesh();
