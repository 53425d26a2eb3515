// KzSTL::STLToMesh on generated files of 1 and 5 million triangles, against floors measured in
// the same run: reading the file's bytes and decoding the records (binary), reading the bytes
// (ASCII). The surface is a finely tessellated torus written facet by facet, so it has half as
// many distinct vertices as triangles.
#include "StlBenchSupport.h"

#include <charconv>

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
void Report(const char* name, const Torus& torus, const std::filesystem::path& path, const char* floorName,
            double floorSeconds)
{
    const ReaderFigures reader = RunReader(path);
    const double triangles = double(torus.Triangles());
    const double fileMiB = double(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    std::printf("%s: %.0f triangles, file %.1f MiB; mesh %d vertices, %d faces\n", name, triangles, fileMiB,
                reader.vertices, reader.faces);
    std::printf("  reader  %7.3f s  %6.2f M triangles/s  peak memory %.1f MiB (%.1f MiB before the read)\n",
                reader.seconds, triangles / reader.seconds / 1e6, reader.peakMiB, reader.baseMiB);
    std::printf("  floor   %7.3f s  %6.2f M triangles/s  (%s)\n", floorSeconds,
                triangles / floorSeconds / 1e6, floorName);
    std::printf("  ratio   %7.2f (reader time / floor time); peak memory / file size %.2f\n",
                reader.seconds / floorSeconds, reader.peakMiB / fileMiB);
    std::fflush(stdout);
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
            Report(c.name, torus, path, "reading the file's bytes",
                   ReadFloor(path, 0, [](const char*, size_t) {}));
        }
        else
        {
            WriteBinary(torus, path);
            Report(c.name, torus, path, "reading the bytes and decoding the records", BinaryFloor(path));
        }
        std::filesystem::remove(path);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
