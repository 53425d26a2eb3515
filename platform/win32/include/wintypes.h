// Basic Windows data types with their Windows widths (LLP64: LONG is 32 bits).
#pragma once

#include <cstddef>
#include <cstdint>

typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t DWORD;
typedef int32_t INT;
typedef uint32_t UINT;
typedef int BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef size_t SIZE_T;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef char CHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;

// Wide text. wchar_t is 32 bits here and 16 on Windows; nothing may depend on the width.
typedef wchar_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;
typedef WCHAR TCHAR;
typedef LPCWSTR LPCTSTR;
typedef LPWSTR LPTSTR;

typedef LONG HRESULT;
typedef SHORT VARIANT_BOOL;
typedef DWORD LCID;
typedef LONG DISPID;
typedef WORD LANGID;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

#define MAX_PATH 260

// Handles are distinct opaque pointer types, as with STRICT on Windows.
#define FACETOR_DECLARE_HANDLE(name)                                                                    \
    struct name##__                                                                                 \
    {                                                                                               \
        int unused;                                                                                 \
    };                                                                                              \
    typedef struct name##__* name

FACETOR_DECLARE_HANDLE(HWND);
FACETOR_DECLARE_HANDLE(HINSTANCE);
FACETOR_DECLARE_HANDLE(HBITMAP);
FACETOR_DECLARE_HANDLE(HPALETTE);
FACETOR_DECLARE_HANDLE(HKEY);
FACETOR_DECLARE_HANDLE(HRSRC);
FACETOR_DECLARE_HANDLE(HGLOBAL__);
typedef HINSTANCE HMODULE;
typedef void* HANDLE;
typedef void* HGLOBAL;
typedef HANDLE HGDIOBJ;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKEINTRESOURCEW(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEW
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)

#define STDMETHODCALLTYPE
#define STDAPI extern "C" HRESULT
#define STDMETHOD(method) virtual HRESULT method
#define STDMETHOD_(type, method) virtual type method
#define STDMETHODIMP HRESULT
#define STDMETHODIMP_(type) type
