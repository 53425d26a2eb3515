// The ASCII reader's two roads, each on its own: reading in order, and reading by pieces.
#pragma once

#include "StlFile.h"

#include "opennurbs.h"

#include <cstddef>
#include <optional>
#include <string>

// The meshes read in order, as bytes so that they compare bit for bit; empty when reading fails.
std::optional<std::string> ReadInOrder(const kzstl::StlFile& file);

// The meshes read by pieces of the given size, as bytes; empty when reading by pieces gives up.
std::optional<std::string> ReadByPieces(const kzstl::StlFile& file, size_t pieceSize);

// The meshes as bytes: each one's vertices and faces.
std::string MeshBytes(const ON_ClassArray<ON_Mesh>& meshes);
