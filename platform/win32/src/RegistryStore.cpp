// Loading, locking and saving the registry file.
#include "RegistryStore.h"

#include "RegFile.h"
#include "TextEncoding.h"

#include "winerror.h"
#include "winuser.h"

#include "ui/Driver.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <utility>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::registry
{
namespace
{
std::mutex g_mutex;
std::string g_overridePath;

// Holds the lock file of a store for the lifetime of a scope. The lock lives in a file of its
// own because the store itself is replaced on every save.
class FileLock
{
public:
    explicit FileLock(const std::string& storePath)
    {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(storePath).parent_path(), ignored);
        m_fd = open((storePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0 && flock(m_fd, LOCK_EX) != 0)
        {
            close(m_fd);
            m_fd = -1;
        }
    }
    ~FileLock()
    {
        if (m_fd >= 0)
            close(m_fd); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

enum class ReadResult
{
    Read,
    Missing,
    Failed,
};

ReadResult ReadWholeFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad())
        return ReadResult::Failed;
    text = contents.str();
    return ReadResult::Read;
}

// The first free name of the form "<store>.damaged", "<store>.damaged-2", ...
std::string AsideName(const std::string& path)
{
    std::string candidate = path + ".damaged";
    for (int n = 2; std::filesystem::exists(candidate); ++n)
        candidate = path + ".damaged-" + std::to_string(n);
    return candidate;
}

// Fills the tree from the file. A file that cannot be parsed is renamed aside (never overwritten)
// and `report` says so; the store then starts empty.
LONG Load(const std::string& path, Tree& tree, std::wstring& report)
{
    std::string text;
    switch (ReadWholeFile(path, text))
    {
    case ReadResult::Missing:
        return ERROR_SUCCESS;
    case ReadResult::Failed:
        return ERROR_CANTREAD;
    case ReadResult::Read:
        break;
    }
    if (text.empty())
        return ERROR_SUCCESS;
    std::string problem;
    if (ParseRegFile(text, tree, problem))
        return ERROR_SUCCESS;
    const std::string aside = AsideName(path);
    if (std::rename(path.c_str(), aside.c_str()) != 0)
        return ERROR_CANTREAD;
    tree = Tree();
    report = WidePath(path + " could not be read (" + problem + "). It was kept as " + aside +
                      " and the settings start afresh.");
    return ERROR_SUCCESS;
}

LONG Save(const std::string& path, const Tree& tree)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return ERROR_CANTWRITE;
    const std::string text = FormatRegFile(tree);
    bool ok = true; // mkstemp made it readable by this user only
    for (size_t written = 0; ok && written < text.size();)
    {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        ok = n > 0;
        written += ok ? size_t(n) : 0;
    }
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok && std::rename(temporary.c_str(), path.c_str()) == 0)
        return ERROR_SUCCESS;
    unlink(temporary.c_str());
    return ERROR_CANTWRITE;
}
} // namespace

std::string StorePath()
{
    std::lock_guard<std::mutex> guard(g_mutex);
    if (!g_overridePath.empty())
        return g_overridePath;
    if (const char* path = std::getenv("FACETOR_REGISTRY"); path && *path)
        return path;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::string(home) + "/.config";
    else if (const passwd* user = getpwuid(getuid()))
        config = std::string(user->pw_dir) + "/.config";
    else
        config = ".";
    return config + "/facetor/registry.reg";
}

std::string SetStorePath(const std::string& path)
{
    std::lock_guard<std::mutex> guard(g_mutex);
    return std::exchange(g_overridePath, path);
}

LONG Transact(const std::function<LONG(Tree& tree, bool& changed)>& operation)
{
    const std::string path = StorePath();
    std::wstring report;
    LONG result;
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        FileLock lock(path);
        if (!lock.Held())
            return ERROR_CANTREAD;
        Tree tree;
        result = Load(path, tree, report);
        bool changed = false;
        if (result == ERROR_SUCCESS)
            result = operation(tree, changed);
        if (result == ERROR_SUCCESS && changed)
            result = Save(path, tree);
    }
    // Told after the lock is let go, so that other processes need not wait for the person.
    if (!report.empty())
        ui::CurrentDriver().ShowMessageBox({nullptr, report, L"Registry", MB_OK | MB_ICONWARNING});
    return result;
}
} // namespace platform::registry
