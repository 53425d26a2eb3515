#include "StlFileWriter.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace
{
void AppendLittleEndian(std::string& bytes, uint32_t word, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += char((word >> (8 * i)) & 0xFF);
}

void AppendFloat(std::string& bytes, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    AppendLittleEndian(bytes, bits, 4);
}
} // namespace

std::string BinaryStl(const std::string& header, uint32_t count, const std::vector<Triangle>& triangles,
                      const std::array<float, 3>& normal, uint16_t attribute)
{
    std::string bytes = header.substr(0, 80);
    bytes.resize(80, ' ');
    AppendLittleEndian(bytes, count, 4);
    for (const Triangle& triangle : triangles)
    {
        for (float n : normal)
            AppendFloat(bytes, n);
        for (float c : triangle)
            AppendFloat(bytes, c);
        AppendLittleEndian(bytes, attribute, 2);
    }
    return bytes;
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kzstl-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    const std::filesystem::path path = m_path / std::filesystem::u8path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

CString WidePath(const std::filesystem::path& path)
{
    return CString(path.wstring());
}

ReadResult ReadStl(const std::filesystem::path& path)
{
    ReadResult read;
    read.result = KzSTL::STLToMesh(WidePath(path), read.meshes);
    read.error = KzSTL::GetError().Str();
    return read;
}
