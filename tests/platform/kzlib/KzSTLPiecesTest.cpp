// Reading ASCII text by pieces side by side must give exactly what reading it in order gives, or
// give up so that it is read in order. Small pieces put the ends of pieces at every token and line
// end of a small text, and make many pieces for the worker threads.
#include "StlFileWriter.h"
#include "StlReadRoads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

namespace
{
size_t LongestLine(const std::string& text)
{
    size_t longest = 0;
    size_t line = 0;
    for (char c : text)
    {
        line = c == '\n' || c == '\r' ? 0 : line + 1;
        longest = std::max(longest, line);
    }
    return longest;
}

// Piece sizes up to the whole text, in steps that put the ends of pieces at every offset of a line
// somewhere: where reading in order fails, reading by pieces gives up; where it succeeds, reading by
// pieces gives the same meshes, and gives up only for a line longer than a piece.
void ExpectPiecesReadAsInOrder(const std::string& text)
{
    TempFolder folder;
    const kzstl::StlFile file(WidePath(folder.Write("pieces.stl", text)).Str());
    const std::optional<std::string> inOrder = ReadInOrder(file);
    for (size_t pieceSize = 1; pieceSize <= text.size(); pieceSize += pieceSize < 8     ? 1
                                                                      : pieceSize < 120 ? 5
                                                                                        : pieceSize / 2)
    {
        SCOPED_TRACE("pieces of " + std::to_string(pieceSize) + " bytes");
        const std::optional<std::string> byPieces = ReadByPieces(file, pieceSize);
        if (!inOrder)
            EXPECT_FALSE(byPieces);
        else if (byPieces)
            EXPECT_EQ(*byPieces, *inOrder);
        else
            EXPECT_LT(pieceSize, LongestLine(text));
    }
    // The whole text in one piece, read without workers.
    const std::optional<std::string> whole = ReadByPieces(file, text.size());
    EXPECT_EQ(whole.has_value(), inOrder.has_value());
}

const std::string kUsualFacet = "  facet normal 0.0e+00 -1.5 2.\n    outer loop\n      vertex 0 0 0\n"
                                "      vertex 1 0 0\n      vertex 0 1 0\n    endloop\n  endfacet\n";

TEST(KzSTLPieces, ValidTextsReadAsInOrder)
{
    const std::string cases[] = {
        // Solid names that hold numbers and keywords, several blocks, an empty one.
        "solid 1 2 vertex\n" + kUsualFacet + kUsualFacet + "endsolid facet 3\nsolid\nendsolid\nsolid b 4\n" +
            kUsualFacet + "endsolid\n",
        // Line ends of every kind, tabs, letter case, a byte-order mark, no final line end.
        "\xEF\xBB\xBF SOLID crlf\r\n  Facet NORMAL 0 0 1\r\n\tOUTER loop\r  VERTEX 0 0 0\r\n vertex 1 0 0\r"
        " vertex 0 1 0\n\nENDLOOP\r\nEndFacet\r\n\r\nfacet normal 0 0 1 outer loop vertex 1 0 0 vertex 1 1 0 "
        "vertex 0 0 0 endloop endfacet\rEndSolid crlf",
        // Facets that lack keywords, and a facet opened by "outer loop" before its usual form.
        "solid m\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\nendloop\nendfacet\n"
        "outer loop\nfacet normal 0 0 1\nvertex 1 0 0\nvertex 1 1 0\nvertex 0 0 0\nendloop\n"
        "facet normal 0 0 1\nvertex 0 1 0\nvertex 1 1 0\nvertex 0 0 0\nouter loop\n" +
            kUsualFacet + "endsolid\n",
        // Numbers in every form, in vertices and normals; non-finite normals.
        "solid f\nfacet normal nan -inf 1.#QNAN\nouter loop\nvertex +1.5 .5 5.\nvertex 1E+003 0x1.8p1 "
        "-0X1P-2\n"
        "vertex 1e-50 -1e-4000 2.5e0000000000000000000001\nendloop\nendfacet\n"
        "facet normal +1 -.5e-3 0X1P3\nouter loop\nvertex -0 0.1 16777217\nvertex "
        "1.00000005960464477539062500001 "
        "3.4028235e38 1.4e-45\nvertex 0 0 0\nendloop\nendfacet\nendsolid\n",
    };
    for (const std::string& text : cases)
    {
        SCOPED_TRACE(text);
        ExpectPiecesReadAsInOrder(text);
    }
}

TEST(KzSTLPieces, TextsThatFailInOrderAreReadAgainInOrder)
{
    std::vector<std::string> cases = {
        "solid t\n" + kUsualFacet + "facet normal 0 0 1\nvertex 0 0 0\nvertex 1 0 0\nendsolid\n",
        "solid t\n" + kUsualFacet +
            "  facet normal 0 0 1\n    outer loop\n      vertex 0 nan 0\n"
            "      vertex 1 0 0\n      vertex 0 1 0\n    endloop\n  endfacet\nendsolid\n",
        "solid t\n" + kUsualFacet + "solid inner\nendsolid\n",
        "solid t\n" + kUsualFacet + kUsualFacet,
        "solid t\n" + kUsualFacet + "endsolid\nvertex 0 0 0\n",
    };
    // Normals that only look like numbers; only their syntax is checked.
    for (const char* normal : {"1e", "-", ".", "-.", "1.2.3", "e5", "--1", "1e+", "1,5", "0x", "1e5x", "+-1"})
        cases.push_back(
            "solid t\n" + kUsualFacet + "facet normal 0 " + normal +
            " 0\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\nendloop\nendfacet\nendsolid\n");
    for (const std::string& text : cases)
    {
        SCOPED_TRACE(text);
        ExpectPiecesReadAsInOrder(text);
    }
}

// Blocks of thousands of facets on the workers, through the reader's entry: the block's room is
// foreseen from its first facets and made again as they come.
TEST(KzSTLPieces, LargeBlocksReadAsInOrder)
{
    std::ostringstream text;
    for (int block = 0; block < 3; ++block)
    {
        text << "solid block" << block << "\n";
        const int rows = block == 1 ? 1 : 60;
        for (int i = 0; i < rows; ++i)
            for (int j = 0; j < 60; ++j)
                text << "facet normal 0 0 1\nouter loop\nvertex " << i << ' ' << j << " 0\nvertex " << i + 1
                     << ' ' << j << " 0\nvertex " << i << ' ' << j + 1 << " 0.5\nendloop\nendfacet\n";
        text << "endsolid\n";
    }
    TempFolder folder;
    const kzstl::StlFile file(WidePath(folder.Write("large.stl", text.str())).Str());
    const std::optional<std::string> inOrder = ReadInOrder(file);
    ASSERT_TRUE(inOrder);
    for (size_t pieceSize : {size_t(512), size_t(4096), kzstl::kChunkSize})
    {
        SCOPED_TRACE(pieceSize);
        const std::optional<std::string> byPieces = ReadByPieces(file, pieceSize);
        ASSERT_TRUE(byPieces);
        EXPECT_EQ(*byPieces, *inOrder);
    }
    ON_ClassArray<ON_Mesh> meshes;
    ASSERT_EQ(KzSTL::STLToMesh(WidePath(folder.Path() / "large.stl"), meshes), 1);
    ASSERT_EQ(meshes.Count(), 3);
    EXPECT_EQ(meshes[0].FaceCount(), 3600);
    EXPECT_EQ(meshes[0].VertexCount(), 61 * 60 + 60 * 60); // corners at z 0, and at z 0.5
    EXPECT_EQ(meshes[1].FaceCount(), 60);
    EXPECT_EQ(MeshBytes(meshes), *inOrder);
}
} // namespace
