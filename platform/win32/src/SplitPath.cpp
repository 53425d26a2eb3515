// _wsplitpath with the Universal CRT's rules: both '\' and '/' separate, a drive is any two
// characters whose second is ':', and a part that does not fit its buffer empties them all.
#include "wcrt.h"

#include <cerrno>
#include <cwchar>

namespace
{
struct Part
{
    wchar_t* buffer;
    size_t capacity; // characters, with the null
    const wchar_t* begin;
    const wchar_t* end;
};
} // namespace

extern "C" void _wsplitpath(const wchar_t* path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext)
{
    Part parts[] = {{drive, _MAX_DRIVE, nullptr, nullptr},
                    {dir, _MAX_DIR, nullptr, nullptr},
                    {fname, _MAX_FNAME, nullptr, nullptr},
                    {ext, _MAX_EXT, nullptr, nullptr}};
    auto emptyAll = [&](int error)
    {
        for (Part& part : parts)
            if (part.buffer)
                part.buffer[0] = L'\0';
        errno = error;
    };
    if (!path)
        return emptyAll(EINVAL);

    const wchar_t* rest = path;
    parts[0].begin = parts[0].end = rest;
    if (rest[0] != L'\0' && rest[1] == L':')
        parts[0].end = rest += 2;

    const wchar_t* lastSeparator = nullptr; // the character after it
    const wchar_t* lastDot = nullptr;
    const wchar_t* finish = rest;
    for (; *finish; ++finish)
    {
        if (*finish == L'\\' || *finish == L'/')
            lastSeparator = finish + 1;
        else if (*finish == L'.')
            lastDot = finish;
    }
    parts[1].begin = rest;
    parts[1].end = lastSeparator ? lastSeparator : rest;
    rest = parts[1].end;
    const bool hasExtension = lastDot && lastDot >= rest;
    parts[2] = {fname, _MAX_FNAME, rest, hasExtension ? lastDot : finish};
    parts[3] = {ext, _MAX_EXT, hasExtension ? lastDot : finish, finish};

    for (const Part& part : parts)
        if (part.buffer && size_t(part.end - part.begin) + 1 > part.capacity)
            return emptyAll(ERANGE);
    for (const Part& part : parts)
    {
        if (!part.buffer)
            continue;
        const size_t length = size_t(part.end - part.begin);
        std::wmemcpy(part.buffer, part.begin, length);
        part.buffer[length] = L'\0';
    }
}
