// Small STL files written by the tests, in a temporary folder removed afterwards.
#pragma once

#include "KzSTL.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using Triangle = std::array<float, 9>;

// One facet of corners (0, 0, 0), (1, 0, 0), (0, 1, 0), in each form.
inline const std::string kFacet = "facet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\n"
                                  "endloop\nendfacet\n";
inline const Triangle kCorners{0, 0, 0, 1, 0, 0, 0, 1, 0};

// Header, count and 50-byte records; the normal and attribute word are the same for every record.
std::string BinaryStl(const std::string& header, uint32_t count, const std::vector<Triangle>& triangles,
                      const std::array<float, 3>& normal = {0, 0, 1}, uint16_t attribute = 0);

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

CString WidePath(const std::filesystem::path& path);

struct ReadResult
{
    int result = 0;
    ON_ClassArray<ON_Mesh> meshes;
    std::wstring error;
};

// STLToMesh on the path with an empty array.
ReadResult ReadStl(const std::filesystem::path& path);
