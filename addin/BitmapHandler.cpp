// The bitmap handler's files: named by the system in the temporary folder ("swt" and a number),
// holding the bitmap exactly as the OLE picture object saves it.
#include "BitmapHandler.h"

STDMETHODIMP CBitmapHandler::CreateBitmapFileFromResource(ULONG resID, BSTR* retval)
{
    if (!retval)
        return E_POINTER;
    // A DIB section at the resource's own size; MAKEINTRESOURCE keeps the low 16 bits of the id.
    const HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageW(_AtlBaseModule.GetModuleInstance(), MAKEINTRESOURCEW(resID),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    const CString path = CreateTempFileName();
    BOOL saved = FALSE;
    if (!path.IsEmpty())
        saved = SaveBitmapToFile(path, bitmap, nullptr);
    if (bitmap)
        DeleteObject(bitmap);
    if (path.IsEmpty())
        return E_FAIL;
    if (!saved)
    {
        DeleteFileW(path); // the empty file that naming it created
        return E_FAIL;
    }
    m_files.push_front(path);
    *retval = SysAllocString(path);
    return S_OK;
}

STDMETHODIMP CBitmapHandler::Dispose()
{
    DeleteTempFiles();
    return S_OK;
}

CString CBitmapHandler::CreateTempFileName()
{
    WCHAR folder[MAX_PATH];
    // A longer folder would not fit: the call then reports the size it needs and writes nothing.
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    WCHAR name[MAX_PATH];
    if (GetTempFileNameW(folder, L"swt", 0, name) == 0)
        return CString();
    return CString(name);
}

BOOL CBitmapHandler::SaveBitmapToFile(LPCWSTR path, HBITMAP bitmap, HPALETTE palette)
{
    PICTDESC description{};
    description.cbSizeofstruct = 24; // the structure's size on 64-bit Windows
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    description.bmp.hpal = palette;
    CComPtr<IPicture> picture;
    if (FAILED(
            OleCreatePictureIndirect(&description, IID_IPicture, FALSE, reinterpret_cast<LPVOID*>(&picture))))
        return FALSE;
    CComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return FALSE;
    LONG size = 0;
    if (FAILED(picture->SaveAsFile(stream, TRUE, &size)))
        return FALSE;
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL written = FALSE;
    HGLOBAL memory = nullptr;
    if (SUCCEEDED(GetHGlobalFromStream(stream, &memory)))
    {
        // The block may be larger than the picture: exactly the reported bytes are written.
        const void* bytes = GlobalLock(memory);
        DWORD count = 0;
        written = bytes && WriteFile(file, bytes, DWORD(size), &count, nullptr) && count == DWORD(size);
        GlobalUnlock(memory);
    }
    CloseHandle(file);
    return written;
}

BOOL CBitmapHandler::DeleteTempFiles()
{
    while (!m_files.empty())
    {
        // A file that cannot be deleted is dropped all the same and not tried again.
        const CString path = m_files.front();
        m_files.pop_front();
        DeleteFileW(path);
    }
    return TRUE;
}
