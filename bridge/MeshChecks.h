// Checks that keep the bridge from reading outside a mesh it is handed.
#pragma once

#include "opennurbs.h"

// True when every face names vertices inside the mesh's vertex list.
bool MeshFacesInRange(const ON_Mesh& mesh);

extern const wchar_t* const kMeshIndexError;
