#include "StlErrorText.h"

#include <cerrno>
#include <cstring>

namespace kzstl
{
namespace
{
// Tokens come from the file: show printable ASCII only, and not too much of it.
CString Quoted(const std::string& token)
{
    constexpr size_t kShown = 32;
    CString text;
    for (size_t i = 0; i < token.size() && i < kShown; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(token[i]);
        text += c >= 0x20 && c < 0x7F ? wchar_t(c) : L'?';
    }
    if (token.size() > kShown)
        text += L"...";
    return L"\"" + text + L"\"";
}

CString SystemReason(int error)
{
    switch (error)
    {
    case ENOENT:
    case ENOTDIR:
        return L"the file does not exist";
    case EACCES:
    case EPERM:
        return L"access is denied";
    case ENAMETOOLONG:
        return L"the path is too long";
    case EISDIR:
        return L"it is a folder";
    case 0:
        return L"the file changed while it was being read";
    default:
        return CString(std::strerror(error));
    }
}

CString VertexCountText(uint64_t count)
{
    if (count > 3)
        return L"more than three vertices";
    CString text;
    text.Format(L"%llu %s", static_cast<unsigned long long>(count), count == 1 ? L"vertex" : L"vertices");
    return text;
}
} // namespace

CString DescribeFailure(const CString& path, const StlFailure& failure)
{
    const wchar_t* file = path;
    const unsigned long long line = failure.line;
    const unsigned long long facet = failure.facet;
    const CString token = Quoted(failure.token);
    CString text;
    switch (failure.problem)
    {
    case Problem::InvalidPath:
        text.Format(L"Cannot open the STL file \"%s\": the path is not valid text.", file);
        break;
    case Problem::CannotOpen:
        text.Format(L"Cannot open the STL file \"%s\": %s.", file,
                    (const wchar_t*)SystemReason(failure.systemError));
        break;
    case Problem::NotAFile:
        text.Format(L"Cannot read the STL file \"%s\": %s.", file,
                    failure.systemError == EISDIR ? L"it is a folder" : L"it is not a regular file");
        break;
    case Problem::CannotRead:
        text.Format(L"Cannot read the STL file \"%s\": %s.", file,
                    (const wchar_t*)SystemReason(failure.systemError));
        break;
    case Problem::Empty:
        text.Format(L"The STL file \"%s\" is empty.", file);
        break;
    case Problem::NotStl:
        text.Format(
            L"The file \"%s\" is not an STL file: it does not read as ASCII STL, and its %llu bytes are "
            L"fewer than the 84 of a binary STL header.",
            file, static_cast<unsigned long long>(failure.size));
        break;
    case Problem::BinaryTooShort:
        text.Format(
            L"The STL file \"%s\" is too short: it does not read as ASCII STL, and as binary STL its header "
            L"announces %llu triangles, which need %llu bytes, but the file has only %llu bytes.",
            file, static_cast<unsigned long long>(failure.count),
            static_cast<unsigned long long>(failure.needed), static_cast<unsigned long long>(failure.size));
        break;
    case Problem::Truncated:
        text.Format(L"The STL file \"%s\" is cut short: it ends at line %llu, inside a solid that has no "
                    L"\"endsolid\".",
                    file, line);
        break;
    case Problem::UnexpectedToken:
        if (failure.expected.empty())
            text.Format(L"The STL file \"%s\" has %s at line %llu, where a keyword was expected.", file,
                        (const wchar_t*)token, line);
        else
            text.Format(L"The STL file \"%s\" has %s at line %llu, where \"%s\" was expected.", file,
                        (const wchar_t*)token, line, (const wchar_t*)CString(failure.expected.c_str()));
        break;
    case Problem::BadNumber:
        text.Format(L"The STL file \"%s\" has %s at line %llu, where a number was expected.", file,
                    (const wchar_t*)token, line);
        break;
    case Problem::DecimalComma:
        text.Format(
            L"The STL file \"%s\" has a decimal comma in %s at line %llu; numbers must use a decimal point.",
            file, (const wchar_t*)token, line);
        break;
    case Problem::WrongVertexCount:
        text.Format(L"The STL file \"%s\" has a facet with %s at line %llu (facet %llu); a facet has three.",
                    file, (const wchar_t*)VertexCountText(failure.count), line, facet);
        break;
    case Problem::NonFiniteVertex:
        if (line > 0)
            text.Format(
                L"The STL file \"%s\" has a vertex coordinate that is not a finite number at line %llu "
                L"(facet %llu).",
                file, line, facet);
        else
            text.Format(
                L"The STL file \"%s\" has a vertex coordinate that is not a finite number in facet %llu.",
                file, facet);
        break;
    case Problem::TooLarge:
        text.Format(L"The STL file \"%s\" is too large: it has more facets or vertices than a mesh can hold.",
                    file);
        break;
    }
    return text;
}

CString DescribeOutOfMemory(const CString& path)
{
    CString text;
    text.Format(L"There is not enough memory to read the STL file \"%s\".", (const wchar_t*)path);
    return text;
}
} // namespace kzstl
