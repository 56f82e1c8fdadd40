#pragma once
// Reading the mesh description file: the sheet's name, scale, corners,
// coordinate system and the list of its layer files.
#include "map/mesh_description.h"

// Reads the file at d.FilePath(); every failure raises TKDKReadException with
// the description path as context.
void ReadDescription(TKDKDescription& d);
