#include "StlFile.h"

#include "StlFailure.h"
#include "Utf8Path.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kzstl
{
namespace
{
[[noreturn]] void Fail(Problem problem, int systemError)
{
    StlFailure failure{problem};
    failure.systemError = systemError;
    throw failure;
}
} // namespace

StlFile::StlFile(const std::wstring& path)
{
    std::string narrow;
    if (!ToUtf8Path(path, narrow))
        Fail(Problem::InvalidPath, 0);
    m_descriptor = ::open(narrow.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_descriptor < 0)
        Fail(Problem::CannotOpen, errno);
    struct stat status;
    if (::fstat(m_descriptor, &status) != 0)
    {
        const int error = errno;
        ::close(m_descriptor);
        Fail(Problem::CannotRead, error);
    }
    if (!S_ISREG(status.st_mode))
    {
        ::close(m_descriptor);
        Fail(Problem::NotAFile, S_ISDIR(status.st_mode) ? EISDIR : 0);
    }
    m_size = uint64_t(status.st_size);
}

StlFile::~StlFile()
{
    ::close(m_descriptor);
}

void StlFile::ReadAt(uint64_t offset, void* buffer, size_t size) const
{
    char* out = static_cast<char*>(buffer);
    while (size > 0)
    {
        const ssize_t got = ::pread(m_descriptor, out, size, off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            Fail(Problem::CannotRead, errno);
        if (got == 0)
            Fail(Problem::CannotRead, 0);
        out += got;
        offset += uint64_t(got);
        size -= size_t(got);
    }
}
} // namespace kzstl
