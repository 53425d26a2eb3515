// facetor-rc [-I folder]... script.rc output.cpp [depfile]
// Compiles a resource script into a C++ source that links the resources into a module, and
// writes the files it read into a make-style depfile for the build.
#include "Preprocessor.h"
#include "ScriptParser.h"
#include "SourceWriter.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace
{
std::string Escaped(const std::string& path)
{
    std::string out;
    for (char c : path)
    {
        if (c == ' ' || c == '#' || c == '$')
            out += c == '$' ? '$' : '\\';
        out += c;
    }
    return out;
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
    std::vector<std::string> includeFolders, files;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "-I" && i + 1 < argc)
            includeFolders.push_back(argv[++i]);
        else
            files.push_back(argument);
    }
    if (files.size() < 2 || files.size() > 3)
    {
        std::cerr << "usage: facetor-rc [-I folder]... script.rc output.cpp [depfile]\n";
        return 2;
    }
    try
    {
        const std::string script = std::filesystem::absolute(files[0]).string();
        rc::Preprocessor preprocessor(includeFolders);
        std::vector<rc::Token> tokens = preprocessor.Run(script);
        std::vector<std::string> filesRead = preprocessor.FilesRead();
        const std::vector<rc::Resource> resources =
            rc::ParseScript(std::move(tokens), preprocessor.Macros(),
                            std::filesystem::path(script).parent_path().string(), includeFolders, filesRead);
        WriteFile(files[1], rc::ResourceSource(resources, std::filesystem::path(script).filename().string()));
        if (files.size() == 3)
        {
            std::string rule = Escaped(files[1]) + ":";
            for (const std::string& file : filesRead)
                rule += " " + Escaped(std::filesystem::absolute(file).string());
            WriteFile(files[2], rule + "\n");
        }
    }
    catch (const std::exception& error)
    {
        std::cerr << "facetor-rc: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
