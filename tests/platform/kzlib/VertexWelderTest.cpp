// Merging stays exact however the room is made: all ahead, on an estimate given as the triangles
// come, or only as they fill it.
#include "VertexWelder.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <vector>

namespace
{
// Triangles of a grid of quads, two per quad, sharing their corners; nine floats each.
std::vector<float> GridTriangles(int size)
{
    std::vector<float> corners;
    auto corner = [&](int i, int j) {
        corners.insert(corners.end(), {float(i), float(j), float(i * j) / 7});
    };
    for (int i = 0; i < size; ++i)
        for (int j = 0; j < size; ++j)
        {
            corner(i, j), corner(i + 1, j), corner(i + 1, j + 1);
            corner(i, j), corner(i + 1, j + 1), corner(i, j + 1);
        }
    return corners;
}

TEST(VertexWelder, RoomMadeAheadChangesNoVertexOrFace)
{
    const std::vector<float> corners = GridTriangles(40);
    const size_t triangles = corners.size() / 9;
    // Indices in the order of first appearance, found the plain way.
    std::map<std::array<float, 3>, int> indexOf;
    std::vector<int> expectedCorners;
    for (size_t c = 0; c < 3 * triangles; ++c)
    {
        const std::array<float, 3> position{corners[3 * c], corners[3 * c + 1], corners[3 * c + 2]};
        expectedCorners.push_back(indexOf.emplace(position, int(indexOf.size())).first->second);
    }

    const struct
    {
        const char* name;
        uint64_t atStart;    // the estimate the welder starts with
        uint64_t afterFirst; // and the one given after the first batch
    } cases[] = {
        {"exact from the start", triangles, triangles}, {"none, then growing as the table fills", 0, 0},
        {"small, then exact", 16, triangles},           {"small, then far too many", 16, 40 * triangles},
        {"small, then too few", 16, triangles / 8},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        ON_Mesh mesh;
        {
            kzstl::VertexWelder welder(mesh, c.atStart);
            constexpr size_t kBatch = 100;
            for (size_t first = 0; first < triangles; first += kBatch)
            {
                welder.AddTriangles(&corners[9 * first], std::min(kBatch, triangles - first));
                if (first == 0)
                    welder.ReserveMesh(c.afterFirst);
            }
            welder.Finish();
        }
        ASSERT_EQ(mesh.VertexCount(), int(indexOf.size()));
        for (const auto& [position, index] : indexOf)
            EXPECT_EQ(mesh.m_V[index], ON_3fPoint(position[0], position[1], position[2]));
        ASSERT_EQ(mesh.FaceCount(), int(triangles));
        for (int f = 0; f < mesh.FaceCount(); ++f)
        {
            const int* vi = mesh.m_F[f].vi;
            ASSERT_EQ((std::array<int, 4>{vi[0], vi[1], vi[2], vi[3]}),
                      (std::array<int, 4>{expectedCorners[3 * f], expectedCorners[3 * f + 1],
                                          expectedCorners[3 * f + 2], expectedCorners[3 * f + 2]}))
                << "face " << f;
        }
        EXPECT_EQ(mesh.m_V.Capacity(), mesh.VertexCount());
        EXPECT_EQ(mesh.m_F.Capacity(), mesh.FaceCount());
    }
}
} // namespace
