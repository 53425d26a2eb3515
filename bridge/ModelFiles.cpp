// Whole models between the host and disk: the active model written to a file, DXF files loaded
// one by one or by the base name they share.
#include "HostUtils.h"

#include "wcrt.h"

#include <cerrno>

int HostUtils::SaveActiveModel(ISldWorks* pApp, CString path)
{
    IModelDoc* pDoc = NULL;
    pApp->GetActiveDocument(&pDoc);
    if (pDoc == NULL)
    {
        m_strError = L"Unable to retrieve active model";
        return 0;
    }
    BSTR bstrPath = path.AllocSysString();
    LONG status = 0;
    const HRESULT hr = pDoc->WriteModel(bstrPath, 0, -1, -1, &status);
    pDoc->Release();
    SysFreeString(bstrPath);
    if (hr == S_OK && status == 0)
        return 1;
    m_strError = L"Unable to extract solid data";
    return 0;
}

int HostUtils::LoadDXFFile(ISldWorks* pApp, const CString& path)
{
    BSTR bstrPath = path.AllocSysString();
    BSTR bstrOptions = CString(L"").AllocSysString();
    IModelDoc* pDoc = NULL;
    const HRESULT hr = pApp->LoadFile(bstrPath, bstrOptions, &pDoc);
    SysFreeString(bstrPath);
    SysFreeString(bstrOptions);
    if (pDoc != NULL)
        pDoc->Release();
    if (hr != S_OK)
    {
        m_strError = L"Unable to load DXF file\n";
        return 0;
    }
    return 1;
}

// Whether a match of the search is a DXF file of ours: a file, not a folder, whose long name starts
// with the base file name and ends in ".dxf", letter case ignored. The search itself also matches
// 8.3 short names ("model_1.dxf1" as MODEL_~1.DXF) and would read a '*' or '?' in the base name as
// a wildcard; the files it finds are deleted, so only these are taken.
static bool IsBaseDXFFile(const WIN32_FIND_DATAW& found, CString prefix)
{
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    CString name(found.cFileName);
    name.MakeLower();
    prefix.MakeLower();
    return name.GetLength() >= prefix.GetLength() + 4 && name.Left(prefix.GetLength()) == prefix &&
           name.Right(4) == L".dxf";
}

int HostUtils::LoadDXFFiles(ISldWorks* pApp, const CString& path, int* count)
{
    *count = 0;
    wchar_t drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    // A part too long for its buffer empties them all, which would search the current folder
    // for every DXF file and delete what it found: such a path is refused before anything.
    errno = 0;
    _wsplitpath(path, drive, dir, fname, ext);
    if (errno == ERANGE)
    {
        m_strError = L"Unable to read 2D data\n";
        return 0;
    }
    CString folder, base, pattern;
    folder.Format(L"%s%s", drive, dir);
    base.Format(L"%s%s%s", drive, dir, fname);
    pattern.Format(L"%s*.dxf", (LPCWSTR)base);

    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW(pattern, &found);
    if (hFind == INVALID_HANDLE_VALUE)
    {
        m_strError = L"Unable to read 2D data\n";
        return 0;
    }
    int result = 1;
    int matched = 0;
    do
    {
        if (!IsBaseDXFFile(found, fname))
            continue;
        matched++;
        CString file;
        file.Format(L"%s%s", (LPCWSTR)folder, found.cFileName);
        if (LoadDXFFile(pApp, file))
            (*count)++;
        else
            result = 0;
        _wunlink(file);
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);

    if (matched == 0)
    {
        m_strError = L"Unable to read 2D data\n";
        return 0;
    }
    return result;
}
