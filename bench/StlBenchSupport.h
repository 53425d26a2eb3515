// What the STL benchmarks share: a finely tessellated torus written as a binary STL file facet by
// facet (half as many distinct vertices as triangles), the best of timed runs, the floor that reads
// the file and decodes every record, and KzSTL::STLToMesh timed with its memory.
#pragma once

#include "KzSTL.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <numbers>
#include <string>
#include <unistd.h>
#include <vector>

namespace stl_bench
{
// The best of these counts, for the reader and each floor. Before each run the allocator gives
// its free memory back to the system, so that no run finds its memory already in place, as a
// fresh import would not.
constexpr int kRuns = 3;
constexpr size_t kChunk = 50 * 20000; // bytes per read in the floors: whole binary records

struct Torus
{
    int around;  // quads around the main circle
    int section; // quads around the tube
    std::vector<float> points;

    Torus(int a, int s) : around(a), section(s), points(size_t(3) * size_t(a) * size_t(s))
    {
        for (int i = 0; i < a; ++i)
            for (int j = 0; j < s; ++j)
            {
                const double u = 2 * std::numbers::pi * i / a, v = 2 * std::numbers::pi * j / s;
                float* p = &points[3 * (size_t(i) * size_t(s) + size_t(j))];
                p[0] = float((1 + 0.4 * std::cos(v)) * std::cos(u));
                p[1] = float((1 + 0.4 * std::cos(v)) * std::sin(u));
                p[2] = float(0.4 * std::sin(v));
            }
    }
    uint64_t Triangles() const { return 2 * uint64_t(around) * uint64_t(section); }
    const float* Point(int i, int j) const
    {
        return &points[3 * (size_t(i % around) * size_t(section) + size_t(j % section))];
    }
    // Calls emit with the three corners of every triangle in file order.
    template <class Emit> void ForEachTriangle(Emit emit) const
    {
        for (int i = 0; i < around; ++i)
            for (int j = 0; j < section; ++j)
            {
                emit(Point(i, j), Point(i + 1, j), Point(i + 1, j + 1));
                emit(Point(i, j), Point(i + 1, j + 1), Point(i, j + 1));
            }
    }
};

inline void WriteBinary(const Torus& torus, const std::filesystem::path& path)
{
    std::ofstream out(path, std::ios::binary);
    char header[80] = "solid torus (binary)";
    out.write(header, 80);
    const uint32_t count = uint32_t(torus.Triangles());
    out.write(reinterpret_cast<const char*>(&count), 4); // little-endian machine
    torus.ForEachTriangle(
        [&](const float* a, const float* b, const float* c)
        {
            char record[50] = {};
            std::memcpy(record + 12, a, 12);
            std::memcpy(record + 24, b, 12);
            std::memcpy(record + 36, c, 12);
            out.write(record, 50);
        });
}

inline double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The best time of the pass: opens the file, lets the pass read it, closes it.
template <class Pass> inline double BestOf(const std::filesystem::path& path, Pass pass)
{
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run)
    {
        malloc_trim(0);
        const auto start = std::chrono::steady_clock::now();
        const int fd = ::open(path.c_str(), O_RDONLY);
        pass(fd);
        ::close(fd);
        best = std::min(best, Seconds(start));
    }
    return best;
}

// Reads the file in chunks into one reused buffer (the header alone first) and hands each chunk
// to the decoder. Chunks of a whole number of records keep records from straddling two reads.
template <class Decode> inline void ReadChunks(int fd, size_t header, Decode decode)
{
    std::vector<char> chunk(kChunk);
    if (header > 0 && ::read(fd, chunk.data(), header) != ssize_t(header))
        std::exit(1);
    for (ssize_t got; (got = ::read(fd, chunk.data(), chunk.size())) > 0;)
        decode(chunk.data(), size_t(got));
}

// Peak resident memory since the last reset, in MiB (/proc/self/status VmHWM).
inline double PeakMiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

inline void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct ReaderFigures
{
    double seconds = 1e30;
    double growthMiB = 0; // peak resident memory during the read, over what the process held before
    int vertices = 0;
    int faces = 0;
};

inline ReaderFigures RunReader(const std::filesystem::path& path)
{
    ReaderFigures figures;
    for (int run = 0; run < kRuns; ++run)
    {
        ON_ClassArray<ON_Mesh> meshes;
        malloc_trim(0);
        ResetPeak();
        const double before = PeakMiB();
        const auto start = std::chrono::steady_clock::now();
        const int result = KzSTL::STLToMesh(CString(path.wstring()), meshes);
        const double seconds = Seconds(start);
        if (result == 0 || meshes.Count() != 1)
        {
            std::fprintf(stderr, "reading %s failed: %ls\n", path.c_str(), (const wchar_t*)KzSTL::GetError());
            std::exit(1);
        }
        figures.seconds = std::min(figures.seconds, seconds);
        figures.growthMiB = std::max(figures.growthMiB, PeakMiB() - before);
        figures.vertices = meshes[0].VertexCount();
        figures.faces = meshes[0].FaceCount();
    }
    return figures;
}

// Decodes every record's nine corner floats into one array, as a plain reader without merging
// hands them out. The array is an openNURBS array, as the reader's are, so that both get their
// fresh memory the same way.
inline double BinaryFloor(const std::filesystem::path& path, uint64_t triangles)
{
    volatile float sink = 0;
    return BestOf(path,
                  [&](int fd)
                  {
                      ON_SimpleArray<float> corners(int(9 * triangles));
                      corners.SetCount(int(9 * triangles));
                      float* out = corners.Array();
                      ReadChunks(fd, 84,
                                 [&](const char* bytes, size_t size)
                                 {
                                     for (size_t r = 0; r < size / 50; ++r, out += 9)
                                         std::memcpy(out, bytes + 50 * r + 12, 36);
                                 });
                      sink = sink + corners[int(9 * triangles) - 1];
                  });
}

// Decodes the records chunk by chunk and keeps nothing: no reader can be faster.
inline double BinaryChunkFloor(const std::filesystem::path& path)
{
    volatile float sink = 0;
    return BestOf(path,
                  [&](int fd)
                  {
                      float decoded[9];
                      ReadChunks(fd, 84,
                                 [&](const char* bytes, size_t size)
                                 {
                                     for (size_t r = 0; r < size / 50; ++r)
                                         std::memcpy(decoded, bytes + 50 * r + 12, 36);
                                     sink = sink + decoded[8];
                                 });
                  });
}
} // namespace stl_bench
