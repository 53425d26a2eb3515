// The text is first read by pieces side by side, which needs no lines; any error, and any text that
// a piece cannot read on its own, sends the whole file to the reader that goes in order, which
// places errors on their lines. Both feed the same grammar, so both give the same meshes.
#include "AsciiStlParser.h"

#include "AsciiStlGrammar.h"
#include "MeshArray.h"
#include "PieceWordSource.h"
#include "StlText.h"
#include "TextWordSource.h"

#include <cstring>

namespace kzstl
{
bool BeginsLikeAsciiStl(const char* data, size_t size)
{
    const char* p = data;
    const char* end = data + size;
    if (size >= 3 && std::memcmp(p, kByteOrderMark, 3) == 0)
        p += 3;
    while (p != end && IsSpace(*p))
        ++p;
    const char* first = p;
    while (p != end && !IsSpace(*p))
        ++p;
    return KeywordOf(first, p) == Word::Solid;
}

void ParseAsciiStl(const StlFile& file, ON_ClassArray<ON_Mesh>& meshes)
{
    const int countBefore = meshes.Count();
    try
    {
        PieceWordSource words(file);
        AsciiStlGrammar(words, meshes).Parse();
        return;
    }
    catch (const RereadInOrder&)
    {
        RemoveMeshesFrom(meshes, countBefore);
    }
    TextWordSource words(file);
    AsciiStlGrammar(words, meshes).Parse();
}
} // namespace kzstl
