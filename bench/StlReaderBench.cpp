// KzSTL::STLToMesh on generated files of 1 and 5 million triangles, against floors measured in
// the same run: reading the file's bytes and decoding the records into floats (binary), reading
// the file's bytes (ASCII); each floor once as a plain reader does it, holding what it read, and
// once chunk by chunk, keeping nothing. The surface is a finely tessellated torus written facet by
// facet, so it has half as many distinct vertices as triangles.
#include "StlBenchSupport.h"

#include <charconv>
#include <initializer_list>

namespace
{
using namespace stl_bench;

void WriteAscii(const Torus& torus, const std::filesystem::path& path)
{
    std::ofstream out(path, std::ios::binary);
    out << "solid torus\n";
    std::string facet;
    auto number = [&](float value)
    {
        char text[32];
        facet += ' ';
        facet.append(text,
                     std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 8).ptr);
    };
    torus.ForEachTriangle(
        [&](const float* a, const float* b, const float* c)
        {
            facet = "  facet normal";
            for (int k = 0; k < 3; ++k)
                number(0.0f);
            facet += "\n    outer loop\n";
            for (const float* p : {a, b, c})
            {
                facet += "      vertex";
                for (int k = 0; k < 3; ++k)
                    number(p[k]);
                facet += '\n';
            }
            facet += "    endloop\n  endfacet\n";
            out << facet;
        });
    out << "endsolid torus\n";
}

struct Floor
{
    const char* name;
    double seconds;
};

void Report(const char* name, const Torus& torus, const std::filesystem::path& path,
            std::initializer_list<Floor> floors)
{
    const ReaderFigures reader = RunReader(path);
    const double triangles = double(torus.Triangles());
    const double fileMiB = double(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    std::printf("%s: %.0f triangles, file %.1f MiB; mesh %d vertices, %d faces\n", name, triangles, fileMiB,
                reader.vertices, reader.faces);
    std::printf("  reader %7.3f s  %6.2f M triangles/s  peak memory %.1f MiB over the process's, %.2f of the "
                "file's size\n",
                reader.seconds, triangles / reader.seconds / 1e6, reader.growthMiB,
                reader.growthMiB / fileMiB);
    for (const Floor& floor : floors)
        std::printf("  floor  %7.3f s  %6.2f M triangles/s  reader time / floor time %5.2f  (%s)\n",
                    floor.seconds, triangles / floor.seconds / 1e6, reader.seconds / floor.seconds,
                    floor.name);
    std::fflush(stdout);
}

// Reads the whole file into one buffer of its size, an openNURBS array like the reader's.
double AsciiFloor(const std::filesystem::path& path)
{
    const size_t size = std::filesystem::file_size(path);
    volatile char sink = 0;
    return BestOf(path,
                  [&](int fd)
                  {
                      ON_SimpleArray<char> text(static_cast<int>(size));
                      for (size_t got = 0; got < size;)
                      {
                          const ssize_t n = ::read(fd, text.Array() + got, size - got);
                          if (n <= 0)
                              std::exit(1);
                          got += size_t(n);
                      }
                      sink = sink + text.Array()[size - 1];
                  });
}

// Reads the file chunk by chunk into one reused buffer and keeps nothing.
double AsciiChunkFloor(const std::filesystem::path& path)
{
    return BestOf(path, [](int fd) { ReadChunks(fd, 0, [](const char*, size_t) {}); });
}
} // namespace

int main()
{
    char pattern[] = "/tmp/stl-bench-XXXXXX";
    const char* folderName = mkdtemp(pattern);
    if (!folderName)
        return 1;
    const std::filesystem::path folder = folderName;

    struct Case
    {
        const char* name;
        int around, section;
        bool ascii;
    };
    const Case cases[] = {
        {"binary 1M", 1000, 500, false}, {"binary 5M", 2500, 1000, false}, {"ascii 1M", 1000, 500, true}};
    for (const Case& c : cases)
    {
        const Torus torus(c.around, c.section);
        const std::filesystem::path path = folder / (std::string(c.ascii ? "ascii" : "binary") + ".stl");
        if (c.ascii)
        {
            WriteAscii(torus, path);
            Report(c.name, torus, path,
                   {{"reading the file's bytes into one buffer", AsciiFloor(path)},
                    {"reading the file's bytes chunk by chunk, keeping nothing", AsciiChunkFloor(path)}});
        }
        else
        {
            WriteBinary(torus, path);
            Report(c.name, torus, path,
                   {{"reading the bytes, decoding every record into one array of floats",
                     BinaryFloor(path, torus.Triangles())},
                    {"reading and decoding chunk by chunk, keeping nothing", BinaryChunkFloor(path)}});
        }
        std::filesystem::remove(path);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
