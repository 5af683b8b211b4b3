// AseWriter.h -- writes a built mesh as an ASCII scene export (ASE) file in
// the exporter's usual layout, at the inverse of the scale the game loads it at.
#pragma once
#include <string>

#include "data/gen/BuiltMesh.h"

// A number as the exporter prints it: fixed, four decimals, '.' whatever the
// locale, no negative zero.
std::string FormatFixed(double value);

// The file text. The game turns model z into world up and model -y into world
// z, and scales positions by loadScale, so a world offset (x, y, z) is written
// as (x, -z, y) / loadScale. Normals are written so that the reader's reorder,
// (p, q, r) -> (p, -r, q), turns them into the same model-space direction:
// in the file they read as world directions.
std::string EncodeAse(const BuiltMesh& mesh, float loadScale);
