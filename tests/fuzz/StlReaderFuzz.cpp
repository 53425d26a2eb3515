// Any bytes as an STL file: the reader must answer 1 or 0, with a text when 0, and never crash,
// hang or allocate beyond what the file can hold. Its two roads for ASCII text must agree: reading
// by pieces gives the meshes that reading in order gives, or gives up. The input lives in a
// memory file, opened by its /proc path as any file would be.
#include "KzSTL.h"
#include "StlReadRoads.h"
#include "TextPiece.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const int file = memfd_create("fuzz.stl", 0);
    if (file < 0 || ftruncate(file, 0) != 0 || pwrite(file, data, size, 0) != ssize_t(size))
        std::abort();
    static const CString path(std::wstring(L"/proc/self/fd/") + std::to_wstring(file));

    ON_ClassArray<ON_Mesh> meshes;
    const int result = KzSTL::STLToMesh(path, meshes);
    if (result == 0 && (KzSTL::GetError().IsEmpty() || meshes.Count() != 0))
        std::abort();
    for (int m = 0; m < meshes.Count(); ++m)
    {
        const ON_Mesh& mesh = meshes[m];
        if (mesh.FaceCount() == 0)
            std::abort();
        for (int f = 0; f < mesh.FaceCount(); ++f)
            for (int corner : mesh.m_F[f].vi)
                if (corner < 0 || corner >= mesh.VertexCount())
                    std::abort();
    }

    const kzstl::StlFile text(path.Str());
    const std::optional<std::string> byPieces = ReadByPieces(text, kzstl::kPieceSize);
    if (byPieces && byPieces != ReadInOrder(text))
        std::abort();
    return 0;
}
