// Checks that keep the bridge from reading outside a mesh it is handed.
#pragma once

#include "opennurbs.h"

// True when every face names vertices inside the mesh's vertex list.
bool MeshFacesInRange(const ON_Mesh& mesh);

// True when every topological edge names two topological vertices of the topology, each with a
// first mesh vertex inside the mesh's vertex list. A topology built earlier stays inside its mesh
// when the mesh's vertices are changed afterwards, so it need not fit them any more.
bool MeshTopologyInRange(const ON_Mesh& mesh, const ON_MeshTopology& topology);

extern const wchar_t* const kMeshIndexError;
extern const wchar_t* const kMeshTopologyError;
