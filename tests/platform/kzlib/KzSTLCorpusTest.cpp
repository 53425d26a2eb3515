// Real files from other projects' test suites, against the figures their manifest records.
#include "StlFileWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace
{
const std::filesystem::path kCorpus = std::filesystem::path(FACETOR_SOURCE_DIR) / "tests/data/stl";

struct CorpusFile
{
    std::string path;
    int facets;
    size_t distinctVertices;
};

// Rows of the manifest's file table: | `path` | repo | origin | commit | bytes | kind | facets | distinct |
// sha |
std::vector<CorpusFile> ManifestFiles()
{
    std::vector<CorpusFile> files;
    std::ifstream manifest(kCorpus / "MANIFEST.md");
    for (std::string line; std::getline(manifest, line);)
    {
        std::vector<std::string> cells;
        std::stringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');)
        {
            const size_t first = cell.find_first_not_of(' ');
            cells.push_back(
                first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(' ') + 1 - first));
        }
        if (cells.size() != 10 || cells[1].size() < 3 || cells[1].front() != '`')
            continue;
        // "2*" marks a malformed file whose two facets are read from their vertex triples.
        files.push_back({cells[1].substr(1, cells[1].size() - 2), std::stoi(cells[7]), std::stoul(cells[8])});
    }
    return files;
}


TEST(Corpus, EveryFileGivesItsFacetsAndDistinctVertices)
{
    const std::vector<CorpusFile> files = ManifestFiles();
    EXPECT_EQ(files.size(), 37u);
    for (const CorpusFile& file : files)
    {
        SCOPED_TRACE(file.path);
        const ReadResult read = ReadStl(kCorpus / file.path);
        ASSERT_EQ(read.result, 1) << read.error;
        int facets = 0;
        std::set<std::array<float, 3>> positions;
        for (int m = 0; m < read.meshes.Count(); ++m)
        {
            const ON_Mesh& mesh = read.meshes[m];
            std::set<std::array<float, 3>> meshPositions;
            for (int v = 0; v < mesh.VertexCount(); ++v)
                meshPositions.insert({mesh.m_V[v].x, mesh.m_V[v].y, mesh.m_V[v].z});
            EXPECT_EQ(meshPositions.size(), size_t(mesh.VertexCount())) << "a position twice in mesh " << m;
            EXPECT_GT(mesh.FaceCount(), 0);
            for (int f = 0; f < mesh.FaceCount(); ++f)
                for (int corner : mesh.m_F[f].vi)
                    ASSERT_TRUE(corner >= 0 && corner < mesh.VertexCount());
            facets += mesh.FaceCount();
            positions.insert(meshPositions.begin(), meshPositions.end());
        }
        EXPECT_EQ(facets, file.facets);
        EXPECT_EQ(positions.size(), file.distinctVertices);
    }
}

// Bit-exact vertices and identical faces: ASCII numbers rounded as the binary floats were. (The
// Spider pair is no such case: its ASCII copy has only six decimals.)
void ExpectSameMeshes(const std::string& first, const std::string& second)
{
    SCOPED_TRACE(first + " and " + second);
    const ReadResult a = ReadStl(kCorpus / first);
    const ReadResult b = ReadStl(kCorpus / second);
    ASSERT_EQ(a.result, 1) << a.error;
    ASSERT_EQ(b.result, 1) << b.error;
    ASSERT_EQ(a.meshes.Count(), 1);
    ASSERT_EQ(b.meshes.Count(), 1);
    const ON_Mesh& ma = a.meshes[0];
    const ON_Mesh& mb = b.meshes[0];
    ASSERT_EQ(ma.VertexCount(), mb.VertexCount());
    ASSERT_EQ(ma.FaceCount(), mb.FaceCount());
    EXPECT_EQ(std::memcmp(ma.m_V.Array(), mb.m_V.Array(), sizeof(ON_3fPoint) * size_t(ma.VertexCount())), 0);
    EXPECT_EQ(std::memcmp(ma.m_F.Array(), mb.m_F.Array(), sizeof(ON_MeshFace) * size_t(ma.FaceCount())), 0);
}

TEST(Corpus, AsciiAndBinaryCopiesOfAModelGiveTheSameMesh)
{
    ExpectSameMeshes("nom_stl/MOON_PRISM_POWER.stl", "nom_stl/MOON_PRISM_POWER_binary.stl");
    ExpectSameMeshes("nom_stl/MOON_PRISM_POWER.stl", "nom_stl/MOON_PRISM_POWER_dos.stl");
    ExpectSameMeshes("nom_stl/MOON_PRISM_POWER.stl", "nom_stl/MOON_PRISM_POWER_no_closing_name.stl");
    ExpectSameMeshes("stl_io/bunny_99_ascii.stl", "stl_io/bunny_99.stl");
}
} // namespace
