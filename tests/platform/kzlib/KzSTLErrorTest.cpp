// Every bad input gives 0, a text naming the file and the problem, and leaves the array alone.
#include "StlFileWriter.h"

#include <gtest/gtest.h>

#include <limits>
#include <sys/stat.h>

namespace
{
struct ErrorCase
{
    const char* name;
    std::string bytes;
    // "{}" stands for the file's path.
    std::wstring error;
};

std::string Ascii(const std::string& body)
{
    return "solid t\n" + body + "endsolid t\n";
}

std::string OneFacetWith(const std::string& vertexLine)
{
    return Ascii("facet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\n" + vertexLine +
                 "\nendloop\nendfacet\n");
}

std::vector<ErrorCase> ErrorCases()
{
    const float inf = std::numeric_limits<float>::infinity();
    std::string headerOnly = BinaryStl("", 0, {});
    return {
        {"EmptyFile", "", L"The STL file \"{}\" is empty."},
        {"ShortFileThatIsNotAscii", "hello",
         L"The file \"{}\" is not an STL file: it does not read as ASCII STL, and its 5 bytes are fewer than "
         L"the 84 "
         L"of a binary STL header."},
        {"BinaryTooShortForItsCount", BinaryStl("", 3, {kCorners, kCorners}),
         L"The STL file \"{}\" is too short: it does not read as ASCII STL, and as binary STL its header "
         L"announces 3 "
         L"triangles, which need 234 bytes, but the file has only 184 bytes."},
        {"BinaryWithSolidHeaderCutInARecord", BinaryStl("solid part", 2, {kCorners, kCorners}).substr(0, 150),
         L"The STL file \"{}\" is too short: it does not read as ASCII STL, and as binary STL its header "
         L"announces 2 "
         L"triangles, which need 184 bytes, but the file has only 150 bytes."},
        // 84 + 50 * 85899346 is 88 in 32-bit arithmetic.
        {"CountThatWrapsIn32Bits", BinaryStl("", 85899346, {}) + "abcd",
         L"The STL file \"{}\" is too short: it does not read as ASCII STL, and as binary STL its header "
         L"announces "
         L"85899346 triangles, which need 4294967384 bytes, but the file has only 88 bytes."},
        {"CountNoFileCanHold", BinaryStl("", 0xFFFFFFFFu, {kCorners}),
         L"The STL file \"{}\" is too short: it does not read as ASCII STL, and as binary STL its header "
         L"announces "
         L"4294967295 triangles, which need 214748364834 bytes, but the file has only 134 bytes."},
        {"BinaryNonFiniteCorner", BinaryStl("", 2, {kCorners, {0, 0, 0, 1, inf, 0, 0, 1, 0}}),
         L"The STL file \"{}\" has a vertex coordinate that is not a finite number in facet 2."},
        {"AsciiCutInsideAFacet", "solid t\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0",
         L"The STL file \"{}\" is cut short: it ends at line 5, inside a solid that has no \"endsolid\"."},
        {"AsciiWithoutEndsolid", "solid t\n" + kFacet + "\n\n",
         L"The STL file \"{}\" is cut short: it ends at line 8, inside a solid that has no \"endsolid\"."},
        {"AsciiUnknownKeywordCountsCrLfAndCrLines",
         "solid t\r\nfacet normal 0 0 1\router loop\r\nvertx 0 0 0\n",
         L"The STL file \"{}\" has \"vertx\" at line 4, where a keyword was expected."},
        {"AsciiFacetWithoutNormalKeyword", Ascii("facet 0 0 1\n"),
         L"The STL file \"{}\" has \"0\" at line 2, where \"normal\" was expected."},
        {"AsciiNestedSolid", Ascii("solid inner\n"),
         L"The STL file \"{}\" has \"solid\" at line 2, where a keyword was expected."},
        {"AsciiTextAfterTheLastSolid", Ascii(kFacet) + "extra\n",
         L"The STL file \"{}\" has \"extra\" at line 10, where \"solid\" was expected."},
        {"AsciiBadNumber", OneFacetWith("vertex 0 1.0.5 0"),
         L"The STL file \"{}\" has \"1.0.5\" at line 6, where a number was expected."},
        {"AsciiBadNumberInNormal", Ascii("facet normal 0 0 x\n"),
         L"The STL file \"{}\" has \"x\" at line 2, where a number was expected."},
        {"AsciiSignAfterSign", OneFacetWith("vertex 0 +-1 0"),
         L"The STL file \"{}\" has \"+-1\" at line 6, where a number was expected."},
        {"AsciiDecimalComma", OneFacetWith("vertex 0 8,787402e+00 0"),
         L"The STL file \"{}\" has a decimal comma in \"8,787402e+00\" at line 6; numbers must use a decimal "
         L"point."},
        {"AsciiFacetWithTwoVertices",
         Ascii("facet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nendloop\nendfacet\n"),
         L"The STL file \"{}\" has a facet with 2 vertices at line 7 (facet 1); a facet has three."},
        {"AsciiFacetWithFourVertices",
         Ascii(kFacet + "facet normal 0 0 1\nvertex 0 0 0\nvertex 1 0 0\n"
                        "vertex 0 1 0\nvertex 1 1 0\nendfacet\n"),
         L"The STL file \"{}\" has a facet with more than three vertices at line 13 (facet 2); a facet has "
         L"three."},
        {"AsciiFacetWithoutVertices", Ascii("facet normal 0 0 1\nfacet normal 0 0 1\n"),
         L"The STL file \"{}\" has a facet with 0 vertices at line 3 (facet 1); a facet has three."},
        {"AsciiSecondFacetCutShortBySolidEnd", Ascii(kFacet + "facet normal 0 0 1\nvertex 0 0 0\n"),
         L"The STL file \"{}\" has a facet with 1 vertex at line 11 (facet 2); a facet has three."},
        {"AsciiNanCorner",
         Ascii(kFacet + kFacet) + "solid u\nfacet normal 0 0 1\nouter loop\nvertex 0 nan 0\n",
         L"The STL file \"{}\" has a vertex coordinate that is not a finite number at line 20 (facet 3)."},
        {"AsciiCornerBeyondFloatRange", OneFacetWith("vertex 0 1e39 0"),
         L"The STL file \"{}\" has a vertex coordinate that is not a finite number at line 6 (facet 1)."},
        {"LongGarbageTokenIsShortenedAndMadePrintable", Ascii("\x01" + std::string(40, 'x') + "\n"),
         L"The STL file \"{}\" has \"?xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" at line 2, where a keyword was "
         L"expected."},
    };
}

std::wstring WithPath(std::wstring text, const CString& path)
{
    const size_t at = text.find(L"{}");
    if (at != std::wstring::npos)
        text.replace(at, 2, (const wchar_t*)path); // a path with a null character shows up to it
    return text;
}

// A failed read must leave the caller's array exactly as it was.
void ExpectFailure(const CString& path, const std::wstring& error)
{
    ON_ClassArray<ON_Mesh> meshes;
    meshes.AppendNew().m_V.Append(ON_3fPoint(7, 8, 9));
    EXPECT_EQ(KzSTL::STLToMesh(path, meshes), 0);
    EXPECT_EQ(KzSTL::GetError().Str(), WithPath(error, path));
    ASSERT_EQ(meshes.Count(), 1);
    EXPECT_EQ(meshes[0].VertexCount(), 1);
    EXPECT_EQ(meshes[0].FaceCount(), 0);
}

void PrintTo(const ErrorCase& c, std::ostream* out)
{
    *out << c.name;
}

class ErrorTable : public testing::TestWithParam<ErrorCase>
{
};

TEST_P(ErrorTable, GivesZeroAndTheText)
{
    TempFolder folder;
    ExpectFailure(WidePath(folder.Write("case.stl", GetParam().bytes)), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(KzSTL, ErrorTable, testing::ValuesIn(ErrorCases()),
                         [](const testing::TestParamInfo<ErrorCase>& info)
                         { return std::string(info.param.name); });

TEST(KzSTL, FilesThatCannotBeOpened)
{
    TempFolder folder;
    ExpectFailure(WidePath(folder.Path() / "missing.stl"),
                  L"Cannot open the STL file \"{}\": the file does not exist.");
    ExpectFailure(WidePath(folder.Path()), L"Cannot read the STL file \"{}\": it is a folder.");
    const auto pipe = folder.Path() / "pipe.stl";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ExpectFailure(WidePath(pipe), L"Cannot read the STL file \"{}\": it is not a regular file.");
    ExpectFailure(WidePath(folder.Path()) + CString(std::wstring(L"/a\0b.stl", 8)),
                  L"Cannot open the STL file \"{}\": the path is not valid text.");
    ExpectFailure(WidePath(folder.Path()) + L"/\xD800.stl",
                  L"Cannot open the STL file \"{}\": the path is not valid text.");
}

TEST(KzSTL, SuccessClearsTheLastError)
{
    TempFolder folder;
    ON_ClassArray<ON_Mesh> meshes;
    EXPECT_EQ(KzSTL::STLToMesh(WidePath(folder.Write("bad.stl", "")), meshes), 0);
    EXPECT_NE(KzSTL::GetError(), L"");
    EXPECT_EQ(KzSTL::STLToMesh(WidePath(folder.Write("good.stl", "solid\nendsolid\n")), meshes), 1);
    EXPECT_EQ(KzSTL::GetError(), L"");
}
} // namespace
