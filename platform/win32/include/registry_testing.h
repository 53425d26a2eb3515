// Controls of the registry stand-in that exist only for tests and the simulated host.
#pragma once

#include <string>

namespace platform
{
// Points the registry at a file; empty: back to FACETOR_REGISTRY, else the per-user default.
void SetRegistryPath(const std::string& path);
// The file that the registry uses now.
std::string RegistryPath();
// The registry file's text as saved ("" when there is no file yet).
std::string DumpRegistry();
// Keys opened or created and not yet closed, process-wide.
long OpenRegistryKeyCount();
// Creating the key at this path (such as "HKEY_CLASSES_ROOT\\Facetor.BitmapHandler.1") or below
// it is refused with ERROR_ACCESS_DENIED, as Windows refuses a key that the user may not write;
// an empty path lifts the refusal. Process-wide.
void DenyRegistryKeyCreation(const std::wstring& path);

// A registry of its own in a fresh temporary folder for the lifetime of a scope; the folder and
// everything in it go afterwards, and the previous path comes back.
class TemporaryRegistry
{
public:
    TemporaryRegistry();
    ~TemporaryRegistry();
    TemporaryRegistry(const TemporaryRegistry&) = delete;
    TemporaryRegistry& operator=(const TemporaryRegistry&) = delete;

    const std::string& Folder() const { return m_folder; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_previous;
    std::string m_folder;
    std::string m_path;
};
} // namespace platform
