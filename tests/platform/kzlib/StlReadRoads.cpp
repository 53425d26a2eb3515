#include "StlReadRoads.h"

#include "AsciiStlGrammar.h"
#include "PieceWordSource.h"
#include "TextWordSource.h"

std::string MeshBytes(const ON_ClassArray<ON_Mesh>& meshes)
{
    std::string bytes;
    for (int m = 0; m < meshes.Count(); ++m)
    {
        const ON_Mesh& mesh = meshes[m];
        bytes += "mesh ";
        bytes.append(reinterpret_cast<const char*>(mesh.m_V.Array()),
                     sizeof(ON_3fPoint) * size_t(mesh.VertexCount()));
        bytes += " faces ";
        bytes.append(reinterpret_cast<const char*>(mesh.m_F.Array()),
                     sizeof(ON_MeshFace) * size_t(mesh.FaceCount()));
    }
    return bytes;
}

std::optional<std::string> ReadInOrder(const kzstl::StlFile& file)
{
    ON_ClassArray<ON_Mesh> meshes;
    kzstl::TextWordSource words(file);
    try
    {
        kzstl::AsciiStlGrammar(words, meshes).Parse();
    }
    catch (const kzstl::StlFailure&)
    {
        return std::nullopt;
    }
    return MeshBytes(meshes);
}

std::optional<std::string> ReadByPieces(const kzstl::StlFile& file, size_t pieceSize)
{
    ON_ClassArray<ON_Mesh> meshes;
    try
    {
        kzstl::PieceWordSource words(file, pieceSize);
        kzstl::AsciiStlGrammar(words, meshes).Parse();
    }
    catch (const kzstl::RereadInOrder&)
    {
        return std::nullopt;
    }
    return MeshBytes(meshes);
}
