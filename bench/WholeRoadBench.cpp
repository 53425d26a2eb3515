// The whole road as a user takes it: facetor-host loading the module and importing a generated
// binary STL file of 1 million triangles in lean mode, as a solid and as a 3D sketch. Wall time
// and peak memory of the program, against the reader alone and the read-and-decode floor,
// measured in the same run.
#include "ProgramRun.h"
#include "StlBenchSupport.h"

namespace
{
using namespace stl_bench;

struct RoadFigures
{
    double seconds = 1e30;
    double peakMiB = 0;
    std::string summary;
};

RoadFigures RunRoad(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
    RoadFigures figures;
    for (int run = 0; run < kRuns; ++run)
    {
        const ProgramResult result = RunProgram(FACETOR_HOST_PROGRAM, arguments, "", environment);
        if (result.status != 0)
        {
            std::fprintf(stderr, "facetor-host failed (%d):\n%s%s", result.status, result.out.c_str(),
                         result.err.c_str());
            std::exit(1);
        }
        figures.seconds = std::min(figures.seconds, result.seconds);
        figures.peakMiB = std::max(figures.peakMiB, double(result.peakKiB) / 1024.0);
        figures.summary = result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1);
    }
    return figures;
}
} // namespace

int main()
{
    char pattern[] = "/tmp/whole-road-bench-XXXXXX";
    const char* folderName = mkdtemp(pattern);
    if (!folderName)
        return 1;
    const std::filesystem::path folder = folderName;
    std::filesystem::create_directory(folder / "tmp");
    const std::vector<std::string> environment = {"FACETOR_REGISTRY=" + (folder / "registry.reg").string(),
                                                  "TMPDIR=" + (folder / "tmp").string()};
    if (RunProgram(FACETOR_HOST_PROGRAM, {"register"}, "", environment).status != 0)
        return 1;

    const Torus torus(1000, 500);
    const std::filesystem::path path = folder / "torus.stl";
    WriteBinary(torus, path);
    const double triangles = double(torus.Triangles());
    const double fileMiB = double(std::filesystem::file_size(path)) / (1024.0 * 1024.0);

    const double floor = BinaryFloor(path, torus.Triangles());
    const double chunkFloor = BinaryChunkFloor(path);
    const ReaderFigures reader = RunReader(path);
    std::printf("binary STL: %.0f triangles, file %.1f MiB\n", triangles, fileMiB);
    std::printf("  floor   %7.3f s  (reading the bytes, decoding every record into one array of floats)\n",
                floor);
    std::printf("  floor   %7.3f s  (reading and decoding chunk by chunk, keeping nothing)\n", chunkFloor);
    std::printf("  reader  %7.3f s  KzSTL::STLToMesh alone, memory %.1f MiB over the process's\n",
                reader.seconds, reader.growthMiB);
    for (const char* road : {"solid", "sketch"})
    {
        const RoadFigures figures = RunRoad({"import", path.string(), "--lean", "--as", road, "--units", "mm",
                                             "--multibody", "--no-y-up", "--progress"},
                                            environment);
        std::printf("  %-6s  %7.3f s  facetor-host import --lean, peak memory %.1f MiB\n", road,
                    figures.seconds, figures.peakMiB);
        std::printf(
            "          ratio to the reader %.2f, to the floors %.2f and %.2f; peak memory / file size %.2f\n",
            figures.seconds / reader.seconds, figures.seconds / floor, figures.seconds / chunkFloor,
            figures.peakMiB / fileMiB);
        std::printf("          %s", figures.summary.c_str());
        std::fflush(stdout);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
