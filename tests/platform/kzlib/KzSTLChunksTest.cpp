// ASCII text is read a chunk at a time: tokens, line ends and lines that straddle the end of a
// chunk must read as if the text were whole.
#include "StlFileWriter.h"
#include "StlFile.h"
#include "StlReadRoads.h"

#include <gtest/gtest.h>

namespace
{
constexpr size_t kChunk = kzstl::kChunkSize;

// The text with spaces up to the offset, so that what follows starts there.
std::string PadTo(std::string text, size_t offset)
{
    text.append(offset - text.size(), ' ');
    return text;
}

TEST(KzSTLChunks, TokensAndLineEndsAcrossTheChunksReadAsOneText)
{
    std::string text = "solid " + std::string(kChunk + 10, 'n') + "\n"; // a name longer than a chunk
    text += "facet normal 0 0 1\nouter loop\nvertex ";
    text = PadTo(text, 2 * kChunk - 2) + "1.25 0 0\nvertex 0 1.5 0";    // a number across the end
    text = PadTo(text, 3 * kChunk - 1) + "\r\nvertex 0 0 2\nendloop\n"; // CR and LF in two chunks
    text = PadTo(text, 4 * kChunk - 3) + "endfacet\nendsolid\n";        // a keyword across the end
    TempFolder folder;
    const auto path = folder.Write("chunks.stl", text);
    const ReadResult read = ReadStl(path);
    ASSERT_EQ(read.result, 1) << read.error;
    ASSERT_EQ(read.meshes.Count(), 1);
    const ON_Mesh& mesh = read.meshes[0];
    ASSERT_EQ(mesh.VertexCount(), 3);
    EXPECT_EQ(mesh.m_V[0], ON_3fPoint(1.25f, 0, 0));
    EXPECT_EQ(mesh.m_V[1], ON_3fPoint(0, 1.5f, 0));
    EXPECT_EQ(mesh.m_V[2], ON_3fPoint(0, 0, 2));
    // The reader that goes in order reads the chunks; a valid text reaches it when reading by
    // pieces gives up.
    EXPECT_EQ(ReadInOrder(kzstl::StlFile(WidePath(path).Str())), MeshBytes(read.meshes));
}

TEST(KzSTLChunks, ErrorsBeyondTheFirstChunkNameTheirLine)
{
    const struct
    {
        const char* name;
        std::string bytes;
        std::wstring error; // "{}" stands for the path
    } cases[] = {
        {"a CRLF split between chunks ends one line", PadTo("solid t\n", kChunk - 1) + "\r\nbad\n",
         L"The STL file \"{}\" has \"bad\" at line 3, where a keyword was expected."},
        {"a token longer than a chunk is cut", "solid t\n\n" + std::string(kChunk + 5, 'x') + "\n",
         L"The STL file \"{}\" has \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" at line 3, where a keyword was "
         L"expected."},
        {"the end of the file is placed after the last chunk's text",
         "solid t\n" + kFacet + std::string(kChunk, '\n') + "facet\r\n",
         L"The STL file \"{}\" is cut short: it ends at line " + std::to_wstring(kChunk + 9) +
             L", inside a solid that has no \"endsolid\"."},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const auto path = folder.Write("case.stl", c.bytes);
        const ReadResult read = ReadStl(path);
        EXPECT_EQ(read.result, 0);
        std::wstring error = c.error;
        error.replace(error.find(L"{}"), 2, WidePath(path).Str());
        EXPECT_EQ(read.error, error);
    }
}
} // namespace
