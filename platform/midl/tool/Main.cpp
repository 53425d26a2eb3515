// facetor-midl source.idl header.h
// Checks a type library's source and writes the C++ header of its identifiers and interfaces.
#include "HeaderWriter.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace
{
std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "usage: facetor-midl source.idl header.h\n";
        return 2;
    }
    try
    {
        const std::string sourceName = std::filesystem::path(argv[1]).filename().string();
        const idl::Library library = idl::ParseLibrary(ReadFile(argv[1]), sourceName);
        WriteFile(argv[2], idl::InterfaceHeader(library, sourceName));
    }
    catch (const std::exception& error)
    {
        std::cerr << "facetor-midl: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
