// NVKSWON::CreatePartFromMeshes on a closed mesh of 1 million triangles in a lean simulated host,
// both roads with their progress windows, against floors measured in the same run: reading every
// face's points and taking its normal (solid road), walking every face's sides (sketch road). Our
// figure includes the working copy, the quad split, the topology, the host calls and the progress
// protocol.
#include "NVKSWON.h"
#include "sim/Host.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <numbers>

namespace
{
constexpr int kRuns = 3; // the best of these counts, for each road and each floor
constexpr int kAround = 1000;
constexpr int kSection = 500; // 2 * 1000 * 500 = 1 million triangles

// A torus of kAround x kSection quads, each split into two triangles; shared vertices, as the
// STL reader gives them after merging.
ON_Mesh MakeTorus()
{
    ON_Mesh mesh;
    for (int i = 0; i < kAround; ++i)
        for (int j = 0; j < kSection; ++j)
        {
            const double u = 2 * std::numbers::pi * i / kAround, v = 2 * std::numbers::pi * j / kSection;
            mesh.SetVertex(mesh.VertexCount(),
                           ON_3dPoint((1 + 0.4 * std::cos(v)) * std::cos(u),
                                      (1 + 0.4 * std::cos(v)) * std::sin(u), 0.4 * std::sin(v)));
        }
    auto at = [](int i, int j) { return (i % kAround) * kSection + (j % kSection); };
    for (int i = 0; i < kAround; ++i)
        for (int j = 0; j < kSection; ++j)
        {
            mesh.SetTriangle(mesh.FaceCount(), at(i, j), at(i + 1, j), at(i + 1, j + 1));
            mesh.SetTriangle(mesh.FaceCount(), at(i, j), at(i + 1, j + 1), at(i, j + 1));
        }
    return mesh;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

volatile double g_sink; // keeps the floors' arithmetic from being optimised away

double SolidFloor(const ON_Mesh& mesh, double factor)
{
    double sum = 0;
    for (int fi = 0; fi < mesh.FaceCount(); ++fi)
    {
        const ON_MeshFace& face = mesh.m_F[fi];
        const ON_3dPoint p0(mesh.m_V[face.vi[0]]), p1(mesh.m_V[face.vi[1]]), p2(mesh.m_V[face.vi[2]]);
        ON_3dVector normal;
        normal.PerpendicularTo(p0, p1, p2);
        sum += normal.x + (p0.x + p1.y + p2.z) * factor;
    }
    return sum;
}

// Every face's three sides, so shared edges are walked twice; no topology.
double SketchFloor(const ON_Mesh& mesh, double factor)
{
    double sum = 0;
    for (int fi = 0; fi < mesh.FaceCount(); ++fi)
    {
        const ON_MeshFace& face = mesh.m_F[fi];
        for (int k = 0; k < 3; ++k)
        {
            const ON_3fPoint& a = mesh.m_V[face.vi[k]];
            const ON_3fPoint& b = mesh.m_V[face.vi[(k + 1) % 3]];
            sum += (a.x + b.y) * factor;
        }
    }
    return sum;
}

struct Figures
{
    double road = 1e30, floor = 1e30;
};

// The sketch road builds the topology inside the caller's mesh, so every run gets a fresh copy.
Figures Measure(const ON_Mesh& torus, int mode)
{
    Figures best;
    for (int run = 0; run < kRuns; ++run)
    {
        ON_ClassArray<ON_Mesh> meshes;
        meshes.Append(torus);
        sim::Host host;
        host.SetLean(true);
        // As in a fresh import, the run finds no memory of the run before already in place.
        malloc_trim(0);
        auto start = std::chrono::steady_clock::now();
        if (!NVKSWON::CreatePartFromMeshes(host.Application(), meshes, 0, mode, 1, 1))
        {
            std::fprintf(stderr, "import failed: %ls\n", (const wchar_t*)NVKSWON::GetError());
            std::exit(1);
        }
        best.road = std::min(best.road, Seconds(start));
        if (host.LiveReferences() != 0)
        {
            std::fprintf(stderr, "the bridge kept %ld host references\n", host.LiveReferences());
            std::exit(1);
        }

        start = std::chrono::steady_clock::now();
        g_sink = mode == ImportAsSolid ? SolidFloor(torus, 0.001) : SketchFloor(torus, 0.001);
        best.floor = std::min(best.floor, Seconds(start));
    }
    return best;
}

void Print(const char* road, double items, const char* unit, const Figures& f)
{
    std::printf("%s road: %.0f %s\n", road, items, unit);
    std::printf("  bridge %7.3f s  %6.2f M %s/s\n", f.road, items / f.road / 1e6, unit);
    std::printf("  floor  %7.3f s  %6.2f M %s/s\n", f.floor, items / f.floor / 1e6, unit);
    std::printf("  ratio  %7.2f (bridge time / floor time)\n", f.road / f.floor);
}
} // namespace

int main()
{
    const ON_Mesh torus = MakeTorus();
    std::printf("torus: %d vertices, %d triangles, lean host, progress windows on\n", torus.VertexCount(),
                torus.FaceCount());
    Print("solid", torus.FaceCount(), "faces", Measure(torus, ImportAsSolid));
    const double edges = ON_Mesh(torus).Topology().m_tope.Count();
    Print("3D-sketch", edges, "edges", Measure(torus, ImportAs3DSketch));
    return 0;
}
