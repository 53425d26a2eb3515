// Test controls of the registry: where the store lives, and what it holds.
#include "registry_testing.h"

#include "RegistryStore.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <stdlib.h>

void platform::SetRegistryPath(const std::string& path)
{
    registry::SetStorePath(path);
}

std::string platform::RegistryPath()
{
    return registry::StorePath();
}

std::string platform::DumpRegistry()
{
    std::ifstream in(registry::StorePath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

platform::TemporaryRegistry::TemporaryRegistry()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "facetor-registry-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder for the registry");
    m_folder = pattern;
    m_path = m_folder + "/registry.reg";
    m_previous = registry::SetStorePath(m_path);
}

platform::TemporaryRegistry::~TemporaryRegistry()
{
    registry::SetStorePath(m_previous);
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}
