// What the STL benchmarks share: a finely tessellated torus written as a binary STL file facet by
// facet (half as many distinct vertices as triangles), the floors that only read and decode the
// file, and KzSTL::STLToMesh timed with its peak memory.
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
#include <string>
#include <unistd.h>
#include <vector>

namespace stl_bench
{
constexpr int kRuns = 3;              // the best of these counts, for the reader and each floor
constexpr size_t kPiece = 50 * 20000; // bytes per read in the floors: whole binary records

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
                const double u = 2 * M_PI * i / a, v = 2 * M_PI * j / s;
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

// Reads the file in pieces (the header alone first), hands each piece to the decoder and returns
// the best time. Pieces of a whole number of records keep records from straddling two reads.
template <class Decode>
inline double ReadFloor(const std::filesystem::path& path, size_t header, Decode decode)
{
    std::vector<char> piece(kPiece);
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run)
    {
        const auto start = std::chrono::steady_clock::now();
        const int fd = ::open(path.c_str(), O_RDONLY);
        if (header > 0 && ::read(fd, piece.data(), header) != ssize_t(header))
            std::exit(1);
        for (ssize_t got; (got = ::read(fd, piece.data(), piece.size())) > 0;)
            decode(piece.data(), size_t(got));
        ::close(fd);
        best = std::min(best, Seconds(start));
    }
    return best;
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
    double peakMiB = 0;
    double baseMiB = 0;
    int vertices = 0;
    int faces = 0;
};

inline ReaderFigures RunReader(const std::filesystem::path& path)
{
    ReaderFigures figures;
    for (int run = 0; run < kRuns; ++run)
    {
        ON_ClassArray<ON_Mesh> meshes;
        ResetPeak();
        const double base = PeakMiB();
        const auto start = std::chrono::steady_clock::now();
        const int result = KzSTL::STLToMesh(CString(path.wstring()), meshes);
        const double seconds = Seconds(start);
        if (result == 0 || meshes.Count() != 1)
        {
            std::fprintf(stderr, "reading %s failed: %ls\n", path.c_str(), (const wchar_t*)KzSTL::GetError());
            std::exit(1);
        }
        if (seconds < figures.seconds)
            figures.seconds = seconds;
        figures.peakMiB = std::max(figures.peakMiB, PeakMiB());
        figures.baseMiB = base;
        figures.vertices = meshes[0].VertexCount();
        figures.faces = meshes[0].FaceCount();
    }
    return figures;
}

// Decodes each 50-byte record's twelve floats, as a plain reader without merging would.
inline double BinaryFloor(const std::filesystem::path& path)
{
    std::vector<float> decoded(kPiece / 50 * 12);
    volatile float sink = 0;
    return ReadFloor(path, 84,
                     [&](const char* bytes, size_t size)
                     {
                         const size_t records = size / 50;
                         for (size_t r = 0; r < records; ++r)
                             std::memcpy(&decoded[12 * r], bytes + 50 * r, 48);
                         sink = sink + decoded[12 * (records - 1)];
                     });
}
} // namespace stl_bench
